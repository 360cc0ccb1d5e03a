#include "core/numbers.h"
#include "print/pages.h"

#include <array>

namespace hz {

namespace {

// One earlier business year on the form: how many years back, and the y of its start line (日から) and end line
// (日まで).
struct PriorYearRow {
    int yearsBack;
    double startY;
    double endY;
};

// Form row 1 takes the year five back, rows 7 to 10 the years four to one back; rows 2 to 6 stay empty.
constexpr PriorYearRow priorYearRows[] = {{5, 44, 51}, {4, 137, 144}, {3, 153, 160}, {2, 169, 176}, {1, 184, 191}};
constexpr std::array<double, 3> periodXs = {31, 43, 55};

// 法人名 at the top right, to the sheet's edge.
constexpr Page::TextBox nameBox{153.7, 18.95, 197, 25};

struct AmountItem {
    double y;
    int element; // of the Schedule 7 figures; 0: the page's own 計 of 控除未済欠損金額
};

// 控除未済欠損金額 (right edge 106), 当期控除額 (145), 翌期繰越額 (179), each column top to bottom: 5年前, 4年前 to
// 1年前, 当期分, 計.
constexpr double unusedRight = 106;
constexpr AmountItem unusedColumn[] = {{47, 1}, {142, 3}, {157, 6}, {172, 9}, {189, 12}, {204, 20}, {220, 0}};
constexpr double deductedRight = 145;
constexpr AmountItem deductedColumn[] = {{46, 2}, {142, 4}, {157, 7}, {172, 10}, {189, 13}, {220, 16}};
constexpr double carriedRight = 179;
constexpr AmountItem carriedColumn[] = {{142, 5}, {157, 8}, {172, 11}, {189, 14}, {204, 20}, {220, 23}};

} // namespace

// 第六号様式別表九 over Picture3: the company, the business year, the five earlier business years and the loss
// carry-forward of Schedule 7.
void PrefecturalLossPage(Page &page) {
    const PrintData &d = page.data;
    const auto &n = d.companyNumbers;
    const auto &k = d.sched7Amounts;
    auto &priorYears = page.state.priorYears;

    page.font(fontname::mincho, 11);
    page.textInBox(154, 19, d.companyTexts[2], nameBox);
    eraDate(page, {92, 101, 107}, 15, n[3], n[4], n[5]);
    eraDate(page, {92, 101, 107}, 20, n[6], n[7], n[8]);

    for (int back = 1; back <= 5; ++back)
        priorYears[back] = sub(n[3], back);
    // The business year k back ends in the current end year − k, so a calendar-year company's earlier years end
    // in the year they start.
    for (const PriorYearRow &row : priorYearRows) {
        eraDate(page, periodXs, row.startY, priorYears[row.yearsBack], n[4], n[5]);
        eraDate(page, periodXs, row.endY, sub(n[6], row.yearsBack), n[7], n[8]);
    }

    for (const AmountItem &a : unusedColumn) {
        if (a.element == 0) {
            // 計: this year's loss plus the 計 of the record, which also covers the years the form does not show.
            priorYears[6] = add(k[20], k[15]);
            page.rightAlignedAmount(unusedRight, a.y, priorYears[6]);
        } else {
            page.rightAlignedAmount(unusedRight, a.y, k[static_cast<std::size_t>(a.element)]);
        }
    }
    for (const AmountItem &a : deductedColumn)
        page.rightAlignedAmount(deductedRight, a.y, k[static_cast<std::size_t>(a.element)]);
    for (const AmountItem &a : carriedColumn)
        page.rightAlignedAmount(carriedRight, a.y, k[static_cast<std::size_t>(a.element)]);
}

} // namespace hz
