#include "print/pages.h"

namespace hz {

// Not drawn yet.
void PrefecturalLossPage(Page &) {}

} // namespace hz
