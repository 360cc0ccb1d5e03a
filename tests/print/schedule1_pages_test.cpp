#include "core/errors.h"
#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/print/page_items.h"
#include "tests/print/sample_print_data.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <limits>
#include <map>

namespace hz::test {
namespace {

const QString a4Page = QStringLiteral("別表一");
const QString sheetPage = QStringLiteral("税務署用紙・別表一");

// Where a line of the form takes its digits on each page: box 1 and the boxes printed.
struct Boxes {
    double x1;
    double y;
    int count;
};
const std::map<int, Boxes> a4Lines = {
    {1, {60, 97, 8}},    {2, {60, 103, 8}},   {4, {60, 115, 8}},   {10, {60, 158, 8}},  {12, {60, 170, 8}},
    {13, {60, 176, 6}},  {14, {60, 182.5, 6}}, {15, {60, 189, 6}},  {16, {149, 97, 8}},  {17, {149, 103, 8}}, {19, {148, 121, 8}},
    {26, {149, 170, 8}}, {27, {149, 177, 8}}, {30, {60, 195, 5}},  {31, {61, 202, 5}},  {33, {60, 213, 5}},
    {34, {149, 195, 8}}, {35, {148, 202, 8}}, {37, {149, 213, 8}}, {42, {60, 232, 8}},  {44, {60, 244, 8}},
    {45, {60, 250, 8}},  {46, {60, 256, 8}},
};
const std::map<int, Boxes> sheetLines = {
    {1, {61, 97, 8}},    {2, {61, 104, 8}},   {4, {61, 116, 8}},   {10, {61, 160, 8}},  {12, {61, 173, 8}},
    {13, {61, 180, 6}},  {14, {61, 186.5, 6}}, {15, {61, 193, 6}},  {16, {155, 97, 8}},  {17, {155, 103, 8}}, {19, {155, 122, 8}},
    {26, {155, 173, 8}}, {27, {155, 180, 8}}, {30, {61, 199, 5}},  {31, {61, 206, 5}},  {33, {61, 218, 5}},
    {34, {155, 199, 8}}, {35, {155, 206, 8}}, {37, {155, 218, 8}}, {42, {61, 237, 8}},  {44, {61, 250, 8}},
    {45, {61, 258, 8}},  {46, {61, 263, 8}},
};

class Schedule1Pages : public HzTest {
protected:
    PrintJobLog print(const QString &page) { return recordPage(page, data, state); }
    static const std::map<int, Boxes> &linesOf(const QString &page) { return page == a4Page ? a4Lines : sheetLines; }
    static QString line(const PrintJobLog &job, const QString &page, int number) {
        const Boxes b = linesOf(page).at(number);
        return boxRow(job, b.x1, b.y, b.count);
    }
    // The line with the form's two boxes left of the ten-millions box, the billions' and the hundred millions'.
    static QString wideLine(const PrintJobLog &job, const QString &page, int number) {
        const Boxes b = linesOf(page).at(number);
        return boxRow(job, b.x1 - 10, b.y, b.count + 2);
    }

