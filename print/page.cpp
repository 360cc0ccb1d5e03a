#include "print/page.h"

#include "core/numbers.h"
#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/japanese_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <ranges>

namespace hz {

namespace {

// The least room between a fitted item's printed width and the middle of a rule: half a frame line and the gap a
// reader still sees as a gap.
constexpr double ruleClearance = 0.35;
// The least room between a boxed text's ink and the middle of a rule around it: half the rule's line and the gap a
// reader still sees as a gap.
constexpr double gridClearance = 0.2;
constexpr double frameClearance = 0.4;
// Two lengths or sizes that differ by no more than this are the same: what rounding leaves of a sum or a product.
constexpr double sameLength = 1e-9;
// Fitted sizes go in tenths of a point, down to 6 pt.
constexpr int smallestTenths = static_cast<int>(smallestPoints * 10);

// The sizes an item may take, largest first: the page's, then tenths of a point below it down to 6 pt. Widths grow
// with the size almost in proportion, so sizes well above ratio × base, which cannot fit, are passed over.
std::vector<double> sizesToTry(double base, double ratio) {
    std::vector<double> sizes{base};
    const int below = static_cast<int>(std::ceil(base * 10 - sameLength)) - 1; // the largest tenth under base
    // From a ratio of 1 on every size below the page's is tried; the clamp keeps the product a small number.
    const int start = std::min(static_cast<int>(std::floor(std::clamp(ratio, 0.0, 1.0) * base * 10)) + 5, below);
    for (int tenths = start; tenths >= smallestTenths; --tenths)
        sizes.push_back(tenths / 10.0);
    return sizes;
}

} // namespace

void Page::font(const QString &faceName, double points) {
    printer_.setFontName(faceName);
    fontName_ = faceName;
    fontSize(points);
}

void Page::fontSize(double points) {
    printer_.setFontSize(points);
    fontSize_ = points;
}

void Page::drawWidth(int pixels) { printer_.setDrawWidth(pixels); }

double Page::textX(double x) const { return x + add(state.blockOffsetX, state.pageShiftX); }

double Page::textY(double y) const { return y + add(state.blockOffsetY, state.pageShiftY); }

void Page::moveToText(double x, double y, const QString &s) {
    if (guidePlaces && !inItem_ && !s.isEmpty())
        guidePlaces->push_back({GuidePlace::Text, fontName_, fontSize_, textX(x), textY(y), s});
    printer_.setCurrentX(textX(x));
    printer_.setCurrentY(textY(y));
}

void Page::text(double x, double y, const QString &s) {
    moveToText(x, y, s);
    printer_.print(s);
}

void Page::columnCharacter(double x, double y, const QString &c) {
    moveToText(x, y, c);
    printer_.printVertical(c);
}

void Page::text(const TextItem &item) {
    fontSize(item.size);
    text(item.x, item.y, QString::fromUtf16(item.text));
}

void Page::number(double x, double y, std::int64_t v) { text(x, y, printedNumber(v)); }

void Page::line(double x1, double y1, double x2, double y2) {
    printer_.line(x1 + state.lineOriginX, y1 + state.lineOriginY, x2 + state.lineOriginX, y2 + state.lineOriginY);
}

void Page::box(const BoxItem &b) {
    line(b.x1, b.y1, b.x2, b.y1);
    line(b.x2, b.y1, b.x2, b.y2);
    line(b.x2, b.y2, b.x1, b.y2);
    line(b.x1, b.y2, b.x1, b.y1);
}

void Page::rightAlignedAmount(double right, double y, std::int64_t v) {
    const ItemPlace place(*this, GuidePlace::Amount, right, y);
    const double w = printer_.textWidth(plain(v));
    text(right - w, y, fmtAmount(v));
}

void Page::rightAlignedAmountCut(double right, double y, std::int64_t v, std::int64_t divisor) {
    const ItemPlace place(*this, GuidePlace::Amount, right, y);
    const double w = printer_.textWidth(plain(v));
    // Rounded toward minus infinity: -1,500 in thousands is -2.
    std::int64_t cut = v / divisor;
    if (v % divisor != 0 && v < 0)
        --cut;
    text(right - w, y, fmtAmount(cut));
}

void Page::rightAlignedAmount(double right, double y, std::int64_t v, CellSpan cell) {
    amountInCell(right, y, plain(v), fmtAmount(v), cell);
}

void Page::amountInCell(double right, double y, const QString &measured, const QString &printed, CellSpan cell) {
    printFitted(fitInCell(right, measured, printed, cell), y, printed);
}

void Page::textInCell(double x, double y, const QString &s, double cellRight) {
    const double right = cellRight + state.lineOriginX - ruleClearance - add(state.blockOffsetX, state.pageShiftX);
    fitInBox(x, y, s, {x, y, right, y + textLineHeightMm(printFont(fontName_, fontSize_))}, false);
}

Page::TextBox Page::roomBetweenRules(double left, double top, double right, double bottom, unsigned frames) const {
    const double shiftX = add(state.blockOffsetX, state.pageShiftX) - state.lineOriginX;
    const double shiftY = add(state.blockOffsetY, state.pageShiftY) - state.lineOriginY;
    auto clear = [&](unsigned side) { return (frames & side) != 0 ? frameClearance : gridClearance; };
    return {left + clear(leftFrame) - shiftX, top + clear(topFrame) - shiftY, right - clear(rightFrame) - shiftX,
            bottom - clear(bottomFrame) - shiftY};
}

namespace {

// Where a line of a fitted text prints, and what of it.
struct BoxLine {
    double x;
    double y;
    QString text;
};

// A text set into its box: its size, and its lines.
struct Setting {
    double size;
    std::vector<BoxLine> lines;
};

// The classes of places a text may break into two lines, strongest first, and how much larger than the choice among
// the stronger classes a weaker one must print the text to be taken instead: between two words rather than between
// the parts of a name only where that prints it more than a tenth larger; between the words of a katakana run (the
// dictionary knows few names, and a name read across two lines is worth it only where it saves much) where it
// prints at least a fifth larger; inside a word, and then anywhere a line may begin and end, only where no stronger
// class fits at any size.
struct BreakClass {
    BreakPlace place;
    double gain;
    bool orEqual; // taken where at least gain times larger; else only where more than that
};
constexpr double onlyWhereNoneFits = std::numeric_limits<double>::infinity();
constexpr BreakClass breakClasses[] = {
    {BreakPlace::Parts, 1, false},
    {BreakPlace::Words, 1.1, false},
    {BreakPlace::Katakana, 1.2, true},
    {BreakPlace::InsideWord, onlyWhereNoneFits, true},
    {BreakPlace::Anywhere, onlyWhereNoneFits, true},
};
constexpr std::size_t classCount = std::size(breakClasses);

// How much of its size a text gives up for a break of the same class nearer the middle of it.
constexpr double nearMiddleAllowance = 0.05;

// The places of s of each class of breakClasses, nearest the middle of its width first.
std::array<std::vector<qsizetype>, classCount> breakChoices(const QString &s,
                                                            const std::function<double(qsizetype)> &widthTo) {
    const double whole = widthTo(s.size());
    struct Place {
        qsizetype k;
        BreakPlace kind;
        double fromMiddle;
    };
    const std::vector<BreakPlace> kinds = breakPlaces(s);
    std::vector<Place> places;
    for (qsizetype k = 1; k < s.size(); ++k)
        places.push_back({k, kinds[std::size_t(k)], std::abs(widthTo(k) - whole / 2)});
    // Of two places as near the middle, the first line takes the longer part.
    std::sort(places.begin(), places.end(), [](const Place &a, const Place &b) {
        if (std::abs(a.fromMiddle - b.fromMiddle) > sameLength)
            return a.fromMiddle < b.fromMiddle;
        return a.k > b.k;
    });
    std::array<std::vector<qsizetype>, classCount> out;
    for (const Place &p : places)
        for (std::size_t c = 0; c < classCount; ++c)
            if (p.kind == breakClasses[c].place)
                out[c].push_back(p.k);
    return out;
}

QString withoutTrailingBlanks(const QString &s) {
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1).isSpace())
        --end;
    return s.left(end);
}

