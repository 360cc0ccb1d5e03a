#include "print/pages.h"

namespace hz {

// Not drawn yet.
void InterestLevyCreditPage(Page &) {}

} // namespace hz