    PrintData data;
    PageState state;
};

TEST_F(Schedule1Pages, DeriveTheCreditAndRefundAmountsAfreshAndPrintThemOnTheirLines) {
    struct Case {
        const char *name;
        std::int32_t tax, credit, interim, due; // amounts 2, 3, 4, 5
        std::array<std::int32_t, 6> derived;    // amounts 18 to 23
        const char *line13, *line14, *line15, *line16, *line17, *line19, *line45, *line46;
    };
    // clang-format off
    const Case cases[] = {
        {"tax above the credit", 200000, 50000, 0, 150000, {150000, 50000, 0, 0, 0, 0},
         "..1500", "......", "..1500", "........", "........", "........", "...50000", "........"},
        {"credit partly deducted", 150000, 100000, 0, 50000, {50000, 50000, 50000, 0, 0, 0},
         "...500", "......", "...500", "........", "........", "........", "...50000", "...50000"},
        {"tax after credit equals the credit", 200000, 100000, 0, 100000, {100000, 100000, 0, 0, 0, 0},
         "..1000", "......", "..1000", "........", "........", "........", "..100000", "........"},
        {"credit exceeds the tax, interim tax back", 100000, 150000, 300000, -350000,
         {-50000, 0, 150000, 50000, 300000, 350000},
         "......", "..3000", "......", "...50000", "..300000", "..350000", "........", "..150000"},
        {"credit exceeds the tax, no interim tax", 100000, 150000, 0, -50000, {-50000, 0, 150000, 50000, 0, 50000},
         "......", "......", "......", "...50000", "........", "...50000", "........", "..150000"},
        {"interim tax, line 15 is line 13 less line 14", 3113500, 50000, 1100000, 1963500,
         {3063500, 50000, 0, 0, 0, 0},
         ".30635", ".11000", ".19635", "........", "........", "........", "...50000", "........"},
        {"interim tax but tax still due", 100000, 0, 300000, 100, {100000, 0, 0, 0, 0, 0},
         "..1000", "..3000", ".....1", "........", "........", "........", "........", "........"},
        {"no tax at all", 0, 0, 0, 0, {0, 0, 0, 0, 0, 0},
         "......", "......", "......", "........", "........", "........", "........", "........"},
    };
    // clang-format on
    for (const QString &page : {a4Page, sheetPage}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(page.toStdString() + ": " + c.name);
            data = {};
            auto &a = data.sched1Amounts;
            a[2] = c.tax, a[3] = c.credit, a[4] = c.interim, a[5] = c.due;
            for (int k = 18; k <= 23; ++k)
                a[k] = 7777777; // left by an earlier company
            const PrintJobLog job = print(page);
            EXPECT_THAT(std::vector<std::int32_t>(a.begin() + 18, a.end()), ::testing::ElementsAreArray(c.derived));
            EXPECT_EQ(line(job, page, 13), c.line13);
            EXPECT_EQ(line(job, page, 14), c.line14);
            EXPECT_EQ(line(job, page, 15), c.line15);
            EXPECT_EQ(line(job, page, 16), c.line16);
            EXPECT_EQ(line(job, page, 17), c.line17);
            EXPECT_EQ(line(job, page, 19), c.line19);
            EXPECT_EQ(line(job, page, 45), c.line45);
            EXPECT_EQ(line(job, page, 46), c.line46);
        }
    }
}

TEST_F(Schedule1Pages, IncomeOrLossOnLinesOneAndThirtyThree) {
    struct Case {
        std::int32_t income;
        const char *line1;  // with the two boxes left of the ten millions, where the mark may stand (apart)
        double lossX;       // the box of the mark, left of box 1; 0: no mark
        const char *line33; // in thousands: boxes 1 to 5, and the two left of them
    };
    const Case cases[] = {
        {-1234567, "...1234567", -5, "......."},
        {0, "..........", 0, "......."},
        {1234, "......1234", 0, "......1"},
        {123456789, ".123456789", 0, ".123456"},
        {444444444, ".444444444", 0, ".444444"},
        {2147483647, "2147483647", 0, "2147483"},
        {-999999999, ".999999999", -10, "......."},
        {std::numeric_limits<std::int32_t>::min(), "2147483648", -15, "......."},
    };
    for (const QString &page : {a4Page, sheetPage}) {
        const double x1 = linesOf(page).at(1).x1;
        for (const Case &c : cases) {
            SCOPED_TRACE(page.toStdString() + " " + std::to_string(c.income));
            data = {};
            data.sched1Amounts[1] = c.income;
            const PrintJobLog job = print(page);
            EXPECT_EQ(wideLine(job, page, 1), c.line1);
            EXPECT_EQ(wideLine(job, page, 33), c.line33);
            const auto marks = job.textsEqual(QStringLiteral("▲"));
            ASSERT_EQ(marks.size(), c.lossX != 0 ? 1u : 0u);
            if (c.lossX != 0) {
                // In the middle of its box, where a figure printed there would stand.
                const PrintOp &mark = marks.front();
                const double middle = x1 + c.lossX + minchoWidth(mark.size, QStringLiteral(" ")) +
                                      minchoWidth(mark.size, QStringLiteral("0")) / 2;
                EXPECT_NEAR(inkRect(mark).center().x(), middle, 0.01);
                EXPECT_EQ(mark.y, 97);
            }
        }
    }
}

TEST_F(Schedule1Pages, NineAndTenDigitTaxesGoOneDigitABoxOnEveryLine) {
    struct Case {
        std::int32_t tax;
        const char *whole;    // lines 2, 4, 10 and 37
        const char *hundreds; // line 13: the tax less no credit, in hundreds; line 14: as much paid in the interim
    };
    const Case cases[] = {
        {444444444, ".444444444", ".4444444"},
        {2147483647, "2147483647", "21474836"},
        // A signed row: every box shows its figure with the sign, as the digits of a negative amount always did.
        {-999999999, ".-9-9-9-9-9-9-9-9-9", "........"},
    };
    for (const QString &page : {a4Page, sheetPage}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(page.toStdString() + " " + std::to_string(c.tax));
            data = {};
            data.sched1Amounts[2] = c.tax;
            data.sched1Amounts[4] = std::max(c.tax, 0);
            const PrintJobLog job = print(page);
            for (int number : {2, 4, 10, 37})
                EXPECT_EQ(wideLine(job, page, number), c.whole) << "line " << number;
            EXPECT_EQ(wideLine(job, page, 13), c.hundreds);
            EXPECT_EQ(wideLine(job, page, 14), c.tax > 0 ? c.hundreds : "........");
            // Nothing prints two figures in one box any more.
            for (const PrintOp &t : job.texts()) {
                if (t.text.trimmed().toInt() != 0) {
                    EXPECT_LE(t.text.trimmed().size(), 2) << t.text.toStdString() << " at " << t.x << ", " << t.y;
                }
            }
        }
    }
}

