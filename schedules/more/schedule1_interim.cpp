#include "schedules/more/schedule1_interim.h"

#include "core/numbers.h"

#include <algorithm>
#include <limits>

namespace hz {

namespace {

// ③ + ④ + ⑤ of a row whose ③ to ⑤ stand at first, first + 1 and first + 2.
template <typename Cell> std::optional<std::int32_t> paidFrom(const Cell &cell, int first) {
    const std::int32_t c3 = cell(first), c4 = cell(first + 1), c5 = cell(first + 2);
    if (c3 == 0 && c4 == 0 && c5 == 0)
        return std::nullopt;
    return add(add(c3, c4), c5);
}

// A levy no rate table holds beyond 32 bits counts as the largest one, so that no load fails on it.
std::int32_t wholeLevy(double levy) {
    return levy > 0 ? roundHalfEven(std::min(levy, double(std::numeric_limits<std::int32_t>::max()))) : 0;
}

} // namespace

void takeSchedule5_2Rows(const Schedule5_2Cells &cells, InterimRows &rows) {
    const auto cell = [&](int k) { return cellAt(cells, k); };
    rows.corporate = {true, paidFrom(cell, taxGridCell(s52::corporateInterim, 3))};
    rows.prefectural = {true, paidFrom(cell, taxGridCell(s52::prefecturalInterim, 3))};
    rows.municipal = {true, paidFrom(cell, taxGridCell(s52::municipalInterim, 3))};
}

void takeSchedule5_2Part2Row(const Schedule5_2Part2Record &rec, InterimRows &rows) {
    // 事業税 中間 is the grid's second row.
    const auto cell = [&](int k) { return rec.cells[std::size_t(k - 1)]; };
    rows.enterprise = {true, paidFrom(cell, taxGridCell(2, 3))};
}

InterimLevies schedule1Levies(const Schedule1Record &rec, const TaxRateTable &rates) {
    const auto levy = [](double held, float rate) {
        return wholeLevy(held != 0 ? held : decimalOrZero(rateText(rate)));
    };
    return {levy(rec.C(7), rates.r[6]), levy(rec.D(6), rates.r[8])};
}

InterimSplit splitInterimPayment(std::int32_t paid, std::int32_t annualLevy) {
    // The interim return pays half the year's levy; a payment smaller than that is all levy, never a negative tax.
    const std::int32_t levy = std::clamp(std::max(annualLevy, 0) / 2, 0, std::max(paid, 0));
    return {sub(paid, levy), levy};
}

InterimAmounts schedule1InterimFigures(const Schedule1InterimInput &in) {
    InterimAmounts out;
    const auto entered = [&](int i) -> std::optional<std::int32_t> {
        if (!in.entered)
            return std::nullopt;
        return in.entered->amounts[std::size_t(i)];
    };
    const auto single = [&](const InterimRow &row, int i) {
        if (!row.known)
            return;
        out[std::size_t(i)] = row.paid ? row.paid : entered(i);
    };
    const auto split = [&](const InterimRow &row, int taxPart, int levyPart, std::int32_t annualLevy) {
        if (!row.known)
            return;
        if (row.paid) {
            const InterimSplit s = splitInterimPayment(*row.paid, annualLevy);
            out[std::size_t(taxPart)] = s.tax;
            out[std::size_t(levyPart)] = s.levy;
        } else {
            out[std::size_t(taxPart)] = entered(taxPart);
            out[std::size_t(levyPart)] = entered(levyPart);
        }
    };
    single(in.rows.corporate, interim::corporate);
    split(in.rows.prefectural, interim::prefectural, interim::prefecturalLevy, in.levies.prefectural);
    single(in.rows.enterprise, interim::enterprise);
    split(in.rows.municipal, interim::municipal, interim::municipalLevy, in.levies.municipal);
    return out;
}

std::optional<InterimAmountRecord> entriesHeldBySchedule1(const Schedule1Record &rec, const InterimRows &rows) {
    const InterimRow *rowOf[interim::figureCount] = {&rows.corporate, &rows.prefectural, &rows.prefectural,
                                                     &rows.enterprise, &rows.municipal,   &rows.municipal};
    // 別表一 keeps its local figures as doubles holding whole yen.
    const double held[interim::figureCount] = {double(rec.A(4)), rec.C(5), rec.C(8), rec.B(7), rec.D(4), rec.D(7)};
    InterimAmountRecord out;
    for (int i = 0; i < interim::figureCount; ++i) {
        if (!rowOf[i]->known)
            return std::nullopt;
        out.amounts[std::size_t(i)] = rowOf[i]->paid ? 0 : roundHalfEven(held[i]);
    }
    return out;
}

InterimAmountRecord withEntries(InterimAmountRecord rec, const InterimAmounts &entries) {
    for (int i = 0; i < interim::figureCount; ++i)
        if (entries[std::size_t(i)])
            rec.amounts[std::size_t(i)] = *entries[std::size_t(i)];
    return rec;
}

} // namespace hz
