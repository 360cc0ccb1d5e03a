#include "core/errors.h"
#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("別表二");

// A family company: the founder, his family and a related company hold most of the shares.
PrintData sampleCompany() {
    PrintData d;
    d.companyTexts[2] = QStringLiteral("株式会社山田商店");
    d.companyNumbers[3] = 19;
    d.companyNumbers[4] = 4;
    d.companyNumbers[5] = 1;
    d.companyNumbers[6] = 20;
    d.companyNumbers[7] = 3;
    d.companyNumbers[8] = 31;
    d.sched2Texts[1] = QStringLiteral("同族会社");
    const QStringList rows[] = {
        {"1", "名古屋市東区2-3", "山田太郎", "本人"}, {"1", "名古屋市東区2-3", "山田花子", "妻"},
        {"1", "名古屋市千種区5", "山田一郎", "長男"}, {"2", "名古屋市中区1-1", "山田興産㈱", "関係会社"},
        {"3", "岐阜市本町4", "佐藤次郎", ""},         {"3", "春日井市6-7", "鈴木三郎", ""},
    };
    for (int r = 1; r <= 6; ++r)
        for (int k = 0; k < 4; ++k)
            d.sched2Texts[4 * r - 2 + k] = rows[r - 1][k];
    const std::int32_t shares[] = {6000, 2000, 1000, 600, 240, 160};
    for (int r = 1; r <= 6; ++r)
        d.sched2Shares[3 + r] = shares[r - 1];
    d.sched2Shares[1] = 10000;
    d.sched2Shares[2] = 9600;
    d.sched2Shares[3] = 96;
    return d;
}

class Schedule2PageTest : public HzTest {
protected:
    PrintJobLog record() { return recordPage(caption, data, state); }

    PrintData data;
    PageState state;
};

// Line 3's percentage, right edge 99, top 52: what stands there, if anything.
QStringList percentage(const PrintJobLog &job) {
    QStringList out;
    for (const PrintOp &t : job.texts())
        if (t.y == 52 && t.x > 74 && t.x < 108)
            out << t.text;
    return out;
}

TEST_F(Schedule2PageTest, PercentageIsTheTopThreesShareRoundedDown) {
    struct Case {
        std::int32_t topThree;
        std::int32_t issued;
        const char *printed;
    };
    const Case cases[] = {
        {29, 100, "29"}, // 0.29 × 100 is just below 29 in floating point
        {1, 3, "33"},
        {2, 3, "66"},
        {150, 100, "150"},
        {-1, 3, "-34"}, // rounded toward minus infinity
        {1, -3, "-34"},
        {-1, -3, "33"},
        {9600, 10000, "96"},
        {21474836, 1, "2,147,483,600"},
        {2147483647, 2147483647, "100"},
    };
    for (const Case &c : cases) {
        data.sched2Shares[1] = c.issued;
        data.sched2Shares[2] = c.topThree;
        const PrintJobLog job = record();
        EXPECT_THAT(amountsAt(job, 99, 52), ::testing::ElementsAre(c.printed)) << c.topThree << " / " << c.issued;
        EXPECT_TRUE(job.ended());
    }
}

TEST_F(Schedule2PageTest, PercentageOfNothingIsBlankAndThePageStillEnds) {
    // No shares at the top: 0 per cent, printed as the empty amount. No issued total: no percentage at all.
    for (auto [issued, printed] : {std::pair{1000, QStringList{""}}, {0, QStringList{}}}) {
        data.sched2Shares[1] = issued;
        data.sched2Shares[2] = 0;
        const PrintJobLog job = record();
        EXPECT_EQ(percentage(job), printed) << issued;
        EXPECT_EQ(textAt(job, 175, 48), "〇") << issued;
        EXPECT_TRUE(job.ended()) << issued;
    }
}

