#pragma once

#include "platform/controls.h"

namespace hz {

// The main menu.
class Form1 final : public Form {
public:
    Form1();

protected:
    void setupUi(QWidget *window) override;
};

Form1 &form1();

} // namespace hz
