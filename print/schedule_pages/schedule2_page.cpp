#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule2Page(Page &) {}

} // namespace hz
