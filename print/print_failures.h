#pragma once

#include <QString>

#include <functional>
#include <vector>

// Pages that could not be printed, and texts a page could print only in part, are never passed over in silence. A
// user action that prints (a page button, a set, the selection) runs inside one report; every page that fails
// inside it, also in the presses it makes, and every text cut short is noted, and when the outermost report ends
// one warning box titled "印刷" names the pages, why, and the texts.
namespace hz {

void reportingPrintFailures(const std::function<void()> &action);
// Notes a page that was not printed; outside any report it is shown at once.
void notePrintFailure(const QString &page, const QString &reason);
// Notes a text a page printed only in part, as it did not fit its room even in two lines of the smallest size; the
// page itself was printed. Outside any report it is shown at once.
void noteShortenedText(const QString &page, const QString &text);

// The text of the warning box for the failures noted, in the order they happened; a page that failed the same
// way more than once is named once with its count.
struct PrintFailure {
    QString page;
    QString reason;
};
QString printFailureMessage(const std::vector<PrintFailure> &failures);

// The text of the box for the pages failed and the texts cut short, in the order they happened; a text cut on the
// same page more than once (copies of a set) is named once, and a long text by its start.
struct ShortenedText {
    QString page;
    QString text;
};
QString printReportMessage(const std::vector<PrintFailure> &failures, const std::vector<ShortenedText> &shortened);

} // namespace hz
