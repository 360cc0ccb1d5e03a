#include "core/errors.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "tests/print/local_return_rows.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("県税の欠損金");

class PrefecturalLoss : public HzTest {
protected:
    void period(std::int32_t y1, std::int32_t m1, std::int32_t d1, std::int32_t y2, std::int32_t m2, std::int32_t d2) {
        auto &n = data.companyNumbers;
        n[3] = y1, n[4] = m1, n[5] = d1, n[6] = y2, n[7] = m2, n[8] = d2;
    }
    // The year, month and day printed on one period line.
    static QString dateLine(const PrintJobLog &job, double y) { return row(job, y, 25, 65); }

    PrintData data;
    PageState state;
};

// A company with losses carried from four and one years back and a loss this year as well.
void lossCompany(PrintData &d) {
    d.companyTexts[2] = QStringLiteral("株式会社サンプル商事");
    auto &k = d.sched7Amounts;
    k[3] = 800000, k[4] = 300000, k[5] = 500000;
    k[12] = 400000, k[13] = 0, k[14] = 400000;
    k[15] = 1200000, k[16] = 300000, k[17] = 900000;
    k[20] = 300000, k[23] = 1200000;
}

TEST_F(PrefecturalLoss, EarlierYearsRunFromStartYearToEndYearBackForBothKindsOfBusinessYear) {
    struct Case {
        const char *name;
        std::array<std::int32_t, 6> period;
        // start and end lines of the years 5, 4, 3, 2 and 1 back, as year-month-day digits
        std::array<const char *, 10> lines;
    };
    const Case cases[] = {
        {"April to March",
         {30, 4, 1, 31, 3, 31},
         {"2541", "26331", "2641", "27331", "2741", "28331", "2841", "29331", "2941", "30331"}},
        {"calendar year",
         {18, 1, 1, 18, 12, 31},
         {"1311", "131231", "1411", "141231", "1511", "151231", "1611", "161231", "1711", "171231"}},
    };
    const double lineYs[] = {44, 51, 137, 144, 153, 160, 169, 176, 184, 191};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto &p = c.period;
        period(p[0], p[1], p[2], p[3], p[4], p[5]);
        const PrintJobLog job = recordPage(caption, data, state);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(dateLine(job, lineYs[i]), QString::fromUtf8(c.lines[i])) << "y " << lineYs[i];
        EXPECT_DOUBLE_EQ(xOf(job, printedNumber(p[0] - 1), 184), 31);
        EXPECT_DOUBLE_EQ(xOf(job, printedNumber(p[4]), 191), 43);
        EXPECT_DOUBLE_EQ(xOf(job, printedNumber(p[5]), 191), 55);
        for (int back = 1; back <= 5; ++back)
            EXPECT_EQ(state.priorYears[back], p[0] - back);
    }
}

TEST_F(PrefecturalLoss, HeaderAndAmountsStandAtTheirPlacesAndTheTotalAddsThisYearsLoss) {
    period(30, 4, 1, 31, 3, 31);
    lossCompany(data);
    const PrintJobLog job = recordPage(caption, data, state);
    for (const PrintOp &t : job.texts()) {
        EXPECT_EQ(t.font, fontname::mincho);
        EXPECT_EQ(t.size, 11);
    }
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral("株式会社サンプル商事"), 19), 154);
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral(" 30"), 15), 92);
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral(" 3"), 20), 101);

    const double digit = textWidthMm(printFont(fontname::mincho, 11), QStringLiteral("0"));
    struct Want {
        double right, y;
        const char *text;
    };
    const Want want[] = {
        {106, 142, "800,000"},   {145, 142, "300,000"}, {179, 142, "500,000"},   // 4年前
        {106, 189, "400,000"},   {179, 189, "400,000"},                          // 1年前, nothing deducted
        {106, 204, "300,000"},   {179, 204, "300,000"},                          // 当期分
        {106, 220, "1,500,000"}, {145, 220, "300,000"}, {179, 220, "1,200,000"}, // 計
    };
    for (const Want &w : want) {
        const QString text = QString::fromUtf8(w.text);
        const double x = w.right - QString(text).remove(u',').size() * digit;
        bool found = false;
        for (const PrintOp &t : job.textsEqual(text))
            found = found || (t.y == w.y && std::abs(t.x - x) < 0.01);
        EXPECT_TRUE(found) << w.text << " at R " << w.right << ", y " << w.y;
    }
    EXPECT_EQ(state.priorYears[6], 1500000);
    // Zero amounts print nothing: the 5年前 row and the years 3 and 2 back stay empty.
    for (double y : {46.0, 47.0, 157.0, 172.0})
        EXPECT_EQ(row(job, y, 60, 190), "") << "y " << y;
    EXPECT_TRUE(job.ended());
}

TEST_F(PrefecturalLoss, ATotalOrAYearBeyond32BitsFailsThePage) {
    for (int which = 0; which < 2; ++which) {
        data = {};
        period(30, 4, 1, 31, 3, 31);
        if (which == 0)
            data.sched7Amounts[20] = data.sched7Amounts[15] = 2000000000;
        else
            data.companyNumbers[6] = std::numeric_limits<std::int32_t>::min();
        PrintRecorder recorder;
        EXPECT_THROW(printPage(*pageSpec(caption), data, state), Error) << which;
        ASSERT_EQ(recorder.jobs.size(), 1u);
        EXPECT_TRUE(recorder.jobs.front().aborted());
    }
}

TEST_F(PrefecturalLoss, RendersReadablyOnTheSheet) {
    period(30, 4, 1, 31, 3, 31);
    lossCompany(data);
    const QString pdf = renderPage(caption, data, QStringLiteral("prefectural-loss"));
    ASSERT_FALSE(pdf.isEmpty());
    const auto total = pdfWordsContaining(pdf, QStringLiteral("1,500,000"));
    ASSERT_EQ(total.size(), 1u);
    const double digit = textWidthMm(printFont(fontname::mincho, 11), QStringLiteral("0"));
    EXPECT_NEAR(total.front().mm.left(), 106 - 7 * digit, 0.3);
    EXPECT_NEAR(total.front().mm.top(), 220, 1.0);
}

} // namespace
} // namespace hz::test
