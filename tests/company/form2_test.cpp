#include "app/Form1.h"
#include "company/Form17.h"
#include "company/Form2.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace hz::test {
namespace {

QString q(const QString &s) { return u'"' + s + u'"'; }

QStringList quotedTail(int from) {
    QStringList l;
    for (const QString &t : reservedTail(from))
        l << q(t);
    return l;
}

const QString kProfile7 = QStringLiteral("c:\\法人税\\法人名\\7.txt");
const QString kSpecial7 = QStringLiteral("c:\\法人税\\別表\\特設欄7.txt");

class Registration : public HzTest {
protected:
    // The terms of use were accepted long ago, so the menu comes up without asking.
    void SetUp() override {
        HzTest::SetUp();
        writeFile(pledgeFilePath, lines({pledgeAcceptedMarker}));
    }

    static void wipeDataRoot() {
        const QString root = hostPath(dataroot::root);
        QFile::remove(root);
        QDir(root).removeRecursively();
    }

    // The rate table is kept before any company is registered, so a real disk has the root and its rate file.
    void rateTable() {
        QStringList l = {"30", "30", "5", "7.3", "9.6", "5", "20000", "12.3", "50000"};
        writeFile(dataroot::taxRateFile, lines(l + quotedTail(1)));
    }

    // A new company typed into the window, with the capital as "百万" shows it.
    void typeCompany() {
        Form2 &f = form2();
        f.Text1.setText("7");
        f.Text2.setText("ヤマダショウテン");
        f.Text3.setText("株式会社山田商店");
        f.Text13.setText("19");
        f.Text14.setText("4");
        f.Text15.setText("1");
        f.Text17.setText("20");
        f.Text18.setText("3");
        f.Text19.setText("31");
        f.Text5.setText("東京都千代田区一番町1-1");
        f.Text12.setText("03-1234-5678");
        f.Text6.setText("ヤマダタロウ");
        f.Text27.setText("山田太郎");
        f.Text7.setText("東京都港区二番町2-2");
        f.Text8.setText("小売業");
        f.Text9.setText("麹町");
        f.Text11.setText("  10,000,000");
        f.Text21.setText("20");
        f.Text20.setText("5");
        f.Text4.setText("31");
        f.Text38.setText("甲銀行");
        f.Text39.setText("本店");
        f.Text40.setText("1234567");
        f.Text44.setText("5");
        f.Text45.setText("千代田区");
        f.Text26.setText("千代田都税事務所");
        f.Text24.setText("千代田区役所");
    }

    static QStringList profileLines() {
        const QStringList numbers = {"7", "10000000", "19", "4", "1", "20", "3", "31"};
        const QStringList texts = {q("ヤマダショウテン"),
                                   q("株式会社山田商店"),
                                   q("東京都千代田区一番町1-1"),
                                   q("ヤマダタロウ"),
                                   q("東京都港区二番町2-2"),
                                   q("小売業"),
                                   q("麹町"),
                                   q("03-1234-5678")};
        const QStringList settlement = {"20", "5", "31"};
        return numbers + texts + settlement + QStringList{q("山田太郎")} + quotedTail(2);
    }

    static QStringList specialValues(const QString &accountType) {
        return {q("甲銀行"),   q("本店"),      q("1234567"),          q("5"),
                q("千代田区"), q(accountType), q("千代田都税事務所"), q("千代田区役所")};
    }

