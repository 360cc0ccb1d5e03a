#include "common/read_or_say.h"
#include "core/errors.h"
#include "maintenance/Form10.h"
#include "maintenance/company_files.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form6.h"
#include "tests/maintenance/two_companies.h"

#include <QDir>

namespace hz::test {
namespace {

class Floppy : public TwoCompanies {
protected:
    // The ten files and the other records of company code on the data root, by their path below the drive.
    static QMap<QString, QByteArray> backedUp(int code) {
        QMap<QString, QByteArray> files;
        for (const QString &f : company_files::coreFiles(code) + company_files::otherRecordFiles(code))
            if (exists(f))
                files[f.mid(3).replace(u'\\', u'/')] = readFile(f);
        return files;
    }
    // A fresh floppy: the drive itself, nothing on it.
    static void insertFloppy() { QDir().mkpath(hostPath("a:\\")); }
};

TEST_F(Floppy, BackupMakesTheFoldersAndCopiesTheCompanysRecords) {
    // A floppy that has the root folder but not the two below it.
    QDir().mkpath(hostPath("a:\\法人税"));
    pressFor(form10().Command1, "1");
    EXPECT_EQ(drive("a"), backedUp(1));
    EXPECT_EQ(svc.events, QStringList({"beep"}));
    EXPECT_FALSE(form10().ProgressBar1.isVisible());
    EXPECT_EQ(form10().ProgressBar1.value(), 100);

    // A second company joins the first; a second backup of company 1 replaces its files.
    pressFor(form10().Command1, "2");
    QByteArray schedule1 = readFile("c:\\法人税\\別表\\10101.txt");
    schedule1.replace(0, schedule1.indexOf('\r'), "1");
    writeFile("c:\\法人税\\別表\\10101.txt", schedule1);
    pressFor(form10().Command1, "1");
    QMap<QString, QByteArray> both = backedUp(1);
    both.insert(backedUp(2));
    EXPECT_EQ(drive("a"), both);
    EXPECT_EQ(svc.beeps, 3);

    // A record the company no longer has leaves the floppy with the next backup.
    QFile::remove(hostPath("c:\\法人税\\別表\\中間申告1.txt"));
    pressFor(form10().Command1, "1");
    both = backedUp(1);
    both.insert(backedUp(2));
    EXPECT_EQ(drive("a"), both);
    EXPECT_FALSE(exists("a:\\法人税\\別表\\中間申告1.txt"));
}

TEST_F(Floppy, RestoreAfterDeletionGivesTheWholeCompanyBack) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    const auto backedUpCompany = backedUp(1);
    pressFor(form10().Command19, "1", mb::Ok);
    ASSERT_FALSE(exists("c:\\法人税\\別表\\特設欄1.txt"));

    pressFor(form10().Command2, "1");
    EXPECT_EQ(backedUp(1), backedUpCompany);
    // A backup of the ten files alone leaves the other records on the disk as they are.
    for (const QString &f : company_files::otherRecordFiles(1))
        QFile::remove(hostPath(company_files::onFloppy(f)));
    writeFile("c:\\法人税\\別表\\10101.txt", lines({"999"}));
    pressFor(form10().Command2, "1", mb::Ok);
    EXPECT_EQ(backedUp(1), backedUpCompany);
}

TEST_F(Floppy, BackupOfAnIncompleteCompanyWritesNothing) {
    insertFloppy();
    QFile::remove(hostPath("c:\\法人税\\別表\\10201.txt"));
    pressFor(form10().Command1, "1");
    EXPECT_TRUE(drive("a").isEmpty());
    EXPECT_EQ(shownBoxes(), QStringList({"フロッピーを準備してください。: " +
                                         unreadableText("c:\\法人税\\別表\\10201.txt", Error::fileNotFound())}));
    EXPECT_EQ(svc.beeps, 0);
    EXPECT_TRUE(form10().ProgressBar1.isVisible());
}

TEST_F(Floppy, BackupWithoutAFloppyShowsItsBox) {
    QDir(hostPath("a:\\")).removeRecursively();
    pressFor(form10().Command1, "1");
    EXPECT_EQ(shownBoxes(), QStringList({"フロッピーを準備してください。: パスが見つかりません。"}));
}

TEST_F(Floppy, RestoreGivesTheBackedUpBytesBack) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    const auto before = drive("c");
    // The user changes the company, and loses a record.
    writeFile("c:\\法人税\\別表\\10101.txt", lines({"999"}));
    writeFile("c:\\法人税\\法人名\\1.txt", lines({"1", "0", "19", "4", "1", "20", "3", "31", "\"\"", "\"変更後\""}));
    QFile::remove(hostPath("c:\\法人税\\別表\\11501.txt"));

    pressFor(form10().Command2, "1", mb::Ok);
    EXPECT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("書き換えますか"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("変更後"));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkCancelQuestion);
    EXPECT_EQ(drive("c"), before);
    EXPECT_EQ(svc.beeps, 1); // the backup's only
    EXPECT_EQ(form10().Text5.text(), QStringLiteral("株式会社見本"));
}

