#include "core/paths.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/tax_rates.h"
#include "tests/support/fixture.h"

#include <algorithm>

namespace hz::test {
namespace {

const QString record12 = QStringLiteral("c:\\法人税\\別表\\104012.txt");

const QStringList tail = {"\"予備1\"", "\"予備2\"", "\"予備3\"", "\"予備4\"",  "\"予備5\"",  "\"予備6\"",
                          "\"予備7\"", "\"予備8\"", "\"予備9\"", "\"予備10\"", "\"予備11\"", "\"予備12\""};

QStringList zeros(int n) { return QStringList(n, QStringLiteral("0")); }

class Schedule4Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        // Schedule 1 reads the rates when the first push loads it.
        TaxRateTable t;
        const float r[9] = {22, 30, 5, 7.3f, 9.6f, 5, 20000, 12.3f, 50000};
        std::copy(std::begin(r), std::end(r), t.r);
        writeTaxRates(t);
    }

    // 60 numbers, four names, the tail.
    static QByteArray record(const QStringList &numbers, const QStringList &names) {
        return lines(numbers + names + tail);
    }

    static void type(std::initializer_list<std::pair<TextBox *, const char *>> boxes) {
        for (auto [box, text] : boxes)
            box->setText(QString::fromUtf8(text));
    }
};

TEST_F(Schedule4Window, ComputeFillsTheFormSavesAndPushesIntoSchedule1) {
    Form5 &f = form5();
    snapshot(f, QStringLiteral("form5_empty"));
    type({{&f.Text100, "12"},
          {&f.Text5, "3,000,000"},
          {&f.Text4, "2,500,000"},
          {&f.Text10, "400,000"},
          {&f.Text15, "70000"},
          {&f.Text20, "1,000"},
          {&f.Text25, "600,000"},
          {&f.Text30, "2,000"},
          {&f.Text35, "90,000"},
          {&f.Text41, "寄附金の損金不算入額"},
          {&f.Text40, "10,000"},
          {&f.Text38, "10,000"},
          {&f.Text55, "80,000"},
          {&f.Text60, "7,000"},
          {&f.Text66, "受取配当等"},
          {&f.Text65, "5,000"},
          {&f.Text64, "5,000"},
          {&f.Text84, "15,000"},
          {&f.Text79, "2,000,000"},
          // what a computed box shows before the compute does not count
          {&f.Text9, "123"},
          {&f.Text50, "999,999"}});
    click(f.Command4);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(svc.events, QStringList{"beep"});

    const std::pair<TextBox *, const char *> shown[] = {
        {&f.Text3, "500,000"},     {&f.Text9, "400,000"},     {&f.Text14, "70,000"},
        {&f.Text15, "70,000"},     {&f.Text19, "1,000"},      {&f.Text24, "600,000"},
        {&f.Text28, "2,000"},      {&f.Text33, "90,000"},     {&f.Text39, ""},
        {&f.Text50, "1,173,000"},  {&f.Text49, "1,071,000"},  {&f.Text48, "102,000"},
        {&f.Text54, "80,000"},     {&f.Text58, "7,000"},      {&f.Text63, ""},
        {&f.Text70, "92,000"},     {&f.Text69, "85,000"},     {&f.Text68, ""},
        {&f.Text34, "7,000"},      {&f.Text75, "4,081,000"},  {&f.Text74, "3,486,000"},
        {&f.Text73, "602,000"},    {&f.Text59, "-7,000"},     {&f.Text78, "15,000"},
        {&f.Text89, "4,096,000"},  {&f.Text88, "3,486,000"},  {&f.Text87, "617,000"},
        {&f.Text29, "-7,000"},     {&f.Text110, "2,000,000"}, {&f.Text112, "2,000,000"},
        {&f.Text18, "2,096,000"},  {&f.Text13, "3,486,000"},  {&f.Text8, "617,000"},
        {&f.Text53, "-2,007,000"}, {&f.Text79, "2,000,000"},  {&f.Text41, "寄附金の損金不算入額"},
    };
    for (auto [box, text] : shown)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->name().toStdString();
    for (Label *l : {&f.Label5, &f.Label6, &f.Label7, &f.Label8})
        EXPECT_EQ(l->caption(), QString());

    EXPECT_EQ(readFile(record12),
              record(
                  {// 1-12: cells 1-12
                   "3000000", "2500000", "500000", "400000", "400000", "70000", "70000", "1000", "1000", "600000",
                   "600000", "2000",
                   // 13-27: cells 14-28
                   "2000", "90000", "90000", "10000", "0", "10000", "0", "0", "0", "1173000", "1071000", "102000",
                   "80000", "80000", "7000",
                   // 28-60: cells 30-62
                   "7000", "5000", "5000", "0", "92000", "85000", "0", "4081000", "3486000", "602000", "15000", "15000",
                   "4096000", "3486000", "617000", "0", "0", "0", "2000000", "2000000", "7000", "-7000", "2096000",
                   "3486000", "617000", "-7000", "-2007000", "2000000", "0", "0", "0", "0", "0"},
                  {"\"寄附金の損金不算入額\"", "\"　\"", "\"受取配当等\"", "\" \""}));

    Form3 &s1 = form3();
    EXPECT_EQ(s1.Text3.text(), QStringLiteral("2,096,000"));
    EXPECT_EQ(s1.Text5.text(), QStringLiteral("15,000"));
    EXPECT_EQ(s1.Text12.text(), QStringLiteral("2,096,000"));
    EXPECT_EQ(s1.Text26.text(), QStringLiteral("1,000"));
    EXPECT_EQ(s1.Text21.text(), QStringLiteral("2,000,000"));
    EXPECT_EQ(f.companyCode, 12);
    snapshot(f, QStringLiteral("form5_computed"));
}

