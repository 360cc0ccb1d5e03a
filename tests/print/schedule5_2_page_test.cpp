#include "core/errors.h"
#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("別五（二）");
// The header block is the shared one; its own captions are not this page's to place.
const QStringList headerCaptions = {QStringLiteral("事　業"), QStringLiteral("年　度")};

// A small company's year 平成19·4·1 to 20·3·31, its taxes paid as a company of its size pays them.
PrintData sampleCompany() {
    PrintData d;
    d.companyTexts[2] = QStringLiteral("株式会社山田商店");
    d.companyNumbers[3] = 19;
    d.companyNumbers[4] = 4;
    d.companyNumbers[5] = 1;
    d.companyNumbers[6] = 20;
    d.companyNumbers[7] = 3;
    d.companyNumbers[8] = 31;
    const std::array<std::array<std::int32_t, 6>, 13> taxes = {{
        {530000, 0, 530000, 0, 0, 0}, // 法人税 前期
        {0, 260000, 0, 260000, 0, 0}, // 中間
        {0, 410000, 0, 0, 0, 410000}, // 確定
        {530000, 670000, 530000, 260000, 0, 410000},
        {98000, 0, 98000, 0, 0, 0}, // 道府県民税 前期
        {0, 1200, 0, 0, 1200, 0},   // 利子割
        {0, 46000, 0, 46000, 0, 0}, // 中間
        {0, 74000, 0, 0, 0, 74000}, // 確定
        {98000, 121200, 98000, 46000, 1200, 74000},
        {190000, 0, 190000, 0, 0, 0}, // 市町村民税 前期
        {0, 88000, 0, 88000, 0, 0},   // 中間
        {0, 143000, 0, 0, 0, 143000}, // 確定
        {190000, 231000, 190000, 88000, 0, 143000},
    }};
    for (int r = 0; r < 13; ++r)
        for (int c = 0; c < 6; ++c)
            d.schedule5_2Cells[6 * r + c + 1] = taxes[r][c];
    const std::array<std::array<std::int32_t, 6>, 11> others = {{
        {0, 152000, 152000, 0, 0, 0},           // 事業税 前期
        {0, 70000, 0, 0, 70000, 0},             // 当期中間分
        {0, 222000, 152000, 0, 70000, 0},       // 計
        {0, 0, 0, 0, 0, 0},                     // 利子税
        {0, 0, 0, 0, 0, 0},                     // 延滞金
        {0, 35000, 0, 0, 35000, 0},             // 印紙税外
        {280000, 560000, 0, 280000, 0, 560000}, // 消費税
        {0, 12000, 0, 0, 12000, 0},             // 加算税
        {0, 3400, 0, 0, 3400, 0},               // 延滞税
        {0, 1837, 0, 0, 1837, 0},               // 源泉所得税
        {0, 0, 0, 0, 0, 0},
    }};
    for (int r = 0; r < 11; ++r)
        for (int c = 0; c < 6; ++c)
            d.schedule5_2Part2Cells[6 * r + c + 1] = others[r][c];
    d.schedule5_2Part2Cells[67] = 990000;
    d.schedule5_2Part2Cells[68] = 957000;
    d.schedule5_2Part2Cells[69] = 818000;
    d.schedule5_2Part2Cells[70] = 977000;
    return d;
}

class Schedule5_2PageTest : public HzTest {
protected:
    PrintJobLog record() { return recordPage(caption, data, state); }

    PrintData data;
    PageState state;
};

// The 11 pt amounts of the upper table, as printed, each with its right edge and top.
struct Amount {
    std::int64_t value;
    double right;
    double y;
};
std::vector<Amount> upperAmounts(const PrintJobLog &job) {
    std::vector<Amount> out;
    for (const PrintOp &t : job.texts()) {
        QString digits = t.text;
        digits.remove(QLatin1Char(','));
        bool ok = false;
        const std::int64_t v = digits.toLongLong(&ok);
        if (ok && t.size == 11 && t.y < 230)
            out.push_back({v, amountRightEdge(t), t.y});
    }
    return out;
}

