#include "print/pages.h"

#include <array>

// 第六号様式別表四の四, the attachment claiming the interest levy withheld in the year: the deposit interest of
// Schedule 6 and the levy of Schedule 5(2), all of it claimed, in row 1 and again in the 計 row.
namespace hz {

namespace {

constexpr double nameX = 43; // 法人名
constexpr double nameY = 37;
// 事業年度: year, month, day of the start (日から) and of the end (日まで).
constexpr std::array<double, 3> dateXs = {146, 155, 163};
constexpr double startY = 34;
constexpr double endY = 38;

// Row 1 (預貯金の利子及び合同運用信託の収益の分配) and row 6 (計).
constexpr double rowYs[] = {68, 99};
// Right edges of ① 収入金額, ② 課された利子割額 and ③ 控除・還付を受ける利子割額.
constexpr double incomeRight = 104;
constexpr double leviedRight = 138;
constexpr double claimedRight = 172;

} // namespace

void InterestLevyCreditPage(Page &page) {
    const PrintData &d = page.data;
    const auto &n = d.companyNumbers;
    page.font(fontname::mincho, 11);
    page.text(nameX, nameY, d.companyTexts[2]);
    eraDate(page, dateXs, startY, n[3], n[4], n[5]);
    eraDate(page, dateXs, endY, n[6], n[7], n[8]);

    const std::int32_t interest = d.schedule6Cells[1]; // 別表六 預貯金の利子 収入金額
    const std::int32_t levy = d.schedule5_2Cells[32];  // 別表五(二) 県民税 利子割 当期発生額
    for (double y : rowYs) {
        page.rightAlignedAmount(incomeRight, y, interest);
        page.rightAlignedAmount(leviedRight, y, levy);
        page.rightAlignedAmount(claimedRight, y, levy);
    }
}

} // namespace hz
