// Printing from the print window: the print counters, the selection toggles with their click counts, the sets,
// and pages that cannot be printed.

#include "print/Form12.h"
#include "print/recording_printer.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QTemporaryDir>

#include <optional>

namespace hz::test {
namespace {

const QString kDot = QStringLiteral("●");

const QStringList kBatchSet{"別表二", "別表四", "別五（一）", "別五（二）", "別表六", "別表七", "別表十五"};

class Printing : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        recorder.emplace();
    }
    void TearDown() override {
        recorder.reset();
        qunsetenv("HOJINZEI_PRINT_DIR");
        HzTest::TearDown();
    }
    QStringList titles() const { return recorder->titles(); }
    QStringList counters() {
        QStringList out;
        for (int i = 1; i <= 14; ++i)
            out << form12().printCounter(i)->text();
        return out;
    }
    QStringList captions() {
        QStringList out;
        for (int i = 1; i <= 7; ++i)
            out << form12().selectionToggle(i)->caption();
        return out;
    }

    std::optional<PrintRecorder> recorder;
};

TEST_F(Printing, PrintCounterReadsItsBoxAddsOneAndWritesItBackBeforeThePage) {
    struct Case {
        const char *box;
        std::int32_t count;
    };
    const Case cases[] = {{"", 1},  {"abc", 1},      {"2,147,483,647", 1}, {"2147483648", 1},
                          {"5", 6}, {"1,000", 1001}, {" 7 ", 8},           {"-3", -2}};
    Form12 &f = form12();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.box);
        recorder->jobs.clear();
        f.Text7.setText(QString::fromUtf8(c.box));
        click(f.Command4);
        EXPECT_EQ(f.Text7.text(), QString::number(c.count));
        EXPECT_EQ(f.state.printCount[2], c.count);
        ASSERT_EQ(titles(), QStringList{"別表二"});
        EXPECT_TRUE(recorder->jobs[0].ended());
    }
    // Two presses on an empty box: 1, then 2.
    f.Text14.setText(QString());
    click(f.Command3);
    click(f.Command3);
    EXPECT_EQ(f.Text14.text(), QStringLiteral("2"));
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(Printing, EveryPageButtonPrintsItsPageAndCountsOnItsOwnRow) {
    Form12 &f = form12();
    Button *counted[] = {&f.Command12, &f.Command4,  &f.Command22, &f.Command23, &f.Command7,
                         &f.Command8,  &f.Command14, &f.Command13, &f.Command3,  &f.Command2,
                         &f.Command10, &f.Command16, &f.Command9,  &f.Command11};
    for (int i = 1; i <= 14; ++i) {
        SCOPED_TRACE(i);
        recorder->jobs.clear();
        click(*counted[i - 1]);
        ASSERT_EQ(titles(), QStringList{counted[i - 1]->caption()});
        QStringList expected(14);
        expected[i - 1] = QStringLiteral("1");
        EXPECT_EQ(counters(), expected);
        click(f.Command24);
    }
    // The pages without a counter, and the hidden enterprise-tax button, which prints nothing alone.
    recorder->jobs.clear();
    for (Button *b : {&f.Command26, &f.Command25, &f.Command5, &f.Command6})
        click(*b);
    EXPECT_EQ(titles(), (QStringList{"税務署用紙・別表一", "税務代理権限書", "別表十一"}));
    EXPECT_EQ(counters(), QStringList(14));
}

TEST_F(Printing, ScheduleOnePagesPrintTheRepresentativeAsTheBoxHoldsIt) {
    Form12 &f = form12();
    f.data.companyTexts[9] = QStringLiteral("代表太郎");
    f.Text26.setText(QStringLiteral("代表花子"));
    click(f.Command4);
    EXPECT_EQ(f.data.companyTexts[10], QString());
    click(f.Command12);
    EXPECT_EQ(f.data.companyTexts[10], QStringLiteral("代表花子"));
    click(f.Command32);
    click(f.Command26);
    EXPECT_EQ(f.data.companyTexts[10], QStringLiteral("代表者名・印刷なし"));
    EXPECT_EQ(f.data.companyTexts[9], QStringLiteral("代表太郎"));
}

// The window says that the tax office's own sheet of Schedule 1 was printed from the first press of its button on,
// whether or not the page came out, and keeps saying so as long as the program runs.
TEST_F(Printing, TheTaxOfficeSheetNamesItselfInTheCaptionUntilTheProgramEnds) {
    const QString office = QStringLiteral("別表一///税務署用紙");
    Form12 &f = form12();
    f.show();
    click(f.Command12);
    click(f.Command27);
    EXPECT_EQ(f.caption(), QStringLiteral("A4コピー用紙に印刷"));

    recorder->failOpening(int(recorder->jobs.size()), QStringLiteral("プリンタに出力できません。"));
    click(f.Command26);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(f.caption(), office);
    EXPECT_EQ(f.window()->windowTitle(), office);

    // Other pages, a fresh load of the print data and the window unloaded and loaded again leave it.
    click(f.Command26);
    click(f.Command3);
    click(f.Command1);
    f.unload();
    EXPECT_EQ(form12().caption(), office);
    EXPECT_EQ(form12().window()->windowTitle(), office);
}

