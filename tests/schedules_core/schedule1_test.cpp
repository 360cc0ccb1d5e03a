#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/schedule1.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace hz::test {
namespace {

TaxRateTable rates(float r1, float r2, float r3, float r4, float r5, float r6, float r7, float r8, float r9) {
    TaxRateTable t;
    const float v[9] = {r1, r2, r3, r4, r5, r6, r7, r8, r9};
    for (int i = 0; i < 9; ++i)
        t.r[i] = v[i];
    return t;
}
// The table of the "とりあえず７万円" preset.
const TaxRateTable kPreset = rates(22, 30, 5, 7.3f, 9.6f, 5, 20000, 12.3f, 50000);

// --- 法人税 -------------------------------------------------------------------------------------------------------

struct CorporateCase {
    const char *name;
    float r1;
    std::int32_t A1, A3, A4;
    // expected
    std::int32_t A10, A6, A8, A7, A9, A2, A5, A13, A14, A15, A16, A17;
};

const std::vector<CorporateCase> kCorporate = {
    // 10,000,500 → 10,000,000; 8,000,000 × 22 % = 1,760,000; 2,000,000 × 30 % = 600,000; 2 = 2,360,000.
    // 15 = (2,360,000 − 10,000 − 500,000) = 1,850,000. T = 2,350,000 > 500,000 so nothing refunded.
    {"above 8,000,000", 22, 10000500, 10000, 500000, 10000000, 8000000, 2000000, 1760000, 600000, 2360000, 1850000,
     510000, 0, 10000000, 10000, 0},
    // 5,432,100 → 5,432,000 × 22 % = 1,195,040; 15 cut to 100 = 1,195,000.
    {"below 8,000,000", 22, 5432100, 0, 0, 5432000, 5432000, 0, 1195040, 0, 1195040, 1195000, 0, 0, 5432000, 0, 0},
    // 8,000,999 → 8,000,000: all of it in the lower bracket.
    {"8,000,999 stays in the lower bracket", 22, 8000999, 0, 0, 8000000, 8000000, 0, 1760000, 0, 1760000, 1760000, 0, 0,
     8000000, 0, 0},
    // 8,001,000: 1,000 above, taxed 300.
    {"8,001,000 reaches the upper bracket", 22, 8001000, 0, 0, 8001000, 8000000, 1000, 1760000, 300, 1760300, 1760300,
     0, 0, 8001000, 0, 0},
    // Loss −1,500 → −1,000 (toward zero); the tax −220 is clamped to 0. 15 = −20,000 kept to the yen;
    // T = 0 ≤ 20,000 so the whole interim tax is refunded.
    {"loss (赤字申告)", 22, -1500, 0, 20000, -1000, 0, 0, 0, 0, 0, -20000, 20000, 20000, 0, 0, 0},
    // −500 cuts to 0.
    {"small loss cuts to zero", 22, -500, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    // 1,000,000 × 22 % = 220,000 < credit 300,000: nothing deducted (16 = 0, 17 = 300,000);
    // 15 = −80,000; T = −80,000 ≤ 0 gives 14 = 80,000.
    {"credit larger than the tax", 22, 1000000, 300000, 0, 1000000, 1000000, 0, 220000, 0, 220000, -80000, 300000,
     80000, 1000000, 0, 300000},
    // 2,000,000 × 22 % = 440,000 < interim 500,000: 15 = −60,000, 14 = 500,000 − 440,000.
    {"interim larger than the tax (refund)", 22, 2000000, 0, 500000, 2000000, 2000000, 0, 440000, 0, 440000, -60000,
     500000, 60000, 2000000, 0, 0},
    // 220,000 − 218,701 = 1,299 → 1,200.
    {"payable cut to 100", 22, 1000000, 0, 218701, 1000000, 1000000, 0, 220000, 0, 220000, 1200, 218701, 0, 1000000, 0,
     0},
    // 220,000 − 220,150 = −150 stays −150; T = 220,000 ≤ 220,150 → 150.
    {"refund kept to the yen", 22, 1000000, 0, 220150, 1000000, 1000000, 0, 220000, 0, 220000, -150, 220150, 150,
     1000000, 0, 0},
    // Interim equal to T: 14 = 0 through the first branch.
    {"interim equal to T", 22, 1000000, 0, 220000, 1000000, 1000000, 0, 220000, 0, 220000, 0, 220000, 0, 1000000, 0, 0},
    {"interim T + 100", 22, 1000000, 0, 220100, 1000000, 1000000, 0, 220000, 0, 220000, -100, 220100, 100, 1000000, 0,
     0},
    // The rate acts as the single 4.98999977111816: 100,000 × 4.98999977 / 100 = 4,989.9998 → 4,989, not 4,990.
    {"single-precision rate 4.99", 4.99f, 100000, 0, 0, 100000, 100000, 0, 4989, 0, 4989, 4900, 0, 0, 100000, 0, 0},
};

TEST(Schedule1Corporate, Table) {
    for (const CorporateCase &c : kCorporate) {
        SCOPED_TRACE(c.name);
        Schedule1Record rec;
        rec.A(18) = 77; // never assigned
        TaxRateTable t = kPreset;
        t.r[0] = c.r1;
        CorporateTaxInput in;
        in.A1 = c.A1;
        in.A3 = c.A3;
        in.A4 = c.A4;
        in.A11 = 11;
        in.A12 = 12;
        computeCorporateTax(in, t, rec);
        EXPECT_EQ(rec.A(1), c.A1);
        EXPECT_EQ(rec.A(10), c.A10);
        EXPECT_EQ(rec.A(6), c.A6);
        EXPECT_EQ(rec.A(8), c.A8);
        EXPECT_EQ(rec.A(7), c.A7);
        EXPECT_EQ(rec.A(9), c.A9);
        EXPECT_EQ(rec.A(2), c.A2);
        EXPECT_EQ(rec.A(5), c.A5);
        EXPECT_EQ(rec.A(13), c.A13);
        EXPECT_EQ(rec.A(14), c.A14);
        EXPECT_EQ(rec.A(15), c.A15);
        EXPECT_EQ(rec.A(16), c.A16);
        EXPECT_EQ(rec.A(17), c.A17);
        EXPECT_EQ(rec.A(3), c.A3);
        EXPECT_EQ(rec.A(4), c.A4);
        EXPECT_EQ(rec.A(11), 11);
        EXPECT_EQ(rec.A(12), 12);
        EXPECT_EQ(rec.A(18), 77);
    }
}

TEST(Schedule1Corporate, OverflowLeavesTheWorkingRecordAlone) {
    struct Case {
        const char *name;
        float r2;
        std::int32_t A1, A3, A4;
    };
    const Case cases[] = {
        // 0 − 2,000,000,000 − 2,000,000,000 leaves 32 bits.
        {"payable", 30, 0, 2000000000, 2000000000},
        // 2,139,483,000 above the bracket at 150 % is 3,209,224,500.
        {"bracket tax", 150, 2147483647, 0, 0},
        // 2 − 12 with a credit of −2,147,000,000: 1,760,000 + 2,147,000,000 leaves 32 bits.
        {"tax less a negative credit", 30, 8000000, -2147000000, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Schedule1Record rec;
        rec.A(1) = 5;
        const Schedule1Record before = rec;
        TaxRateTable t = kPreset;
        t.r[1] = c.r2;
        CorporateTaxInput in;
        in.A1 = c.A1;
        in.A3 = c.A3;
        in.A4 = c.A4;
        try {
            computeCorporateTax(in, t, rec);
            ADD_FAILURE() << "no overflow";
        } catch (const Error &e) {
            EXPECT_EQ(e.description(), Error::overflow().description());
        }
        EXPECT_EQ(rec, before);
    }
}

// --- 法人事業税 -----------------------------------------------------------------------------------------------------

struct EnterpriseCase {
    const char *name;
    float r3, r4, r5;
    double B1, B7;
    double B2, B3, B4, B5, B12, B13, B14, B15, B8;
};

const std::vector<EnterpriseCase> kEnterprise = {
    // 5 % of 4,000,000 = 200,000; 7.30000019 % of 4,000,000 = 292,000.0076 → 292,000;
    // 9.60000038 % of 2,000,000 = 192,000.0076 → 192,000; 684,000 − 300,000 = 384,000.
    {"worked example", 5, 7.3f, 9.6f, 10000500, 300000, 4000000, 4000000, 2000000, 10000000, 200000, 292000, 192000,
     684000, 384000},
    // 3,999,999 → 3,999,000; 5 % = 199,950 → cut to 100 = 199,900.
    {"just below 4,000,000", 5, 7.3f, 9.6f, 3999999, 0, 3999000, 0, 0, 3999000, 199900, 0, 0, 199900, 199900},
    {"exactly 4,000,000", 5, 7.3f, 9.6f, 4000000, 0, 4000000, 0, 0, 4000000, 200000, 0, 0, 200000, 200000},
    // 3,999,000 × 7.30000019 % = 291,927.0076 → 291,927 → 291,900.
    {"just below 8,000,000", 5, 7.3f, 9.6f, 7999999, 0, 4000000, 3999000, 0, 7999000, 200000, 291900, 0, 491900,
     491900},
    {"exactly 8,000,000", 5, 7.3f, 9.6f, 8000000, 0, 4000000, 4000000, 0, 8000000, 200000, 292000, 0, 492000, 492000},
    // A loss: three zero brackets, the interim payment comes back whole.
    {"loss", 5, 7.3f, 9.6f, -1, 5000, 0, 0, 0, 0, 0, 0, 0, 0, -5000},
    {"interim larger than the tax", 5, 7.3f, 9.6f, 1000000, 80000, 1000000, 0, 0, 1000000, 50000, 0, 0, 50000, -30000},
    // 2,000 × 4.98999977 % = 99.7999 rounds to 100 before the cut, so 100 (a cut of the unrounded tax gives 0).
    {"rounded to the yen before the cut", 4.99f, 7.3f, 9.6f, 2000, 0, 2000, 0, 0, 2000, 100, 0, 0, 100, 100},
    // 505,000 × 4.98999977 % = 25,199.4988 → 25,199 → 25,100; the decimal 4.99 would give 25,199.5 → 25,200.
    {"single-precision rate 4.99", 4.99f, 7.3f, 9.6f, 505000, 0, 505000, 0, 0, 505000, 25100, 0, 0, 25100, 25100},
    // 300,063,000 above 8,000,000 at 7.30000019 % = 21,904,599.57 → 21,904,600; the decimal 7.3 would give
    // 21,904,599 → 21,904,500. 4,000,000 × 7.30000019 % = 292,000.
    {"single-precision rate 7.3", 5, 7.3f, 7.3f, 308063000, 0, 4000000, 4000000, 300063000, 308063000, 200000, 292000,
     21904600, 22396600, 22396600},
};

TEST(Schedule1Enterprise, Table) {
    for (const EnterpriseCase &c : kEnterprise) {
        SCOPED_TRACE(c.name);
        Schedule1Record rec;
        rec.B(6) = 66; // never assigned
        TaxRateTable t = kPreset;
        t.r[2] = c.r3;
        t.r[3] = c.r4;
        t.r[4] = c.r5;
        computeEnterpriseTax({c.B1, c.B7}, t, rec);
        EXPECT_EQ(rec.B(1), c.B1);
        EXPECT_EQ(rec.B(2), c.B2);
        EXPECT_EQ(rec.B(3), c.B3);
        EXPECT_EQ(rec.B(4), c.B4);
        EXPECT_EQ(rec.B(5), c.B5);
        EXPECT_EQ(rec.B(6), 66);
        EXPECT_EQ(rec.B(7), c.B7);
        EXPECT_EQ(rec.B(8), c.B8);
        // The rates are the singles widened unchanged.
        EXPECT_EQ(rec.B(9), double(c.r3));
        EXPECT_EQ(rec.B(10), double(c.r4));
        EXPECT_EQ(rec.B(11), double(c.r5));
        EXPECT_EQ(rec.B(12), c.B12);
        EXPECT_EQ(rec.B(13), c.B13);
        EXPECT_EQ(rec.B(14), c.B14);
        EXPECT_EQ(rec.B(15), c.B15);
    }
}

TEST(Schedule1Enterprise, BracketTaxBeyond32BitsIsAnOverflow) {
    // 29,992,000,000 × 9.6 % is about 2,879,000,000 yen, more than 32 bits hold.
    Schedule1Record rec;
    const Schedule1Record before = rec;
    EXPECT_THROW(computeEnterpriseTax({30000000000.0, 0}, kPreset, rec), Error);
    EXPECT_EQ(rec, before);
}

// --- 法人県民税 -----------------------------------------------------------------------------------------------------

struct PrefecturalCase {
    const char *name;
    float r6;
    std::int32_t A2;
    double workingC7, workingC11;
    double C4, C5, C7box, C8;
    double C1, C2, C3, C6, C7, C9, C10, C11;
    bool defaulted;
};

const std::vector<PrefecturalCase> kPrefectural = {
    // 2,360,000 × 5 % = 118,000; 118,000 − 0 − 50,000 = 68,000; 20,000 − 10,000 = 10,000; 78,000.
    {"worked example", 5, 2360000, 20000, 0, 0, 50000, 20000, 10000, 2360000, 5, 118000, 68000, 20000, 10000, 78000, 0,
     false},
    // The base is cut to thousands: 2,360,999 → 2,360,000.
    {"base down to 1,000", 5, 2360999, 20000, 0, 0, 0, 20000, 0, 2360000, 5, 118000, 118000, 20000, 20000, 138000, 0,
     false},
    // ⑧ = ⑪ = 10,000: nothing remains, so the levy is refunded whole.
    {"levy equal to the tax is refunded", 5, 200000, 20000, 0, 10000, 0, 20000, 0, 200000, 5, 10000, 0, 20000, 20000,
     20000, 10000, false},
    // No tax, a levy of 3,000: ⑯ = 0 − 0 = 0, refund 3,000; 23 = 20,050 down to 100.
    {"no tax, levy refunded", 5, 0, 20000, 0, 3000, 0, 20050, 0, 0, 5, 0, 0, 20050, 20050, 20000, 3000, false},
    // 10,000 − 0 − 10,150 = −150 → −200; 20,000 − 200 = 19,800.
    {"negative remainder down to 100", 5, 200000, 20000, 0, 0, 10150, 20000, 0, 200000, 5, 10000, -200, 20000, 20000,
     19800, 0, false},
    // ⑧ 10,000 < ⑪ 12,000 with an interim payment: ⑯ = 10,000 − 2,000 = 8,000, and no refund is carried over
    // from the working record.
    {"levy above the tax with a remainder", 5, 200000, 20000, 99999, 12000, 2000, 20000, 0, 200000, 5, 10000, 8000,
     20000, 20000, 28000, 0, false},
    // The per-capita amount comes from the rate table while the working record has none; the box is not used.
    {"per-capita default", 5, 0, 0, 0, 0, 0, 50000, 0, 0, 5, 0, 0, 20000, 20000, 20000, 0, true},
    // With a per-capita amount already in the working record, the box is used as it stands, empty included.
    {"per-capita from the box", 5, 0, 20000, 0, 0, 0, 50000, 0, 0, 5, 0, 0, 50000, 50000, 50000, 0, false},
    {"per-capita box emptied", 5, 0, 20000, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, false},
    // The rate passes through its box as "4.99", so it acts as the decimal: 100,000 × 4.99 % = 4,990 (the widened
    // single would give 4,989).
    {"rate as its decimal text", 4.99f, 100000, 20000, 0, 0, 0, 0, 0, 100000, 4.99, 4990, 4900, 0, 0, 4900, 0, false},
};

TEST(Schedule1Prefectural, Table) {
    for (const PrefecturalCase &c : kPrefectural) {
        SCOPED_TRACE(c.name);
        Schedule1Record rec;
        rec.A(2) = c.A2;
        rec.C(7) = c.workingC7;
        rec.C(11) = c.workingC11;
        TaxRateTable t = kPreset;
        t.r[5] = c.r6;
        const bool defaulted = computePrefecturalTax({c.C4, c.C5, c.C7box, c.C8}, t, rec);
        EXPECT_EQ(defaulted, c.defaulted);
        EXPECT_EQ(rec.C(1), c.C1);
        EXPECT_EQ(rec.C(2), c.C2);
        EXPECT_EQ(rec.C(3), c.C3);
        EXPECT_EQ(rec.C(4), c.C4);
        EXPECT_EQ(rec.C(5), c.C5);
        EXPECT_EQ(rec.C(6), c.C6);
        EXPECT_EQ(rec.C(7), c.C7);
        EXPECT_EQ(rec.C(8), c.C8);
        EXPECT_EQ(rec.C(9), c.C9);
        EXPECT_EQ(rec.C(10), c.C10);
        EXPECT_EQ(rec.C(11), c.C11);
    }
}

// --- 法人市民税 -----------------------------------------------------------------------------------------------------

struct MunicipalCase {
    const char *name;
    float r8;
    std::int32_t A2;
    double workingD6;
    double D4, D6box, D7;
    double D1, D2, D3, D5, D6, D8, D9;
    bool defaulted;
};

const std::vector<MunicipalCase> kMunicipal = {
    // 2,360,000 × 12.3 % = 290,280; 290,280 − 100,000 = 190,280 → 190,200; 50,000 − 25,000 = 25,000; 215,200.
    {"worked example", 12.3f, 2360000, 50000, 100000, 50000, 25000, 2360000, 12.3, 290280, 190200, 50000, 25000, 215200,
     false},
    // 290,280 − 300,000 = −9,720 → −9,800 (toward minus infinity).
    {"interim larger than the tax", 12.3f, 2360000, 50000, 300000, 50000, 50000, 2360000, 12.3, 290280, -9800, 50000, 0,
     -9800, false},
    {"per-capita default", 12.3f, 0, 0, 0, 130000, 0, 0, 12.3, 0, 0, 50000, 50000, 50000, true},
    {"per-capita from the box", 12.3f, 0, 50000, 0, 130000, 65000, 0, 12.3, 0, 0, 130000, 65000, 65000, false},
    // The decimal 4.99, not the widened single: 4,990 → ⑬ 4,900.
    {"rate as its decimal text", 4.99f, 100000, 50000, 0, 0, 0, 100000, 4.99, 4990, 4900, 0, 0, 4900, false},
};

TEST(Schedule1Municipal, Table) {
    for (const MunicipalCase &c : kMunicipal) {
        SCOPED_TRACE(c.name);
        Schedule1Record rec;
        rec.A(2) = c.A2;
        rec.D(6) = c.workingD6;
        TaxRateTable t = kPreset;
        t.r[7] = c.r8;
        const bool defaulted = computeMunicipalTax({c.D4, c.D6box, c.D7}, t, rec);
        EXPECT_EQ(defaulted, c.defaulted);
        EXPECT_EQ(rec.D(1), c.D1);
        EXPECT_EQ(rec.D(2), c.D2);
        EXPECT_EQ(rec.D(3), c.D3);
        EXPECT_EQ(rec.D(4), c.D4);
        EXPECT_EQ(rec.D(5), c.D5);
        EXPECT_EQ(rec.D(6), c.D6);
        EXPECT_EQ(rec.D(7), c.D7);
        EXPECT_EQ(rec.D(8), c.D8);
        EXPECT_EQ(rec.D(9), c.D9);
    }
}

// --- The whole computation and the record file -----------------------------------------------------------------

TEST(Schedule1Whole, WorkedExampleAndTotal) {
    Schedule1Input in;
    in.rates = kPreset;
    in.working.A(18) = 0;
    in.corporate = {10000500, 10000, 500000, 0, 0};
    in.enterprise = {10000500, 300000};
    in.prefectural = {0, 50000, 20000, 10000};
    in.municipal = {100000, 50000, 25000};
    // A fresh working record has no per-capita amounts: both come from the table (20,000 and 50,000).
    const Schedule1Result r = computeSchedule1(in);
    EXPECT_TRUE(r.prefecturalPerCapitaDefault);
    EXPECT_TRUE(r.municipalPerCapitaDefault);
    EXPECT_EQ(r.record.A(5), 1850000);
    EXPECT_EQ(r.record.B(8), 384000);
    EXPECT_EQ(r.record.C(10), 78000);
    EXPECT_EQ(r.record.D(9), 215200);
    // 納付税額合計 = 1,850,000 + 78,000 + 215,200 + 384,000.
    EXPECT_EQ(r.totalPayable, 2527200);
}

class Schedule1File : public HzTest {};

TEST_F(Schedule1File, WriteThenReadGivesTheSameFigures) {
    Schedule1Record rec;
    for (int i = 1; i <= 18; ++i)
        rec.A(i) = -1000 * i;
    for (int i = 1; i <= 15; ++i)
        rec.B(i) = 1000.0 * i;
    rec.B(10) = double(7.3f);
    for (int i = 1; i <= 11; ++i)
        rec.C(i) = 100.0 * i;
    rec.C(2) = 12.3;
    for (int i = 1; i <= 9; ++i)
        rec.D(i) = -10.0 * i;
    ensureDataRoot();
    writeSchedule1(42, rec);
    const QByteArray bytes = readFile(QStringLiteral("c:\\法人税\\別表\\101042.txt"));
    EXPECT_EQ(bytes.count("\r\n"), 65);
    EXPECT_TRUE(bytes.contains("\r\n7.30000019073486\r\n"));
    EXPECT_TRUE(bytes.endsWith(lines({"\"予備12\""})));
    Schedule1Record back;
    readSchedule1(42, back);
    // Fifteen digits do not hold a widened single whole: the rate comes back as the decimal the file shows.
    EXPECT_EQ(back.B(10), 7.30000019073486);
    rec.B(10) = 7.30000019073486;
    EXPECT_EQ(back, rec);
}

TEST_F(Schedule1File, ReadTakesFiftyThreeValuesAndRefusesFewer) {
    // The rollover writes 53 zeros without the tail.
    QStringList zeros;
    for (int i = 0; i < 53; ++i)
        zeros << QStringLiteral("0");
    zeros[0] = QStringLiteral("123");
    writeFile(schedule1Path(3), lines(zeros));
    Schedule1Record rec;
    rec.D(9) = 5;
    readSchedule1(3, rec);
    EXPECT_EQ(rec.A(1), 123);
    EXPECT_EQ(rec.D(9), 0);

    zeros.removeLast();
    writeFile(schedule1Path(4), lines(zeros));
    rec.D(9) = 5;
    EXPECT_THROW(readSchedule1(4, rec), Error);
    EXPECT_EQ(rec.A(1), 123); // left as it was
    EXPECT_EQ(rec.D(9), 5);
    EXPECT_FALSE(sharedHandleOpen());
}

} // namespace
} // namespace hz::test
