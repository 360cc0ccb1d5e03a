#include "print/local_returns/nine_box_rows.h"
#include "print/pages.h"

namespace hz {

namespace {

// Where a figure of the enterprise-tax column comes from.
enum class Source { Enterprise, Schedule4 };

struct EnterpriseRow {
    Source source;
    int element;
    NineBoxRow row;
};

// 第六号様式, 事業税 side and 所得金額の計算, top to bottom. Tax bases end in the form's 000 (6 boxes), taxes in 00
// (7 boxes). Box 1 sits at digit base + block offset.
constexpr EnterpriseRow rows[] = {
    {Source::Enterprise, 1, {9, 9, true, 46, 72, 8, 0}},      // 33 所得金額総額 (課税標準)
    {Source::Enterprise, 2, {10, 6, false, 46, 77, 8, 0}},    // 34 年400万円以下の金額
    {Source::Enterprise, 3, {11, 6, false, 46, 82, 8, 0}},    // 35 年400万円を超え年800万円以下の金額
    {Source::Enterprise, 4, {12, 6, false, 46, 87, 8, 0}},    // 36 年800万円を超える金額
    {Source::Enterprise, 5, {13, 6, false, 46, 92, 8, 2}},    // 37 計
    {Source::Enterprise, 12, {14, 7, false, 93, 77, 4, 0}},   // 34 税額
    {Source::Enterprise, 13, {15, 7, false, 93, 82, 4, 0}},   // 35 税額
    {Source::Enterprise, 14, {16, 7, false, 93, 87, 4, 0}},   // 36 税額
    {Source::Enterprise, 15, {17, 7, false, 93, 92, 4, 2}},   // 37 税額
    {Source::Enterprise, 15, {17, 7, false, 93, 136, 4, 2}},  // 45 合計事業税額
    {Source::Enterprise, 7, {41, 7, false, 93, 147, 4, 2}},   // 47 既に納付の確定した当期分の事業税額
    {Source::Enterprise, 8, {20, 7, true, 93, 158, 4, 3}},    // 49 この申告により納付すべき事業税額
    {Source::Enterprise, 8, {20, 7, true, 93, 158, -48, 8}},  // 50 所得割 (49 の内訳)
    {Source::Enterprise, 8, {20, 9, true, 93, 190, 3, 5}},    // 59 差引 (49 − 54)
    {Source::Enterprise, 8, {20, 9, true, 93, 190, -49, 10}}, // 60 所得割 (59 の内訳)
    {Source::Schedule4, 42, {21, 9, true, 93, 207, 3, 5}},    // 64 所得金額 (別表四 合計)
    {Source::Schedule4, 48, {22, 9, false, 93, 232, 3, 8}},   // 69 繰越欠損金額等の当期控除額
    {Source::Schedule4, 52, {23, 9, true, 93, 245, 3, 0}},    // 70 所得金額差引計
    {Source::Schedule4, 52, {24, 9, true, 93, 251, 3, 0}},    // 71 法人税の所得金額
};

void resetRowPosition(PageState &st) { st.blockOffsetX = st.blockOffsetY = st.digitBaseX = st.digitBaseY = 0; }

} // namespace

// Drawn into the prefectural return's own job, in the font that page has in force; the page's own column goes on
// from the offsets and digit bases this leaves at 0.
void EnterpriseTaxBoxes(Page &page) {
    try {
        for (const EnterpriseRow &r : rows) {
            if (r.source == Source::Enterprise)
                printNineBoxRow(page, r.row, page.data.enterpriseTaxValues.at(static_cast<std::size_t>(r.element)));
            else
                printNineBoxRow(page, r.row, page.data.schedule4Cells.at(static_cast<std::size_t>(r.element)));
        }
    } catch (...) {
        // A figure that cannot be printed fails the whole return: a return missing its enterprise tax must not
        // go out as if complete.
        resetRowPosition(page.state);
        throw;
    }
    resetRowPosition(page.state);
}

} // namespace hz
