// What users mistype, typed into every kind of box of the program, with the compute or save button pressed after
// it. Two companies are kept on the disk: company 1 filled in completely, company 2 likewise, and
// every test mistypes in company 2's windows. Whatever is shown, company 1's records and the installation's files
// stay byte for byte as they were, and every record on the disk is whole: either untouched or written completely.

#include "app/Form1.h"
#include "company/Form2.h"
#include "core/cp932.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/form.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/tax_rates.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/bad_debt.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule7.h"
#include "tests/scenarios/registration.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hz::test {
namespace {

// ---- What users type ------------------------------------------------------------------------------------------

// The empty box comes first: every other text is compared with what it does.
const QString kMistyped[] = {
    QString(),                     // emptied
    QStringLiteral(" "),           // the single blank a box starts with
    QStringLiteral("abc"),         // letters
    QStringLiteral("1,2,3"),       // stray commas: read as 123
    QStringLiteral("１２３"),      // full-width digits
    QStringLiteral("99999999999"), // beyond 32 bits
    QStringLiteral("-5"),          // a negative where an amount is expected
    QStringLiteral("\U0001F600"),  // a character code page 932 cannot hold
};

const QString kTypeMismatch = QStringLiteral("型が一致しません。");
const QString kOverflow = QStringLiteral("オーバーフローしました。");
const QString kFileNotFound = QStringLiteral("ファイルが見つかりません。");
const QString kUnencodable = QStringLiteral("保存できない文字が含まれています。");

// The whole number a text reads as, when it reads as one at all.
std::optional<std::int32_t> wholeOf(const QString &text) {
    if (text == QStringLiteral("1,2,3"))
        return 123;
    if (text == QStringLiteral("-5"))
        return -5;
    return std::nullopt;
}

// Why a text that is no whole number is refused.
QString refusal(const QString &text) { return text == QStringLiteral("99999999999") ? kOverflow : kTypeMismatch; }

// ---- The disk -------------------------------------------------------------------------------------------------

// Every file of drive C, by its path inside the drive.
using Disk = std::map<QString, QByteArray>;

QString driveC() { return qEnvironmentVariable("HOJINZEI_DRIVE_C"); }

QString insideDrive(const QString &windowsPath) { return QDir(driveC()).relativeFilePath(hostPath(windowsPath)); }

Disk readDisk() {
    Disk d;
    QDirIterator it(driveC(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            d[QDir(driveC()).relativeFilePath(path)] = f.readAll();
    }
    return d;
}

void writeDisk(const Disk &d) {
    QDir root(driveC());
    for (const QString &entry : root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFileInfo info(root.filePath(entry));
        if (info.isDir())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
    for (const auto &[path, bytes] : d) {
        const QString host = root.filePath(path);
        QDir().mkpath(QFileInfo(host).absolutePath());
        QFile f(host);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
}

// The record files a company has, each with the line counts its writers give it.
struct RecordKind {
    QString prefix;
    std::vector<int> layouts;
};

const std::vector<RecordKind> &recordKinds() {
    static const std::vector<RecordKind> kinds = {
        {QStringLiteral("c:\\法人税\\法人名\\"), {31, 19}}, // the short form is the maintenance window's
        {QStringLiteral("c:\\法人税\\別表\\特設欄"), {20, 18}},
        {QStringLiteral("c:\\法人税\\別表\\1010"), {65}},
        {QStringLiteral("c:\\法人税\\別表\\1020"), {34}},
        {QStringLiteral("c:\\法人税\\別表\\1040"), {76}},
        {QStringLiteral("c:\\法人税\\別表\\1051"), {77}},
        {QStringLiteral("c:\\法人税\\別表\\1051資準"), {18}},
        {QStringLiteral("c:\\法人税\\別表\\1052"), {78}},
        {QStringLiteral("c:\\法人税\\別表\\1053"), {74}},
        {QStringLiteral("c:\\法人税\\別表\\1060"), {23}},
        {QStringLiteral("c:\\法人税\\別表\\1070"), {37, 43}}, // 43: the zero record
        {QStringLiteral("c:\\法人税\\別表\\1150"), {19}},
        {QStringLiteral("c:\\法人税\\別表\\100111"), {29}},
        {QStringLiteral("c:\\法人税\\別表\\100112"), {71}},
        {QStringLiteral("c:\\法人税\\別表\\中間申告"), {18}},
    };
    return kinds;
}

QString recordOf(const RecordKind &kind, std::int32_t code) { return insideDrive(companyPath(kind.prefix, code)); }

// The kind of record a path names, nullptr for any other file; the code goes to *code.
const RecordKind *kindOf(const QString &path, std::int32_t *code) {
    const RecordKind *found = nullptr;
    qsizetype longest = -1;
    for (const RecordKind &kind : recordKinds()) {
        QString stem = recordOf(kind, 0);
        stem.chop(5); // "0.txt"
        if (!path.startsWith(stem) || !path.endsWith(QStringLiteral(".txt")) || stem.size() <= longest)
            continue;
        bool ok = false;
        const int c = path.mid(stem.size(), path.size() - stem.size() - 4).toInt(&ok);
        if (ok) {
            found = &kind;
            longest = stem.size();
            *code = c;
        }
    }
    return found;
}

bool isScratchFile(const QString &path) { return path.startsWith(insideDrive(dataroot::temp)); }

QString scratchOf(const QString &companyName) {
    return insideDrive(dataroot::temp + safeFileName(companyName) + QStringLiteral(".txt"));
}

const QString kName1 = QStringLiteral("株式会社一番商事");
const QString kName2 = QStringLiteral("有限会社二番工業");

// The files whose lines differ between two readings of the disk, with the first differing line of each; "" when
// the two are the same.
std::string differences(const Disk &a, const Disk &b) {
    std::string out;
    auto tell = [&out](const QString &path, const QString &what) { out += (path + u' ' + what + u'\n').toStdString(); };
    for (const auto &[path, bytes] : a) {
        const auto it = b.find(path);
        if (it == b.end()) {
            tell(path, QStringLiteral("removed"));
            continue;
        }
        if (it->second == bytes)
            continue;
        const QList<QByteArray> x = bytes.split('\n'), y = it->second.split('\n');
        for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
            const QByteArray l = i < x.size() ? x[i].trimmed() : "(none)", r = i < y.size() ? y[i].trimmed() : "(none)";
            if (l != r) {
                tell(path, QStringLiteral("line %1: %2 -> %3")
                               .arg(i + 1)
                               .arg(QString::fromLatin1(l.toHex()), QString::fromLatin1(r.toHex())));
                break;
            }
        }
    }
    for (const auto &[path, bytes] : b)
        if (!a.count(path))
            tell(path, QStringLiteral("added"));
    return out;
}

// Nothing of company 1 or of the installation changed, unless listed in mayChange; every record on the disk is
// whole, with the line count of its layout and CR LF after every line.
void expectNothingLost(const Disk &before, const Disk &after, const std::vector<QString> &mayChange = {}) {
    for (const auto &[path, bytes] : before) {
        std::int32_t code = 0;
        const RecordKind *kind = kindOf(path, &code);
        const bool companyTwo = (kind && code == 2) || path == scratchOf(kName2);
        if (companyTwo || std::find(mayChange.begin(), mayChange.end(), path) != mayChange.end())
            continue;
        const auto it = after.find(path);
        if (it == after.end())
            ADD_FAILURE() << path.toStdString() << " was removed";
        else if (it->second != bytes)
            ADD_FAILURE() << path.toStdString() << " changed:\n" << differences({{path, bytes}}, {{path, it->second}});
    }
    for (const auto &[path, bytes] : after) {
        std::int32_t code = 0;
        const RecordKind *kind = kindOf(path, &code);
        if (!kind) {
            if (!before.count(path) && !isScratchFile(path))
                ADD_FAILURE() << "a file the program does not keep: " << path.toStdString();
            continue;
        }
        const int lines = int(bytes.count("\r\n"));
        const bool whole = bytes.endsWith("\r\n") && bytes.count('\n') == lines &&
                           std::find(kind->layouts.begin(), kind->layouts.end(), lines) != kind->layouts.end();
        EXPECT_TRUE(whole) << path.toStdString() << " is not a whole record: " << lines << " lines";
    }
}

// ---- The fixture ----------------------------------------------------------------------------------------------

class BadInput : public HzTest {
protected:
    // The boxes shown since the session began, each as "title: prompt".
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const ShownBox &b : svc.boxes)
            out.push_back((b.title + QStringLiteral(": ") + b.prompt).toStdString());
        return out;
    }
    static std::string box(const QString &title, const QString &prompt) {
        return (title + QStringLiteral(": ") + prompt).toStdString();
    }

    void forgetShown() {
        svc.boxes.clear();
        svc.events.clear();
        svc.answers.clear();
        svc.beeps = 0;
    }

    // Both companies as a season's work left them, made once and then copied onto each test's fresh drive.
    const Disk &prepared() {
        static Disk disk;
        if (disk.empty()) {
            writeStandardRates();
            fillCompany(1, kName1, QStringLiteral("イチバンショウジ"), 1);
            fillCompany(2, kName2, QStringLiteral("ニバンコウギョウ"), 2);
            EXPECT_EQ(shown(), std::vector<std::string>{}) << "while the two companies were entered";
            destroyAllForms();
            closeSharedHandle();
            disk = readDisk();
            for (std::int32_t code : {1, 2})
                for (const RecordKind &kind : recordKinds())
                    EXPECT_TRUE(disk.count(recordOf(kind, code))) << recordOf(kind, code).toStdString();
        }
        return disk;
    }

    // The program as the user starts it on the prepared disk, with company 2 opened from the menu and then the
    // window of the test brought up by open. Returns the disk as it stands then.
    Disk freshSession(const std::function<void()> &open = {}) {
        const Disk &disk = prepared();
        destroyAllForms();
        closeSharedHandle();
        resetProgramEnded();
        writeDisk(disk);
        forgetShown();
        form1().Text1.setText(QStringLiteral("2"));
        click(form1().Command2); // 会社呼出
        if (open)
            open();
        EXPECT_EQ(shown(), std::vector<std::string>{}) << "while company 2 was opened";
        forgetShown();
        return readDisk();
    }

private:
    // A company registered in the registration window and then entered window by window: the bulk input's
    // figures, shareholders, named rows, dividends, a loss carried forward, the capital part, the interim
    // payments and the bad-debt reserve with its receivables. scale varies the figures from company to company.
    void fillCompany(std::int32_t code, const QString &name, const QString &kana, int scale) {
        auto yen = [scale](int amount) { return fmtAmount(std::int64_t(amount) * scale); };

        registerSampleCompany(code, name, kana, 10 * scale, 8 * scale);

        // The capital part, which the bulk input's load needs besides the schedules registration computed.
        click(form1().Command15);
        Form11 &cap = form11();
        cap.cellBox(1, 1).setText(yen(1000000));
        cap.cellBox(1, 3).setText(yen(200000));
        cap.Text8.setText(QStringLiteral("その他資本剰余金"));
        cap.cellBox(2, 1).setText(yen(500000));
        click(cap.Command1);

        // The year's key figures. Company 2 keeps no 翌期繰越利益金, so opening its bulk input asks nothing.
        click(form1().Command19);
        Form14 &b = form14();
        const std::pair<int, int> figures[] = {{1, 3000000}, {2, scale == 1 ? 5000000 : 0},
                                               {3, 200000},  {4, 30000},
                                               {5, 50000},   {6, 1000},
                                               {7, 400000},  {8, 60000},
                                               {9, 100000},  {10, 150000},
                                               {11, 80000},  {14, 250000},
                                               {15, 20000},  {17, 10000},
                                               {19, 50000},  {20, 7500},
                                               {21, 100000}, {22, 20000},
                                               {23, 600000}};
        for (const auto &[figure, amount] : figures)
            b.bulkFigureBox(figure).setText(yen(amount));
        b.Option2.setValue(true);
        b.Option4.setValue(true);
        click(b.Command1);

        // Shareholders.
        Form4 &s2 = form4();
        const char *holders[][4] = {{"1", "東京都港区", "代表太郎", "本　　人"},
                                    {"2", "東京都港区", "代表花子", "妻"},
                                    {"3", "大阪市北区", "株主次郎", "その他"}};
        for (int row = 1; row <= 3; ++row) {
            s2.rankBox(row).setText(QString::fromUtf8(holders[row - 1][0]));
            s2.addressBox(row).setText(QString::fromUtf8(holders[row - 1][1]));
            s2.nameBox(row).setText(QString::fromUtf8(holders[row - 1][2]));
            s2.relationBox(row).setText(QString::fromUtf8(holders[row - 1][3]));
            s2.holdingBox(row).setText(yen(1000000 * (4 - row)));
        }
        click(s2.Command1);

        // A named line of Schedule 4.
        Form5 &s4 = form5();
        s4.Text41.setText(QStringLiteral("寄附金の損金不算入額"));
        s4.Text40.setText(yen(30000));
        s4.Text38.setText(yen(30000));
        click(s4.Command4);

        // A named reserve of Schedule 5(1).
        Form6 &s51 = form6();
        s51.nameBox(2).setText(QStringLiteral("別途積立金"));
        s51.cellBox(2, 1).setText(yen(1000000));
        s51.cellBox(2, 3).setText(yen(500000));
        click(s51.Command1);

        // A named due of the second Schedule 5(2) window.
        Form13 &p2 = form13();
        p2.nameBox(0).setText(QStringLiteral("印紙税"));
        p2.cellBox(taxGridCell(6, 2))->setText(yen(12000));
        p2.cellBox(taxGridCell(6, 5))->setText(yen(12000));
        click(p2.Command20);

        // The dividend issues by name, the second held half the year, and a loss of last year carried forward.
        Form8 &s6 = form8();
        s6.Text11.setText(QStringLiteral("甲商事株式"));
        s6.Text18.setText(QStringLiteral("乙物産株式"));
        s6.Text19.setText(yen(40000));
        s6.Text20.setText(yen(8000));
        s6.Text21.setText(QStringLiteral("12"));
        s6.Text22.setText(QStringLiteral("6"));
        click(s6.Command1);
        s6.schedule7Box(schedule7Rows[6].outstanding).setText(yen(800000));
        click(s6.Command2);

        // The interim payments.
        click(form3().Command9);
        Form20 &interim = form20();
        const int paid[] = {200000, 20000, 25000, 80000, 40000, 65000};
        const std::array<TextBox *, 6> interimBoxes = {&interim.Text1, &interim.Text2, &interim.Text3,
                                                       &interim.Text4, &interim.Text5, &interim.Text6};
        for (int i = 0; i < 6; ++i)
            interimBoxes[i]->setText(yen(paid[i]));
        click(interim.Command1);

        // The receivables and the bad-debt reserve.
        click(form1().Command21);
        Form16 &detail = form16();
        click(detail.Command2);
        detail.nameBox(1).setText(QStringLiteral("売掛金"));
        detail.nameBox(2).setText(QStringLiteral("受取手形"));
        detail.cellBox(detailCell(1, 18)).setText(yen(5000000));
        detail.cellBox(detailCell(2, 18)).setText(yen(2000000));
        detail.cellBox(detailCell(2, 21)).setText(yen(100000));
        click(detail.Command1);
        Form15 &reserve = form15();
        click(reserve.Command2);
        reserve.lineBox(s11::charged).setText(yen(70000));
        reserve.lineBox(s11::recentReceivables).setText(yen(20000000));
        reserve.lineBox(s11::perPeriod).setText(QStringLiteral("3"));
        reserve.lineBox(s11::lossRo).setText(yen(30000));
        reserve.lineBox(s11::lossPerYear).setText(yen(10000));
        click(reserve.Command1);
    }
};

// ---- Code boxes -----------------------------------------------------------------------------------------------

// The menu's code box, then "会社呼出": a text that is no whole number is refused with its error, a whole number
// that names no company with the missing file; either way the box is emptied and nothing on the disk changes.
TEST_F(BadInput, MenuCodeBoxRefusesWhatNamesNoCompany) {
    for (const QString &text : kMistyped) {
        SCOPED_TRACE(text.toStdString());
        const Disk before = freshSession();
        form1().Text1.setText(text);
        click(form1().Command2); // 会社呼出
        const QString why = wholeOf(text)
                                ? profilePath(*wholeOf(text)) + QStringLiteral(" を読み込めません。\n") + kFileNotFound
                                : refusal(text);
        EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社呼出"), why)});
        EXPECT_EQ(form1().Text1.text().toStdString(), "");
        EXPECT_FALSE(svc.ended);
        expectNothingLost(before, readDisk());
    }
}

// ---- Amount boxes ---------------------------------------------------------------------------------------------

// How a box reads what it is given.
enum class Reading {
    whole,   // a 32-bit whole number: beyond 32 bits is unreadable
    decimal, // a double-precision value: beyond 32 bits still reads
};

// An amount box of a schedule window with the button that computes from it. A text that does not read gives the
// box's fallback: the text that stands for it (0 for nearly every box).
struct AmountBox {
    const char *name;
    std::function<void()> open;
    std::function<TextBox &()> box;
    std::function<Button &()> compute;
    std::function<QString()> fallback = [] { return QStringLiteral("0"); };
    Reading reading = Reading::whole;
    // The bulk input keeps a total of the press before and its chain settles in two presses, so it is pressed
    // twice for each text.
    int presses = 1;
};

// A user's click, for the tables below, which live outside the fixture.
void userClick(Button &b) {
    userAction([&b] { press(b); });
}

// The text a mistyped text must count as in the box: the same number typed plainly, or the box's fallback.
QString countsAs(const AmountBox &b, const QString &text) {
    if (b.reading == Reading::decimal && text == QStringLiteral("99999999999"))
        return text;
    if (const auto v = wholeOf(text))
        return plain(*v);
    return b.fallback();
}

const std::vector<AmountBox> &amountBoxes() {
    static const std::vector<AmountBox> boxes = {
        {"別表一 所得金額", [] { userClick(form1().Command12); }, []() -> TextBox & { return form3().Text3; },
         []() -> Button & { return form3().Command4; }},
        {"別表一 中間法人税額", [] { userClick(form1().Command12); }, []() -> TextBox & { return form3().Text6; },
         []() -> Button & { return form3().Command4; }},
        {"別表一 控除利子割", [] { userClick(form1().Command12); }, []() -> TextBox & { return form3().Text26; },
         []() -> Button & { return form3().Command4; }, [] { return QStringLiteral("0"); }, Reading::decimal},
        {"別表二 持株", [] { userClick(form1().Command4); }, []() -> TextBox & { return form4().holdingBox(1); },
         []() -> Button & { return form4().Command1; }},
        {"別表四 加算", [] { userClick(form1().Command5); }, []() -> TextBox & { return form5().Text40; },
         []() -> Button & { return form5().Command4; }},
        // An empty 留保 of line 1 means the whole profit is retained.
        {"別表四 留保", [] { userClick(form1().Command5); }, []() -> TextBox & { return form5().Text4; },
         []() -> Button & { return form5().Command4; }, [] { return form5().Text5.text(); }},
        {"別表五（一） 期首", [] { userClick(form1().Command6); }, []() -> TextBox & { return form6().cellBox(2, 1); },
         []() -> Button & { return form6().Command1; }},
        {"資本金等 期首", [] { userClick(form1().Command15); }, []() -> TextBox & { return form11().cellBox(1, 1); },
         []() -> Button & { return form11().Command1; }},
        {"別表五（二） 前期", [] { userClick(form1().Command7); }, []() -> TextBox & { return form7().Text11; },
         []() -> Button & { return form7().Command19; }},
        {"別表五（二） 均等割", [] { userClick(form1().Command7); }, []() -> TextBox & { return form7().Text12; },
         []() -> Button & { return form7().Command19; }},
        {"別表五（二）その２ 当期発生額", [] { userClick(form1().Command14); },
         []() -> TextBox & { return *form13().cellBox(taxGridCell(6, 2)); },
         []() -> Button & { return form13().Command20; }},
        {"別表六 受取利子", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text2; },
         []() -> Button & { return form8().Command1; }},
        {"別表六 所有期間", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text21; },
         []() -> Button & { return form8().Command1; }},
        {"別表六 月数", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text22; },
         []() -> Button & { return form8().Command1; }},
        {"別表七 控除未済", [] { userClick(form1().Command8); },
         []() -> TextBox & { return form8().schedule7Box(schedule7Rows[6].outstanding); },
         []() -> Button & { return form8().Command2; }},
        {"別表十五 支出交際費", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text46; },
         []() -> Button & { return form8().Command3; }},
        {"中間申告", [] { userClick(form3().Command9); }, []() -> TextBox & { return form20().Text1; },
         []() -> Button & { return form20().Command1; }},
        {"一括入力 売上", [] { userClick(form1().Command19); }, []() -> TextBox & { return form14().bulkFigureBox(1); },
         []() -> Button & { return form14().Command1; }, [] { return QStringLiteral("0"); }, Reading::whole, 2},
        {"一括入力 源泉所得税", [] { userClick(form1().Command19); },
         []() -> TextBox & { return form14().bulkFigureBox(20); }, []() -> Button & { return form14().Command1; },
         [] { return QStringLiteral("0"); }, Reading::whole, 2},
        {"貸倒引当金 繰入額", [] { userClick(form1().Command21); },
         []() -> TextBox & { return form15().lineBox(s11::charged); }, []() -> Button & { return form15().Command1; }},
        // A number of periods nobody could read counts as 100.
        {"貸倒引当金 事業年度の数", [] { userClick(form1().Command21); },
         []() -> TextBox & { return form15().lineBox(s11::perPeriod); }, []() -> Button & { return form15().Command1; },
         [] { return QStringLiteral("100"); }},
        {"一括評価金銭債権 期末残高", [] { userClick(form1().Command21), userClick(form15().Command4); },
         []() -> TextBox & { return form16().cellBox(detailCell(1, 18)); },
         []() -> Button & { return form16().Command1; }},
    };
    return boxes;
}

