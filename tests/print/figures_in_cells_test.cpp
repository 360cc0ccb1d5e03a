// The self-drawn pages with the widest figures their cells can be given and with long names: every figure and text
// printed whole, at 6 pt or more, its ink clear of the page's rules and of every other text.

#include "core/numbers.h"
#include "print/pages.h"
#include "print/print_failures.h"
#include "tests/print/long_text_company.h"
#include "tests/print/page_checks.h"
#include "tests/print/page_items.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace hz::test {
namespace {

constexpr std::int32_t largest = 2147483647;
constexpr std::int32_t smallest = -2147483647 - 1;

// Seven and nine digits of the digit whose ink reaches furthest right, of either sign, and the ends of 32 bits.
constexpr std::int32_t widths[] = {4444444, -4444444, 444444444, -444444444, largest, smallest};

const QString longCompanyName = QStringLiteral("株式会社東京千代田丸の内総合商事");

// One printing of a page: its button, the print data, how many figures of a million or more it shows and the
// values they may be.
struct Filling {
    QString caption;
    PrintData data;
    int figures;
    std::set<std::int64_t> values;
};

PrintData company() {
    PrintData d;
    d.companyTexts[2] = longCompanyName;
    d.companyNumbers = {0, 1, 0, 19, 4, 1, 20, 3, 31, 0, 0, 0};
    return d;
}

template <typename Array> void fillFrom1(Array &a, std::int32_t v) { std::fill(a.begin() + 1, a.end(), v); }

// Every page with every amount it prints at v; where the page derives amounts, fillings that keep them within 32
// bits and give them the same widths.
std::vector<Filling> fillings(std::int32_t v) {
    const std::int64_t minusV = -static_cast<std::int64_t>(v);
    std::vector<Filling> out;

    // 別表二: the shares, lines 1 and 2, line 3 at 100 %; then line 1 at 100, so that line 3 is v.
    PrintData two = company();
    fillFrom1(two.sched2Shares, v);
    out.push_back({QStringLiteral("別表二"), two, 8, {v}});
    two.sched2Shares[1] = 100;
    out.push_back({QStringLiteral("別表二"), two, 8, {v}});

    PrintData four = company();
    fillFrom1(four.schedule4Cells, v);
    four.schedule6Cells[9] = v;
    out.push_back({QStringLiteral("別表四"), four, 62, {v}});

    // 別表五(一): the unpaid rows print their figures with the sign changed.
    PrintData fiveOne = company();
    fillFrom1(fiveOne.schedule5_1Cells, v);
    fillFrom1(fiveOne.capitalCells, v);
    out.push_back({QStringLiteral("別五（一）"), fiveOne, 86, {v, minusV}});

    // 別表五(二): the grid full, the nine ③ withdrawals that line 37 adds up alternating in sign so that their sum
    // (and line 35, its negative) stays within 32 bits; then the reserve lines with v in lines 31, 37 and 41 and
    // its negative (or, for the smallest, the largest) in lines 32, 34, 42 and 44.
    PrintData fiveTwo = company();
    fillFrom1(fiveTwo.schedule5_2Cells, v);
    auto &p = fiveTwo.schedule5_2Part2Cells;
    std::fill(p.begin() + 1, p.begin() + 67, v);
    const std::int32_t up = v == smallest ? largest : v;
    const std::int32_t down = v == smallest ? smallest : static_cast<std::int32_t>(minusV);
    std::int64_t sum = 0;
    const int withdrawals[] = {15, 21, 27, 33, 39, 45, 51, 57, 63};
    for (int k = 0; k < 9; ++k) {
        p[withdrawals[k]] = k % 2 == 0 ? up : down;
        sum += p[withdrawals[k]];
    }
    p[69] = static_cast<std::int32_t>(-sum);
    out.push_back({QStringLiteral("別五（二）"), fiveTwo, 126, {v, minusV, up, down, sum, -sum}});
    PrintData reserve = company();
    reserve.schedule5_2Part2Cells[67] = v;
    reserve.schedule5_2Part2Cells[68] = v == smallest ? largest : static_cast<std::int32_t>(minusV);
    reserve.schedule5_2Part2Cells[15] = v;
    out.push_back({QStringLiteral("別五（二）"), reserve, 8, {v, minusV, largest}});

    PrintData six = company();
    fillFrom1(six.schedule6Cells, v);
    out.push_back({QStringLiteral("別表六"), six, 21, {v}});

    PrintData seven = company();
    fillFrom1(seven.sched7Amounts, v);
    out.push_back({QStringLiteral("別表七"), seven, 27, {v}});

    PrintData fifteen = company();
    fillFrom1(fifteen.sched15Amounts, v);
    out.push_back({QStringLiteral("別表十五"), fifteen, 7, {v}});
    return out;
}

// A figure: an amount of a million or more, with its commas.
std::optional<std::int64_t> figureValue(const PrintOp &t) {
    if (!t.text.contains(QLatin1Char(',')))
        return std::nullopt;
    QString digits = t.text;
    digits.remove(QLatin1Char(','));
    bool ok = false;
    const std::int64_t v = digits.toLongLong(&ok);
    if (!ok || std::llabs(v) < 1000000)
        return std::nullopt;
    return v;
}

// The circle of 別表二 is drawn over the caption of its verdict.
const QStringList marks = {QStringLiteral("〇")};

class FiguresInCells : public HzTest {};

TEST_F(FiguresInCells, EveryFigureOfEveryWidthPrintsWholeInsideItsCell) {
    for (std::int32_t v : widths)
        for (Filling &f : fillings(v)) {
            SCOPED_TRACE(QStringLiteral("%1 with %2").arg(f.caption, fmtAmount(v)).toStdString());
            PageState state;
            const PrintJobLog job = recordPage(f.caption, f.data, state);
            ASSERT_TRUE(job.ended());
            int figures = 0;
            for (const PrintOp &t : job.texts())
                if (const auto value = figureValue(t)) {
                    ++figures;
                    EXPECT_EQ(t.text, fmtAmount(*value)) << t.text.toStdString();
                    EXPECT_TRUE(f.values.count(*value)) << t.text.toStdString();
                    EXPECT_GE(t.size, 6) << t.text.toStdString();
                    EXPECT_LE(t.size, 11) << t.text.toStdString();
                }
            EXPECT_EQ(figures, f.figures);
            const QString name = longCompanyName;
            // Ink on a rule's stroke counts; the rows' own heights bring a comma's tail within a tenth of a
            // millimetre of the rule below on some pages, whatever the figure's width.
            const QStringList faults = layoutFaults(
                job, [&](const PrintOp &t) { return figureValue(t).has_value() || t.text == name; }, marks, {}, false);
            for (const QString &fault : faults)
                ADD_FAILURE() << fault.toStdString();
        }
}

TEST_F(FiguresInCells, AFigureKeepsItsPlaceAndSizeWhereItFits) {
    // 別表十五's columns are 42 mm wide, their edges 5 mm inside: seven digits keep the layout's place at 11 pt,
    // their commas reaching past the edge; the largest ends at the edge; 別表五(二)'s 20 mm columns set it smaller.
    PrintData fifteen = company();
    fifteen.sched15Amounts[5] = 4444444;
    fifteen.sched15Amounts[6] = smallest;
    PageState state;
    const PrintJobLog job = recordPage(QStringLiteral("別表十五"), fifteen, state);
    EXPECT_THAT(amountsAt(job, 103, 90), ::testing::ElementsAre("4,444,444"));
    EXPECT_EQ(findText(job, "4,444,444")->size, 11);
    EXPECT_THAT(amountsEndingAt(job, 145, 90), ::testing::ElementsAre("-2,147,483,648"));
    EXPECT_EQ(findText(job, "-2,147,483,648")->size, 11);

    PrintData fiveTwo = company();
    fiveTwo.schedule5_2Cells[1] = smallest;
    const PrintJobLog narrow = recordPage(QStringLiteral("別五（二）"), fiveTwo, state);
    const auto figure = findText(narrow, "-2,147,483,648");
    ASSERT_TRUE(figure);
    EXPECT_LT(figure->size, 8);
    EXPECT_GE(figure->size, 6);
    EXPECT_NEAR(printedEnd(*figure), 90, 0.001); // ends at ①'s edge, 2 mm inside the rule
}

// Texts longer than their columns: each must print whole from its place, smaller where it must.
struct LongText {
    QString caption;
    QString text;
    double x; // where the page starts it
    double y;
};

TEST_F(FiguresInCells, LongNamesAndAddressesPrintWholeInsideTheirColumns) {
    PrintData d = company();
    const QStringList addresses = {"東京都千代田区丸の内1-1", "神奈川県横浜市中区山下町一丁目2番3号",
                                   "大阪市北区梅田3-4-5",     "名古屋市中区錦二丁目",
                                   "札幌市中央区北一条西",    "福岡市博多区博多駅前"};
    const QStringList names = {"山田興産株式会社代表取締役", "山田花子", "有限会社山田不動産管理", "佐藤次郎",
                               "鈴木三郎商店株式会社",       "高橋四郎"};
    for (int r = 1; r <= 6; ++r) {
        d.sched2Texts[4 * r - 2] = r == 6 ? QStringLiteral("第6位") : QStringLiteral("%1").arg(r);
        d.sched2Texts[4 * r - 1] = addresses[r - 1];
        d.sched2Texts[4 * r] = names[r - 1];
        d.sched2Texts[4 * r + 1] = QStringLiteral("代表者の長男の妻");
    }
    d.schedule4RowNames = {"", "寄附金の損金不算入額", "役員給与の損金不算入額", "貸倒引当金繰入超過額の認容",
                           "前期賞与引当金の当期認容額"};
    d.schedule5_1RowNames = {"",
                             "特別償却準備金積立額",
                             "圧縮積立金",
                             "別途積立金",
                             "繰延資産償却超過額",
                             "減価償却超過額",
                             "貸倒引当金繰入超過額",
                             "未払事業税"};
    d.capitalRowNames = {"", "資本金等の額の調整額", "その他資本剰余金の振替額"};
    d.schedule6Texts = {"", "東京電力株式会社第五百回社債", "株式会社みなと銀行"};

    const std::vector<LongText> expected = {
        {"別表二", addresses[0], 36, 95},
        {"別表二", addresses[1], 36, 105},
        {"別表二", names[0], 78, 95},
        {"別表二", names[2], 78, 115},
        {"別表二", "代表者の長男の妻", 117, 105},
        {"別表二", "第6位", 29, 145},
        {"別表四", "寄附金の損金不算入額", 37, 103},
        {"別表四", "前期賞与引当金の当期認容額", 37, 175},
        {"別五（一）", "特別償却準備金積立額", 28, 158},
        {"別五（一）", "その他資本剰余金の振替額", 28, 271},
        {"別表六", "東京電力株式会社第五百回社債", 33, 99},
    };
    const QStringList pages = {"別表二", "別表四", "別五（一）", "別五（二）", "別表六", "別表七", "別表十五"};
    for (const QString &caption : pages) {
        SCOPED_TRACE(caption.toStdString());
        PrintData data = d;
        PageState state;
        const PrintJobLog job = recordPage(caption, data, state);
        ASSERT_TRUE(job.ended());
        QStringList own = {longCompanyName};
        for (const LongText &t : expected)
            if (t.caption == caption) {
                own << t.text;
                // Whole, on one line or on two printed one after the other, from the layout's start.
                const std::vector<PrintOp> lines = printedWhole(job, t.text);
                ASSERT_FALSE(lines.empty()) << t.text.toStdString();
                for (const PrintOp &l : lines) {
                    EXPECT_NEAR(l.x, t.x, 0.001) << t.text.toStdString();
                    EXPECT_GE(l.size, 6) << t.text.toStdString();
                }
                if (lines.size() == 1) {
                    // Smaller on one line, on its row's baseline, or moved down off the rule the layout sets it on,
                    // no more than the rule's clearance.
                    EXPECT_LT(lines[0].size, 11) << t.text.toStdString();
                    if (!onLine(lines[0], t.y)) {
                        EXPECT_GE(lines[0].y, t.y - 0.001) << t.text.toStdString();
                        EXPECT_LE(lines[0].y, t.y + 0.35) << t.text.toStdString();
                    }
                }
            }
        // Short ones keep the page's size.
        if (caption == QStringLiteral("別表二")) {
            EXPECT_EQ(findText(job, "佐藤次郎")->size, 11);
        }
        const std::vector<PrintOp> name = printedWhole(job, longCompanyName);
        ASSERT_FALSE(name.empty());
        EXPECT_NEAR(name[0].x, 142, 0.001);
        EXPECT_TRUE(name.size() == 2 || name[0].size < 11);
        std::set<QString> userTexts(own.begin(), own.end());
        for (const auto *texts : {&d.sched2Texts}) // every text of the shareholder table
            userTexts.insert(texts->begin() + 2, texts->end());
        userTexts.insert(d.schedule4RowNames.begin(), d.schedule4RowNames.end());
        userTexts.insert(d.schedule5_1RowNames.begin(), d.schedule5_1RowNames.end());
        userTexts.insert(d.capitalRowNames.begin(), d.capitalRowNames.end());
        userTexts.insert(d.schedule6Texts.begin(), d.schedule6Texts.end());
        const QStringList faults = layoutFaults(
            job, [&](const PrintOp &t) { return !t.text.isEmpty() && userTexts.count(t.text) > 0; }, marks, {}, false);
        for (const QString &fault : faults)
            ADD_FAILURE() << fault.toStdString();
        PrintData again = d;
        EXPECT_FALSE(renderPage(caption, again, QStringLiteral("long-texts-%1").arg(caption)).isEmpty());
    }
}

TEST_F(FiguresInCells, PagesWithTheLargestFiguresRender) {
    // With $HOJINZEI_SNAPSHOT_DIR set, each page is kept as a picture to look at. In the PDF every figure stands
    // where the recorder put it, at the size it was set to.
    for (std::int32_t v : {largest, smallest}) {
        int n = 0;
        for (Filling &f : fillings(v)) {
            SCOPED_TRACE(f.caption.toStdString());
            PrintData data = f.data;
            const QString name = QStringLiteral("large-%1-%2-%3").arg(++n).arg(f.caption).arg(v < 0 ? "minus" : "plus");
            const QString pdf = renderPage(f.caption, data, name);
            ASSERT_FALSE(pdf.isEmpty());
            PageState state;
            const PrintJobLog job = recordPage(f.caption, f.data, state);
            std::vector<std::pair<double, double>> recorded, found;
            for (const PrintOp &t : job.textsEqual(fmtAmount(v)))
                recorded.emplace_back(t.x, printedEnd(t));
            for (const PdfWord &w : pdfWords(pdf))
                if (w.text == fmtAmount(v))
                    found.emplace_back(w.mm.left(), w.mm.right());
            std::sort(recorded.begin(), recorded.end());
            std::sort(found.begin(), found.end());
            ASSERT_EQ(found.size(), recorded.size());
            for (std::size_t i = 0; i < found.size(); ++i) {
                EXPECT_NEAR(found[i].first, recorded[i].first, 0.3);
                EXPECT_NEAR(found[i].second, recorded[i].second, 0.3);
            }
        }
    }
}

// A text the filer typed and the cell it belongs in, between the page's rules as printed.
struct BoxedText {
    QString text;
    Page::TextBox cell;
};

// Every text of the long-text company on every drawn page, each with its cell.
std::vector<std::pair<QString, std::vector<BoxedText>>> longTextPages(const PrintData &d) {
    const BoxedText header{d.companyTexts[2], {139, 9, 192, 24}};
    std::vector<BoxedText> two{header};
    for (int r = 1; r <= 6; ++r) {
        const double top = 92 + 10 * (r - 1);
        if (r > 1)
            two.push_back({d.sched2Texts[4 * r - 2], {25, top, 35, top + 10}});
        two.push_back({d.sched2Texts[4 * r - 1], {35, top, 75, top + 10}});
        two.push_back({d.sched2Texts[4 * r], {75, top, 115, top + 10}});
        if (r > 1)
            two.push_back({d.sched2Texts[4 * r + 1], {115, top, 136, top + 10}});
    }
    std::vector<BoxedText> four{header};
    const double fourTops[] = {102, 108, 168, 174}; // lines 9, 10, 17 and 18
    for (int k = 1; k <= 4; ++k)
        four.push_back({d.schedule4RowNames[k], {33, fourTops[k - 1], 67, fourTops[k - 1] + 6}});
    std::vector<BoxedText> fiveOne{header};
    for (int k = 1; k <= 7; ++k) // rows 19 to 25
        fiveOne.push_back({d.schedule5_1RowNames[k], {25, 150 + 6.0 * k, 61, 156 + 6.0 * k}});
    for (int k = 1; k <= 2; ++k) // part Ⅱ's rows 2 and 3
        fiveOne.push_back({d.capitalRowNames[k], {25, 258 + 6.0 * k, 61, 264 + 6.0 * k}});
    std::vector<BoxedText> six{header};
    for (int k = 1; k <= 2; ++k)
        six.push_back({d.schedule6Texts[k], {31, 93 + 5.0 * k, 66, 98 + 5.0 * k}});
    return {{QStringLiteral("別表二"), two},         {QStringLiteral("別表四"), four},
            {QStringLiteral("別五（一）"), fiveOne}, {QStringLiteral("別五（二）"), {header}},
            {QStringLiteral("別表六"), six},         {QStringLiteral("別表七"), {header}},
            {QStringLiteral("別表十五"), {header}}};
}

TEST_F(FiguresInCells, EveryTextOfACompanyWithRealLengthsPrintsWholeInItsCell) {
    // With $HOJINZEI_SNAPSHOT_DIR set, each page is kept as a picture to look at.
    const PrintData d = longTextCompany();
    for (const auto &[caption, texts] : longTextPages(d)) {
        SCOPED_TRACE(caption.toStdString());
        PrintData data = d;
        PageState state;
        const PrintJobLog job = recordPage(caption, data, state);
        ASSERT_TRUE(job.ended());
        for (const BoxedText &t : texts) {
            ASSERT_FALSE(t.text.isEmpty());
            expectTextInBox(job, t.text, t.cell);
        }
        PrintData again = d;
        EXPECT_FALSE(renderPage(caption, again, QStringLiteral("long-text-company-%1").arg(caption)).isEmpty());
    }
    // Nothing was cut, so nothing is said.
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(FiguresInCells, ATextTooLongForItsCellKeepsInsideItAndThePrintBoxNamesThePage) {
    PrintData d = longTextCompany();
    const QString address = (longAddresses.join(QString()) + longAddresses.join(QString())).left(200);
    ASSERT_EQ(address.size(), 200);
    d.sched2Texts[7] = address; // row 2's address
    d.companyTexts[2] = address;
    PrintJobLog job;
    reportingPrintFailures([&] {
        PageState state;
        job = recordPage(QStringLiteral("別表二"), d, state);
        EXPECT_TRUE(svc.boxes.empty()); // not before the action ends
    });
    ASSERT_TRUE(job.ended());
    for (const Page::TextBox &cell : {Page::TextBox{35, 102, 75, 112}, Page::TextBox{139, 9, 192, 24}}) {
        QString printed;
        const QRectF room(QPointF(cell.left, cell.top), QPointF(cell.right, cell.bottom));
        for (const PrintOp &t : job.texts())
            if (room.intersects(inkRect(t))) {
                EXPECT_TRUE(room.contains(inkRect(t))) << t.text.toStdString();
                EXPECT_GE(t.size, 6);
                printed += t.text;
            }
        EXPECT_TRUE(address.startsWith(printed)) << printed.toStdString();
        EXPECT_GT(printed.size(), 20);
    }
    const QStringList faults = layoutFaults(job, [](const PrintOp &) { return true; }, {QStringLiteral("〇")});
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
    EXPECT_TRUE(svc.boxes[0].prompt.contains(QStringLiteral("別表二：「%1…」").arg(address.left(30))))
        << svc.boxes[0].prompt.toStdString();
    EXPECT_FALSE(renderPage(QStringLiteral("別表二"), d, QStringLiteral("long-text-cut-別表二")).isEmpty());
}

} // namespace
} // namespace hz::test
