#pragma once

#include "core/numbers.h"
#include "print/fonts.h"
#include "print/print_data.h"
#include "print/recording_printer.h"

#include <QString>

#include <array>
#include <cmath>
#include <optional>

// What the tests of the self-drawn schedule pages share: a company for the header, and finding recorded items by
// their place on the sheet.
namespace hz::test {

// The company's name and its business year (平成 year, month, day of the start, then of the end).
inline void setCompany(PrintData &data, const QString &name, const std::array<std::int32_t, 6> &period) {
    data.companyTexts[2] = name;
    for (int i = 0; i < 6; ++i)
        data.companyNumbers[3 + i] = period[i];
}

// The text printed with its top-left corner at (x, y), if any.
inline std::optional<PrintOp> textAt(const PrintJobLog &job, double x, double y) {
    for (const PrintOp &t : job.texts())
        if (std::abs(t.x - x) < 0.001 && std::abs(t.y - y) < 0.001)
            return t;
    return std::nullopt;
}

inline QString textOrNone(const PrintJobLog &job, double x, double y) {
    const auto t = textAt(job, x, y);
    return t ? t->text : QStringLiteral("<none>");
}

// Where an amount right-aligned on the edge starts: the width of its plain digits left of the edge.
inline double amountX(double right, std::int64_t v, double points = 11) {
    return right - textWidthMm(printFont(fontname::mincho, points), plain(v));
}

// Whether a line joins the two points, drawn either way round.
inline bool joins(const PrintOp &l, double x1, double y1, double x2, double y2) {
    auto same = [](double a, double b) { return std::abs(a - b) < 0.001; };
    return (same(l.x, x1) && same(l.y, y1) && same(l.x2, x2) && same(l.y2, y2)) ||
           (same(l.x, x2) && same(l.y, y2) && same(l.x2, x1) && same(l.y2, y1));
}

} // namespace hz::test