// Whatever is typed into an amount box, compute saves exactly what typing the number it counts as saves: no box
// is shown, no record is half written, company 1 is untouched.
TEST_F(BadInput, AmountBoxesCountMistypedTextAsTheirFallback) {
    for (const AmountBox &b : amountBoxes()) {
        SCOPED_TRACE(b.name);
        const Disk before = freshSession(b.open);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            b.box().setText(countsAs(b, text));
            for (int i = 0; i < b.presses; ++i)
                click(b.compute());
            const Disk expected = readDisk();
            for (int i = 0; i < b.presses; ++i) {
                b.box().setText(text);
                click(b.compute());
            }
            const Disk got = readDisk();
            EXPECT_EQ(differences(expected, got), "");
            EXPECT_EQ(shown(), std::vector<std::string>{});
            EXPECT_FALSE(svc.ended);
            forgetShown();
            expectNothingLost(before, got);
        }
    }
}

// ---- The registration window: code, capital and date boxes -----------------------------------------------------

// The registration window from the menu, filled in for a new company 3 with its business year worked out.
void fillNewCompany() {
    userClick(form1().Command1); // 会社登録
    Form2 &r = form2();
    r.Text1.setText(QStringLiteral("3"));
    r.Text3.setText(QStringLiteral("株式会社三番物産"));
    r.Text11.setText(QStringLiteral("10,000,000"));
    r.Text13.setText(QStringLiteral("19"));
    r.Text14.setText(QStringLiteral("4"));
    r.Text15.setText(QStringLiteral("1"));
    userClick(r.Command3); // 事業年度
}

