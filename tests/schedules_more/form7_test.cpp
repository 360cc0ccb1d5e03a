#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/Form3.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/schedule5_2.h"
#include "tests/support/fixture.h"

#include <map>

namespace hz::test {
namespace {

const QString kFile = QStringLiteral("c:\\法人税\\別表\\10525.txt");
const QString kSchedule4File = QStringLiteral("c:\\法人税\\別表\\10405.txt");
const QString kSchedule5_1File = QStringLiteral("c:\\法人税\\別表\\10515.txt");

class Schedule5_2Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
        form7().Text1.setText(QStringLiteral("5"));
        form5().Text100.setText(QStringLiteral("5"));
        form6().Text1.setText(QStringLiteral("5"));
    }
    // The record's lines, given by cell; every other line 0.
    static QByteArray record(const std::map<int, std::int32_t> &cells, int count = 78) {
        QStringList l(count, QStringLiteral("0"));
        for (const auto &[k, v] : cells)
            l[k - 1] = QString::number(v);
        return lines(l);
    }
    // Line n of a record file, as text.
    QString line(const QString &file, int n) {
        return QString::fromLatin1(readFile(file).split('\n').value(n - 1).trimmed());
    }
    std::vector<TextBox *> gridBoxes() {
        std::vector<TextBox *> boxes;
        for (int k = 1; k <= 78; ++k)
            if (TextBox *b = form7().cellBox(k))
                boxes.push_back(b);
        return boxes;
    }
};

TEST_F(Schedule5_2Window, LevyPresetComputeSavesPushesAndReloads) {
    Form7 &f = form7();
    click(f.Command23); // １８万円
    EXPECT_EQ(f.Text86.text(), QStringLiteral("50,000"));
    EXPECT_EQ(f.Text76.text(), QStringLiteral("130,000"));
    click(f.Command19);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(readFile(kFile), record({{44, 50000},
                                       {48, 50000},
                                       {50, 50000},
                                       {54, 50000},
                                       {68, 130000},
                                       {72, 130000},
                                       {74, 130000},
                                       {78, 130000}}));
    // Reloaded from the record: grouped, zeros empty.
    const std::map<QString, QString> shown = {{"Text86", "50,000"},  {"Text38", "50,000"},  {"Text101", "50,000"},
                                              {"Text94", "50,000"},  {"Text76", "130,000"}, {"Text5", "130,000"},
                                              {"Text82", "130,000"}, {"Text6", "130,000"}};
    for (TextBox *b : gridBoxes()) {
        const auto it = shown.find(b->name());
        EXPECT_EQ(b->text(), it == shown.end() ? QString() : it->second) << qPrintable(b->name());
    }
    // The final unpaid inhabitant taxes, negated with the minus sign before the grouped amount.
    EXPECT_EQ(form6().Text72.text(), QStringLiteral("-50,000"));
    EXPECT_EQ(form6().Text78.text(), QStringLiteral("-130,000"));
    // No interim payment and nothing entered: Schedule 1's five interim boxes are empty.
    for (TextBox *b : {&form3().Text6, &form3().Text27, &form3().Text30, &form3().Text32, &form3().Text35})
        EXPECT_EQ(b->text(), QString()) << qPrintable(b->name());
    EXPECT_EQ(form13().Text14.text(), QStringLiteral("0"));
    EXPECT_EQ(form13().Text81.text(), QStringLiteral("0"));
    EXPECT_EQ(form13().Text82.text(), QStringLiteral("0"));
    EXPECT_EQ(form13().Text85.text(), QString());
    EXPECT_EQ(form6().Text100.text(), QStringLiteral("0"));
    // The pressed Schedule 4 and 5(1) computes saved their records; 5(1) took the unpaid amounts as liabilities.
    EXPECT_TRUE(exists(kSchedule4File));
    EXPECT_EQ(line(kSchedule5_1File, 59), QStringLiteral("-50000"));
    EXPECT_EQ(line(kSchedule5_1File, 64), QStringLiteral("-130000"));
    snapshot(f, QStringLiteral("form7"));
}

