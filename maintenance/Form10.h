#pragma once

#include "common/profile.h"
#include "platform/controls.h"

namespace hz {

// The maintenance window "データ": works on every record file of one company at once: backup to the floppy and
// restore from it, deletion there and on the disk, a copy to another code and the next-year rollover. Every
// action works on the code in Text6 (the rollover, with Text6 emptied, on the company last loaded) and names the
// company that code's own profile holds.
class Form10 final : public Form {
public:
    Form10();

    TextBox Text6{this, "Text6"};      // the working company code
    Button Command4{this, "Command4"}; // 会社呼出
    TextBox Text5{this, "Text5"};      // company name
    Button Command9{this, "Command9"}; // 会社コードクリア
    Button Command7{this, "Command7"}; // DATA
    TextBox Text10{this, "Text10"};    // "自平成"
    TextBox Text13{this, "Text13"};    // period start: year, month, day
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"}; // "至平成"
    TextBox Text17{this, "Text17"}; // period end: year, month, day
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    ProgressBar ProgressBar1{this, "ProgressBar1"};
    TextBox Text39{this, "Text39"};      // target code of a copy
    Button Command18{this, "Command18"}; // へ、リストアする
    Button Command5{this, "Command5"};   // 次年度更新する
    Button Command1{this, "Command1"};   // フロッピーへコピーする
    Button Command2{this, "Command2"};   // フロッピーよりHDDへ戻す
    Button Command3{this, "Command3"};   // フロッピーより削除する
    Button Command19{this, "Command19"}; // HDDより削除する
    Button Command6{this, "Command6"};   // menu
    TextBox Text1{this, "Text1"};        // hidden: the name of the company being rolled over
    TextBox Text100{this, "Text100"};    // hidden: the code handed over by the menu

    // The profile last loaded by 会社呼出 (19 values); emptied when a load fails. It is what the window shows;
    // the actions read the profile of their own code again.
    CompanyProfileRecord loadedProfile;
    // The answer to the last question of the window (1 OK, 2 Cancel).
    int confirmAnswer = 0;

    void Command4_Click();  // 会社呼出
    void Command7_Click();  // DATA
    void Command9_Click();  // 会社コードクリア
    void Command6_Click();  // menu
    void Command5_Click();  // nextYearRollover
    void Command1_Click();  // backup to the floppy
    void Command2_Click();  // restore from the floppy
    void Command3_Click();  // deletion on the floppy
    void Command18_Click(); // copy to another code
    void Command19_Click(); // deletion from the disk

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;

private:
    void clearCompanyBoxes();
};

Form10 &form10();

} // namespace hz
