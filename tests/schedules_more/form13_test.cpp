#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/Form3.h"
#include "schedules/core/interim.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "tests/support/fixture.h"

#include <map>

namespace hz::test {
namespace {

const QString kFile = QStringLiteral("c:\\法人税\\別表\\10535.txt");
const QString kSchedule5_2File = QStringLiteral("c:\\法人税\\別表\\10525.txt");
const QString kSchedule4File = QStringLiteral("c:\\法人税\\別表\\10405.txt");
const QString kSchedule5_1File = QStringLiteral("c:\\法人税\\別表\\10515.txt");
const QStringList kInitialNames = {"\"印紙税外\"", "\"消費税\"", "\"源泉所得税\"", "\"\""};

class Schedule5_2Part2Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
        form13().Text19.setText(QStringLiteral("5"));
        form7().Text1.setText(QStringLiteral("5"));
        form5().Text100.setText(QStringLiteral("5"));
        form6().Text1.setText(QStringLiteral("5"));
    }
    // The 70 amounts given by cell (every other one 0), then the names.
    static QByteArray record(const std::map<int, std::int32_t> &cells, const QStringList &names = kInitialNames,
                             int count = 70) {
        QStringList l(count, QStringLiteral("0"));
        for (const auto &[k, v] : cells)
            l[k - 1] = QString::number(v);
        return lines(l + names);
    }
    QString line(const QString &file, int n) {
        return QString::fromLatin1(readFile(file).split('\n').value(n - 1).trimmed());
    }
    std::vector<TextBox *> amountBoxes() {
        std::vector<TextBox *> boxes;
        for (int k = 1; k <= 70; ++k)
            if (TextBox *b = form13().cellBox(k))
                boxes.push_back(b);
        return boxes;
    }
    QString caption() { return form13().Command21.caption(); }
};

TEST_F(Schedule5_2Part2Window, EmptyWindowSavesZerosAndTheInitialNames) {
    // 80,000 saved by the interim-amounts window.
    writeInterimAmounts(5, InterimAmountRecord{{0, 0, 0, 80000, 0, 0}});
    click(form13().Command20);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(readFile(kFile), record({}));
    for (TextBox *b : amountBoxes())
        EXPECT_EQ(b->text(), QString()) << qPrintable(b->name());
    EXPECT_EQ(form13().Text62.text(), QString());
    EXPECT_EQ(form3().Text23.text(), QStringLiteral("80,000")) << "an empty interim row leaves Schedule 1's amount";
    EXPECT_EQ(form5().Text25.text(), QString());
    EXPECT_TRUE(exists(kSchedule4File));
    EXPECT_TRUE(exists(kSchedule5_1File));
}

TEST_F(Schedule5_2Part2Window, EnterpriseTaxRowsAndTheInterimTaxForSchedule1) {
    Form13 &f = form13();
    f.Text25.setText(QStringLiteral("100")); // 前期 ①
    f.Text24.setText(QStringLiteral("300")); //      ②
    f.Text23.setText(QStringLiteral("50"));  //      ③
    f.Text21.setText(QStringLiteral("250")); //      ⑤
    f.Text18.setText(QStringLiteral("200")); // 中間 ②
    f.Text16.setText(QStringLiteral("120")); //      ④
    f.Text15.setText(QStringLiteral("80"));  //      ⑤
    f.Text29.setText(QStringLiteral("999")); // a computed box: overwritten
    click(f.Command20);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(form3().Text23.text(), QStringLiteral("200"));
    EXPECT_EQ(readFile(kFile), record({{1, 100},
                                       {2, 300},
                                       {3, 50},
                                       {5, 250},
                                       {6, 100},
                                       {8, 200},
                                       {10, 120},
                                       {11, 80},
                                       {13, 100},
                                       {14, 500},
                                       {15, 50},
                                       {16, 120},
                                       {17, 330},
                                       {18, 100},
                                       {70, -50}}));
    const std::map<QString, QString> shown = {
        {"Text25", "100"}, {"Text24", "300"}, {"Text23", "50"}, {"Text21", "250"}, {"Text27", "100"},
        {"Text18", "200"}, {"Text16", "120"}, {"Text15", "80"}, {"Text13", "100"}, {"Text12", "500"},
        {"Text11", "50"},  {"Text10", "120"}, {"Text9", "330"}, {"Text29", "100"}, {"Text6", "-50"}};
    for (TextBox *b : amountBoxes()) {
        const auto it = shown.find(b->name());
        EXPECT_EQ(b->text(), it == shown.end() ? QString() : it->second) << qPrintable(b->name());
    }
    EXPECT_EQ(f.Text62.text(), QStringLiteral("50"));
}

