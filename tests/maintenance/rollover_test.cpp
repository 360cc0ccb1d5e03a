#include "app/Form1.h"
#include "common/read_or_say.h"
#include "core/errors.h"
#include "maintenance/Form10.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form14.h"
#include "schedules/more/bulk_input.h"
#include "tests/maintenance/two_companies.h"

namespace hz::test {
namespace {

QStringList zeros(int n) { return QStringList(n, QStringLiteral("0")); }

class Rollover : public TwoCompanies {
protected:
    // Company 1's records on the first day of its next year, line by line.
    static QMap<QString, QByteArray> rolledCompany1() {
        QMap<QString, QByteArray> f;
        // 別表七: 控除未済 of each row takes the 翌期繰越 of the row one year younger, 期首前１年前 this year's loss;
        // the 6th and 7th years take what the 5th and 6th carried; 計 控除未済 is the old 合計.
        // clang-format off
        f["c:\\法人税\\別表\\10701.txt"] = lines({
            "2000", "0",        // 期首前５年前: 控除未済, 当期控除
            "3000", "0", "0",   // 期首前４年前: 控除未済, 当期控除, 翌期繰越
            "4000", "0", "0",   // 期首前３年前
            "5000", "0", "0",   // 期首前２年前
            "6000", "0", "0",   // 期首前１年前
            "21700", "0", "0",  // 計
            "0", "0",           // 当期欠損金額, 合計
            "1000", "700",      // 控除未済 of 期首前６年前 and 期首前７年前
            "0", "0", "0", "0"  // their 当期控除, 翌期繰越 of 期首前５年前 and 期首前６年前
        });
        // clang-format on
        // 別表五（一）: ① takes ⑤ in every row, the unpaid taxes with their sign; ② to ⑤ start at 0.
        QStringList s51;
        for (const char *opening : {"1005", "1010", "1015", "1020", "1025", "1030", "1035", "1040", "1045", "1050",
                                    "-1055", "-1060", "-1065", "1070"})
            s51 << QString::fromLatin1(opening) << zeros(4);
        f["c:\\法人税\\別表\\10511.txt"] = lines(s51 + quoted(names5_1));
        // 別表五（二）: the 確定 ⑥ of each tax (cells 18, 48, 72) becomes its 前期 ①.
        QStringList s52 = zeros(78);
        s52[0] = "1118";
        s52[24] = "1148";
        s52[54] = "1172";
        f["c:\\法人税\\別表\\10521.txt"] = lines(s52);
        QStringList s52p2 = zeros(70);
        s52p2[66] = "1270"; // 納税充当金 期首 ← 期末
        f["c:\\法人税\\別表\\10531.txt"] = lines(s52p2 + quoted(names5_2Part2));
        f["c:\\法人税\\別表\\10101.txt"] = lines(zeros(53));
        f["c:\\法人税\\別表\\10401.txt"] = lines(zeros(60) + quoted(names4));
        f["c:\\法人税\\別表\\10601.txt"] = lines(zeros(21) + quoted(names6));
        f["c:\\法人税\\別表\\11501.txt"] = lines(zeros(7));
        // The interim payments were the closed year's: the new year's record holds none.
        QStringList interim = zeros(6);
        for (int i = 1; i <= 12; ++i)
            interim << QStringLiteral("\"予備%1\"").arg(i);
        f["c:\\法人税\\別表\\中間申告1.txt"] = lines(interim);
        // The year and the settlement date one year on; the representative's name and the tail stay.
        f["c:\\法人税\\法人名\\1.txt"] = lines(profile1(20));
        return f;
    }

    // The data-root files as they were, with the given replacements and removals.
    static QMap<QString, QByteArray> expectedDrive(QMap<QString, QByteArray> before,
                                                   const QMap<QString, QByteArray> &replaced,
                                                   const QStringList &removed = {}) {
        for (auto it = replaced.begin(); it != replaced.end(); ++it)
            before[driveKey(it.key())] = it.value();
        for (const QString &r : removed)
            before.remove(driveKey(r));
        return before;
    }