TEST_F(Schedule2PageTest, PercentageBeyond32BitsAbandonsThePage) {
    for (auto [topThree, issued] : {std::pair{21474837, 1}, {2147483647, 1}, {-2147483647 - 1, 1}}) {
        data.sched2Shares[1] = issued;
        data.sched2Shares[2] = topThree;
        PrintRecorder recorder;
        EXPECT_THROW(printPage(*pageSpec(caption), data, state), Error) << topThree;
        ASSERT_EQ(recorder.jobs.size(), 1u);
        EXPECT_TRUE(recorder.jobs.front().aborted()) << topThree;
    }
}

TEST_F(Schedule2PageTest, RowsPrintTheShareholdersAndRowOneIsTheReferenceShareholder) {
    data = sampleCompany();
    data.sched2Texts[1] = QStringLiteral("非同族会社"); // the stored verdict is not printed
    data.sched2Texts[2] = QStringLiteral("9");          // row 1's rank and relation are the form's own
    data.sched2Texts[5] = QStringLiteral("続柄なし");
    data.sched2Shares[3] = 77; // the percentage as entered is not printed
    data.sched2Shares[9] = 1234567;
    const PrintJobLog job = record();

    EXPECT_EQ(textAt(job, 29, 96), " 1");
    EXPECT_EQ(textAt(job, 118, 95), "本　　　人");
    EXPECT_EQ(textAt(job, 36, 95), "名古屋市東区2-3");
    EXPECT_EQ(textAt(job, 78, 95), "山田太郎");
    EXPECT_THAT(amountsAt(job, 186, 95), ::testing::ElementsAre("6,000"));
    EXPECT_EQ(textAt(job, 27, 105), "1");
    EXPECT_EQ(textAt(job, 117, 125), "関係会社");
    EXPECT_EQ(textAt(job, 78, 135), "佐藤次郎");
    EXPECT_EQ(textAt(job, 29, 145), "3"); // row 6's rank stands 2 mm further right
    EXPECT_EQ(textAt(job, 36, 145), "春日井市6-7");
    EXPECT_THAT(amountsAt(job, 186, 145), ::testing::ElementsAre("1,234,567"));
    for (const char *never : {"非同族会社", "9", "続柄なし", "77"})
        EXPECT_TRUE(job.textsEqual(QString::fromUtf8(never)).empty()) << never;

    EXPECT_THAT(amountsAt(job, 99, 28), ::testing::ElementsAre("10,000"));
    EXPECT_THAT(amountsAt(job, 99, 40), ::testing::ElementsAre("9,600"));
    EXPECT_THAT(amountsAt(job, 99, 52), ::testing::ElementsAre("96"));
    EXPECT_EQ(textAt(job, 175, 48), "〇");
    EXPECT_EQ(job.textsEqual("〇").front().size, 11);
}

TEST_F(Schedule2PageTest, HeaderCarriesTheCompanyAndItsYear) {
    data = sampleCompany();
    const PrintJobLog job = record();
    EXPECT_EQ(textAt(job, 33, 13), "同族会社等の判定に関する明細書");
    EXPECT_EQ(textAt(job, 142, 15), "株式会社山田商店");
    EXPECT_EQ(textAt(job, 110, 19), " 20");
    EXPECT_EQ(textAt(job, 194, 19), "二");
}

TEST_F(Schedule2PageTest, SampleCompanyRendersReadably) {
    data = sampleCompany();
    const QString pdf = renderPage(caption, data, QStringLiteral("schedule2-sample"));
    ASSERT_FALSE(pdf.isEmpty());
    PageState st;
    PrintData again = sampleCompany();
    const PrintJobLog job = recordPage(caption, again, st);
    // The circle marks the verdict it stands on; the header block's own captions are the shared block's.
    expectReadableLayout(job, {QStringLiteral("〇")}, {QStringLiteral("事　業"), QStringLiteral("年　度")});

    expectPdfWordsWhereRecorded(pdf, job, {"10,000", "山田興産㈱", "同族会社等の判定に関する明細書"});
}

} // namespace
} // namespace hz::test
