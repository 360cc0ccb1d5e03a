#pragma once

#include <cstdint>

namespace hz {

class TextBox;

// True when a window's company-code box holds code as a number.
bool holdsCompany(const TextBox &codeBox, std::int32_t code);

// True when the box holds another company's code. A window's figures belong to the company its code box names:
// one window hands figures to another, or presses its compute, only when that one does not hold another company,
// so that no figure of one company is computed or saved under another's code. A window without a code computes
// and saves nothing, so it may take them.
bool holdsAnotherCompany(const TextBox &codeBox, std::int32_t code);

} // namespace hz
