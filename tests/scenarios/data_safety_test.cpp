// A company's figures never land under another company's code, a record that cannot be read is said and never
// overwritten, and every chain leaves the same records. Two companies are kept on the disk; company 1 is open when
// something happens to company 2's files, as when a user moves from one company to the next.

#include "app/Form1.h"
#include "company/Form2.h"
#include "company/profile.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "core/records.h"
#include "print/Form12.h"
#include "schedules/more/Form7.h"
#include "schedules/core/capital.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/bulk_input.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule6.h"
#include "tests/scenarios/two_companies.h"

#include <QFile>
#include <QFileInfo>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace hz::test {
namespace {

// ---- Damaged files ---------------------------------------------------------------------------------------------

enum class Damage { missing, empty, folder, unreadable, truncated, badBytes, hugeLine };

const std::pair<Damage, const char *> kDamages[] = {
    {Damage::missing, "missing"},       {Damage::empty, "empty"},         {Damage::folder, "a folder in its place"},
    {Damage::unreadable, "unreadable"}, {Damage::truncated, "truncated"}, {Damage::badBytes, "bad code page 932 bytes"},
    {Damage::hugeLine, "a huge line"},
};

// Something that exists at the path but cannot be opened. Permissions keep a file from its owner, but not from
// an administrator, who may run the tests: a socket cannot be opened by anyone.
void makeUnreadable(const QString &host) {
    if (::geteuid() != 0) {
        QFile::setPermissions(host, QFileDevice::Permissions{});
        return;
    }
    QFile::remove(host);
    const QByteArray name = QFile::encodeName(host);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
}

void damage(const QString &windowsPath, Damage d) {
    const QString host = hostPath(windowsPath);
    QFile file(host);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << windowsPath.toStdString();
    const QByteArray bytes = file.readAll();
    file.close();
    auto rewrite = [&host](const QByteArray &content) {
        QFile out(host);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
    };
    const qsizetype secondLineEnd = bytes.indexOf('\n', bytes.indexOf('\n') + 1);
    switch (d) {
    case Damage::missing:
        QFile::remove(host);
        break;
    case Damage::empty:
        rewrite({});
        break;
    case Damage::folder:
        QFile::remove(host);
        QDir().mkpath(host);
        break;
    case Damage::unreadable:
        makeUnreadable(host);
        break;
    case Damage::truncated:
        // Cut inside the third line, as a write cut short by a full disk leaves a file.
        rewrite(bytes.left(secondLineEnd + 2));
        break;
    case Damage::badBytes:
        rewrite("\x81\x20\r\n" + bytes); // a lead byte without its trail byte
        break;
    case Damage::hugeLine:
        rewrite(QByteArray(1024 * 1024, '7') + "\r\n" + bytes);
        break;
    }
}

// What stands at the path, so that a damaged file can be seen to stay as it was.
QString standing(const QString &windowsPath) {
    const QFileInfo info(hostPath(windowsPath));
    if (!info.exists())
        return QStringLiteral("nothing");
    if (info.isDir())
        return QStringLiteral("a folder");
    if (!info.isFile())
        return QStringLiteral("something else");
    return QString::fromLatin1(readRawFile(windowsPath).toHex());
}

// ---- What the user does ------------------------------------------------------------------------------------------

void openCompany(std::int32_t code) {
    form1().Text1.setText(QString::number(code));
    HzTest::click(form1().Command2); // 会社呼出
}

// Each way through the program that reads a company's records: opening it, printing it (the print window's load
// recomputes every schedule), entering its year through the bulk input, and the window that keeps a record.
enum class Way { open, print, bulk, window };

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
    }
    return "";
}

void goThrough(Way way, const std::function<void()> &window) {
    switch (way) {
    case Way::open:
        openCompany(2);
        break;
    case Way::print:
        openCompany(2);
        HzTest::click(form1().Command18); // 印刷
        break;
    case Way::bulk:
        form1().Text1.setText(QStringLiteral("2"));
        form1().Text2.setText(kName2);
        HzTest::click(form1().Command19); // 一括入力
        break;
    case Way::window:
        window();
        break;
    }
}

