#include "core/numbers.h"
#include "print/fonts.h"
#include "print/japanese_text.h"
#include "print/local_returns/margin_column.h"
#include "print/local_returns/nine_box_rows.h"
#include "print/pages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace hz {

namespace {

// The accountant's name and telephone run down the right margin one character a place: at the form's eight places
// while the text fits them, else closer together, one pitch and one size for the whole text. The name's places keep
// one 3 mm pitch from 203 on: a place 2 mm under the first would print the second character smaller than every other
// one.
struct MarginColumn {
    double x;
    std::array<double, 8> places;
    double end; // no character reaches below this
};
constexpr MarginColumn accountantName{187, {203, 206, 209, 212, 215, 218, 221, 224}, 254};  // above the telephone
constexpr MarginColumn accountantPhone{189, {255, 257, 259, 261, 263, 265, 267, 269}, 288}; // to the sheet's foot

// The fixed texts: the return is always a final one (確定) and the corporate return a blue one.
constexpr TextItem returnType{11, 130, 59, u"確定"};
constexpr TextItem blueReturn{9, 97, 264, u"青  色"};

// The capital, in 期末現在の資本金等の額 and in its 合計額; both rows stand 30 mm below their digit bases.
constexpr NineBoxRow capitalRow{1, 9, false, 167, 0 + 30, -5, 3};
constexpr NineBoxRow capitalTotalRow{1, 9, false, 167, 13 + 30, -5, 2};

// The prefectural inhabitant-tax column. Rows of 7 boxes end in the form's 00, the row of 6 in its 000.
// clang-format off
constexpr NineBoxRow line1{25, 9, true, 168, 71, -6, 0};          // ① 法人税法の規定によって計算した法人税額
constexpr NineBoxRow line6{26, 6, true, 168, 98, -5, 1};          // ⑥ 課税標準となる法人税額
constexpr NineBoxRow line8{27, 9, true, 168, 109, -6, 2};         // ⑧ 法人税割額
constexpr NineBoxRow line12{29, 7, true, 168, 130, -5, 3};        // ⑫ 差引法人税割額
constexpr NineBoxRow line13{42, 7, false, 168, 136, -5, 3};       // ⑬ 既に納付の確定した当期分の法人税割額
constexpr NineBoxRow line16{30, 7, true, 168, 152, -5, 4};        // ⑯ この申告により納付すべき法人税割額
constexpr NineBoxRow line18{31, 7, true, 168, 163, -5, 4};        // ⑱ 均等割額
constexpr NineBoxRow line19{43, 7, false, 168, 168, -5, 4};       // ⑲ 既に納付の確定した当期分の均等割額
constexpr NineBoxRow line20{32, 7, true, 168, 174, -5, 4};        // ⑳ この申告により納付すべき均等割額
constexpr NineBoxRow line21{33, 7, true, 168, 179, -5, 4};        // ㉑ この申告により納付すべき道府県民税額
constexpr NineBoxRow line23{34, 9, true, 168, 190, -6, 4};        // ㉓ 差引
constexpr NineBoxRow line28{35, 9, true, 168, 219, -6, 5};        // ㉘ 利子割額
// ⑪ 利子割額の控除額 at 128, not at 130: 3 mm above ⑫ its digits, 3 mm high, touched those of ⑫. The rows from ⑧
// at 111 to ⑫ at 133 stand 5.5 mm apart, which puts ⑪ at 127.5.
constexpr NineBoxRow line11{35, 9, false, 168, 123, -6, 5};
constexpr NineBoxRow line30{35, 9, false, 168, 230, -6, 5};       // ㉚ 控除しきれなかった金額
constexpr NineBoxRow refundInterim{39, 9, true, 168, 247, -6, 5}; // 還付請求 中間納付額
constexpr NineBoxRow refundLevy{40, 9, false, 168, 252, -6, 5};   // 還付請求 利子割額
// clang-format on

// The characters of a text, a surrogate pair counting as one.
std::vector<QString> characters(const QString &s) {
    std::vector<QString> out;
    for (const char32_t c : s.toUcs4())
        out.push_back(QString::fromUcs4(&c, 1));
    return out;
}

// A text written downwards, one character a place, each in its vertical form, at the size whose em is the pitch of
// marginSetting or at the text's own size where that is smaller, not below the smallest size, whose characters' ink
// stays clear of each other's at the column's closest pitch. Every square's middle stands on the middle of the
// column, one em of the text's own size wide from column.x. A text longer than the margin holds prints what it holds
// and is kept as cut.
void printDownwards(Page &page, const QString &s, const MarginColumn &column, double points) {
    const ItemPlace place(page, column.x, column.places[0], s,
                          {column.x - 0.3, column.places[0] - 0.05, column.x + points * mmPerPoint, column.end});
    const std::vector<QString> chars = characters(s);
    const MarginSetting setting = marginSetting(column.places, column.end, s);
    const double size = std::clamp(setting.pitch / mmPerPoint, smallestPoints, points);
    page.fontSize(size);
    for (std::size_t i = 0; i < setting.ys.size(); ++i)
        page.columnCharacter(column.x + (points - size) * mmPerPoint / 2, setting.ys[i], chars[i]);
    page.fontSize(points);
    if (setting.ys.size() < chars.size())
        page.keepShortened(s);
}

void companyBlock(Page &page) {
    const PrintData &d = page.data;
    const auto &n = d.companyNumbers;

    page.font(fontname::brush, 11);
    page.textInBox(27, 53, d.companyTexts[9], {26.7, 52.95, 197, 58.95}); // 代表者
    printDownwards(page, d.accountantTexts[1], accountantName, 11);
    page.font(fontname::mincho, 8);
    printDownwards(page, d.accountantTexts[2], accountantPhone, 8);

    page.text(returnType);
    eraDate(page, {25, 34, 43}, 59, n[3], n[4], n[5]); // 事業年度 自
    eraDate(page, {59, 69, 75}, 59, n[6], n[7], n[8]); // 至
    page.textInBox(21, 23, d.specialFieldTexts[1] + QStringLiteral(" 殿"), {20.7, 22.95, 197, 27.95});
    page.textInBox(27, 30, d.companyTexts[3], {26.7, 29.95, 139, 36});      // 所在地, before 事業種目
    page.textInBox(27, 45, d.companyTexts[2], {26.7, 44.95, 160, 48.95});   // 法人名, before the capital's 合計額
    page.textInBox(140, 28, d.companyTexts[6], {139.7, 27.95, 197, 32.95}); // 事業種目

    page.fontSize(9);
    page.textInBox(90, 37, d.companyTexts[8], {89.7, 36.95, 197, 40.95}); // 電話
    page.textInBox(27, 41, d.companyTexts[1], {26.7, 40.95, 197, 44.95}); // ふりがな
    page.textInBox(27, 49, d.companyTexts[4], {26.7, 48.95, 197, 52.95}); // 代表者のふりがな
    eraDate(page, {42, 49, 56}, 259, n[9], n[10], n[11]);                 // 決算確定の日
    page.text(blueReturn);
    // The bank's texts stop before the column of the accountant's telephone.
    page.textInBox(149, 264, d.refundBankTexts[1], {148.7, 263.95, 188, 268.95}); // 銀行名
    page.textInBox(149, 269, d.refundBankTexts[2], {148.7, 268.95, 188, 272.95}); // 支店名
    page.textInBox(167, 273, d.refundBankTexts[3], {166.7, 272.95, 188, 279});    // 口座番号
    const QString &accountType = d.refundBankTexts[4];
    if (accountType == QStringLiteral("普通預金"))
        page.text(151, 273, QStringLiteral("普通"));
    if (accountType == QStringLiteral("当座預金"))
        page.text(151, 273, QStringLiteral("当座"));
}

void prefecturalColumn(Page &page) {
    const PrintData &d = page.data;
    const PageState &st = page.state;
    const auto &c = d.prefTaxValues;

    printNineBoxRow(page, line1, d.sched1Amounts[2]);
    printNineBoxRow(page, line6, c[1]);
    printNineBoxRow(page, line8, c[3]);

    // The interest levy is credited against the 法人税割額 when it does not exceed it (as the Schedule 1
    // computation deducts it): ⑪ shows it and ⑫ is what remains. A levy larger than the 法人税割額 is not
    // credited at all: ⑫ keeps the whole 法人税割額 and the levy goes to ㉚ and the refund claim.
    const double taxLevied = c[3];
    const double levy = c[4];
    const bool credited = levy <= taxLevied;
    printNineBoxRow(page, line12, credited ? taxLevied - levy : taxLevied);
    printNineBoxRow(page, line13, c[5]);
    printNineBoxRow(page, line16, c[6]);

    // ⑰ the months, always 12, and ⑱'s per-capita amount before the form's 円 × ⑰/12, placed from ⑱'s row.
    placeNineBoxRow(page.state, line18);
    page.text(st.digitBaseX + 13, st.digitBaseY - 6, QStringLiteral("12"));
    page.number(st.digitBaseX - 37, st.digitBaseY, roundHalfEven(c[7]));
    printNineBoxRow(page, line18, c[7]);
    printNineBoxRow(page, line19, c[8]);
    printNineBoxRow(page, line20, c[9]);
    printNineBoxRow(page, line21, c[10]);
    printNineBoxRow(page, line23, c[10]);
    printNineBoxRow(page, line28, levy);
    const bool every = page.everyPlace();
    if ((levy > 0 && credited) || every)
        printNineBoxRow(page, line11, levy);
    if (!credited || every)
        printNineBoxRow(page, line30, levy);

    const double enterpriseTaxDue = d.enterpriseTaxValues[8];
    if (enterpriseTaxDue < 0 || every)
        printNineBoxRow(page, refundInterim, enterpriseTaxDue);
    if (!credited || every)
        printNineBoxRow(page, refundLevy, levy);
}

} // namespace

