#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace hz {
struct CompanyProfileRecord;
}

// Which files make up one company on the disk, as the maintenance window backs them up, restores, copies and
// deletes them. Every path is one company's: prefix, code in plain decimal, ".txt".
namespace hz::company_files {

// The profile and the nine schedule records, in the order the floppy actions handle them: profile, Schedules 1,
// 2, 4, 5(1), 5(2), 5(2) part 2, 6, 7 and 15.
QStringList coreFiles(std::int32_t code);
// The nine schedule records alone, in the same order.
QStringList scheduleFiles(std::int32_t code);
// The company's other records on the data root: 特設欄, the capital part 1051資準, 中間申告, 100111 and 100112.
QStringList otherRecordFiles(std::int32_t code);
// The 36 statement files a companion program keeps under "c:\法人税\附属明細\", in their fixed order.
QStringList statementFiles(std::int32_t code);

// The same file in the floppy tree: "c:\法人税\..." becomes "a:\法人税\...".
QString onFloppy(const QString &dataRootPath);
// The file itself, where an action reads from the data root.
inline QString onDisk(const QString &dataRootPath) { return dataRootPath; }
using Place = QString (*)(const QString &dataRootPath);

// The floppy tree's folders, root first.
QStringList floppyFolders();

// Runs read and tells whether the file still had the values it reads: false when it ended before them, as an
// older, shorter layout does. Any other failure is thrown on.
bool readIfPresent(const std::function<void()> &read);

// The profile at windowsPath: its 19 values, and the representative's name when the file holds one.
// Throws Error.
CompanyProfileRecord readFullProfile(const QString &windowsPath);
// The company name a profile holds (line 10); empty when the file cannot be read that far.
QString companyNameIn(const QString &profileWindowsPath);

// Runs read of the record at windowsPath; an Error from it comes out again naming the record, so that the box of
// the action says which record stopped it and why.
void readNamingRecord(const QString &windowsPath, const std::function<void()> &read);

// A file an action needs: when nothing stands at windowsPath, an Error that names it and says whether the file or
// its folder is missing; a folder in its place, that the path is not valid.
void requireFile(const QString &windowsPath);

// Reads the record at windowsPath as the windows read the record file of company code (a path of coreFiles or
// otherRecordFiles on the data root). Throws the reader's Error.
void readRecordAt(std::int32_t code, const QString &file, const QString &windowsPath);

// Reads, before an action that copies them writes anything, every record of company code that it will copy, from
// where place puts them: each of required (paths on the data root) must be there; each of optional may be missing,
// but whatever stands in its place must read. Throws an Error naming the first that cannot be read, so that a
// damaged record never takes the place of a sound one.
void requireSoundRecords(std::int32_t code, const QStringList &required, const QStringList &optional, Place place);

} // namespace hz::company_files