// A record of company 2, the ways that read it, and how its window reads it.
struct RecordCase {
    const char *name;
    QString path;
    std::vector<Way> ways;
    std::function<void()> window = [] {};
    // Needed by the ways that read it: a missing file is said too (no company, or no rates to compute with).
    bool required = false;
};

std::string caseName(const RecordCase &c) { return c.name; }
void PrintTo(const RecordCase &c, std::ostream *os) { *os << c.name; }

const std::vector<Way> kChains = {Way::open, Way::print, Way::bulk};

std::vector<RecordCase> recordCases() {
    auto schedule = [](const char *name, const QString &path) { return RecordCase{name, path, kChains}; };
    return {
        {"profile", profilePath(2), kChains, {}, true},
        {"rates", dataroot::taxRateFile, kChains, {}, true},
        // The rate window reads the file as it is kept: on first use there is none yet.
        {"rates_window", dataroot::taxRateFile, {Way::window}, [] { HzTest::click(form1().Command23); }},
        schedule("schedule1", schedule1Path(2)),
        schedule("schedule2", schedule2Path(2)),
        schedule("schedule4", schedule4Path(2)),
        schedule("schedule5_1", schedule5_1Path(2)),
        schedule("schedule5_2", schedule5_2Path(2)),
        schedule("schedule5_2_part2", schedule5_2Part2Path(2)),
        schedule("schedule6", schedule6Path(2)),
        schedule("schedule7", schedule7Path(2)),
        schedule("schedule15", schedule15Path(2)),
        {"capital",
         schedule5_1CapitalPath(2),
         {Way::print, Way::bulk, Way::window},
         [] {
             openCompany(2);
             HzTest::click(form1().Command15); // 資本積立
         }},
        {"special_fields",
         specialFieldPath(2),
         {Way::window},
         [] {
             HzTest::click(form1().Command1); // 会社登録
             form2().Text100.setText(QStringLiteral("2"));
             HzTest::click(form2().Command7); // DATA
         }},
        {"interim_amounts",
         interimAmountPath(2),
         {Way::window},
         [] {
             openCompany(2);
             HzTest::click(form3().Command9); // 中間申告の入力
         }},
        {"bad_debt_reserve",
         schedule11Path(2),
         {Way::window},
         [] {
             openCompany(2);
             HzTest::click(form1().Command21); // 別表十一
         }},
        {"receivables",
         schedule11DetailPath(2),
         {Way::window},
         [] {
             openCompany(2);
             HzTest::click(form1().Command21);
             HzTest::click(form15().Command4); // the receivables window
         }},
    };
}

class DamagedRecord : public TwoCompanies, public ::testing::WithParamInterface<RecordCase> {};

