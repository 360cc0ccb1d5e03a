#include "schedules/core/schedule4.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <algorithm>

namespace hz {
namespace {

const QString schedule4Prefix = QStringLiteral("c:\\法人税\\別表\\1040");

// Cells 13 and 29 belong to no line, so the record skips them: cells 1-12, 14-28 and 30-62, one a line.
constexpr bool storedCell(int c) { return c >= 1 && c <= 62 && c != 13 && c != 29; }

} // namespace

QString schedule4Path(std::int64_t code) { return companyPath(schedule4Prefix, code); }

Schedule4Record readSchedule4At(const QString &windowsPath) {
    Schedule4Record rec;
    RecordReader in(windowsPath);
    for (int c = 1; c < kIncomeCellCount; ++c)
        if (storedCell(c))
            rec.cells[c] = in.whole();
    for (QString &name : rec.names)
        name = in.string();
    return rec;
}

Schedule4Record readSchedule4(std::int32_t code) { return readSchedule4At(schedule4Path(code)); }

void writeSchedule4(std::int32_t code, const Schedule4Record &rec) {
    RecordWriter out(schedule4Path(code));
    for (int c = 1; c < kIncomeCellCount; ++c)
        if (storedCell(c))
            out.whole(rec.cells[c]);
    for (const QString &name : rec.names)
        out.string(name);
    out.tail();
    out.close();
}

Schedule4Result computeSchedule4(const Schedule4Input &in) {
    Schedule4Result r;
    IncomeCells &c = r.cells;
    c = in.cells;

    // 1 当期利益 社外流出 = 総額 − 留保. Amounts this large cannot be typed sensibly; the line then shows nothing
    // rather than stopping the whole computation.
    try {
        c[3] = sub(c[1], c[2]);
    } catch (const Error &) {
        c[3] = 0;
    }
    // Taxes and levies charged to expense (lines 2-5) are retained; 附帯税 and 交際費 (lines 6, 8) flow out.
    c[5] = c[4];
    c[7] = c[6];
    c[9] = c[8];
    c[11] = c[10];
    c[14] = c[12];
    c[16] = c[15];
    // 13 支出事業税等 is retained; 16 所得税等の繰戻 goes to ※; 26 控除所得税額 flows out.
    c[27] = c[26];
    c[30] = c[28];
    c[41] = c[40];

    // The free lines are taken as typed; a line that does not balance is only flagged.
    r.unbalanced = {add(c[18], c[19]) != c[17], add(c[21], c[22]) != c[20], add(c[32], c[33]) != c[31],
                    add(c[46], c[47]) != c[45]};

    auto sum = [&c](std::initializer_list<int> cells) {
        std::int32_t s = 0;
        for (int k : cells)
            s = add(s, c[k]);
        return s;
    };
    // 11 小計 (加算)
    c[23] = sum({4, 6, 8, 10, 12, 15, 17, 20});
    c[24] = sum({5, 7, 9, 11, 18, 21});
    c[25] = sum({14, 16, 19, 22});
    // 21 小計 (減算); 16 所得税等の繰戻 is deducted in ※ only.
    c[34] = sum({26, 28, 31, 45});
    c[35] = sum({27, 32, 46});
    c[36] = sum({33, 47});
    c[50] = c[30];
    // 22 仮計 = 1 + 11 − 21
    c[37] = sub(add(c[1], c[23]), c[34]);
    c[38] = sub(add(c[2], c[24]), c[35]);
    c[39] = sub(add(c[3], c[25]), c[36]);
    c[51] = sub(0, c[50]);
    // 35 合計 = 22 仮計 + 26 控除所得税額 (社外流出)
    c[42] = add(c[37], c[40]);
    c[43] = c[38];
    c[44] = add(c[39], c[41]);
    c[55] = c[51];
    // 36 欠損金の当期控除額: no more than the income and the loss available, nothing when either is negative.
    c[48] = (c[42] < 0 || c[57] < 0) ? 0 : std::min(c[42], c[57]);
    c[49] = c[48];
    // 38 所得金額 = 35 − 36
    c[52] = sub(c[42], c[48]);
    c[53] = c[43];
    c[54] = c[44];
    c[56] = sub(c[55], c[49]);
    return r;
}

std::int32_t reconciliationDifference(const ReconciliationInput &in) {
    // 別表五（一）期首 + 別表四 留保 + the unpaid taxes' movements must come to 別表五（一）翌期首.
    const std::int32_t s = add(add(add(in.openingTotal, in.retainedIncome), in.unpaidDisposal), in.unpaidIncrease);
    return sub(in.closingTotal, s);
}

QString reconciliationVerdict(std::int32_t difference) {
    if (difference == 0)
        return QStringLiteral("別四と別五は  OK");
    return QStringLiteral("ミス ") + fmtAmount(difference) + QStringLiteral("円");
}

} // namespace hz
