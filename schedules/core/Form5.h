#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"
#include "schedules/core/schedule4.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace hz {

// " 別表四": the income computation of one company in the simplified layout, twenty lines with the columns
// 総額, 留保, 社外流出 and ※. Other schedules push their figures into its boxes and press its compute.
class Form5 final : public Form {
public:
    Form5();

    // Header row: caption box, empty line-number box, the column buttons.
    TextBox Text80{this, "Text80"};    // "区　　分"
    TextBox Text99{this, "Text99"};    // empty line number
    Button Command1{this, "Command1"}; // "総   額": empties Text5
    Button Command2{this, "Command2"}; // "留   保": empties Text4
    Button Command3{this, "Command3"}; // "社外流出": does nothing
    // "社外流出※" over the ※ column, above line 16 ([0]) and above line 35 ([1]); they do nothing.
    Button Command5[2]{{this, "Command5_0"}, {this, "Command5_1"}};

    // Line-number boxes, top to bottom.
    TextBox Text2{this, "Text2"};     // 1
    TextBox Text7{this, "Text7"};     // 2
    TextBox Text12{this, "Text12"};   // 3
    TextBox Text17{this, "Text17"};   // 4
    TextBox Text22{this, "Text22"};   // 5
    TextBox Text27{this, "Text27"};   // 6
    TextBox Text32{this, "Text32"};   // 8
    TextBox Text37{this, "Text37"};   // 9
    TextBox Text42{this, "Text42"};   // 10
    TextBox Text47{this, "Text47"};   // 11
    TextBox Text52{this, "Text52"};   // 13
    TextBox Text106{this, "Text106"}; // 16
    TextBox Text57{this, "Text57"};   // 17
    TextBox Text62{this, "Text62"};   // 18
    TextBox Text67{this, "Text67"};   // 21
    TextBox Text72{this, "Text72"};   // 22
    TextBox Text86{this, "Text86"};   // 26
    TextBox Text77{this, "Text77"};   // 35
    TextBox Text91{this, "Text91"};   // 36
    TextBox Text1{this, "Text1"};     // 38

    // Caption boxes; Text41, Text46, Text66 and Text95 hold the names the user gives lines 9, 10, 17 and 18.
    TextBox Text6{this, "Text6"};     // 当期利益
    TextBox Text11{this, "Text11"};   // 損金計上法人税
    TextBox Text16{this, "Text16"};   // 損金計上住民税
    TextBox Text21{this, "Text21"};   // 損金計上利子割
    TextBox Text26{this, "Text26"};   // 損金計上納税充当金
    TextBox Text31{this, "Text31"};   // 損金計上附帯税
    TextBox Text36{this, "Text36"};   // 交際費等の不算入額
    TextBox Text41{this, "Text41"};   // free name of line 9
    TextBox Text46{this, "Text46"};   // free name of line 10
    TextBox Text51{this, "Text51"};   // 小計
    TextBox Text56{this, "Text56"};   // 支出事業税等
    TextBox Text61{this, "Text61"};   // 所得税等の繰戻
    TextBox Text66{this, "Text66"};   // free name of line 17
    TextBox Text95{this, "Text95"};   // free name of line 18
    TextBox Text71{this, "Text71"};   // 小計
    TextBox Text76{this, "Text76"};   // 仮計
    TextBox Text85{this, "Text85"};   // 控除所得税額
    TextBox Text90{this, "Text90"};   // 合計・総計・差引計
    TextBox Text109{this, "Text109"}; // 欠損気金の繰戻
    TextBox Text23{this, "Text23"};   // 所得金額