// Every number box of the registration must hold a number: otherwise "登録実行" shows its error and nothing is
// written; a number (the commas and the negative included) registers the company under the code it reads as.
TEST_F(BadInput, RegistrationRefusesNumberBoxesThatHoldNoNumber) {
    const std::pair<const char *, std::function<TextBox &()>> boxes[] = {
        {"法人コード", []() -> TextBox & { return form2().Text1; }},
        {"資本金", []() -> TextBox & { return form2().Text11; }},
        {"事業年度 年", []() -> TextBox & { return form2().Text13; }},
        {"事業年度 月", []() -> TextBox & { return form2().Text14; }},
        {"決算確定日 日", []() -> TextBox & { return form2().Text4; }},
    };
    for (const auto &[name, field] : boxes) {
        SCOPED_TRACE(name);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            const Disk before = freshSession(fillNewCompany);
            field().setText(text);
            click(form2().Command4); // 登録実行
            const auto code = &field() == &form2().Text1 ? wholeOf(text) : std::optional<std::int32_t>(3);
            const Disk after = readDisk();
            if (!wholeOf(text)) {
                EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社登録"), refusal(text))});
                EXPECT_EQ(differences(before, after), "");
                continue;
            }
            EXPECT_EQ(shown(), std::vector<std::string>{});
            EXPECT_TRUE(after.count(insideDrive(profilePath(*code)))) << "company " << *code << " not registered";
            expectNothingLost(before, after);
        }
    }
}

