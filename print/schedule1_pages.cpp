#include "print/pages.h"

#include "core/numbers.h"
#include "print/fonts.h"

#include <cstdlib>
#include <span>

// Schedule 1 (別表一) twice: over the image of the form on A4 copy paper, and as values alone onto the tax office's
// own pre-printed sheet. Both print the same figures, one digit per box, and share the derived amounts 18 to 23, the
// digit rows and the date digits; each has its own positions. Positions in the tables are the layout's; the shifts
// of each group move it onto the boxes of its sheet (the image's boxes stand slightly off the real sheet's).
namespace hz {

namespace {

// Text26 holds this when the representative's name is to stay off the Schedule 1 pages.
const QString noRepresentative = QStringLiteral("代表者名・印刷なし");

// blockOffsetX, blockOffsetY, pageShiftX, pageShiftY in force for a group of items.
struct Shifts {
    std::int32_t blockX = 0;
    std::int32_t blockY = 0;
    std::int32_t pageX = 0;
    std::int32_t pageY = 0;
};

void setShifts(PageState &s, const Shifts &sh) {
    s.blockOffsetX = sh.blockX;
    s.blockOffsetY = sh.blockY;
    s.pageShiftX = sh.pageX;
    s.pageShiftY = sh.pageY;
}

// ---- the figures both pages print -------------------------------------------------------------------------

// The amounts the form derives from the loaded ones, written in place into sched1Amounts 18 to 23. Checked
// arithmetic: an amount that leaves 32 bits stops the page.
void deriveAmounts(Longs<23> &a) {
    // 別表一 13 差引所得に対する法人税額 = 2 法人税額 − 3 控除税額
    a[18] = sub(a[2], a[3]);
    // 45 控除した金額 and 46 控除しきれなかった金額: the credit goes against the tax as far as the tax reaches.
    if (a[18] < 0) {
        a[19] = 0;
        a[20] = a[3];
    } else if (a[18] < a[3]) {
        a[19] = a[18];
        a[20] = sub(a[3], a[18]);
    } else {
        a[19] = a[3];
        a[20] = 0;
    }
    // 16 所得税額等の還付金額: the credit beyond the tax comes back.
    a[21] = a[18] < 0 ? sub(a[3], a[2]) : 0;
    // 17 中間納付額: the interim tax comes back when it exceeds the tax still due.
    a[22] = a[4] != 0 && a[5] < 0 ? a[4] : 0;
    // 19 計 of the refunds = 16 + 17
    a[23] = add(a[21], a[22]);
}

// The eight box digits of every amount the pages print into sched1Digits: row k from amount k, row 10 from the
// derived amount 18. The rows printed after a "▲" or as refunds keep the digits' absolute values.
void splitDigitRows(const Longs<23> &a, PageState &s) {
    static constexpr int rows[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 19, 20, 21, 22, 23};
    for (int row : rows) {
        const DigitSplit d = splitDigits(row == 10 ? a[18] : a[row], 8);
        const bool absolute = row == 1 || row >= 21;
        for (int j = 1; j <= 8; ++j)
            s.sched1Digits[row][j] = absolute ? std::abs(d[j]) : d[j];
    }
}

// When a digit row is printed.
enum class When {
    Always,
    Income,        // amount 1 ≥ 0: line 33 holds no loss
    TaxDue,        // amount 5 ≥ 1
    InHundreds,    // digits 1 to 6 of row 10 all ≥ 0, that is amount 18 > −100
    Line15,        // the same, and amount 5 not negative: a refund shows on lines 17 and 19, never here
    CreditExceeds, // amount 18 < 0
    Interim,       // amount 4 ≠ 0
    InterimBack,   // amount 4 ≠ 0 and amount 5 < 0
    Refund,        // amount 5 < 0
};

bool rowTenInHundreds(const PageState &s) {
    for (int j = 1; j <= 6; ++j)
        if (s.sched1Digits[10][j] < 0)
            return false;
    return true;
}

bool applies(When when, const Longs<23> &a, const PageState &s) {
    switch (when) {
    case When::Always:
        return true;
    case When::Income:
        return a[1] >= 0;
    case When::TaxDue:
        return a[5] >= 1;
    case When::InHundreds:
        return rowTenInHundreds(s);
    case When::Line15:
        return rowTenInHundreds(s) && a[5] >= 0;
    case When::CreditExceeds:
        return a[18] < 0;
    case When::Interim:
        return a[4] != 0;
    case When::InterimBack:
        return a[4] != 0 && a[5] < 0;
    case When::Refund:
        return a[5] < 0;
    }
    return false;
}

// One line of the form written into its boxes: digits 1 to lastBox of a sched1Digits row (8 whole yen, 6 for a
// line in hundreds, 5 in thousands: the form's pre-printed zeros fill the rest), box 1 at x1, pitch 5 mm.
struct DigitRow {
    int row;
    double x1;
    double y;
    int lastBox;
    Shifts shifts;
    When when = When::Always;
    bool lossMark = false; // "▲" left of the first digit when the row's amount is below 0
};

constexpr double pitch = 5;

// "▲" in the box left of the amount's first figure, in its middle: the box left of box 1, further left with every
// figure an amount of nine or ten digits puts left of box 1. A guide sheet gets every place it can take.
void printLossMark(Page &page, const DigitRow &r, int lead, bool loss) {
    const QString mark = QStringLiteral("▲");
    // A figure prints as a number, after its sign's blank: the mark's ink is centred where a figure's is.
    Printer &printer = page.printer();
    const QRectF ink = textInkMm(printFont(fontname::mincho, page.fontPoints()), mark);
    const double centred = printer.textWidth(QStringLiteral(" ")) + printer.textWidth(QStringLiteral("0")) / 2 -
                           (ink.left() + ink.right()) / 2;
    if (page.everyPlace()) {
        for (int k = 0; k <= mostLeadingBoxes(8); ++k)
            page.text(r.x1 - pitch * (k + 1) + centred, r.y, mark);
    } else if (loss) {
        page.text(r.x1 - pitch * (lead + 1) + centred, r.y, mark);
    }
}

void printDigitRows(Page &page, std::span<const DigitRow> rows) {
    const Longs<23> &a = page.data.sched1Amounts;
    for (const DigitRow &r : rows) {
        if (!applies(r.when, a, page.state) && !page.everyPlace())
            continue;
        setShifts(page.state, r.shifts);
        DigitSplit digits{};
        for (int j = 1; j <= 8; ++j)
            digits[j] = page.state.sched1Digits[r.row][j];
        if (r.lossMark)
            printLossMark(page, r, leadingBoxes(digits[1]), a[r.row] < 0);
        printDigitBoxes(page, digits, 8, r.x1, pitch, r.y, r.lastBox, false);
    }
    setShifts(page.state, {});
}

// A date written two digits a part into dateDigits rows firstRow to firstRow + 2: the tens at x, the units 5 mm
// right. Both digits always print, so month 4 prints 0 and 4.
void printDateDigits(Page &page, int firstRow, const std::array<std::int32_t, 3> &parts,
                     const std::array<double, 3> &xs, double y) {
    for (int i = 0; i < 3; ++i) {
        const std::int32_t tens = parts[i] / 10;
        const std::int32_t units = parts[i] - tens * 10;
        page.state.dateDigits[firstRow + i][1] = tens;
        page.state.dateDigits[firstRow + i][2] = units;
        const ItemPlace place(page, GuidePlace::Digits, xs[i], y, 5, 2);
        page.number(xs[i], y, tens);
        page.number(xs[i] + 5, y, units);
    }
}

// "普通預金" and "当座預金" in front of the form's own 預金; any other account type as stored.
QString accountType(const QString &stored) {
    if (stored == QStringLiteral("普通預金"))
        return QStringLiteral("普通");
    if (stored == QStringLiteral("当座預金"))
        return QStringLiteral("当座");
    return stored;
}

// A field of the print data the filer typed, printed in "MS 明朝" from its place and fitted into the room its field
// has on the form: up to the next item printed on its line or the sheet's edge, down to the next line. The
// capital is a figure of known width and is printed at its place.
enum class Field { Company, Capital, Bank, AccountType };

struct FieldItem {
    double size;
    double x;
    double y;
    Field field;
    int k; // element of companyTexts or refundBankTexts
    Page::TextBox box;
};

void printFields(Page &page, std::span<const FieldItem> items) {
    const PrintData &d = page.data;
    for (const FieldItem &f : items) {
        page.fontSize(f.size);
        switch (f.field) {
        case Field::Company:
            page.textInBox(f.x, f.y, d.companyTexts[f.k], f.box);
            break;
        // 期末現在の資本金の額, left-aligned; 0 prints nothing.
        case Field::Capital:
            page.text(f.x, f.y, fmtAmount(d.companyNumbers[2]));
            break;
        case Field::Bank:
            page.textInBox(f.x, f.y, d.refundBankTexts[f.k], f.box);
            break;
        case Field::AccountType:
            page.textInBox(f.x, f.y, accountType(d.refundBankTexts[4]), f.box);
            break;
        }
    }
}

// ---- Schedule 1 over the image of the form ------------------------------------------------------------------

// The header's texts stand 2 mm above their layout places (a4HeaderShifts); the boxes are in the layout's places.
// 納税地 and 代表者住所 stop before 事業種目 and the 〇 marks, 法人名 before the 〇 of 同族会社.
// clang-format off
constexpr FieldItem a4Header[] = {
    {11, 37, 23, Field::Company, 7, {36.7, 22.95, 104.7, 28.95}},   // tax office, in front of 税務署長殿
    {11, 24, 29, Field::Company, 3, {23.7, 28.95, 104.7, 34.95}},   // 納税地
    {11, 24, 44, Field::Company, 2, {23.7, 43.95, 106.7, 50}},     // 法人名
    {11, 24, 66, Field::Company, 5, {23.7, 65.95, 105.7, 72}},     // 代表者住所
    {11, 106, 26, Field::Company, 6, {105.7, 25.95, 197, 32}},     // 事業種目
    {11, 114, 34, Field::Capital, 0, {}},                     // 期末現在の資本金の額
    {9, 54, 35, Field::Company, 8, {53.7, 34.95, 112.7, 37.95}},    // telephone, after 電話(
    {9, 24, 38, Field::Company, 1, {23.7, 37.95, 197, 42.95}},      // フリガナ of 法人名
    {9, 24, 51, Field::Company, 4, {23.7, 50.95, 197, 56.95}},      // フリガナ of 代表者
};
// clang-format on
constexpr TextItem a4Marks[] = {
    {11, 108, 80, u"確　定"}, // the title's blank: 事業年度分の確定申告書
    {11, 108, 43, u"〇"},     // 同族会社 in the row 同非区分
    {11, 188, 75, u"〇"},     // 否 of 別表等 送付要否
};
constexpr Shifts a4HeaderShifts{0, 0, 0, -2};

// 還付を受けようとする金融機関等, 1 mm above the layout: the bank before the branch, the branch before the account
// type, each in front of the form's 銀行, 支店 and 預金.
constexpr FieldItem a4Refund[] = {
    {11, 112, 251, Field::Bank, 1, {111.7, 250.95, 135, 257}},        // in front of 銀行
    {11, 136, 251, Field::Bank, 2, {135.7, 250.95, 156, 257}},        // in front of 支店
    {11, 157, 251, Field::AccountType, 0, {156.7, 250.95, 197, 257}}, // in front of 預金
    {11, 117, 261, Field::Bank, 3, {116.7, 260.95, 197, 267}},        // after 口座番号
};
constexpr Shifts a4RefundShifts{0, 0, 0, -1};

// The names in the brush face: the tax accountant in 税理士署名押印, the representative in 代表者自署押印.
constexpr Page::TextBox a4Accountant{146.7, 274.95, 197, 281};
constexpr Page::TextBox a4Representative{23.7, 54.95, 197, 61};

// Lines of the form, in the order printed. Shifts: half-millimetre fits of the image rounded half to even.
constexpr DigitRow a4Rows[] = {
    {1, 61, 97, 8, {-3, 2, 2, -2}, When::Always, true}, // 1 所得金額又は欠損金額
    {1, 61, 217, 5, {-3, -2, 2, -2}, When::Income},     // 33 所得金額, in thousands
    {2, 61, 103, 8, {-3, 2, 2, -2}},                    // 2 法人税額
    {2, 61, 116, 8, {-3, 1, 2, -2}},                    // 4 差引法人税額
    {2, 61, 160, 8, {-3, 0, 2, -2}},                    // 10 法人税額計
    {2, 155, 217, 8, {-3, -2, -3, -2}},                 // 37 法人税額
    {3, 61, 174, 8, {-1, -2, 0, -2}, When::TaxDue},     // 12 控除税額
    {3, 61, 237, 8, {-1, -3, 0, -2}},                   // 42 所得税の額等
    {3, 61, 250, 8, {-1, -4, 0, -2}},                   // 44 計
    {5, 61, 193, 6, {-1, -2, 0, -2}, When::Line15},     // 15 差引確定法人税額, in hundreds
    {10, 61, 180, 6, {-1, -2, 0, -2}, When::InHundreds}, // 13 差引所得に対する法人税額 (amount 18), in hundreds
    // 14 中間申告分の法人税額, in hundreds: line 15 is line 13 less this line, and the return reads as incomplete
    // without it.
    {4, 61, 186.5, 6, {-1, -2, 0, -2}, When::Interim},
    {6, 61, 199, 5, {-1, -2, 0, -2}},                    // 30 the income up to 8,000,000 yen, in thousands
    {7, 155, 199, 8, {-2, -2, -4, -2}},                  // 34 the tax on line 30
    {8, 61, 206, 5, {0, -2, 0, -2}},                     // 31 the income above 8,000,000 yen, in thousands
    {9, 155, 206, 8, {0, -2, -7, -2}},                   // 35 the tax on line 31
    {19, 61, 256, 8, {-1, -4, 0, -2}},                   // 45 控除した金額
    {20, 61, 263, 8, {-1, -5, 0, -2}},                   // 46 控除しきれなかった金額
    {21, 155, 97, 8, {-2, 2, -4, -2}, When::CreditExceeds}, // 16 所得税額等の還付金額
    {22, 155, 103, 8, {-2, 2, -4, -2}, When::InterimBack},  // 17 中間納付額
    {23, 155, 122, 8, {-5, 1, -2, -2}},                     // 19 計 of the refunds
    {11, 155, 174, 8, {-2, 0, -4, -4}},                     // 26 欠損金又は災害損失金等の当期控除額
    {12, 155, 180, 8, {-2, -2, -4, -1}},                    // 27 翌期へ繰り越す欠損金又は災害損失金
};

// Circles over the list of attached documents (添付書類).
constexpr TextItem a4Attachments[] = {
    {9, 107, 65, u"〇"}, {9, 119, 65, u"〇"}, {9, 113, 67, u"〇"}, {9, 129, 65, u"〇"}};

// ---- Schedule 1 on the tax office's sheet ------------------------------------------------------------------

// clang-format off
constexpr FieldItem sheetHeader[] = {
    {11, 37, 18, Field::Company, 7, {36.7, 17.95, 197, 22.95}},    // tax office, in front of 税務署長殿
    {11, 109, 23, Field::Company, 6, {108.7, 22.95, 197, 29}},    // 事業種目
    {11, 24, 27, Field::Company, 3, {23.7, 26.95, 108, 31.95}},    // 納税地, before 事業種目
    {11, 119, 31, Field::Capital, 0, {}},                    // 期末現在の資本金の額
    {9, 54, 32, Field::Company, 8, {53.7, 31.95, 118, 34.95}},     // telephone
    {9, 24, 35, Field::Company, 1, {23.7, 34.95, 197, 39.95}},     // フリガナ of 法人名
    {11, 24, 41, Field::Company, 2, {23.7, 40.95, 110, 47}},    // 法人名, before the 〇 of 同族会社
    {9, 24, 48, Field::Company, 4, {23.7, 47.95, 197, 53.95}},     // フリガナ of 代表者
    {11, 24, 63, Field::Company, 5, {23.7, 62.95, 109, 69}},      // 代表者住所, before the 〇 of 添付書類
};
// clang-format on
constexpr TextItem sheetMarks[] = {
    {11, 111, 40, u"〇"},     // 同族会社
    {11, 195, 74, u"〇"},     // 否 of 別表等送付要否
    {11, 112, 80, u"確　定"}, // the title's blank
};

constexpr FieldItem sheetRefund[] = {
    {11, 117, 259, Field::Bank, 1, {116.7, 258.95, 141, 265}},
    {11, 142, 259, Field::Bank, 2, {141.7, 258.95, 163, 265}},
    {11, 164, 259, Field::AccountType, 0, {163.7, 258.95, 197, 265}},
    {11, 122, 268, Field::Bank, 3, {121.7, 267.95, 197, 274}},
};
constexpr Shifts sheetRefundShifts{0, 0, 0, -1};

constexpr Page::TextBox sheetRepresentative{39.7, 53.95, 197, 60};
constexpr Page::TextBox sheetAccountant{147.7, 279.95, 197, 286};

// The same lines as on the image, fitted to the real sheet by whole-millimetre steps down or up.
constexpr DigitRow sheetRows[] = {
    {1, 61, 97, 8, {0, 0, 0, 0}, When::Always, true}, // 1
    {1, 61, 217, 5, {0, 0, 0, 1}, When::Income},      // 33
    {2, 61, 103, 8, {0, 0, 0, 1}},                    // 2
    {2, 61, 116, 8, {}},                              // 4
    {2, 61, 160, 8, {}},                              // 10
    {2, 155, 217, 8, {0, 0, 0, 1}},                   // 37
    {3, 61, 174, 8, {0, 0, 0, -1}, When::TaxDue},     // 12
    {3, 61, 237, 8, {}},                              // 42
    {3, 61, 250, 8, {}},                              // 44
    {5, 61, 193, 6, {}, When::Line15},                // 15
    {10, 61, 180, 6, {}, When::InHundreds},           // 13
    {4, 61, 186.5, 6, {}, When::Interim},             // 14
    {6, 61, 199, 5, {}},                              // 30
    {7, 155, 199, 8, {}},                             // 34
    {8, 61, 206, 5, {}},                              // 31
    {9, 155, 206, 8, {}},                             // 35
    {19, 61, 256, 8, {0, 0, 0, 2}},                   // 45
    {20, 61, 263, 8, {}},                             // 46
    {21, 155, 97, 8, {}, When::CreditExceeds},        // 16
    {22, 155, 103, 8, {}, When::InterimBack},         // 17
    {23, 155, 122, 8, {}, When::Refund},              // 19: on this sheet only when amount 5 is below 0
    {11, 155, 174, 8, {0, 0, 0, -1}},                 // 26
    {12, 155, 180, 8, {}},                            // 27
};

constexpr TextItem sheetAttachments[] = {
    {9, 110, 61, u"〇"}, {9, 122, 61, u"〇"}, {9, 116, 63, u"〇"}, {9, 135, 61, u"〇"}};

} // namespace

void Schedule1Page(Page &page) {
    PrintData &d = page.data;
    const auto &n = d.companyNumbers;

    page.font(fontname::brush, 11);
    page.textInBox(147, 275, d.accountantTexts[1], a4Accountant);
    if (d.companyTexts[10] != noRepresentative) {
        page.fontSize(14);
        page.textInBox(24, 55, d.companyTexts[10], a4Representative);
    }

    page.font(fontname::mincho, 11);
    setShifts(page.state, a4HeaderShifts);
    drawTexts(page, a4Marks);
    printFields(page, a4Header);
    setShifts(page.state, a4RefundShifts);
    printFields(page, a4Refund);
    setShifts(page.state, {});

    // 事業年度: the start and end dates in the rows 平成 年 月 日 under the representative's address.
    page.fontSize(14);
    setShifts(page.state, {-8, -2, 0, 0});
    printDateDigits(page, 4, {n[3], n[4], n[5]}, {37, 54, 70.5}, 74);
    printDateDigits(page, 7, {n[6], n[7], n[8]}, {37, 54, 70.5}, 86);
    setShifts(page.state, {});

    deriveAmounts(d.sched1Amounts);
    splitDigitRows(d.sched1Amounts, page.state);
    printDigitRows(page, a4Rows);

    // 決算確定の日
    setShifts(page.state, {-1, -7, 0, -2});
    printDateDigits(page, 1, {n[9], n[10], n[11]}, {71, 81, 91}, 274);
    setShifts(page.state, {});

    drawTexts(page, a4Attachments);
}

void Schedule1OfficeSheetPage(Page &page) {
    PrintData &d = page.data;
    const auto &n = d.companyNumbers;

    page.font(fontname::brush, 14);
    if (d.companyTexts[10] != noRepresentative)
        page.textInBox(40, 54, d.companyTexts[10], sheetRepresentative);
    page.textInBox(148, 280, d.accountantTexts[1], sheetAccountant);

    page.font(fontname::mincho, 11);
    drawTexts(page, sheetMarks);
    printFields(page, sheetHeader);
    setShifts(page.state, sheetRefundShifts);
    printFields(page, sheetRefund);
    setShifts(page.state, {});

    page.fontSize(16);
    deriveAmounts(d.sched1Amounts);
    splitDigitRows(d.sched1Amounts, page.state);
    printDigitRows(page, sheetRows);

    // 決算確定の日
    setShifts(page.state, {0, 0, 0, -2});
    printDateDigits(page, 1, {n[9], n[10], n[11]}, {71, 81, 91}, 274);
    setShifts(page.state, {});

    drawTexts(page, sheetAttachments);
}

} // namespace hz