    // A registered company 12 as another session left it: the profile with `profileCount` lines and the special
    // fields with `specialCount` lines.
    void registered12(int profileCount, int specialCount) {
        QStringList p = {"12",
                         "3000000",
                         "18",
                         "10",
                         "1",
                         "19",
                         "9",
                         "30",
                         q("オツコウギョウ"),
                         q("乙工業株式会社"),
                         q("大阪市北区"),
                         q("オツハナコ"),
                         q("大阪市中央区"),
                         q("製造業"),
                         q("北"),
                         q("06-0000-1111"),
                         "19",
                         "11",
                         "30",
                         q("乙花子")};
        writeFile(companyPath(dataroot::profilePrefix, 12), lines((p + quotedTail(2)).mid(0, profileCount)));
        QStringList s = {q("乙信用金庫"), q("梅田支店"), q("7654321"),        q("12"),
                         q("北区"),       q("普通預金"), q("大阪府税事務所"), q("北区役所")};
        writeFile(QStringLiteral("c:\\法人税\\別表\\特設欄12.txt"), lines((s + quotedTail(1)).mid(0, specialCount)));
    }
};

TEST_F(Registration, NewCompanyWritesBothRecordsOpensItAndBeepsOnce) {
    rateTable(); // the root exists; its two sub-folders do not yet
    form1().Text1.setText("3");
    typeCompany();
    click(form2().Command18); // 当座預金
    click(form2().Command4);

    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_TRUE(folderExists(dataroot::profiles));
    EXPECT_TRUE(folderExists(dataroot::schedules));
    EXPECT_EQ(readFile(kProfile7), lines(profileLines()));
    EXPECT_EQ(readFile(kSpecial7), lines(specialValues("当座預金") + quotedTail(1)));
    // The company is open in the menu.
    EXPECT_EQ(form1().Text1.text(), "7");
    EXPECT_EQ(form1().Text2.text(), "株式会社山田商店");
    EXPECT_EQ(form1().currentCode, 7);
    // The registration's own beep comes last, after those of the computes it runs.
    EXPECT_EQ(svc.events.last(), "beep");
    EXPECT_EQ(form2().workingCode, 7);
    snapshot(form2(), QStringLiteral("form2"));
}

TEST_F(Registration, EachMissingFolderOfTheDataRootIsCreated) {
    const std::pair<const char *, QStringList> cases[] = {
        {"root only", {dataroot::root}},
        {"schedules folder missing", {dataroot::root, dataroot::profiles}},
        // Last: with no rate table the chain after the writes may stop the program; the records stand before it.
        {"empty disk", {}},
    };
    for (const auto &[name, existing] : cases) {
        SCOPED_TRACE(name);
        wipeDataRoot();
        for (const QString &folder : existing)
            QDir().mkpath(hostPath(folder));
        if (!existing.isEmpty())
            rateTable();
        typeCompany();
        click(form2().Command4);
        EXPECT_TRUE(folderExists(dataroot::profiles));
        EXPECT_TRUE(folderExists(dataroot::schedules));
        EXPECT_EQ(readFile(kProfile7), lines(profileLines()));
        // Never chosen, the account type is written empty.
        EXPECT_EQ(readFile(kSpecial7), lines(specialValues("") + quotedTail(1)));
    }
}

// Registered before any rate table exists, the company is written before Schedule 1, which cannot do without the
// table, ends the program: the records stand when the end begins, and one that cannot be written is said while the
// box can still be seen.
TEST_F(Registration, WithoutARateTableTheRecordsAreWrittenBeforeTheProgramEnds) {
    QDir().mkpath(hostPath(dataroot::profiles));
    QDir().mkpath(hostPath(dataroot::schedules));
    // A folder where the special fields are written first: that record cannot be written.
    QDir().mkpath(hostPath(temporaryRecordPath(kSpecial7, QCoreApplication::applicationPid())));
    typeCompany();
    QByteArray profileAtTheEnd;
    // Read from the disk itself, not through what the program keeps of its records.
    svc.onEnding = [&] {
        QFile f(hostPath(kProfile7));
        if (f.open(QIODevice::ReadOnly))
            profileAtTheEnd = f.readAll();
    };
    click(form2().Command4); // 登録実行
    EXPECT_TRUE(programHasEnded());
    EXPECT_EQ(profileAtTheEnd, lines(profileLines()));
    EXPECT_EQ(svc.events,
              (QStringList{QStringLiteral("box:税率設定がありません。終了します。:ファイルが見つかりません。"), "beep",
                           QStringLiteral("box:ディスクへの保存:書き込みできません。"), "end"}))
        << svc.events.join(u'|').toStdString();
    EXPECT_FALSE(exists(kSpecial7));
}

class Overwrite : public Registration {
protected:
    const QByteArray oldProfile =
        lines(QStringList{"7", "500", "18", "4", "1", "19", "3", "31", q("キュウ"), q("旧商店"), q(""), q(""), q(""),
                          q(""), q(""), q(""), "19", "5", "31"});
    const QByteArray oldSpecial = lines(QStringList{q("旧銀行"), q(""), q(""), q(""), q(""), q("")});

