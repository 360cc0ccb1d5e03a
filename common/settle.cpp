#include "common/settle.h"

#include "common/profile.h"
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

#include <QByteArrayList>

namespace hz {

QStringList companyRecordPaths(std::int32_t code) {
    return {profilePath(code),          specialFieldPath(code),    schedule1Path(code),
            schedule2Path(code),        schedule4Path(code),       schedule5_1Path(code),
            schedule5_1CapitalPath(code), schedule5_2Path(code),   schedule5_2Part2Path(code),
            schedule6Path(code),        schedule7Path(code),       schedule15Path(code),
            schedule11Path(code),       schedule11DetailPath(code), interimAmountPath(code)};
}

namespace {
QByteArrayList recordBytes(const QStringList &paths) {
    QByteArrayList bytes;
    for (const QString &path : paths)
        bytes << readRawFile(path);
    return bytes;
}
} // namespace

int settleRecords(std::int32_t code, const std::function<void()> &pass, int maxPasses) {
    const QStringList paths = companyRecordPaths(code);
    QByteArrayList before = recordBytes(paths);
    int passes = 0;
    while (passes < maxPasses) {
        pass();
        ++passes;
        QByteArrayList after = recordBytes(paths);
        if (after == before)
            break;
        before = std::move(after);
    }
    return passes;
}

} // namespace hz
