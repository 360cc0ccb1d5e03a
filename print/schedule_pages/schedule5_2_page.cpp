#include "print/pages.h"

#include "core/numbers.h"

#include <array>
#include <span>

// 別表五(二) 租税公課の納付状況等に関する明細書, drawn whole: the upper table gives each tax its lines 1 to 30 in
// the six columns ① to ⑥, the lower table computes the tax reserve (納税充当金の計算), lines 31 to 44.
namespace hz {

namespace {

// A caption written top to bottom: one character per item, each pitch millimetres below the one before.
struct VerticalCaption {
    double size;
    double x;
    double y;
    double pitch;
    const char16_t *chars;
};

// Line numbers first to last, printed as numbers at x, the first at y and each next one 6 mm lower.
struct LineNumberRun {
    int first;
    int last;
    double x;
    double y;
};

void drawVerticals(Page &page, std::span<const VerticalCaption> captions) {
    for (const VerticalCaption &c : captions) {
        page.fontSize(c.size);
        const QString chars = QString::fromUtf16(c.chars);
        for (qsizetype i = 0; i < chars.size(); ++i)
            page.text(c.x, c.y + c.pitch * static_cast<double>(i), chars.mid(i, 1));
    }
}

void drawLineNumbers(Page &page, std::span<const LineNumberRun> runs) {
    for (const LineNumberRun &r : runs)
        for (int n = r.first; n <= r.last; ++n)
            page.number(r.x, r.y + 6.0 * (n - r.first), n);
}

constexpr TextItem title[] = {{11, 25, 13, u"租税公課の納付状況等に関する明細書"}};
constexpr TextItem formIdentifier[] = {
    {11, 194, 9, u"別"}, {11, 194, 14, u"表"}, {11, 194, 19, u"五"}, {11, 193, 24, u"(二)"}};

constexpr LineItem pageFrame[] = {{25, 24, 192, 24}, {25, 24, 25, 282}, {192, 24, 192, 282}, {25, 282, 192, 282}};

// The upper table: caption columns to x 72, then ① 72-92, ② 92-112, ③ 112-132, ④ 132-152, ⑤ 152-172,
// ⑥ 172-192. Each block of lines ends in a double rule.
constexpr LineItem upperVerticals[] = {
    {33, 46, 33, 230},   // block captions | row captions
    {66, 46, 66, 230},   // row captions | line numbers
    {72, 24, 72, 230},   // line numbers | ①
    {92, 24, 92, 230},   // ① | ②
    {112, 24, 112, 230}, // ② | ③
    {132, 32, 132, 230}, // ③ | ④ below 当期中の納付税額
    {152, 32, 152, 230}, // ④ | ⑤
    {172, 24, 172, 230}, // ⑤ | ⑥
    {39, 58, 39, 70},    // 当期分 of 法人税
    {39, 89, 39, 107},   // 当期分 of 道府県民税
    {39, 126, 39, 138},  // 当期分 of 市町村民税
    {39, 170, 39, 230},  // 損金算入のもの / 損金不算入のもの
};
constexpr LineItem upperHorizontals[] = {
    {112, 32, 172, 32},  {72, 40, 192, 40},   {25, 46, 192, 46},                      // headings
    {33, 52, 192, 52},   {33, 58, 192, 58},   {39, 64, 192, 64},   {33, 70, 192, 70}, // 法人税 1-5
    {25, 76, 192, 76},   {25, 77, 192, 77},                                           //
    {33, 83, 192, 83},   {33, 89, 192, 89},   {39, 95, 192, 95},   {39, 101, 192, 101}, {33, 107, 192, 107}, // 6-11
    {25, 113, 192, 113}, {25, 114, 192, 114},                                                                //
    {33, 120, 192, 120}, {33, 126, 192, 126}, {39, 132, 192, 132}, {33, 138, 192, 138}, // 市町村民税 12-16
    {25, 144, 192, 144}, {25, 145, 192, 145},                                           //
    {33, 151, 192, 151}, {33, 157, 192, 157}, {33, 163, 192, 163},                      // 事業税 17-20
    {25, 169, 192, 169}, {25, 170, 192, 170},                                           //
    {39, 176, 192, 176}, {39, 182, 192, 182}, {39, 188, 192, 188}, {33, 194, 192, 194}, // その他 21-30
    {39, 200, 192, 200}, {39, 206, 192, 206}, {39, 212, 192, 212}, {39, 218, 192, 218}, {39, 224, 192, 224},
    {25, 230, 192, 230},
};
// The lower table: lines 31-37 left of x 108, lines 38-44 right of it.
constexpr LineItem lowerRules[] = {
    {25, 240, 192, 240},                        //
    {25, 246, 108, 246},  {120, 246, 192, 246}, //
    {31, 252, 108, 252},  {120, 252, 192, 252}, //
    {31, 258, 108, 258},  {114, 258, 192, 258}, //
    {25, 264, 192, 264},                        //
    {31, 270, 192, 270},                        //
    {31, 276, 192, 276},                        //
    {31, 246, 31, 282},                         // 繰入額, 取崩額 | row captions
    {37, 276, 37, 282},                         // その他のもの of line 37
    {72, 240, 72, 282},                         // | line numbers
    {78, 240, 78, 282},                         // | amounts
    {108, 240, 108, 282},                       // left half | right half
    {114, 240, 114, 264},                       // 取崩額
    {120, 240, 120, 258},                       // その他のもの
    {156, 240, 156, 282},                       // | line numbers
    {162, 240, 162, 282},                       // | amounts
};

// A struck cell: one diagonal from its top-right corner to its bottom-left corner.
constexpr double columnLeft[] = {0, 72, 92, 112, 132, 152, 172, 192}; // column c runs from [c] to [c + 1]
constexpr double lineTop(int n) {
    return n <= 5 ? 46 + 6 * (n - 1) : n <= 11 ? 77 + 6 * (n - 6) : n <= 16 ? 114 + 6 * (n - 12) : 145 + 6 * (n - 17);
}
constexpr LineItem struck(int line, int column) {
    return {columnLeft[column + 1], lineTop(line), columnLeft[column], lineTop(line) + 6};
}
constexpr LineItem strikeOuts[] = {
    struck(1, 2),  struck(2, 2),                                                              //
    struck(3, 1),  struck(4, 1),  struck(4, 3),  struck(4, 4),  struck(4, 5),                 // 法人税
    struck(6, 2),  struck(7, 2),                                                              //
    struck(8, 1),  struck(9, 1),  struck(10, 1), struck(10, 3), struck(10, 4), struck(10, 5), // 道府県民税
    struck(12, 2), struck(13, 2),                                                             //
    struck(14, 1), struck(15, 1), struck(15, 3), struck(15, 4), struck(15, 5),                // 市町村民税
    struck(19, 1),                                                                            // 事業税
};

constexpr TextItem columnHeadings[] = {
    {7, 27.5, 35, u"科　目　及　び　事　業　年　度"},
    {7, 73.4, 29, u"期　首　現　在"},
    {7, 73.4, 33, u"未　納　税　額"},
    {8, 95, 31, u"当期発生額"},
    {8, 124, 27, u"当　期　中　の　納　付　税　額"},
    {8, 114, 33, u"充当金取崩し"},
    {8, 114, 37, u"による納付"},
    {8, 134, 33, u"仮払経理に"},
    {7, 133.4, 37, u"よ　る　納　付"},
    {8, 154, 33, u"損金経理に"},
    {7, 153.4, 37, u"よ　る　納　付"},
    {7, 173.4, 29, u"期　末　現　在"},
    {7, 173.4, 33, u"未　納　税　額"},
    {7, 173.4, 37, u"①+②-③-④-⑤"},
    {8, 81, 42, u"①"},
    {8, 101, 42, u"②"},
    {8, 121, 42, u"③"},
    {8, 141, 42, u"④"},
    {8, 161, 42, u"⑤"},
};

// Line numbers, 6 mm apart within a block; each block starts 1 mm lower than the last line would.
constexpr LineNumberRun upperLineNumbers[] = {
    {1, 5, 68, 48}, {6, 9, 68, 79}, {10, 11, 67, 103}, {12, 16, 67, 116}, {17, 20, 67, 147}, {21, 30, 67, 172},
};
constexpr LineNumberRun lowerLineNumbers[] = {{31, 37, 73, 242}, {38, 44, 157, 242}};

// 法人税, lines 1-5.
constexpr VerticalCaption corporateVerticals[] = {{8, 28, 50, 10, u"法人税"}, {8, 35, 59, 3, u"当期分"}};
constexpr TextItem corporateRows[] = {
    {8, 41, 60, u"中　　　　　  間"},
    {8, 41, 66, u"確　　　　　  定"},
    {8, 49, 72, u"計"},
};
// 道府県民税, lines 6-11.
constexpr VerticalCaption prefecturalVerticals[] = {{8, 28, 80, 6, u"道府県民税"}, {8, 35, 92, 4, u"当期分"}};
constexpr TextItem prefecturalRows[] = {
    {8, 41, 91, u"利　　 子　 　割"},
    {8, 41, 97, u"中　　　　　  間"},
    {8, 41, 103, u"確　　　　　  定"},
    {8, 49, 109, u"計"},
};
// 市町村民税, lines 12-16.
constexpr VerticalCaption municipalVerticals[] = {{8, 28, 117, 5, u"市町村民税"}, {8, 35, 127, 3, u"当期分"}};
constexpr TextItem municipalRows[] = {
    {8, 41, 128, u"中　　　　　  間"},
    {8, 41, 134, u"確　　　　　  定"},
    {8, 49, 140, u"計"},
};
// 事業税, lines 17-20.
constexpr VerticalCaption enterpriseVerticals[] = {{8, 28, 150, 5, u"事業税"}};
constexpr TextItem enterpriseRows[] = {
    {8, 34, 159, u"当 　期　 中 　間　 分"},
    {8, 49, 165, u"計"},
};
// その他, lines 21-30: 損金算入のもの 21-24, 損金不算入のもの 25-30. Lines 23, 24 and 29 get their names with
// their amounts; 30 has none.
constexpr TextItem deductibleRows[] = {
    {8, 42, 172, u"利　　子　　税"},
    {8, 42, 176.5, u"延　　滞　　金"},
    {6, 42, 179.5, u"(延納に係るもの)"},
};
constexpr VerticalCaption otherVerticals[] = {
    {8, 28, 180, 15, u"その他"},
    {8, 35, 172, 3, u"損金算入のもの"},
    {8, 35, 199, 3, u"損金不算入のもの"},
};
constexpr TextItem nonDeductibleRows[] = {
    {8, 42, 196, u"加算税及び加算金"}, // 25
    {8, 42, 202, u"延　　滞　　税"},   {8, 42, 206.5, u"延　　滞　　金"},
    {6, 42, 209.5, u"(延納分を除く)"}, {8, 42, 214, u"過　　怠　　税"},
};

constexpr TextItem reserveTitle[] = {{11, 58, 233, u"納　　　税　　　充　　　当　　　金　　　の　　　計　　　算"}};

// 納税充当金の計算, left half: lines 31-37.
constexpr TextItem reserveOpening[] = {
    {8, 26, 242, u"期 　首　 納 　税 　充　 当　 金"},
    {8, 32, 248, u"損金の額に算入した納税充当金"},
};
constexpr VerticalCaption reserveLeftVerticals[] = {{8, 27, 248, 5, u"繰入額"}, {8, 27, 266, 5, u"取崩額"}};
constexpr TextItem reserveLeftRows[] = {
    {8, 50, 258.5, u"計"},
    {6, 46, 261.5, u"(32)  +  (33)"},
    {8, 35, 264.5, u"法   人   税   等  の  額"},
    {6, 38, 267.5, u"(5の③)+(11の③)+(16の③)"},
    {8, 37, 270.5, u"事　　  　業　　  　税"},
    {6, 46, 273.5, u"(20の③)"},
};
// その他のもの in two columns, read from the right.
constexpr VerticalCaption line37Verticals[] = {{5, 34, 276.3, 1.8, u"その他"}, {5, 32, 276.3, 1.8, u"のもの"}};
constexpr TextItem line37Row[] = {{8, 41, 278, u"損 金 算 入 の も の"}};
// Right half: lines 38-44.
constexpr VerticalCaption reserveRightVerticals[] = {{8, 110, 245, 5, u"取崩額"}, {6, 116, 242, 2, u"その他のもの"}};
constexpr TextItem reserveRightRows[] = {
    {8, 124, 242, u"損金不算入のもの"},
    {8, 124, 254, u"仮  払  税  金  消  却"},
    {8, 134, 258.5, u"計"},
    {6, 122, 261.5, u"(35)+(36)+(37)+(38)+(39)+(40)"},
    {8, 116, 264.5, u"差          引          計"},
    {6, 124, 267.5, u"(31)  +  (34)  -  (41)"},
    {8, 116, 272, u"当 期 利 益 処 分 積 立 額"},
    {8, 116, 276.5, u"期  末  納  税  充  当  金"},
    {6, 125, 279.5, u"(42)  +  (43)"},
};

void drawForm(Page &page) {
    page.font(fontname::mincho, 11);
    drawTexts(page, title);
    drawTexts(page, formIdentifier);
    pageHeaderBlock(page, true);
    drawLines(page, drawwidth::frame, pageFrame);
    drawLines(page, drawwidth::grid, upperVerticals);
    drawLines(page, drawwidth::grid, upperHorizontals);
    drawLines(page, drawwidth::grid, lowerRules);
    drawLines(page, drawwidth::grid, strikeOuts);
    drawTexts(page, columnHeadings);
}

void drawCaptions(Page &page) {
    page.fontSize(8);
    drawLineNumbers(page, upperLineNumbers);
    drawVerticals(page, corporateVerticals);
    drawTexts(page, corporateRows);
    drawVerticals(page, prefecturalVerticals);
    drawTexts(page, prefecturalRows);
    drawVerticals(page, municipalVerticals);
    drawTexts(page, municipalRows);
    drawVerticals(page, enterpriseVerticals);
    drawTexts(page, enterpriseRows);
    drawTexts(page, deductibleRows);
    drawVerticals(page, otherVerticals);
    drawTexts(page, nonDeductibleRows);

    drawTexts(page, reserveTitle);
    page.fontSize(8);
    drawLineNumbers(page, lowerLineNumbers);
    drawTexts(page, reserveOpening);
    drawVerticals(page, reserveLeftVerticals);
    drawTexts(page, reserveLeftRows);
    drawVerticals(page, line37Verticals);
    drawTexts(page, line37Row);
    drawVerticals(page, reserveRightVerticals);
    drawTexts(page, reserveRightRows);
}

// The amounts. Columns ① to ⑥ are placed by their layout right edges; the block offsets the amounts print with
// move every amount 4 mm left and 3 mm up from these layout values. Each figure is kept inside the cell between
// its column's rules.
constexpr std::int32_t amountOffsetX = -4;
constexpr std::int32_t amountOffsetY = -3;
constexpr double amountRight[] = {94, 113, 134, 154, 174, 194};

// One line of amounts: the element printed in each column ① to ⑥, 0 where the form strikes the cell out; y is the
// layout top. A fixed row name, where the line has one, is printed at the left before the amounts.
struct AmountLine {
    double y;
    std::array<int, 6> cells;
    const char16_t *name = nullptr;
};

// schedule5_2Cells: 法人税, 道府県民税 and 市町村民税.
constexpr AmountLine taxLines[] = {
    {56, {1, 0, 3, 4, 5, 6}},        // 2 法人税 前期
    {62, {0, 8, 9, 10, 11, 12}},     // 3 中間
    {68, {0, 14, 0, 0, 0, 18}},      // 4 確定
    {74, {19, 20, 21, 22, 23, 24}},  // 5 計
    {87, {25, 0, 27, 28, 29, 30}},   // 7 道府県民税 前期
    {93, {0, 32, 33, 34, 35, 36}},   // 8 利子割
    {99, {0, 38, 39, 40, 41, 42}},   // 9 中間
    {105, {0, 44, 0, 0, 0, 48}},     // 10 確定
    {111, {49, 50, 51, 52, 53, 54}}, // 11 計, 1 mm below its top rule like every line: lower, the commas of a
                                     // figure would reach the double rule at 113
    {124, {55, 0, 57, 58, 59, 60}},  // 13 市町村民税 前期
    {130, {0, 62, 63, 64, 65, 66}},  // 14 中間
    {136, {0, 68, 0, 0, 0, 72}},     // 15 確定
    {142, {73, 74, 75, 76, 77, 78}}, // 16 計
};

// schedule5_2Part2Cells: 事業税 and その他. The names of lines 23, 24 and 29 are the form's own; the names the user
// gave those rows are not printed.
constexpr AmountLine otherTaxLines[] = {
    {155, {1, 2, 3, 4, 5, 6}},                      // 18 事業税 前期
    {161, {0, 8, 9, 10, 11, 12}},                   // 19 当期中間分
    {167, {13, 14, 15, 16, 17, 18}},                // 20 計
    {173, {19, 20, 21, 22, 23, 24}},                // 21 利子税
    {180, {25, 26, 27, 28, 29, 30}},                // 22 延滞金 (延納に係るもの)
    {186, {31, 32, 33, 34, 35, 36}, u"印紙税外"},   // 23
    {192, {37, 38, 39, 40, 41, 42}, u"消　費　税"}, // 24
    {198, {43, 44, 45, 46, 47, 48}},                // 25 加算税及び加算金
    {204, {49, 50, 51, 52, 53, 54}},                // 26 延滞税
    {222, {55, 56, 57, 58, 59, 60}, u"源泉所得税"}, // 29
    {228, {61, 62, 63, 64, 65, 66}},                // 30
};

void drawAmountLines(Page &page, std::span<const std::int32_t> cells, std::span<const AmountLine> lines) {
    for (const AmountLine &l : lines) {
        if (l.name)
            page.text(45, l.y, QString::fromUtf16(l.name));
        for (std::size_t c = 0; c < l.cells.size(); ++c)
            if (l.cells[c] != 0)
                page.rightAlignedAmount(amountRight[c], l.y, cells[l.cells[c]], {columnLeft[c + 1], columnLeft[c + 2]});
    }
}

// 納税充当金の計算. Element 70, the reserve at the end, is the page's own result and replaces the loaded value.
void drawReserve(Page &page) {
    auto &v = page.data.schedule5_2Part2Cells;
    // The layout right edges of the two amount columns, between the rules at 78 and 108 and at 162 and 192.
    constexpr double left = 110, right = 194;
    constexpr CellSpan leftCell{78, 108}, rightCell{162, 192};
    page.state.pageShiftY = 2;
    page.rightAlignedAmount(left, 242, v[67], leftCell); // 31 期首納税充当金
    page.rightAlignedAmount(left, 248, v[68], leftCell); // 32 損金の額に算入した納税充当金
    page.rightAlignedAmount(left, 260, v[68], leftCell); // 34 計 (32) + (33); nothing is added on 33
    page.rightAlignedAmount(left, 266, v[69], leftCell); // 35 法人税等の額, as the data load computed it
    // 37 その他 損金算入のもの takes the whole ③ of 事業税 計 and of every other tax line.
    std::int32_t other = v[21];
    for (int e : {15, 27, 33, 39, 45, 51, 57, 63})
        other = add(other, v[e]);
    const std::int32_t additions = add(v[68], v[67]);   // (31) + (34)
    const std::int32_t withdrawals = add(v[69], other); // 41 計 (35) + ... + (40)
    v[70] = sub(additions, withdrawals);                // 42 差引計, 44 期末納税充当金
    page.rightAlignedAmount(left, 278, other, leftCell);         // 37
    page.rightAlignedAmount(right, 260, withdrawals, rightCell); // 41
    page.rightAlignedAmount(right, 266, v[70], rightCell);       // 42
    // 44 = (42) + (43); nothing is added on 43. In the row of line 37's figure: 1 mm higher, it would stand on the
    // rule at 276.
    page.rightAlignedAmount(right, 278, v[70], rightCell);
    page.state.pageShiftY = 0;
}

// The business year before this one, in the caption column of each block's previous-year line: its start above
// its end. It runs from the start one year earlier to the end one year earlier, whatever months the year spans.
struct PriorYearLine {
    double y; // layout top of the start date; the end stands 2 mm lower
    std::int32_t shiftY;
};
constexpr PriorYearLine priorYearLines[] = {{57, -1}, {88, -1}, {124, 0}, {155, 0}}; // lines 2, 7, 13, 18

void drawPriorYear(Page &page) {
    const auto &n = page.data.companyNumbers;
    const std::int32_t startYear = sub(n[3], 1);
    const std::int32_t endYear = sub(n[6], 1);
    page.font(fontname::mincho, 6);
    for (const PriorYearLine &l : priorYearLines) {
        page.state.pageShiftY = l.shiftY;
        eraDate(page, {42, 53, 65}, l.y, startYear, n[4], n[5]);
        eraDate(page, {42, 53, 64}, l.y + 2, endYear, n[7], n[8]);
    }
    page.state.pageShiftY = 0;
}

void drawFigures(Page &page) {
    page.fontSize(11);
    page.state.blockOffsetX = amountOffsetX;
    page.state.blockOffsetY = amountOffsetY;
    drawAmountLines(page, page.data.schedule5_2Cells, taxLines);
    drawAmountLines(page, page.data.schedule5_2Part2Cells, otherTaxLines);
    drawReserve(page);
    drawPriorYear(page);
    page.state.blockOffsetX = 0;
    page.state.blockOffsetY = 0;
}

} // namespace

void Schedule5_2Page(Page &page) {
    drawForm(page);
    drawCaptions(page);
    drawFigures(page);
}

} // namespace hz