// "事業年度" works out the end of the year from the start: a start that holds no number shows its error.
TEST_F(BadInput, BusinessYearRefusesADateThatHoldsNoNumber) {
    freshSession(fillNewCompany);
    Form2 &r = form2();
    const std::pair<const char *, TextBox *> starts[] = {{"年", &r.Text13}, {"月", &r.Text14}, {"日", &r.Text15}};
    for (const auto &[name, field] : starts) {
        SCOPED_TRACE(name);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            r.Text13.setText(QStringLiteral("19"));
            r.Text14.setText(QStringLiteral("4"));
            r.Text15.setText(QStringLiteral("1"));
            field->setText(text);
            r.Text17.setText(QString());
            click(r.Command3);
            if (wholeOf(text)) {
                EXPECT_EQ(shown(), std::vector<std::string>{});
                EXPECT_NE(r.Text17.text().toStdString(), "");
            } else {
                EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("事業年度入力"), refusal(text))});
                EXPECT_EQ(r.Text17.text().toStdString(), "");
            }
            forgetShown();
        }
    }
}

// ---- Name boxes -----------------------------------------------------------------------------------------------

// A box of free text saved with a schedule's record, the button that saves it and the title of its error box.
struct NameBox {
    const char *name;
    std::function<void()> open;
    std::function<TextBox &()> box;
    std::function<Button &()> save;
    QString title;
    QString record; // the prefix of the record the text is saved in
};

