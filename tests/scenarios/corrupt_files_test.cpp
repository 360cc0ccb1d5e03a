// Damaged records of every kind, met on every way through the program that reads them: the user is told which
// record cannot be read, the damaged record stays as it stood, nothing of the company is written from it, and no
// other company's file changes. Two companies are kept on the disk; company 1 is open when company 2's files are
// damaged, as when a user moves from one company to the next.

#include "app/Form1.h"
#include "company/Form2.h"
#include "maintenance/Form10.h"
#include "maintenance/company_files.h"
#include "print/Form12.h"
#include "print/print_load.h"
#include "print/recording_printer.h"
#include "schedules/core/capital.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule6.h"
#include "tests/scenarios/damage.h"
#include "tests/scenarios/two_companies.h"

#include <map>
#include <optional>

namespace hz::test {
namespace {

// Each way through the program that reads a company's records: opening it, printing it (the print window's load
// recomputes every schedule), entering its year through the bulk input, the window that keeps a record, the pages
// of the print window after a load, the backup to the floppy, the restore from it (of a backup damaged there), the
// copy to another code and the next-year rollover.
enum class Way { open, print, bulk, window, pages, backup, restore, copy, rollover };

const char *wayName(Way w) {
    switch (w) {
    case Way::open:
        return "opening";
    case Way::print:
        return "printing";
    case Way::bulk:
        return "the bulk input";
    case Way::window:
        return "its window";
    case Way::pages:
        return "the print window's pages";
    case Way::backup:
        return "the backup";
    case Way::restore:
        return "the restore";
    case Way::copy:
        return "the copy";
    case Way::rollover:
        return "the rollover";
    }
    return "";
}

// The page buttons and the sets of the print window.
std::vector<Button *> pageButtons() {
    Form12 &f = form12();
    return {&f.Command12, &f.Command4, &f.Command22, &f.Command23, &f.Command7,  &f.Command8,  &f.Command14,
            &f.Command13, &f.Command3, &f.Command2,  &f.Command10, &f.Command16, &f.Command9,  &f.Command11,
            &f.Command5,  &f.Command6, &f.Command26, &f.Command25, &f.Command27, &f.Command30, &f.Command31};
}

// The maintenance window from the menu, on company 2 typed in and called up.
void maintenanceOnCompany2() {
    HzTest::click(form1().Command13); // データ
    form10().Text6.setText(QStringLiteral("2"));
}

// A record of company 2 (or of the installation), the ways that read it, and how its window reads it.
struct RecordCase {
    const char *name;
    QString path;
    std::vector<Way> ways;
    std::function<void()> window = [] {};
    // Needed by the ways that read it: a missing file is said too (no company, or no rates to compute with).
    bool required = false;
    // Written before the session, for a record the prepared disk does not hold.
    std::function<void()> prepare = {};
    // Damages that leave a record the program reads without a word: an older, shorter layout.
    std::vector<Damage> quiet = {};
    // Damages that leave a value the record may hold: what the computations make of it is theirs to say.
    std::vector<Damage> readable = {};
};

void PrintTo(const RecordCase &c, std::ostream *os) { *os << c.name; }

const std::vector<Way> kChains = {Way::open,   Way::print,   Way::bulk, Way::pages,
                                  Way::backup, Way::restore, Way::copy, Way::rollover};

// The ways that copy a company's records from one place to another, and read every record they copy first.
bool copies(Way w) { return w == Way::backup || w == Way::restore || w == Way::copy; }

std::vector<RecordCase> recordCases() {
    auto schedule = [](const char *name, const QString &path, std::vector<Way> ways = kChains) {
        return RecordCase{name, path, std::move(ways)};
    };
    const std::vector<Way> notRolled = {Way::open,   Way::print,   Way::bulk, Way::pages,
                                        Way::backup, Way::restore, Way::copy};
    return {
        {"profile", profilePath(2), kChains, {}, true},
        // A rate is a fraction, so a large negative one reads; Schedule 1 then says its overflow.
        {"rates", dataroot::taxRateFile, {Way::open, Way::print, Way::bulk}, {}, true, {}, {}, {Damage::belowInt32}},
        // The rate window reads the file as it is kept: on first use there is none yet.
        {"rates_window",
         dataroot::taxRateFile,
         {Way::window},
         [] { HzTest::click(form1().Command23); },
         false,
         {},
         {},
         {Damage::belowInt32}},
        {"tax_accountant",
         taxAccountantPath(),
         {Way::print, Way::pages},
         {},
         false,
         writeSampleAccountant,
         // Saved by an older version with fewer lines, which ends after whole lines; what is not there stays
         // empty. A file cut inside a line is damaged.
         {Damage::empty}},
        schedule("schedule1", schedule1Path(2)),
        schedule("schedule2", schedule2Path(2), notRolled),
        schedule("schedule4", schedule4Path(2)),
        schedule("schedule5_1", schedule5_1Path(2)),
        schedule("schedule5_2", schedule5_2Path(2)),
        schedule("schedule5_2_part2", schedule5_2Part2Path(2)),
        schedule("schedule6", schedule6Path(2)),
        schedule("schedule7", schedule7Path(2)),
        schedule("schedule15", schedule15Path(2)),
        {"capital",
         schedule5_1CapitalPath(2),
         {Way::print, Way::bulk, Way::window, Way::pages, Way::backup, Way::restore},
         [] {
             openCompany(2);
             HzTest::click(form1().Command15); // 資本積立
         }},
        {"special_fields",
         specialFieldPath(2),
         {Way::print, Way::window, Way::pages, Way::backup, Way::restore, Way::copy},
         [] {
             HzTest::click(form1().Command1); // 会社登録
             form2().Text100.setText(QStringLiteral("2"));
             HzTest::click(form2().Command7); // DATA
         }},
        {"interim_amounts",
         interimAmountPath(2),
         {Way::window, Way::backup, Way::restore},
         [] {
             openCompany(2);
             HzTest::click(form3().Command9); // 中間申告の入力
         }},
        {"bad_debt_reserve",
         schedule11Path(2),
         {Way::window, Way::backup, Way::restore},
         [] {
             openCompany(2);
             HzTest::click(form1().Command21); // 別表十一
         }},
        {"receivables",
         schedule11DetailPath(2),
         {Way::window, Way::backup, Way::restore},
         [] {
             openCompany(2);
             HzTest::click(form1().Command21);
             HzTest::click(form15().Command4); // the receivables window
         }},
    };
}

class DamagedRecord : public TwoCompanies, public ::testing::WithParamInterface<RecordCase> {
protected:
    // Both companies as opening them leaves them: whole records, every chain saves the same bytes again. Made once.
    const Disk &settled() {
        static Disk disk;
        if (disk.empty()) {
            session(2);
            openCompany(1);
            EXPECT_EQ(shown(), std::vector<std::string>{}) << "while the companies were opened";
            disk = readDisk();
        }
        return disk;
    }

