#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "中間申告額の入力": the six interim tax payments of one company, saved in its interim record and pushed into
// the interim boxes of Schedule 1.
class Form20 final : public Form {
public:
    Form20();

    Label Label1{this, "Label1"}; // the note

    // Caption boxes (fixed texts) and amount boxes, top to bottom.
    TextBox Text9{this, "Text9"};   // 法人税
    TextBox Text1{this, "Text1"};   // amount 1
    TextBox Text10{this, "Text10"}; // 法人県民税
    TextBox Text2{this, "Text2"};   // amount 2
    TextBox Text11{this, "Text11"}; // 法人県民税・均等割
    TextBox Text3{this, "Text3"};   // amount 3
    TextBox Text14{this, "Text14"}; // 事業税
    TextBox Text4{this, "Text4"};   // amount 4
    TextBox Text12{this, "Text12"}; // 法人市民税
    TextBox Text5{this, "Text5"};   // amount 5
    TextBox Text13{this, "Text13"}; // 法人市民税・均等割
    TextBox Text6{this, "Text6"};   // amount 6

    TextBox Text15{this, "Text15"};   // hidden: company code
    TextBox Text100{this, "Text100"}; // hidden, unused
    TextBox Text101{this, "Text101"}; // hidden, unused

    Button Command1{this, "Command1"}; // 計算実行
    Button Command2{this, "Command2"}; // DATA
    Button Command3{this, "Command3"}; // クリア
    Button Command4{this, "Command4"}; // この画面の消去
    Button Command5{this, "Command5"}; // 均等割７万円
    Button Command6{this, "Command6"}; // 均等割１８万円

    // Window-level values: kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    // The record the last data action could not read; an amount typed or a preset gives it afresh, and the
    // window's own save releases it.
    RecordHold hold{{&Text1, &Text2, &Text3, &Text4, &Text5, &Text6}, RecordHold::Afresh::anyBox};
    std::array<std::int32_t, 6> amounts{}; // amounts 1 to 6 at [0] to [5]

    void Command1_Click(); // compute: push, save, show
    void Command2_Click(); // data action
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    // Enter (13) moves the focus on to the next control; any other key does nothing.
    void ReturnNext(int &keyAscii);
    // Another window saved entries into the interim record of code: where this window shows that company, each box
    // not holding what the user typed shows the saved amount.
    void followSavedAmounts(std::int32_t code);

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;

private:
    // Text1 to Text6: amounts 1 to 6.
    std::array<TextBox *, 6> amountBoxes();
    void showAmounts();
};

Form20 &form20();

} // namespace hz
