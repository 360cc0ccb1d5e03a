#include "maintenance/file_batch.h"

#include "core/durability.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/company_files.h"
#include "platform/services.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <utility>

namespace hz {

namespace {

const QByteArray kJournalHeader = "hojinzei file batch 1";
const QByteArray kJournalEnd = "end";
const QString kTitle = QStringLiteral("ファイルの置き換え");

// What the journal holds: the company the set belongs to, for the box, and every file with the digest of its new
// content and whether its old content was kept aside.
struct JournalFile {
    QString target;    // Windows path
    QByteArray digest; // empty for a file the set removes
    bool kept = false;
    bool removed() const { return digest.isEmpty(); }
};
struct Journal {
    QString code;
    QString name;
    std::vector<JournalFile> files;
};

// The journal said in a box, so that a set that stays unfinished is said once while it stands.
QByteArray g_saidJournal;

QString journalHost() { return hostPath(FileBatch::journalPath); }
QString stagingListHost() { return hostPath(FileBatch::stagingListPath); }
const QByteArray kStagingListHeader = "hojinzei file batch staging 1\n";

QByteArray journalOnDisk() {
    QFile f(journalHost());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString folderOf(const QString &hostPath) { return QFileInfo(hostPath).absolutePath(); }

// rename(2) replaces a file left over under the new name, where QFile::rename would refuse.
bool renameOver(const QString &from, const QString &to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool isFile(const QString &hostPath) {
    struct stat st {};
    return ::lstat(QFile::encodeName(hostPath).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isFolder(const QString &hostPath) {
    struct stat st {};
    return ::stat(QFile::encodeName(hostPath).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool present(const QString &hostPath) {
    struct stat st {};
    return ::lstat(QFile::encodeName(hostPath).constData(), &st) == 0;
}

QByteArray digestOf(const QString &hostPath) {
    QFile f(hostPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f))
        return {};
    return hash.result().toHex();
}

// A second name for the file at target, or a copy where the file system has no second names (a FAT stick).
// Whatever a killed batch left under the aside name goes first.
bool keepAside(const QString &target, const QString &aside) {
    if (present(aside) && !QFile::remove(aside))
        return false;
    if (::link(QFile::encodeName(target).constData(), QFile::encodeName(aside).constData()) == 0)
        return true;
    return QFile::copy(target, aside);
}

bool syncFolder(const QString &hostFolder) {
    const int fd = ::open(QFile::encodeName(hostFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// The journal is written under another name, synced and renamed into place, so that it stands whole or not at
// all; the folder is synced so that the new name outlasts a power cut.
bool writeJournal(const QByteArray &bytes) {
    const QString host = journalHost();
    const QString temp = host + FileBatch::stagedSuffix;
    {
        QFile f(temp);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        const bool written = f.write(bytes) == bytes.size() && f.flush() && ::fsync(f.handle()) == 0;
        f.close();
        if (!written || f.error() != QFileDevice::NoError) {
            QFile::remove(temp);
            return false;
        }
    }
    noteWritten(temp);
    if (!renameOver(temp, host)) {
        QFile::remove(temp);
        return false;
    }
    noteWritten(host);
    if (!syncFolder(folderOf(host))) {
        // Not known to be on the drive: the set is given up while no file has moved yet.
        QFile::remove(host);
        noteWritten(host);
        return false;
    }
    return true;
}

QByteArray journalBytes(const Journal &j) {
    QByteArray out = kJournalHeader + '\n';
    out += "company\t" + j.code.toUtf8() + '\t' + j.name.toUtf8() + '\n';
    for (const JournalFile &f : j.files) {
        const QByteArray kept = f.kept ? "1" : "0";
        if (f.removed())
            out += "remove\t" + kept + '\t' + f.target.toUtf8() + '\n';
        else
            out += "file\t" + f.digest + '\t' + kept + '\t' + f.target.toUtf8() + '\n';
    }
    out += kJournalEnd + '\n';
    return out;
}

std::optional<Journal> parseJournal(const QByteArray &bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 4 || lines.takeFirst() != kJournalHeader || lines.takeLast() != QByteArray() ||
        lines.takeLast() != kJournalEnd)
        return std::nullopt;
    Journal j;
    const QList<QByteArray> company = lines.takeFirst().split('\t');
    if (company.size() != 3 || company[0] != "company")
        return std::nullopt;
    j.code = QString::fromUtf8(company[1]);
    j.name = QString::fromUtf8(company[2]);
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 3 && fields[0] == "remove" && (fields[1] == "0" || fields[1] == "1") &&
            !fields[2].isEmpty()) {
            j.files.push_back({QString::fromUtf8(fields[2]), QByteArray(), fields[1] == "1"});
            continue;
        }
        if (fields.size() != 4 || fields[0] != "file" || fields[1].size() != 64 ||
            (fields[2] != "0" && fields[2] != "1") || fields[3].isEmpty())
            return std::nullopt;
        j.files.push_back({QString::fromUtf8(fields[3]), fields[1], fields[2] == "1"});
    }
    return j;
}

// The company a set belongs to: the one whose profile it writes, on either drive.
void nameCompany(Journal &j) {
    for (const JournalFile &f : j.files) {
        if (f.removed())
            continue;
        const QString folder = f.target.section(u'\\', 0, -2) + u'\\';
        if (folder.compare(dataroot::profilePrefix, Qt::CaseInsensitive) != 0 &&
            folder.compare(company_files::onFloppy(dataroot::profilePrefix), Qt::CaseInsensitive) != 0)
            continue;
        j.code = f.target.section(u'\\', -1).section(u'.', 0, 0);
        j.name = company_files::companyNameIn(f.target + FileBatch::stagedSuffix);
        forgetRecordBytes(hostPath(f.target + FileBatch::stagedSuffix));
        // One value a line in the journal as in the records.
        for (QChar &c : j.name)
            if (c.unicode() < 0x20)
                c = u' ';
        return;
    }
}

QString unfinishedText(const Journal &j, const QString &failed) {
    QString company;
    if (!j.name.isEmpty())
        company = QStringLiteral("%1（会社コード %2）の").arg(j.name, j.code);
    else if (!j.code.isEmpty())
        company = QStringLiteral("会社コード %1 の").arg(j.code);
    QString text = company + QStringLiteral("ファイルの置き換えを最後まで終えられません。");
    if (!failed.isEmpty())
        text += QStringLiteral("\n%1 を置き換えられません。").arg(failed);
    return text + QStringLiteral("\n置き換える前のファイルは、名前の末尾に「%1」を付けて残してあります。")
                      .arg(FileBatch::keptAsideSuffix);
}

QString unreadableJournalText() {
    return QStringLiteral("ファイルの置き換えの記録 %1 が読めません。置き換えを最後まで終えられません。")
        .arg(FileBatch::journalPath);
}

// Carries the set of the journal to its end: every file not yet in place is renamed into place, the renames are
// synced, and the old files and the journal go. Doing it again does no harm: a file whose new content was renamed
// into place already has no staged file left, and is not touched again. Returns false, with the first file that
// could not be put in place (empty when the drive could not be synced), when the set stays unfinished.
bool carryOut(const Journal &j, QString &failed) {
    QStringList folders;
    for (const JournalFile &f : j.files) {
        const QString target = hostPath(f.target);
        const QString staged = target + FileBatch::stagedSuffix;
        folders << folderOf(target);
        bool placed = false;
        if (f.removed()) {
            // Removed before, or now; a folder in its place is not the file the set removes.
            if (isFile(target) && QFile::remove(target))
                noteWritten(target);
            placed = !present(target);
        } else if (present(staged)) {
            // Only the content written down goes into place.
            if (isFile(staged) && digestOf(staged) == f.digest && renameOver(staged, target)) {
                forgetRecordBytes(staged);
                noteWritten(target);
                placed = true;
            }
        } else {
            // Renamed before: the target has stood since (a later save may have changed it again). A missing
            // target is a drive that is not there, or a file removed by hand.
            placed = isFile(target);
        }
        if (!placed && failed.isEmpty())
            failed = f.target;
    }
    if (!failed.isEmpty() || !syncFileSystemsOf(folders))
        return false;
    // The old files go before the journal that names them, so that a kill in between leaves none behind.
    for (const JournalFile &f : j.files) {
        const QString aside = hostPath(f.target) + FileBatch::keptAsideSuffix;
        if (f.kept && QFile::remove(aside))
            noteWritten(aside);
    }
    const QString journal = journalHost();
    if (!QFile::remove(journal)) {
        failed = FileBatch::journalPath;
        return false;
    }
    noteWritten(journal);
    return true;
}

// The box for an unfinished set, unless this journal was said already.
void sayUnfinished(const QByteArray &journal, const QString &text) {
    if (journal == g_saidJournal)
        return;
    g_saidJournal = journal;
    msgBox(text, mb::OkWarning, kTitle);
}

// What a set killed before its journal stood left: for each target its list names, the new file and the second
// name of the old file, and the journal's temporary file. The
// set was never decided, so the old files are the records. While a set lives it holds its list locked: a list
// that cannot be locked is one another running copy of the program is still making ready, and stays.
void clearUndecidedSet() {
    const QString list = stagingListHost();
    if (!present(list) || present(journalHost()))
        return;
    const int fd = ::open(QFile::encodeName(list).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    QFile in;
    QByteArray bytes;
    if (in.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        bytes = in.readAll();
    in.close();
    if (bytes.startsWith(kStagingListHeader)) {
        // A line cut by a kill has no line break and names no target: its file was not begun.
        QList<QByteArray> lines = bytes.mid(kStagingListHeader.size()).split('\n');
        lines.removeLast();
        QStringList folders;
        for (const QByteArray &line : lines) {
            const QString windowsTarget = QString::fromUtf8(line);
            const QString target = hostPath(windowsTarget);
            // The temporary file of a write of the new file that the kill interrupted goes with the folder's others.
            const QString folder = windowsTarget.section(u'\\', 0, -2);
            if (!folders.contains(folder)) {
                folders << folder;
                clearLeftoverTemporaries(folder, false);
            }
            for (const QString &leftover : {target + FileBatch::stagedSuffix, target + FileBatch::keptAsideSuffix}) {
                if (isFile(leftover) && QFile::remove(leftover)) {
                    forgetRecordBytes(leftover);
                    noteWritten(leftover);
                }
            }
        }
        const QString journalTemp = journalHost() + FileBatch::stagedSuffix;
        if (isFile(journalTemp) && QFile::remove(journalTemp))
            noteWritten(journalTemp);
    }
    if (QFile::remove(list))
        noteWritten(list);
    ::close(fd);
}

} // namespace

FileBatch::~FileBatch() {
    if (!done_)
        abandon();
}

QString FileBatch::stage(const QString &targetWindowsPath) {
    if (entries_.empty() && present(journalHost())) {
        const std::optional<Journal> j = parseJournal(journalOnDisk());
        throw Error(j ? unfinishedText(*j, QString()) : unreadableJournalText());
    }
    const QString target = hostPath(targetWindowsPath);
    bool known = false;
    for (const Entry &e : entries_)
        known = known || e.hostTarget == target;
    if (!known) {
        writeDownTarget(targetWindowsPath);
        entries_.push_back({targetWindowsPath, target});
    }
    return targetWindowsPath + stagedSuffix;
}

// The target goes into the list before anything is written under the set's names beside it.
void FileBatch::writeDownTarget(const QString &targetWindowsPath) {
    const QString list = stagingListHost();
    QByteArray bytes = targetWindowsPath.toUtf8() + '\n';
    if (stagingList_ < 0) {
        // A list that a killed set left, when no action start came since to clear it away.
        clearUndecidedSet();
        QDir().mkpath(folderOf(list));
        // Emptied only once locked: another running copy of the program may be making a set ready with it.
        stagingList_ = ::open(QFile::encodeName(list).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (stagingList_ < 0 || ::flock(stagingList_, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(stagingList_, 0) != 0) {
            if (stagingList_ >= 0)
                ::close(std::exchange(stagingList_, -1));
            throw Error::cannotWrite();
        }
        bytes.prepend(kStagingListHeader);
    }
    if (::write(stagingList_, bytes.constData(), size_t(bytes.size())) != bytes.size())
        throw Error::cannotWrite();
    noteWritten(list);
}

// Once the journal stands, or when nothing of the set is left, the list has nothing more to tell.
void FileBatch::dropStagingList() {
    if (stagingList_ < 0)
        return;
    const QString list = stagingListHost();
    if (QFile::remove(list))
        noteWritten(list);
    ::close(std::exchange(stagingList_, -1));
}

void FileBatch::stageCopy(const QString &fromWindowsPath, const QString &toWindowsPath) {
    copyFile(fromWindowsPath, stage(toWindowsPath));
}

void FileBatch::stageRemoval(const QString &targetWindowsPath) {
    stage(targetWindowsPath);
    for (Entry &e : entries_)
        if (e.target == targetWindowsPath)
            e.removed = true;
}

void FileBatch::commit() {
    // The new files are written first, and with them whatever else the action saved before the set: the set is
    // made of the files as they stand on the disk.
    writePendingRecords();
    if (entries_.empty()) {
        done_ = true;
        return;
    }
    // Made ready: every new file complete, no folder where a file goes.
    Journal journal;
    QStringList folders{folderOf(journalHost())};
    for (const Entry &e : entries_) {
        folders << folderOf(e.hostTarget);
        if (e.removed) {
            journal.files.push_back({e.target, QByteArray()});
            continue;
        }
        const QString staged = e.hostTarget + stagedSuffix;
        const QByteArray digest = isFile(staged) && !isFolder(e.hostTarget) ? digestOf(staged) : QByteArray();
        if (digest.isEmpty()) {
            abandon();
            throw Error::cannotWrite();
        }
        journal.files.push_back({e.target, digest});
    }
    nameCompany(journal);
    // Each old file keeps a second name until the set is done, so that a set that cannot be finished leaves them.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry &e = entries_[i];
        if (!present(e.hostTarget))
            continue;
        if (!keepAside(e.hostTarget, e.hostTarget + keptAsideSuffix)) {
            abandon();
            throw Error::cannotWrite();
        }
        e.keptOld = journal.files[i].kept = true;
        noteWritten(e.hostTarget + keptAsideSuffix);
    }
    // The new files and the second names reach the drive before the journal that names them.
    QDir().mkpath(folders.first());
    if (!syncFileSystemsOf(folders) || !writeJournal(journalBytes(journal))) {
        abandon();
        throw Error::cannotWrite();
    }
    done_ = true;
    dropStagingList();
    QString failed;
    if (!carryOut(journal, failed)) {
        g_saidJournal = journalBytes(journal);
        throw Error(unfinishedText(journal, failed));
    }
}

void FileBatch::abandon() {
    done_ = true;
    for (const Entry &e : entries_) {
        const QString staged = e.hostTarget + stagedSuffix;
        dropPendingRecord(staged);
        QFile::remove(staged);
        forgetRecordBytes(staged);
        if (e.keptOld)
            QFile::remove(e.hostTarget + keptAsideSuffix);
    }
    dropStagingList();
}

void finishInterruptedBatch() {
    if (!present(journalHost())) {
        g_saidJournal.clear();
        clearUndecidedSet();
        return;
    }
    const QByteArray bytes = journalOnDisk();
    const std::optional<Journal> journal = parseJournal(bytes);
    if (!journal) {
        sayUnfinished(bytes, unreadableJournalText());
        return;
    }
    QString failed;
    if (!carryOut(*journal, failed))
        sayUnfinished(bytes, unfinishedText(*journal, failed));
    clearUndecidedSet();
}

} // namespace hz
