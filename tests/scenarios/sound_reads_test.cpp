// Nothing is saved from a read that failed, nothing that cannot be read back is written, and the company list and the
// registration keep to the codes the program shows. Two companies are kept on the disk, as a season's work left
// them; every test compares both drives, the disk and the backup floppy, byte for byte before and after.

#include "app/Form1.h"
#include "common/read_or_say.h"
#include "company/Form2.h"
#include "core/errors.h"
#include "maintenance/Form10.h"
#include "print/Form12.h"
#include "print/print_load.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/capital.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule6.h"
#include "tests/scenarios/damage.h"
#include "tests/scenarios/two_companies.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <optional>
#include <string>
#include <vector>

namespace hz::test {
namespace {

// Both drives: the disk C and the backup floppy A.
struct Drives {
    Disk c;
    Disk a;
};

Drives drives() { return {readDisk(), readDisk(qEnvironmentVariable("HOJINZEI_DRIVE_A"))}; }

void expectDrivesKept(const Drives &before) {
    const Drives after = drives();
    EXPECT_EQ(differences(before.c, after.c), "") << "drive C";
    EXPECT_EQ(differences(before.a, after.a), "") << "drive A";
}

const QString kHeld = QStringLiteral(" を読み込めなかったため、この画面からは保存しません。");

class SoundReads : public TwoCompanies {};

// A save of a window whose load could not read the record it saves, over the boxes as that read left them (or a rate
// table typed only in part, or special fields of a company whose profile could not be read, which were never read
// at all): the window says which record it could not read and saves nothing, with no beep that would tell the user
// it did.
struct HeldSave {
    const char *name;
    QString damaged;            // the record made unreadable
    std::function<void()> load; // the action that reads it
    std::function<void()> save; // the user types into the boxes and saves
    QString title;              // of the box that refuses the save
    QString held;               // the record that box names
    // The damages that make each record unreadable.
    std::vector<Damage> damages = {Damage::badBytes, Damage::folder, Damage::truncated, Damage::utf8, Damage::crAlone};
};

void PrintTo(const HeldSave &c, std::ostream *os) { *os << c.name; }

void printCompany2() { HzTest::click(form1().Command18); } // 印刷, company 2 open

// A rate table a user types, items 1 to 9.
const QStringList kTypedRates{"23", "31", "5.5", "7", "9.1", "4.5", "21,000", "12", "51,000"};

// Types the typed table's items from to before to into the rate window.
void typeRates(int from, int to) {
    TextBox *boxes[] = {&form18().Text10, &form18().Text16, &form18().Text30, &form18().Text36, &form18().Text42,
                        &form18().Text28, &form18().Text34, &form18().Text12, &form18().Text18};
    for (int i = from; i < to; ++i)
        typeInto(*boxes[i], kTypedRates[i]);
}

void registrationOn(const QString &code) {
    HzTest::click(form1().Command1); // 会社登録
    form2().Text100.setText(code);
    HzTest::click(form2().Command6); // 会社呼出
}

std::vector<HeldSave> heldSaves() {
    const QString printTitle = QStringLiteral("A4コピー用紙に印刷");
    const auto saveSpecialFieldsInPrint = [] {
        form12().Text38.setText(QStringLiteral("別の銀行"));
        form12().Text45.setText(QStringLiteral("中央区"));
        HzTest::click(form12().Command21); // 特設欄データ登　録
    };
    const auto saveSpecialFieldsInRegistration = [] {
        form2().Text38.setText(QStringLiteral("別の銀行"));
        form2().Text24.setText(QStringLiteral("中央区役所"));
        HzTest::click(form2().Command21); // 特設欄データ登録
    };
    const auto openRates = [] { HzTest::click(form1().Command23); }; // 税率の設定
    return {
        {"print_special_fields", specialFieldPath(2), printCompany2,
         [] { HzTest::click(form12().Command21); }, // 特設欄データ登　録
         printTitle, specialFieldPath(2)},
        {"print_tax_accountant", taxAccountantPath(), printCompany2,
         [] { HzTest::click(form12().Command15); }, // 登録実行
         printTitle, taxAccountantPath()},
        // The print window stops at a profile it cannot read, before it reads the company's special fields.
        {"print_profile", profilePath(2), printCompany2, saveSpecialFieldsInPrint, printTitle, profilePath(2)},
        {"rates", dataroot::taxRateFile, openRates, [] { HzTest::click(form18().Command4); }, // 計算実行
         QStringLiteral("税率設定"), dataroot::taxRateFile},
        {"rates_eight_typed", dataroot::taxRateFile, openRates,
         [] {
             typeRates(0, 8);
             HzTest::click(form18().Command4);
         },
         QStringLiteral("税率設定"), dataroot::taxRateFile},
        // Cleared first, so that the ninth box is one the user emptied, not one the read left.
        {"rates_cleared_and_eight_typed", dataroot::taxRateFile, openRates,
         [] {
             HzTest::click(form18().Command1); // クリア
             typeRates(1, 9);
             HzTest::click(form18().Command4);
         },
         QStringLiteral("税率設定"), dataroot::taxRateFile},
        {"registration_special_fields", specialFieldPath(2), [] { registrationOn(QStringLiteral("2")); },
         [] { HzTest::click(form2().Command21); }, QStringLiteral("特設欄"), specialFieldPath(2)},
        // A company that could not be called up: its special fields are not saved under the code the window held.
        {"registration_profile", profilePath(2), [] { registrationOn(QStringLiteral("2")); },
         saveSpecialFieldsInRegistration, QStringLiteral("特設欄"), profilePath(2)},
    };
}

class SaveAfterFailedRead : public SoundReads, public ::testing::WithParamInterface<HeldSave> {};

TEST_P(SaveAfterFailedRead, SavesNothingAndSaysWhy) {
    const HeldSave &c = GetParam();
    for (const Damage d : c.damages) {
        SCOPED_TRACE(int(d));
        session(2);
        writeSampleAccountant();
        damage(c.damaged, d);
        const Drives before = drives();
        forgetShown();
        c.load();
        ASSERT_FALSE(svc.boxes.empty()) << "the load said nothing";
        EXPECT_TRUE(svc.boxes[0].prompt.contains(c.damaged)) << ::testing::PrintToString(shown());
        forgetShown();
        c.save();
        ASSERT_EQ(svc.boxes.size(), 1u) << ::testing::PrintToString(shown());
        EXPECT_EQ(svc.boxes[0].title, c.title);
        EXPECT_TRUE(svc.boxes[0].prompt.startsWith(c.held + kHeld)) << svc.boxes[0].prompt.toStdString();
        EXPECT_EQ(svc.beeps, 0);
        expectDrivesKept(before);
        undoDamage(c.damaged);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, SaveAfterFailedRead, ::testing::ValuesIn(heldSaves()),
                         [](const auto &info) { return std::string(info.param.name); });

// A record a window could not read, given afresh by the user in that window: the save replaces it with what the
// same save writes after a good read, on both drives byte for byte, and says nothing.
struct AfreshSave {
    const char *name;
    QString damaged; // the record made unreadable
    // Damages that leave a file the save can replace; none stands for letters on the first value line.
    std::vector<std::optional<Damage>> damages;
    std::function<void()> load;                   // the action that reads it
    std::function<void(ScriptedServices &)> give; // the user gives the values and saves
};

void PrintTo(const AfreshSave &c, std::ostream *os) { *os << c.name; }

// Every value of the special fields typed, the account type chosen.
template <typename Window> void typeSpecialFields(Window &w, TextBox &prefectural, TextBox &municipal) {
    typeInto(w.Text38, QStringLiteral("見本銀行"));
    typeInto(w.Text39, QStringLiteral("本店"));
    typeInto(w.Text40, QStringLiteral("7654321"));
    typeInto(w.Text44, QStringLiteral("12"));
    typeInto(w.Text45, QStringLiteral("北区"));
    typeInto(prefectural, QStringLiteral("東京都税事務所"));
    typeInto(municipal, QStringLiteral("北区役所"));
    HzTest::click(w.Command18); // 当座預金
}

std::vector<AfreshSave> afreshSaves() {
    const std::vector<std::optional<Damage>> files = {Damage::badBytes, Damage::truncated, Damage::utf8};
    const std::vector<std::optional<Damage>> rateFiles = {std::nullopt, Damage::badBytes, Damage::truncated,
                                                          Damage::utf8};
    const auto openRates = [] { HzTest::click(form1().Command23); }; // 税率の設定
    return {
        {"rates_preset_70k", dataroot::taxRateFile, rateFiles, openRates,
         [](ScriptedServices &) { HzTest::click(form18().Command2); }},
        {"rates_preset_180k", dataroot::taxRateFile, rateFiles, openRates,
         [](ScriptedServices &) { HzTest::click(form18().Command3); }},
        {"rates_nine_typed", dataroot::taxRateFile, rateFiles, openRates,
         [](ScriptedServices &) {
             typeRates(0, 9);
             HzTest::click(form18().Command4); // 計算実行
         }},
        // Pasted, as a user copies the name from a letter.
        {"tax_accountant",
         taxAccountantPath(),
         {Damage::badBytes, Damage::truncated, Damage::utf8, Damage::crAlone},
         printCompany2,
         [](ScriptedServices &) {
             QGuiApplication::clipboard()->setText(QStringLiteral("税理士二郎"));
             form12().Text58.edit()->selectAll();
             form12().Text58.edit()->paste();
             typeInto(form12().Text59, QStringLiteral("03-3333-4444"));
             typeInto(form12().Text21, QStringLiteral("東京都北区王子1-1"));
             typeInto(form12().Text22, QStringLiteral("67890"));
             typeInto(form12().Text23, QStringLiteral("王子支部"));
             HzTest::click(form12().Command15); // 登録実行
         }},
        {"print_special_fields", specialFieldPath(2), files, printCompany2,
         [](ScriptedServices &) {
             typeSpecialFields(form12(), form12().Text2, form12().Text3);
             HzTest::click(form12().Command21); // 特設欄データ登　録
         }},
        {"registration_special_fields", specialFieldPath(2), files, [] { registrationOn(QStringLiteral("2")); },
         [](ScriptedServices &) {
             typeSpecialFields(form2(), form2().Text26, form2().Text24);
             HzTest::click(form2().Command21); // 特設欄データ登録
         }},
        // Registered again over its code, with the special fields typed after the load that could not read them.
        {"registration_again", specialFieldPath(2), files, [] { registrationOn(QStringLiteral("2")); },
         [](ScriptedServices &svc) {
             typeSpecialFields(form2(), form2().Text26, form2().Text24);
             svc.answer(mb::Ok);              // 同じコード名があります
             svc.answer(mb::Ok);              // 書き換えますか
             HzTest::click(form2().Command4); // 登録実行
         }},
    };
}

class SaveGivenAfresh : public SoundReads, public ::testing::WithParamInterface<AfreshSave> {};

TEST_P(SaveGivenAfresh, ReplacesTheRecordAsAfterAGoodRead) {
    const AfreshSave &c = GetParam();
    session(2);
    writeSampleAccountant();
    c.load();
    forgetShown();
    c.give(svc);
    const std::vector<std::string> saidAfterGoodRead = shown();
    const Drives afterGoodRead = drives();
    for (const std::optional<Damage> d : c.damages) {
        SCOPED_TRACE(d ? int(*d) : -1);
        session(2);
        writeSampleAccountant();
        if (d) {
            damage(c.damaged, *d);
        } else {
            const QByteArray bytes = readRawFile(c.damaged);
            const int at = firstValueLine(bytes);
            QList<QByteArray> lines = bytes.split('\n');
            lines[at] = "abc\r";
            writeFile(c.damaged, lines.join('\n'));
        }
        forgetShown();
        c.load();
        ASSERT_FALSE(svc.boxes.empty()) << "the load said nothing";
        EXPECT_TRUE(svc.boxes[0].prompt.contains(c.damaged)) << ::testing::PrintToString(shown());
        forgetShown();
        c.give(svc);
        EXPECT_EQ(shown(), saidAfterGoodRead);
        expectDrivesKept(afterGoodRead);
        undoDamage(c.damaged);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, SaveGivenAfresh, ::testing::ValuesIn(afreshSaves()),
                         [](const auto &info) { return std::string(info.param.name); });

// A schedule record a window could not read: figures another window pushes into its boxes save nothing over it, a
// figure the user types there does, and the window then reads its record again. In the window of three schedules
// only a box of the record's own panel counts.
struct TypedSave {
    const char *name;
    QString record;
    Button &(*data)();
    Button &(*compute)();
    TextBox &(*box)();
    TextBox &(*elsewhere)() = nullptr; // a box of the same window outside the record's panel
};

void PrintTo(const TypedSave &c, std::ostream *os) { *os << c.name; }

std::vector<TypedSave> typedSaves() {
    return {
        {"schedule1", schedule1Path(2), []() -> Button & { return form3().Command8; },
         []() -> Button & { return form3().Command4; }, []() -> TextBox & { return form3().Text27; }},
        {"schedule2", schedule2Path(2), []() -> Button & { return form4().Command7; },
         []() -> Button & { return form4().Command1; }, []() -> TextBox & { return form4().Text10; }},
        {"schedule4", schedule4Path(2), []() -> Button & { return form5().Command7; },
         []() -> Button & { return form5().Command4; }, []() -> TextBox & { return form5().Text5; }},
        {"schedule6", schedule6Path(2), []() -> Button & { return form8().Command9; },
         []() -> Button & { return form8().Command1; }, []() -> TextBox & { return form8().Text2; },
         []() -> TextBox & { return form8().Text46; }},
        {"schedule15", schedule15Path(2), []() -> Button & { return form8().Command11; },
         []() -> Button & { return form8().Command3; }, []() -> TextBox & { return form8().Text46; },
         []() -> TextBox & { return form8().Text2; }},
    };
}

class TypedAfterFailedRead : public SoundReads, public ::testing::WithParamInterface<TypedSave> {};

TEST_P(TypedAfterFailedRead, SavesWhatTheUserTyped) {
    const TypedSave &c = GetParam();
    session(2);
    damage(c.record, Damage::badBytes);
    const QString damaged = standing(c.record);
    forgetShown();
    click(c.data());
    ASSERT_FALSE(svc.boxes.empty());
    EXPECT_TRUE(svc.boxes[0].prompt.contains(c.record)) << ::testing::PrintToString(shown());

    const auto refused = [&](const char *how) {
        SCOPED_TRACE(how);
        forgetShown();
        click(c.compute());
        EXPECT_NE(std::find_if(svc.boxes.begin(), svc.boxes.end(),
                               [&](const ShownBox &b) { return b.prompt.startsWith(c.record + kHeld); }),
                  svc.boxes.end())
            << ::testing::PrintToString(shown());
        EXPECT_EQ(standing(c.record), damaged);
    };
    c.box().setText(QStringLiteral("1,234")); // as another window pushes a figure
    refused("pushed");
    if (c.elsewhere) {
        typeInto(c.elsewhere(), QStringLiteral("5,678"));
        refused("typed in another panel");
    }
    typeInto(c.box(), QStringLiteral("1,234"));
    forgetShown();
    click(c.compute());
    for (const ShownBox &b : svc.boxes)
        EXPECT_FALSE(b.prompt.contains(c.record)) << b.prompt.toStdString();
    EXPECT_NE(standing(c.record), damaged);
    forgetShown();
    click(c.data());
    EXPECT_EQ(shown(), std::vector<std::string>{});
    EXPECT_EQ(c.box().text(), QStringLiteral("1,234"));
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, TypedAfterFailedRead, ::testing::ValuesIn(typedSaves()),
                         [](const auto &info) { return std::string(info.param.name); });

// A record a window could not read, given afresh there and saved: the window's own save ends the hold, so that a
// later save from boxes that code has set since (a clear, a push, a load of another window) is not refused. Each
// window saves as it does for a company that has no such record yet, byte for byte on both drives, and says the
// same; the interim window's is the sequence its users met: an amount typed, 計算実行, クリア, 計算実行.
struct OwnSave {
    const char *name;
    QString record;
    std::function<void()> start;                  // the action that reads the record
    std::function<void(ScriptedServices &)> give; // the user gives the values and saves
    std::function<void()> again;                  // code sets the boxes, and the window saves again
};

void PrintTo(const OwnSave &c, std::ostream *os) { *os << c.name; }

// Sets the boxes as code does: a load, or another window pushing its figures.
void setFromCode(std::initializer_list<TextBox *> boxes, const QString &text) {
    for (TextBox *box : boxes)
        box->setText(text);
}

std::vector<OwnSave> ownSaves() {
    const auto openRates = [] { HzTest::click(form1().Command23); }; // 税率の設定
    const auto clearRatesAndSave = [] {
        HzTest::click(form18().Command1); // クリア
        HzTest::click(form18().Command4); // 計算実行
    };
    const auto clearInterimAndSave = [] {
        HzTest::click(form20().Command3); // クリア
        HzTest::click(form20().Command1); // 計算実行
    };
    const auto registration = [] { registrationOn(QStringLiteral("2")); };
    const auto registrationFieldsFromCode = [] {
        Form2 &f = form2();
        setFromCode({&f.Text38, &f.Text39, &f.Text40, &f.Text44, &f.Text45, &f.Text26, &f.Text24},
                    QStringLiteral("別"));
        HzTest::click(f.Command21); // 特設欄データ登録
    };
    // A schedule window: its DATA, a figure typed into box and its compute; then a figure pushed into the same box.
    const auto schedule = [](const char *name, const QString &record, Button &(*data)(), Button &(*compute)(),
                             TextBox &(*box)()) {
        return OwnSave{name, record, [data] { HzTest::click(data()); },
                       [compute, box](ScriptedServices &) {
                           typeInto(box(), QStringLiteral("1,234"));
                           HzTest::click(compute());
                       },
                       [compute, box] {
                           box().setText(QStringLiteral("2,345"));
                           HzTest::click(compute());
                       }};
    };
    return {
        // Without the record, the window shows what Schedule 1 holds as entered; the user gives every amount here, so
        // that both runs save the same.
        {"interim", interimAmountPath(2), [] { HzTest::click(form3().Command9); }, // 中間申告の入力
         [](ScriptedServices &) {
             typeInto(form20().Text1, QStringLiteral("1,000"));
             for (TextBox *b : {&form20().Text2, &form20().Text3, &form20().Text4, &form20().Text5, &form20().Text6})
                 typeInto(*b, QString());
             HzTest::click(form20().Command1); // 計算実行
         },
         clearInterimAndSave},
        {"interim_preset", interimAmountPath(2), [] { HzTest::click(form3().Command9); },
         [](ScriptedServices &) {
             HzTest::click(form20().Command3); // クリア
             HzTest::click(form20().Command5); // 均等割７万円
             HzTest::click(form20().Command1); // 計算実行
         },
         clearInterimAndSave},
        {"rates_typed", dataroot::taxRateFile, openRates,
         [](ScriptedServices &) {
             typeRates(0, 9);
             HzTest::click(form18().Command4); // 計算実行
         },
         clearRatesAndSave},
        {"rates_preset", dataroot::taxRateFile, openRates, [](ScriptedServices &) { HzTest::click(form18().Command2); },
         clearRatesAndSave},
        {"registration_special_fields", specialFieldPath(2), registration,
         [](ScriptedServices &) {
             typeSpecialFields(form2(), form2().Text26, form2().Text24);
             HzTest::click(form2().Command21); // 特設欄データ登録
         },
         registrationFieldsFromCode},
        {"registration_again", specialFieldPath(2), registration,
         [](ScriptedServices &svc) {
             typeSpecialFields(form2(), form2().Text26, form2().Text24);
             svc.answer(mb::Ok);              // 同じコード名があります
             svc.answer(mb::Ok);              // 書き換えますか
             HzTest::click(form2().Command4); // 登録実行
         },
         registrationFieldsFromCode},
        {"print_special_fields", specialFieldPath(2), printCompany2,
         [](ScriptedServices &) {
             typeSpecialFields(form12(), form12().Text2, form12().Text3);
             HzTest::click(form12().Command21); // 特設欄データ登　録
         },
         [] {
             Form12 &f = form12();
             setFromCode({&f.Text38, &f.Text39, &f.Text40, &f.Text44, &f.Text45, &f.Text2, &f.Text3},
                         QStringLiteral("別"));
             HzTest::click(f.Command21);
         }},
        {"print_tax_accountant", taxAccountantPath(), printCompany2,
         [](ScriptedServices &) {
             typeInto(form12().Text58, QStringLiteral("税理士二郎"));
             HzTest::click(form12().Command15); // 登録実行
         },
         [] {
             Form12 &f = form12();
             setFromCode({&f.Text58, &f.Text59, &f.Text21, &f.Text22, &f.Text23}, QStringLiteral("別"));
             HzTest::click(f.Command15);
         }},
        schedule(
            "schedule1", schedule1Path(2), []() -> Button & { return form3().Command8; },
            []() -> Button & { return form3().Command4; }, []() -> TextBox & { return form3().Text27; }),
        schedule(
            "schedule2", schedule2Path(2), []() -> Button & { return form4().Command7; },
            []() -> Button & { return form4().Command1; }, []() -> TextBox & { return form4().Text10; }),
        schedule(
            "schedule4", schedule4Path(2), []() -> Button & { return form5().Command7; },
            []() -> Button & { return form5().Command4; }, []() -> TextBox & { return form5().Text5; }),
        schedule(
            "schedule5_1", schedule5_1Path(2), []() -> Button & { return form6().Command7; },
            []() -> Button & { return form6().Command1; }, []() -> TextBox & { return form6().cellBox(2, 3); }),
        schedule(
            "schedule5_1_capital", schedule5_1CapitalPath(2), []() -> Button & { return form11().Command7; },
            []() -> Button & { return form11().Command1; }, []() -> TextBox & { return form11().cellBox(1, 1); }),
        schedule(
            "schedule5_2", schedule5_2Path(2), []() -> Button & { return form7().Command20; },
            []() -> Button & { return form7().Command19; },
            []() -> TextBox & { return *form7().cellBox(taxGridCell(s52::prefecturalFinal, 2)); }),
        schedule(
            "schedule5_2_part2", schedule5_2Part2Path(2), []() -> Button & { return form13().Command19; },
            []() -> Button & { return form13().Command20; }, []() -> TextBox & { return *form13().cellBox(1); }),
        schedule(
            "schedule6", schedule6Path(2), []() -> Button & { return form8().Command9; },
            []() -> Button & { return form8().Command1; }, []() -> TextBox & { return form8().Text2; }),
        schedule(
            "schedule7", schedule7Path(2), []() -> Button & { return form8().Command10; },
            []() -> Button & { return form8().Command2; }, []() -> TextBox & { return form8().Text50; }),
        schedule(
            "schedule15", schedule15Path(2), []() -> Button & { return form8().Command11; },
            []() -> Button & { return form8().Command3; }, []() -> TextBox & { return form8().Text46; }),
        schedule(
            "schedule11", schedule11Path(2), []() -> Button & { return form15().Command2; },
            []() -> Button & { return form15().Command1; },
            []() -> TextBox & { return form15().lineBox(s11::charged); }),
        schedule(
            "schedule11_detail", schedule11DetailPath(2), []() -> Button & { return form16().Command2; },
            []() -> Button & { return form16().Command1; },
            []() -> TextBox & { return form16().cellBox(detailCell(1, 18)); }),
    };
}

class SaveAfterOwnSave : public SoundReads, public ::testing::WithParamInterface<OwnSave> {};

TEST_P(SaveAfterOwnSave, IsNotHeldByTheFailedRead) {
    const OwnSave &c = GetParam();
    struct Run {
        std::vector<std::string> saidGiven, saidAgain;
        Drives given, again;
    };
    const auto run = [&](Damage d) {
        session(2);
        writeSampleAccountant();
        damage(c.record, d);
        forgetShown();
        c.start();
        Run r;
        forgetShown();
        c.give(svc);
        r.saidGiven = shown();
        r.given = drives();
        forgetShown();
        c.again();
        r.saidAgain = shown();
        r.again = drives();
        return r;
    };
    const Run fresh = run(Damage::missing);
    for (const Damage d : {Damage::badBytes, Damage::truncated}) {
        SCOPED_TRACE(int(d));
        const Run damaged = run(d);
        for (const auto &said : {damaged.saidGiven, damaged.saidAgain})
            for (const std::string &prompt : said)
                EXPECT_EQ(prompt.find((c.record + kHeld).toStdString()), std::string::npos) << prompt;
        EXPECT_EQ(damaged.saidGiven, fresh.saidGiven);
        EXPECT_EQ(damaged.saidAgain, fresh.saidAgain);
        EXPECT_EQ(differences(fresh.given.c, damaged.given.c), "") << "given";
        EXPECT_EQ(differences(fresh.given.a, damaged.given.a), "") << "given";
        EXPECT_EQ(differences(fresh.again.c, damaged.again.c), "") << "again";
        EXPECT_EQ(differences(fresh.again.a, damaged.again.a), "") << "again";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, SaveAfterOwnSave, ::testing::ValuesIn(ownSaves()),
                         [](const auto &info) { return std::string(info.param.name); });

// A value typed in a window for one company, and then another company loaded there whose record cannot be read:
// what was typed before the load gives none of that record's values, so the save says again which record it could
// not read and writes nothing. The rate table and the tax accountant, which every company shares, the same: typed
// before the load that finds them damaged.
struct TypedBeforeLoad {
    const char *name;
    QString record;             // company 2's, or the shared one, made unreadable
    std::function<void()> open; // the window brought up on company 1, when opening the company does not
    std::function<void()> type; // the user types into it
    std::function<void()> load; // company 2 loaded into it
    std::function<void()> save;
};

void PrintTo(const TypedBeforeLoad &c, std::ostream *os) { *os << c.name; }

std::vector<TypedBeforeLoad> typedBeforeLoads() {
    using Box = TextBox &(*)();
    using Press = Button &(*)();
    const auto typing = [](Box box, const char *text) {
        return [box, text] { typeInto(box(), QString::fromUtf8(text)); };
    };
    const auto clicking = [](Press b) { return [b] { HzTest::click(b()); }; };
    // Company 2's code where the window takes it, then the window's press that loads it.
    const auto loadTwo = [](Box code, Press b) {
        return [code, b] {
            code().setText(QStringLiteral("2"));
            HzTest::click(b());
        };
    };
    // A window that opening company 1 loaded, with its code box, data press, a box and its save.
    const auto schedule = [&](const char *name, const QString &record, Box code, Press data, Box box, Press save,
                              std::function<void()> open = {}) {
        return TypedBeforeLoad{.name = name,
                               .record = record,
                               .open = std::move(open),
                               .type = typing(box, "1,234"),
                               .load = loadTwo(code, data),
                               .save = clicking(save)};
    };
    const auto printCompany1 = [] { HzTest::click(form1().Command18); }; // 印刷
    const auto loadTwoForPrint =
        loadTwo([]() -> TextBox & { return form12().Text1; }, []() -> Button & { return form12().Command1; });
    return {
        // The menu's 別表一 on company 2 with a rate typed for company 1.
        {"schedule1",
         schedule1Path(2),
         {},
         typing([]() -> TextBox & { return form3().Text42; }, "15.5"),
         loadTwo([]() -> TextBox & { return form1().Text1; }, []() -> Button & { return form1().Command12; }),
         clicking([]() -> Button & { return form3().Command4; })},
        schedule(
            "schedule2", schedule2Path(2), []() -> TextBox & { return form4().Text1; },
            []() -> Button & { return form4().Command7; }, []() -> TextBox & { return form4().Text10; },
            []() -> Button & { return form4().Command1; }),
        schedule(
            "schedule4", schedule4Path(2), []() -> TextBox & { return form5().Text100; },
            []() -> Button & { return form5().Command7; }, []() -> TextBox & { return form5().Text5; },
            []() -> Button & { return form5().Command4; }),
        // The reversal total, which Schedule 5(2) pushes and the user may type.
        schedule(
            "schedule5_1", schedule5_1Path(2), []() -> TextBox & { return form6().Text1; },
            []() -> Button & { return form6().Command7; }, []() -> TextBox & { return form6().Text100; },
            []() -> Button & { return form6().Command1; }),
        schedule(
            "schedule5_1_capital", schedule5_1CapitalPath(2), []() -> TextBox & { return form11().Text1; },
            []() -> Button & { return form11().Command7; }, []() -> TextBox & { return form11().cellBox(1, 1); },
            []() -> Button & { return form11().Command1; }),
        // The levy, which no load fills.
        schedule(
            "schedule5_2", schedule5_2Path(2), []() -> TextBox & { return form7().Text1; },
            []() -> Button & { return form7().Command20; }, []() -> TextBox & { return form7().Text12; },
            []() -> Button & { return form7().Command19; }),
        schedule(
            "schedule5_2_part2", schedule5_2Part2Path(2), []() -> TextBox & { return form13().Text19; },
            []() -> Button & { return form13().Command19; }, []() -> TextBox & { return form13().Text14; },
            []() -> Button & { return form13().Command20; }),
        schedule(
            "schedule6", schedule6Path(2), []() -> TextBox & { return form8().Text1; },
            []() -> Button & { return form8().Command9; }, []() -> TextBox & { return form8().Text2; },
            []() -> Button & { return form8().Command1; }),
        schedule(
            "schedule7", schedule7Path(2), []() -> TextBox & { return form8().Text1; },
            []() -> Button & { return form8().Command10; }, []() -> TextBox & { return form8().Text50; },
            []() -> Button & { return form8().Command2; }),
        schedule(
            "schedule15", schedule15Path(2), []() -> TextBox & { return form8().Text1; },
            []() -> Button & { return form8().Command11; }, []() -> TextBox & { return form8().Text46; },
            []() -> Button & { return form8().Command3; }),
        schedule(
            "schedule11", schedule11Path(2), []() -> TextBox & { return form15().Text100; },
            []() -> Button & { return form15().Command2; },
            []() -> TextBox & { return form15().lineBox(s11::charged); },
            []() -> Button & { return form15().Command1; }, [] { HzTest::click(form1().Command21); }),
        schedule(
            "schedule11_detail", schedule11DetailPath(2), []() -> TextBox & { return form16().Text100; },
            []() -> Button & { return form16().Command2; },
            []() -> TextBox & { return form16().cellBox(detailCell(1, 18)); },
            []() -> Button & { return form16().Command1; }, [] { HzTest::click(form1().Command21); }),
        schedule(
            "interim", interimAmountPath(2), []() -> TextBox & { return form20().Text15; },
            []() -> Button & { return form20().Command2; }, []() -> TextBox & { return form20().Text1; },
            []() -> Button & { return form20().Command1; }, [] { HzTest::click(form3().Command9); }),
        {"rates", dataroot::taxRateFile, [] { HzTest::click(form1().Command23); }, [] { typeRates(0, 9); },
         clicking([]() -> Button & { return form18().Command8; }),
         clicking([]() -> Button & { return form18().Command4; })},
        // Called up in the registration window (会社呼出).
        {"registration_special_fields", specialFieldPath(2), [] { registrationOn(QStringLiteral("1")); },
         typing([]() -> TextBox & { return form2().Text38; }, "別の銀行"),
         loadTwo([]() -> TextBox & { return form2().Text100; }, []() -> Button & { return form2().Command6; }),
         clicking([]() -> Button & { return form2().Command21; })},
        {"print_special_fields", specialFieldPath(2), printCompany1,
         typing([]() -> TextBox & { return form12().Text38; }, "別の銀行"), loadTwoForPrint,
         clicking([]() -> Button & { return form12().Command21; })},
        {"print_tax_accountant", taxAccountantPath(), printCompany1,
         typing([]() -> TextBox & { return form12().Text58; }, "税理士二郎"), loadTwoForPrint,
         clicking([]() -> Button & { return form12().Command15; })},
    };
}

class TypedBeforeALoad : public SoundReads, public ::testing::WithParamInterface<TypedBeforeLoad> {};

TEST_P(TypedBeforeALoad, ReleasesNoHoldOfTheRecordLoaded) {
    const TypedBeforeLoad &c = GetParam();
    session(1);
    writeSampleAccountant();
    if (c.open)
        c.open();
    EXPECT_EQ(shown(), std::vector<std::string>{}) << "while the window was brought up";
    c.type();
    damage(c.record, Damage::badBytes);
    const QString damaged = standing(c.record);
    forgetShown();
    c.load();
    ASSERT_FALSE(svc.boxes.empty()) << "the load said nothing";
    EXPECT_TRUE(svc.boxes[0].prompt.contains(c.record)) << ::testing::PrintToString(shown());
    const Drives loaded = drives();
    forgetShown();
    c.save();
    EXPECT_NE(std::find_if(svc.boxes.begin(), svc.boxes.end(),
                           [&](const ShownBox &b) { return b.prompt.startsWith(c.record + kHeld); }),
              svc.boxes.end())
        << ::testing::PrintToString(shown());
    EXPECT_EQ(svc.beeps, 0);
    EXPECT_EQ(standing(c.record), damaged);
    expectDrivesKept(loaded);
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, TypedBeforeALoad, ::testing::ValuesIn(typedBeforeLoads()),
                         [](const auto &info) { return std::string(info.param.name); });

// Special fields typed in full before "登録実行" finds their file damaged are the user's own, as typed after: the
// registration over the code saves them as it does over a sound file, byte for byte, and "特設欄データ登録" after
// it saves too.
TEST_F(SoundReads, SpecialFieldsTypedBeforeTheRegistrationFindsTheirFileDamagedAreSaved) {
    struct Run {
        std::vector<std::string> saidRegistering, saidSaving;
        Drives registered, saved;
    };
    const auto run = [this](std::optional<Damage> d) {
        session(2);
        registrationOn(QStringLiteral("2"));
        typeSpecialFields(form2(), form2().Text26, form2().Text24);
        if (d)
            damage(specialFieldPath(2), *d);
        Run r;
        forgetShown();
        svc.answer(mb::Ok);      // 同じコード名があります
        svc.answer(mb::Ok);      // 書き換えますか
        click(form2().Command4); // 登録実行
        r.saidRegistering = shown();
        r.registered = drives();
        forgetShown();
        click(form2().Command21); // 特設欄データ登録
        r.saidSaving = shown();
        r.saved = drives();
        return r;
    };
    const Run sound = run(std::nullopt);
    EXPECT_TRUE(readFile(specialFieldPath(2)).startsWith(lines({QStringLiteral("\"見本銀行\"")})));
    for (const Damage d : {Damage::badBytes, Damage::truncated, Damage::utf8, Damage::crAlone}) {
        SCOPED_TRACE(int(d));
        const Run damaged = run(d);
        EXPECT_EQ(damaged.saidRegistering, sound.saidRegistering);
        EXPECT_EQ(differences(sound.registered.c, damaged.registered.c), "");
        EXPECT_EQ(differences(sound.registered.a, damaged.registered.a), "");
        EXPECT_EQ(damaged.saidSaving, sound.saidSaving);
        EXPECT_EQ(differences(sound.saved.c, damaged.saved.c), "");
        EXPECT_EQ(differences(sound.saved.a, damaged.saved.a), "");
    }
}

// A code without a company is no failed read: registering another company over its code afterwards writes that
// company's special fields as it does when the code was never called up, and no box names the code.
TEST_F(SoundReads, ACodeWithoutACompanyHoldsNoOtherCompanysRegistration) {
    const auto registerAgain = [this](bool callUpThirteen) {
        session(2);
        registrationOn(QStringLiteral("2"));
        if (callUpThirteen) {
            forgetShown();
            form2().Text100.setText(QStringLiteral("13"));
            click(form2().Command6); // 会社呼出: no company 13
            EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社呼出"),
                                                            unreadableText(profilePath(13), Error::fileNotFound()))});
        }
        form2().Text38.setText(QStringLiteral("別の銀行"));
        forgetShown();
        svc.answer(mb::Ok);      // 同じコード名があります
        svc.answer(mb::Ok);      // 書き換えますか
        click(form2().Command4); // 登録実行
        const std::vector<std::string> said = shown();
        EXPECT_EQ(said.size(), 2u) << ::testing::PrintToString(said);
        EXPECT_TRUE(readFile(specialFieldPath(2)).startsWith(lines({QStringLiteral("\"別の銀行\"")})));
        return std::pair{drives(), said};
    };
    const auto [direct, saidDirect] = registerAgain(false);
    const auto [afterThirteen, saidAfterThirteen] = registerAgain(true);
    EXPECT_EQ(saidAfterThirteen, saidDirect);
    EXPECT_EQ(differences(direct.c, afterThirteen.c), "");
    EXPECT_EQ(differences(direct.a, afterThirteen.a), "");
}

// A company that cannot be called up, or a code without one, leaves the registration window on its company, and the
// hold of that company's special fields stays: the boxes the failed read left are not saved over them.
TEST_F(SoundReads, CallingUpAnotherCodeKeepsTheHoldOfTheCompanyShown) {
    for (const std::int32_t other : {13, 1}) {
        SCOPED_TRACE(other);
        session(2);
        damage(specialFieldPath(2), Damage::badBytes);
        if (other == 1)
            damage(profilePath(1), Damage::badBytes);
        registrationOn(QStringLiteral("2"));
        const Drives before = drives();
        form2().Text100.setText(QString::number(other));
        click(form2().Command6); // 会社呼出
        forgetShown();
        click(form2().Command21); // 特設欄データ登録
        ASSERT_EQ(svc.boxes.size(), 1u) << ::testing::PrintToString(shown());
        EXPECT_TRUE(svc.boxes[0].prompt.startsWith(specialFieldPath(2) + kHeld)) << svc.boxes[0].prompt.toStdString();
        expectDrivesKept(before);
        undoDamage(specialFieldPath(2));
        if (other == 1)
            undoDamage(profilePath(1));
    }
}

// After a profile it could not read, the print window still shows the tax accountant, whom every company shares: its
// "登録実行" saves what the file holds, never empty boxes over it.
TEST_F(SoundReads, PrintWindowShowsTheAccountantAfterAProfileItCouldNotRead) {
    session(2);
    writeSampleAccountant();
    const QByteArray accountant = readFile(taxAccountantPath());
    damage(profilePath(2), Damage::badBytes);
    const Drives before = drives();
    printCompany2();
    EXPECT_EQ(form12().Text58.text(), QStringLiteral("税理士一郎"));
    EXPECT_EQ(form12().Text23.text(), QStringLiteral("京橋支部"));
    forgetShown();
    click(form12().Command15); // 登録実行
    EXPECT_EQ(shown(), std::vector<std::string>{});
    EXPECT_EQ(readFile(taxAccountantPath()), accountant);
    expectDrivesKept(before);
}

// The registration window that has called up no company saves no special fields under code 0, where no list would
// ever show them.
TEST_F(SoundReads, RegistrationWithoutACompanySavesNoSpecialFields) {
    session(2);
    click(form1().Command9); // the menu's code emptied: the registration opens on no company
    const Drives before = drives();
    forgetShown();
    click(form1().Command1); // 会社登録
    form2().Text38.setText(QStringLiteral("見本銀行"));
    click(form2().Command21); // 特設欄データ登録
    EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("特設欄"), companyCodeRangeText)});
    EXPECT_EQ(svc.beeps, 0);
    expectDrivesKept(before);
}

