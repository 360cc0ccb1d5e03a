#include "app/Form1.h"
#include "common/links.h"
#include "company/Form17.h"
#include "company/Form19.h"
#include "company/Form21.h"
#include "core/paths.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace hz::test {
namespace {

class TermsNotesPrinter : public HzTest {
protected:
    // The menu as it stands after a start whose terms were accepted long ago.
    void startWithAcceptedTerms() {
        writeFile(pledgeFilePath, lines({pledgeAcceptedMarker}));
        form1().show();
        ASSERT_TRUE(svc.boxes.empty());
    }
    // The menu is up; the pledge file is whatever the test puts there, then the check runs as at start.
    bool runCheckWith(const QByteArray *pledge) {
        startWithAcceptedTerms();
        QFile::remove(hostPath(pledgeFilePath));
        if (pledge)
            writeFile(pledgeFilePath, *pledge);
        form1().Text3.setText(QStringLiteral("old"));
        return userAction([] { termsOfUseCheck(); });
    }
    QByteArray acceptedPledge() {
        QStringList expected{pledgeAcceptedMarker};
        expected << termsOfUseText();
        return lines(expected);
    }
};

// --- start-up check ----------------------------------------------------------------------------------------------

TEST_F(TermsNotesPrinter, AcceptingAtStartWritesThePledgeBeepsAndBringsTheMenu) {
    // No pledge file and not even "c:\Program Files" yet.
    writeFile(profilePath(5), lines({"5", "0", "19", "4", "1", "20", "3", "31", "\"カ\"", "\"株式会社甲\"", "\"\"",
                                     "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "0", "0", "0"}));
    startWithAcceptedTerms();
    QFile::remove(hostPath(pledgeFilePath));
    QDir(hostPath(pledgeFolder)).removeRecursively();
    form1().hide();
    form1().List1.clear();

    svc.answer(mb::Yes);
    EXPECT_TRUE(userAction([] { termsOfUseCheck(); }));

    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].buttons, mb::YesNo);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("使用上の注意"));
    EXPECT_TRUE(svc.boxes[0].prompt.contains(QStringLiteral("承諾しますか")));
    EXPECT_EQ(readFile(pledgeFilePath), acceptedPledge());
    EXPECT_EQ(form1().Text3.text(), pledgeAcceptedMarker);
    EXPECT_EQ(svc.beeps, 1);
    EXPECT_FALSE(svc.ended);
    // The menu comes forward with its list rebuilt.
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(form1().List1.listCount(), 1);
}

TEST_F(TermsNotesPrinter, DecliningAtStartEndsTheProgramAndRecordsNothing) {
    svc.answer(mb::No);
    EXPECT_FALSE(runCheckWith(nullptr));
    EXPECT_TRUE(svc.ended);
    EXPECT_EQ(svc.beeps, 0);
    EXPECT_FALSE(exists(pledgeFilePath));
}

TEST_F(TermsNotesPrinter, FirstLineOfThePledgeDecidesWhetherToAsk) {
    // Acceptance recorded: nothing asked, the line goes into the menu.
    const QByteArray accepted = lines({pledgeAcceptedMarker, "何か別の行"});
    EXPECT_TRUE(runCheckWith(&accepted));
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(svc.beeps, 0);
    EXPECT_EQ(form1().Text3.text(), pledgeAcceptedMarker);
    EXPECT_EQ(readFile(pledgeFilePath), accepted);
}

TEST_F(TermsNotesPrinter, AnyOtherPledgeAsksAgainAndYesRewritesIt) {
    for (const QByteArray &pledge : {lines({"未承諾"}), QByteArray(), lines({"", pledgeAcceptedMarker})}) {
        SCOPED_TRACE(pledge.toStdString());
        svc = {};
        resetProgramEnded();
        svc.answer(mb::Yes);
        EXPECT_TRUE(runCheckWith(&pledge));
        EXPECT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(readFile(pledgeFilePath), acceptedPledge());
        EXPECT_EQ(form1().Text3.text(), pledgeAcceptedMarker);
        unloadAllForms();
    }
}

TEST_F(TermsNotesPrinter, MissingPledgeLeavesTheMenusBoxEmptyBeforeAsking) {
    svc.answer(mb::No);
    runCheckWith(nullptr);
    EXPECT_EQ(form1().Text3.text(), QString());
}

TEST_F(TermsNotesPrinter, PledgeThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
    startWithAcceptedTerms();
    // A file where the folder should be.
    QDir(hostPath(pledgeFolder)).removeRecursively();
    writeFile(pledgeFolder, "x");
    svc.answer(mb::Yes);
    EXPECT_TRUE(userAction([] { termsOfUseCheck(); }));
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].buttons, mb::OkWarning);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("使用上の注意"));
    EXPECT_EQ(form1().Text3.text(), pledgeAcceptedMarker);
    EXPECT_EQ(svc.beeps, 1);
    EXPECT_TRUE(form1().isVisible());
}

// --- terms window --------------------------------------------------------------------------------------------------

