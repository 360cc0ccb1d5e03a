#include "core/errors.h"
#include "core/numbers.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace hz::test {

namespace {

const QString creditPage = QStringLiteral("利子割控除");
const QString byPrefecturePage = QStringLiteral("利子の愛知県");

using Item = std::tuple<double, double, std::string>;

class InterestLevyPages : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        auto &n = data.companyNumbers;
        n[3] = 19, n[4] = 4, n[5] = 1;
        n[6] = 20, n[7] = 3, n[8] = 31;
        data.companyTexts[2] = QStringLiteral("株式会社山田商店");
    }
    static double right(double edge, std::int64_t v) {
        return edge - textWidthMm(printFont(fontname::mincho, 11), QString::number(v));
    }
    // Every text of the page with its place, in the order printed.
    static std::vector<Item> items(const PrintJobLog &job) {
        std::vector<Item> out;
        for (const PrintOp &t : job.texts()) {
            EXPECT_EQ(t.font.toStdString(), fontname::mincho.toStdString());
            EXPECT_EQ(t.size, 11);
            out.emplace_back(t.x, t.y, t.text.toStdString());
        }
        return out;
    }

    PrintData data;
    PageState state;
};

TEST_F(InterestLevyPages, CreditAttachmentClaimsTheWholeLevyInRowOneAndTheTotal) {
    struct Case {
        std::int32_t interest, levy;
    };
    // Interest with its levy; a levy typed without interest; neither (the header only).
    for (const Case &c : {Case{1'000'000, 50'000}, {0, 3'000}, {0, 0}}) {
        data.schedule6Cells[1] = c.interest;
        data.schedule5_2Cells[32] = c.levy;
        const PrintJobLog job = recordPage(creditPage, data, state);
        ASSERT_TRUE(job.ended());
        const std::string interest = fmtAmount(c.interest).toStdString();
        const std::string levy = fmtAmount(c.levy).toStdString();
        const std::vector<Item> want = {
            {43, 37, "株式会社山田商店"},
            {146, 34, " 19"},
            {155, 34, " 4"},
            {163, 34, " 1"},
            {146, 38, " 20"},
            {155, 38, " 3"},
            {163, 38, " 31"},
            {right(104, c.interest), 68, interest},
            {right(138, c.levy), 68, levy},
            {right(172, c.levy), 68, levy},
            {right(104, c.interest), 99, interest},
            {right(138, c.levy), 99, levy},
            {right(172, c.levy), 99, levy},
        };
        EXPECT_EQ(items(job), want) << c.interest << " " << c.levy;
    }
}

TEST_F(InterestLevyPages, ByPrefectureStatementFillsTheAichiRowAndTheTotalWithTheCreditedLevy) {
    // The Schedule 5(2) levy is not this page's figure: the statement repeats what the prefectural return credits.
    data.schedule5_2Cells[32] = 9'999;
    for (double credit : {12'345.0, 0.0}) {
        data.prefTaxValues[4] = credit;
        const PrintJobLog job = recordPage(byPrefecturePage, data, state);
        ASSERT_TRUE(job.ended());
        const auto c = static_cast<std::int64_t>(credit);
        const std::string amount = fmtAmount(c).toStdString();
        const std::vector<Item> want = {
            {43, 25, "株式会社山田商店"},
            {146, 22, " 19"},
            {157, 22, " 4"},
            {168, 22, " 1"},
            {146, 28, " 20"},
            {157, 28, " 3"},
            {168, 28, " 31"},
            {42, 260, "有"},
            {right(100, c), 260, amount},
            {right(181, c), 269, amount},
        };
        EXPECT_EQ(items(job), want) << credit;
    }
}

TEST_F(InterestLevyPages, ACreditBeyondAWholeNumberFailsTheStatement) {
    data.prefTaxValues[4] = 2'147'483'648.0;
    PrintRecorder recorder;
    EXPECT_THROW(printPage(*pageSpec(byPrefecturePage), data, state), Error);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    EXPECT_TRUE(recorder.jobs.front().aborted());
}

TEST_F(InterestLevyPages, SampleCompanyRendersWithItsFiguresInPlace) {
    data.schedule6Cells[1] = 1'234'567;
    data.schedule5_2Cells[32] = 61'728;
    data.prefTaxValues[4] = 61'728;
    const QString credit = renderPage(creditPage, data, QStringLiteral("interest-levy-credit"));
    const auto interest = pdfWordsContaining(credit, QStringLiteral("1,234,567"));
    ASSERT_EQ(interest.size(), 2u); // row 1 and 計
    EXPECT_NEAR(interest[0].mm.left(), right(104, 1'234'567), 0.3);
    EXPECT_EQ(pdfWordsContaining(credit, QStringLiteral("61,728")).size(), 4u);

    const QString byPrefecture = renderPage(byPrefecturePage, data, QStringLiteral("interest-levy-by-prefecture"));
    const auto levy = pdfWordsContaining(byPrefecture, QStringLiteral("61,728"));
    ASSERT_EQ(levy.size(), 2u);
    std::vector<double> lefts{levy[0].mm.left(), levy[1].mm.left()};
    std::sort(lefts.begin(), lefts.end());
    EXPECT_NEAR(lefts[0], right(100, 61'728), 0.3);
    EXPECT_NEAR(lefts[1], right(181, 61'728), 0.3);
    ASSERT_EQ(pdfWordsContaining(byPrefecture, QStringLiteral("有")).size(), 1u);
    EXPECT_NEAR(pdfWordsContaining(byPrefecture, QStringLiteral("有")).front().mm.top(), 260, 1.0);
}

} // namespace
} // namespace hz::test