// Registering a company again over its code rewrites its profile, but special fields that could not be read show
// empty boxes: they do not replace the file the user still has, and the window says so. Fields the user typed
// before the load that could not read them are no better: the load emptied their boxes.
TEST_F(SoundReads, RegisteringAgainKeepsSpecialFieldsItCouldNotRead) {
    for (const bool typedBefore : {false, true})
        for (const Damage d : {Damage::badBytes, Damage::folder, Damage::utf8}) {
            SCOPED_TRACE(int(d));
            SCOPED_TRACE(typedBefore ? "typed before the load" : "the load alone");
            session(2);
            if (typedBefore) {
                registrationOn(QStringLiteral("2"));
                typeSpecialFields(form2(), form2().Text26, form2().Text24);
                damage(specialFieldPath(2), d);
                click(form2().Command7); // DATA
                ASSERT_EQ(form2().Text38.text(), QString());
            } else {
                damage(specialFieldPath(2), d);
                registrationOn(QStringLiteral("2"));
            }
            const QByteArray special = readRawFile(specialFieldPath(2));
            forgetShown();
            svc.answer(mb::Ok);      // 同じコード名があります
            svc.answer(mb::Ok);      // 書き換えますか
            click(form2().Command4); // 登録実行
            ASSERT_FALSE(svc.boxes.empty());
            EXPECT_TRUE(svc.boxes.back().prompt.startsWith(specialFieldPath(2) + kHeld))
                << ::testing::PrintToString(shown());
            EXPECT_EQ(readRawFile(specialFieldPath(2)), special);
            // Nor does the next save of the special fields alone.
            forgetShown();
            click(form2().Command21); // 特設欄データ登録
            EXPECT_EQ(readRawFile(specialFieldPath(2)), special);
            undoDamage(specialFieldPath(2));
        }
}

