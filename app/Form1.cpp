#include "app/Form1.h"

#include <QVBoxLayout>

namespace hz {

Form1::Form1() : Form(QStringLiteral("Form1"), QStringLiteral("法人税の目次")) {}

void Form1::setupUi(QWidget *window) {
    window->resize(640, 480);
    new QVBoxLayout(window);
}

Form1 &form1() { return loadedForm<Form1>(); }

} // namespace hz
