#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// 別表二: the shareholders on which the family-company test rests, and the record that keeps them
// ("c:\法人税\別表\1020" + code + ".txt", 34 lines, no placeholder tail).
namespace hz {

struct Schedule2Record {
    // [0] the verdict; shareholder row r (1-6) has rank, address, name and relation at [4r-3] to [4r].
    std::array<QString, 25> holderTexts{};
    // [0] total of the six holdings, [1] holdings of the top three ranks, [2] the percentage as typed,
    // [3] to [8] the holdings of rows 1-6.
    std::array<std::int32_t, 9> holderAmounts{};
};

QString schedule2Path(std::int32_t companyCode);

// Reads all 34 values. Throws hz::Error when the file is missing or short.
Schedule2Record readSchedule2(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule2Record readSchedule2At(const QString &windowsPath);

// Replaces the record: the texts column by column (verdict, ranks, addresses, names, relations), then the nine
// amounts. Throws hz::Error when it cannot be written; the old record then stays.
void writeSchedule2(std::int32_t companyCode, const Schedule2Record &rec);

// 期末現在の発行済株式金額: the sum of the six holdings; Error::overflow() beyond 32 bits.
std::int32_t holdingsTotal(const std::array<std::int32_t, 6> &holdings);

// 同族会社の判定（％）: top three × 100 / total, rounded down. Worked in whole numbers so that 5,800 of 10,000
// gives 58, not the 57 a floating division yields. Empty when the total is 0 or the result leaves 32 bits.
std::optional<std::int32_t> familyCompanyPercentage(std::int32_t topThree, std::int32_t total);

} // namespace hz
