// A whole season as a user lives it: a company registered and filled in window by window next to a neighbour
// company in the same data root, every page and every set of the print window printed to PDF files and read back,
// then the data window's backup, deletion, restore, copy and rollover. The neighbour's files never change.
//
// Rates of the "とりあえず１８万円" preset: corporate 22 %, enterprise 5 % / 7.3 %, prefectural 5 % with 50,000
// per capita, municipal 12.3 % with 130,000 per capita.

#include "app/Form1.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "maintenance/Form10.h"
#include "maintenance/company_files.h"
#include "print/Form12.h"
#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/bulk_input.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule6.h"
#include "schedules/more/schedule7.h"
#include "tests/scenarios/registration.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>

#include <poppler-qt6.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace hz::test {
namespace {

constexpr std::int32_t kCode = 3;
constexpr std::int32_t kNeighbourCode = 12;
const QString kName = QStringLiteral("株式会社四季商会");
const QString kNeighbour = QStringLiteral("有限会社隣町工業");

class Season : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        form1(); // the program has started on a fresh disk
        setPresetRates();
        enterNeighbour();
        neighbourBefore = companyRecords(kNeighbourCode, kNeighbour);
        enterCompany();
        ASSERT_EQ(shown(), std::vector<std::string>{});
    }
    void TearDown() override {
        qunsetenv("HOJINZEI_PRINT_DIR");
        HzTest::TearDown();
    }

    // The menu's "税率の設定", its preset "とりあえず１８万円" (saved at once) and "画面の消去".
    // The neighbour: registered, its profit computed through Schedules 4 and 1.
    static void enterNeighbour() {
        registerSampleCompany(kNeighbourCode, kNeighbour, QStringLiteral("ユウゲンガイシャトナリマチコウギョウ"), 3, 4);
        click(form1().Command5);
        form5().Text5.setText(QStringLiteral("1,200,000"));
        click(form5().Command4);
        click(form1().Command12);
        click(form3().Command4);
    }

    // The season's company, each schedule in its own window from the menu.
    static void enterCompany() {
        registerSampleCompany(kCode, kName, QStringLiteral("カブシキガイシャシキショウカイ"), 10, 9);

        // Schedule 4: the profit, and a donation not deductible (line 9, all of it 社外流出).
        click(form1().Command5);
        Form5 &s4 = form5();
        s4.Text5.setText(QStringLiteral("6,000,000"));
        s4.Text41.setText(QStringLiteral("寄附金の損金不算入額"));
        s4.Text40.setText(QStringLiteral("50,000"));
        s4.Text38.setText(QStringLiteral("50,000"));
        click(s4.Command4);

        // Schedule 5(2): the interim taxes paid and expensed (the per-capita parts 25,000 and 65,000 included);
        // its compute carries them into Schedule 4.
        click(form1().Command7);
        auto cell = [](auto &window, int row, int column, const char *text) {
            window.cellBox(taxGridCell(row, column))->setText(QString::fromUtf8(text));
        };
        cell(form7(), 2, 2, "300,000"); // 法人税 中間 ②
        cell(form7(), 2, 5, "300,000"); //          ⑤ 損金経理
        cell(form7(), 7, 2, "40,000");  // 県民税 中間
        cell(form7(), 7, 5, "40,000");
        cell(form7(), 11, 2, "100,000"); // 市民税 中間
        cell(form7(), 11, 5, "100,000");
        click(form7().Command19);

        // Its second window: the interim enterprise tax, the tax provision at the start and charged this year.
        click(form1().Command14);
        cell(form13(), 2, 2, "100,000"); // 事業税 中間
        cell(form13(), 2, 5, "100,000");
        form13().Text83.setText(QStringLiteral("400,000"));
        form13().Text84.setText(QStringLiteral("800,000"));
        click(form13().Command20);

        // Schedule 5(1): a named reserve, the retained earnings, the provision at the start.
        click(form1().Command6);
        form6().nameBox(2).setText(QStringLiteral("別途積立金"));
        struct Cell {
            int row, column;
            const char *text;
        };
        for (const Cell &c : {Cell{2, 1, "2,000,000"}, Cell{2, 3, "300,000"}, Cell{9, 1, "3,000,000"},
                              Cell{9, 3, "5,700,000"}, Cell{10, 1, "400,000"}})
            form6().cellBox(c.row, c.column).setText(QString::fromUtf8(c.text));
        click(form6().Command1);

        // Schedule 7: a loss of two years before, 1,000,000 still outstanding.
        click(form1().Command8);
        form8().schedule7Box(schedule7Rows[5].outstanding).setText(QStringLiteral("1,000,000"));
        click(form8().Command2);

        // Opening the company again lets the figures settle; Schedule 5(2), still open, takes Schedule 1's final
        // taxes at its next compute.
        form1().Text1.setText(QString::number(kCode));
        click(form1().Command2);
        click(form3().Command9);
        Form20 &i = form20();
        i.Text1.setText(QStringLiteral("300,000")); // 法人税
        i.Text2.setText(QStringLiteral("15,000"));  // 法人県民税
        click(i.Command6);                          // 均等割１８万円: 25,000 and 65,000
        i.Text4.setText(QStringLiteral("100,000")); // 事業税
        i.Text5.setText(QStringLiteral("35,000"));  // 法人市民税
        click(i.Command1);
        click(form3().Command4);
        click(form7().Command19);
    }

    // Every record a company can have, by path; a file that is not there reads as "<none>".
    static QMap<QString, QByteArray> companyRecords(std::int32_t code, const QString &name) {
        QStringList files = company_files::coreFiles(code) + company_files::otherRecordFiles(code) +
                            company_files::statementFiles(code);
        files << bulkScratchPath(name);
        QMap<QString, QByteArray> out;
        for (const QString &f : files)
            out[f] = exists(f) ? readFile(f) : QByteArrayLiteral("<none>");
        return out;
    }

    QMap<QString, QByteArray> neighbourBefore;

    // The records of a company (as companyRecords reads them) whose bytes are no longer those of before.
    static std::vector<std::string> changedRecords(const QMap<QString, QByteArray> &before, std::int32_t code,
                                                   const QString &name) {
        const QMap<QString, QByteArray> now = companyRecords(code, name);
        std::vector<std::string> changed;
        for (auto it = now.begin(); it != now.end(); ++it)
            if (before.value(it.key()) != it.value())
                changed.push_back(it.key().toStdString());
        return changed;
    }

    // The lines of a record file, without the line ends.
    static QStringList recordLines(const QString &windowsPath) {
        QStringList l = decodeCp932(readFile(windowsPath)).split(QStringLiteral("\r\n"));
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }

    // The boxes shown since the last call, each as "title: prompt"; forgets them.
    std::vector<std::string> shown() { return svc.takeShown(); }
};

