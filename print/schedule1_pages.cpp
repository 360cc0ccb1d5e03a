#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule1Page(Page &) {}

// Not drawn yet.
void Schedule1OfficeSheetPage(Page &) {}

} // namespace hz
