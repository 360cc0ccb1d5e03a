#pragma once

#include "platform/services.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace hz::test {

struct ShownBox {
    QString prompt;
    int buttons;
    QString title;
    unsigned long long action = 0; // the user action that showed it; 0 outside one
};

// Answers message boxes from a script and records everything the user would have seen or heard.
// Warning boxes (48) need no script: they are answered OK. A question with no scripted answer fails the test, and
// so does a box after the program was told to end, which the user would never see.
class ScriptedServices final : public Services {
public:
    void answer(int a) { answers.push_back(a); }

    int messageBox(const QString &prompt, int buttons, const QString &title) override;
    // The boxes shown since the last call, each as "title: text"; forgets them.
    std::vector<std::string> takeShown();
    void beep() override;
    void programEnding() override;
    void shellOpen(const QString &target) override;
    QStringList printers() override { return printersFrom ? printersFrom->printers() : installedPrinters; }
    void setDefaultPrinter(const QString &name) override;

    std::deque<int> answers;
    std::vector<ShownBox> boxes;
    int beeps = 0;
    bool ended = false;
    QStringList opened;
    QStringList installedPrinters;
    QStringList defaultPrinterChanges;
    bool failPrinterChange = false;
    // When set, the printers and the default printer are this service's (the system's), not the list above.
    Services *printersFrom = nullptr;
    // Everything in the order it happened: "box:<title>:<prompt>", "beep", "end", "open:<target>".
    QStringList events;
    // Runs when the program is told to end, before anything unwinds: to look at the disk as it stands then.
    std::function<void()> onEnding;
};

} // namespace hz::test
