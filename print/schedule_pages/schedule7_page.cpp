#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule7Page(Page &) {}

} // namespace hz
