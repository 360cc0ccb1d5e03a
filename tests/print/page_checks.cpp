#include "tests/print/page_checks.h"

#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/vertical_text.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace hz::test {

std::vector<PrintOp> fittedAt11(const QString &text, const Page::TextBox &box) {
    static QString s;
    static Page::TextBox b;
    s = text;
    b = box;
    const PageSpec entry{u"試し", 0, 0, 0, 0, [](Page &p) {
                             p.font(fontname::mincho, 11);
                             p.textInBox(b.left, b.top, s, b);
                         }};
    PrintRecorder recorder;
    PrintData data;
    PageState state;
    printPage(entry, data, state);
    return recorder.jobs.front().texts();
}

MarkedText unmarked(const QString &withMarks) {
    MarkedText out;
    for (const QChar c : withMarks) {
        if (c == u'|')
            out.breaks.push_back(out.text.size());
        else
            out.text += c;
    }
    return out;
}

std::vector<GuidePlace> recordWithPlaces(const PageSpec &entry, PrintData data, PrintJobLog &log) {
    RecordingPrinter printer(log);
    PageState state;
    Page page(printer, data, state);
    std::vector<GuidePlace> places;
    page.guidePlaces = &places;
    printer.setScaleModeMm();
    entry.draw(page);
    return places;
}

namespace {

constexpr double lineDpi = 300; // DrawWidth counts the dots of a 300 dpi printer

// The least gap a reader sees as a gap.
constexpr double readableGap = 0.1;

// The stroke of a straight rule, square caps included, with clearance around it.
QRectF strokeRect(const PrintOp &l, double clearance) {
    const double half = l.drawWidth * 25.4 / lineDpi / 2 + clearance;
    return QRectF(QPointF(std::min(l.x, l.x2) - half, std::min(l.y, l.y2) - half),
                  QPointF(std::max(l.x, l.x2) + half, std::max(l.y, l.y2) + half));
}

std::string describe(const PrintOp &t) {
    return QStringLiteral("\"%1\" %2pt at (%3, %4)").arg(t.text).arg(t.size).arg(t.x).arg(t.y).toStdString();
}

constexpr double near = 0.001;

} // namespace

QStringList textsAt(const PrintJobLog &job, double x, double y) {
    QStringList out;
    for (const PrintOp &t : job.texts())
        if (std::abs(t.x - x) < near && std::abs(t.y - y) < near)
            out << t.text;
    return out;
}

QString textAt(const PrintJobLog &job, double x, double y) {
    const QStringList all = textsAt(job, x, y);
    return all.isEmpty() ? QStringLiteral("<none>") : all.size() > 1 ? QStringLiteral("<several>") : all.front();
}

double amountRightEdge(const PrintOp &amount) {
    QString digits = amount.text;
    digits.remove(QLatin1Char(','));
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    return amount.x + textWidthMm(printFont(amount.font, amount.size), digits);
}

double baseline(const PrintOp &t) { return t.y + textAscentMm(printFont(t.font, t.size)); }

bool onLine(const PrintOp &t, double y, double pageSize) {
    return std::abs(t.y - y) < near ||
           (t.size < pageSize && std::abs(baseline(t) - y - textAscentMm(printFont(t.font, pageSize))) < near);
}

QStringList amountsAt(const PrintJobLog &job, double right, double y) {
    QStringList out;
    for (const PrintOp &t : job.texts())
        if (!t.text.isEmpty() && onLine(t, y) && std::abs(amountRightEdge(t) - right) < near)
            out << t.text;
    return out;
}

std::vector<PrintOp> printedWhole(const PrintJobLog &job, const QString &text) {
    const std::vector<PrintOp> ops = job.texts();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].text == text)
            return {ops[i]};
        if (i + 1 < ops.size() && !ops[i].text.isEmpty() && ops[i].text + ops[i + 1].text == text)
            return {ops[i], ops[i + 1]};
    }
    return {};
}

double printedEnd(const PrintOp &t) { return t.x + textWidthMm(printFont(t.font, t.size), t.text); }

QStringList amountsEndingAt(const PrintJobLog &job, double right, double y) {
    QStringList out;
    for (const PrintOp &t : job.texts())
        if (!t.text.isEmpty() && onLine(t, y) && std::abs(printedEnd(t) - right) < near)
            out << t.text;
    return out;
}

void expectPdfWordsWhereRecorded(const QString &pdf, const PrintJobLog &job, const QStringList &words) {
    for (const QString &word : words) {
        const auto found = pdfWordsContaining(pdf, word);
        const auto printed = job.textsEqual(word);
        ASSERT_EQ(found.size(), 1u) << word.toStdString();
        ASSERT_EQ(printed.size(), 1u) << word.toStdString();
        EXPECT_NEAR(found.front().mm.left(), printed.front().x, 0.5) << word.toStdString();
        EXPECT_NEAR(found.front().mm.top(), printed.front().y, 1.0) << word.toStdString();
    }
}

QRectF inkRect(const PrintOp &t) {
    const QFont font = printFont(t.font, t.size);
    const QRectF ink = t.vertical ? verticalInkMm(font, t.text.toUcs4().value(0)) : textInkMm(font, t.text);
    return ink.isEmpty() ? QRectF() : ink.translated(t.x, t.y);
}

