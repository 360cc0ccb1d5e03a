#pragma once

#include "common/profile.h"
#include "common/read_or_say.h"
#include "platform/controls.h"

#include <cstdint>

namespace hz {

// The registration window "会社登録": the company profile and the special fields of one company, typed in or
// loaded back, saved by "登録実行", which then opens the company and recomputes its schedules.
class Form2 final : public Form {
public:
    Form2();

    // The profile.
    Button Command9{this, "Command9"}; // "法人コード"
    TextBox Text1{this, "Text1"};      // company code
    TextBox Text2{this, "Text2"};      // フリガナ
    TextBox Text3{this, "Text3"};      // 法人名
    Button Command1{this, "Command1"}; // "㈱"
    Button Command2{this, "Command2"}; // "㈲"
    Button Command3{this, "Command3"}; // "事業年度"
    TextBox Text13{this, "Text13"};    // business-year start: 平成 year, month, day
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text17{this, "Text17"}; // business-year end
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    TextBox Text5{this, "Text5"};      // 納税地
    TextBox Text12{this, "Text12"};    // 電話番号
    TextBox Text6{this, "Text6"};      // 代表者フリガナ
    TextBox Text27{this, "Text27"};    // 代表者氏名
    TextBox Text7{this, "Text7"};      // 代表者住所
    TextBox Text8{this, "Text8"};      // 事業種目
    TextBox Text9{this, "Text9"};      // 税務署名
    TextBox Text11{this, "Text11"};    // 資本金額
    Button Command5{this, "Command5"}; // "百万"
    Button Command8{this, "Command8"}; // "決算確定日"
    TextBox Text21{this, "Text21"};    // settlement: 平成 year, month, day
    TextBox Text20{this, "Text20"};
    TextBox Text4{this, "Text4"};

    // The special fields.
    Frame Frame1{this, "Frame1"};        // "特設欄"
    Frame Frame2{this, "Frame2"};        // "還付先銀行名"
    TextBox Text38{this, "Text38"};      // bank
    TextBox Text39{this, "Text39"};      // branch
    TextBox Text40{this, "Text40"};      // account number
    Button Command18{this, "Command18"}; // "当座預金"
    Button Command19{this, "Command19"}; // "普通預金"
    Label Label11{this, "Label11"};      // "当座" / "普通"
    TextBox Text44{this, "Text44"};      // 従業員数
    TextBox Text45{this, "Text45"};      // 区名
    Button Command12{this, "Command12"}; // "県税事務所"
    TextBox Text26{this, "Text26"};
    Button Command13{this, "Command13"}; // "市役所・区役所"
    TextBox Text24{this, "Text24"};
    Button Command20{this, "Command20"}; // "特設欄データ呼　出"
    Button Command21{this, "Command21"}; // "特設欄データ登　録"

    Button Command4{this, "Command4"};   // "登録実行"
    Button Command6{this, "Command6"};   // "会社呼出"
    Button Command7{this, "Command7"};   // "DATA"
    Button Command10{this, "Command10"}; // "menu"
    Button Command11{this, "Command11"}; // "クリア", hidden
    TextBox Text100{this, "Text100"}; // hidden: the code "会社呼出", "DATA" and "特設欄データ呼　出" act on

    // Captions beside the boxes.
    Label Label1{this, "Label1"};
    Label Label2{this, "Label2"};
    Label Label3{this, "Label3"};
    Label Label4{this, "Label4"};
    Label Label5{this, "Label5"};
    Label Label6{this, "Label6"};
    Label Label7{this, "Label7"};
    Label Label8{this, "Label8"};
    Label Label9{this, "Label9"};
    Label Label10{this, "Label10"};
    Label Label12{this, "Label12"};
    Label Label13{this, "Label13"};
    Label Label14{this, "Label14"};
    Label Label15{this, "Label15"};
    Label Label16{this, "Label16"};
    Label Label17{this, "Label17"};
    Label Label18{this, "Label18"};
    Label Label19{this, "Label19"};
    Label Label20{this, "Label20"};
    Label Label21{this, "Label21"};

    // The profile and the special fields last read from their files or taken from the boxes.
    CompanyProfileRecord profile;
    SpecialFieldRecord special;
    // "当座預金", "普通預金" or empty: set by the two account buttons and by loading the special fields.
    QString refundAccountType;
    // The company the window last loaded or registered; "特設欄データ登　録" saves under it.
    std::int32_t workingCode = 0;
    // The special-field record the last load could not read: neither "特設欄データ登　録" nor "登録実行" saves it
    // from the boxes that load left, until a load reads it, the window's own save writes it, or the user has typed
    // the values into the boxes (before the press that found the damage, too). It holds the saves of that company
    // only.
    RecordHold specialFieldHold{{&Text38, &Text39, &Text40, &Text44, &Text45, &Text26, &Text24},
                                RecordHold::Afresh::anyBox};
    // The capital as it stood when "百万" could not multiply it: registered as it stands, it would be taken as
    // yen. Empty when there is none.
    QString capitalLeftInMillions;

    void Command4_Click();  // registerCompany
    void Command6_Click();  // 会社呼出
    void Command7_Click();  // DATA
    void Command9_Click();  // 法人コード
    void Command11_Click(); // クリア
    void Command20_Click(); // 特設欄データ呼　出
    void Command21_Click(); // 特設欄データ登　録
    void Command3_Click();  // 事業年度
    void Command5_Click();  // 百万
    void Command8_Click();  // 決算確定日
    void Command1_Click();  // ㈱
    void Command2_Click();  // ㈲
    void Command18_Click(); // 当座預金
    void Command19_Click(); // 普通預金
    void Command12_Click(); // 県税事務所: a caption only
    void Command13_Click(); // 市役所・区役所: a caption only
    void Command10_Click(); // menu

protected:
    void setupUi(QWidget *window) override;

private:
    // Reads the profile and the special fields of code and shows them; false, with the error box shown, when the
    // company cannot be read at all.
    bool loadCompany(std::int32_t code);
    void showProfile(const CompanyProfileRecord &rec);
};

Form2 &form2();

// Opens the company in the main menu's code box and recomputes every schedule, Schedule 1 first. Registration
// runs it; later windows run it too.
void recomputeAll();

} // namespace hz
