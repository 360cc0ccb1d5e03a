#include "app/start.h"
#include "platform/form.h"
#include "platform/services.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    hz::initDesktop();
    int rc = 0;
    if (hz::startProgram() && !hz::programHasEnded())
        rc = app.exec();
    hz::destroyAllForms();
    return rc;
}
