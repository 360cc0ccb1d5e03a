#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"
#include "schedules/more/bad_debt.h"

#include <array>
#include <cstdint>

namespace hz {

// "貸倒引当金（一括評価金銭債権の明細外）": the statement of receivables valued as a whole, six accounts by the
// columns 18-24 with their totals, and lines 25-28 of the base-year method below. The button
// "貸倒引当金の限度額の計算" switches back to the reserve limit (Form15).
class Form16 final : public Form {
public:
    Form16();

    TextBox Text100{this, "Text100"}; // company code

    TextBox Text72{this, "Text72"}; // heading 一　括　評　価　金　銭　債　権　の　明　細
    TextBox Text49{this, "Text49"}; // 計

    // Column captions (勘定科目, then columns 18-24) and the line numbers of columns 18-24.
    TextBox Text56{this, "Text56"};
    TextBox Text57{this, "Text57"};
    TextBox Text58{this, "Text58"};
    TextBox Text59{this, "Text59"};
    TextBox Text60{this, "Text60"};
    TextBox Text61{this, "Text61"};
    TextBox Text62{this, "Text62"};
    TextBox Text63{this, "Text63"};
    TextBox Text50{this, "Text50"};
    TextBox Text51{this, "Text51"};
    TextBox Text52{this, "Text52"};
    TextBox Text53{this, "Text53"};
    TextBox Text54{this, "Text54"};
    TextBox Text55{this, "Text55"};
    TextBox Text64{this, "Text64"};

    // Account names 1-6.
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    TextBox Text3{this, "Text3"};
    TextBox Text4{this, "Text4"};
    TextBox Text5{this, "Text5"};
    TextBox Text6{this, "Text6"};
    // Column 18: accounts 1-6, total.
    TextBox Text7{this, "Text7"};
    TextBox Text8{this, "Text8"};
    TextBox Text9{this, "Text9"};
    TextBox Text10{this, "Text10"};
    TextBox Text11{this, "Text11"};
    TextBox Text12{this, "Text12"};
    TextBox Text13{this, "Text13"};
    // Column 19.
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    TextBox Text20{this, "Text20"};
    // Column 20.
    TextBox Text21{this, "Text21"};
    TextBox Text22{this, "Text22"};
    TextBox Text23{this, "Text23"};
    TextBox Text24{this, "Text24"};
    TextBox Text25{this, "Text25"};
    TextBox Text26{this, "Text26"};
    TextBox Text27{this, "Text27"};
    // Column 21.
    TextBox Text28{this, "Text28"};
    TextBox Text29{this, "Text29"};
    TextBox Text30{this, "Text30"};
    TextBox Text31{this, "Text31"};
    TextBox Text32{this, "Text32"};
    TextBox Text33{this, "Text33"};
    TextBox Text34{this, "Text34"};
    // Column 22 (computed).
    TextBox Text35{this, "Text35"};
    TextBox Text36{this, "Text36"};
    TextBox Text37{this, "Text37"};
    TextBox Text38{this, "Text38"};
    TextBox Text39{this, "Text39"};
    TextBox Text40{this, "Text40"};
    TextBox Text41{this, "Text41"};
    // Column 23.
    TextBox Text42{this, "Text42"};
    TextBox Text43{this, "Text43"};
    TextBox Text44{this, "Text44"};
    TextBox Text45{this, "Text45"};
    TextBox Text46{this, "Text46"};
    TextBox Text47{this, "Text47"};
    TextBox Text48{this, "Text48"};
    // Column 24 (computed).
    TextBox Text65{this, "Text65"};
    TextBox Text66{this, "Text66"};
    TextBox Text67{this, "Text67"};
    TextBox Text68{this, "Text68"};
    TextBox Text69{this, "Text69"};
    TextBox Text70{this, "Text70"};
    TextBox Text71{this, "Text71"};

    // Lines 25-28: heading, then caption, line number and amount of each line.
    TextBox Text73{this, "Text73"};
    TextBox Text75{this, "Text75"};
    TextBox Text74{this, "Text74"};
    TextBox Text76{this, "Text76"};
    TextBox Text78{this, "Text78"};
    TextBox Text77{this, "Text77"};
    TextBox Text79{this, "Text79"};
    TextBox Text81{this, "Text81"};
    TextBox Text80{this, "Text80"};
    TextBox Text82{this, "Text82"};
    TextBox Text84{this, "Text84"};
    TextBox Text83{this, "Text83"};
    TextBox Text85{this, "Text85"};

    Button Command4{this, "Command4"}; // 貸倒引当金の限度額の計算
    Button Command3{this, "Command3"}; // クリア
    Button Command2{this, "Command2"}; // DATA
    Button Command1{this, "Command1"}; // 計算実行

    // Window-level values, kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    // The record the last data action could not read; a box typed, but the code, gives it afresh.
    RecordHold hold{this, Text100};
    DetailCells detailCells{};
    AccountNames accountNames;

    void Command1_Click(); // compute and save
    void Command2_Click(); // DATA
    void Command3_Click(); // クリア
    void Command4_Click(); // switch back to the reserve limit

    // The box of cell D n (1-53), and the name box of account r (1-6).
    TextBox &cellBox(int n);
    TextBox &nameBox(int account);

protected:
    void setupUi(QWidget *window) override;

private:
    std::array<TextBox *, 54> cellBoxes_{}; // [n] for D n
};

Form16 &form16();

} // namespace hz
