#pragma once

// Two companies on the disk, each filled in completely through the windows as a user does, and what a scenario
// needs to compare the disk before and after: every file of drive C by its path, the record kinds a company has
// with the line counts their writers give them, and the differences line by line.

#include "app/Form1.h"
#include "company/Form2.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/form.h"
#include "print/print_load.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
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

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace hz::test {

// ---- The disk -------------------------------------------------------------------------------------------------

// Every file of drive C, by its path inside the drive.
using Disk = std::map<QString, QByteArray>;

inline QString driveC() { return qEnvironmentVariable("HOJINZEI_DRIVE_C"); }

inline QString insideDrive(const QString &windowsPath) {
    return QDir(driveC()).relativeFilePath(hostPath(windowsPath));
}

// Every file below root (drive C unless said), by its path below root.
inline Disk readDisk(const QString &root = driveC()) {
    Disk d;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            d[QDir(root).relativeFilePath(path)] = f.readAll();
    }
    return d;
}

inline void writeDisk(const Disk &d) {
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

inline const std::vector<RecordKind> &recordKinds() {
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

inline QString recordOf(const RecordKind &kind, std::int32_t code) {
    return insideDrive(companyPath(kind.prefix, code));
}

// The kind of record a path names, nullptr for any other file; the code goes to *code.
inline const RecordKind *kindOf(const QString &path, std::int32_t *code) {
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

inline bool isScratchFile(const QString &path) { return path.startsWith(insideDrive(dataroot::temp)); }

inline QString scratchOf(const QString &companyName) {
    return insideDrive(dataroot::temp + safeFileName(companyName) + QStringLiteral(".txt"));
}

// The tax accountant shared by every company, as a season's work left it.
inline void writeSampleAccountant() {
    Texts<5> accountant;
    accountant[1] = QStringLiteral("税理士一郎");
    accountant[2] = QStringLiteral("03-1111-2222");
    accountant[3] = QStringLiteral("東京都中央区銀座1-1");
    accountant[4] = QStringLiteral("12345");
    accountant[5] = QStringLiteral("京橋支部");
    writeTaxAccountant(accountant);
}

inline const QString kName1 = QStringLiteral("株式会社一番商事");
inline const QString kName2 = QStringLiteral("有限会社二番工業");

// The files whose lines differ between two readings of the disk, with the first differing line of each; "" when
// the two are the same.
inline std::string differences(const Disk &a, const Disk &b) {
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

// Every file of before stands in after with the same bytes, but those that mayChange.
inline void expectFilesKept(const Disk &before, const Disk &after,
                            const std::function<bool(const QString &)> &mayChange) {
    for (const auto &[path, bytes] : before) {
        if (mayChange(path))
            continue;
        const auto it = after.find(path);
        if (it == after.end())
            ADD_FAILURE() << path.toStdString() << " was removed";
        else if (it->second != bytes)
            ADD_FAILURE() << path.toStdString() << " changed:\n" << differences({{path, bytes}}, {{path, it->second}});
    }
}

// Nothing of company 1 or of the installation changed, unless listed in mayChange; every record on the disk is
// whole, with the line count of its layout and CR LF after every line.
inline void expectNothingLost(const Disk &before, const Disk &after, const std::vector<QString> &mayChange = {}) {
    expectFilesKept(before, after, [&mayChange](const QString &path) {
        std::int32_t code = 0;
        const bool companyTwo = (kindOf(path, &code) && code == 2) || path == scratchOf(kName2);
        return companyTwo || std::find(mayChange.begin(), mayChange.end(), path) != mayChange.end();
    });
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

// Two companies filled in through the windows as a user does, kept on the disk.

class TwoCompanies : public HzTest {
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
    Disk freshSession(const std::function<void()> &open = {}) { return session(2, open); }

    // The same with the company of code opened.
    Disk session(std::int32_t code, const std::function<void()> &open = {}) {
        destroyAllForms();
        return reopen(code, open);
    }

    // The prepared disk again and the company of code opened, in the windows as they stand: quicker than a
    // fresh session where the windows may keep what the last one left.
    Disk reopen(std::int32_t code, const std::function<void()> &open = {}) {
        const Disk &disk = prepared();
        closeSharedHandle();
        resetProgramEnded();
        writeDisk(disk);
        forgetShown();
        form1().Text1.setText(QString::number(code));
        click(form1().Command2); // 会社呼出
        if (open)
            open();
        EXPECT_EQ(shown(), std::vector<std::string>{}) << "while company " << code << " was opened";
        forgetShown();
        return readDisk();
    }

protected:
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

} // namespace hz::test