TEST_F(TermsNotesPrinter, TermsWindowShowsTheTermsAndItsLinks) {
    Form17 &f = form17();
    EXPECT_EQ(f.caption(), QStringLiteral("使用上の注意"));
    EXPECT_EQ(f.Label1.caption(), QStringLiteral(" Zevazi のホームページを開く"));
    EXPECT_EQ(f.Label3.caption(), QStringLiteral(" サポートセンタへの連絡"));
    EXPECT_EQ(f.Command1.caption(), QStringLiteral("不承諾"));
    EXPECT_EQ(f.Command2.caption(), QStringLiteral("END"));
    for (const QString &paragraph : termsOfUseText())
        EXPECT_TRUE(f.Label2.caption().contains(paragraph));
}

TEST_F(TermsNotesPrinter, DeclineAndEndBeepThenEndTheProgram) {
    for (Button *b : {&form17().Command1, &form17().Command2}) {
        SCOPED_TRACE(b->caption().toStdString());
        svc = {};
        resetProgramEnded();
        click(*b);
        EXPECT_EQ(svc.events, (QStringList{"beep", "end"}));
    }
}

TEST_F(TermsNotesPrinter, LinkLabelsOpenTheirTargetThenEnd) {
    struct Case {
        Label *label;
        QString target;
    };
    for (const Case &c : {Case{&form17().Label1, links::homePage},
                          Case{&form17().Label3, QStringLiteral("mailto:") + links::supportMailAddress}}) {
        SCOPED_TRACE(c.target.toStdString());
        svc = {};
        resetProgramEnded();
        c.label->click();
        EXPECT_EQ(svc.events, (QStringList{"open:" + c.target, "beep", "end"}));
    }
}

