#include "print/page_images.h"

#include "core/errors.h"
#include "core/paths.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "print/recording_printer.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace hz {

namespace {

constexpr std::array<const char16_t *, 9> formNames = {nullptr,
                                                       u"第九号の二様式",
                                                       u"第六号様式 (提出用)",
                                                       u"第六号様式別表九",
                                                       u"第六号様式別表四の四",
                                                       u"第二十号様式 (入力用)",
                                                       u"第二十号様式 (提出用)",
                                                       u"別表一(一)",
                                                       u"税務代理権限証書"};

// Set while a guide sheet is drawn from its page: a page that asked for its own image then would ask for the
// sheet being made.
bool g_drawingGuide = false;

QImage blankSheet() {
    QImage blank(sheetWidth, sheetHeight, QImage::Format_Mono);
    blank.fill(1);
    return blank;
}

// A 1-bit picture with its white as colour 0 and black as 1, as a conversion from colour leaves it, turned the
// other way round: the same pixels, but the PDF writer embeds a black-and-white picture as a small bitmap only
// when black is colour 0, and otherwise as a full-colour picture, tens of times larger and slower to write.
void blackFirst(QImage &image) {
    const QList<QRgb> whiteBlack = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    if (image.depth() != 1 || image.colorTable() != whiteBlack)
        return;
    if (image.format() != QImage::Format_Mono)
        image = image.convertToFormat(QImage::Format_Mono);
    image.invertPixels();
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
}

void setSheetDpi(QImage &image) {
    const int dotsPerMeter = qRound(sheetDpi / mmPerInch * 1000.0);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

// ---- every place a page can print ----------------------------------------------------------------------------

// The texts of the sample print data: each names its field, and the sheet writes that name by the field's box. The
// tax accountant's name and telephone are padded with full-width blanks to the eight places the prefectural return
// writes them down its margin; the number of employees, placed by its own width, is a number of usual length.
struct SampleText {
    const char16_t *text;
    const char16_t *field = nullptr; // the field's name, when the text is not
};
const SampleText companyFields[] = {{u"法人名フリガナ"}, {u"法人名"},    {u"納税地"}, {u"代表者フリガナ"},
                                    {u"代表者住所"},     {u"事業種目"},  {u"税務署"}, {u"電話番号"},
                                    {u"代表者氏名"},     {u"代表者氏名"}};
const SampleText accountantFields[] = {{u"税理士名　　　　", u"税理士名"},
                                       {u"税理士電話番号　", u"税理士電話番号"},
                                       {u"税理士住所"},
                                       {u"登録番号"},
                                       {u"支部名"}};
const SampleText bankFields[] = {{u"銀行名"}, {u"支店名"}, {u"口座番号"}, {u"普通預金"}, {u""}, {u"1234", u"従業員数"},
                                 {u"区名"}};
const SampleText addresseeFields[] = {{u"県税事務所"}, {u"市役所・区役所"}};

// Every amount of the sample: ten digits, as many as a whole yen amount has (and two of them still add up within 32
// bits). The figures a page places by its own width (the capital, the municipal totals) get that much room; amounts
// aligned to a right edge and rows of digit boxes get theirs whatever the figure.
constexpr std::int32_t sampleAmount = 1'000'000'000;

PrintData sampleData() {
    PrintData d;
    // Two-digit years, months and days, so that each part's box holds any date.
    d.companyNumbers = {0, 1, sampleAmount, 30, 12, 28, 31, 11, 30, 31, 12, 25};
    auto put = [](auto &texts, const auto &samples) {
        for (std::size_t k = 0; k < std::size(samples); ++k)
            texts[k + 1] = QString::fromUtf16(samples[k].text);
    };
    put(d.companyTexts, companyFields);
    put(d.accountantTexts, accountantFields);
    put(d.refundBankTexts, bankFields);
    put(d.specialFieldTexts, addresseeFields);
    auto fill = [](auto &values, auto v) {
        for (std::size_t k = 1; k < values.size(); ++k)
            values[k] = v;
    };
    fill(d.sched1Amounts, sampleAmount);
    fill(d.enterpriseTaxValues, double(sampleAmount));
    fill(d.prefTaxValues, double(sampleAmount));
    fill(d.muniTaxValues, double(sampleAmount));
    fill(d.schedule4Cells, sampleAmount);
    fill(d.schedule5_2Cells, sampleAmount);
    fill(d.schedule6Cells, sampleAmount);
    fill(d.sched7Amounts, sampleAmount);
    return d;
}

// The field a text of the sample data fills: the one whose sample is the longest the printed text holds; empty
// for a fixed text.
QString fieldOf(const QString &printed) {
    QString sample, field;
    auto look = [&](const SampleText &t) {
        const QString s = QString::fromUtf16(t.text).trimmed();
        if (!s.isEmpty() && s.size() > sample.size() && printed.contains(s)) {
            sample = s;
            field = t.field ? QString::fromUtf16(t.field) : s;
        }
    };
    std::for_each(std::begin(companyFields), std::end(companyFields), look);
    std::for_each(std::begin(accountantFields), std::end(accountantFields), look);
    std::for_each(std::begin(bankFields), std::end(bankFields), look);
    std::for_each(std::begin(addresseeFields), std::end(addresseeFields), look);
    return field;
}

struct PagePlaces {
    std::vector<GuidePlace> places;
    std::vector<QRectF> lines; // the page's own rules and strokes, in millimetres
};

// The page drawn once on the sample data, every item it prints only under some condition included.
PagePlaces pagePlaces(const PageSpec &entry) {
    PrintJobLog log;
    RecordingPrinter printer(log);
    PrintData data = sampleData();
    PageState state;
    Page page(printer, data, state);
    PagePlaces out;
    page.guidePlaces = &out.places;
    struct Guard {
        Guard() { g_drawingGuide = true; }
        ~Guard() { g_drawingGuide = false; }
    } guard;
    printer.setScaleModeMm();
    entry.draw(page);
    for (const PrintOp &l : log.lines()) {
        const double half = l.drawWidth * mmPerInch / sheetDpi / 2;
        out.lines.push_back(
            QRectF(QPointF(std::min(l.x, l.x2), std::min(l.y, l.y2)), QPointF(std::max(l.x, l.x2), std::max(l.y, l.y2)))
                .adjusted(-half, -half, half, half));
    }
    return out;
}

// ---- boxes -----------------------------------------------------------------------------------------------------

struct Box {
    QRectF mm;
    QString field; // the field a text of the print data fills from here; empty for fixed texts and figures
    bool text = false;
    bool digit = false; // one box of a row of digit boxes
    bool given = false; // the room the page gave the text: drawn as it is
    QRectF ink;         // a text's ink
};

double emMm(double points) { return points * mmPerPoint; }

// Room left and right of a text or an amount in its box, so that the box's lines stand clear of its characters.
constexpr double sidePadding = 0.3;

// The room the page gave the text, or from where the text starts (a blank in front of a number is the place of its
// minus sign) to the end of its last character that is not a blank; a text of blanks alone keeps its whole width.
Box textBox(const GuidePlace &p) {
    if (p.box) {
        const QRectF room(QPointF(p.box->left, p.box->top), QPointF(p.box->right, p.box->bottom));
        return {room, fieldOf(p.text), true, false, true, {}};
    }
    const QFont font = printFont(p.font, p.size);
    qsizetype end = p.text.size();
    while (end > 0 && p.text.at(end - 1).isSpace())
        --end;
    const double width = textWidthMm(font, end > 0 ? p.text.left(end) : p.text);
    return {QRectF(p.x - sidePadding, p.y, width + 2 * sidePadding, emMm(p.size)),
            fieldOf(p.text),
            true,
            false,
            false,
            textInkMm(font, p.text).translated(p.x, p.y)};
}

// Any 32-bit amount aligned to the right edge: from the start of the longest one, "-2147483648", to the end of its
// three grouping commas past the edge.
Box amountBox(const GuidePlace &p) {
    const QFont font = printFont(p.font, p.size);
    const double longest = textWidthMm(font, QStringLiteral("-2147483648"));
    const double commas = textWidthMm(font, QStringLiteral(",,,"));
    return {QRectF(p.x - longest - sidePadding, p.y, longest + commas + 2 * sidePadding, emMm(p.size)),
            {},
            false,
            false,
            false,
            {}};
}

// One box per digit, a pitch wide and centred on the digit (printed as a number, after its sign blank), so that
// the lines fall between the digits; as high as the digits' ink and a little more, as rows may stand closer than
// the font's height.
void addDigitBoxes(std::vector<Box> &boxes, const GuidePlace &p) {
    constexpr double padding = 0.1;
    const QFont font = printFont(p.font, p.size);
    const double centre = textWidthMm(font, QStringLiteral(" ")) + textWidthMm(font, QStringLiteral("0")) / 2;
    const QRectF ink = textInkMm(font, QStringLiteral("0123456789"));
    const double top = p.y + ink.top() - padding;
    const double height = ink.height() + 2 * padding;
    for (int j = 0; j < p.boxes; ++j)
        boxes.push_back(
            {QRectF(p.x + p.pitch * j + centre - p.pitch / 2, top, p.pitch, height), {}, false, true, false, {}});
}

bool sameLine(const QRectF &a, const QRectF &b) {
    return std::abs(a.top() - b.top()) < 0.01 && std::abs(a.height() - b.height()) < 0.01;
}

double horizontalOverlap(const QRectF &a, const QRectF &b) {
    return std::min(a.right(), b.right()) - std::max(a.left(), b.left());
}

double verticalOverlap(const QRectF &a, const QRectF &b) {
    return std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
}

// Two boxes stand on one line when their characters could meet: when they share more of their height than the
// sliver between the em and the ink of the characters, which lines set closer than their type's height share.
bool onOneLine(const QRectF &a, const QRectF &b) {
    return verticalOverlap(a, b) > 0.08 * std::min(a.height(), b.height());
}

// Fixed texts printed at one of several places on a line (the yearly levies, the bands of the municipal totals)
// or over one another share one box; a place printed twice keeps one.
void joinTexts(std::vector<Box> &boxes) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < boxes.size() && !joined; ++i)
            for (std::size_t j = i + 1; j < boxes.size() && !joined; ++j) {
                Box &a = boxes[i];
                const Box &b = boxes[j];
                const bool same = a.mm == b.mm && a.field == b.field;
                const bool join = a.text && b.text && a.field.isEmpty() && b.field.isEmpty() && sameLine(a.mm, b.mm) &&
                                  horizontalOverlap(a.mm, b.mm) > 2 * sidePadding;
                if (same || join) {
                    a.mm = a.mm.united(b.mm);
                    boxes.erase(boxes.begin() + std::ptrdiff_t(j));
                    joined = true;
                }
            }
    }
}

