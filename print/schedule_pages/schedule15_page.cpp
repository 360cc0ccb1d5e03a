#include "print/pages.h"

// 別表十五: entertainment expenses not deductible. Lines 1 to 4 and the 交際費 row of the detail table carry the
// company's figures; the other rows of the detail table and its total stay empty.
// A caption too wide or too tall for its cell in the printing face is set a little smaller or moved the least that
// keeps its ink off the rules; the tests check that no text touches a rule.
namespace hz {

namespace {

// The tables keep the rows of the form together.
// clang-format off
constexpr TextItem title[] = {
    {11, 30, 13, u"交際費等の損金不算入に関する明細書"},
    {11, 194, 9, u"別"},
    {11, 194, 14, u"表"},
    {11, 194, 19, u"十"},
    {11, 194, 24, u"五"},
};

constexpr LineItem frame[] = {
    {24, 24, 192, 24}, {24, 24, 24, 276}, {192, 24, 192, 276}, {24, 276, 192, 276},
};

constexpr LineItem grid[] = {
    // Lines 1 to 4: 1 and 3 above y 40, 2 and 4 below it.
    {24, 40, 192, 40}, {24, 56, 192, 56},
    // The detail table: its head (68 to 84), eleven rows of 16 mm and the total row down to the frame.
    {24, 68, 192, 68}, {24, 84, 192, 84}, {24, 100, 192, 100}, {24, 116, 192, 116}, {24, 132, 192, 132},
    {24, 148, 192, 148}, {24, 164, 192, 164}, {24, 180, 192, 180}, {24, 196, 192, 196}, {24, 212, 192, 212},
    {24, 228, 192, 228}, {24, 244, 192, 244}, {24, 260, 192, 260},
    // Lines 1 to 4: line-number boxes 66 to 70 and 150 to 154, the middle at 108.
    {66, 24, 66, 56}, {70, 24, 70, 56}, {108, 24, 108, 56}, {150, 24, 150, 56}, {154, 24, 154, 56},
    // The detail table's columns: 科目, 5 支出額, 6 控除される費用の額, 7 差引交際費等の額.
    {66, 68, 66, 276}, {108, 68, 108, 276}, {150, 68, 150, 276},
    // Above the column numbers.
    {66, 80, 192, 80},
};

constexpr TextItem captions[] = {
    {10, 24.7, 27, u"支 出 交 際 費 等 の 額"},
    {10, 39, 33, u"(７の計)"},
    {8.5, 24.9, 43, u"定  額  控  除  限  度  額"},
    {7.5, 25, 50, u"(0円、300万円又は400万円)×－"},
    {8, 61, 52, u"12"},
    {10, 113, 27, u"損 金 算 入 限 度 額"},
    {7.5, 108.4, 34, u"((1)と(2)のうち少ない金額)× －"},
    {8, 146, 32, u"90"},
    {8, 145, 36, u"100"},
    {10, 110.5, 44, u"損  金  不  算  入  額"},
    {10, 123, 49, u"(1) - (3)"},
    {11, 82, 61, u"支　出　交　際　費　等　の　明　細"},
    {10, 30.5, 74, u"科　　　　　　　　目"},
    {10, 73.5, 72, u"支      出       額"},
    {9, 110.7, 70, u"交 際 費 等 の 額 か ら"},
    {8.5, 108.9, 74, u"控 除 さ れ る 費 用 の 額"},
    {10, 150.6, 72, u"差 引 交 際 費 等 の 額"},
    {10, 26.5, 90, u"交        際        費"},
    {10, 104, 85, u"円"},
    {10, 146, 85, u"円"},
    {10, 187.5, 85, u"円"},
    {10, 45, 266, u"計"},
    // Line and column numbers.
    {10, 67, 31, u"1"}, {10, 67, 47, u"2"}, {10, 151, 31, u"3"}, {10, 151, 47, u"4"},
    {10, 87, 80, u"5"}, {10, 129, 80, u"6"}, {10, 171, 80.5, u"7"},
};

struct AmountItem {
    int element; // of sched15Amounts
    double right;
    double y;
    CellSpan cell;
};
// Each right edge 1 mm left of its column's 円: lines 1 and 2 share column 5's, lines 3 and 4 column 7's. Lines 1
// to 4 stand right of their line-number boxes, the detail row between its column rules.
constexpr AmountItem amounts[] = {
    {1, 103, 30, {70, 108}},  // 支出交際費等の額
    {2, 103, 46, {70, 108}},  // 定額控除限度額
    {3, 187, 30, {154, 192}}, // 損金算入限度額
    {4, 187, 46, {154, 192}}, // 損金不算入額
    {5, 103, 90, {66, 108}},  // 交際費: 支出額
    {6, 145, 90, {108, 150}}, //         交際費等の額から控除される費用の額
    {7, 187, 90, {150, 192}}, //         差引交際費等の額
};

// clang-format on

} // namespace

void Schedule15Page(Page &page) {
    page.font(fontname::mincho, 11);
    drawTexts(page, title);
    circledOne(page);
    page.fontSize(11);
    pageHeaderBlock(page, true);
    drawLines(page, drawwidth::frame, frame);
    drawLines(page, drawwidth::grid, grid);
    drawTexts(page, captions);
    page.fontSize(11);
    for (const AmountItem &a : amounts)
        page.rightAlignedAmount(a.right, a.y, page.data.sched15Amounts[a.element], a.cell);
}

} // namespace hz
