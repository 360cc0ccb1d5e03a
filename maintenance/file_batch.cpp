#include "maintenance/file_batch.h"

#include "core/errors.h"
#include "core/paths.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace hz {

namespace {
// rename(2) replaces a file left over under the new name, where QFile::rename would refuse.
bool renameOver(const QString &from, const QString &to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
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
        // The old file is kept aside until every new one stands, so that a failure can put it back.
        if (QFileInfo::exists(e.target)) {
            if (!renameOver(e.target, e.old)) {
                rollBack();
                throw Error::cannotWrite();
            }
            e.movedOld = true;
        }
        if (!renameOver(e.staged, e.target)) {
            rollBack();
            throw Error::cannotWrite();
        }
        e.placed = true;
    }
    committed_ = true;
    for (const Entry &e : entries_)
        if (e.movedOld)
            QFile::remove(e.old);
}

void FileBatch::rollBack() {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->placed)
            QFile::remove(it->target);
        if (it->movedOld)
            renameOver(it->old, it->target);
        it->placed = false;
        it->movedOld = false;
    }
    for (const Entry &e : entries_)
        QFile::remove(e.staged);
}

} // namespace hz