// A mark of a row of digit boxes ("▲") that the page sets inside one digit box (the box left of the amount's first
// figure) prints there: that box, and the row's others with it, take its height. One that stands clear of the
// digit boxes gets a box of its own, as wide as its ink and a little more. One set across them makes one box with
// those it crosses.
void joinMarksAndDigits(std::vector<Box> &boxes) {
    // Around the mark: half the box's rule (2 dots at 300 dpi) and a gap a reader sees, so that the triangle's base
    // and corners do not stand on the rules.
    constexpr double markClearance = 0.3;
    auto isMark = [](const Box &b) { return b.text && b.field.isEmpty() && !b.digit && !b.ink.isEmpty(); };
    auto within = [](const QRectF &ink, const QRectF &box) {
        return ink.left() >= box.left() - 0.01 && ink.right() <= box.right() + 0.01;
    };
    for (std::size_t i = 0; i < boxes.size();) {
        Box &mark = boxes[i];
        std::vector<std::size_t> digits;
        for (std::size_t j = 0; j < boxes.size(); ++j)
            if (boxes[j].digit && onOneLine(mark.mm, boxes[j].mm) && horizontalOverlap(mark.mm, boxes[j].mm) > 0.01)
                digits.push_back(j);
        if (!isMark(mark) || digits.empty()) {
            ++i;
            continue;
        }
        const auto holder =
            std::find_if(digits.begin(), digits.end(), [&](std::size_t j) { return within(mark.ink, boxes[j].mm); });
        if (holder != digits.end()) {
            const QRectF row = boxes[*holder].mm;
            const double top = std::min(row.top(), mark.ink.top() - markClearance);
            const double bottom = std::max(row.bottom(), mark.ink.bottom() + markClearance);
            for (Box &b : boxes)
                if (b.digit && sameLine(b.mm, row)) {
                    b.mm.setTop(top);
                    b.mm.setBottom(bottom);
                }
            boxes.erase(boxes.begin() + std::ptrdiff_t(i));
            continue;
        }
        if (std::none_of(digits.begin(), digits.end(),
                         [&](std::size_t j) { return horizontalOverlap(mark.ink, boxes[j].mm) > 0; })) {
            const QRectF row = boxes[digits.front()].mm;
            mark.mm = QRectF(
                QPointF(mark.ink.left() - markClearance, std::min(row.top(), mark.ink.top() - markClearance)),
                QPointF(mark.ink.right() + markClearance, std::max(row.bottom(), mark.ink.bottom() + markClearance)));
            mark.digit = true;
            ++i;
            continue;
        }
        for (auto j = digits.rbegin(); j != digits.rend(); ++j) {
            boxes[i].mm = boxes[i].mm.united(boxes[*j].mm);
            boxes.erase(boxes.begin() + std::ptrdiff_t(*j));
            if (*j < i)
                --i;
        }
        boxes[i].digit = true;
        // Merged: look at it again against the row's other boxes.
    }
}