    void registerOverOldCompany(int answer) {
        rateTable();
        writeFile(kProfile7, oldProfile);
        writeFile(kSpecial7, oldSpecial);
        typeCompany();
        click(form2().Command19); // 普通預金
        svc.answer(mb::Ok);       // the warning
        svc.answer(answer);
        click(form2().Command4);
        ASSERT_EQ(svc.boxes.size(), 2u);
        EXPECT_EQ(svc.boxes[0].prompt, "ファイルは既に存在します。");
        EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
        EXPECT_EQ(svc.boxes[0].title, "同じコード名があります");
        EXPECT_EQ(svc.boxes[1].prompt, "書き換えますか"); // the title as the text too
        EXPECT_EQ(svc.boxes[1].buttons, mb::OkCancelQuestion);
        EXPECT_EQ(svc.boxes[1].title, "書き換えますか");
        // Either answer opens the company and ends with the beep.
        EXPECT_EQ(form1().Text1.text(), "7");
        EXPECT_EQ(svc.boxes.size(), 2u);
        EXPECT_EQ(svc.events.last(), "beep");
    }
};

TEST_F(Overwrite, OkRewritesTheProfileAndAShorterSpecialFieldFile) {
    registerOverOldCompany(mb::Ok);
    EXPECT_EQ(readFile(kProfile7), lines(profileLines()));
    EXPECT_EQ(readFile(kSpecial7), lines(specialValues("普通預金") + quotedTail(3)));
    EXPECT_EQ(form1().Text2.text(), "株式会社山田商店");
}

TEST_F(Overwrite, CancelLeavesTheFilesAndOpensTheRegisteredCompany) {
    registerOverOldCompany(mb::Cancel);
    EXPECT_EQ(readFile(kProfile7), oldProfile);
    EXPECT_EQ(readFile(kSpecial7), oldSpecial);
    EXPECT_EQ(form1().Text2.text(), "旧商店");
}

TEST_F(Registration, ABoxThatIsNotANumberChangesNothing) {
    struct Case {
        TextBox Form2::*box;
        const char *text;
        const char *description;
    };
    const Case cases[] = {
        {&Form2::Text11, "", "型が一致しません。"}, // 資本金額 left empty
        {&Form2::Text11, "3,000,000,000", "オーバーフローしました。"},
        {&Form2::Text1, "七", "型が一致しません。"},
        {&Form2::Text13, " ", "型が一致しません。"},
        {&Form2::Text15, "", "型が一致しません。"},
        {&Form2::Text19, "末日", "型が一致しません。"},
        {&Form2::Text4, "", "型が一致しません。"},
    };
    form1().Text1.setText("3");
    for (const Case &c : cases) {
        typeCompany();
        (form2().*c.box).setText(QString::fromUtf8(c.text));
        svc.boxes.clear();
        click(form2().Command4);
        SCOPED_TRACE((form2().*c.box).name().toStdString());
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, "会社登録");
        EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
        EXPECT_EQ(svc.boxes[0].prompt, QString::fromUtf8(c.description));
    }
    EXPECT_FALSE(exists(dataroot::root));
    EXPECT_EQ(form1().Text1.text(), "3");
    EXPECT_EQ(form2().workingCode, 0);
    EXPECT_EQ(svc.beeps, 0);
}