TEST_F(Printing, BatchesPrintTheSevenSchedulesCollated) {
    Form12 &f = form12();
    click(f.Command28);
    EXPECT_EQ(titles(), kBatchSet + kBatchSet);
    EXPECT_EQ(counters(), (QStringList{"", "2", "2", "2", "2", "2", "2", "2", "", "", "", "", "", ""}));
    for (const PrintJobLog &job : recorder->jobs)
        EXPECT_TRUE(job.ended());

    recorder->jobs.clear();
    click(f.Command24);
    click(f.Command29);
    EXPECT_EQ(titles(), kBatchSet + kBatchSet + kBatchSet);
    EXPECT_EQ(f.Text13.text(), QStringLiteral("3"));
    recorder->jobs.clear();
    click(f.Command27);
    EXPECT_EQ(titles(), kBatchSet);
    EXPECT_EQ(f.Text13.text(), QStringLiteral("4"));
}

TEST_F(Printing, LocalSetsPrintTheReturnFirstAndLast) {
    Form12 &f = form12();
    click(f.Command30);
    EXPECT_EQ(titles(), (QStringList{"法人県民税", "県税の欠損金", "利子割控除", "利子の愛知県", "法人県民税"}));
    EXPECT_EQ(counters(), (QStringList{"", "", "", "", "", "", "", "", "2", "1", "1", "1", "", ""}));
    recorder->jobs.clear();
    click(f.Command31);
    EXPECT_EQ(titles(), (QStringList{"法人市民税", "市民税入力用", "法人市民税"}));
    EXPECT_EQ(f.Text18.text(), QStringLiteral("2"));
    EXPECT_EQ(f.Text19.text(), QStringLiteral("1"));
}

TEST_F(Printing, TogglesFollowTheParityOfTheirOwnClickCount) {
    Form12 &f = form12();
    // Once "●", twice empty.
    click(f.Command35);
    EXPECT_EQ(f.Command35.caption(), kDot);
    EXPECT_EQ(f.Text27.text(), QStringLiteral("1"));
    click(f.Command35);
    EXPECT_EQ(f.Command35.caption(), QString());
    EXPECT_EQ(f.Text27.text(), QStringLiteral("2"));

    // Cleared after one click: the count stays, so the next click leaves it unselected and the one after selects.
    click(f.Command37);
    f.Text9.setText(QStringLiteral("4"));
    click(f.Command42);
    EXPECT_EQ(captions(), QStringList(7));
    EXPECT_EQ(f.Text29.text(), QStringLiteral("1"));
    EXPECT_EQ(counters(), QStringList(14));
    click(f.Command37);
    EXPECT_EQ(f.Text29.text(), QStringLiteral("2"));
    EXPECT_EQ(f.Command37.caption(), QString());
    click(f.Command37);
    EXPECT_EQ(f.Command37.caption(), kDot);

    // A 16-bit count: what is no 16-bit number counts 0, and 32767 starts again.
    struct Case {
        const char *box;
        const char *count;
        bool selected;
    };
    for (const Case &c : {Case{"32767", "1", true}, Case{"40000", "1", true}, Case{"abc", "1", true},
                          Case{"32766", "32767", true}, Case{"-2", "-1", true}, Case{"1,233", "1234", false}}) {
        SCOPED_TRACE(c.box);
        f.Text33.setText(QString::fromUtf8(c.box));
        click(f.Command41);
        EXPECT_EQ(f.Text33.text(), QString::fromUtf8(c.count));
        EXPECT_EQ(f.Command41.caption(), c.selected ? kDot : QString());
    }
}

TEST_F(Printing, AllTogglesFollowTheirOwnCountAndLeaveTheToggleCountsAlone) {
    Form12 &f = form12();
    click(f.Command44);
    EXPECT_EQ(captions(), QStringList(7, kDot));
    EXPECT_EQ(f.Text34.text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text28.text(), QString());
    // Command36's own count goes from 0 to 1: the page stays selected; a second click clears it.
    click(f.Command36);
    EXPECT_EQ(f.Text28.text(), QStringLiteral("1"));
    EXPECT_EQ(f.Command36.caption(), kDot);
    click(f.Command36);
    EXPECT_EQ(f.Command36.caption(), QString());
    click(f.Command44);
    EXPECT_EQ(captions(), QStringList(7));
    EXPECT_EQ(f.Text34.text(), QStringLiteral("2"));
}