constexpr double fieldGap = 1;

// A text of the print data runs on to the right as far as its line has room: up to the next box or stroke on its
// line, or the edge of the printable area.
void widenFields(std::vector<Box> &boxes, const std::vector<QRectF> &lines, double right) {
    for (Box &f : boxes) {
        if (f.field.isEmpty() || f.given)
            continue;
        double limit = right;
        auto stopAt = [&](const QRectF &r) {
            if (onOneLine(r, f.mm) && r.left() >= f.mm.right() - 0.01)
                limit = std::min(limit, r.left() - fieldGap);
        };
        for (const Box &b : boxes)
            if (&b != &f)
                stopAt(b.mm);
        for (const QRectF &l : lines)
            stopAt(l);
        if (limit > f.mm.right())
            f.mm.setRight(limit);
    }
}

// Boxes of lines set closer than their type's height overlap by a sliver: they meet where the lower line's text
// starts instead (its characters may reach the top of their em, while those of the upper line stop short of the
// bottom of theirs), or in the middle between two rows of digit boxes, which are as high as their digits already.
// So no box line runs through the other line's characters.
void separateLines(std::vector<Box> &boxes) {
    for (Box &a : boxes)
        for (Box &b : boxes) {
            if (&a == &b || !a.mm.intersects(b.mm))
                continue;
            // Neighbours on a line whose room beside the characters overlaps share it.
            if (onOneLine(a.mm, b.mm)) {
                if (a.mm.left() < b.mm.left() && horizontalOverlap(a.mm, b.mm) <= 2 * sidePadding) {
                    const double meet = a.given   ? a.mm.right()
                                        : b.given ? b.mm.left()
                                                  : (a.mm.right() + b.mm.left()) / 2;
                    a.mm.setRight(meet);
                    b.mm.setLeft(meet);
                }
                continue;
            }
            if (a.mm.top() >= b.mm.top())
                continue;
            // The room a page gave a text stays as it is; a box over or under it gives way.
            const double meet = a.given             ? a.mm.bottom()
                                : b.given || b.text ? b.mm.top()
                                                    : (a.mm.bottom() + b.mm.top()) / 2;
            a.mm.setBottom(meet);
            b.mm.setTop(meet);
        }
}