TEST_F(Registration, AFailedWriteShowsTheRegistrationBoxAndTouchesNoWindow) {
    struct Case {
        const char *name;
        std::function<void()> arrange;
        const char *description;
    };
    const Case cases[] = {
        {"the data root is a file", [] { writeFile(QStringLiteral("c:\\法人税"), "x"); }, "パス名が無効です。"},
        {"the profile cannot be written",
         [] {
             QDir().mkpath(hostPath(kProfile7));
             QDir().mkpath(hostPath(dataroot::schedules));
         },
         "パス名が無効です。"},
        // Refused before the profile is written, so no profile stands without its special fields.
        {"a special field cp932 cannot hold", [] { form2().Text45.setText(QStringLiteral("𠮷野町")); },
         "保存できない文字が含まれています。"},
    };
    form1().Text1.setText("3");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        wipeDataRoot();
        typeCompany();
        c.arrange();
        svc.boxes.clear();
        click(form2().Command4);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, "会社登録");
        EXPECT_EQ(svc.boxes[0].prompt, QString::fromUtf8(c.description));
        EXPECT_FALSE(fileExists(kProfile7));
        EXPECT_FALSE(exists(kSpecial7));
    }
    EXPECT_EQ(form1().Text1.text(), "3");
    EXPECT_EQ(form2().workingCode, 0);
    EXPECT_EQ(svc.beeps, 0);
}

TEST_F(Registration, BusinessYearGivesTheEndAndTheSettlementDate) {
    struct Case {
        const char *start[3];
        const char *end[3];        // Text17, Text18, Text19
        const char *settlement[3]; // Text21, Text20, Text4
    };
    const Case cases[] = {
        {{"19", "4", "1"}, {"20", "3", "31"}, {"20", "5", "13"}},
        {{"19", "12", "1"}, {"20", "11", "30"}, {"21", "1", "13"}},
        {{"19", "11", "16"}, {"20", "10", "31"}, {"20", "12", "13"}},
        {{"19", "10", "1"}, {"20", "9", "30"}, {"20", "11", "13"}},
        // January: the year ends in December of the same year; no settlement date is derived.
        {{"19", "1", "1"}, {"19", "12", "31"}, {"s", "s", "s"}},
        // A March start ends in February on the 28th, leap year or not.
        {{"19", "3", "1"}, {"20", "2", "28"}, {"20", "4", "13"}},
        {{"23", "3", "1"}, {"24", "2", "28"}, {"24", "4", "13"}},
        // An end month outside 1 to 12 leaves the end day alone.
        {{"19", "14", "1"}, {"20", "13", "e"}, {"20", "15", "13"}},
    };
    Form2 &f = form2();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.start[0]) + "." + c.start[1] + "." + c.start[2]);
        f.Text13.setText(c.start[0]);
        f.Text14.setText(c.start[1]);
        f.Text15.setText(c.start[2]);
        f.Text19.setText("e");
        for (TextBox *b : {&f.Text21, &f.Text20, &f.Text4})
            b->setText("s");
        click(f.Command3);
        EXPECT_EQ((QStringList{f.Text17.text(), f.Text18.text(), f.Text19.text()}),
                  (QStringList{c.end[0], c.end[1], c.end[2]}));
        EXPECT_EQ((QStringList{f.Text21.text(), f.Text20.text(), f.Text4.text()}),
                  (QStringList{c.settlement[0], c.settlement[1], c.settlement[2]}));
    }
    EXPECT_TRUE(svc.boxes.empty());

    // Start boxes that do not hold a number: the box, and nothing derived.
    for (TextBox *bad : {&f.Text13, &f.Text14, &f.Text15}) {
        f.Text13.setText("19");
        f.Text14.setText("4");
        f.Text15.setText("1");
        f.Text17.setText("e");
        bad->setText("あ");
        svc.boxes.clear();
        click(f.Command3);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, "事業年度入力");
        EXPECT_EQ(svc.boxes[0].prompt, "型が一致しません。");
        EXPECT_EQ(f.Text17.text(), "e");
    }
}

