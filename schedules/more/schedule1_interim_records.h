#pragma once

#include "schedules/more/schedule1_interim.h"

#include <QString>

#include <cstdint>
#include <optional>

// The saved side of 別表一's interim figures (schedule1_interim.h): the one place every window asks for them, and
// the one place the user's entries are saved. A record that cannot be read is said under the asking action's title,
// once in the action, and decides nothing.
namespace hz {

// What the rule works from for the company, as saved: the 中間 rows of 別表五（二） and 別表五（二）の２, the interim
// record and, unless given, the levies of 別表一's record or the rate table. A company without an interim record
// has the entries 別表一's record holds.
Schedule1InterimInput readSchedule1InterimInput(std::int32_t code, const QString &title);
// The same for 別表一's window, which holds its record (as last loaded) and the levies it computes with.
Schedule1InterimInput readSchedule1InterimInput(std::int32_t code, const QString &title,
                                                const Schedule1Record &schedule1, const InterimLevies &levies);

// The six figures for the company.
InterimAmounts schedule1InterimFor(std::int32_t code, const QString &title);

// Run before an action writes a 中間 row or 別表一's record: a company without an interim record gets one, holding
// the entries 別表一's record holds, while no row's payment can have reached 別表一 as the user's own.
void adoptSchedule1Entries(std::int32_t code, const QString &title);

// Saves what the user entered (nothing where nothing was) into the interim record over what it holds. False, with
// nothing saved, where the record cannot be read or written.
bool saveInterimEntries(std::int32_t code, const QString &title, const InterimAmounts &entries);

} // namespace hz