// ---- the title block and the labels ------------------------------------------------------------------------------

QFont sheetFont(double points, bool bold = false) {
    QFont f = printFont(fontname::mincho, points);
    f.setBold(bold);
    return f;
}

constexpr double labelPoints = 5;
constexpr double labelGap = 0.3;
constexpr double blockPadding = 2;
constexpr double blockMargin = 1; // between the block and any item
constexpr double edge = 3;        // the block keeps this far from the edges of the printable area

QString titleText(int picture, const PageSpec &page) {
    return QStringLiteral("Picture%1　%2　（%3）")
        .arg(picture)
        .arg(pageImageFormName(picture), QString::fromUtf16(page.caption));
}

QString noteText(int picture) {
    return QStringLiteral("これは公式の様式ではありません。印刷される項目の位置を枠で示す案内用紙です。"
                          "公式の様式を 300 dpi・2481 × 3507 画素の PNG にして %1 に置くと、"
                          "その画像に重ねて印刷します。")
        .arg(pageImagePath(picture));
}

// Millimetres of the page and pixels of the sheet, which is stretched over the page's picture box.
struct SheetScale {
    double x;
    double y;
    QRectF toPixels(const QRectF &mm) const {
        return QRectF(mm.left() * x, mm.top() * y, mm.width() * x, mm.height() * y);
    }
};

