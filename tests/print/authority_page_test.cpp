#include "print/pages.h"
#include "tests/print/page_items.h"
#include "tests/print/sample_print_data.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

namespace hz::test {
namespace {

const QString authorityPage = QStringLiteral("税務代理権限書");

class AuthorityPage : public HzTest {
protected:
    PrintJobLog print() { return recordPage(authorityPage, data, state); }

    PrintData data = sampleCompany();
    PageState state;
};

TEST_F(AuthorityPage, TheBusinessYearInEveryColumnAndTheLastDayAsTheDateOfAppointment) {
    const PrintJobLog job = print();
    EXPECT_EQ(visibleTextAt(job, 151, 133), " 20");
    EXPECT_EQ(visibleTextAt(job, 163, 133), " 3");
    EXPECT_EQ(visibleTextAt(job, 173, 133), " 31");
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const double dx = 48 * k;
        EXPECT_EQ(visibleTextAt(job, 58 + dx, 186), " 19"); // 年分
        EXPECT_EQ(visibleTextAt(job, 61 + dx, 195), " 19");
        EXPECT_EQ(visibleTextAt(job, 71 + dx, 195), " 4");
        EXPECT_EQ(visibleTextAt(job, 82 + dx, 195), " 1");
        EXPECT_EQ(visibleTextAt(job, 61 + dx, 201), " 20");
        EXPECT_EQ(visibleTextAt(job, 71 + dx, 201), " 3");
        EXPECT_EQ(visibleTextAt(job, 81 + dx, 201), " 31");
    }
    // Only the first two columns name their tax.
    EXPECT_EQ(visibleTextAt(job, 58, 178), "法人税");
    EXPECT_EQ(visibleTextAt(job, 106, 178), "消費税");
    EXPECT_EQ(visibleTextAt(job, 154, 178), "<none>");
}

TEST_F(AuthorityPage, AgentAndClientParticulars) {
    data.companyTexts[7] = QStringLiteral("麹町");
    // The Schedule 1 pages' suppressed name does not reach this page: it prints the profile's name.
    data.companyTexts[10] = QStringLiteral("代表者名・印刷なし");
    const PrintJobLog job = print();
    const std::vector<std::tuple<double, double, QString>> items = {
        {30, 42, "麹町 税務署々長　殿"},
        {82, 67, "佐藤　一郎"},
        {82, 78, "東京都港区新橋二丁目１番１号"},
        {140, 88, "03-5555-1234"},
        {165, 111, "98765"},
        {113, 111, "東京"},
        {80, 141, "株式会社みなと商事"},
        {80, 145, "代表取締役　　山田　太郎"},
        {80, 153, "東京都港区芝公園一丁目２番３号"},
        {138, 161, "03-3456-7890"},
    };
    for (const auto &[x, y, text] : items)
        EXPECT_EQ(visibleTextAt(job, x, y), text) << x << ", " << y;
    for (const PrintOp &t : job.texts()) {
        EXPECT_EQ(t.font, fontname::mincho);
        EXPECT_EQ(t.size, 11);
    }
}

TEST_F(AuthorityPage, WithoutAnAccountantOrRepresentativeTheRestStillPrints) {
    data.accountantTexts = {};
    data.companyTexts[9].clear();
    const PrintJobLog job = print();
    for (auto [x, y] : {std::pair{82.0, 67.0}, {82, 78}, {140, 88}, {165, 111}, {113, 111}})
        EXPECT_EQ(visibleTextAt(job, x, y), "<none>");
    EXPECT_EQ(visibleTextAt(job, 80, 145), "代表取締役　　");
    // The heavy strike through 税理士法人.
    const auto lines = job.lines();
    ASSERT_EQ(lines.size(), 2u);
    for (const PrintOp &l : lines) {
        EXPECT_EQ(l.drawWidth, 6);
        EXPECT_EQ(l.x, 38);
        EXPECT_EQ(l.x2, 59);
    }
    EXPECT_EQ(lines[0].y, 123);
    EXPECT_EQ(lines[1].y, 124);
}

TEST_F(AuthorityPage, OneJobOverTheWholeSheetImagePerPress) {
    PrintRecorder recorder;
    printPage(*pageSpec(authorityPage), data, state);
    printPage(*pageSpec(authorityPage), data, state);
    ASSERT_EQ(recorder.jobs.size(), 2u);
    for (const PrintJobLog &job : recorder.jobs) {
        EXPECT_TRUE(job.ended());
        EXPECT_EQ(job.ops.front().kind, PrintOp::Picture);
        EXPECT_EQ(job.ops.front().x2, 210);
        EXPECT_EQ(job.ops.front().y2, 297);
    }
    EXPECT_EQ(recorder.jobs[0].texts().size(), recorder.jobs[1].texts().size());
    EXPECT_EQ(state.printCount, PageState{}.printCount);
}

TEST_F(AuthorityPage, SampleCompanyPrintsWhereTheRecorderSays) {
    const QString pdf = renderPage(authorityPage, data, QStringLiteral("authority-page"));
    const auto office = pdfWordsContaining(pdf, QStringLiteral("税務署々長"));
    ASSERT_EQ(office.size(), 1u);
    EXPECT_NEAR(office.front().mm.top(), 42, 1.0);
    const auto client = pdfWordsContaining(pdf, QStringLiteral("みなと商事"));
    ASSERT_EQ(client.size(), 1u);
    EXPECT_NEAR(client.front().mm.left(), 80, 0.5);
    EXPECT_NEAR(client.front().mm.top(), 141, 1.0);
}

} // namespace
} // namespace hz::test
