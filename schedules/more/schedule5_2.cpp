#include "schedules/more/schedule5_2.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <algorithm>

namespace hz {

namespace {

// ⑥ = ① + ② − ③ − ④ − ⑤, left to right.
std::int32_t unpaidAtEnd(const Schedule5_2Cells &c, int row) {
    auto at = [&](int col) { return cellAt(c, taxGridCell(row, col)); };
    return sub(sub(sub(add(at(1), at(2)), at(3)), at(4)), at(5));
}

struct Block {
    int firstRow;
    int totalRow;
};

Block blockOf(Schedule5_2Tax tax) {
    switch (tax) {
    case Schedule5_2Tax::corporate:
        return {s52::corporatePrevious, s52::corporateTotal};
    case Schedule5_2Tax::prefectural:
        return {s52::prefecturalPrevious, s52::prefecturalTotal};
    case Schedule5_2Tax::municipal:
        break;
    }
    return {s52::municipalPrevious, s52::municipalTotal};
}

// The part-2 grid's ⑥ = ② + ① − ③ − ④ − ⑤.
std::int32_t part2UnpaidAtEnd(const Schedule5_2Part2Values &v, int row) {
    auto at = [&](int col) { return v[taxGridCell(row, col)]; };
    return sub(sub(sub(add(at(2), at(1)), at(3)), at(4)), at(5));
}

} // namespace

QString schedule5_2Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1052"), companyCode);
}

Schedule5_2Cells readSchedule5_2FileAt(const QString &windowsPath) {
    Schedule5_2Cells cells{};
    RecordReader in(windowsPath);
    for (std::int32_t &v : cells)
        v = in.whole();
    return cells;
}

Schedule5_2Cells readSchedule5_2File(std::int32_t companyCode) {
    return readSchedule5_2FileAt(schedule5_2Path(companyCode));
}

void writeSchedule5_2File(std::int32_t companyCode, const Schedule5_2Cells &cells) {
    RecordWriter out(schedule5_2Path(companyCode));
    for (std::int32_t v : cells)
        out.whole(v);
    out.close();
}

void computeSchedule5_2Tax(Schedule5_2Cells &c, Schedule5_2Tax tax) {
    const Block b = blockOf(tax);
    for (int row = b.firstRow; row < b.totalRow; ++row)
        cellAt(c, taxGridCell(row, 6)) = unpaidAtEnd(c, row);
    // 計 = the rows above it, column by column; its ⑥ is the sum of the rows' ⑥, not derived again.
    for (int col = 1; col <= 6; ++col) {
        std::int32_t sum = cellAt(c, taxGridCell(b.firstRow, col));
        for (int row = b.firstRow + 1; row < b.totalRow; ++row)
            sum = add(sum, cellAt(c, taxGridCell(row, col)));
        cellAt(c, taxGridCell(b.totalRow, col)) = sum;
    }
}

Schedule5_2Cells computeSchedule5_2(const Schedule5_2Cells &in) {
    Schedule5_2Cells c = in;
    computeSchedule5_2Tax(c, Schedule5_2Tax::corporate);
    computeSchedule5_2Tax(c, Schedule5_2Tax::prefectural);
    computeSchedule5_2Tax(c, Schedule5_2Tax::municipal);
    return c;
}

Schedule5_2ToSchedule4 schedule5_2ToSchedule4(const Schedule5_2Cells &c) {
    Schedule5_2ToSchedule4 r;
    // 別表四 2 損金計上法人税 = 法人税 計 ⑤
    r.corporateTax = cellAt(c, 23);
    // 別表四 3 損金計上住民税 = 市民税 計 ⑤ + 県民税 計 ⑤ − 利子割 ⑤ (the interest levy has its own line 4)
    r.inhabitantTaxes = sub(add(cellAt(c, 77), cellAt(c, 53)), cellAt(c, 35));
    r.interestLevy = cellAt(c, 35);
    return r;
}

