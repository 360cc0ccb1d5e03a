#include "print/pages.h"
#include "tests/print/self_drawn_page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QFile>

#include <algorithm>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("別表十五");

class PrintedSchedule15 : public HzTest {
protected:
    PrintData data;
    PageState state;
};

TEST_F(PrintedSchedule15, CircledOneIsA30PointRingAroundA28PointOne) {
    const PrintJobLog job = recordPage(caption, data, state);
    const auto ring = findTextAt(job, 12, 12);
    const auto one = findTextAt(job, 15, 12);
    ASSERT_TRUE(ring && one);
    EXPECT_EQ(ring->text, "〇");
    EXPECT_EQ(ring->size, 30);
    EXPECT_EQ(ring->font, fontname::mincho);
    EXPECT_EQ(one->text, "1");
    EXPECT_EQ(one->size, 28);
    // Nothing else is printed that large.
    for (const PrintOp &t : job.texts())
        if (t.size > 11) {
            EXPECT_TRUE(t.x == 12 || t.x == 15) << t.text.toStdString();
        }
}

TEST_F(PrintedSchedule15, AmountsStandRightAlignedOnTheirColumnsEdges) {
    setCompany(data, QStringLiteral("株式会社テスト"), {19, 4, 1, 20, 3, 31});
    auto &a = data.sched15Amounts;
    a = {0, 1200000, 4000000, 1080000, 120000, 1200000, 200000, 1000000};
    const PrintJobLog job = recordPage(caption, data, state);
    expectAmountsAt(job, a,
                    {{1, 103, 30}, {2, 103, 46}, {3, 187, 30}, {4, 187, 46}, {5, 103, 90}, {6, 145, 90}, {7, 187, 90}});
    // The header: the name and the business year as numbers.
    EXPECT_EQ(textOrNone(job, 142, 15), "株式会社テスト");
    EXPECT_EQ(textOrNone(job, 110, 12), " 19");
    EXPECT_EQ(textOrNone(job, 124, 19), " 31");
}

TEST_F(PrintedSchedule15, ZeroPrintsNothingAndANegativeAmountItsMinus) {
    data.sched15Amounts[4] = -2500;
    const PrintJobLog job = recordPage(caption, data, state);
    EXPECT_EQ(textOrNone(job, amountX(187, -2500), 46), "-2,500");
    EXPECT_EQ(textOrNone(job, amountX(103, 0), 30), "");
    EXPECT_EQ(textOrNone(job, 110, 12), " 0");
    EXPECT_TRUE(job.ended());
}

TEST_F(PrintedSchedule15, FrameIsHeavyAndTheTableHasItsElevenRowsAndTotal) {
    const PrintJobLog job = recordPage(caption, data, state);
    int heavy = 0;
    int tableRows = 0;
    for (const PrintOp &l : job.lines()) {
        heavy += l.drawWidth == drawwidth::frame;
        if (l.y == l.y2 && l.x == 24 && l.x2 == 192 && l.y >= 68 && l.y <= 260)
            ++tableRows;
    }
    EXPECT_EQ(heavy, 3 + 4);
    EXPECT_EQ(tableRows, 13); // the head's top and bottom, the tops of ten more rows and of the total row
    const auto lines = job.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const PrintOp &l) { return joins(l, 66, 80, 192, 80); }));
}

TEST_F(PrintedSchedule15, NoCaptionOrFigureTouchesARule) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    data.sched15Amounts = {0, 9876543, 8000000, 7200000, 2676543, 9876543, 1000000, 8876543};
    EXPECT_EQ(textsOnRules(recordPage(caption, data, state)), QStringList());
}

TEST_F(PrintedSchedule15, RenderedSampleCompany) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    data.sched15Amounts = {0, 1850000, 4000000, 1665000, 185000, 1850000, 0, 1850000};
    const QString pdf = renderPage(caption, data, QStringLiteral("schedule15-page"));
    ASSERT_TRUE(QFile::exists(pdf));
    const auto figures = pdfWordsContaining(pdf, QStringLiteral("1,665,000"));
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_NEAR(figures.front().mm.left(), amountX(187, 1665000), 0.3);
    EXPECT_NEAR(figures.front().mm.top(), 30, 1.0);
}

} // namespace
} // namespace hz::test
