#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/print/page_items.h"
#include "tests/print/sample_print_data.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <limits>

namespace hz::test {
namespace {

const QString schedule5_1 = QStringLiteral("別五（一）");

class Schedule5_1Page : public HzTest {
protected:
    PrintJobLog print() { return recordPage(schedule5_1, data, state); }
    // The left end of an 11-point amount whose right edge is R, measured on the plain text of the stored value.
    static double amountX(double right, std::int64_t stored) {
        return right - minchoWidth(11, QString::number(stored));
    }

    PrintData data;
    PageState state;
};

TEST_F(Schedule5_1Page, WithoutFiguresTheWholeFormPrints) {
    const PrintJobLog job = print();
    // 35 row numbers printed as numbers; 1 to 9 one millimetre right of the rest.
    EXPECT_EQ(visibleTextAt(job, 63, 50), " 1");
    EXPECT_EQ(visibleTextAt(job, 63, 98), " 9");
    EXPECT_EQ(visibleTextAt(job, 62, 104), " 10");
    EXPECT_EQ(visibleTextAt(job, 62, 230), " 31");
    EXPECT_EQ(visibleTextAt(job, 62, 260), " 32");
    EXPECT_EQ(visibleTextAt(job, 62, 278), " 35");
    // Fifteen "△" in rows 28 to 30, one at the left of each amount cell.
    const auto marks = job.textsEqual(QStringLiteral("△"));
    ASSERT_EQ(marks.size(), 15u);
    EXPECT_EQ(marks.front().x, 68);
    EXPECT_EQ(marks.front().y, 212);
    EXPECT_EQ(marks.back().x, 168);
    EXPECT_EQ(marks.back().y, 224);
    // The header: 0s in the period, no name; part Ⅱ's title in the gap between the boxes.
    EXPECT_EQ(visibleTextAt(job, 124, 19), " 0");
    EXPECT_EQ(visibleTextAt(job, 115, 12), "・");
    EXPECT_EQ(visibleTextAt(job, 70, 236), "Ⅱ　資 本 積 立 金 額 の 計 算 に 関 す る 明 細 書");
    EXPECT_EQ(findText(job, QStringLiteral("Ⅱ　資 本 積 立 金 額 の 計 算 に 関 す る 明 細 書"))->size, 10);
    EXPECT_TRUE(findText(job, QStringLiteral("差引翌期首現在資本積立金額")));
    // No amount or name: every 11-point text below the title is empty.
    for (const PrintOp &t : job.texts()) {
        if (t.size == 11 && t.y > 30) {
            EXPECT_TRUE(t.text.isEmpty()) << t.text.toStdString();
        }
    }
}

TEST_F(Schedule5_1Page, RulesOfBothParts) {
    const PrintJobLog job = print();
    auto has = [&](double x1, double y1, double x2, double y2, int width) {
        for (const PrintOp &l : job.lines())
            if (near(l.x, x1) && near(l.y, y1) && near(l.x2, x2) && near(l.y2, y2))
                return l.drawWidth == width;
        return false;
    };
    EXPECT_TRUE(has(25, 24, 25, 234, 6));
    EXPECT_TRUE(has(25, 240, 192, 240, 6));
    EXPECT_TRUE(has(25, 48, 192, 48, 2));
    EXPECT_TRUE(has(25, 210, 192, 210, 2));
    EXPECT_TRUE(has(35, 216, 192, 216, 2)); // the label cell 未納法人税等 stays open
    EXPECT_TRUE(has(35, 222, 192, 222, 2));
    EXPECT_TRUE(has(25, 228, 192, 228, 2));
    EXPECT_TRUE(has(167, 30, 167, 234, 2));
    EXPECT_TRUE(has(25, 276, 192, 276, 2));
    for (const PrintOp &l : job.lines()) {
        EXPECT_FALSE(l.x == 167 && l.y >= 240) << "part Ⅱ has no column ⑤";
        EXPECT_FALSE(l.x == l.x2 && l.y < 240 && l.y2 > 234) << "no sides between the boxes";
    }
    EXPECT_EQ(state.ruleY, 18);
}

TEST_F(Schedule5_1Page, PartOneAmountsByRowGroup) {
    auto &c = data.schedule5_1Cells;
    c[1] = 500000;   // 利益準備金 ①
    c[10] = -75000;  // the user's row 2 ⑤
    c[41] = 5400000; // 繰越損益金 ①
    c[48] = 2600000; // 納税充当金 ③
    c[70] = 15849400;
    const PrintJobLog job = print();
    EXPECT_EQ(visibleTextAt(job, amountX(89, 500000), 50), "500,000");
    EXPECT_EQ(visibleTextAt(job, amountX(185, -75000), 158), "-75,000"); // its own sign, no "△"
    // Edges 2 or 3 mm inside their rules: a figure whose commas would reach the rule ends at the edge instead.
    EXPECT_THAT(amountsEndingAt(job, 89, 200), ::testing::ElementsAre("5,400,000"));
    EXPECT_THAT(amountsEndingAt(job, 140, 206), ::testing::ElementsAre("2,600,000"));
    EXPECT_THAT(amountsEndingAt(job, 189, 229), ::testing::ElementsAre("15,849,400"));
    // An amount in the millions ends inside its column, commas included.
    for (const PrintOp &t : job.texts()) {
        if (!t.text.contains(QLatin1Char(',')))
            continue;
        for (double rule : {92.0, 117.0, 142.0, 167.0, 192.0}) {
            EXPECT_FALSE(t.x < rule && t.x + minchoWidth(11, t.text) > rule - 0.5) << t.text.toStdString();
        }
    }
}

TEST_F(Schedule5_1Page, UnpaidTaxesPrintWithTheirSignChangedInSixtyFourBits) {
    auto &c = data.schedule5_1Cells;
    c[51] = -1234567;                                 // 未納法人税 ①
    c[52] = -500;                                     // 未納法人税 ②
    c[57] = 250000;                                   // 未納道府県民税 ②: a positive entry prints with "-"
    c[65] = std::numeric_limits<std::int32_t>::min(); // 未納市町村民税 ⑤
    const PrintJobLog job = print();
    // Placed by the width of the stored amount, minus sign included, where that keeps the figure off the rule;
    // else it ends at the edge, smaller where it must to stay clear of the cell's "△".
    EXPECT_EQ(visibleTextAt(job, amountX(116, -500), 212), "500");
    EXPECT_THAT(amountsEndingAt(job, 91, 212), ::testing::ElementsAre("1,234,567"));
    EXPECT_THAT(amountsEndingAt(job, 116, 218), ::testing::ElementsAre("-250,000"));
    EXPECT_THAT(amountsEndingAt(job, 191, 224), ::testing::ElementsAre("2,147,483,648"));
    EXPECT_EQ(findText(job, QStringLiteral("1,234,567"))->size, 11);
    EXPECT_LT(findText(job, QStringLiteral("2,147,483,648"))->size, 11);
    EXPECT_GT(findText(job, QStringLiteral("2,147,483,648"))->x, 168 + minchoWidth(8, QStringLiteral("△")));
}

TEST_F(Schedule5_1Page, RowNamesAndThePartTwoFigures) {
    data.schedule5_1RowNames = {"", "別途積立金", "", "", "", "", "", "固定資産圧縮積立金"};
    data.capitalRowNames = {"", "その他資本剰余金", "自己株式"};
    auto &k = data.capitalCells;
    k[1] = 1000000, k[4] = 1000000; // 資本準備金 ① and ④
    k[6] = -20000;                  // the user's row 1 ②
    k[16] = 980000;
    const PrintJobLog job = print();
    EXPECT_EQ(visibleTextAt(job, 28, 158), "別途積立金");
    // Set smaller to fit its cell, on its row's baseline.
    const auto shrunk = findText(job, QStringLiteral("固定資産圧縮積立金"));
    ASSERT_TRUE(shrunk);
    EXPECT_EQ(shrunk->x, 28);
    EXPECT_LT(shrunk->size, 11);
    EXPECT_TRUE(onLine(*shrunk, 194));
    EXPECT_EQ(visibleTextAt(job, 28, 164), "<none>");
    EXPECT_EQ(opsAt(job, 28, 158).front().size, 11);
    EXPECT_EQ(visibleTextAt(job, 28, 265), "その他資本剰余金");
    EXPECT_EQ(visibleTextAt(job, 28, 271), "自己株式");
    EXPECT_THAT(amountsEndingAt(job, 89, 259), ::testing::ElementsAre("1,000,000")); // its commas would reach 92
    EXPECT_EQ(visibleTextAt(job, amountX(179, 1000000), 259), "1,000,000");
    EXPECT_EQ(visibleTextAt(job, amountX(113, -20000), 265), "-20,000");
    EXPECT_EQ(visibleTextAt(job, amountX(179, 980000), 277), "980,000");
    EXPECT_TRUE(job.ended());
    EXPECT_EQ(state.blockOffsetX, 0);
    EXPECT_EQ(state.blockOffsetY, 0);
}

TEST_F(Schedule5_1Page, SampleCompanyPrintsWhereTheRecorderSays) {
    data = sampleCompany();
    const QString pdf = renderPage(schedule5_1, data, QStringLiteral("schedule5-1-page"));
    const auto total = pdfWordsContaining(pdf, QStringLiteral("15,849,400"));
    ASSERT_EQ(total.size(), 1u);
    EXPECT_NEAR(total.front().mm.left(), 189 - minchoWidth(11, QStringLiteral("15,849,400")), 0.3);
    EXPECT_NEAR(total.front().mm.top(), 229, 1.0);
    EXPECT_LT(total.front().mm.right(), 192);
}

} // namespace
} // namespace hz::test
