#include "core/paths.h"
#include "core/records.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QString kFile = QStringLiteral("c:\\法人税\\別表\\1001115.txt");
const QString kDetailFile = QStringLiteral("c:\\法人税\\別表\\1001125.txt");

QStringList withTail(QStringList values) {
    for (const QString &t : reservedTail())
        values << u'"' + t + u'"';
    return values;
}

QStringList numbers(std::initializer_list<std::int64_t> values) {
    QStringList l;
    for (auto v : values)
        l << QString::number(v);
    return l;
}

// The lines of a statement of receivables whose column-22 and column-24 totals (record lines 53 and 55) are given.
QStringList detailRecord(std::int32_t column22Total, std::int32_t column24Total) {
    QStringList l{"\"売掛金\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\""};
    for (int n = 1; n <= 53; ++n)
        l << (n == 47 ? QString::number(column22Total) : n == 49 ? QString::number(column24Total) : "0");
    return withTail(l);
}

class Form15Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        form15().Text100.setText(QStringLiteral("5"));
    }
    QStringList lineTexts() {
        QStringList t;
        for (int n = 1; n <= 17; ++n)
            t << form15().lineBox(n).text();
        return t;
    }
};

TEST_F(Form15Window, ComputeSavesTheRecordAndShowsIt) {
    Form15 &f = form15();
    f.Text1.setText(QStringLiteral("120,000"));
    f.Text4.setText(QStringLiteral("12,345,678"));
    f.Text6.setText(QStringLiteral("999")); // computed lines typed over are recomputed
    f.Text9.setText(QStringLiteral("3,000,000"));
    f.Text10.setText(QStringLiteral("98,765"));
    f.Text11.setText(QStringLiteral("500,000"));
    f.Text12.setText(QStringLiteral("20,000"));
    f.Text13.setText(QStringLiteral("30,000"));
    f.Text14.setText(QStringLiteral("10,000"));
    f.Text16.setText(QStringLiteral("1,234"));
    f.Option2.click(); // 製造業: the user's choice computes and saves at once

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(readFile(kFile), lines(withTail(numbers({120000, 0, 124, 12345678, 8, 98765, 114567, 5433, 3000000, 98765,
                                                       500000, 20000, 30000, 10000, 480000, 1234, 124}))));
    // Without a statement, lines 2 and 4 show what the record was computed with.
    EXPECT_EQ(lineTexts(),
              (QStringList{"120,000", "", "124", "12,345,678", "8", "98,765", "114,567", "5,433", "3,000,000", "98,765",
                           "500,000", "20,000", "30,000", "10,000", "480,000", "1,234", "124"}));
    EXPECT_TRUE(f.Option2.value());
    EXPECT_FALSE(f.Option1.value());
    EXPECT_EQ(f.reserveValues[5], 98765);
    snapshot(f, QStringLiteral("form15"));
}

TEST_F(Form15Window, EachOptionSavesItsRateAndDataRestoresIt) {
    Form15 &f = form15();
    f.Text4.setText(QStringLiteral("1,000,000"));
    const struct {
        OptionButton *option;
        const char *rate;
        const char *limit;
    } cases[] = {{&f.Option1, "10", "10,000"},
                 {&f.Option2, "8", "8,000"},
                 {&f.Option3, "3", "3,000"},
                 {&f.Option4, "13", "13,000"},
                 {&f.Option5, "6", "6,000"}};
    for (const auto &c : cases) {
        c.option->click();
        const QList<QByteArray> l = readFile(kFile).split('\n');
        ASSERT_EQ(l.size(), 30) << c.rate;
        EXPECT_EQ(l[4], QByteArray(c.rate) + "\r") << c.rate;
        EXPECT_EQ(f.Text5.text(), QString::fromLatin1(c.rate));
        EXPECT_EQ(f.Text6.text(), QString::fromLatin1(c.limit));
    }

    // DATA selects the option of the stored rate, only marking it: nothing is saved.
    QStringList rec = numbers({0, 0, 0, 0, 13, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0});
    writeFile(kFile, lines(rec));
    f.Option1.setValue(true);
    click(f.Command2);
    EXPECT_TRUE(f.Option4.value());
    EXPECT_EQ(f.Text5.text(), QStringLiteral("13"));
    EXPECT_EQ(readFile(kFile), lines(rec)) << "no compute ran";

    // A rate no option has keeps the selection and still shows.
    rec[4] = QStringLiteral("7");
    writeFile(kFile, lines(rec));
    click(f.Command2);
    EXPECT_TRUE(f.Option4.value());
    EXPECT_EQ(f.Text5.text(), QStringLiteral("7"));
    // The compute takes the selected option's rate, not the one shown.
    click(f.Command1);
    EXPECT_EQ(f.Text5.text(), QStringLiteral("13"));
}

