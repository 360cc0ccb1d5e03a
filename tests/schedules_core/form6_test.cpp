#include "app/Form1.h"
#include "core/paths.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/core/tax_rates.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QString kFile = QStringLiteral("c:\\法人税\\別表\\10515.txt");
const QString kSchedule4File = QStringLiteral("c:\\法人税\\別表\\10405.txt");

class Schedule5_1Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        // Schedule 4's compute reaches Schedule 1, which needs the rate table.
        writeTaxRates(TaxRateTable{{22, 30, 5, 7.3f, 9.6f, 5, 20000, 12.3f, 50000}});
        form6().Text1.setText(QStringLiteral("5"));
        form5().Text100.setText(QStringLiteral("5"));
    }
    QStringList zeros(int n) {
        QStringList l;
        for (int i = 0; i < n; ++i)
            l << "0";
        return l;
    }
    QStringList allAmounts() {
        QStringList t;
        for (int r = 1; r <= 14; ++r)
            for (int c = 1; c <= 5; ++c)
                t << form6().cellBox(r, c).text();
        return t;
    }
};

TEST_F(Schedule5_1Window, EmptyGridSavesZerosAndPushesZeros) {
    click(form6().Command1);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(readFile(kFile), lines(zeros(70) + QStringList{"\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\""}));
    for (TextBox *b : {&form5().Text81, &form5().Text82, &form5().Text83, &form5().Text96})
        EXPECT_EQ(b->text(), QStringLiteral("0")) << qPrintable(b->name());
    for (const QString &t : allAmounts())
        EXPECT_EQ(t, QString());
    EXPECT_TRUE(exists(kSchedule4File)) << "Schedule 4's compute ran";
}

TEST_F(Schedule5_1Window, ComputeSavesPushesReloadsAndReconciles) {
    Form6 &f = form6();
    f.Text8.setText(QStringLiteral("別途積立金"));
    f.Text2.setText(QStringLiteral("1,000,000")); // 利益準備金 ①
    f.Text9.setText(QStringLiteral("300000"));    // 別途積立金 ①
    f.Text10.setText(QStringLiteral("100000"));   //            ②
    f.Text51.setText(QStringLiteral("5000000"));  // 繰越損益金 ①
    f.Text52.setText(QStringLiteral("42"));       //            ② typed: replaced by ①
    f.Text53.setText(QStringLiteral("5800000"));  //            ③
    f.Text63.setText(QStringLiteral("1,000"));    // 未納法人税 ① typed positive
    f.Text66.setText(QStringLiteral("300000"));   //            ④
    f.Text72.setText(QStringLiteral("-50,000"));  // 未納県民税 ④ as Schedule 5(2) sends it
    f.Text78.setText(QStringLiteral("130000"));   // 未納市民税 ④
    f.Text81.setText(QStringLiteral("999"));      // totals typed: ignored
    f.Command8.setCaption(QStringLiteral("ミス 1円"));
    click(f.Command1);

    EXPECT_TRUE(svc.boxes.empty());
    // Row 9 ② = ①; unpaid taxes negative; ⑤ per row; row 14 sums.
    QStringList expected = zeros(70);
    auto set = [&](int r, int c, const char *v) { expected[schedule5_1Cell(r, c) - 1] = v; };
    set(1, 1, "1000000");
    set(1, 5, "1000000");
    set(2, 1, "300000");
    set(2, 2, "100000");
    set(2, 5, "200000");
    set(9, 1, "5000000");
    set(9, 2, "5000000");
    set(9, 3, "5800000");
    set(9, 5, "5800000");
    set(11, 1, "-1000");
    set(11, 4, "-300000");
    set(11, 5, "-301000");
    set(12, 4, "-50000");
    set(12, 5, "-50000");
    set(13, 4, "-130000");
    set(13, 5, "-130000");
    set(14, 1, "6299000");
    set(14, 2, "5100000");
    set(14, 3, "5800000");
    set(14, 4, "-480000");
    set(14, 5, "6519000");
    EXPECT_EQ(readFile(kFile),
              lines(expected + QStringList{"\"別途積立金\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\""}));

    // Plain decimal into Schedule 4, for its check.
    EXPECT_EQ(form5().Text81.text(), QStringLiteral("6299000"));
    EXPECT_EQ(form5().Text82.text(), QStringLiteral("-480000"));
    EXPECT_EQ(form5().Text83.text(), QStringLiteral("6519000"));
    EXPECT_EQ(form5().Text96.text(), QStringLiteral("0"));
    // Reloaded from the record: grouped, unpaid taxes with a minus sign, zeros empty.
    EXPECT_EQ(f.Text2.text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(f.Text52.text(), QStringLiteral("5,000,000"));
    EXPECT_EQ(f.Text63.text(), QStringLiteral("-1,000"));
    EXPECT_EQ(f.Text67.text(), QStringLiteral("-301,000"));
    EXPECT_EQ(f.Text78.text(), QStringLiteral("-130,000"));
    EXPECT_EQ(f.Text81.text(), QStringLiteral("6,299,000"));
    EXPECT_EQ(f.Text85.text(), QStringLiteral("6,519,000"));
    EXPECT_EQ(f.Text4.text(), QString());
    EXPECT_EQ(f.Command8.caption(), QStringLiteral("別四と別五の関係"));
    snapshot(f, QStringLiteral("form6"));
}

TEST_F(Schedule5_1Window, ReconciliationVerdictReachesThisWindow) {
    // Schedule 4 retains the year's profit of 800,000; Schedule 5(1) carries 5,000,000 to 5,800,000.
    form5().Text5.setText(QStringLiteral("800000"));
    form6().Text51.setText(QStringLiteral("5000000"));
    form6().Text53.setText(QStringLiteral("5800000"));
    click(form6().Command1);
    // The Schedule 4 compute it pressed has carried the income on into Schedule 1.
    EXPECT_EQ(form3().Text3.text(), QStringLiteral("800,000"));
    click(form6().Command8);
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("別四と別五は  OK"));
    EXPECT_EQ(form5().Command8.caption(), QStringLiteral("別四と別五は  OK"));

    form6().Text53.setText(QStringLiteral("5700000"));
    click(form6().Command1);
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("別四と別五の関係"));
    click(form6().Command8);
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("ミス -100,000円"));
}

