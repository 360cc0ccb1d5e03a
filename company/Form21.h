#pragma once

#include "platform/controls.h"

namespace hz {

// "プリンタの変更": picks the system's default printer, which every printed page goes to.
class Form21 final : public Form {
public:
    Form21();

    Label Label1{this, "Label1"}; // プリンタ：
    ListBox List1{this, "List1"};
    Button Command1{this, "Command1"}; // 設  定
    Button Command2{this, "Command2"}; // 閉じる
    Label Label2{this, "Label2"};      // the note

    void Command1_Click();
    void Command2_Click();

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;
};

Form21 &form21();

} // namespace hz
