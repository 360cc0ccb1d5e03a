#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表十一（一の二）: the limit of the bad-debt reserve for receivables valued as a whole, and the statement of
// those receivables (一括評価金銭債権の明細) that feeds it. Each keeps one record per company.
namespace hz {

// ---- The reserve limit ----------------------------------------------------------------------------------------

// Lines 1-17 of the reserve window; line n at [n-1].
using ReserveLines = std::array<std::int32_t, 17>;

namespace s11 {
constexpr int charged = 1;             // 当期繰入額
constexpr int column22Total = 2;       // (22)の計, from the statement
constexpr int historicalRate = 3;      // 貸倒実績率 carried up from line 17
constexpr int column24Total = 4;       // (24)の計, from the statement
constexpr int statutoryRate = 5;       // 法定繰入率, per 1000
constexpr int limit = 6;               // 繰入限度額
constexpr int publicInterestLimit = 7; // 公益法人等 116/100
constexpr int excess = 8;              // 繰入限度超過額
constexpr int recentReceivables = 9;   // receivables at the end of the periods begun within three years
constexpr int perPeriod = 10;          // (9) / number of those periods
constexpr int lossI = 11;              // 令96条第2項第2号イ
constexpr int lossRo = 12;             // ロ
constexpr int lossHa = 13;             // ハ
constexpr int lossNi = 14;             // 二
constexpr int lossTotal = 15;          // 貸倒による損失の額等の合計額
constexpr int lossPerYear = 16;        // (15) × 12 / months of those periods
constexpr int rate = 17;               // 貸倒実績率, in 1/10000
} // namespace s11

// The legal transfer rates per 1000 of the five options, in option order: 卸売・小売業, 製造業, 金融・保険業,
// 割賦販売法, その他.
constexpr std::array<std::int32_t, 5> statutoryRates{10, 8, 3, 13, 6};

// "c:\法人税\別表\100111" + code + ".txt": lines 1-17, then the placeholder tail.
struct Schedule11Record {
    ReserveLines lines{};
};

QString schedule11Path(std::int64_t code);
// Reads lines 1-17. Throws hz::Error when the file is missing or shorter.
Schedule11Record readSchedule11(std::int32_t code);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule11Record readSchedule11At(const QString &windowsPath);
// Replaces the record with all 29 lines. Throws hz::Error; the old record then stays.
void writeSchedule11(std::int32_t code, const Schedule11Record &rec);

// Lines 1, 2, 4, 5, 9-14 and 16 as read from the window (line 10 already 100 where its box was left empty);
// the other lines are ignored.
struct Schedule11Input {
    ReserveLines lines{};
};

struct Schedule11Result {
    ReserveLines lines{};
};

// Error::divisionByZero() for a 0 in line 10; Error::overflow() when a sum or a line leaves 32 bits.
Schedule11Result computeSchedule11(const Schedule11Input &in);

// ---- The statement of receivables -----------------------------------------------------------------------------

// D1-D53; D n at [n-1]. Account r (1-6) in column k (18-24) is D(7(r-1) + k - 17); the total of column k is
// D(k + 25); D50-D53 are lines 25-28.
using DetailCells = std::array<std::int32_t, 53>;
using AccountNames = std::array<QString, 6>;

constexpr int detailCell(int account, int column) { return 7 * (account - 1) + column - 17; }
constexpr int detailTotal(int column) { return column + 25; }

namespace s11d {
constexpr int accounts = 6;
constexpr int firstColumn = 18;            // 期末残高
constexpr int lastColumn = 24;             // 差引一括評価金銭債権の額
constexpr int baseYearReceivables = 50;    // 25 基準年度における売掛金等の合計額
constexpr int baseYearNonReceivables = 51; // 26 同上の実質的に債権とみられないものの額の合計額
constexpr int deductionRatio = 52;         // 27 債権からの控除割合, in 1/1000
constexpr int nonReceivables = 53;         // 28 実質的に債権とみられないものの額
} // namespace s11d

// "c:\法人税\別表\100112" + code + ".txt": the six names, D1-D53, then the placeholder tail.
struct Schedule11DetailRecord {
    AccountNames names;
    DetailCells cells{};
};

QString schedule11DetailPath(std::int64_t code);
// Reads the names and D1-D53. Throws hz::Error when the file is missing or shorter.
Schedule11DetailRecord readSchedule11Detail(std::int32_t code);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule11DetailRecord readSchedule11DetailAt(const QString &windowsPath);
// Replaces the record with all 71 lines. Throws hz::Error; the old record then stays.
void writeSchedule11Detail(std::int32_t code, const Schedule11DetailRecord &rec);

// Columns 18-21 and 23 of the six accounts and lines 25 and 26 as typed; every other cell is ignored.
struct Schedule11DetailInput {
    DetailCells cells{};
};

struct Schedule11DetailResult {
    DetailCells cells{};
};

// Error::overflow() when a sum or line 27 or 28 leaves 32 bits.
Schedule11DetailResult computeSchedule11Detail(const Schedule11DetailInput &in);

} // namespace hz
