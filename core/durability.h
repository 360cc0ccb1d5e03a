#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Renaming a finished file over a record keeps the record whole when the program is killed; only a sync makes
// it outlast a power cut. Syncing every record would make a chain wait on the drive a dozen times, so the writes
// of one user action are remembered here and synced together when the action ends: one sync of each file
// system written. Writes made outside a user action (tests that press buttons directly) wait for the next
// action's sync, or are never synced if none follows.
namespace hz {

// Remembers that a file at this host path was just written, replaced or removed.
void noteWritten(const QString &hostFilePath);

// Syncs each file system written to since the last call, once, and forgets what was written. Returns false when
// one could not be synced: what was written may not be on the drive.
bool syncWritten();

// Syncs now each file system that holds one of these host folders (or, for a folder removed since, the nearest one
// above it), once. Returns false when one could not be synced. For writes that must be on the drive before the
// next step, as a set of records replaced together needs; what the action noted is synced at its end all the same.
bool syncFileSystemsOf(const QStringList &hostFolders);

// How many folders wait for the sync; for tests.
int foldersAwaitingSync();
// Called with the host path of every file noted, just after it was written; for tests that look at each state
// a chain leaves a file in. An empty function stops it.
void setWriteObserver(std::function<void(const QString &hostFilePath)> observer);

} // namespace hz
