#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "別表五（一）": the retained-earnings statement of Schedule 5(1), 14 rows by five columns ① 期首現在, ② 減,
// ③ 増, ④ 利益処分, ⑤ 差引翌期首. Rows 2-8 carry names the user gives; rows 11-13 are the unpaid taxes and
// row 14 the column totals.
class Form6 final : public Form {
public:
    Form6();

    TextBox Text1{this, "Text1"};     // company code
    TextBox Text100{this, "Text100"}; // total drawn from the tax provision, filled by Schedule 5(2), read by no one

    Label Label1{this, "Label1"}; // 区　分
    Label Label2{this, "Label2"}; // 当期中の増減

    // Column headers; each empties its column.
    Button Command2{this, "Command2"}; // 利益準備金 (row 1's name; empties the seven names)
    Button Command3{this, "Command3"}; // 期首現在①
    Button Command4{this, "Command4"}; // 減②
    Button Command5{this, "Command5"}; // 増③
    Button Command6{this, "Command6"}; // 利益処分④
    Button Command9{this, "Command9"}; // 差引翌期首⑤

    // Row 1 amounts ① to ⑤.
    TextBox Text2{this, "Text2"};
    TextBox Text4{this, "Text4"};
    TextBox Text5{this, "Text5"};
    TextBox Text6{this, "Text6"};
    TextBox Text7{this, "Text7"};
    // Rows 2-14: name box 6r-4, amount boxes 6r-3 to 6r+1.
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
    TextBox Text36{this, "Text36"};
    TextBox Text37{this, "Text37"};
    TextBox Text38{this, "Text38"};
    TextBox Text39{this, "Text39"};
    TextBox Text40{this, "Text40"};
    TextBox Text41{this, "Text41"};
    TextBox Text42{this, "Text42"};
    TextBox Text43{this, "Text43"};
    TextBox Text44{this, "Text44"};
    TextBox Text45{this, "Text45"};
    TextBox Text46{this, "Text46"};
    TextBox Text47{this, "Text47"};
    TextBox Text48{this, "Text48"};
    TextBox Text49{this, "Text49"};
    TextBox Text50{this, "Text50"};
    TextBox Text51{this, "Text51"};
    TextBox Text52{this, "Text52"};
    TextBox Text53{this, "Text53"};
    TextBox Text54{this, "Text54"};
    TextBox Text55{this, "Text55"};
    TextBox Text56{this, "Text56"};
    TextBox Text57{this, "Text57"};
    TextBox Text58{this, "Text58"};
    TextBox Text59{this, "Text59"};
    TextBox Text60{this, "Text60"};
    TextBox Text61{this, "Text61"};
    TextBox Text62{this, "Text62"};
    TextBox Text63{this, "Text63"};
    TextBox Text64{this, "Text64"};
    TextBox Text65{this, "Text65"};
    TextBox Text66{this, "Text66"};
    TextBox Text67{this, "Text67"};
    TextBox Text68{this, "Text68"};
    TextBox Text69{this, "Text69"};
    TextBox Text70{this, "Text70"};
    TextBox Text71{this, "Text71"};
    TextBox Text72{this, "Text72"};
    TextBox Text73{this, "Text73"};
    TextBox Text74{this, "Text74"};
    TextBox Text75{this, "Text75"};
    TextBox Text76{this, "Text76"};
    TextBox Text77{this, "Text77"};
    TextBox Text78{this, "Text78"};
    TextBox Text79{this, "Text79"};
    TextBox Text80{this, "Text80"};
    TextBox Text81{this, "Text81"};
    TextBox Text82{this, "Text82"};
    TextBox Text83{this, "Text83"};
    TextBox Text84{this, "Text84"};
    TextBox Text85{this, "Text85"};
    // Grey line numbers of the official form, rows 1-14.
    TextBox Text86{this, "Text86"};
    TextBox Text87{this, "Text87"};
    TextBox Text88{this, "Text88"};
    TextBox Text89{this, "Text89"};
    TextBox Text90{this, "Text90"};
    TextBox Text91{this, "Text91"};
    TextBox Text92{this, "Text92"};
    TextBox Text93{this, "Text93"};
    TextBox Text94{this, "Text94"};
    TextBox Text95{this, "Text95"};
    TextBox Text96{this, "Text96"};
    TextBox Text97{this, "Text97"};
    TextBox Text98{this, "Text98"};
    TextBox Text99{this, "Text99"};

    Button Command11{this, "Command11"}; // 別五（二）の呼出
    Button Command8{this, "Command8"};   // 別四と別五の関係
    Button Command10{this, "Command10"}; // menu
    Button Command7{this, "Command7"};   // DATA
    Button Command1{this, "Command1"};   // 計算実行

    // Window-level values, kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text1};
    std::array<std::int32_t, 70> cells{}; // cell k (row r, column c: k = 5(r-1)+c) at [k-1]
    std::array<QString, 7> rowNames{};    // names of rows 2-8

    void Command1_Click();  // compute
    void Command7_Click();  // data action
    void Command11_Click(); // 別五（二）の呼出
    void Command8_Click();  // 別四と別五の関係
    void Command10_Click(); // menu
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();

    // The amount box of row r (1-14), column c (1-5), and the name box of row r (2-8).
    TextBox &cellBox(int r, int c);
    TextBox &nameBox(int r);

protected:
    void setupUi(QWidget *window) override;

private:
    // Text<n> by its number n; nullptr for the numbers the window does not use.
    std::array<TextBox *, 101> textBoxes_{};
    void emptyColumn(int column);
};

Form6 &form6();

} // namespace hz