TEST_F(Schedule1Pages, DigitsAreNumbersInMinchoAtTheirPagesSize) {
    data.sched1Amounts[1] = 1234;
    for (auto [page, size] : {std::pair{a4Page, 14.0}, {sheetPage, 16.0}}) {
        const PrintJobLog job = print(page);
        const Boxes b = linesOf(page).at(1);
        const auto units = opsAt(job, b.x1 + 35, b.y);
        ASSERT_EQ(units.size(), 1u);
        EXPECT_EQ(units.front().text, " 4"); // printed as a number: a blank, then the figure
        EXPECT_EQ(units.front().font, fontname::mincho);
        EXPECT_EQ(units.front().size, size);
    }
}

TEST_F(Schedule1Pages, LinesInThousandsAndHundredsDropTheirLastDigits) {
    data.sched1Amounts[2] = 1234567; // amount 18 = 1,234,567 on line 13
    data.sched1Amounts[5] = 1234500;
    data.sched1Amounts[6] = 8000000;
    data.sched1Amounts[8] = 999;
    for (const QString &page : {a4Page, sheetPage}) {
        SCOPED_TRACE(page.toStdString());
        const PrintJobLog job = print(page);
        EXPECT_EQ(line(job, page, 13), ".12345");
        EXPECT_EQ(line(job, page, 15), ".12345");
        EXPECT_EQ(line(job, page, 30), ".8000"); // the form's 000 completes 8,000,000
        EXPECT_EQ(line(job, page, 31), ".....");
        EXPECT_EQ(line(job, page, 2), ".1234567");
        EXPECT_EQ(line(job, page, 37), ".1234567");
    }
}

