#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule15Page(Page &) {}

} // namespace hz
