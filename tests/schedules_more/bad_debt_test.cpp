#include "core/errors.h"
#include "schedules/more/bad_debt.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

namespace hz {
namespace {

using Lines = std::map<int, std::int32_t>;

Schedule11Input reserveInput(const Lines &typed) {
    Schedule11Input in;
    in.lines[s11::perPeriod - 1] = 100; // an empty line 10, as the window reads it
    for (auto [line, v] : typed)
        in.lines[line - 1] = v;
    return in;
}

std::optional<QString> errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const Error &e) {
        return e.description();
    }
    return std::nullopt;
}

TEST(ReserveLimit, LimitForEachStatutoryRate) {
    struct Case {
        const char *name;
        std::int32_t rate, line4, line1;
        std::int32_t limit, publicInterest, excess;
    } cases[] = {
        {"wholesale and retail", 10, 12345678, 120000, 123456, 143208, -23208},
        {"manufacturing", 8, 12345678, 120000, 98765, 114567, 5433},
        {"finance and insurance", 3, 12345678, 120000, 37037, 42962, 77038},
        {"instalment sales", 13, 12345678, 120000, 160493, 186171, -66171},
        {"other", 6, 12345678, 120000, 74074, 85925, 34075},
        // The product rate × line 4 is taken in 64 bits: amounts past 2^31 / rate still compute.
        {"rate 13 at the old 32-bit edge", 13, 165191049, 0, 2147483, 2491080, -2491080},
        {"rate 13 just past it", 13, 165191050, 0, 2147483, 2491080, -2491080},
        {"rate 13 on the largest amount", 13, 2147483647, 0, 27917287, 32384052, -32384052},
        {"negative receivables round down", 10, -1, 0, -1, -2, 2},
        {"nothing entered", 10, 0, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const auto r = computeSchedule11(
            reserveInput({{s11::statutoryRate, c.rate}, {s11::column24Total, c.line4}, {s11::charged, c.line1}}));
        EXPECT_EQ(r.lines[s11::limit - 1], c.limit) << c.name;
        EXPECT_EQ(r.lines[s11::publicInterestLimit - 1], c.publicInterest) << c.name;
        EXPECT_EQ(r.lines[s11::excess - 1], c.excess) << c.name;
        EXPECT_EQ(r.lines[s11::statutoryRate - 1], c.rate) << c.name;
        EXPECT_EQ(r.lines[s11::column24Total - 1], c.line4) << c.name;
    }
}

TEST(ReserveLimit, HistoricalRate) {
    struct Case {
        const char *name;
        Lines typed;
        std::int32_t lossTotal, rate;
    } cases[] = {
        {"rate in 1/10000, rounded down", {{s11::lossPerYear, 1234}, {s11::perPeriod, 98765}}, 0, 124},
        {"a negative rate rounds toward minus infinity", {{s11::lossPerYear, -1234}, {s11::perPeriod, 98765}}, 0, -125},
        {"empty line 10 stands for 100", {{s11::lossPerYear, 3}}, 0, 300},
        // 0.57 exactly: a floating quotient would give 5,699.999… and lose a unit.
        {"an exact rate keeps its last unit", {{s11::lossPerYear, 570000}, {s11::perPeriod, 1000000}}, 0, 5700},
        {"a negative line 10", {{s11::lossPerYear, 1}, {s11::perPeriod, -3}}, 0, -3334},
        {"losses: 12 + 11 - 13 - 14",
         {{s11::lossI, 500000}, {s11::lossRo, 20000}, {s11::lossHa, 30000}, {s11::lossNi, 10000}},
         480000,
         0},
        {"line 9 is kept and used nowhere", {{s11::recentReceivables, 777}, {s11::perPeriod, 7}}, 0, 0},
        // Lines the compute derives are never taken from the input.
        {"computed lines are recomputed",
         {{s11::lossTotal, 99}, {s11::rate, 99}, {s11::historicalRate, 99}, {s11::limit, 99}},
         0,
         0},
    };
    for (const Case &c : cases) {
        const auto r = computeSchedule11(reserveInput(c.typed));
        EXPECT_EQ(r.lines[s11::lossTotal - 1], c.lossTotal) << c.name;
        EXPECT_EQ(r.lines[s11::rate - 1], c.rate) << c.name;
        EXPECT_EQ(r.lines[s11::historicalRate - 1], c.rate) << c.name;
        EXPECT_EQ(r.lines[s11::limit - 1], 0) << c.name;
        for (auto [line, v] : c.typed) {
            if (line == s11::recentReceivables || line == s11::perPeriod || line == s11::lossPerYear) {
                EXPECT_EQ(r.lines[line - 1], v) << c.name;
            }
        }
    }
}

TEST(ReserveLimit, Failures) {
    struct Case {
        const char *name;
        Lines typed;
        const char *error;
    } cases[] = {
        {"a 0 in line 10", {{s11::perPeriod, 0}, {s11::lossPerYear, 5}}, "0 で除算しました。"},
        {"0 / 0 as well", {{s11::perPeriod, 0}}, "0 で除算しました。"},
        {"rate beyond 32 bits", {{s11::perPeriod, 1}, {s11::lossPerYear, 1000000}}, "オーバーフローしました。"},
        {"losses beyond 32 bits", {{s11::lossRo, 2147483647}, {s11::lossI, 1}}, "オーバーフローしました。"},
        {"losses below 32 bits", {{s11::lossHa, 2}, {s11::lossRo, -2147483647}}, "オーバーフローしました。"},
        {"excess below 32 bits",
         {{s11::charged, -2147483647}, {s11::statutoryRate, 10}, {s11::column24Total, 1000000}},
         "オーバーフローしました。"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorOf([&] { computeSchedule11(reserveInput(c.typed)); }), QString::fromUtf8(c.error)) << c.name;
}

// ---- Statement of receivables --------------------------------------------------------------------------------

std::int32_t &cell(Schedule11DetailInput &in, int account, int column) {
    return in.cells[detailCell(account, column) - 1];
}
std::int32_t get(const DetailCells &c, int n) { return c[n - 1]; }

TEST(ReceivablesStatement, ColumnsAndTotals) {
    Schedule11DetailInput in;
    // Account 1: 18 = 5,000,000, 19 = 200,000, 20 = 50,000, 21 = 150,000, 23 = 100,000.
    cell(in, 1, 18) = 5000000;
    cell(in, 1, 19) = 200000;
    cell(in, 1, 20) = 50000;
    cell(in, 1, 21) = 150000;
    cell(in, 1, 23) = 100000;
    // Account 6: more set aside than held, so its column 24 goes negative.
    cell(in, 6, 18) = 300;
    cell(in, 6, 23) = 400;
    // Computed cells typed in are ignored.
    cell(in, 3, 22) = 999;
    cell(in, 3, 24) = 999;
    in.cells[detailTotal(18) - 1] = 999;
    const DetailCells c = computeSchedule11Detail(in).cells;

    const struct {
        int cell;
        std::int32_t value;
    } expected[] = {
        {detailCell(1, 22), 5000000}, {detailCell(1, 24), 4900000}, {detailCell(6, 22), 300},
        {detailCell(6, 24), -100},    {detailCell(3, 22), 0},       {detailCell(3, 24), 0},
        {detailTotal(18), 5000300},   {detailTotal(19), 200000},    {detailTotal(20), 50000},
        {detailTotal(21), 150000},    {detailTotal(22), 5000300},   {detailTotal(23), 100400},
        {detailTotal(24), 4899900},
    };
    for (auto e : expected)
        EXPECT_EQ(get(c, e.cell), e.value) << "D" << e.cell;
    // Inputs pass through.
    EXPECT_EQ(get(c, detailCell(1, 19)), 200000);
    EXPECT_EQ(get(c, detailCell(6, 23)), 400);
}

TEST(ReceivablesStatement, DeductionRatioAndNonReceivables) {
    struct Case {
        const char *name;
        std::int32_t line25, line26, column22;
        std::int32_t ratio, amount;
    } cases[] = {
        {"ratio in 1/1000, rounded down", 7654321, 123456, 5000000, 16, 80000},
        {"an exact ratio keeps its last unit", 100, 201, 1000, 2010, 2010},
        {"no base year: no ratio", 0, 123456, 5000000, 0, 0},
        {"nothing at all", 0, 0, 0, 0, 0},
        {"a negative ratio rounds toward minus infinity", 3, -1, 1000, -334, -334},
        // The product ratio × column 22 is taken in 64 bits.
        {"ratio 16 past the old 32-bit edge", 1000, 16, 134217728, 16, 2147483},
        {"ratio 1000 on a large total", 5, 5, 2000000000, 1000, 2000000000},
    };
    for (const Case &c : cases) {
        Schedule11DetailInput in;
        in.cells[s11d::baseYearReceivables - 1] = c.line25;
        in.cells[s11d::baseYearNonReceivables - 1] = c.line26;
        cell(in, 2, 18) = c.column22;
        const DetailCells r = computeSchedule11Detail(in).cells;
        EXPECT_EQ(get(r, s11d::deductionRatio), c.ratio) << c.name;
        EXPECT_EQ(get(r, s11d::nonReceivables), c.amount) << c.name;
        EXPECT_EQ(get(r, s11d::baseYearReceivables), c.line25) << c.name;
        EXPECT_EQ(get(r, s11d::baseYearNonReceivables), c.line26) << c.name;
    }
}

TEST(ReceivablesStatement, Overflows) {
    struct Case {
        const char *name;
        std::function<void(Schedule11DetailInput &)> fill;
    } cases[] = {
        {"column total", [](auto &in) { cell(in, 1, 18) = cell(in, 2, 18) = 2000000000; }},
        {"an account's column 22", [](auto &in) { cell(in, 1, 18) = cell(in, 1, 19) = 2000000000; }},
        {"an account's column 24", [](auto &in) { cell(in, 1, 18) = -2000000000, cell(in, 1, 23) = 2000000000; }},
        {"total of column 24",
         [](auto &in) {
             cell(in, 1, 18) = -2000000000;
             cell(in, 2, 18) = -147483648;
             cell(in, 3, 23) = 1;
         }},
        {"ratio",
         [](auto &in) {
             in.cells[s11d::baseYearReceivables - 1] = 1, in.cells[s11d::baseYearNonReceivables - 1] = 3000000;
         }},
        {"line 28",
         [](auto &in) {
             in.cells[s11d::baseYearReceivables - 1] = 1;
             in.cells[s11d::baseYearNonReceivables - 1] = 1000;
             cell(in, 1, 18) = 10000000;
         }},
    };
    for (const Case &c : cases) {
        Schedule11DetailInput in;
        c.fill(in);
        EXPECT_EQ(errorOf([&] { computeSchedule11Detail(in); }), QStringLiteral("オーバーフローしました。")) << c.name;
    }
}

} // namespace
} // namespace hz
