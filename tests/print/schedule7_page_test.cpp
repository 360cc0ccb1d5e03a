#include "print/pages.h"
#include "tests/print/self_drawn_page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include "core/errors.h"

#include <QFile>

#include <gmock/gmock.h>

#include <limits>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("別表七");

class PrintedSchedule7 : public HzTest {
protected:
    PrintData data;
    PageState state;
};

// The date printed at year x 30, month x 37, day x 44 of a business-year row line, as "year month day".
QString dateAt(const PrintJobLog &job, double y) {
    return textOrNone(job, 30, y) + textOrNone(job, 37, y) + textOrNone(job, 44, y);
}

TEST_F(PrintedSchedule7, EarlierYearsRunFromStartYearToEndYearBackByTheSameCount) {
    struct Case {
        const char *name;
        std::array<std::int32_t, 6> period;
        // Rows 10 (1 year back), 5 (6 back) and 1 (7 back): start line, end line.
        const char *row10[2];
        const char *row5[2];
        const char *row1[2];
        std::array<std::int32_t, 8> priorYears; // elements 1 to 7
    };
    const Case cases[] = {
        {"April to March",
         {16, 4, 1, 17, 3, 31},
         {" 15 4 1", " 16 3 31"},
         {" 10 4 1", " 11 3 31"},
         {" 9 4 1", " 10 3 31"},
         {0, 15, 14, 13, 12, 11, 10, 9}},
        {"calendar year",
         {17, 1, 1, 17, 12, 31},
         {" 16 1 1", " 16 12 31"},
         {" 11 1 1", " 11 12 31"},
         {" 10 1 1", " 10 12 31"},
         {0, 16, 15, 14, 13, 12, 11, 10}},
        {"years before the era's 1st",
         {5, 4, 1, 6, 3, 31},
         {" 4 4 1", " 5 3 31"},
         {"-1 4 1", " 0 3 31"},
         {"-2 4 1", "-1 3 31"},
         {0, 4, 3, 2, 1, 0, -1, -2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        setCompany(data, QStringLiteral("株式会社テスト"), c.period);
        state.priorYears[8] = 77; // not the page's
        const PrintJobLog job = recordPage(caption, data, state);
        EXPECT_EQ(dateAt(job, 130), c.row10[0]);
        EXPECT_EQ(dateAt(job, 134), c.row10[1]); // row 10's lower line 5 mm below its top, the others' 6
        EXPECT_EQ(dateAt(job, 80), c.row5[0]);
        EXPECT_EQ(dateAt(job, 85), c.row5[1]);
        EXPECT_EQ(dateAt(job, 40), c.row1[0]);
        EXPECT_EQ(dateAt(job, 45), c.row1[1]);
        // Rows 2 to 4 hold no year, only their separators; every date line has its separators on its own height.
        EXPECT_EQ(dateAt(job, 50), "<none><none><none>");
        for (double y : {40, 45, 50, 55, 80, 85, 130, 134}) {
            EXPECT_EQ(textOrNone(job, 35, y), "・") << y;
            EXPECT_EQ(textOrNone(job, 42, y), "・") << y;
        }
        for (int k = 1; k <= 7; ++k)
            EXPECT_EQ(state.priorYears[k], c.priorYears[k]) << k;
        EXPECT_EQ(state.priorYears[8], 77);
        for (const PrintOp &t : job.texts())
            if (t.x == 30 && t.y >= 40 && t.y <= 135) {
                EXPECT_EQ(t.size, 9);
            }
    }
}

TEST_F(PrintedSchedule7, AnEarlierYearOutOfRangeFailsThePage) {
    setCompany(data, QString(), {std::numeric_limits<std::int32_t>::min() + 3, 4, 1, 0, 3, 31});
    PrintRecorder recorder;
    EXPECT_THROW(printPage(*pageSpec(caption), data, state), Error);
    EXPECT_TRUE(recorder.jobs.front().aborted());
}

TEST_F(PrintedSchedule7, AmountsStandRightAlignedInTheirRowsAndColumns) {
    setCompany(data, QStringLiteral("株式会社テスト"), {16, 4, 1, 17, 3, 31});
    auto &a = data.sched7Amounts;
    // Distinct amounts, so every one is found at its own place.
    for (int e : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 32, 33, 34, 35, 36, 37})
        a[e] = 1000 * e + e;
    a[20] = 1234567;
    a[23] = 42; // printed as stored, not recomputed
    a[14] = -5;
    const PrintJobLog job = recordPage(caption, data, state);

    expectAmountsAt(job, a,
                    {
                        {33, 118, 40},  {35, 153, 40},                 // 7 years back; its column 3 is struck
                        {32, 118, 80},  {34, 153, 80},  {37, 188, 80}, // 6 years back
                        {1, 118, 90},   {2, 153, 90},   {36, 188, 90}, // 5 years back
                        {3, 118, 100},  {4, 153, 100},  {5, 188, 100},  {6, 118, 110},  {7, 153, 110},
                        {8, 188, 110},  {9, 118, 120},  {10, 153, 120}, {11, 188, 120}, {12, 118, 130},
                        {13, 153, 130}, {14, 188, 130}, {15, 118, 140}, {16, 153, 140}, {17, 188, 140}, // 計
                        {23, 188, 180},                                                                 // 合計
                    });
    // 欠損金額 and 青色損失金: seven digits, whose commas would reach the rule 4 mm right of the edge from the
    // layout's place, end at the edge.
    EXPECT_THAT(amountsEndingAt(job, 118, 145), ::testing::ElementsAre("1,234,567"));
    EXPECT_THAT(amountsEndingAt(job, 118, 175), ::testing::ElementsAre("1,234,567"));
    EXPECT_THAT(amountsEndingAt(job, 188, 175), ::testing::ElementsAre("1,234,567"));
    EXPECT_EQ(job.textsEqual(QStringLiteral("1,234,567")).size(), 3u);
    EXPECT_EQ(job.textsEqual(QStringLiteral("-5")).size(), 1u);
    // Nothing in the struck cell of row 1, in the lower lines, or in the empty rows 2 to 4.
    for (const PrintOp &t : job.texts()) {
        if (t.size != 11 || t.y < 39)
            continue;
        EXPECT_FALSE(t.y == 40 && t.x > 157) << t.text.toStdString();
        EXPECT_FALSE(t.y > 40 && t.y < 80) << t.text.toStdString();
    }
}

TEST_F(PrintedSchedule7, AmountsOfZeroPrintNothingWhileDatesMarksAndSeparatorsPrint) {
    const PrintJobLog job = recordPage(caption, data, state);
    for (const PrintOp &t : job.texts())
        if (t.size == 11 && t.y >= 39) {
            EXPECT_EQ(t.text, "") << t.x << "," << t.y;
        }
    // Never loaded: the years count down from 0.
    EXPECT_EQ(dateAt(job, 130), "-1 0 0");
    EXPECT_EQ(dateAt(job, 134), "-1 0 0");
    EXPECT_EQ(job.textsEqual(QStringLiteral("○")).size(), 7u);
    EXPECT_EQ(job.textsEqual(QStringLiteral("・")).size(), 40u + 4u); // the rows, then the header box
    EXPECT_TRUE(job.ended());
}

TEST_F(PrintedSchedule7, FramesAreHeavyAndEveryStruckCellIsCrossedOnce) {
    const PrintJobLog job = recordPage(caption, data, state);
    int heavy = 0;
    std::vector<PrintOp> diagonals;
    for (const PrintOp &l : job.lines()) {
        if (l.drawWidth == drawwidth::frame)
            ++heavy;
        else
            EXPECT_EQ(l.drawWidth, drawwidth::grid);
        if (l.x != l.x2 && l.y != l.y2)
            diagonals.push_back(l);
    }
    EXPECT_EQ(heavy, 3 + 8); // the header box and the two frames
    const std::array<std::array<double, 4>, 10> struck = {{
        {192, 39, 157, 44},   // 7 years back, 翌期繰越額
        {192, 144, 157, 149}, // 欠損金額, 翌期繰越額
        {157, 149, 122, 159}, // 設備廃棄欠損金, 当期控除額
        {157, 159, 122, 169}, // 特例欠損金, 当期控除額
        {122, 179, 87, 184},  // 合計, 控除未済欠損金
        {157, 179, 122, 184}, // 合計, 当期控除額
        {122, 204, 87, 209},  // disaster line 4, ①
        {157, 204, 122, 209}, // disaster line 4, ②
        {122, 234, 87, 239},  // disaster line 10, ①
        {157, 234, 122, 239}, // disaster line 10, ②
    }};
    ASSERT_EQ(diagonals.size(), struck.size());
    for (const auto &s : struck) {
        int found = 0;
        for (const PrintOp &d : diagonals)
            found += joins(d, s[0], s[1], s[2], s[3]);
        EXPECT_EQ(found, 1) << s[0] << "," << s[1];
    }
}

TEST_F(PrintedSchedule7, CaptionsReadAsTheFormReads) {
    const PrintJobLog job = recordPage(caption, data, state);
    EXPECT_EQ(job.textsEqual(QStringLiteral("欠損金又は災害損失金及び私財提供等があっ")).size(), 1u);
    EXPECT_EQ(job.textsEqual(QStringLiteral("特定対内投資事業者等の特例欠損金")).size(), 1u);
    EXPECT_EQ(job.textsEqual(QStringLiteral(
                                 "Ⅱ　私 財 提 供 等 の あ っ た 場 合 の 欠 損 金 の 損 金 算 入 に 関 す る 明 細 書"))
                  .size(),
              1u);
    // Line numbers are printed as numbers: 10 one blank's width further left than 4 to 9.
    EXPECT_EQ(textOrNone(job, 82, 230), " 9");
    EXPECT_EQ(textOrNone(job, 81, 235), " 10");
    EXPECT_EQ(textOrNone(job, 157, 277), " 20");
    EXPECT_EQ(textOrNone(job, 104, 35), "1");
    // The form identifier and the header box.
    EXPECT_EQ(textOrNone(job, 194, 19), "七");
    EXPECT_EQ(textOrNone(job, 131, 15), "法人名");
}

TEST_F(PrintedSchedule7, NoCaptionOrFigureTouchesARule) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    for (int e : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 23, 32, 33, 34, 35, 36, 37})
        data.sched7Amounts[e] = 9876543; // seven digits, the widest an amount of these companies gets
    EXPECT_EQ(textsOnRules(recordPage(caption, data, state)), QStringList());
}

