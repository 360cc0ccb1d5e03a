#pragma once

#include "print/page.h"
#include "print/pages.h"
#include "print/recording_printer.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>

// Reading a recorded page: the texts at a place, the right edge an amount was aligned to, and a look at the page as
// a reader would take it (every text's ink clear of the rules and of the other texts).
namespace hz::test {

// The lines of text set in IPAMincho at 11 pt into box from its top-left corner, as a page prints a filer's text.
std::vector<PrintOp> fittedAt11(const QString &text, const Page::TextBox &box);

// A text written with "|" at each place a reader may see it broken: the text without the marks, and those places.
struct MarkedText {
    QString text;
    std::vector<qsizetype> breaks;
};
MarkedText unmarked(const QString &withMarks);

// Draws the page through a recorder into log and returns the place of every item it can print, as a guide sheet
// keeps them (each fitted text with its whole text and its room).
std::vector<GuidePlace> recordWithPlaces(const PageSpec &entry, PrintData data, PrintJobLog &log);

// The texts printed with their top-left corner at (x, y), in the order printed.
QStringList textsAt(const PrintJobLog &job, double x, double y);
// The one text at (x, y); "<none>" when there is none, "<several>" when there are more.
QString textAt(const PrintJobLog &job, double x, double y);
// The right edge an amount was aligned to: its x plus the width of its digits without the commas.
double amountRightEdge(const PrintOp &amount);
// Where a recorded text's baseline lies, in millimetres.
double baseline(const PrintOp &text);
// The text stands on the line whose top is y at the page's size: its top is y, or it was set smaller on that line's
// baseline.
bool onLine(const PrintOp &text, double y, double pageSize = 11);
// The non-empty texts on the line whose top is y (page's size 11 pt) and whose aligned right edge is right, as printed.
QStringList amountsAt(const PrintJobLog &job, double right, double y);
// The text printed whole: in one text, or in two printed one after the other; empty where it is not.
std::vector<PrintOp> printedWhole(const PrintJobLog &job, const QString &text);
// Where a recorded text ends: its x plus the width of the whole text as printed, commas included.
double printedEnd(const PrintOp &text);
// The non-empty texts on the line whose top is y (page's size 11 pt) and that end at right: amounts whose commas would
// have reached over their rule, set to end at their edge instead.
QStringList amountsEndingAt(const PrintJobLog &job, double right, double y);

// The area the glyphs of a recorded text cover, in millimetres.
QRectF inkRect(const PrintOp &text);

// Each of words, printed once on the page, stands in the PDF where the recorder put it.
void expectPdfWordsWhereRecorded(const QString &pdf, const PrintJobLog &job, const QStringList &words);

// What a reader sees wrong on the page, among the faults that involve a text for which involved holds: a text's ink
// touching a straight rule (diagonal strike lines aside), two texts' ink overlapping. Texts in marks (a circle drawn
// over a caption) may overlap other texts; texts in unchecked are left out. gapToRules asks for a gap a reader sees
// between ink and rule; without it only ink on the rule's stroke counts.
QStringList layoutFaults(const PrintJobLog &job, const std::function<bool(const PrintOp &)> &involved,
                         const QStringList &marks = {}, const QStringList &unchecked = {}, bool gapToRules = true);

// Adds a failure for every text whose ink touches a straight rule (diagonal strike lines aside) and for every two
// texts whose ink overlaps. Texts in marks (a circle drawn over a caption) may overlap other texts; texts in
// unchecked are left out.
void expectReadableLayout(const PrintJobLog &job, const QStringList &marks = {}, const QStringList &unchecked = {});

// What is wrong with how a text the filer typed prints in its box (as recorded, every offset added): nothing when it
// prints whole (its characters in order in one text, or in two texts printed one after the other), at 6 pt or
// more, its ink inside the box and the sheet, no straight rule through its ink and no other text's ink under it.
QStringList textInBoxFaults(const PrintJobLog &job, const QString &text, const Page::TextBox &box);
// Adds a failure for each of them, naming the text.
void expectTextInBox(const PrintJobLog &job, const QString &text, const Page::TextBox &box);

} // namespace hz::test
