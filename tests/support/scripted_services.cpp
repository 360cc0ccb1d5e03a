#include "tests/support/scripted_services.h"

#include "core/errors.h"

#include <gtest/gtest.h>

namespace hz::test {

std::vector<std::string> ScriptedServices::takeShown() {
    std::vector<std::string> out;
    for (const ShownBox &b : boxes)
        out.push_back((b.title + QStringLiteral(": ") + b.prompt).toStdString());
    boxes.clear();
    return out;
}

int ScriptedServices::messageBox(const QString &prompt, int buttons, const QString &title) {
    // Once the event loop is told to exit, a box returns at once: the user never sees it.
    if (ended && programHasEnded())
        ADD_FAILURE() << "a box after the end of the program: " << title.toStdString() << " / " << prompt.toStdString();
    boxes.push_back({prompt, buttons, title, currentAction()});
    events << QStringLiteral("box:%1:%2").arg(title, prompt);
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    if (buttons == mb::OkWarning)
        return mb::Ok;
    ADD_FAILURE() << "unanswered question: " << title.toStdString() << " / " << prompt.toStdString();
    return buttons == mb::YesNo ? mb::No : mb::Cancel;
}

void ScriptedServices::beep() {
    ++beeps;
    events << QStringLiteral("beep");
}

void ScriptedServices::programEnding() {
    if (onEnding)
        onEnding();
    ended = true;
    events << QStringLiteral("end");
}

void ScriptedServices::shellOpen(const QString &target) {
    opened << target;
    events << QStringLiteral("open:") + target;
}

void ScriptedServices::setDefaultPrinter(const QString &name) {
    if (failPrinterChange)
        throw Error(QStringLiteral("プリンタ %1 を通常使うプリンタにできません。").arg(name));
    if (printersFrom)
        printersFrom->setDefaultPrinter(name);
    defaultPrinterChanges << name;
}

} // namespace hz::test
