#pragma once

#include "print/page.h"

#include <cstdint>

// The digit rows of the prefectural return 第六号様式: every amount goes one digit per pre-printed box, 2.5 mm
// apart, box 1 at the digit base of the page state. Both the prefectural column and the enterprise-tax column are
// printed by these functions.
namespace hz {

// Where one row lies and how it prints: the digit slot it keeps its digits in, how many boxes it fills (9 for
// yen; 7 and 6 where the form pre-prints 00 and 000), whether it marks a negative amount with "▲", and the digit
// base and block offsets the page sets for it.
struct NineBoxRow {
    int slot;
    int boxes;
    bool marksNegative;
    std::int32_t baseX;
    std::int32_t baseY;
    std::int32_t offsetX;
    std::int32_t offsetY;
};

// Splits the amount into nine digits, keeps their absolute values in digitBoxes(slot), prints "▲" 4 mm left of
// the first digit when the row marks negatives and the amount is below 0, then digits 1..boxes without leading
// zeros, each as a number with its blank. A row of 7 or 6 boxes shows the amount cut to hundreds or thousands; from
// 10^9 up the billions go one box left of box 1 (and the mark with them). Uses the digit base, block offsets and
// page shifts in force and the font in force.
void printNineBoxRow(Page &page, int slot, std::int32_t amount, int boxes, bool marksNegative);
// A floating amount holding whole yen: rounded half to even; one beyond 32 bits fails the page with an overflow.
// The mark follows the unrounded value, so -0.4 prints "▲" alone.
void printNineBoxRow(Page &page, int slot, double amount, int boxes, bool marksNegative);

// Sets the row's digit base and block offsets, as for the row's own digits and for items placed beside them.
void placeNineBoxRow(PageState &state, const NineBoxRow &row);
// Places the row, then prints the amount by the rule above.
void printNineBoxRow(Page &page, const NineBoxRow &row, std::int32_t amount);
void printNineBoxRow(Page &page, const NineBoxRow &row, double amount);

} // namespace hz
