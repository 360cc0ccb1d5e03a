#include "core/errors.h"
#include "core/paths.h"
#include "schedules/core/schedule4.h"
#include "tests/support/fixture.h"

#include <map>

namespace hz::test {
namespace {

using Cells = std::map<int, std::int32_t>;

// One named case: the cells read from the window, and every cell the computation must change. Cells named in
// neither must come out as they went in (0 unless given), so a stray write into another cell fails the case.
struct ComputeCase {
    const char *name;
    Cells in;
    Cells out;
    std::array<bool, 4> unbalanced{};
};

const ComputeCase computeCases[] = {
    {"profit wholly retained",
     {{1, 1'000'000}, {2, 1'000'000}},
     {{37, 1'000'000}, {38, 1'000'000}, {42, 1'000'000}, {43, 1'000'000}, {52, 1'000'000}, {53, 1'000'000}}},
    {"part of the profit paid out",
     {{1, 1'000'000}, {2, 800'000}},
     {{3, 200'000},
      {37, 1'000'000},
      {38, 800'000},
      {39, 200'000},
      {42, 1'000'000},
      {43, 800'000},
      {44, 200'000},
      {52, 1'000'000},
      {53, 800'000},
      {54, 200'000}}},
    {"additions: taxes charged to expense are retained, 附帯税 and 交際費 flow out",
     {{4, 100'000}, {6, 20'000}, {8, 3'000}, {10, 400'000}, {12, 5'000}, {15, 60'000}},
     {{5, 100'000},
      {7, 20'000},
      {9, 3'000},
      {11, 400'000},
      {14, 5'000},
      {16, 60'000},
      {23, 588'000},
      {24, 523'000},
      {25, 65'000},
      {37, 588'000},
      {38, 523'000},
      {39, 65'000},
      {42, 588'000},
      {43, 523'000},
      {44, 65'000},
      {52, 588'000},
      {53, 523'000},
      {54, 65'000}}},
    {"deductions: 事業税 retained, 所得税等の繰戻 through ※ only",
     {{1, 1'000'000}, {2, 1'000'000}, {26, 30'000}, {28, 50'000}, {31, 10'000}, {32, 6'000}, {33, 4'000}},
     {{27, 30'000},
      {30, 50'000},
      {34, 90'000},
      {35, 36'000},
      {36, 4'000},
      {50, 50'000},
      {37, 910'000},
      {38, 964'000},
      {39, -4'000},
      {51, -50'000},
      {42, 910'000},
      {43, 964'000},
      {44, -4'000},
      {55, -50'000},
      {52, 910'000},
      {53, 964'000},
      {54, -4'000},
      {56, -50'000}}},
    {"控除所得税額 added back and flowing out",
     {{1, 500'000}, {2, 500'000}, {40, 12'345}},
     {{41, 12'345},
      {37, 500'000},
      {38, 500'000},
      {42, 512'345},
      {43, 500'000},
      {44, 12'345},
      {52, 512'345},
      {53, 500'000},
      {54, 12'345}}},
    {"loss deduction limited by the income",
     {{1, 600'000}, {2, 600'000}, {57, 1'000'000}},
     {{37, 600'000},
      {38, 600'000},
      {42, 600'000},
      {43, 600'000},
      {48, 600'000},
      {49, 600'000},
      {52, 0},
      {53, 600'000},
      {56, -600'000}}},
    {"loss deduction limited by the loss available",
     {{1, 1'000'000}, {2, 1'000'000}, {57, 300'000}},
     {{37, 1'000'000},
      {38, 1'000'000},
      {42, 1'000'000},
      {43, 1'000'000},
      {48, 300'000},
      {49, 300'000},
      {52, 700'000},
      {53, 1'000'000},
      {56, -300'000}}},
    {"a loss of the year takes no deduction",
     {{1, -300'000}, {2, -300'000}, {57, 1'000'000}},
     {{37, -300'000}, {38, -300'000}, {42, -300'000}, {43, -300'000}, {52, -300'000}, {53, -300'000}}},
    {"a negative loss available takes no deduction",
     {{1, 500'000}, {2, 500'000}, {57, -100}},
     {{37, 500'000}, {38, 500'000}, {42, 500'000}, {43, 500'000}, {52, 500'000}, {53, 500'000}}},
    {"an unbalanced free line is flagged and counted as typed",
     {{17, 100'000}, {18, 60'000}, {19, 30'000}, {45, 9'000}, {46, 9'000}},
     {{23, 100'000},
      {24, 60'000},
      {25, 30'000},
      {34, 9'000},
      {35, 9'000},
      {37, 91'000},
      {38, 51'000},
      {39, 30'000},
      {42, 91'000},
      {43, 51'000},
      {44, 30'000},
      {52, 91'000},
      {53, 51'000},
      {54, 30'000}},
     {true, false, false, false}},
    {"free lines 10 and 17 unbalanced",
     {{20, 1}, {31, 5}, {33, 4}},
     {{23, 1}, {34, 5}, {36, 4}, {37, -4}, {39, -4}, {42, -4}, {44, -4}, {52, -4}, {54, -4}},
     {false, true, true, false}},
    {"the 別表五（一） totals and the last difference travel unchanged",
     {{58, 5'000'000}, {59, -400'000}, {60, 5'300'000}, {61, -300'000}, {62, -100'000}},
     {}},
    {"社外流出 of line 1 beyond 32 bits shows nothing",
     {{1, 2'000'000'000}, {2, -2'000'000'000}},
     {{3, 0},
      {37, 2'000'000'000},
      {38, -2'000'000'000},
      {42, 2'000'000'000},
      {43, -2'000'000'000},
      {48, 0},
      {52, 2'000'000'000},
      {53, -2'000'000'000}}},
};

void PrintTo(const ComputeCase &c, std::ostream *os) { *os << c.name; }

class Schedule4Compute : public ::testing::TestWithParam<ComputeCase> {};

TEST_P(Schedule4Compute, Cells) {
    const ComputeCase &c = GetParam();
    Schedule4Input in;
    for (auto [cell, v] : c.in)
        in.cells[cell] = v;
    const Schedule4Result r = computeSchedule4(in);
    for (int cell = 0; cell < kIncomeCellCount; ++cell) {
        std::int32_t want = 0;
        if (auto o = c.out.find(cell); o != c.out.end())
            want = o->second;
        else if (auto i = c.in.find(cell); i != c.in.end())
            want = i->second;
        EXPECT_EQ(r.cells[cell], want) << "cell " << cell;
    }
    EXPECT_EQ(r.unbalanced, c.unbalanced);
}

INSTANTIATE_TEST_SUITE_P(Table, Schedule4Compute, ::testing::ValuesIn(computeCases),
                         [](const auto &info) { return "case" + std::to_string(info.index); });

// When every free line balances, 総額 = 留保 + 社外流出 + ※ on lines 22, 35 and 38.
TEST(Schedule4ComputeBalance, TotalsSplitIntoTheirColumns) {
    Schedule4Input in;
    const Cells typed = {{1, 3'000'000}, {2, 2'500'000}, {4, 400'000}, {6, 70'000},    {8, 1'000},   {10, 600'000},
                         {12, 2'000},    {15, 90'000},   {17, 10'000}, {18, 10'000},   {26, 80'000}, {28, 7'000},
                         {31, 5'000},    {33, 5'000},    {40, 15'000}, {57, 2'000'000}};
    for (auto [cell, v] : typed)
        in.cells[cell] = v;
    const IncomeCells c = computeSchedule4(in).cells;
    EXPECT_EQ(c[37], c[38] + c[39] + c[51]);
    EXPECT_EQ(c[42], c[43] + c[44] + c[55]);
    EXPECT_EQ(c[52], c[53] + c[54] + c[56]);
    EXPECT_EQ(c[48], 2'000'000);
}

TEST(Schedule4ComputeOverflow, ASumBeyond32BitsFails) {
    const Cells cases[] = {
        {{4, 2'000'000'000}, {6, 2'000'000'000}},                        // two additions (line 11 総額)
        {{26, 2'000'000'000}, {31, 2'000'000'000}},                      // two deductions (line 21 総額)
        {{18, 2'000'000'000}, {19, 2'000'000'000}},                      // the balance check of a free line
        {{1, -2'000'000'000}, {2, -2'000'000'000}, {26, 2'000'000'000}}, // 仮計 = 1 + 11 − 21
        {{1, 2'000'000'000}, {2, 2'000'000'000}, {40, 2'000'000'000}},   // 合計 = 仮計 + 控除所得税額
    };
    for (const Cells &typed : cases) {
        Schedule4Input in;
        for (auto [cell, v] : typed)
            in.cells[cell] = v;
        try {
            computeSchedule4(in);
            ADD_FAILURE() << "no overflow for a case starting at cell " << typed.begin()->first;
        } catch (const Error &e) {
            EXPECT_EQ(e.description(), Error::overflow().description());
        }
    }
}

TEST(Schedule4Reconciliation, DifferenceAndVerdict) {
    struct Case {
        const char *name;
        std::int32_t closing;
        std::int32_t difference;
        const char *verdict;
    } cases[] = {
        {"agree", 5'300'000, 0, "別四と別五は  OK"},
        {"next year's start short", 5'200'000, -100'000, "ミス -100,000円"},
        {"next year's start over", 6'534'567, 1'234'567, "ミス 1,234,567円"},
    };
    for (const Case &c : cases) {
        // 5,000,000 + 1,000,000 − 400,000 − 300,000 = 5,300,000
        const std::int32_t d = reconciliationDifference({.openingTotal = 5'000'000,
                                                         .unpaidDisposal = -400'000,
                                                         .closingTotal = c.closing,
                                                         .unpaidIncrease = -300'000,
                                                         .retainedIncome = 1'000'000});
        EXPECT_EQ(d, c.difference) << c.name;
        EXPECT_EQ(reconciliationVerdict(d), QString::fromUtf8(c.verdict)) << c.name;
    }
    EXPECT_THROW(reconciliationDifference({.openingTotal = 2'000'000'000, .retainedIncome = 2'000'000'000}), Error);
    EXPECT_THROW(reconciliationDifference({.closingTotal = -2'000'000'000, .retainedIncome = 2'000'000'000}), Error);
}

class Schedule4RecordFile : public HzTest {};

TEST_F(Schedule4RecordFile, RoundTripSkipsCells13And29) {
    ensureDataRoot();
    Schedule4Record rec;
    for (int c = 1; c < kIncomeCellCount; ++c)
        rec.cells[c] = (c == 13 || c == 29) ? 0 : c * 1000 - 31'000;
    rec.names = {QStringLiteral("寄附金"), QStringLiteral("　"), QStringLiteral("受取配当"), QStringLiteral(" ")};
    writeSchedule4(7, rec);

    QStringList expected;
    for (int c = 1; c <= 62; ++c)
        if (c != 13 && c != 29)
            expected << QString::number(c * 1000 - 31'000);
    expected << QStringLiteral("\"寄附金\"") << QStringLiteral("\"　\"") << QStringLiteral("\"受取配当\"")
             << QStringLiteral("\" \"");
    for (int i = 1; i <= 12; ++i)
        expected << QStringLiteral("\"予備%1\"").arg(i);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\10407.txt")), lines(expected));

    const Schedule4Record back = readSchedule4(7);
    EXPECT_EQ(back.cells, rec.cells);
    EXPECT_EQ(back.names, rec.names);
}

TEST_F(Schedule4RecordFile, ReadsTheRolloverFormWithoutTailAndRefusesAShortFile) {
    QStringList rollover;
    for (int i = 0; i < 60; ++i)
        rollover << QStringLiteral("0");
    rollover << QStringLiteral("\"寄附金\"") << QStringLiteral("\"\"") << QStringLiteral("\"\"")
             << QStringLiteral("\"雑損失\"");
    writeFile(QStringLiteral("c:\\法人税\\別表\\10403.txt"), lines(rollover));
    const Schedule4Record rec = readSchedule4(3);
    EXPECT_EQ(rec.cells, IncomeCells{});
    EXPECT_EQ(rec.names[0], QStringLiteral("寄附金"));
    EXPECT_EQ(rec.names[3], QStringLiteral("雑損失"));

    rollover.removeLast();
    writeFile(QStringLiteral("c:\\法人税\\別表\\10403.txt"), lines(rollover));
    EXPECT_THROW(readSchedule4(3), Error);
    EXPECT_THROW(readSchedule4(4), Error); // no record at all
}

} // namespace
} // namespace hz::test