// ---- Reading the printed files ----------------------------------------------------------------------------

// One word of a PDF page with the box of each of its characters, in millimetres from the printable area.
struct GlyphWord {
    QString text;
    std::vector<QRectF> chars;
};

std::vector<GlyphWord> glyphWords(const QString &pdfPath) {
    std::vector<GlyphWord> out;
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(pdfPath);
    if (!doc || doc->numPages() != 1) {
        ADD_FAILURE() << "not a one-page PDF: " << pdfPath.toStdString();
        return out;
    }
    for (const auto &box : doc->page(0)->textList()) {
        GlyphWord w{box->text(), {}};
        for (int i = 0; i < w.text.size(); ++i) {
            const QRectF r = box->charBoundingBox(i);
            w.chars.emplace_back(r.x() * mmPerPoint - sheet::originX, r.y() * mmPerPoint - sheet::originY,
                                 r.width() * mmPerPoint, r.height() * mmPerPoint);
        }
        out.push_back(std::move(w));
    }
    return out;
}

// Whether the PDF shows the recorded text where the recorder put it: its first visible character starts where
// the text's leading blanks end, on the text's line.
bool printedWhereRecorded(const std::vector<GlyphWord> &words, const PrintOp &op) {
    const QString shown = op.text.trimmed();
    const double x = op.x + textWidthMm(printFont(op.font, op.size), op.text.left(op.text.indexOf(shown.front())));
    for (const GlyphWord &w : words)
        for (qsizetype i = w.text.indexOf(shown); i >= 0; i = w.text.indexOf(shown, i + 1))
            if (std::abs(w.chars[std::size_t(i)].left() - x) < 0.6 && std::abs(w.chars[std::size_t(i)].top() - op.y) < 1.0)
                return true;
    return false;
}

