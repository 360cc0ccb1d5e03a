#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule4Page(Page &) {}

} // namespace hz
