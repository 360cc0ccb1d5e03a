#include "tests/support/fixture.h"

#include "company/Form17.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/file_batch.h"
#include "platform/form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPixmap>

namespace hz::test {

void HzTest::SetUp() {
    ASSERT_TRUE(driveC_.isValid());
    ASSERT_TRUE(driveA_.isValid());
    qputenv("HOJINZEI_DRIVE_C", driveC_.path().toUtf8());
    qputenv("HOJINZEI_DRIVE_A", driveA_.path().toUtf8());
    destroyAllForms();
    closeSharedHandle();
    resetProgramEnded();
    setServices(&svc);
    // As the program's start does.
    setActionStart(finishInterruptedBatch);
    // A user who accepted the terms of use long ago; the tests of the start-up question remove it.
    writeFile(pledgeFilePath, lines({pledgeAcceptedMarker}));
}

void HzTest::TearDown() {
    destroyAllForms();
    closeSharedHandle();
    resetProgramEnded();
    setServices(nullptr);
    setActionStart({});
}

void HzTest::click(Button &b) {
    userAction([&b] { press(b); });
}

void typeInto(TextBox &box, const QString &text) {
    box.edit()->selectAll();
    for (const QChar ch : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(box.edit(), &key);
    }
    if (text.isEmpty()) { // the user empties the box
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(box.edit(), &key);
    }
    ASSERT_EQ(box.text(), text);
}

void HzTest::writeFile(const QString &windowsPath, const QByteArray &bytes) {
    const QString host = hostPath(windowsPath);
    QDir().mkpath(QFileInfo(host).absolutePath());
    QFile f(host);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray HzTest::readFile(const QString &windowsPath) { return readRawFile(windowsPath); }

void HzTest::writeStandardRates() {
    // As the rate window's save does, which makes the data root on a fresh disk.
    ensureDataRoot();
    QStringList l{"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"};
    for (const QString &t : reservedTail())
        l << u'"' + t + u'"';
    writeFile(QStringLiteral("c:\\法人税\\税率.txt"), lines(l));
}

void HzTest::snapshot(Form &form, const QString &name) {
    const QString dir = qEnvironmentVariable("HOJINZEI_SNAPSHOT_DIR");
    if (dir.isEmpty())
        return;
    QWidget *w = form.window();
    w->adjustSize();
    w->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

bool HzTest::exists(const QString &windowsPath) { return QFileInfo::exists(hostPath(windowsPath)); }

QByteArray HzTest::lines(const QStringList &values) {
    QByteArray out;
    for (const QString &v : values)
        out += encodeCp932(v) + "\r\n";
    return out;
}

QByteArray HzTest::lines(std::initializer_list<QString> values) { return lines(QStringList(values)); }

} // namespace hz::test