// Interim inhabitant taxes above the year's leave final amounts below 0, refunds due: none of them becomes an
// unpaid tax on Schedule 5(1), neither in its boxes nor in the record its pressed compute saves.
TEST_F(Schedule5_2Window, RefundsDueLeaveNoUnpaidInhabitantTaxOnSchedule5_1) {
    Form7 &f = form7();
    f.cellBox(taxGridCell(s52::prefecturalFinal, 2))->setText(QStringLiteral("-300")); // 県民税 確定 ②
    f.cellBox(taxGridCell(s52::municipalFinal, 2))->setText(QStringLiteral("-500"));   // 市民税 確定 ②
    click(f.Command19);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(line(kFile, 48), QStringLiteral("-300"));
    EXPECT_EQ(line(kFile, 72), QStringLiteral("-500"));

    EXPECT_EQ(form6().Text72.text(), QString());
    EXPECT_EQ(form6().Text78.text(), QString());
    EXPECT_EQ(line(kSchedule5_1File, 59), QStringLiteral("0"));
    EXPECT_EQ(line(kSchedule5_1File, 64), QStringLiteral("0"));
    // The next compute of Schedule 5(1) books nothing either.
    click(form6().Command1);
    EXPECT_EQ(line(kSchedule5_1File, 59), QStringLiteral("0"));
    EXPECT_EQ(line(kSchedule5_1File, 64), QStringLiteral("0"));
}

