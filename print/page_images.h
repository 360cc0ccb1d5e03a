#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

// The images of the official forms the picture pages print over (Picture1 to Picture8), each one A4 sheet of
// 2481 × 3507 pixels at 300 dpi. A scan of the real form that the user placed in the data root's folder of forms is
// used as it is; without one, the page prints over a guide sheet drawn from its own items.
namespace hz {

constexpr int sheetWidth = 2481;
constexpr int sheetHeight = 3507;
constexpr double sheetDpi = 300;

// "c:\法人税\様式\Picture<n>.png": where the scan of form n goes.
QString pageImagePath(int picture);
// The form's name, as the guide sheet titles it.
QString pageImageFormName(int picture);

// The scan of form n, or its guide sheet. Throws hz::Error when a scan is there but cannot be read or is not
// 2481 × 3507 pixels, so that the page is not printed over a picture that does not fit it.
QImage pageImage(int picture);

struct PageSpec;

// What a guide sheet shows, in millimetres of the page printed over it.
struct GuideLayout {
    // The form's name and the note that this is not the official form, where no item of the page can print.
    QRectF titleBlock;
    // A box for every place the page can print, whatever the figures: a text's box as wide as its field's room
    // on its line, an amount's as wide as any 32-bit amount, one box per digit on a row of digit boxes.
    std::vector<QRectF> boxes;
    struct Label {
        QRectF rect;
        QString text;
    };
    // The field names over (or under) the boxes of the texts, where they touch no other box.
    std::vector<Label> labels;
};

// The layout of the guide sheet of form n, from every place the page printed over it can print.
GuideLayout guideLayout(int picture, const PageSpec &page);
// The guide sheet of form n (1-bit, 2481 × 3507, 300 dpi), made once per run of the program from the page printed
// over it.
QImage guideSheet(int picture);
// The same sheet drawn afresh from the page printed over form n.
QImage drawGuideSheet(int picture, const PageSpec &page);

} // namespace hz
