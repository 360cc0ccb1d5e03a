#include "schedules/core/capital.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

namespace hz {

namespace {
std::int32_t &at(CapitalCells &cells, int row, int column) { return cells[capitalCell(row, column) - 1]; }
constexpr int totalRow = 4;
} // namespace

QString schedule5_1CapitalPath(std::int32_t companyCode) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\1051資準"), companyCode);
}

Schedule5_1CapitalRecord readSchedule5_1CapitalAt(const QString &windowsPath) {
    Schedule5_1CapitalRecord rec;
    readCellsAndNames(windowsPath, rec.cells, rec.rowNames);
    return rec;
}

Schedule5_1CapitalRecord readSchedule5_1Capital(std::int32_t companyCode) {
    return readSchedule5_1CapitalAt(schedule5_1CapitalPath(companyCode));
}

void writeSchedule5_1Capital(std::int32_t companyCode, const Schedule5_1CapitalRecord &rec) {
    writeCellsAndNames(schedule5_1CapitalPath(companyCode), rec.cells, rec.rowNames);
}

CapitalResult computeCapital(const CapitalInput &in) {
    CapitalResult r;
    CapitalCells c = in.cells;
    // 35 差引合計額 ① ② ③: each column over rows 32-34.
    for (int col = 1; col <= 3; ++col)
        at(c, totalRow, col) = add(add(at(c, 1, col), at(c, 2, col)), at(c, 3, col));
    // ⑤ 差引翌期首 = ① − ② + ③ of every row, the totals row included.
    for (int row = 1; row <= totalRow; ++row)
        at(c, row, 4) = add(sub(at(c, row, 1), at(c, row, 2)), at(c, row, 3));
    r.cells = c;
    return r;
}

} // namespace hz
