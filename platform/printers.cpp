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

// The printer a "Default" line of an lpoptions file names; empty when the file has none.
QString defaultInOptionsFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!f.atEnd()) {
        const QList<QByteArray> words = f.readLine().simplified().split(' ');
        if (words.size() >= 2 && words[0].compare("Default", Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(words[1]);
    }
    return {};
}

// The default printer the user's own settings name, where libcups looks for it before it asks the scheduler: the
// LPDEST or PRINTER environment ("lp" meaning none), then the user's and the machine's lpoptions. libcups only says
// that the one it found does not exist, not which it is. Empty when none names one.
QString defaultNamedByTheUser() {
    if (const QString lpdest = qEnvironmentVariable("LPDEST"); !lpdest.isEmpty())
        return lpdest;
    if (const QString printer = qEnvironmentVariable("PRINTER"); !printer.isEmpty() && printer != u"lp")
        return printer;
    if (const QString home = qEnvironmentVariable("HOME"); !home.isEmpty())
        if (const QString name = defaultInOptionsFile(home + QStringLiteral("/.cups/lpoptions")); !name.isEmpty())
            return name;
    return defaultInOptionsFile(qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups")) +
                                QStringLiteral("/lpoptions"));
}

// What every page sets itself, whatever the user's instance or the queue's defaults say: the scheduler gives a job
// the queue's default of every attribute it does not carry, so each one that decides where and how large the page
// lands is sent. A4, one copy per press (the print window counts copies), portrait, at its size, one page a sheet,
// unmirrored and unmoved, and its one page printed. Page margins of 0 let no filter crop or shift the sheet, which
// is drawn from its edge. "landscape" is sent too because the filters read it before orientation-requested.
// scaling and natural-scaling are not: no filter applies them to a PDF, and their 100 would fill the sheet where
// they are applied.
struct Setting {
    const char *name;
    const char *value;
};
constexpr std::array kSetByThePage{
    Setting{"media", "iso_a4_210x297mm"},
    Setting{"copies", "1"},
    Setting{"orientation-requested", "3"}, // portrait
    Setting{"landscape", "false"},
    Setting{"print-scaling", "none"},
    Setting{"fit-to-page", "false"},
    Setting{"fitplot", "false"},
    Setting{"number-up", "1"},
    Setting{"number-up-layout", "lrtb"},
    Setting{"page-border", "none"},
    Setting{"booklet", "off"},
    Setting{"mirror", "false"},
    Setting{"position", "center"},
    Setting{"page-left", "0"},
    Setting{"page-right", "0"},
    Setting{"page-top", "0"},
    Setting{"page-bottom", "0"},
    Setting{"page-set", "all"},
    Setting{"page-ranges", "1-1"},
};

// The user's options that leave the page's size and place alone, as IPP names them and as drivers do: the tray, the
// paper type, the print quality and resolution, colour, the output bin and two-sided printing. Any other option of
// the instance or the queue is not sent, known or not.
constexpr std::array kKeptFromTheUser{"media-source",
                                      "InputSlot",
                                      "media-type",
                                      "MediaType",
                                      "print-quality",
                                      "cupsPrintQuality",
                                      "printer-resolution",
                                      "Resolution",
                                      "print-color-mode",
                                      "ColorModel",
                                      "output-bin",
                                      "OutputBin",
                                      "sides",
                                      "Duplex"};

bool keptFromTheUser(const char *option) {
    for (const char *name : kKeptFromTheUser)
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
        // A printer removed after the user made it the default is still named in the user's settings.
        if (const QString named = defaultNamedByTheUser(); !named.isEmpty())
            throw Error(QStringLiteral("通常使うプリンタ %1 が見つかりません。").arg(named));
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
    cups_option_t *options = nullptr;
    int count = 0;
    for (int i = 0; i < d.dest->num_options; ++i)
        if (keptFromTheUser(d.dest->options[i].name))
            count = cupsAddOption(d.dest->options[i].name, d.dest->options[i].value, count, &options);
    for (const Setting &s : kSetByThePage)
        count = cupsAddOption(s.name, s.value, count, &options);
    count = cupsAddOption("document-format", CUPS_FORMAT_PDF, count, &options);
    // 0 when the job was not created, or was cancelled because its document did not get through.
    const int job = cupsPrintFile(d.queue.constData(), QFile::encodeName(pdfPath).constData(),
                                  title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        throw Error(QStringLiteral("プリンタ %1 が印刷を受け付けませんでした（%2）。").arg(printer, schedulerSays()));
}

} // namespace hz
