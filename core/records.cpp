#include "core/records.h"

#include "core/cp932.h"
#include "core/durability.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hz {

namespace {
bool g_handleOpen = false;

// The records kept while a RecordCacheScope lives, by host path; each holds the whole file as it stands on the
// disk.
int g_cacheScopes = 0;
QHash<QString, QByteArray> g_kept;

// The records written while a scope that defers writes lives, by host path, and the order they were first written
// in: what each is to hold when the scope ends.
int g_deferringScopes = 0;
QHash<QString, QByteArray> g_pending;
QStringList g_pendingOrder;

const QByteArray *pendingBytes(const QString &hostPath) {
    if (g_pending.isEmpty())
        return nullptr;
    const auto it = g_pending.constFind(hostPath);
    return it == g_pending.cend() ? nullptr : &*it;
}

const QByteArray *keptBytes(const QString &hostPath) {
    if (g_cacheScopes == 0)
        return nullptr;
    const auto it = g_kept.constFind(hostPath);
    return it == g_kept.cend() ? nullptr : &*it;
}

void keepBytes(const QString &hostPath, const QByteArray &bytes) {
    if (g_cacheScopes > 0 && bytes.size() <= largestRecordFile)
        g_kept.insert(hostPath, bytes);
}

void takeHandle() {
    if (g_handleOpen)
        throw Error::fileAlreadyOpen();
    g_handleOpen = true;
}

} // namespace

RecordCacheScope::RecordCacheScope(Writes writes) : defers_(writes == Writes::atEnd) {
    ++g_cacheScopes;
    if (defers_)
        ++g_deferringScopes;
}

RecordCacheScope::~RecordCacheScope() {
    if (defers_ && --g_deferringScopes == 0) {
        // The user action writes what is left and says what fails before its scope ends; this is for any other.
        try {
            writePendingRecords();
        } catch (const Error &) {
        }
    }
    if (--g_cacheScopes == 0)
        g_kept.clear();
}

