#pragma once

#include "core/records.h"
#include "schedules/core/tax_rates.h"

#include <QString>

#include <functional>
#include <vector>

namespace hz {

class Error;
class TextBox;
class Form;
class Frame;

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
// still has with zeroes, until a data action reads the record or finds that it does not exist, the window's own
// save writes the record, or the user has given the record's values afresh in the boxes the hold guards. A box
// gives its value afresh while it holds the user's own text (typed, pasted, or given by a preset the user chose),
// typed since the last load of the record into the window, before or after the press that found the damage, as long
// as no code has set the box since: what a load, a clear or another window's push leaves there does not count, nor
// what the failed read left, nor what was typed before a load, for whichever company.
class RecordHold {
public:
    // How many of the boxes must hold the user's own text, and one that is not blank, for the values to count
    // as given afresh: any one (a record whose boxes may be partly empty), or every one (a table that is saved
    // whole, where an empty box would save as 0).
    enum class Afresh { anyBox, everyBox };

    // A hold that only a read or the window's save releases.
    RecordHold() = default;
    // A hold that the user also releases by giving the values afresh in boxes.
    RecordHold(std::vector<TextBox *> boxes, Afresh rule);
    // A hold that the user also releases by typing or pasting a text into any box of window (of panel, when
    // given) but codeBox, from which the data action takes the company's code: a code is no value of the record.
    RecordHold(const Form *window, const TextBox &codeBox, const Frame *panel = nullptr);

    // A load of the record into the window begins, whether it reads the record or not: nothing the boxes hold
    // counts any longer as given afresh, so that what was typed for the company shown before never releases a hold
    // on the one loaded; what the user types after the load does. load() and readTaxRatesOrSay() call it; a window
    // that reads the record itself calls it as its load begins.
    void startAfresh();
    // Starts afresh, reads as readRecordOrSay does (readRequiredRecordOrSay when required) and keeps the result.
    RecordRead load(const QString &windowsPath, const QString &title, const std::function<void()> &read,
                    bool required = false);
    // Keeps a failure that the window said in its own box: e could not read the record at windowsPath. The saves
    // held are those over savedPath, the record at windowsPath itself unless given, or every save of the window
    // when it is everySave; only a hold about the saved record itself is released by values given afresh, as the
    // window never read the one it would replace.
    void hold(const QString &windowsPath, const Error &e, const QString &savedPath = {});
    static const QString everySave;
    // Forgets a failure: the window no longer holds anything read from a record (a fresh start, or a record
    // read or written whole).
    void release();
    // The window has written the record at savedPath whole: a hold of saves over it ends.
    void written(const QString &savedPath);
    // True while saves over savedPath (any save when empty) are held by a failure about that company's records.
    bool holds(const QString &savedPath = {}) const;
    // True when the failure held is the one of the record at windowsPath.
    bool failedOn(const QString &windowsPath) const { return !path_.isEmpty() && path_ == windowsPath; }
    // True when the window may save over savedPath (the held record when empty): nothing held about it, or its
    // values given afresh. Otherwise says again which record could not be read, under title, and returns false.
    bool maySave(const QString &title, const QString &savedPath = {}) const;

private:
    bool givenAfresh() const;
    // The boxes whose texts give the record's values.
    std::vector<TextBox *> guarded() const;

    QString path_;        // the record that could not be read; empty when none
    QString description_; // and why
    QString savedPath_;   // the record whose saves are held
    std::vector<TextBox *> boxes_;
    Afresh rule_ = Afresh::anyBox;
    // The window whose boxes the user types into, when the hold watches a whole window or panel.
    const Form *window_ = nullptr;
    const TextBox *codeBox_ = nullptr;
    const Frame *panel_ = nullptr;
};

// The rate table of the installation, without which Schedules 1 and 5(2) compute nothing: read into rates, or,
// missing or not, said under "税率設定". Through hold when given, so that the window saves nothing until it
// is read.
RecordRead readTaxRatesOrSay(TaxRateTable &rates, RecordHold *hold = nullptr);

} // namespace hz
