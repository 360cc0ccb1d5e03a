#pragma once

#include <QByteArray>
#include <QString>

// The code page of every record file. The one place that converts between it and Qt's strings.
namespace hz {

// Throws Error::unencodable() for text that code page 932 cannot hold, and for a character it would write as an
// ASCII byte that reads back as another sign (¥ as \, ‾ as ~).
QByteArray encodeCp932(const QString &text);
// Throws Error::readsBackAsAnother() for the first sign of text that code page 932 would write as an ASCII byte
// reading back as another (¥ as \, ‾ as ~), naming the full-width sign to type instead. The record writer asks
// it of a string before quoting it, so the box names the text as typed.
void refuseSignsReadBackAsOthers(const QString &text);
// Bytes that are not valid code page 932 become U+FFFD.
QString decodeCp932(const QByteArray &bytes);
// The same for a file that must be code page 932 throughout: Error::badFileFormat() at the first byte that is not.
QString decodeCp932Strictly(const QByteArray &bytes);

// True for bytes that were written in UTF-8, not in code page 932: valid UTF-8 throughout, with at least one
// character of three or more bytes, as every kana and kanji takes in UTF-8. Japanese text in code page 932 is
// practically never valid UTF-8 as a whole (its lead bytes 0x81-0x9F stand alone there); only two-byte UTF-8
// characters (accented Latin letters and the like) could also be pairs of half-width kana, so they alone do not
// count.
bool writtenInUtf8(const QByteArray &bytes);

} // namespace hz