QStringList layoutFaults(const PrintJobLog &job, const std::function<bool(const PrintOp &)> &involved,
                         const QStringList &marks, const QStringList &unchecked, bool gapToRules) {
    std::vector<std::pair<PrintOp, QRectF>> inks;
    for (const PrintOp &t : job.texts()) {
        if (unchecked.contains(t.text))
            continue;
        const QRectF r = inkRect(t);
        if (!r.isEmpty())
            inks.emplace_back(t, r);
    }
    QStringList faults;
    for (const auto &[t, ink] : inks) {
        if (!involved(t))
            continue;
        for (const PrintOp &l : job.lines()) {
            if (l.x != l.x2 && l.y != l.y2)
                continue;
            if (ink.intersects(strokeRect(l, gapToRules ? readableGap : 0)))
                faults << QStringLiteral("%1 touches the rule (%2, %3)-(%4, %5)")
                              .arg(QString::fromStdString(describe(t)))
                              .arg(l.x)
                              .arg(l.y)
                              .arg(l.x2)
                              .arg(l.y2);
        }
    }
    for (std::size_t i = 0; i < inks.size(); ++i)
        for (std::size_t j = i + 1; j < inks.size(); ++j) {
            if (!involved(inks[i].first) && !involved(inks[j].first))
                continue;
            if (marks.contains(inks[i].first.text) || marks.contains(inks[j].first.text))
                continue;
            if (inks[i].second.intersects(inks[j].second))
                faults << QStringLiteral("%1 overlaps %2")
                              .arg(QString::fromStdString(describe(inks[i].first)))
                              .arg(QString::fromStdString(describe(inks[j].first)));
        }
    return faults;
}

QStringList textInBoxFaults(const PrintJobLog &job, const QString &text, const Page::TextBox &box) {
    const std::vector<PrintOp> texts = job.texts();
    const QRectF room(QPointF(box.left, box.top), QPointF(box.right, box.bottom));
    auto inkOf = [](const std::vector<std::size_t> &ops, const std::vector<PrintOp> &all) {
        QRectF ink;
        for (std::size_t i : ops)
            ink = ink.united(inkRect(all[i]));
        return ink;
    };
    // Every way the text was printed whole: one op, or two printed one after the other; the one inside the box
    // first.
    std::vector<std::vector<std::size_t>> whole;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].text == text)
            whole.push_back({i});
        else if (i + 1 < texts.size() && !texts[i].text.isEmpty() && !texts[i + 1].text.isEmpty() &&
                 texts[i].text + texts[i + 1].text == text)
            whole.push_back({i, i + 1});
    }
    const std::string name = QStringLiteral("「%1」").arg(text).toStdString();
    if (whole.empty()) {
        QStringList parts;
        for (const PrintOp &t : texts)
            if (!t.text.isEmpty() && text.contains(t.text))
                parts << QString::fromStdString(describe(t));
        return {QStringLiteral("%1 is not printed whole; printed of it: %2")
                    .arg(QString::fromStdString(name), parts.isEmpty() ? QStringLiteral("nothing") : parts.join(", "))};
    }
    const auto inside = std::find_if(whole.begin(), whole.end(), [&](const std::vector<std::size_t> &ops) {
        return room.contains(inkOf(ops, texts));
    });
    const std::vector<std::size_t> ops = inside != whole.end() ? *inside : whole.front();

    QStringList faults;
    const QRectF sheetRect(-sheet::originX, -sheet::originY, sheet::paperWidth, sheet::paperHeight);
    for (std::size_t i : ops) {
        const PrintOp &t = texts[i];
        const QRectF ink = inkRect(t);
        const QString what = QString::fromStdString(describe(t));
        if (t.size < 6 - 1e-9)
            faults << QStringLiteral("%1 is smaller than 6 pt").arg(what);
        if (!room.contains(ink))
            faults << QStringLiteral("%1 has ink (%2, %3)-(%4, %5) outside its box (%6, %7)-(%8, %9)")
                          .arg(what)
                          .arg(ink.left())
                          .arg(ink.top())
                          .arg(ink.right())
                          .arg(ink.bottom())
                          .arg(box.left)
                          .arg(box.top)
                          .arg(box.right)
                          .arg(box.bottom);
        if (!sheetRect.contains(ink))
            faults << QStringLiteral("%1 leaves the sheet").arg(what);
        for (const PrintOp &l : job.lines())
            if ((l.x == l.x2 || l.y == l.y2) && ink.intersects(strokeRect(l, readableGap)))
                faults << QStringLiteral("%1 touches the rule (%2, %3)-(%4, %5)")
                              .arg(what)
                              .arg(l.x)
                              .arg(l.y)
                              .arg(l.x2)
                              .arg(l.y2);
        for (std::size_t j = 0; j < texts.size(); ++j)
            if (std::find(ops.begin(), ops.end(), j) == ops.end() && inkRect(texts[j]).intersects(ink))
                faults << QStringLiteral("%1 overlaps %2").arg(what, QString::fromStdString(describe(texts[j])));
    }
    return faults;
}

void expectTextInBox(const PrintJobLog &job, const QString &text, const Page::TextBox &box) {
    for (const QString &f : textInBoxFaults(job, text, box))
        ADD_FAILURE() << f.toStdString();
}

void expectReadableLayout(const PrintJobLog &job, const QStringList &marks, const QStringList &unchecked) {
    const QStringList faults = layoutFaults(
        job, [](const PrintOp &) { return true; }, marks, unchecked);
    for (const QString &f : faults)
        ADD_FAILURE() << f.toStdString();
}

} // namespace hz::test
