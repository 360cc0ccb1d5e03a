#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule5_1Page(Page &) {}

} // namespace hz
