#include "core/numbers.h"
#include "print/pages.h"

#include <algorithm>
#include <array>
#include <limits>
#include <span>

// The municipal inhabitant-tax return 第二十号様式 in its two copies, each printed over the scan of its form: the
// filing copy with the company's names, addresses, accountant and bank, and the input copy with the figures only.
// The 千円 and 百円 boxes of the form carry their trailing 000 or 00 already, so those amounts are printed cut,
// starting where the full amount would start.
namespace hz {

namespace {

// A text of the print data from its top-left corner, fitted into its field's room on the form (up to the next item
// printed on its line or the sheet's edge, down to the next line); element of one of the text arrays.
struct FieldItem {
    double x;
    double y;
    int element;
    Page::TextBox box;
};

void drawFields(Page &page, std::span<const FieldItem> items, std::span<const QString> texts) {
    for (const FieldItem &f : items)
        page.textInBox(f.x, f.y, texts[f.element], f.box);
}

// A number printed with its sign blank, placed by the width of its plain digits against the right edge (so a
// positive one reaches a blank's width past it). measured is the value whose digits set the place.
void numberEndingAt(Page &page, double right, double y, std::int64_t measured, std::int64_t printed) {
    page.number(right - page.printer().textWidth(plain(measured)), y, printed);
}

// A text placed by its own width against the right edge of its box; one wider than its room starts at the box's
// left and is fitted from there.
void textEndingAt(Page &page, double y, const QString &s, const Page::TextBox &box) {
    page.textInBox(std::max(box.left, box.right - page.printer().textWidth(s)), y, s, box);
}

// ---- the filing copy's own items ----

constexpr FieldItem addressee[] = {
    {42, 20, 2, {41.7, 19.95, 197, 26}}}; // before 殿: the 市役所・区役所 (specialFieldTexts)

// 関与税理士署名押印: the telephone inside (電話　), then the name above it (accountantTexts).
constexpr FieldItem accountant[] = {{154, 282, 2, {153.7, 281.95, 197, 288}},
                                    {122, 277, 1, {121.7, 276.95, 197, 281.95}}};
constexpr FieldItem representativeName[] = {{22, 68, 9, {21.7, 67.95, 197, 73.95}}}; // 代表者氏名 (companyTexts)

// companyTexts: 所在地, 法人名 (before the capital's 合計額), 事業種目 in 11 pt; the telephone of 所在地 (before
// 事業種目) and the two ふりがな in 9 pt.
constexpr FieldItem companyLarge[] = {{22, 33, 3, {21.7, 32.95, 197, 38.95}},
                                      {22, 54, 2, {21.7, 53.95, 166, 60}},
                                      {139, 39, 6, {138.7, 38.95, 197, 44.95}}};
constexpr FieldItem companySmall[] = {{80, 42, 8, {79.7, 41.95, 138, 46.95}},
                                      {22, 47, 1, {21.7, 46.95, 166, 53}},
                                      {22, 63, 4, {21.7, 62.95, 197, 67.95}}};

constexpr TextItem kindOfReturn[] = {{9, 125, 74, u"確　定"}}; // inside （　）申告書 of the title line

// 決算確定の日: 年, 月, 日.
constexpr std::array<double, 3> settlementXs = {129, 138, 146};
constexpr double settlementY = 231;

// 法人税の申告書の種類: 青色.
constexpr TextItem blueReturnCircle[] = {{11, 132, 235, u"○"}};

// 区分 of the first row of the 指定都市 table (refundBankTexts), before the months.
constexpr FieldItem ward[] = {{23, 237, 7, {22.7, 236.95, 53, 243}}};

// 還付を受けようとする金融機関: 銀行 (before 支店 and the circles of 普通・当座), 支店, 口座番号 (refundBankTexts).
constexpr FieldItem bank[] = {{122, 253, 1, {121.7, 252.95, 156, 257.95}},
                              {157, 253, 2, {156.7, 252.95, 197, 256.95}},
                              {158, 257, 3, {157.7, 256.95, 197, 263}}};
// The circle over 普通 or 当座 of 口座番号(普通・当座), for the account type exactly as stored.
struct AccountCircle {
    const char16_t *accountType;
    double x;
};
constexpr AccountCircle accountCircles[] = {{u"普通預金", 139}, {u"当座預金", 146}};
constexpr double accountCircleY = 258;

// ---- the items both copies print ----

// 事業年度 of the title line: right edges of start year, month, day and end year, month, day (companyNumbers 3-8).
constexpr std::array<double, 6> periodRight = {22, 31, 41, 59, 69, 78};
constexpr double periodY = 74;

// 資本の金額又は出資金額 and 合計額.
constexpr double capitalY[] = {45, 57};

// ⑮ 均等割額 in hundreds for the two yearly levies the page fills in, with that levy in row ⑭.
struct PerCapitaAmount {
    std::int32_t yen;
    double x; // where its hundreds start
};
constexpr PerCapitaAmount perCapitaLevies[] = {{50'000, 174}, {130'000, 170.5}};
constexpr double perCapitaRateX = 129; // the yearly levy before 円×⑭/12
// ⑰ ⑮－⑯ in hundreds for the amounts still due the page fills in; the first match is printed.
constexpr PerCapitaAmount perCapitaDue[] = {{25'000, 174}, {65'000, 174}, {50'000, 174}, {130'000, 169}};

// ⑱ and ⑳ move left as the amount due grows, so that its last digit stays at the pre-printed 00 (⑱) or the
// box's edge (⑳); the first band the amount is below applies.
struct TotalsBand {
    double below;
    double x18;
    double x20;
};
constexpr TotalsBand totalsBands[] = {{100'000, 174, 173.5},
                                      {1'000'000, 170, 171},
                                      {10'000'000, 167.5, 168.5},
                                      {std::numeric_limits<double>::infinity(), 165, 166}};

// 翌期の中間申告の要否 and 法人税の申告期限の延長の処分の有無: 否 and 無.
constexpr TextItem noCircles[] = {{11, 180, 234, u"○"}, {11, 180, 244, u"○"}};

constexpr TextItem monthsText[] = {{11, 54, 237, u"12"}}; // 月数 of the 指定都市 table
constexpr double employeeRowY = 237;
// 従業者数 ends at its right edge, and starts no further left than a millimetre after the months' "12".
constexpr double employeesLeft = 58.9;

void period(Page &page) {
    const auto &n = page.data.companyNumbers;
    for (std::size_t k = 0; k < periodRight.size(); ++k)
        numberEndingAt(page, periodRight[k], periodY, n[3 + k], n[3 + k]);
}

void capital(Page &page) {
    const std::int32_t c = page.data.companyNumbers[2];
    // Eight digits start a millimetre further left, so the last one stays in the box.
    const double x = c < 10'000'000 ? 168 : 167;
    for (double y : capitalY)
        page.text(x, y, fmtAmount(c));
}

// 法人税割: ① the corporate tax, ⑥ its thousands as the base and the levy, ⑩ the levy in hundreds, ⑪ the interim
// levy in hundreds, ⑬ the levy still due in hundreds.
void corporateTaxLevy(Page &page) {
    const std::int32_t tax = page.data.sched1Amounts[2];
    const auto &m = page.data.muniTaxValues;
    const std::int32_t levy = roundHalfEven(m[3]);
    page.rightAlignedAmount(145, 83, tax);           // ①
    page.rightAlignedAmountCut(145, 120, tax, 1000); // ⑥ 課税標準
    page.rightAlignedAmount(184, 120, levy);         // ⑥ 税額
    page.rightAlignedAmountCut(184, 144, levy, 100); // ⑩
    // ⑪ is placed by its own hundreds, against an edge 4 mm further left, not by the full amount.
    page.rightAlignedAmount(180, 150, floorWhole(m[4] / 100));
    // ⑬ = ⑥ − ⑪, below zero when the interim payment was larger.
    const std::int32_t levyDue = roundHalfEven(m[3] - m[4]);
    page.rightAlignedAmountCut(184, 163, levyDue, 100);
}

// 均等割: ⑮ and ⑰ only for the amounts the form is filled in for, ⑯ always, the 12 months of ⑭; the filing copy
// also writes the yearly levy into row ⑭.
void perCapitaLevy(Page &page, bool withYearlyLevy) {
    const auto &m = page.data.muniTaxValues;
    const bool every = page.everyPlace();
    for (const PerCapitaAmount &a : perCapitaLevies)
        if (m[6] == a.yen || every)
            page.text(a.x, 169, fmtAmount(a.yen / 100));
    page.text(174, 175, fmtAmount(floorWhole(m[7] / 100)));
    if (withYearlyLevy)
        for (const PerCapitaAmount &a : perCapitaLevies)
            if (m[6] == a.yen || every)
                page.text(perCapitaRateX, 169, fmtAmount(a.yen));
    page.number(117, 169, 12);
    const std::int32_t due = roundHalfEven(m[6] - m[7]);
    for (const PerCapitaAmount &a : perCapitaDue)
        if (due == a.yen || every) {
            page.text(a.x, 181, fmtAmount(a.yen / 100));
            if (!every)
                break;
        }
}

// ⑱ the amount due in hundreds (rounded by the pattern, not cut) and ⑳ the amount due; row ⑲ stays empty.
void totals(Page &page) {
    const std::int32_t due = roundHalfEven(page.data.muniTaxValues[9]);
    for (const TotalsBand &band : totalsBands)
        if (due < band.below || page.everyPlace()) {
            page.text(band.x18, 187, fmtAmount(due / 100.0));
            page.text(band.x20, 199, fmtAmount(due));
            if (!page.everyPlace())
                break;
        }
}

// The first row of the 指定都市 table: 従業者数 against its right edge, 均等割額 in hundreds placed by the full
// levy's digits, and 12 months.
void employeeRow(Page &page, double employeesRight) {
    const auto &m = page.data.muniTaxValues;
    textEndingAt(page, employeeRowY, page.data.refundBankTexts[6],
                 {employeesLeft, employeeRowY - 0.05, employeesRight, employeeRowY + 4.3});
    numberEndingAt(page, 91, employeeRowY, roundHalfEven(m[6]), floorWhole(m[6] / 100));
    drawTexts(page, monthsText);
}

} // namespace

void MunicipalReturnPage(Page &page) {
    const PrintData &d = page.data;
    page.font(fontname::mincho, 11);
    drawFields(page, addressee, d.specialFieldTexts);

    page.font(fontname::brush, 11);
    drawFields(page, accountant, d.accountantTexts);
    drawFields(page, representativeName, d.companyTexts);

    page.font(fontname::mincho, 11);
    drawFields(page, companyLarge, d.companyTexts);
    page.fontSize(9);
    drawFields(page, companySmall, d.companyTexts);
    period(page);
    drawTexts(page, kindOfReturn);

    page.fontSize(11);
    capital(page);
    corporateTaxLevy(page);
    perCapitaLevy(page, true);
    totals(page);

    const auto &n = d.companyNumbers;
    eraDate(page, settlementXs, settlementY, n[9], n[10], n[11]);
    drawTexts(page, noCircles);
    drawTexts(page, blueReturnCircle);

    drawFields(page, ward, d.refundBankTexts);
    employeeRow(page, 70);

    drawFields(page, bank, d.refundBankTexts);
    for (const AccountCircle &c : accountCircles)
        if (d.refundBankTexts[4] == QString::fromUtf16(c.accountType) || page.everyPlace())
            page.text(c.x, accountCircleY, QStringLiteral("○"));
}

void MunicipalInputCopyPage(Page &page) {
    page.font(fontname::mincho, 11);
    period(page);
    capital(page);
    corporateTaxLevy(page);
    perCapitaLevy(page, false);
    totals(page);
    drawTexts(page, noCircles);
    employeeRow(page, 66);
}

} // namespace hz
