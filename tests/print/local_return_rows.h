#pragma once

#include "print/recording_printer.h"

#include <algorithm>
#include <vector>

// Reading the digit rows of the prefectural return back from a recorded job.
namespace hz::test {

// The texts printed on line y between fromX and toX, left to right, blanks dropped: "▲1234" for a marked 1,234.
inline QString row(const PrintJobLog &job, double y, double fromX, double toX) {
    std::vector<PrintOp> items;
    for (const PrintOp &t : job.texts())
        if (t.y == y && t.x >= fromX && t.x < toX)
            items.push_back(t);
    std::stable_sort(items.begin(), items.end(), [](const PrintOp &a, const PrintOp &b) { return a.x < b.x; });
    QString s;
    for (const PrintOp &t : items)
        s += t.text.trimmed();
    return s;
}

// The x of the first text exactly equal to text on line y; -1 when there is none.
inline double xOf(const PrintJobLog &job, const QString &text, double y) {
    for (const PrintOp &t : job.texts())
        if (t.text == text && t.y == y)
            return t.x;
    return -1;
}

} // namespace hz::test