    // The settled disk put back; prepare writes what it does not hold. With start, the program starts afresh on it
    // and company 1 is opened; otherwise the program goes on as the last action left it.
    void putBackSettledDisk(const std::function<void()> &prepare, bool start) {
        const Disk &disk = settled();
        if (start) {
            destroyAllForms();
            closeSharedHandle();
        }
        resetProgramEnded();
        writeDisk(disk);
        if (prepare)
            prepare();
        if (start)
            openCompany(1);
        forgetShown();
    }

    void TearDown() override {
        recorder.reset();
        TwoCompanies::TearDown();
    }

    // The print window loaded for company 2 from its whole records, before anything is damaged.
    void loadForPrinting() {
        openCompany(2);
        click(form1().Command18); // 印刷
        ASSERT_EQ(shown(), std::vector<std::string>{}) << "the load of whole records";
        recorder.emplace();
    }

    void goThrough(Way way, const RecordCase &c) {
        switch (way) {
        case Way::open:
            openCompany(2);
            break;
        case Way::print:
            openCompany(2);
            click(form1().Command18); // 印刷
            break;
        case Way::bulk:
            form1().Text1.setText(QStringLiteral("2"));
            form1().Text2.setText(kName2);
            click(form1().Command19); // 一括入力
            break;
        case Way::window:
            c.window();
            break;
        case Way::pages:
            for (Button *b : pageButtons())
                click(*b);
            break;
        case Way::backup:
            maintenanceOnCompany2();
            click(form10().Command1); // フロッピーへコピーする
            break;
        case Way::restore:
            // Unanswered, as the copy below: a damaged backup must never reach the question.
            maintenanceOnCompany2();
            click(form10().Command2); // フロッピーよりHDDへ戻す
            break;
        case Way::copy:
            maintenanceOnCompany2();
            form10().Text39.setText(QStringLiteral("1"));
            click(form10().Command18); // へ、リストアする
            break;
        case Way::rollover:
            // Unanswered: a damaged company must never reach the question.
            maintenanceOnCompany2();
            click(form10().Command5); // 次年度更新する
            break;
        }
    }

