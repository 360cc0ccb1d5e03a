#include "app/Form1.h"
#include "common/profile.h"
#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/interim.h"
#include "schedules/more/Form8.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

QStringList quotedTail() {
    QStringList l;
    for (const QString &t : reservedTail())
        l << u'"' + t + u'"';
    return l;
}

class Schedule1Window : public HzTest {
protected:
    // The rate file as the "とりあえず７万円" preset saves it.
    static QByteArray presetRates() {
        return lines(QStringList{"22", "30", "5", "7.3", "9.6", "5", "20000", "12.3", "50000"} + quotedTail());
    }

    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        writeFile(dataroot::taxRateFile, presetRates());
    }

    // What opening the company gives the Schedule 7 compute that every Schedule 1 compute presses: a profile
    // and the code in its window.
    static void openedAs(const QString &code) {
        CompanyProfileRecord profile;
        profile.companyCode = code.toInt();
        profile.periodStartYear = 19;
        profile.periodStartMonth = 4;
        writeProfile(profile.companyCode, profile);
        form8().Text1.setText(code);
    }

    // The worked example: income 10,000,500, credit 10,000, interim payments in every panel.
    static void typeWorkedExample(const QString &code) {
        openedAs(code);
        Form3 &f = form3();
        f.Text100.setText(code);
        f.Text3.setText(QStringLiteral("10,000,500"));
        f.Text5.setText(QStringLiteral("10,000"));
        f.Text12.setText(QStringLiteral("10,000,500"));
        // The interim payments typed, as a user enters them here.
        typeInto(f.Text6, QStringLiteral("500,000"));
        typeInto(f.Text23, QStringLiteral("300,000"));
        typeInto(f.Text27, QStringLiteral("50,000"));
        typeInto(f.Text30, QStringLiteral("10,000"));
        typeInto(f.Text32, QStringLiteral("100,000"));
        typeInto(f.Text35, QStringLiteral("25,000"));
    }

    static std::array<TextBox *, 43> figureBoxes() {
        Form3 &f = form3();
        return {&f.Text3,  &f.Text4,  &f.Text5,  &f.Text6,  &f.Text7,  &f.Text2,  &f.Text38, &f.Text39, &f.Text40,
                &f.Text12, &f.Text13, &f.Text15, &f.Text17, &f.Text19, &f.Text23, &f.Text24, &f.Text14, &f.Text16,
                &f.Text18, &f.Text43, &f.Text44, &f.Text45, &f.Text20, &f.Text11, &f.Text25, &f.Text26, &f.Text27,
                &f.Text28, &f.Text29, &f.Text30, &f.Text31, &f.Text10, &f.Text8,  &f.Text1,  &f.Text9,  &f.Text32,
                &f.Text33, &f.Text34, &f.Text35, &f.Text36, &f.Text37, &f.Text21, &f.Text22};
    }
};

