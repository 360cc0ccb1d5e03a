#include "schedules/more/bad_debt.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

namespace hz {

namespace {
std::int32_t &at(ReserveLines &l, int line) { return l[line - 1]; }
std::int32_t &at(DetailCells &c, int n) { return c[n - 1]; }
std::int32_t at(const DetailCells &c, int n) { return c[n - 1]; }

// Int(a × b / c): the product is taken in 64 bits, so that a large amount times a rate does not fail before the
// division brings it back, and the quotient is rounded toward minus infinity in whole numbers. Worked in floating
// point, a quotient that is a whole number can fall just short of it (570,000 / 1,000,000 × 10,000 gives
// 5,699.999…) and lose a unit; in whole numbers it cannot. Only a result beyond 32 bits is an overflow.
std::int32_t floorOfProductOver(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        throw Error::divisionByZero();
    const std::int64_t n = std::int64_t(a) * b;
    std::int64_t q = n / c;
    if (n % c != 0 && (n < 0) != (c < 0))
        --q;
    return narrow(q);
}
} // namespace

QString schedule11Path(std::int64_t code) { return companyPath(QStringLiteral("c:\\法人税\\別表\\100111"), code); }

Schedule11Record readSchedule11At(const QString &windowsPath) {
    Schedule11Record rec;
    RecordReader in(windowsPath);
    for (auto &v : rec.lines)
        v = in.whole();
    in.close();
    return rec;
}

Schedule11Record readSchedule11(std::int32_t code) { return readSchedule11At(schedule11Path(code)); }

void writeSchedule11(std::int32_t code, const Schedule11Record &rec) {
    RecordWriter out(schedule11Path(code));
    for (auto v : rec.lines)
        out.whole(v);
    out.tail();
    out.close();
}

Schedule11Result computeSchedule11(const Schedule11Input &in) {
    Schedule11Result r;
    ReserveLines &l = r.lines;
    l = in.lines;

    // 15 貸倒による損失の額等の合計額 = 12 + 11 − 13 − 14
    at(l, s11::lossTotal) =
        sub(sub(add(at(l, s11::lossRo), at(l, s11::lossI)), at(l, s11::lossHa)), at(l, s11::lossNi));

    // 17 貸倒実績率 = 16 / 10 in units of 1/10000, rounded down; 3 carries it up.
    at(l, s11::rate) = floorOfProductOver(at(l, s11::lossPerYear), 10000, at(l, s11::perPeriod));
    at(l, s11::historicalRate) = at(l, s11::rate);

    // 6 繰入限度額 = 4 × 法定繰入率 / 1000; 7 公益法人等 = 6 × 116/100; 8 超過額 = 1 − 7.
    at(l, s11::limit) = floorOfProductOver(at(l, s11::statutoryRate), at(l, s11::column24Total), 1000);
    at(l, s11::publicInterestLimit) = floorOfProductOver(at(l, s11::limit), 116, 100);
    at(l, s11::excess) = sub(at(l, s11::charged), at(l, s11::publicInterestLimit));
    return r;
}

QString schedule11DetailPath(std::int64_t code) {
    return companyPath(QStringLiteral("c:\\法人税\\別表\\100112"), code);
}

Schedule11DetailRecord readSchedule11DetailAt(const QString &windowsPath) {
    Schedule11DetailRecord rec;
    RecordReader in(windowsPath);
    for (QString &name : rec.names)
        name = in.string();
    for (auto &v : rec.cells)
        v = in.whole();
    in.close();
    return rec;
}

Schedule11DetailRecord readSchedule11Detail(std::int32_t code) {
    return readSchedule11DetailAt(schedule11DetailPath(code));
}

void writeSchedule11Detail(std::int32_t code, const Schedule11DetailRecord &rec) {
    RecordWriter out(schedule11DetailPath(code));
    for (const QString &name : rec.names)
        out.string(name);
    for (auto v : rec.cells)
        out.whole(v);
    out.tail();
    out.close();
}

Schedule11DetailResult computeSchedule11Detail(const Schedule11DetailInput &in) {
    Schedule11DetailResult r;
    DetailCells &c = r.cells;
    for (int account = 1; account <= s11d::accounts; ++account)
        for (int column : {18, 19, 20, 21, 23})
            at(c, detailCell(account, column)) = at(in.cells, detailCell(account, column));
    at(c, s11d::baseYearReceivables) = at(in.cells, s11d::baseYearReceivables);
    at(c, s11d::baseYearNonReceivables) = at(in.cells, s11d::baseYearNonReceivables);

    auto columnTotal = [&](int column) {
        std::int32_t sum = 0;
        for (int account = 1; account <= s11d::accounts; ++account)
            sum = add(sum, at(c, detailCell(account, column)));
        at(c, detailTotal(column)) = sum;
    };
    for (int column : {18, 19, 20, 21, 23})
        columnTotal(column);

    for (int account = 1; account <= s11d::accounts; ++account) {
        auto cell = [&](int column) -> std::int32_t & { return at(c, detailCell(account, column)); };
        // 22 期末一括評価金銭債権の額 = 19 + 18 − 20 − 21; 24 差引 = 22 − 23
        cell(22) = sub(sub(add(cell(19), cell(18)), cell(20)), cell(21));
        cell(24) = sub(cell(22), cell(23));
    }
    columnTotal(22);
    at(c, detailTotal(24)) = sub(at(c, detailTotal(22)), at(c, detailTotal(23)));

    // 27 控除割合 = 26 / 25 in units of 1/1000, rounded down (小数点以下3位未満切捨て); none without line 25.
    const std::int32_t base = at(c, s11d::baseYearReceivables);
    at(c, s11d::deductionRatio) = base == 0 ? 0 : floorOfProductOver(at(c, s11d::baseYearNonReceivables), 1000, base);
    // 28 実質的に債権とみられないものの額 = (22)の計 × 27 / 1000
    at(c, s11d::nonReceivables) = floorOfProductOver(at(c, s11d::deductionRatio), at(c, detailTotal(22)), 1000);
    return r;
}

} // namespace hz
