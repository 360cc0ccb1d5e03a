#include "print/pages.h"

namespace hz {

// Not drawn yet.
void EnterpriseTaxBoxes(Page &) {}

} // namespace hz
