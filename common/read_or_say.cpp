#include "common/read_or_say.h"

#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/controls.h"
#include "platform/services.h"

namespace hz {

namespace {

// A box about the record at windowsPath, unless one about it was shown in the same action already.
void say(const QString &windowsPath, const QString &prompt, const QString &title) {
    actionErrorBox(Error(prompt).aboutRecord(windowsPath), title);
}

RecordRead readOrSay(const QString &windowsPath, const QString &title, const std::function<void()> &read, bool required,
                     Error *failure) {
    // The record is read straight away, and the disk asked whether it is there only when the read fails: a
    // chain reads a hundred records, nearly all of them there.
    try {
        read();
        return RecordRead::read;
    } catch (const Error &e) {
        if (!recordExists(windowsPath)) {
            if (!required)
                return RecordRead::missing;
            const Error missing = Error::fileNotFound();
            sayUnreadable(windowsPath, missing, title);
            if (failure)
                *failure = missing;
            return RecordRead::unreadable;
        }
        sayUnreadable(windowsPath, e, title);
        if (failure)
            *failure = e;
        return RecordRead::unreadable;
    }
}

} // namespace

QString unreadableText(const QString &windowsPath, const Error &e) {
    return QStringLiteral("%1 を読み込めません。\n%2").arg(windowsPath, e.description());
}

void sayUnreadable(const QString &windowsPath, const Error &e, const QString &title) {
    say(windowsPath, unreadableText(windowsPath, e), title);
}

RecordRead readRecordOrSay(const QString &windowsPath, const QString &title, const std::function<void()> &read) {
    return readOrSay(windowsPath, title, read, false, nullptr);
}

RecordRead readRequiredRecordOrSay(const QString &windowsPath, const QString &title,
                                   const std::function<void()> &read) {
    return readOrSay(windowsPath, title, read, true, nullptr);
}

const QString RecordHold::everySave = QStringLiteral("*");

RecordHold::RecordHold(std::vector<TextBox *> boxes, Afresh rule) : boxes_(std::move(boxes)), rule_(rule) {}

RecordHold::RecordHold(const Form *window, const TextBox &codeBox, const Frame *panel)
    : window_(window), codeBox_(&codeBox), panel_(panel) {}

void RecordHold::startAfresh() {
    for (TextBox *box : guarded())
        box->forgetUserText();
}

RecordRead RecordHold::load(const QString &windowsPath, const QString &title, const std::function<void()> &read,
                            bool required) {
    startAfresh();
    Error failure{QString()};
    const RecordRead result = readOrSay(windowsPath, title, read, required, &failure);
    if (result == RecordRead::unreadable) {
        hold(windowsPath, failure);
    } else {
        release();
    }
    return result;
}

void RecordHold::hold(const QString &windowsPath, const Error &e, const QString &savedPath) {
    path_ = windowsPath;
    description_ = e.description();
    savedPath_ = savedPath.isEmpty() ? windowsPath : savedPath;
}

void RecordHold::release() {
    path_.clear();
    description_.clear();
    savedPath_.clear();
}

void RecordHold::written(const QString &savedPath) {
    if (holds(savedPath))
        release();
}

bool RecordHold::holds(const QString &savedPath) const {
    return !path_.isEmpty() && (savedPath.isEmpty() || savedPath_ == everySave || savedPath == savedPath_);
}

std::vector<TextBox *> RecordHold::guarded() const {
    if (!window_)
        return boxes_;
    // The window's boxes: a panel's are those built inside it.
    std::vector<TextBox *> boxes;
    for (Control *c : window_->controls())
        if (auto *box = dynamic_cast<TextBox *>(c); box && box != codeBox_)
            if (!panel_ || panel_->widget()->isAncestorOf(box->widget()))
                boxes.push_back(box);
    return boxes;
}

bool RecordHold::givenAfresh() const {
    // A failure about another record than the one saved: its values were never read, so none were given again.
    const std::vector<TextBox *> boxes = guarded();
    if (boxes.empty() || savedPath_ != path_)
        return false;
    int given = 0;
    for (const TextBox *box : boxes)
        if (box->holdsUserText() && !box->text().trimmed().isEmpty())
            ++given;
    return rule_ == Afresh::everyBox ? given == int(boxes.size()) : given > 0;
}

bool RecordHold::maySave(const QString &title, const QString &savedPath) const {
    if (!holds(savedPath) || givenAfresh())
        return true;
    say(path_, QStringLiteral("%1 を読み込めなかったため、この画面からは保存しません。\n%2").arg(path_, description_),
        title);
    return false;
}

RecordRead readTaxRatesOrSay(TaxRateTable &rates, RecordHold *hold) {
    const QString title = QStringLiteral("税率設定");
    const auto read = [&rates] { rates = readTaxRates(); };
    if (hold)
        hold->startAfresh();
    Error failure{QString()};
    const RecordRead result = readOrSay(dataroot::taxRateFile, title, read, true, &failure);
    // A window that computes from the table saves nothing without it, whatever its boxes hold.
    if (hold && result == RecordRead::unreadable)
        hold->hold(dataroot::taxRateFile, failure, RecordHold::everySave);
    else if (hold)
        hold->release();
    return result;
}

} // namespace hz
