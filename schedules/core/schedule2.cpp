#include "schedules/core/schedule2.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <limits>

namespace hz {

namespace {
// The record stores the texts column by column: all ranks, then all addresses, names and relations.
int textIndex(int line) {
    if (line == 0)
        return 0;
    const int column = (line - 1) / 6; // 0 rank, 1 address, 2 name, 3 relation
    const int row = (line - 1) % 6 + 1;
    return 4 * row - 3 + column;
}
} // namespace

QString schedule2Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1020"), companyCode);
}

Schedule2Record readSchedule2At(const QString &windowsPath) {
    Schedule2Record rec;
    RecordReader in(windowsPath);
    for (int line = 0; line < 25; ++line)
        rec.holderTexts[textIndex(line)] = in.string();
    for (std::int32_t &v : rec.holderAmounts)
        v = in.whole();
    in.close();
    return rec;
}

Schedule2Record readSchedule2(std::int32_t companyCode) { return readSchedule2At(schedule2Path(companyCode)); }

void writeSchedule2(std::int32_t companyCode, const Schedule2Record &rec) {
    RecordWriter out(schedule2Path(companyCode));
    for (int line = 0; line < 25; ++line)
        out.string(rec.holderTexts[textIndex(line)]);
    for (std::int32_t v : rec.holderAmounts)
        out.whole(v);
    out.close();
}

std::int32_t holdingsTotal(const std::array<std::int32_t, 6> &holdings) {
    std::int32_t total = 0;
    for (std::int32_t h : holdings)
        total = add(total, h);
    return total;
}

std::optional<std::int32_t> familyCompanyPercentage(std::int32_t topThree, std::int32_t total) {
    if (total == 0)
        return std::nullopt;
    const std::int64_t num = std::int64_t{topThree} * 100;
    std::int64_t q = num / total;
    if ((num % total != 0) && ((num < 0) != (total < 0)))
        --q; // toward minus infinity, as a rounding down does
    if (q < std::numeric_limits<std::int32_t>::min() || q > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(q);
}

} // namespace hz
