#include "schedules/core/schedule1.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"

#include <cmath>

namespace hz {

QString schedule1Path(std::int32_t code) { return companyPath(dataroot::schedules + QStringLiteral("\\1010"), code); }

void readSchedule1At(const QString &windowsPath, Schedule1Record &rec) {
    Schedule1Record r;
    RecordReader in(windowsPath);
    for (auto &v : r.corporateTaxBlock)
        v = in.whole();
    for (auto &v : r.enterpriseTaxBlock)
        v = in.dbl();
    for (auto &v : r.prefecturalTaxBlock)
        v = in.dbl();
    for (auto &v : r.municipalTaxBlock)
        v = in.dbl();
    rec = r;
}

void readSchedule1(std::int32_t code, Schedule1Record &rec) { readSchedule1At(schedule1Path(code), rec); }

void writeSchedule1(std::int32_t code, const Schedule1Record &rec) {
    RecordWriter out(schedule1Path(code));
    for (auto v : rec.corporateTaxBlock)
        out.whole(v);
    for (auto v : rec.enterpriseTaxBlock)
        out.dbl(v);
    for (auto v : rec.prefecturalTaxBlock)
        out.dbl(v);
    for (auto v : rec.municipalTaxBlock)
        out.dbl(v);
    out.tail();
    out.close();
}

double decimalOrZero(const QString &text) {
    try {
        return toDouble(text);
    } catch (const Error &) {
        return 0;
    }
}

QString rateText(float rate) { return singleText(rate); }

namespace {

// The largest multiple of unit not above v (toward minus infinity).
double downTo(double v, double unit) { return std::floor(v / unit) * unit; }

// A whole number of yen divided by 100 with the quotient truncated toward zero, times 100.
std::int32_t cutTo100(std::int32_t v) { return mul(idiv(v, 100), 100); }

// A single-precision rate as the arithmetic sees it: widened to double unchanged (7.3 acts as 7.30000019073486).
double widened(float rate) { return static_cast<double>(rate); }

} // namespace

void computeCorporateTax(const CorporateTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec) {
    Schedule1Record r = rec;
    r.A(1) = in.A1;
    r.A(11) = in.A11;
    r.A(12) = in.A12;

    // 課税標準: the income cut to whole thousands toward zero (−1,500 gives −1,000).
    r.A(10) = mul(idiv(r.A(1), 1000), 1000);
    // The part up to 8,000,000 yen and the part above it.
    if (r.A(10) > 8000000) {
        r.A(6) = 8000000;
        r.A(8) = sub(r.A(10), 8000000);
    } else {
        r.A(6) = r.A(10);
        r.A(8) = 0;
    }
    // Tax on each part, the product first, then the division by 100, rounded down to the yen.
    r.A(7) = floorWhole(widened(rates.r[0]) * double(r.A(6)) / 100.0);
    r.A(9) = floorWhole(widened(rates.r[1]) * double(r.A(8)) / 100.0);
    // 2 法人税額 = tax on the part above + tax on the part up to 8,000,000.
    r.A(2) = add(r.A(9), r.A(7));
    // A loss leaves no tax; A10 and A8 keep their values (A10 stays negative for a loss).
    if (r.A(6) <= 0)
        r.A(6) = 0;
    if (r.A(7) <= 0)
        r.A(7) = 0;
    if (r.A(2) <= 0)
        r.A(2) = 0;

    r.A(3) = in.A3;
    r.A(4) = in.A4;
    // 15 確定法人税額 = 2 − 12 − 14, cut to 100 yen; a refund is kept to the yen.
    const std::int32_t payable = sub(sub(r.A(2), r.A(3)), r.A(4));
    r.A(5) = cutTo100(payable);
    if (r.A(5) < 0)
        r.A(5) = payable;
    r.A(13) = add(r.A(4), r.A(3));
    r.A(15) = add(r.A(8), r.A(6));
    // The credit is deducted only when the tax covers it whole.
    r.A(16) = r.A(2) >= r.A(3) ? r.A(3) : 0;
    r.A(17) = sub(r.A(3), r.A(16));
    // The interim tax beyond the tax after the credit is refunded.
    const std::int32_t t = cutTo100(sub(r.A(2), r.A(3)));
    r.A(14) = t <= r.A(4) ? sub(r.A(4), t) : 0;
    rec = r;
}

void computeEnterpriseTax(const EnterpriseTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec) {
    Schedule1Record r = rec;
    const double b1 = in.B1;
    r.B(1) = b1;
    // 34 400万円以下, 35 800万円以下, 36 800万円超, each bracket down to 1,000 yen.
    if (b1 < 0) {
        r.B(2) = b1;
        r.B(3) = 0;
        r.B(4) = 0;
    } else if (b1 < 4000000) {
        r.B(2) = downTo(b1, 1000);
        r.B(3) = 0;
        r.B(4) = 0;
    } else if (b1 < 8000000) {
        r.B(2) = 4000000;
        r.B(3) = downTo(b1 - 4000000, 1000);
        r.B(4) = 0;
    } else {
        r.B(2) = 4000000;
        r.B(3) = 4000000;
        r.B(4) = downTo(b1 - 8000000, 1000);
    }
    if (r.B(2) <= 0)
        r.B(2) = 0;

    r.B(9) = widened(rates.r[2]);
    r.B(10) = widened(rates.r[3]);
    r.B(11) = widened(rates.r[4]);
    // Each bracket's tax: the product first, rounded to the yen (halves to even), then cut to 100 yen. The
    // rounded tax is a whole number of yen in 32 bits, as the cut to 100 works on whole numbers.
    auto bracketTax = [](double rate, double amount) { return double(cutTo100(roundHalfEven(rate * amount / 100.0))); };
    r.B(12) = bracketTax(r.B(9), r.B(2));
    r.B(13) = bracketTax(r.B(10), r.B(3));
    r.B(14) = bracketTax(r.B(11), r.B(4));
    r.B(15) = r.B(13) + r.B(12) + r.B(14);
    // 37 計
    r.B(5) = r.B(3) + r.B(2) + r.B(4);
    // 47 申告事業税額 = tax − 43 中間事業税額 (negative when the interim payment is larger).
    r.B(7) = in.B7;
    r.B(8) = r.B(15) - r.B(7);
    rec = r;
}

namespace {
// The per-capita amount of the year: the rate table's levy when the working record has none yet.
bool perCapita(double &working, double boxValue, float levy) {
    if (working == 0) {
        working = decimalOrZero(rateText(levy));
        return true;
    }
    working = boxValue;
    return false;
}
} // namespace

bool computePrefecturalTax(const PrefecturalTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec) {
    // ① 法人税額: Schedule 1's tax cut to whole thousands.
    rec.C(1) = double(rec.A(2));
    rec.C(2) = decimalOrZero(rateText(rates.r[5]));
    rec.C(1) = downTo(rec.C(1), 1000);
    // ⑧ 法人税割額 = rate × ①, down to the yen.
    rec.C(3) = std::floor(rec.C(2) * rec.C(1) / 100.0);
    rec.C(4) = in.C4;
    rec.C(5) = in.C5;
    const bool defaulted = perCapita(rec.C(7), in.C7, rates.r[6]);
    rec.C(8) = in.C8;
    // ⑯ 申告法人税割額 = ⑧ − ⑪ − ⑬, down to 100 yen (−150 gives −200). When the interest levy exceeds the
    // 法人税割, the remainder is kept to the yen; the levy is refunded only when nothing remains (below).
    if (rec.C(3) >= rec.C(4)) {
        rec.C(6) = downTo(rec.C(3) - rec.C(4) - rec.C(5), 100);
    } else {
        rec.C(6) = rec.C(3) - rec.C(5);
    }
    // 利子割還付額 is set on every path, so no earlier company's or computation's refund survives.
    rec.C(11) = 0;
    // ⑳ 申告均等割額 = ⑱ − ⑲
    rec.C(9) = rec.C(7) - rec.C(8);
    // 23 申告納付額計 = ⑳ + ⑯, down to 100 yen.
    rec.C(10) = downTo(rec.C(9) + rec.C(6), 100);
    if (rec.C(6) == 0)
        rec.C(11) = rec.C(4);
    return defaulted;
}

bool computeMunicipalTax(const MunicipalTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec) {
    rec.D(2) = decimalOrZero(rateText(rates.r[7]));
    // ① 法人税額: Schedule 1's tax cut to whole thousands.
    rec.D(1) = downTo(double(rec.A(2)), 1000);
    rec.D(4) = in.D4;
    const bool defaulted = perCapita(rec.D(6), in.D6, rates.r[8]);
    rec.D(7) = in.D7;
    // ⑥ 法人税割額 = rate × ①, down to the yen.
    rec.D(3) = std::floor(rec.D(2) * rec.D(1) / 100.0);
    // ⑬ 申告法人税割額 = ⑥ − ⑪, down to 100 yen.
    rec.D(5) = downTo(rec.D(3) - rec.D(4), 100);
    // ⑰ 申告均等割額 = ⑮ − ⑯
    rec.D(8) = rec.D(6) - rec.D(7);
    // ⑳ 申告納付額計 = ⑰ + ⑬
    rec.D(9) = rec.D(8) + rec.D(5);
    return defaulted;
}

double totalPayable(const Schedule1Record &rec) { return double(rec.A(5)) + rec.C(10) + rec.D(9) + rec.B(8); }

Schedule1Result computeSchedule1(const Schedule1Input &in) {
    Schedule1Result out;
    out.record = in.working;
    computeCorporateTax(in.corporate, in.rates, out.record);
    computeEnterpriseTax(in.enterprise, in.rates, out.record);
    out.prefecturalPerCapitaDefault = computePrefecturalTax(in.prefectural, in.rates, out.record);
    out.municipalPerCapitaDefault = computeMunicipalTax(in.municipal, in.rates, out.record);
    out.totalPayable = totalPayable(out.record);
    return out;
}

} // namespace hz