    std::optional<PrintRecorder> recorder;
};

// Every damage, every way through the program that reads the record: a box names the record when it exists but
// cannot be read (and when it is missing but needed), nothing names it when it is merely missing; the damaged
// record stays as it stood; no file of company 1, of the installation or on the floppy changes; and where the way
// is not meant to write, no record of company 2 changes either.
TEST_P(DamagedRecord, IsSaidAndNothingIsWrittenFromIt) {
    const RecordCase &c = GetParam();
    for (const Way way : c.ways) {
        // One program start with company 1 open for each way; between damages the disk is put back and the user
        // goes on, since a damaged record leaves every file as it was. A missing one starts the year empty and
        // saves company 2's figures anew: the program starts again after it. The pages, the backup and the
        // rollover write nothing: the damaged record alone is put back, and the print window stays loaded.
        putBackSettledDisk(c.prepare, true);
        if (way == Way::pages)
            loadForPrinting();
        // The restore meets the record in the backup of the company on the floppy; every other way on the disk. A
        // sound backup stands on the floppy before the backup and the restore, which must leave it as it is.
        const QString at = way == Way::restore ? company_files::onFloppy(c.path) : c.path;
        if (way == Way::restore || way == Way::backup) {
            maintenanceOnCompany2();
            click(form10().Command1); // フロッピーへコピーする
            ASSERT_EQ(shown(), std::vector<std::string>{}) << "the backup of whole records";
        }
        const QByteArray whole = readFile(at);
        bool first = true;
        bool startAgain = false;
        for (const auto &[d, damageName] : kDamages) {
            SCOPED_TRACE(std::string(wayName(way)) + ", " + damageName);
            if (isValueDamage(d) && firstValueLine(whole) < 0)
                continue; // a record of texts alone
            // A company may have no such record: the backup and the restore take the others without it.
            const bool optional = company_files::otherRecordFiles(2).contains(c.path) && way != Way::copy;
            if (d == Damage::missing && copies(way) && optional)
                continue;
            if (!first) {
                undoDamage(at);
                if (way == Way::pages || way == Way::rollover || copies(way))
                    writeFile(at, whole);
                else
                    putBackSettledDisk(c.prepare, startAgain);
            }
            first = false;
            startAgain = d == Damage::missing && !c.required;
            if (way == Way::pages)
                recorder.emplace();
            forgetShown();
            const Disk before = readDisk();
            Disk floppyBefore = readDisk(qEnvironmentVariable("HOJINZEI_DRIVE_A"));
            damage(at, d);
            const QString damaged = standing(at);
            goThrough(way, c);

            std::map<unsigned long long, int> namingIn; // boxes naming the record, by user action
            for (const ShownBox &b : svc.boxes)
                if (b.prompt.contains(at))
                    ++namingIn[b.action];
            const bool named = !namingIn.empty();
            // However many windows of an action meet the record, one box of the action says it.
            for (const auto &[action, naming] : namingIn)
                EXPECT_LE(naming, 1) << ::testing::PrintToString(shown());
            const bool quiet = std::find(c.quiet.begin(), c.quiet.end(), d) != c.quiet.end();
            const bool readable = std::find(c.readable.begin(), c.readable.end(), d) != c.readable.end();
            if (way == Way::pages) {
                // The pages print what the load read; the files are not read again.
                EXPECT_EQ(shown(), std::vector<std::string>{});
                for (const PrintJobLog &job : recorder->jobs)
                    EXPECT_TRUE(job.ended()) << job.title.toStdString();
                EXPECT_GE(recorder->jobs.size(), pageButtons().size());
            } else if (way == Way::rollover || copies(way)) {
                // Each stops at the first record it cannot use, in the box of the action, which names it.
                EXPECT_TRUE(named) << "no box names " << at.toStdString() << ": " << ::testing::PrintToString(shown());
            } else if (quiet || (d == Damage::missing && !c.required)) {
                EXPECT_FALSE(named) << "a record that does not exist yet is no fault";
            } else if (!readable) {
                EXPECT_TRUE(named) << "no box names " << c.path.toStdString() << ": "
                                   << ::testing::PrintToString(shown());
            }
            if (d != Damage::missing) {
                EXPECT_EQ(standing(at), damaged) << "the damaged record was written over";
            }
            EXPECT_FALSE(svc.ended);
            EXPECT_FALSE(sharedHandleOpen());

            // Whole records saved again give the same bytes: any other file that changed, of company 2 or of
            // company 1 or the installation, took something from the damaged record. A record that is merely
            // missing starts the company's year empty, and company 2's figures follow from that.
            const Disk after = readDisk();
            const bool startsEmpty = d == Damage::missing && !c.required;
            expectFilesKept(before, after, [&](const QString &path) {
                std::int32_t code = 0;
                const bool followsEmpty = startsEmpty && kindOf(path, &code) && code == 2;
                return followsEmpty || isScratchFile(path) || path == insideDrive(at);
            });
            for (const auto &[path, bytes] : after) {
                std::int32_t code = 0;
                if (kindOf(path, &code)) {
                    EXPECT_TRUE(before.count(path)) << "a record appeared: " << path.toStdString();
                }
            }
            Disk floppyAfter = readDisk(qEnvironmentVariable("HOJINZEI_DRIVE_A"));
            if (way == Way::restore) {
                // The damaged record there was looked at above.
                const QString damagedThere =
                    QDir(qEnvironmentVariable("HOJINZEI_DRIVE_A")).relativeFilePath(hostPath(at));
                floppyBefore.erase(damagedThere);
                floppyAfter.erase(damagedThere);
            }
            EXPECT_EQ(differences(floppyBefore, floppyAfter), "") << "the floppy took a damaged company";
        }
        // Leave nothing a socket or a folder the next session's copy cannot replace.
        undoDamage(at);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRecord, DamagedRecord, ::testing::ValuesIn(recordCases()),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace hz::test
