#include "core/durability.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/file_batch.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QDirIterator>

#include <functional>

#include <map>
#include <utility>
#include <vector>

namespace hz::test {
namespace {

// Every file of drive C by its path below the drive.
using Disk = std::map<QString, QByteArray>;

class FileBatchTest : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeFile(a, "old a");
        writeFile(b, "old b");
    }
    // Makes new content ready for target through the batch.
    static void stageText(FileBatch &batch, const QString &target, const QByteArray &bytes) {
        writeFile(batch.stage(target), bytes);
    }
    // Every file in the folder, so that nothing the batch made is left behind.
    static QStringList folder(const QString &windowsFolder = QStringLiteral("c:\\d")) {
        return QDir(hostPath(windowsFolder)).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    static Disk disk() {
        Disk d;
        const QDir root(hostPath(QStringLiteral("c:\\")));
        QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                d[root.relativeFilePath(path)] = f.readAll();
        }
        return d;
    }
    // Drive C as it stood at a moment of the commit: as a kill at that moment leaves it.
    static void putBack(const Disk &d) {
        QDir root(hostPath(QStringLiteral("c:\\")));
        root.removeRecursively();
        for (const auto &[path, bytes] : d) {
            QDir().mkpath(QFileInfo(root.filePath(path)).absolutePath());
            QFile f(root.filePath(path));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
    }
    // Commits the batch and gives drive C after every step it took, each with the file the step wrote.
    static std::vector<std::pair<QString, Disk>> commitStepByStep(FileBatch &batch) {
        std::vector<std::pair<QString, Disk>> steps;
        const QDir root(hostPath(QStringLiteral("c:\\")));
        setWriteObserver([&](const QString &host) { steps.emplace_back(root.relativeFilePath(host), disk()); });
        batch.commit();
        setWriteObserver({});
        return steps;
    }
    static void nextAction() {
        userAction([] {});
    }

    const QString a = QStringLiteral("c:\\d\\a.txt");
    const QString b = QStringLiteral("c:\\d\\b.txt");
    const QString c = QStringLiteral("c:\\d\\c.txt");
    const QString journal = QStringLiteral("法人税/hz-file-batch.journal");
};

TEST_F(FileBatchTest, CommitPutsEveryFileInPlace) {
    FileBatch batch;
    stageText(batch, a, "new a");
    stageText(batch, c, "new c");
    batch.stageCopy(a, b); // the old a, read before anything moved
    EXPECT_EQ(readFile(a), "old a");
    batch.commit();
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_EQ(readFile(b), "old a");
    EXPECT_EQ(readFile(c), "new c");
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt", "c.txt"}));
    EXPECT_FALSE(exists(FileBatch::journalPath));
}

TEST_F(FileBatchTest, WithoutACommitNothingChanges) {
    {
        FileBatch batch;
        stageText(batch, a, "new a");
        stageText(batch, c, "new c");
        EXPECT_THROW(batch.stageCopy("c:\\d\\missing.txt", b), Error);
    }
    EXPECT_EQ(readFile(a), "old a");
    EXPECT_EQ(readFile(b), "old b");
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt"}));
}

TEST_F(FileBatchTest, AFailureBeforeTheSetIsWrittenDownChangesNothing) {
    // The second file cannot be set aside: something else stands under that name.
    QDir().mkpath(hostPath(b + FileBatch::keptAsideSuffix + "\\x"));
    FileBatch batch;
    stageText(batch, a, "new a");
    stageText(batch, b, "new b");
    stageText(batch, c, "new c");
    try {
        batch.commit();
        FAIL() << "the commit went through";
    } catch (const Error &e) {
        EXPECT_EQ(e.description(), Error::cannotWrite().description());
    }
    EXPECT_EQ(readFile(a), "old a");
    EXPECT_EQ(readFile(b), "old b");
    EXPECT_FALSE(exists(c));
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt", "b.txt" + FileBatch::keptAsideSuffix}));
    EXPECT_FALSE(exists(FileBatch::journalPath));
}

// A kill after any step of the commit, then the next action: before the journal stands every file is old, from
// then on every file is new (or gone, for a file the set removes), and nothing of the set is left either way.
TEST_F(FileBatchTest, AnInterruptedCommitIsAllOldOrFinishedAtTheNextAction) {
    for (const bool removeB : {true, false}) {
        SCOPED_TRACE(removeB ? "b removed" : "b replaced");
        writeFile(a, "old a");
        writeFile(b, "old b");
        QFile::remove(hostPath(c));
        const Disk before = disk();
        FileBatch batch;
        stageText(batch, a, "new a");
        if (removeB)
            batch.stageRemoval(b);
        else
            stageText(batch, b, "new b");
        stageText(batch, c, "new c");
        const auto steps = commitStepByStep(batch);
        const Disk after = disk();
        EXPECT_EQ(after.count(QStringLiteral("d/b.txt")), removeB ? 0u : 1u);
        // Two old files kept aside, the journal written and put in place, the list of targets gone, three renames
        // (or two and a removal), the old files and the journal gone.
        ASSERT_EQ(steps.size(), 11u);
        bool journalStood = false;
        for (const auto &[wrote, state] : steps) {
            SCOPED_TRACE(wrote.toStdString());
            journalStood = journalStood || state.count(journal);
            putBack(state);
            nextAction();
            EXPECT_EQ(disk(), journalStood ? after : before);
            EXPECT_EQ(svc.boxes.size(), 0u);
        }
        EXPECT_TRUE(journalStood);
    }

    writeFile(a, "old a");
    FileBatch batch;
    stageText(batch, a, "new a");
    stageText(batch, b, "new b");
    stageText(batch, c, "new c");
    const auto steps = commitStepByStep(batch);
    // A record kept by the action before the set was finished is read afresh.
    const auto journalPlaced =
        std::find_if(steps.begin(), steps.end(), [&](const auto &s) { return s.first == journal; });
    putBack(journalPlaced->second);
    const RecordCacheScope action;
    EXPECT_EQ(readRawFile(a), "old a");
    finishInterruptedBatch();
    EXPECT_EQ(readRawFile(a), "new a");
}

// A kill while the set is made ready, before its journal stands, then the next action: the set was never decided,
// so the old files are the records and everything the set made is removed, on drive C and on the backup drive.
// Files of the same suffix that the set did not name stay, and so does a set that another running copy of the
// program is still making ready.
TEST_F(FileBatchTest, ASetKilledBeforeItsJournalLeavesNothingBehind) {
    const QString floppy = QStringLiteral("a:\\d\\a.txt");
    const QString mine = QStringLiteral("c:\\d\\notes") + FileBatch::stagedSuffix;
    const QString otherOld = QStringLiteral("c:\\d\\b.txt") + FileBatch::keptAsideSuffix;
    writeFile(floppy, "old floppy a");
    writeFile(mine, "the user's own");
    const auto both = [] {
        Disk d = disk();
        const QDir root(hostPath(QStringLiteral("a:\\")));
        QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            d[QStringLiteral("a:/") + root.relativeFilePath(path)] =
                readFile(QStringLiteral("a:\\") + root.relativeFilePath(path));
        }
        return d;
    };
    const Disk before = both();
    std::vector<std::pair<QString, Disk>> states;
    {
        FileBatch batch;
        setWriteObserver([&](const QString &host) { states.emplace_back(host, both()); });
        stageText(batch, a, "new a");
        batch.stageCopy(a, floppy);
        stageText(batch, c, "new c");
        setWriteObserver({});
        ASSERT_FALSE(states.empty());
        // While the set lives, the next action leaves what it made alone.
        nextAction();
        EXPECT_EQ(both().size(), before.size() + 4) << "the list and three new files";
        // All made ready, then the old files kept aside as the commit does before the journal, and the journal's
        // temporary file.
        states.emplace_back(QStringLiteral("made ready"), both());
        states.emplace_back(QStringLiteral("kept aside"), both());
        states.back().second[QStringLiteral("d/a.txt") + FileBatch::keptAsideSuffix] = "old a";
        states.back().second[QStringLiteral("a:/d/a.txt") + FileBatch::keptAsideSuffix] = "old floppy a";
        states.back().second[QStringLiteral("法人税/hz-file-batch.journal") + FileBatch::stagedSuffix] = "file";
    }
    for (const auto &[wrote, state] : states) {
        SCOPED_TRACE(wrote.toStdString());
        for (const auto &[path, bytes] : state)
            writeFile(path.startsWith(QStringLiteral("a:/")) ? QStringLiteral("a:\\") + path.mid(3)
                                                             : QStringLiteral("c:\\") + path,
                      bytes);
        writeFile(otherOld, "not the set's");
        nextAction();
        Disk now = both();
        EXPECT_EQ(now.erase(QStringLiteral("d/b.txt") + FileBatch::keptAsideSuffix), 1u);
        EXPECT_EQ(now, before);
        EXPECT_EQ(svc.boxes.size(), 0u);
        QFile::remove(hostPath(otherOld));
    }
}

