#pragma once

#include "platform/controls.h"
#include "schedules/more/bulk_input.h"

#include <array>
#include <cstdint>

namespace hz {

// "一括入力": the 23 key figures of a company's year on one screen, with the two preset choices, pushed into
// the schedule windows and recomputed in one action. The figures are numbered 1-23 by bulkFigureBox(); the
// screen order differs.
class Form14 final : public Form {
public:
    Form14();

    TextBox Text1{this, "Text1"};     // company code (hidden)
    TextBox Text100{this, "Text100"}; // company name, names the scratch file (hidden)
    TextBox Text101{this, "Text101"}; // entered flag: Schedule 5(1) 繰越損益金 ④ as the load found it (hidden)

    // Figure boxes, each with its caption field.
    TextBox Text2{this, "Text2"};   // 1 当期利益
    TextBox Text50{this, "Text50"}; // its caption
    TextBox Text9{this, "Text9"};   // 2 翌期繰越利益金
    TextBox Text3{this, "Text3"};   // its caption
    TextBox Text15{this, "Text15"}; // 3 中間法人税
    TextBox Text4{this, "Text4"};   // its caption
    TextBox Text21{this, "Text21"}; // 4 中間県民税
    TextBox Text5{this, "Text5"};   // its caption
    TextBox Text27{this, "Text27"}; // 5 中間市民税
    TextBox Text10{this, "Text10"}; // its caption
    TextBox Text33{this, "Text33"}; // 6 県民税利子割
    TextBox Text8{this, "Text8"};   // its caption
    TextBox Text39{this, "Text39"}; // 7 損金計上法人税
    TextBox Text6{this, "Text6"};   // its caption
    TextBox Text45{this, "Text45"}; // 8 損金計上県民税
    TextBox Text11{this, "Text11"}; // its caption
    TextBox Text51{this, "Text51"}; // 9 損金計上市民税
    TextBox Text12{this, "Text12"}; // its caption
    TextBox Text57{this, "Text57"}; // 10 損金計上事業税
    TextBox Text13{this, "Text13"}; // its caption
    TextBox Text30{this, "Text30"}; // 11 中間事業税
    TextBox Text7{this, "Text7"};   // its caption
    TextBox Text31{this, "Text31"}; // 12 前期分消費税 (hidden)
    TextBox Text14{this, "Text14"}; // its caption (hidden)
    TextBox Text32{this, "Text32"}; // 13 中間消費税 (hidden)
    TextBox Text16{this, "Text16"}; // its caption (hidden)
    TextBox Text34{this, "Text34"}; // 14 消費税納付額
    TextBox Text17{this, "Text17"}; // its caption
    TextBox Text35{this, "Text35"}; // 15 損金参入のその他
    TextBox Text18{this, "Text18"}; // its caption
    TextBox Text36{this, "Text36"}; // 16 損金不参入の所得税
    TextBox Text19{this, "Text19"}; // its caption
    TextBox Text37{this, "Text37"}; // 17 損金不参入のその他
    TextBox Text20{this, "Text20"}; // its caption
    TextBox Text38{this, "Text38"}; // 18 租税公課合計 (computed)
    TextBox Text29{this, "Text29"}; // its caption
    TextBox Text40{this, "Text40"}; // 19 受取利子額
    TextBox Text22{this, "Text22"}; // its caption
    TextBox Text41{this, "Text41"}; // 20 同上の所得税
    TextBox Text28{this, "Text28"}; // its caption
    TextBox Text42{this, "Text42"}; // 21 受取配当金
    TextBox Text23{this, "Text23"}; // its caption
    TextBox Text43{this, "Text43"}; // 22 同上の所得税
    TextBox Text24{this, "Text24"}; // its caption
    TextBox Text44{this, "Text44"}; // 23 交際費等の金額
    TextBox Text25{this, "Text25"}; // its caption
    Label Label1{this, "Label1"};   // 租税公課の内訳

    Frame Frame1{this, "Frame1"};          // 住民税の均等割額
    OptionButton Option1{this, "Option1"}; // 2万円＋5万円
    OptionButton Option2{this, "Option2"}; // 5万円＋13万円
    Frame Frame2{this, "Frame2"};          // 交際費の限度額
    OptionButton Option3{this, "Option3"}; // 300万円
    OptionButton Option4{this, "Option4"}; // 400万円

    Button Command1{this, "Command1"}; // 計算実行
    Button Command7{this, "Command7"}; // DATA
    Button Command6{this, "Command6"}; // クリア
    Button Command3{this, "Command3"}; // 起動時のデータ呼出 (hidden; the main menu presses it)

    // Window-level values, kept while the program runs, also when the window is closed.
    BulkFigures bulkValues{}; // figure n at [n-1]
    QString currentName;      // company name the scratch file is named after
    std::int32_t enteredFlag = 0;

    // What the last load found, which the compute needs besides the boxes. Only a load that read every record
    // of its company lets the compute apply anything; otherwise loadFailure says why not.
    bool loadedCompanyOk = false;
    std::int32_t loadedCode = 0;
    QString loadFailure;
    // The figures as the schedules hold them (from the load, then from each apply): a figure left unchanged
    // keeps the schedules' own split of it.
    BulkFigures heldValues{};
    // Schedule 6's second dividend issue as the load found it.
    std::int32_t secondIssueReceived = 0;
    std::int32_t secondIssueCredit = 0;

    void Command1_Click(); // applyBulkInput
    void Command3_Click(); // loadBulkInput
    void Command6_Click(); // クリア
    void Command7_Click(); // DATA

    // The box of figure n (1-23).
    TextBox &bulkFigureBox(int n);

protected:
    void setupUi(QWidget *window) override;

private:
    void takeCompany();
    void pushFigures();
    // The interim payments typed here, into the interim record.
    void saveInterimEntries();
    void pushPresets();
    bool changed(int figure) const;

    std::array<TextBox *, 23> figureBoxes_{}; // figure n at [n-1]
};

Form14 &form14();

// The bulk input's compute action, as the main menu and the load press it.
inline void applyBulkInput() { press(form14().Command1); }
// The load, as the main menu's "一括入力" presses it after writing the code and the name.
inline void loadBulkInput() { press(form14().Command3); }

} // namespace hz
