#include "maintenance/file_batch.h"

#include "core/durability.h"
#include "core/errors.h"
#include "core/paths.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <cstdio>

namespace hz {

namespace {
// rename(2) replaces a file left over under the new name, where QFile::rename would refuse.
bool renameOver(const QString &from, const QString &to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A second name for the file at target, or a copy where the file system has no second names (a FAT stick).
// Whatever a killed batch left under the aside name goes first.
bool keepAside(const QString &target, const QString &aside) {
    if (QFileInfo::exists(aside) && !QFile::remove(aside))
        return false;
    if (::link(QFile::encodeName(target).constData(), QFile::encodeName(aside).constData()) == 0)
        return true;
    return QFile::copy(target, aside);
}
} // namespace

FileBatch::~FileBatch() {
    if (!committed_)
        for (const Entry &e : entries_)
            QFile::remove(e.staged);
}

QString FileBatch::stage(const QString &targetWindowsPath) {
    const QString target = hostPath(targetWindowsPath);
    for (const Entry &e : entries_)
        if (e.target == target)
            return targetWindowsPath + stagedSuffix;
    entries_.push_back({target, target + stagedSuffix, target + keptAsideSuffix});
    return targetWindowsPath + stagedSuffix;
}

void FileBatch::stageCopy(const QString &fromWindowsPath, const QString &toWindowsPath) {
    copyFile(fromWindowsPath, stage(toWindowsPath));
}

void FileBatch::commit() {
    for (Entry &e : entries_) {
        if (!QFileInfo(e.staged).isFile()) {
            rollBack();
            throw Error::cannotWrite();
        }
    }
    for (Entry &e : entries_) {
        // The old file is kept aside until every new one stands, so that a failure can put it back. It stays at
        // its own name too, and the new one is renamed over it: a kill at any moment leaves every target whole.
        if (QFileInfo::exists(e.target)) {
            if (!keepAside(e.target, e.old)) {
                rollBack();
                throw Error::cannotWrite();
            }
            e.keptOld = true;
        }
        if (!renameOver(e.staged, e.target)) {
            rollBack();
            throw Error::cannotWrite();
        }
        e.placed = true;
        noteWritten(e.target);
    }
    committed_ = true;
    for (const Entry &e : entries_)
        if (e.keptOld)
            QFile::remove(e.old);
}

void FileBatch::rollBack() {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->placed && it->keptOld)
            renameOver(it->old, it->target);
        else if (it->placed)
            QFile::remove(it->target);
        else if (it->keptOld)
            QFile::remove(it->old);
        if (it->placed)
            noteWritten(it->target);
        it->placed = false;
        it->keptOld = false;
    }
    for (const Entry &e : entries_)
        QFile::remove(e.staged);
}

} // namespace hz
