#include "core/errors.h"
#include "core/paths.h"
#include "schedules/core/capital.h"
#include "schedules/core/schedule5_1.h"
#include "tests/support/fixture.h"

#include <limits>
#include <map>
#include <utility>

namespace hz::test {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// A grid given by (row, column) → amount; every other cell 0.
using Grid = std::map<std::pair<int, int>, std::int32_t>;

Schedule5_1Input input(const Grid &g) {
    Schedule5_1Input in;
    for (const auto &[rc, v] : g)
        in.cells[schedule5_1Cell(rc.first, rc.second) - 1] = v;
    return in;
}

std::int32_t at(const Schedule5_1Cells &c, int r, int col) { return c[schedule5_1Cell(r, col) - 1]; }

TEST(Schedule5_1Compute, ColumnFiveAndTotals) {
    // 利益準備金 1,000,000 at the start; a named reserve moved 300,000 → 200,000;
    // 繰越損益金 5,000,000 → 5,800,000 (② copies ①, the new balance in ③);
    // 納税充当金 400,000 drawn, 450,000 added; unpaid taxes typed positive and negative.
    const Grid g = {{{1, 1}, 1000000},   {{2, 1}, 300000},  {{2, 2}, 100000},  {{9, 1}, 5000000}, {{9, 2}, 123},
                    {{9, 3}, 5800000},   {{10, 1}, 400000}, {{10, 2}, 400000}, {{10, 3}, 450000}, {{11, 1}, 1000},
                    {{11, 2}, -1000},    {{11, 3}, 2000},   {{11, 4}, 300000}, {{12, 4}, -50000}, {{13, 4}, 130000},
                    {{14, 1}, 99999999}, {{3, 5}, 777}};
    const Schedule5_1Cells c = computeSchedule5_1(input(g)).cells;

    EXPECT_EQ(at(c, 9, 2), 5000000) << "row 9 ② is row 9 ①, whatever was typed";
    // Unpaid taxes are stored as zero or less.
    EXPECT_EQ(at(c, 11, 1), -1000);
    EXPECT_EQ(at(c, 11, 2), -1000);
    EXPECT_EQ(at(c, 11, 3), -2000);
    EXPECT_EQ(at(c, 11, 4), -300000);
    EXPECT_EQ(at(c, 12, 4), -50000);
    EXPECT_EQ(at(c, 13, 4), -130000);
    // ⑤ = ① − ② + ③ + ④ per row; a typed ⑤ is ignored.
    EXPECT_EQ(at(c, 1, 5), 1000000);
    EXPECT_EQ(at(c, 2, 5), 200000);
    EXPECT_EQ(at(c, 3, 5), 0);
    EXPECT_EQ(at(c, 9, 5), 5800000);
    EXPECT_EQ(at(c, 10, 5), 450000);
    EXPECT_EQ(at(c, 11, 5), -1000 + 1000 - 2000 - 300000);
    // Row 14: column sums over rows 1-13 (what row 14 held is ignored), ⑤ again from the totals.
    EXPECT_EQ(at(c, 14, 1), 1000000 + 300000 + 5000000 + 400000 - 1000);
    EXPECT_EQ(at(c, 14, 2), 100000 + 5000000 + 400000 - 1000);
    EXPECT_EQ(at(c, 14, 3), 5800000 + 450000 - 2000);
    EXPECT_EQ(at(c, 14, 4), -300000 - 50000 - 130000);
    EXPECT_EQ(at(c, 14, 5), at(c, 14, 1) - at(c, 14, 2) + at(c, 14, 3) + at(c, 14, 4));
    std::int32_t sum5 = 0;
    for (int r = 1; r <= 13; ++r)
        sum5 += at(c, r, 5);
    EXPECT_EQ(at(c, 14, 5), sum5);

    const Schedule5_1Reconciliation rec = schedule5_1Reconciliation(c);
    EXPECT_EQ(rec.startTotal, at(c, 14, 1));
    EXPECT_EQ(rec.unpaidDisposal, -480000);
    EXPECT_EQ(rec.carriedTotal, at(c, 14, 5));
    EXPECT_EQ(rec.unpaidIncrease, -2000);
}

TEST(Schedule5_1Compute, OverflowIsAnError) {
    const Grid cases[] = {
        {{{1, 1}, kMax}, {{1, 3}, 1}},                  // a row's ⑤
        {{{1, 1}, 2000000000}, {{2, 1}, 2000000000}},   // a column total
        {{{1, 1}, -2000000000}, {{1, 2}, 2000000000}},  // ① − ② below the range
        {{{11, 1}, 2000000000}, {{12, 1}, 2000000000}}, // negated unpaid taxes summed
    };
    for (const Grid &g : cases)
        EXPECT_THROW(computeSchedule5_1(input(g)), Error);
    // The reconciliation sums are checked too.
    Schedule5_1Cells c{};
    c[schedule5_1Cell(11, 4) - 1] = -2000000000;
    c[schedule5_1Cell(12, 4) - 1] = -2000000000;
    EXPECT_THROW(schedule5_1Reconciliation(c), Error);
}

class Schedule5_1Files : public HzTest {};

TEST_F(Schedule5_1Files, RecordRoundTripAndShortRecord) {
    ensureDataRoot();
    Schedule5_1Record rec;
    for (int k = 1; k <= 70; ++k)
        rec.cells[k - 1] = k % 2 ? k * 1000 : -k;
    rec.rowNames = {"別途積立金", "", "a,b", "", "", "", "末"};
    writeSchedule5_1(7, rec);
    const QByteArray bytes = readFile(QStringLiteral("c:\\法人税\\別表\\10517.txt"));
    EXPECT_TRUE(bytes.startsWith(lines({"1000", "-2", "3000"})));
    EXPECT_TRUE(
        bytes.endsWith(lines({"69000", "-70", "\"別途積立金\"", "\"\"", "\"a,b\"", "\"\"", "\"\"", "\"\"", "\"末\""})));
    EXPECT_EQ(bytes.count("\r\n"), 77);
    const Schedule5_1Record back = readSchedule5_1(7);
    EXPECT_EQ(back.cells, rec.cells);
    EXPECT_EQ(back.rowNames, rec.rowNames);

    // 70 numbers and no names: the read fails at line 71.
    QStringList seventy;
    for (int k = 0; k < 70; ++k)
        seventy << "0";
    writeFile(schedule5_1Path(8), lines(seventy));
    EXPECT_THROW(readSchedule5_1(8), Error);
}

TEST_F(Schedule5_1Files, FinalUnpaidInhabitantTaxesAreLines48And72) {
    QStringList l;
    for (int k = 1; k <= 72; ++k)
        l << QString::number(k == 48 ? 50000 : k == 72 ? -130000 : k);
    writeFile(QStringLiteral("c:\\法人税\\別表\\10524.txt"), lines(l));
    const FinalUnpaidInhabitantTaxes t = readFinalUnpaidInhabitantTaxes(4);
    EXPECT_EQ(t.prefectural, 50000);
    EXPECT_EQ(t.municipal, -130000);
    l.removeLast();
    writeFile(QStringLiteral("c:\\法人税\\別表\\10524.txt"), lines(l));
    EXPECT_THROW(readFinalUnpaidInhabitantTaxes(4), Error);
}

CapitalInput capitalInput(std::initializer_list<std::pair<std::pair<int, int>, std::int32_t>> g) {
    CapitalInput in;
    for (const auto &[rc, v] : g)
        in.cells[capitalCell(rc.first, rc.second) - 1] = v;
    return in;
}

TEST(CapitalCompute, TotalsAndBalancesWithNegativeEntries) {
    CapitalInput in = capitalInput({{{1, 1}, 1000000},
                                    {{1, 2}, 200000},
                                    {{1, 3}, 50000},
                                    {{2, 1}, -300000},
                                    {{2, 3}, -20000},
                                    {{3, 2}, -5000},
                                    // computed cells: whatever they held is replaced
                                    {{1, 4}, 999},
                                    {{4, 1}, 999},
                                    {{4, 4}, 999}});
    const CapitalCells c = computeCapital(in).cells;
    auto at = [&](int r, int col) { return c[capitalCell(r, col) - 1]; };
    EXPECT_EQ(at(1, 4), 850000);
    EXPECT_EQ(at(2, 4), -320000);
    EXPECT_EQ(at(3, 4), 5000);
    EXPECT_EQ(at(4, 1), 700000);
    EXPECT_EQ(at(4, 2), 195000);
    EXPECT_EQ(at(4, 3), 30000);
    EXPECT_EQ(at(4, 4), 535000);
    EXPECT_EQ(at(4, 4), at(1, 4) + at(2, 4) + at(3, 4));
}

TEST(CapitalCompute, OverflowIsAnError) {
    EXPECT_THROW(computeCapital(capitalInput({{{1, 1}, kMax}, {{2, 1}, 1}})), Error);                 // total ①
    EXPECT_THROW(computeCapital(capitalInput({{{1, 1}, -2000000000}, {{1, 2}, 2000000000}})), Error); // ① − ②
    EXPECT_THROW(computeCapital(capitalInput({{{1, 3}, kMax}, {{1, 1}, 1}})), Error);                 // row ⑤
}

TEST_F(Schedule5_1Files, CapitalRecordLayout) {
    ensureDataRoot();
    Schedule5_1CapitalRecord rec;
    for (int k = 1; k <= 16; ++k)
        rec.cells[k - 1] = k == 3 ? -7 : k;
    rec.rowNames = {"その他資本剰余金", ""};
    writeSchedule5_1Capital(9, rec);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\1051資準9.txt")),
              lines({"1", "2", "-7", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
                     "\"その他資本剰余金\"", "\"\""}));
    const Schedule5_1CapitalRecord back = readSchedule5_1Capital(9);
    EXPECT_EQ(back.cells, rec.cells);
    EXPECT_EQ(back.rowNames, rec.rowNames);
}

} // namespace
} // namespace hz::test
