#include "core/errors.h"
#include "schedules/more/schedule7.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace hz {
namespace {

using Items = std::vector<std::pair<int, std::int32_t>>;

Schedule7Items itemsOf(const Items &values) {
    Schedule7Items v{};
    for (auto [item, value] : values)
        v[item] = value;
    return v;
}

// Items by row, oldest first: outstanding 33 32 1 3 6 9 12, deducted 35 34 2 4 7 10 13, carried - 37 36 5 8 11 14.
TEST(Schedule7, Compute) {
    struct Case {
        const char *name;
        std::int32_t year, income;
        Items held;     // the panel's items before the compute: outstanding amounts, deductions kept
        Items expected; // the record's items; every one not named is 0
    } cases[] = {
        {"the income absorbs part of the 1st year's loss",
         20,
         600000,
         {{12, 1000000}},
         {{12, 1000000}, {13, 600000}, {14, 400000}, {15, 1000000}, {16, 600000}, {17, 400000}, {23, 400000}}},
        {"oldest first; what the 7th year does not use lapses",
         20,
         50000,
         {{33, 100000}, {12, 500000}},
         {{33, 100000},
          {35, 50000},
          {12, 500000},
          {14, 500000},
          {15, 600000},
          {16, 50000},
          {17, 500000},
          {23, 500000}}},
        {"the income runs out part-way down the rows",
         20,
         150000,
         {{1, 100000}, {3, 100000}, {6, 100000}},
         {{1, 100000},
          {2, 100000},
          {3, 100000},
          {4, 50000},
          {5, 50000},
          {6, 100000},
          {8, 100000},
          {15, 300000},
          {16, 150000},
          {17, 150000},
          {23, 150000}}},
        {"an income above every loss deducts them all",
         17,
         9000000,
         {{33, 10}, {32, 20}, {1, 30}, {3, 40}, {6, 50}, {9, 60}, {12, 70}},
         {{33, 10},
          {35, 10},
          {32, 20},
          {34, 20},
          {1, 30},
          {2, 30},
          {3, 40},
          {4, 40},
          {6, 50},
          {7, 50},
          {9, 60},
          {10, 60},
          {12, 70},
          {13, 70},
          {15, 280},
          {16, 280}}},
        {"a loss year deducts nothing and adds its loss to what is carried",
         20,
         -250000,
         {{33, 5000}, {32, 10000}, {1, 20000}, {12, 30000}, {35, 5000}, {13, 30000}},
         {{33, 5000},
          {32, 10000},
          {37, 10000},
          {1, 20000},
          {36, 20000},
          {12, 30000},
          {14, 30000},
          {15, 65000},
          {17, 60000},
          {20, 250000},
          {23, 310000}}},
        {"no income: no deduction, no loss",
         20,
         0,
         {{12, 30000}, {13, 30000}},
         {{12, 30000}, {14, 30000}, {15, 30000}, {17, 30000}, {23, 30000}}},
        {"start year 18: the 7th and 6th years are out; they still count as outstanding",
         18,
         1000000,
         {{33, 100000}, {32, 200000}, {1, 300000}},
         {{33, 100000},
          {32, 200000},
          {37, 200000},
          {1, 300000},
          {2, 300000},
          {15, 600000},
          {16, 300000},
          {17, 200000},
          {23, 200000}}},
        {"start year 18: a deduction kept on an older row counts against the income",
         18,
         500000,
         {{33, 400000}, {35, 400000}, {1, 300000}},
         {{33, 400000},
          {35, 400000},
          {1, 300000},
          {2, 100000},
          {36, 200000},
          {15, 700000},
          {16, 500000},
          {17, 200000},
          {23, 200000}}},
        {"start year 18: a kept deduction above the income leaves nothing for the newer rows",
         18,
         100000,
         {{33, 400000}, {35, 400000}, {1, 300000}},
         {{33, 400000},
          {35, 400000},
          {1, 300000},
          {36, 300000},
          {15, 700000},
          {16, 400000},
          {17, 300000},
          {23, 300000}}},
        {"start year 19: only the 7th year is out",
         19,
         220000,
         {{33, 100000}, {32, 200000}, {12, 50000}},
         {{33, 100000},
          {32, 200000},
          {34, 200000},
          {12, 50000},
          {13, 20000},
          {14, 30000},
          {15, 350000},
          {16, 220000},
          {17, 30000},
          {23, 30000}}},
        {"the deducted total never passes the outstanding total",
         18,
         1000,
         {{33, 100}, {35, 500}},
         {{33, 100}, {35, 500}, {15, 100}, {16, 100}}},
        {"a deduction held for a row with nothing outstanding is dropped",
         20,
         1000,
         {{13, 999}, {34, 5}, {9, 10}},
         {{9, 10}, {10, 10}, {15, 10}, {16, 10}}},
        {"a negative outstanding amount deducts nothing but lowers the totals",
         20,
         1000,
         {{3, -100}, {12, 500}},
         {{3, -100}, {5, -100}, {12, 500}, {13, 500}, {15, 400}, {16, 400}, {17, -100}, {23, -100}}},
    };
    for (const Case &c : cases) {
        Schedule7Input in;
        in.periodStartYear = c.year;
        in.income = c.income;
        in.items = itemsOf(c.held);
        const Schedule7Items got = computeSchedule7(in).items;
        const Schedule7Items expected = itemsOf(c.expected);
        for (int item : schedule7RecordItems)
            EXPECT_EQ(got[item], expected[item]) << c.name << ", item " << item;
    }
}

TEST(Schedule7, SumsBeyond32BitsFail) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
    struct Case {
        const char *name;
        std::int32_t income;
        Items held;
    } cases[] = {
        {"outstanding total", 0, {{1, max}, {3, 1}}},
        {"a loss that has no positive counterpart", min, {}},
        {"carried plus this year's loss", -1, {{12, max}}},
    };
    for (const Case &c : cases) {
        Schedule7Input in;
        in.periodStartYear = 20;
        in.income = c.income;
        in.items = itemsOf(c.held);
        EXPECT_THROW(computeSchedule7(in), Error) << c.name;
    }
}

} // namespace
} // namespace hz
