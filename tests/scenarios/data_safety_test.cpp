// A company's figures never land under another company's code, a record that cannot be read is said and never
// overwritten, and every chain leaves the same records. Two companies are kept on the disk; company 1 is open when
// something happens to company 2's files, as when a user moves from one company to the next.

#include "app/Form1.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "core/records.h"
#include "print/Form12.h"
#include "schedules/core/capital.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/Form7.h"
#include "schedules/more/bulk_input.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule6.h"
#include "tests/scenarios/damage.h"
#include "tests/scenarios/two_companies.h"

namespace hz::test {
namespace {

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
    // The registration window on a registered code, OK to both questions, "登録実行".
    void registerAgain(std::int32_t code) {
        click(form1().Command1); // 会社登録
        form2().Text100.setText(QString::number(code));
        click(form2().Command7); // DATA
        svc.answer(mb::Ok);      // 同じコード名があります
        svc.answer(mb::Ok);      // 書き換えますか
        click(form2().Command4); // 登録実行
        EXPECT_TRUE(svc.answers.empty());
    }

    // The prepared disk with company 1's figures doubled.
    const Disk &companyOneDoubled() {
        static Disk disk;
        if (disk.empty()) {
            disk = prepared();
            destroyAllForms();
            closeSharedHandle();
            Disk without = disk;
            std::erase_if(without, [](const auto &f) {
                std::int32_t code = 0;
                return kindOf(f.first, &code) && code == 1;
            });
            writeDisk(without);
            fillCompany(1, kName1, QStringLiteral("イチバンショウジ"), 2);
            destroyAllForms();
            closeSharedHandle();
            for (const auto &[path, bytes] : readDisk()) {
                std::int32_t code = 0;
                if ((kindOf(path, &code) && code == 1) || path == scratchOf(kName1))
                    disk[path] = bytes;
            }
        }
        return disk;
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
    svc.answer(mb::Yes);      // company 1 holds a year's figures already: applying them again is what the test asks
    click(form1().Command19); // 一括入力
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "the bulk input";
    openCompany(1);
    EXPECT_EQ(changedFiles(opened, readDisk()), "") << "opening after the bulk input";

    // Registering again rewrites the special fields in their shorter overwrite form; the schedules stay.
    registerAgain(1);
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
    typeInto(form14().bulkFigureBox(bulk::interimPrefecturalTax), QStringLiteral("70,000"));
    typeInto(form14().bulkFigureBox(bulk::interimMunicipalTax), QStringLiteral("120,000"));
    click(form14().Command1);
    Schedule1Record s1;
    readSchedule1(2, s1);
    EXPECT_EQ(s1.C(5) + s1.C(8), 70000);  // 中間納付額⑬ + 中間均等割額⑲
    EXPECT_EQ(s1.D(4) + s1.D(7), 120000); // 中間納付額⑪ + 中間均等割額⑯

    // Opened again, the bulk input shows them as they were typed.
    click(form1().Command19);
    EXPECT_EQ(form14().bulkFigureBox(bulk::interimPrefecturalTax).text(), QStringLiteral("70,000"));
    EXPECT_EQ(form14().bulkFigureBox(bulk::interimMunicipalTax).text(), QStringLiteral("120,000"));
}

// Company 2 has no Schedule 6 record. Printed and registered again right after company 1, it leaves the drive as
// it does in a session where company 1 was never opened: a missing record is an empty one, never the figures of
// the company shown before.
TEST_F(DataSafety, AMissingRecordTakesNothingFromTheCompanyOpenBefore) {
    const auto printAndRegisterAgain = [this] {
        click(form1().Command18); // 印刷
        registerAgain(2);
        click(form1().Command18);
    };
    const auto withoutSchedule6 = [] { QFile::remove(hostPath(schedule6Path(2))); };

    // Company 1 as the user left it (opened, printed, or registered again), then company 2 in a fresh program
    // and in the same one.
    const std::pair<const char *, std::function<void()>> before[] = {
        {"opened", [] {}},
        {"printed", [this] { click(form1().Command18); }},
        {"registered again", [this] { registerAgain(1); }},
    };
    for (const auto &[what, step] : before) {
        SCOPED_TRACE(what);
        const auto companyOneAsLeft = [&] {
            session(1);
            step();
        };
        // Company 2 opened from the menu, then printed and registered again; or registered again at once.
        for (const bool opened : {true, false}) {
            SCOPED_TRACE(opened ? "company 2 opened" : "company 2 registered again at once");
            const auto reach = [&] {
                withoutSchedule6();
                if (opened)
                    openCompany(2);
                else
                    registerAgain(2);
                printAndRegisterAgain();
            };
            companyOneAsLeft();
            destroyAllForms();
            reach();
            const Disk alone = readDisk();
            companyOneAsLeft();
            reach();
            EXPECT_EQ(differences(alone, readDisk()), "");
        }
    }
}

// Whatever the windows hold, a window hands its figures only to windows that hold the same company. Each route runs
// twice, with company 1's figures as entered and doubled; company 2's records come out the same. Company 2 has no
// Schedule 6 record, so that nothing of its own stands where company 1's credit could go.
TEST_F(DataSafety, NoWindowHandsAFigureToAnotherCompanysWindow) {
    const auto typed = [](const char *code) { form1().Text1.setText(QString::fromLatin1(code)); };
    const std::pair<const char *, std::function<void()>> routes[] = {
        {"code 2 typed into the menu, 別表一",
         [&] {
             typed("2");
             click(form1().Command12);
         }},
        {"company 2 open, code 1 typed and 別表一, company 2's Schedule 6 computed",
         [&] {
             openCompany(2);
             typed("1");
             click(form1().Command12);
             click(form8().Command1);
         }},
        {"the same with Schedule 4 closed first",
         [&] {
             openCompany(2);
             form5().closeBoxClicked();
             typed("1");
             click(form8().Command1);
             click(form1().Command12);
             click(form8().Command1);
         }},
    };
    const auto companyTwo = [](const Disk &d) {
        Disk out;
        for (const auto &[path, bytes] : d) {
            std::int32_t code = 0;
            if (kindOf(path, &code) && code == 2)
                out[path] = bytes;
        }
        return out;
    };
    const Disk asEntered = prepared(), doubled = companyOneDoubled();
    for (const auto &[what, route] : routes) {
        SCOPED_TRACE(what);
        Disk after[2];
        for (int i = 0; i < 2; ++i) {
            destroyAllForms();
            closeSharedHandle();
            writeDisk(i == 0 ? asEntered : doubled);
            QFile::remove(hostPath(schedule6Path(2)));
            openCompany(1);
            route();
            after[i] = companyTwo(readDisk());
        }
        EXPECT_EQ(differences(after[0], after[1]), "");
    }
}

} // namespace
} // namespace hz::test
