#include "core/records.h"

#include "core/cp932.h"
#include "core/durability.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

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
// drive for every one of them made opening a company slow; the user action syncs once what it wrote. A chain
// also saves many records just as they stand; those are left alone.
void replaceFile(const QString &hostPath, const QByteArray &bytes) {
    const QString temp = hostPath + QStringLiteral(".new");
    {
        QFile old(hostPath);
        if (old.size() == bytes.size() && old.open(QIODevice::ReadOnly) && old.readAll() == bytes) {
            // Nothing to write; a temporary file a killed write left behind goes all the same.
            if (QFileInfo::exists(temp))
                QFile::remove(temp);
            return;
        }
    }
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
    noteWritten(hostPath);
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

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads the rest of the file, up to limit bytes; false, with errno set, when a read fails. The buffer starts
// at a size every record the program writes fits and grows only for larger files: a buffer of the largest
// size for each of a few hundred small records took longer than reading them.
bool readAtMost(int fd, qsizetype limit, QByteArray &out) {
    out.resize(std::min<qsizetype>(64 * 1024, limit));
    qsizetype have = 0;
    for (;;) {
        if (have == out.size()) {
            if (have == limit)
                break;
            out.resize(std::min<qsizetype>(have * 2, limit));
        }
        const ssize_t n = ::read(fd, out.data() + have, size_t(out.size() - have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        have += n;
    }
    out.resize(have);
    return true;
}

} // namespace

RecordReader::RecordReader(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    // The file is opened and read first, and the disk asked why only when that fails: a chain reads dozens of
    // records, and the looks at the disk before and around each read made the list of 999 companies slow.
    const auto whyNot = [&host](int error) {
        const QFileInfo info(host);
        if (!QFileInfo(info.absolutePath()).isDir())
            return Error::pathNotFound();
        if (!info.exists())
            return Error::fileNotFound();
        if (info.isDir() || error == EISDIR)
            return Error::badPath();
        return g_handleOpen ? Error::fileAlreadyOpen() : Error::badPath();
    };
    const Descriptor file{::open(QFile::encodeName(host).constData(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        throw whyNot(errno);
    // One byte more than a record may hold, so that a larger file shows itself without being read whole.
    if (!readAtMost(file.fd, largestRecordFile + 1, bytes_)) {
        const int error = errno;
        bytes_.clear();
        throw whyNot(error);
    }
    takeHandle();
    open_ = true;
    if (bytes_.size() > largestRecordFile) {
        bytes_.clear();
        close();
        throw Error::badFileFormat();
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
    if (pos_ >= bytes_.size())
        throw Error::pastEndOfFile();
    // Lines end with CR LF; a lone LF or a last line without an ending are read the same way. Code page 932 never
    // uses the bytes of CR and LF inside a character, so the bytes split into lines before they are decoded.
    qsizetype end = bytes_.indexOf('\n', pos_);
    if (end < 0)
        end = bytes_.size();
    qsizetype length = end - pos_;
    if (length > 0 && bytes_[end - 1] == '\r')
        --length;
    const qsizetype start = pos_;
    pos_ = end + 1;
    ++next_;
    if (length > longestRecordLine)
        throw Error::badFileFormat();
    const QString line = decodeCp932Strictly(bytes_.mid(start, length));
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
