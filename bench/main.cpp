#include "bench/session.h"
#include "platform/form.h"
#include "platform/services.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// The chains run in-process on real windows, so the benchmark needs the application object as the program
// does; without a display it uses the offscreen platform.
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    hz::initDesktop();
    hz::session::quietOffscreenWarnings();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    hz::destroyAllForms();
    return 0;
}