TEST_F(Floppy, RestoreAsksAndCancelKeepsTheDisk) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    writeFile("c:\\法人税\\別表\\10101.txt", lines({"999"}));
    const auto changed = drive("c");
    pressFor(form10().Command2, "1", mb::Cancel);
    EXPECT_EQ(drive("c"), changed);
}

TEST_F(Floppy, RestoreOntoAnEmptyDiskMakesTheDataRootWithoutAsking) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    const auto floppy = drive("a");
    QDir(hostPath("c:\\法人税")).removeRecursively();

    pressFor(form10().Command2, "1");
    EXPECT_TRUE(svc.boxes.empty());
    QMap<QString, QByteArray> restored = drive("c");
    restored.remove(QStringLiteral("Program Files/法人税の誓約書.txt"));
    EXPECT_EQ(restored, floppy);
}

TEST_F(Floppy, AnIncompleteBackupIsNotRestored) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    for (const char *damage : {"remove", "short profile"}) {
        SCOPED_TRACE(damage);
        pressFor(form10().Command1, "1");
        if (QByteArray(damage) == "remove")
            QFile::remove(hostPath("a:\\法人税\\別表\\10601.txt"));
        else
            writeFile("a:\\法人税\\法人名\\1.txt", lines({"1", "10000000"}));
        writeFile("c:\\法人税\\別表\\10101.txt", lines({"999"}));
        const auto disk = drive("c");
        svc.boxes.clear();

        pressFor(form10().Command2, "1");
        EXPECT_EQ(drive("c"), disk);
        ASSERT_EQ(svc.boxes.size(), 1u); // no question
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
    }
}

TEST_F(Floppy, RestoreReloadsTheOpenWindowsOfTheCompany) {
    writeStandardRates();
    insertFloppy();
    pressFor(form10().Command1, "1");
    QByteArray s51 = readFile("c:\\法人税\\別表\\10511.txt");
    s51.replace(lines({"1001"}), lines({"7"}));
    writeFile("c:\\法人税\\別表\\10511.txt", s51);
    QByteArray interim = readFile("c:\\法人税\\別表\\中間申告1.txt");
    interim.replace(lines({"1701"}), lines({"9"}));
    writeFile("c:\\法人税\\別表\\中間申告1.txt", interim);
    form6().Text1.setText("1");
    click(form6().Command7);
    ASSERT_EQ(form6().cellBox(1, 1).text(), QStringLiteral("7"));
    form20().Text15.setText("1");
    click(form20().Command2); // the interim window's DATA
    ASSERT_EQ(form20().Text1.text(), QStringLiteral("9"));

    pressFor(form10().Command2, "1", mb::Ok);
    EXPECT_EQ(form6().cellBox(1, 1).text(), QStringLiteral("1,001"));
    EXPECT_EQ(form20().Text1.text(), QStringLiteral("1,701"));
}

TEST_F(Floppy, DeletionRemovesTheFilesOfThatCompanyOnly) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    pressFor(form10().Command1, "2");
    svc.events.clear();
    svc.beeps = 0;
    const auto disk = drive("c");

    pressFor(form10().Command3, "1", mb::Cancel);
    EXPECT_EQ(drive("a").size(), 30);
    EXPECT_FALSE(form10().ProgressBar1.isVisible());
    EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を削除しますか:株式会社見本　を削除しますか"}));

    pressFor(form10().Command3, "1", mb::Ok);
    EXPECT_EQ(drive("a"), backedUp(2));
    EXPECT_FALSE(form10().ProgressBar1.isVisible());
    EXPECT_EQ(svc.beeps, 1);
    EXPECT_EQ(drive("c"), disk);

    // Nothing of company 1 is left on the floppy to delete.
    svc.boxes.clear();
    pressFor(form10().Command3, "1");
    EXPECT_EQ(shownBoxes(), QStringList({"法人コードの入力: " +
                                         unreadableText("a:\\法人税\\法人名\\1.txt", Error::fileNotFound())}));
}

TEST_F(Floppy, AHalfDeletedBackupCanBeDeletedAgain) {
    insertFloppy();
    pressFor(form10().Command1, "1");
    QFile::remove(hostPath("a:\\法人税\\別表\\10401.txt"));
    pressFor(form10().Command3, "1", mb::Ok);
    EXPECT_TRUE(drive("a").isEmpty());
    EXPECT_EQ(svc.beeps, 2);
}

TEST_F(Floppy, EveryActionNeedsACode) {
    insertFloppy();
    struct Case {
        Button Form10::*button;
        const char *title;
    };
    for (const Case &c : {Case{&Form10::Command1, "フロッピーを準備してください。"},
                          Case{&Form10::Command2, "法人コードの入力"}, Case{&Form10::Command3, "法人コードの入力"}}) {
        SCOPED_TRACE(c.title);
        svc.boxes.clear();
        pressFor(form10().*c.button, "");
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
        EXPECT_FALSE(form10().ProgressBar1.isVisible());
    }
    EXPECT_TRUE(drive("a").isEmpty());
}

} // namespace
} // namespace hz::test
