#include "maintenance/company_files.h"

#include "common/profile.h"
#include "common/read_or_say.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/capital.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/bad_debt.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule6.h"
#include "schedules/more/schedule7.h"


namespace hz::company_files {

QStringList scheduleFiles(std::int32_t code) {
    return {schedule1Path(code),   schedule2Path(code),   schedule4Path(code),
            schedule5_1Path(code), schedule5_2Path(code), schedule5_2Part2Path(code),
            schedule6Path(code),   schedule7Path(code),   schedule15Path(code)};
}

QStringList coreFiles(std::int32_t code) { return QStringList{profilePath(code)} + scheduleFiles(code); }

QStringList otherRecordFiles(std::int32_t code) {
    return {specialFieldPath(code), schedule5_1CapitalPath(code), interimAmountPath(code), schedule11Path(code),
            schedule11DetailPath(code)};
}

QStringList statementFiles(std::int32_t code) {
    // Each statement in its plain form, then the form with "A" in front; two of them also keep a subtotal.
    static const char *const prefixes[] = {"①",    "A①",   "②",  "A②",  "③",    "A③",       "④仮", "A④仮", "④貸",
                                           "A④貸", "⑤",    "A⑤", "⑦",   "A⑦",   "⑧",        "A⑧",  "⑨買",  "A⑨買",
                                           "⑨未",  "A⑨未", "⑩",  "A⑩",  "⑪一",  "A⑪一",     "⑪二", "A⑪二", "⑭",
                                           "A⑭",   "⑮",    "A⑮", "⑯益", "A⑯益", "A⑯益小計", "⑯損", "A⑯損", "A⑯損小計"};
    QStringList files;
    for (const char *prefix : prefixes)
        files << companyPath(dataroot::root + QStringLiteral("\\附属明細\\") + QString::fromUtf8(prefix), code);
    return files;
}

QString onFloppy(const QString &dataRootPath) { return QStringLiteral("a:") + dataRootPath.mid(2); }

QStringList floppyFolders() {
    return {onFloppy(dataroot::root), onFloppy(dataroot::profiles), onFloppy(dataroot::schedules)};
}

bool readIfPresent(const std::function<void()> &read) {
    try {
        read();
        return true;
    } catch (const Error &e) {
        if (e.description() != Error::pastEndOfFile().description())
            throw;
        return false;
    }
}

CompanyProfileRecord readFullProfile(const QString &windowsPath) {
    CompanyProfileRecord rec;
    RecordReader in(windowsPath);
    readProfilePrefix(in, rec, 19);
    readIfPresent([&] { rec.representativeName = in.string(); });
    return rec;
}

namespace {

// The reading of each record file of a company, as its window reads it.
using ReadAt = void (*)(const QString &windowsPath);
struct RecordReading {
    QString (*path)(std::int32_t code);
    ReadAt read;
};

const RecordReading kReadings[] = {
    {[](std::int32_t c) { return profilePath(c); }, [](const QString &at) { readFullProfile(at); }},
    {schedule1Path,
     [](const QString &at) {
         Schedule1Record rec;
         readSchedule1At(at, rec);
     }},
    {schedule2Path, [](const QString &at) { readSchedule2At(at); }},
    {[](std::int32_t c) { return schedule4Path(c); }, [](const QString &at) { readSchedule4At(at); }},
    {schedule5_1Path, [](const QString &at) { readSchedule5_1At(at); }},
    {schedule5_2Path, [](const QString &at) { readSchedule5_2FileAt(at); }},
    {schedule5_2Part2Path, [](const QString &at) { readSchedule5_2Part2FileAt(at); }},
    {schedule6Path, [](const QString &at) { readSchedule6At(at); }},
    {schedule7Path,
     [](const QString &at) {
         Schedule7Items items{};
         readSchedule7At(at, items);
     }},
    {schedule15Path, [](const QString &at) { readSchedule15At(at); }},
    {[](std::int32_t c) { return specialFieldPath(c); },
     [](const QString &at) {
         SpecialFieldRecord rec;
         readSpecialFieldsAnyFormAt(at, rec);
     }},
    {schedule5_1CapitalPath, [](const QString &at) { readSchedule5_1CapitalAt(at); }},
    {interimAmountPath, [](const QString &at) { readInterimAmountsAt(at); }},
    {[](std::int32_t c) { return schedule11Path(c); }, [](const QString &at) { readSchedule11At(at); }},
    {[](std::int32_t c) { return schedule11DetailPath(c); }, [](const QString &at) { readSchedule11DetailAt(at); }},
};

} // namespace

void readRecordAt(std::int32_t code, const QString &file, const QString &windowsPath) {
    for (const RecordReading &r : kReadings) {
        if (r.path(code) == file) {
            r.read(windowsPath);
            return;
        }
    }
    // Every file the data window copies has its reading above; one without would be copied unread.
    throw Error::badPath();
}

void readNamingRecord(const QString &windowsPath, const std::function<void()> &read) {
    try {
        read();
    } catch (const Error &e) {
        throw Error(unreadableText(windowsPath, e)).aboutRecord(windowsPath);
    }
}

void requireFile(const QString &windowsPath) {
    if (fileExists(windowsPath))
        return;
    const QString folder = windowsPath.left(windowsPath.lastIndexOf(u'\\'));
    const Error why = folderExists(windowsPath) ? Error::badPath()
                      : folderExists(folder)    ? Error::fileNotFound()
                                                : Error::pathNotFound();
    throw Error(unreadableText(windowsPath, why)).aboutRecord(windowsPath);
}

void requireSoundRecords(std::int32_t code, const QStringList &required, const QStringList &optional, Place place) {
    for (const QString &file : required + optional) {
        const QString at = place(file);
        if (!recordExists(at)) {
            if (!optional.contains(file))
                requireFile(at);
            continue;
        }
        readNamingRecord(at, [&] { readRecordAt(code, file, at); });
    }
}

QString companyNameIn(const QString &profileWindowsPath) {
    try {
        CompanyProfileRecord rec;
        RecordReader in(profileWindowsPath);
        readProfilePrefix(in, rec, 10);
        return rec.companyName;
    } catch (const Error &) {
        return {};
    }
}

} // namespace hz::company_files