TEST_F(Schedule5_2PageTest, StruckCellsAreNeverPrintedWhateverTheyHold) {
    // Every cell holds its own number: 100,000 + k for element k of the first record, 200,000 + k of the second.
    for (int k = 1; k <= 78; ++k)
        data.schedule5_2Cells[k] = 100000 + k;
    for (int k = 1; k <= 66; ++k)
        data.schedule5_2Part2Cells[k] = 200000 + k;
    const PrintJobLog job = record();

    std::set<int> first, second;
    for (const Amount &a : upperAmounts(job))
        (a.value < 200000 ? first : second).insert(static_cast<int>(a.value % 100000));
    std::set<int> wantFirst, wantSecond;
    for (int k = 1; k <= 78; ++k)
        wantFirst.insert(k);
    for (int k : {2, 7, 13, 15, 16, 17, 26, 31, 37, 43, 45, 46, 47, 56, 61, 67, 69, 70, 71})
        wantFirst.erase(k);
    for (int k = 1; k <= 66; ++k)
        if (k != 7)
            wantSecond.insert(k);
    EXPECT_EQ(first, wantFirst);
    EXPECT_EQ(second, wantSecond);

    // The struck cells are the ones the diagonals cross, and no amount stands in one.
    std::vector<QRectF> struck;
    for (const PrintOp &l : job.lines())
        if (l.x != l.x2 && l.y != l.y2) {
            EXPECT_EQ(l.drawWidth, drawwidth::grid);
            EXPECT_GT(l.x, l.x2); // top-right to bottom-left
            struck.push_back(QRectF(QPointF(l.x2, l.y), QPointF(l.x, l.y2)));
        }
    EXPECT_EQ(struck.size(), 23u);
    for (const Amount &a : upperAmounts(job))
        for (const QRectF &cell : struck)
            EXPECT_FALSE(a.right > cell.left() && a.right < cell.right() && a.y > cell.top() && a.y < cell.bottom())
                << a.value << " in a struck cell";
    EXPECT_EQ(job.lines().size(), 6u + 4 + 68 + 23); // header block, frame, grid, strike lines

    // A few cells where the form puts them, 1 mm below the top rule (none in line 21): the right edge 2 mm inside
    // the column's rule, where a six-digit figure ends, for its comma would reach the rule from the layout's place;
    // in ② 3 mm inside, where it keeps the layout's place.
    EXPECT_THAT(amountsEndingAt(job, 90, 53), ::testing::ElementsAre("100,001"));   // 2 法人税 前期 ①
    EXPECT_THAT(amountsAt(job, 109, 108), ::testing::ElementsAre("100,050"));       // 11 道府県民税 計 ②
    EXPECT_THAT(amountsEndingAt(job, 190, 139), ::testing::ElementsAre("100,078")); // 16 市町村民税 計 ⑥
    EXPECT_THAT(amountsAt(job, 109, 152), ::testing::ElementsAre("200,002"));       // 18 事業税 前期 ②
    EXPECT_THAT(amountsEndingAt(job, 90, 170), ::testing::ElementsAre("200,019"));  // 21 利子税 ①
    EXPECT_THAT(amountsEndingAt(job, 190, 225), ::testing::ElementsAre("200,066")); // 30 ⑥
}

TEST_F(Schedule5_2PageTest, SixDigitAmountsStayInsideTheirCells) {
    // 4 is the widest digit; every cell of the page full, the reserve block's figures six digits too.
    data = sampleCompany();
    data.schedule5_2Cells.fill(444444);
    data.schedule5_2Part2Cells.fill(444444);
    for (int e : {15, 21, 27, 33, 39, 45, 51, 57, 63, 69})
        data.schedule5_2Part2Cells[e] = 44444;
    const PrintJobLog job = record();
    EXPECT_THAT(amountsEndingAt(job, 190, 277), ::testing::ElementsAre("444,448"));
    expectReadableLayout(job, {}, headerCaptions);
}

