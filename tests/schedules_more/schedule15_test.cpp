#include "core/errors.h"
#include "schedules/more/schedule15.h"

#include <gtest/gtest.h>

#include <limits>

namespace hz {
namespace {

TEST(Schedule15, RateByPeriodStart) {
    struct Case {
        std::int32_t year, month;
        bool tenPercent;
    } cases[] = {
        {19, 4, true},  {19, 1, true},  {16, 3, true},  {15, 4, true},   {15, 12, true},
        {15, 3, false}, {15, 1, false}, {14, 4, false}, {14, 12, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(schedule15TenPercent(c.year, c.month), c.tenPercent) << "平成" << c.year << "." << c.month;
}

TEST(Schedule15, Compute) {
    struct Case {
        const char *name;
        Schedule15Input in;
        Schedule15Items expected; // [0] unused, then items 1-7
    } cases[] = {
        {"expenses under the limit",
         {3500000, 500000, 4000000, true},
         {0, 3000000, 4000000, 2700000, 300000, 3500000, 500000, 3000000}},
        {"expenses above the limit",
         {5000000, 0, 4000000, true},
         {0, 5000000, 4000000, 3600000, 1400000, 5000000, 0, 5000000}},
        {"expenses exactly at the limit",
         {3000000, 0, 3000000, true},
         {0, 3000000, 3000000, 2700000, 300000, 3000000, 0, 3000000}},
        {"one yen above the limit",
         {4000001, 0, 4000000, true},
         {0, 4000001, 4000000, 3600000, 400001, 4000001, 0, 4000001}},
        {"no limit: nothing is deductible", {2000000, 0, 0, true}, {0, 2000000, 0, 0, 2000000, 2000000, 0, 2000000}},
        {"20 %: the deductible part rounds up to whole yen",
         {1234567, 0, 3000000, false},
         {0, 1234567, 3000000, 987654, 246913, 1234567, 0, 1234567}},
        {"10 %: a tenth of a yen rounds up",
         {1000001, 0, 3000000, true},
         {0, 1000001, 3000000, 900001, 100000, 1000001, 0, 1000001}},
        {"no expenses", {0, 0, 3000000, true}, {0, 0, 3000000, 0, 0, 0, 0, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(computeSchedule15(c.in).items, c.expected) << c.name;
}

TEST(Schedule15, DifferencesBeyond32BitsFail) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    EXPECT_THROW(computeSchedule15({max, -1, 0, true}), Error);
    EXPECT_THROW(computeSchedule15({-max, 2, 0, true}), Error);
}

TEST(Schedule15, FixedLimitButtonCycle) {
    struct Case {
        const char *box;
        std::int32_t next;
    } cases[] = {
        {"", 3000000},        {" ", 3000000},       {"3000000", 4000000}, {"4000000", 0},
        {"0", 3000000},       {"2500000", 3500000}, {"3500000", 0},       {"3,000,000", 4000000},
        {"3000001", 4000001}, {"abc", 3000000},     {"-500000", 500000},  {"2147483647", 3000000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(nextFixedDeductionLimit(QString::fromUtf8(c.box)), c.next) << c.box;
}

} // namespace
} // namespace hz
