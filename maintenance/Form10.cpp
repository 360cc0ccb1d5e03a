#include "maintenance/Form10.h"

#include "app/Form1.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "maintenance/company_files.h"
#include "maintenance/file_batch.h"
#include "maintenance/open_windows.h"
#include "maintenance/rollover.h"
#include "platform/services.h"
#include "schedules/more/bulk_input.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {

const QString kCodeTitle = QStringLiteral("法人コードの入力");
const QString kFloppyTitle = QStringLiteral("フロッピーを準備してください。");
const QString kCopyTitle = QStringLiteral("リストア情報");
const QString kOverwriteTitle = QStringLiteral("書き換えますか");
const QString kDeleteQuestion = QStringLiteral("　を削除しますか");
const QString kRolloverQuestion = QStringLiteral("　を更新しますか");
const QString kTargetOutOfRange = QStringLiteral("コピー先の") + companyCodeRangeText;
const QString kTargetIsSource = QStringLiteral("コピー先がコピー元と同じ法人コードです。");

constexpr unsigned kButtonFace = 0x8000000F;
constexpr unsigned kRed = 0x000000FF;

using company_files::requireFile;

CompanyProfileRecord readFullProfileNamed(const QString &windowsPath) {
    CompanyProfileRecord profile;
    company_files::readNamingRecord(windowsPath, [&] { profile = company_files::readFullProfile(windowsPath); });
    return profile;
}

// A file already gone counts as deleted, so a deletion that stopped half-way can simply be run again.
void deleteIfPresent(const QString &windowsPath) {
    if (fileExists(windowsPath))
        deleteFile(windowsPath);
}

// The profile goes last: until it is gone the company stays in the list, where the deletion can be repeated.
QStringList profileLast(std::int32_t code) {
    QStringList files = company_files::coreFiles(code);
    files.move(0, files.size() - 1);
    return files;
}

} // namespace

