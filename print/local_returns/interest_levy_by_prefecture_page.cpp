#include "core/numbers.h"
#include "print/local_returns/attachment_header.h"
#include "print/pages.h"

// 第九号の二様式, the interest levy by prefecture: the company claims the whole levy credited on its prefectural
// return in 愛知 (code 23), where it has its office; the prefecture's name and code are on the form.
namespace hz {

namespace {

// 法人名 up to the dates of 事業年度.
constexpr AttachmentHeader header{43, 25, {42.7, 24.95, 145, 31}, {146, 157, 168}, 22, 28};

// The 愛知 row of the left half: 事務所の有無 and the right edge of 控除・還付を受ける利子割額.
constexpr TextItem officeMark[] = {{11, 42, 260, u"有"}};
constexpr double aichiRight = 100;
constexpr double aichiY = 260;
// The 合計 row ㊽ of the right half.
constexpr double totalRight = 181;
constexpr double totalY = 269;

} // namespace

void InterestLevyByPrefecturePage(Page &page) {
    page.font(fontname::mincho, 11);
    attachmentHeader(page, header);

    // 控除利子割 of the prefectural return, as Schedule 1 saved it.
    const std::int32_t credit = roundHalfEven(page.data.prefTaxValues[4]);
    drawTexts(page, officeMark);
    page.rightAlignedAmount(aichiRight, aichiY, credit);
    page.rightAlignedAmount(totalRight, totalY, credit);
}

} // namespace hz