TEST_F(Schedule5_2Part2Window, ProvisionReachesSchedules4And5_1) {
    struct Case {
        const char *reversal;    // Text85, as Schedule 5(2) sends it
        const char *drawDown;    // Text62
        const char *closing;     // Text6
        const char *closingLine; // line 70
    } cases[] = {
        {"300,000", "700,000", "900,000", "900000"},
        // Drawn more than there was: a negative balance.
        {"1,300,000", "1,700,000", "-100,000", "-100000"},
    };
    Form13 &f = form13();
    for (const Case &c : cases) {
        f.Text23.setText(QStringLiteral("400,000"));   // 事業税 前期 ③
        f.Text83.setText(QStringLiteral("1,000,000")); // 期首
        f.Text84.setText(QStringLiteral("600,000"));   // 損金算入
        f.Text85.setText(QString::fromLatin1(c.reversal));
        click(f.Command20);
        EXPECT_EQ(f.Text62.text(), QString::fromUtf8(c.drawDown));
        EXPECT_EQ(f.Text6.text(), QString::fromUtf8(c.closing));
        EXPECT_EQ(line(kFile, 70), QString::fromLatin1(c.closingLine));
        // Schedule 5(1) 納税充当金 ② 減 and ③ 増, and Schedule 4 line 5, as the computes that were pressed saved them.
        EXPECT_EQ(form6().Text58.text(), QString::fromUtf8(c.drawDown));
        EXPECT_EQ(form6().Text59.text(), QStringLiteral("600,000"));
        EXPECT_EQ(line(kSchedule5_1File, 47), QString(c.drawDown).remove(u','));
        EXPECT_EQ(line(kSchedule5_1File, 48), QStringLiteral("600000"));
        EXPECT_EQ(form5().Text25.text(), QStringLiteral("600,000"));
        EXPECT_EQ(line(kSchedule4File, 10), QStringLiteral("600000"));
    }
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Schedule5_2Part2Window, DataAction) {
    Form13 &f = form13();
    // A record after the next-year rollover: the carried balance, names kept.
    const QStringList names = {"\"印紙税\"", "\"\"", "\"源泉所得税\"", "\"固定資産税\""};
    writeFile(kFile, record({{67, 1234567}}, names));
    click(f.Command19);
    EXPECT_EQ(f.Text83.text(), QStringLiteral("1,234,567"));
    EXPECT_EQ(f.Text62.text(), QString());
    EXPECT_EQ(f.Text6.text(), QString());
    EXPECT_EQ(f.Text46.text(), QStringLiteral("印紙税"));
    EXPECT_EQ(f.Text54.text(), QString());
    EXPECT_EQ(f.Text92.text(), QStringLiteral("固定資産税"));
    // The next compute carries the balance to 期末 and writes the names back as they were.
    click(f.Command20);
    EXPECT_EQ(f.Text6.text(), QStringLiteral("1,234,567"));
    EXPECT_EQ(readFile(kFile), record({{67, 1234567}, {70, 1234567}}, names));

    // A company without a record, and one whose record lacks a name: nothing of company 5 stays, its row names
    // neither; the rows are named as in a fresh window. Only the record that cannot be read is said.
    writeFile(QStringLiteral("c:\\法人税\\別表\\10537.txt"), record({{1, 5}}, names.mid(0, 3)));
    for (const char *code : {"6", "7"}) {
        f.Text19.setText(QStringLiteral("5"));
        click(f.Command19);
        ASSERT_EQ(f.part2Values[67], 1234567);
        svc.boxes.clear();
        f.Text19.setText(QString::fromLatin1(code));
        click(f.Command19);
        for (TextBox *b : amountBoxes())
            EXPECT_EQ(b->text(), QString()) << code << " " << qPrintable(b->name());
        EXPECT_EQ(f.Text62.text(), QString());
        EXPECT_EQ(f.Text46.text(), QStringLiteral("印紙税外"));
        EXPECT_EQ(f.Text92.text(), QString());
        for (int k = 1; k <= 70; ++k)
            EXPECT_EQ(f.part2Values[k], 0) << code << " cell " << k;
        EXPECT_EQ(svc.boxes.size(), code == std::string("7") ? 1u : 0u);
    }
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("c:\\法人税\\別表\\10537.txt を読み込めません。\n"
                                                  "ファイルにこれ以上データがありません。"));
    EXPECT_FALSE(sharedHandleOpen());
    svc.boxes.clear();

    // A code that is no number: nothing changes.
    f.Text25.setText(QStringLiteral("1"));
    f.Text19.setText(QStringLiteral("x"));
    click(f.Command19);
    EXPECT_EQ(f.Text25.text(), QStringLiteral("1"));
    EXPECT_EQ(f.companyCode, 7);
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Schedule5_2Part2Window, ColumnButtons) {
    struct Case {
        const char *button;
        std::map<QString, QString> changed; // every other box keeps "1,000"
    } cases[] = {
        {"Command1", {{"Text25", ""}}},
        {"Command2", {{"Text24", ""}, {"Text18", ""}}},
        {"Command3", {{"Text23", ""}, {"Text17", ""}}},
        {"Command4", {{"Text22", ""}, {"Text16", ""}}},
        {"Command5", {{"Text21", "1000"}, {"Text15", "1000"}}},
        {"Command6",
         {{"Text25", ""},
          {"Text24", ""},
          {"Text18", ""},
          {"Text23", ""},
          {"Text17", ""},
          {"Text22", ""},
          {"Text16", ""},
          {"Text21", ""},
          {"Text15", ""}}},
        {"Command7", {{"Text63", ""}, {"Text69", ""}, {"Text75", ""}, {"Text35", ""}}},
        {"Command9", {{"Text64", ""}, {"Text70", ""}, {"Text76", ""}, {"Text34", ""}}},
        {"Command11", {{"Text65", ""}, {"Text71", ""}, {"Text77", ""}, {"Text33", ""}}},
        {"Command13", {{"Text66", ""}, {"Text72", ""}, {"Text78", ""}, {"Text32", ""}}},
        {"Command15", {{"Text67", "1000"}, {"Text73", "1000"}, {"Text79", "1000"}, {"Text31", "1000"}}},
        {"Command17", {{"Text63", ""}, {"Text64", ""}, {"Text65", ""}, {"Text66", ""}, {"Text67", ""},
                       {"Text69", ""}, {"Text70", ""}, {"Text71", ""}, {"Text72", ""}, {"Text73", ""},
                       {"Text75", ""}, {"Text76", ""}, {"Text77", ""}, {"Text78", ""}, {"Text79", ""},
                       {"Text35", ""}, {"Text34", ""}, {"Text33", ""}, {"Text32", ""}, {"Text31", ""}}},
        {"Command8", {{"Text43", ""}, {"Text51", ""}, {"Text59", ""}, {"Text91", ""}}},
        // Row 10's ② and ⑤ come from Schedule 6 and are kept.
        {"Command10", {{"Text42", ""}, {"Text50", ""}, {"Text90", ""}}},
        {"Command12", {{"Text41", ""}, {"Text49", ""}, {"Text57", ""}, {"Text89", ""}}},
        {"Command14", {{"Text40", ""}, {"Text48", ""}, {"Text56", ""}, {"Text88", ""}}},
        {"Command16", {{"Text39", "1000"}, {"Text47", "1000"}, {"Text55", "1000"}, {"Text87", "1000"}}},
        {"Command18",
         {{"Text43", ""},
          {"Text42", ""},
          {"Text41", ""},
          {"Text40", ""},
          {"Text39", ""},
          {"Text51", ""},
          {"Text50", ""},
          {"Text49", ""},
          {"Text48", ""},
          {"Text47", ""},
          {"Text59", ""},
          {"Text57", ""},
          {"Text56", ""},
          {"Text91", ""},
          {"Text90", ""},
          {"Text89", ""},
          {"Text88", ""},
          {"Text87", ""}}},
    };
    Form13 &f = form13();
    Button *buttons[] = {&f.Command1,  &f.Command2,  &f.Command3,  &f.Command4,  &f.Command5,  &f.Command6,
                         &f.Command7,  &f.Command8,  &f.Command9,  &f.Command10, &f.Command11, &f.Command12,
                         &f.Command13, &f.Command14, &f.Command15, &f.Command16, &f.Command17, &f.Command18};
    for (const Case &c : cases) {
        for (TextBox *b : amountBoxes())
            b->setText(QStringLiteral("1,000"));
        f.Text62.setText(QStringLiteral("1,000"));
        for (Button *b : buttons)
            if (b->name() == QLatin1String(c.button))
                click(*b);
        for (TextBox *b : amountBoxes()) {
            const auto it = c.changed.find(b->name());
            EXPECT_EQ(b->text(), it == c.changed.end() ? QStringLiteral("1,000") : it->second)
                << c.button << " " << qPrintable(b->name());
        }
        EXPECT_EQ(f.Text62.text(), QStringLiteral("1,000")) << c.button;
    }
    EXPECT_FALSE(exists(kFile));

    // A copy takes the amount as plain digits, 0 for an empty source.
    f.Text24.setText(QStringLiteral("12,345"));
    f.Text18.setText(QString());
    click(f.Command5);
    EXPECT_EQ(f.Text21.text(), QStringLiteral("12345"));
    EXPECT_EQ(f.Text15.text(), QStringLiteral("0"));
}

