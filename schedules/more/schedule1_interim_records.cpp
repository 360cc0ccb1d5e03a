#include "schedules/more/schedule1_interim_records.h"

#include "common/read_or_say.h"
#include "core/errors.h"
#include "platform/services.h"

namespace hz {

namespace {

// The rows as saved; a row whose record does not exist yet pays nothing. A payment beyond 32 bits is said as the
// record's failure, like any value that does not read.
InterimRows readRows(std::int32_t code, const QString &title) {
    InterimRows rows;
    if (readRecordOrSay(schedule5_2Path(code), title,
                        [&] { takeSchedule5_2Rows(readSchedule5_2File(code), rows); }) == RecordRead::unreadable)
        rows.corporate = rows.prefectural = rows.municipal = {false, std::nullopt};
    if (readRecordOrSay(schedule5_2Part2Path(code), title,
                        [&] { takeSchedule5_2Part2Row(readSchedule5_2Part2File(code), rows); }) ==
        RecordRead::unreadable)
        rows.enterprise = {false, std::nullopt};
    return rows;
}

struct Read {
    Schedule1InterimInput input;
    bool interimSaved = false; // the interim record stands on the disk
};

// schedule1 and levies: what 別表一's window holds, or nothing to read its record and the rate table.
Read readAll(std::int32_t code, const QString &title, const Schedule1Record *schedule1,
             const std::optional<InterimLevies> &levies) {
    Read out;
    Schedule1InterimInput &in = out.input;
    in.rows = readRows(code, title);

    Schedule1Record s1;
    bool s1Known = true;
    if (schedule1)
        s1 = *schedule1;
    else
        s1Known = readRecordOrSay(schedule1Path(code), title, [&] { readSchedule1(code, s1); }) !=
                  RecordRead::unreadable;
    if (levies) {
        in.levies = *levies;
    } else {
        // The rate table is said by the schedules that compute from it; here it only gives a levy the record lacks.
        TaxRateTable rates;
        try {
            rates = readTaxRates();
        } catch (const Error &) {
        }
        in.levies = schedule1Levies(s1, rates);
    }

    InterimAmountRecord entered;
    switch (readRecordOrSay(interimAmountPath(code), title, [&] { entered = readInterimAmounts(code); })) {
    case RecordRead::read:
        in.entered = entered;
        out.interimSaved = true;
        break;
    case RecordRead::missing:
        if (s1Known)
            in.entered = entriesHeldBySchedule1(s1, in.rows);
        break;
    case RecordRead::unreadable:
        break;
    }
    return out;
}

bool write(std::int32_t code, const QString &title, const InterimAmountRecord &rec) {
    try {
        writeInterimAmounts(code, rec);
        return true;
    } catch (const Error &e) {
        actionErrorBox(e, title);
        return false;
    }
}

} // namespace

Schedule1InterimInput readSchedule1InterimInput(std::int32_t code, const QString &title) {
    return readAll(code, title, nullptr, std::nullopt).input;
}

Schedule1InterimInput readSchedule1InterimInput(std::int32_t code, const QString &title,
                                                const Schedule1Record &schedule1, const InterimLevies &levies) {
    return readAll(code, title, &schedule1, levies).input;
}

InterimAmounts schedule1InterimFor(std::int32_t code, const QString &title) {
    return schedule1InterimFigures(readSchedule1InterimInput(code, title));
}

void adoptSchedule1Entries(std::int32_t code, const QString &title) {
    // Without a 別表一 record there is nothing to keep: the rule then reads no entry, as from an empty record.
    if (recordExists(interimAmountPath(code)) || !recordExists(schedule1Path(code)))
        return;
    const Read r = readAll(code, title, nullptr, InterimLevies{});
    if (r.input.entered)
        write(code, title, *r.input.entered);
}

bool saveInterimEntries(std::int32_t code, const QString &title, const InterimAmounts &entries) {
    const Read r = readAll(code, title, nullptr, InterimLevies{});
    if (!r.input.entered)
        return false;
    const InterimAmountRecord next = withEntries(*r.input.entered, entries);
    if (r.interimSaved && next.amounts == r.input.entered->amounts)
        return true;
    return write(code, title, next);
}

} // namespace hz
