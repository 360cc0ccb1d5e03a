#include "print/fonts.h"
#include "print/pages.h"

#include <span>

// 別表四 所得の金額の計算に関する明細書(簡易様式), drawn whole: the form (frame, rules, strike marks, captions, line
// numbers, marks), then the company's figures from the Schedule 4 record.
namespace hz {

namespace {

// ---- the form -----------------------------------------------------------------------------------------------
// Columns: caption 25-67 (block label 25-33 beside lines 2 to 21), line number 67-76, ① 総額 76-110, ② 留保 110-144,
// ③ 社外流出 144-192 (its mark strip 144-157, its amount 157-192). Heading 24-42, line 1 42-60, then 6 mm bands.

constexpr LineItem frame[] = {{25, 24, 192, 24}, {25, 24, 25, 282}, {192, 24, 192, 282}, {25, 282, 192, 282}};

constexpr LineItem fixedRules[] = {
    {110, 30, 192, 30},  // under 処分
    {76, 36, 192, 36},   // under 総額, 留保, 社外流出
    {25, 42, 192, 42},   // bottom of the heading
    {144, 48, 192, 48},  // ③ of line 1: 配当 / 賞与
    {144, 54, 192, 54},  // ③ of line 1: 賞与 / その他
    {25, 60, 192, 60},   // top of the additions (加算)
    {25, 138, 192, 138}, // additions / deductions (減算)
};

constexpr LineItem columnRules[] = {
    {33, 60, 33, 210},   // the block-label strip of 加算 and 減算
    {67, 42, 67, 282},   {76, 24, 76, 282}, {110, 24, 110, 282},
    {144, 30, 144, 282}, {157, 42, 157, 282},
};

// Cells of a line struck through, bottom-left to top-right.
enum Struck : unsigned { none = 0, retained = 1, markStrip = 2, outflowAmount = 4 };

// A numbered line of the form: the top of its band, the y of its number, the cells struck out.
struct FormLine {
    int number;
    double top;
    double numberY;
    unsigned struck = none;
};

constexpr FormLine formLines[] = {
    {1, 42, 50},
    {2, 60, 62, markStrip | outflowAmount},  {3, 66, 68, markStrip | outflowAmount},
    {4, 72, 74, markStrip | outflowAmount},  {5, 78, 80, markStrip | outflowAmount},
    {6, 84, 85, retained},                   {7, 90, 92, markStrip | outflowAmount},
    {8, 96, 98, retained},                   {9, 102, 104},
    {10, 108, 110},                          {11, 132, 134, markStrip}, // after three unnumbered rows
    {12, 138, 140, markStrip | outflowAmount}, {13, 144, 145, markStrip | outflowAmount},
    {14, 150, 152, retained},                {15, 156, 157, markStrip | outflowAmount},
    {16, 162, 164, retained},                {17, 168, 170},
    {18, 174, 176},                          {19, 180, 182},
    {20, 186, 188},                          {21, 204, 206}, // after two unnumbered rows
    {22, 210, 211},                          {23, 216, 217, retained},
    {26, 222, 223, retained},                {27, 228, 229, retained},
    {28, 234, 235},                          {29, 240, 241, retained},
    {30, 246, 247},                          {31, 252, 254, retained},
    {35, 258, 260, retained},                {36, 264, 265},
    {37, 270, 272, retained},                {39, 276, 278},
};

struct StrikeRun {
    Struck cell;
    double x1;
    double x2;
};
constexpr StrikeRun strikeRuns[] = {{retained, 110, 144}, {markStrip, 144, 157}, {outflowAmount, 157, 192}};

// Line numbers as text, in three groups each moved into the number column by blockOffsetX.
struct NumberGroup {
    int first;
    int last;
    std::int32_t offsetX;
    double x;
};
constexpr NumberGroup numberGroups[] = {{1, 9, 36, 35}, {10, 22, 35, 35}, {23, 39, 43, 27}};

constexpr TextItem heading[] = {
    {10, 25, 15, u"所得の金額の計算に関する明細書(簡易様式)"}, // 10 pt: at 11 it runs into the header box
    {11, 194, 9, u"別"}, {11, 194, 14, u"表"}, {11, 194, 19, u"四"},
    {11, 194, 27, u"簡"}, {11, 194, 32, u"易"}, {11, 194, 37, u"様"}, {11, 194, 42, u"式"},
    {10, 27, 78, u"加"}, {10, 27, 110, u"算"},
    {10, 27, 156, u"減"}, {10, 27, 187, u"算"},
    {8, 91, 38, u"①"}, {8, 125, 38, u"②"}, {8, 169, 38, u"③"},
    {8, 34, 32, u"区                   分"}, // spread over its 25-76 only
    {8, 28, 50, u"当期利益又は当期欠損金の額"},
    {8, 82, 29, u"総　　　　　　　額"},
    {8, 132, 26, u"処　　　　　　　　　　　　分"},
    {8, 117, 32, u"留　　　　　　　保"},
    {8, 153, 32, u"社　　　外　　　流　　　出"},
    {8, 145, 44, u"配　　当"}, {8, 145, 50, u"賞　　与"}, {8, 146, 56, u"その他"}, // clear of the rule at 157
};

constexpr TextItem marks[] = {
    // その他 in the mark strip of ③
    {6, 147, 86, u"その他"}, {6, 147, 98, u"その他"}, {6, 147, 218, u"その他"}, {6, 147, 224, u"その他"},
    {6, 147, 230, u"その他"},
    {6, 149, 152, u"※"}, {6, 149, 242, u"※"}, {6, 149, 254, u"※"}, {6, 149, 260, u"※"}, {6, 149, 272, u"※"},
    {6, 146, 205, u"外  ※"}, {6, 146, 211, u"外  ※"}, {6, 146, 235, u"外  ※"}, {6, 146, 247, u"外  ※"},
    {6, 146, 265, u"外  ※"}, {6, 146, 277, u"外  ※"},
    // 円 at the top right of line 1's amounts
    {6, 107, 43, u"円"}, {6, 141, 43, u"円"}, {6, 188, 43, u"円"},
    {6, 159, 210, u"△"}, {6, 78, 242, u"△"}, {6, 159, 242, u"△"}, {6, 78, 272, u"△"}, {6, 159, 272, u"△"},
};

// The captions of lines 2 to 16 start 1 mm right of the block-label strip, so the longest end clear of the rule at 67.
constexpr TextItem captions[] = {
    {6, 34, 61, u"損金の額に算入した法人税(附帯"}, {6, 34, 63, u"税を除く。)"},                      // 2
    {6, 34, 67, u"損金の額に算入した道府県民税"}, {6, 34, 69, u"(利子割額を除く)及び市町村民税"},     // 3
    {6, 34, 73, u"損金の額に算入した道府県民税"}, {6, 34, 75, u"利子割額"},                           // 4
    {6, 34, 80, u"損金の額に算入した納税充当金"},                                                     // 5
    {6, 34, 85, u"損金の額に算入した附帯税加算"}, {6, 34, 87, u"金、延滞金及び過怠税"},               // 6
    {6, 34, 92, u"減価償却費の償却超過額"},                                                           // 7
    {6, 34, 98, u"交際費等の損金不算入額"},                                                           // 8
    {8, 37, 134, u"小　　          　計"},                                                            // 11
    {6, 34, 140, u"減価償却超過額の当期認容額"},                                                      // 12
    {6, 34, 145, u"納税充当金から支出した事業税等"}, {6, 34, 147, u"の額"},                           // 13
    {6, 34, 151, u"受取配当等の益金不算入額"}, {6, 40, 153, u"(別表八「11」又は「22」)"},            // 14
    {6, 34, 157, u"法人税等の中間納付額及び過誤"}, {6, 34, 159, u"納に係る還付金額"},                 // 15
    {6, 34, 163, u"所得税額等及び欠損金の繰戻し"}, {6, 34, 165, u"による還付金額等"},                 // 16
    {8, 37, 206, u"小          　　　計"},                                                            // 21
    {8, 36, 211, u"仮　　        　　計"}, {6, 39, 214, u"(1) + (11) - (21)"},                        // 22
    {6, 27, 217, u"寄付金の損金不算入額"}, {6, 36, 219, u"(別表十四「20」又は「36」)"},              // 23
    {6, 27, 223, u"法人税額から控除される所得税額"}, {6, 37, 225, u"(別表六(一)「6の③」)"},         // 26
    {6, 27, 229, u"税額控除の対象とした外国法人税の額等"},                                            // 27
    {5, 27, 231, u"(六(二の二)「10」-十六の三(二)「36の計」)"}, // 5 pt: the longest reference, kept in its cell
    {8, 36, 235, u"合　　        　　計"}, {6, 36, 238, u"(22) + (23) + (26) + (27)"},                // 28
    {6, 27, 241, u"新鉱床探鉱費又は海外新鉱床探鉱費の特"}, {6, 27, 243, u"別控除額(別表十(二)「41」)"}, // 29
    {8, 36, 247, u"総　　        　　計"}, {6, 42, 250, u"(28) + (29)"},                              // 30
    {6, 27, 254, u"契約者配当の益金算入額(別表九「13」)"},                                            // 31
    {6, 27, 259, u"非適格合併又は非適格分割型分割による"}, {6, 27, 261, u"移転資産等の譲渡利益額又は譲渡損失額"}, // 35
    {8, 36, 265, u"差       引        計"}, {6, 39, 268, u"(30) + (31) + (35)"},                      // 36
    {6, 27, 271, u"欠損金又は災害損失金の当期控除額"}, {6, 38, 273, u"(別表七「２の計」)"},           // 37
    {8, 29, 278, u"当期所得金額又は欠損金額"},                                                        // 39
};

void drawForm(Page &page) {
    PageState &st = page.state;
    page.font(fontname::mincho, 11);
    drawLines(page, drawwidth::frame, frame);
    drawLines(page, drawwidth::grid, fixedRules);
    pageHeaderBlock(page, true);

    page.drawWidth(drawwidth::grid);
    // Row rules: inside 加算 and 減算 they leave the block-label strip open; below 210 they run full width.
    for (int i = 7; i <= 30; ++i) {
        st.ruleY = 6 * i;
        page.line(33, 24 + st.ruleY, 192, 24 + st.ruleY);
    }
    for (int i = 31; i <= 42; ++i) {
        st.ruleY = 6 * i;
        page.line(25, 24 + st.ruleY, 192, 24 + st.ruleY);
    }
    drawLines(page, drawwidth::grid, columnRules);

    for (const StrikeRun &run : strikeRuns)
        for (const FormLine &l : formLines)
            if (l.struck & run.cell)
                page.line(run.x1, l.top + 6, run.x2, l.top);

    drawTexts(page, heading);

    page.fontSize(8);
    for (const NumberGroup &g : numberGroups) {
        st.blockOffsetX = g.offsetX;
        for (const FormLine &l : formLines)
            if (l.number >= g.first && l.number <= g.last)
                page.text(g.x, l.numberY, QString::number(l.number));
    }
    st.blockOffsetX = 0;

    drawTexts(page, marks);
    drawTexts(page, captions);
}

// ---- the figures --------------------------------------------------------------------------------------------
// Laid out in the page's own coordinates and moved onto the form by the block offsets: 7 mm left and up for the
// 11-point amounts, 7 mm left and 6 mm up for the 8-point ※ figures and the row names.

// Right edges: ① 総額, ② 留保, ③ 社外流出, and ③ of line 1 (beside its three sub-rows); each figure is kept
// inside the cell between its column's rules.
constexpr double total = 112;
constexpr double retainedEdge = 145;
constexpr double outflow = 193;
constexpr double lineOneOutflow = 195;

constexpr CellSpan totalCell{76, 110};
constexpr CellSpan retainedCell{110, 144};
constexpr CellSpan outflowCell{157, 192};
// The cells that carry the form's 6 pt "△" at their left: the figure keeps clear of the mark as of a rule.
constexpr double markWidth = 6 * mmPerPoint;
constexpr CellSpan totalBesideMark{78 + markWidth, 110};
constexpr CellSpan outflowBesideMark{159 + markWidth, 192};

struct Amount {
    double right;
    double y;
    int cell;                // schedule4Cells
    bool schedule6 = false;  // schedule6Cells instead
    const CellSpan *span = nullptr; // the cell, when not the column's own
};

constexpr const CellSpan &columnCell(double right) {
    return right == total ? totalCell : right == retainedEdge ? retainedCell : outflowCell;
}

// clang-format off
constexpr Amount amounts[] = {
    {total, 57, 1}, {retainedEdge, 57, 2}, {lineOneOutflow, 57, 3},  // 1 当期利益又は当期欠損金の額
    {total, 69, 4}, {retainedEdge, 69, 5},                          // 2
    {total, 75, 6}, {retainedEdge, 75, 7},                          // 3
    {total, 81, 8}, {retainedEdge, 81, 9},                          // 4
    {total, 87, 10}, {retainedEdge, 87, 11},                        // 5
    {total, 93, 12}, {outflow, 93, 14},                             // 6
    {total, 105, 15}, {outflow, 105, 16},                           // 8
    {total, 111, 17}, {retainedEdge, 111, 18}, {outflow, 111, 19},  // 9
    {total, 117, 20}, {retainedEdge, 117, 21}, {outflow, 117, 22},  // 10
    {total, 141, 23}, {retainedEdge, 141, 24}, {outflow, 141, 25},  // 11 小計
    {total, 153, 26}, {retainedEdge, 153, 27},                      // 13
    {total, 171, 28}, {outflow, 171, 30},                           // 16
    {total, 177, 31}, {retainedEdge, 177, 32}, {outflow, 177, 33},  // 17
    {total, 183, 45}, {retainedEdge, 183, 46}, {outflow, 183, 47},  // 18
    {total, 213, 34}, {retainedEdge, 213, 35},                      // 21 小計
    {total, 219, 37}, {retainedEdge, 219, 38},                      // 22 仮計
    {total, 230, 9, true}, {outflow, 230, 9, true},                 // 26: the credit of 別表六(一)
    // 28 合計, 30 総計 and 36 差引計 are equal: the record has no amounts for lines 29, 31 and 35.
    {total, 243, 42}, {retainedEdge, 243, 43},
    {total, 255, 42}, {retainedEdge, 255, 43},
    {total, 273, 42}, {retainedEdge, 273, 43},
    {total, 278, 48, false, &totalBesideMark}, {outflow, 278, 49, false, &outflowBesideMark}, // 37 欠損金又は…
    // 39 当期所得金額又は欠損金額: 0.3 mm higher than the lines above stand in theirs, so that a figure's commas keep
    // clear of the frame's heavy rule at the foot of the line.
    {total, 284.7, 52}, {retainedEdge, 284.7, 53},
};

// ③ of the total lines, beside the form's "外  ※": the ※ figure above, the 社外流出 figure 3 mm lower.
constexpr Amount subCells[] = {
    {outflow, 210, 50}, {outflow, 213, 36}, // 21
    {outflow, 216, 51, false, &outflowBesideMark}, {outflow, 219, 39, false, &outflowBesideMark}, // 22
    {outflow, 240, 55}, {outflow, 243, 44}, // 28
    {outflow, 252, 55}, {outflow, 255, 44}, // 30
    {outflow, 270, 55}, {outflow, 273, 44}, // 36
    {outflow, 282, 56}, {outflow, 284.7, 54}, // 39, the 社外流出 figure clear of the frame like the line's others
};
// clang-format on

// The captions the user gives lines 9, 10, 17 and 18, in the caption column up to the line numbers' rule.
constexpr double rowNameLeft = 33;
constexpr double rowNameX = 44;
constexpr double rowNameRight = 67;
// Each 1 mm under its line's top rule: lines 10 and 18 too, whose names would otherwise stand on the rule.
constexpr double rowNameY[] = {109, 115, 175, 181};
constexpr double rowBandTop[] = {102, 108, 168, 174}; // the rules above lines 9, 10, 17 and 18

void printAmounts(Page &page, std::span<const Amount> items) {
    for (const Amount &a : items) {
        const std::int32_t v = a.schedule6 ? page.data.schedule6Cells[a.cell] : page.data.schedule4Cells[a.cell];
        page.rightAlignedAmount(a.right, a.y, v, a.span ? *a.span : columnCell(a.right));
    }
}

void drawFigures(Page &page) {
    PageState &st = page.state;
    page.fontSize(11);
    st.blockOffsetX = -7;
    st.blockOffsetY = -7;
    printAmounts(page, amounts);

    st.blockOffsetX = 0;
    st.blockOffsetY = 0;
    page.fontSize(8);
    st.blockOffsetX = -7;
    st.blockOffsetY = -6;
    printAmounts(page, subCells);

    page.fontSize(11);
    for (int k = 1; k <= 4; ++k) {
        const double top = rowBandTop[k - 1];
        page.textInBox(rowNameX, rowNameY[k - 1], page.data.schedule4RowNames[k],
                       page.roomBetweenRules(rowNameLeft, top, rowNameRight, top + 6));
    }

    st.blockOffsetX = st.blockOffsetY = st.lineOriginX = st.lineOriginY = 0;
}

} // namespace

void Schedule4Page(Page &page) {
    drawForm(page);
    drawFigures(page);
}

} // namespace hz