// A device with the sheet's resolution, to measure what is written on the sheet.
QPaintDevice &sheetDevice() {
    static QImage device = [] {
        QImage img(8, 8, QImage::Format_Mono);
        setSheetDpi(img);
        return img;
    }();
    return device;
}

struct TitleFonts {
    double title;
    double note;
};
constexpr TitleFonts titleSizes[] = {{14, 8}, {12, 7}, {10, 6}};
constexpr double blockWidths[] = {190, 160, 130, 100, 80, 60};

// The title text and the note, wrapped to the inner width of a block, in pixels of the sheet.
struct TitleLayout {
    QRectF title;
    QRectF note;
};

TitleLayout layOutTitle(const TitleFonts &fonts, double innerWidthPx, const QString &title, const QString &note) {
    const QFontMetricsF titleMetrics(sheetFont(fonts.title, true), &sheetDevice());
    const QFontMetricsF noteMetrics(sheetFont(fonts.note), &sheetDevice());
    const QRectF room(0, 0, innerWidthPx, 1e6);
    return {titleMetrics.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, title),
            noteMetrics.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, note)};
}

// The place nearest the top or the bottom edge where a block of w × h millimetres touches no obstacle; an empty
// rectangle when there is none.
QRectF freePlace(double w, double h, double pageWidth, double pageHeight, const std::vector<QRectF> &obstacles) {
    auto freeRow = [&](double y) -> std::optional<double> {
        std::vector<QRectF> inRow;
        for (const QRectF &o : obstacles)
            if (o.top() < y + h && y < o.bottom())
                inRow.push_back(o);
        // The free starts of the row; the block goes in the middle of the first free stretch.
        std::optional<double> first, last;
        for (double x = edge; x + w <= pageWidth - edge + 1e-9; x += 1) {
            const bool free = std::none_of(inRow.begin(), inRow.end(),
                                           [&](const QRectF &o) { return o.left() < x + w && x < o.right(); });
            if (free) {
                if (!first)
                    first = x;
                last = x;
            } else if (first) {
                break;
            }
        }
        if (!first)
            return std::nullopt;
        return (*first + *last) / 2;
    };
    std::optional<QRectF> top, bottom;
    for (double y = edge; y + h <= pageHeight - edge && !top; y += 0.5)
        if (auto x = freeRow(y))
            top = QRectF(*x, y, w, h);
    for (double y = pageHeight - edge - h; y >= edge && !bottom; y -= 0.5)
        if (auto x = freeRow(y))
            bottom = QRectF(*x, y, w, h);
    if (top && bottom)
        return top->top() - edge <= pageHeight - edge - bottom->bottom() ? *top : *bottom;
    return top ? *top : bottom ? *bottom : QRectF();
}

struct TitleBlock {
    QRectF mm;
    TitleFonts fonts;
};

