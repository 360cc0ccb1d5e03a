#include "schedules/more/schedule6.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <algorithm>
#include <cmath>

namespace hz {

namespace {
// Holding the shares longer than the base period cannot earn more than the whole withheld tax.
constexpr std::int32_t kFullRatio = 1000;

// 控除所得税 = 所得税額 × 割合 / 1000, rounded down. The product is formed in 64 bits: with the full ratio a 32-bit
// product would fail from a withheld tax of 2,147,484 yen on.
std::int32_t issueCredit(std::int32_t ratio, std::int32_t withheld) {
    const std::int64_t product = std::int64_t(ratio) * withheld;
    std::int64_t q = product / kFullRatio;
    if (product % kFullRatio != 0 && product < 0)
        --q;
    return narrow(q);
}
} // namespace

QString schedule6Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1060"), companyCode);
}

Schedule6Record readSchedule6At(const QString &windowsPath) {
    Schedule6Record rec;
    RecordReader in(windowsPath);
    for (int i = 1; i <= 21; ++i)
        rec.items[i] = in.whole();
    for (QString &name : rec.issueNames)
        name = in.string();
    return rec;
}

Schedule6Record readSchedule6(std::int32_t companyCode) { return readSchedule6At(schedule6Path(companyCode)); }

void writeSchedule6(std::int32_t companyCode, const Schedule6Record &rec) {
    RecordWriter out(schedule6Path(companyCode));
    for (int i = 1; i <= 21; ++i)
        out.whole(rec.items[i]);
    for (const QString &name : rec.issueNames)
        out.string(name);
    out.close();
}

std::int32_t schedule6Ratio(std::int32_t basePeriod, std::int32_t holdingPeriod, std::int32_t previousRatio) {
    if (basePeriod == 0)
        return std::min(previousRatio, kFullRatio);
    // 所有期間 / 基礎期間 in per mille; the 0.0009 keeps 12/12 from falling just short of 1000 in binary.
    const double ratio = std::floor((double(holdingPeriod) / double(basePeriod) + 0.0009) * 1000.0);
    return floorWhole(std::min(ratio, double(kFullRatio)));
}

Schedule6Result computeSchedule6(const Schedule6Input &in) {
    Schedule6Result r;
    Schedule6Items &v = r.items;

    // 預貯金の利子: the whole withheld tax is credited.
    v[s6::interest] = in.interest;
    v[s6::interestTax] = in.interestTax;
    v[s6::interestCredit] = in.interestTax;

    for (int k = 0; k < 2; ++k) {
        const Schedule6Issue &issue = in.issues[k];
        std::int32_t *row = &v[s6::issueFirst[k]];
        row[s6::received] = issue.received;
        row[s6::withheld] = issue.withheld;
        row[s6::basePeriod] = issue.basePeriod;
        row[s6::holdingPeriod] = issue.holdingPeriod;
        // A row left empty credits nothing and keeps no ratio of an issue it no longer holds.
        const bool empty =
            issue.received == 0 && issue.withheld == 0 && issue.basePeriod == 0 && issue.holdingPeriod == 0;
        row[s6::ratio] = empty ? 0 : schedule6Ratio(issue.basePeriod, issue.holdingPeriod, issue.previousRatio);
        row[s6::credit] = issueCredit(row[s6::ratio], issue.withheld);
    }
    const std::int32_t *first = &v[s6::issueFirst[0]];
    const std::int32_t *second = &v[s6::issueFirst[1]];

    // 利益の配当: the received amounts of both issues; its 所得税額 is already what they credit.
    v[s6::dividends] = add(second[s6::received], first[s6::received]);
    v[s6::dividendTax] = add(second[s6::credit], first[s6::credit]);
    v[s6::dividendCredit] = v[s6::dividendTax];

    // 計 of each column.
    v[s6::totalReceived] = add(v[s6::dividends], v[s6::interest]);
    v[s6::totalTax] = add(v[s6::dividendTax], v[s6::interestTax]);
    v[s6::totalCredit] = add(v[s6::dividendCredit], v[s6::interestCredit]);
    return r;
}

} // namespace hz
