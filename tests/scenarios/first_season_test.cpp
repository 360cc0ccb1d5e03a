// A filer's first season as the README tells it: the rates, a registration, Schedule 4 and Schedule 1, the interim
// payments, the print window, Schedule 6, a second registration and the bulk input; then the next-year rollover
// with the registration and interim windows left open.
//
// Rates of the "とりあえず１８万円" preset: enterprise tax 5 % up to 4,000,000 and 7.3 % above.

#include "app/Form1.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/paths.h"
#include "maintenance/Form10.h"
#include "print/Form12.h"
#include "print/recording_printer.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule5_2.h"
#include "tests/print/local_return_rows.h"
#include "tests/scenarios/registration.h"
#include "tests/scenarios/two_companies.h"
#include "tests/support/fixture.h"


namespace hz::test {
namespace {

constexpr std::int32_t kCode = 3;
const QString kName = QStringLiteral("株式会社四季商会");

class FirstSeason : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        form1(); // the program has started on a fresh disk
        click(form1().Command23); // 税率の設定
        click(form18().Command3); // とりあえず１８万円
        click(form18().Command5); // 画面の消去
        registerSampleCompany(kCode, kName, QStringLiteral("カブシキガイシャシキショウカイ"), 10, 9);
        // 別表四: the profit; 別表一 from the menu computes the taxes on it.
        click(form1().Command5);
        typeInto(form5().Text5, QStringLiteral("6,000,000"));
        click(form5().Command4);
        click(form1().Command12);
        ASSERT_EQ(shown(), std::vector<std::string>{});
    }

    // 別表一's "中間申告の入力", the interim enterprise tax typed, its 計算実行, then 別表一's 計算実行.
    static void typeInterimEnterpriseTax(const QString &amount) {
        click(form3().Command9);
        typeInto(form20().Text4, amount); // 事業税
        click(form20().Command1);
        click(form3().Command4);
    }

    // The boxes shown since the last call, each as "title: text"; forgets them.
    std::vector<std::string> shown() { return svc.takeShown(); }

    // Asked without touching the window, which would load it.
    static bool loaded(const char *formName) {
        for (Form *f : allForms())
            if (f->name() == QLatin1String(formName))
                return f->isLoaded();
        return false;
    }
};

// Income 6,000,000: enterprise tax 4,000,000 at 5 % = 200,000 and 2,000,000 at 7.3 % = 146,000, 346,000 in all;
// less the interim 80,000 typed in the interim window, 266,000 is due. Every chain that recomputes the schedules
// keeps the interim amount: Schedule 5(2) part 2, whose interim row is empty, has none of its own.
TEST_F(FirstSeason, TheInterimEnterpriseTaxTypedStaysOnTheReturnThroughEveryRecompute) {
    typeInterimEnterpriseTax(QStringLiteral("80,000"));
    auto expectKept = [&](const char *after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(form3().Text23.text(), QStringLiteral("80,000"));   // 中間事業税額
        EXPECT_EQ(form3().Text24.text(), QStringLiteral("266,000"));  // 申告事業税額
        Schedule1Record rec;
        readSchedule1(kCode, rec);
        EXPECT_EQ(rec.B(7), 80000);
        EXPECT_EQ(rec.B(8), 266000);
        EXPECT_EQ(shown(), std::vector<std::string>{});
    };
    expectKept("the interim window");

    // 印  刷: the print window's load recomputes every schedule; the prefectural return prints what it loaded.
    click(form1().Command18);
    expectKept("the print window's load");
    {
        PrintRecorder recorder;
        click(form12().Command3); // 法人県民税
        ASSERT_EQ(recorder.jobs.size(), 1u);
        const PrintJobLog &job = recorder.jobs.front();
        EXPECT_EQ(row(job, 149, 90, 120), QStringLiteral("800"));    // 中間納付額, in hundreds
        EXPECT_EQ(row(job, 161, 90, 120), QStringLiteral("2660"));   // 申告納付額, in hundreds
        EXPECT_EQ(row(job, 195, 90, 120), QStringLiteral("266000")); // 申告事業税額
    }
    EXPECT_EQ(shown(), std::vector<std::string>{});

    // 別表六外, its 計算実行.
    click(form1().Command8);
    click(form8().Command1);
    expectKept("Schedule 6's compute");

    // 会社登録 and its DATA on the open company, 登録実行 over it: the registration recomputes every schedule.
    click(form1().Command1);
    click(form2().Command7);
    svc.answer(mb::Ok); // 同じコード名があります
    svc.answer(mb::Ok); // 書き換えますか
    click(form2().Command4);
    EXPECT_EQ(shown(), (std::vector<std::string>{"同じコード名があります: ファイルは既に存在します。",
                                                 "書き換えますか: 書き換えますか"}));
    expectKept("a registration");

    // 一 括入 力 and its 計算実行, with its own interim enterprise tax left empty.
    click(form1().Command19);
    shown();
    click(form14().Command1);
    expectKept("the bulk input");

    // An amount in Schedule 5(2) part 2's own interim row still wins.
    click(form1().Command14);
    form13().cellBox(taxGridCell(2, 2))->setText(QStringLiteral("90,000")); // 事業税 中間 ②
    form13().cellBox(taxGridCell(2, 5))->setText(QStringLiteral("90,000")); //          ⑤
    click(form13().Command20);
    EXPECT_EQ(form3().Text23.text(), QStringLiteral("90,000"));
}

