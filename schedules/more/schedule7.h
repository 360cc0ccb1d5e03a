#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表七: the outstanding losses of the seven years before the period, deducted oldest first from this year's
// income and carried on, with this year's own loss added; and its record ("c:\法人税\別表\1070" + code + ".txt").
namespace hz {

// The panel's items 0-37 at their own index; only these are used:
//  row            控除未済 当期控除 翌期繰越
//  期首前７年前       33       35       -
//  期首前６年前       32       34       37
//  期首前５年前        1        2       36
//  期首前４年前        3        4        5
//  期首前３年前        6        7        8
//  期首前２年前        9       10       11
//  期首前１年前       12       13       14
//  計                15       16       17
//  20 当期欠損金額, 23 合計 (carried into the next year), 24 the current income (never stored).
using Schedule7Items = std::array<std::int32_t, 38>;

struct Schedule7Row {
    int outstanding;
    int deducted;
    int carried; // 0: the 7th year carries nothing
};
// Oldest first.
inline constexpr std::array<Schedule7Row, 7> schedule7Rows{
    {{33, 35, 0}, {32, 34, 37}, {1, 2, 36}, {3, 4, 5}, {6, 7, 8}, {9, 10, 11}, {12, 13, 14}}};

namespace s7 {
constexpr int outstandingTotal = 15, deductedTotal = 16, carriedTotal = 17;
constexpr int currentLoss = 20, grandTotal = 23, income = 24;
} // namespace s7

// The items of the record's 25 numbers, in line order; the placeholder tail follows them.
inline constexpr std::array<int, 25> schedule7RecordItems{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                                          14, 15, 16, 17, 20, 23, 32, 33, 34, 35, 36, 37};

QString schedule7Path(std::int32_t companyCode);
// Reads the 25 numbers into their items, in line order. A record of the first 19 numbers only, as the next-year
// rollover writes it, reads as far as it goes and leaves the other items untouched. Throws hz::Error when the file
// is missing or ends anywhere else; the items read before the failure are then already in items.
void readSchedule7(std::int32_t companyCode, Schedule7Items &items);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
void readSchedule7At(const QString &windowsPath, Schedule7Items &items);
// The 25 numbers and the placeholder tail (37 lines). Throws hz::Error; the old record then stays.
void writeSchedule7(std::int32_t companyCode, const Schedule7Items &items);
// The zero record: 31 lines "0" and the placeholder tail, which every reader reads as zeros.
void writeZeroSchedule7(std::int32_t companyCode);

struct Schedule7Input {
    std::int32_t periodStartYear = 0; // 平成
    std::int32_t income = 0;          // Schedule 4's total before the loss deduction; negative for a loss
    // The panel's items as they stand: the outstanding amounts as typed, and the deductions of the last load or
    // compute, which stand for the rows the period start year leaves out of the deduction.
    Schedule7Items items{};
};

struct Schedule7Result {
    Schedule7Items items{};
};

// Error::overflow() when a sum or difference leaves 32 bits.
Schedule7Result computeSchedule7(const Schedule7Input &in);

} // namespace hz
