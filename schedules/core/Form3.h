#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/tax_rates.h"
#include "schedules/more/schedule1_interim.h"

#include <array>
#include <cstdint>

namespace hz {

// "別表一": the corporate-tax computation of Schedule 1 with the enterprise-tax, prefectural-tax and
// municipal-tax figures of the company in its code box. Four panels: 法人税 top left, 法人市民税 top right,
// 法人県民税 bottom left, 法人事業税 bottom right.
class Form3 final : public Form {
public:
    Form3();

    // 法人税
    TextBox Text3{this, "Text3"};   // A1 所得金額 1
    TextBox Text4{this, "Text4"};   // A2 法人税額 2
    TextBox Text5{this, "Text5"};   // A3 控除税額 12
    TextBox Text6{this, "Text6"};   // A4 中間法人税額 14
    TextBox Text7{this, "Text7"};   // A5 確定法人税額 15
    TextBox Text21{this, "Text21"}; // A11 欠損金の当期控除額
    TextBox Text2{this, "Text2"};   // A6 800万円以下
    TextBox Text38{this, "Text38"}; // A7 tax on A6
    TextBox Text39{this, "Text39"}; // A8 800万円超
    TextBox Text40{this, "Text40"}; // A9 tax on A8
    TextBox Text22{this, "Text22"}; // A12 繰越欠損金
    Label Label35{this, "Label35"}; // "税率 22%"
    Label Label36{this, "Label36"}; // "税率 30%"

    // 法人事業税
    TextBox Text12{this, "Text12"}; // B1 総額33
    TextBox Text13{this, "Text13"}; // B2 400万円以下34
    TextBox Text14{this, "Text14"}; // B9 rate of 34
    TextBox Text43{this, "Text43"}; // B12 tax of 34
    TextBox Text15{this, "Text15"}; // B3 800万円以下35
    TextBox Text16{this, "Text16"}; // B10 rate of 35
    TextBox Text44{this, "Text44"}; // B13 tax of 35
    TextBox Text17{this, "Text17"}; // B4 800万円超36
    TextBox Text18{this, "Text18"}; // B11 rate of 36
    TextBox Text45{this, "Text45"}; // B14 tax of 36
    TextBox Text19{this, "Text19"}; // B5 計37
    TextBox Text20{this, "Text20"}; // B15 tax total
    TextBox Text23{this, "Text23"}; // B7 中間事業税額43
    TextBox Text24{this, "Text24"}; // B8 申告事業税額47

    // 法人県民税
    TextBox Text11{this, "Text11"}; // C1 法人税額①
    TextBox Text41{this, "Text41"}; // C2 税率(％)
    TextBox Text25{this, "Text25"}; // C3 法人税割額⑧
    TextBox Text26{this, "Text26"}; // C4 控除利子割⑪
    TextBox Text27{this, "Text27"}; // C5 中間納付額⑬
    TextBox Text28{this, "Text28"}; // C6 申告法人税割額⑯
    TextBox Text29{this, "Text29"}; // C7 均等割額⑱
    TextBox Text30{this, "Text30"}; // C8 中間均等割額⑲
    TextBox Text31{this, "Text31"}; // C9 申告均等割額⑳
    TextBox Text10{this, "Text10"}; // C10 申告納付額計23
    TextBox Text8{this, "Text8"};   // C11 利子割還付額

    // 法人市民税
    TextBox Text1{this, "Text1"};   // D1 法人税額①
    TextBox Text42{this, "Text42"}; // D2 税率(％)
    TextBox Text9{this, "Text9"};   // D3 法人税割額⑥
    TextBox Text32{this, "Text32"}; // D4 中間納付額⑪
    TextBox Text33{this, "Text33"}; // D5 申告法人税割額⑬
    TextBox Text34{this, "Text34"}; // D6 均等割額⑮
    TextBox Text35{this, "Text35"}; // D7 中間均等割額⑯
    TextBox Text36{this, "Text36"}; // D8 申告均等割額⑰
    TextBox Text37{this, "Text37"}; // D9 申告納付額計⑳

    TextBox Text46{this, "Text46"};   // caption box "納付税額合計"
    TextBox Text47{this, "Text47"};   // the four amounts payable, summed
    TextBox Text100{this, "Text100"}; // hidden: company code

    Frame Frame1{this, "Frame1"}; // 法人税
    Frame Frame2{this, "Frame2"}; // 法人市民税
    Frame Frame3{this, "Frame3"}; // 法人県民税
    Frame Frame4{this, "Frame4"}; // 法人事業税

    // The captions of the six interim rows; each empties its row's box.
    Button Command1{this, "Command1"}; // 中間法人税額 14 -> Text6
    Button Command2{this, "Command2"}; // 中間事業税額43 -> Text23
    Button Command3{this, "Command3"}; // 中間納付額⑬ -> Text27
    Button Command5{this, "Command5"}; // 中間均等割額⑲ -> Text30
    Button Command6{this, "Command6"}; // 中間納付額⑪ -> Text32
    Button Command7{this, "Command7"}; // 中間均等割額⑯ -> Text35

    Button Command4{this, "Command4"};   // 計算実行
    Button Command8{this, "Command8"};   // DATA
    Button Command9{this, "Command9"};   // 中間申告の入力
    Button Command15{this, "Command15"}; // 税率の設定
    Button Command13{this, "Command13"}; // menu
    Button Command14{this, "Command14"}; // hidden: 赤字申告
    Button Command10{this, "Command10"}; // hidden: 別表７を実行させる

    // Window-level values: kept while the program runs, also when the window is closed.
    std::int32_t companyCode = 0;
    TaxRateTable rates;      // r1 to r9 at r[0] to r[8]
    Schedule1Record working; // the record last loaded or computed
    // The rate table or the record the last data action could not read; a box typed, but the code, gives the record
    // afresh, never the table.
    RecordHold hold{this, Text100};

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click(); // compute
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click(); // data
    void Command9_Click(); // interim amounts window
    void Command10_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();

    // The six interim boxes as the saved records give them (schedule1_interim.h), unless this window shows another
    // company than code; a box holding what the user typed here stays, for the compute to save. Asked by every window
    // whose compute changes what they are worked out from.
    void followInterimFigures(std::int32_t code, const QString &title);

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;

private:
    // Text6, Text27, Text30, Text23, Text32 and Text35: the interim figures in the interim record's order.
    std::array<TextBox *, 6> interimBoxes();
    // What the user typed in those boxes, by figure; nothing where a box holds no typing.
    InterimAmounts typedInterimFigures();
    // Each box the figure the rule gives, or the working record's where it gives none; boxes marked in keep stay.
    void showInterimFigures(const InterimAmounts &figures, const InterimAmounts &keep);
};

Form3 &form3();

} // namespace hz
