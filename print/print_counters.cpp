#include "print/print_counters.h"

#include "core/errors.h"
#include "core/numbers.h"

#include <limits>

namespace hz {

std::int32_t nextPrintCount(const QString &boxText) {
    std::int32_t n = 0;
    try {
        n = toWhole(boxText);
    } catch (const Error &) {
    }
    if (n == std::numeric_limits<std::int32_t>::max())
        n = 0;
    return n + 1;
}

std::int16_t nextClickCount(const QString &boxText) {
    std::int32_t n = 0;
    try {
        n = toWhole(boxText);
    } catch (const Error &) {
    }
    if (n < std::numeric_limits<std::int16_t>::min() || n >= std::numeric_limits<std::int16_t>::max())
        n = 0;
    return static_cast<std::int16_t>(n + 1);
}

QString selectionCaption(std::int32_t clicks) { return clicks % 2 != 0 ? QStringLiteral("●") : QString(); }

} // namespace hz
