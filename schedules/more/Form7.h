#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "別表五（二）": the taxes and dues statement for the corporate tax and the prefectural and municipal
// inhabitant taxes, 13 rows by the six columns ① 期首未納額, ② 当期発生額, ③ 充当金崩し, ④ 仮払経理,
// ⑤ 損金経理, ⑥ 期末未納額. Cell k of row r, column c is 6(r-1)+c; 19 cells have no box.
class Form7 final : public Form {
public:
    Form7();

    TextBox Text1{this, "Text1"};   // company code
    TextBox Text12{this, "Text12"}; // annual municipal per-capita levy, from Schedule 1, plain digits; carried only
                                    // (the interim split takes the levies from Schedule 1's record)

    Frame Frame1{this, "Frame1"}; // 法人税
    Frame Frame2{this, "Frame2"}; // 法人県民税
    Frame Frame3{this, "Frame3"}; // 法人市民税

    // 法人税: 前期, 中間, 確定, 計 (cells 1-24).
    TextBox Text11{this, "Text11"}, Text13{this, "Text13"}, Text14{this, "Text14"}, Text15{this, "Text15"},
        Text9{this, "Text9"};
    TextBox Text18{this, "Text18"}, Text19{this, "Text19"}, Text20{this, "Text20"}, Text21{this, "Text21"},
        Text8{this, "Text8"};
    TextBox Text24{this, "Text24"}, Text7{this, "Text7"};
    TextBox Text29{this, "Text29"}, Text30{this, "Text30"}, Text31{this, "Text31"}, Text32{this, "Text32"},
        Text33{this, "Text33"}, Text2{this, "Text2"};
    // 法人県民税: 前期, 利子割, 中間, 確定, 計 (cells 25-54).
    TextBox Text43{this, "Text43"}, Text45{this, "Text45"}, Text46{this, "Text46"}, Text47{this, "Text47"},
        Text41{this, "Text41"};
    TextBox Text50{this, "Text50"}, Text51{this, "Text51"}, Text52{this, "Text52"}, Text53{this, "Text53"},
        Text40{this, "Text40"};
    TextBox Text56{this, "Text56"}, Text57{this, "Text57"}, Text58{this, "Text58"}, Text59{this, "Text59"},
        Text39{this, "Text39"};
    TextBox Text86{this, "Text86"}, Text38{this, "Text38"};
    TextBox Text100{this, "Text100"}, Text101{this, "Text101"}, Text102{this, "Text102"}, Text103{this, "Text103"},
        Text104{this, "Text104"}, Text94{this, "Text94"};
    // 法人市民税: 前期, 中間, 確定, 計 (cells 55-78).
    TextBox Text63{this, "Text63"}, Text65{this, "Text65"}, Text66{this, "Text66"}, Text67{this, "Text67"},
        Text3{this, "Text3"};
    TextBox Text70{this, "Text70"}, Text71{this, "Text71"}, Text72{this, "Text72"}, Text73{this, "Text73"},
        Text4{this, "Text4"};
    TextBox Text76{this, "Text76"}, Text5{this, "Text5"};
    TextBox Text81{this, "Text81"}, Text82{this, "Text82"}, Text83{this, "Text83"}, Text84{this, "Text84"},
        Text85{this, "Text85"}, Text6{this, "Text6"};

    // Column buttons: 法人税 Command1-6, 法人県民税 Command7-12, 法人市民税 Command13-18 (① to ⑥).
    Button Command1{this, "Command1"}, Command2{this, "Command2"}, Command3{this, "Command3"},
        Command4{this, "Command4"}, Command5{this, "Command5"}, Command6{this, "Command6"};
    Button Command7{this, "Command7"}, Command8{this, "Command8"}, Command9{this, "Command9"},
        Command10{this, "Command10"}, Command11{this, "Command11"}, Command12{this, "Command12"};
    Button Command13{this, "Command13"}, Command14{this, "Command14"}, Command15{this, "Command15"},
        Command16{this, "Command16"}, Command17{this, "Command17"}, Command18{this, "Command18"};

    Button Command19{this, "Command19"}; // 計算実行
    Button Command20{this, "Command20"}; // DATA
    Button Command21{this, "Command21"}; // menu
    Button Command22{this, "Command22"}; // ７万円
    Button Command23{this, "Command23"}; // １８万円

    // Window-level values, kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    // The rate table or the record the last data action could not read; a box typed, but the code, gives the record
    // afresh, never the table.
    RecordHold hold{this, Text1};
    std::array<std::int32_t, 78> cells{}; // cell k at [k-1]
    std::int32_t reversalTotal = 0;       // 計 ③ of the three taxes, pushed, never saved

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
    void Command19_Click(); // compute
    void Command20_Click(); // data action
    void Command21_Click(); // menu
    void Command22_Click(); // ７万円
    void Command23_Click(); // １８万円

    // The box of cell k (1-78), nullptr for the cells without one.
    TextBox *cellBox(int cell);

protected:
    void setupUi(QWidget *window) override;

private:
    std::array<TextBox *, 79> cellBoxes_{}; // by cell number
};

Form7 &form7();

} // namespace hz