Form10::Form10() : Form(QStringLiteral("Form10"), QStringLiteral("データ")) {
    Command4.onClick([this] { Command4_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command9.onClick([this] { Command9_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command18.onClick([this] { Command18_Click(); });
    Command19.onClick([this] { Command19_Click(); });
}

void Form10::setupUi(QWidget *window) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(11.25);
    window->setFont(font);
    auto *layout = new QVBoxLayout(window);
    layout->setSpacing(8);

    auto *top = new QHBoxLayout;
    Text6.create(window, QString())->setFixedWidth(80);
    top->addWidget(Text6.edit());
    top->addWidget(Command4.create(window, QStringLiteral("会社呼出")));
    top->addWidget(Text5.create(window, QString()), 1);
    Text5.setBackColor(vbColor(palette::lightYellow));
    layout->addLayout(top);

    auto *period = new QHBoxLayout;
    QPushButton *clear = Command9.create(window, QStringLiteral("会社コードクリア"));
    QFont small = font;
    small.setPointSizeF(8.25);
    clear->setFont(small);
    period->addWidget(clear);
    period->addWidget(Command7.create(window, QStringLiteral("DATA")));
    period->addSpacing(16);
    auto addCaption = [&](TextBox &box, const QString &caption) {
        box.create(window, caption)->setFixedWidth(64);
        box.setReadOnly(true);
        box.setBackColor(vbColor(palette::lightCyan));
        period->addWidget(box.edit());
    };
    auto addDatePart = [&](TextBox &box) {
        box.create(window, QString())->setFixedWidth(40);
        box.setRightAligned();
        box.setBackColor(vbColor(palette::lightCyan));
        period->addWidget(box.edit());
    };
    addCaption(Text10, QStringLiteral("自平成"));
    for (TextBox *b : {&Text13, &Text14, &Text15})
        addDatePart(*b);
    period->addSpacing(12);
    addCaption(Text16, QStringLiteral("至平成"));
    for (TextBox *b : {&Text17, &Text18, &Text19})
        addDatePart(*b);
    period->addStretch();
    layout->addLayout(period);

    layout->addWidget(ProgressBar1.create(window));

    // Left: the copy and the floppy and disk actions in one column; right: the rollover, and "menu" below.
    auto *actions = new QGridLayout;
    actions->setHorizontalSpacing(24);
    auto *copy = new QHBoxLayout;
    Text39.create(window, QString())->setFixedWidth(80);
    copy->addWidget(Text39.edit());
    copy->addWidget(Command18.create(window, QStringLiteral("へ、リストアする")), 1);
    actions->addLayout(copy, 0, 0);
    actions->addWidget(Command1.create(window, QStringLiteral("フロッピーへコピーする")), 1, 0);
    actions->addWidget(Command2.create(window, QStringLiteral("フロッピーよりHDDへ戻す")), 2, 0);
    actions->addWidget(Command3.create(window, QStringLiteral("フロッピーより削除する")), 3, 0);
    actions->addWidget(Command19.create(window, QStringLiteral("HDDより削除する")), 4, 0);

    QPushButton *rollover = Command5.create(window, QStringLiteral("次年度更新する"));
    QFont large = font;
    large.setPointSizeF(14.25);
    rollover->setFont(large);
    rollover->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    actions->addWidget(rollover, 0, 1, 3, 1);

    auto *menu = new QHBoxLayout;
    menu->addStretch();
    menu->addWidget(Text1.create(window, QString()));
    Text1.setBackColor(vbColor(palette::magenta));
    Text1.setVisible(false);
    menu->addWidget(Text100.create(window, QString()));
    Text100.setBackColor(vbColor(palette::yellow));
    Text100.setVisible(false);
    menu->addWidget(Command6.create(window, QStringLiteral("menu")));
    actions->addLayout(menu, 4, 1);
    actions->setColumnStretch(0, 3);
    actions->setColumnStretch(1, 2);
    layout->addLayout(actions);
    layout->addStretch();
}

void Form10::Form_Load() { ProgressBar1.setVisible(false); }

void Form10::clearCompanyBoxes() {
    loadedProfile = {};
    for (TextBox *b : {&Text5, &Text13, &Text14, &Text15, &Text17, &Text18, &Text19})
        b->setText(QString());
}

// DATA: the company the menu handed over.
void Form10::Command7_Click() {
    try {
        Text6.setText(plain(toWhole(Text100.text())));
    } catch (const Error &e) {
        clearCompanyBoxes();
        actionErrorBox(e, QStringLiteral("DATA"));
        return;
    }
    press(Command4);
}

// 会社呼出: the profile of the code in Text6. A company that cannot be loaded leaves the boxes empty, so that no
// one takes the company shown before for the one in Text6.
void Form10::Command4_Click() {
    try {
        CompanyProfileRecord rec;
        readProfile(toWhole(Text6.text()), rec, 19);
        loadedProfile = rec;
    } catch (const Error &e) {
        clearCompanyBoxes();
        actionErrorBox(e, QStringLiteral("会社呼出"));
        return;
    }
    Text5.setText(loadedProfile.companyName);
    showBusinessYear(loadedProfile, {&Text13, &Text14, &Text15, &Text17, &Text18, &Text19});
}

// 会社コードクリア
void Form10::Command9_Click() {
    for (TextBox *b : {&Text6, &Text5, &Text39, &Text13, &Text14, &Text15, &Text17, &Text18, &Text19})
        b->setText(QString());
}

// "menu": only the working code is emptied; the main menu stays where it is.
void Form10::Command6_Click() { Text6.setText(QString()); }

// 次年度更新する (nextYearRollover). Every record it rewrites is read and the new year worked out before the
// question; after OK the new records are put in place together, so the company is never left half rolled.
void Form10::Command5_Click() {
    setBackColor(vbColor(kRed));
    try {
        // With the code box emptied (会社コードクリア, "menu"), the company last loaded is the one rolled, and
        // the question names it. Either way the company's own profile is read again below, so the code and the
        // profile rolled are always one company's.
        const bool codeEmptied = Text6.text().trimmed().isEmpty() && isCompanyCode(loadedProfile.companyCode);
        const std::int32_t code = codeEmptied ? loadedProfile.companyCode : toWhole(Text6.text());
        const CompanyYear closing = readCompanyYear(code);
        const CompanyYear opening = rollOver(closing);
        confirmAnswer = msgBox(QString(), mb::OkCancelQuestion, closing.profile.companyName + kRolloverQuestion);
        if (confirmAnswer != mb::Ok) {
            setBackColor(vbColor(kButtonFace));
            return;
        }
        {
            FileBatch batch;
            stageCompanyYear(batch, code, opening);
            batch.commit();
        }
        // Last year's scratch copy of the bulk figures, named as the bulk input names it.
        Text1.setText(opening.profile.companyName);
        deleteBulkScratch(Text1.text());
        if (codeEmptied)
            Text6.setText(plain(code));
        press(Command4);
        reloadWindowsHolding(code, true);
        backToMenu();
        beep();
        setBackColor(vbColor(kButtonFace));
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        backToMenu();
    }
    setBackColor(vbColor(kButtonFace));
    backToMenu();
}

// フロッピーへコピーする: the ten files, and the other records the company has, are copied to the floppy only when all
// of them could be read.
void Form10::Command1_Click() {
    try {
        const std::int32_t code = toWhole(Text6.text());
        ProgressBar1.setValue(0);
        ProgressBar1.setVisible(true);
        const QStringList files = company_files::coreFiles(code);
        const QStringList others = company_files::otherRecordFiles(code);
        // A record that does not read would take the place of the sound copy an earlier backup left there; so would
        // a folder in place of one of the other records, were it taken for a record the company no longer has.
        company_files::requireSoundRecords(code, files, others, company_files::onDisk);
        for (const QString &folder : company_files::floppyFolders())
            if (!folderExists(folder))
                createFolder(folder);
        FileBatch batch;
        for (qsizetype i = 0; i < files.size(); ++i) {
            batch.stageCopy(files[i], company_files::onFloppy(files[i]));
            ProgressBar1.setValue(int(10 * (i + 1)));
        }
        // The company's other records go along, since deleting the company removes them too: a restore then gives
        // the whole company back. One the company no longer has goes from the floppy with the set, so no restore
        // brings it back.
        for (const QString &file : others) {
            if (fileExists(file))
                batch.stageCopy(file, company_files::onFloppy(file));
            else if (fileExists(company_files::onFloppy(file)))
                batch.stageRemoval(company_files::onFloppy(file));
        }
        batch.commit();
        ProgressBar1.setVisible(false);
        beep();
    } catch (const Error &e) {
        actionErrorBox(e, kFloppyTitle);
    }
}

// フロッピーよりHDDへ戻す: only a complete backup is restored, and a company on the disk is replaced only after
// the user agreed. The other records come back where the backup has them; one missing there (an older backup of the
// ten files alone) is left on the disk as it is.
void Form10::Command2_Click() {
    try {
        const std::int32_t code = toWhole(Text6.text());
        const QStringList files = company_files::coreFiles(code);
        const QStringList others = company_files::otherRecordFiles(code);
        // Every record of the backup is read first: a damaged one never takes the place of the sound one on the
        // disk, and the question is asked only of a backup that can be restored.
        company_files::requireSoundRecords(code, files, others, company_files::onFloppy);
        if (fileExists(profilePath(code))) {
            confirmAnswer =
                msgBox(company_files::companyNameIn(profilePath(code)), mb::OkCancelQuestion, kOverwriteTitle);
            if (confirmAnswer != mb::Ok)
                return;
        }
        ensureDataRoot();
        {
            FileBatch batch;
            for (const QString &file : files)
                batch.stageCopy(company_files::onFloppy(file), file);
            for (const QString &file : others)
                if (fileExists(company_files::onFloppy(file)))
                    batch.stageCopy(company_files::onFloppy(file), file);
            batch.commit();
        }
        press(Command4);
        reloadWindowsHolding(code, false);
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
    }
}

// フロッピーより削除する
void Form10::Command3_Click() {
    try {
        const std::int32_t code = toWhole(Text6.text());
        const QString floppyProfile = company_files::onFloppy(profilePath(code));
        requireFile(floppyProfile);
        ProgressBar1.setValue(0);
        ProgressBar1.setVisible(true);
        confirmAnswer =
            msgBox(QString(), mb::OkCancelQuestion, company_files::companyNameIn(floppyProfile) + kDeleteQuestion);
        if (confirmAnswer == mb::Ok) {
            const QStringList files = company_files::otherRecordFiles(code) + profileLast(code);
            for (qsizetype i = 0; i < files.size(); ++i) {
                deleteIfPresent(company_files::onFloppy(files[i]));
                ProgressBar1.setValue(int(100 * (i + 1) / files.size()));
            }
            beep();
        }
        ProgressBar1.setVisible(false);
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
    }
}

// へ、リストアする: the company of Text6 is copied to the code in Text39, its profile written afresh under that
// code. Every record copied is read first, and they are put in place together. The statements of the companion
// program are no records of this program: they are copied as they are.
void Form10::Command18_Click() {
    try {
        const std::int32_t source = toWhole(Text6.text());
        const std::int32_t target = toWhole(Text39.text());
        if (!isCompanyCode(target))
            throw Error(kTargetOutOfRange);
        if (target == source)
            throw Error(kTargetIsSource);

        CompanyProfileRecord profile = readFullProfileNamed(profilePath(source));
        const QStringList from = company_files::scheduleFiles(source) << specialFieldPath(source);
        const QStringList to = company_files::scheduleFiles(target) << specialFieldPath(target);
        company_files::requireSoundRecords(source, from, {}, company_files::onDisk);
        const QStringList statementsFrom = company_files::statementFiles(source);
        const QStringList statementsTo = company_files::statementFiles(target);

        bool go = true;
        if (fileExists(profilePath(target))) {
            confirmAnswer =
                msgBox(company_files::companyNameIn(profilePath(target)), mb::OkCancelQuestion, kOverwriteTitle);
            go = confirmAnswer == mb::Ok;
        }
        if (go) {
            FileBatch batch;
            for (qsizetype i = 0; i < from.size(); ++i)
                batch.stageCopy(from[i], to[i]);
            // Only the statements the company has; one that is there and cannot be copied stops the copy.
            for (qsizetype i = 0; i < statementsFrom.size(); ++i)
                if (fileExists(statementsFrom[i]))
                    batch.stageCopy(statementsFrom[i], statementsTo[i]);
            profile.companyCode = target;
            writeProfileAt(batch.stage(profilePath(target)), profile);
            batch.commit();
            reloadWindowsHolding(target, false);
            backToMenu();
            beep();
        }
    } catch (const Error &e) {
        actionErrorBox(e, kCopyTitle);
    }
    backToMenu();
}

// HDDより削除する: the whole company, its other records and statements included, so that a company registered
// later under the code starts with nothing of it.
void Form10::Command19_Click() {
    try {
        const std::int32_t code = toWhole(Text6.text());
        requireFile(profilePath(code));
        setBackColor(vbColor(kRed));
        confirmAnswer =
            msgBox(QString(), mb::OkCancelQuestion, company_files::companyNameIn(profilePath(code)) + kDeleteQuestion);
        if (confirmAnswer == mb::Ok) {
            const QStringList files = company_files::scheduleFiles(code) + company_files::otherRecordFiles(code) +
                                      company_files::statementFiles(code);
            for (const QString &file : files)
                deleteIfPresent(file);
            deleteFile(profilePath(code));
        }
        setBackColor(vbColor(kButtonFace));
        backToMenu();
        beep();
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        setBackColor(vbColor(kButtonFace));
    }
    backToMenu();
}

Form10 &form10() { return loadedForm<Form10>(); }

} // namespace hz
