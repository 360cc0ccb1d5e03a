#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The interim-amount record of one company, "c:\法人税\別表\中間申告" + code + ".txt": the six interim payments
// (whole yen), then the placeholder tail "予備1" to "予備12".
namespace hz {

struct InterimAmountRecord {
    // 1 法人税, 2 法人県民税, 3 法人県民税・均等割, 4 事業税, 5 法人市民税, 6 法人市民税・均等割.
    std::array<std::int32_t, 6> amounts{};

    bool operator==(const InterimAmountRecord &) const = default;
};

QString interimAmountPath(std::int32_t companyCode);

// Reads the first six values. Throws hz::Error when the file is missing or shorter.
InterimAmountRecord readInterimAmounts(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
InterimAmountRecord readInterimAmountsAt(const QString &windowsPath);

// Replaces the record. Throws hz::Error when it cannot be written; the old record then stays as it was.
void writeInterimAmounts(std::int32_t companyCode, const InterimAmountRecord &rec);
// The same at windowsPath, such as the place a file batch stages it.
void writeInterimAmountsAt(const QString &windowsPath, const InterimAmountRecord &rec);

} // namespace hz