    QMap<QString, QByteArray> before;
    void SetUp() override {
        TwoCompanies::SetUp();
        before = drive("c");
    }
};

TEST_F(Rollover, CarriesTheBalancesAndStartsEverythingElseAtZero) {
    pressFor(form10().Command5, "1", mb::Ok);

    EXPECT_EQ(drive("c"), expectedDrive(before, rolledCompany1(), {"c:\\法人税\\法人税Temp\\株式会社見本.txt"}));
    EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を更新しますか:株式会社見本　を更新しますか", "beep"}));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkCancelQuestion);
    EXPECT_EQ(form10().confirmAnswer, mb::Ok);
    // The window shows the new year, and the menu lists it.
    EXPECT_EQ(QStringList({form10().Text5.text(), form10().Text13.text(), form10().Text17.text()}),
              QStringList({"株式会社見本", "20", "21"}));
    EXPECT_EQ(form1().List1.itemText(0), QStringLiteral("01 : 株式会社見本  [平成20.4.1]"));
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(form10().window()->palette().color(QPalette::Window), vbColor(0x8000000F));

    // Straight after the rollover every closing column is 0: a second one carries zeros and moves the dates on.
    svc.events.clear();
    pressFor(form10().Command5, "1", mb::Ok);
    EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を更新しますか:株式会社見本　を更新しますか", "beep"}));
    EXPECT_EQ(readFile("c:\\法人税\\別表\\10701.txt"), lines(zeros(25)));
    EXPECT_EQ(form10().Text13.text(), QStringLiteral("21"));
}

TEST_F(Rollover, CancelChangesNothing) {
    pressFor(form10().Command5, "1", mb::Cancel);
    EXPECT_EQ(drive("c"), before);
    EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を更新しますか:株式会社見本　を更新しますか"}));
    EXPECT_EQ(form10().confirmAnswer, mb::Cancel);
    EXPECT_EQ(form10().window()->palette().color(QPalette::Window), vbColor(0x8000000F));
}

TEST_F(Rollover, ARecordThatCannotBeReadChangesNothing) {
    struct Case {
        const char *file;
        QByteArray bytes; // empty: the file is missing
        const char *description;
    };
    const Case cases[] = {
        {"c:\\法人税\\別表\\10511.txt", {}, "ファイルが見つかりません。"},
        {"c:\\法人税\\別表\\11501.txt", {}, "ファイルが見つかりません。"},
        {"c:\\法人税\\法人名\\1.txt", {}, "ファイルが見つかりません。"},
        {"c:\\法人税\\別表\\10401.txt", lines(zeros(59)), "ファイルにこれ以上データがありません。"},
        {"c:\\法人税\\別表\\10701.txt", lines(zeros(18)), "ファイルにこれ以上データがありません。"},
        {"c:\\法人税\\別表\\10601.txt", lines(zeros(5) + QStringList{"\"x\""}), "型が一致しません。"},
        {"c:\\法人税\\別表\\中間申告1.txt", lines(zeros(5)), "ファイルにこれ以上データがありません。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        writeCompanies();
        QFile::remove(hostPath(QString::fromUtf8(c.file)));
        if (!c.bytes.isEmpty())
            writeFile(QString::fromUtf8(c.file), c.bytes);
        const auto damaged = drive("c");
        svc.boxes.clear();

        pressFor(form10().Command5, "1");
        EXPECT_EQ(drive("c"), damaged);
        EXPECT_EQ(shownBoxes(),
                  QStringList({"法人コードの入力: " +
                               unreadableText(QString::fromUtf8(c.file), Error(QString::fromUtf8(c.description)))}));
        EXPECT_EQ(svc.beeps, 0);
    }
}

TEST_F(Rollover, WithoutACodeNothingIsAsked) {
    for (const char *code : {"", "abc", "99"}) {
        SCOPED_TRACE(code);
        svc.boxes.clear();
        pressFor(form10().Command5, code);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
        EXPECT_EQ(drive("c"), before);
    }
}

TEST_F(Rollover, OlderLayoutsRoll) {
    // A profile in the short form of 19 values, with a leap day, and a Schedule 7 record of 19 values from before
    // the 6th and 7th years were kept.
    writeFile("c:\\法人税\\法人名\\1.txt",
              lines({"1", "10000000", "19", "2", "29", "20", "2", "28", "\"カ\"", "\"株式会社見本\"", "\"\"", "\"\"",
                     "\"\"", "\"\"", "\"\"", "\"\"", "20", "4", "30"}));
    writeFile("c:\\法人税\\別表\\10701.txt",
              lines({"1000", "0", "2000", "0", "2000", "3000", "0", "3000", "4000", "0", "4000", "5000", "0", "5000",
                     "15000", "0", "14000", "6000", "20000"}));
    pressFor(form10().Command5, "1", mb::Ok);

    QStringList profile{"1",    "10000000", "20",   "2",    "29",   "21",   "2",  "28", "\"カ\"", "\"株式会社見本\"",
                        "\"\"", "\"\"",     "\"\"", "\"\"", "\"\"", "\"\"", "21", "4",  "30",     "\"\""};
    for (int i = 2; i <= 12; ++i)
        profile << QStringLiteral("\"予備%1\"").arg(i);
    EXPECT_EQ(readFile("c:\\法人税\\法人名\\1.txt"), lines(profile));
    EXPECT_EQ(readFile("c:\\法人税\\別表\\10701.txt"),
              lines({"2000", "0",     "3000", "0", "0", "4000", "0", "0", "5000", "0", "0", "6000", "0",
                     "0",    "20000", "0",    "0", "0", "0",    "0", "0", "0",    "0", "0", "0"}));
    EXPECT_EQ(svc.beeps, 1);
}

TEST_F(Rollover, RollsTheCodeInText6WithItsOwnProfile) {
    // The window shows company 2; the user types 1 without loading it.
    form10().Text6.setText("2");
    click(form10().Command4);
    ASSERT_EQ(form10().Text5.text(), QStringLiteral("有限会社二号"));

    pressFor(form10().Command5, "1", mb::Ok);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("株式会社見本　を更新しますか"));
    EXPECT_EQ(drive("c"), expectedDrive(before, rolledCompany1(), {"c:\\法人税\\法人税Temp\\株式会社見本.txt"}));
    EXPECT_EQ(form10().Text5.text(), QStringLiteral("株式会社見本"));
}

// 会社コードクリア empties the boxes, not the company loaded: the rollover asks about it and rolls it, and the
// window shows it again in its new year.
TEST_F(Rollover, AfterTheCodeIsClearedTheLoadedCompanyRolls) {
    for (Button *emptying : {&form10().Command9, &form10().Command6}) { // 会社コードクリア, menu
        SCOPED_TRACE(emptying->name().toStdString());
        writeCompanies();
        const auto kept = drive("c");
        const auto floppy = drive("a");
        svc.events.clear();
        form10().Text100.setText(QStringLiteral("1"));
        click(form10().Command7); // DATA
        click(*emptying);
        ASSERT_EQ(form10().Text6.text(), QString());
        svc.answer(mb::Ok);
        click(form10().Command5); // 次年度更新する
        EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を更新しますか:株式会社見本　を更新しますか", "beep"}));
        EXPECT_EQ(drive("c"), expectedDrive(kept, rolledCompany1(), {"c:\\法人税\\法人税Temp\\株式会社見本.txt"}));
        EXPECT_EQ(drive("a"), floppy);
        EXPECT_EQ(form10().Text6.text(), QStringLiteral("1"));
        EXPECT_EQ(QStringList({form10().Text5.text(), form10().Text13.text()}), QStringList({"株式会社見本", "20"}));
    }
}

TEST_F(Rollover, OpenWindowsOfTheCompanyReloadAndOthersAreLeftAlone) {
    writeStandardRates();
    before = drive("c");
    // Schedule 5(1) shows company 1's closing year; Schedule 4 shows company 2.
    form6().Text1.setText("1");
    click(form6().Command7);
    ASSERT_EQ(form6().cellBox(1, 1).text(), QStringLiteral("1,001"));
    form5().Text100.setText("2");
    click(form5().Command7);
    const QString schedule4Of2 = form5().Text5.text();
    ASSERT_FALSE(schedule4Of2.trimmed().isEmpty());

    pressFor(form10().Command5, "1", mb::Ok);
    EXPECT_EQ(drive("c"), expectedDrive(before, rolledCompany1(), {"c:\\法人税\\法人税Temp\\株式会社見本.txt"}));
    EXPECT_EQ(form6().cellBox(1, 1).text(), QStringLiteral("1,005"));
    EXPECT_EQ(form6().cellBox(1, 5).text(), QString());
    EXPECT_EQ(form5().Text5.text(), schedule4Of2);
    EXPECT_EQ(form5().Text100.text(), QStringLiteral("2"));

    // A compute in the reloaded window saves the new year, not the old one.
    click(form6().Command1);
    const QByteArray s51 = readFile("c:\\法人税\\別表\\10511.txt");
    EXPECT_TRUE(s51.startsWith(lines({"1005", "0", "0", "0", "1005"}))) << s51.left(60).toStdString();
}

TEST_F(Rollover, AScheduleFourWindowOfTheCompanyIsClearedAndComputed) {
    writeStandardRates();
    form5().Text100.setText("1");
    click(form5().Command7);
    ASSERT_FALSE(form5().Text5.text().trimmed().isEmpty());

    pressFor(form10().Command5, "1", mb::Ok);
    EXPECT_EQ(form5().Text5.text(), QString());
    // The compute saved the zeroed year in its own layout, with the names kept.
    EXPECT_EQ(readFile("c:\\法人税\\別表\\10401.txt"), lines(zeros(60) + quoted(names4) + [] {
                  QStringList t;
                  for (int i = 1; i <= 12; ++i)
                      t << QStringLiteral("\"予備%1\"").arg(i);
                  return t;
              }()));
    EXPECT_EQ(svc.beeps, 2); // the Schedule 4 compute's and the rollover's
}

TEST_F(Rollover, AnOpenBulkInputOfTheCompanyClosesAndOpensOnTheNewYear) {
    writeStandardRates();
    form1().Text1.setText("1");
    form1().Text2.setText("株式会社見本");
    svc.answer(mb::Yes);      // "データが入力済みです。書き換えますか？"
    click(form1().Command19); // 一括入力
    ASSERT_EQ(form14().bulkFigureBox(1).text(), QStringLiteral("1,501")); // 当期利益, Schedule 4 line 1
    svc.boxes.clear();

    pressFor(form10().Command5, "1", mb::Ok);
    EXPECT_EQ(shownBoxes(), QStringList({"株式会社見本　を更新しますか: 株式会社見本　を更新しますか"}));
    EXPECT_TRUE(readFile("c:\\法人税\\法人名\\1.txt").startsWith(lines({"1", "10000000", "20"})));
    bool bulkLoaded = true;
    for (Form *f : allForms())
        if (f->name() == QStringLiteral("Form14"))
            bulkLoaded = f->isLoaded();
    EXPECT_FALSE(bulkLoaded);

    click(form1().Command19);
    EXPECT_EQ(form14().bulkFigureBox(1).text(), QString());
    EXPECT_EQ(shownBoxes(), QStringList()); // the new year holds no entered data yet
}

TEST_F(Rollover, ACompanyNameLikeAPathDeletesOnlyItsOwnScratchFile) {
    writeStandardRates();
    const QString name = QStringLiteral("..\\税率");
    QByteArray profile = readFile("c:\\法人税\\法人名\\1.txt");
    profile.replace(lines({"\"株式会社見本\""}), lines({"\"" + name + "\""}));
    writeFile("c:\\法人税\\法人名\\1.txt", profile);
    writeFile(bulkScratchPath(name), lines({"1"}));
    ASSERT_TRUE(bulkScratchPath(name).startsWith(QStringLiteral("c:\\法人税\\法人税Temp\\")));
    const QByteArray rates = readFile("c:\\法人税\\税率.txt");

    pressFor(form10().Command5, "1", mb::Ok);
    EXPECT_EQ(svc.boxes[0].title, name + QStringLiteral("　を更新しますか"));
    EXPECT_FALSE(exists(bulkScratchPath(name)));
    EXPECT_EQ(readFile("c:\\法人税\\税率.txt"), rates);
    EXPECT_TRUE(exists("c:\\法人税\\法人税Temp\\株式会社見本.txt"));
}

} // namespace
} // namespace hz::test
