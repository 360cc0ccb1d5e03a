#include "platform/services.h"

#include "core/durability.h"
#include "core/errors.h"
#include "core/records.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

namespace hz {

namespace {

class DesktopServices final : public Services {
public:
    int messageBox(const QString &prompt, int buttons, const QString &title) override {
        QMessageBox box;
        box.setWindowTitle(title);
        box.setText(prompt);
        switch (buttons) {
        case mb::OkCancelQuestion: {
            box.setIcon(QMessageBox::Question);
            auto *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
            box.exec();
            return box.clickedButton() == ok ? mb::Ok : mb::Cancel;
        }
        case mb::YesNo: {
            auto *yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
            auto *no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
            box.setEscapeButton(no);
            box.exec();
            return box.clickedButton() == yes ? mb::Yes : mb::No;
        }
        default:
            box.setIcon(buttons == mb::OkWarning ? QMessageBox::Warning : QMessageBox::NoIcon);
            box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.exec();
            return mb::Ok;
        }
    }
    void beep() override { QApplication::beep(); }
    void programEnding() override {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(0);
    }
    void shellOpen(const QString &target) override { QDesktopServices::openUrl(QUrl(target)); }
    QStringList printers() override { return QPrinterInfo::availablePrinterNames(); }
    // Through lpoptions, so CUPS_SERVER names the scheduler asked.
    void setDefaultPrinter(const QString &name) override {
        QProcess p;
        p.start(QStringLiteral("lpoptions"), {QStringLiteral("-d"), name});
        if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            throw Error(QStringLiteral("プリンタ %1 を通常使うプリンタにできません。").arg(name));
    }
};

DesktopServices g_desktop;
Services *g_services = nullptr;
bool g_ended = false;

} // namespace

Services &services() { return g_services ? *g_services : g_desktop; }
Services &desktopServices() { return g_desktop; }
void setServices(Services *s) { g_services = s; }

int msgBox(const QString &prompt, int buttons, const QString &title) {
    // A question asked in its title alone could not be read where the window frame cuts the title: the box
    // shows the title as its text as well.
    return services().messageBox(prompt.isEmpty() ? title : prompt, buttons, title);
}

void beep() { services().beep(); }

namespace {

const QString kSavingTitle = QStringLiteral("ディスクへの保存");

// Writes the records the action held back; the error of the first that could not be written.
std::optional<Error> writeHeldRecords() {
    try {
        writePendingRecords();
    } catch (const Error &e) {
        return e;
    }
    return std::nullopt;
}

// Says a record that could not be written, then syncs what was written and says a sync that failed.
void sayAndSync(const std::optional<Error> &notWritten) {
    if (notWritten)
        msgBox(notWritten->description(), mb::OkWarning, kSavingTitle);
    if (!syncWritten())
        msgBox(Error::cannotWrite().description(), mb::OkWarning, kSavingTitle);
}

} // namespace

void endProgram() {
    if (!g_ended) {
        // Ended first, so that no click runs while a box below is up.
        g_ended = true;
        // The click's records are written, and a failure said, before the event loop is told to exit: a box shown
        // after that returns at once, unseen.
        sayAndSync(writeHeldRecords());
        services().programEnding();
    }
    throw ProgramEnded{};
}

bool programHasEnded() { return g_ended; }
void resetProgramEnded() { g_ended = false; }

namespace {
int g_actionDepth = 0;
unsigned long long g_actions = 0;
// The records said in the action g_saidIn.
unsigned long long g_saidIn = 0;
QSet<QString> g_saidRecords;
} // namespace

void actionErrorBox(const Error &e, const QString &title) {
    const unsigned long long action = currentAction();
    if (!e.record().isEmpty() && action != 0) {
        if (action != g_saidIn) {
            g_saidIn = action;
            g_saidRecords.clear();
        }
        if (g_saidRecords.contains(e.record()))
            return;
        g_saidRecords.insert(e.record());
    }
    msgBox(e.description(), mb::OkWarning, title);
}

ActionScope::ActionScope() {
    if (g_actionDepth++ == 0)
        ++g_actions;
}
ActionScope::~ActionScope() { --g_actionDepth; }
unsigned long long currentAction() { return g_actionDepth > 0 ? g_actions : 0; }

namespace {
std::function<void()> g_actionStart;
} // namespace

void setActionStart(std::function<void()> work) { g_actionStart = std::move(work); }

bool userAction(const std::function<void()> &action) {
    if (g_ended)
        return false;
    // An entry from a message box's own event loop runs inside another action, which syncs at its end.
    const bool outermost = g_actionDepth == 0;
    std::optional<Error> notWritten;
    {
        const ActionScope scope;
        // The records the action saves are written once, when it ends (an action inside another joins it).
        const RecordCacheScope kept(RecordCacheScope::Writes::atEnd);
        try {
            if (outermost && g_actionStart)
                g_actionStart();
            action();
        } catch (const ProgramEnded &) {
        } catch (const Error &) {
            // An error no handler trapped abandons the action; the program goes on.
        } catch (const std::exception &) {
        }
        // Also when the action failed half-way: what it saved before stands. One that ended the program has
        // written its records already.
        if (outermost)
            notWritten = writeHeldRecords();
    }
    // What the action wrote reaches the drive before the user sees it done, whether it ended well or not.
    if (outermost)
        sayAndSync(notWritten);
    return !g_ended;
}

void initDesktop() {
    // The windows and pages name the Windows faces; these are the Japanese faces Debian ships for them.
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Pゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont font(QStringLiteral("IPAPGothic"), 10);
    QApplication::setFont(font);
}

} // namespace hz
