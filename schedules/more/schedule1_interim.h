#pragma once

#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/more/schedule5_2.h"

#include <array>
#include <cstdint>
#include <optional>

// 別表一's six interim figures, worked out from what is saved and from nothing else, so that the screen, the record
// and the paper give the same figures whichever window computed last:
//   - while the matching 中間 row of 別表五（二） or 別表五（二）の２ holds a payment, that payment (split into the tax and
//     the per-capita part where the tax has one);
//   - otherwise what the user entered last, in 中間申告の入力, the bulk input or 別表一's own box, all three kept in
//     the interim record;
//   - otherwise nothing.
// The figures are indexed as the interim record holds them: [0] 法人税 (別表一 14), [1] 県 中間納付額⑬, [2] 県
// 中間均等割額⑲, [3] 事業税 (43), [4] 市 中間納付額⑪, [5] 市 中間均等割額⑯.
namespace hz {

namespace interim {
constexpr int corporate = 0, prefectural = 1, prefecturalLevy = 2, enterprise = 3, municipal = 4, municipalLevy = 5;
constexpr int figureCount = 6;
} // namespace interim

// One figure each; nothing where the rule cannot decide (a record it needs could not be read) or, for entries, where
// the user entered nothing.
using InterimAmounts = std::array<std::optional<std::int32_t>, interim::figureCount>;

// What a 中間 row pays: ③ 充当金崩し + ④ 仮払経理 + ⑤ 損金経理, however it was booked; nothing where the three are
// empty. Unknown where the row's record could not be read.
struct InterimRow {
    bool known = true;
    std::optional<std::int32_t> paid;
};
struct InterimRows {
    InterimRow corporate;   // 別表五（二） 法人税 中間
    InterimRow prefectural; // 県民税 中間
    InterimRow enterprise;  // 別表五（二）の２ 事業税 中間
    InterimRow municipal;   // 市民税 中間
};
// The three rows of 別表五（二）.
void takeSchedule5_2Rows(const Schedule5_2Cells &cells, InterimRows &rows);
// The enterprise-tax row of 別表五（二）の２.
void takeSchedule5_2Part2Row(const Schedule5_2Part2Record &rec, InterimRows &rows);

// The annual per-capita levies of the year, whole yen.
struct InterimLevies {
    std::int32_t prefectural = 0;
    std::int32_t municipal = 0;
};
// As 別表一 uses them: its record's 均等割額 ⑱ and ⑮, or the rate table's where the record has none.
InterimLevies schedule1Levies(const Schedule1Record &rec, const TaxRateTable &rates);

// An interim payment of an inhabitant tax split into its tax part and its per-capita part, half the annual levy
// (rounded down to the yen) as far as the payment covers it.
struct InterimSplit {
    std::int32_t tax = 0;
    std::int32_t levy = 0;
};
InterimSplit splitInterimPayment(std::int32_t paid, std::int32_t annualLevy);

struct Schedule1InterimInput {
    InterimRows rows;
    // The interim record; nothing where it could not be read.
    std::optional<InterimAmountRecord> entered;
    InterimLevies levies;
};
// The six figures: a number for every figure the rule decides (0 is an empty box), nothing where it cannot.
InterimAmounts schedule1InterimFigures(const Schedule1InterimInput &in);

// A company saved before the interim record kept every entry held its figures in 別表一's record alone. What the
// user entered there: each figure whose row pays nothing; a figure a row pays came from the row. Nothing where a row
// cannot be read, as a row's figure could then be taken for the user's.
std::optional<InterimAmountRecord> entriesHeldBySchedule1(const Schedule1Record &rec, const InterimRows &rows);

// rec with the entries laid over it (a figure entered as 0 is none).
InterimAmountRecord withEntries(InterimAmountRecord rec, const InterimAmounts &entries);

} // namespace hz
