#include "print/Form12.h"

#include "app/Form1.h"
#include "app/settle.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hz {

namespace {

// Every schedule recomputes and saves its record before the print data are read, Schedule 1 first.
void recomputeSchedulesBeforePrint() {
    press(form3().Command4);
    press(form4().Command1);
    press(form5().Command4);
    press(form6().Command1);
    press(form7().Command20);
    press(form7().Command19);
    press(form13().Command20);
    press(form8().Command1);
    press(form8().Command2);
    press(form8().Command3);
    press(form11().Command7);
}

CompanyProfileRecord readProfileForPrint(std::int32_t code) {
    CompanyProfileRecord rec;
    try {
        readProfile(code, rec, 20);
        return rec;
    } catch (const Error &) {
    }
    // Data maintenance writes the short form, which ends before the representative's name: read its 19 values
    // and give the file back its full layout with an empty name.
    rec = {};
    readProfile(code, rec, 19);
    rec.representativeName.clear();
    writeProfile(code, rec);
    return rec;
}

SpecialFieldRecord readSpecialFieldsForPrint(std::int32_t code) {
    SpecialFieldRecord rec;
    try {
        readSpecialFields(code, rec, 8);
        return rec;
    } catch (const Error &) {
    }
    // The older form holds the first six values only, without the addressees.
    rec = {};
    readSpecialFields(code, rec, 6);
    return rec;
}

const char16_t *const pageNames[14] = {u"別表一",     u"別表二",       u"別表四",     u"別五（一）",  u"別五（二）",
                                       u"別表六",     u"別表七",       u"別表十五",   u"法人県民税",  u"県税の欠損金",
                                       u"利子割控除", u"利子の愛知県", u"法人市民税", u"市民税入力用"};

} // namespace

Form12::Form12() : Form(QStringLiteral("Form12"), QStringLiteral("A4コピー用紙に印刷")) {
    Command1.onClick([this] { Command1_Click(); });
    Command24.onClick([this] { Command24_Click(); });
    Command42.onClick([this] { Command42_Click(); });
    Command17.onClick([this] { Command17_Click(); });
}

TextBox *Form12::printCounter(int i) {
    TextBox *boxes[] = {&Text6,  &Text7,  &Text8,  &Text9,  &Text10, &Text11, &Text12,
                        &Text13, &Text14, &Text15, &Text16, &Text17, &Text18, &Text19};
    return boxes[i - 1];
}

Button *Form12::selectionToggle(int i) {
    Button *toggles[] = {&Command35, &Command36, &Command37, &Command38, &Command39, &Command40, &Command41};
    return toggles[i - 1];
}

TextBox *Form12::clickCounter(int i) {
    TextBox *boxes[] = {&Text27, &Text28, &Text29, &Text30, &Text31, &Text32, &Text33, &Text34};
    return boxes[i - 1];
}

void Form12::setupUi(QWidget *window) {
    auto *outer = new QHBoxLayout(window);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->addWidget(new QLabel(QStringLiteral("枚数"), window), 0, 1, Qt::AlignHCenter);
    for (int i = 1; i <= 14; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf16(pageNames[i - 1]), window), i, 0);
        QLineEdit *box = printCounter(i)->create(window);
        printCounter(i)->setRightAligned();
        box->setFixedWidth(48);
        grid->addWidget(box, i, 1);
    }
    // The toggles stand on the rows of the seven schedule pages, 別表二 to 別表十五.
    for (int i = 1; i <= 7; ++i) {
        QPushButton *toggle = selectionToggle(i)->create(window, QString());
        toggle->setFixedWidth(36);
        grid->addWidget(toggle, i + 1, 2);
    }
    grid->addWidget(Command42.create(window, QStringLiteral("クリア")), 9, 2);
    grid->addWidget(Command24.create(window, QStringLiteral("クリア")), 15, 1);
    outer->addLayout(grid);

    auto *side = new QVBoxLayout;
    side->addWidget(Command17.create(window, QStringLiteral("menu")));
    side->addStretch();
    // Stores and the load button the menu presses; never shown.
    side->addWidget(Text1.create(window));
    side->addWidget(Command1.create(window, QStringLiteral("データ")));
    for (int i = 1; i <= 8; ++i)
        side->addWidget(clickCounter(i)->create(window));
    outer->addLayout(side);
    Text1.setVisible(false);
    Command1.setVisible(false);
    for (int i = 1; i <= 8; ++i)
        clickCounter(i)->setVisible(false);
}

// loadPrintData: the company of Text1 into the print data. Any failure stops it without a message; what it
// could not read stays empty rather than showing the company loaded before.
void Form12::Command1_Click() {
    profile = {};
    specialFields = {};
    try {
        const std::int32_t code = toWhole(Text1.text());
        settleRecords(code, recomputeSchedulesBeforePrint);
        profile = readProfileForPrint(code);
        specialFields = readSpecialFieldsForPrint(code);
    } catch (const Error &) {
    }
}

void Form12::Command24_Click() {
    for (int i = 1; i <= 14; ++i)
        printCounter(i)->setText(QString());
}

void Form12::Command42_Click() {
    for (int i = 1; i <= 7; ++i)
        selectionToggle(i)->setCaption(QString());
    press(Command24);
}

void Form12::Command17_Click() { showMenu(); }

// The close box ends the whole program; any other unload only unloads the window.
void Form12::Form_QueryUnload(bool &cancel, int unloadMode) {
    (void)cancel;
    if (unloadMode == 0) {
        beep();
        endProgram();
    }
}

Form12 &form12() { return loadedForm<Form12>(); }

} // namespace hz
