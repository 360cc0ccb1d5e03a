#pragma once

#include <QString>

#include <vector>

// Changes to many files that take effect together or not at all, also across a kill or a power cut. Each new file
// is first written beside the file it replaces, under a name no record uses. The commit then keeps a second name
// for every old file, syncs all of it to the drive and writes down the whole set in a journal under the data root,
// synced and renamed into place: from that moment the set is decided. Then each file is renamed into place, the
// renames are synced, and the old files and the journal go.
//
// Before the first file is made ready, and before each further one, its target is written down in a list beside the
// journal, which the set holds locked while it lives. A set killed before its journal stands was never decided: the
// next user action removes what the list names under the set's own names (the new files, the second names, the
// journal's temporary file) and the list; the old files are the records. Nothing else is touched.
//
// A failure before the journal stands leaves every file as it was. Once it stands the set only goes forward: the
// commit finishes it, and when it is interrupted (a kill, a power cut, a rename that fails), the next user action,
// the program's start included, finishes it before anything reads the records (finishInterruptedBatch). Each file
// is replaced by one rename, so every file is whole at every moment, and the company's set is all old or all new
// whenever an action reads it.
namespace hz {

class FileBatch {
public:
    // The names beside a target: its new content while being made, its old content while being replaced.
    static inline const QString stagedSuffix = QStringLiteral(".hz-new");
    static inline const QString keptAsideSuffix = QStringLiteral(".hz-old");
    // Where the set being put in place is written down: one place on drive C for sets on either drive.
    static inline const QString journalPath = QStringLiteral("c:\\法人税\\hz-file-batch.journal");
    // The targets of the set being made ready, until its journal stands.
    static inline const QString stagingListPath = QStringLiteral("c:\\法人税\\hz-file-batch.staging");

    FileBatch() = default;
    // Removes whatever was made ready and not put in place.
    ~FileBatch();
    FileBatch(const FileBatch &) = delete;
    FileBatch &operator=(const FileBatch &) = delete;

    // The name to write the new content of target to (a Windows path like target's, in the same folder). Throws
    // Error while an earlier set stands unfinished: its files would be made ready under the same names.
    QString stage(const QString &targetWindowsPath);
    // Makes a copy of from ready to replace to. Throws Error when from cannot be read or the copy not written.
    void stageCopy(const QString &fromWindowsPath, const QString &toWindowsPath);
    // Makes target go with the set: it is removed when the others are put in place, and kept until then.
    void stageRemoval(const QString &targetWindowsPath);

    // Puts every file made ready in place. Throws Error::cannotWrite() when the set cannot be made ready or
    // written down; every target is then as it was. Throws an Error naming the company when the set, written
    // down, cannot be finished now; it is finished at the start of a later action.
    void commit();

private:
    struct Entry {
        QString target; // Windows path
        QString hostTarget;
        bool keptOld = false;
        bool removed = false;
    };
    void abandon();
    void writeDownTarget(const QString &targetWindowsPath);
    void dropStagingList();
    std::vector<Entry> entries_;
    bool done_ = false;
    int stagingList_ = -1; // the list's descriptor, locked while the set is made ready
};

// Finishes a set that a kill, a power cut or a failed rename left unfinished, and removes the old files kept aside
// and its journal. One look at the journal's place when there is none. A set that cannot be finished is said in a
// box naming the company, once while it stands; its journal and the old files kept aside stay, and every later
// call tries again. Then clears away a set killed before its journal stood (one look at its list's place when
// there is none), unless another running copy of the program is still making it ready.
void finishInterruptedBatch();

} // namespace hz
