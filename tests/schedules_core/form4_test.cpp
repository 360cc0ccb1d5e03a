#include "app/Form1.h"
#include "core/paths.h"
#include "schedules/core/Form4.h"
#include "schedules/core/schedule2.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QString kFile = QStringLiteral("c:\\法人税\\別表\\10205.txt");

class Schedule2Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
    }
    // A record of company 5 with two shareholders.
    void record(const QString &total, const QString &topThree, const QString &percent) {
        writeFile(kFile, lines({"\"非同族会社\"", "\"1\"",      "\"2\"", "\"\"", "\"\"", "\"\"",     "\"\"",
                                "\"東京都\"",     "\"大阪府\"", "\"\"",  "\"\"", "\"\"", "\"\"",     "\"山田太郎\"",
                                "\"山田花子\"",   "\"\"",       "\"\"",  "\"\"", "\"\"", "\"本人\"", "\"妻\"",
                                "\"\"",           "\"\"",       "\"\"",  "\"\"", total,  topThree,   percent,
                                "1500000",        "500000",     "0",     "0",    "0",    "0"}));
    }
};

TEST_F(Schedule2Window, SaveTotalsTheHoldingsAndWritesTheRecord) {
    Form4 &f = form4();
    f.Text1.setText(QStringLiteral("5"));
    f.Text8.setText(QStringLiteral("山田太郎"));
    f.Text10.setText(QStringLiteral("600"));
    f.Text31.setText(QStringLiteral("300"));
    f.Text32.setText(QStringLiteral("100"));
    f.Text2.setText(QStringLiteral("99,999")); // replaced by the sum
    f.Text3.setText(QStringLiteral("900"));
    f.Text4.setText(QStringLiteral("90"));
    click(f.Command1);

    EXPECT_EQ(f.Text2.text(), QStringLiteral("1,000"));
    EXPECT_EQ(f.Text3.text(), QStringLiteral("900"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("90"));
    EXPECT_EQ(svc.events, QStringList{"beep"});
    // A fresh window: "1" and "本　　人" in row 1, one blank elsewhere, "0" holdings.
    EXPECT_EQ(readFile(kFile), lines({"\"同族会社\"",
                                      "\"1\"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\"山田太郎\"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\"本　　人\"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "\" \"",
                                      "1000",
                                      "900",
                                      "90",
                                      "600",
                                      "300",
                                      "100",
                                      "0",
                                      "0",
                                      "0"}));

    // Then DATA shows the percentage worked out from the holdings.
    f.Text4.setText(QString());
    click(f.Command7);
    EXPECT_EQ(f.Text4.text(), QStringLiteral("90"));
    snapshot(f, QStringLiteral("form4"));
}

TEST_F(Schedule2Window, TypedFiguresRoundHalfToEvenAndBadOnesCountZero) {
    struct Case {
        const char *typed;
        const char *line28;
    } cases[] = {{"66.5", "66"}, {"67.5", "68"}, {"abc", "0"}, {"", "0"}, {"1,234", "1234"}};
    for (const Case &c : cases) {
        form4().Text1.setText(QStringLiteral("5"));
        form4().Text4.setText(QString::fromUtf8(c.typed));
        click(form4().Command1);
        const QList<QByteArray> l = readFile(kFile).split('\n');
        EXPECT_EQ(l[27], QByteArray(c.line28) + '\r') << c.typed;
    }
}

TEST_F(Schedule2Window, DataShowsTheRecordAndComputesThePercentage) {
    record("2000000", "2000000", "0");
    form4().Text1.setText(QStringLiteral("5"));
    form4().Text4.setText(QStringLiteral("12"));
    click(form4().Command7);
    Form4 &f = form4();
    EXPECT_EQ(f.Text5.text(), QStringLiteral("非同族会社"));
    EXPECT_EQ(f.Text6.text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text11.text(), QStringLiteral("2"));
    EXPECT_EQ(f.Text16.text(), QStringLiteral("大阪府"));
    EXPECT_EQ(f.Text21.text(), QStringLiteral("山田花子"));
    EXPECT_EQ(f.Text26.text(), QStringLiteral("妻"));
    EXPECT_EQ(f.Text10.text(), QStringLiteral("1,500,000"));
    EXPECT_EQ(f.Text31.text(), QStringLiteral("500,000"));
    EXPECT_EQ(f.Text32.text(), QString());
    EXPECT_EQ(f.Text2.text(), QStringLiteral("2,000,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("100")) << "computed, not the stored line 28";
    EXPECT_TRUE(svc.events.isEmpty());

    struct Case {
        const char *total, *topThree, *percent;
    } cases[] = {{"10000", "5800", "58"}, {"100", "29", "29"}, {"3", "2", "66"}};
    for (const Case &c : cases) {
        record(c.total, c.topThree, "0");
        click(form4().Command7);
        EXPECT_EQ(form4().Text4.text(), QString::fromUtf8(c.percent)) << c.topThree << " of " << c.total;
    }
}

TEST_F(Schedule2Window, PercentageThatCannotBeWorkedOutShowsTheCompanysOwn) {
    // Another company's figures are on screen; this company's total is 0.
    form4().Text4.setText(QStringLiteral("77"));
    record("0", "0", "100");
    form4().Text1.setText(QStringLiteral("5"));
    click(form4().Command7);
    EXPECT_EQ(form4().Text4.text(), QStringLiteral("100"));
    record("0", "0", "0");
    form4().Text4.setText(QStringLiteral("77"));
    click(form4().Command7);
    EXPECT_EQ(form4().Text4.text(), QString());
    // Too large for a whole number: 2,147,483,647 of 1.
    record("1", "2147483647", "45");
    click(form4().Command7);
    EXPECT_EQ(form4().Text4.text(), QStringLiteral("45"));
}

TEST_F(Schedule2Window, DataWithoutRecordStartsTheCompanyAfresh) {
    record("2000000", "2000000", "100");
    form4().Text1.setText(QStringLiteral("5"));
    click(form4().Command7);
    form4().Text1.setText(QStringLiteral("6"));
    click(form4().Command7);
    Form4 &f = form4();
    EXPECT_EQ(f.Text5.text(), QStringLiteral("同族会社"));
    EXPECT_EQ(f.Text6.text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text9.text(), QStringLiteral("本　　人"));
    for (TextBox *b : {&f.Text7, &f.Text8, &f.Text10, &f.Text11, &f.Text16, &f.Text21, &f.Text26, &f.Text31, &f.Text2,
                       &f.Text3, &f.Text4})
        EXPECT_EQ(b->text(), QString()) << qPrintable(b->name());
    EXPECT_EQ(f.holderAmounts[0], 0);
    // "同数" then takes the zero total, and the save stores company 6's own (empty) figures.
    click(f.Command2);
    EXPECT_TRUE(readFile(QStringLiteral("c:\\法人税\\別表\\10206.txt"))
                    .endsWith("\"\r\n" + lines({"0", "0", "0", "0", "0", "0", "0", "0", "0"})));
    EXPECT_EQ(readSchedule2(6).holderTexts[0], QStringLiteral("同族会社"));
}

TEST_F(Schedule2Window, DataWithBadCodeChangesNothing) {
    form4().Text1.setText(QStringLiteral("x"));
    form4().Text7.setText(QStringLiteral("住所"));
    click(form4().Command7);
    EXPECT_EQ(form4().Text7.text(), QStringLiteral("住所"));
    EXPECT_TRUE(svc.events.isEmpty());
}

TEST_F(Schedule2Window, SameAsTotalUsesTheLastSavedTotal) {
    Form4 &f = form4();
    f.Text1.setText(QStringLiteral("5"));
    f.Text10.setText(QStringLiteral("600"));
    click(f.Command1);
    f.Text31.setText(QStringLiteral("400")); // typed, not saved yet
    click(f.Command2);
    EXPECT_EQ(f.Text3.text(), QStringLiteral("600"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("1,000"));
    const QList<QByteArray> l = readFile(kFile).split('\n');
    EXPECT_EQ(l[25], "1000\r");
    EXPECT_EQ(l[26], "600\r");
    EXPECT_EQ(svc.beeps, 2);
}

TEST_F(Schedule2Window, HundredPercentAndCheckBoxes) {
    Form4 &f = form4();
    f.Text1.setText(QStringLiteral("5"));
    click(f.Command3);
    EXPECT_EQ(f.Text4.text(), QStringLiteral("100"));
    f.Text32.setText(QStringLiteral("100"));
    f.Check3.click();
    EXPECT_EQ(f.Text32.text(), QString());
    f.Text32.setText(QStringLiteral("100"));
    f.Check3.click(); // clearing the mark empties it too
    EXPECT_EQ(f.Text32.text(), QString());
    EXPECT_EQ(f.Text10.text(), QStringLiteral("0"));
    click(f.Command1);
    const QList<QByteArray> l = readFile(kFile).split('\n');
    EXPECT_EQ(l[27], "100\r");
    EXPECT_EQ(l[30], "0\r");
}

TEST_F(Schedule2Window, FailuresShowTheSchedule2Box) {
    Form4 &f = form4();
    f.Text1.setText(QString());
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表二"));
    EXPECT_EQ(svc.boxes[0].buttons, 48);

    f.Text1.setText(QStringLiteral("5"));
    f.Text10.setText(QStringLiteral("2,000,000,000"));
    f.Text31.setText(QStringLiteral("2,000,000,000"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("別表二"));
    EXPECT_FALSE(exists(kFile));

    f.Text31.setText(QString());
    removeFolder(QStringLiteral("c:\\法人税\\別表"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 3u);
    EXPECT_EQ(svc.boxes[2].prompt, QStringLiteral("パスが見つかりません。"));
    EXPECT_EQ(svc.boxes[2].title, QStringLiteral("別表二"));
    EXPECT_EQ(svc.beeps, 0);
}

TEST_F(Schedule2Window, MenuShowsTheMainMenu) {
    click(form4().Command10);
    EXPECT_TRUE(form1().isVisible());
}

} // namespace
} // namespace hz::test
