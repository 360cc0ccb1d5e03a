#include "app/Form1.h"
#include "common/links.h"
#include "company/Form17.h"
#include "company/Form19.h"
#include "company/Form2.h"
#include "company/Form21.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/Form10.h"
#include "print/Form12.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "tests/support/fixture.h"

#include <QDir>

namespace hz::test {
namespace {

class MainMenu : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
    }
    // A profile as registration writes it (31 lines), or its first `count` lines.
    void profile(int fileCode, int lineOneCode, const QString &name, int count = 31) {
        QStringList l = {QString::number(lineOneCode),
                         "10000000",
                         "19",
                         "4",
                         "1",
                         "20",
                         "3",
                         "31",
                         "\"ヤマダ\"",
                         '"' + name + '"',
                         "\"東京都\"",
                         "\"ヤマダタロウ\"",
                         "\"東京都\"",
                         "\"小売業\"",
                         "\"麹町\"",
                         "\"03-1234-5678\"",
                         "20",
                         "5",
                         "31",
                         "\"山田太郎\""};
        for (const QString &t : reservedTail(2))
            l << '"' + t + '"';
        writeFile(companyPath(dataroot::profilePrefix, fileCode), lines(l.mid(0, count)));
    }
    QStringList listItems() {
        QStringList items;
        for (int i = 0; i < form1().List1.listCount(); ++i)
            items << form1().List1.itemText(i);
        return items;
    }
};

TEST_F(MainMenu, ListShowsEveryReadableCompanyInCodeOrder) {
    EXPECT_TRUE(listItems().isEmpty());
    profile(130, 130, QStringLiteral("丙商事"));
    profile(5, 5, QStringLiteral("株式会社山田商店"));
    profile(12, 12, QStringLiteral("乙工業"));
    click(form1().Command16);
    EXPECT_EQ(listItems(), (QStringList{"05 : 株式会社山田商店  [平成19.4.1]", "012 : 乙工業  [平成19.4.1]",
                                        "130 : 丙商事  [平成19.4.1]"}));
    EXPECT_TRUE(form1().isVisible());
    snapshot(form1(), QStringLiteral("form1"));

    // Both "法人税の目次" buttons stand on the menu; the old print button and Schedule 11 are hidden.
    EXPECT_TRUE(form1().Command16.isVisible());
    EXPECT_TRUE(form1().Command17.isVisible());
    EXPECT_EQ(form1().Command17.caption(), QStringLiteral("法人税の目次"));
    EXPECT_FALSE(form1().Command3.isVisible());
    EXPECT_FALSE(form1().Command21.isVisible());
    profile(7, 7, QStringLiteral("丁"));
    click(form1().Command17);
    EXPECT_EQ(listItems().size(), 4);
}

TEST_F(MainMenu, ShortProfileDoesNotHideTheCompaniesAfterIt) {
    form1(); // the program has started
    profile(5, 5, QStringLiteral("甲"));
    profile(12, 12, QStringLiteral("乙"), 18);
    profile(30, 30, QStringLiteral("丙"), 19); // the short form is listed
    profile(40, 7, QStringLiteral("丁"));      // listed under the code of its first line
    click(form1().Command17);
    EXPECT_EQ(listItems(), (QStringList{"05 : 甲  [平成19.4.1]", "030 : 丙  [平成19.4.1]", "07 : 丁  [平成19.4.1]"}));
    // The profile cut short is said, by name.
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人税の目次"));
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("c:\\法人税\\法人名\\12.txt を読み込めません。\nファイルにこれ以上データがありません。"));
    EXPECT_FALSE(sharedHandleOpen());
    // And opening a company works straight after, with no "ファイル閉鎖" needed.
    svc.boxes.clear();
    form1().Text1.setText(QStringLiteral("5"));
    click(form1().Command2);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(form1().Text2.text(), QStringLiteral("甲"));
}

// The list takes the codes from one look at the folder: what stands there besides the profiles is passed over
// without a word, and a profile under a name with leading zeros is no code's profile. A folder where a profile
// should stand hides no company without a word: it is said, once in a click, like a profile that cannot be read.
TEST_F(MainMenu, ListPassesOverWhatIsNoProfileAndSaysAFolderInAProfilesPlace) {
    form1();
    profile(5, 5, QStringLiteral("甲"));
    profile(999, 999, QStringLiteral("乙"));
    QDir().mkpath(hostPath(companyPath(dataroot::profilePrefix, 20)));
    writeFile(companyPath(dataroot::profilePrefix, 7) + QStringLiteral(".new"), lines({"7"}));
    writeFile(dataroot::profilePrefix + QStringLiteral("012.txt"), lines({"12"}));
    writeFile(dataroot::profilePrefix + QStringLiteral("1000.txt"), lines({"1000"}));
    QDir().mkpath(hostPath(dataroot::profilePrefix + QStringLiteral("0.txt")));
    for (int click = 1; click <= 2; ++click) {
        SCOPED_TRACE(click);
        svc.events.clear();
        HzTest::click(form1().Command16); // 法人税の目次
        EXPECT_EQ(listItems(), (QStringList{"05 : 甲  [平成19.4.1]", "999 : 乙  [平成19.4.1]"}));
        EXPECT_EQ(svc.events,
                  QStringList{QStringLiteral(
                      "box:法人税の目次:c:\\法人税\\法人名\\20.txt を読み込めません。\nパス名が無効です。")});
    }
    EXPECT_FALSE(sharedHandleOpen());
}

