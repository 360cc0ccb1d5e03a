#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Paths are written in the code as the user's files know them ("c:\法人税\別表\1010" + code + ".txt"); this is
// the one place that turns them into host paths. Drive C maps to $HOJINZEI_DRIVE_C and drive A (the backup
// floppy) to $HOJINZEI_DRIVE_A; unset, they live under ~/.local/share/hojinzei/.
namespace hz {

QString hostPath(const QString &windowsPath);

// prefix + code in plain decimal + ".txt": ("c:\法人税\法人名\", 12) gives "c:\法人税\法人名\12.txt".
QString companyPath(const QString &prefix, std::int64_t code);

// Text made safe to stand as one file name: no separators, no "..", no characters file systems refuse.
QString safeFileName(const QString &text);

namespace dataroot {
inline const QString root = QStringLiteral("c:\\法人税");
inline const QString profiles = QStringLiteral("c:\\法人税\\法人名");
inline const QString schedules = QStringLiteral("c:\\法人税\\別表");
inline const QString temp = QStringLiteral("c:\\法人税\\法人税Temp\\");
inline const QString profilePrefix = QStringLiteral("c:\\法人税\\法人名\\");
inline const QString taxRateFile = QStringLiteral("c:\\法人税\\税率.txt");
} // namespace dataroot

// Creates each missing folder of the data root, root first. Throws an Error when one cannot be made.
void ensureDataRoot();

bool folderExists(const QString &windowsPath);
// A record the user action saved and has not written yet stands as a file.
bool fileExists(const QString &windowsPath);
// The names of everything in the folder: files, folders and whatever else stands there; none when the folder is
// missing.
QStringList entryNamesIn(const QString &windowsFolder);
// Each throws an Error with the platform's description when the operation fails. A removal of a folder and a copy
// write the records the action saved first (writePendingRecords), and throw what that throws; a record saved and
// not yet written counts as a file that stands.
void createFolder(const QString &windowsPath); // fails when it exists or its parent does not
void removeFolder(const QString &windowsPath); // fails when missing or not empty
void deleteFile(const QString &windowsPath);
void copyFile(const QString &fromWindowsPath, const QString &toWindowsPath);

} // namespace hz
