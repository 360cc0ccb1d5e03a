#pragma once

#include "print/page.h"

#include <span>

// Every printed page of the print window: the drawing of its own items (fonts, lines, texts, figures), and the
// page's place in the window (button caption, counter, page image). The page run around the drawing (counter,
// ScaleMode, image, offsets back to 0, EndDoc) is printPage's.
namespace hz {

// Pages of the print window itself.
void TaxAgencyAuthorityPage(Page &page);
void Schedule1Page(Page &page);
void Schedule1OfficeSheetPage(Page &page);
// Self-drawn schedule pages.
void Schedule2Page(Page &page);
void Schedule4Page(Page &page);
void Schedule5_1Page(Page &page);
void Schedule5_2Page(Page &page);
void Schedule6Page(Page &page);
void Schedule7Page(Page &page);
void Schedule11BlankPage(Page &page);
void Schedule15Page(Page &page);
// Local tax returns over the images of the official forms.
void PrefecturalReturnPage(Page &page);
// Drawn by the prefectural return midway into its own job; never a job of its own.
void EnterpriseTaxBoxes(Page &page);
void PrefecturalLossPage(Page &page);
void InterestLevyCreditPage(Page &page);
void InterestLevyByPrefecturePage(Page &page);
void MunicipalReturnPage(Page &page);
void MunicipalInputCopyPage(Page &page);

struct PageSpec {
    const char16_t *caption; // the page button's caption, also the print job's title
    int counter;             // 1-14: the page's print counter (box Text5+counter); 0: it counts nothing
    int picture;             // 1-8: printed over Picture<n>; 0: drawn completely
    double pictureWidth;     // millimetres the image is scaled into
    double pictureHeight;
    void (*draw)(Page &page);
};

// The pages in the print window's order; the hidden enterprise-tax boxes are not a page of their own.
std::span<const PageSpec> pageSpecs();
// The page printed with this button caption; nullptr when there is none.
const PageSpec *pageSpec(const QString &caption);
// The page printed over Picture<n>.
const PageSpec *pageSpecForPicture(int picture);

// Prints one page as one print job: opens the job titled with its caption, ScaleMode, the image of a picture
// page, the page's drawing, every offset back to 0, EndDoc. A page that cannot be printed throws hz::Error after
// its job was aborted (nothing half-drawn is sent) and every offset and digit base was set back to 0. A page that
// printed a text only in part (too long for its box) notes it once the page is sent.
void printPage(const PageSpec &entry, PrintData &data, PageState &state);

} // namespace hz
