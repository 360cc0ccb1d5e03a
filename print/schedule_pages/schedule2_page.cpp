#include "print/pages.h"

#include "core/numbers.h"

#include <cstdint>
#include <optional>

// 別表二 同族会社等の判定に関する明細書, drawn whole: the test in lines 1 to 6 at the top, the shareholders the test
// is made on in the table below.
namespace hz {

namespace {

constexpr TextItem title[] = {{11, 33, 13, u"同族会社等の判定に関する明細書"}};
constexpr TextItem formIdentifier[] = {{11, 194, 9, u"別"}, {11, 194, 14, u"表"}, {11, 194, 19, u"二"}};

constexpr LineItem pageFrame[] = {{25, 24, 192, 24}, {25, 24, 25, 242}, {192, 24, 192, 242}, {25, 242, 192, 242}};

// clang-format off
constexpr LineItem grid[] = {
    // Lines 1 to 3 (left) and 4 to 6 (right), then the band of the table's heading.
    {25, 36, 192, 36}, {25, 48, 192, 48}, {25, 60, 192, 60}, {25, 70, 192, 70},
    // The table's column heads.
    {136, 75, 192, 75}, {35, 82, 115, 82}, {136, 82, 192, 82},
    // Fifteen shareholder rows of 10 mm.
    {25, 92, 192, 92}, {25, 102, 192, 102}, {25, 112, 192, 112}, {25, 122, 192, 122}, {25, 132, 192, 132},
    {25, 142, 192, 142}, {25, 152, 192, 152}, {25, 162, 192, 162}, {25, 172, 192, 172}, {25, 182, 192, 182},
    {25, 192, 192, 192}, {25, 202, 192, 202}, {25, 212, 192, 212}, {25, 222, 192, 222}, {25, 232, 192, 232},
    // The top block: line-number boxes 66-74 and 158-166, the two halves divided at 108.
    {66, 24, 66, 60}, {74, 24, 74, 60}, {108, 24, 108, 60}, {158, 24, 158, 60}, {166, 24, 166, 60},
    // The table: 順位 | 住所又は所在地 | 氏名又は法人名 | 続柄 | 7 同族でない法人株主 | 8 その他の株主等.
    {35, 70, 35, 242}, {75, 82, 75, 242}, {115, 70, 115, 242}, {136, 70, 136, 242}, {164, 75, 164, 242},
};
// clang-format on

constexpr TextItem topCaptions[] = {
    {10, 29, 26, u"期末現在の発行済株"}, // 1
    {10, 30, 31, u"式数又は出資金額"},
    {10, 28, 37, u"(8)の上位３順位の株"}, // 2
    {10, 26, 42, u"式数又は出資金額の合計"},
    {10, 29, 52, u"同 族 会 社 の 判 定"},    // 3
    {10, 117, 26, u"(7)と(8)で上位３順位の"}, // 4
    {10, 112, 31, u"株式数又は出資金額の合計"},
    {10, 113, 40, u"非同族の同族会社の判定"},     // 5
    {10, 110, 52, u"判  　　定　  　結　  　果"}, // 6, and its three verdicts
    {7, 166.8, 49, u"同    族    会    社"},
    {7, 166.8, 52, u"非同族の同族会社"},
    {7, 166.8, 55, u"非  同  族  会  社"},
};

constexpr TextItem tableCaptions[] = {
    {10, 57, 63, u"判　定　基　準　と　な　る　株　主　等　の　株　式　数　等　の　明　細"},
    {10, 42, 74, u"判定基準となる株主（社員）及び同族関係者"},
    {10, 27, 79, u"順位"},
    {10, 39, 85, u"住 所 又 は 所 在 地"},
    {10, 79, 85, u"氏 名 又 は 法 人 名"},
    {10, 117, 74, u"判定基準と"},
    {10, 117, 79, u"なる株主と"},
    {10, 117, 84, u"の続柄"},
    {10, 118, 95, u"本　　　人"}, // row 1 is the reference shareholder himself
    {10, 145, 71, u"株式数又は出資金額"},
    {9, 139, 75.3, u"同 族 で な い"},
    {9, 139, 78.6, u"法　人　株　主"},
    {10, 165, 77, u"その他の株主等"},
};

// Numbers printed as numbers, 10 pt: the line numbers, row 1's rank and the column numbers 7 and 8.
struct NumberItem {
    double x;
    double y;
    int value;
};
constexpr NumberItem numbers[] = {
    {68, 29, 1},  {68, 41, 2}, {68, 53, 3},  {160, 29, 4}, {160, 41, 5},
    {160, 53, 6}, {29, 96, 1}, {148, 85, 7}, {176, 85, 8},
};

// A shareholder row: elements of sched2Texts (rank, address, name, relation; 0 where the row prints none) and of
// sched2Shares. The shares stand in column 8 (164-192), right edge 186.
struct ShareholderRow {
    double y;
    int rank;
    double rankX;
    int address;
    int name;
    int relation;
    int shares;
};
constexpr ShareholderRow shareholderRows[] = {
    {95, 0, 0, 3, 4, 0, 4},       // 1: rank 1 and 本人 are the form's own
    {105, 6, 27, 7, 8, 9, 5},     // 2
    {115, 10, 27, 11, 12, 13, 6}, // 3
    {125, 14, 27, 15, 16, 17, 7}, // 4
    {135, 18, 27, 19, 20, 21, 8}, // 5
    {145, 22, 29, 23, 24, 25, 9}, // 6
};
// The texts of a row, each from its x in its column between the rules, on one or two lines of the row. The address
// starts 1 mm right of its column's rule at 35: from the rule itself its first character's ink would run into the
// rule.
constexpr double tableLeft = 25;
constexpr double rowHeight = 10;
constexpr double rowTextDrop = 3; // a row's texts stand 3 mm below its top rule
constexpr double rankRight = 35;
constexpr double addressX = 36;
constexpr double addressRight = 75;
constexpr double nameX = 78;
constexpr double nameRight = 115;
constexpr double relationX = 117;
constexpr double relationRight = 136;
constexpr double sharesRight = 186;
constexpr CellSpan sharesCell{164, 192};

constexpr double topValueRight = 99;      // lines 1 to 3
constexpr CellSpan topValueCell{74, 108}; // between the line numbers and the middle rule

// floor(a / b) for b != 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0))
        --q;
    return q;
}

// Line 3's percentage: the top three's share of the issued total, in whole per cent rounded down. Whole-number
// arithmetic keeps 29 of 100 at 29; a percentage beyond 32 bits is an overflow, and an issued total of 0 has
// none.
std::optional<std::int32_t> schedule2Percentage(std::int32_t topThree, std::int32_t issued) {
    if (issued == 0)
        return std::nullopt;
    return narrow(floorDiv(std::int64_t{100} * topThree, issued));
}

} // namespace

