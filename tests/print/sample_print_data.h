#pragma once

#include "print/print_data.h"

// The print data of a small wholesaler after a load: one business year 平成19/4/1 to 平成20/3/31 with an
// income of about 12 million yen, a tax accountant, a refund account, Schedules 1, 4 and 5(1) that agree with each
// other. The pages' pictures are rendered from it.
namespace hz::test {

inline PrintData sampleCompany() {
    PrintData d;
    d.companyNumbers = {0, 1001, 10000000, 19, 4, 1, 20, 3, 31, 20, 5, 28};
    d.companyTexts[1] = QStringLiteral("カブシキガイシャ　ミナトショウジ");
    d.companyTexts[2] = QStringLiteral("株式会社みなと商事");
    d.companyTexts[3] = QStringLiteral("東京都港区芝公園一丁目２番３号");
    d.companyTexts[4] = QStringLiteral("ヤマダ　タロウ");
    d.companyTexts[5] = QStringLiteral("東京都世田谷区桜丘四丁目５番６号");
    d.companyTexts[6] = QStringLiteral("卸売業");
    d.companyTexts[7] = QStringLiteral("芝");
    d.companyTexts[8] = QStringLiteral("03-3456-7890");
    d.companyTexts[9] = QStringLiteral("山田　太郎");
    d.companyTexts[10] = d.companyTexts[9]; // as the print window copies it from Text26
    d.accountantTexts[1] = QStringLiteral("佐藤　一郎");
    d.accountantTexts[2] = QStringLiteral("03-5555-1234");
    d.accountantTexts[3] = QStringLiteral("東京都港区新橋二丁目１番１号");
    d.accountantTexts[4] = QStringLiteral("98765");
    d.accountantTexts[5] = QStringLiteral("東京");
    d.refundBankTexts[1] = QStringLiteral("みなと");
    d.refundBankTexts[2] = QStringLiteral("芝");
    d.refundBankTexts[3] = QStringLiteral("1234567");
    d.refundBankTexts[4] = QStringLiteral("普通預金");

    // 別表一: income 12,352,315; 8,000,000 at 22 %, 4,352,000 at 30 %; interim tax 1,200,000.
    auto &a = d.sched1Amounts;
    a[1] = 12352315;
    a[2] = 3065600;
    a[3] = 15315;
    a[4] = 1200000;
    a[5] = 1850200;
    a[6] = 8000000;
    a[7] = 1760000;
    a[8] = 4352000;
    a[9] = 1305600;
    a[18] = 3050285;

    // 別表四
    auto &c = d.schedule4Cells;
    c[1] = 8200000, c[2] = 7700000, c[3] = 500000;      // 当期利益, 留保, 配当
    c[4] = c[5] = 1200000;                              // 2 法人税
    c[6] = c[7] = 290000;                               // 3 住民税
    c[10] = c[11] = 2600000;                            // 5 納税充当金
    c[12] = c[14] = 12000;                              // 6 附帯税
    c[15] = c[16] = 180000;                             // 8 交際費
    c[17] = c[18] = 95000;                              // 9 賞与引当金繰入
    c[23] = 4377000, c[24] = 4185000, c[25] = 192000;   // 11 小計
    c[26] = c[27] = 180000;                             // 13 事業税等
    c[31] = c[32] = 60000;                              // 17 賞与引当金認容
    c[34] = 240000, c[35] = 240000;                     // 21 小計
    c[37] = 12337000, c[38] = 11645000, c[39] = 692000; // 22 仮計
    c[40] = c[41] = 15315;
    c[42] = 12352315, c[43] = 11645000, c[44] = 707315; // 28 合計
    c[52] = 12352315, c[53] = 11645000, c[54] = 707315; // 39 所得金額
    d.schedule4RowNames[1] = QStringLiteral("賞与引当金繰入");
    d.schedule4RowNames[3] = QStringLiteral("賞与引当金認容");
    d.schedule6Cells[9] = 15315;

    // 別表五（一）: rows of five columns, ⑤ = ① − ② + ③ + ④, 未納 rows negative, row 14 the sums.
    const std::int32_t rows[14][5] = {
        {500000, 0, 50000, 0, 550000},     // 利益準備金
        {3000000, 0, 1000000, 0, 4000000}, // 別途積立金
        {60000, 60000, 95000, 0, 95000},   // 賞与引当金
        {},                                // the user's rows 4 to 8 unused
        {},
        {},
        {},
        {},
        {5400000, 5400000, 11050000, 0, 11050000},   // 繰越損益金
        {2000000, 2000000, 2600000, 0, 2600000},     // 納税充当金
        {-1500000, -2700000, -3065600, 0, -1865600}, // 未納法人税
        {-150000, -230000, -250000, 0, -170000},     // 未納道府県民税
        {-350000, -500000, -560000, 0, -410000},     // 未納市町村民税
        {8960000, 4030000, 10919400, 0, 15849400},   // 差引合計額
    };
    for (int r = 0; r < 14; ++r)
        for (int col = 0; col < 5; ++col)
            d.schedule5_1Cells[5 * r + col + 1] = rows[r][col];
    d.schedule5_1RowNames[1] = QStringLiteral("別途積立金");
    d.schedule5_1RowNames[2] = QStringLiteral("賞与引当金");
    d.capitalCells[1] = d.capitalCells[4] = 1000000;
    d.capitalCells[13] = d.capitalCells[16] = 1000000;
    return d;
}

} // namespace hz::test
