#pragma once

#include <QString>

#include <array>
#include <cstdint>

// What the print window's data load gathers of one company and every printed page reads. Element k of every
// array is index k; index 0 is never used. Before the first load numbers are 0 and texts empty.
namespace hz {

template <std::size_t N> using Longs = std::array<std::int32_t, N + 1>;
template <std::size_t N> using Doubles = std::array<double, N + 1>;
template <std::size_t N> using Texts = std::array<QString, N + 1>;

struct PrintData {
    // 1 code, 2 capital in yen, 3-5 period start, 6-8 period end, 9-11 settlement date (平成 year, month, day).
    Longs<11> companyNumbers{};
    // 1 name reading, 2 company name, 3 tax address, 4 representative's reading, 5 representative's address,
    // 6 business type, 7 tax office, 8 telephone, 9 representative's name; 10 the name the Schedule 1 pages print.
    Texts<10> companyTexts;
    Longs<23> sched1Amounts{};        // 1-18 the whole-yen values of the Schedule 1 record; 19-23 derived by its page
    Doubles<15> enterpriseTaxValues{}; // B1-B15 of the Schedule 1 record
    Doubles<11> prefTaxValues{};       // C1-C11
    Doubles<9> muniTaxValues{};        // D1-D9
    Texts<25> sched2Texts;             // 1 verdict; shareholder row r at 4r-2 順位, 4r-1 住所, 4r 氏名, 4r+1 続柄
    Longs<9> sched2Shares{};           // 1 issued total, 2 top three, 3 percentage as entered, 4-9 rows 1-6
    Longs<62> schedule4Cells{};        // at their own numbers; 13 and 29 never loaded
    Texts<4> schedule4RowNames;
    Longs<70> schedule5_1Cells{};      // row r, column c at 5(r-1)+c
    Texts<7> schedule5_1RowNames;
    Longs<16> capitalCells{};
    Texts<2> capitalRowNames;
    Longs<79> schedule5_2Cells{};      // 1-78: row r, column c at 6(r-1)+c
    Longs<77> schedule5_2Part2Cells{}; // 1-70
    Texts<4> schedule5_2Part2RowNames;
    Longs<21> schedule6Cells{};
    Texts<2> schedule6Texts;           // the two issue names (銘柄)
    Longs<37> sched7Amounts{};         // 1-17, 20, 23, 32-37 at the Schedule 7 window's own numbers
    Longs<7> sched15Amounts{};
    Texts<5> accountantTexts;          // 1 name, 2 telephone, 3 address, 4 registration number, 5 branch
    Texts<7> refundBankTexts;          // 1 bank, 2 branch, 3 account number, 4 account type, 6 employees, 7 ward
    Texts<2> specialFieldTexts;        // 1 prefectural addressee, 2 municipal addressee
};

// The working values of the pages, kept by the print window between pages: the offsets added to positions, the
// layout values of the rule loops and digit rows, and the digit splits the pages make.
struct PageState {
    std::int32_t blockOffsetX = 0;
    std::int32_t blockOffsetY = 0;
    std::int32_t pageShiftX = 0;
    std::int32_t pageShiftY = 0;
    std::int32_t lineOriginX = 0;
    std::int32_t lineOriginY = 0;
    std::int32_t ruleY = 0;
    std::int32_t digitBaseX = 0;
    std::int32_t digitBaseY = 0;

    std::array<std::array<std::int32_t, 9>, 24> sched1Digits{}; // (row 1-23, box 1-8)
    std::array<std::array<std::int32_t, 3>, 10> dateDigits{};   // (part 1-9, digit 1-2)
    std::array<std::array<std::int32_t, 10>, 44> digitBoxes{};  // (slot 1-43, box 1-9)
    Longs<10> priorYears{};
    Longs<14> printCount{};

    // Every offset and digit base back to 0, as between pages.
    void resetOffsets() {
        blockOffsetX = blockOffsetY = pageShiftX = pageShiftY = lineOriginX = lineOriginY = 0;
        digitBaseX = digitBaseY = 0;
    }
};

} // namespace hz
