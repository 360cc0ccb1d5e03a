#pragma once

#include <QString>

#include <functional>
#include <vector>

// Pages that could not be printed are never passed over in silence. A user action that prints (a page button, a
// set, the selection) runs inside one report; every page that fails inside it, also in the presses it makes, is
// noted, and when the outermost report ends one warning box titled "印刷" names the pages and why.
namespace hz {

void reportingPrintFailures(const std::function<void()> &action);
// Notes a page that was not printed; outside any report it is shown at once.
void notePrintFailure(const QString &page, const QString &reason);

// The text of the warning box for the failures noted, in the order they happened; a page that failed the same
// way more than once is named once with its count.
struct PrintFailure {
    QString page;
    QString reason;
};
QString printFailureMessage(const std::vector<PrintFailure> &failures);

} // namespace hz
