#include "app/Form1.h"
#include "common/profile.h"
#include "core/paths.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule7.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QString kSchedule6File = QStringLiteral("c:\\法人税\\別表\\10605.txt");
const QString kSchedule7File = QStringLiteral("c:\\法人税\\別表\\10705.txt");
const QString kSchedule15File = QStringLiteral("c:\\法人税\\別表\\11505.txt");

QStringList zeros(int n) { return QStringList(n, QStringLiteral("0")); }

QStringList tail() {
    QStringList l;
    for (int i = 1; i <= 12; ++i)
        l << QStringLiteral("\"予備%1\"").arg(i);
    return l;
}

class Form8Window : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
        writeCompany(5, 20, 4);
        // The windows this one pushes into and presses work on the same company.
        form8().Text1.setText(QStringLiteral("5"));
        form5().Text100.setText(QStringLiteral("5"));
        form6().Text1.setText(QStringLiteral("5"));
        form13().Text19.setText(QStringLiteral("5"));
    }

    static void writeCompany(int code, int startYear, int startMonth) {
        CompanyProfileRecord p;
        p.companyCode = code;
        p.capitalYen = 10000000;
        p.periodStartYear = startYear;
        p.periodStartMonth = startMonth;
        p.periodStartDay = 1;
        p.periodEndYear = startYear + 1;
        p.periodEndMonth = startMonth == 1 ? 12 : startMonth - 1;
        p.periodEndDay = 31;
        p.companyName = QStringLiteral("株式会社テスト");
        writeProfile(code, p);
    }

    // The presses the clicked action made itself, without the ones nested in them.
    static QStringList topLevel(const QStringList &trace) {
        QStringList l;
        for (const QString &t : trace)
            if (t.startsWith(QStringLiteral("  ")) && t.at(2) != u' ')
                l << t.trimmed();
        return l;
    }

    void blockRecord(const QString &file) { writeFile(file + QStringLiteral("\\x"), "x"); }
};

// ===================== 別表六 =====================

