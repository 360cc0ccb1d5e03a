#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The number rules every window and record file shares: text to whole number, checked 32-bit arithmetic,
// the roundings, and the display patterns.
namespace hz {

// Text typed into a box, to a 32-bit whole number: blanks around the digits and comma grouping are accepted,
// a fraction rounds half to even. Full-width digits, comma, period, plus and minus ("１，２３４", "－５") read as
// their ASCII counterparts. Empty or non-numeric text throws Error::typeMismatch(), a value beyond 32 bits
// Error::overflow(). Every box that holds a number is read through this, readBoxOrZero or toDouble.
std::int32_t toWhole(const QString &text);

// The same conversion, 0 when it fails for any reason.
std::int32_t readBoxOrZero(const QString &text);

// Text to a floating value with the same leniency (commas, blanks, full-width); throws like toWhole.
double toDouble(const QString &text);

// The same conversions for a line of a record file, which holds ASCII only: a full-width character there is no
// number.
std::int32_t recordWhole(const QString &text);
double recordDouble(const QString &text);

// Checked 32-bit arithmetic; every operation throws Error::overflow() when the result leaves 32 bits.
std::int32_t add(std::int32_t a, std::int32_t b);
std::int32_t sub(std::int32_t a, std::int32_t b);
std::int32_t mul(std::int32_t a, std::int32_t b);
// Integer division truncating toward zero; Error::divisionByZero() for b == 0.
std::int32_t idiv(std::int32_t a, std::int32_t b);
// A 64-bit intermediate brought back into 32 bits.
std::int32_t narrow(std::int64_t v);

// Floating value to whole number, half to even (the assignment of a double to a whole-number variable).
std::int32_t roundHalfEven(double v);
std::int64_t roundHalfEven64(double v);
// Rounding down toward minus infinity, into 32 bits.
std::int32_t floorWhole(double v);

// "#,###": digit grouping, 0 shows as empty, a negative as "-1,234". Doubles are rounded half away from zero first.
QString fmtAmount(std::int64_t v);
QString fmtAmount(double v);
// A 32-bit cell would otherwise match both overloads above equally well.
inline QString fmtAmount(std::int32_t v) { return fmtAmount(static_cast<std::int64_t>(v)); }
// "-#,###": the negated amount, shown with "#,###" (1234 -> "-1,234", -1234 -> "1,234").
QString fmtNegAmount(std::int64_t v);
// Plain decimal, as a code or a whole number is written into a box.
QString plain(std::int64_t v);

// Rate patterns: "##.#0", "##.0", "##.#", "#.##".
QString fmtPattern(double v, const char *pattern);

// The record-file texts of a single- and a double-precision number (7 and 15 significant digits).
QString singleText(float v);
QString doubleText(double v);

} // namespace hz
