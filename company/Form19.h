#pragma once

#include "platform/controls.h"

namespace hz {

// "初めて使う場合の注意書": fourteen fixed lines for the first use, and a button that goes back to the menu.
class Form19 final : public Form {
public:
    Form19();

    Label Label1{this, "Label1"};
    Label Label2{this, "Label2"};
    Label Label3{this, "Label3"};
    Label Label4{this, "Label4"};
    Label Label5{this, "Label5"};
    Label Label6{this, "Label6"};
    Label Label7{this, "Label7"};
    Label Label8{this, "Label8"};
    Label Label9{this, "Label9"};
    Label Label10{this, "Label10"};
    Label Label11{this, "Label11"};
    Label Label12{this, "Label12"};
    Label Label13{this, "Label13"};
    Label Label14{this, "Label14"};
    Button Command1{this, "Command1"}; // 画面の消去

    void Command1_Click();

protected:
    void setupUi(QWidget *window) override;
};

Form19 &form19();

} // namespace hz