// Every damage, every way through the program that reads the record: a box names the record when it exists but
// cannot be read (and when it is missing but needed), nothing names it when it is merely missing; no file of
// company 1 or of the installation changes, the damaged record stays as it stood, and the program goes on.
TEST_P(DamagedRecord, IsSaidAndNeverOverwrittenAndTouchesNoOtherCompany) {
    const RecordCase &c = GetParam();
    for (const Way way : c.ways) {
        for (const auto &[d, damageName] : kDamages) {
            SCOPED_TRACE(std::string(wayName(way)) + ", " + damageName);
            const Disk before = reopen(1);
            damage(c.path, d);
            const QString damaged = standing(c.path);
            goThrough(way, c.window);

            bool named = false;
            for (const ShownBox &b : svc.boxes)
                named = named || b.prompt.contains(c.path);
            if (d == Damage::missing && !c.required)
                EXPECT_FALSE(named) << "a record that does not exist yet is no fault";
            else
                EXPECT_TRUE(named) << "no box names " << c.path.toStdString() << ": " << ::testing::PrintToString(shown());
            if (d != Damage::missing) {
                EXPECT_EQ(standing(c.path), damaged) << "the damaged record was written over";
            }
            EXPECT_FALSE(svc.ended);
            EXPECT_FALSE(sharedHandleOpen());

            // Company 1 and the installation's files stay byte for byte, whatever company 2's chains saved.
            const Disk after = readDisk();
            for (const auto &[path, bytes] : before) {
                std::int32_t code = 0;
                if ((kindOf(path, &code) && code == 2) || isScratchFile(path) || path == insideDrive(c.path))
                    continue;
                const auto it = after.find(path);
                EXPECT_TRUE(it != after.end() && it->second == bytes) << path.toStdString() << " changed";
            }
            for (const auto &[path, bytes] : after) {
                std::int32_t code = 0;
                if (kindOf(path, &code) && code != 2) {
                    EXPECT_TRUE(before.count(path)) << "a record of company " << code << " appeared: "
                                                    << path.toStdString();
                }
            }
            // Leave nothing a socket or a folder the next session's copy cannot replace.
            QFile::remove(hostPath(c.path));
            QDir(hostPath(c.path)).removeRecursively();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRecord, DamagedRecord, ::testing::ValuesIn(recordCases()),
                         [](const auto &info) { return caseName(info.param); });

// ---- One company's figures under another's code -----------------------------------------------------------------

class DataSafety : public TwoCompanies {
protected:
    // The files of both companies and the installation that differ between two readings, scratch files aside.
    static std::string changedFiles(const Disk &a, const Disk &b) {
        Disk x = a, y = b;
        std::erase_if(x, [](const auto &f) { return isScratchFile(f.first); });
        std::erase_if(y, [](const auto &f) { return isScratchFile(f.first); });
        return differences(x, y);
    }
};

// Company 1 is open when the rate file goes missing or cannot be read; then company 2 is opened, printed and its
// Schedule 5(2) computed. No record of either company takes another figure, and each action says once that the
// rates cannot be read.
TEST_F(DataSafety, WithoutReadableRatesNoCompanyTakesAnothersFigures) {
    for (const Damage d : {Damage::missing, Damage::empty, Damage::folder, Damage::badBytes}) {
        SCOPED_TRACE(int(d));
        // Both companies as opening them leaves them, company 1 open.
        session(2);
        openCompany(1);
        ASSERT_EQ(shown(), std::vector<std::string>{});
        Disk before = readDisk();
        damage(dataroot::taxRateFile, d);
        const auto ratesSaidOnce = [this](const char *action) {
            int said = 0;
            for (const ShownBox &b : svc.boxes)
                said += b.prompt.contains(dataroot::taxRateFile) ? 1 : 0;
            EXPECT_EQ(said, 1) << action << ": " << ::testing::PrintToString(shown());
            EXPECT_EQ(svc.boxes.size(), 1u) << action << ": " << ::testing::PrintToString(shown());
            forgetShown();
        };
        openCompany(2);
        ASSERT_FALSE(svc.boxes.empty());
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("税率設定"));
        ratesSaidOnce("opening");
        click(form7().Command19); // 別表五（二）の計算実行
        ratesSaidOnce("Schedule 5(2)");
        click(form1().Command18); // 印刷
        ratesSaidOnce("printing");
        Disk after = readDisk();
        for (Disk *disk : {&before, &after})
            disk->erase(insideDrive(dataroot::taxRateFile));
        EXPECT_EQ(changedFiles(before, after), "");
        QDir(hostPath(dataroot::taxRateFile)).removeRecursively();
    }
}

// The records of Schedules 7 and 15 are the opened company's, whatever the first line of its profile says: no
// other company's records change and none appear for the codes a damaged line reads as.
TEST_F(DataSafety, Schedules7And15AreSavedUnderTheOpenedCode) {
    for (const char *firstLine : {"1", "0", "1000000000", "-2147483648"}) {
        SCOPED_TRACE(firstLine);
        const Disk before = session(1);
        QByteArray profile = readFile(profilePath(2));
        profile = QByteArray(firstLine) + profile.mid(profile.indexOf('\r'));
        writeFile(profilePath(2), profile);
        openCompany(2);
        EXPECT_EQ(shown(), std::vector<std::string>{});
        const Disk after = readDisk();
        for (const auto &[path, bytes] : before) {
            std::int32_t code = 0;
            if (kindOf(path, &code) && code == 1) {
                EXPECT_TRUE(after.count(path) && after.at(path) == bytes) << path.toStdString() << " changed";
            }
        }
        for (const auto &[path, bytes] : after) {
            std::int32_t code = 0;
            if (kindOf(path, &code)) {
                EXPECT_TRUE(code == 1 || code == 2) << path.toStdString() << " appeared";
            }
        }
        EXPECT_TRUE(after.count(insideDrive(schedule7Path(2))));
        EXPECT_TRUE(after.count(insideDrive(schedule15Path(2))));
    }
}

// Opening a company, printing it, opening it again, entering its year through the bulk input and registering it
// again: every one of them leaves the same schedule records.
TEST_F(DataSafety, EveryChainLeavesTheSameRecords) {
    const Disk opened = session(1);
    click(form1().Command18); // 印刷
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "printing after opening";
    click(form1().Command18);
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "printing again";
    openCompany(1);
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "opening after printing";

    form1().Text2.setText(kName1);
    svc.answer(mb::Yes); // company 1 holds a year's figures already: applying them again is what the test asks
    click(form1().Command19); // 一括入力
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "the bulk input";
    openCompany(1);
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "opening after the bulk input";

    // Registering again rewrites the special fields in their shorter overwrite form; the schedules stay.
    click(form1().Command1); // 会社登録
    form2().Text100.setText(QStringLiteral("1"));
    click(form2().Command7); // DATA
    svc.answer(mb::Ok);      // 同じコード名があります
    svc.answer(mb::Ok);      // 書き換えますか
    click(form2().Command4); // 登録実行
    Disk registered = readDisk(), expected = opened;
    for (Disk *d : {&registered, &expected})
        d->erase(insideDrive(specialFieldPath(1)));
    EXPECT_EQ(changedFiles(expected, registered), "") << "registering again";
    EXPECT_TRUE(svc.answers.empty());
}

// The menu's "別表一" shows this year's income: Schedule 4's compute pushes it after Schedule 1 has loaded its
// record, and Schedule 1 computes and saves with it.
TEST_F(DataSafety, MenuSchedule1KeepsSchedule4sIncome) {
    session(1);
    form5().Text5.setText(QStringLiteral("4,000,000")); // a new profit, not yet computed
    click(form1().Command12);                           // 別表一
    const std::int32_t income = readSchedule4(1).cells[52];
    ASSERT_NE(income, 0);
    Schedule1Record s1;
    readSchedule1(1, s1);
    EXPECT_EQ(s1.A(1), income);
    EXPECT_EQ(form3().Text3.text(), fmtAmount(income));
    EXPECT_TRUE(form3().isVisible());
}

// Interim payments typed in the bulk input reach Schedule 1 and stay there when the company's Schedule 5(2) has no
// interim rows: its compute does not write them over with 0.
TEST_F(DataSafety, InterimPaymentsTypedInTheBulkInputReachSchedule1) {
    session(2);
    form1().Text2.setText(kName2);
    click(form1().Command19); // 一括入力
    ASSERT_EQ(shown(), std::vector<std::string>{});
    form14().bulkFigureBox(bulk::interimPrefecturalTax).setText(QStringLiteral("70,000"));
    form14().bulkFigureBox(bulk::interimMunicipalTax).setText(QStringLiteral("120,000"));
    click(form14().Command1);
    Schedule1Record s1;
    readSchedule1(2, s1);
    EXPECT_EQ(s1.C(5) + s1.C(8), 70000); // 中間納付額⑬ + 中間均等割額⑲
    EXPECT_EQ(s1.D(4) + s1.D(7), 120000); // 中間納付額⑪ + 中間均等割額⑯

    // Opened again, the bulk input shows them as they were typed.
    click(form1().Command19);
    EXPECT_EQ(form14().bulkFigureBox(bulk::interimPrefecturalTax).text(), QStringLiteral("70,000"));
    EXPECT_EQ(form14().bulkFigureBox(bulk::interimMunicipalTax).text(), QStringLiteral("120,000"));
}

} // namespace
} // namespace hz::test