TEST_F(MainMenu, ClickingAnItemOpensThatCompany) {
    profile(5, 5, QStringLiteral("株式会社山田商店"));
    profile(12, 12, QStringLiteral("乙工業"));
    click(form1().Command16);
    form1().List1.clickItem(0);
    EXPECT_EQ(form1().Text1.text(), QStringLiteral("5"));
    EXPECT_EQ(form1().Text2.text(), QStringLiteral("株式会社山田商店"));
    EXPECT_EQ(form1().currentCode, 5);
    const QString period = form1().Text13.text() + '.' + form1().Text14.text() + '.' + form1().Text15.text() + '-' +
                           form1().Text17.text() + '.' + form1().Text18.text() + '.' + form1().Text19.text();
    EXPECT_EQ(period, QStringLiteral("19.4.1-20.3.31"));
    form1().List1.clickItem(1);
    EXPECT_EQ(form1().Text1.text(), QStringLiteral("12"));
    EXPECT_EQ(form1().currentCode, 12);
    // A refresh leaves the current company alone.
    click(form1().Command16);
    EXPECT_EQ(form1().currentCode, 12);
}

TEST_F(MainMenu, TypedCodeWithGroupingOpensTheCompany) {
    profile(1234, 1234, QStringLiteral("千商事"));
    form1().Text1.setText(QStringLiteral("1,234"));
    click(form1().Command2);
    EXPECT_EQ(form1().currentCode, 1234);
    EXPECT_EQ(form1().Text2.text(), QStringLiteral("千商事"));
}

TEST_F(MainMenu, OpeningACompanyLoadsAndRecomputesTheSchedulesInOrder) {
    profile(5, 5, QStringLiteral("甲"));
    form1().Text1.setText(QStringLiteral("5"));
    QStringList presses;
    tracePresses(&presses);
    click(form1().Command2);
    tracePresses(nullptr);
    EXPECT_TRUE(svc.boxes.empty());
    // The presses openCompany makes itself, one level in; openSchedule1's own follow it one level deeper.
    QStringList own, schedule1;
    for (const QString &p : presses) {
        if (p.startsWith(QStringLiteral("  ")) && !p.startsWith(QStringLiteral("   ")))
            own << p.trimmed();
        if (p.startsWith(QStringLiteral("    ")) && !p.startsWith(QStringLiteral("     ")) &&
            own.last() == QStringLiteral("Form1.Command12"))
            schedule1 << p.trimmed();
    }
    // One pass loads and computes; the passes repeat until one saves nothing new.
    const QString pass =
        QStringLiteral("Form3.Command8 Form4.Command7 Form5.Command7 Form6.Command7 "
                       "Form7.Command20 Form7.Command20 Form13.Command19 "
                       "Form8.Command9 Form8.Command10 Form8.Command11 "
                       "Form5.Command4 Form3.Command4 Form6.Command1 Form1.Command12 "
                       "Form6.Command1 Form3.Command4 Form7.Command19 Form13.Command20 Form3.Command4");
    const qsizetype passes = own.size() / (pass.count(u' ') + 1);
    EXPECT_GE(passes, 1);
    EXPECT_LE(passes, 4);
    EXPECT_EQ(own.join(u' '), QStringList(passes, pass).join(u' '));
    EXPECT_TRUE(schedule1.join(u' ').startsWith(QStringLiteral("Form3.Command8 Form5.Command4 Form3.Command4")));
    // Each Schedule 5(1) compute presses the Schedule 4 compute and then its own data button.
    const int first5_1 = int(presses.indexOf(QStringLiteral("  Form6.Command1")));
    ASSERT_GE(first5_1, 0);
    EXPECT_EQ(presses.mid(first5_1 + 1, 2), (QStringList{"    Form5.Command4", "    Form6.Command7"}));
    for (const QString &box : {form3().Text100.text(), form4().Text1.text(), form5().Text100.text(),
                               form6().Text1.text(), form7().Text1.text(), form13().Text19.text(), form8().Text1.text(),
                               form11().Text1.text(), form15().Text100.text(), form16().Text100.text()})
        EXPECT_EQ(box, QStringLiteral("5"));
    EXPECT_TRUE(form3().isVisible());
}

TEST_F(MainMenu, FailedOpenShowsItsBoxAndChangesNothingElse) {
    profile(5, 5, QStringLiteral("甲"));
    form1().Text1.setText(QStringLiteral("5"));
    click(form1().Command2);
    struct Case {
        const char *typed;
        const char *description;
    } const cases[] = {
        {"", "型が一致しません。"},
        {"abc", "型が一致しません。"},
        {"77", "c:\\法人税\\法人名\\77.txt を読み込めません。\nファイルが見つかりません。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        svc.boxes.clear();
        form1().Text1.setText(QString::fromUtf8(c.typed));
        form1().Text2.setText(QStringLiteral("甲"));
        click(form1().Command2);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("会社呼出"));
        EXPECT_EQ(svc.boxes[0].prompt, QString::fromUtf8(c.description));
        EXPECT_EQ(svc.boxes[0].buttons, 48);
        EXPECT_EQ(form1().Text1.text(), QString());
        EXPECT_EQ(form1().Text2.text(), QString());
        EXPECT_EQ(form1().currentCode, 5);
        EXPECT_EQ(form1().Text13.text(), QStringLiteral("19"));
    }
}