void Schedule2Page(Page &page) {
    const PrintData &d = page.data;
    page.font(fontname::mincho, 11);
    drawTexts(page, title);
    drawTexts(page, formIdentifier);
    pageHeaderBlock(page, true);
    drawLines(page, drawwidth::frame, pageFrame);
    drawLines(page, drawwidth::grid, grid);
    drawTexts(page, topCaptions);
    drawTexts(page, tableCaptions);
    page.fontSize(10);
    for (const NumberItem &n : numbers)
        page.number(n.x, n.y, n.value);

    page.fontSize(11);
    for (const ShareholderRow &r : shareholderRows) {
        const double top = r.y - rowTextDrop;
        auto cellText = [&](double x, int element, double left, double right) {
            page.textInBox(x, r.y, d.sched2Texts[element],
                           page.roomBetweenRules(left, top, right, top + rowHeight,
                                                 left == tableLeft ? unsigned{Page::leftFrame} : 0u));
        };
        if (r.rank != 0)
            cellText(r.rankX, r.rank, tableLeft, rankRight);
        cellText(addressX, r.address, rankRight, addressRight);
        cellText(nameX, r.name, addressRight, nameRight);
        if (r.relation != 0)
            cellText(relationX, r.relation, nameRight, relationRight);
        page.rightAlignedAmount(sharesRight, r.y, d.sched2Shares[r.shares], sharesCell);
    }

    // 1 期末現在の発行済株式数又は出資金額, 2 上位３順位の株式数又は出資金額の合計
    page.rightAlignedAmount(topValueRight, 28, d.sched2Shares[1], topValueCell);
    page.rightAlignedAmount(topValueRight, 40, d.sched2Shares[2], topValueCell);
    // 3 (2) / (1); the percentage entered on the Schedule 2 window is not used.
    if (const auto percent = schedule2Percentage(d.sched2Shares[2], d.sched2Shares[1]))
        page.rightAlignedAmount(topValueRight, 52, *percent, topValueCell);

    // The mark on 同族会社 is the form's own, whatever verdict was stored.
    page.text(175, 48, QStringLiteral("〇"));
}

} // namespace hz
