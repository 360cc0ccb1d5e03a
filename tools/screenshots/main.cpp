// Makes the README's pictures from the real windows: a new installation on temporary drives, the rates set
// with the preset, a sample company registered and given a year's profit, then the main menu, the
// registration window and Schedule 1 saved as PNG files.
#include "app/Form1.h"
#include "bench/session.h"
#include "company/Form2.h"
#include "platform/form.h"
#include "platform/services.h"
#include "schedules/core/Form3.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

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
    }
    hz::destroyAllForms();
    return rc;
}
