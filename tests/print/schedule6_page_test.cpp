#include "print/pages.h"
#include "tests/print/self_drawn_page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QFile>

#include <gmock/gmock.h>

#include <algorithm>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("別表六");

class PrintedSchedule6 : public HzTest {
protected:
    PrintData data;
    PageState state;
};

TEST_F(PrintedSchedule6, FiguresStandRightAlignedInTheirCells) {
    setCompany(data, QStringLiteral("株式会社テスト"), {19, 4, 1, 20, 3, 31});
    auto &c = data.schedule6Cells;
    for (int e = 1; e <= 21; ++e)
        c[e] = 100 * e + e; // distinct, so every figure is found at its own place
    c[7] = 1234567;
    c[14] = 1000; // 所有期間割合 in thousandths
    c[20] = 500;
    c[2] = -15;
    data.schedule6Texts[1] = QStringLiteral("ＡＢＣ銀行株式");
    data.schedule6Texts[2] = QStringLiteral("第一工業");
    const PrintJobLog job = recordPage(caption, data, state);

    expectAmountsAt(job, c,
                    {
                        {1, 110, 47},  {2, 150, 47},   {3, 190, 47}, // line 1 預貯金の利子
                        {4, 110, 52},  {5, 150, 52},   {6, 190, 52}, // line 2
                        {8, 150, 72},  {9, 190, 72},                 // line 6 計
                        {10, 81, 99},  {11, 102, 99},  {12, 124, 99},  {13, 145, 99},  {14, 167, 99},  {15, 188, 99},
                        {16, 81, 104}, {17, 102, 104}, {18, 124, 104}, {19, 145, 104}, {20, 167, 104}, {21, 188, 104},
                    });
    // Part Ⅰ's edges stand 2 mm inside the rules: a figure whose commas would reach the rule ends at the edge.
    EXPECT_THAT(amountsEndingAt(job, 110, 72), ::testing::ElementsAre("1,234,567"));
    EXPECT_EQ(textOrNone(job, amountX(167, 1000), 99), "1,000");
    EXPECT_EQ(textOrNone(job, amountX(150, -15), 47), "-15");
    EXPECT_EQ(textOrNone(job, 33, 99), "ＡＢＣ銀行株式");
    EXPECT_EQ(textOrNone(job, 33, 104), "第一工業");
    // The other tables stay empty: no 11 pt item below the 個別法 rows.
    for (const PrintOp &t : job.texts())
        if (t.size == 11) {
            EXPECT_LE(t.y, 104) << t.text.toStdString();
        }
}

TEST_F(PrintedSchedule6, NeverLoadedDataPrintTheFormAndZerosOnlyInTheHeader) {
    const PrintJobLog job = recordPage(caption, data, state);
    for (const PrintOp &t : job.texts())
        if (t.size == 11 && t.y > 24) {
            EXPECT_EQ(t.text, "") << t.x << "," << t.y;
        }
    EXPECT_EQ(textOrNone(job, 110, 12), " 0");
    EXPECT_EQ(textOrNone(job, 67, 72), " 6");
    EXPECT_EQ(textOrNone(job, 179, 95), " 12");
    EXPECT_EQ(textOrNone(job, 180, 134), " 19");
    EXPECT_EQ(textOrNone(job, 156, 206), "21");
    EXPECT_EQ(textOrNone(job, 193, 24), "(一)");
    EXPECT_EQ(state.blockOffsetX, 0);
    EXPECT_EQ(state.blockOffsetY, 0);
    EXPECT_TRUE(job.ended());
}

TEST_F(PrintedSchedule6, RulesFramesDoubleRuleAndTheCrossedOutRemark) {
    const PrintJobLog job = recordPage(caption, data, state);
    const auto lines = job.lines();
    auto has = [&](double x1, double y1, double x2, double y2, int width) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const PrintOp &l) { return joins(l, x1, y1, x2, y2) && l.drawWidth == width; }) == 1;
    };
    EXPECT_TRUE(has(25, 24, 192, 24, drawwidth::frame));
    EXPECT_TRUE(has(25, 276, 192, 276, drawwidth::frame));
    EXPECT_TRUE(has(25, 123, 192, 123, drawwidth::grid));
    EXPECT_TRUE(has(25, 124, 192, 124, drawwidth::grid));
    EXPECT_TRUE(has(192, 234, 170, 239, drawwidth::grid)); // the 備考 cell of the 計 row
    EXPECT_TRUE(has(72, 248, 72, 271, drawwidth::grid));   // stops above part Ⅱ's 計 row
    const auto diagonals =
        std::count_if(lines.begin(), lines.end(), [](const PrintOp &l) { return l.x != l.x2 && l.y != l.y2; });
    EXPECT_EQ(diagonals, 1);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(), [](const PrintOp &l) { return l.drawWidth == drawwidth::frame; }),
        3 + 8);
}

TEST_F(PrintedSchedule6, NoCaptionOrFigureTouchesARule) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    auto &c = data.schedule6Cells;
    c = {0,      9876543, 1512600, 1512600, 9876543, 1512600, 1512600, 9876543, 1512600, 1512600, 987654,
         151260, 12,      12,      1000,    151260,  987654,  151260,  12,      6,       500,     75630};
    EXPECT_EQ(textsOnRules(recordPage(caption, data, state)), QStringList());
}

TEST_F(PrintedSchedule6, RenderedSampleCompany) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    auto &c = data.schedule6Cells;
    c = {0,     12500, 1914, 1914, 300000, 45945,  45945, 312500, 47859, 47859, 200000,
         30630, 12,    9,    750,  22972,  100000, 15315, 12,     12,    1000,  15315};
    data.schedule6Texts[1] = QStringLiteral("東海電力株式");
    data.schedule6Texts[2] = QStringLiteral("中部鉄道株式");
    const QString pdf = renderPage(caption, data, QStringLiteral("schedule6-page"));
    ASSERT_TRUE(QFile::exists(pdf));
    const auto figures = pdfWordsContaining(pdf, QStringLiteral("312,500"));
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_NEAR(figures.front().mm.left(),
                110 - textWidthMm(printFont(fontname::mincho, 11), QStringLiteral("312,500")), 0.3);
    EXPECT_NEAR(figures.front().mm.top(), 72, 1.0);
    const auto issue = pdfWordsContaining(pdf, QStringLiteral("東海電力"));
    ASSERT_FALSE(issue.empty());
    EXPECT_NEAR(issue.front().mm.left(), 33, 0.5);
}

} // namespace
} // namespace hz::test
