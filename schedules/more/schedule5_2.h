#pragma once

#include <QString>

#include <array>
#include <cstdint>

// 別表五（二）: taxes and dues, tax by tax, in the six columns ① 期首未納額, ② 当期発生額, ③ 充当金崩し,
// ④ 仮払経理, ⑤ 損金経理 and ⑥ 期末未納額. Two records per company:
//   "c:\法人税\別表\1052" + code + ".txt": 法人税, 法人県民税 and 法人市民税, 13 rows, 78 lines;
//   "c:\法人税\別表\1053" + code + ".txt": 事業税 and the other taxes and dues (11 rows), the tax provision
//   納税充当金 (4 lines) and four row names, 74 lines.
// Neither has a placeholder tail.
namespace hz {

// Cell of row r and column c (1-6) in either grid.
constexpr int taxGridCell(int row, int column) { return 6 * (row - 1) + column; }

// ---- 別表五（二）, the first window ----

// Cell k at [k-1].
using Schedule5_2Cells = std::array<std::int32_t, 78>;
inline std::int32_t &cellAt(Schedule5_2Cells &cells, int k) { return cells[k - 1]; }
inline std::int32_t cellAt(const Schedule5_2Cells &cells, int k) { return cells[k - 1]; }

// Rows of the three taxes.
namespace s52 {
constexpr int corporatePrevious = 1, corporateInterim = 2, corporateFinal = 3, corporateTotal = 4;
constexpr int prefecturalPrevious = 5, prefecturalInterestLevy = 6, prefecturalInterim = 7, prefecturalFinal = 8,
              prefecturalTotal = 9;
constexpr int municipalPrevious = 10, municipalInterim = 11, municipalFinal = 12, municipalTotal = 13;
} // namespace s52

enum class Schedule5_2Tax { corporate, prefectural, municipal };

QString schedule5_2Path(std::int32_t companyCode);
// All 78 cells of the company's record. Throws hz::Error when the file is missing or short.
Schedule5_2Cells readSchedule5_2File(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule5_2Cells readSchedule5_2FileAt(const QString &windowsPath);
// Replaces the record with the 78 cells. Throws hz::Error; the old record then stays.
void writeSchedule5_2File(std::int32_t companyCode, const Schedule5_2Cells &cells);

// Completes one tax's block in place: ⑥ = ① + ② − ③ − ④ − ⑤ of each of its rows, then its 計 row column by
// column. Error::overflow() when a sum leaves 32 bits.
void computeSchedule5_2Tax(Schedule5_2Cells &cells, Schedule5_2Tax tax);
// The three blocks, corporate tax first.
Schedule5_2Cells computeSchedule5_2(const Schedule5_2Cells &in);

// Schedule 4's lines 2 to 4.
struct Schedule5_2ToSchedule4 {
    std::int32_t corporateTax = 0;    // 損金計上法人税
    std::int32_t inhabitantTaxes = 0; // 損金計上住民税
    std::int32_t interestLevy = 0;    // 損金計上利子割
};
Schedule5_2ToSchedule4 schedule5_2ToSchedule4(const Schedule5_2Cells &cells);

// Schedule 5(1)'s rows 未納法人税, 未納県民税 and 未納市民税, columns ① to ④, by tax. ④ is the tax's 計 ⑥, where
// an inhabitant tax's balance below 0 (a refund due) gives 0.
struct Schedule5_2Unpaid {
    std::array<std::int32_t, 4> corporate{};
    std::array<std::int32_t, 4> prefectural{};
    std::array<std::int32_t, 4> municipal{};
};
Schedule5_2Unpaid schedule5_2Unpaid(const Schedule5_2Cells &cells);

// The tax provision drawn down for the three taxes: 計 ③ of each.
std::int32_t schedule5_2Reversal(const Schedule5_2Cells &cells);

// ---- 別表五（二）の２, the second window ----

// Indexed by cell number: [1]-[70] the record's cells, [71]-[73] and [76] the total's working cells.
using Schedule5_2Part2Values = std::array<std::int32_t, 78>;

namespace s52p2 {
constexpr int provisionStart = 67;    // 期首
constexpr int provisionCharged = 68;  // 損金算入
constexpr int provisionReversal = 69; // 法人等取崩 of the corporate and inhabitant taxes
constexpr int provisionEnd = 70;      // 期末
} // namespace s52p2

struct Schedule5_2Part2Record {
    std::array<std::int32_t, 70> cells{}; // cell k at [k-1]
    std::array<QString, 4> rowNames{};    // rows 6, 7, 10 and 11
};

QString schedule5_2Part2Path(std::int32_t companyCode);
// All 74 values. Throws hz::Error when the file is missing or short.
Schedule5_2Part2Record readSchedule5_2Part2File(std::int32_t companyCode);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
Schedule5_2Part2Record readSchedule5_2Part2FileAt(const QString &windowsPath);
// Replaces the record. Throws hz::Error; the old record then stays.
void writeSchedule5_2Part2File(std::int32_t companyCode, const Schedule5_2Part2Record &rec);

// 事業税, rows 1-3: ⑥ of 前期 and 中間 (中間 has no ①: cell 7 is 0), then 計 column by column.
void computeEnterpriseTaxRows(Schedule5_2Part2Values &v);
// ⑥ = ② + ① − ③ − ④ − ⑤ of rows first to last (4-11).
void computeOtherTaxRows(Schedule5_2Part2Values &v, int firstRow, int lastRow);

// The provision drawn down this year (the ③ cells of rows 3-11 and cell 69) and, stored in v, 期末.
std::int32_t provisionDrawDown(const Schedule5_2Part2Values &v);
void computeProvision(Schedule5_2Part2Values &v);

// Everything the compute derives, in its order.
Schedule5_2Part2Values computeSchedule5_2Part2(const Schedule5_2Part2Values &in);

// "租税公課の合計額": everything charged to expense in both windows. The three corporate and inhabitant figures
// are stored in v[71]-[73] and the total in v[76].
std::int32_t taxesAndDuesTotal(Schedule5_2Part2Values &v, std::int32_t corporate, std::int32_t prefectural,
                               std::int32_t municipal);

} // namespace hz