TEST_F(Schedule5_2Window, PaidTaxesReachSchedules4And5_1AndTheSecondWindow) {
    Form7 &f = form7();
    f.Text11.setText(QStringLiteral("100,000")); // 法人税 前期 ①
    f.Text13.setText(QStringLiteral("10000"));   //             ③
    f.Text15.setText(QStringLiteral("100000"));  //             ⑤
    f.Text45.setText(QStringLiteral("2,000"));   // 県民税 前期 ③
    f.Text47.setText(QStringLiteral("45,000"));  //             ⑤
    f.Text50.setText(QStringLiteral("3,000"));   //     利子割 ②
    f.Text53.setText(QStringLiteral("3,000"));   //            ⑤
    f.Text65.setText(QStringLiteral("3000"));    // 市民税 前期 ③
    f.Text67.setText(QStringLiteral("90,000"));  //             ⑤
    f.Text9.setText(QStringLiteral("777"));      // a computed box: overwritten
    click(f.Command19);
    EXPECT_TRUE(svc.boxes.empty());

    // Schedule 4 lines 2-4, grouped, and the compute that was pressed saved them.
    EXPECT_EQ(form5().Text10.text(), QStringLiteral("100,000"));
    EXPECT_EQ(form5().Text15.text(), QStringLiteral("135,000"));
    EXPECT_EQ(form5().Text20.text(), QStringLiteral("3,000"));
    EXPECT_EQ(line(kSchedule4File, 4), QStringLiteral("100000"));
    EXPECT_EQ(line(kSchedule4File, 6), QStringLiteral("135000"));
    EXPECT_EQ(line(kSchedule4File, 8), QStringLiteral("3000"));

    // Schedule 5(1)'s unpaid rows as its compute saved them (liabilities, zero or less): ①, ② paid, ③, ④. Paid
    // with nothing due at the start, the inhabitant taxes end below 0: a refund due, nothing unpaid.
    const std::map<int, QString> unpaid = {{51, "-100000"}, {52, "-110000"}, {53, "0"},     {54, "-10000"},
                                           {56, "0"},       {57, "-50000"},  {58, "-3000"}, {59, "0"},
                                           {61, "0"},       {62, "-93000"},  {63, "0"},     {64, "0"}};
    for (const auto &[n, v] : unpaid)
        EXPECT_EQ(line(kSchedule5_1File, n), v) << "Schedule 5(1) line " << n;
    // Final unpaid inhabitant taxes are 0: the pattern shows nothing.
    EXPECT_EQ(form6().Text72.text(), QString());
    EXPECT_EQ(form6().Text78.text(), QString());

    // 計 ⑤ plain into the second window, the provision drawn (計 ③) grouped there and plain into Schedule 5(1).
    EXPECT_EQ(form13().Text14.text(), QStringLiteral("100000"));
    EXPECT_EQ(form13().Text81.text(), QStringLiteral("48000"));
    EXPECT_EQ(form13().Text82.text(), QStringLiteral("90000"));
    EXPECT_EQ(form13().Text85.text(), QStringLiteral("15,000"));
    EXPECT_EQ(form6().Text100.text(), QStringLiteral("15000"));
    EXPECT_EQ(f.reversalTotal, 15000);

    EXPECT_EQ(f.Text9.text(), QStringLiteral("-10,000"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("-10,000"));
    EXPECT_EQ(f.Text29.text(), QStringLiteral("100,000"));
    EXPECT_EQ(f.Text104.text(), QStringLiteral("48,000"));
}

// Schedule 1's interim boxes show the 中間 rows as saved, the inhabitant taxes split by half the levies Schedule 1
// uses (its record's, else the rate table's); the hidden levy box decides nothing. A row that pays nothing leaves its
// figures to what the user entered (the interim record); a box the user typed in Schedule 1 stays for its compute.
TEST_F(Schedule5_2Window, Schedule1ShowsTheInterimRowsAsSavedSplitByItsLevies) {
    form3().Text100.setText(QStringLiteral("5"));
    Form7 &f = form7();
    TextBox *interim[] = {&form3().Text6, &form3().Text27, &form3().Text30, &form3().Text32, &form3().Text35};
    auto shown = [&] {
        QStringList out;
        for (TextBox *b : interim)
            out << b->text();
        return out;
    };
    auto fill = [&](const QString &corporate, const QString &prefectural, const QString &municipal) {
        f.Text21.setText(corporate);   // 法人税 中間 ⑤
        f.Text56.setText(prefectural); // 県民税 中間 ②
        f.Text59.setText(prefectural); //           ⑤
        f.Text70.setText(municipal);   // 市民税 中間 ②
        f.Text73.setText(municipal);   //           ⑤
    };
    f.Text12.setText(QStringLiteral("70000"));
    fill(QStringLiteral("300,000"), QStringLiteral("45,000"), QStringLiteral("90,000"));
    click(f.Command19);
    EXPECT_EQ(shown(), (QStringList{"300,000", "20,000", "25,000", "25,000", "65,000"})) << "the rate table's levies";

    Schedule1Record s1;
    s1.C(7) = 20000;
    s1.D(6) = 50000;
    writeSchedule1(5, s1);
    click(f.Command19);
    EXPECT_EQ(shown(), (QStringList{"300,000", "35,000", "10,000", "65,000", "25,000"})) << "Schedule 1's levies";

    writeFile(interimAmountPath(5), lines({"200000", "20000", "10000", "0", "40000", "25000", "\"予備1\"",
                                           "\"予備2\"", "\"予備3\"", "\"予備4\"", "\"予備5\"", "\"予備6\"",
                                           "\"予備7\"", "\"予備8\"", "\"予備9\"", "\"予備10\"", "\"予備11\"",
                                           "\"予備12\""}));
    fill(QStringLiteral("300,000"), QString(), QString());
    click(f.Command19);
    EXPECT_EQ(shown(), (QStringList{"300,000", "20,000", "10,000", "40,000", "25,000"})) << "only 法人税 paid";
    typeInto(form3().Text32, QStringLiteral("41,000"));
    fill(QString(), QString(), QString());
    click(f.Command19);
    EXPECT_EQ(shown(), (QStringList{"200,000", "20,000", "10,000", "41,000", "25,000"})) << "no row paid";
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Schedule5_2Window, DataAction) {
    Form7 &f = form7();
    // A record with a figure in a cell without a box (line 2) and a negative final corporate tax.
    writeFile(kFile, record({{2, 7}, {14, -5000}}));
    click(f.Command20);
    EXPECT_EQ(f.Text24.text(), QStringLiteral("-5,000"));
    EXPECT_EQ(f.Text11.text(), QString());
    EXPECT_EQ(cellAt(f.cells, 2), 7);
    // The boxless cell stays in the record and the sums.
    click(f.Command19);
    EXPECT_EQ(line(kFile, 2), QStringLiteral("7"));
    EXPECT_EQ(f.Text9.text(), QStringLiteral("7"));

    // Another company without a record, and one whose record is short: every box empty, every cell 0.
    const QString shortFile = QStringLiteral("c:\\法人税\\別表\\10527.txt");
    writeFile(shortFile, record({{1, 11}}, 77));
    for (const char *code : {"6", "7"}) {
        f.Text1.setText(QStringLiteral("5"));
        click(f.Command20); // company 5 again, to fill the cells
        ASSERT_EQ(cellAt(f.cells, 2), 7);
        f.Text1.setText(QString::fromLatin1(code));
        click(f.Command20);
        for (TextBox *b : gridBoxes())
            EXPECT_EQ(b->text(), QString()) << code << " " << qPrintable(b->name());
        EXPECT_EQ(f.cells, Schedule5_2Cells{}) << code;
        EXPECT_EQ(f.companyCode, QString::fromLatin1(code).toInt());
    }
    EXPECT_FALSE(sharedHandleOpen());
    // Only the short record is said.
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表五（二）"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("c:\\法人税\\別表\\10527.txt を読み込めません。\n"
                                                  "ファイルにこれ以上データがありません。"));
    svc.boxes.clear();

    // A code that is no number: nothing changes.
    f.Text11.setText(QStringLiteral("1"));
    f.Text1.setText(QStringLiteral("x"));
    click(f.Command20);
    EXPECT_EQ(f.Text11.text(), QStringLiteral("1"));
    EXPECT_EQ(f.companyCode, 7);
    EXPECT_TRUE(svc.boxes.empty());
}

