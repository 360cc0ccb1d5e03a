#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Record files: one value a line, CR LF after every line, code page 932. Every record file is opened on one
// shared handle; the reader and the writer hold it for their lifetime and always give it back, also when an
// action fails half-way.
namespace hz {

// What reading one record came to.
enum class RecordRead {
    read,       // it was read
    missing,    // nothing stands at its path yet: a company's first year starts empty
    unreadable, // something stands there that cannot be read
};

bool sharedHandleOpen();
// The menu's "ファイル閉鎖": closes the shared handle when a file is open on it; otherwise nothing.
void closeSharedHandle();

// "予備<from>" to "予備12".
QStringList reservedTail(int from = 1);

// The longest line a record can hold: a text box's longest text, every character two bytes, between quotes. A
// longer line was never written by this program, and is refused before anything tries to read a number from it.
inline constexpr qsizetype longestRecordLine = 2 * 32767 + 2;
// No record comes near this size; a larger file is refused as a whole.
inline constexpr qsizetype largestRecordFile = 8 * 1024 * 1024;

// While a scope lives, the bytes of every record read or written are kept, so that a chain that reads the same
// records dozens of times opens each once. A file the program writes, replaces or removes is forgotten at that
// moment (noteWritten). Scopes nest; the end of the outermost forgets everything, and a user action is one scope:
// what another program changes between two clicks is always read afresh.
//
// A user action's scope also defers its writes (Writes::atEnd): a chain saves some records several times, passing
// figures between the schedules until they settle, and a kill between two of those saves would leave a figure of a
// pass half way on the disk. Instead each record closed is kept as the record's pending content, which every read of
// it sees, and is written once, with what the action ended with, by writePendingRecords() or at the end of the
// outermost deferring scope; a record that ends as it stood on the disk is not written at all. Writes outside such
// a scope go to the disk at once.
class RecordCacheScope {
public:
    enum class Writes { atOnce, atEnd };
    explicit RecordCacheScope(Writes writes = Writes::atOnce);
    // The end of the outermost deferring scope writes what is still pending; a failure there goes unsaid, so the
    // user action calls writePendingRecords() itself first.
    ~RecordCacheScope();
    RecordCacheScope(const RecordCacheScope &) = delete;
    RecordCacheScope &operator=(const RecordCacheScope &) = delete;

private:
    bool defers_;
};

// Writes every pending record now, each once, in the order first written (temporary file and rename, skipped
// where the disk holds the same bytes). For anything that works on files below the records (copies, removals,
// listings, sets of records replaced together) and for the end of the user action. Every record that can be
// written is; then throws the Error of the first that could not be, which stays as it stood on the disk.
void writePendingRecords();
// Whether a record is pending at this host path; its file may not stand on the disk yet.
bool recordPending(const QString &hostPath);
// Forgets the pending content at this host path: the file is removed or replaced by other means.
void dropPendingRecord(const QString &hostPath);
// The names of the records pending directly in this host folder.
QStringList pendingRecordNamesIn(const QString &hostFolder);
// Whether a record (or anything else) stands at this path, a pending record included: the checks that decide
// whether a company has a record ask this.
bool recordExists(const QString &windowsPath);

// The name a record is written under by the process pid until it is complete, beside the record.
QString temporaryRecordPath(const QString &windowsPath, qint64 pid);
// Removes the temporary files of record writes that a kill or a power cut interrupted, in the folder (and its
// subfolders when asked): only files under the name this program gives them, and only of a process that is gone
// (or of this one's number, at the start, when it writes nothing yet). A user's own files stay.
void clearLeftoverTemporaries(const QString &windowsFolder, bool withSubfolders);

// Forgets the kept bytes of the file at this host path, and of every file under it when it is a folder.
void forgetRecordBytes(const QString &hostPath);

class RecordReader {
public:
    // Opens the file for input. Throws Error: file or folder missing, a folder or something else that cannot be
    // opened where the file should be (Error::badPath()), a file too large to be a record or one written in UTF-8
    // (Error::badFileFormat()), or the handle already open.
    explicit RecordReader(const QString &windowsPath);
    ~RecordReader();
    RecordReader(const RecordReader &) = delete;
    RecordReader &operator=(const RecordReader &) = delete;

    // Each reads the next line. Past the last line: Error::pastEndOfFile(), or Error::badFileFormat() when that
    // line had no line break (a file cut inside a value). A whole number rounds half to even; a line that holds no
    // number of the expected kind: Error::typeMismatch(); a line longer than longestRecordLine, with bytes that
    // are not code page 932, or with a CR inside (lines that end in CR alone): Error::badFileFormat().
    std::int32_t whole();
    float single();
    double dbl();
    QString string();

    int linesRead() const { return next_; }
    // True when every line has been read and the last one ended with its line break: a file in a shorter, older
    // layout ends here. A file cut inside its last line is not at its end: the next read says it is damaged.
    bool atEnd() const { return pos_ >= bytes_.size() && (bytes_.isEmpty() || bytes_.endsWith('\n')); }
    // Closes the file early; the destructor does it otherwise.
    void close();

private:
    QString nextLine();
    void refuseOtherCodePage();
    QByteArray bytes_;
    qsizetype pos_ = 0;
    int next_ = 0;
    bool open_ = false;
};

class RecordWriter {
public:
    // Opens the file for output: the handle must be free and the folder must exist (Error::pathNotFound()).
    explicit RecordWriter(const QString &windowsPath);
    // A writer that was never closed writes nothing: the old record stays as it was.
    ~RecordWriter();
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    RecordWriter &whole(std::int64_t v);
    RecordWriter &single(float v);
    RecordWriter &dbl(double v);
    // A double quotation mark cannot stand inside a quoted value; it is kept as the full-width "＂". A line break
    // (CR LF, CR or LF) cannot stand inside any value; each becomes one blank.
    RecordWriter &string(const QString &v);
    RecordWriter &tail(int from = 1);
    // A line of plain text, unquoted, as text files that people read are written; line breaks as in string().
    RecordWriter &line(const QString &text);

    // Encodes the lines (Error::unencodable() for text code page 932 cannot hold), writes them to a temporary
    // file beside the record and renames it over the record (Error::cannotWrite() when that fails). A temporary
    // file that an earlier write of this process left beside the record goes in any case. Inside a deferring
    // RecordCacheScope the lines are kept as the record's pending content instead, after the checks that can be
    // made now: the folder still there (Error::pathNotFound()) and writable (Error::cannotWrite()), no folder come
    // in the record's place (Error::badPath()).
    void close();

private:
    QString hostPath_;
    QStringList lines_;
    bool open_ = false;
};

// A record of whole-number cells followed by their row names, as the grid schedules keep them.
template <class Cells, class Names> void readCellsAndNames(const QString &windowsPath, Cells &cells, Names &names) {
    RecordReader in(windowsPath);
    for (auto &v : cells)
        v = in.whole();
    for (QString &name : names)
        name = in.string();
}

template <class Cells, class Names>
void writeCellsAndNames(const QString &windowsPath, const Cells &cells, const Names &names) {
    RecordWriter out(windowsPath);
    for (auto v : cells)
        out.whole(v);
    for (const QString &name : names)
        out.string(name);
    out.close();
}

// The bytes of a file, empty when it cannot be read; for tests and tools that compare records byte for byte.
QByteArray readRawFile(const QString &windowsPath);

} // namespace hz
