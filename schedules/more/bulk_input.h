#pragma once

#include "core/records.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// The bulk input's plain side: what its load takes from a company's records, its taxes-and-dues total, and the
// scratch file that keeps a copy of the figures.
namespace hz {

// The 23 figures, figure n at [n-1].
using BulkFigures = std::array<std::int32_t, 23>;

namespace bulk {
constexpr int figureCount = 23;
// Figure numbers the code treats apart.
constexpr int profit = 1;                 // 当期利益
constexpr int retainedEarnings = 2;       // 翌期繰越利益金
constexpr int interimCorporateTax = 3;    // 中間法人税
constexpr int interimPrefecturalTax = 4;  // 中間県民税
constexpr int interimMunicipalTax = 5;    // 中間市民税
constexpr int interestLevy = 6;           // 県民税利子割
constexpr int previousCorporateTax = 7;   // 損金計上法人税
constexpr int previousPrefecturalTax = 8; // 損金計上県民税
constexpr int previousMunicipalTax = 9;   // 損金計上市民税
constexpr int previousEnterpriseTax = 10; // 損金計上事業税
constexpr int interimEnterpriseTax = 11;  // 中間事業税
constexpr int consumptionTax = 14;        // 消費税納付額
constexpr int otherDeductible = 15;       // 損金参入のその他
constexpr int withheldIncomeTax = 16;     // 損金不参入の所得税
constexpr int otherNonDeductible = 17;    // 損金不参入のその他
constexpr int taxesTotal = 18;            // 租税公課合計
constexpr int interest = 19;              // 受取利子額
constexpr int interestIncomeTax = 20;     // 同上の所得税
constexpr int dividends = 21;             // 受取配当金
constexpr int dividendIncomeTax = 22;     // 同上の所得税
constexpr int entertainment = 23;         // 交際費等の金額
} // namespace bulk

// The per-capita inhabitant levies, prefectural and municipal, that the window offers as one choice.
enum class LevyChoice { none, small /* 20,000 + 50,000 */, large /* 50,000 + 130,000 */ };
// The fixed entertainment deduction limit of Schedule 15.
enum class LimitChoice { limit3M, limit4M };

// Levies that match one of the window's pairs select it; any other pair (0 included) selects none, so that
// applying leaves the levies Schedule 1 holds, or for a new company takes from the rate table, alone.
LevyChoice levyChoiceFor(double prefecturalLevy, double municipalLevy);
// 3,000,000 selects 300万円 and any other limit 400万円. A limit of 0 is what a company has before anyone set one
// (registration and the next-year rollover save it so), and the record cannot tell it from a 0 chosen by hand.
LimitChoice limitChoiceFor(std::int32_t fixedLimit);

// What the load shows, taken from the company's saved records.
struct BulkLoad {
    // Figures 3, 11, 12 and 13 are never loaded and stay nullopt (empty boxes).
    std::array<std::optional<std::int32_t>, 23> figures{};
    LevyChoice levies = LevyChoice::none;
    LimitChoice limit = LimitChoice::limit4M;
    // Schedule 5(1) 繰越損益金 ④: not 0 means the company already held data.
    std::int32_t enteredFlag = 0;
    // Schedule 6's second dividend issue, received and credited, which figures 21 and 22 include.
    std::int32_t secondIssueReceived = 0;
    std::int32_t secondIssueCredit = 0;
};

// Figures 21 and 22 are the dividends and the income tax they credit over both issue rows of Schedule 6. A new
// total goes into the first row less what the second row holds (received, and credited), which stays as it is; a
// total below the second row's figure leaves no room for it, and then the totals go into the first row and the
// second row is emptied.
struct DividendRows {
    std::int32_t firstReceived = 0;
    std::int32_t firstWithheld = 0;
    bool keepSecond = true;
};
DividendRows splitDividends(std::int32_t totalReceived, std::int32_t totalCredit, std::int32_t secondReceived,
                            std::int32_t secondCredit);

// How the load reads one record: runs read, which reads the record at windowsPath, and tells what came of it. A
// record the load cannot do without is required (a missing one is then unreadable too).
using BulkRecordReader =
    std::function<RecordRead(const QString &windowsPath, const std::function<void()> &read, bool required)>;

// Reads the eleven records of the company the load needs, in their order, each as far as the load reads it, each
// through readOne. The profile is required; any other record that does not exist yet gives zeros, as a company
// starts. Returns nothing as soon as a record cannot be read. Throws Error when a total leaves 32 bits.
std::optional<BulkLoad> readBulkLoad(std::int32_t code, const BulkRecordReader &readOne);

// Figure 18: the taxes-and-dues total of figures 6 to 17. Error::overflow() beyond 32 bits.
std::int32_t bulkTaxesTotal(const BulkFigures &figures);

// "c:\法人税\法人税Temp\" + the company name made safe as a file name + ".txt".
QString bulkScratchPath(const QString &companyName);
// Writes the 23 figures one a line; creates the scratch folder when it is missing. Throws Error on failure.
void writeBulkScratch(const QString &companyName, const BulkFigures &figures);
// Deletes the company's scratch file; a missing file or a failed deletion is ignored.
void deleteBulkScratch(const QString &companyName);

} // namespace hz
