// Makes the README's pictures from the real windows: a new installation on temporary drives, the rates set
// with the preset, a sample company registered and given a year's profit, then the main menu, the
// registration window and Schedule 1 saved as PNG files; then the print window opened from the menu with a tax
// accountant saved, and its Schedule 1 page printed to a PDF file and rendered as a picture.
#include "app/Form1.h"
#include "bench/session.h"
#include "company/Form2.h"
#include "platform/form.h"
#include "platform/services.h"
#include "print/Form12.h"
#include "schedules/core/Form3.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <poppler-qt6.h>

#include <cstdio>

namespace {

bool save(hz::Form &form, const QString &dir, const QString &name) {
    const QString file = dir + u'/' + name;
    if (!form.window()->grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// A page button's page printed to a PDF file, saved as a picture of 100 dpi.
bool savePrintedPage(hz::Button &pageButton, const QString &dir, const QString &name) {
    QTemporaryDir folder;
    qputenv("HOJINZEI_PRINT_DIR", folder.path().toUtf8());
    const bool pressed = hz::userAction([&] { hz::press(pageButton); });
    qunsetenv("HOJINZEI_PRINT_DIR");
    const QStringList pdfs = QDir(folder.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    if (!pressed || pdfs.size() != 1) {
        std::fprintf(stderr, "the page was not printed\n");
        return false;
    }
    const auto doc = Poppler::Document::load(QDir(folder.path()).filePath(pdfs.front()));
    const auto page = doc ? doc->page(0) : nullptr;
    if (!page) {
        std::fprintf(stderr, "cannot read the printed page\n");
        return false;
    }
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    const QString file = dir + u'/' + name;
    if (!page->renderToImage(100, 100).save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    hz::initDesktop();
    hz::session::quietOffscreenWarnings();
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/img");
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(dir));
        return 1;
    }

    int rc = 0;
    {
        hz::session::Session s;
        if (!s.valid() || !s.start() || !s.setPresetRates() || !s.registerSampleCompany(1) || !s.enterSampleIncome()) {
            std::fprintf(stderr, "the sample session did not run to its end\n");
            return 1;
        }
        const QStringList boxes = s.unexpectedBoxes();
        if (!boxes.isEmpty()) {
            std::fprintf(stderr, "unexpected message boxes: %s\n", qPrintable(boxes.join(u", ")));
            return 1;
        }
        // The user comes back to the menu with "法人税の目次", which lists the new company.
        hz::userAction([] { hz::backToMenu(); });
        if (!save(hz::form1(), dir, QStringLiteral("main-menu.png")) ||
            !save(hz::form2(), dir, QStringLiteral("registration.png")) ||
            !save(hz::form3(), dir, QStringLiteral("schedule1.png")))
            rc = 1;
        if (!hz::session::openPrintWindow() || !save(hz::form12(), dir, QStringLiteral("print-window.png")) ||
            !savePrintedPage(hz::form12().Command12, dir, QStringLiteral("schedule1-page.png")) ||
            !savePrintedPage(hz::form12().Command22, dir, QStringLiteral("schedule4-page.png")))
            rc = 1;
        const QStringList printing = s.unexpectedBoxes();
        if (!printing.isEmpty()) {
            std::fprintf(stderr, "unexpected message boxes: %s\n", qPrintable(printing.join(u", ")));
            rc = 1;
        }
    }
    hz::destroyAllForms();
    return rc;
}
