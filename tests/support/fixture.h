#pragma once

#include "platform/controls.h"
#include "tests/support/scripted_services.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>

namespace hz::test {

// Each test gets fresh C: and A: drives, the scripted services, and no window left from the test before.
class HzTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A user's click: runs the button's handler as an entry from the event loop. Shared scenario steps call it too.
    static void click(Button &b);

protected:
    // Writes bytes to a file named as the program names it, creating its folders.
    static void writeFile(const QString &windowsPath, const QByteArray &bytes);
    static QByteArray readFile(const QString &windowsPath);
    static bool exists(const QString &windowsPath);
    // Lines in code page 932, each followed by CR LF: the exact bytes of a record file.
    static QByteArray lines(std::initializer_list<QString> values);
    static QByteArray lines(const QStringList &values);

    // The data root and the tax-rate file of the "とりあえず１８万円" preset, as a user has them after setting the
    // rates; every company chain needs them (Schedule 1 reads the rates).
    static void writeStandardRates();

    // Saves a picture of the window as <name>.png in $HOJINZEI_SNAPSHOT_DIR, when that is set, to look at it.
    static void snapshot(Form &form, const QString &name);

    ScriptedServices svc;

private:
    QTemporaryDir driveC_;
    QTemporaryDir driveA_;
};

// Types text into the box as a user does, key by key, over what it held.
void typeInto(TextBox &box, const QString &text);

} // namespace hz::test
