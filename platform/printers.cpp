#include "platform/printers.h"

#include "core/errors.h"

#include <QFile>

#include <cups/cups.h>

#include <array>
#include <cstring>

namespace hz {

namespace {

QString schedulerSays() { return QString::fromUtf8(cupsLastErrorString()); }

// The scheduler knows the queue; an instance is only a set of options kept by the user.
struct Dest {
    explicit Dest(const QString &printer)
        : queue(printer.section(u'/', 0, 0).toUtf8()), instance(printer.section(u'/', 1).toUtf8()) {
        dest =
            cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
        if (!dest)
            throw Error(QStringLiteral("プリンタ %1 に問い合わせできません（%2）。").arg(printer, schedulerSays()));
    }
    ~Dest() { cupsFreeDests(1, dest); }
    Dest(const Dest &) = delete;
    Dest &operator=(const Dest &) = delete;

    QByteArray queue;
    QByteArray instance;
    cups_dest_t *dest = nullptr;
};

// libcups says "no default destination" also when it could not ask the scheduler at all, and its last error is then
// that one: a plain request of its own tells the two apart.
bool schedulerAnswers() {
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    return cupsLastError() != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

// What every page sets itself: its paper, one copy per press (the print window counts copies), its direction and
// its size on the sheet, since the forms must land where the pre-printed boxes are. The user's own value of any of
// these is not sent.
constexpr std::array kSetByThePage{
    "media",     "media-col",     "PageSize",    "PageRegion", "copies",         "orientation-requested",
    "landscape", "print-scaling", "fit-to-page", "scaling",    "natural-scaling"};

bool setByThePage(const char *option) {
    for (const char *name : kSetByThePage)
        if (std::strcmp(name, option) == 0)
            return true;
    return false;
}

} // namespace

QString defaultPrinter() {
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) {
        if (!schedulerAnswers())
            throw Error(QStringLiteral("印刷システム（CUPS）に接続できません。"));
        throw Error(QStringLiteral("通常使うプリンタが設定されていません。"));
    }
    QString name = QString::fromUtf8(dest->name);
    if (dest->instance)
        name += u'/' + QString::fromUtf8(dest->instance);
    cupsFreeDests(1, dest);
    return name;
}

void checkPrinterTakesJobs(const QString &printer) {
    const Dest d(printer);
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", d.dest->num_options, d.dest->options);
    if (accepting && qstrcmp(accepting, "false") == 0)
        throw Error(QStringLiteral("プリンタ %1 は印刷を受け付けていません。").arg(printer));
}

void sendPdfToPrinter(const QString &printer, const QString &pdfPath, const QString &title) {
    const Dest d(printer);
    // The user's options, as the command-line tools send them; the scheduler's own attributes among them (its
    // state, its address) are left out when the request is made.
    cups_option_t *options = nullptr;
    int count = 0;
    for (int i = 0; i < d.dest->num_options; ++i)
        if (!setByThePage(d.dest->options[i].name))
            count = cupsAddOption(d.dest->options[i].name, d.dest->options[i].value, count, &options);
    count = cupsAddOption("media", "iso_a4_210x297mm", count, &options);
    count = cupsAddOption("copies", "1", count, &options);
    count = cupsAddOption("orientation-requested", "3", count, &options); // portrait
    count = cupsAddOption("print-scaling", "none", count, &options);
    count = cupsAddOption("document-format", CUPS_FORMAT_PDF, count, &options);
    // 0 when the job was not created, or was cancelled because its document did not get through.
    const int job = cupsPrintFile(d.queue.constData(), QFile::encodeName(pdfPath).constData(),
                                  title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw Error(QStringLiteral("プリンタ %1 が印刷を受け付けませんでした（%2）。").arg(printer, schedulerSays()));
}

} // namespace hz
