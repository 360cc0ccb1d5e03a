#include "app/Form1.h"
#include "common/read_or_say.h"
#include "core/errors.h"
#include "maintenance/Form10.h"
#include "maintenance/company_files.h"
#include "maintenance/file_batch.h"
#include "schedules/core/Form6.h"
#include "tests/maintenance/two_companies.h"

#include <QDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace hz::test {
namespace {

class CopyAndDelete : public TwoCompanies {
protected:
    QMap<QString, QByteArray> before;
    void SetUp() override {
        TwoCompanies::SetUp();
        before = drive("c");
    }
    void copy(const QString &from, const QString &to, int answer = 0) {
        form10().Text39.setText(to);
        pressFor(form10().Command18, from, answer);
    }
    QStringList listed() {
        QStringList items;
        for (int i = 0; i < form1().List1.listCount(); ++i)
            items << form1().List1.itemText(i);
        return items;
    }
};

TEST_F(CopyAndDelete, CopyToANewCodeTakesTheRecordsStatementsAndAFreshProfile) {
    copy("1", "5");
    QMap<QString, QByteArray> expected = before;
    const QStringList from =
        company_files::scheduleFiles(1) + QStringList{"c:\\法人税\\別表\\特設欄1.txt", "c:\\法人税\\附属明細\\①1.txt",
                                                      "c:\\法人税\\附属明細\\A⑯益小計1.txt"};
    const QStringList to =
        company_files::scheduleFiles(5) + QStringList{"c:\\法人税\\別表\\特設欄5.txt", "c:\\法人税\\附属明細\\①5.txt",
                                                      "c:\\法人税\\附属明細\\A⑯益小計5.txt"};
    for (qsizetype i = 0; i < from.size(); ++i)
        expected[driveKey(to[i])] = before[driveKey(from[i])];
    expected[driveKey("c:\\法人税\\法人名\\5.txt")] = lines(profile1(19, 5));
    // The capital part, the interim amounts and Schedule 11 are not copied.
    EXPECT_EQ(drive("c"), expected);
    EXPECT_EQ(svc.events, QStringList({"beep"}));
    EXPECT_EQ(listed(), QStringList({"01 : 株式会社見本  [平成19.4.1]", "02 : 有限会社二号  [平成19.10.1]",
                                     "05 : 株式会社見本  [平成19.4.1]"}));
}

TEST_F(CopyAndDelete, CopyOntoAnExistingCompanyAsksFirst) {
    writeStandardRates();
    before = drive("c");
    copy("1", "2", mb::Cancel);
    EXPECT_EQ(drive("c"), before);
    EXPECT_EQ(shownBoxes(), QStringList({"書き換えますか: 有限会社二号"}));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkCancelQuestion);
    EXPECT_EQ(svc.beeps, 0);

    // Schedule 5(1) is open on company 2; after the copy it shows what company 2 now holds.
    form6().Text1.setText("2");
    click(form6().Command7);
    ASSERT_EQ(form6().cellBox(1, 1).text(), QStringLiteral("2,001"));
    copy("1", "2", mb::Ok);
    const QStringList of1 = company_files::scheduleFiles(1), of2 = company_files::scheduleFiles(2);
    for (qsizetype i = 0; i < of1.size(); ++i)
        EXPECT_EQ(readFile(of2[i]), before[driveKey(of1[i])]) << of2[i].toStdString();
    EXPECT_TRUE(readFile("c:\\法人税\\法人名\\2.txt").startsWith(lines({"2", "10000000"})));
    // What company 1 does not have, company 2 keeps.
    EXPECT_EQ(readFile("c:\\法人税\\附属明細\\⑤2.txt"), before[driveKey("c:\\法人税\\附属明細\\⑤2.txt")]);
    EXPECT_EQ(readFile("c:\\法人税\\別表\\1051資準2.txt"), before[driveKey("c:\\法人税\\別表\\1051資準2.txt")]);
    EXPECT_EQ(form6().cellBox(1, 1).text(), QStringLiteral("1,001"));
    EXPECT_EQ(svc.beeps, 1);
}

TEST_F(CopyAndDelete, CopyRefusesATargetThatIsNoOtherCompany) {
    struct Case {
        const char *target;
        const char *description;
    };
    for (const Case &c : {Case{"1", "コピー先がコピー元と同じ法人コードです。"},
                          Case{"0", "コピー先の法人コードは 1 から 999 までです。"},
                          Case{"1000", "コピー先の法人コードは 1 から 999 までです。"},
                          Case{"-3", "コピー先の法人コードは 1 から 999 までです。"}, Case{"", "型が一致しません。"},
                          Case{"abc", "型が一致しません。"}}) {
        SCOPED_TRACE(c.target);
        svc.boxes.clear();
        copy("1", c.target);
        EXPECT_EQ(drive("c"), before);
        EXPECT_EQ(shownBoxes(), QStringList({"リストア情報: " + QString::fromUtf8(c.description)}));
        EXPECT_EQ(svc.beeps, 0);
        EXPECT_TRUE(form1().isVisible());
    }
}

TEST_F(CopyAndDelete, AnIncompleteSourceCopiesNothing) {
    for (const char *missing : {"c:\\法人税\\別表\\10601.txt", "c:\\法人税\\別表\\特設欄1.txt"}) {
        SCOPED_TRACE(missing);
        writeCompanies();
        QFile::remove(hostPath(QString::fromUtf8(missing)));
        const auto disk = drive("c");
        svc.boxes.clear();
        copy("1", "5");
        EXPECT_EQ(drive("c"), disk);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].prompt, unreadableText(QString::fromUtf8(missing), Error::fileNotFound()));
    }
}