TEST_F(Schedule5_2PageTest, RowsTheUserNamedPrintTheFormsOwnNames) {
    for (int k = 1; k <= 4; ++k)
        data.schedule5_2Part2RowNames[k] = QStringLiteral("独自の名前%1").arg(k);
    const PrintJobLog job = record();
    EXPECT_EQ(textAt(job, 41, 183), "印紙税外");
    EXPECT_EQ(textAt(job, 41, 189), "消　費　税");
    EXPECT_EQ(textAt(job, 41, 219), "源泉所得税");
    EXPECT_EQ(textAt(job, 41, 225), "<none>");
    EXPECT_EQ(job.textsEqual("源泉所得税").front().size, 11);
    for (const PrintOp &t : job.texts())
        EXPECT_FALSE(t.text.startsWith("独自")) << t.text.toStdString();
}

// The reserve block: the amounts of lines 31 to 44 (right edge 106 on the left, 190 on the right, 2 mm inside the
// rules: a six-digit figure ends there) as printed, by where they end.
std::map<std::pair<double, double>, QString> reserveAmounts(const PrintJobLog &job) {
    std::map<std::pair<double, double>, QString> out;
    for (const PrintOp &t : job.texts())
        if (t.size == 11 && t.y > 235 && !t.text.isEmpty())
            out[{std::round(printedEnd(t) * 1000) / 1000, t.y}] = t.text;
    return out;
}

TEST_F(Schedule5_2PageTest, ReserveBlockWithdrawsTheOtherTaxesAndRewritesTheReserveAtTheEnd) {
    auto &v = data.schedule5_2Part2Cells;
    v[67] = 500000; // 期首納税充当金
    v[68] = 800000; // 損金の額に算入した納税充当金
    v[69] = 450000; // 法人税等
    v[15] = 120000; // ③ of 事業税 計
    v[21] = 1000;   // ③ of 利子税
    v[63] = 5000;   // ③ of line 30, a non-deductible one
    v[3] = 777;     // ③ of 事業税 前期 is inside 計, not added again
    v[70] = 999;    // a stale stored value
    const PrintJobLog job = record();
    const std::map<std::pair<double, double>, QString> want = {
        {{106, 241}, "500,000"}, // 31
        {{106, 247}, "800,000"}, // 32
        {{106, 259}, "800,000"}, // 34 = 32 + 33
        {{106, 265}, "450,000"}, // 35
        {{106, 277}, "126,000"}, // 37 = ③ of lines 20 to 30
        {{190, 259}, "576,000"}, // 41 = 35 + 37
        {{190, 265}, "724,000"}, // 42 = 31 + 34 − 41
        {{190, 277}, "724,000"}, // 44 = 42, in the row of 37: 1 mm higher it would stand on the rule at 276
    };
    EXPECT_EQ(reserveAmounts(job), want);
    EXPECT_EQ(v[70], 724000);
    EXPECT_TRUE(job.ended());
}

TEST_F(Schedule5_2PageTest, ReserveBelowZeroPrintsWithItsSign) {
    auto &v = data.schedule5_2Part2Cells;
    v[68] = 100;
    v[69] = 300;
    const PrintJobLog job = record();
    EXPECT_THAT(amountsAt(job, 190, 265), ::testing::ElementsAre("-200"));
    EXPECT_THAT(amountsAt(job, 190, 277), ::testing::ElementsAre("-200"));
    EXPECT_EQ(v[70], -200);
}

