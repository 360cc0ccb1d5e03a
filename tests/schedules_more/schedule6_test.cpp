#include "core/errors.h"
#include "schedules/more/schedule6.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

namespace hz {
namespace {

Schedule6Issue issue(std::int32_t received, std::int32_t withheld, std::int32_t base, std::int32_t holding,
                     std::int32_t previousRatio = 0) {
    return Schedule6Issue{received, withheld, base, holding, previousRatio};
}

TEST(Schedule6, Ratio) {
    struct Case {
        const char *name;
        std::int32_t base, holding, previous, ratio;
    } cases[] = {
        {"five of twelve months: 0.41666 + 0.0009, rounded down", 12, 5, 0, 417},
        {"the whole base period", 12, 12, 0, 1000},
        {"half the base period", 12, 6, 0, 500},
        {"one of six months", 6, 1, 0, 167},
        {"no holding", 12, 0, 0, 0},
        {"a holding longer than the base credits no more than the whole", 12, 18, 0, 1000},
        {"no base period keeps the ratio held", 0, 5, 417, 417},
        {"no base period on a fresh window", 0, 5, 0, 0},
        {"a ratio held above the whole is brought back to it", 0, 5, 1500, 1000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(schedule6Ratio(c.base, c.holding, c.previous), c.ratio) << c.name;
}

TEST(Schedule6, Compute) {
    using Items = std::vector<std::pair<int, std::int32_t>>;
    struct Case {
        const char *name;
        Schedule6Input in;
        Items expected; // every item not named is 0
    } cases[] = {
        {"interest only: its whole withheld tax is credited",
         {100000, 15000, {}},
         {{1, 100000}, {2, 15000}, {3, 15000}, {7, 100000}, {8, 15000}, {9, 15000}}},
        {"one issue held five of twelve months",
         {0, 0, {issue(200000, 40000, 12, 5), {}}},
         {{4, 200000},
          {5, 16680},
          {6, 16680},
          {7, 200000},
          {8, 16680},
          {9, 16680},
          {10, 200000},
          {11, 40000},
          {12, 12},
          {13, 5},
          {14, 417},
          {15, 16680}}},
        {"both issues and interest add up; the credit of an issue rounds down",
         {50000, 7500, {issue(200000, 40001, 12, 5), issue(100000, 20000, 12, 12)}},
         {{1, 50000},  {2, 7500},    {3, 7500},    {4, 300000}, {5, 36680}, {6, 36680}, {7, 350000},
          {8, 44180},  {9, 44180},   {10, 200000}, {11, 40001}, {12, 12},   {13, 5},    {14, 417},
          {15, 16680}, {16, 100000}, {17, 20000},  {18, 12},    {19, 12},   {20, 1000}, {21, 20000}}},
        {"a holding longer than the base credits the withheld tax, not more",
         {0, 0, {Schedule6Issue{}, issue(90000, 18000, 6, 12)}},
         {{4, 90000},
          {5, 18000},
          {6, 18000},
          {7, 90000},
          {8, 18000},
          {9, 18000},
          {16, 90000},
          {17, 18000},
          {18, 6},
          {19, 12},
          {20, 1000},
          {21, 18000}}},
        {"no base period: the ratio held stands",
         {0, 0, {issue(100000, 20000, 0, 7, 500), {}}},
         {{4, 100000},
          {5, 10000},
          {6, 10000},
          {7, 100000},
          {8, 10000},
          {9, 10000},
          {10, 100000},
          {11, 20000},
          {13, 7},
          {14, 500},
          {15, 10000}}},
        {"an issue row left empty keeps no ratio of the issue it held",
         {0, 0, {issue(100000, 20000, 12, 12), issue(0, 0, 0, 0, 500)}},
         {{4, 100000},
          {5, 20000},
          {6, 20000},
          {7, 100000},
          {8, 20000},
          {9, 20000},
          {10, 100000},
          {11, 20000},
          {12, 12},
          {13, 12},
          {14, 1000},
          {15, 20000}}},
        {"a withheld tax above 2,147,483 yen at the full ratio",
         {0, 0, {issue(15000000, 3000000, 12, 12), {}}},
         {{4, 15000000},
          {5, 3000000},
          {6, 3000000},
          {7, 15000000},
          {8, 3000000},
          {9, 3000000},
          {10, 15000000},
          {11, 3000000},
          {12, 12},
          {13, 12},
          {14, 1000},
          {15, 3000000}}},
    };
    for (const Case &c : cases) {
        Schedule6Items expected{};
        for (auto [item, value] : c.expected)
            expected[item] = value;
        EXPECT_EQ(computeSchedule6(c.in).items, expected) << c.name;
    }
}

TEST(Schedule6, SumsBeyond32BitsFail) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const Schedule6Input cases[] = {
        {max, 0, {issue(1, 0, 12, 12), {}}},                    // 計 収入金額
        {0, 0, {issue(max, 0, 12, 12), issue(1, 0, 12, 12)}},   // 利益の配当 収入金額
        {0, max, {issue(0, 1, 12, 12), {}}},                    // 計 所得税額
        {0, 0, {issue(0, max, 12, 12), issue(0, max, 12, 12)}}, // the two credits
    };
    for (const Schedule6Input &in : cases)
        EXPECT_THROW(computeSchedule6(in), Error);
}

} // namespace
} // namespace hz
