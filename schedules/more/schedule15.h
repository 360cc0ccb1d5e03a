#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表十五: the entertainment expenses that may not be deducted, and its record
// ("c:\法人税\別表\1150" + code + ".txt", 7 numbers and the placeholder tail).
namespace hz {

// Items 1-7 at their own index ([0] unused):
//  1 支出交際費等の額, 2 定額控除限度額, 3 損金算入限度額, 4 損金不算入額,
//  5 支出額, 6 交際費等の額から控除される費用, 7 差引交際費等の額
using Schedule15Items = std::array<std::int32_t, 8>;

namespace s15 {
constexpr int expenses = 1, fixedLimit = 2, deductibleLimit = 3, nonDeductible = 4;
constexpr int expenditure = 5, excludedCosts = 6, netExpenses = 7;
} // namespace s15

QString schedule15Path(std::int32_t companyCode);
// Throws hz::Error when the file is missing or short.
Schedule15Items readSchedule15(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule15Items readSchedule15At(const QString &windowsPath);
// Throws hz::Error; the old record then stays.
void writeSchedule15(std::int32_t companyCode, const Schedule15Items &items);

// 10 % of the lesser amount is not deductible for business years that start on or after 平成15年4月1日;
// 20 % for those that start earlier.
bool schedule15TenPercent(std::int32_t periodStartYear, std::int32_t periodStartMonth);

struct Schedule15Input {
    std::int32_t expenditure = 0;
    std::int32_t excludedCosts = 0;
    std::int32_t fixedLimit = 0;
    bool tenPercent = true;
};

struct Schedule15Result {
    Schedule15Items items{};
};

// Error::overflow() when a difference leaves 32 bits.
Schedule15Result computeSchedule15(const Schedule15Input &in);

// "定額控除限度額" steps the limit by 1,000,000: from an empty, zero or unreadable box to 3,000,000, and past
// 4,000,001 back to 0.
std::int32_t nextFixedDeductionLimit(const QString &boxText);

} // namespace hz