TEST_F(Registration, MillionMultipliesTheCapital) {
    const struct {
        const char *typed;
        const char *shown;
        const char *error; // the box "百万" shows, if any
    } cases[] = {
        {"10", "  10,000,000", ""},
        {"  2,147", "  2,147,000,000", ""}, // what the window shows reads back
        {"3000", "3000", "オーバーフローしました。"},
        {"", "", ""}, // no number: nothing happens; 登録実行 refuses it
        {"十", "十", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        svc.boxes.clear();
        form2().Text11.setText(QString::fromUtf8(c.typed));
        click(form2().Command5);
        EXPECT_EQ(form2().Text11.text(), QString::fromUtf8(c.shown));
        if (*c.error) {
            ASSERT_EQ(svc.boxes.size(), 1u);
            EXPECT_EQ(svc.boxes[0].title, QStringLiteral("会社登録"));
            EXPECT_EQ(svc.boxes[0].prompt, QString::fromUtf8(c.error));
        } else {
            EXPECT_TRUE(svc.boxes.empty());
        }
    }
}

// A capital "百万" could not multiply is not registered as yen: the registration refuses it until the box holds
// a capital that stands.
TEST_F(Registration, CapitalTooLargeForMillionsIsNotRegisteredAsYen) {
    rateTable();
    typeCompany();
    Form2 &f = form2();
    f.Text11.setText("2,148");
    click(f.Command5);
    svc.boxes.clear();
    click(f.Command4);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("会社登録"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_FALSE(exists(profilePath(7)));
    EXPECT_EQ(form1().Text1.text().trimmed(), QString());

    // The capital typed again in yen registers.
    f.Text11.setText("2,148,000");
    svc.boxes.clear();
    click(f.Command4);
    EXPECT_TRUE(svc.boxes.empty());
    const QStringList saved = decodeCp932(readFile(profilePath(7))).split(QStringLiteral("\r\n"));
    EXPECT_EQ(saved.value(1), QStringLiteral("2148000"));
}

TEST_F(Registration, DataShowsARegisteredCompanyAndItsSpecialFields) {
    registered12(31, 20);
    Form2 &f = form2();
    f.Text100.setText("12");
    click(f.Command7);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(f.Text1.text(), "12");
    EXPECT_EQ(f.Text11.text(), "  3,000,000");
    EXPECT_EQ(f.Text3.text(), "乙工業株式会社");
    EXPECT_EQ(f.Text27.text(), "乙花子");
    EXPECT_EQ((QStringList{f.Text13.text(), f.Text14.text(), f.Text15.text(), f.Text17.text(), f.Text18.text(),
                           f.Text19.text(), f.Text21.text(), f.Text20.text(), f.Text4.text()}),
              (QStringList{"18", "10", "1", "19", "9", "30", "19", "11", "30"}));
    EXPECT_EQ((QStringList{f.Text38.text(), f.Text39.text(), f.Text40.text(), f.Text44.text(), f.Text45.text(),
                           f.Text26.text(), f.Text24.text()}),
              (QStringList{"乙信用金庫", "梅田支店", "7654321", "12", "北区", "大阪府税事務所", "北区役所"}));
    EXPECT_EQ(f.Label11.caption(), "普通");
    EXPECT_EQ(f.refundAccountType, "普通預金");
    EXPECT_EQ(f.workingCode, 12);

    // Registering what was loaded writes the same company back (the capital reads back through its blanks).
    svc.answer(mb::Ok);
    svc.answer(mb::Ok);
    click(f.Command4);
    EXPECT_EQ(readFile(companyPath(dataroot::profilePrefix, 12)).count("\r\n"), 31);
    CompanyProfileRecord rec;
    readProfile(12, rec, 20);
    EXPECT_EQ(rec.capitalYen, 3000000);
    EXPECT_EQ(rec.representativeName, "乙花子");
}

TEST_F(Registration, DataOnOlderShorterFilesLeavesWhatTheyDoNotHoldEmpty) {
    registered12(19, 6);
    Form2 &f = form2();
    // A company shown before leaves nothing behind.
    f.Text27.setText("前の代表者");
    f.Text26.setText("前の県税事務所");
    f.Text24.setText("前の市役所");
    click(f.Command18);
    f.Text100.setText("12");
    click(f.Command7);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(f.Text3.text(), "乙工業株式会社");
    EXPECT_EQ(f.Text4.text(), "30");
    EXPECT_EQ(f.Text27.text(), "");
    EXPECT_EQ(f.Text38.text(), "乙信用金庫");
    EXPECT_EQ(f.Text45.text(), "北区");
    EXPECT_EQ(f.Label11.caption(), "普通");
    EXPECT_EQ(f.Text26.text(), "");
    EXPECT_EQ(f.Text24.text(), "");
}

TEST_F(Registration, CompanyLoadAloneReadsTheSpecialFieldsWithoutShowingTheBank) {
    registered12(31, 6);
    Form2 &f = form2();
    f.Text38.setText("typed");
    f.Text26.setText("前の県税事務所");
    f.Text100.setText("12");
    click(f.Command6);
    EXPECT_EQ(f.Text27.text(), "乙花子");
    EXPECT_EQ(f.Text38.text(), "typed");
    EXPECT_EQ(f.refundAccountType, "普通預金");
    EXPECT_EQ(f.special.refundBankName, "乙信用金庫");
    // The six-line file holds no addressees.
    EXPECT_EQ(f.Text26.text(), "");
}

TEST_F(Registration, LoadingACodeWithoutAProfileReportsItAndKeepsTheShownCompany) {
    registered12(31, 20);
    Form2 &f = form2();
    f.Text100.setText("12");
    click(f.Command7);
    for (Button *b : {&f.Command7, &f.Command6}) {
        SCOPED_TRACE(b->name().toStdString());
        f.Text100.setText("13");
        svc.boxes.clear();
        click(*b);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, "会社呼出");
        EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("c:\\法人税\\法人名\\13.txt を読み込めません。\n"
                                                      "ファイルが見つかりません。"));
        EXPECT_EQ(f.Text1.text(), "12");
        EXPECT_EQ(f.Text3.text(), "乙工業株式会社");
        EXPECT_EQ(f.Text38.text(), "乙信用金庫");
        EXPECT_EQ(f.workingCode, 12);
    }
    // A code box without a number: DATA stops quietly.
    f.Text100.setText("");
    svc.boxes.clear();
    click(f.Command7);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(f.Text1.text(), "12");
}

