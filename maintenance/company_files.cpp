#include "maintenance/company_files.h"

#include "common/profile.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/capital.h"
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
    return {specialFieldPath(code), schedule5_1CapitalPath(code),
            companyPath(dataroot::schedules + QStringLiteral("\\中間申告"), code), schedule11Path(code),
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
