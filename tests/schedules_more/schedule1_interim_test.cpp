#include "core/errors.h"
#include "schedules/more/schedule1_interim.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

namespace hz::test {
namespace {

using Amounts = InterimAmounts;
constexpr auto none = std::nullopt;

InterimRow paying(std::int32_t amount) { return {true, amount}; }
const InterimRow empty{true, std::nullopt};
const InterimRow unreadable{false, std::nullopt};

InterimAmountRecord entered(std::array<std::int32_t, 6> a) { return InterimAmountRecord{a}; }

// Each figure: its row's payment while the row pays, else what the user entered, else nothing; the per-capita part
// of an inhabitant tax is half the year's levy. A record that cannot be read decides none of the figures it holds.
TEST(Schedule1Interim, EachFigureIsTheRowsPaymentElseTheEntryElseNothing) {
    const InterimLevies preset18{50000, 130000}, preset7{20000, 50000};
    const InterimAmountRecord typed = entered({500000, 30000, 25000, 80000, 70000, 65000});
    struct Case {
        const char *name;
        InterimRows rows;
        std::optional<InterimAmountRecord> entered;
        InterimLevies levies;
        Amounts out;
    } const cases[] = {
        {"no row pays: the entries", {empty, empty, empty, empty}, typed, preset18,
         Amounts{500000, 30000, 25000, 80000, 70000, 65000}},
        {"nothing entered anywhere", {empty, empty, empty, empty}, InterimAmountRecord{}, preset18,
         Amounts{0, 0, 0, 0, 0, 0}},
        {"every row pays, 18万円", {paying(700000), paying(45000), paying(90000), paying(90000)}, typed, preset18,
         Amounts{700000, 20000, 25000, 90000, 25000, 65000}},
        {"every row pays, 7万円", {paying(700000), paying(45000), paying(90000), paying(90000)}, typed, preset7,
         Amounts{700000, 35000, 10000, 90000, 65000, 25000}},
        {"any other pair, halves rounded down", {empty, paying(45000), empty, paying(90000)}, typed, {41001, 120001},
         Amounts{500000, 24500, 20500, 80000, 30000, 60000}},
        {"a payment below half the levy is all levy", {empty, paying(10000), empty, paying(-5000)}, typed, preset18,
         Amounts{500000, 0, 10000, 80000, -5000, 0}},
        {"a row's record unreadable decides its figures alone", {unreadable, unreadable, empty, paying(90000)}, typed,
         preset18, Amounts{none, none, none, 80000, 25000, 65000}},
        {"an unreadable interim record decides only where a row pays", {empty, paying(45000), empty, empty},
         std::nullopt, preset18, Amounts{none, 20000, 25000, none, none, none}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(schedule1InterimFigures({c.rows, c.entered, c.levies}), c.out) << c.name;
}

// A row pays with ③, ④ or ⑤ filled, however it was booked; ② alone is a tax due, not a payment.
TEST(Schedule1Interim, ARowPaysWhatItsThirdToFifthColumnsHold) {
    struct Case {
        const char *name;
        std::map<int, std::int32_t> cells;
        std::optional<std::int32_t> corporate, prefectural, municipal;
    } const cases[] = {
        {"⑤ of each row", {{8, 700000}, {11, 700000}, {38, 45000}, {41, 45000}, {62, 90000}, {65, 90000}},
         700000, 45000, 90000},
        {"③ ④ ⑤ add up", {{9, 1}, {10, 20}, {11, 300}, {39, 10000}, {40, 20000}, {41, 15000}}, 321, 45000, none},
        {"② alone pays nothing", {{8, 700000}, {38, 45000}, {62, 90000}}, none, none, none},
        {"paid and taken back pays 0", {{10, -20}, {11, 20}}, 0, none, none},
        {"other rows are not interim", {{5, 100}, {17, 100}, {29, 100}, {47, 100}, {59, 100}, {71, 100}}, none, none,
         none},
    };
    for (const Case &c : cases) {
        Schedule5_2Cells cells{};
        for (const auto &[k, v] : c.cells)
            cellAt(cells, k) = v;
        InterimRows rows;
        takeSchedule5_2Rows(cells, rows);
        EXPECT_EQ(rows.corporate.paid, c.corporate) << c.name;
        EXPECT_EQ(rows.prefectural.paid, c.prefectural) << c.name;
        EXPECT_EQ(rows.municipal.paid, c.municipal) << c.name;
    }
    Schedule5_2Part2Record part2;
    part2.cells[8 - 1] = 4000;  // 事業税 中間 ②: due, not paid
    part2.cells[10 - 1] = 90000; // ④
    part2.cells[11 - 1] = 10000; // ⑤
    part2.cells[5 - 1] = 777;    // 前期 ⑤
    InterimRows rows;
    takeSchedule5_2Part2Row(part2, rows);
    EXPECT_EQ(rows.enterprise.paid, 100000);

    Schedule5_2Cells huge{};
    cellAt(huge, 10) = std::numeric_limits<std::int32_t>::max();
    cellAt(huge, 11) = 1;
    EXPECT_THROW(takeSchedule5_2Rows(huge, rows), Error);
}

// The levies as Schedule 1 uses them: its record's, or the rate table's where it has none.
TEST(Schedule1Interim, LeviesAreScheduleOnesElseTheRateTables) {
    TaxRateTable rates;
    rates.r[6] = 50000;
    rates.r[8] = 130000;
    Schedule1Record rec;
    EXPECT_EQ(schedule1Levies(rec, rates).prefectural, 50000);
    EXPECT_EQ(schedule1Levies(rec, rates).municipal, 130000);
    rec.C(7) = 20000;
    rec.D(6) = 50000;
    EXPECT_EQ(schedule1Levies(rec, rates).prefectural, 20000);
    EXPECT_EQ(schedule1Levies(rec, rates).municipal, 50000);
}

// A company saved before the interim record: the figures Schedule 1 holds are the user's where no row pays them.
TEST(Schedule1Interim, ACompanySavedBeforeKeepsWhatScheduleOneHeldWhereNoRowPays) {
    Schedule1Record s1;
    s1.A(4) = 600000;
    s1.C(5) = 30000;
    s1.C(8) = 25000;
    s1.B(7) = 90000; // reached 別表一 from the row below
    s1.D(4) = 70000;
    s1.D(7) = 65000;
    EXPECT_EQ(entriesHeldBySchedule1(s1, {empty, empty, paying(90000), empty}),
              entered({600000, 30000, 25000, 0, 70000, 65000}));
    EXPECT_EQ(entriesHeldBySchedule1(s1, {empty, paying(55000), empty, empty}),
              entered({600000, 0, 0, 90000, 70000, 65000}));
    EXPECT_EQ(entriesHeldBySchedule1(s1, {empty, empty, unreadable, empty}), std::nullopt);

    // Entries laid over the record: a figure entered replaces, 0 included; none leaves it.
    EXPECT_EQ(withEntries(entered({1, 2, 3, 4, 5, 6}), Amounts{none, 0, none, 80000, none, none}),
              entered({1, 0, 3, 80000, 5, 6}));
}

} // namespace
} // namespace hz::test