// Measures texts in the page's face at any size, as the printer measures them, and where their ink falls.
class BoxMeasure {
public:
    BoxMeasure(Printer &printer, const QString &face, const Page::TextBox &box)
        : printer_(printer), face_(face), box_(box) {}

    double width(double points, const QString &s) {
        printer_.setFontSize(points);
        return printer_.textWidth(s);
    }
    QRectF ink(double points, const QString &s) const { return textInkMm(printFont(face_, points), s); }
    double ascent(double points) const { return textAscentMm(printFont(face_, points)); }

    // The blank half of an opening bracket that begins a line: a line of two set from it begins at its ink.
    double leadingBlank(double points, const QString &line) {
        if (line.isEmpty() || !QStringView(u"（「『【〔").contains(line.front()))
            return 0;
        return width(points, line.left(1)) / 2;
    }

    // The text at this size from (x, y) keeps its ink inside the box and its advance, a blank half of its opening
    // bracket and blanks at its end aside, ends by the right side.
    bool fits(double points, const BoxLine &l) {
        if (l.x + leadingBlank(points, l.text) < box_.left - sameLength ||
            l.x + width(points, withoutTrailingBlanks(l.text)) > box_.right + sameLength)
            return false;
        const QRectF r = ink(points, l.text).translated(l.x, l.y);
        return r.isEmpty() || (r.left() >= box_.left - sameLength && r.right() <= box_.right + sameLength &&
                               r.top() >= box_.top - sameLength && r.bottom() <= box_.bottom + sameLength);
    }