// Codes outside 1 to 999, however they are typed, are refused before anything is written: the list would never show
// the company.
TEST_F(SoundReads, RegistrationRefusesCodesTheListNeverShows) {
    for (const char *code : {"0", "-0", "-1", "1000", "1e3", "1,000", "0.4"}) {
        SCOPED_TRACE(code);
        session(2);
        click(form1().Command1); // 会社登録
        click(form2().Command9); // 法人コード: a new company
        registerSampleCompany(3, kName1, QStringLiteral("イチバン"), 10, 5);
        const Drives before = drives();
        forgetShown();
        form2().Text1.setText(QString::fromUtf8(code));
        click(form2().Command4); // 登録実行
        EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社登録"), companyCodeRangeText)});
        EXPECT_EQ(svc.beeps, 0);
        expectDrivesKept(before);
    }
}

// A folder where a company's profile should stand does not hide the company without a word: the list says it, once
// in the click, and lists the others.
TEST_F(SoundReads, ListSaysAFolderInAProfilesPlace) {
    session(2);
    damage(profilePath(1), Damage::folder);
    const Drives before = drives();
    forgetShown();
    click(form1().Command16); // 法人税の目次
    EXPECT_EQ(shown(), std::vector<std::string>{
                           box(QStringLiteral("法人税の目次"),
                               QStringLiteral("c:\\法人税\\法人名\\1.txt を読み込めません。\nパス名が無効です。"))});
    ASSERT_EQ(form1().List1.listCount(), 1);
    EXPECT_TRUE(form1().List1.itemText(0).startsWith(QStringLiteral("02 : ")));
    expectDrivesKept(before);
    undoDamage(profilePath(1));
}