TEST_F(TermsNotesPrinter, MailTargetAddsTheSchemeOnlyWhenMissing) {
    const struct {
        const char *address;
        const char *target;
    } cases[] = {
        {"x", "mailto:x"},
        {"MAILTO:x", "MAILTO:x"},
        {"Mailto:a@b.jp", "Mailto:a@b.jp"},
        {"mailto:", "mailto:"},
        {"mail:a@b.jp", "mailto:mail:a@b.jp"},
        {"", "mailto:"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(links::mailTarget(QString::fromUtf8(c.address)), QString::fromUtf8(c.target)) << c.address;
}

// --- notes window --------------------------------------------------------------------------------------------------

TEST_F(TermsNotesPrinter, NotesShowTheFourteenLinesAsWritten) {
    Form19 &f = form19();
    EXPECT_EQ(f.caption(), QStringLiteral("初めて使う場合の注意書"));
    const QStringList shown{f.Label1.caption(),  f.Label2.caption(),  f.Label3.caption(),  f.Label4.caption(),
                            f.Label5.caption(),  f.Label6.caption(),  f.Label7.caption(),  f.Label8.caption(),
                            f.Label9.caption(),  f.Label10.caption(), f.Label11.caption(), f.Label12.caption(),
                            f.Label13.caption(), f.Label14.caption()};
    const QStringList expected{
        "初めて使う場合の使用方法を説明します。",
        "1.まずは、税率設定を実行します。",
        "税率設定を実行しないと以後エラーとなります。",
        "2.次に会社登録を実行します。",
        "会社登録を実行しないと、この法人税ソフトは、",
        "動かす事が出来ません。",
        "３.一括入力を使うと別表を開かずに入力が可能",
        "です。",
        "４.印刷は、税務署配布用紙に印刷する場合と、",
        "A4コピー用紙に印刷する場合が可能です。",
        "但し、別表一は税務署配布用紙の印刷のみに",
        "可能jです。（試し印刷後に、提出用に印刷して",
        "ください。）",
        "5.本ソフトにはヘルプ機能はありません。",
    };
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(f.Command1.caption(), QStringLiteral("画面の消去"));
}

TEST_F(TermsNotesPrinter, ClearingTheNotesHidesThemAndRefreshesTheMenu) {
    startWithAcceptedTerms();
    form1().List1.clear();
    writeFile(profilePath(12), lines({"12", "0", "19", "4", "1", "20", "3", "31", "\"カ\"", "\"株式会社乙\"", "\"\"",
                                      "\"\"", "\"\"", "\"\"", "\"\"", "\"\"", "0", "0", "0"}));
    form19().show();
    click(form19().Command1);
    EXPECT_TRUE(form19().isLoaded());
    EXPECT_FALSE(form19().isVisible());
    EXPECT_TRUE(form1().isVisible());
    ASSERT_EQ(form1().List1.listCount(), 1);
    EXPECT_TRUE(form1().List1.itemText(0).startsWith(QStringLiteral("012 : 株式会社乙")));
}

// --- printer window ------------------------------------------------------------------------------------------------

TEST_F(TermsNotesPrinter, PrinterWindowLayout) {
    Form21 &f = form21();
    EXPECT_EQ(f.caption(), QStringLiteral("プリンタの変更"));
    EXPECT_EQ(f.Label1.caption(), QStringLiteral("プリンタ："));
    EXPECT_EQ(f.Command1.caption(), QStringLiteral("設  定"));
    EXPECT_EQ(f.Command2.caption(), QStringLiteral("閉じる"));
    EXPECT_EQ(f.Label2.caption(),
              QStringLiteral("（注意事項）　　ここで変更したプリンターはパソコンの標準設定をも変更してしまいます。"));
}

TEST_F(TermsNotesPrinter, PrinterListIsBuiltAtLoadOnlyAndRebuiltAfterTheCloseBox) {
    startWithAcceptedTerms();
    svc.installedPrinters = {"事務所A", "PDF"};
    form21().show();
    ASSERT_EQ(form21().List1.listCount(), 2);
    EXPECT_EQ(form21().List1.itemText(0), QStringLiteral("事務所A"));
    EXPECT_EQ(form21().List1.itemText(1), QStringLiteral("PDF"));
    EXPECT_EQ(form21().List1.listIndex(), 0);

    svc.installedPrinters = {"新しいプリンタ"};
    click(form21().Command2); // 閉じる
    EXPECT_FALSE(form21().isVisible());
    EXPECT_TRUE(form1().isVisible());
    form21().show();
    EXPECT_EQ(form21().List1.listCount(), 2);
    EXPECT_EQ(form21().List1.itemText(0), QStringLiteral("事務所A"));

    form21().window()->close(); // the close box unloads it
    form21().show();
    ASSERT_EQ(form21().List1.listCount(), 1);
    EXPECT_EQ(form21().List1.itemText(0), QStringLiteral("新しいプリンタ"));
    EXPECT_TRUE(svc.defaultPrinterChanges.isEmpty());
}

TEST_F(TermsNotesPrinter, SettingMakesTheSelectedPrinterTheDefault) {
    startWithAcceptedTerms();
    svc.installedPrinters = {"事務所A", "PDF"};
    form21().show();
    form21().List1.clickItem(1);
    click(form21().Command1);
    EXPECT_EQ(svc.defaultPrinterChanges, QStringList{"PDF"});
    EXPECT_FALSE(form21().isVisible());
    EXPECT_TRUE(form21().isLoaded());
    EXPECT_TRUE(form1().isVisible());
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(TermsNotesPrinter, SettingStopsQuietlyWithoutASelection) {
    struct Case {
        const char *name;
        QStringList printers;
    };
    for (const Case &c : {Case{"no printers", {}}, Case{"nothing selected", {"A"}}}) {
        SCOPED_TRACE(c.name);
        startWithAcceptedTerms();
        svc = {};
        svc.installedPrinters = c.printers;
        form21().show();
        EXPECT_EQ(form21().List1.listCount(), c.printers.size());
        form21().List1.setListIndex(-1);
        form21().hide();
        form21().show();
        form1().hide();
        click(form21().Command1);
        EXPECT_TRUE(svc.defaultPrinterChanges.isEmpty());
        EXPECT_TRUE(svc.boxes.empty());
        EXPECT_FALSE(svc.ended);
        EXPECT_TRUE(form21().isVisible());
        EXPECT_FALSE(form1().isVisible());
        unloadAllForms();
    }
}

// The system's printer layer asks a scheduler that is not there (a socket in a fresh folder), so it cannot make
// the printer the default, and nothing of this machine's printing changes.
TEST_F(TermsNotesPrinter, APrinterThatCannotBeMadeTheDefaultIsSaidAndTheWindowStays) {
    QTemporaryDir noScheduler;
    ASSERT_TRUE(noScheduler.isValid());
    struct Env {
        const char *name;
        QByteArray value;
        bool was;
        QByteArray old;
    } env[] = {{"CUPS_SERVER", noScheduler.filePath("cups.sock").toLocal8Bit(), false, {}},
               {"HOME", noScheduler.path().toLocal8Bit(), false, {}}};
    for (Env &e : env) {
        e.was = qEnvironmentVariableIsSet(e.name);
        e.old = qgetenv(e.name);
        qputenv(e.name, e.value);
    }
    startWithAcceptedTerms();
    svc.installedPrinters = {"事務所A", "PDF"};
    form21().show();
    form1().hide();
    // The list is the scripted one; the change goes to the system's own printer layer, which finds no scheduler.
    svc.printersFrom = &desktopServices();
    click(form21().Command1);
    for (const Env &e : env) {
        if (e.was)
            qputenv(e.name, e.old);
        else
            qunsetenv(e.name);
    }

    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("プリンタの変更"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("プリンタ 事務所A を通常使うプリンタにできません。"));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
    EXPECT_TRUE(svc.defaultPrinterChanges.isEmpty());
    EXPECT_TRUE(QDir(noScheduler.path()).isEmpty()); // nothing written under the home folder either
    // The window stays for another choice; the menu is not brought forward.
    EXPECT_TRUE(form21().isVisible());
    EXPECT_FALSE(form1().isVisible());

    // The scripted refusal says the same.
    svc.boxes.clear();
    svc.printersFrom = nullptr;
    svc.failPrinterChange = true;
    form21().List1.clickItem(1);
    click(form21().Command1);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("プリンタ PDF を通常使うプリンタにできません。"));
    EXPECT_TRUE(form21().isVisible());
}

} // namespace
} // namespace hz::test
