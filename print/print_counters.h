#pragma once

#include <QString>

#include <cstdint>

// The counts the print window keeps in its boxes: how many copies of each page were printed, and how often each
// selection toggle was clicked.
namespace hz {

// The print counter's next value from its box: the box's whole number plus 1. Text that is no whole number (an
// empty box too) counts as 0, and so does the largest 32-bit number, which cannot be increased.
std::int32_t nextPrintCount(const QString &boxText);

// A toggle's next click count, a 16-bit number: the box's number plus 1, where text that is no 16-bit whole number
// counts as 0 and 32767 starts again from 0.
std::int16_t nextClickCount(const QString &boxText);

// The toggle's caption for a click count: "●" (selected) after an odd count, empty after an even one.
QString selectionCaption(std::int32_t clicks);

} // namespace hz