TEST_F(Schedule1Pages, CreditLinesAndTheDeductionLine) {
    data.sched1Amounts[3] = 15315;
    for (std::int32_t due : {0, 1}) {
        data.sched1Amounts[5] = due;
        for (const QString &page : {a4Page, sheetPage}) {
            SCOPED_TRACE(page.toStdString() + " due " + std::to_string(due));
            const PrintJobLog job = print(page);
            EXPECT_EQ(line(job, page, 12), due >= 1 ? "...15315" : "........");
            EXPECT_EQ(line(job, page, 42), "...15315");
            EXPECT_EQ(line(job, page, 44), "...15315");
        }
    }
}

TEST_F(Schedule1Pages, ARefundOfInterimTaxLeavesLineFifteenBlankAndPrintsNoMinusSigns) {
    // Interim tax larger than the tax after the credit: amount 5 is negative while amount 18 is not.
    auto &a = data.sched1Amounts;
    a[2] = 100000, a[4] = 300000, a[5] = -200000;
    for (const QString &page : {a4Page, sheetPage}) {
        SCOPED_TRACE(page.toStdString());
        const PrintJobLog job = print(page);
        EXPECT_EQ(line(job, page, 13), "..1000");
        EXPECT_EQ(line(job, page, 15), "......");
        EXPECT_EQ(line(job, page, 17), "..300000");
        EXPECT_EQ(line(job, page, 19), "..300000");
        for (const PrintOp &t : job.texts())
            EXPECT_FALSE(t.text.startsWith(QLatin1Char('-'))) << t.text.toStdString() << " at " << t.x << ", " << t.y;
    }
}

TEST_F(Schedule1Pages, OnTheSheetTheRefundTotalNeedsAnInterimRefund) {
    // The credit exceeds the tax while amount 5 is 0: the A4 page shows amount 21 on line 19, the sheet does not.
    auto &a = data.sched1Amounts;
    a[2] = 100000, a[3] = 150000;
    EXPECT_EQ(line(print(a4Page), a4Page, 19), "...50000");
    EXPECT_EQ(line(print(sheetPage), sheetPage, 19), "........");
    EXPECT_EQ(a[23], 50000);
}

TEST_F(Schedule1Pages, NamesInTheBrushFaceUnlessTheRepresentativeIsSuppressed) {
    struct Place {
        QString page;
        double repX, repY, repSize, accX, accY, accSize;
    };
    const Place places[] = {{a4Page, 24, 55, 14, 147, 275, 11}, {sheetPage, 40, 54, 14, 148, 280, 14}};
    data.accountantTexts[1] = QStringLiteral("佐藤　一郎");
    for (const Place &p : places) {
        for (const QString &rep : {QStringLiteral("山田　太郎"), QStringLiteral("代表者名・印刷なし")}) {
            SCOPED_TRACE((p.page + " " + rep).toStdString());
            data.companyTexts[10] = rep;
            const PrintJobLog job = print(p.page);
            const bool shown = rep != QStringLiteral("代表者名・印刷なし");
            const auto repTexts = opsAt(job, p.repX, p.repY);
            ASSERT_EQ(repTexts.size(), shown ? 1u : 0u);
            if (shown) {
                EXPECT_EQ(repTexts.front().text, rep);
                EXPECT_EQ(repTexts.front().font, fontname::brush);
                EXPECT_EQ(repTexts.front().size, p.repSize);
            }
            EXPECT_FALSE(findText(job, QStringLiteral("代表者名・印刷なし")));
            const auto acc = opsAt(job, p.accX, p.accY);
            ASSERT_EQ(acc.size(), 1u);
            EXPECT_EQ(acc.front().text, data.accountantTexts[1]);
            EXPECT_EQ(acc.front().font, fontname::brush);
            EXPECT_EQ(acc.front().size, p.accSize);
        }
    }
}

