#include "print/pages.h"
#include "tests/print/page_items.h"
#include "tests/print/sample_print_data.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace hz::test {
namespace {

const QString schedule4 = QStringLiteral("別表四");

class Schedule4Page : public HzTest {
protected:
    PrintJobLog print() { return recordPage(schedule4, data, state); }
    // The left end of an 11-point amount printed at right edge R: placed by its plain digits.
    static double amountX(double right, std::int64_t v, double points = 11) {
        return right - minchoWidth(points, QString::number(v));
    }

    PrintData data;
    PageState state;
};

TEST_F(Schedule4Page, TheFormIsTheSameForEveryCompany) {
    const PrintJobLog blank = print();
    data = sampleCompany();
    const PrintJobLog sample = print();
    auto ends = [](const PrintJobLog &job) {
        std::vector<std::array<double, 5>> out;
        for (const PrintOp &l : job.lines())
            out.push_back({l.x, l.y, l.x2, l.y2, double(l.drawWidth)});
        return out;
    };
    EXPECT_EQ(ends(blank), ends(sample));
    // Without figures the page is the form, the header's period as 0s and nothing else.
    EXPECT_EQ(visibleTextAt(blank, 110, 12), " 0");
    EXPECT_EQ(visibleTextAt(blank, 142, 15), "<none>");
    EXPECT_EQ(state.blockOffsetX, 0);
}

TEST_F(Schedule4Page, RulesFramesAndStrikeMarks) {
    const PrintJobLog job = print();
    const auto lines = job.lines();
    auto widthOf = [&](double x1, double y1, double x2, double y2) {
        for (const PrintOp &l : lines)
            if (near(l.x, x1) && near(l.y, y1) && near(l.x2, x2) && near(l.y2, y2))
                return l.drawWidth;
        return 0;
    };
    // Heavy outer frame and header box, light grid.
    EXPECT_EQ(widthOf(25, 24, 192, 24), 6);
    EXPECT_EQ(widthOf(25, 282, 192, 282), 6);
    EXPECT_EQ(widthOf(102, 9, 192, 9), 6);
    EXPECT_EQ(widthOf(76, 36, 192, 36), 2);
    // Row rules leave the block-label strip open inside 加算 and 減算 and run full width below.
    for (int y = 66; y <= 204; y += 6)
        EXPECT_EQ(widthOf(33, y, 192, y), 2) << y;
    for (int y = 210; y <= 276; y += 6)
        EXPECT_EQ(widthOf(25, y, 192, y), 2) << y;
    EXPECT_EQ(widthOf(25, 60, 192, 60), 2);
    EXPECT_EQ(widthOf(25, 138, 192, 138), 2);
    EXPECT_EQ(widthOf(33, 60, 33, 210), 2);
    EXPECT_EQ(state.ruleY, 252);
    // Strike marks, bottom-left to top-right: ② of line 6, both parts of ③ on line 2, the mark strip alone on 11.
    EXPECT_EQ(widthOf(110, 90, 144, 84), 2);
    EXPECT_EQ(widthOf(144, 66, 157, 60), 2);
    EXPECT_EQ(widthOf(157, 66, 192, 60), 2);
    EXPECT_EQ(widthOf(144, 138, 157, 132), 2);
    EXPECT_EQ(widthOf(157, 138, 192, 132), 0);
    const auto diagonals =
        std::count_if(lines.begin(), lines.end(), [](const PrintOp &l) { return l.y != l.y2 && l.x != l.x2; });
    EXPECT_EQ(diagonals, 11 + 9 + 8);
}

TEST_F(Schedule4Page, LineNumbersAreTextInTheirColumn) {
    const PrintJobLog job = print();
    const std::vector<std::tuple<QString, double, double>> numbers = {
        {"1", 71, 50},   {"9", 71, 104},  {"10", 70, 110}, {"11", 70, 134}, {"22", 70, 211},
        {"23", 70, 217}, {"26", 70, 223}, {"37", 70, 272}, {"39", 70, 278}};
    for (const auto &[n, x, y] : numbers) {
        EXPECT_EQ(visibleTextAt(job, x, y), n) << n.toStdString();
        EXPECT_EQ(opsAt(job, x, y).front().size, 8);
    }
    for (const char *missing : {"24", "25", "32", "33", "34", "38"})
        EXPECT_FALSE(findText(job, QString::fromLatin1(missing))) << missing;
}

TEST_F(Schedule4Page, CaptionsStayInsideTheirCells) {
    // Every caption of the caption column ends clear of the line-number column; the heads stay in their columns.
    const PrintJobLog job = print();
    for (const PrintOp &t : job.texts()) {
        if (t.x >= 25 && t.x < 67 && t.y > 42) {
            EXPECT_LE(t.x + minchoWidth(t.size, t.text), 66.5) << t.text.toStdString();
        }
    }
    const auto head = findText(job, QStringLiteral("区") + QString(19, QLatin1Char(' ')) + QStringLiteral("分"));
    ASSERT_TRUE(head);
    EXPECT_LE(head->x + minchoWidth(8, head->text), 76);
    const auto title = findText(job, QStringLiteral("所得の金額の計算に関する明細書(簡易様式)"));
    ASSERT_TRUE(title);
    EXPECT_LE(title->x + minchoWidth(title->size, title->text), 102);
    EXPECT_TRUE(findText(job, QStringLiteral("金、延滞金及び過怠税")));
}

TEST_F(Schedule4Page, AmountsRightAlignedInTheirColumnsWithTheCommasReachingPast) {
    data.schedule4Cells[1] = 1234567;
    data.schedule4Cells[2] = -5000;
    data.schedule4Cells[3] = 500000;
    data.schedule4Cells[12] = 12000;
    data.schedule4Cells[14] = 12000;
    data.schedule4Cells[48] = -300000;
    const PrintJobLog job = print();
    EXPECT_EQ(visibleTextAt(job, amountX(105, 1234567), 50), "1,234,567");
    EXPECT_EQ(visibleTextAt(job, amountX(138, -5000), 50), "-5,000");
    EXPECT_EQ(visibleTextAt(job, amountX(188, 500000), 50), "500,000"); // ③ of line 1, in its 賞与 sub-row
    EXPECT_EQ(visibleTextAt(job, amountX(105, 12000), 86), "12,000");
    EXPECT_EQ(visibleTextAt(job, amountX(186, 12000), 86), "12,000"); // line 6 beside その他; its ② is struck
    // Under the form's "△" the figure keeps its own sign.
    EXPECT_EQ(visibleTextAt(job, amountX(105, -300000), 271), "-300,000");
    const auto big = findText(job, QStringLiteral("1,234,567"));
    EXPECT_EQ(big->size, 11);
    EXPECT_EQ(big->font, fontname::mincho);
    // A zero prints nothing.
    EXPECT_EQ(visibleTextAt(job, amountX(138, 0), 86), "<none>");
}

TEST_F(Schedule4Page, TotalsCreditsAndSubCells) {
    auto &c = data.schedule4Cells;
    c[42] = 2000000, c[43] = 1500000, c[44] = 500000, c[55] = -30000;
    c[40] = c[41] = 999; // the record's own copy of the credit is not printed
    c[36] = 70000, c[50] = 10000, c[39] = 80000, c[51] = -10000, c[54] = 90000, c[56] = 20000;
    data.schedule6Cells[9] = 15315;
    const PrintJobLog job = print();
    // 28 合計, 30 総計 and 36 差引計 print the same cells.
    for (double y : {236.0, 248.0, 266.0}) {
        EXPECT_EQ(visibleTextAt(job, amountX(105, 2000000), y), "2,000,000") << y;
        EXPECT_EQ(visibleTextAt(job, amountX(138, 1500000), y), "1,500,000") << y;
        EXPECT_EQ(visibleTextAt(job, amountX(186, -30000, 8), y - 2), "-30,000") << y;
        EXPECT_EQ(visibleTextAt(job, amountX(186, 500000, 8), y + 1), "500,000") << y;
    }
    // Line 26 takes Schedule 6's credit, in ① and in ③.
    EXPECT_EQ(visibleTextAt(job, amountX(105, 15315), 223), "15,315");
    EXPECT_EQ(visibleTextAt(job, amountX(186, 15315), 223), "15,315");
    EXPECT_FALSE(findText(job, QStringLiteral("999")));
    // ※ and 社外流出 of lines 21, 22 and 39, in 8 pt.
    EXPECT_EQ(visibleTextAt(job, amountX(186, 10000, 8), 204), "10,000");
    EXPECT_EQ(visibleTextAt(job, amountX(186, 70000, 8), 207), "70,000");
    EXPECT_EQ(visibleTextAt(job, amountX(186, -10000, 8), 210), "-10,000");
    EXPECT_EQ(visibleTextAt(job, amountX(186, 80000, 8), 213), "80,000");
    EXPECT_EQ(visibleTextAt(job, amountX(186, 20000, 8), 276), "20,000");
    EXPECT_EQ(visibleTextAt(job, amountX(186, 90000, 8), 278.7), "90,000"); // clear of the frame below
    EXPECT_EQ(findText(job, QStringLiteral("90,000"))->size, 8);
}

TEST_F(Schedule4Page, RowNamesOnTheirLinesAndOffsetsBackAtZero) {
    data.schedule4RowNames = {"", "賞与引当金繰入", "寄附金", "賞与引当金認容", "とても長い名前の調整項目です"};
    const PrintJobLog job = print();
    EXPECT_EQ(visibleTextAt(job, 37, 103), "賞与引当金繰入");
    // Line 10's name 1 mm under its top rule like line 9's, not on the rule.
    EXPECT_EQ(visibleTextAt(job, 37, 109), "寄附金");
    EXPECT_EQ(visibleTextAt(job, 37, 169), "賞与引当金認容");
    // Too long for one line: whole, in its row between the rules.
    expectTextInBox(job, QStringLiteral("とても長い名前の調整項目です"), {33, 174, 67, 180});
    EXPECT_EQ(opsAt(job, 37, 103).front().size, 11);
    EXPECT_TRUE(job.ended());
    EXPECT_EQ(state.blockOffsetX, 0);
    EXPECT_EQ(state.blockOffsetY, 0);
    EXPECT_EQ(state.lineOriginX, 0);
}

TEST_F(Schedule4Page, SampleCompanyPrintsWhereTheRecorderSays) {
    data = sampleCompany();
    const QString pdf = renderPage(schedule4, data, QStringLiteral("schedule4-page"));
    const auto income = pdfWordsContaining(pdf, QStringLiteral("8,200,000"));
    ASSERT_EQ(income.size(), 1u);
    EXPECT_NEAR(income.front().mm.left(), amountX(105, 8200000), 0.3);
    EXPECT_NEAR(income.front().mm.top(), 50, 1.0);
    const auto name = pdfWordsContaining(pdf, QStringLiteral("みなと商事"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_NEAR(name.front().mm.left(), 142, 0.5);
}

} // namespace
} // namespace hz::test