TEST_F(Form15Window, NegativeExcessIsStoredButNotShown) {
    form15().Text1.setText(QStringLiteral("100,000"));
    form15().Text4.setText(QStringLiteral("12,345,678"));
    click(form15().Command1);
    EXPECT_EQ(readFile(kFile).split('\n')[7], "-43208\r");
    EXPECT_EQ(form15().Text7.text(), QStringLiteral("143,208"));
    EXPECT_EQ(form15().Text8.text(), QString());
}

TEST_F(Form15Window, Line10FallsBackTo100AndAZeroStopsWithABox) {
    Form15 &f = form15();
    f.Text16.setText(QStringLiteral("3"));
    for (const char *typed : {" ", "", "abc", "100"}) {
        f.Text10.setText(QString::fromLatin1(typed));
        click(f.Command1);
        const QList<QByteArray> l = readFile(kFile).split('\n');
        EXPECT_EQ(l[9], "100\r") << typed;
        EXPECT_EQ(l[16], "300\r") << typed;
        EXPECT_EQ(f.Text10.text(), QString()) << "a stored 100 shows empty: " << typed;
    }
    EXPECT_TRUE(svc.boxes.empty());

    const QByteArray before = readFile(kFile);
    f.Text1.setText(QStringLiteral("55"));
    f.Text10.setText(QStringLiteral("0"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("0 で除算しました。"));
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("貸倒引当金"));
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    EXPECT_EQ(readFile(kFile), before);
    EXPECT_EQ(f.Text1.text(), QStringLiteral("55")) << "DATA was not pressed";
    EXPECT_EQ(f.Text10.text(), QStringLiteral("0"));
}

TEST_F(Form15Window, OverflowAndWriteFailureShowTheBoxAndKeepTheBoxes) {
    Form15 &f = form15();
    f.Text1.setText(QStringLiteral("-2,147,483,647"));
    f.Text4.setText(QStringLiteral("1,000,000"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("貸倒引当金"));
    EXPECT_FALSE(exists(kFile));

    // A folder where the record goes: it cannot be written.
    f.Text1.setText(QStringLiteral("120,000"));
    writeFile(kFile + QStringLiteral("\\x"), "x");
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("貸倒引当金"));
    EXPECT_EQ(f.Text1.text(), QStringLiteral("120,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("1,000,000"));
}

TEST_F(Form15Window, DataTakesLines2And4FromTheStatement) {
    Form15 &f = form15();
    writeFile(kFile, lines(withTail(numbers({1000, 1, 0, 2, 10, 0, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0}))));
    writeFile(kDetailFile, lines(detailRecord(5000000, 4900000)));
    click(f.Command2);
    EXPECT_EQ(f.Text1.text(), QStringLiteral("1,000"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("5,000,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("4,900,000"));
    EXPECT_EQ(f.detailCopy.names[0], QStringLiteral("売掛金"));

    // The next compute uses them.
    click(f.Command1);
    EXPECT_EQ(
        readFile(kFile),
        lines(withTail(numbers({1000, 5000000, 0, 4900000, 10, 49000, 56840, -55840, 0, 100, 0, 0, 0, 0, 0, 0, 0}))));
}

TEST_F(Form15Window, DataForACompanyWithoutRecordShowsAFreshPage) {
    Form15 &f = form15();
    f.Text1.setText(QStringLiteral("120,000"));
    f.Text4.setText(QStringLiteral("12,345,678"));
    f.Text11.setText(QStringLiteral("500"));
    f.Option4.click();
    ASSERT_EQ(f.Text8.text(), QString());

    // A missing record and a short one alike: nothing of company 5 stays to be saved under the new code.
    const QString shortFile = QStringLiteral("c:\\法人税\\別表\\1001117.txt");
    writeFile(shortFile, lines(numbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})));
    for (const char *code : {"6", "7"}) {
        f.Option4.setValue(true);
        f.Text1.setText(QStringLiteral("120,000"));
        f.Text100.setText(QString::fromLatin1(code));
        click(f.Command2);
        EXPECT_EQ(lineTexts(), QStringList(17, QString())) << code;
        EXPECT_TRUE(f.Option1.value()) << code;
        EXPECT_EQ(f.reserveValues, ReserveLines{}) << code;
    }
    // The short record is said, and the next compute saves nothing over it.
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, shortFile + QStringLiteral(" を読み込めません。\n"
                                                              "ファイルにこれ以上データがありません。"));
    click(f.Command1);
    EXPECT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(readFile(shortFile), lines(numbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})));
}

