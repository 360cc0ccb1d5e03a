#include "schedules/more/schedule7.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <algorithm>

namespace hz {

QString schedule7Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1070"), companyCode);
}

void readSchedule7At(const QString &windowsPath, Schedule7Items &items) {
    RecordReader in(windowsPath);
    int line = 0;
    for (int item : schedule7RecordItems) {
        if (line++ == 19 && in.atEnd())
            return; // the rollover's record ends after the newer years
        items[item] = in.whole();
    }
}

void readSchedule7(std::int32_t companyCode, Schedule7Items &items) {
    readSchedule7At(schedule7Path(companyCode), items);
}

void writeSchedule7(std::int32_t companyCode, const Schedule7Items &items) {
    RecordWriter out(schedule7Path(companyCode));
    for (int item : schedule7RecordItems)
        out.whole(items[item]);
    out.tail();
    out.close();
}

void writeZeroSchedule7(std::int32_t companyCode) {
    RecordWriter out(schedule7Path(companyCode));
    for (int i = 0; i < 31; ++i)
        out.whole(0);
    out.tail();
    out.close();
}

namespace {
// The oldest row whose loss this year's income may still absorb. Losses of business years that started before
// 平成13年4月1日 could be carried for five years only, so in periods starting in 平成18 the 7th and 6th years
// and in 平成19 the 7th year are out of the deduction.
int firstDeductibleRow(std::int32_t periodStartYear) {
    switch (periodStartYear) {
    case 18:
        return 2;
    case 19:
        return 1;
    default:
        return 0;
    }
}
} // namespace

Schedule7Result computeSchedule7(const Schedule7Input &in) {
    Schedule7Result r;
    Schedule7Items &v = r.items;
    v = in.items;
    v[s7::income] = in.income;

    // 当期欠損金額: a loss this year deducts nothing and joins what is carried on.
    if (in.income > 0) {
        v[s7::currentLoss] = 0;
    } else {
        v[s7::currentLoss] = sub(0, in.income);
        for (const Schedule7Row &row : schedule7Rows)
            v[row.deducted] = 0;
    }

    // 計 控除未済
    std::int32_t outstanding = 0;
    for (const Schedule7Row &row : schedule7Rows)
        outstanding = add(outstanding, v[row.outstanding]);
    v[s7::outstandingTotal] = outstanding;

    for (const Schedule7Row &row : schedule7Rows)
        if (v[row.outstanding] < 1)
            v[row.deducted] = 0;

    // 当期控除, oldest first: each row takes what is left of the income after the older rows, up to its own loss.
    // Rows out of the deduction keep the deduction they hold and still count against the income.
    if (in.income >= 0) {
        const int first = firstDeductibleRow(in.periodStartYear);
        for (int k = first; k < int(schedule7Rows.size()); ++k) {
            const Schedule7Row &row = schedule7Rows[k];
            if (v[row.outstanding] < 1)
                continue;
            std::int32_t remainder = in.income;
            for (int older = 0; older < k; ++older)
                remainder = sub(remainder, v[schedule7Rows[older].deducted]);
            v[row.deducted] = std::min(v[row.outstanding], remainder);
        }
        for (int k = 2; k < int(schedule7Rows.size()); ++k)
            if (v[schedule7Rows[k].deducted] < 1)
                v[schedule7Rows[k].deducted] = 0;
    }

    // 翌期繰越 = 控除未済 − 当期控除; what the 7th year does not use now lapses.
    std::int32_t carried = 0;
    for (const Schedule7Row &row : schedule7Rows) {
        if (row.carried == 0)
            continue;
        v[row.carried] = sub(v[row.outstanding], v[row.deducted]);
        carried = add(carried, v[row.carried]);
    }
    v[s7::carriedTotal] = carried;
    v[s7::grandTotal] = add(v[s7::currentLoss], carried);

    // 計 当期控除, never more than the losses there are.
    std::int32_t deducted = 0;
    for (const Schedule7Row &row : schedule7Rows)
        deducted = add(deducted, v[row.deducted]);
    v[s7::deductedTotal] = std::min(deducted, outstanding);
    return r;
}

} // namespace hz
