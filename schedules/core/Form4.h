#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "別表二": the shareholders on which the family-company test rests. Six shareholder rows, the total and
// top-three holdings, the percentage and the verdict as the user types them; "登録実行" totals and saves.
class Form4 final : public Form {
public:
    Form4();

    TextBox Text1{this, "Text1"}; // company code

    Label Label1{this, "Label1"};      // 期末現在の発行済株式金額
    TextBox Text2{this, "Text2"};      // total of the six holdings
    Label Label2{this, "Label2"};      // 上位３順位の株式数
    TextBox Text3{this, "Text3"};      // holdings of the top three ranks
    Button Command2{this, "Command2"}; // 同数
    Label Label3{this, "Label3"};      // 同族会社の判定（％）
    TextBox Text4{this, "Text4"};      // percentage of the test
    Label Label7{this, "Label7"};      // %
    Button Command3{this, "Command3"}; // 100 %
    Label Label4{this, "Label4"};      // 判定結果
    TextBox Text5{this, "Text5"};      // verdict text

    Frame Frame1{this, "Frame1"}; // 判定基準となる株主等の明細
    Label Label5{this, "Label5"}; // column header
    Label Label6{this, "Label6"}; // その他の株主等

    // Shareholder rows 1-6: rank, address, name, relation, holding.
    TextBox Text6{this, "Text6"};
    TextBox Text7{this, "Text7"};
    TextBox Text8{this, "Text8"};
    TextBox Text9{this, "Text9"};
    TextBox Text10{this, "Text10"};
    TextBox Text11{this, "Text11"};
    TextBox Text12{this, "Text12"};
    TextBox Text13{this, "Text13"};
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    TextBox Text20{this, "Text20"};
    TextBox Text21{this, "Text21"};
    TextBox Text22{this, "Text22"};
    TextBox Text23{this, "Text23"};
    TextBox Text24{this, "Text24"};
    TextBox Text25{this, "Text25"};
    TextBox Text26{this, "Text26"};
    TextBox Text27{this, "Text27"};
    TextBox Text28{this, "Text28"};
    TextBox Text29{this, "Text29"};
    TextBox Text30{this, "Text30"};
    TextBox Text31{this, "Text31"};
    TextBox Text32{this, "Text32"};
    TextBox Text33{this, "Text33"};
    TextBox Text34{this, "Text34"};
    TextBox Text35{this, "Text35"};

    CheckBox Check1{this, "Check1"};
    CheckBox Check2{this, "Check2"};
    CheckBox Check3{this, "Check3"};
    CheckBox Check4{this, "Check4"};
    CheckBox Check5{this, "Check5"};
    CheckBox Check6{this, "Check6"};

    Button Command10{this, "Command10"}; // menu
    Button Command7{this, "Command7"};   // DATA
    Button Command1{this, "Command1"};   // 登録実行

    // Window-level values, kept while the program runs, also when the window is closed.
    // holderTexts[0] is the verdict; row r (1-6) has rank, address, name, relation at [4r-3] to [4r].
    std::array<QString, 25> holderTexts{};
    // [0] total, [1] top three, [2] percentage as typed, [3]-[8] holdings of rows 1-6.
    std::array<std::int32_t, 9> holderAmounts{};
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text1};

    void Command1_Click();  // save
    void Command7_Click();  // data action
    void Command2_Click();  // 同数
    void Command3_Click();  // 100 %
    void Command10_Click(); // menu
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();

    // The boxes of shareholder row r (1-6).
    TextBox &rankBox(int r);
    TextBox &addressBox(int r);
    TextBox &nameBox(int r);
    TextBox &relationBox(int r);
    TextBox &holdingBox(int r);

protected:
    void setupUi(QWidget *window) override;
};

Form4 &form4();

} // namespace hz
