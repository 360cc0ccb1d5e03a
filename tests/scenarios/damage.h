#pragma once

// Damaged record files, as a full disk, a crash, an editor or a copy from elsewhere leave them, and what stands at
// a path afterwards, so that a test can see a damaged file stay as it was.

#include "app/Form1.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace hz::test {

enum class Damage {
    missing,
    empty,
    folder,
    unreadable,
    truncated,
    badBytes,
    hugeLine,
    // A value line holding a number no record holds.
    beyondDouble,
    notANumber,
    belowInt32,
    // Saved again in UTF-8 by another program.
    utf8,
    // Saved again with lines that end in CR alone: one line where every value is due.
    crAlone,
};

inline const std::pair<Damage, const char *> kDamages[] = {
    {Damage::missing, "missing"},
    {Damage::empty, "empty"},
    {Damage::folder, "a folder in its place"},
    {Damage::unreadable, "unreadable"},
    {Damage::truncated, "truncated"},
    {Damage::badBytes, "bad code page 932 bytes"},
    {Damage::hugeLine, "a 1 MB line"},
    {Damage::beyondDouble, "1e400 on a value line"},
    {Damage::notANumber, "NaN on a value line"},
    {Damage::belowInt32, "-2147483649 on a value line"},
    {Damage::utf8, "saved in UTF-8"},
    {Damage::crAlone, "lines in CR alone"},
};

inline bool isValueDamage(Damage d) {
    return d == Damage::beyondDouble || d == Damage::notANumber || d == Damage::belowInt32;
}

// The first line of a record that holds a number (strings are kept between quotes); -1 when it has none.
inline int firstValueLine(const QByteArray &bytes) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9][0-9,]*(\\.[0-9]+)?$"));
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i)
        if (number.match(QString::fromLatin1(lines[i].trimmed())).hasMatch())
            return i;
    return -1;
}

// Something that exists at the path but cannot be opened. Permissions keep a file from its owner, but not from
// an administrator, who may run the tests: a socket cannot be opened by anyone.
inline void makeUnreadable(const QString &host) {
    if (::geteuid() != 0) {
        QFile::setPermissions(host, QFileDevice::Permissions{});
        return;
    }
    QFile::remove(host);
    const QByteArray name = QFile::encodeName(host);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
}

inline void damage(const QString &windowsPath, Damage d) {
    const QString host = hostPath(windowsPath);
    QFile file(host);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << windowsPath.toStdString();
    const QByteArray bytes = file.readAll();
    file.close();
    auto rewrite = [&host](const QByteArray &content) {
        QFile out(host);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
    };
    auto valueLine = [&](const QByteArray &value) {
        QList<QByteArray> lines = bytes.split('\n');
        const int at = firstValueLine(bytes);
        ASSERT_GE(at, 0) << windowsPath.toStdString() << " holds no number";
        lines[at] = value + "\r";
        rewrite(lines.join('\n'));
    };
    const qsizetype secondLineEnd = bytes.indexOf('\n', bytes.indexOf('\n') + 1);
    switch (d) {
    case Damage::missing:
        QFile::remove(host);
        break;
    case Damage::empty:
        rewrite({});
        break;
    case Damage::folder:
        QFile::remove(host);
        QDir().mkpath(host);
        break;
    case Damage::unreadable:
        makeUnreadable(host);
        break;
    case Damage::truncated:
        // Cut inside the third line, as a write cut short by a full disk leaves a file.
        rewrite(bytes.left(secondLineEnd + 2));
        break;
    case Damage::badBytes:
        rewrite("\x81\x20\r\n" + bytes); // a lead byte without its trail byte
        break;
    case Damage::hugeLine:
        rewrite(QByteArray(1024 * 1024, '7') + "\r\n" + bytes);
        break;
    case Damage::beyondDouble:
        valueLine("1e400");
        break;
    case Damage::notANumber:
        valueLine("NaN");
        break;
    case Damage::belowInt32:
        valueLine("-2147483649");
        break;
    case Damage::utf8: {
        // A record of numbers alone reads the same in either code page; one Japanese text after its values, as an
        // editor may leave, makes it a file in UTF-8.
        QByteArray utf8 = decodeCp932(bytes).toUtf8();
        if (!writtenInUtf8(utf8))
            utf8 += "\"別途積立金\"\r\n";
        rewrite(utf8);
        break;
    }
    case Damage::crAlone: {
        QByteArray cr = bytes;
        rewrite(cr.replace("\r\n", "\r"));
        break;
    }
    }
}

// Whatever damage left at the path removed, so that a fresh copy of the disk can take its place.
inline void undoDamage(const QString &windowsPath) {
    QFile::remove(hostPath(windowsPath));
    QDir(hostPath(windowsPath)).removeRecursively();
}

// What stands at the path, so that a damaged file can be seen to stay as it was.
inline QString standing(const QString &windowsPath) {
    const QFileInfo info(hostPath(windowsPath));
    if (!info.exists())
        return QStringLiteral("nothing");
    if (info.isDir())
        return QStringLiteral("a folder");
    if (!info.isFile())
        return QStringLiteral("something else");
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("a file no one may read");
    return QString::fromLatin1(file.readAll().toHex());
}

// The menu's "会社呼出" for code.
inline void openCompany(std::int32_t code) {
    form1().Text1.setText(QString::number(code));
    HzTest::click(form1().Command2);
}

} // namespace hz::test
