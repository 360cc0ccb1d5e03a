#include "print/local_returns/nine_box_rows.h"

#include "core/numbers.h"

namespace hz {

namespace {

constexpr double pitch = 2.5;
constexpr double markLeft = 4;

void printRow(Page &page, int slot, std::int32_t whole, bool negative, int boxes, bool marksNegative) {
    const DigitSplit digits = splitDigits(whole, 9);
    auto &kept = page.state.digitBoxes.at(static_cast<std::size_t>(slot));
    for (int j = 1; j <= 9; ++j)
        kept[j] = digits[j] < 0 ? -digits[j] : digits[j];

    const double x = page.state.digitBaseX;
    const double y = page.state.digitBaseY;
    // The mark stands 4 mm left of the first digit: of box 1, or of the billions left of it.
    const QString mark = QStringLiteral("▲");
    if (marksNegative && page.everyPlace()) {
        for (int k = 0; k <= mostLeadingBoxes(9); ++k)
            page.text(x - markLeft - pitch * k, y, mark);
    } else if (marksNegative && negative) {
        page.text(x - markLeft - pitch * leadingBoxes(digits[1]), y, mark);
    }
    printDigitBoxes(page, digits, 9, x, pitch, y, boxes, true);
}

} // namespace

void printNineBoxRow(Page &page, int slot, std::int32_t amount, int boxes, bool marksNegative) {
    printRow(page, slot, amount, amount < 0, boxes, marksNegative);
}

void printNineBoxRow(Page &page, int slot, double amount, int boxes, bool marksNegative) {
    // roundHalfEven refuses a value beyond 32 bits (or not a number) before converting it.
    printRow(page, slot, roundHalfEven(amount), amount < 0.0, boxes, marksNegative);
}

void placeNineBoxRow(PageState &state, const NineBoxRow &row) {
    state.digitBaseX = row.baseX;
    state.digitBaseY = row.baseY;
    state.blockOffsetX = row.offsetX;
    state.blockOffsetY = row.offsetY;
}

void printNineBoxRow(Page &page, const NineBoxRow &row, std::int32_t amount) {
    placeNineBoxRow(page.state, row);
    printNineBoxRow(page, row.slot, amount, row.boxes, row.marksNegative);
}

void printNineBoxRow(Page &page, const NineBoxRow &row, double amount) {
    placeNineBoxRow(page.state, row);
    printNineBoxRow(page, row.slot, amount, row.boxes, row.marksNegative);
}

} // namespace hz