TEST_F(Schedule5_2PageTest, ReserveOverflowAbandonsThePageAndKeepsTheStoredReserve) {
    struct Case {
        const char *name;
        std::vector<std::pair<int, std::int32_t>> cells;
    };
    const Case cases[] = {
        {"additions", {{67, 2147483647}, {68, 1}}},
        {"other withdrawals", {{21, 2147483647}, {15, 1}}},
        {"withdrawals", {{69, 2147483647}, {15, 1}}},
        {"difference", {{67, -2147483647 - 1}, {69, 1}}},
    };
    for (const Case &c : cases) {
        data = PrintData{};
        for (auto [k, value] : c.cells)
            data.schedule5_2Part2Cells[k] = value;
        data.schedule5_2Part2Cells[70] = 4321;
        PrintRecorder recorder;
        EXPECT_THROW(printPage(*pageSpec(caption), data, state), Error) << c.name;
        ASSERT_EQ(recorder.jobs.size(), 1u);
        EXPECT_TRUE(recorder.jobs.front().aborted()) << c.name;
        EXPECT_EQ(data.schedule5_2Part2Cells[70], 4321) << c.name;
        EXPECT_EQ(state.blockOffsetX, 0);
        EXPECT_EQ(state.pageShiftY, 0);
    }
}

TEST_F(Schedule5_2PageTest, PriorYearRunsOneYearBeforeTheCurrentYearsStartAndEnd) {
    struct Case {
        const char *name;
        std::array<std::int32_t, 6> year; // start, end
        std::array<const char *, 6> printed;
    };
    const Case cases[] = {
        {"April to March", {16, 4, 1, 17, 3, 31}, {" 15", " 4", " 1", " 16", " 3", " 31"}},
        {"calendar year", {16, 1, 1, 16, 12, 31}, {" 15", " 1", " 1", " 15", " 12", " 31"}},
        {"first year of the era", {1, 4, 1, 2, 3, 31}, {" 0", " 4", " 1", " 1", " 3", " 31"}},
    };
    for (const Case &c : cases) {
        for (int i = 0; i < 6; ++i)
            data.companyNumbers[3 + i] = c.year[i];
        const PrintJobLog job = record();
        // Lines 2, 7, 13 and 18: the start 1 mm and the end 3 mm below the line's top rule.
        for (double top : {52.0, 83.0, 120.0, 151.0}) {
            const std::vector<QString> got = {textAt(job, 38, top + 1), textAt(job, 49, top + 1),
                                              textAt(job, 61, top + 1), textAt(job, 38, top + 3),
                                              textAt(job, 49, top + 3), textAt(job, 60, top + 3)};
            EXPECT_THAT(got, ::testing::ElementsAreArray(c.printed)) << c.name << " line at " << top;
        }
        EXPECT_EQ(job.textsEqual(c.printed[5]).back().size, 6);
    }
}

TEST_F(Schedule5_2PageTest, HeaderCarriesTheCompanyAndItsYear) {
    data = sampleCompany();
    const PrintJobLog job = record();
    EXPECT_EQ(textAt(job, 25, 13), "租税公課の納付状況等に関する明細書");
    EXPECT_EQ(textAt(job, 142, 15), "株式会社山田商店");
    EXPECT_EQ(textAt(job, 124, 19), " 31");
    EXPECT_EQ(textAt(job, 193, 24), "(二)");
}

TEST_F(Schedule5_2PageTest, BeforeAnyDataLoadTheFormPrintsWithoutAmounts) {
    const PrintJobLog job = record();
    EXPECT_TRUE(job.ended());
    EXPECT_TRUE(upperAmounts(job).empty());
    EXPECT_TRUE(reserveAmounts(job).empty());
    EXPECT_EQ(data.schedule5_2Part2Cells[70], 0);
    EXPECT_EQ(job.textsEqual("法").size(), 1u);
    EXPECT_EQ(textAt(job, 157, 278), " 44");
    EXPECT_EQ(textAt(job, 142, 15), "");
}

TEST_F(Schedule5_2PageTest, SampleCompanyRendersReadably) {
    data = sampleCompany();
    const QString pdf = renderPage(caption, data, QStringLiteral("schedule5_2-sample"));
    ASSERT_FALSE(pdf.isEmpty());
    PageState st;
    PrintData again = sampleCompany();
    const PrintJobLog job = recordPage(caption, again, st);
    expectReadableLayout(job, {}, headerCaptions);

    // The PDF puts the figures where the recorder says.
    expectPdfWordsWhereRecorded(pdf, job, {"990,000", "121,200", "租税公課の納付状況等に関する明細書"});
}

} // namespace
} // namespace hz::test