MarginSetting marginSetting(const std::array<double, 8> &places, double end, const QString &s) {
    const std::vector<QString> chars = characters(s);
    const double placesPitch = places[1] - places[0];
    if (chars.size() <= places.size())
        return {std::vector<double>(places.begin(), places.begin() + std::ptrdiff_t(chars.size())), placesPitch};
    const double length = end - places.front();
    const double pitch = std::max(std::min(placesPitch, length / double(chars.size())), closestMarginStep);
    // length / pitch is a whole count where the pitch was made from it, which rounding may leave a hair under.
    std::size_t count = std::min(chars.size(), static_cast<std::size_t>(std::floor(length / pitch + 1e-9)));
    if (count < chars.size()) {
        // Where a word ends, else where a line may break; a text of one word is cut where it must.
        qsizetype at = 0;
        for (std::size_t i = 0; i < count; ++i)
            at += chars[i].size();
        const std::vector<BreakPlace> kinds = breakPlaces(s);
        qsizetype cut = lastPlaceAtLeast(kinds, at, BreakPlace::Katakana);
        if (cut == 0)
            cut = lastPlaceAtLeast(kinds, at, BreakPlace::Anywhere);
        if (cut > 0)
            count = std::size_t(s.left(cut).toUcs4().size());
    }
    MarginSetting setting{{}, pitch};
    for (std::size_t i = 0; i < count; ++i)
        setting.ys.push_back(places.front() + pitch * double(i));
    return setting;
}

// 第六号様式 (提出用) over Picture2: the company block, the capital, the enterprise-tax column and the prefectural
// inhabitant-tax column. Apart from ⑫ (the 法人税割額 less the levy credited) it computes nothing: it places the
// figures of the print data.
void PrefecturalReturnPage(Page &page) {
    PageState &st = page.state;
    companyBlock(page);

    page.font(fontname::mincho, 11);
    printNineBoxRow(page, capitalRow, page.data.companyNumbers[2]);
    printNineBoxRow(page, capitalTotalRow, page.data.companyNumbers[2]);

    st.digitBaseX = st.digitBaseY = st.blockOffsetX = st.blockOffsetY = 0;
    EnterpriseTaxBoxes(page);

    prefecturalColumn(page);
    st.blockOffsetX = st.blockOffsetY = st.digitBaseX = st.digitBaseY = 0;
}

} // namespace hz
