#include "print/pages.h"

namespace hz {

// Not drawn yet.
void TaxAgencyAuthorityPage(Page &) {}

} // namespace hz