TEST_F(Registration, SpecialFieldLoadWithoutANumberSavesUnderTheLastCode) {
    QDir().mkpath(hostPath(dataroot::schedules));
    Form2 &f = form2();
    f.Text38.setText("甲銀行");
    f.Text26.setText("県");
    click(f.Command18);
    f.Text100.setText("x");
    // No company yet: nothing is saved under code 0, where the list would never show it, and no beep says it was.
    click(f.Command20);
    EXPECT_EQ(svc.events, QStringList{"box:特設欄:法人コードは 1 から 999 までです。"});
    EXPECT_FALSE(QFileInfo::exists(hostPath(QStringLiteral("c:\\法人税\\別表\\特設欄0.txt"))));

    registered12(31, 20);
    f.Text100.setText("12");
    click(f.Command7);
    f.Text44.setText("13");
    f.Text100.setText("");
    click(f.Command20);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\特設欄12.txt")),
              lines(QStringList{q("乙信用金庫"), q("梅田支店"), q("7654321"), q("13"), q("北区"), q("普通預金"),
                                q("大阪府税事務所"), q("北区役所")} +
                    quotedTail(1)));
}

TEST_F(Registration, SpecialFieldLoadWithoutAFileEmptiesTheFieldsQuietly) {
    Form2 &f = form2();
    f.Text38.setText("前の銀行");
    click(f.Command18);
    f.Text100.setText("4");
    click(f.Command20);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(f.Text38.text(), "");
    EXPECT_EQ(f.Label11.caption(), "");
    EXPECT_EQ(f.refundAccountType, "");
    EXPECT_EQ(f.workingCode, 4);
}