std::string describe(const PrintOp &op) {
    return QStringLiteral("\"%1\" at (%2, %3)").arg(op.text).arg(op.x).arg(op.y).toStdString();
}

bool isDigit(const PrintOp &op) {
    const QString t = op.text.trimmed();
    return t.size() == 1 && t.front().isDigit();
}

// The digit rows of a recorded page: the single digits printed into boxes, read left to right along each line,
// a gap wider than a box starting a new row.
QStringList digitRows(const PrintJobLog &job) {
    std::vector<PrintOp> digits;
    for (const PrintOp &op : job.texts())
        if (isDigit(op))
            digits.push_back(op);
    std::stable_sort(digits.begin(), digits.end(), [](const PrintOp &a, const PrintOp &b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    QStringList rows;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i == 0 || digits[i].y != digits[i - 1].y || digits[i].x - digits[i - 1].x > 13.0)
            rows << QString();
        rows.back() += digits[i].text.trimmed();
    }
    return rows;
}

// What each page must show of the company: texts printed whole, and rows of box digits (Schedule 1's amounts and
// dates, the local return's figures).
struct PageExpectation {
    QString caption;
    QStringList texts;
    QStringList digitRows;
};

// Income 6,290,000: profit 6,000,000, additions 1,290,000 (corporate tax 300,000, inhabitant taxes 140,000, the
// provision 800,000, the donation 50,000), the loss of two years before 1,000,000. Corporate tax 22 % = 1,383,800,
// less the interim 300,000: 1,083,800 due. Enterprise tax 4,000,000 at 5 % = 200,000 and 2,290,000 at 7.3 % =
// 167,170 → 167,100, less the interim 100,000: 267,100. Prefectural: 5 % of 1,383,000 = 69,150, less 15,000 →
// 54,100, with 50,000 − 25,000 per capita: 79,100. Municipal: 12.3 % of 1,383,000 = 170,109, less 35,000 → 135,100,
// with 130,000 − 65,000 per capita: 200,100.
std::vector<PageExpectation> expectedPages() {
    const QStringList header{kName, "19", "20", "31"};
    // Schedule 1 in box digits: the income, the corporate tax and, in hundreds, the tax still due.
    const QStringList schedule1Rows{"6290000", "1383800", "10838"};
    return {
        {"別表一", {kName, "10,000,000"}, schedule1Rows + QStringList{"190401", "200331"}},
        {"別表二", header, {}},
        {"別表四", header + QStringList{"6,000,000", "7,290,000", "1,000,000", "6,290,000"}, {}},
        {"別五（一）", header + QStringList{"2,300,000", "1,083,800", "79,100", "200,100"}, {}},
        {"別五（二）", header + QStringList{"300,000", "1,083,800", "79,100", "200,100", "1,200,000"}, {}},
        {"別表六", header, {}},
        {"別表七", header + QStringList{"1,000,000"}, {}},
        {"別表十五", header, {}},
        {"法人県民税", {kName, "代表太郎", "19", "20", "31"}, {"6290000", "1383800", "79100", "267100"}},
        {"県税の欠損金", {kName, "1,000,000"}, {}},
        {"利子割控除", {kName}, {}},
        {"利子の愛知県", {kName}, {}},
        {"法人市民税", {kName, "代表太郎", "1,383,800", "170,109", "200,100"}, {}},
        {"市民税入力用", {"1,383,800", "170,109", "200,100"}, {}},
        {"税務署用紙・別表一", {kName, "10,000,000"}, schedule1Rows},
        {"税務代理権限書", {kName}, {}},
    };
}

