#include "core/errors.h"
#include "core/paths.h"
#include "schedules/more/schedule5_2.h"
#include "tests/support/fixture.h"

#include <limits>
#include <map>
#include <optional>

namespace hz::test {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// Cells given by number; every other cell 0.
using Cells = std::map<int, std::int32_t>;

Schedule5_2Cells grid(const Cells &given) {
    Schedule5_2Cells c{};
    for (const auto &[k, v] : given)
        cellAt(c, k) = v;
    return c;
}

Schedule5_2Part2Values part2(const Cells &given) {
    Schedule5_2Part2Values v{};
    for (const auto &[k, x] : given)
        v[k] = x;
    return v;
}

bool overflows(const std::function<void()> &f) {
    try {
        f();
    } catch (const Error &e) {
        return e.description() == Error::overflow().description();
    }
    return false;
}

// ---- the first window's grid ----

TEST(Schedule5_2Compute, CompletesEveryCellOfTheGrid) {
    struct Case {
        const char *name;
        Cells in;
        Cells out; // every cell of the result; the ones not named must be 0
    } cases[] = {
        {"levy preset 18万円",
         {{44, 50000}, {68, 130000}},
         {{44, 50000}, {48, 50000}, {50, 50000}, {54, 50000}, {68, 130000}, {72, 130000}, {74, 130000}, {78, 130000}}},
        {"corporate tax of last year paid and expensed",
         {{1, 100000}, {5, 100000}},
         {{1, 100000}, {5, 100000}, {19, 100000}, {23, 100000}}},
        {"negative final corporate tax", {{14, -5000}}, {{14, -5000}, {18, -5000}, {20, -5000}, {24, -5000}}},
        {"⑥ = ① + ② − ③ − ④ − ⑤ in every row of the prefectural block",
         {{25, 1000},
          {27, 100},
          {28, 200},
          {29, 300},
          {32, 50},
          {35, 50},
          {38, 900},
          {39, 100},
          {40, 300},
          {41, 400},
          {44, 700}},
         {{25, 1000}, {27, 100},  {28, 200}, {29, 300}, {30, 400}, {32, 50},  {35, 50},
          {38, 900},  {39, 100},  {40, 300}, {41, 400}, {42, 100}, {44, 700}, {48, 700},
          {49, 1000}, {50, 1650}, {51, 200}, {52, 500}, {53, 750}, {54, 1200}}},
        {"cells without a box count like the others",
         {{2, 7}, {13, 5}, {61, 4}, {71, 3}},
         {{2, 7},
          {6, 7},
          {13, 5},
          {18, 5},
          {19, 5},
          {20, 7},
          {24, 12},
          {61, 4},
          {66, 4},
          {71, 3},
          {72, -3},
          {73, 4},
          {77, 3},
          {78, 1}}},
        {"a typed 計 and ⑥ are recomputed",
         {{6, 999}, {19, 999}, {78, 999}, {55, 10}},
         {{55, 10}, {60, 10}, {73, 10}, {78, 10}}},
    };
    for (const Case &c : cases) {
        const Schedule5_2Cells got = computeSchedule5_2(grid(c.in));
        EXPECT_EQ(got, grid(c.out)) << c.name;
    }
}

TEST(Schedule5_2Compute, SumsOutside32BitsOverflow) {
    const Cells cases[] = {
        {{1, kMax}, {2, 1}},      // ⑥ of a row
        {{3, kMin}},              // ① − ③
        {{1, kMax}, {7, 1}},      // 計 ①, through a cell without a box
        {{62, kMax}, {68, kMax}}, // 市民税 計 ②
    };
    for (const Cells &c : cases)
        EXPECT_TRUE(overflows([&] { computeSchedule5_2(grid(c)); }));
}

TEST(Schedule5_2Compute, FiguresPassedOn) {
    // 利子割 ② and ⑤ 3,000, 県民税 計 ⑤ 48,000 (with 前期 ⑤ 45,000), 市民税 計 ⑤ 90,000; 法人税 計 ⑤ 70,000.
    const Schedule5_2Cells c = computeSchedule5_2(grid({{29, 45000},
                                                        {32, 3000},
                                                        {35, 3000},
                                                        {59, 90000},
                                                        {5, 70000},
                                                        // 計 ③ 10,000, 2,000 and 3,000
                                                        {3, 10000},
                                                        {27, 2000},
                                                        {57, 3000}}));
    const Schedule5_2ToSchedule4 s4 = schedule5_2ToSchedule4(c);
    EXPECT_EQ(s4.corporateTax, 70000);
    EXPECT_EQ(s4.inhabitantTaxes, 135000);
    EXPECT_EQ(s4.interestLevy, 3000);
    EXPECT_EQ(schedule5_2Reversal(c), 15000);
}

TEST(Schedule5_2Compute, UnpaidRowsOfSchedule5_1) {
    // Each tax: last year's balance, an interim payment and a final amount, paid in every way.
    Schedule5_2Cells in = grid({// 法人税: 前期 ① 1,000 ③ 600 ④ 300 ⑤ 100; 中間 ② 5,000 ③ 1,000 ⑤ 4,000; 確定 ② 8,000
                                {1, 1000},
                                {3, 600},
                                {4, 300},
                                {5, 100},
                                {8, 5000},
                                {9, 1000},
                                {11, 4000},
                                {14, 8000},
                                // 確定 ③ has no box but counts: it is taken back out of ②
                                {15, 50},
                                // 県民税: 前期 ① 200 ⑤ 200; 利子割 ② 30; 中間 ② 700 ④ 700; 確定 ② 900
                                {25, 200},
                                {29, 200},
                                {32, 30},
                                {38, 700},
                                {40, 700},
                                {44, 900},
                                // 市民税: 前期 ① 400 ③ 400; 中間 ② 1,500 ⑤ 1,500; 確定 ② 2,000
                                {55, 400},
                                {57, 400},
                                {62, 1500},
                                {65, 1500},
                                {68, 2000}});
    const Schedule5_2Unpaid u = schedule5_2Unpaid(computeSchedule5_2(in));
    // ① 計 ①; ② 計 ④ + ③ + ⑤ − 確定 ③; ③ 中間 ② (+ 利子割 ②); ④ 計 ⑥.
    EXPECT_EQ(u.corporate, (std::array<std::int32_t, 4>{1000, 300 + 1650 + 4100 - 50, 5000, 7950}));
    EXPECT_EQ(u.prefectural, (std::array<std::int32_t, 4>{200, 700 + 0 + 200, 730, 930}));
    EXPECT_EQ(u.municipal, (std::array<std::int32_t, 4>{400, 400 + 1500, 1500, 2000}));

    // Interim payments above the final taxes: the inhabitant taxes' refunds due leave nothing unpaid.
    const Schedule5_2Unpaid refund = schedule5_2Unpaid(computeSchedule5_2(grid({{38, 700}, {41, 1000}, // 県民税 中間
                                                                                 {62, 1500}, {65, 1500},
                                                                                 {71, 500}}))); // 市民税 確定 ⑤
    EXPECT_EQ(refund.prefectural[3], 0); // 計 ⑥ -300
    EXPECT_EQ(refund.municipal[3], 0);   // 計 ⑥ -500
}

// ---- the second window's grid ----

TEST(Schedule5_2Part2Compute, CompletesRowsAndProvision) {
    struct Case {
        const char *name;
        Cells in;
        Cells out;
    } cases[] = {
        {"enterprise tax rows",
         {{1, 100}, {2, 300}, {3, 50}, {5, 250}, {8, 200}, {10, 120}, {11, 80}},
         {{1, 100},
          {2, 300},
          {3, 50},
          {5, 250},
          {6, 100},
          {8, 200},
          {10, 120},
          {11, 80},
          {13, 100},
          {14, 500},
          {15, 50},
          {16, 120},
          {17, 330},
          {18, 100},
          // row 3 ③ is drawn from the provision
          {70, -50}}},
        {"a typed interim ① is dropped; typed totals are recomputed", {{7, 999}, {13, 5}, {18, 5}, {6, 5}}, {}},
        {"provision",
         // 期首 1,000,000, 損金算入 600,000, 前期 ③ 400,000, the corporate and inhabitant draw-down 300,000
         {{67, 1000000}, {68, 600000}, {3, 400000}, {69, 300000}},
         {{67, 1000000},
          {68, 600000},
          {3, 400000},
          {6, -400000},
          {15, 400000},
          {13, 0},
          {18, -400000},
          {69, 300000},
          {70, 900000}}},
        {"every ③ of rows 3-11 is drawn down, negative 期末",
         {{21, 1}, {27, 2}, {33, 4}, {39, 8}, {45, 16}, {51, 32}, {57, 64}, {63, 128}, {69, 256}},
         {{21, 1},
          {24, -1},
          {27, 2},
          {30, -2},
          {33, 4},
          {36, -4},
          {39, 8},
          {42, -8},
          {45, 16},
          {48, -16},
          {51, 32},
          {54, -32},
          {57, 64},
          {60, -64},
          {63, 128},
          {66, -128},
          {69, 256},
          {70, -511}}},
        {"⑥ = ② + ① − ③ − ④ − ⑤ in rows 4-11",
         {{19, 1000}, {20, 500}, {21, 100}, {22, 200}, {23, 300}, {62, 40}, {65, 40}},
         {{19, 1000}, {20, 500}, {21, 100}, {22, 200}, {23, 300}, {24, 900}, {62, 40}, {65, 40}, {70, -100}}},
    };
    for (const Case &c : cases) {
        const Schedule5_2Part2Values got = computeSchedule5_2Part2(part2(c.in));
        EXPECT_EQ(got, part2(c.out)) << c.name;
    }
    EXPECT_EQ(provisionDrawDown(part2({{15, 400000}, {69, 300000}, {3, 5}})), 700000) << "row 1's ③ counts via row 3";
}

TEST(Schedule5_2Part2Compute, SumsOutside32BitsOverflow) {
    const Cells cases[] = {
        {{1, kMax}, {2, 1}},     // 前期 ⑥
        {{8, kMin + 1}, {9, 2}}, // 中間 ⑥
        {{2, kMax}, {8, 1}},     // 計 ②
        {{20, kMax}, {19, 1}},   // row 4 ⑥
        {{67, kMax}, {68, 1}},   // 期首 + 損金算入
        {{69, kMax}, {63, 1}},   // draw-down
        {{67, kMin}, {69, 1}},   // 期末
    };
    for (const Cells &c : cases)
        EXPECT_TRUE(overflows([&] { computeSchedule5_2Part2(part2(c)); })) << c.begin()->first;
}

TEST(Schedule5_2Part2Compute, TaxesAndDuesTotal) {
    // ⑤ of rows 3-11 and the three taxes of the first window; row 1 and 2's ⑤ only through row 3.
    Schedule5_2Part2Values v = part2({{5, 1},
                                      {11, 2},
                                      {17, 10},
                                      {23, 20},
                                      {29, 40},
                                      {35, 80},
                                      {41, 160},
                                      {47, 320},
                                      {53, 640},
                                      {59, 1280},
                                      {65, 2560},
                                      {22, 99999}});
    EXPECT_EQ(taxesAndDuesTotal(v, 100000, 20000, 3000), 123000 + 5110);
    EXPECT_EQ(v[71], 100000);
    EXPECT_EQ(v[72], 20000);
    EXPECT_EQ(v[73], 3000);
    EXPECT_EQ(v[76], 128110);

    Schedule5_2Part2Values zero{};
    EXPECT_EQ(taxesAndDuesTotal(zero, 0, 0, 0), 0);
    Schedule5_2Part2Values negative = part2({{17, -500}});
    EXPECT_EQ(taxesAndDuesTotal(negative, 0, 0, 200), -300);
    Schedule5_2Part2Values big = part2({{65, kMax}});
    EXPECT_TRUE(overflows([&] { taxesAndDuesTotal(big, 0, 1, 0); }));
}

// ---- records ----

class Schedule5_2Records : public HzTest {};

TEST_F(Schedule5_2Records, ReadBackAndShortFilesFail) {
    ensureDataRoot();
    Schedule5_2Cells cells{};
    for (int k = 1; k <= 78; ++k)
        cellAt(cells, k) = k % 2 ? k * 1000 : -k;
    writeSchedule5_2File(12, cells);
    EXPECT_EQ(readSchedule5_2File(12), cells);
    QStringList text;
    for (std::int32_t v : cells)
        text << QString::number(v);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\105212.txt")), lines(text));

    writeFile(QStringLiteral("c:\\法人税\\別表\\105213.txt"), lines(text.mid(0, 77)));
    EXPECT_THROW(readSchedule5_2File(13), Error);
    EXPECT_THROW(readSchedule5_2File(14), Error);

    Schedule5_2Part2Record rec;
    rec.cells[66] = 123;
    rec.rowNames = {QStringLiteral("印紙税外"), QString(), QStringLiteral("源泉所得税"), QStringLiteral("x")};
    writeSchedule5_2Part2File(12, rec);
    const Schedule5_2Part2Record back = readSchedule5_2Part2File(12);
    EXPECT_EQ(back.cells, rec.cells);
    EXPECT_EQ(back.rowNames, rec.rowNames);
    QStringList names = QStringList(70, QStringLiteral("0"));
    names[66] = QStringLiteral("123");
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\105312.txt")),
              lines(names + QStringList{"\"印紙税外\"", "\"\"", "\"源泉所得税\"", "\"x\""}));
    writeFile(QStringLiteral("c:\\法人税\\別表\\105313.txt"), lines(names + QStringList{"\"a\"", "\"b\"", "\"c\""}));
    EXPECT_THROW(readSchedule5_2Part2File(13), Error);
}

} // namespace
} // namespace hz::test