TEST_F(Schedule1Pages, HeaderAndRefundAccountStandWhereTheirShiftsPutThem) {
    data = sampleCompany();
    struct Item {
        double x, y;
        QString text;
    };
    const std::vector<Item> a4 = {
        {108, 78, "確　定"},
        {37, 21, "芝"},
        {24, 42, "株式会社みなと商事"},
        {114, 32, "10,000,000"},
        {108, 41, "〇"},
        {188, 73, "〇"},
        {54, 33, "03-3456-7890"},
        {24, 49, "ヤマダ　タロウ"},
        {112, 250, "みなと"},
        {136, 250, "芝"},
        {157, 250, "普通"},
        {117, 260, "1234567"},
        {107, 65, "〇"},
        {129, 65, "〇"},
    };
    const std::vector<Item> sheet = {
        {112, 80, "確　定"},
        {37, 18, "芝"},
        {24, 41, "株式会社みなと商事"},
        {119, 31, "10,000,000"},
        {111, 40, "〇"},
        {195, 74, "〇"},
        {54, 32, "03-3456-7890"},
        {24, 48, "ヤマダ　タロウ"},
        {117, 258, "みなと"},
        {142, 258, "芝"},
        {164, 258, "普通"},
        {122, 267, "1234567"},
        {110, 61, "〇"},
        {135, 61, "〇"},
    };
    for (auto [page, items] : {std::pair{a4Page, a4}, {sheetPage, sheet}}) {
        const PrintJobLog job = print(page);
        for (const Item &i : items)
            EXPECT_EQ(visibleTextAt(job, i.x, i.y), i.text) << page.toStdString() << " at " << i.x << ", " << i.y;
        EXPECT_EQ(findText(job, QStringLiteral("確　定"))->size, 11);
        EXPECT_EQ(findText(job, QStringLiteral("03-3456-7890"))->size, 9);
    }
}

TEST_F(Schedule1Pages, AccountTypeIsShortenedOnThePageOnly) {
    const std::pair<QString, QString> cases[] = {
        {"普通預金", "普通"}, {"当座預金", "当座"}, {"貯蓄預金", "貯蓄預金"}, {"", "<none>"}};
    for (const auto &[stored, printed] : cases) {
        data.refundBankTexts[4] = stored;
        EXPECT_EQ(visibleTextAt(print(a4Page), 157, 250), printed);
        EXPECT_EQ(visibleTextAt(print(sheetPage), 164, 258), printed);
        EXPECT_EQ(data.refundBankTexts[4], stored);
    }
    // No capital prints nothing.
    EXPECT_EQ(visibleTextAt(print(a4Page), 114, 32), "<none>");
}

TEST_F(Schedule1Pages, DatesPrintTwoDigitsAPart) {
    data.companyNumbers = {0, 1, 0, 19, 4, 1, 20, 3, 31, 20, 5, 30};
    const PrintJobLog job = print(a4Page);
    auto row = [&](const std::vector<double> &xs, double y) {
        QString out;
        for (double x : xs)
            out += visibleTextAt(job, x, y);
        return out;
    };
    // 事業年度 under the representative's address; every part as two numbers, zeros included.
    EXPECT_EQ(row({29, 34, 46, 51, 62.5, 67.5}, 72), " 1 9 0 4 0 1");
    EXPECT_EQ(row({29, 34, 46, 51, 62.5, 67.5}, 84), " 2 0 0 3 3 1");
    // 決算確定の日
    EXPECT_EQ(row({70, 75, 80, 85, 90, 95}, 265), " 2 0 0 5 3 0");
    EXPECT_EQ(findText(job, QStringLiteral(" 9"))->size, 14);
    EXPECT_THAT(state.dateDigits[4], ::testing::ElementsAre(0, 1, 9));
    EXPECT_THAT(state.dateDigits[9], ::testing::ElementsAre(0, 3, 1));
    EXPECT_THAT(state.dateDigits[2], ::testing::ElementsAre(0, 0, 5));

    // The sheet prints the settlement date only, 7 mm lower than the image does.
    const PrintJobLog sheet = print(sheetPage);
    QString settled;
    for (double x : {71, 76, 81, 86, 91, 96})
        settled += visibleTextAt(sheet, x, 272);
    EXPECT_EQ(settled, " 2 0 0 5 3 0");
    EXPECT_FALSE(findText(sheet, QStringLiteral(" 9")));
}

