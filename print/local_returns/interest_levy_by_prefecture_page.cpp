#include "core/numbers.h"
#include "print/pages.h"

#include <array>

// 第九号の二様式, the interest levy by prefecture: the company claims the whole levy credited on its prefectural
// return in 愛知 (code 23), where it has its office; the prefecture's name and code are on the form.
namespace hz {

namespace {

constexpr double nameX = 43; // 法人名
constexpr double nameY = 25;
// 事業年度: year, month, day of the start (日から) and of the end (日まで).
constexpr std::array<double, 3> dateXs = {146, 157, 168};
constexpr double startY = 22;
constexpr double endY = 28;

// The 愛知 row of the left half: 事務所の有無 and the right edge of 控除・還付を受ける利子割額.
constexpr TextItem officeMark[] = {{11, 42, 260, u"有"}};
constexpr double aichiRight = 100;
constexpr double aichiY = 260;
// The 合計 row ㊽ of the right half.
constexpr double totalRight = 181;
constexpr double totalY = 269;

} // namespace

void InterestLevyByPrefecturePage(Page &page) {
    const PrintData &d = page.data;
    const auto &n = d.companyNumbers;
    page.font(fontname::mincho, 11);
    page.text(nameX, nameY, d.companyTexts[2]);
    eraDate(page, dateXs, startY, n[3], n[4], n[5]);
    eraDate(page, dateXs, endY, n[6], n[7], n[8]);

    // 控除利子割 of the prefectural return, as Schedule 1 saved it.
    const std::int32_t credit = roundHalfEven(d.prefTaxValues[4]);
    drawTexts(page, officeMark);
    page.rightAlignedAmount(aichiRight, aichiY, credit);
    page.rightAlignedAmount(totalRight, totalY, credit);
}

} // namespace hz
