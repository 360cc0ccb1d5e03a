#include "common/company_code.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "platform/controls.h"

namespace hz {

bool holdsCompany(const TextBox &codeBox, std::int32_t code) {
    try {
        return toWhole(codeBox.text()) == code;
    } catch (const Error &) {
        return false;
    }
}

bool holdsAnotherCompany(const TextBox &codeBox, std::int32_t code) {
    try {
        return toWhole(codeBox.text()) != code;
    } catch (const Error &) {
        return false;
    }
}

} // namespace hz