TEST_F(Schedule1Pages, OneJobThatLeavesTheDigitRowsAndEveryOffsetAtZero) {
    data = sampleCompany();
    data.sched1Amounts[1] = -1234567;
    for (const QString &page : {a4Page, sheetPage}) {
        PrintRecorder recorder;
        printPage(*pageSpec(page), data, state);
        ASSERT_EQ(recorder.jobs.size(), 1u);
        const PrintJobLog &job = recorder.jobs.front();
        EXPECT_TRUE(job.ended());
        EXPECT_EQ(
            std::count_if(job.ops.begin(), job.ops.end(), [](const PrintOp &op) { return op.kind == PrintOp::EndDoc; }),
            1);
        EXPECT_EQ(job.textsEqual(QStringLiteral("確　定")).size(), 1u);
        EXPECT_EQ(state.blockOffsetX, 0);
        EXPECT_EQ(state.blockOffsetY, 0);
        EXPECT_EQ(state.pageShiftX, 0);
        EXPECT_EQ(state.pageShiftY, 0);
        // A loss row keeps absolute digits, the others their sign; row 10 holds amount 18.
        EXPECT_THAT(state.sched1Digits[1], ::testing::ElementsAre(0, 0, 1, 2, 3, 4, 5, 6, 7));
        EXPECT_THAT(state.sched1Digits[10], ::testing::ElementsAre(0, 0, 3, 0, 5, 0, 2, 8, 5));
    }
    // The picture page paints its image first, at the form's size.
    const PrintJobLog job = print(a4Page);
    ASSERT_EQ(job.ops.front().kind, PrintOp::Picture);
    EXPECT_EQ(job.ops.front().x2, 200);
    EXPECT_EQ(job.ops.front().y2, 288);
    EXPECT_NE(print(sheetPage).ops.front().kind, PrintOp::Picture);
}

TEST_F(Schedule1Pages, ADerivedAmountBeyondThirtyTwoBitsStopsThePage) {
    data.sched1Amounts[2] = std::numeric_limits<std::int32_t>::min();
    data.sched1Amounts[3] = 1;
    for (const QString &page : {a4Page, sheetPage}) {
        PrintRecorder recorder;
        EXPECT_THROW(printPage(*pageSpec(page), data, state), Error);
        ASSERT_EQ(recorder.jobs.size(), 1u);
        EXPECT_TRUE(recorder.jobs.front().aborted());
        EXPECT_EQ(state.pageShiftY, 0);
    }
}

TEST_F(Schedule1Pages, SampleCompanyPrintsWhereTheRecorderSays) {
    data = sampleCompany();
    const QString pdf = renderPage(a4Page, data, QStringLiteral("schedule1-page"));
    const auto name = pdfWordsContaining(pdf, QStringLiteral("みなと商事"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_NEAR(name.front().mm.left(), 24, 0.5);
    EXPECT_NEAR(name.front().mm.top(), 42, 1.0);
    const auto capital = pdfWordsContaining(pdf, QStringLiteral("10,000,000"));
    ASSERT_EQ(capital.size(), 1u);
    EXPECT_NEAR(capital.front().mm.left(), 114, 0.5);

    PrintData sheetData = sampleCompany();
    renderPage(sheetPage, sheetData, QStringLiteral("schedule1-office-sheet"));
    EXPECT_EQ(sheetData.sched1Amounts, data.sched1Amounts);
}

} // namespace
} // namespace hz::test
