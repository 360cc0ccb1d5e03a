#pragma once

#include "print/print_data.h"
#include "print/printer.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The conventions every printed page shares. A page is written as data: constexpr tables of texts and lines in
// millimetres, walked by the renderer below; code only where the page computes (digit splits, derived amounts,
// dates). Every text position gets the text offsets of the page state added, every line end the line origin.
namespace hz {

// A fixed text of a page in "MS 明朝": size in points, top-left corner in millimetres.
struct TextItem {
    double size;
    double x;
    double y;
    const char16_t *text;
};

// A straight line between two points, in millimetres.
struct LineItem {
    double x1;
    double y1;
    double x2;
    double y2;
};

// A rectangle drawn as four lines: top-left and bottom-right corners.
struct BoxItem {
    double x1;
    double y1;
    double x2;
    double y2;
};

// The x of the two rules a figure or text of a cell must keep clear of, as the page draws its lines (a mark the
// form prints inside the cell may stand in for a rule).
struct CellSpan {
    double left;
    double right;
};

// Line widths in printer pixels.
namespace drawwidth {
constexpr int frame = 6; // frames, outer box lines, strike lines
constexpr int grid = 2;  // grid and inner lines
} // namespace drawwidth

// The smallest size a page fits a text or figure down to, in points.
inline constexpr double smallestPoints = 6;

struct GuidePlace;

// One page being drawn: the printer of its job, the print data it reads and the page state it may change.
class Page {
public:
    // The room a text may take on its page, in the layout's millimetres (the coordinates text() takes). Inside the
    // page: the windows have a TextBox of their own.
    struct TextBox {
        double left;
        double top;
        double right;
        double bottom;
    };

    Page(Printer &printer, PrintData &data, PageState &state) : data(data), state(state), printer_(printer) {}

    Printer &printer() { return printer_; }

    // FontName and FontSize together.
    void font(const QString &faceName, double points);
    void fontSize(double points);
    // The size in force, in points.
    double fontPoints() const { return fontSize_; }
    void drawWidth(int pixels);

    // A text at (x, y) plus the block offsets and page shifts. The sums are whole-number positions plus the
    // fraction of the layout; an overflow of the offsets is an error.
    void text(double x, double y, const QString &s);
    // One character of a column set top to bottom, its square's top-left corner at (x, y) plus the block offsets
    // and page shifts, as text() places a text.
    void columnCharacter(double x, double y, const QString &c);
    // A fixed item of a table: its size, then its text.
    void text(const TextItem &item);
    // A whole number printed as a number: a blank before it when it is 0 or more, a minus sign when negative.
    void number(double x, double y, std::int64_t v);
    // A line from (x1, y1) to (x2, y2) plus the line origin.
    void line(double x1, double y1, double x2, double y2);
    void box(const BoxItem &b);

    // An amount whose right edge is R: placed by the width of its plain digits, printed with "#,###" (nothing
    // for 0), so a grouped amount reaches past R by the width of its commas, as the layouts expect.
    void rightAlignedAmount(double right, double y, std::int64_t v);
    // The same place, printing only v / divisor rounded toward minus infinity (amounts in thousands or hundreds).
    void rightAlignedAmountCut(double right, double y, std::int64_t v, std::int64_t divisor);

    // The amount of a self-drawn page's cell: at its layout place and the page's size where it fits in the cell,
    // else as fitInCell below sets it.
    void rightAlignedAmount(double right, double y, std::int64_t v, CellSpan cell);
    // The same for a figure placed by the width of measured and printed as printed (a stored amount printed with
    // its sign changed).
    void amountInCell(double right, double y, const QString &measured, const QString &printed, CellSpan cell);
    // A text that starts at (x, y): at the page's size where it fits box; else at the largest smaller size, in
    // tenths of a point down to 6 pt, at which it fits on one line from the same start or on two lines inside the
    // box (one line where both fit at a size). Two lines break at a place of breakPlaces (japanese_text.h): the
    // strongest class whose best break prints the text about as large as a weaker one (between the parts of a name,
    // between words more than a tenth larger, between the words of a katakana run at least a fifth larger), inside a
    // word only where no stronger class fits at any size, and anywhere a line may begin and end only where that does
    // not either. Within a class, the largest size, then the place nearest the middle that costs at most a twentieth
    // of it. Each line at one size, the two in the middle of the box's height, a line that begins with an opening
    // bracket set without its blank half. One line keeps the baseline it has at the page's size. Else what fits,
    // with no ink outside the box, and the cut is kept in shortenedTexts(). A text fits where its ink lies inside the
    // box and its advance ends by the box's right side; one line whose ink would cross the box's top or bottom moves
    // down or up just enough. The box never reaches off the sheet.
    void textInBox(double x, double y, const QString &s, const TextBox &box);
    // A text from x that must end clear of the rule at cellRight (a line's x, as line() takes it), where the
    // height of its row is not known: fitted as textInBox fits it into the room of one line at the page's size,
    // never on two lines.
    void textInCell(double x, double y, const QString &s, double cellRight);
    // The room between four rules as line() takes them, clear of their strokes, as textInBox takes it; frames
    // names the sides that are frame lines, the others being grid lines.
    enum FrameSide : unsigned { leftFrame = 1, topFrame = 2, rightFrame = 4, bottomFrame = 8 };
    TextBox roomBetweenRules(double left, double top, double right, double bottom, unsigned frames = 0) const;
    // The texts textInBox could not print whole, in the order printed, each once.
    const std::vector<QString> &shortenedTexts() const { return shortened_; }
    // Keeps a text the page printed by a rule of its own (one character a place down a margin) and could not print
    // whole, with those of textInBox.
    void keepShortened(const QString &s);

