#pragma once

#include "core/records.h"
#include "schedules/core/tax_rates.h"

#include <QString>

#include <functional>

namespace hz {

class Error;

// The one way the windows read a record. read opens the record at windowsPath and reads from it. A record that
// does not exist yet is missing, quietly. One that exists but cannot be read (a folder in its place, no
// permission, bytes that are not code page 932, a line too long, too few values, a value that does not convert)
// is said in a box under title that names the record and gives the error text, once in a user action for each
// record, however many windows of the action meet it. The shared file handle is free afterwards.
RecordRead readRecordOrSay(const QString &windowsPath, const QString &title, const std::function<void()> &read);

// The same for a file the action cannot do without (the rate table, the profile of the company worked on): a
// missing file is said as well, and counts as unreadable.
RecordRead readRequiredRecordOrSay(const QString &windowsPath, const QString &title, const std::function<void()> &read);

// The text that says the record at windowsPath cannot be read, and why.
QString unreadableText(const QString &windowsPath, const Error &e);

// The box of a record that cannot be read, once in a user action for each record.
void sayUnreadable(const QString &windowsPath, const Error &e, const QString &title);

// What a window keeps of its data action: after one that could not read the window's record, the window holds
// its company's code and zeroes, and nothing of it may be saved, where it would replace the record the user
// still has with zeroes, until a data action reads the record or finds that it does not exist.
class RecordHold {
public:
    // Reads as readRecordOrSay does (readRequiredRecordOrSay when required) and keeps the result.
    RecordRead load(const QString &windowsPath, const QString &title, const std::function<void()> &read,
                    bool required = false);
    // Keeps a failure that the window said in its own box: e could not read the record at windowsPath.
    void hold(const QString &windowsPath, const Error &e);
    // Forgets a failure: the window no longer holds anything read from a record (a fresh start).
    void release();
    // True when the window may save. Otherwise says again which record could not be read, under title, and
    // returns false.
    bool maySave(const QString &title) const;

private:
    QString path_;        // the record that could not be read; empty when none
    QString description_; // and why
};

// The rate table of the installation, without which Schedules 1 and 5(2) compute nothing: read into rates, or,
// missing or not, said under "税率設定". Through hold when given, so that the window saves nothing until it
// is read.
RecordRead readTaxRatesOrSay(TaxRateTable &rates, RecordHold *hold = nullptr);

} // namespace hz
