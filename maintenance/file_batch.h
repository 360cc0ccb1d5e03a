#pragma once

#include <QString>

#include <vector>

// Changes to many files that take effect together or not at all. Each new file is first written beside the
// file it replaces, under a name no record uses; only when every one is complete are they renamed into place.
// A failure before that leaves every file as it was, and so does a failure during the renames: the files
// already replaced get their old contents back. Each file is replaced by one rename, so a kill leaves every file
// whole, old or new. The folders written are synced when the user action ends.
namespace hz {

class FileBatch {
public:
    // The names beside a target: its new content while being made, its old content while being replaced.
    static inline const QString stagedSuffix = QStringLiteral(".hz-new");
    static inline const QString keptAsideSuffix = QStringLiteral(".hz-old");

    FileBatch() = default;
    // Removes whatever was made ready and not put in place.
    ~FileBatch();
    FileBatch(const FileBatch &) = delete;
    FileBatch &operator=(const FileBatch &) = delete;

    // The name to write the new content of target to (a Windows path like target's, in the same folder).
    QString stage(const QString &targetWindowsPath);
    // Makes a copy of from ready to replace to. Throws Error when from cannot be read or the copy not written.
    void stageCopy(const QString &fromWindowsPath, const QString &toWindowsPath);

    // Puts every file made ready in place. Throws Error::cannotWrite() when that fails; every target is then as
    // it was before.
    void commit();

private:
    struct Entry {
        QString target; // host paths
        QString staged;
        QString old;
        bool keptOld = false;
        bool placed = false;
    };
    void rollBack();
    std::vector<Entry> entries_;
    bool committed_ = false;
};

} // namespace hz
