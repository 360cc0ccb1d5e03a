#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表五（一） II, the capital part: 資本準備金, two rows the user names and 差引合計額, each with ① 期首現在,
// ② 減, ③ 増 and the balance carried forward (⑤ on the form). Record: "c:\法人税\別表\1051資準" + code + ".txt",
// 18 lines, no placeholder tail.
namespace hz {

// Cell k of row r (1-4) and column c (1-4) is 4(r-1)+c; the array holds cell k at [k-1].
using CapitalCells = std::array<std::int32_t, 16>;
constexpr int capitalCell(int row, int column) { return 4 * (row - 1) + column; }

struct Schedule5_1CapitalRecord {
    CapitalCells cells{};
    std::array<QString, 2> rowNames{}; // names of rows 2 and 3
};

QString schedule5_1CapitalPath(std::int32_t companyCode);
// Reads all 18 values. Throws hz::Error when the file is missing or short.
Schedule5_1CapitalRecord readSchedule5_1Capital(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule5_1CapitalRecord readSchedule5_1CapitalAt(const QString &windowsPath);
// Replaces the record. Throws hz::Error; the old record then stays.
void writeSchedule5_1Capital(std::int32_t companyCode, const Schedule5_1CapitalRecord &rec);

// Columns ① to ③ of rows 1-3 as typed; the other cells are ignored.
struct CapitalInput {
    CapitalCells cells{};
};
struct CapitalResult {
    CapitalCells cells{};
};

// Completes the grid: the totals row over rows 1-3, then the balance of every row. Any cell may be negative.
// Error::overflow() when a sum leaves 32 bits.
CapitalResult computeCapital(const CapitalInput &in);

} // namespace hz
