#pragma once

#include "platform/services.h"

#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <utility>

// A whole working session of the program, driven from code as a user would drive it, on drives of its own.
// The benchmark and the screenshot tool both start from it.
namespace hz::session {

// Answers every message box as a user who goes straight ahead: OK, and Yes to every Yes/No question; beeps are
// silent. Keeps every box shown, so a caller can tell an error box from the expected ones.
class AutoServices final : public Services {
public:
    int messageBox(const QString &prompt, int buttons, const QString &title) override;
    void beep() override {}
    void programEnding() override {}
    void shellOpen(const QString &) override {}
    QStringList printers() override { return {}; }
    void setDefaultPrinter(const QString &) override {}

    // Every box shown, as the user saw it.
    struct Shown {
        QString title;
        int buttons;
        QString prompt;
    };
    QList<Shown> shown;
};

// Fresh C: and A: drives in temporary folders and the answering services, for as long as the object lives;
// every window is destroyed at both ends, so nothing crosses from one session to the next.
class Session {
public:
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    bool valid() const { return driveC_.isValid() && driveA_.isValid(); }

    // The program's start on a new installation: the menu comes up and the terms of use are accepted. False
    // when the program ended or showed any box but the start-up question.
    bool start();
    // "税率の設定", "とりあえず１８万円" (which saves the table), "画面の消去": the first of the first-use notes.
    bool setPresetRates();
    // "会社登録": types the sample company under code into the registration window and presses "登録実行".
    // The window keeps the boxes as typed.
    bool registerSampleCompany(std::int32_t code);
    // The menu's "別表四": a year's profit on Schedule 4 and its "計 算 実 行", which hands the income to the
    // Schedule 1 window; then "計算実行" there, and the Schedule 1 window in front.
    bool enterSampleIncome();

    // The boxes shown since the last call that are not among expected (title and buttons), each as
    // "title (buttons): prompt"; forgets them all.
    QStringList unexpectedBoxes(const QList<std::pair<QString, int>> &expected = {});

    AutoServices svc;

private:
    QTemporaryDir driveC_;
    QTemporaryDir driveA_;
};

// The menu's "印  刷" for the open company, and the tax accountant every return names saved in the print window.
bool openPrintWindow();

// The offscreen platform warns at every raise and size hint of a window; they say nothing here.
void quietOffscreenWarnings();

// Writes the profile of a registered company under code, as registration leaves it, without running the chain.
void writeSampleProfile(std::int32_t code);

} // namespace hz::session