TEST_F(MainMenu, Schedule1ButtonNeedsANumber) {
    form1().Text1.setText(QStringLiteral("x"));
    click(form1().Command12);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表一"));
    form1().Text1.setText(QStringLiteral("42"));
    click(form1().Command12);
    EXPECT_EQ(form1().currentCode, 42);
}

TEST_F(MainMenu, ClearCodeAndCloseFile) {
    profile(5, 5, QStringLiteral("甲"));
    form1().Text1.setText(QStringLiteral("5"));
    click(form1().Command2);
    click(form1().Command9);
    EXPECT_EQ(form1().Text1.text(), QString());
    EXPECT_EQ(form1().Text2.text(), QString());
    EXPECT_EQ(form1().Text13.text(), QStringLiteral("19"));
    EXPECT_EQ(form1().currentCode, 5);

    const int beeps = svc.beeps;
    {
        RecordReader held(companyPath(dataroot::profilePrefix, 5));
        click(form1().Command10); // "ファイル閉鎖" frees the handle
        EXPECT_FALSE(sharedHandleOpen());
    }
    EXPECT_EQ(svc.beeps, beeps + 1);
}

TEST_F(MainMenu, ExitRemovesTheScratchFolderAndEnds) {
    ensureDataRoot();
    createFolder(dataroot::temp);
    click(form1().Command11);
    EXPECT_FALSE(folderExists(dataroot::temp));
    EXPECT_TRUE(svc.ended);
    EXPECT_EQ(svc.events.mid(svc.events.size() - 2), (QStringList{"beep", "end"}));
}

TEST_F(MainMenu, ExitWithoutScratchFolderEndsWithoutMessage) {
    click(form1().Command11);
    EXPECT_TRUE(svc.ended);
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(MainMenu, CloseBoxEndsTheProgram) {
    form1().show();
    form1().window()->close();
    EXPECT_TRUE(svc.ended);
    EXPECT_EQ(svc.events.mid(svc.events.size() - 2), (QStringList{"beep", "end"}));
}

TEST_F(MainMenu, DataAndPrintHandTheCurrentCompanyOn) {
    profile(5, 5, QStringLiteral("甲"));
    form1().Text1.setText(QStringLiteral("5"));
    click(form1().Command2);

    form10().Text6.setText(QStringLiteral("9"));
    form10().Text39.setText(QStringLiteral("8"));
    form10().Text5.setText(QStringLiteral("他社"));
    click(form1().Command13);
    EXPECT_EQ(form10().Text100.text(), QStringLiteral("5"));
    EXPECT_EQ(form10().Text6.text() + form10().Text39.text() + form10().Text5.text(), QString());
    EXPECT_TRUE(form10().isVisible());

    form12().Text30.setText(QStringLiteral("3"));
    form12().Text6.setText(QStringLiteral("2"));
    click(form1().Command18);
    EXPECT_EQ(form12().Text1.text(), QStringLiteral("5"));
    EXPECT_EQ(form12().Text30.text(), QString());
    EXPECT_EQ(form12().Text6.text(), QString());
    EXPECT_TRUE(form12().isVisible());
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(MainMenu, RegistrationOpensEmptyOnTheCurrentCode) {
    profile(5, 5, QStringLiteral("甲"));
    form1().Text1.setText(QStringLiteral("5"));
    click(form1().Command2);
    form2().Text3.setText(QStringLiteral("前の会社"));
    click(form1().Command1);
    EXPECT_EQ(form2().Text100.text(), QStringLiteral("5"));
    EXPECT_EQ(form2().Text3.text(), QString());
    EXPECT_TRUE(form2().isVisible());
}

TEST_F(MainMenu, NotesTermsAndPrinterWindowsOpen) {
    click(form1().Command22);
    click(form1().Command26);
    click(form1().Command27);
    EXPECT_TRUE(form17().isVisible());
    EXPECT_TRUE(form19().isVisible());
    EXPECT_TRUE(form21().isVisible());
}

TEST_F(MainMenu, LinksOpenTheirTargets) {
    click(form1().Command20);
    click(form1().Command24);
    click(form1().Command25);
    EXPECT_EQ(svc.opened, (QStringList{links::supportForum, "mailto:" + links::mailAddress, links::homePage}));
    EXPECT_EQ(links::mailTarget(QStringLiteral("MAILTO:a@b")), QStringLiteral("MAILTO:a@b"));
    EXPECT_EQ(links::mailTarget(QStringLiteral("a@b")), QStringLiteral("mailto:a@b"));
}

} // namespace
} // namespace hz::test