    // The stored image of a picture page, scaled into width × height millimetres from the corner.
    void paintPicture(const QImage &image, double width, double height);

    PrintData &data;
    PageState &state;
    // Set while a guide sheet is drawn from the page: the place of every item is kept here, and the items a page
    // prints only under some condition (everyPlace) are printed too, so that each place the page can print is kept.
    std::vector<GuidePlace> *guidePlaces = nullptr;
    bool everyPlace() const { return guidePlaces != nullptr; }

private:
    // Where an item of a cell prints, and at what size.
    struct Fitted {
        double x;
        double size;
    };
    // The one rule for every figure a page sets into a cell. An amount fits at a size when its printed text stays
    // clear of both rules of the cell. It is placed as the layouts place it, anchor (its right edge R) less the
    // width of measured; where the printed text's commas then reach over the rule, it ends at R instead (at the
    // cell's last clear point when R itself lies on the rule), so that it keeps its size. It keeps the page's size
    // where it fits; otherwise it gets the largest smaller size, in steps of a tenth of a point and not below 6 pt,
    // at which it fits, the layout's place preferred, on the baseline of the page's size. One that fits nowhere prints
    // at 6 pt, ending at R.
    Fitted fitInCell(double anchor, const QString &measured, const QString &printed, CellSpan cell);
    // The one rule for every text: textInBox, or one line only.
    void fitInBox(double x, double y, const QString &s, const TextBox &box, bool twoLines);
    void printFitted(const Fitted &fitted, double y, const QString &printed);

    friend class ItemPlace;
    // Puts the printer at a text's place, every offset added, and keeps the place for a guide sheet.
    void moveToText(double x, double y, const QString &s);
    double textX(double x) const;
    double textY(double y) const;

    Printer &printer_;
    std::vector<QString> shortened_;
    QString fontName_;
    double fontSize_ = 0;
    bool inItem_ = false;
};

// A place where a page prints one item, as a guide sheet shows it: a text, an amount aligned to a right edge, or a
// row of digit boxes. Positions in millimetres with every offset added, size in points.
struct GuidePlace {
    enum Kind { Text, Amount, Digits };
    Kind kind = Text;
    QString font;
    double size = 0;
    double x = 0;     // Text: where it starts; Amount: the right edge; Digits: where the number of box 1 starts
    double y = 0;     // top
    QString text;     // Text: what the page printed there
    double pitch = 0; // Digits: from one box to the next
    int boxes = 0;    // Digits: how many the page fills
    // Text printed with textInBox: the room it was given, every offset added. The place keeps the whole text and
    // the page's size, however the text was fitted.
    std::optional<Page::TextBox> box = std::nullopt;
};

// While it lives, the item being printed (an amount, a row of digit boxes) is kept as one place of a guide sheet,
// and the texts it prints are not kept on their own. Does nothing unless a guide sheet is being drawn.
class ItemPlace {
public:
    ItemPlace(Page &page, GuidePlace::Kind kind, double x, double y, double pitch = 0, int boxes = 0);
    // A text the page prints in pieces by a rule of its own, in its room (layout millimetres, as textInBox takes
    // it), kept whole as one place.
    ItemPlace(Page &page, double x, double y, const QString &text, const Page::TextBox &box);
    ~ItemPlace();
    // This item is the place kept (a guide sheet is being drawn, and it is not part of an outer item).
    bool kept() const { return outer_; }
    ItemPlace(const ItemPlace &) = delete;
    ItemPlace &operator=(const ItemPlace &) = delete;

private:
    Page &page_;
    bool outer_;
};

// A number as the printer prints it: " 5", " 0", "-5".
QString printedNumber(std::int64_t v);

void drawTexts(Page &page, std::span<const TextItem> items);
// Sets the width, then draws every line.
void drawLines(Page &page, int width, std::span<const LineItem> lines);
void drawBoxes(Page &page, int width, std::span<const BoxItem> boxes);

// Digit boxes: an amount written one digit per box. Digit 1 is the most significant and takes any excess (12 for
// 123,456,789 split into eight); every digit carries the sign of the amount.
using DigitSplit = std::array<std::int32_t, 10>; // digits 1..boxes
DigitSplit splitDigits(std::int64_t amount, int boxes);
// The boxes left of box 1 that digit 1 fills: one for each of its figures beyond the first (the forms have boxes
// there for the hundred millions and billions).
int leadingBoxes(std::int32_t digit1);
// The most leadingBoxes any 32-bit amount split into boxes digits takes.
int mostLeadingBoxes(int boxes);
// Prints digits 1..lastBox as numbers at x + pitch × (j − 1), y, the figures of digit 1 beyond its last one going on
// leftwards at x − pitch, x − 2 pitch; a box gets its digit only once a digit up to it is not 0, so leading zeros
// stay blank and 0 prints nothing. absolute drops the digits' signs. boxes is the split's count of digits.
void printDigitBoxes(Page &page, const DigitSplit &digits, int boxes, double x, double pitch, double y, int lastBox,
                     bool absolute);

// The three numbers of a 平成 date, each printed as a number at its own x on one line.
void eraDate(Page &page, const std::array<double, 3> &xs, double y, std::int32_t year, std::int32_t month,
             std::int32_t day);

// The 事業年度 / 法人名 box of the self-drawn pages; withValues prints the company's period and name in it.
void pageHeaderBlock(Page &page, bool withValues);
// The circled 1 at the top left of the Schedule 11 and Schedule 15 pages.
void circledOne(Page &page);

} // namespace hz