TEST_F(PrintedSchedule7, RenderedSampleCompany) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    auto &a = data.sched7Amounts;
    a[32] = 820000; // 6 years back
    a[34] = 820000;
    a[1] = 1500000; // 5 years back
    a[2] = 300000;
    a[36] = 1200000;
    a[3] = 2345678; // 4 years back
    a[5] = 2345678;
    a[12] = 98765; // 1 year back
    a[14] = 98765;
    a[15] = 4764443;
    a[16] = 1120000;
    a[17] = 3644443;
    a[20] = 1234567;
    a[23] = 4879010;
    const QString pdf = renderPage(caption, data, QStringLiteral("schedule7-page"));
    ASSERT_TRUE(QFile::exists(pdf));
    const PrintJobLog job = recordPage(caption, data, state);
    for (const QString &figure : {QStringLiteral("1,500,000"), QStringLiteral("4,879,010")}) {
        const auto words = pdfWordsContaining(pdf, figure);
        const auto recorded = job.textsEqual(figure);
        ASSERT_EQ(words.size(), 1u) << figure.toStdString();
        ASSERT_EQ(recorded.size(), 1u);
        EXPECT_NEAR(words.front().mm.left(), recorded.front().x, 0.3);
        EXPECT_NEAR(words.front().mm.top(), recorded.front().y, 1.0);
    }
    const auto name = pdfWordsContaining(pdf, QStringLiteral("山田商店"));
    ASSERT_FALSE(name.empty());
    EXPECT_NEAR(name.front().mm.left(), 142, 0.5);
}

} // namespace
} // namespace hz::test
