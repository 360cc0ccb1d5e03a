#pragma once

#include "print/print_data.h"

#include <QString>
#include <QStringList>

// A company whose every text is as long as real ones: a 20-character name, addresses of 19 to 40 characters (with a
// building's name), an 18-character business type, a bank and branch of 9 characters each, a 12-character
// telephone, a 10-character accountant's name, long row and issue names and relations.
namespace hz::test {

inline const QString longCompanyName20 = QStringLiteral("株式会社東日本総合不動産コンサルティング");

inline const QStringList longAddresses = {
    QStringLiteral("愛知県名古屋市中区栄三丁目１５番２７号"),
    QStringLiteral("神奈川県横浜市港北区新横浜三丁目１９番地５"),
    QStringLiteral("東京都千代田区丸の内二丁目７番３号東京ビルディング２１階"),
    QStringLiteral("大阪府大阪市北区梅田一丁目１３番１号大阪梅田ツインタワーズ・サウス３５階"),
    QStringLiteral("北海道札幌市中央区北一条西二丁目１番地札幌時計台ビル１０階"),
    QStringLiteral("福岡県福岡市博多区博多駅中央街１番１号ＪＲ博多シティ８階"),
};

inline PrintData longTextCompany() {
    PrintData d;
    auto &t = d.companyTexts;
    t[1] = QStringLiteral("ヒガシニホンソウゴウフドウサンコンサルティング");
    t[2] = longCompanyName20;
    t[3] = longAddresses[1];
    t[4] = QStringLiteral("ヤマモトイチロウタ");
    t[5] = longAddresses[2];
    t[6] = QStringLiteral("不動産コンサルティング及び賃貸管理業");
    t[7] = QStringLiteral("名古屋中");
    t[8] = QStringLiteral("052-123-4567");
    t[9] = QStringLiteral("山本一郎太");
    d.companyNumbers = {0, 1, 0, 19, 4, 1, 20, 3, 31, 20, 5, 31};

    const QStringList names = {longCompanyName20,
                               QStringLiteral("山本一郎太"),
                               QStringLiteral("有限会社西日本ホールディングス"),
                               QStringLiteral("佐藤次郎左衛門"),
                               QStringLiteral("一般社団法人東日本不動産研究会"),
                               QStringLiteral("高橋四郎")};
    const QStringList relations = {QString(),
                                   QStringLiteral("代表取締役の配偶者の父"),
                                   QStringLiteral("代表者の長男の妻の兄弟"),
                                   QStringLiteral("代表者の二親等内の姻族"),
                                   QStringLiteral("代表者が支配する法人"),
                                   QStringLiteral("代表者の使用人")};
    for (int r = 1; r <= 6; ++r) {
        d.sched2Texts[4 * r - 2] = r == 6 ? QStringLiteral("第6位") : QString::number(r);
        d.sched2Texts[4 * r - 1] = longAddresses[r - 1];
        d.sched2Texts[4 * r] = names[r - 1];
        d.sched2Texts[4 * r + 1] = relations[r - 1];
    }
    d.schedule4RowNames = {"", "役員給与の損金不算入額（使用人兼務役員分）", "交際費等の損金不算入額",
                           "前期賞与引当金の当期認容額及び事業税の損金算入額", "減価償却超過額の当期認容額"};
    d.schedule5_1RowNames = {"",
                             "特別償却準備金積立額（中小企業投資促進税制）",
                             "建物圧縮積立金（収用換地等）",
                             "別途積立金",
                             "繰延資産償却超過額（開業費）",
                             "減価償却超過額（建物附属設備）",
                             "貸倒引当金繰入超過額",
                             "一括償却資産損金算入限度超過額"};
    d.capitalRowNames = {"", "資本金等の額の調整額（自己株式の取得）", "その他資本剰余金の振替額"};
    d.schedule6Texts = {"", "東日本総合不動産株式会社第１２回無担保社債", "株式会社みなと銀行普通株式"};

    d.accountantTexts[1] = QStringLiteral("長谷川多恵子法律会計"); // 10 characters
    d.accountantTexts[2] = QStringLiteral("03-5555-1234");
    d.accountantTexts[3] = longAddresses[3];
    d.refundBankTexts[1] = QStringLiteral("東日本第一信用金庫"); // 9 characters each
    d.refundBankTexts[2] = QStringLiteral("名古屋駅前中央支店");
    return d;
}

} // namespace hz::test
