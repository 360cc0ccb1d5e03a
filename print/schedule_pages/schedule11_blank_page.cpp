#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule11BlankPage(Page &) {}

} // namespace hz
