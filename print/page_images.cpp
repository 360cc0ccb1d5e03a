#include "print/page_images.h"

namespace hz {

// Stand-in until the guide sheets are drawn: a blank A4 sheet at 300 dpi.
QImage pageImage(int) {
    QImage blank(2481, 3507, QImage::Format_Mono);
    blank.fill(1);
    return blank;
}

} // namespace hz
