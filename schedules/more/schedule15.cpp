#include "schedules/more/schedule15.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <algorithm>

namespace hz {

QString schedule15Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1150"), companyCode);
}

Schedule15Items readSchedule15At(const QString &windowsPath) {
    Schedule15Items items{};
    RecordReader in(windowsPath);
    for (int i = 1; i <= 7; ++i)
        items[i] = in.whole();
    return items;
}

Schedule15Items readSchedule15(std::int32_t companyCode) { return readSchedule15At(schedule15Path(companyCode)); }

void writeSchedule15(std::int32_t companyCode, const Schedule15Items &items) {
    RecordWriter out(schedule15Path(companyCode));
    for (int i = 1; i <= 7; ++i)
        out.whole(items[i]);
    out.tail();
    out.close();
}

bool schedule15TenPercent(std::int32_t periodStartYear, std::int32_t periodStartMonth) {
    return periodStartYear > 15 || (periodStartYear == 15 && periodStartMonth >= 4);
}

Schedule15Result computeSchedule15(const Schedule15Input &in) {
    Schedule15Result r;
    Schedule15Items &v = r.items;
    v[s15::expenditure] = in.expenditure;
    v[s15::excludedCosts] = in.excludedCosts;
    v[s15::fixedLimit] = in.fixedLimit;

    // 差引交際費等の額 = 支出額 − 控除される費用; it is the year's 支出交際費等の額.
    v[s15::netExpenses] = sub(in.expenditure, in.excludedCosts);
    v[s15::expenses] = v[s15::netExpenses];

    // 損金算入限度額: 90 % (or 80 %) of the lesser of the expenses and the fixed limit. The added 0.9 rounds the
    // tenths of a yen up in the company's favour.
    const std::int32_t lesser = std::min(v[s15::expenses], v[s15::fixedLimit]);
    const double share = in.tenPercent ? 0.9 : 0.8;
    v[s15::deductibleLimit] = floorWhole(double(lesser) * share + 0.9);

    // 損金不算入額 = 支出交際費等の額 − 損金算入限度額
    v[s15::nonDeductible] = sub(v[s15::expenses], v[s15::deductibleLimit]);
    return r;
}

std::int32_t nextFixedDeductionLimit(const QString &boxText) {
    constexpr std::int32_t kStartFrom = 2000000;
    constexpr std::int32_t kStep = 1000000;
    std::int32_t next = 0;
    try {
        std::int32_t current = toWhole(boxText);
        if (current == 0)
            current = kStartFrom;
        next = add(current, kStep);
    } catch (const Error &) {
        next = kStartFrom + kStep;
    }
    // 4,000,001 rather than 4,000,000: the top limit itself is reached, and the next press goes back to 0.
    return next > 4000001 ? 0 : next;
}

} // namespace hz