// Any text that code page 932 holds is saved as typed, between double quotation marks; one it cannot hold is
// refused with its error box and the record keeps what it held.
TEST_F(BadInput, NameBoxesSaveWhatCodePage932HoldsAndRefuseTheRest) {
    const QString code = QStringLiteral("法人コードの入力");
    const NameBox boxes[] = {
        {"別表二 株主", [] { userClick(form1().Command4); }, []() -> TextBox & { return form4().nameBox(1); },
         []() -> Button & { return form4().Command1; }, QStringLiteral("別表二"), u"c:\\法人税\\別表\\1020"_qs},
        {"別表四 加算の名", [] { userClick(form1().Command5); }, []() -> TextBox & { return form5().Text41; },
         []() -> Button & { return form5().Command4; }, QStringLiteral("別表四"), u"c:\\法人税\\別表\\1040"_qs},
        {"別表五（一） 積立金の名", [] { userClick(form1().Command6); },
         []() -> TextBox & { return form6().nameBox(2); }, []() -> Button & { return form6().Command1; },
         QStringLiteral("別表五（一）"), u"c:\\法人税\\別表\\1051"_qs},
        {"資本金等 行の名", [] { userClick(form1().Command15); }, []() -> TextBox & { return form11().Text8; },
         []() -> Button & { return form11().Command1; }, QStringLiteral("資本準備金"),
         u"c:\\法人税\\別表\\1051資準"_qs},
        {"別表五（二）その２ 税目", [] { userClick(form1().Command14); },
         []() -> TextBox & { return form13().nameBox(0); }, []() -> Button & { return form13().Command20; },
         QStringLiteral("別表五（二）の２"), u"c:\\法人税\\別表\\1053"_qs},
        {"別表六 銘柄", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text11; },
         []() -> Button & { return form8().Command1; }, code, u"c:\\法人税\\別表\\1060"_qs},
        {"一括評価金銭債権 勘定科目", [] { userClick(form1().Command21), userClick(form15().Command4); },
         []() -> TextBox & { return form16().nameBox(1); }, []() -> Button & { return form16().Command1; },
         QStringLiteral("貸倒引当金（一括評価金銭債権の明細外）"), u"c:\\法人税\\別表\\100112"_qs},
    };
    for (const NameBox &b : boxes) {
        SCOPED_TRACE(b.name);
        const Disk before = freshSession(b.open);
        const QString record = insideDrive(companyPath(b.record, 2));
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            const Disk was = readDisk();
            b.box().setText(text);
            click(b.save());
            const Disk after = readDisk();
            if (text == kMistyped[std::size(kMistyped) - 1]) {
                EXPECT_EQ(shown(), std::vector<std::string>{box(b.title, kUnencodable)});
                EXPECT_EQ(differences({{record, was.at(record)}}, {{record, after.at(record)}}), "");
            } else {
                EXPECT_EQ(shown(), std::vector<std::string>{});
                EXPECT_TRUE(("\r\n" + after.at(record)).contains("\r\n" + encodeCp932(u'"' + text + u'"') + "\r\n"))
                    << record.toStdString();
            }
            forgetShown();
            expectNothingLost(before, after);
        }
    }
}

