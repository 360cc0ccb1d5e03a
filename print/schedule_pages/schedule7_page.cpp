#include "print/pages.h"

#include "core/numbers.h"

#include <array>

// 別表七: the carry-forward of losses. Section Ⅰ holds the seven earlier business years with their losses, the
// current year's loss and the disaster-loss computation; section Ⅱ (私財提供等) is printed as an empty form.
// A caption too wide or too tall for its cell in the printing face is set a little smaller or moved the least that
// keeps its ink off the rules; the tests check that no text touches a rule.
namespace hz {

namespace {

// The tables keep the rows of the form together.
// clang-format off
constexpr TextItem title[] = {
    {11, 24, 13, u"欠損金又は災害損失金及び私財提供等があっ"},
    {11, 25, 17, u"た場合の欠損金の損金算入に関する明細書"},
    {11, 194, 9, u"別"},
    {11, 194, 14, u"表"},
    {11, 194, 19, u"七"},
};

constexpr LineItem frames[] = {
    // Section Ⅰ
    {25, 24, 192, 24}, {25, 24, 25, 239}, {192, 24, 192, 239}, {25, 239, 192, 239},
    // Section Ⅱ
    {25, 245, 192, 245}, {25, 245, 25, 281}, {192, 245, 192, 281}, {25, 281, 192, 281},
};

constexpr LineItem grid[] = {
    // Under the section Ⅰ title; under the heads of columns 1 to 3.
    {25, 29, 192, 29},
    {87, 34, 192, 34},
    // Tops of the ten business-year rows.
    {25, 39, 192, 39}, {25, 49, 192, 49}, {25, 59, 192, 59}, {25, 69, 192, 69}, {25, 79, 192, 79},
    {25, 89, 192, 89}, {25, 99, 192, 99}, {25, 109, 192, 109}, {25, 119, 192, 119}, {25, 129, 192, 129},
    // Their half-dividers, from the 区分 column on.
    {52, 44, 192, 44}, {52, 54, 192, 54}, {52, 64, 192, 64}, {52, 74, 192, 74}, {52, 84, 192, 84},
    {52, 94, 192, 94}, {52, 104, 192, 104}, {52, 114, 192, 114}, {52, 124, 192, 124}, {52, 134, 192, 134},
    // 計 and the 当期分 block.
    {25, 139, 192, 139}, {25, 144, 192, 144}, {31, 149, 192, 149}, {37, 159, 192, 159}, {37, 169, 192, 169},
    {37, 174, 192, 174},
    // 合計, the disaster block's title band, 災害の種類, its head.
    {25, 179, 192, 179}, {25, 184, 192, 184}, {25, 189, 192, 189}, {25, 194, 192, 194},
    {87, 199, 192, 199},
    // Disaster lines 4 to 10.
    {25, 204, 192, 204}, {25, 209, 192, 209}, {31, 214, 192, 214}, {31, 219, 192, 219},
    {25, 224, 192, 224}, {25, 229, 192, 229}, {25, 234, 192, 234},
    // Verticals of section Ⅰ.
    {52, 29, 52, 139}, {87, 29, 87, 184}, {122, 29, 122, 184}, {157, 29, 157, 184},
    {87, 189, 87, 239}, {122, 189, 122, 239}, {157, 189, 157, 239},
    {31, 144, 31, 179}, {37, 149, 37, 179}, {31, 209, 31, 224}, {81, 204, 81, 239},
    // Verticals of section Ⅱ.
    {31, 245, 31, 281}, {72, 245, 72, 281}, {78, 245, 78, 281}, {108, 245, 108, 281}, {114, 245, 114, 269},
    {156, 245, 156, 281}, {162, 245, 162, 281},
    // Horizontals of section Ⅱ: lines 11 to 14 on the left, 15 to 20 on the right.
    {31, 254, 108, 254}, {31, 263, 108, 263}, {31, 272, 108, 272},
    {114, 251, 192, 251}, {114, 257, 192, 257}, {114, 263, 192, 263}, {108, 269, 192, 269}, {108, 275, 192, 275},
    // Struck cells, top-right to bottom-left: row 1 (7 years back) has nothing to carry forward; the current
    // year's loss, 設備廃棄 and 特例 rows, 合計 and disaster lines 4 and 10 are closed where the form closes them.
    {192, 39, 157, 44},
    {192, 144, 157, 149},
    {157, 149, 122, 159},
    {157, 159, 122, 169},
    {122, 179, 87, 184}, {157, 179, 122, 184},
    {122, 204, 87, 209}, {157, 204, 122, 209},
    {122, 234, 87, 239}, {157, 234, 122, 239},
};

constexpr TextItem section1Captions[] = {
    {8, 35, 25, u"Ⅰ　　欠　損　金　又　は　災　害　に　よ　る　損　失　金　の　損　金　算　入　に　関　す　る　明　細　書"},
    {8, 27.5, 32, u"事   業   年   度"},
    {8, 61, 32, u"区             分"},
    {7, 88.5, 30, u"控  除  未  済  欠  損  金"},
    {7, 129, 29.3, u"当  期  控  除  額"},
    {6, 124.5, 31.7, u"(別表四「36の①」を限度とする)"},
    {7, 164, 29.3, u"翌  期  繰  越  額"},
    {6, 170, 31.7, u"(1) － (2)"},
    // The kinds of loss of the ten business-year rows.
    {5.5, 53, 40, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 50, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 60, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 70, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 80, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 90, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 100, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 110, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 120, u"青色欠損・災害損失・土地みなし欠損"},
    {5.5, 53, 130, u"青色欠損・災害損失・土地みなし欠損"},
    {8, 54, 45, u"設備廃棄欠損・特例欠損"},
    {8, 54, 55, u"設備廃棄欠損・特例欠損"},
    {8, 54, 65, u"設備廃棄欠損・特例欠損"},
    {8, 54, 75, u"設備廃棄欠損・特例欠損"},
    {8, 54, 85, u"設備廃棄欠損・特例欠損"},
    {8, 54, 95, u"設備廃棄欠損・特例欠損"},
    {8, 54, 105, u"設備廃棄欠損・特例欠損"},
    {8, 54, 115, u"設備廃棄欠損・特例欠損"},
    {8, 54, 125, u"設備廃棄欠損・特例欠損"},
    {8, 54, 135, u"設備廃棄欠損・特例欠損"},
    // 計 and the 当期分 block.
    {8, 55, 140, u"計"},
    {7, 46, 144.2, u"欠      損      金      額"},
    {6, 50, 146.7, u"(別表四「39の①」)"},
    {8, 123.5, 145, u"欠 損 金 の 繰 戻 し 額"},
    {7, 39, 150, u"特 定 事 業 者 の 設 備 廃 棄 欠 損 金"},
    {8, 40, 153, u"(設備廃棄直前の帳簿価額の合計額と"},
    {8, 40, 156, u"同上の金額のうち少ない金額)"},
    {8, 38, 160, u"特定対内投資事業者等の特例欠損金"},
    {7.5, 37.5, 163, u"(別表四「39の①」欄の金額から同上の"},
    {8, 39, 166, u"設備廃棄欠損金額を控除した金額)"},
    {8, 46, 170, u"災   害   損   失   金  (10)"},
    {8, 44, 175, u"青     色     損     失     金"},
    {8, 48, 180, u"合            計"},
    {8, 27, 147, u"当"},
    {8, 27, 160, u"期"},
    {8, 27, 172, u"分"},
    {8, 33, 153, u"同"},
    {8, 33, 157, u"上"},
    {8, 33, 161, u"の"},
    {8, 33, 165, u"う"},
    {8, 33, 169, u"ち"},
    // The disaster block.
    {8, 76, 185, u"災　害　に　よ　り　生　じ　た　損　失　の　額　の　計　算"},
    {8, 38, 190, u"災      害      の      種      類"},
    {8, 128, 190, u"災 害 の や ん だ 日"},
    {8, 32.5, 198, u"災  害  を  受  け  た  資  産  の  別"},
    {8, 89, 195, u"棚     卸     資     産"},
    {7, 125.3, 194.2, u"固     定     資     産"},
    {5.5, 123, 196.7, u"(固定資産に準ずる繰延資産を含む。)"},
    {7, 173, 194.2, u"計"},
    {6, 171, 196.8, u"① - ②"},
    {7, 38, 204.2, u"当  期  の  欠  損  金  額"},
    {6, 45, 206.7, u"(別表四「39の①」)"},
    {8, 34, 210, u"資産の滅失等により生じた損失の額"},
    {8, 32, 215, u"被害資産の原状回復のための費用の額"},
    {8, 52, 220, u"計     ( (5) + (6) )"},
    {8, 34, 225, u"保険金又は損害賠償金等の額"},
    {7, 27, 230, u"差引災害により生じた損失の額 ( (7) － (8) )"},
    {7, 34, 234.15, u"繰越控除の対象となる損失の額"},
    {5.5, 38, 236.6, u"((4)と((9)の③)のうち少ない金額)"},
    // Beside lines 5 to 7, in two columns.
    {6, 26, 210, u"災"}, {6, 26, 212, u"害"}, {6, 26, 214, u"に"}, {6, 26, 216, u"よ"}, {6, 26, 218, u"り"},
    {6, 26, 220, u"生"},
    {6, 28, 210, u"じ"}, {6, 28, 212, u"た"}, {6, 28, 214, u"損"}, {6, 28, 216, u"失"}, {6, 28, 218, u"の"},
    {6, 28, 220, u"額"},
};

// Column numbers, disaster line numbers (printed as numbers: a blank before the digits, so 10 starts 1 mm further
// left) and the disaster columns' marks.
constexpr TextItem section1Numbers[] = {
    {8, 104, 35, u"1"}, {8, 139, 35, u"2"}, {8, 174, 35, u"3"},
    {8, 82, 205, u" 4"}, {8, 82, 210, u" 5"}, {8, 82, 215, u" 6"}, {8, 82, 220, u" 7"}, {8, 82, 225, u" 8"},
    {8, 82, 230, u" 9"}, {8, 81, 235, u" 10"},
    {8, 104, 200, u"①"}, {8, 139, 200, u"②"}, {8, 174, 200, u"③"},
};

constexpr TextItem section2Captions[] = {
    {8, 57, 241, u"Ⅱ　私 財 提 供 等 の あ っ た 場 合 の 欠 損 金 の 損 金 算 入 に 関 す る 明 細 書"},
    {7, 31.7, 248, u"金　    　銭　    　の　    　額"},
    {8, 37, 257, u"金銭以外の資産の価額"},
    {8, 36, 266, u"債務の免除を受けた金額"},
    {8, 50, 274, u"計"},
    {8, 41, 277, u"(11) + (12) + (13)"},
    {6, 116, 246, u"適用年度終了の時における前事業年度以"},
    {6, 116, 248.5, u"前の事業年度から繰り越された欠損金額"},
    {6, 116, 253, u"適用年度終了の時における資本積立金額"},
    {5.5, 114.5, 258, u"当期控除を受ける欠損金又は災害損失金の額"},
    {6, 130, 260.5, u"( 2 の計 )"},
    {7, 115.3, 264, u"差　　引　　欠　　損　　金　　額"},
    {6, 127, 266.5, u"(15) - (16) - (17)"},
    {6.5, 108.6, 270, u"当　　期　　の　　所　　得　　金　　額"},
    {6, 118, 272.5, u"( 別表四「36の①」 - 「37の①」)"},
    {7, 111, 276, u"当　　　期　　　控　　　除　　　額"},
    {6, 117, 278.5, u"((14)、(18)と(19)のうち少ない金額)"},
    // 私財提供等の利益の内訳, beside lines 11 to 14.
    {8, 26, 246, u"私"}, {8, 26, 249, u"財"}, {8, 26, 252, u"提"}, {8, 26, 255, u"供"}, {8, 26, 258, u"等"},
    {8, 26, 261, u"の"}, {8, 26, 264, u"利"}, {8, 26, 267, u"益"}, {8, 26, 270, u"の"}, {8, 26, 273, u"内"},
    {8, 26, 276, u"訳"},
    // 欠損金額の計算, beside lines 15 to 18.
    {8, 109, 246, u"欠"}, {8, 109, 249, u"損"}, {8, 109, 252, u"金"}, {8, 109, 255, u"額"}, {8, 109, 258, u"の"},
    {8, 109, 261, u"計"}, {8, 109, 264, u"算"},
    // Line numbers 11 to 20.
    {8, 73, 248, u" 11"}, {8, 73, 257, u" 12"}, {8, 73, 266, u" 13"}, {8, 73, 275, u" 14"},
    {8, 157, 247, u" 15"}, {8, 157, 253, u" 16"}, {8, 157, 259, u" 17"}, {8, 157, 265, u" 18"},
    {8, 157, 271, u" 19"}, {8, 157, 277, u" 20"},
};

// The printed earlier business years: k years back, at the row whose upper line (start date) and lower line (end
// date) stand at these heights. Rows 2 to 4 of the form stay empty.
struct EarlierYearRow {
    int yearsBack;
    double startY;
    double endY;
};
constexpr EarlierYearRow earlierYearRows[] = {
    {7, 40, 45}, {6, 80, 85}, {5, 90, 95}, {4, 100, 105}, {3, 110, 115}, {2, 120, 125}, {1, 130, 134},
};
constexpr std::array<double, 3> dateXs = {30, 37, 44};

// Every printed earlier year is marked as a 青色欠損 year; every row gets its date separators.
constexpr TextItem yearMarks[] = {
    {9, 56, 39, u"○"}, {9, 56, 79, u"○"}, {9, 56, 89, u"○"}, {9, 56, 99, u"○"},
    {9, 56, 109, u"○"}, {9, 56, 119, u"○"}, {9, 56, 129, u"○"},
};
constexpr TextItem dateSeparators[] = {
    {9, 35, 130, u"・"}, {9, 42, 130, u"・"}, {9, 35, 134, u"・"}, {9, 42, 134, u"・"},
    {9, 35, 120, u"・"}, {9, 42, 120, u"・"}, {9, 35, 125, u"・"}, {9, 42, 125, u"・"},
    {9, 35, 110, u"・"}, {9, 42, 110, u"・"}, {9, 35, 115, u"・"}, {9, 42, 115, u"・"},
    {9, 35, 100, u"・"}, {9, 42, 100, u"・"}, {9, 35, 105, u"・"}, {9, 42, 105, u"・"},
    {9, 35, 90, u"・"}, {9, 42, 90, u"・"}, {9, 35, 95, u"・"}, {9, 42, 95, u"・"},
    {9, 35, 80, u"・"}, {9, 42, 80, u"・"}, {9, 35, 85, u"・"}, {9, 42, 85, u"・"},
    {9, 35, 70, u"・"}, {9, 42, 70, u"・"}, {9, 35, 75, u"・"}, {9, 42, 75, u"・"},
    {9, 35, 60, u"・"}, {9, 42, 60, u"・"}, {9, 35, 65, u"・"}, {9, 42, 65, u"・"},
    {9, 35, 50, u"・"}, {9, 42, 50, u"・"}, {9, 35, 55, u"・"}, {9, 42, 55, u"・"},
    {9, 35, 40, u"・"}, {9, 42, 40, u"・"}, {9, 35, 45, u"・"}, {9, 42, 45, u"・"},
};

// Right edges of the amount columns, 4 mm inside their rules: 1 控除未済欠損金, 2 当期控除額, 3 翌期繰越額.
constexpr double column1 = 118;
constexpr double column2 = 153;
constexpr double column3 = 188;

// The cell of a column, between its rules.
constexpr CellSpan columnCell(double right) {
    return right == column1 ? CellSpan{87, 122} : right == column2 ? CellSpan{122, 157} : CellSpan{157, 192};
}

struct AmountItem {
    int element; // of sched7Amounts
    double right;
    double y;
};
// Column by column, top to bottom; each amount 1 mm below the top of its row. Element 20, the current year's
// loss, stands as the 欠損金額 and as the 青色損失金 of the year.
constexpr AmountItem amounts[] = {
    {33, column1, 40}, {32, column1, 80}, {1, column1, 90}, {3, column1, 100}, {6, column1, 110},
    {9, column1, 120}, {12, column1, 130}, {15, column1, 140}, {20, column1, 145}, {20, column1, 175},
    {35, column2, 40}, {34, column2, 80}, {2, column2, 90}, {4, column2, 100}, {7, column2, 110},
    {10, column2, 120}, {13, column2, 130}, {16, column2, 140},
    {37, column3, 80}, {36, column3, 90}, {5, column3, 100}, {8, column3, 110}, {11, column3, 120},
    {14, column3, 130}, {17, column3, 140}, {20, column3, 175}, {23, column3, 180},
};

// clang-format on

// The business year k years back runs from the start year − k to the end year − k, with the current year's
// months and days: for a year that ends in the calendar year it starts in, the end year is not the next one.
void earlierBusinessYears(Page &page) {
    const auto &n = page.data.companyNumbers;
    auto &years = page.state.priorYears;
    for (int k = 1; k <= 7; ++k)
        years[k] = sub(n[3], k);
    page.fontSize(9);
    for (const EarlierYearRow &row : earlierYearRows) {
        eraDate(page, dateXs, row.startY, years[row.yearsBack], n[4], n[5]);
        eraDate(page, dateXs, row.endY, sub(n[6], row.yearsBack), n[7], n[8]);
    }
    drawTexts(page, yearMarks);
    drawTexts(page, dateSeparators);
}

} // namespace

void Schedule7Page(Page &page) {
    page.font(fontname::mincho, 11);
    drawTexts(page, title);
    pageHeaderBlock(page, true);
    drawLines(page, drawwidth::frame, frames);
    drawLines(page, drawwidth::grid, grid);
    drawTexts(page, section1Captions);
    drawTexts(page, section1Numbers);
    drawTexts(page, section2Captions);
    earlierBusinessYears(page);
    page.fontSize(11);
    for (const AmountItem &a : amounts)
        page.rightAlignedAmount(a.right, a.y, page.data.sched7Amounts[a.element], columnCell(a.right));
}

} // namespace hz
