#include "schedules/core/interim.h"

#include "core/paths.h"
#include "core/records.h"

namespace hz {
namespace {
const QString interimPrefix = QStringLiteral("c:\\法人税\\別表\\中間申告");
}

QString interimAmountPath(std::int32_t companyCode) { return companyPath(interimPrefix, companyCode); }

InterimAmountRecord readInterimAmountsAt(const QString &windowsPath) {
    InterimAmountRecord rec;
    RecordReader in(windowsPath);
    for (std::int32_t &a : rec.amounts)
        a = in.whole();
    return rec;
}

InterimAmountRecord readInterimAmounts(std::int32_t companyCode) {
    return readInterimAmountsAt(interimAmountPath(companyCode));
}

void writeInterimAmounts(std::int32_t companyCode, const InterimAmountRecord &rec) {
    writeInterimAmountsAt(interimAmountPath(companyCode), rec);
}

void writeInterimAmountsAt(const QString &windowsPath, const InterimAmountRecord &rec) {
    RecordWriter out(windowsPath);
    for (std::int32_t a : rec.amounts)
        out.whole(a);
    out.tail();
    out.close();
}

} // namespace hz
