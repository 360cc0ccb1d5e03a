#include "print/pages.h"

namespace hz {

// Not drawn yet.
void InterestLevyByPrefecturePage(Page &) {}

} // namespace hz
