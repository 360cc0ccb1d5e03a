#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表五（一） I: the retained-earnings statement, 14 rows by the columns ① 期首現在, ② 減, ③ 増, ④ 利益処分 and
// ⑤ 差引翌期首, and its record ("c:\法人税\別表\1051" + code + ".txt", 77 lines, no placeholder tail).
namespace hz {

// Cell k of row r (1-14) and column c (1-5) is 5(r-1)+c; the arrays hold cell k at [k-1].
using Schedule5_1Cells = std::array<std::int32_t, 70>;
constexpr int schedule5_1Cell(int row, int column) { return 5 * (row - 1) + column; }

// Rows of the grid that the computation treats apart.
namespace s51 {
constexpr int retainedEarningsRow = 9; // 繰越損益金
constexpr int firstUnpaidTaxRow = 11;  // 未納法人税, 未納県民税 (12), 未納市民税 (13)
constexpr int lastUnpaidTaxRow = 13;
constexpr int totalRow = 14; // 差引合計額
} // namespace s51

struct Schedule5_1Record {
    Schedule5_1Cells cells{};
    std::array<QString, 7> rowNames{}; // names of rows 2-8
};

QString schedule5_1Path(std::int32_t companyCode);
// Reads all 77 values. Throws hz::Error when the file is missing or short.
Schedule5_1Record readSchedule5_1(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule5_1Record readSchedule5_1At(const QString &windowsPath);
// Replaces the record: cells 1-70, then the seven names. Throws hz::Error; the old record then stays.
void writeSchedule5_1(std::int32_t companyCode, const Schedule5_1Record &rec);

// Columns ① to ④ of rows 1-13 as typed; every other cell is ignored.
struct Schedule5_1Input {
    Schedule5_1Cells cells{};
};

struct Schedule5_1Result {
    Schedule5_1Cells cells{};
};

// Completes the grid: row 9 ② copies ①, the unpaid taxes are kept as amounts of zero or less, column ⑤ and the
// totals row follow. Error::overflow() when a sum leaves 32 bits.
Schedule5_1Result computeSchedule5_1(const Schedule5_1Input &in);

// The four figures Schedule 4 checks itself against.
struct Schedule5_1Reconciliation {
    std::int32_t startTotal = 0;     // 31 差引合計額 ①
    std::int32_t unpaidDisposal = 0; // 28-30 未納法人税等 ④, summed (zero or less)
    std::int32_t carriedTotal = 0;   // 31 差引合計額 ⑤
    std::int32_t unpaidIncrease = 0; // 28-30 未納法人税等 ③, summed (zero or less)
};
// Error::overflow() when a sum leaves 32 bits.
Schedule5_1Reconciliation schedule5_1Reconciliation(const Schedule5_1Cells &cells);

// The final unpaid prefectural and municipal inhabitant taxes of a company's 別表五（二） record (its lines 48
// and 72, column ⑥ of the 確定 rows). Throws hz::Error when the record is missing or short.
struct FinalUnpaidInhabitantTaxes {
    std::int32_t prefectural = 0;
    std::int32_t municipal = 0;
};
FinalUnpaidInhabitantTaxes readFinalUnpaidInhabitantTaxes(std::int32_t companyCode);

// What 未納県民税 ④ or 未納市民税 ④ takes from a tax's final balance on 別表五（二）: the unpaid amount negated,
// as a liability ("-#,###"). A balance below 0 is a refund due, not a tax unpaid, and takes 0 (an empty box).
QString unpaidTaxText(std::int32_t finalBalance);

} // namespace hz