TEST_F(Registration, SpecialFieldSaveBeepsFirstAndReportsAFailedWrite) {
    registered12(31, 20);
    Form2 &f = form2();
    f.Text100.setText("12");
    click(f.Command7);
    QDir(hostPath(dataroot::schedules)).removeRecursively();
    svc.events.clear();
    click(f.Command21);
    EXPECT_EQ(svc.events, (QStringList{"beep", "box:会社登録:パスが見つかりません。"}));
}

TEST_F(Registration, CodeButtonAndClearEmptyExactlyTheirBoxes) {
    Form2 &f = form2();
    EXPECT_EQ(f.Text15.text(), "1"); // as the window is first shown
    registered12(31, 20);
    f.Text100.setText("12");
    click(f.Command6); // 会社呼出: the company the special fields are saved under
    const QList<TextBox *> all = {&f.Text1,  &f.Text2,  &f.Text3,  &f.Text4,  &f.Text5,  &f.Text6,  &f.Text7,
                                  &f.Text8,  &f.Text9,  &f.Text11, &f.Text12, &f.Text13, &f.Text14, &f.Text15,
                                  &f.Text17, &f.Text18, &f.Text19, &f.Text20, &f.Text21, &f.Text24, &f.Text26,
                                  &f.Text27, &f.Text38, &f.Text39, &f.Text40, &f.Text44, &f.Text45, &f.Text100};
    const QList<TextBox *> cleared = {&f.Text44, &f.Text45, &f.Text38, &f.Text39,
                                      &f.Text40, &f.Text27, &f.Text26, &f.Text24};
    auto fill = [&] {
        for (TextBox *b : all)
            b->setText("x");
        click(f.Command18);
    };
    auto expectEmpty = [&](const QList<TextBox *> &emptied, const QString &accountLabel) {
        for (TextBox *b : all)
            EXPECT_EQ(b->text(), emptied.contains(b) ? "" : "x") << b->name().toStdString();
        EXPECT_EQ(f.Label11.caption(), accountLabel);
    };

    fill();
    click(f.Command11);
    expectEmpty(cleared, "");

    fill();
    click(f.Command9);
    QList<TextBox *> everything = all;
    everything.removeOne(&f.Text15);
    everything.removeOne(&f.Text100);
    expectEmpty(everything, "");

    // The account type went with its label: the next company is not saved with the last one's.
    click(f.Command21);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\特設欄12.txt")), lines(QStringList(8, q("")) + quotedTail(1)));

    fill();
    click(f.Command8);
    expectEmpty({&f.Text21, &f.Text20, &f.Text4}, "当座");
}

TEST_F(Registration, SmallButtons) {
    Form2 &f = form2();
    f.Text3.setText("山田商店");
    click(f.Command1);
    EXPECT_EQ(f.Text3.text(), "株式会社");
    click(f.Command2);
    EXPECT_EQ(f.Text3.text(), "有限会社");
    click(f.Command18);
    EXPECT_EQ(f.Label11.caption(), "当座");
    EXPECT_EQ(f.refundAccountType, "当座預金");
    click(f.Command19);
    EXPECT_EQ(f.Label11.caption(), "普通");
    EXPECT_EQ(f.refundAccountType, "普通預金");
    click(f.Command12);
    click(f.Command13);
    EXPECT_TRUE(svc.boxes.empty());
    click(f.Command10);
    EXPECT_TRUE(form1().isVisible());
}

TEST_F(Registration, ClosingTheWindowKeepsItsVariablesOnly) {
    Form2 &f = form2();
    click(f.Command19);
    f.workingCode = 12;
    f.Text15.setText("20");
    f.window()->close();
    EXPECT_EQ(form2().Text15.text(), "1");
    EXPECT_EQ(form2().Label11.caption(), "");
    EXPECT_EQ(form2().refundAccountType, "普通預金");
    EXPECT_EQ(form2().workingCode, 12);
}

} // namespace
} // namespace hz::test