TEST_F(Schedule5_1Window, InputsConvertLeniently) {
    struct Case {
        const char *typed;
        const char *stored;
    } cases[] = {{"1,234", "1234"}, {"12.5", "12"}, {"13.5", "14"}, {"-", "0"}, {"abc", "0"}, {" 7 ", "7"}};
    for (const Case &c : cases) {
        form6().Text2.setText(QString::fromUtf8(c.typed));
        click(form6().Command1);
        EXPECT_TRUE(readFile(kFile).startsWith(QByteArray(c.stored) + "\r\n")) << c.typed;
    }
}

TEST_F(Schedule5_1Window, BadCodeTouchesNothing) {
    form5().Text81.setText(QStringLiteral("x"));
    form6().Text1.setText(QString());
    form6().Command8.setCaption(QStringLiteral("別四と別五は  OK"));
    form6().Text2.setText(QStringLiteral("100"));
    click(form6().Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    EXPECT_EQ(form5().Text81.text(), QStringLiteral("x"));
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("別四と別五は  OK"));
    EXPECT_EQ(form6().Text7.text(), QString());
    EXPECT_FALSE(exists(kSchedule4File));
}

TEST_F(Schedule5_1Window, OverflowAndWriteFailureShowTheWindowsBox) {
    writeFile(kFile, lines({"1"}));
    form6().Text2.setText(QStringLiteral("2,147,483,647"));
    form6().Text6.setText(QStringLiteral("1"));
    click(form6().Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表五（一）"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(readFile(kFile), lines({"1"}));
    EXPECT_FALSE(exists(kSchedule4File)) << "Schedule 4 is not pressed";

    // The record cannot be written: Schedule 4 has run, then the box.
    form6().Text6.setText(QString());
    deleteFile(kFile);
    const QString blocker = QStringLiteral("c:\\法人税\\別表\\10515.txt\\x"); // a folder where the record goes
    writeFile(blocker, "x");
    click(form6().Command1);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("別表五（一）"));
    EXPECT_TRUE(exists(kSchedule4File));
    EXPECT_EQ(form5().Text81.text(), QStringLiteral("2147483647"));
}

