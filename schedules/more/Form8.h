#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>
#include <cstdint>

namespace hz {

// "別表六": one window for three supplementary schedules side by side: 別表六 (income-tax credit, top),
// 別表七 (loss carry-forward, lower left) and 別表十五 (entertainment expenses, lower right).
class Form8 final : public Form {
public:
    Form8();

    TextBox Text1{this, "Text1"}; // hidden: company code

    // ---- 別表六 ----
    Frame Frame1{this, "Frame1"}; // 別表六
    Frame Frame2{this, "Frame2"}; // 利益の配当等
    // Summary grid: 収入金額, 所得税額, 控除所得税額 of 預貯金の利子, 利益の配当 and 計.
    TextBox Text2{this, "Text2"};   // 1 interest received (input)
    TextBox Text3{this, "Text3"};   // 2 its withheld tax (input)
    TextBox Text4{this, "Text4"};   // 3 its credit
    TextBox Text5{this, "Text5"};   // 4 dividends received
    TextBox Text6{this, "Text6"};   // 5 dividend credit of both issues
    TextBox Text7{this, "Text7"};   // 6 = 5
    TextBox Text8{this, "Text8"};   // 7 total received
    TextBox Text9{this, "Text9"};   // 8 total tax
    TextBox Text10{this, "Text10"}; // 9 total credit
    // Issue rows: name, 収入金額, 所得税額, 基礎期間, 所有期間, 割合, 控除所得税.
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
    Label Label1{this, "Label1"};      // 収入金額
    Label Label2{this, "Label2"};      // 所得税額
    Label Label3{this, "Label3"};      // 控除所得税額
    Label Label4{this, "Label4"};      // 預貯金の利子
    Label Label5{this, "Label5"};      // 利益の配当
    Label Label10{this, "Label10"};    // 計
    Label Label11{this, "Label11"};    // header of the issue rows
    Button Command7{this, "Command7"}; // クリア
    Button Command9{this, "Command9"}; // DATA
    Button Command1{this, "Command1"}; // 計算実行

    // ---- 別表七 ----
    Frame Frame3{this, "Frame3"};   // 別表七
    Label Label12{this, "Label12"}; // 青色欠損金のみを対象
    Label Label13{this, "Label13"}; // 翌期繰越
    // Row captions, oldest first: 7th to 1st year before the period.
    Label Label21{this, "Label21"};
    Label Label20{this, "Label20"};
    Label Label6{this, "Label6"};
    Label Label22{this, "Label22"};
    Label Label7{this, "Label7"};
    Label Label8{this, "Label8"};
    Label Label9{this, "Label9"};
    Label Label14{this, "Label14"}; // 計
    Label Label15{this, "Label15"}; // 当期欠損金額
    Label Label16{this, "Label16"}; // 合計
    // 控除未済, 当期控除, 翌期繰越 per row (7th year: no carried box).
    TextBox Text53{this, "Text53"}, Text55{this, "Text55"};
    TextBox Text52{this, "Text52"}, Text54{this, "Text54"}, Text57{this, "Text57"};
    TextBox Text50{this, "Text50"}, Text25{this, "Text25"}, Text56{this, "Text56"};
    TextBox Text26{this, "Text26"}, Text27{this, "Text27"}, Text28{this, "Text28"};
    TextBox Text29{this, "Text29"}, Text30{this, "Text30"}, Text31{this, "Text31"};
    TextBox Text32{this, "Text32"}, Text33{this, "Text33"}, Text34{this, "Text34"};
    TextBox Text35{this, "Text35"}, Text36{this, "Text36"}, Text37{this, "Text37"};
    TextBox Text38{this, "Text38"}, Text39{this, "Text39"}, Text40{this, "Text40"}; // totals
    TextBox Text41{this, "Text41"};                                                 // this year's loss
    TextBox Text42{this, "Text42"};      // grand total carried into the next year
    TextBox Text96{this, "Text96"};      // hidden: the current income, from Schedule 4
    TextBox Text58{this, "Text58"};      // hidden: presses of 表示切替
    Button Command4{this, "Command4"};   // 控除未済 (empties the outstanding column)
    Button Command5{this, "Command5"};   // 当期控除 (empties the deducted column)
    Button Command13{this, "Command13"}; // 表示切替
    Button Command10{this, "Command10"}; // DATA
    Button Command2{this, "Command2"};   // 計算実行

    // ---- 別表十五 ----
    Frame Frame4{this, "Frame4"};          // 別表十五
    Frame Frame5{this, "Frame5"};          // 否認率
    Label Label17{this, "Label17"};        // 支出交際費等の額
    Label Label18{this, "Label18"};        // 損金算入限度額
    Label Label19{this, "Label19"};        // 損金不算入額
    Label Label23{this, "Label23"};        // 支出交際費等の額の明細
    Label Label24{this, "Label24"};        // 支出額
    Label Label25{this, "Label25"};        // 交際費等の額から控除される費用
    Label Label26{this, "Label26"};        // 差引交際費等の額
    TextBox Text49{this, "Text49"};        // 1 entertainment expenses
    TextBox Text43{this, "Text43"};        // 2 fixed deduction limit
    TextBox Text44{this, "Text44"};        // 3 deductible limit
    TextBox Text45{this, "Text45"};        // 4 non-deductible amount
    TextBox Text46{this, "Text46"};        // 5 expenditure
    TextBox Text47{this, "Text47"};        // 6 costs deducted from it
    TextBox Text48{this, "Text48"};        // 7 net entertainment expenses
    OptionButton Option1{this, "Option1"}; // 10%否認
    OptionButton Option2{this, "Option2"}; // 20％否認
    Button Command6{this, "Command6"};     // 定額控除限度額
    Button Command8{this, "Command8"};     // クリア
    Button Command11{this, "Command11"};   // DATA
    Button Command3{this, "Command3"};     // 計算実行

    Button Command12{this, "Command12"}; // menu

    // Window-level values, kept while the program runs, also when the window is closed.
    std::array<std::int32_t, 22> schedule6Values{}; // items 1-21 at their own index
    std::array<QString, 2> issueNames{};            // names of issue rows 1 and 2
    std::array<std::int32_t, 38> schedule7Values{}; // items 0-37 at their own index
    std::array<std::int32_t, 8> schedule15Values{}; // items 1-7 at their own index
    // The record each panel's last data action could not read; a box typed in the panel gives it afresh.
    RecordHold schedule6Hold{this, Text1, &Frame1};
    RecordHold schedule7Hold{this, Text1, &Frame3};
    RecordHold schedule15Hold{this, Text1, &Frame4};

    // 別表六
    void Command1_Click(); // compute
    void Command9_Click(); // data
    void Command7_Click(); // clear
    // 別表七
    void Command2_Click();  // compute
    void Command10_Click(); // data
    void Command13_Click(); // 表示切替
    void Command4_Click();
    void Command5_Click();
    // 別表十五
    void Command3_Click();  // compute
    void Command11_Click(); // data
    void Command6_Click();  // 定額控除限度額
    void Command8_Click();  // clear
    void Command12_Click(); // menu

    // The amount box of an item of each panel.
    TextBox &schedule6Box(int item);
    TextBox &schedule7Box(int item);
    TextBox &schedule15Box(int item);

protected:
    void setupUi(QWidget *window) override;

private:
    void emptySchedule6Amounts();
    void emptySchedule7Boxes();
    void emptySchedule15Boxes();
    // 10%否認 or 20％否認 by the period start of the company profile.
    void setRateOptions(std::int32_t periodStartYear, std::int32_t periodStartMonth);
};

Form8 &form8();

} // namespace hz
