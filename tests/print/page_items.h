#pragma once

#include "print/fonts.h"
#include "print/recording_printer.h"
#include "tests/print/page_checks.h"

#include <QString>

#include <cmath>
#include <optional>
#include <vector>

// Looking up what a recorded page printed where.
namespace hz::test {

inline bool near(double a, double b) { return std::abs(a - b) < 0.01; }

// The text items printed at (x, y), in the order printed, with their fonts.
inline std::vector<PrintOp> opsAt(const PrintJobLog &job, double x, double y) {
    std::vector<PrintOp> out;
    for (const PrintOp &t : job.texts())
        if (near(t.x, x) && near(t.y, y))
            out.push_back(t);
    return out;
}

// The one text printed at (x, y); "<none>" when nothing non-empty was, "<several>" when more than one was.
inline QString visibleTextAt(const PrintJobLog &job, double x, double y) {
    std::vector<QString> found;
    for (const PrintOp &t : opsAt(job, x, y))
        if (!t.text.isEmpty())
            found.push_back(t.text);
    if (found.empty())
        return QStringLiteral("<none>");
    return found.size() == 1 ? found.front() : QStringLiteral("<several>");
}

inline std::optional<PrintOp> findText(const PrintJobLog &job, const QString &text) {
    for (const PrintOp &t : job.texts())
        if (t.text == text)
            return t;
    return std::nullopt;
}

// A row of digit boxes as one string, box by box: the digit printed there without its blank, or "." for an empty
// box ("....1234" is 1,234 in boxes 5 to 8; box 1 may hold two figures).
inline QString boxRow(const PrintJobLog &job, double x1, double y, int boxes = 8, double pitch = 5) {
    QString out;
    for (int j = 0; j < boxes; ++j) {
        const QString t = visibleTextAt(job, x1 + pitch * j, y);
        out += t == QStringLiteral("<none>") ? QStringLiteral(".") : t.trimmed();
    }
    return out;
}

// The width of a text in "MS 明朝" at a size, as the pages measure it.
inline double minchoWidth(double points, const QString &text) {
    return textWidthMm(printFont(fontname::mincho, points), text);
}

} // namespace hz::test
