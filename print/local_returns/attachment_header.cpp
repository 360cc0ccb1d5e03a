#include "print/local_returns/attachment_header.h"

namespace hz {

void attachmentHeader(Page &page, const AttachmentHeader &h) {
    const auto &n = page.data.companyNumbers;
    page.textInBox(h.nameX, h.nameY, page.data.companyTexts[2], h.nameBox);
    eraDate(page, h.dateXs, h.startY, n[3], n[4], n[5]);
    eraDate(page, h.dateXs, h.endY, n[6], n[7], n[8]);
}

} // namespace hz
