#include "print/local_returns/attachment_header.h"
#include "print/pages.h"

// 第六号様式別表四の四, the attachment claiming the interest levy withheld in the year: the deposit interest of
// Schedule 6 and the levy of Schedule 5(2), all of it claimed, in row 1 and again in the 計 row.
namespace hz {

namespace {

// 法人名 up to the dates of 事業年度.
constexpr AttachmentHeader header{43, 37, {42.7, 36.95, 145, 43}, {146, 155, 163}, 34, 38};

// Row 1 (預貯金の利子及び合同運用信託の収益の分配) and row 6 (計).
constexpr double rowYs[] = {68, 99};
// Right edges of ① 収入金額, ② 課された利子割額 and ③ 控除・還付を受ける利子割額.
constexpr double incomeRight = 104;
constexpr double leviedRight = 138;
constexpr double claimedRight = 172;

} // namespace

void InterestLevyCreditPage(Page &page) {
    page.font(fontname::mincho, 11);
    attachmentHeader(page, header);

    const std::int32_t interest = page.data.schedule6Cells[1]; // 別表六 預貯金の利子 収入金額
    const std::int32_t levy = page.data.schedule5_2Cells[32];  // 別表五(二) 県民税 利子割 当期発生額
    for (double y : rowYs) {
        page.rightAlignedAmount(incomeRight, y, interest);
        page.rightAlignedAmount(leviedRight, y, levy);
        page.rightAlignedAmount(claimedRight, y, levy);
    }
}

} // namespace hz
