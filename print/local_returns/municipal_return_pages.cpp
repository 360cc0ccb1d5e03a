#include "print/pages.h"

namespace hz {

// Not drawn yet.
void MunicipalReturnPage(Page &) {}

// Not drawn yet.
void MunicipalInputCopyPage(Page &) {}

} // namespace hz