TEST_F(Schedule5_2Part2Window, TaxesAndDuesTotal) {
    Form13 &f = form13();
    // Nothing anywhere: the total is 0, shown as "円" alone; Schedule 5(2) was recomputed and saved.
    click(f.Command21);
    EXPECT_EQ(caption(), QStringLiteral("円"));
    EXPECT_TRUE(exists(kSchedule5_2File));

    // Schedule 5(2): 法人税 100,000, 県民税 20,000, 市民税 30,000 paid and expensed.
    form7().Text15.setText(QStringLiteral("100,000"));
    form7().Text47.setText(QStringLiteral("20,000"));
    form7().Text67.setText(QStringLiteral("30,000"));
    // This window: 事業税 前期 ⑤ 8,000 and 中間 ⑤ 2,000 (counted once, through the 計 row), 延滞金 ⑤ 500,
    // 源泉所得税 ⑤ from Schedule 6 1,500.
    f.Text21.setText(QStringLiteral("8,000"));
    f.Text15.setText(QStringLiteral("2,000"));
    f.Text73.setText(QStringLiteral("500"));
    f.Text55.setText(QStringLiteral("1,500"));
    click(f.Command21);
    EXPECT_EQ(caption(), QStringLiteral("150,000円")) << "this window's boxes count only once computed";
    click(f.Command20);
    click(f.Command21);
    EXPECT_EQ(caption(), QStringLiteral("162,000円"));
    EXPECT_EQ(f.part2Values[76], 162000);
    EXPECT_EQ(f.part2Values[71], 100000);

    // Editing a box without computing changes nothing; the cells count as the last compute left them.
    f.Text73.setText(QStringLiteral("10,500"));
    click(f.Command21);
    EXPECT_EQ(caption(), QStringLiteral("162,000円"));
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Schedule5_2Part2Window, AReopenedWindowWithoutCode) {
    form7().Text15.setText(QStringLiteral("100,000"));
    form13().unload();
    // Opened again from the menu: the code is gone with the boxes; the compute refuses, and the total counts
    // Schedule 5(2) alone.
    form13().Text21.setText(QStringLiteral("8,000"));
    click(form13().Command20);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
    click(form13().Command21);
    EXPECT_EQ(form13().Command21.caption(), QStringLiteral("100,000円"));
}