TEST_F(Season, EveryPageAndEverySetPrintsToItsOwnFileWithTheCompanysFigures) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    qputenv("HOJINZEI_PRINT_DIR", folder.path().toUtf8());
    click(form1().Command18); // 印  刷
    Form12 &f = form12();
    ASSERT_TRUE(f.isVisible());
    EXPECT_EQ(f.Label1.caption(), QStringLiteral("所得金額: 6,290,000"));

    // Every page button down the column, then the three sets.
    QStringList printed;
    for (Button *b : {&f.Command12, &f.Command4, &f.Command22, &f.Command23, &f.Command7, &f.Command8, &f.Command14,
                      &f.Command13, &f.Command3, &f.Command2, &f.Command10, &f.Command16, &f.Command9, &f.Command11,
                      &f.Command26, &f.Command25}) {
        click(*b);
        printed << b->caption();
    }
    click(f.Command27); // １部一括印刷
    printed << QStringList{"別表二", "別表四", "別五（一）", "別五（二）", "別表六", "別表七", "別表十五"};
    click(f.Command30); // 県税一括印刷
    printed << QStringList{"法人県民税", "県税の欠損金", "利子割控除", "利子の愛知県", "法人県民税"};
    click(f.Command31); // 市民税税一括印刷
    printed << QStringList{"法人市民税", "市民税入力用", "法人市民税"};
    EXPECT_EQ(shown(), std::vector<std::string>{});

    QStringList expectedFiles;
    for (qsizetype i = 0; i < printed.size(); ++i)
        expectedFiles << QStringLiteral("%1-%2.pdf").arg(i + 1, 3, 10, QLatin1Char('0')).arg(printed[i]);
    const QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files, expectedFiles);
    QStringList counters;
    for (int i = 1; i <= 14; ++i)
        counters << f.printCounter(i)->text();
    EXPECT_EQ(counters, (QStringList{"1", "2", "2", "2", "2", "2", "2", "2", "3", "2", "2", "2", "3", "2"}));

    // Each file holds one page with the company's figures where the recorder puts them for the same data.
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QString caption = file.mid(4).chopped(4);
        const std::vector<PageExpectation> pages = expectedPages();
        const auto e = std::find_if(pages.begin(), pages.end(),
                                    [&](const PageExpectation &p) { return p.caption == caption; });
        ASSERT_NE(e, pages.end());
        PrintData data = f.data;
        PageState state = f.state;
        const PrintJobLog job = recordPage(caption, data, state);
        const QString pdf = QDir(folder.path()).filePath(file);
        const std::vector<GlyphWord> words = glyphWords(pdf);
        if (qEnvironmentVariableIsSet("HOJINZEI_SNAPSHOT_DIR"))
            snapshotImage(renderPdf(pdf, 100), QStringLiteral("season-") + file.chopped(4));
        for (const QString &text : e->texts) {
            const std::vector<PrintOp> all = job.texts();
            EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const PrintOp &op) { return op.text.trimmed() == text; }))
                << text.toStdString() << " is not printed";
        }
        const QStringList rows = digitRows(job);
        for (const QString &row : e->digitRows)
            EXPECT_TRUE(rows.contains(row)) << row.toStdString() << " not among " << rows.join(u' ').toStdString();
        int checked = 0;
        for (const PrintOp &op : job.texts())
            if (e->texts.contains(op.text.trimmed()) || (!e->digitRows.isEmpty() && isDigit(op))) {
                ++checked;
                EXPECT_TRUE(printedWhereRecorded(words, op)) << describe(op);
            }
        EXPECT_GE(checked, e->texts.size());
    }
    EXPECT_EQ(changedRecords(neighbourBefore, kNeighbourCode, kNeighbour), std::vector<std::string>{});
}

