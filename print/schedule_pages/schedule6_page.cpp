#include "print/pages.h"

namespace hz {

// Not drawn yet.
void Schedule6Page(Page &) {}

} // namespace hz