Schedule5_2Unpaid schedule5_2Unpaid(const Schedule5_2Cells &c) {
    // ② 減 of a 未納 row is what was paid this year (計 ③ + ④ + ⑤) less what the final return paid out of the
    // provision; ③ 増 is the interim tax; ④ is what remains unpaid.
    auto paid = [&](int total, int final) {
        const int t = taxGridCell(total, 1);
        return sub(add(add(cellAt(c, t + 3), cellAt(c, t + 2)), cellAt(c, t + 4)), cellAt(c, taxGridCell(final, 3)));
    };
    Schedule5_2Unpaid u;
    u.corporate = {cellAt(c, 19), paid(s52::corporateTotal, s52::corporateFinal), cellAt(c, 8), cellAt(c, 24)};
    // An inhabitant tax whose balance at the year's end is below 0 has a refund due, which is no unpaid tax.
    u.prefectural = {cellAt(c, 49), paid(s52::prefecturalTotal, s52::prefecturalFinal),
                     add(cellAt(c, 38), cellAt(c, 32)), std::max(cellAt(c, 54), 0)};
    u.municipal = {cellAt(c, 73), paid(s52::municipalTotal, s52::municipalFinal), cellAt(c, 62),
                   std::max(cellAt(c, 78), 0)};
    return u;
}

std::int32_t schedule5_2Reversal(const Schedule5_2Cells &c) {
    return add(add(cellAt(c, 51), cellAt(c, 21)), cellAt(c, 75));
}

QString schedule5_2Part2Path(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1053"), companyCode);
}

Schedule5_2Part2Record readSchedule5_2Part2FileAt(const QString &windowsPath) {
    Schedule5_2Part2Record rec;
    readCellsAndNames(windowsPath, rec.cells, rec.rowNames);
    return rec;
}

Schedule5_2Part2Record readSchedule5_2Part2File(std::int32_t companyCode) {
    return readSchedule5_2Part2FileAt(schedule5_2Part2Path(companyCode));
}

void writeSchedule5_2Part2File(std::int32_t companyCode, const Schedule5_2Part2Record &rec) {
    writeCellsAndNames(schedule5_2Part2Path(companyCode), rec.cells, rec.rowNames);
}

void computeEnterpriseTaxRows(Schedule5_2Part2Values &v) {
    // 18 前期: ⑥ = ② + ① − ③ − ④ − ⑤
    v[6] = part2UnpaidAtEnd(v, 1);
    // 19 中間: nothing is unpaid at the start of an interim period.
    v[7] = 0;
    v[12] = sub(sub(sub(v[8], v[9]), v[10]), v[11]);
    // 20 計 = 18 + 19, column by column
    for (int c = 1; c <= 6; ++c)
        v[12 + c] = add(v[6 + c], v[c]);
}

void computeOtherTaxRows(Schedule5_2Part2Values &v, int firstRow, int lastRow) {
    for (int row = firstRow; row <= lastRow; ++row)
        v[taxGridCell(row, 6)] = part2UnpaidAtEnd(v, row);
}

std::int32_t provisionDrawDown(const Schedule5_2Part2Values &v) {
    // ③ 充当金崩し of rows 3-11; row 3 already holds rows 1 and 2.
    std::int32_t d = v[21];
    for (int k : {15, 27, 33, 39, 45, 51, 57, 63})
        d = add(d, v[k]);
    return add(v[s52p2::provisionReversal], d);
}

void computeProvision(Schedule5_2Part2Values &v) {
    // 期末 = 期首 + 損金算入 − 法人等取崩
    v[s52p2::provisionEnd] = sub(add(v[s52p2::provisionCharged], v[s52p2::provisionStart]), provisionDrawDown(v));
}

Schedule5_2Part2Values computeSchedule5_2Part2(const Schedule5_2Part2Values &in) {
    Schedule5_2Part2Values v = in;
    computeEnterpriseTaxRows(v);
    computeOtherTaxRows(v, 4, 11);
    computeProvision(v);
    return v;
}

std::int32_t taxesAndDuesTotal(Schedule5_2Part2Values &v, std::int32_t corporate, std::int32_t prefectural,
                               std::int32_t municipal) {
    v[71] = corporate;
    v[72] = prefectural;
    v[73] = municipal;
    // ⑤ 損金経理 of rows 3-11, after the three taxes of the first window.
    std::int32_t total = add(add(v[72], v[71]), v[73]);
    for (int k : {17, 23, 29, 35, 41, 47, 53, 59, 65})
        total = add(total, v[k]);
    v[76] = total;
    return total;
}

} // namespace hz
