#include "platform/printers.h"

#include "core/errors.h"

#include <QFile>

#include <cups/cups.h>

namespace hz {

namespace {

// The scheduler knows the queue; an instance is only a set of options kept by the user.
QByteArray queueName(const QString &printer) { return printer.section(u'/', 0, 0).toUtf8(); }

QString schedulerSays() { return QString::fromUtf8(cupsLastErrorString()); }

} // namespace

void checkPrinterTakesJobs(const QString &printer) {
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queueName(printer).constData(), nullptr);
    if (!dest)
        throw Error(QStringLiteral("プリンタ %1 に問い合わせできません（%2）。").arg(printer, schedulerSays()));
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool takesJobs = !accepting || qstrcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    if (!takesJobs)
        throw Error(QStringLiteral("プリンタ %1 は印刷を受け付けていません。").arg(printer));
}

void sendPdfToPrinter(const QString &printer, const QString &pdfPath, const QString &title) {
    cups_option_t *options = nullptr;
    int count = cupsAddOption("media", "iso_a4_210x297mm", 0, &options);
    count = cupsAddOption("document-format", CUPS_FORMAT_PDF, count, &options);
    // 0 when the job was not created, or was cancelled because its document did not get through.
    const int job = cupsPrintFile(queueName(printer).constData(), QFile::encodeName(pdfPath).constData(),
                                  title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw Error(QStringLiteral("プリンタ %1 が印刷を受け付けませんでした（%2）。").arg(printer, schedulerSays()));
}

} // namespace hz