    // Amount boxes, line by line, in the columns 総額, 留保, 社外流出 and ※ that the line has.
    // line 1: cells 1, 2, 3
    TextBox Text5{this, "Text5"}, Text4{this, "Text4"}, Text3{this, "Text3"};
    // line 2: cells 4, 5
    TextBox Text10{this, "Text10"}, Text9{this, "Text9"};
    // line 3: cells 6, 7
    TextBox Text15{this, "Text15"}, Text14{this, "Text14"};
    // line 4: cells 8, 9
    TextBox Text20{this, "Text20"}, Text19{this, "Text19"};
    // line 5: cells 10, 11
    TextBox Text25{this, "Text25"}, Text24{this, "Text24"};
    // line 6: cells 12, 14
    TextBox Text30{this, "Text30"}, Text28{this, "Text28"};
    // line 8: cells 15, 16
    TextBox Text35{this, "Text35"}, Text33{this, "Text33"};
    // line 9: cells 17, 18, 19
    TextBox Text40{this, "Text40"}, Text39{this, "Text39"}, Text38{this, "Text38"};
    // line 10: cells 20, 21, 22
    TextBox Text45{this, "Text45"}, Text44{this, "Text44"}, Text43{this, "Text43"};
    // line 11: cells 23, 24, 25
    TextBox Text50{this, "Text50"}, Text49{this, "Text49"}, Text48{this, "Text48"};
    // line 13: cells 26, 27
    TextBox Text55{this, "Text55"}, Text54{this, "Text54"};
    // line 16: cells 28, ※ 30
    TextBox Text60{this, "Text60"}, Text58{this, "Text58"};
    // line 17: cells 31, 32, 33
    TextBox Text65{this, "Text65"}, Text64{this, "Text64"}, Text63{this, "Text63"};
    // line 18: cells 45, 46, 47
    TextBox Text94{this, "Text94"}, Text93{this, "Text93"}, Text92{this, "Text92"};
    // line 21: cells 34, 35, 36, ※ 50
    TextBox Text70{this, "Text70"}, Text69{this, "Text69"}, Text68{this, "Text68"}, Text34{this, "Text34"};
    // line 22: cells 37, 38, 39, ※ 51
    TextBox Text75{this, "Text75"}, Text74{this, "Text74"}, Text73{this, "Text73"}, Text59{this, "Text59"};
    // line 26: cells 40, 41
    TextBox Text84{this, "Text84"}, Text78{this, "Text78"};
    // line 35: cells 42, 43, 44, ※ 55
    TextBox Text89{this, "Text89"}, Text88{this, "Text88"}, Text87{this, "Text87"}, Text29{this, "Text29"};
    // line 36: cells 48, ※ 49
    TextBox Text110{this, "Text110"}, Text112{this, "Text112"};
    // line 38: cells 52, 53, 54, ※ 56
    TextBox Text18{this, "Text18"}, Text13{this, "Text13"}, Text8{this, "Text8"}, Text53{this, "Text53"};

    TextBox Text100{this, "Text100"}; // company code
    TextBox Text79{this, "Text79"};   // loss available for deduction, from Schedule 7 (cell 57)
    // Totals of Schedule 5(1) for the check "別四と別五の関係" (cells 58, 59, 60, 61).
    TextBox Text81{this, "Text81"};
    TextBox Text82{this, "Text82"};
    TextBox Text83{this, "Text83"};
    TextBox Text96{this, "Text96"};

    Label Label1{this, "Label1"}, Label2{this, "Label2"}, Label3{this, "Label3"}, Label4{this, "Label4"}; // "→"
    // "再計算" beside lines 9, 10, 17 and 18 when 留保 + 社外流出 differs from 総額.
    Label Label5{this, "Label5"}, Label6{this, "Label6"}, Label7{this, "Label7"}, Label8{this, "Label8"};

    Button Command10{this, "Command10"}; // "menu"
    Button Command6{this, "Command6"};   // "クリア"
    Button Command7{this, "Command7"};   // "DATA"
    Button Command8{this, "Command8"};   // "別四と別五の関係"
    Button Command4{this, "Command4"};   // "計 算 実 行"

    // Window-level values: kept while the program runs, also when the window is closed.
    IncomeCells incomeCells{};
    IncomeRowNames incomeRowNames;
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text100};

    void Command1_Click();
    void Command2_Click();
    void Command4_Click();  // compute
    void Command6_Click();  // クリア
    void Command7_Click();  // DATA
    void Command8_Click();  // 別四と別五の関係
    void Command10_Click(); // menu

protected:
    void setupUi(QWidget *window) override;

private:
    std::vector<std::pair<int, TextBox *>> gridBoxes();
    std::array<TextBox *, 4> nameBoxes();
    std::array<std::pair<int, TextBox *>, 4> reconciliationBoxes();
    void emptyAmountBoxes();
};

Form5 &form5();

} // namespace hz