    // One line at this size from its start, on the baseline it has at the page's size base, moved up or down the
    // least that keeps its ink inside the box's height (a layout's place may set a text on its row's rule); false
    // where it does not fit even so.
    bool oneLine(double points, double base, BoxLine &l) {
        l.y += ascent(base) - ascent(points);
        const QRectF r = ink(points, l.text).translated(l.x, l.y);
        if (!r.isEmpty() && r.height() <= box_.bottom - box_.top) {
            if (r.top() < box_.top)
                l.y += box_.top - r.top();
            else if (r.bottom() > box_.bottom)
                l.y -= r.bottom() - box_.bottom;
        }
        return fits(points, l);
    }

    // The most characters of s from its start whose advance fits room, never half of a surrogate pair.
    qsizetype fullest(double points, const QString &s, double room) {
        qsizetype lo = 0, hi = s.size();
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (width(points, s.left(mid)) <= room + sameLength)
                lo = mid;
            else
                hi = mid - 1;
        }
        if (lo > 0 && lo < s.size() && s.at(lo - 1).isHighSurrogate())
            --lo;
        return lo;
    }

    // Two lines from x, one em apart, their ink together in the middle of the box's height, each that begins with
    // an opening bracket set without its blank half; empty where they do not both fit.
    std::vector<BoxLine> twoLines(double points, double x, const QString &first, const QString &second) {
        const double pitch = points * mmPerPoint;
        const QRectF both = ink(points, first).united(ink(points, second).translated(0, pitch));
        const double top = (box_.top + box_.bottom - both.height()) / 2 - both.top();
        std::vector<BoxLine> lines{{x - leadingBlank(points, first), top, first},
                                   {x - leadingBlank(points, second), top + pitch, second}};
        if (!fits(points, lines[0]) || !fits(points, lines[1]))
            lines.clear();
        return lines;
    }

    // s on two lines at this size, broken at the first of breaks where both fit; empty where none does.
    std::vector<BoxLine> twoLines(double points, double x, const QString &s, const std::vector<qsizetype> &breaks) {
        // The places where both lines are narrow enough, found by their widths alone: the first line's grows with
        // the place, the second's shrinks.
        const double room = box_.right - x;
        qsizetype lo = 1, hi = s.size();
        while (lo < hi) {
            const qsizetype mid = (lo + hi) / 2;
            const QString second = s.mid(mid);
            if (width(points, second) - leadingBlank(points, second) <= room + sameLength)
                hi = mid;
            else
                lo = mid + 1;
        }
        const qsizetype first = lo;
        lo = 0, hi = s.size() - 1;
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (width(points, withoutTrailingBlanks(s.left(mid))) <= room + sameLength)
                lo = mid;
            else
                hi = mid - 1;
        }
        const qsizetype last = lo;
        for (qsizetype k : breaks) {
            if (k < first || k > last)
                continue;
            std::vector<BoxLine> lines = twoLines(points, x, s.left(k), s.mid(k));
            if (!lines.empty())
                return lines;
        }
        return {};
    }

