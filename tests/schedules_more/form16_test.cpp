#include "core/paths.h"
#include "core/records.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QString kFile = QStringLiteral("c:\\法人税\\別表\\1001125.txt");
const QString kTitle = QStringLiteral("貸倒引当金（一括評価金銭債権の明細外）");

class Form16Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        // As the user arrives: the reserve window hands over the code and the statement loads.
        form15().Text100.setText(QStringLiteral("5"));
        click(form15().Command4);
    }
    // Every name and amount box of the window.
    QStringList allTexts() {
        QStringList t;
        for (int r = 1; r <= 6; ++r)
            t << form16().nameBox(r).text();
        for (int n = 1; n <= 53; ++n)
            t << form16().cellBox(n).text();
        return t;
    }
    void typeAccount(int r, const char *c18, const char *c19, const char *c20, const char *c21, const char *c23) {
        Form16 &f = form16();
        f.cellBox(detailCell(r, 18)).setText(QString::fromLatin1(c18));
        f.cellBox(detailCell(r, 19)).setText(QString::fromLatin1(c19));
        f.cellBox(detailCell(r, 20)).setText(QString::fromLatin1(c20));
        f.cellBox(detailCell(r, 21)).setText(QString::fromLatin1(c21));
        f.cellBox(detailCell(r, 23)).setText(QString::fromLatin1(c23));
    }
};

TEST_F(Form16Window, ComputeSavesTheStatementAndShowsTheRecord) {
    Form16 &f = form16();
    ASSERT_TRUE(f.isVisible());
    EXPECT_EQ(allTexts(), QStringList(59, QString())) << "no record yet: the window is empty";

    f.Text1.setText(QStringLiteral("売掛金"));
    typeAccount(1, "5,000,000", "200,000", "50,000", "150,000", "100,000");
    f.Text3.setText(QStringLiteral("貸付金, 短期")); // a name alone, with a comma
    typeAccount(4, "300", "", "x", "", "400");
    f.Text35.setText(QStringLiteral("77")); // computed boxes typed over are recomputed
    f.Text76.setText(QStringLiteral("7,654,321"));
    f.Text79.setText(QStringLiteral("123,456"));
    click(f.Command1);

    EXPECT_TRUE(svc.boxes.empty());
    QStringList expected{"\"売掛金\"", "\"\"", "\"貸付金, 短期\"", "\"\"", "\"\"", "\"\""};
    QStringList cells(53, QStringLiteral("0"));
    auto set = [&](int n, const char *v) { cells[n - 1] = QString::fromLatin1(v); };
    set(1, "5000000"), set(2, "200000"), set(3, "50000"), set(4, "150000");
    set(5, "5000000"), set(6, "100000"), set(7, "4900000");
    set(22, "300"), set(26, "300"), set(27, "400"), set(28, "-100");
    set(43, "5000300"), set(44, "200000"), set(45, "50000"), set(46, "150000");
    set(47, "5000300"), set(48, "100400"), set(49, "4899900");
    set(50, "7654321"), set(51, "123456"), set(52, "16"), set(53, "80004");
    expected << cells;
    for (const QString &t : reservedTail())
        expected << u'"' + t + u'"';
    EXPECT_EQ(readFile(kFile), lines(expected));

    // The window shows exactly the record just written.
    EXPECT_EQ(f.Text1.text(), QStringLiteral("売掛金"));
    EXPECT_EQ(f.Text2.text(), QString());
    EXPECT_EQ(f.Text3.text(), QStringLiteral("貸付金, 短期"));
    EXPECT_EQ(f.Text35.text(), QStringLiteral("5,000,000"));
    EXPECT_EQ(f.Text65.text(), QStringLiteral("4,900,000"));
    EXPECT_EQ(f.Text68.text(), QStringLiteral("-100"));
    EXPECT_EQ(f.Text13.text(), QStringLiteral("5,000,300"));
    EXPECT_EQ(f.Text41.text(), QStringLiteral("5,000,300"));
    EXPECT_EQ(f.Text48.text(), QStringLiteral("100,400"));
    EXPECT_EQ(f.Text71.text(), QStringLiteral("4,899,900"));
    EXPECT_EQ(f.Text82.text(), QStringLiteral("16"));
    EXPECT_EQ(f.Text85.text(), QStringLiteral("80,004"));
    EXPECT_EQ(f.Text8.text(), QString());
    EXPECT_EQ(f.Text10.text(), QStringLiteral("300"));
    EXPECT_EQ(f.detailCells[52], 80004);
    EXPECT_EQ(f.accountNames[2], QStringLiteral("貸付金, 短期"));
    snapshot(f, QStringLiteral("form16"));
}

