#include "platform/form.h"
#include "platform/services.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    hz::initDesktop();
    const int rc = RUN_ALL_TESTS();
    hz::destroyAllForms();
    return rc;
}
