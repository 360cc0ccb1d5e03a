#pragma once

// The tax-rate table of the installation, kept in "c:\法人税\税率.txt": nine single-precision values, one a line,
// then the placeholder tail "予備1" to "予備12".
namespace hz {

// r[0] to r[8] are items 1 to 9 of the file, always in this order. Rates are percentages (22 means 22 %), the
// two levies whole yen per year.
//   r[0] 法人税 up to 8,000,000 yen          r[1] 法人税 above 8,000,000 yen
//   r[2] 事業税 up to 4,000,000 yen          r[3] 事業税 4,000,000 to 8,000,000 yen
//   r[4] 事業税 above 8,000,000 yen          r[5] 法人県民税 法人税割 rate
//   r[6] 法人県民税 均等割額 per year        r[7] 法人市民税 法人税割 rate
//   r[8] 法人市民税 均等割額 per year
struct TaxRateTable {
    float r[9] = {};
};

// Reads the first nine values of the rate file; whatever follows them is ignored. Throws hz::Error when the file
// is missing or holds fewer than nine numbers.
TaxRateTable readTaxRates();

// Replaces the rate file with the nine values and the placeholder tail. Throws hz::Error when it cannot be
// written; the old file then stays as it was.
void writeTaxRates(const TaxRateTable &t);

} // namespace hz
