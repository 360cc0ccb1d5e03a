#include "schedules/core/schedule5_1.h"

#include "schedules/more/schedule5_2.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <algorithm>

namespace hz {

namespace {
std::int32_t &at(Schedule5_1Cells &cells, int row, int column) { return cells[schedule5_1Cell(row, column) - 1]; }
std::int32_t at(const Schedule5_1Cells &cells, int row, int column) { return cells[schedule5_1Cell(row, column) - 1]; }
} // namespace

QString schedule5_1Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1051"), companyCode);
}

Schedule5_1Record readSchedule5_1At(const QString &windowsPath) {
    Schedule5_1Record rec;
    readCellsAndNames(windowsPath, rec.cells, rec.rowNames);
    return rec;
}

Schedule5_1Record readSchedule5_1(std::int32_t companyCode) { return readSchedule5_1At(schedule5_1Path(companyCode)); }

void writeSchedule5_1(std::int32_t companyCode, const Schedule5_1Record &rec) {
    writeCellsAndNames(schedule5_1Path(companyCode), rec.cells, rec.rowNames);
}

Schedule5_1Result computeSchedule5_1(const Schedule5_1Input &in) {
    Schedule5_1Result r;
    Schedule5_1Cells &c = r.cells;
    for (int row = 1; row < s51::totalRow; ++row)
        for (int col = 1; col <= 4; ++col)
            at(c, row, col) = at(in.cells, row, col);

    // 26 繰越損益金: the whole balance at the start is taken out in ②, so ② always equals ①.
    at(c, s51::retainedEarningsRow, 2) = at(c, s51::retainedEarningsRow, 1);

    // 28-30 未納法人税等 are liabilities: typed or pushed either way, they are kept as zero or less.
    for (int row = s51::firstUnpaidTaxRow; row <= s51::lastUnpaidTaxRow; ++row)
        for (int col = 1; col <= 4; ++col)
            if (at(c, row, col) > 0)
                at(c, row, col) = -at(c, row, col);

    // ⑤ 差引翌期首 = ① − ② + ③ + ④ of each row.
    for (int row = 1; row < s51::totalRow; ++row)
        at(c, row, 5) = add(add(sub(at(c, row, 1), at(c, row, 2)), at(c, row, 3)), at(c, row, 4));

    // 31 差引合計額: each column summed over rows 1-13, then ⑤ again from the totals.
    for (int col = 1; col <= 5; ++col) {
        std::int32_t sum = 0;
        for (int row = 1; row < s51::totalRow; ++row)
            sum = add(sum, at(c, row, col));
        at(c, s51::totalRow, col) = sum;
    }
    at(c, s51::totalRow, 5) = add(add(sub(at(c, s51::totalRow, 1), at(c, s51::totalRow, 2)), at(c, s51::totalRow, 3)),
                                  at(c, s51::totalRow, 4));
    return r;
}

Schedule5_1Reconciliation schedule5_1Reconciliation(const Schedule5_1Cells &c) {
    Schedule5_1Reconciliation r;
    r.startTotal = at(c, s51::totalRow, 1);
    r.unpaidDisposal = add(add(at(c, 11, 4), at(c, 12, 4)), at(c, 13, 4));
    r.carriedTotal = at(c, s51::totalRow, 5);
    r.unpaidIncrease = add(add(at(c, 11, 3), at(c, 12, 3)), at(c, 13, 3));
    return r;
}

FinalUnpaidInhabitantTaxes readFinalUnpaidInhabitantTaxes(std::int32_t companyCode) {
    FinalUnpaidInhabitantTaxes t;
    // Only the lines up to 72 are needed; a record cut short after them still serves.
    RecordReader in(schedule5_2Path(companyCode));
    for (int line = 1; line <= 72; ++line) {
        const std::int32_t v = in.whole();
        if (line == 48)
            t.prefectural = v; // 法人県民税 確定 ⑥
        else if (line == 72)
            t.municipal = v; // 法人市民税 確定 ⑥
    }
    in.close();
    return t;
}

QString unpaidTaxText(std::int32_t finalBalance) { return fmtNegAmount(std::max(finalBalance, 0)); }

} // namespace hz