// A set whose files cannot all be put in place is said once, naming the company; the journal and the old files
// stay, no other set starts, and the set is finished once the way is clear: a folder that stands where a record
// goes on drive C, and the backup drive taken out in the middle of a backup.
TEST_F(FileBatchTest, ASetThatCannotBeFinishedIsSaidAndKeepsTheOldFiles) {
    const QString driveA = hostPath(QStringLiteral("a:\\"));
    struct Case {
        const char *drive;
        const char *stuck; // the file named in the box
        std::function<void(const QString &schedule)> block, clear;
    };
    const Case cases[] = {
        {"c", "c:\\法人税\\別表\\10107.txt",
         [](const QString &schedule) {
             QFile::remove(hostPath(schedule));
             QDir().mkpath(hostPath(schedule));
         },
         [](const QString &schedule) { QDir(hostPath(schedule)).removeRecursively(); }},
        {"a", "a:\\法人税\\法人名\\7.txt",
         [&driveA](const QString &) { ASSERT_TRUE(QDir().rename(driveA, driveA + ".away")); },
         [&driveA](const QString &) { ASSERT_TRUE(QDir().rename(driveA + ".away", driveA)); }},
    };
    auto profileLines = [] {
        return lines(QStringList{"7", "1000", "19", "4", "1", "20", "3", "31", "ナナ", "株式会社七"});
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.drive);
        svc.boxes.clear();
        const QString drive = QString::fromLatin1(k.drive);
        const QString profile = drive + QStringLiteral(":\\法人税\\法人名\\7.txt");
        const QString schedule = drive + QStringLiteral(":\\法人税\\別表\\10107.txt");
        writeFile(profile, profileLines());
        writeFile(schedule, "old schedule\r\n");
        FileBatch batch;
        stageText(batch, profile, profileLines());
        stageText(batch, schedule, "new schedule\r\n");
        const auto steps = commitStepByStep(batch);
        const auto firstRename = std::find_if(steps.begin(), steps.end(), [&](const auto &s) {
            return s.first == QDir(hostPath("c:\\")).relativeFilePath(hostPath(profile));
        });
        ASSERT_NE(firstRename, steps.end());
        // Both drives as a kill after the profile's rename leaves them: the profile in place, the schedule's new
        // content still beside the old one, both old files kept aside.
        putBack(firstRename->second);
        if (k.drive == std::string("a")) {
            writeFile(profile + FileBatch::keptAsideSuffix, profileLines());
            writeFile(schedule + FileBatch::keptAsideSuffix, "old schedule\r\n");
            writeFile(schedule + FileBatch::stagedSuffix, "new schedule\r\n");
            writeFile(schedule, "old schedule\r\n");
        }
        k.block(schedule);

        nextAction();
        const QString said = QStringLiteral("株式会社七（会社コード 7）のファイルの置き換えを最後まで終えられません。\n"
                                            "%1 を置き換えられません。\n"
                                            "置き換える前のファイルは、名前の末尾に「.hz-old」を付けて残してあります。")
                                 .arg(QString::fromUtf8(k.stuck));
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("ファイルの置き換え"));
        EXPECT_EQ(svc.boxes[0].prompt, said);
        EXPECT_TRUE(exists(FileBatch::journalPath));

        // Said once; the next action tries again quietly, and no other set is made ready meanwhile.
        nextAction();
        EXPECT_EQ(svc.boxes.size(), 1u);
        FileBatch other;
        try {
            other.stage(a);
            ADD_FAILURE() << "another set was made ready";
        } catch (const Error &e) {
            EXPECT_EQ(e.description(), said.section(u'\n', 0, 0) + u'\n' + said.section(u'\n', 2));
        }

        k.clear(schedule);
        EXPECT_EQ(readFile(profile + FileBatch::keptAsideSuffix), profileLines());
        EXPECT_EQ(readFile(schedule + FileBatch::keptAsideSuffix), "old schedule\r\n");
        nextAction();
        EXPECT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(readFile(schedule), "new schedule\r\n");
        EXPECT_EQ(readFile(profile), profileLines());
        EXPECT_FALSE(exists(FileBatch::journalPath));
        EXPECT_EQ(folder(drive + QStringLiteral(":\\法人税\\別表")), QStringList({"10107.txt"}));
        EXPECT_EQ(folder(drive + QStringLiteral(":\\法人税\\法人名")), QStringList({"7.txt"}));
    }
}

