#pragma once

#include "schedules/core/tax_rates.h"

#include <QString>

#include <array>
#include <cstdint>

// Schedule 1 (別表一): the corporate tax and the enterprise, prefectural and municipal figures of one company,
// its record file "c:\法人税\別表\1010<code>.txt", and the computations as plain functions.
namespace hz {

// The 53 figures of the record. The corporate-tax figures are whole yen in 32 bits; the local-tax figures are
// doubles holding whole yen, except the rates B9 to B11, C2 and D2.
struct Schedule1Record {
    std::array<std::int32_t, 18> corporateTaxBlock{}; // A1 to A18
    std::array<double, 15> enterpriseTaxBlock{};      // B1 to B15
    std::array<double, 11> prefecturalTaxBlock{};     // C1 to C11
    std::array<double, 9> municipalTaxBlock{};        // D1 to D9

    // Figures by their line numbers in the block, as the form numbers them (A(5) is A5).
    std::int32_t &A(int n) { return corporateTaxBlock.at(std::size_t(n - 1)); }
    double &B(int n) { return enterpriseTaxBlock.at(std::size_t(n - 1)); }
    double &C(int n) { return prefecturalTaxBlock.at(std::size_t(n - 1)); }
    double &D(int n) { return municipalTaxBlock.at(std::size_t(n - 1)); }
    std::int32_t A(int n) const { return corporateTaxBlock.at(std::size_t(n - 1)); }
    double B(int n) const { return enterpriseTaxBlock.at(std::size_t(n - 1)); }
    double C(int n) const { return prefecturalTaxBlock.at(std::size_t(n - 1)); }
    double D(int n) const { return municipalTaxBlock.at(std::size_t(n - 1)); }

    bool operator==(const Schedule1Record &) const = default;
};

// "c:\法人税\別表\1010" + code + ".txt"
QString schedule1Path(std::int32_t code);

// Reads the first 53 values (18 whole numbers, 35 decimals); what follows them is ignored. Throws hz::Error when
// the file is missing or short; rec is then left as it was.
void readSchedule1(std::int32_t code, Schedule1Record &rec);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
void readSchedule1At(const QString &windowsPath, Schedule1Record &rec);
// Replaces the record with its 53 figures and the placeholder tail, 65 lines. Throws hz::Error.
void writeSchedule1(std::int32_t code, const Schedule1Record &rec);

// A decimal typed into a box, or 0 when it does not convert: the fallback every local-tax input has.
double decimalOrZero(const QString &text);

// --- The computation -------------------------------------------------------------------------------------------
// Each step works on the working record in place: a figure a step does not assign keeps its value (A18, B6).

struct CorporateTaxInput {
    std::int32_t A1 = 0;  // 所得金額 1
    std::int32_t A3 = 0;  // 控除税額 12
    std::int32_t A4 = 0;  // 中間法人税額 14
    std::int32_t A11 = 0; // 欠損金の当期控除額 (carried, not used in arithmetic)
    std::int32_t A12 = 0; // 繰越欠損金 (carried, not used in arithmetic)
};
// A1 to A17. Throws Error::overflow() when a figure leaves 32 bits; rec is then unchanged.
void computeCorporateTax(const CorporateTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec);

struct EnterpriseTaxInput {
    double B1 = 0; // 総額33
    double B7 = 0; // 中間事業税額43
};
// B1 to B5 and B7 to B15. Throws Error::overflow() when a bracket's tax leaves 32 bits; rec is then unchanged.
void computeEnterpriseTax(const EnterpriseTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec);

// The rate text the prefectural and municipal panels show and read back: a single-precision rate in its shortest
// decimal form ("12.3"), so these rates act as the decimal the user sees, not as the widened single.
QString rateText(float rate);

struct PrefecturalTaxInput {
    double C4 = 0; // 控除利子割⑪
    double C5 = 0; // 中間納付額⑬
    double C7 = 0; // 均等割額⑱ as the box holds it
    double C8 = 0; // 中間均等割額⑲
};
// C1 to C11 on the base A2. Returns true when the per-capita amount was taken from the rate table (the working
// record's C7 was 0), in which case the box's C7 is not used.
bool computePrefecturalTax(const PrefecturalTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec);

struct MunicipalTaxInput {
    double D4 = 0; // 中間納付額⑪
    double D6 = 0; // 均等割額⑮ as the box holds it
    double D7 = 0; // 中間均等割額⑯
};
// D1 to D9 on the base A2. Returns true when the per-capita amount was taken from the rate table.
bool computeMunicipalTax(const MunicipalTaxInput &in, const TaxRateTable &rates, Schedule1Record &rec);

// 納付税額合計: 確定法人税額 + 県民税 申告納付額計 + 市民税 申告納付額計 + 申告事業税額.
double totalPayable(const Schedule1Record &rec);

// The whole computation at once, for callers that need no step in between.
struct Schedule1Input {
    TaxRateTable rates;
    Schedule1Record working; // the working record before the compute
    CorporateTaxInput corporate;
    EnterpriseTaxInput enterprise;
    PrefecturalTaxInput prefectural;
    MunicipalTaxInput municipal;
};
struct Schedule1Result {
    Schedule1Record record;
    bool prefecturalPerCapitaDefault = false;
    bool municipalPerCapitaDefault = false;
    double totalPayable = 0;
};
Schedule1Result computeSchedule1(const Schedule1Input &in);

} // namespace hz
