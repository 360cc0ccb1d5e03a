#include "print/fonts.h"
#include "print/pages.h"

#include "core/numbers.h"

#include <span>

// 別表五（一） 利益積立金額及び資本積立金額の計算に関する明細書, drawn whole: part Ⅰ 利益積立金額 (rows 1 to 31,
// columns ① to ⑤) and part Ⅱ 資本積立金額 (rows 32 to 35, columns ① to ④), then the company's figures.
namespace hz {

namespace {

// ---- the form -----------------------------------------------------------------------------------------------
// Part Ⅰ columns: caption 25-61, row number 61-67, ① 67-92, ② 92-117, ③ 117-142, ④ 142-167, ⑤ 167-192; heading
// 24-48, row r from 48 + 6(r − 1). Part Ⅱ the same up to ③, its ④ 142-192; heading 240-258, rows from 258.

constexpr TextItem title[] = {
    {11, 25, 13, u"利益積立金額及び資本積立金額の計算に"}, {11, 25, 17, u"関する明細書"},
    {11, 194, 9, u"別"}, {11, 194, 14, u"表"}, {11, 194, 19, u"五"}, {11, 193, 24, u"(一)"},
};

// Two boxes, one per part; the band 234-240 between them has no sides.
constexpr LineItem frame[] = {
    {25, 24, 192, 24},  {25, 282, 192, 282}, {25, 24, 25, 234},   {192, 24, 192, 234},
    {25, 234, 192, 234}, {25, 240, 192, 240}, {25, 240, 25, 282}, {192, 240, 192, 282},
};

constexpr LineItem profitHeadRules[] = {
    {25, 30, 192, 30}, // under the part title
    {92, 36, 142, 36}, // under 当期中の増減
    {67, 42, 192, 42}, // under the column heads
};
// Rows 28 to 30 share the label cell 25-35 (未納法人税等): the rules between them start right of it.
constexpr LineItem profitLowerRules[] = {{35, 216, 192, 216}, {35, 222, 192, 222}, {25, 228, 192, 228}};
constexpr LineItem profitColumnRules[] = {
    {61, 48, 61, 234},   {67, 30, 67, 234},   {92, 30, 92, 234},   {117, 36, 117, 234},
    {142, 30, 142, 234}, {167, 30, 167, 234}, {35, 210, 35, 228},
};

constexpr LineItem capitalRules[] = {
    {92, 246, 142, 246}, {67, 252, 192, 252},
    {61, 258, 61, 282},  {67, 240, 67, 282}, {92, 240, 92, 282}, {117, 246, 117, 282}, {142, 240, 142, 282},
};

constexpr TextItem partTitles[] = {
    {10, 70, 26, u"Ⅰ　利 益 積 立 金 額 に 関 す る 明 細 書"},
    {10, 70, 236, u"Ⅱ　資 本 積 立 金 額 の 計 算 に 関 す る 明 細 書"},
};

constexpr TextItem profitHeads[] = {
    {8, 33, 38, u"区　　　　　　　　　分"},
    {8, 73, 32, u"期 首 現 在"},   {8, 71, 36, u"利益積立金額"},
    {8, 104, 32, u"当　期　中　の　増　減"},
    {8, 103, 38, u"減"},           {8, 128, 38, u"増"},
    {8, 144, 32, u"当期利益金処分"}, {8, 146, 36, u"等による増減"},
    {8, 169, 32, u"差引翌期首現在"}, {8, 171, 36, u"利益積立金額"}, {8, 169, 39, u"①－②＋③＋④"},
    {8, 78, 44, u"①"}, {8, 103, 44, u"②"}, {8, 128, 44, u"③"}, {8, 153, 44, u"④"}, {8, 178, 44, u"⑤"},
    {8, 33, 50, u"利　益　準　備　金"},  // 1
    {8, 45, 56, u"準　備　金"},          // 2
    {8, 33, 200, u"繰越損益金(損は赤)"}, // 26
    {8, 33, 206, u"納　税　充　当　金"}, // 27
    {8, 37, 212, u"未 納 法 人 税"},     // 28
    {8, 37, 218, u"未納道府県民税"},     // 29
    {8, 37, 224, u"未納市町村民税"},     // 30
    {8, 33, 230, u"差　引　合　計　額"}, // 31
};

// The label of rows 28 to 30, down its cell.
constexpr TextItem unpaidLabel[] = {
    {8, 29, 210, u"未"}, {8, 29, 213, u"納"}, {8, 29, 216, u"法"},
    {8, 29, 219, u"人"}, {8, 29, 222, u"税"}, {8, 29, 225, u"等"},
};

constexpr TextItem capitalHeads[] = {
    {8, 33, 248, u"区　　　　　　　　　分"},
    {8, 71, 243, u"期　首　現　在"}, {8, 71, 247, u"資本積立金額"},
    {8, 104, 242, u"当　期　中　の　増　減"},
    {8, 103, 248, u"減"},            {8, 128, 248, u"増"},
    {8, 150, 243, u"差引翌期首現在資本積立金額"}, {8, 160, 247, u"①－②＋③"},
    {8, 78, 254, u"①"}, {8, 103, 254, u"②"}, {8, 128, 254, u"③"}, {8, 165, 254, u"④"},
    {8, 33, 260, u"資　本　準　備　金"}, // 32
    {8, 33, 278, u"差　引　合　計　額"}, // 35
};

// The unpaid taxes' "△", 8 pt, at the left of each of their cells: 68 + 25 mm per column.
constexpr double unpaidMarkX = 68;

void drawForm(Page &page) {
    PageState &st = page.state;
    page.font(fontname::mincho, 11);
    drawTexts(page, title);
    pageHeaderBlock(page, true);
    drawLines(page, drawwidth::frame, frame);

    drawLines(page, drawwidth::grid, profitHeadRules);
    for (int i = 0; i <= 27; ++i) { // tops of rows 1 to 28
        st.ruleY = 6 * i;
        page.line(25, 48 + st.ruleY, 192, 48 + st.ruleY);
    }
    drawLines(page, drawwidth::grid, profitLowerRules);
    drawLines(page, drawwidth::grid, profitColumnRules);
    for (int i = 0; i <= 3; ++i) { // tops of rows 32 to 35
        st.ruleY = 6 * i;
        page.line(25, 258 + st.ruleY, 192, 258 + st.ruleY);
    }
    drawLines(page, drawwidth::grid, capitalRules);

    drawTexts(page, partTitles);
    page.fontSize(8);
    for (int r = 1; r <= 31; ++r)
        page.number(r <= 9 ? 63 : 62, 50 + 6 * (r - 1), r);
    drawTexts(page, profitHeads);
    drawTexts(page, unpaidLabel);
    // The unpaid taxes are amounts owed: each of their cells carries the form's "△".
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 5; ++j)
            page.text(unpaidMarkX + 25 * j, 212 + 6 * i, QStringLiteral("△"));
    // Part Ⅱ numbers its rows on from part Ⅰ.
    for (int r = 32; r <= 35; ++r)
        page.number(62, 260 + 6 * (r - 32), r);
    drawTexts(page, capitalHeads);
}

// ---- the figures --------------------------------------------------------------------------------------------
// Laid out 8 mm right and 5 mm up of where they print; the block offsets move them onto the form. Each figure is
// kept inside the cell between its column's rules.

using Edges = std::array<double, 5>;
constexpr Edges userRowEdges{97, 121, 144, 169, 193};  // rows 1 to 8
constexpr Edges totalRowEdges{97, 122, 148, 172, 197}; // 繰越損益金, 納税充当金, 差引合計額
// 未納法人税等: measured with the minus sign the stored amount carries and the figure does not, so 2 mm further
// right for the same end.
constexpr Edges unpaidRowEdges{99, 124, 150, 174, 199};

// The column rules of part Ⅰ, as drawn; part Ⅱ's ④ runs on to the frame.
constexpr std::array<CellSpan, 5> profitCells{{{67, 92}, {92, 117}, {117, 142}, {142, 167}, {167, 192}}};
constexpr std::array<CellSpan, 4> capitalCells{{{67, 92}, {92, 117}, {117, 142}, {142, 192}}};
// The figures of the unpaid rows keep clear of the "△" as of a rule.
constexpr double unpaidMarkWidth = 8 * mmPerPoint;

// A row of the Schedule 5(1) record: where its five amounts stand, and whether they print with their sign changed.
struct ProfitRow {
    double y;
    const Edges *edges;
    bool unpaid = false;
};

constexpr ProfitRow profitRows[] = {
    {45, &userRowEdges},  // 利益準備金, on printed row 1
    // The user's rows 2 to 8 print on rows 19 to 25, 2 mm below the top of the row like every other row.
    {153, &userRowEdges}, {159, &userRowEdges}, {165, &userRowEdges}, {171, &userRowEdges},
    {177, &userRowEdges}, {183, &userRowEdges}, {189, &userRowEdges},
    {195, &totalRowEdges},       // 繰越損益金
    {201, &totalRowEdges},       // 納税充当金
    {207, &unpaidRowEdges, true}, // 未納法人税
    {213, &unpaidRowEdges, true}, // 未納道府県民税
    {219, &unpaidRowEdges, true}, // 未納市町村民税
    {224, &totalRowEdges},       // 差引合計額
};

constexpr double rowNameLeft = 25; // the frame
constexpr double rowNameX = 36;
constexpr double rowNameRight = 61; // the row numbers' rule
constexpr double rowHeight = 6;

constexpr std::array<double, 4> capitalEdges{97, 121, 144, 187}; // ④ spans 142-192
constexpr double capitalRowY[] = {254, 260, 266, 272};

// The record keeps unpaid taxes as negative amounts; the form shows them as positive figures beside its "△".
// Placed by the width of the stored amount, minus sign included; negated in 64 bits, so the most negative cell
// prints as its positive figure.
void unpaidAmount(Page &page, double right, double y, std::int32_t stored, CellSpan cell) {
    page.amountInCell(right, y, plain(stored), fmtAmount(-static_cast<std::int64_t>(stored)), cell);
}

void drawFigures(Page &page) {
    PageState &st = page.state;
    const PrintData &d = page.data;
    page.fontSize(11);
    st.blockOffsetX = -8;
    st.blockOffsetY = 5;

    for (int r = 1; r <= 14; ++r) {
        const ProfitRow &row = profitRows[r - 1];
        for (int c = 1; c <= 5; ++c) {
            const std::int32_t v = d.schedule5_1Cells[5 * (r - 1) + c];
            const double right = (*row.edges)[c - 1];
            const CellSpan cell = profitCells[c - 1];
            if (row.unpaid)
                unpaidAmount(page, right, row.y, v, {unpaidMarkX + 25 * (c - 1) + unpaidMarkWidth, cell.right});
            else
                page.rightAlignedAmount(right, row.y, v, cell);
        }
    }
    // A row name in its caption cell, between the rules of its row: the user's rows stand 2 mm below the top, part
    // Ⅱ's 1 mm (the rules are where the block offsets put the figures).
    auto rowName = [&](double y, double topAboveY, const QString &name) {
        const double top = y + st.blockOffsetY - topAboveY;
        page.textInBox(rowNameX, y, name,
                       page.roomBetweenRules(rowNameLeft, top, rowNameRight, top + rowHeight, Page::leftFrame));
    };
    for (int k = 1; k <= 7; ++k)
        rowName(profitRows[k].y, 2, d.schedule5_1RowNames[k]);

    // Part Ⅱ row by row; the user's names stand on rows 2 and 3.
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 4; ++c)
            page.rightAlignedAmount(capitalEdges[c - 1], capitalRowY[r - 1], d.capitalCells[4 * (r - 1) + c],
                                    capitalCells[c - 1]);
        if (r <= 2)
            rowName(capitalRowY[r], 1, d.capitalRowNames[r]);
    }

    st.blockOffsetX = 0;
    st.blockOffsetY = 0;
}

} // namespace

void Schedule5_1Page(Page &page) {
    drawForm(page);
    drawFigures(page);
}

} // namespace hz