// Without the rate table the data action says so and the window holds the new company with nothing in it; its
// compute saves nothing until the record is read, also once the rate table is back.
TEST_F(Schedule5_2Window, DataWithoutTheRateTableHoldsTheCompanyAndSavesNothing) {
    Form7 &f = form7();
    writeFile(kFile, record({{1, 100000}}));
    click(f.Command20);
    ASSERT_EQ(f.Text11.text(), QStringLiteral("100,000"));
    const QByteArray rates = readFile(dataroot::taxRateFile);
    deleteFile(dataroot::taxRateFile);
    const QString otherFile = QStringLiteral("c:\\法人税\\別表\\10526.txt");
    writeFile(otherFile, record({{1, 7}}));
    f.Text1.setText(QStringLiteral("6"));
    click(f.Command20);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("税率設定"));
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("c:\\法人税\\税率.txt を読み込めません。\nファイルが見つかりません。"));
    EXPECT_EQ(f.companyCode, 6);
    EXPECT_EQ(f.Text11.text(), QString());
    EXPECT_EQ(f.cells, Schedule5_2Cells{});

    writeFile(dataroot::taxRateFile, rates);
    svc.boxes.clear();
    click(f.Command19);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表五（二）"));
    EXPECT_EQ(readFile(otherFile), record({{1, 7}}));
    EXPECT_EQ(readFile(kFile), record({{1, 100000}}));

    // Read once more, the company is the window's again.
    click(f.Command20);
    EXPECT_EQ(f.Text11.text(), QStringLiteral("7"));
}

TEST_F(Schedule5_2Window, ColumnButtons) {
    struct Case {
        const char *button;
        std::map<QString, QString> changed; // every other box keeps "1,000"
    } cases[] = {
        {"Command1", {{"Text11", ""}}},
        {"Command2", {{"Text18", ""}, {"Text24", ""}}},
        {"Command3", {{"Text13", ""}, {"Text19", ""}}},
        {"Command4", {{"Text14", ""}, {"Text20", ""}}},
        {"Command5", {{"Text15", "1000"}, {"Text21", "1000"}}},
        {"Command6",
         {{"Text11", ""},
          {"Text18", ""},
          {"Text24", ""},
          {"Text13", ""},
          {"Text19", ""},
          {"Text14", ""},
          {"Text20", ""},
          {"Text15", ""},
          {"Text21", ""}}},
        {"Command7", {{"Text43", ""}}},
        {"Command8", {{"Text86", ""}, {"Text50", ""}, {"Text56", ""}}},
        {"Command9", {{"Text45", ""}, {"Text51", ""}, {"Text57", ""}}},
        {"Command10", {{"Text46", ""}, {"Text52", ""}, {"Text58", ""}}},
        {"Command11", {{"Text47", "1000"}, {"Text53", "1000"}, {"Text59", "1000"}}},
        {"Command12",
         {{"Text43", ""},
          {"Text86", ""},
          {"Text50", ""},
          {"Text56", ""},
          {"Text45", ""},
          {"Text51", ""},
          {"Text57", ""},
          {"Text46", ""},
          {"Text52", ""},
          {"Text58", ""},
          {"Text47", ""},
          {"Text53", ""},
          {"Text59", ""}}},
        {"Command13", {{"Text63", ""}}},
        {"Command14", {{"Text76", ""}, {"Text70", ""}}},
        {"Command15", {{"Text65", ""}, {"Text71", ""}}},
        {"Command16", {{"Text66", ""}, {"Text72", ""}}},
        {"Command17", {{"Text67", "1000"}, {"Text73", "1000"}}},
        {"Command18",
         {{"Text63", ""},
          {"Text76", ""},
          {"Text70", ""},
          {"Text65", ""},
          {"Text71", ""},
          {"Text66", ""},
          {"Text72", ""},
          {"Text67", ""},
          {"Text73", ""}}},
        {"Command22", {{"Text86", "20,000"}, {"Text76", "50,000"}}},
        {"Command23", {{"Text86", "50,000"}, {"Text76", "130,000"}}},
    };
    Form7 &f = form7();
    for (const Case &c : cases) {
        for (TextBox *b : gridBoxes())
            b->setText(QStringLiteral("1,000"));
        Button *buttons[] = {&f.Command1,  &f.Command2,  &f.Command3,  &f.Command4,  &f.Command5,
                             &f.Command6,  &f.Command7,  &f.Command8,  &f.Command9,  &f.Command10,
                             &f.Command11, &f.Command12, &f.Command13, &f.Command14, &f.Command15,
                             &f.Command16, &f.Command17, &f.Command18, &f.Command22, &f.Command23};
        for (Button *b : buttons)
            if (b->name() == QLatin1String(c.button))
                click(*b);
        for (TextBox *b : gridBoxes()) {
            const auto it = c.changed.find(b->name());
            EXPECT_EQ(b->text(), it == c.changed.end() ? QStringLiteral("1,000") : it->second)
                << c.button << " " << qPrintable(b->name());
        }
    }
    EXPECT_FALSE(exists(kFile));
}

