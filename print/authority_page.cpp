#include "print/pages.h"

// 税務代理権限証書: the company appoints the print window's tax accountant as its agent for 法人税 and 消費税 of
// the business year. Printed over the whole-sheet image of the form, all in "MS 明朝" 11 pt, with no offsets; each
// text the filer typed in the room of its field, to the next item on its line or the sheet's edge.
namespace hz {

namespace {

// A heavy strike through 税理士法人, leaving 税理士 in the sentence of appointment.
constexpr LineItem strikeLines[] = {{38, 123, 59, 123}, {38, 124, 59, 124}};

// The table of taxes and periods: three columns 48 mm apart, the tax named in the first two.
constexpr double columnStep = 48;
constexpr TextItem taxNames[] = {{11, 58, 178, u"法人税"}, {11, 106, 178, u"消費税"}};

} // namespace

void TaxAgencyAuthorityPage(Page &page) {
    const PrintData &d = page.data;
    const auto &a = d.accountantTexts;
    const auto &n = d.companyNumbers;

    page.font(fontname::mincho, 11);
    // The agent (税理士).
    page.textInBox(82, 67, a[1], {81.7, 66.95, 197, 73});      // 氏名又は名称
    page.textInBox(82, 78, a[3], {81.7, 77.95, 197, 84});      // 事務所の名称及び所在地
    page.textInBox(140, 88, a[2], {139.7, 87.95, 197, 94});    // 電話
    page.textInBox(165, 111, a[4], {164.7, 110.95, 197, 117}); // 登録番号: 第 … 号
    page.textInBox(113, 111, a[5], {112.7, 110.95, 164, 117}); // 所属税理士会: 税理士会 … 支部, before 登録番号
    page.textInBox(30, 42, d.companyTexts[7] + QStringLiteral(" 税務署々長　殿"), {29.7, 41.95, 197, 48});
    // Appointed on the last day of the business year.
    eraDate(page, {151, 163, 173}, 133, n[6], n[7], n[8]);

    drawLines(page, drawwidth::frame, strikeLines);

    // The client (依頼者): the name's first line stands 4 mm above its second.
    page.textInBox(80, 141, d.companyTexts[2], {79.7, 140.95, 197, 144.95}); // 氏名又は名称
    page.textInBox(80, 145, QStringLiteral("代表取締役　　") + d.companyTexts[9], {79.7, 144.95, 197, 151});
    page.textInBox(80, 153, d.companyTexts[3], {79.7, 152.95, 197, 159});   // 住所又は事務所の所在地
    page.textInBox(138, 161, d.companyTexts[8], {137.7, 160.95, 197, 167}); // 電話

    for (int k = 0; k < 3; ++k) {
        const double dx = columnStep * k;
        eraDate(page, {61 + dx, 71 + dx, 82 + dx}, 195, n[3], n[4], n[5]); // 自 平成 年 月 日
        eraDate(page, {61 + dx, 71 + dx, 81 + dx}, 201, n[6], n[7], n[8]); // 至 平成 年 月 日
        page.number(58 + dx, 186, n[3]);                                   // 平成 … 年分（年度）
    }
    drawTexts(page, taxNames);
}

} // namespace hz