TEST_F(Schedule1Window, FirstTouchWithoutARateTableEndsTheProgram) {
    struct Case {
        const char *name;
        QByteArray file; // empty: no file
        QString description;
    };
    const Case cases[] = {
        {"no file", {}, QStringLiteral("ファイルが見つかりません。")},
        {"eight values", lines({"22", "30", "5", "7.3", "9.6", "5", "20000", "12.3"}),
         QStringLiteral("ファイルにこれ以上データがありません。")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        svc.events.clear();
        svc.boxes.clear();
        svc.ended = false;
        deleteFile(dataroot::taxRateFile);
        if (!c.file.isEmpty())
            writeFile(dataroot::taxRateFile, c.file);
        // Any chain's first touch, here the code box as opening a company writes it.
        EXPECT_FALSE(userAction([] { form3().Text100.setText(QStringLiteral("7")); }));
        EXPECT_EQ(svc.events, (QStringList{QStringLiteral("box:税率設定がありません。終了します。:") + c.description,
                                           "beep", "end"}));
        EXPECT_EQ(svc.boxes.at(0).buttons, mb::OkWarning);
        EXPECT_FALSE(sharedHandleOpen());
    }
}

TEST_F(Schedule1Window, LoadShowsTheRates) {
    Form3 &f = form3();
    EXPECT_EQ(f.Text14.text(), QStringLiteral("5.0"));
    EXPECT_EQ(f.Text16.text(), QStringLiteral("7.30"));
    EXPECT_EQ(f.Text18.text(), QStringLiteral("9.6"));
    EXPECT_EQ(f.Text41.text(), QStringLiteral("5."));
    EXPECT_EQ(f.Text42.text(), QStringLiteral("12.3"));
    EXPECT_EQ(f.Text29.text(), QString());
    EXPECT_EQ(f.Text34.text(), QString());
    EXPECT_EQ(f.Label35.caption(), QStringLiteral("税率 22%"));
    EXPECT_EQ(f.Label36.caption(), QStringLiteral("税率 30%"));
    EXPECT_TRUE(svc.events.isEmpty());
}

TEST_F(Schedule1Window, ComputeWritesTheRecordAndTheRateTableAndReloads) {
    typeWorkedExample(QStringLiteral("7"));
    form3().Text29.setText(QStringLiteral("99,999")); // no per-capita amount yet: the table's 20,000 is used
    click(form3().Command4);
    EXPECT_EQ(svc.events, QStringList{"beep"}) << svc.events.join(u'|').toStdString(); // Schedule 7's compute

    // A1-A18, B1-B15, C1-C11, D1-D9, the tail. B9-B11 are the widened singles, C2 and D2 the decimal rates.
    // clang-format off
    const QStringList record = {
        "10000500", "2360000", "10000", "500000", "1850000", "8000000", "1760000", "2000000", "600000", "10000000",
        "0", "0", "510000", "0", "10000000", "10000", "0", "0",
        "10000500", "4000000", "4000000", "2000000", "10000000", "0", "300000", "384000", "5", "7.30000019073486",
        "9.60000038146973", "200000", "292000", "192000", "684000",
        "2360000", "5", "118000", "0", "50000", "68000", "20000", "10000", "10000", "78000", "0",
        "2360000", "12.3", "290280", "100000", "190200", "50000", "25000", "25000", "215200"};
    // clang-format on
    EXPECT_EQ(readFile(schedule1Path(7)), lines(record + quotedTail()));
    EXPECT_EQ(readFile(dataroot::taxRateFile), presetRates());

    Form3 &f = form3();
    EXPECT_EQ(f.companyCode, 7);
    // The windows of Schedules 5(1), 5(2) and 7 are not there yet; the compute still runs to its end.
    // 1,850,000 + 78,000 + 215,200 + 384,000
    EXPECT_EQ(f.Text47.text(), QStringLiteral("2,527,200"));
    // Shown as the data action shows the saved record.
    EXPECT_EQ(f.Text7.text(), QStringLiteral("1,850,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("2,360,000"));
    EXPECT_EQ(f.Text16.text(), QStringLiteral("7.3"));
    EXPECT_EQ(f.Text14.text(), QStringLiteral("5."));
    EXPECT_EQ(f.Text29.text(), QStringLiteral("20,000"));
    EXPECT_EQ(f.Text34.text(), QStringLiteral("50,000"));
    EXPECT_EQ(f.Text37.text(), QStringLiteral("215,200"));
    EXPECT_EQ(f.Text8.text(), QString());
    EXPECT_EQ(f.Text41.text(), QStringLiteral("5"));
    EXPECT_EQ(f.Text42.text(), QStringLiteral("12.3"));
    snapshot(f, QStringLiteral("form3"));

    // The next compute takes the per-capita amounts as typed.
    f.Text29.setText(QStringLiteral("50,000"));
    click(f.Command4);
    Schedule1Record saved;
    readSchedule1(7, saved);
    EXPECT_EQ(saved.C(7), 50000);
    EXPECT_EQ(saved.C(10), 108000); // 68,000 + 40,000
}

TEST_F(Schedule1Window, LossReturnSavesAndShowsTheRefund) {
    openedAs(QStringLiteral("5"));
    Form3 &f = form3();
    f.Text100.setText(QStringLiteral("5"));
    f.Text3.setText(QStringLiteral("-1,500"));
    typeInto(f.Text6, QStringLiteral("20,000"));
    typeInto(f.Text27, QStringLiteral("3,000"));
    click(f.Command4);
    EXPECT_EQ(svc.events, QStringList{"beep"}) << svc.events.join(u'|').toStdString(); // Schedule 7's compute
    Schedule1Record saved;
    readSchedule1(5, saved);
    EXPECT_EQ(saved.A(1), -1500);
    EXPECT_EQ(saved.A(4), 20000); // used before the interim boxes were emptied
    EXPECT_EQ(saved.A(5), -20000);
    EXPECT_EQ(saved.A(14), 20000);
    EXPECT_EQ(saved.C(5), 3000);
    // After the reload the refund shows with its sign, and zero figures as empty boxes.
    EXPECT_EQ(f.Text7.text(), QStringLiteral("-20,000"));
    EXPECT_EQ(f.Text6.text(), QStringLiteral("20,000"));
    EXPECT_EQ(f.Text4.text(), QString());
    EXPECT_EQ(f.Text2.text(), QString());
}

TEST_F(Schedule1Window, LossButtonEmptiesExactlyTheSixInterimBoxes) {
    Form3 &f = form3();
    for (TextBox *t : figureBoxes())
        t->setText(QStringLiteral("1"));
    click(f.Command14);
    for (TextBox *t : figureBoxes()) {
        const bool interim =
            t == &f.Text6 || t == &f.Text23 || t == &f.Text27 || t == &f.Text30 || t == &f.Text32 || t == &f.Text35;
        EXPECT_EQ(t->text(), interim ? QString() : QStringLiteral("1")) << t->name().toStdString();
    }
}

TEST_F(Schedule1Window, DataForACompanyWithoutARecordLeavesNothingOfTheLastOne) {
    typeWorkedExample(QStringLiteral("7"));
    click(form3().Command4);
    Form3 &f = form3();
    f.Text22.setText(QStringLiteral("400,000")); // as Schedule 7 pushes it
    ASSERT_FALSE(f.working == Schedule1Record{});

    f.Text100.setText(QStringLiteral("8"));
    click(f.Command8);
    for (TextBox *t : figureBoxes())
        EXPECT_EQ(t->text(), QString()) << t->name().toStdString();
    EXPECT_EQ(f.working, Schedule1Record{});
    EXPECT_EQ(f.Text47.text(), QString()); // no total payable of company 7 either
    EXPECT_EQ(f.Text41.text(), QStringLiteral("5"));
    EXPECT_FALSE(sharedHandleOpen());
    EXPECT_EQ(svc.events, QStringList{"beep"}) << svc.events.join(u'|').toStdString(); // Schedule 7's compute

    // The new company's first compute starts from nothing: its per-capita amounts come from the table.
    f.Text3.setText(QStringLiteral("1,000,000"));
    f.Text29.setText(QStringLiteral("50,000"));
    click(f.Command4);
    Schedule1Record saved;
    readSchedule1(8, saved);
    EXPECT_EQ(saved.A(1), 1000000);
    EXPECT_EQ(saved.A(12), 0);
    EXPECT_EQ(saved.A(4), 0);
    EXPECT_EQ(saved.C(7), 20000);
    EXPECT_EQ(saved.D(6), 50000);
    // Company 7's record is untouched.
    readSchedule1(7, saved);
    EXPECT_EQ(saved.A(1), 10000500);
}

TEST_F(Schedule1Window, DataWithALettersCodeEmptiesToo) {
    typeWorkedExample(QStringLiteral("7"));
    click(form3().Command4);
    form3().Text100.setText(QStringLiteral("abc"));
    click(form3().Command8);
    EXPECT_EQ(form3().Text3.text(), QString());
    EXPECT_EQ(form3().working, Schedule1Record{});
    EXPECT_EQ(form3().companyCode, 7);
}

TEST_F(Schedule1Window, OverflowIsToldAndNothingIsSaved) {
    // A record of the company already on disk stays exactly as it was.
    typeWorkedExample(QStringLiteral("7"));
    click(form3().Command4);
    const QByteArray before = readFile(schedule1Path(7));
    const Schedule1Record workingBefore = form3().working;
    writeFile(dataroot::taxRateFile, lines({"22", "30", "5", "7.3", "9.6", "5", "20000", "12.3", "50000"}));

    Form3 &f = form3();
    // In the corporate tax: 0 − 2,000,000,000 − 2,000,000,000. Nothing is shown.
    f.Text3.setText(QStringLiteral("0"));
    f.Text5.setText(QStringLiteral("2,000,000,000"));
    typeInto(f.Text6, QStringLiteral("2,000,000,000"));
    const QByteArray interimBefore = readFile(interimAmountPath(7));
    click(f.Command4);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表一"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
    EXPECT_EQ(f.Text5.text(), QStringLiteral("2,000,000,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("2,360,000"));
    EXPECT_EQ(f.working, workingBefore);

    // In the enterprise tax: the corporate figures are shown by then, the record is not saved.
    f.Text5.setText(QString());
    f.Text6.setText(QString());
    f.Text3.setText(QStringLiteral("1,000,000"));
    f.Text12.setText(QStringLiteral("30,000,000,000"));
    f.Text13.setText(QStringLiteral("x"));
    click(f.Command4);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("別表一"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral("220,000"));
    EXPECT_EQ(f.Text12.text(), QStringLiteral("30,000,000,000"));
    EXPECT_EQ(f.Text13.text(), QStringLiteral("x"));

    EXPECT_EQ(readFile(schedule1Path(7)), before);
    EXPECT_EQ(readFile(interimAmountPath(7)), interimBefore) << "the typed interim amount is saved with the record";
    // The rate table was not written back either (it would have gained its tail).
    EXPECT_EQ(readFile(dataroot::taxRateFile), lines({"22", "30", "5", "7.3", "9.6", "5", "20000", "12.3", "50000"}));
}

TEST_F(Schedule1Window, RecordThatCannotBeWrittenIsTold) {
    removeFolder(dataroot::schedules);
    const QByteArray shortRates = lines({"22", "30", "5", "7.3", "9.6", "5", "20000", "12.3", "50000"});
    writeFile(dataroot::taxRateFile, shortRates);
    typeWorkedExample(QStringLiteral("7"));
    click(form3().Command4);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表一"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("パスが見つかりません。"));
    // It stopped there: the figures are shown, the rate table is not rewritten and there is no total.
    EXPECT_EQ(form3().Text37.text(), QStringLiteral("215,200"));
    EXPECT_EQ(readFile(dataroot::taxRateFile), shortRates);
    EXPECT_EQ(form3().Text47.text(), QStringLiteral(" "));
    EXPECT_FALSE(sharedHandleOpen());
}

TEST_F(Schedule1Window, ComputeWithoutACodeOrRatesChangesNothing) {
    Form3 &f = form3();
    f.Text100.setText(QStringLiteral("abc"));
    f.Text3.setText(QStringLiteral("1,000"));
    click(f.Command4);
    EXPECT_EQ(f.Text3.text(), QStringLiteral("1,000"));
    EXPECT_EQ(f.Text4.text(), QStringLiteral(" "));

    EXPECT_TRUE(svc.events.isEmpty());

    // Without the rate table nothing is computed either, and that is said.
    f.Text100.setText(QStringLiteral("7"));
    deleteFile(dataroot::taxRateFile);
    click(f.Command4);
    EXPECT_EQ(f.Text4.text(), QStringLiteral(" "));
    EXPECT_FALSE(exists(schedule1Path(7)));
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("税率設定"));
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("c:\\法人税\\税率.txt を読み込めません。\nファイルが見つかりません。"));
}

TEST_F(Schedule1Window, InterimButtonOpensTheInterimWindowForThisCompany) {
    writeInterimAmounts(12, InterimAmountRecord{{1000, 2000, 3000, 4000, 5000, 6000}});
    form3().Text100.setText(QStringLiteral("12"));
    click(form3().Command9);
    EXPECT_EQ(form3().companyCode, 12);
    EXPECT_EQ(form20().Text15.text(), QStringLiteral("12"));
    EXPECT_EQ(form20().Text1.text(), QStringLiteral("1,000"));
    EXPECT_TRUE(form20().isVisible());
}

TEST_F(Schedule1Window, RateAndMenuButtonsShowTheirWindows) {
    click(form3().Command15);
    EXPECT_TRUE(form18().isVisible());
    form1().hide();
    click(form3().Command13);
    EXPECT_TRUE(form1().isVisible());
}

} // namespace
} // namespace hz::test