TEST_F(Printing, SelectionPrintsTheMarkedPagesOnceInSetOrder) {
    Form12 &f = form12();
    click(f.Command43);
    EXPECT_TRUE(titles().isEmpty());
    click(f.Command41);
    click(f.Command35);
    click(f.Command37);
    // Only the exact mark counts.
    f.Command38.setCaption(QStringLiteral("○"));
    click(f.Command43);
    EXPECT_EQ(titles(), (QStringList{"別表二", "別五（一）", "別表十五"}));
    EXPECT_EQ(f.Text13.text(), QStringLiteral("1"));
}

TEST_F(Printing, FailedPagesAreNamedInOneBoxAfterTheWholeSetAndTheSetGoesOn) {
    Form12 &f = form12();
    // 別表四 cannot be opened in either pass; 別表七 fails while it is drawn in the second.
    recorder->failOpening(1, QStringLiteral("プリンタに出力できません。"));
    recorder->failOpening(8, QStringLiteral("プリンタに出力できません。"));
    recorder->failDrawing(12, 0, QStringLiteral("用紙がありません。"));
    f.state.blockOffsetX = 7;
    f.state.digitBaseY = 3;
    click(f.Command28);

    QStringList printed = kBatchSet + kBatchSet;
    printed.removeAt(8);
    printed.removeAt(1);
    EXPECT_EQ(titles(), printed);
    EXPECT_TRUE(recorder->jobs[10].aborted());
    EXPECT_EQ(recorder->jobs[10].title, QStringLiteral("別表七"));
    EXPECT_EQ(f.state.blockOffsetX, 0);
    EXPECT_EQ(f.state.digitBaseY, 0);
    // The counters rose for every page pressed.
    EXPECT_EQ(f.Text8.text(), QStringLiteral("2"));
    EXPECT_EQ(f.Text12.text(), QStringLiteral("2"));
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("次のページは印刷されませんでした。\n"
                                                  "別表四（2 回）：プリンタに出力できません。\n"
                                                  "別表七：用紙がありません。"));

    // A single page says so on its own.
    svc.boxes.clear();
    recorder->failOpening(int(recorder->jobs.size()) + 2, QStringLiteral("プリンタに出力できません。"));
    click(f.Command12);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("次のページは印刷されませんでした。\n別表一：プリンタに出力できません。"));
    EXPECT_EQ(f.Text6.text(), QStringLiteral("1"));
}

TEST_F(Printing, TextsCutShortInASetAreNamedOnceInTheBoxWithTheFailedPagesAfterTheSet) {
    Form12 &f = form12();
    const QString address = QString(u'東').repeated(200);
    const QString issue = QStringLiteral("東日本総合不動産株式会社第１２回無担保社債（グリーンボンド）利付");
    f.data.sched2Texts[7] = address;
    f.data.schedule6Texts[1] = issue;
    recorder->failOpening(1, QStringLiteral("プリンタに出力できません。")); // the first 別表四
    click(f.Command28);

    // Every page of both copies was sent, the shortened ones too.
    QStringList printed = kBatchSet + kBatchSet;
    printed.removeAt(1);
    EXPECT_EQ(titles(), printed);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("次のページは印刷されませんでした。\n別表四：プリンタに出力できません。\n\n"
                             "次のページは印刷しましたが、欄に入りきらない文字を省きました。"
                             "欄に入るよう短くして印刷し直してください。\n別表二：「%1…」\n別表六：「%2…」")
                  .arg(address.left(30), issue.left(30)));
}

TEST_F(Printing, WithoutAPrinterEveryPageOfASetIsTriedAndNamed) {
    recorder.reset();
    QTemporaryDir parent;
    qputenv("HOJINZEI_PRINT_DIR", QDir(parent.path()).filePath(QStringLiteral("none")).toUtf8());
    Form12 &f = form12();
    click(f.Command30);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("次のページは印刷されませんでした。\n"
                                                  "法人県民税（2 回）：パスが見つかりません。\n"
                                                  "県税の欠損金：パスが見つかりません。\n"
                                                  "利子割控除：パスが見つかりません。\n"
                                                  "利子の愛知県：パスが見つかりません。"));
    EXPECT_EQ(counters(), (QStringList{"", "", "", "", "", "", "", "", "2", "1", "1", "1", "", ""}));
    EXPECT_FALSE(svc.ended);
}

TEST_F(Printing, ToAFolderEveryJobIsItsOwnPdfInPrintOrder) {
    recorder.reset();
    QTemporaryDir folder;
    qputenv("HOJINZEI_PRINT_DIR", folder.path().toUtf8());
    click(form12().Command27);
    click(form12().Command12);
    QStringList expected;
    for (int i = 0; i < kBatchSet.size(); ++i)
        expected << QStringLiteral("%1-%2.pdf").arg(i + 1, 3, 10, QLatin1Char('0')).arg(kBatchSet[i]);
    expected << QStringLiteral("008-別表一.pdf");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_TRUE(svc.boxes.empty());
}

} // namespace
} // namespace hz::test