private:
    Printer &printer_;
    const QString &face_;
    const Page::TextBox &box_;
};

} // namespace

void Page::textInBox(double x, double y, const QString &s, const TextBox &box) { fitInBox(x, y, s, box, true); }

void Page::fitInBox(double x, double y, const QString &s, const TextBox &given, bool twoLines) {
    if (s.isEmpty()) {
        text(x, y, s);
        return;
    }
    const double base = fontSize_;
    // The box in the layout's coordinates, cut to the sheet.
    const double shiftX = add(state.blockOffsetX, state.pageShiftX);
    const double shiftY = add(state.blockOffsetY, state.pageShiftY);
    const TextBox box{std::max(given.left, -sheet::originX - shiftX), std::max(given.top, -sheet::originY - shiftY),
                      std::min(given.right, sheet::paperWidth - sheet::originX - shiftX),
                      std::min(given.bottom, sheet::paperHeight - sheet::originY - shiftY)};
    // A guide sheet keeps the whole text, at the page's size, and its box; not the lines it is printed in.
    const ItemPlace place(*this, GuidePlace::Text, x, y);
    if (place.kept()) {
        guidePlaces->back().text = s;
        guidePlaces->back().box = TextBox{box.left + shiftX, box.top + shiftY, box.right + shiftX, box.bottom + shiftY};
    }
    BoxMeasure measure(printer_, fontName_, box);
    const double startX = std::max(x, box.left);
    const double room = box.right - startX;
    const double whole = measure.width(base, s);
    const std::vector<double> sizes = sizesToTry(base, whole > 0 ? (twoLines ? 2 : 1) * room / whole : 1);
    const auto tried = [&](double most, double least) {
        return std::views::filter(
            sizes, [=](double points) { return points <= most + sameLength && points >= least - sameLength; });
    };

    // The largest size from most down to least at which the text fits on one line.
    const auto oneLine = [&](double most, double least) -> std::optional<Setting> {
        for (double points : tried(most, least))
            if (BoxLine l{startX, y, s}; measure.oneLine(points, base, l))
                return Setting{points, {l}};
        return std::nullopt;
    };
    // The largest size from most down to least at which it fits on two lines broken at one of breaks, the first of
    // them where both fit at that size.
    const auto brokenAt = [&](const std::vector<qsizetype> &breaks, double most,
                              double least) -> std::optional<Setting> {
        if (!breaks.empty())
            for (double points : tried(most, least))
                if (std::vector<BoxLine> lines = measure.twoLines(points, startX, s, breaks); !lines.empty())
                    return Setting{points, std::move(lines)};
        return std::nullopt;
    };
    // The best break of one class: at the largest size, then a place nearer the middle where that costs the text no
    // more than a twentieth of its size. Whether a line fits often turns on a stroke of one character a hair lower
    // than the others: so 役員給与の損金不算入額 does not print 「役員」 over the rest for a tenth of a point.
    const auto bestOf = [&](const std::vector<qsizetype> &breaks, double least) -> std::optional<Setting> {
        std::optional<Setting> best = brokenAt(breaks, base, least);
        if (!best)
            return best;
        const auto used = std::find(breaks.begin(), breaks.end(), best->lines[0].text.size());
        const std::vector<qsizetype> nearer(breaks.begin(), used);
        if (std::optional<Setting> closer =
                brokenAt(nearer, best->size, std::max(best->size * (1 - nearMiddleAllowance), least)))
            return closer;
        return best;
    };

    // One line where it fits at the page's size; else the strongest class of break that prints the text as large as
    // breakClasses asks, and one line where that prints it as large. The last resorts only where nothing stronger
    // fits, one line included.
    std::optional<Setting> chosen = oneLine(base, 0);
    if ((!chosen || chosen->size < base - sameLength) && twoLines && s.size() > 1) {
        const std::optional<Setting> single = std::move(chosen);
        chosen.reset();
        const auto choices = breakChoices(s, [&](qsizetype k) { return measure.width(base, s.left(k)); });
        for (std::size_t c = 0; c < classCount; ++c) {
            const BreakClass &cls = breakClasses[c];
            const double least = chosen ? chosen->size * cls.gain : std::isinf(cls.gain) && single ? cls.gain : 0;
            if (least > base + sameLength)
                continue;
            std::optional<Setting> found = bestOf(choices[c], least);
            if (found &&
                (!chosen || (cls.orEqual ? found->size >= least - sameLength : found->size > least + sameLength)))
                chosen = std::move(found);
        }
        if (single && (!chosen || single->size >= chosen->size - sameLength))
            chosen = single;
    }
    if (!chosen) {
        // What fits at the smallest size: two lines where the box holds them, the first ending where a line may end
        // and the next begin; else one.
        Setting cut{std::min(base, smallestTenths / 10.0), {}};
        qsizetype firstEnd = measure.fullest(cut.size, s, room);
        if (twoLines && firstEnd > 0 && firstEnd < s.size())
            if (const qsizetype k = lastPlaceAtLeast(breakPlaces(s), firstEnd, BreakPlace::Anywhere); k > 0)
                firstEnd = k;
        const QString first = s.left(firstEnd);
        const QString rest = s.mid(first.size());
        const QString second = rest.left(measure.fullest(cut.size, rest, room));
        if (twoLines && !first.isEmpty() && !second.isEmpty())
            cut.lines = measure.twoLines(cut.size, startX, first, second);
        if (cut.lines.empty() && !first.isEmpty()) {
            cut.lines = {{startX, y, first}};
            if (!measure.oneLine(cut.size, base, cut.lines[0]))
                cut.lines.clear();
        }
        qsizetype printed = 0;
        for (const BoxLine &l : cut.lines)
            printed += l.text.size();
        if (printed < s.size())
            keepShortened(s);
        chosen = std::move(cut);
    }

    printer_.setFontSize(chosen->size);
    for (const BoxLine &l : chosen->lines)
        text(l.x, l.y, l.text);
    printer_.setFontSize(base);
}