// The registration window, the interim window and the capital part left open over 次年度更新する: each follows the
// new year, so a registration mended afterwards keeps it; the menu shows the new business year; the interim
// payments ended with the old year.
TEST_F(FirstSeason, WindowsLeftOpenOverTheRolloverFollowTheNewYear) {
    typeInterimEnterpriseTax(QStringLiteral("80,000"));
    click(form1().Command15); // 資本積立; the registration window is still open
    ASSERT_TRUE(loaded("Form2") && loaded("Form20") && loaded("Form11"));
    ASSERT_EQ(form2().Text13.text(), QStringLiteral("19"));

    // データ, DATA on the open company, 次年度更新する.
    click(form1().Command13);
    click(form10().Command7);
    svc.answer(mb::Ok);
    click(form10().Command5);
    const std::string question = (kName + QStringLiteral("　を更新しますか")).toStdString();
    EXPECT_EQ(shown(), std::vector<std::string>{question + ": " + question});

    // The menu: the rolled company with its new year.
    EXPECT_EQ((QStringList{form1().Text1.text(), form1().Text2.text(), form1().Text13.text(), form1().Text14.text(),
                           form1().Text15.text(), form1().Text17.text(), form1().Text18.text(),
                           form1().Text19.text()}),
              (QStringList{"3", kName, "20", "4", "1", "21", "3", "31"}));

    // The interim window shows nothing paid, and so does its record; the capital part was closed.
    for (TextBox *b : {&form20().Text1, &form20().Text2, &form20().Text3, &form20().Text4, &form20().Text5,
                       &form20().Text6})
        EXPECT_EQ(b->text(), QString()) << b->name().toStdString();
    EXPECT_EQ(readInterimAmounts(kCode).amounts, (std::array<std::int32_t, 6>{}));
    EXPECT_FALSE(loaded("Form11"));

    // The registration window, still open, shows the new year; the telephone mended there and 登録実行.
    Form2 &r = form2();
    EXPECT_EQ((QStringList{r.Text13.text(), r.Text17.text(), r.Text21.text()}), (QStringList{"20", "21", "21"}));
    typeInto(r.Text12, QStringLiteral("03-1111-2222"));
    svc.answer(mb::Ok); // 同じコード名があります
    svc.answer(mb::Ok); // 書き換えますか
    click(r.Command4);
    EXPECT_EQ(shown(), (std::vector<std::string>{"同じコード名があります: ファイルは既に存在します。",
                                                 "書き換えますか: 書き換えますか"}));
    CompanyProfileRecord saved;
    readProfile(kCode, saved, 19);
    EXPECT_EQ(saved.telephone, QStringLiteral("03-1111-2222"));
    EXPECT_EQ((std::array<std::int32_t, 3>{saved.periodStartYear, saved.periodEndYear, saved.settlementYear}),
              (std::array<std::int32_t, 3>{20, 21, 21}));

    // The new year's 中間申告の入力 opens empty, and its 計算実行 gives Schedule 1 no interim payment.
    click(form1().Command12);
    click(form3().Command9);
    EXPECT_EQ(form20().Text4.text(), QString());
    click(form20().Command1);
    EXPECT_EQ(QStringList({form3().Text6.text(), form3().Text23.text()}), QStringList({"0", "0"}));
}

// 「¥」 and 「‾」 would come back from the record as 「\」 and 「~」: registration refuses them and says so, and no
// file changes.
TEST_F(FirstSeason, ANameWithACharacterThatWouldReadBackAsAnotherIsRefused) {
    for (const char *sign : {"¥", "‾"}) {
        SCOPED_TRACE(sign);
        const Disk before = readDisk();
        click(form1().Command1); // 会社登録
        click(form2().Command7); // DATA
        typeInto(form2().Text3, QStringLiteral("株式会社四季") + QString::fromUtf8(sign) + QStringLiteral("商会"));
        click(form2().Command4); // 登録実行
        EXPECT_EQ(shown(), std::vector<std::string>{"会社登録: 保存できない文字が含まれています。"});
        EXPECT_EQ(readDisk(), before);
        EXPECT_EQ(form1().Text2.text(), kName);
    }
}

} // namespace
} // namespace hz::test