// The registration refuses a company name that code page 932 cannot hold before it writes anything.
TEST_F(BadInput, RegistrationRefusesANameCodePage932CannotHold) {
    const Disk before = freshSession(fillNewCompany);
    form2().Text3.setText(QStringLiteral("株式会社\U0001F600"));
    click(form2().Command4);
    EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社登録"), kUnencodable)});
    EXPECT_EQ(differences(before, readDisk()), "");
    EXPECT_EQ(form1().Text1.text().toStdString(), "2");
}

// ---- Rate boxes -----------------------------------------------------------------------------------------------

// The tax-rate window saves each box as a single-precision value: what does not read is saved as 0, a value
// beyond 32 bits as itself.
TEST_F(BadInput, RateBoxesSaveWhatDoesNotReadAsZero) {
    const QString rates = QStringLiteral("c:\\法人税\\税率.txt");
    const Disk before = freshSession([] { userClick(form1().Command23); });
    // Item 1, the corporate-tax rate, and item 7, the prefectural levy.
    const std::pair<int, TextBox *> items[] = {{1, &form18().Text10}, {7, &form18().Text34}};
    for (const auto &[item, field] : items) {
        SCOPED_TRACE(item);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            userClick(form18().Command3); // とりあえず１８万円
            QList<QByteArray> expected = readFile(rates).split('\n');
            const double v = text == QStringLiteral("99999999999") ? 99999999999.0 : wholeOf(text).value_or(0);
            expected[item - 1] = encodeCp932(singleText(float(v))) + '\r';
            field->setText(text);
            click(form18().Command4);
            EXPECT_EQ(readFile(rates).split('\n'), expected);
            EXPECT_EQ(shown(), std::vector<std::string>{});
            forgetShown();
            expectNothingLost(before, readDisk(), {insideDrive(rates)});
        }
    }
}

