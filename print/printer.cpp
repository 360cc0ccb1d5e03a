#include "print/printer.h"

#include "print/device_printer.h"

#include <QtGlobal>

namespace hz {

namespace {

PrintJobFactory &factory() {
    static PrintJobFactory f;
    return f;
}

} // namespace

std::unique_ptr<Printer> openPrintJob(const QString &title) {
    if (factory())
        return factory()(title);
    const QString folder = qEnvironmentVariable("HOJINZEI_PRINT_DIR");
    if (!folder.isEmpty())
        return openPdfJob(folder, title);
    return openSystemPrinterJob(title);
}

void setPrintJobFactory(PrintJobFactory f) { factory() = std::move(f); }

} // namespace hz