void forgetRecordBytes(const QString &hostPath) {
    if (g_kept.isEmpty())
        return;
    g_kept.remove(hostPath);
    const QString inside = hostPath + u'/';
    g_kept.removeIf([&inside](const auto &entry) { return entry.key().startsWith(inside); });
}

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
// at a size most records the program writes fit and grows only for larger files: a larger buffer for each of a
// few hundred small records took longer than reading them.
bool readAtMost(int fd, qsizetype limit, QByteArray &out) {
    out.resize(std::min<qsizetype>(4 * 1024, limit));
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

// Writes all of bytes; false, with errno set, when a write fails. Closing is the descriptor's.
bool writeAll(int fd, const QByteArray &bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Where a record is written until it is complete: beside it, under a name no record has, marked with the process
// that writes it, so that a start can tell its own leftovers from a write still under way in another copy of the
// program, and from any file of the user's.
const QString kTempMark = QStringLiteral(".hz-");
const QString kTempEnd = QStringLiteral(".new");

QString temporaryOf(const QString &hostPath, qint64 pid) {
    return hostPath + kTempMark + QString::number(pid) + kTempEnd;
}

// Writes the new record beside the old one and renames it over it, so the old record stays whole until the new
// one is complete. No sync to the drive after each record: a chain saves a dozen records, and waiting on the
// drive for every one of them made opening a company slow; the user action syncs once what it wrote. A chain
// also saves many records just as they stand; those are left alone. The calls go straight to the system: a
// chain writes some sixty records, and the looks at the disk around each one were most of its time.
void replaceFile(const QString &hostPath, const QByteArray &bytes) {
    const QByteArray target = QFile::encodeName(hostPath);
    const QByteArray temp = QFile::encodeName(temporaryOf(hostPath, QCoreApplication::applicationPid()));
    bool unchanged = false;
    if (const QByteArray *kept = keptBytes(hostPath)) {
        unchanged = *kept == bytes;
    } else {
        QByteArray old;
        const Descriptor in{::open(target.constData(), O_RDONLY | O_CLOEXEC)};
        unchanged = in.fd >= 0 && readAtMost(in.fd, bytes.size() + 1, old) && old == bytes;
    }
    if (unchanged) {
        // Nothing to write; a temporary file a killed write left behind goes all the same.
        ::unlink(temp.constData());
        keepBytes(hostPath, bytes);
        return;
    }
    bool written = false;
    int openError = 0;
    {
        Descriptor out{::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
        if (out.fd < 0) {
            openError = errno;
        } else {
            written = writeAll(out.fd, bytes);
            // Some file systems report a failed write only when the file is closed.
            written = ::close(std::exchange(out.fd, -1)) == 0 && written;
        }
    }
    if (openError == ENOENT)
        throw Error::pathNotFound();
    if (openError != 0)
        throw Error::cannotWrite();
    if (!written) {
        ::unlink(temp.constData());
        throw Error::cannotWrite();
    }
    if (std::rename(temp.constData(), target.constData()) != 0) {
        const int renameError = errno;
        ::unlink(temp.constData());
        throw renameError == EISDIR ? Error::badPath() : Error::cannotWrite();
    }
    noteWritten(hostPath);
    keepBytes(hostPath, bytes);
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
    const QByteArray *kept = pendingBytes(host);
    if (!kept)
        kept = keptBytes(host);
    if (kept) {
        takeHandle();
        open_ = true;
        bytes_ = *kept;
        refuseOtherCodePage();
        return;
    }
    const Descriptor file{::open(QFile::encodeName(host).constData(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        throw whyNot(errno);
    // One byte more than a record may hold, so that a larger file shows itself without being read whole.
    if (!readAtMost(file.fd, largestRecordFile + 1, bytes_)) {
        const int error = errno;
        bytes_.clear();
        throw whyNot(error);
    }
    keepBytes(host, bytes_);
    takeHandle();
    open_ = true;
    if (bytes_.size() > largestRecordFile) {
        bytes_.clear();
        close();
        throw Error::badFileFormat();
    }
    refuseOtherCodePage();
}

void RecordReader::refuseOtherCodePage() {
    // A record saved in UTF-8 elsewhere would read as other characters and be saved back so: it is refused
    // whole, like any file that is not code page 932, and so never written over.
    if (writtenInUtf8(bytes_)) {
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
    if (pos_ >= bytes_.size()) {
        // A file in an older, shorter layout ends after whole lines. One whose last line has no line break may
        // have been cut inside a value, and reads as damaged rather than as fewer values.
        if (!bytes_.isEmpty() && !bytes_.endsWith('\n'))
            throw Error::badFileFormat();
        throw Error::pastEndOfFile();
    }
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
    // The program never writes a CR inside a value: here lines end in CR alone, and what reads as one line holds
    // several values. Read as one, they would be lost at the next save.
    if (QByteArrayView(bytes_).sliced(start, length).contains('\r'))
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

std::int32_t RecordReader::whole() { return recordWhole(numberText(nextLine())); }
float RecordReader::single() { return static_cast<float>(recordDouble(numberText(nextLine()))); }
double RecordReader::dbl() { return recordDouble(numberText(nextLine())); }

RecordWriter::RecordWriter(const QString &windowsPath) : hostPath_(hostPath(windowsPath)) {
    // One look at the record itself; its folder is looked at only when the record is not there yet.
    struct stat st {};
    if (::stat(QFile::encodeName(hostPath_).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw Error::badPath();
    } else if (!QFileInfo(QFileInfo(hostPath_).absolutePath()).isDir()) {
        throw Error::pathNotFound();
    }
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

namespace {
// A record holds one value a line: a line break typed or pasted into a box would end the value there and shift
// every value after it, and the record would no longer read. Each break (CR LF, CR or LF) becomes one blank.
QString oneLine(const QString &text) {
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}
} // namespace

RecordWriter &RecordWriter::string(const QString &v) {
    refuseSignsReadBackAsOthers(v); // said here, with the text as typed, not in its quotes when the record is written
    QString text = oneLine(v);
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
    lines_ << oneLine(text);
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
    if (g_deferringScopes == 0) {
        replaceFile(hostPath_, bytes);
        return;
    }
    // Kept until the action ends, when each record is written once with what the action ended with. What can be
    // known to fail now is said now, where the action's own trap says it: the folder gone or not writable, a
    // folder come in the record's place since it was opened.
    const QByteArray target = QFile::encodeName(hostPath_);
    const QByteArray folder = QFile::encodeName(QFileInfo(hostPath_).absolutePath());
    struct stat st {};
    if (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw Error::pathNotFound();
    if (::stat(target.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        throw Error::badPath();
    if (::access(folder.constData(), W_OK) != 0)
        throw Error::cannotWrite();
    if (!g_pending.contains(hostPath_))
        g_pendingOrder << hostPath_;
    g_pending.insert(hostPath_, bytes);
}

void writePendingRecords() {
    if (g_pendingOrder.isEmpty())
        return;
    // Taken first: a failure leaves none behind to be written again at a later moment of the action.
    const QStringList order = std::exchange(g_pendingOrder, {});
    const QHash<QString, QByteArray> pending = std::exchange(g_pending, {});
    std::optional<Error> failed;
    for (const QString &host : order) {
        try {
            replaceFile(host, pending.value(host));
        } catch (const Error &e) {
            // The records that can be written still are: each stands alone.
            if (!failed)
                failed = e;
        }
    }
    if (failed)
        throw *failed;
}

bool recordPending(const QString &hostPath) { return pendingBytes(hostPath) != nullptr; }

void dropPendingRecord(const QString &hostPath) {
    if (g_pending.remove(hostPath))
        g_pendingOrder.removeOne(hostPath);
}

QStringList pendingRecordNamesIn(const QString &hostFolder) {
    QStringList names;
    const QString inside = hostFolder + u'/';
    for (const QString &host : std::as_const(g_pendingOrder))
        if (host.startsWith(inside) && !host.mid(inside.size()).contains(u'/'))
            names << host.mid(inside.size());
    return names;
}

bool recordExists(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    return recordPending(host) || QFileInfo::exists(host);
}

QString temporaryRecordPath(const QString &windowsPath, qint64 pid) {
    return temporaryOf(windowsPath, pid);
}

void clearLeftoverTemporaries(const QString &windowsFolder, bool withSubfolders) {
    const QString own = QString::number(QCoreApplication::applicationPid());
    QDirIterator it(hostPath(windowsFolder), {u'*' + kTempMark + u'*' + kTempEnd}, QDir::Files | QDir::Hidden,
                    withSubfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        const qsizetype mark = name.lastIndexOf(kTempMark);
        const QString digits = name.mid(mark + kTempMark.size()).chopped(kTempEnd.size());
        bool number = !digits.isEmpty() && mark > 0;
        for (const QChar c : digits)
            number = number && c >= u'0' && c <= u'9';
        const qint64 pid = number && digits.size() <= 9 ? digits.toLongLong() : 0;
        if (pid <= 0)
            continue;
        // At the start this program is writing nothing yet: a file under its own number is a leftover of an earlier
        // run that had the same number. Another living process may be writing its file now.
        const bool gone = digits == own || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH);
        if (gone && QFile::remove(path))
            noteWritten(path);
    }
}

QByteArray readRawFile(const QString &windowsPath) {
    const QString host = hostPath(windowsPath);
    if (const QByteArray *pending = pendingBytes(host))
        return *pending;
    if (const QByteArray *kept = keptBytes(host))
        return *kept;
    QByteArray bytes;
    const Descriptor in{::open(QFile::encodeName(host).constData(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0 || !readAtMost(in.fd, std::numeric_limits<qsizetype>::max() / 2, bytes))
        return {};
    keepBytes(host, bytes);
    return bytes;
}

} // namespace hz
