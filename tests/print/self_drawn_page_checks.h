#pragma once

#include "core/numbers.h"
#include "print/fonts.h"
#include "print/print_data.h"
#include "print/recording_printer.h"
#include "tests/print/page_checks.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
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
inline std::optional<PrintOp> findTextAt(const PrintJobLog &job, double x, double y) {
    for (const PrintOp &t : job.texts())
        if (std::abs(t.x - x) < 0.001 && std::abs(t.y - y) < 0.001)
            return t;
    return std::nullopt;
}

inline QString textOrNone(const PrintJobLog &job, double x, double y) {
    const auto t = findTextAt(job, x, y);
    return t ? t->text : QStringLiteral("<none>");
}

// Where an amount right-aligned on the edge starts: the width of its plain digits left of the edge.
inline double amountX(double right, std::int64_t v, double points = 11) {
    return right - textWidthMm(printFont(fontname::mincho, points), plain(v));
}

// Where an amount of the print data must stand: element, right edge, top.
struct AmountPlace {
    int element;
    double right;
    double y;
};

// Each amount of cells printed in 11 pt with "#,###", right-aligned on its edge by its plain digits.
template <std::size_t N>
void expectAmountsAt(const PrintJobLog &job, const std::array<std::int32_t, N> &cells,
                     std::initializer_list<AmountPlace> places) {
    for (const AmountPlace &p : places) {
        const auto t = findTextAt(job, amountX(p.right, cells[p.element]), p.y);
        ASSERT_TRUE(t) << "element " << p.element << " at " << p.y;
        EXPECT_EQ(t->text, fmtAmount(cells[p.element])) << p.element;
        EXPECT_EQ(t->size, 11) << p.element;
    }
}

// Whether a line joins the two points, drawn either way round.
inline bool joins(const PrintOp &l, double x1, double y1, double x2, double y2) {
    auto same = [](double a, double b) { return std::abs(a - b) < 0.001; };
    return (same(l.x, x1) && same(l.y, y1) && same(l.x2, x2) && same(l.y2, y2)) ||
           (same(l.x, x2) && same(l.y, y2) && same(l.x2, x1) && same(l.y2, y1));
}

// Every printed text whose ink touches a rule (the rule's drawn width counted), as "text @ (x1,y1)-(x2,y2)". The
// captions of the 事業年度 / 法人名 box are the printer layer's and not looked at here.
inline QStringList textsOnRules(const PrintJobLog &job) {
    QStringList found;
    for (const PrintOp &t : job.texts()) {
        if (t.text == QStringLiteral("事　業") || t.text == QStringLiteral("年　度"))
            continue;
        const QRectF ink = inkRect(t);
        if (ink.isEmpty())
            continue;
        for (const PrintOp &l : job.lines()) {
            const double half = l.drawWidth * 25.4 / 300 / 2;
            bool touches = false;
            if (l.x == l.x2 || l.y == l.y2) {
                const QRectF rule(QPointF(std::min(l.x, l.x2) - half, std::min(l.y, l.y2) - half),
                                  QPointF(std::max(l.x, l.x2) + half, std::max(l.y, l.y2) + half));
                touches = rule.intersects(ink);
            } else {
                for (int k = 0; k <= 400 && !touches; ++k)
                    touches = ink.contains(l.x + (l.x2 - l.x) * k / 400.0, l.y + (l.y2 - l.y) * k / 400.0);
            }
            if (touches)
                found << QStringLiteral("%1 @ (%2,%3)-(%4,%5)").arg(t.text).arg(l.x).arg(l.y).arg(l.x2).arg(l.y2);
        }
    }
    return found;
}

} // namespace hz::test
