#include "core/records.h"

#include "core/cp932.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace hz {

namespace {
bool g_handleOpen = false;

void takeHandle() {
    if (g_handleOpen)
        throw Error::fileAlreadyOpen();
    g_handleOpen = true;
}

// Writes the new record beside the old one and renames it over it, so the old record stays whole until the new
// one is complete. No sync to the drive after each record: a chain saves a dozen records, and waiting on the
// drive for every one of them made opening a company slow. A chain also saves many records just as they stand;
// those are left alone.
void replaceFile(const QString &hostPath, const QByteArray &bytes) {
    {
        QFile old(hostPath);
        if (old.size() == bytes.size() && old.open(QIODevice::ReadOnly) && old.readAll() == bytes)
            return;
    }
    const QString temp = hostPath + QStringLiteral(".new");
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error::cannotWrite();
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError ||
        std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(hostPath).constData()) != 0) {
        QFile::remove(temp);
        throw Error::cannotWrite();
    }
}
} // namespace

bool sharedHandleOpen() { return g_handleOpen; }
void closeSharedHandle() { g_handleOpen = false; }

QStringList reservedTail(int from) {
    QStringList tail;
    for (int i = from; i <= 12; ++i)
        tail << QStringLiteral("予備%1").arg(i);
    return tail;
}

RecordReader::RecordReader(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    const QFileInfo info(host);
    if (!QFileInfo(info.absolutePath()).isDir())
        throw Error::pathNotFound();
    if (!info.isFile())
        throw Error::fileNotFound();
    takeHandle();
    open_ = true;
    QFile file(host);
    if (!file.open(QIODevice::ReadOnly)) {
        close();
        throw Error::badPath();
    }
    const QString text = decodeCp932(file.readAll());
    // Lines end with CR LF; a lone LF or a last line without an ending are read the same way.
    lines_ = text.split(u'\n');
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
    for (QString &line : lines_) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
}

RecordReader::~RecordReader() { close(); }

void RecordReader::close() {
    if (open_) {
        open_ = false;
        closeSharedHandle();
    }
}

QString RecordReader::nextLine() {
    if (next_ >= lines_.size())
        throw Error::pastEndOfFile();
    QString line = lines_[next_++];
    int i = 0;
    while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
        ++i;
    return line.mid(i);
}

QString RecordReader::string() {
    const QString line = nextLine();
    if (line.startsWith(u'"')) {
        const qsizetype end = line.indexOf(u'"', 1);
        return end < 0 ? line.mid(1) : line.mid(1, end - 1);
    }
    QString unquoted = line;
    while (!unquoted.isEmpty() && unquoted.back().isSpace())
        unquoted.chop(1);
    return unquoted;
}

namespace {
// An empty line reads as 0; a quoted or other text as a type mismatch.
QString numberText(const QString &line) { return line.trimmed().isEmpty() ? QStringLiteral("0") : line; }
} // namespace

std::int32_t RecordReader::whole() { return toWhole(numberText(nextLine())); }
float RecordReader::single() { return static_cast<float>(toDouble(numberText(nextLine()))); }
double RecordReader::dbl() { return toDouble(numberText(nextLine())); }

RecordWriter::RecordWriter(const QString &windowsPath) : hostPath_(hostPath(windowsPath)) {
    if (!QFileInfo(QFileInfo(hostPath_).absolutePath()).isDir())
        throw Error::pathNotFound();
    if (QFileInfo(hostPath_).isDir())
        throw Error::badPath();
    takeHandle();
    open_ = true;
}

RecordWriter::~RecordWriter() {
    if (open_)
        closeSharedHandle();
}

RecordWriter &RecordWriter::whole(std::int64_t v) {
    lines_ << QString::number(v);
    return *this;
}

RecordWriter &RecordWriter::single(float v) {
    lines_ << singleText(v);
    return *this;
}

RecordWriter &RecordWriter::dbl(double v) {
    lines_ << doubleText(v);
    return *this;
}

RecordWriter &RecordWriter::string(const QString &v) {
    QString text = v;
    text.replace(u'"', QChar(0xFF02));
    lines_ << u'"' + text + u'"';
    return *this;
}

RecordWriter &RecordWriter::tail(int from) {
    for (const QString &t : reservedTail(from))
        string(t);
    return *this;
}

RecordWriter &RecordWriter::line(const QString &text) {
    lines_ << text;
    return *this;
}

void RecordWriter::close() {
    if (!open_)
        return;
    // Give the handle back whatever happens below.
    struct Release {
        bool &open;
        ~Release() {
            if (open) {
                open = false;
                closeSharedHandle();
            }
        }
    } release{open_};
    QByteArray bytes;
    for (const QString &line : lines_) {
        bytes += encodeCp932(line);
        bytes += "\r\n";
    }
    replaceFile(hostPath_, bytes);
}

QByteArray readRawFile(const QString &windowsPath) {
    QFile file(hostPath(windowsPath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace hz
