#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "資本積立金": the capital part of Schedule 5(1): the capital reserve, two rows the user names and their total,
// each with ① 期首現在, ② 減, ③ 増 and the balance carried to the next year.
class Form11 final : public Form {
public:
    Form11();

    TextBox Text1{this, "Text1"}; // company code

    Label Label1{this, "Label1"}; // 区　分
    Label Label2{this, "Label2"}; // 当期中の増減

    Button Command2{this, "Command2"}; // 資本準備金 (row 1's name; empties names and amounts)
    Button Command3{this, "Command3"}; // 期首現在①
    Button Command4{this, "Command4"}; // 減②
    Button Command5{this, "Command5"}; // 増③
    Button Command9{this, "Command9"}; // 差引翌期首⑤

    // Row 1 (資本準備金) ① ② ③ ④.
    TextBox Text2{this, "Text2"};
    TextBox Text3{this, "Text3"};
    TextBox Text4{this, "Text4"};
    TextBox Text5{this, "Text5"};
    // Row 2: name, ① ② ③ ④.
    TextBox Text8{this, "Text8"};
    TextBox Text9{this, "Text9"};
    TextBox Text10{this, "Text10"};
    TextBox Text11{this, "Text11"};
    TextBox Text12{this, "Text12"};
    // Row 3: name, ① ② ③ ④.
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    // Row 4 (差引合計額): name, ① ② ③ ④.
    TextBox Text20{this, "Text20"};
    TextBox Text21{this, "Text21"};
    TextBox Text22{this, "Text22"};
    TextBox Text23{this, "Text23"};
    TextBox Text24{this, "Text24"};
    // Grey line numbers 32 to 35.
    TextBox Text86{this, "Text86"};
    TextBox Text87{this, "Text87"};
    TextBox Text88{this, "Text88"};
    TextBox Text89{this, "Text89"};

    Button Command10{this, "Command10"}; // menu
    Button Command7{this, "Command7"};   // DATA
    Button Command1{this, "Command1"};   // 計算実行

    // Window-level values, kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text1};
    std::array<std::int32_t, 16> cells{}; // cell k (row r, column c: k = 4(r-1)+c) at [k-1]
    std::array<QString, 2> rowNames{};    // names of rows 2 and 3

    void Command1_Click();  // compute and save
    void Command7_Click();  // data action, then the compute
    void Command2_Click();  // empties names and amounts
    void Command10_Click(); // menu

    // The amount box of row r (1-4), column c (1-4).
    TextBox &cellBox(int r, int c);

protected:
    void setupUi(QWidget *window) override;

private:
    void showCells();
};

Form11 &form11();

} // namespace hz