// A line break pasted or typed into a box never reaches a record: it is saved as a blank, and the company then goes
// through every chain exactly as one typed with the blank does, on both drives, byte for byte.
TEST_F(SoundReads, LineBreaksInTheBoxesAreSavedAsBlanks) {
    // A company registered, its name entered again and registered over it, then called up, opened, entered through
    // the bulk input, printed, backed up, copied to code 4 and rolled over.
    const auto season = [this](const QString &kana, const std::function<void(TextBox &)> &enterName) {
        const QString floppy = qEnvironmentVariable("HOJINZEI_DRIVE_A");
        QDir(floppy).removeRecursively();
        QDir().mkpath(floppy);
        session(2);
        registerSampleCompany(3, QStringLiteral("株式会社三番商事"), kana, 10, 5);
        enterName(form2().Text3);
        svc.answer(mb::Ok);      // 同じコード名があります
        svc.answer(mb::Ok);      // 書き換えますか
        click(form2().Command4); // 登録実行
        form2().Text100.setText(QStringLiteral("3"));
        click(form2().Command6); // 会社呼出
        openCompany(3);
        click(form1().Command19); // 一括入力
        click(form14().Command1);
        click(form1().Command18); // 印刷
        click(form1().Command13); // データ
        form10().Text6.setText(QStringLiteral("3"));
        click(form10().Command4); // 会社呼出
        click(form10().Command1); // フロッピーへコピーする
        form10().Text39.setText(QStringLiteral("4"));
        click(form10().Command18); // へ、リストアする
        form10().Text6.setText(QStringLiteral("3"));
        click(form10().Command4);
        svc.answer(mb::Ok);
        click(form10().Command5); // 次年度更新する
        openCompany(4);
        EXPECT_EQ(form1().Text2.text(), QStringLiteral("株式会社 三番 商事"));
        EXPECT_TRUE(svc.answers.empty());
        return std::make_pair(drives(), shown());
    };
    const QString broken = QStringLiteral("株式会社\r\n三番\n商事");
    const auto [blanks, saidWithBlanks] = season(
        QStringLiteral("サンバン ショウジ"), [](TextBox &box) { box.setText(QStringLiteral("株式会社 三番 商事")); });
    const auto [typed, saidTyped] =
        season(QStringLiteral("サンバン\rショウジ"), [&](TextBox &box) { box.setText(broken); });
    // Pasted as a user copies the name from a letter.
    const auto [pasted, saidPasted] = season(QStringLiteral("サンバン\nショウジ"), [&](TextBox &box) {
        QGuiApplication::clipboard()->setText(broken);
        box.edit()->selectAll();
        box.edit()->paste();
        EXPECT_EQ(box.text(), broken);
    });
    for (const auto &[name, d, said] :
         {std::tuple{"typed", typed, saidTyped}, std::tuple{"pasted", pasted, saidPasted}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(said, saidWithBlanks);
        EXPECT_EQ(differences(blanks.c, d.c), "");
        EXPECT_EQ(differences(blanks.a, d.a), "");
    }
}

} // namespace
} // namespace hz::test
