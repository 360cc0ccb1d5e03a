#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表六: the income tax withheld on interest and dividends that the company credits against its corporate tax,
// dividends per issue (個別法) on two issue rows, and its record ("c:\法人税\別表\1060" + code + ".txt", 23 lines,
// no placeholder tail).
namespace hz {

// Items 1-21 at their own index ([0] unused):
//  1-3   預貯金の利子: 収入金額, 所得税額, 控除所得税額
//  4-6   利益の配当:   収入金額, 所得税額 (the issues' credits), 控除所得税額
//  7-9   計
//  10-15 issue 1: 収入金額, 所得税額, 基礎期間, 所有期間, 割合 (per mille), 控除所得税
//  16-21 issue 2: the same
using Schedule6Items = std::array<std::int32_t, 22>;

namespace s6 {
constexpr int interest = 1, interestTax = 2, interestCredit = 3;
constexpr int dividends = 4, dividendTax = 5, dividendCredit = 6;
constexpr int totalReceived = 7, totalTax = 8, totalCredit = 9;
constexpr int issueFirst[2] = {10, 16}; // 収入金額 of each issue row; the other five follow in order
constexpr int received = 0, withheld = 1, basePeriod = 2, holdingPeriod = 3, ratio = 4, credit = 5; // offsets
} // namespace s6

struct Schedule6Record {
    Schedule6Items items{};
    std::array<QString, 2> issueNames{};
};

QString schedule6Path(std::int32_t companyCode);
// Reads the 21 numbers and the two names. Throws hz::Error when the file is missing or short.
Schedule6Record readSchedule6(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule6Record readSchedule6At(const QString &windowsPath);
// Replaces the record. Throws hz::Error; the old record then stays.
void writeSchedule6(std::int32_t companyCode, const Schedule6Record &rec);

struct Schedule6Issue {
    std::int32_t received = 0;
    std::int32_t withheld = 0;
    std::int32_t basePeriod = 0;    // months
    std::int32_t holdingPeriod = 0; // months
    // The ratio from the last load or compute; stands when there is no base period to work one out.
    std::int32_t previousRatio = 0;
};

struct Schedule6Input {
    std::int32_t interest = 0;
    std::int32_t interestTax = 0;
    std::array<Schedule6Issue, 2> issues{};
};

struct Schedule6Result {
    Schedule6Items items{};
};

// The ownership ratio in per mille of holding period to base period, rounded down after adding 0.0009, and never
// above 1000. A zero base keeps previousRatio (also held to 1000). Error::overflow() outside 32 bits.
std::int32_t schedule6Ratio(std::int32_t basePeriod, std::int32_t holdingPeriod, std::int32_t previousRatio);

// The whole schedule. Error::overflow() when a sum or a credit leaves 32 bits.
Schedule6Result computeSchedule6(const Schedule6Input &in);

} // namespace hz
