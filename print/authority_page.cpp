#include "print/pages.h"

// 税務代理権限証書: the company appoints the print window's tax accountant as its agent for 法人税 and 消費税 of
// the business year. Printed over the whole-sheet image of the form, all in "MS 明朝" 11 pt, with no offsets.
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
    page.text(82, 67, a[1]);  // 氏名又は名称
    page.text(82, 78, a[3]);  // 事務所の名称及び所在地
    page.text(140, 88, a[2]); // 電話
    page.text(165, 111, a[4]); // 登録番号: 第 … 号
    page.text(113, 111, a[5]); // 所属税理士会: 税理士会 … 支部
    page.text(30, 42, d.companyTexts[7] + QStringLiteral(" 税務署々長　殿"));
    // Appointed on the last day of the business year.
    eraDate(page, {151, 163, 173}, 133, n[6], n[7], n[8]);

    drawLines(page, drawwidth::frame, strikeLines);

    // The client (依頼者).
    page.text(80, 141, d.companyTexts[2]); // 氏名又は名称
    page.text(80, 145, QStringLiteral("代表取締役　　") + d.companyTexts[9]);
    page.text(80, 153, d.companyTexts[3]); // 住所又は事務所の所在地
    page.text(138, 161, d.companyTexts[8]); // 電話

    for (int k = 0; k < 3; ++k) {
        const double dx = columnStep * k;
        eraDate(page, {61 + dx, 71 + dx, 82 + dx}, 195, n[3], n[4], n[5]); // 自 平成 年 月 日
        eraDate(page, {61 + dx, 71 + dx, 81 + dx}, 201, n[6], n[7], n[8]); // 至 平成 年 月 日
        page.number(58 + dx, 186, n[3]);                                   // 平成 … 年分（年度）
    }
    drawTexts(page, taxNames);
}

} // namespace hz
