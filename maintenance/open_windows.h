#pragma once

#include <cstdint>

namespace hz {

// After a company's records were replaced on the disk (rolled over, restored, or copied onto), every open window
// that holds that company loads it again, so that none of them later saves the old figures over the new ones:
// the schedule windows, the interim window, Schedule 11 and its statement, the registration window and the
// menu's code, name and business year. The bulk input, the capital part and the print window, whose loads save,
// are closed. Windows that are not loaded, or hold another company, are left alone. With clearSchedule4, a
// Schedule 4
// window that holds the company is also emptied and computed, which hands the zeroed year on to the windows it
// feeds.
void reloadWindowsHolding(std::int32_t code, bool clearSchedule4);

} // namespace hz