TEST_F(Form16Window, FailuresShowTheBoxAndKeepWhatWasTyped) {
    Form16 &f = form16();
    f.Text1.setText(QStringLiteral("売掛金"));
    typeAccount(1, "2,000,000,000", "", "", "", "");
    typeAccount(2, "2,000,000,000", "", "", "", "");
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(svc.boxes[0].title, kTitle);
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    EXPECT_FALSE(exists(kFile));
    EXPECT_EQ(f.Text1.text(), QStringLiteral("売掛金"));
    EXPECT_EQ(f.Text8.text(), QStringLiteral("2,000,000,000"));

    // Line 28 beyond 32 bits.
    typeAccount(2, "", "", "", "", "");
    f.Text76.setText(QStringLiteral("1"));
    f.Text79.setText(QStringLiteral("2"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].prompt, QStringLiteral("オーバーフローしました。"));

    // A record that cannot be written.
    f.Text79.setText(QString());
    writeFile(kFile + QStringLiteral("\\x"), "x");
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 3u);
    EXPECT_EQ(svc.boxes[2].title, kTitle);
    EXPECT_EQ(f.Text7.text(), QStringLiteral("2,000,000,000"));
    EXPECT_EQ(f.Text76.text(), QStringLiteral("1"));
}

TEST_F(Form16Window, DataWithoutARecordLeavesTheWindowEmpty) {
    Form16 &f = form16();
    f.Text1.setText(QStringLiteral("売掛金"));
    typeAccount(1, "1,000", "", "", "", "");
    click(f.Command1);
    ASSERT_EQ(f.Text13.text(), QStringLiteral("1,000"));

    const QString shortFile = QStringLiteral("c:\\法人税\\別表\\1001127.txt");
    writeFile(shortFile, lines({"\"現金\"", "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "1", "2"}));
    for (const char *code : {"6", "7", "x"}) {
        f.Text1.setText(QStringLiteral("売掛金"));
        f.Text7.setText(QStringLiteral("1,000"));
        f.Text100.setText(QString::fromLatin1(code));
        click(f.Command2);
        EXPECT_EQ(allTexts(), QStringList(59, QString())) << code;
    }
    EXPECT_EQ(f.detailCells, DetailCells{});
    EXPECT_EQ(f.accountNames[0], QString());
    // Only the short statement is said.
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_TRUE(svc.boxes[0].prompt.startsWith(shortFile + QStringLiteral(" を読み込めません。")));
}

TEST_F(Form16Window, ClearEmptiesEveryNameAndAmount) {
    Form16 &f = form16();
    for (int r = 1; r <= 6; ++r)
        f.nameBox(r).setText(QStringLiteral("名"));
    for (int n = 1; n <= 53; ++n)
        f.cellBox(n).setText(QStringLiteral("1"));
    click(f.Command3);
    EXPECT_EQ(allTexts(), QStringList(59, QString()));
    EXPECT_EQ(f.Text100.text(), QStringLiteral("5"));
    // Captions stay, the wrapped ones included.
    EXPECT_EQ(f.Text59.text(), QStringLiteral("(18)のうち税務上貸倒があったとみなされる"));
    EXPECT_EQ(f.Text49.text(), QStringLiteral("計"));
}

TEST_F(Form16Window, TheStatementFeedsTheReserveLimit) {
    Form16 &f = form16();
    typeAccount(1, "5,000,000", "200,000", "50,000", "150,000", "100,000");
    click(f.Command1);
    // Back to the reserve window, which has no record yet: a fresh page until its first compute.
    click(f.Command4);
    EXPECT_EQ(form15().Text4.text(), QString());
    click(form15().Command1);
    EXPECT_EQ(form15().Text2.text(), QStringLiteral("5,000,000"));
    EXPECT_EQ(form15().Text4.text(), QStringLiteral("4,900,000"));
    // The compute after that uses them: 4,900,000 × 10/1000.
    click(form15().Command1);
    EXPECT_EQ(form15().Text6.text(), QStringLiteral("49,000"));
    EXPECT_EQ(form15().Text7.text(), QStringLiteral("56,840"));
}

TEST_F(Form16Window, ACodeThatIsNotANumberStopsTheComputeAndTheSwitch) {
    Form16 &f = form16();
    f.Text7.setText(QStringLiteral("1,000"));
    f.Text100.setText(QStringLiteral("abc"));
    click(f.Command1);
    click(f.Command4);
    EXPECT_EQ(f.Text7.text(), QStringLiteral("1,000"));
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(form15().isVisible());
    EXPECT_TRUE(svc.boxes.empty());
}

} // namespace
} // namespace hz::test
