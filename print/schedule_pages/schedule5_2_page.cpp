#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule5_2Page(Page &) {}

} // namespace hz