TEST_F(Schedule4Window, AllBoxesEmptySavesZerosAndShowsTheIncomeAsZero) {
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    form3().Text3.setText(QStringLiteral("1,234"));
    click(f.Command4);

    EXPECT_EQ(f.Text18.text(), QStringLiteral("0"));
    for (TextBox *b : {&f.Text5, &f.Text4, &f.Text3, &f.Text50, &f.Text75, &f.Text89, &f.Text110, &f.Text13, &f.Text53})
        EXPECT_EQ(b->text(), QString()) << b->name().toStdString();
    EXPECT_EQ(readFile(record12), record(zeros(60), {"\"　\"", "\"　\"", "\"　\"", "\" \""}));
    EXPECT_EQ(form3().Text3.text(), QString());
    EXPECT_EQ(form3().Text12.text(), QString());
    EXPECT_EQ(svc.beeps, 1);
}

TEST_F(Schedule4Window, RetainedProfitOfLine1FallsBackToTheWholeProfit) {
    struct Case {
        const char *total;
        const char *retained;
        const char *retainedShown;
        const char *paidOutShown;
    } cases[] = {
        {"1,000,000", " ", "1,000,000", ""},    {"1,000,000", "", "1,000,000", ""},
        {"1,000,000", "利益", "1,000,000", ""}, {"1,000,000", "800,000", "800,000", "200,000"},
        {"1,000,000", "0", "", "1,000,000"},    {"", "500", "500", "-500"},
    };
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    for (const Case &c : cases) {
        f.Text5.setText(QString::fromUtf8(c.total));
        f.Text4.setText(QString::fromUtf8(c.retained));
        click(f.Command4);
        EXPECT_EQ(f.Text4.text(), QString::fromUtf8(c.retainedShown)) << c.retained;
        EXPECT_EQ(f.Text3.text(), QString::fromUtf8(c.paidOutShown)) << c.retained;
    }

    // "留   保" empties the retained box, so the next compute takes the whole profit again.
    f.Text5.setText(QStringLiteral("1,000,000"));
    f.Text4.setText(QStringLiteral("800,000"));
    click(f.Command2);
    EXPECT_EQ(f.Text4.text(), QString());
    click(f.Command4);
    EXPECT_EQ(f.Text4.text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(f.Text3.text(), QString());
    click(f.Command1);
    EXPECT_EQ(f.Text5.text(), QString());
}

TEST_F(Schedule4Window, LossDeductionAndLossOfTheYearReachSchedule1) {
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text5.setText(QStringLiteral("600,000"));
    f.Text79.setText(QStringLiteral("1,000,000"));
    click(f.Command4);
    EXPECT_EQ(f.Text110.text(), QStringLiteral("600,000"));
    EXPECT_EQ(f.Text18.text(), QStringLiteral("0"));
    EXPECT_EQ(form3().Text21.text(), QStringLiteral("600,000"));
    EXPECT_EQ(form3().Text3.text(), QString());

    f.Text5.setText(QStringLiteral("-300,000"));
    click(f.Command4);
    EXPECT_EQ(f.Text110.text(), QString());
    EXPECT_EQ(f.Text18.text(), QStringLiteral("-300,000"));
    EXPECT_EQ(form3().Text3.text(), QStringLiteral("-300,000"));
    EXPECT_EQ(form3().Text12.text(), QStringLiteral("-300,000"));
    EXPECT_EQ(form3().Text21.text(), QString());
}

TEST_F(Schedule4Window, UnbalancedFreeLinesAreFlaggedUntilTheNextCompute) {
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text40.setText(QStringLiteral("100,000"));
    f.Text39.setText(QStringLiteral("60,000"));
    f.Text38.setText(QStringLiteral("30,000"));
    f.Text94.setText(QStringLiteral("1"));
    click(f.Command4);
    EXPECT_EQ(f.Label5.caption(), QStringLiteral("再計算"));
    EXPECT_EQ(f.Label6.caption(), QString());
    EXPECT_EQ(f.Label7.caption(), QString());
    EXPECT_EQ(f.Label8.caption(), QStringLiteral("再計算"));
    snapshot(f, QStringLiteral("form5_flags"));
    EXPECT_EQ(f.Text50.text(), QStringLiteral("100,000"));
    EXPECT_EQ(f.Text49.text(), QStringLiteral("60,000"));
    EXPECT_EQ(f.Text48.text(), QStringLiteral("30,000"));

    f.Text38.setText(QStringLiteral("40,000"));
    f.Text94.setText(QString());
    click(f.Command4);
    EXPECT_EQ(f.Label5.caption(), QString());
    EXPECT_EQ(f.Label8.caption(), QString());
}

TEST_F(Schedule4Window, OverflowShowsTheBoxAndLeavesRecordAndSchedule1Alone) {
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text5.setText(QStringLiteral("1,000"));
    click(f.Command4);
    const QByteArray before = readFile(record12);
    ASSERT_FALSE(before.isEmpty());
    svc.events.clear();

    f.Text10.setText(QStringLiteral("2,000,000,000"));
    f.Text15.setText(QStringLiteral("2,000,000,000"));
    click(f.Command4);
    EXPECT_EQ(svc.events, QStringList{"box:別表四:オーバーフローしました。"});
    EXPECT_EQ(readFile(record12), before);
    EXPECT_EQ(form3().Text3.text(), QStringLiteral("1,000"));
    EXPECT_EQ(f.Text50.text(), QString()); // the window was not refreshed
    EXPECT_EQ(f.incomeCells[4], 0);
}

TEST_F(Schedule4Window, ARecordThatCannotBeWrittenShowsTheBoxAfterTheBeep) {
    removeFolder(dataroot::schedules);
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text5.setText(QStringLiteral("5,000"));
    form3().Text3.setText(QStringLiteral("777"));
    click(f.Command4);
    EXPECT_EQ(svc.events, (QStringList{"beep", "box:別表四:パスが見つかりません。"}));
    EXPECT_EQ(f.Text18.text(), QStringLiteral("5,000")); // refreshed before the save
    EXPECT_EQ(form3().Text3.text(), QStringLiteral("777"));
}

TEST_F(Schedule4Window, ACodeThatIsNoNumberStopsTheComputeWithTheBox) {
    Form5 &f = form5();
    f.Text5.setText(QStringLiteral("5,000"));
    f.Text100.setText(QString());
    click(f.Command4);
    EXPECT_EQ(svc.events, QStringList{"box:別表四:型が一致しません。"});
    EXPECT_EQ(f.Text18.text(), QStringLiteral(" "));
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\別表\\10400.txt")));
}

TEST_F(Schedule4Window, DataShowsTheRecord) {
    QStringList numbers = zeros(60);
    numbers[0] = "-1234567"; // cell 1
    numbers[1] = "-1234567"; // cell 2
    numbers[48] = "-7000";   // file line 49: cell 51, 仮計 ※
    numbers[53] = "-7000";   // file line 54: cell 56, 所得金額 ※
    numbers[54] = "300000";  // file line 55: cell 57
    numbers[55] = "5000000"; // file lines 56-59: cells 58-61
    numbers[56] = "-400000";
    numbers[57] = "5300000";
    numbers[58] = "-300000";
    numbers[59] = "-100000"; // cell 62 is kept but not shown
    writeFile(record12, record(numbers, {"\"寄附金\"", "\"\"", "\"雑損失\"", "\"交際費\""}));

    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text89.setText(QStringLiteral("stale"));
    click(f.Command7);
    EXPECT_TRUE(svc.events.isEmpty());
    const std::pair<TextBox *, const char *> shown[] = {
        {&f.Text5, "-1,234,567"}, {&f.Text4, "-1,234,567"}, {&f.Text3, ""},           {&f.Text59, "-7,000"},
        {&f.Text53, "-7,000"},    {&f.Text18, ""},          {&f.Text89, ""},          {&f.Text79, "300,000"},
        {&f.Text81, "5,000,000"}, {&f.Text82, "-400,000"},  {&f.Text83, "5,300,000"}, {&f.Text96, "-300,000"},
        {&f.Text41, "寄附金"},    {&f.Text46, ""},          {&f.Text66, "雑損失"},    {&f.Text95, "交際費"},
    };
    for (auto [box, text] : shown)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->name().toStdString();
    EXPECT_EQ(f.incomeCells[62], -100'000);
    EXPECT_EQ(f.incomeRowNames[2], QStringLiteral("雑損失"));
}

TEST_F(Schedule4Window, DataOfARolloverRecordShowsEmptyAmountsAndTheNames) {
    writeFile(record12, lines(zeros(60) + QStringList{"\"寄附金\"", "\"　\"", "\"　\"", "\" \""}));
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text5.setText(QStringLiteral("1,000"));
    click(f.Command7);
    EXPECT_EQ(f.Text5.text(), QString());
    EXPECT_EQ(f.Text18.text(), QString());
    EXPECT_EQ(f.Text41.text(), QStringLiteral("寄附金"));
}

// Opening a company that has no record must not carry the figures and names of the company shown before
// into the new company's record.
TEST_F(Schedule4Window, DataWithoutARecordEmptiesTheWindowAndForgetsTheEarlierCompany) {
    QStringList numbers = zeros(60);
    numbers[0] = "900000";
    numbers[55] = "5000000"; // cell 58
    writeFile(record12, record(numbers, {"\"寄附金\"", "\"\"", "\"\"", "\"\""}));
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    click(f.Command7);
    ASSERT_EQ(f.Text5.text(), QStringLiteral("900,000"));

    f.Text100.setText(QStringLiteral("13"));
    click(f.Command7);
    EXPECT_TRUE(svc.events.isEmpty());
    for (TextBox *b : {&f.Text5, &f.Text79, &f.Text81, &f.Text41})
        EXPECT_EQ(b->text(), QString()) << b->name().toStdString();
    EXPECT_EQ(f.incomeCells, IncomeCells{});

    click(f.Command4);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\104013.txt")),
              record(zeros(60), {"\"\"", "\"\"", "\"\"", "\"\""}));
}

TEST_F(Schedule4Window, DataWithACodeThatIsNoNumberChangesNothing) {
    Form5 &f = form5();
    f.Text5.setText(QStringLiteral("1,000"));
    f.Text41.setText(QStringLiteral("寄附金"));
    for (const char *code : {"", "abc"}) {
        f.Text100.setText(QString::fromUtf8(code));
        click(f.Command7);
        EXPECT_EQ(f.Text5.text(), QStringLiteral("1,000"));
        EXPECT_EQ(f.Text41.text(), QStringLiteral("寄附金"));
    }
    EXPECT_TRUE(svc.events.isEmpty());
}

TEST_F(Schedule4Window, ReconciliationVerdictOnBothWindowsAndStoredAtTheNextCompute) {
    Form5 &f = form5();
    f.Text100.setText(QStringLiteral("12"));
    f.Text5.setText(QStringLiteral("1,000,000"));
    click(f.Command4);
    // Typed but not computed: the check uses line 35 as the last compute left it, also after the window was
    // closed and opened again.
    f.Text5.setText(QStringLiteral("9,999,999"));
    f.unload();
    f.Text81.setText(QStringLiteral("5,000,000"));
    f.Text82.setText(QStringLiteral("-400,000"));
    f.Text96.setText(QStringLiteral("-300,000"));
    f.Text83.setText(QStringLiteral("5,300,000"));
    f.Text100.setText(QStringLiteral("12"));
    click(f.Command8);
    EXPECT_EQ(f.Command8.caption(), QStringLiteral("別四と別五は  OK"));
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("別四と別五は  OK"));
    EXPECT_EQ(f.incomeCells[62], 0);

    f.Text83.setText(QStringLiteral("5,200,000"));
    click(f.Command8);
    EXPECT_EQ(f.Command8.caption(), QStringLiteral("ミス -100,000円"));
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("ミス -100,000円"));
    EXPECT_TRUE(svc.boxes.empty());

    // クリア leaves the totals, the names and the code; the compute stores the check's figures.
    f.Text66.setText(QStringLiteral("受取配当等"));
    click(f.Command6);
    EXPECT_EQ(f.Text83.text(), QStringLiteral("5,200,000"));
    EXPECT_EQ(f.Text100.text(), QStringLiteral("12"));
    click(f.Command4);
    EXPECT_EQ(f.Command8.caption(), QStringLiteral("別四と別五の関係"));
    EXPECT_EQ(form6().Command8.caption(), QStringLiteral("ミス -100,000円"));
    EXPECT_EQ(readFile(record12), record(zeros(55) + QStringList{"5000000", "-400000", "5200000", "-300000", "-100000"},
                                         {"\"　\"", "\"　\"", "\"受取配当等\"", "\" \""}));
}

TEST_F(Schedule4Window, ReconciliationBeforeAnyComputeCountsNoRetainedIncome) {
    Form5 &f = form5();
    f.Text81.setText(QStringLiteral("2,500"));
    f.Text83.setText(QStringLiteral("2,500"));
    click(f.Command8);
    EXPECT_EQ(f.Command8.caption(), QStringLiteral("別四と別五は  OK"));

    // An overflow ends the check quietly; the captions keep their text.
    f.Text81.setText(QStringLiteral("2,000,000,000"));
    f.Text82.setText(QStringLiteral("2,000,000,000"));
    click(f.Command8);
    EXPECT_EQ(f.Command8.caption(), QStringLiteral("別四と別五は  OK"));
    EXPECT_TRUE(svc.events.isEmpty());
}

} // namespace
} // namespace hz::test
