#pragma once

#include "print/page.h"

#include <array>

// The head of the attachments to the local returns: 法人名 and the 事業年度 from and to, each date as 平成 year,
// month and day on one line, all in the font in force.
namespace hz {

struct AttachmentHeader {
    double nameX;
    double nameY;
    Page::TextBox nameBox;        // 法人名's room on the form
    std::array<double, 3> dateXs; // year, month, day
    double startY;                // 日から
    double endY;                  // 日まで
};

void attachmentHeader(Page &page, const AttachmentHeader &h);

} // namespace hz
