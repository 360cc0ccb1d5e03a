#pragma once

#include "common/profile.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule6.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// The next-year rollover: a company's business year closed, its balances carried into the opening columns of
// the new year and every other figure started at 0.
namespace hz {

class FileBatch;

// The 25 lines of the Schedule 7 record, line n at [n-1].
using Schedule7Lines = std::array<std::int32_t, 25>;

// The records of one company that the rollover reads and writes again.
struct CompanyYear {
    CompanyProfileRecord profile;
    Schedule5_1Record schedule5_1;
    Schedule5_2Cells schedule5_2{};
    Schedule5_2Part2Record schedule5_2Part2;
    Schedule7Lines schedule7{};
    Schedule1Record schedule1;
    Schedule4Record schedule4;
    Schedule6Record schedule6;
    Schedule15Items schedule15{};
    // The interim payments, when the company has the record.
    std::optional<InterimAmountRecord> interim;
};

// The first day of the next year. Throws Error::overflow() when a year number cannot grow.
CompanyYear rollOver(const CompanyYear &closing);

// Reads every record the rollover needs, so that nothing is written before all of them are known to be sound.
// The profile needs its 19 values (the representative's name when the file has it); Schedule 7 its first 19
// lines (an older record without the 6th and 7th years reads them as 0); the interim record is read when the
// company has one. Throws an Error naming the record.
CompanyYear readCompanyYear(std::int32_t code);

// Makes the rolled records of code ready in batch, in the order they are put in place: Schedules 7, 5(1), 5(2),
// 5(2) part 2, 1, 4, 6, 15, the interim record where the company has one, then the profile (in full, with the
// representative's name and the tail).
void stageCompanyYear(FileBatch &batch, std::int32_t code, const CompanyYear &year);

} // namespace hz