TEST_F(Form15Window, ClearEmptiesTheLinesOnly) {
    Form15 &f = form15();
    f.Text4.setText(QStringLiteral("1,000,000"));
    f.Option3.click();
    const ReserveLines kept = f.reserveValues;
    for (int n = 1; n <= 17; ++n)
        f.lineBox(n).setText(QStringLiteral("1"));
    click(f.Command3);
    EXPECT_EQ(lineTexts(), QStringList(17, QString()));
    EXPECT_TRUE(f.Option3.value());
    EXPECT_EQ(f.Text100.text(), QStringLiteral("5"));
    EXPECT_EQ(f.reserveValues, kept);
}

TEST_F(Form15Window, ACodeThatIsNotANumberStopsEveryAction) {
    Form15 &f = form15();
    f.Text1.setText(QStringLiteral("9"));
    for (const char *code : {" ", "", "abc"}) {
        f.Text100.setText(QString::fromLatin1(code));
        for (Button *b : {&f.Command1, &f.Command2, &f.Command4})
            click(*b);
        f.Option2.click();
    }
    EXPECT_EQ(f.Text1.text(), QStringLiteral("9"));
    EXPECT_EQ(f.Text5.text(), QStringLiteral("8")) << "the option shows its rate before the compute stops";
    EXPECT_FALSE(form16().isVisible());
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\別表\\100111.txt")));
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\別表\\1001110.txt")));
}

TEST_F(Form15Window, SwitchesToTheStatementAndBackWithTheCode) {
    Form15 &f = form15();
    f.Text1.setText(QStringLiteral("60,000"));
    f.Option2.click();
    writeFile(kDetailFile, lines(detailRecord(5000000, 4900000)));
    f.show();
    form16().Text1.setText(QStringLiteral("前の会社"));

    QStringList presses;
    tracePresses(&presses);
    click(f.Command4);
    tracePresses(nullptr);
    EXPECT_EQ(presses, (QStringList{"Form15.Command4", "  Form16.Command2", "    Form16.Command3"}));
    EXPECT_TRUE(form16().isVisible());
    EXPECT_EQ(form16().Text100.text(), QStringLiteral("5"));
    EXPECT_EQ(form16().Text1.text(), QStringLiteral("売掛金"));
    EXPECT_EQ(form16().Text41.text(), QStringLiteral("5,000,000"));
    // The window left behind starts afresh, hidden, with its figures kept in its working values.
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.Text100.text(), QStringLiteral(" "));
    EXPECT_EQ(f.Text1.text(), QStringLiteral(" "));
    EXPECT_TRUE(f.Option1.value());
    EXPECT_EQ(f.reserveValues[0], 60000);

    click(form16().Command4);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(form16().isVisible());
    EXPECT_EQ(form16().Text100.text(), QStringLiteral(" "));
    EXPECT_EQ(f.Text100.text(), QStringLiteral("5"));
    EXPECT_TRUE(f.Option2.value());
    EXPECT_EQ(f.Text1.text(), QStringLiteral("60,000"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("5,000,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("4,900,000"));
    EXPECT_TRUE(svc.boxes.empty());
}

} // namespace
} // namespace hz::test