TEST_F(Schedule5_2Part2Window, FailuresAfterTheInputsShowTheBox) {
    Form13 &f = form13();
    form5().Text25.setText(QStringLiteral("untouched"));
    // An overflow in the provision: the grid is shown, nothing further is pushed or saved.
    f.Text25.setText(QStringLiteral("100"));
    f.Text83.setText(QStringLiteral("2,147,483,647"));
    f.Text84.setText(QStringLiteral("1"));
    click(f.Command20);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表五（二）の２"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(f.Text27.text(), QStringLiteral("100"));
    EXPECT_EQ(form5().Text25.text(), QStringLiteral("untouched"));
    EXPECT_FALSE(exists(kFile));
    EXPECT_FALSE(exists(kSchedule4File));

    // The record cannot be written: Schedule 4 has been pressed, Schedule 5(1) not.
    f.Text84.setText(QString());
    writeFile(kFile + QStringLiteral("\\x"), "x");
    click(f.Command20);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("別表五（二）の２"));
    EXPECT_TRUE(exists(kSchedule4File));
    EXPECT_FALSE(exists(kSchedule5_1File));
    EXPECT_FALSE(sharedHandleOpen());

    // The total overflows: the box, and the caption stays.
    f.Command21.setCaption(QStringLiteral("租税公課の合計額"));
    f.part2Values[17] = 2147483647;
    form7().Text15.setText(QStringLiteral("1"));
    click(f.Command21);
    // Schedule 5(2)'s compute, pressed first, says that this window's record cannot be read for Schedule 1's
    // interim figures.
    ASSERT_EQ(svc.boxes.size(), 4u);
    EXPECT_EQ(svc.boxes[2].title, QStringLiteral("別表五（二）"));
    EXPECT_TRUE(svc.boxes[2].prompt.contains(kFile)) << svc.boxes[2].prompt.toStdString();
    EXPECT_EQ(svc.boxes[3].title, QStringLiteral("別表五（二）の２"));
    EXPECT_EQ(svc.boxes[3].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(f.Command21.caption(), QStringLiteral("租税公課の合計額"));
    snapshot(f, QStringLiteral("form13"));
}

} // namespace
} // namespace hz::test
