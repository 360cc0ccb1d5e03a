#pragma once

#include "company/profile.h"
#include "platform/controls.h"

namespace hz {

// The maintenance window "データ": works on every record file of one company at once. It loads the company's
// profile to show which company its actions will touch.
class Form10 final : public Form {
public:
    Form10();

    TextBox Text6{this, "Text6"};      // the working company code
    Button Command4{this, "Command4"}; // 会社呼出
    TextBox Text5{this, "Text5"};      // company name
    Button Command7{this, "Command7"}; // DATA
    TextBox Text10{this, "Text10"};    // "自平成"
    TextBox Text13{this, "Text13"};
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"}; // "至平成"
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    ProgressBar ProgressBar1{this, "ProgressBar1"};
    TextBox Text39{this, "Text39"};   // target code of a copy
    TextBox Text100{this, "Text100"}; // hidden: the code handed over by the menu

    // The profile last loaded by 会社呼出 (19 values); emptied when a load fails.
    CompanyProfileRecord loadedProfile;

    void Command4_Click();
    void Command7_Click();

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;

private:
    void clearCompanyBoxes();
};

Form10 &form10();

} // namespace hz