TitleBlock placeTitleBlock(int picture, const PageSpec &page, const SheetScale &scale,
                           const std::vector<QRectF> &obstacles) {
    const QString title = titleText(picture, page);
    const QString note = noteText(picture);
    const double pageWidth = std::min(page.pictureWidth, 200.0);
    const double pageHeight = std::min(page.pictureHeight, 288.0);
    // The widest block, in the largest type, that fits at the top or the bottom of the sheet, where a title is
    // looked for; failing that, the widest anywhere.
    std::optional<TitleBlock> anywhere;
    for (double w : blockWidths)
        for (const TitleFonts &fonts : titleSizes) {
            if (w > pageWidth - 2 * edge)
                continue;
            const TitleLayout l = layOutTitle(fonts, (w - 2 * blockPadding) * scale.x, title, note);
            const double h = 2 * blockPadding + (l.title.height() + l.note.height()) / scale.y + 1;
            const QRectF found = freePlace(w, h, pageWidth, pageHeight, obstacles);
            if (found.isEmpty())
                continue;
            if (found.top() <= edge + 1 || found.bottom() >= pageHeight - edge - 1)
                return {found, fonts};
            if (!anywhere)
                anywhere = TitleBlock{found, fonts};
        }
    if (anywhere)
        return *anywhere;
    // Not met by any page: every one has room for the smallest block.
    return {QRectF(edge, edge, 60, 30), titleSizes[std::size(titleSizes) - 1]};
}

QSizeF labelSize(const QString &text, const SheetScale &scale) {
    const QFontMetricsF m(sheetFont(labelPoints), &sheetDevice());
    return {m.horizontalAdvance(text) / scale.x, m.height() / scale.y};
}

// The field names, over their boxes where that touches no other box, label or the title block, else before them
// or under them.
std::vector<GuideLayout::Label> placeLabels(const std::vector<Box> &boxes, const QRectF &block,
                                            const std::vector<QRectF> &lines, const SheetScale &scale) {
    std::vector<GuideLayout::Label> labels;
    for (const Box &b : boxes) {
        if (b.field.isEmpty())
            continue;
        const QSizeF size = labelSize(b.field, scale);
        const QRectF above(QPointF(b.mm.left(), b.mm.top() - labelGap - size.height()), size);
        const QRectF before(QPointF(b.mm.left() - labelGap - size.width(), b.mm.top()), size);
        const QRectF below(QPointF(b.mm.left(), b.mm.bottom() + labelGap), size);
        auto free = [&](const QRectF &r) {
            if (r.intersects(block) || r.top() < 0 || r.left() < 0)
                return false;
            for (const Box &o : boxes)
                if (&o != &b && r.intersects(o.mm))
                    return false;
            for (const QRectF &l : lines)
                if (r.intersects(l))
                    return false;
            return std::none_of(labels.begin(), labels.end(),
                                [&](const GuideLayout::Label &l) { return r.intersects(l.rect); });
        };
        for (const QRectF &r : {above, before, below})
            if (free(r)) {
                labels.push_back({r, b.field});
                break;
            }
    }
    return labels;
}

SheetScale scaleOf(const PageSpec &page) { return {sheetWidth / page.pictureWidth, sheetHeight / page.pictureHeight}; }

struct FullLayout {
    GuideLayout layout;
    TitleFonts fonts;
};

FullLayout layOut(int picture, const PageSpec &page) {
    const PagePlaces found = pagePlaces(page);
    std::vector<Box> boxes;
    for (const GuidePlace &p : found.places) {
        switch (p.kind) {
        case GuidePlace::Text:
            boxes.push_back(textBox(p));
            break;
        case GuidePlace::Amount:
            boxes.push_back(amountBox(p));
            break;
        case GuidePlace::Digits:
            addDigitBoxes(boxes, p);
            break;
        }
    }
    joinTexts(boxes);
    joinMarksAndDigits(boxes);
    widenFields(boxes, found.lines, std::min(page.pictureWidth, 200.0) - edge);
    separateLines(boxes);

    const SheetScale scale = scaleOf(page);
    // The block keeps clear of every box, of the room of its label over a field, and of the page's strokes.
    std::vector<QRectF> obstacles;
    for (const Box &b : boxes) {
        const double labelRoom = b.field.isEmpty() ? 0 : labelSize(b.field, scale).height() + labelGap;
        obstacles.push_back(b.mm.adjusted(-blockMargin, -blockMargin - labelRoom, blockMargin, blockMargin));
    }
    for (const QRectF &l : found.lines)
        obstacles.push_back(l.adjusted(-blockMargin, -blockMargin, blockMargin, blockMargin));
    const TitleBlock block = placeTitleBlock(picture, page, scale, obstacles);

    FullLayout out;
    out.fonts = block.fonts;
    out.layout.titleBlock = block.mm;
    for (const Box &b : boxes)
        out.layout.boxes.push_back(b.mm);
    out.layout.labels = placeLabels(boxes, block.mm, found.lines, scale);
    return out;
}

} // namespace