Page::Fitted Page::fitInCell(double anchor, const QString &measured, const QString &printed, CellSpan cell) {
    const double base = fontSize_;
    // The cell in the layout's coordinates, those of anchor.
    const double shift = add(state.blockOffsetX, state.pageShiftX);
    const double lo = cell.left + state.lineOriginX + ruleClearance - shift;
    const double hi = cell.right + state.lineOriginX - ruleClearance - shift;

    // Where the amount starts at size points, if it fits there.
    auto place = [&](double points) -> std::optional<double> {
        printer_.setFontSize(points);
        const double w = printer_.textWidth(printed);
        const double placed = anchor - printer_.textWidth(measured);
        if (placed >= lo && placed + w <= hi)
            return placed;
        const double ended = std::min(anchor, hi) - w;
        if (ended >= lo)
            return ended;
        return std::nullopt;
    };

    printer_.setFontSize(base);
    const double w = printer_.textWidth(printed);
    double ratio = 1;
    if (w > 0) {
        const double m = printer_.textWidth(measured);
        double placedRatio = m > 0 ? (anchor - lo) / m : 1;
        if (w > m)
            placedRatio = std::min(placedRatio, (hi - anchor) / (w - m));
        ratio = std::max((std::min(anchor, hi) - lo) / w, placedRatio);
    }
    // Nowhere: the smallest size (never larger than the page's), ending at the edge.
    Fitted fitted{0, std::min(base, smallestTenths / 10.0)};
    printer_.setFontSize(fitted.size);
    fitted.x = std::min(anchor, hi) - printer_.textWidth(printed);
    for (double points : sizesToTry(base, ratio))
        if (const auto x = place(points)) {
            fitted = {*x, points};
            break;
        }
    printer_.setFontSize(base);
    return fitted;
}

