#include "schedules/core/Form20.h"

#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form3.h"
#include "schedules/core/interim.h"
#include "schedules/more/schedule1_interim_records.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {

const QString kTitle = QStringLiteral("中間申告");

} // namespace

Form20::Form20() : Form(QStringLiteral("Form20"), QStringLiteral("中間申告額の入力")) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    // ReturnNext gets a copy of the key, so it never changes the key the control is given.
    for (TextBox *box : amountBoxes()) {
        box->onKeyPress([this](int &keyAscii) {
            int key = keyAscii;
            ReturnNext(key);
        });
    }
    Command1.onKeyPress([this](int &keyAscii) {
        int key = keyAscii;
        ReturnNext(key);
    });
}

std::array<TextBox *, 6> Form20::amountBoxes() { return {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6}; }

void Form20::setupUi(QWidget *window) {
    auto *top = new QVBoxLayout(window);
    QLabel *note =
        Label1.create(window, QStringLiteral("この入力欄では、実際に支払った中間申告の税額を入力してください。"));
    note->setMinimumWidth(note->sizeHint().width());
    top->addWidget(note);

    auto *rows = new QGridLayout;
    const std::array<std::pair<TextBox *, QString>, 6> captions{{
        {&Text9, QStringLiteral("法人税")},
        {&Text10, QStringLiteral("法人県民税")},
        {&Text11, QStringLiteral("法人県民税・均等割")},
        {&Text14, QStringLiteral("事業税")},
        {&Text12, QStringLiteral("法人市民税")},
        {&Text13, QStringLiteral("法人市民税・均等割")},
    }};
    const auto boxes = amountBoxes();
    for (int i = 0; i < 6; ++i) {
        TextBox &caption = *captions[i].first;
        QLineEdit *c = caption.create(window, captions[i].second);
        caption.setReadOnly(true);
        caption.setBackColor(vbColor(palette::lightGrey));
        c->setFocusPolicy(Qt::NoFocus);
        c->setMinimumWidth(c->fontMetrics().horizontalAdvance(captions[i].second) + 16);
        rows->addWidget(c, i, 0);
        QLineEdit *amount = boxes[i]->create(window);
        boxes[i]->setRightAligned();
        amount->setMinimumWidth(140);
        rows->addWidget(amount, i, 1);
    }
    rows->setColumnStretch(1, 1);
    top->addLayout(rows);

    // The company code and two spare boxes that no action uses.
    Text15.create(window)->hide();
    Text15.setBackColor(vbColor(palette::yellow));
    Text100.create(window)->hide();
    Text100.setBackColor(vbColor(palette::magenta));
    Text101.create(window)->hide();
    Text101.setBackColor(vbColor(palette::magenta));

    auto *presets = new QHBoxLayout;
    presets->addWidget(Command5.create(window, QStringLiteral("均等割７万円")));
    presets->addWidget(Command6.create(window, QStringLiteral("均等割１８万円")));
    presets->addStretch(1);
    top->addLayout(presets);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1.create(window, QStringLiteral("計算実行")));
    buttons->addWidget(Command2.create(window, QStringLiteral("DATA")));
    buttons->addWidget(Command3.create(window, QStringLiteral("クリア")));
    buttons->addWidget(Command4.create(window, QStringLiteral("この画面の消去")));
    top->addLayout(buttons);

    // Enter walks Text1 to Text6 and on to the compute button.
    QWidget *previous = boxes[0]->widget();
    for (QWidget *next : {boxes[1]->widget(), boxes[2]->widget(), boxes[3]->widget(), boxes[4]->widget(),
                          boxes[5]->widget(), Command1.widget(), Command2.widget(), Command3.widget(),
                          Command4.widget(), Command5.widget(), Command6.widget()}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

// The code is usually still empty at the first load; the data action then just clears the boxes.
void Form20::Form_Load() { press(Command2); }

// 計算実行: pushes the six amounts into Schedule 1, saves them and shows them grouped.
void Form20::Command1_Click() {
    companyCode = toWhole(Text15.text()); // no code: nothing is pushed or saved
    if (!hold.maySave(kTitle, interimAmountPath(companyCode)))
        return;
    const auto boxes = amountBoxes();
    for (int i = 0; i < 6; ++i)
        amounts[i] = readBoxOrZero(boxes[i]->text());
    try {
        writeInterimAmounts(companyCode, InterimAmountRecord{amounts});
        hold.written(interimAmountPath(companyCode));
    } catch (const Error &e) {
        // The boxes keep the text as typed.
        actionErrorBox(e, kTitle);
        return;
    }
    showAmounts();
    // Schedule 1 shows what the saved records now give: these amounts, unless a 中間 row pays the figure.
    form3().followInterimFigures(companyCode, kTitle);
}

void Form20::followSavedAmounts(std::int32_t code) {
    if (!holdsCompany(Text15, code))
        return;
    InterimAmountRecord rec;
    if (readRecordOrSay(interimAmountPath(code), kTitle, [&] { rec = readInterimAmounts(code); }) != RecordRead::read)
        return;
    const auto boxes = amountBoxes();
    for (int i = 0; i < 6; ++i) {
        if (boxes[i]->holdsUserText())
            continue;
        amounts[i] = rec.amounts[i];
        boxes[i]->setText(fmtAmount(std::int64_t(amounts[i])));
    }
}

// DATA: a company without a readable record shows empty boxes, so that the next compute cannot save another
// company's amounts under this code.
void Form20::Command2_Click() {
    amounts.fill(0);
    for (TextBox *box : amountBoxes())
        box->setText(QString());
    try {
        companyCode = toWhole(Text15.text());
    } catch (const Error &) {
        return;
    }
    InterimAmountRecord rec;
    switch (hold.load(interimAmountPath(companyCode), kTitle, [&] { rec = readInterimAmounts(companyCode); })) {
    case RecordRead::read:
        break;
    case RecordRead::missing: {
        // A company saved before this record kept every entry: what it entered stands in Schedule 1's record.
        const Schedule1InterimInput in = readSchedule1InterimInput(companyCode, kTitle);
        if (!in.entered)
            return;
        rec = *in.entered;
        break;
    }
    case RecordRead::unreadable:
        return;
    }
    amounts = rec.amounts;
    showAmounts();
}

void Form20::showAmounts() {
    const auto boxes = amountBoxes();
    for (int i = 0; i < 6; ++i)
        boxes[i]->setText(fmtAmount(std::int64_t(amounts[i])));
}

void Form20::Command3_Click() {
    for (TextBox *box : amountBoxes())
        box->setText(QString());
}

void Form20::Command4_Click() { hide(); }

// The presets give the two per-capita amounts as the user's own, as typed.
void Form20::Command5_Click() {
    Text3.giveText(QStringLiteral("10000"));
    Text6.giveText(QStringLiteral("25000"));
}

void Form20::Command6_Click() {
    Text3.giveText(QStringLiteral("25000"));
    Text6.giveText(QStringLiteral("65000"));
}

void Form20::ReturnNext(int &keyAscii) {
    if (keyAscii == 13)
        sendTab();
}

Form20 &form20() { return loadedForm<Form20>(); }

} // namespace hz
