#include "schedules/core/Form18.h"

#include "app/Form1.h"
#include "common/read_or_say.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "platform/services.h"
#include "schedules/core/tax_rates.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>
#include <cfloat>
#include <cmath>

namespace hz {

namespace {

const QString kRatesTitle = QStringLiteral("税率設定");

const QColor headlineColor = vbColor(0x00C0C0FF); // light red
const QColor panelTitleColor = vbColor(palette::lightYellow);
const QColor captionColor = vbColor(palette::lightGrey);

// Items 7 and 9 are yen per year; the others are percentages.
bool isLevy(int item) { return item == 6 || item == 8; }

QString showItem(int item, float v) {
    return isLevy(item) ? fmtAmount(static_cast<double>(v)) : fmtPattern(static_cast<double>(v), "##.#0");
}

// A box that holds no number, or one too large for a single, counts as 0: the second headline tells the user so.
float boxSingle(const QString &text) {
    try {
        const double v = toDouble(text);
        return std::fabs(v) > FLT_MAX ? 0.0f : static_cast<float>(v);
    } catch (const Error &) {
        return 0.0f;
    }
}

// A fixed text shown in a coloured box.
QLabel *textBox(QWidget *parent, const QString &text, const QColor &ground) {
    auto *l = new QLabel(text, parent);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, ground);
    l->setPalette(p);
    l->setMargin(3);
    return l;
}

const TaxRateTable preset70k{{22, 30, 5, 7.3f, 9.6f, 5, 20000, 12.3f, 50000}};
const TaxRateTable preset180k{{22, 30, 5, 7.3f, 9.6f, 5, 50000, 12.3f, 130000}};

} // namespace

Form18::Form18() : Form(QStringLiteral("Form18"), QStringLiteral("税率の設定")) {
    Command8.onClick([this] { Command8_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command5.onClick([this] { Command5_Click(); });
}

std::array<TextBox *, 9> Form18::itemBoxes() {
    return {&Text10, &Text16, &Text30, &Text36, &Text42, &Text28, &Text34, &Text12, &Text18};
}

void Form18::setupUi(QWidget *window) {
    auto *top = new QVBoxLayout(window);
    for (const QString &headline :
         {QStringLiteral("法人税等の税率を設定します。"), QStringLiteral("未設定の場合には ０ ％ となります。")}) {
        QLabel *l = textBox(window, headline, headlineColor);
        l->setAlignment(Qt::AlignCenter);
        top->addWidget(l);
    }

    struct Row {
        QString label;
        TextBox *box;
        QString unit;
    };
    auto panel = [window](const QString &title, std::initializer_list<Row> rows) {
        auto *frame = new QFrame(window);
        frame->setFrameShape(QFrame::StyledPanel);
        auto *grid = new QGridLayout(frame);
        QLabel *t = textBox(frame, title, panelTitleColor);
        t->setAlignment(Qt::AlignCenter);
        grid->addWidget(t, 0, 0, 1, 3);
        int r = 1;
        for (const Row &row : rows) {
            grid->addWidget(textBox(frame, row.label, captionColor), r, 0);
            QLineEdit *e = row.box->create(frame);
            row.box->setRightAligned();
            e->setMinimumWidth(110);
            grid->addWidget(e, r, 1);
            QLabel *u = textBox(frame, row.unit, captionColor);
            u->setAlignment(Qt::AlignCenter);
            grid->addWidget(u, r, 2);
            ++r;
        }
        grid->setRowStretch(r, 1);
        grid->setColumnStretch(1, 1);
        return frame;
    };
    const QString pct = QStringLiteral("％");
    const QString yen = QStringLiteral("円");
    auto *panels = new QGridLayout;
    panels->addWidget(panel(QStringLiteral("法人税の税率"), {{QStringLiteral("年８００万円以下"), &Text10, pct},
                                                             {QStringLiteral("年８００万円超"), &Text16, pct}}),
                      0, 0);
    panels->addWidget(panel(QStringLiteral("法人県民税の税率"),
                            {{QStringLiteral("税　　率"), &Text28, pct}, {QStringLiteral("均等割額"), &Text34, yen}}),
                      0, 1);
    panels->addWidget(panel(QStringLiteral("法人事業税の税率"), {{QStringLiteral("年４００万円以下"), &Text30, pct},
                                                                 {QStringLiteral("年８００万円以下"), &Text36, pct},
                                                                 {QStringLiteral("年８００万円超"), &Text42, pct}}),
                      1, 0);
    panels->addWidget(panel(QStringLiteral("法人市民税の税率"),
                            {{QStringLiteral("税　　率"), &Text12, pct}, {QStringLiteral("均等割額"), &Text18, yen}}),
                      1, 1);
    top->addLayout(panels);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command2.create(window, QStringLiteral("とりあえず７万円")));
    buttons->addWidget(Command3.create(window, QStringLiteral("とりあえず１８万円")));
    buttons->addStretch(1);
    buttons->addWidget(Command8.create(window, QStringLiteral("DATA")));
    buttons->addWidget(Command4.create(window, QStringLiteral("計算実行")));
    buttons->addWidget(Command1.create(window, QStringLiteral("クリア")));
    buttons->addWidget(Command5.create(window, QStringLiteral("画面の消去")));
    top->addLayout(buttons);
}

void Form18::Form_Load() { press(Command8); }

void Form18::showTable(const TaxRateTable &t, bool chosen) {
    const auto boxes = itemBoxes();
    for (int i = 0; i < 9; ++i) {
        const QString text = showItem(i, t.r[i]);
        if (chosen)
            boxes[i]->giveText(text);
        else
            boxes[i]->setText(text);
    }
}

// DATA: the boxes keep what they show when there is no rate file yet (the first use) or when it cannot be read,
// which is said.
void Form18::Command8_Click() {
    TaxRateTable t;
    if (hold.load(dataroot::taxRateFile, kRatesTitle, [&t] { t = readTaxRates(); }) != RecordRead::read)
        return;
    showTable(t);
}

// 計算実行: saves the nine boxes as the rate table. The boxes keep their text as typed. After a table that could
// not be read, nothing is saved over it from the boxes as that read left them (they would save as zeros, or as
// the table shown before), until DATA reads it, a preset fills them or all nine are typed again.
void Form18::Command4_Click() {
    if (!hold.maySave(kRatesTitle))
        return;
    try {
        ensureDataRoot();
    } catch (const Error &) {
        // A data root that cannot be made shows up below, when the file cannot be written.
    }
    beep();
    TaxRateTable t;
    const auto boxes = itemBoxes();
    for (int i = 0; i < 9; ++i)
        t.r[i] = boxSingle(boxes[i]->text());
    try {
        writeTaxRates(t);
        hold.release();
    } catch (const Error &e) {
        actionErrorBox(e, QStringLiteral("税率設定にエラーが出ました。登録不能です。"));
        beep();
    }
}

void Form18::Command1_Click() {
    for (TextBox *box : itemBoxes())
        box->setText(QString());
}

void Form18::Command2_Click() {
    showTable(preset70k, true);
    press(Command4);
}

void Form18::Command3_Click() {
    showTable(preset180k, true);
    press(Command4);
}

void Form18::Command5_Click() {
    hide();
    backToMenu();
}

Form18 &form18() { return loadedForm<Form18>(); }

} // namespace hz
