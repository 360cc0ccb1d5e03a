#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace hz {

class Error;

// Message-box codes and answers as the windows use them.
namespace mb {
constexpr int OkWarning = 48;        // OK with a warning icon
constexpr int OkCancelQuestion = 33; // OK and Cancel with a question icon
constexpr int YesNo = 4;
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace mb

// Everything a window asks of the desktop that is not a window of its own. The program uses the Qt desktop;
// tests install a scripted stand-in that answers and records.
class Services {
public:
    virtual ~Services() = default;
    virtual int messageBox(const QString &prompt, int buttons, const QString &title) = 0;
    virtual void beep() = 0;
    // Called once when the program ends; the caller then unwinds every running handler.
    virtual void programEnding() = 0;
    // Opens a web address or a "mailto:" address in the user's own programs.
    virtual void shellOpen(const QString &target) = 0;
    virtual QStringList printers() = 0;
    // Throws Error when the printer cannot be made the default.
    virtual void setDefaultPrinter(const QString &name) = 0;
};

Services &services();
// The desktop's own services, whichever is installed (tests that drive the system's real printers).
Services &desktopServices();
// Installs a service (tests); nullptr puts back the desktop one. The caller keeps ownership.
void setServices(Services *s);

// Shows a message box through the installed service; a box without a text shows its title as its text too.
int msgBox(const QString &prompt, int buttons, const QString &title);
void beep();

// Thrown by endProgram(): nothing catches it but the outermost entry from the event loop.
struct ProgramEnded {};
// Ends the program at once: no further step of any running handler runs. What the click saved is written first,
// and a record that could not be written said, while a box can still be seen.
[[noreturn]] void endProgram();
bool programHasEnded();
// For tests: a fresh start after an end.
void resetProgramEnded();

// The error box of an action's trap: the error's description, a warning icon and the action's title. An error
// about a record (Error::record()) is said once in a user action: however many windows of the action meet the
// record, the first box about it is the only one.
void actionErrorBox(const Error &e, const QString &title);

// One action of the user: a click or key from the event loop, or a press that no running handler made. Scopes
// nest; the outermost one starts a new action, and what must be said once per action is said once within it.
class ActionScope {
public:
    ActionScope();
    ~ActionScope();
    ActionScope(const ActionScope &) = delete;
    ActionScope &operator=(const ActionScope &) = delete;
};
// The number of the action running now; 0 when none is.
unsigned long long currentAction();

// Runs one entry from the event loop (a click, a key, a close box, the start) so that no exception reaches Qt.
// Returns false when the program ended inside it.
bool userAction(const std::function<void()> &action);

// Work that runs at the start of every outermost user action, before the action reads anything; the program's
// start installs it. An empty function removes it.
void setActionStart(std::function<void()> work);

// Fonts and names shared by every window; call once after the application object exists.
void initDesktop();

} // namespace hz
