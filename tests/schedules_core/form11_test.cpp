#include "core/paths.h"
#include "schedules/core/Form11.h"
#include "schedules/core/capital.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QString kFile5 = QStringLiteral("c:\\法人税\\別表\\1051資準5.txt");
const QString kFile6 = QStringLiteral("c:\\法人税\\別表\\1051資準6.txt");

class CapitalWindow : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
    }
    QStringList amounts(Form11 &f) {
        QStringList t;
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c)
                t << f.cellBox(r, c).text();
        return t;
    }
};

TEST_F(CapitalWindow, ComputeSavesTheGridWithNegativeEntries) {
    Form11 &f = form11();
    f.Text1.setText(QStringLiteral("5"));
    f.Text2.setText(QStringLiteral("1000000"));
    f.Text3.setText(QStringLiteral("200,000"));
    f.Text4.setText(QStringLiteral("50000"));
    f.Text8.setText(QStringLiteral("その他資本剰余金"));
    f.Text9.setText(QStringLiteral("-300000"));
    f.Text11.setText(QStringLiteral("-20,000"));
    f.Text16.setText(QStringLiteral("-5000"));
    f.Text17.setText(QStringLiteral("abc")); // counts as 0
    f.Text5.setText(QStringLiteral("999"));  // computed: ignored
    f.Text21.setText(QStringLiteral("999"));
    click(f.Command1);

    EXPECT_TRUE(svc.events.isEmpty());
    EXPECT_EQ(readFile(kFile5),
              lines({"1000000", "200000", "50000", "850000", "-300000", "0", "-20000", "-320000", "0", "-5000", "0",
                     "5000", "700000", "195000", "30000", "535000", "\"その他資本剰余金\"", "\"\""}));
    EXPECT_EQ(amounts(f),
              (QStringList{"1,000,000", "200,000", "50,000", "850,000", "-300,000", "", "-20,000", "-320,000", "",
                           "-5,000", "", "5,000", "700,000", "195,000", "30,000", "535,000"}));
    EXPECT_EQ(f.Text8.text(), QStringLiteral("その他資本剰余金"));
    snapshot(f, QStringLiteral("form11"));
}

TEST_F(CapitalWindow, DataLoadsTheRecordAndSavesItRecomputed) {
    // A record whose balances no longer agree with its entries.
    writeFile(kFile5, lines({"100", "0", "0", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "\"甲\"",
                             "\"乙\""}));
    form11().Text1.setText(QStringLiteral("5"));
    click(form11().Command7);
    EXPECT_EQ(readFile(kFile5), lines({"100", "0", "0", "100", "0", "0", "0", "0", "0", "0", "0", "0", "100", "0", "0",
                                       "100", "\"甲\"", "\"乙\""}));
    EXPECT_EQ(form11().Text5.text(), QStringLiteral("100"));
    EXPECT_EQ(form11().Text14.text(), QStringLiteral("乙"));
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(CapitalWindow, CompanyWithoutRecordStartsEmptyInsteadOfTakingThePreviousFigures) {
    writeFile(kFile5, lines({"100", "0", "0", "100", "7", "0", "0", "7", "0", "0", "0", "0", "107", "0", "0", "107",
                             "\"甲\"", "\"乙\""}));
    form11().Text1.setText(QStringLiteral("5"));
    click(form11().Command7);
    EXPECT_EQ(form11().Text2.text(), QStringLiteral("100"));

    form11().Text1.setText(QStringLiteral("6"));
    click(form11().Command7);
    EXPECT_EQ(readFile(kFile6),
              lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "\"\"", "\"\""}));
    for (const QString &t : amounts(form11()))
        EXPECT_EQ(t, QString());
    EXPECT_EQ(form11().Text8.text(), QString());
    EXPECT_EQ(form11().cells, CapitalCells{});
    // Company 5's record is untouched.
    EXPECT_TRUE(readFile(kFile5).startsWith(lines({"100"})));
}

TEST_F(CapitalWindow, FreshWindowForANewCompanySavesZeros) {
    form11().Text1.setText(QStringLiteral("6"));
    click(form11().Command7);
    EXPECT_EQ(readFile(kFile6),
              lines({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "\"\"", "\"\""}));
}

// A record cut short is said by name; the window shows none of it and saves nothing over it, neither at the
// compute DATA presses nor at the next one.
TEST_F(CapitalWindow, ShortRecordIsSaidAndKeptAndLeavesNoFileOpen) {
    QStringList sixteen;
    for (int k = 1; k <= 16; ++k)
        sixteen << QString::number(k);
    writeFile(kFile5, lines(sixteen));
    form11().Text1.setText(QStringLiteral("5"));
    click(form11().Command7);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("資本準備金"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("c:\\法人税\\別表\\1051資準5.txt を読み込めません。\n"
                                                  "ファイルにこれ以上データがありません。"));
    EXPECT_EQ(form11().Text2.text(), QString());
    EXPECT_EQ(readFile(kFile5), lines(sixteen));
    EXPECT_FALSE(sharedHandleOpen());
    click(form11().Command1);
    EXPECT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(readFile(kFile5), lines(sixteen));
}

TEST_F(CapitalWindow, BadCodeShowsOneBoxAndSavesNothing) {
    form11().Text1.setText(QString());
    click(form11().Command7);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("資本準備金"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\別表\\1051資準0.txt")));
}

TEST_F(CapitalWindow, OverflowAndWriteFailureAreReported) {
    writeFile(kFile5, lines({"1"}));
    Form11 &f = form11();
    f.Text1.setText(QStringLiteral("5"));
    f.Text2.setText(QStringLiteral("2,147,483,647"));
    f.Text9.setText(QStringLiteral("1"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("資本準備金"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(readFile(kFile5), lines({"1"}));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("2,147,483,647")) << "the boxes are not refreshed";

    f.Text9.setText(QString());
    deleteFile(kFile5);
    removeFolder(QStringLiteral("c:\\法人税\\別表"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("資本準備金"));
    EXPECT_EQ(svc.boxes[1].prompt, QStringLiteral("パスが見つかりません。"));
}

TEST_F(CapitalWindow, FirstRowButtonEmptiesNamesAndAmounts) {
    Form11 &f = form11();
    f.Text1.setText(QStringLiteral("5"));
    f.Text2.setText(QStringLiteral("100"));
    f.Text8.setText(QStringLiteral("甲"));
    click(f.Command1);
    click(f.Command2);
    for (const QString &t : amounts(f))
        EXPECT_EQ(t, QString());
    EXPECT_EQ(f.Text8.text(), QString());
    EXPECT_TRUE(readFile(kFile5).startsWith(lines({"100"}))) << "the record waits for the next compute";
    click(f.Command1);
    EXPECT_TRUE(readFile(kFile5).startsWith(lines({"0", "0"})));
}

} // namespace
} // namespace hz::test