TEST_F(Schedule5_1Window, DataForACompanyWithoutRecordEmptiesEverything) {
    Form6 &f = form6();
    f.Text8.setText(QStringLiteral("別途積立金"));
    f.Text2.setText(QStringLiteral("100"));
    click(f.Command1);
    f.Text1.setText(QStringLiteral("6"));
    click(f.Command7);
    for (const QString &t : allAmounts())
        EXPECT_EQ(t, QString());
    EXPECT_EQ(f.Text8.text(), QString());
    EXPECT_EQ(f.cells, Schedule5_1Cells{});
    EXPECT_EQ(f.rowNames[0], QString());
    EXPECT_TRUE(svc.boxes.empty());

    // 70 numbers and no names: the same.
    writeFile(QStringLiteral("c:\\法人税\\別表\\10517.txt"), lines(QStringList(70, "5")));
    f.Text8.setText(QStringLiteral("甲"));
    f.Text1.setText(QStringLiteral("7"));
    click(f.Command7);
    EXPECT_EQ(f.Text2.text(), QString());
    EXPECT_EQ(f.Text8.text(), QString());

    // A code that is not a number changes nothing.
    f.Text2.setText(QStringLiteral("9"));
    f.Text1.setText(QStringLiteral("x"));
    click(f.Command7);
    EXPECT_EQ(f.Text2.text(), QStringLiteral("9"));
}

TEST_F(Schedule5_1Window, FetchesTheFinalUnpaidTaxesFromSchedule5_2) {
    const QString file52 = QStringLiteral("c:\\法人税\\別表\\10525.txt");
    auto record52 = [&](int line48, int line72) {
        QStringList l = zeros(78);
        l[47] = QString::number(line48);
        l[71] = QString::number(line72);
        writeFile(file52, lines(l));
    };
    record52(50000, 130000);
    click(form6().Command11);
    EXPECT_EQ(form6().Text72.text(), QStringLiteral("-50,000"));
    EXPECT_EQ(form6().Text78.text(), QStringLiteral("-130,000"));

    // A refund due (a balance below 0) is no unpaid tax: both rows show nothing and the compute books 0.
    record52(-300, -500);
    click(form6().Command11);
    EXPECT_EQ(form6().Text72.text(), QString());
    EXPECT_EQ(form6().Text78.text(), QString());
    click(form6().Command1);
    const QList<QByteArray> l = readFile(kFile).split('\n');
    EXPECT_EQ(l[58], "0\r"); // 未納県民税 ④
    EXPECT_EQ(l[63], "0\r"); // 未納市民税 ④

    deleteFile(file52);
    click(form6().Command11);
    EXPECT_EQ(form6().Text72.text(), QString());
    EXPECT_EQ(form6().Text78.text(), QString());
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Schedule5_1Window, ClearingButtons) {
    Form6 &f = form6();
    for (int r = 1; r <= 14; ++r)
        for (int c = 1; c <= 5; ++c)
            f.cellBox(r, c).setText(QStringLiteral("1"));
    for (int r = 2; r <= 8; ++r)
        f.nameBox(r).setText(QStringLiteral("名"));
    click(f.Command3); // ① of every row, row 14 included
    EXPECT_EQ(f.Text2.text(), QString());
    EXPECT_EQ(f.Text81.text(), QString());
    EXPECT_EQ(f.Text4.text(), QStringLiteral("1"));
    click(f.Command6); // ④
    EXPECT_EQ(f.Text6.text(), QString());
    EXPECT_EQ(f.Text84.text(), QString());
    EXPECT_EQ(f.Text5.text(), QStringLiteral("1"));
    click(f.Command2); // the seven names, no amount
    EXPECT_EQ(f.Text44.text(), QString());
    EXPECT_EQ(f.Text50.text(), QStringLiteral("繰越損益金"));
    EXPECT_EQ(f.Text5.text(), QStringLiteral("1"));
    f.Text8.setText(QStringLiteral("名"));
    click(f.Command9); // every amount, names kept
    for (const QString &t : allAmounts())
        EXPECT_EQ(t, QString());
    EXPECT_EQ(f.Text8.text(), QStringLiteral("名"));
    EXPECT_FALSE(exists(kFile));
}

TEST_F(Schedule5_1Window, MenuShowsTheMainMenu) {
    click(form6().Command10);
    EXPECT_TRUE(form1().isVisible());
}

} // namespace
} // namespace hz::test