TEST_F(Schedule5_2Window, ExpenseCopiesCountEmptyOrNonNumericSourcesAsZero) {
    Form7 &f = form7();
    f.Text43.setText(QStringLiteral("120,000")); // 前期 ①
    f.Text50.setText(QString());                 // 利子割 ②
    f.Text56.setText(QStringLiteral("35,000"));  // 中間 ②
    click(f.Command11);
    EXPECT_EQ(f.Text47.text(), QStringLiteral("120000"));
    EXPECT_EQ(f.Text53.text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text59.text(), QStringLiteral("35000"));

    f.Text11.setText(QStringLiteral("-2,500"));
    f.Text18.setText(QStringLiteral("abc"));
    click(f.Command5);
    EXPECT_EQ(f.Text15.text(), QStringLiteral("-2500"));
    EXPECT_EQ(f.Text21.text(), QStringLiteral("0"));
}

TEST_F(Schedule5_2Window, FailuresShowTheBoxAndStopThere) {
    Form7 &f = form7();
    form5().Text10.setText(QStringLiteral("untouched"));

    // No code: nothing else happens.
    f.Text1.setText(QString());
    f.Text11.setText(QStringLiteral("100"));
    click(f.Command19);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    EXPECT_EQ(f.Text2.text(), QStringLiteral(" "));
    EXPECT_EQ(form5().Text10.text(), QStringLiteral("untouched"));

    // An overflow in the municipal block: the blocks above stay shown, nothing is pushed or saved.
    f.Text1.setText(QStringLiteral("5"));
    f.Text63.setText(QStringLiteral("2,147,483,647"));
    f.Text67.setText(QStringLiteral("-1"));
    click(f.Command19);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.boxes[1].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("100"));
    EXPECT_EQ(form5().Text10.text(), QStringLiteral("untouched"));
    EXPECT_FALSE(exists(kFile));
    EXPECT_FALSE(exists(kSchedule4File));

    // The record cannot be written: Schedule 4 has been pressed, Schedule 5(1) not.
    f.Text67.setText(QString());
    writeFile(kFile + QStringLiteral("\\x"), "x"); // a folder where the record goes
    click(f.Command19);
    ASSERT_EQ(svc.boxes.size(), 3u);
    EXPECT_EQ(svc.boxes[2].title, QStringLiteral("法人コードの入力"));
    EXPECT_TRUE(exists(kSchedule4File));
    EXPECT_FALSE(exists(kSchedule5_1File));
    EXPECT_EQ(form5().Text10.text(), QString());
    EXPECT_FALSE(sharedHandleOpen());
}

} // namespace
} // namespace hz::test
