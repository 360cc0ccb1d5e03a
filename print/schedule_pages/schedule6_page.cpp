#include "print/pages.h"

// 別表六(一): the income-tax credit. Part Ⅰ lines 1, 2 and 6 and the first two rows of the 個別法 table carry the
// company's figures; the 簡便法 table, the その他 table and part Ⅱ are printed empty.
// A caption too wide or too tall for its cell in the printing face is set a little smaller or moved the least that
// keeps its ink off the rules; the tests check that no text touches a rule.
namespace hz {

namespace {

// The tables keep the rows of the form together.
// clang-format off
constexpr TextItem title[] = {
    {11, 25, 13, u"所得税額の控除及びみなし配当金額の"},
    {11, 25, 17, u"一部の控除に関する明細書"},
    {11, 194, 9, u"別"},
    {11, 194, 14, u"表"},
    {11, 194, 19, u"六"},
    {11, 193, 24, u"(一)"},
};

constexpr LineItem frames[] = {
    // Main frame; its top also closes the header block.
    {25, 24, 192, 24}, {25, 24, 25, 239}, {192, 24, 192, 239}, {25, 239, 192, 239},
    // Part Ⅱ.
    {25, 248, 192, 248}, {25, 248, 25, 276}, {192, 248, 192, 276}, {25, 276, 192, 276},
};

constexpr LineItem grid[] = {
    // Part Ⅰ: under its title, tops of lines 1 to 6 and the bottom of line 6.
    {25, 33, 192, 33},
    {25, 46, 192, 46}, {25, 51, 192, 51}, {25, 56, 192, 56}, {25, 61, 192, 61}, {25, 66, 192, 66},
    {25, 71, 192, 71}, {25, 76, 192, 76},
    // 個別法: under its title, five rows.
    {25, 85, 192, 85},
    {31, 98, 192, 98}, {31, 103, 192, 103}, {31, 108, 192, 108}, {31, 113, 192, 113}, {31, 118, 192, 118},
    // The double rule between the 個別法 and 簡便法 tables.
    {25, 123, 192, 123}, {25, 124, 192, 124},
    // 簡便法: ten rows.
    {31, 137, 192, 137}, {31, 142, 192, 142}, {31, 147, 192, 147}, {31, 152, 192, 152}, {31, 157, 192, 157},
    {31, 162, 192, 162}, {31, 167, 192, 167}, {31, 172, 192, 172}, {31, 177, 192, 177}, {31, 182, 192, 182},
    // その他: its top, under its title, five rows and the 計 row.
    {25, 187, 192, 187},
    {25, 196, 192, 196},
    {25, 209, 192, 209}, {25, 214, 192, 214}, {25, 219, 192, 219}, {25, 224, 192, 224}, {25, 229, 192, 229},
    {25, 234, 192, 234},
    // Part Ⅱ: two rows and the 計 row.
    {25, 261, 192, 261}, {25, 266, 192, 266}, {25, 271, 192, 271},
    // The strips of the column marks and numbers.
    {72, 42, 192, 42},
    {66, 94, 192, 94},
    {52, 133, 192, 133},
    {126, 205, 170, 205},
    {112, 257, 192, 257},
    // Part Ⅰ: the line-number column and the column sides.
    {66, 46, 66, 76},
    {72, 33, 72, 76}, {112, 33, 112, 76}, {152, 33, 152, 76},
    // 個別法: the vertical caption's strip and the columns 7 to 12.
    {31, 85, 31, 123},
    {66, 85, 66, 123}, {87, 85, 87, 123}, {108, 85, 108, 123}, {129, 85, 129, 123}, {150, 85, 150, 123},
    {171, 85, 171, 123},
    // 簡便法: the vertical caption's strip and the columns 13 to 19.
    {31, 124, 31, 187},
    {52, 124, 52, 187}, {72, 124, 72, 187}, {92, 124, 92, 187}, {112, 124, 112, 187}, {132, 124, 132, 187},
    {152, 124, 152, 187}, {172, 124, 172, 187},
    // その他: the first three columns stop above the 計 row; columns 20, 21 and 備考 run down to the frame; the
    // 備考 cell of the 計 row is crossed out.
    {64, 196, 64, 234}, {104, 196, 104, 234},
    {126, 196, 126, 239}, {148, 196, 148, 239}, {170, 196, 170, 239},
    {192, 234, 170, 239},
    // Part Ⅱ: column sides, the first stopping above the 計 row.
    {72, 248, 72, 271}, {112, 248, 112, 276}, {152, 248, 152, 276},
};

constexpr TextItem captions[] = {
    // Part Ⅰ.
    {10, 75, 28, u"Ⅰ　　所 得 税 額 の 控 除 に 関 す る 明 細 書"},
    {8, 38, 38, u"区　　　　　　　　分"},
    {8, 80, 36, u"収    入    金    額"},
    {8, 120, 35, u"①について課される"},
    {8, 121, 38, u"所    得    税    額"},
    {8, 159, 35, u"②のうち控除を受ける"},
    {8, 161, 38, u"所    得    税    額"},
    {6, 27, 47, u"預貯金の利子及び合同運用信託の分配"},
    {8, 28.5, 52, u"公  社  債  の  利  子  等"},
    {6, 31, 56.3, u"利益の配当及び剰余金の分配"},
    {6, 35, 58.6, u"（みなし配当等を除く。）"},
    {8, 28, 62, u"証券投資信託の収益の分配"},
    {8, 35, 67, u"そ　　　の　　　他"},
    {8, 44, 72, u"計"},
    // Title of the 個別法 block.
    {8, 75, 78, u"公社債の利子等、利益の配当及び剰余金の分配又は証券投資"},
    {8, 75, 81, u"信託の収益の分配に係る控除を受ける所得税額の計算"},
    // 個別法 table.
    {8, 37, 90, u"銘　　　　　　　　柄"},
    {8, 69, 88, u"収 入 金 額"},
    {8, 90, 88, u"所 得 税 額"},
    {8, 110, 87, u"利子配当等の"},
    {8, 110, 90, u"計算基礎期間"},
    {8, 130.5, 87, u"(9)のうち元本"},
    {8, 129.7, 90, u"所  有  期  間"},
    {8, 152, 87, u"所有期間割合"},
    {5, 152, 90, u"(小数点以下３位未満"},
    {5, 158, 92, u"切上げ)"},
    {8, 173, 87, u"控除を受ける"},
    {7.5, 172, 90, u"所  得  税  額"},
    {8, 27, 88, u"個"}, {8, 27, 92, u"別"}, {8, 27, 96, u"法"}, {8, 27, 100, u"に"},
    {8, 27, 104, u"よ"}, {8, 27, 108, u"る"}, {8, 27, 112, u"場"}, {8, 27, 116, u"合"},
    // 銘柄別簡便法 table; the rows of low lines are fraction bars under their numerators.
    {8, 31.7, 130, u"銘　　　　　柄"},
    {8, 55, 127, u"収 入 金 額"},
    {8, 75, 127, u"所 得 税 額"},
    {6, 95, 125, u"利子配当等の"},
    {6, 95, 127, u"計算期末の"},
    {6, 95, 129, u"所有元本数等"},
    {6, 115, 125, u"利子配当等の"},
    {6, 115, 127, u"計算期首の "},
    {6, 115, 129, u"所有元本数等"},
    {8, 136, 126, u"(15) - (16)"},
    {8, 134, 126, u"＿＿＿＿＿＿"},
    {8, 136, 129, u"２又は１２"},
    {8, 154, 125, u"所有元本割合"},
    {6, 156, 128, u"(16) + (17)"},
    {6, 156, 128, u"＿＿＿＿＿"},
    {6, 159, 130.5, u"(15)"},
    {8, 174, 125, u"控除を受ける"},
    {7.5, 172.7, 129, u"所　得　税　額"},
    {8, 27, 127, u"銘"}, {8, 27, 132, u"柄"}, {8, 27, 137, u"別"}, {8, 27, 142, u"簡"}, {8, 27, 147, u"便"},
    {8, 27, 152, u"法"}, {8, 27, 157, u"に"}, {8, 27, 162, u"よ"}, {8, 27, 167, u"る"}, {8, 27, 172, u"場"},
    {8, 27, 177, u"合"},
    // その他 table.
    {10, 55, 191, u"そ　の　他　に　係　る　控　除　を　受　け　る　所　得　税　額　の　明　細"},
    {8, 29, 201, u"支払者の氏名又は法人名"},
    {8, 69, 201, u"支払者の住所又は所在地"},
    {8, 107, 199, u"支払を受けた"},
    {8, 106, 203, u"年　　月　　日"},
    {8, 127.5, 199, u"収  入  金  額"},
    {8, 150, 198, u"控除を受ける"},
    {8, 151, 201, u"所 得 税 額"},
    {8, 171.5, 201, u"備　　　　　考"},
    {8, 72, 235, u"計"},
    // Part Ⅱ.
    {8, 55, 243, u"Ⅱ　　み　な　し　配　当　金　額　の　一　部　控除　に　関　す　る　明　細　書"},
    {8, 35, 253, u"法　　　　人　　　　名"},
    {8, 78, 253, u"解　散　の　年　月　日"},
    {8, 114.5, 251, u"み　な　し　配　当　金　額"},
    {8, 155.5, 251, u"(22)　の　25%　相　当　額"},
    {8, 67, 272, u"計"},
};

// Column marks and numbers; 1 to 19 are printed as numbers, with a blank before the digits.
constexpr TextItem numbers[] = {
    {8, 91, 43, u"①"}, {8, 131, 43, u"②"}, {8, 171, 43, u"③"},
    {8, 67, 47, u" 1"}, {8, 67, 52, u" 2"}, {8, 67, 57, u" 3"}, {8, 67, 62, u" 4"}, {8, 67, 67, u" 5"},
    {8, 67, 72, u" 6"},
    {8, 74, 95, u" 7"}, {8, 95, 95, u" 8"}, {8, 116, 95, u" 9"}, {8, 137, 95, u" 10"}, {8, 158, 95, u" 11"},
    {8, 179, 95, u" 12"},
    {8, 60, 134, u" 13"}, {8, 80, 134, u" 14"}, {8, 100, 134, u" 15"}, {8, 120, 134, u" 16"},
    {8, 140, 134, u" 17"}, {8, 160, 134, u" 18"}, {8, 180, 134, u" 19"},
    {8, 136, 206, u"20"}, {8, 156, 206, u"21"},
    {8, 131, 258, u"22"}, {8, 171, 258, u"23"},
};

struct AmountItem {
    int element; // of schedule6Cells
    double right;
    double y;
    CellSpan cell;
};
// Part Ⅰ: 預貯金の利子 on line 1, the dividends worked out in the 個別法 rows on line 2, 計 on line 6, each in
// columns ① 収入金額 (72-112), ② 所得税額 (112-152), ③ 控除を受ける所得税額 (152-192).
constexpr CellSpan income{72, 112}, withheld{112, 152}, credited{152, 192};
constexpr AmountItem creditAmounts[] = {
    {1, 110, 47, income}, {2, 150, 47, withheld}, {3, 190, 47, credited},
    {4, 110, 52, income}, {5, 150, 52, withheld}, {6, 190, 52, credited},
    {7, 110, 72, income}, {8, 150, 72, withheld}, {9, 190, 72, credited},
};

// The two 個別法 rows: the issue's name, then 収入金額, 所得税額, 計算基礎期間, 元本所有期間, 所有期間割合 (in
// thousandths) and 控除を受ける所得税額.
struct IssueRow {
    int name;         // of schedule6Texts
    int firstElement; // of schedule6Cells, the row's six figures from here on
    double y;
};
constexpr IssueRow issueRows[] = {{1, 10, 99}, {2, 16, 104}};
constexpr double issueNameLeft = 31;
constexpr double issueNameX = 33;
constexpr double issueNameRight = 66; // the rule of column 7
constexpr double issueRightEdges[] = {81, 102, 124, 145, 167, 188};
constexpr double issueColumnRules[] = {66, 87, 108, 129, 150, 171, 192};

// clang-format on

} // namespace

void Schedule6Page(Page &page) {
    page.font(fontname::mincho, 11);
    drawTexts(page, title);
    pageHeaderBlock(page, true);
    drawLines(page, drawwidth::frame, frames);
    drawLines(page, drawwidth::grid, grid);
    drawTexts(page, captions);
    drawTexts(page, numbers);

    const auto &cells = page.data.schedule6Cells;
    page.fontSize(11);
    for (const AmountItem &a : creditAmounts)
        page.rightAlignedAmount(a.right, a.y, cells[a.element], a.cell);
    for (const IssueRow &row : issueRows) {
        // In its row of 5 mm under the rule 1 mm above it, from the vertical caption's strip to column 7.
        page.textInBox(issueNameX, row.y, page.data.schedule6Texts[row.name],
                       page.roomBetweenRules(issueNameLeft, row.y - 1, issueNameRight, row.y + 4));
        for (int j = 0; j < 6; ++j)
            page.rightAlignedAmount(issueRightEdges[j], row.y, cells[row.firstElement + j],
                                    {issueColumnRules[j], issueColumnRules[j + 1]});
    }
}

} // namespace hz
