#pragma once

#include <QByteArray>
#include <QString>

// The code page of every record file. The one place that converts between it and Qt's strings.
namespace hz {

// Throws Error::unencodable() for text that code page 932 cannot hold.
QByteArray encodeCp932(const QString &text);
// Bytes that are not valid code page 932 become U+FFFD.
QString decodeCp932(const QByteArray &bytes);
// The same for a file that must be code page 932 throughout: Error::badFileFormat() at the first byte that is not.
QString decodeCp932Strictly(const QByteArray &bytes);

} // namespace hz
