#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "別表五（二）の２": the second window of Schedule 5(2) with the enterprise tax (rows 1-3), the other taxes and
// dues charged to expense (rows 4-7) and not (rows 8-11), and the tax provision 納税充当金. Cell k of row r,
// column c (① to ⑥) is 6(r-1)+c; cells 67-70 are the provision.
class Form13 final : public Form {
public:
    Form13();

    TextBox Text19{this, "Text19"}; // company code
    // Transfer boxes: the 計 ⑤ amounts of 法人税, 県民税 and 市民税 that Schedule 5(2) pushes, plain digits.
    TextBox Text14{this, "Text14"};
    TextBox Text81{this, "Text81"};
    TextBox Text82{this, "Text82"};

    Frame Frame1{this, "Frame1"}; // 事業税
    Frame Frame2{this, "Frame2"}; // 損金算入
    Frame Frame3{this, "Frame3"}; // 損金不算入
    Frame Frame4{this, "Frame4"}; // 納税充当金
    Label Label1{this, "Label1"}; // heading of the provision frame

    // Row captions and line numbers.
    TextBox Text26{this, "Text26"}; // 前　期
    TextBox Text7{this, "Text7"};   // 18
    TextBox Text38{this, "Text38"}; // 中　間
    TextBox Text2{this, "Text2"};   // 19
    TextBox Text36{this, "Text36"}; // 計
    TextBox Text30{this, "Text30"}; // 20
    TextBox Text20{this, "Text20"}; // 利子税
    TextBox Text8{this, "Text8"};   // 延滞金
    TextBox Text44{this, "Text44"}; // 加算金等
    TextBox Text52{this, "Text52"}; // 延滞税
    // The four row names the user gives (rows 6, 7, 10 and 11).
    TextBox Text46{this, "Text46"};
    TextBox Text54{this, "Text54"};
    TextBox Text60{this, "Text60"};
    TextBox Text92{this, "Text92"};

    // Grid, row by row, ① to ⑥.
    TextBox Text25{this, "Text25"}, Text24{this, "Text24"}, Text23{this, "Text23"}, Text22{this, "Text22"},
        Text21{this, "Text21"}, Text27{this, "Text27"}; // row 1 事業税 前期
    TextBox Text18{this, "Text18"}, Text17{this, "Text17"}, Text16{this, "Text16"}, Text15{this, "Text15"},
        Text28{this, "Text28"}; // row 2 事業税 中間 (no ①)
    TextBox Text13{this, "Text13"}, Text12{this, "Text12"}, Text11{this, "Text11"}, Text10{this, "Text10"},
        Text9{this, "Text9"}, Text29{this, "Text29"}; // row 3 事業税 計
    TextBox Text63{this, "Text63"}, Text64{this, "Text64"}, Text65{this, "Text65"}, Text66{this, "Text66"},
        Text67{this, "Text67"}, Text3{this, "Text3"}; // row 4 利子税
    TextBox Text69{this, "Text69"}, Text70{this, "Text70"}, Text71{this, "Text71"}, Text72{this, "Text72"},
        Text73{this, "Text73"}, Text4{this, "Text4"}; // row 5 延滞金
    TextBox Text75{this, "Text75"}, Text76{this, "Text76"}, Text77{this, "Text77"}, Text78{this, "Text78"},
        Text79{this, "Text79"}, Text5{this, "Text5"}; // row 6 name 1
    TextBox Text35{this, "Text35"}, Text34{this, "Text34"}, Text33{this, "Text33"}, Text32{this, "Text32"},
        Text31{this, "Text31"}, Text37{this, "Text37"}; // row 7 name 2
    TextBox Text43{this, "Text43"}, Text42{this, "Text42"}, Text41{this, "Text41"}, Text40{this, "Text40"},
        Text39{this, "Text39"}, Text45{this, "Text45"}; // row 8 加算金等
    TextBox Text51{this, "Text51"}, Text50{this, "Text50"}, Text49{this, "Text49"}, Text48{this, "Text48"},
        Text47{this, "Text47"}, Text53{this, "Text53"}; // row 9 延滞税
    TextBox Text59{this, "Text59"}, Text58{this, "Text58"}, Text57{this, "Text57"}, Text56{this, "Text56"},
        Text55{this, "Text55"}, Text61{this, "Text61"}; // row 10 name 3 (② and ⑤ from Schedule 6)
    TextBox Text91{this, "Text91"}, Text90{this, "Text90"}, Text89{this, "Text89"}, Text88{this, "Text88"},
        Text87{this, "Text87"}, Text93{this, "Text93"}; // row 11 name 4

    // Tax provision: 期首, 損金算入, 法人等取崩 (shown only), the draw-down Schedule 5(2) pushes, 期末.
    TextBox Text83{this, "Text83"};
    TextBox Text84{this, "Text84"};
    TextBox Text62{this, "Text62"};
    TextBox Text85{this, "Text85"};
    TextBox Text6{this, "Text6"};

    // Column buttons: 事業税 Command1-6; 損金算入 Command7, 9, 11, 13, 15, 17; 損金不算入 Command8, 10, ... 18.
    Button Command1{this, "Command1"}, Command2{this, "Command2"}, Command3{this, "Command3"},
        Command4{this, "Command4"}, Command5{this, "Command5"}, Command6{this, "Command6"};
    Button Command7{this, "Command7"}, Command9{this, "Command9"}, Command11{this, "Command11"},
        Command13{this, "Command13"}, Command15{this, "Command15"}, Command17{this, "Command17"};
    Button Command8{this, "Command8"}, Command10{this, "Command10"}, Command12{this, "Command12"},
        Command14{this, "Command14"}, Command16{this, "Command16"}, Command18{this, "Command18"};

    Button Command19{this, "Command19"}; // DATA
    Button Command20{this, "Command20"}; // 計算実行
    Button Command21{this, "Command21"}; // 租税公課の合計額 (shows the total once computed)
    Button Command22{this, "Command22"}; // menu

    // Window-level values, kept while the program runs, also when the window is closed.
    // [1]-[70] the record's cells; [71]-[73] and [76] the working cells of the total.
    std::array<std::int32_t, 78> part2Values{};
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text19};
    std::array<QString, 4> rowNames{};

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Command18_Click();
    void Command19_Click(); // DATA
    void Command20_Click(); // compute
    void Command21_Click(); // taxes-and-dues total
    void Command22_Click(); // menu

    // The box of cell k (1-70), nullptr for cell 7, which has none.
    TextBox *cellBox(int cell);
    // The name box of row name i (0-3).
    TextBox &nameBox(int i);

protected:
    void setupUi(QWidget *window) override;

private:
    std::array<TextBox *, 94> textBoxes_{}; // Text<n> by n
    TextBox &box(int n) { return *textBoxes_[n]; }
};

Form13 &form13();

} // namespace hz
