#include "core/durability.h"

#include "core/records.h"

#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace hz {

namespace {
// The folders written; an action writes into a handful at most.
QSet<QString> g_folders;
std::function<void(const QString &)> g_observer;

QString folderOf(const QString &hostFilePath) {
    const qsizetype slash = hostFilePath.lastIndexOf(u'/');
    return slash > 0 ? hostFilePath.left(slash) : QStringLiteral("/");
}

// Syncs the file system that holds folder. A folder removed since is stood for by the nearest one above it.
bool syncFileSystemOf(QString folder, std::vector<dev_t> &done) {
    struct stat st {};
    while (::stat(QFile::encodeName(folder).constData(), &st) != 0) {
        if (folder == QStringLiteral("/"))
            return false;
        folder = folderOf(folder);
    }
    for (dev_t d : done)
        if (d == st.st_dev)
            return true;
    done.push_back(st.st_dev);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
#ifdef __linux__
    const bool synced = ::syncfs(fd) == 0;
#else
    // Without a per-file-system sync, the folder's own entries and then everything.
    const bool synced = ::fsync(fd) == 0;
    ::sync();
#endif
    ::close(fd);
    return synced;
}
} // namespace

void noteWritten(const QString &hostFilePath) {
    forgetRecordBytes(hostFilePath);
    g_folders.insert(folderOf(hostFilePath));
    if (g_observer)
        g_observer(hostFilePath);
}

bool syncWritten() {
    if (g_folders.isEmpty())
        return true;
    return syncFileSystemsOf(std::exchange(g_folders, {}).values());
}

bool syncFileSystemsOf(const QStringList &hostFolders) {
    std::vector<dev_t> done;
    bool ok = true;
    for (const QString &folder : hostFolders)
        ok = syncFileSystemOf(folder, done) && ok;
    return ok;
}

int foldersAwaitingSync() { return int(g_folders.size()); }

void setWriteObserver(std::function<void(const QString &)> observer) { g_observer = std::move(observer); }

} // namespace hz
