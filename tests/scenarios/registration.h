#pragma once

#include "app/Form1.h"
#include "company/Form2.h"
#include "schedules/core/Form18.h"
#include "tests/support/fixture.h"

#include <cstdint>

namespace hz::test {

// The menu's "税率の設定", "とりあえず１８万円" and "画面の消去": the rate table every schedule reads.
inline void setPresetRates() {
    HzTest::click(form1().Command23);
    HzTest::click(form18().Command3);
    HzTest::click(form18().Command5);
}

// The menu's "会社登録" and a sample profile typed as a user fills it (the year 19.4.1, settled 20.5.13 by
// "事業年度"; the capital completed by "百万"; an ordinary account), then "登録実行". Addresses and numbers carry
// the code, so two companies never share a line.
inline void registerSampleCompany(std::int32_t code, const QString &name, const QString &kana,
                                  std::int32_t capitalMillions, std::int32_t employees) {
    HzTest::click(form1().Command1);
    Form2 &r = form2();
    const std::pair<TextBox *, QString> profile[] = {
        {&r.Text1, QString::number(code)},
        {&r.Text2, kana},
        {&r.Text3, name},
        {&r.Text13, QStringLiteral("19")},
        {&r.Text14, QStringLiteral("4")},
        {&r.Text15, QStringLiteral("1")},
        {&r.Text5, QStringLiteral("東京都千代田区丸の内%1-1").arg(code)},
        {&r.Text12, QStringLiteral("03-0000-000%1").arg(code)},
        {&r.Text6, QStringLiteral("ダイヒョウタロウ")},
        {&r.Text27, QStringLiteral("代表太郎")},
        {&r.Text7, QStringLiteral("東京都港区芝公園%1-2").arg(code)},
        {&r.Text8, QStringLiteral("卸売業")},
        {&r.Text9, QStringLiteral("麹町")},
        {&r.Text11, QString::number(capitalMillions)},
        {&r.Text38, QStringLiteral("見本銀行")},
        {&r.Text39, QStringLiteral("本店")},
        {&r.Text40, QStringLiteral("123456%1").arg(code)},
        {&r.Text44, QString::number(employees)},
        {&r.Text45, QStringLiteral("千代田区")},
        {&r.Text26, QStringLiteral("千代田都税事務所")},
        {&r.Text24, QStringLiteral("千代田区役所")},
    };
    for (const auto &[box, text] : profile)
        box->setText(text);
    HzTest::click(r.Command3);  // 事業年度
    HzTest::click(r.Command5);  // 百万
    HzTest::click(r.Command19); // 普通預金
    HzTest::click(r.Command4);  // 登録実行: the company is open in every window afterwards
}

} // namespace hz::test
