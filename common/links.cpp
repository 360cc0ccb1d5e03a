#include "common/links.h"

#include "platform/services.h"

namespace hz::links {

QString mailTarget(const QString &address) {
    if (address.left(7).toLower() == QStringLiteral("mailto:"))
        return address;
    return QStringLiteral("mailto:") + address;
}

void open(const QString &target) { services().shellOpen(target); }

} // namespace hz::links