// A rename that fails in the commit itself: the error names the company for the action's box, and the set is
// finished at a later action, without a second box.
TEST_F(FileBatchTest, ACommitThatCannotFinishSaysSoAndIsFinishedLater) {
    FileBatch batch;
    stageText(batch, a, "new a");
    stageText(batch, b, "new b");
    const QString journalHost = hostPath(FileBatch::journalPath);
    setWriteObserver([&](const QString &host) {
        if (host == journalHost && QFileInfo::exists(host)) {
            QFile::remove(hostPath(b));
            QDir().mkpath(hostPath(b));
        }
    });
    try {
        batch.commit();
        ADD_FAILURE() << "the commit went through";
    } catch (const Error &e) {
        EXPECT_EQ(e.description(),
                  QStringLiteral("ファイルの置き換えを最後まで終えられません。\n"
                                 "c:\\d\\b.txt を置き換えられません。\n"
                                 "置き換える前のファイルは、名前の末尾に「.hz-old」を付けて残してあります。"));
    }
    setWriteObserver({});
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_EQ(readFile(b + FileBatch::keptAsideSuffix), "old b");
    nextAction();
    EXPECT_EQ(svc.boxes.size(), 0u);
    EXPECT_TRUE(exists(FileBatch::journalPath));

    QDir(hostPath(b)).removeRecursively();
    nextAction();
    EXPECT_EQ(svc.boxes.size(), 0u);
    EXPECT_EQ(readFile(b), "new b");
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt"}));
    EXPECT_FALSE(exists(FileBatch::journalPath));
}