QString pageImagePath(int picture) { return QStringLiteral("c:\\法人税\\様式\\Picture%1.png").arg(picture); }

QString pageImageFormName(int picture) {
    return picture >= 1 && picture <= 8 ? QString::fromUtf16(formNames[std::size_t(picture)]) : QString();
}

GuideLayout guideLayout(int picture, const PageSpec &page) { return layOut(picture, page).layout; }

QImage guideSheet(int picture) {
    static std::map<int, QImage> made;
    if (auto it = made.find(picture); it != made.end())
        return it->second;
    const PageSpec *entry = pageSpecForPicture(picture);
    const QImage sheet = entry ? drawGuideSheet(picture, *entry) : blankSheet();
    made[picture] = sheet;
    return sheet;
}

QImage drawGuideSheet(int picture, const PageSpec &page) {
    const FullLayout full = layOut(picture, page);
    const GuideLayout &layout = full.layout;
    const SheetScale scale = scaleOf(page);

    QImage sheet(sheetWidth, sheetHeight, QImage::Format_RGB32);
    setSheetDpi(sheet);
    sheet.fill(Qt::white);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, true);

        const QRectF block = scale.toPixels(layout.titleBlock);
        p.setPen(QPen(Qt::black, 6));
        p.drawRect(block);
        const QRectF inner = block.adjusted(blockPadding * scale.x, blockPadding * scale.y, -blockPadding * scale.x,
                                            -blockPadding * scale.y);
        const TitleLayout text = layOutTitle(full.fonts, inner.width(), titleText(picture, page), noteText(picture));
        p.setFont(sheetFont(full.fonts.title, true));
        p.drawText(QRectF(inner.topLeft(), QSizeF(inner.width(), text.title.height())),
                   Qt::AlignLeft | Qt::TextWordWrap, titleText(picture, page));
        p.setFont(sheetFont(full.fonts.note));
        p.drawText(QRectF(inner.left(), inner.top() + text.title.height() + scale.y, inner.width(), text.note.height()),
                   Qt::AlignLeft | Qt::TextWordWrap, noteText(picture));

        p.setPen(QPen(Qt::black, 2));
        for (const QRectF &b : layout.boxes)
            p.drawRect(scale.toPixels(b));
        p.setFont(sheetFont(labelPoints));
        for (const GuideLayout::Label &l : layout.labels)
            p.drawText(scale.toPixels(l.rect), Qt::AlignLeft | Qt::AlignBottom, l.text);
    }
    QImage mono = sheet.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
    blackFirst(mono);
    setSheetDpi(mono);
    return mono;
}

QImage pageImage(int picture) {
    if (g_drawingGuide)
        return blankSheet();
    const QString path = pageImagePath(picture);
    if (QFileInfo::exists(hostPath(path))) {
        QImage scan(hostPath(path));
        if (scan.isNull())
            throw Error(QStringLiteral("様式の画像（%1）を読めません。").arg(path));
        if (scan.size() != QSize(sheetWidth, sheetHeight))
            throw Error(QStringLiteral("様式の画像（%1）は %2 × %3 画素です。%4 × %5 画素の画像にしてください。")
                            .arg(path)
                            .arg(scan.width())
                            .arg(scan.height())
                            .arg(sheetWidth)
                            .arg(sheetHeight));
        blackFirst(scan);
        return scan;
    }
    return guideSheet(picture);
}

} // namespace hz
