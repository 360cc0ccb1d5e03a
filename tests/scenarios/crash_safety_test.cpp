// The program killed at any moment loses nothing.
//
// A child process registers a company, computes it and rolls it into the next year, over and over, through the
// windows as a user does, and is killed at random moments. After every kill and the next start each record of the
// company reads whole, the leftovers of an interrupted write lie under names no record has, and the menu still
// lists the company. The child is this test program run again on the disabled test below, with the parent's
// drives named in its environment.
//
// The data window's sets of records (rollover, backup, restore, copy) are killed after every single write their
// action makes, the n-th for every n, and at random moments, each in a child forked at the press. After each kill
// and the next start the records of the set are all old or all new (all old when the kill came before its journal
// stood), and nothing the set made beside them is left on either drive.

#include "app/Form1.h"
#include "app/start.h"
#include "core/durability.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/Form10.h"
#include "maintenance/file_batch.h"
#include "platform/form.h"
#include "print/print_load.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "tests/scenarios/registration.h"
#include "tests/scenarios/two_companies.h"
#include "tests/support/fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <thread>
#include <vector>

namespace hz::test {
namespace {

constexpr std::int32_t kCode = 1;
const QString kName = QStringLiteral("株式会社不死身");
const char *const kChildDriveC = "HOJINZEI_CRASH_CHILD_DRIVE_C";
const char *const kChildDriveA = "HOJINZEI_CRASH_CHILD_DRIVE_A";

// What the child tells its parent, a line each.
const QByteArray kReady = "ready";
const QByteArray kSeasonDone = "season";
const QByteArray kBoxSaid = "box ";

// The names interrupted writes leave behind: a record's own temporary file, and a batch's new and old contents.
const QStringList kTemporarySuffixes = {QStringLiteral(".new"), FileBatch::stagedSuffix, FileBatch::keptAsideSuffix};

bool isTemporary(const QString &path) {
    for (const QString &suffix : kTemporarySuffixes)
        if (path.endsWith(suffix))
            return true;
    return false;
}

class CrashSafety : public HzTest {
protected:
    // One year of the company: registered (again, over the year before, when it is there), Schedule 4, Schedule
    // 1 and the capital part computed, then rolled into the next year from the data window.
    void season() {
        if (fileExists(profilePath(kCode))) {
            svc.answer(mb::Ok); // "同じコード名があります"
            svc.answer(mb::Ok); // "書き換えますか"
        }
        registerSampleCompany(kCode, kName, QStringLiteral("フジミ"), 10, 5);
        click(form1().Command5);
        form5().Text5.setText(QStringLiteral("1,234"));
        click(form5().Command4);
        click(form1().Command12);
        click(form3().Command4);
        click(form1().Command15); // 資本積立
        click(form11().Command1);
        click(form1().Command13);
        form10().Text6.setText(QString::number(kCode));
        svc.answer(mb::Ok); // "を更新しますか"
        click(form10().Command5);
    }

    // The boxes shown since the last call that a season does not show; forgets every box.
    QStringList unexpectedBoxes() {
        QStringList out;
        for (const ShownBox &b : svc.boxes)
            if (b.title != QStringLiteral("同じコード名があります") && b.title != QStringLiteral("書き換えますか") &&
                !b.title.endsWith(QStringLiteral("を更新しますか")))
                out << b.title + QStringLiteral(": ") + b.prompt;
        svc.boxes.clear();
        svc.answers.clear();
        return out;
    }

    // The number of lines of a file; -1 when its last line has no line end (a write cut short).
    static int lineCount(const QString &host) {
        QFile f(host);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QByteArray bytes = f.readAll();
        return bytes.endsWith("\r\n") ? int(bytes.count('\n')) : -1;
    }

    // Every file of drive C by its path inside the drive, with its number of lines; -1 for a file the record
    // reader cannot read through.
    static std::map<QString, int> recordsOnDisk() {
        std::map<QString, int> out;
        const QDir drive(qEnvironmentVariable("HOJINZEI_DRIVE_C"));
        QDirIterator it(drive.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString host = it.next();
            const QString inside = drive.relativeFilePath(host);
            int &lines = out[inside] = lineCount(host);
            try {
                RecordReader in(QStringLiteral("c:\\") + QString(inside).replace(u'/', u'\\'));
                for (int i = 0; i < lines; ++i)
                    in.string();
            } catch (const Error &) {
                lines = -1;
            }
        }
        return out;
    }

