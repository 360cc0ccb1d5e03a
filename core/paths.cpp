#include "core/paths.h"

#include "core/durability.h"
#include "core/errors.h"
#include "core/records.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace hz {

namespace {

QString driveFolder(QChar letter) {
    const QChar upper = letter.toUpper();
    const QByteArray var = QByteArray("HOJINZEI_DRIVE_") + char(upper.toLatin1());
    const QString set = qEnvironmentVariable(var.constData());
    if (!set.isEmpty())
        return set;
    return QDir::homePath() + QStringLiteral("/.local/share/hojinzei/") + upper;
}

} // namespace

QString hostPath(const QString &windowsPath) {
    QString rest = windowsPath;
    const bool drive = rest.size() >= 2 && rest[1] == u':' && rest[0].isLetter();
    const QString base = driveFolder(drive ? rest[0] : QChar(u'C'));
    if (drive)
        rest = rest.mid(2);
    rest.replace(u'\\', u'/');
    while (rest.startsWith(u'/'))
        rest.remove(0, 1);
    // "c:\法人税\法人税Temp\" names the folder itself.
    while (rest.endsWith(u'/'))
        rest.chop(1);
    return rest.isEmpty() ? base : base + u'/' + rest;
}

QString companyPath(const QString &prefix, std::int64_t code) {
    return prefix + QString::number(code) + QStringLiteral(".txt");
}

QString safeFileName(const QString &text) {
    QString out;
    for (const QChar c : text) {
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' ||
            c == u'|' || c.unicode() < 0x20)
            out += u'_';
        else
            out += c;
    }
    out.replace(QStringLiteral(".."), QStringLiteral("__"));
    out = out.trimmed();
    if (out.isEmpty() || out == u".")
        out = QStringLiteral("_");
    return out;
}

bool folderExists(const QString &windowsPath) { return QFileInfo(hostPath(windowsPath)).isDir(); }

bool fileExists(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    return recordPending(host) || QFileInfo(host).isFile();
}

QStringList entryNamesIn(const QString &windowsFolder) {
    // The iterator takes each entry from the folder itself; a listing through QDir looks at every file on its
    // own, which is what the caller wants to avoid.
    QStringList names;
    const QString host = hostPath(windowsFolder);
    QDirIterator it(host, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    // The records the action has saved and not yet written stand there too.
    for (const QString &name : pendingRecordNamesIn(host))
        if (!names.contains(name))
            names << name;
    return names;
}

void createFolder(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    const QFileInfo info(host);
    if (info.exists() || recordPending(host))
        throw Error::badPath();
    if (!QFileInfo(info.absolutePath()).isDir())
        throw Error::pathNotFound();
    if (!QDir().mkdir(host))
        throw Error::badPath();
    noteWritten(host);
}

void ensureDataRoot() {
    // The drive folder itself stands for the disk; make it too, so that a fresh installation works.
    QDir().mkpath(hostPath(QStringLiteral("c:\\")));
    for (const QString &folder : {dataroot::root, dataroot::profiles, dataroot::schedules}) {
        if (!folderExists(folder))
            createFolder(folder);
    }
}

void removeFolder(const QString &windowsPath) {
    // A record the action saved in it makes it a folder that is not empty.
    writePendingRecords();
    const QString host = hostPath(windowsPath);
    if (!QFileInfo(host).isDir())
        throw Error::pathNotFound();
    if (!QDir().rmdir(host))
        throw Error::badPath();
    noteWritten(host);
}

void deleteFile(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    // What the action saved there goes with the file; a record saved and removed in one action never reaches the
    // disk.
    const bool pending = recordPending(host);
    dropPendingRecord(host);
    if (!QFileInfo(host).isFile()) {
        if (pending)
            return;
        throw Error::fileNotFound();
    }
    if (!QFile::remove(host))
        throw Error::badPath();
    noteWritten(host);
}

void copyFile(const QString &fromWindowsPath, const QString &toWindowsPath) {
    // The copy is made of the files: what the action saved is written first.
    writePendingRecords();
    const QString from = hostPath(fromWindowsPath);
    const QString to = hostPath(toWindowsPath);
    if (!QFileInfo(from).isFile())
        throw Error::fileNotFound();
    if (!QFileInfo(QFileInfo(to).absolutePath()).isDir())
        throw Error::pathNotFound();
    if (QFileInfo(to).exists() && !QFile::remove(to))
        throw Error::cannotWrite();
    // Copied by hand: QFile::copy waits on the drive for every file, and a backup copies a company's dozens of
    // records in one action, which syncs once at its end.
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly))
        throw Error::badPath();
    bool copied = out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    while (copied && !in.atEnd()) {
        const QByteArray chunk = in.read(64 * 1024);
        copied = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    out.close();
    copied = copied && out.error() == QFileDevice::NoError;
    if (!copied) {
        QFile::remove(to);
        throw Error::cannotWrite();
    }
    noteWritten(to);
}

} // namespace hz