void Page::printFitted(const Fitted &fitted, double y, const QString &printed) {
    if (fitted.size == fontSize_) {
        text(fitted.x, y, printed);
        return;
    }
    // On the baseline of the page's size, with the figures beside it.
    const double drop = textAscentMm(printFont(fontName_, fontSize_)) - textAscentMm(printFont(fontName_, fitted.size));
    printer_.setFontSize(fitted.size);
    text(fitted.x, y + drop, printed);
    printer_.setFontSize(fontSize_);
}

void Page::keepShortened(const QString &s) {
    if (std::find(shortened_.begin(), shortened_.end(), s) == shortened_.end())
        shortened_.push_back(s);
}

void Page::paintPicture(const QImage &image, double width, double height) {
    printer_.paintPicture(image, 0, 0, width, height);
}

ItemPlace::ItemPlace(Page &page, GuidePlace::Kind kind, double x, double y, double pitch, int boxes)
    : page_(page), outer_(page.guidePlaces && !page.inItem_) {
    if (!outer_)
        return;
    page.guidePlaces->push_back({kind, page.fontName_, page.fontSize_, page.textX(x), page.textY(y), {}, pitch, boxes});
    page.inItem_ = true;
}

ItemPlace::ItemPlace(Page &page, double x, double y, const QString &text, const Page::TextBox &box)
    : ItemPlace(page, GuidePlace::Text, x, y) {
    if (!outer_)
        return;
    GuidePlace &place = page.guidePlaces->back();
    place.text = text;
    place.box = Page::TextBox{page.textX(box.left), page.textY(box.top), page.textX(box.right), page.textY(box.bottom)};
}

ItemPlace::~ItemPlace() {
    if (outer_)
        page_.inItem_ = false;
}

QString printedNumber(std::int64_t v) { return v < 0 ? plain(v) : QLatin1Char(' ') + plain(v); }

void drawTexts(Page &page, std::span<const TextItem> items) {
    for (const TextItem &item : items)
        page.text(item);
}

void drawLines(Page &page, int width, std::span<const LineItem> lines) {
    page.drawWidth(width);
    for (const LineItem &l : lines)
        page.line(l.x1, l.y1, l.x2, l.y2);
}

void drawBoxes(Page &page, int width, std::span<const BoxItem> boxes) {
    page.drawWidth(width);
    for (const BoxItem &b : boxes)
        page.box(b);
}

DigitSplit splitDigits(std::int64_t amount, int boxes) {
    DigitSplit d{};
    std::int64_t power = 1;
    for (int j = 1; j < boxes; ++j)
        power *= 10;
    // Digit 1 keeps whatever lies above the row; the others are the remainders, truncated toward zero, so each
    // carries the amount's sign.
    d[1] = static_cast<std::int32_t>(amount / power);
    for (int j = 2; j <= boxes; ++j) {
        const std::int64_t rest = amount % power;
        power /= 10;
        d[j] = static_cast<std::int32_t>(rest / power);
    }
    return d;
}

int leadingBoxes(std::int32_t digit1) {
    int lead = 0;
    for (std::int64_t rest = std::abs(std::int64_t{digit1}); rest >= 10; rest /= 10)
        ++lead;
    return lead;
}

int mostLeadingBoxes(int boxes) {
    return leadingBoxes(splitDigits(std::numeric_limits<std::int32_t>::min(), boxes)[1]);
}

