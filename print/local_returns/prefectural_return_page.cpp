#include "print/pages.h"

namespace hz {

// Not drawn yet.
void PrefecturalReturnPage(Page &) {}

} // namespace hz
