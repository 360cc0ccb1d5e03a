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

} // namespace hz::company_files
