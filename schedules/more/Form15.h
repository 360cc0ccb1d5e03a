#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"
#include "schedules/more/bad_debt.h"

#include <array>
#include <cstdint>

namespace hz {

// "貸倒引当金": the limit of the bad-debt reserve (別表十一（一の二）), lines 1-8 by the simple method on the left
// and lines 9-17, the historical bad-debt rate, on the right. Lines 2 and 4 come from the statement of
// receivables (Form16), which the button "一括評価金銭債権の明細" switches to.
class Form15 final : public Form {
public:
    Form15();

    TextBox Text100{this, "Text100"}; // company code

    Label Label1{this, "Label1"}; // heading 簡　　　便　　　法
    Label Label2{this, "Label2"}; // heading 実 績 に よ る 計 算

    // Amount boxes of lines 1-17 (Text5 is the rate).
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    TextBox Text3{this, "Text3"};
    TextBox Text4{this, "Text4"};
    TextBox Text5{this, "Text5"};
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

    // Caption boxes: lines 9-17, then lines 1-4 and 6-8.
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    TextBox Text20{this, "Text20"};
    TextBox Text21{this, "Text21"};
    TextBox Text22{this, "Text22"};
    TextBox Text23{this, "Text23"};
    TextBox Text24{this, "Text24"};
    TextBox Text25{this, "Text25"};
    TextBox Text26{this, "Text26"};
    TextBox Text33{this, "Text33"};
    TextBox Text35{this, "Text35"};
    TextBox Text37{this, "Text37"};
    TextBox Text39{this, "Text39"};
    TextBox Text43{this, "Text43"};
    TextBox Text45{this, "Text45"};
    TextBox Text47{this, "Text47"};
    TextBox Text49{this, "Text49"}; // " /1000" after the rate

    // Line numbers "1"-"8" and "9"-"17".
    TextBox Text34{this, "Text34"};
    TextBox Text36{this, "Text36"};
    TextBox Text38{this, "Text38"};
    TextBox Text40{this, "Text40"};
    TextBox Text42{this, "Text42"};
    TextBox Text44{this, "Text44"};
    TextBox Text46{this, "Text46"};
    TextBox Text48{this, "Text48"};
    TextBox Text53{this, "Text53"};
    TextBox Text52{this, "Text52"};
    TextBox Text51{this, "Text51"};
    TextBox Text50{this, "Text50"};
    TextBox Text57{this, "Text57"};
    TextBox Text56{this, "Text56"};
    TextBox Text55{this, "Text55"};
    TextBox Text54{this, "Text54"};
    TextBox Text58{this, "Text58"};

    Frame Frame1{this, "Frame1"}; // 法定繰入率
    OptionButton Option1{this, "Option1"};
    OptionButton Option2{this, "Option2"};
    OptionButton Option3{this, "Option3"};
    OptionButton Option4{this, "Option4"};
    OptionButton Option5{this, "Option5"};

    Button Command4{this, "Command4"}; // 一括評価金銭債権の明細
    Button Command3{this, "Command3"}; // クリア
    Button Command2{this, "Command2"}; // DATA
    Button Command1{this, "Command1"}; // 計算実行

    // Window-level values, kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text100};
    ReserveLines reserveValues{};      // L1-L17; L5 is the statutory rate
    Schedule11DetailRecord detailCopy; // the statement as DATA last read it

    void Command1_Click(); // compute and save
    void Command2_Click(); // DATA
    void Command3_Click(); // クリア
    void Command4_Click(); // switch to the statement of receivables
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();

    // The amount box of line n (1-17) and the option of rate index i (0-4, as statutoryRates).
    TextBox &lineBox(int n);
    OptionButton &option(int i);

protected:
    void setupUi(QWidget *window) override;

private:
    void chooseRate(int optionIndex);
    // The rate of the selected option; the first one's when none is selected.
    std::int32_t selectedRate();
    void emptyLineBoxes();
};

Form15 &form15();

// The switch between the two bad-debt windows: hands the company code over, unloads the window left (it starts
// afresh behind the other), shows the other and presses its DATA. A code that is not a number changes nothing.
void switchBadDebtWindow(Form &from, const TextBox &fromCode, Form &to, TextBox &toCode, Button &toData);

} // namespace hz