TEST_F(CopyAndDelete, AStatementThatCannotBeCopiedStopsTheCopy) {
    // Something stands where the copy of statement ① would be made.
    const QString blocked = hostPath("c:\\法人税\\附属明細\\①5.txt" + FileBatch::stagedSuffix);
    QDir().mkpath(blocked + "/x");
    before = drive("c");
    copy("1", "5");
    EXPECT_EQ(drive("c"), before);
    EXPECT_EQ(shownBoxes(), QStringList({"リストア情報: 書き込みできません。"}));
    EXPECT_EQ(svc.beeps, 0);
}

// Records the window's colour whenever a question is asked, then lets the scripted services answer.
class ColourAtQuestion final : public Services {
public:
    explicit ColourAtQuestion(ScriptedServices &inner) : inner_(inner) {}
    int messageBox(const QString &prompt, int buttons, const QString &title) override {
        if (buttons == mb::OkCancelQuestion)
            colours << form10().window()->palette().color(QPalette::Window);
        return inner_.messageBox(prompt, buttons, title);
    }
    void beep() override { inner_.beep(); }
    void programEnding() override { inner_.programEnding(); }
    void shellOpen(const QString &t) override { inner_.shellOpen(t); }
    QStringList printers() override { return {}; }
    void setDefaultPrinter(const QString &) override {}
    QList<QColor> colours;

private:
    ScriptedServices &inner_;
};

TEST_F(CopyAndDelete, DeletionRemovesAllOfTheCompanyAndNothingElse) {
    QDir().mkpath(hostPath("a:\\"));
    pressFor(form10().Command1, "1"); // a backup, which the deletion leaves alone
    const auto floppy = drive("a");
    ColourAtQuestion probe(svc);
    setServices(&probe);
    svc.events.clear();

    pressFor(form10().Command19, "1", mb::Ok);
    QMap<QString, QByteArray> expected = before;
    for (const QString &f : companyFiles(1).keys())
        if (!f.contains(QStringLiteral("法人税Temp")))
            expected.remove(driveKey(f));
    EXPECT_EQ(drive("c"), expected);
    EXPECT_EQ(drive("a"), floppy);
    EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を削除しますか:株式会社見本　を削除しますか", "beep"}));
    EXPECT_EQ(probe.colours, QList<QColor>{vbColor(0xFF)});
    EXPECT_EQ(form10().window()->palette().color(QPalette::Window), vbColor(0x8000000F));
    EXPECT_EQ(listed(), QStringList({"02 : 有限会社二号  [平成19.10.1]"}));
    setServices(&svc);
}

TEST_F(CopyAndDelete, DeletionCancelledDeletesNothing) {
    pressFor(form10().Command19, "1", mb::Cancel);
    EXPECT_EQ(drive("c"), before);
    EXPECT_EQ(svc.events, QStringList({"box:株式会社見本　を削除しますか:株式会社見本　を削除しますか", "beep"}));
    EXPECT_EQ(form10().window()->palette().color(QPalette::Window), vbColor(0x8000000F));
}

TEST_F(CopyAndDelete, DeletionOfACodeWithoutACompanyAsksNothing) {
    for (const char *code : {"7", ""}) {
        SCOPED_TRACE(code);
        svc.boxes.clear();
        pressFor(form10().Command19, code);
        EXPECT_EQ(drive("c"), before);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("法人コードの入力"));
        EXPECT_EQ(svc.beeps, 0);
    }
}

TEST_F(CopyAndDelete, AFileAlreadyMissingCountsAsDeleted) {
    QFile::remove(hostPath("c:\\法人税\\別表\\10201.txt"));
    QDir(hostPath("c:\\法人税\\附属明細")).removeRecursively();
    pressFor(form10().Command19, "1", mb::Ok);
    EXPECT_FALSE(exists("c:\\法人税\\法人名\\1.txt"));
    EXPECT_FALSE(exists("c:\\法人税\\別表\\10701.txt"));
    EXPECT_EQ(svc.beeps, 1);
}

// Marks a file so that not even the owner of the machine can delete it, while the object lives.
class Undeletable {
public:
    explicit Undeletable(const QString &hostFile) : fd_(::open(QFile::encodeName(hostFile).constData(), O_RDONLY)) {
        int flags = 0;
        ok_ = fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0 &&
              (flags |= FS_IMMUTABLE_FL, ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0);
    }
    ~Undeletable() {
        if (ok_) {
            int flags = 0;
            ::ioctl(fd_, FS_IOC_GETFLAGS, &flags);
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return ok_; }

private:
    int fd_;
    bool ok_ = false;
};

TEST_F(CopyAndDelete, AStatementThatCannotBeDeletedIsReportedAndTheCompanyStays) {
    Undeletable statement(hostPath("c:\\法人税\\附属明細\\A⑯益小計1.txt"));
    if (!statement.ok())
        GTEST_SKIP() << "this file system cannot protect a file from its owner";
    pressFor(form10().Command19, "1", mb::Ok);
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].title, QStringLiteral("法人コードの入力"));
    EXPECT_EQ(svc.beeps, 0);
    // The company is still listed, so the deletion can be repeated once the file can go.
    EXPECT_TRUE(exists("c:\\法人税\\法人名\\1.txt"));
    EXPECT_FALSE(exists("c:\\法人税\\別表\\10101.txt"));
    EXPECT_EQ(form10().window()->palette().color(QPalette::Window), vbColor(0x8000000F));
}

} // namespace
} // namespace hz::test