// The menu's company list, one company a line.
std::string listed() {
    QStringList out;
    for (int i = 0; i < form1().List1.listCount(); ++i)
        out << form1().List1.itemText(i);
    return out.join(u'\n').toStdString();
}

TEST_F(Season, BackupDeletionRestoreCopyAndRolloverThroughTheDataWindow) {
    const QMap<QString, QByteArray> season = companyRecords(kCode, kName);
    const QString listedCompany = QStringLiteral("03 : 株式会社四季商会  [平成19.4.1]");
    const QString listedNeighbour = QStringLiteral("012 : 有限会社隣町工業  [平成19.4.1]");
    const std::string both = (listedCompany + u'\n' + listedNeighbour).toStdString();
    click(form1().Command16); // 法人税の目次
    ASSERT_EQ(listed(), both);

    // The menu's "データ" on the open company, and its "DATA".
    click(form1().Command13);
    Form10 &d = form10();
    click(d.Command7);
    EXPECT_EQ(d.Text5.text(), kName);
    EXPECT_EQ((QStringList{d.Text13.text(), d.Text14.text(), d.Text15.text(), d.Text17.text(), d.Text18.text(),
                           d.Text19.text()}),
              (QStringList{"19", "4", "1", "20", "3", "31"}));

    // フロッピーへコピーする: the profile and the nine schedules on A:, as they are on C:.
    click(d.Command1);
    EXPECT_EQ(shown(), std::vector<std::string>{});
    for (const QString &file : company_files::coreFiles(kCode))
        EXPECT_TRUE(readFile(company_files::onFloppy(file)) == season[file]) << file.toStdString();

    // HDDより削除する: after the question nothing of the company is left on C:, and the menu no longer lists it.
    svc.answer(mb::Ok);
    click(d.Command19);
    const QString deletion = kName + QStringLiteral("　を削除しますか");
    EXPECT_EQ(shown(), std::vector<std::string>{(deletion + QStringLiteral(": ") + deletion).toStdString()});
    for (auto it = season.begin(); it != season.end(); ++it)
        EXPECT_FALSE(exists(it.key())) << it.key().toStdString();
    EXPECT_EQ(listed(), listedNeighbour.toStdString());

    // フロッピーよりHDDへ戻す: nothing to overwrite, so no question; every record is back byte for byte.
    d.Text6.setText(QString::number(kCode));
    click(d.Command2);
    EXPECT_EQ(shown(), std::vector<std::string>{});
    EXPECT_EQ(changedRecords(season, kCode, kName), std::vector<std::string>{});
    click(form1().Command16); // 法人税の目次: the menu's list, refreshed
    EXPECT_EQ(listed(), both);

    // へ、リストアする to the new code 30: the schedules and the special fields as they are, the profile under 30.
    constexpr std::int32_t copyCode = 30;
    d.Text6.setText(QString::number(kCode));
    d.Text39.setText(QString::number(copyCode));
    click(d.Command18);
    EXPECT_EQ(shown(), std::vector<std::string>{});
    const QStringList from = company_files::scheduleFiles(kCode) << specialFieldPath(kCode);
    const QStringList to = company_files::scheduleFiles(copyCode) << specialFieldPath(copyCode);
    for (qsizetype i = 0; i < from.size(); ++i)
        EXPECT_TRUE(readFile(to[i]) == season[from[i]]) << to[i].toStdString();
    QStringList profile = recordLines(profilePath(kCode));
    profile[0] = QString::number(copyCode);
    EXPECT_EQ(recordLines(profilePath(copyCode)), profile);
    const QMap<QString, QByteArray> copied = companyRecords(copyCode, kName);

    // 次年度更新する: the year closed and its balances carried into the opening columns.
    auto numbers = [](const QString &path, int count) { return recordLines(path).mid(0, count); };
    const QStringList old7 = numbers(schedule7Path(kCode), 25);
    const QStringList old51 = recordLines(schedule5_1Path(kCode));
    const QStringList old52p2 = recordLines(schedule5_2Part2Path(kCode));
    const QStringList old4 = recordLines(schedule4Path(kCode));
    const QStringList old6 = recordLines(schedule6Path(kCode));
    d.Text6.setText(QString::number(kCode));
    svc.answer(mb::Ok);
    click(d.Command5);
    const QString rollover = kName + QStringLiteral("　を更新しますか");
    EXPECT_EQ(shown(), std::vector<std::string>{(rollover + QStringLiteral(": ") + rollover).toStdString()});

    // The profile: the business year and the settlement date a year on, everything else as it was.
    QStringList profile2 = recordLines(profilePath(copyCode));
    profile2[0] = QString::number(kCode);
    profile2[2] = QStringLiteral("20");
    profile2[5] = QStringLiteral("21");
    profile2[16] = QStringLiteral("21");
    EXPECT_EQ(recordLines(profilePath(kCode)), profile2);
    EXPECT_EQ(listed(), "03 : 株式会社四季商会  [平成20.4.1]\n" + listedNeighbour.toStdString() +
                            "\n030 : 株式会社四季商会  [平成19.4.1]");

    // Schedule 7: each loss one row older, this year's (none) the youngest, 計 控除未済 the old 合計.
    QStringList new7(25, QStringLiteral("0"));
    for (const auto &[line, oldLine] : {std::pair{1, 5}, {3, 8}, {6, 11}, {9, 14}, {12, 18}, {15, 19}, {20, 24}, {21, 25}})
        new7[line - 1] = old7[oldLine - 1];
    EXPECT_EQ(numbers(schedule7Path(kCode), 25), new7);

    // Schedule 5(1): 期首現在① of every row takes its 差引翌期首⑤; the movements start at 0; the names stay.
    QStringList new51 = old51;
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 5; ++column)
            new51[5 * row + column] = column == 0 ? old51[5 * row + 4] : QStringLiteral("0");
    EXPECT_EQ(recordLines(schedule5_1Path(kCode)), new51);
    EXPECT_EQ(new51[5], QStringLiteral("2300000")); // 別途積立金

    // Schedule 5(2): last year's final taxes are this year's opening unpaid ones.
    QStringList new52(78, QStringLiteral("0"));
    new52[0] = QStringLiteral("1083800");
    new52[24] = QStringLiteral("79100");
    new52[54] = QStringLiteral("200100");
    EXPECT_EQ(recordLines(schedule5_2Path(kCode)), new52);

    // The provision: 期末 1,200,000 (400,000 + 800,000) becomes 期首; the names stay.
    QStringList new52p2 = old52p2;
    for (int cell = 1; cell <= 70; ++cell)
        new52p2[cell - 1] = cell == 67 ? QStringLiteral("1200000") : QStringLiteral("0");
    EXPECT_EQ(recordLines(schedule5_2Part2Path(kCode)), new52p2);

    // Schedules 1, 4, 6 and 15 start empty; the names of the free lines of 4 and 6 stay.
    EXPECT_EQ(numbers(schedule1Path(kCode), 53), QStringList(53, QStringLiteral("0")));
    EXPECT_EQ(recordLines(schedule4Path(kCode)), QStringList(60, QStringLiteral("0")) + old4.mid(60));
    EXPECT_EQ(recordLines(schedule6Path(kCode)), QStringList(21, QStringLiteral("0")) + old6.mid(21));
    EXPECT_EQ(numbers(schedule15Path(kCode), 7), QStringList(7, QStringLiteral("0")));

    // The copy and the neighbour saw none of it.
    EXPECT_EQ(changedRecords(copied, copyCode, kName), std::vector<std::string>{});
    EXPECT_EQ(changedRecords(neighbourBefore, kNeighbourCode, kNeighbour), std::vector<std::string>{});
}

} // namespace
} // namespace hz::test