TEST_F(Form8Window, Schedule6ComputeSavesAndCreditsSchedule4AndTaxesAndDues) {
    Form8 &f = form8();
    f.Text2.setText(QStringLiteral("100000"));
    f.Text3.setText(QStringLiteral("15000"));
    f.Text11.setText(QStringLiteral("甲社"));
    f.Text12.setText(QStringLiteral("200,000"));
    f.Text13.setText(QStringLiteral("40000"));
    f.Text14.setText(QStringLiteral("12"));
    f.Text15.setText(QStringLiteral("5"));
    QStringList trace;
    tracePresses(&trace);
    click(f.Command1);
    tracePresses(nullptr);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(readFile(kSchedule6File),
              lines(QStringList{"100000", "15000", "15000", "200000", "16680", "16680", "300000", "31680", "31680",
                                "200000", "40000", "12", "5", "417", "16680"} +
                    zeros(6) + QStringList{"\"甲社\"", "\" \""}));
    // Ratio and credit in plain digits, the rest grouped; the typed inputs stay as typed.
    EXPECT_EQ(f.Text16.text(), QStringLiteral("417"));
    EXPECT_EQ(f.Text17.text(), QStringLiteral("16680"));
    EXPECT_EQ(f.Text23.text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text24.text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text3.text(), QStringLiteral("15,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("15,000"));
    EXPECT_EQ(f.Text5.text(), QStringLiteral("200,000"));
    EXPECT_EQ(f.Text6.text(), QStringLiteral("16,680"));
    EXPECT_EQ(f.Text7.text(), QStringLiteral("16,680"));
    EXPECT_EQ(f.Text8.text(), QStringLiteral("300,000"));
    EXPECT_EQ(f.Text10.text(), QStringLiteral("31,680"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("100000"));
    EXPECT_EQ(f.Text12.text(), QStringLiteral("200,000"));

    // Schedule 4 has the credit and has been recomputed with it (its 控除税額 reached Schedule 1); the second
    // Schedule 5(2) window has it in its withholding-tax row and is recomputed last.
    EXPECT_EQ(form5().Text84.text(), QStringLiteral("31,680"));
    EXPECT_EQ(form3().Text5.text(), QStringLiteral("31,680"));
    EXPECT_EQ(form13().Text58.text(), QStringLiteral("31,680"));
    EXPECT_EQ(form13().Text55.text(), QStringLiteral("31,680"));
    EXPECT_EQ(topLevel(trace), (QStringList{"Form5.Command4", "Form13.Command20"}));
    int schedule4Computes = 0;
    for (const QString &t : trace)
        schedule4Computes += t.trimmed() == QStringLiteral("Form5.Command4");
    EXPECT_EQ(svc.beeps, schedule4Computes) << "only Schedule 4 beeps";
    snapshot(f, QStringLiteral("form8"));
}

TEST_F(Form8Window, Schedule6RatioWithoutBasePeriodKeepsTheLastOne) {
    Form8 &f = form8();
    click(f.Command1); // nothing typed on a fresh window
    EXPECT_EQ(f.Text16.text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text17.text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text5.text(), QString());
    EXPECT_EQ(f.Text10.text(), QString());
    EXPECT_EQ(readFile(kSchedule6File), lines(zeros(21) + QStringList{"\" \"", "\" \""}));

    struct Step {
        const char *base, *holding, *withheld;
        const char *ratio, *credit;
    } steps[] = {
        {"12", "6", "20000", "500", "10000"},
        {"", "6", "20000", "500", "10000"},     // the ratio of the last compute stands
        {"12", "18", "20000", "1000", "20000"}, // held longer than the base: the whole tax, not more
        {"6", "6", "3000000", "1000", "3000000"},
    };
    for (const Step &s : steps) {
        f.Text21.setText(QString::fromUtf8(s.base));
        f.Text22.setText(QString::fromUtf8(s.holding));
        f.Text20.setText(QString::fromUtf8(s.withheld));
        click(f.Command1);
        EXPECT_EQ(f.Text23.text(), QString::fromUtf8(s.ratio)) << s.base << "/" << s.holding;
        EXPECT_EQ(f.Text24.text(), QString::fromUtf8(s.credit)) << s.base << "/" << s.holding;
    }
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Form8Window, Schedule6FailuresShowTheBoxAndStopWhereTheyHappen) {
    Form8 &f = form8();
    form5().Text84.setText(QStringLiteral("x"));

    f.Text1.setText(QStringLiteral("abc"));
    f.Text2.setText(QStringLiteral("100"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    EXPECT_EQ(f.Text4.text(), QStringLiteral(" "));

    // A sum beyond 32 bits: nothing pushed, nothing saved.
    f.Text1.setText(QStringLiteral("5"));
    f.Text2.setText(QStringLiteral("2,147,483,647"));
    f.Text12.setText(QStringLiteral("1"));
    click(f.Command1);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.boxes[1].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(form5().Text84.text(), QStringLiteral("x"));
    EXPECT_FALSE(exists(kSchedule6File));

    // The record cannot be written: Schedule 4 and the taxes-and-dues row have the credit, the second Schedule
    // 5(2) window is not recomputed.
    f.Text2.setText(QStringLiteral("1000"));
    f.Text3.setText(QStringLiteral("150"));
    blockRecord(kSchedule6File);
    QStringList trace;
    tracePresses(&trace);
    click(f.Command1);
    tracePresses(nullptr);
    ASSERT_EQ(svc.boxes.size(), 3u);
    EXPECT_EQ(svc.boxes[2].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(form5().Text84.text(), QStringLiteral("150"));
    EXPECT_EQ(form13().Text58.text(), QStringLiteral("150"));
    EXPECT_EQ(topLevel(trace), QStringList{"Form5.Command4"});
}

TEST_F(Form8Window, Schedule6DataFillsThePanelOrEmptiesIt) {
    Form8 &f = form8();
    QStringList record{"1000", "150",  "150",  "0", "0", "0", "1000", "150", "150", "5000",     "1000", "12",
                       "12",   "1000", "1000", "0", "0", "0", "0",    "0",   "0",   "\"乙社\"", "\"\""};
    writeFile(kSchedule6File, lines(record));
    click(f.Command9);
    EXPECT_EQ(f.Text2.text(), QStringLiteral("1,000"));
    EXPECT_EQ(f.Text16.text(), QStringLiteral("1,000")) << "grouped here, plain after a compute";
    EXPECT_EQ(f.Text5.text(), QString());
    EXPECT_EQ(f.Text11.text(), QStringLiteral("乙社"));
    EXPECT_EQ(f.Text18.text(), QString());

    // Another company whose record is cut short: it is said, nothing of the first company stays, and nothing is
    // saved over the record.
    writeCompany(6, 20, 4);
    f.Text1.setText(QStringLiteral("6"));
    const QString shortFile = QStringLiteral("c:\\法人税\\別表\\10606.txt");
    writeFile(shortFile, lines(record.mid(0, 21)));
    click(f.Command9);
    for (int item = 1; item <= 21; ++item)
        EXPECT_EQ(f.schedule6Box(item).text(), QString()) << item;
    EXPECT_EQ(f.Text11.text(), QString());
    EXPECT_EQ(f.schedule6Values, (std::array<std::int32_t, 22>{}));
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表六"));
    EXPECT_EQ(svc.boxes[0].prompt, shortFile + QStringLiteral(" を読み込めません。\n"
                                                              "ファイルにこれ以上データがありません。"));
    form5().Text100.setText(QStringLiteral("6"));
    form6().Text1.setText(QStringLiteral("6"));
    form13().Text19.setText(QStringLiteral("6"));
    click(f.Command1);
    EXPECT_EQ(readFile(shortFile), lines(record.mid(0, 21)));
    EXPECT_EQ(svc.boxes.size(), 2u);
    svc.boxes.clear();

    // クリア empties the amounts only.
    f.Text11.setText(QStringLiteral("丙社"));
    f.Text2.setText(QStringLiteral("5"));
    click(f.Command7);
    EXPECT_EQ(f.Text2.text(), QString());
    EXPECT_EQ(f.Text11.text(), QStringLiteral("丙社"));
}

// ===================== 別表七 =====================

TEST_F(Form8Window, Schedule7ComputeSavesPushesAndBeeps) {
    Form8 &f = form8();
    f.Text96.setText(QStringLiteral("600,000"));
    f.Text35.setText(QStringLiteral("1,000,000"));
    click(f.Command2);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(svc.beeps, 1);
    QStringList expected = zeros(25);
    expected[11] = "1000000"; // 12 1st year outstanding
    expected[12] = "600000";  // 13 deducted
    expected[13] = "400000";  // 14 carried
    expected[14] = "1000000"; // 15
    expected[15] = "600000";  // 16
    expected[16] = "400000";  // 17
    expected[18] = "400000";  // 23
    EXPECT_EQ(readFile(kSchedule7File), lines(expected + tail()));
    EXPECT_EQ(f.Text36.text(), QStringLiteral("600,000"));
    EXPECT_EQ(f.Text37.text(), QStringLiteral("400,000"));
    EXPECT_EQ(f.Text38.text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(f.Text39.text(), QStringLiteral("600,000"));
    EXPECT_EQ(f.Text40.text(), QStringLiteral("400,000"));
    EXPECT_EQ(f.Text41.text(), QString());
    EXPECT_EQ(f.Text42.text(), QStringLiteral("400,000"));
    EXPECT_EQ(f.Text53.text(), QString());
    EXPECT_EQ(form5().Text79.text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(form3().Text22.text(), QStringLiteral("400,000"));
}

// Schedule 4 sends its income into this window and takes the loss back only at its next compute.
TEST_F(Form8Window, Schedule7LossReachesSchedules4And1OnTheNextPass) {
    form5().Text5.setText(QStringLiteral("600000"));
    click(form5().Command4);
    EXPECT_EQ(form3().Text3.text(), QStringLiteral("600,000"));

    Form8 &f = form8();
    f.Text96.setText(QStringLiteral("600,000")); // as Schedule 4's compute sends it
    f.Text35.setText(QStringLiteral("1000000"));
    click(f.Command2);
    EXPECT_EQ(form3().Text22.text(), QStringLiteral("400,000"));
    EXPECT_EQ(form5().Text79.text(), QStringLiteral("1,000,000"));
    EXPECT_EQ(form3().Text3.text(), QStringLiteral("600,000")) << "not yet";

    click(form5().Command4);
    EXPECT_EQ(form3().Text21.text(), QStringLiteral("600,000")); // 欠損金の当期控除額
    EXPECT_EQ(form3().Text3.text(), QString());
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Form8Window, Schedule7DataShowsTheRolloversShortRecordAndKeepsIt) {
    Form8 &f = form8();
    // The 19 values the next-year rollover leaves.
    QStringList nineteen = zeros(19);
    nineteen[11] = "500000"; // 12
    nineteen[13] = "500000"; // 14
    nineteen[14] = "500000"; // 15
    nineteen[16] = "500000"; // 17
    nineteen[18] = "500000"; // 23
    writeFile(kSchedule7File, lines(nineteen));
    f.Text52.setText(QStringLiteral("7")); // from before: emptied
    click(f.Command10);
    EXPECT_EQ(f.Text35.text(), QStringLiteral("500,000"));
    EXPECT_EQ(f.Text42.text(), QStringLiteral("500,000"));
    EXPECT_EQ(f.Text52.text(), QString());
    // The record stays as it is until the compute saves it whole: closing the window now loses nothing.
    EXPECT_EQ(readFile(kSchedule7File), lines(nineteen));
    EXPECT_TRUE(svc.boxes.empty());

    // The next compute writes the full layout again.
    f.Text96.setText(QStringLiteral("-100"));
    click(f.Command2);
    QStringList full = zeros(25);
    full[11] = "500000";
    full[13] = "500000";
    full[14] = "500000";
    full[16] = "500000";
    full[17] = "100";
    full[18] = "500100";
    EXPECT_EQ(readFile(kSchedule7File), lines(full + tail()));

    // A company without a record: nothing of the one before stays, and it gets the zero record.
    writeCompany(6, 20, 4);
    f.Text1.setText(QStringLiteral("6"));
    click(f.Command10);
    for (int item : schedule7RecordItems)
        EXPECT_EQ(f.schedule7Box(item).text(), QString()) << item;
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\10706.txt")), lines(zeros(31) + tail()));
    f.Text96.setText(QStringLiteral("1000"));
    click(f.Command2);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\10706.txt")), lines(zeros(25) + tail()));
}

TEST_F(Form8Window, Schedule7FailuresShowTheBox) {
    Form8 &f = form8();
    form5().Text79.setText(QStringLiteral("x"));
    f.Text35.setText(QStringLiteral("100"));
    f.Text1.setText(QStringLiteral("9")); // no profile
    click(f.Command2);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表七"));
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("c:\\法人税\\法人名\\9.txt を読み込めません。\nファイルが見つかりません。"));
    EXPECT_EQ(f.Text38.text(), QStringLiteral(" "));

    f.Text1.setText(QStringLiteral("5"));
    f.Text50.setText(QStringLiteral("2147483647"));
    click(f.Command2);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_FALSE(exists(kSchedule7File));

    // Not written: the panel shows the result, nothing is pushed, no beep.
    f.Text50.setText(QString());
    blockRecord(kSchedule7File);
    click(f.Command2);
    ASSERT_EQ(svc.boxes.size(), 3u);
    EXPECT_EQ(svc.boxes[2].title, QStringLiteral("別表七"));
    EXPECT_EQ(f.Text42.text(), QStringLiteral("100"));
    EXPECT_EQ(form5().Text79.text(), QStringLiteral("x"));
    EXPECT_EQ(svc.beeps, 0);
}

TEST_F(Form8Window, Schedule7RowCaptionsToggle) {
    writeCompany(5, 18, 4);
    Form8 &f = form8();
    click(f.Command13);
    EXPECT_EQ(f.Label9.caption(), QStringLiteral("平成17.4 ～"));
    EXPECT_EQ(f.Label8.caption(), QStringLiteral("平成16.4 ～"));
    EXPECT_EQ(f.Label6.caption(), QStringLiteral("平成13.4 ～"));
    EXPECT_EQ(f.Label21.caption(), QStringLiteral("平成11.4 ～"));
    snapshot(f, QStringLiteral("form8_dates"));
    click(f.Command13);
    EXPECT_EQ(f.Label9.caption(), QStringLiteral("期首前１年前"));
    EXPECT_EQ(f.Label21.caption(), QStringLiteral("期首前７年前"));

    // The counter wraps to 1 after its largest value.
    f.Text58.setText(QStringLiteral("32767"));
    click(f.Command13);
    EXPECT_EQ(f.Text58.text(), QStringLiteral("1"));
    EXPECT_EQ(f.Label20.caption(), QStringLiteral("平成12.4 ～"));

    // No profile: nothing changes.
    f.Text1.setText(QStringLiteral("9"));
    click(f.Command13);
    EXPECT_EQ(f.Text58.text(), QStringLiteral("1"));
    EXPECT_EQ(f.Label20.caption(), QStringLiteral("平成12.4 ～"));
    EXPECT_TRUE(svc.boxes.empty());

    // Closing the window puts the captions and the counter back.
    f.unload();
    EXPECT_EQ(form8().Label9.caption(), QStringLiteral("期首前１年前"));
    EXPECT_EQ(form8().Text58.text(), QString());
}

TEST_F(Form8Window, Schedule7HeaderButtonsEmptyTheirColumns) {
    Form8 &f = form8();
    f.Text96.setText(QStringLiteral("50"));
    for (int item : schedule7RecordItems)
        f.schedule7Box(item).setText(QStringLiteral("100"));
    click(f.Command4);
    for (TextBox *b : {&f.Text50, &f.Text26, &f.Text29, &f.Text32, &f.Text35, &f.Text38, &f.Text53, &f.Text52})
        EXPECT_EQ(b->text(), QString()) << qPrintable(b->name());
    EXPECT_EQ(f.Text25.text(), QStringLiteral("100"));
    click(f.Command5);
    for (TextBox *b : {&f.Text25, &f.Text27, &f.Text30, &f.Text33, &f.Text36, &f.Text39, &f.Text54, &f.Text55})
        EXPECT_EQ(b->text(), QString()) << qPrintable(b->name());
    EXPECT_EQ(f.Text28.text(), QStringLiteral("100"));
}

// ===================== 別表十五 =====================

TEST_F(Form8Window, Schedule15ComputeSavesPushesAndReloads) {
    Form8 &f = form8();
    f.Text46.setText(QStringLiteral("3500000"));
    f.Text47.setText(QStringLiteral("500000"));
    f.Text43.setText(QStringLiteral("4000000"));
    QStringList trace;
    tracePresses(&trace);
    click(f.Command3);
    tracePresses(nullptr);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(readFile(kSchedule15File),
              lines(QStringList{"3000000", "4000000", "2700000", "300000", "3500000", "500000", "3000000"} + tail()));
    EXPECT_EQ(form5().Text35.text(), QStringLiteral("300,000"));
    EXPECT_EQ(topLevel(trace), (QStringList{"Form5.Command4", "Form8.Command11"}));
    // Reloaded from the record it wrote.
    EXPECT_EQ(f.Text46.text(), QStringLiteral("3,500,000"));
    EXPECT_EQ(f.Text43.text(), QStringLiteral("4,000,000"));
    EXPECT_EQ(f.Text44.text(), QStringLiteral("2,700,000"));
    EXPECT_EQ(f.Text45.text(), QStringLiteral("300,000"));
    EXPECT_TRUE(f.Option1.value());
    EXPECT_FALSE(f.Option2.value());
}

TEST_F(Form8Window, Schedule15RateFollowsThePeriodStart) {
    struct Case {
        int year, month;
        bool tenPercent;
        const char *deductible; // of 1,234,567 under a 3,000,000 limit
    } cases[] = {
        {19, 4, true, "1,111,111"}, {19, 1, true, "1,111,111"}, {16, 1, true, "1,111,111"},
        {15, 4, true, "1,111,111"}, {15, 3, false, "987,654"},  {14, 4, false, "987,654"},
    };
    Form8 &f = form8();
    for (const Case &c : cases) {
        writeCompany(5, c.year, c.month);
        f.Text46.setText(QStringLiteral("1234567"));
        f.Text47.setText(QString());
        f.Text43.setText(QStringLiteral("3000000"));
        click(f.Command3);
        EXPECT_EQ(f.Option1.value(), c.tenPercent) << c.year << "." << c.month;
        EXPECT_EQ(f.Option2.value(), !c.tenPercent) << c.year << "." << c.month;
        EXPECT_EQ(f.Text44.text(), QString::fromUtf8(c.deductible)) << c.year << "." << c.month;
    }
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Form8Window, Schedule15ClearAndTheLimitButton) {
    Form8 &f = form8();
    click(f.Command11); // no record yet: the options are set, the boxes empty
    EXPECT_TRUE(f.Option1.value());
    f.Text49.setText(QStringLiteral("9"));
    f.Text46.setText(QStringLiteral("1"));
    f.Text47.setText(QStringLiteral("2"));
    click(f.Command8);
    EXPECT_EQ(f.Text46.text(), QString());
    EXPECT_EQ(f.Text47.text(), QString());
    EXPECT_EQ(f.Text49.text(), QStringLiteral("9"));
    EXPECT_FALSE(f.Option1.value());
    EXPECT_FALSE(f.Option2.value());

    f.Text43.setText(QString());
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        click(f.Command6);
        seen << f.Text43.text();
    }
    EXPECT_EQ(seen, (QStringList{"3000000", "4000000", "0", "3000000"}));
}

TEST_F(Form8Window, Schedule15FailuresAndUnreadableData) {
    Form8 &f = form8();
    f.Text46.setText(QStringLiteral("100"));
    f.Text1.setText(QStringLiteral("9")); // no profile
    click(f.Command3);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\別表\\11509.txt")));

    // The record cannot be written: nothing is pushed.
    f.Text1.setText(QStringLiteral("5"));
    form5().Text35.setText(QStringLiteral("x"));
    blockRecord(kSchedule15File);
    click(f.Command3);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(form5().Text35.text(), QStringLiteral("x"));

    // DATA for a company without a profile: no rate, but its own record, and no figure of the company before.
    writeFile(QStringLiteral("c:\\法人税\\別表\\11506.txt"),
              lines(QStringList{"1", "2", "3", "4", "5", "6", "7"} + tail()));
    writeCompany(6, 20, 4);
    f.Text1.setText(QStringLiteral("6"));
    click(f.Command11);
    EXPECT_EQ(f.Text44.text(), QStringLiteral("3"));
    deleteFile(profilePath(6));
    click(f.Command11);
    EXPECT_FALSE(f.Option1.value());
    EXPECT_FALSE(f.Option2.value());
    EXPECT_EQ(f.Text44.text(), QStringLiteral("3"));
    EXPECT_EQ(svc.boxes.size(), 2u);

    // A company whose record cannot be read: it is said, the panel shows none of the company before, and its
    // compute saves nothing over the record.
    const QByteArray cut = lines({"1", "2"});
    writeFile(QStringLiteral("c:\\法人税\\別表\\11507.txt"), cut);
    writeCompany(7, 20, 4);
    f.Text1.setText(QStringLiteral("7"));
    click(f.Command11);
    for (TextBox *b : {&f.Text43, &f.Text44, &f.Text45, &f.Text46, &f.Text47, &f.Text48, &f.Text49})
        EXPECT_EQ(b->text(), QString()) << qPrintable(b->name());
    EXPECT_EQ(f.schedule15Values, (std::array<std::int32_t, 8>{}));
    ASSERT_EQ(svc.boxes.size(), 3u);
    EXPECT_EQ(svc.boxes[2].title, QStringLiteral("別表十五"));
    click(f.Command3);
    EXPECT_EQ(svc.boxes.size(), 4u);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\11507.txt")), cut);
}

// The window fits a 1024 x 768 screen with its frame, every box in sight and none over another; the dividend
// heading stands over the issue boxes, from the name column to the credit column.
TEST_F(Form8Window, FitsTheScreenWithEveryBoxInSight) {
    Form8 &f = form8();
    f.show();
    QWidget *w = f.window();
    w->adjustSize();
    EXPECT_LE(w->width(), 1000);
    EXPECT_LE(w->height(), 720);
    std::vector<QRect> boxes;
    for (QLineEdit *e : w->findChildren<QLineEdit *>()) {
        if (!e->isVisibleTo(w))
            continue;
        const QRect r(e->mapTo(w, QPoint(0, 0)), e->size());
        EXPECT_TRUE(w->rect().contains(r)) << e->objectName().toStdString();
        for (const QRect &other : boxes)
            EXPECT_FALSE(r.intersects(other)) << e->objectName().toStdString();
        boxes.push_back(r);
    }
    EXPECT_EQ(boxes.size(), 55u); // 9 summary, 14 issue, 25 Schedule 7 and 7 Schedule 15 boxes
    const QRect heading(f.Label11.widget()->mapTo(w, QPoint(0, 0)), f.Label11.widget()->sizeHint());
    const QRect name(f.Text11.widget()->mapTo(w, QPoint(0, 0)), f.Text11.widget()->size());
    const QRect credit(f.Text17.widget()->mapTo(w, QPoint(0, 0)), f.Text17.widget()->size());
    EXPECT_LE(std::abs(heading.left() - name.left()), 2);
    EXPECT_LE(std::abs(heading.right() - credit.right()), 8);
}

TEST_F(Form8Window, FreshWindowAndMenu) {
    Form8 &f = form8();
    EXPECT_EQ(f.caption(), QStringLiteral("別表六"));
    EXPECT_EQ(f.Text43.text(), QString());
    EXPECT_EQ(f.Text58.text(), QString());
    EXPECT_EQ(f.Text47.text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text46.text(), QStringLiteral(" "));
    EXPECT_EQ(f.Text11.text(), QStringLiteral(" "));
    EXPECT_EQ(f.Option2.value(), false);
    form1().hide();
    click(f.Command12);
    EXPECT_TRUE(form1().isVisible());
}

} // namespace
} // namespace hz::test
