#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表四 (simplified form): the income computation, its record file and the check against 別表五（一）.
namespace hz {

// The working cells of the income computation, whole yen, numbered 1 to 62 as the window numbers them
// (cell 0, 13 and 29 are never used). 1-56 are the grid, 57 the loss available for deduction, 58-61 the four
// totals of 別表五（一）, 62 the difference the last disagreeing check found.
constexpr int kIncomeCellCount = 63;
using IncomeCells = std::array<std::int32_t, kIncomeCellCount>;
// The names the user gives the free lines 9, 10, 17 and 18.
using IncomeRowNames = std::array<QString, 4>;

// "c:\法人税\別表\1040" + code + ".txt": cells 1-62 without 13 and 29 (60 lines), the four names, the tail.
struct Schedule4Record {
    IncomeCells cells{};
    IncomeRowNames names;
};

QString schedule4Path(std::int64_t code);

// Reads the 60 numbers and the four names; the tail is not needed, so a file that ends after the names (as
// the next-year rollover writes it) reads fine. Throws hz::Error when the file is missing or shorter.
Schedule4Record readSchedule4(std::int32_t code);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule4Record readSchedule4At(const QString &windowsPath);

// Replaces the record with all 76 lines. Throws hz::Error when it cannot be written; the old record then stays.
void writeSchedule4(std::int32_t code, const Schedule4Record &rec);

// The amounts as read from the window: the input cells (1, 2, 4, 6, 8, 10, 12, 15, 17-22, 26, 28, 31-33, 40,
// 45-47, 57) hold what was typed or pushed, cell 2 already taking cell 1 when its box was left empty.
// Cells 58-62 pass through unchanged; every other cell is ignored and recomputed.
struct Schedule4Input {
    IncomeCells cells{};
};

struct Schedule4Result {
    IncomeCells cells{};
    // Lines 9, 10, 17 and 18 whose 留保 + 社外流出 differs from their 総額 ("再計算").
    std::array<bool, 4> unbalanced{};
};

// Throws Error::overflow() when a sum leaves 32 bits.
Schedule4Result computeSchedule4(const Schedule4Input &in);

// The four 別表五（一） totals the check compares with the retained income of line 35.
struct ReconciliationInput {
    std::int32_t openingTotal = 0;   // cell 58: 差引合計額 期首現在①
    std::int32_t unpaidDisposal = 0; // cell 59: 未納法人税・県民税・市民税 利益処分④
    std::int32_t closingTotal = 0;   // cell 60: 差引合計額 差引翌期首⑤
    std::int32_t unpaidIncrease = 0; // cell 61: the same rows 増③
    std::int32_t retainedIncome = 0; // cell 43: 別表四 35 留保
};

// 差引翌期首⑤ − (期首現在① + 35 留保 + ④ + ③); 0 when the two schedules agree. Throws Error::overflow().
std::int32_t reconciliationDifference(const ReconciliationInput &in);

// "別四と別五は  OK" when the difference is 0, otherwise "ミス " + the difference with "#,###" + "円".
QString reconciliationVerdict(std::int32_t difference);

} // namespace hz
