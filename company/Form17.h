#pragma once

#include "platform/controls.h"

#include <QStringList>

namespace hz {

// The pledge file: its first line records that the user accepted the terms of use; the terms follow it.
inline const QString pledgeFolder = QStringLiteral("c:\\Program Files");
inline const QString pledgeFilePath = QStringLiteral("c:\\Program Files\\法人税の誓約書.txt");
inline const QString pledgeAcceptedMarker = QStringLiteral("承諾済み");

// The terms of use, one paragraph a line: shown by the terms window and written into the pledge file.
QStringList termsOfUseText();

// The start-up check of the menu's load: puts the pledge file's first line into the menu, and when it does not
// record acceptance asks for it. Yes records it and brings the menu forward; No ends the program.
void termsOfUseCheck();

// The terms window "使用上の注意": the terms, two links and two ways out, both of which end the program.
class Form17 final : public Form {
public:
    Form17();

    Label Label1{this, "Label1"};      // link: the home page
    Label Label2{this, "Label2"};      // the terms
    Label Label3{this, "Label3"};      // link: mail to the support centre
    Button Command1{this, "Command1"}; // 不承諾
    Button Command2{this, "Command2"}; // END

    void Label1_Click();
    void Label3_Click();
    void Command1_Click();
    void Command2_Click();

protected:
    void setupUi(QWidget *window) override;
};

Form17 &form17();

} // namespace hz