void printDigitBoxes(Page &page, const DigitSplit &digits, int boxes, double x, double pitch, double y, int lastBox,
                     bool absolute) {
    const int most = mostLeadingBoxes(boxes);
    const ItemPlace place(page, GuidePlace::Digits, x - pitch * most, y, pitch, lastBox + most);
    auto print = [&](double at, std::int32_t v) { page.number(at, y, absolute && v < 0 ? -v : v); };
    // Digit 1 one figure a box, from the left; each figure keeps the digit's sign, as every box does.
    const std::int32_t first = digits[1];
    const int lead = leadingBoxes(first);
    std::int32_t power = 1;
    for (int k = 0; k < lead; ++k)
        power *= 10;
    bool started = false;
    for (int k = lead; k >= 0; --k, power /= 10) {
        const std::int32_t figure = first / power % 10;
        started = started || figure != 0;
        if (started && lastBox >= 1)
            print(x - pitch * k, figure);
    }
    for (int j = 2; j <= lastBox; ++j) {
        started = started || digits[j] != 0;
        if (started)
            print(x + pitch * (j - 1), digits[j]);
    }
}

void eraDate(Page &page, const std::array<double, 3> &xs, double y, std::int32_t year, std::int32_t month,
             std::int32_t day) {
    page.number(xs[0], y, year);
    page.number(xs[1], y, month);
    page.number(xs[2], y, day);
}

namespace {

constexpr LineItem headerFrame[] = {{102, 9, 192, 9}, {102, 9, 102, 24}, {192, 9, 192, 24}};
constexpr LineItem headerDividers[] = {{109, 9, 109, 24}, {129, 9, 129, 24}, {139, 9, 139, 24}};
// Three full-width characters at 6 pt would reach the divider at 109; 5.5 pt keeps them inside their cell.
constexpr TextItem headerCaptions[] = {{5.5, 103, 13, u"事　業"}, {5.5, 103, 17, u"年　度"}, {6, 131, 15, u"法人名"}};

} // namespace

void pageHeaderBlock(Page &page, bool withValues) {
    // The box stands at the layout's own place, whatever offsets a page uses for its other items.
    PageState &st = page.state;
    const std::array<std::int32_t, 6> saved{st.blockOffsetX, st.blockOffsetY, st.pageShiftX,
                                            st.pageShiftY,   st.lineOriginX,  st.lineOriginY};
    st.blockOffsetX = st.blockOffsetY = st.pageShiftX = st.pageShiftY = st.lineOriginX = st.lineOriginY = 0;
    drawLines(page, drawwidth::frame, headerFrame);
    drawLines(page, drawwidth::grid, headerDividers);
    page.font(fontname::mincho, 6);
    drawTexts(page, headerCaptions);
    if (withValues) {
        const auto &n = page.data.companyNumbers;
        page.fontSize(11);
        // Between the 法人名 caption's rule and the frame, from the header's top to the page frame under it.
        page.textInBox(142, 15, page.data.companyTexts[2],
                       page.roomBetweenRules(139, 9, 192, 24, Page::topFrame | Page::rightFrame | Page::bottomFrame));
        page.fontSize(8);
        eraDate(page, {110, 117, 124}, 12, n[3], n[4], n[5]);
        eraDate(page, {110, 117, 124}, 19, n[6], n[7], n[8]);
        for (double y : {12.0, 19.0}) {
            page.text(115, y, QStringLiteral("・"));
            page.text(122, y, QStringLiteral("・"));
        }
    }
    st.blockOffsetX = saved[0];
    st.blockOffsetY = saved[1];
    st.pageShiftX = saved[2];
    st.pageShiftY = saved[3];
    st.lineOriginX = saved[4];
    st.lineOriginY = saved[5];
}

void circledOne(Page &page) {
    page.fontSize(30);
    page.text(12, 12, QStringLiteral("〇"));
    page.fontSize(28);
    page.text(15, 12, QStringLiteral("1"));
}

} // namespace hz
