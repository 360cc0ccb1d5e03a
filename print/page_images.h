#pragma once

#include <QImage>
#include <QString>

// The images of the official forms the picture pages print over (Picture1 to Picture8), each one A4 sheet of
// 2481 × 3507 pixels at 300 dpi. A scan of the real form that the user placed in the data root's folder of forms is
// used as it is; without one, the page prints over a guide sheet drawn from its own items.
namespace hz {

// "c:\法人税\様式\Picture<n>.png": where the scan of form n goes.
QString pageImagePath(int picture);
// The form's name, as the guide sheet titles it.
QString pageImageFormName(int picture);

// The scan of form n, or its guide sheet. Throws hz::Error when a scan is there but cannot be read or is not
// 2481 × 3507 pixels, so that the page is not printed over a picture that does not fit it.
QImage pageImage(int picture);

struct PageSpec;
// The guide sheet of form n (1-bit, 2481 × 3507, 300 dpi), made once per run of the program from the page printed
// over it: the form's name and number, a note that it is not the official form, and a thin labelled box at every
// place the page prints an item.
QImage guideSheet(int picture);
// The same sheet drawn afresh from the items of page, which is printed over form n.
QImage drawGuideSheet(int picture, const PageSpec &page);

} // namespace hz