// Only a journal renamed into place counts: one a kill cut short under its temporary name is passed over and
// written over by the next set. One in place that cannot be read is said, and holds every set back.
TEST_F(FileBatchTest, OnlyAJournalInPlaceCounts) {
    const QString temporary = FileBatch::journalPath + FileBatch::stagedSuffix;
    writeFile(temporary, "hojinzei file batch 1\ncompany\t1\t");
    writeFile(a + FileBatch::stagedSuffix, "half of a new a");
    nextAction();
    EXPECT_EQ(svc.boxes.size(), 0u);
    EXPECT_EQ(readFile(a), "old a");
    {
        FileBatch batch;
        stageText(batch, a, "new a");
        batch.commit();
    }
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_FALSE(exists(temporary));

    writeFile(FileBatch::journalPath, "hojinzei file batch 1\ncompany\t1\t\nfile\tzz\t1\tc:\\d\\a.txt\nend\n");
    nextAction();
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("ファイルの置き換えの記録 c:\\法人税\\hz-file-batch.journal "
                                                  "が読めません。置き換えを最後まで終えられません。"));
    EXPECT_EQ(readFile(a), "new a");
    FileBatch batch;
    EXPECT_THROW(batch.stage(b), Error);
}

} // namespace
} // namespace hz::test