    // What is wrong with the disk and the menu after a kill and the next start. Every record of expected must be
    // there, with the number of lines of one of the layouts a season writes it in (the windows write some records
    // longer than the rollover does).
    QStringList damageAfterKill(const std::map<QString, std::set<int>> &expected, int &leftovers) {
        QStringList faults;
        destroyAllForms();
        startProgram();
        const std::map<QString, int> disk = recordsOnDisk();
        for (const auto &[path, lines] : expected) {
            const auto found = disk.find(path);
            if (found == disk.end())
                faults << path + QStringLiteral(" is gone");
            else if (!lines.count(found->second))
                faults << path + QStringLiteral(" has %1 lines").arg(found->second);
        }
        for (const auto &[path, lines] : disk) {
            if (expected.count(path))
                continue;
            if (isTemporary(path))
                ++leftovers;
            else
                faults << path + QStringLiteral(" is no record a season leaves");
        }
        // The print data load reads every record with the values it expects.
        try {
            bool shortForm = true;
            const CompanyProfileRecord profile = readProfileForPrint(kCode, shortForm);
            if (shortForm || profile.companyName != kName)
                faults << QStringLiteral("the profile is not the company's full profile");
            SpecialFieldRecord fields;
            bool olderForm = true;
            if (!readSpecialFieldsForPrint(kCode, fields, olderForm) || olderForm)
                faults << QStringLiteral("the special-field record is not whole");
            PrintData data;
            readScheduleRecords(kCode, data);
        } catch (const Error &e) {
            faults << QStringLiteral("the print data load: ") + e.description();
        }
        // The menu lists the company, and nothing was said.
        if (form1().List1.listCount() != 1 || !form1().List1.itemText(0).contains(kName))
            faults << QStringLiteral("the menu does not list the company");
        faults << unexpectedBoxes();
        return faults;
    }
};

void tellParent(const QByteArray &line) {
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The child: seasons one after the other until it is killed (or, left alone, for half a minute).
TEST_F(CrashSafety, DISABLED_SeasonsUntilKilled) {
    const QByteArray c = qgetenv(kChildDriveC);
    const QByteArray a = qgetenv(kChildDriveA);
    if (c.isEmpty() || a.isEmpty())
        GTEST_SKIP() << "run by CrashSafety.KilledAtRandomMomentsTheCompanyStaysWhole";
    // Started ahead of its turn; the parent says when. Its kill falls in the seasons, timed from "ready".
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return;
    qputenv("HOJINZEI_DRIVE_C", c);
    qputenv("HOJINZEI_DRIVE_A", a);
    QElapsedTimer running;
    running.start();
    userAction([] { form1(); });
    tellParent(kReady);
    while (running.elapsed() < 30000) {
        season();
        for (const QString &box : unexpectedBoxes())
            tellParent(kBoxSaid + box.toUtf8());
        tellParent(kSeasonDone);
    }
}

TEST_F(CrashSafety, KilledAtRandomMomentsTheCompanyStaysWhole) {
    using Clock = std::chrono::steady_clock;
    writeStandardRates();
    // Two seasons here show every record a season leaves and each layout it writes them in (the windows write
    // some records longer than the rollover does); the first registration writes a longer special-field record
    // than a registration over a registered code, so the second season counts.
    season();
    std::map<QString, std::set<int>> expected;
    const QDir drive(qEnvironmentVariable("HOJINZEI_DRIVE_C"));
    setWriteObserver([&](const QString &host) {
        if (QFileInfo(host).isFile())
            expected[drive.relativeFilePath(host)].insert(lineCount(host));
    });
    season();
    setWriteObserver({});
    ASSERT_EQ(unexpectedBoxes(), QStringList());
    const std::map<QString, int> reference = recordsOnDisk();
    for (const auto &[path, lines] : reference) {
        ASSERT_GT(lines, 0) << path.toStdString();
        expected[path].insert(lines);
    }
    // Only what stands at the end of a season must be there after every kill.
    std::erase_if(expected, [&reference](const auto &e) { return !reference.count(e.first); });
    ASSERT_TRUE(expected.count(QStringLiteral("法人税/法人名/1.txt")));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // A killed child never removes the fresh drives every test starts with; they go with this folder.
    const QTemporaryDir childTemp;
    ASSERT_TRUE(childTemp.isValid());
    env.insert(QStringLiteral("TMPDIR"), childTemp.path());
    env.insert(kChildDriveC, qEnvironmentVariable("HOJINZEI_DRIVE_C"));
    env.insert(kChildDriveA, qEnvironmentVariable("HOJINZEI_DRIVE_A"));
    const QStringList arguments = {QStringLiteral("--gtest_filter=CrashSafety.DISABLED_SeasonsUntilKilled"),
                                   QStringLiteral("--gtest_also_run_disabled_tests")};

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    // Each child starts while the one before works and is checked, and waits for a line on its input before it
    // touches the drives: the kills are not spent waiting for a program to start.
    auto startChild = [&env, &arguments] {
        auto child = std::make_unique<QProcess>();
        child->setProcessEnvironment(env);
        child->start(QCoreApplication::applicationFilePath(), arguments);
        return child;
    };

    // A few hundred kills in about a minute. The sanitizer build runs a season some fifty times slower and
    // makes far fewer in the same time; the time is kept, so that the test suite stays within its limit.
    constexpr int wantedKills = 300;
    constexpr int leastKills = 5;
    constexpr auto budget = std::chrono::seconds(60);
    const auto start = Clock::now();
    // How long the child takes for a season; a kill falls anywhere in its first season, a little past it at
    // times.
    Clock::duration seasonTime{};
    int kills = 0, leftovers = 0, killedInFirstSeason = 0;
    std::deque<std::unique_ptr<QProcess>> waiting;
    waiting.push_back(startChild());
    waiting.push_back(startChild());
    while (kills < wantedKills && (kills < leastKills || Clock::now() - start < budget)) {
        const std::unique_ptr<QProcess> child = std::move(waiting.front());
        waiting.pop_front();
        ASSERT_TRUE(child->waitForStarted(10000));
        child->write("go\n");
        ASSERT_TRUE(child->waitForBytesWritten(10000));
        waiting.push_back(startChild());
        QByteArray said;
        auto waitFor = [&](const QByteArray &line, int count) {
            while (said.count(line + '\n') < count && child->state() == QProcess::Running)
                if (child->waitForReadyRead(20000))
                    said += child->readAllStandardOutput();
                else
                    break;
            return said.count(line + '\n') >= count;
        };
        ASSERT_TRUE(waitFor(kReady, 1)) << said.toStdString();
        if (seasonTime == Clock::duration{}) {
            // The first child is timed over two seasons, then killed at once.
            const auto first = Clock::now();
            ASSERT_TRUE(waitFor(kSeasonDone, 2)) << said.toStdString();
            seasonTime = (Clock::now() - first) / 2;
        } else {
            std::uniform_int_distribution<long long> delay(0, seasonTime.count() * 6 / 5);
            std::this_thread::sleep_for(Clock::duration(delay(random)));
        }
        ASSERT_EQ(child->state(), QProcess::Running) << said.toStdString();
        ::kill(pid_t(child->processId()), SIGKILL);
        ASSERT_TRUE(child->waitForFinished(10000));
        said += child->readAllStandardOutput();
        ASSERT_EQ(child->exitStatus(), QProcess::CrashExit);
        ++kills;
        if (!said.contains(kSeasonDone + '\n'))
            ++killedInFirstSeason;
        ASSERT_FALSE(said.contains(kBoxSaid)) << said.toStdString();
        const QStringList faults = damageAfterKill(expected, leftovers);
        ASSERT_TRUE(faults.isEmpty()) << "after kill " << kills << ":\n" << faults.join(u'\n').toStdString();
    }
    waiting.clear();
    const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%d kills in %.1f s (a season took %.1f ms), %d in the first season, %d leftover files seen\n", kills,
                seconds, std::chrono::duration<double, std::milli>(seasonTime).count(), killedInFirstSeason, leftovers);
    EXPECT_GE(kills, leastKills);

    // One more season in one piece: every leftover of the kills is gone, and the records are as a season leaves
    // them.
    destroyAllForms();
    season();
    EXPECT_EQ(unexpectedBoxes(), QStringList());
    EXPECT_EQ(recordsOnDisk(), reference);
}

// ---- The data window's sets ----------------------------------------------------------------------------------

// Every file of both drives, "c/..." and "a/...", with its bytes.
using Files = std::map<QString, QByteArray>;
// A file's bytes, or nothing where no file stands.
using Content = std::optional<QByteArray>;

Content contentOf(const Files &files, const QString &path) {
    const auto it = files.find(path);
    return it == files.end() ? Content() : Content(it->second);
}

QString driveRoot(const char *letter) { return hostPath(QString::fromLatin1(letter) + QStringLiteral(":\\")); }

Files bothDrives() {
    Files out;
    for (const char *letter : {"c", "a"})
        for (const auto &[path, bytes] : readDisk(driveRoot(letter)))
            out[QString::fromLatin1(letter) + u'/' + path] = bytes;
    return out;
}

void putDrives(const Files &files) {
    for (const char *letter : {"c", "a"}) {
        QDir(driveRoot(letter)).removeRecursively();
        QDir().mkpath(driveRoot(letter));
    }
    for (const auto &[path, bytes] : files) {
        const QString host = driveRoot(path.left(1).toLatin1().constData()) + path.mid(1);
        QDir().mkpath(QFileInfo(host).absolutePath());
        QFile f(host);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
}

// A kill in the middle of one record's write leaves the record's temporary file, empty or cut short, beside it on
// either drive. The next start removes it, and nothing else: a file of the user's that merely ends in ".new" stays.
TEST_F(CrashSafety, AKillDuringARecordsWriteLeavesNothingTheNextStartKeeps) {
    writeStandardRates();
    registerSampleCompany(kCode, kName, QStringLiteral("フジミ"), 10, 5);
    ASSERT_EQ(unexpectedBoxes(), QStringList());
    const QString floppyProfile = QStringLiteral("a:") + profilePath(kCode).mid(2);
    QDir().mkpath(QFileInfo(hostPath(floppyProfile)).absolutePath());
    const QStringList users = {profilePath(kCode) + QStringLiteral(".new"),
                               QStringLiteral("c:\\法人税\\別表\\メモ.txt.new")};
    for (const QString &path : users)
        writeFile(path, "the user's own");
    const Files before = bothDrives();

    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        // As a write killed between the temporary file's creation and its first bytes, and one cut short.
        const QString records[] = {profilePath(kCode), floppyProfile};
        for (const QString &record : records) {
            QFile f(hostPath(temporaryRecordPath(record, ::getpid())));
            if (!f.open(QIODevice::WriteOnly))
                ::_exit(1);
            if (record == floppyProfile)
                f.write("1\r\n\"half a rec");
        }
        ::raise(SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(bothDrives().size(), before.size() + 2);

    destroyAllForms();
    startProgram();
    EXPECT_EQ(bothDrives(), before);
    EXPECT_EQ(form1().List1.listCount(), 1);
    EXPECT_EQ(unexpectedBoxes(), QStringList());
}

const QString kJournal = QStringLiteral("c/法人税/hz-file-batch.journal");

// What a set makes besides the records, on either drive: its new files, the second names of the old ones, its list
// of targets and its journal, each also under a temporary name.
bool isOfTheSet(const QString &path) {
    return path.contains(FileBatch::stagedSuffix) || path.contains(FileBatch::keptAsideSuffix) ||
           path.startsWith(kJournal) || path.startsWith(QStringLiteral("c/法人税/hz-file-batch.staging"));
}

// One set of the data window: the code in "会社コード" (and the target code of the copy), whether the action asks
// first, and its button.
struct SetAction {
    const char *name;
    const char *code;
    const char *copyTo;
    bool asks;
    Button &(*button)();
};

void PrintTo(const SetAction &set, std::ostream *os) { *os << set.name; }

const SetAction kSetActions[] = {
    {"rollover", "1", nullptr, true, []() -> Button & { return form10().Command5; }},
    {"backup", "2", nullptr, false, []() -> Button & { return form10().Command1; }},
    {"restore", "2", nullptr, true, []() -> Button & { return form10().Command2; }},
    {"copy", "1", "2", true, []() -> Button & { return form10().Command18; }},
};

// The action left alone, in this process: both drives after each of its writes.
struct Reference {
    std::vector<Files> states;
    // The files the set replaces, and each one's contents from the end of the set to the end of the action (the
    // windows save some of them again after the set).
    std::map<QString, std::set<Content>> fresh;
    // The state in which the journal first stood: a kill before it leaves every file old.
    std::size_t decided = 0;
    // Every content each file had from before the action to its end.
    std::map<QString, std::set<Content>> seen;
};

class SetKills : public TwoCompanies, public ::testing::WithParamInterface<SetAction> {
protected:
    // A kill loses nothing the system holds in memory, so the drives may live there where the system has such a
    // folder: the syncs of a few hundred actions then cost nothing.
    void SetUp() override {
        TwoCompanies::SetUp();
        if (!QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            return;
        const Files initial = bothDrives();
        for (auto &[drive, variable] : {std::pair{&memoryC_, "HOJINZEI_DRIVE_C"}, {&memoryA_, "HOJINZEI_DRIVE_A"}}) {
            *drive = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/hojinzei-XXXXXX"));
            ASSERT_TRUE((*drive)->isValid());
            qputenv(variable, (*drive)->path().toUtf8());
        }
        putDrives(initial);
    }

    // Both companies as the season left them on drive C; on drive A a backup of both, taken before company 2 was
    // rolled into its next year on drive C. So every set the data window makes replaces files that differ.
    const Files &start() {
        static Files files;
        if (files.empty()) {
            writeDisk(prepared());
            QDir().mkpath(driveRoot("a"));
            destroyAllForms();
            startProgram();
            click(form1().Command13);
            for (const char *code : {"1", "2"}) {
                form10().Text6.setText(QString::fromLatin1(code));
                click(form10().Command1);
            }
            form10().Text6.setText(QStringLiteral("2"));
            svc.answer(mb::Ok);
            click(form10().Command5);
            svc.answers.clear();
            EXPECT_EQ(svc.boxes.size(), 1u) << "only the rollover's question";
            files = bothDrives();
        }
        return files;
    }

    // The program started on the starting disk, the data window open with the codes typed, the question's
    // answer ready: the press is all that is left.
    void ready() {
        const SetAction &set = GetParam();
        putDrives(start());
        destroyAllForms();
        closeSharedHandle();
        forgetShown();
        startProgram();
        click(form1().Command13);
        form10().Text6.setText(QString::fromLatin1(set.code));
        if (set.copyTo)
            form10().Text39.setText(QString::fromLatin1(set.copyTo));
        if (set.asks)
            svc.answer(mb::Ok);
    }

    void press() { click(GetParam().button()); }

    Reference reference() {
        Reference ref;
        const Files before = start();
        ready();
        const QString journal = hostPath(FileBatch::journalPath);
        std::optional<std::size_t> setEnd;
        std::optional<std::size_t> decided;
        setWriteObserver([&](const QString &host) {
            ref.states.push_back(bothDrives());
            if (!decided && host == journal && QFileInfo::exists(host))
                decided = ref.states.size() - 1;
            if (!setEnd && host == journal && !QFileInfo::exists(host))
                setEnd = ref.states.size() - 1;
        });
        press();
        setWriteObserver({});
        EXPECT_EQ(svc.boxes.size(), std::size_t(GetParam().asks)) << "only the question";
        EXPECT_TRUE(setEnd.has_value()) << "the set was put in place";
        EXPECT_TRUE(decided.has_value()) << "the set was written down";
        if (!setEnd || !decided)
            return ref;
        ref.decided = *decided;
        for (const auto &[path, bytes] : ref.states[*setEnd])
            if (!isTemporary(path) && contentOf(before, path) != Content(bytes))
                ref.fresh[path];
        for (const auto &[path, bytes] : before)
            if (!isTemporary(path) && contentOf(ref.states[*setEnd], path) != Content(bytes))
                ref.fresh[path];
        for (std::size_t k = *setEnd; k < ref.states.size(); ++k)
            for (auto &[path, contents] : ref.fresh)
                contents.insert(contentOf(ref.states[k], path));
        for (const Files &state : ref.states)
            for (const auto &[path, bytes] : state)
                ref.seen[path];
        for (const auto &[path, bytes] : before)
            ref.seen[path];
        for (auto &[path, contents] : ref.seen) {
            contents.insert(contentOf(before, path));
            for (const Files &state : ref.states)
                contents.insert(contentOf(state, path));
        }
        return ref;
    }

    // Presses the button in a child that kills itself after its n-th write, or that the parent kills after delay;
    // returns how the child ended.
    int pressInChild(int killAfterWrite, std::chrono::microseconds delay = {}) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            int writes = 0;
            if (killAfterWrite > 0)
                setWriteObserver([&writes, killAfterWrite](const QString &) {
                    if (++writes == killAfterWrite)
                        ::raise(SIGKILL);
                });
            press();
            ::_exit(0);
        }
        if (delay.count() > 0) {
            std::this_thread::sleep_for(delay);
            ::kill(pid, SIGKILL);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }

    // What is wrong after a kill and the next start: a set neither all old nor all new (or not all old when the
    // kill came before the set was written down), a file in a state the action never left it in, anything of the
    // set left on either drive, a box, a company missing from the menu.
    QStringList faultsAfterKill(const Reference &ref, int &leftovers, bool decided = true) {
        svc.answers.clear();
        forgetShown();
        destroyAllForms();
        closeSharedHandle();
        startProgram();
        QStringList faults;
        Files now = bothDrives();
        for (const auto &[path, bytes] : now)
            if (isOfTheSet(path))
                faults << path + QStringLiteral(" is left");
        leftovers += int(std::erase_if(now, [](const auto &f) { return isTemporary(f.first); }));
        const Files &before = start();
        QStringList old, fresh, neither;
        for (const auto &[path, contents] : ref.fresh) {
            const Content c = contentOf(now, path);
            if (c == contentOf(before, path))
                old << path;
            else if (contents.count(c))
                fresh << path;
            else
                neither << path;
        }
        if (!(old.isEmpty() || fresh.isEmpty()) || !neither.isEmpty() || (!decided && !fresh.isEmpty()))
            faults << QStringLiteral("a torn set: old %1; new %2; neither %3")
                          .arg(old.join(u' '), fresh.join(u' '), neither.join(u' '));
        for (const auto &[path, bytes] : now) {
            const auto seen = ref.seen.find(path);
            if (seen == ref.seen.end() || !seen->second.count(Content(bytes)))
                faults << path + QStringLiteral(" holds what the action never wrote");
        }
        for (const auto &[path, contents] : ref.seen)
            if (!now.count(path) && !contents.count(Content()))
                faults << path + QStringLiteral(" is gone");
        for (const std::string &box : shown())
            faults << QString::fromStdString(box);
        if (form1().List1.listCount() != 2)
            faults << QStringLiteral("the menu lists %1 companies").arg(form1().List1.listCount());
        return faults;
    }

private:
    std::unique_ptr<QTemporaryDir> memoryC_, memoryA_;
};

TEST_P(SetKills, AfterEveryWriteAndAtRandomMomentsTheSetIsAllOldOrAllNew) {
    using Clock = std::chrono::steady_clock;
    const Reference ref = reference();
    ASSERT_FALSE(ref.fresh.empty());
    const int writes = int(ref.states.size());
    int leftovers = 0;

    // A child left alone does what this process did, and how long it takes times the random kills.
    ready();
    const auto started = Clock::now();
    int status = pressInChild(0);
    const auto childTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    {
        Files now = bothDrives();
        std::erase_if(now, [](const auto &f) { return isTemporary(f.first); });
        Files last = ref.states.back();
        std::erase_if(last, [](const auto &f) { return isTemporary(f.first); });
        ASSERT_EQ(now, last) << differences(now, last);
    }

    for (int n = 1; n <= writes; ++n) {
        ready();
        status = pressInChild(n);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "write " << n << " of " << writes;
        // States are counted from 0, writes from 1.
        const QStringList faults = faultsAfterKill(ref, leftovers, std::size_t(n - 1) >= ref.decided);
        ASSERT_TRUE(faults.isEmpty()) << "killed after write " << n << " of " << writes << ":\n"
                                      << faults.join(u'\n').toStdString();
    }

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long long> delay(1, childTime.count() * 6 / 5);
    // A handful at least; more while the time allows (the sanitizer build is far slower).
    const auto begun = Clock::now();
    int kills = 0;
    while (kills < 40 && (kills < 8 || Clock::now() - begun < std::chrono::seconds(8))) {
        ready();
        const auto after = std::chrono::microseconds(delay(random));
        pressInChild(0, after);
        ++kills;
        const QStringList faults = faultsAfterKill(ref, leftovers);
        ASSERT_TRUE(faults.isEmpty()) << "killed after " << after.count() << " µs:\n"
                                      << faults.join(u'\n').toStdString();
    }
    std::printf("%s: %d writes, a child takes %.1f ms, %d random kills, %d leftover files seen\n", GetParam().name,
                writes, double(childTime.count()) / 1000, kills, leftovers);
}

INSTANTIATE_TEST_SUITE_P(DataWindow, SetKills, ::testing::ValuesIn(kSetActions),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace hz::test