// An amount that reads but leaves no room for any sum: each compute either saves or shows the overflow in its
// error box, and never leaves a half record.
TEST_F(BadInput, AmountsAtTheLimitOf32BitsSaveOrShowTheOverflow) {
    for (const AmountBox &b : amountBoxes()) {
        SCOPED_TRACE(b.name);
        const Disk before = freshSession(b.open);
        b.box().setText(QStringLiteral("2,147,483,647"));
        click(b.compute());
        for (const ShownBox &shownBox : svc.boxes)
            EXPECT_EQ(shownBox.prompt.toStdString(), kOverflow.toStdString()) << shownBox.title.toStdString();
        EXPECT_FALSE(svc.ended);
        expectNothingLost(before, readDisk());
    }
}

// The menu's company name names the bulk input's scratch file: whatever it holds, the file lands in the scratch
// folder under a name the file system takes, and nothing else on the disk changes.
TEST_F(BadInput, BulkInputKeepsItsScratchFileInTheScratchFolder) {
    std::vector<QString> names(std::begin(kMistyped), std::end(kMistyped));
    names.push_back(QStringLiteral("..\\..\\税率"));
    names.push_back(QStringLiteral("a/b:c*?\"<>|"));
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const Disk before = freshSession();
        form1().Text2.setText(name);
        click(form1().Command19); // 一括入力
        const Disk after = readDisk();
        EXPECT_EQ(shown(), std::vector<std::string>{});
        std::vector<std::string> added;
        for (const auto &[path, bytes] : after)
            if (!before.count(path))
                added.push_back(path.toStdString());
        ASSERT_EQ(added.size(), 1u);
        EXPECT_TRUE(isScratchFile(QString::fromStdString(added[0]))) << added[0];
        EXPECT_EQ(QFileInfo(QString::fromStdString(added[0])).path(), QFileInfo(scratchOf(kName2)).path());
        expectNothingLost(before, after);
    }
}

} // namespace
} // namespace hz::test
