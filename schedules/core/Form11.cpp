#include "schedules/core/Form11.h"

#include "app/Form1.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/capital.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {
// The caption of the window is "資本積立金"; its compute reports under the name of its first row.
const QString kComputeTitle = QStringLiteral("資本準備金");
} // namespace

Form11::Form11() : Form(QStringLiteral("Form11"), QStringLiteral("資本積立金")) {
    Command1.onClick([this] { Command1_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command10.onClick([this] { Command10_Click(); });
}

TextBox &Form11::cellBox(int r, int c) {
    TextBox *boxes[4][4] = {{&Text2, &Text3, &Text4, &Text5},
                            {&Text9, &Text10, &Text11, &Text12},
                            {&Text15, &Text16, &Text17, &Text18},
                            {&Text21, &Text22, &Text23, &Text24}};
    return *boxes[r - 1][c - 1];
}

void Form11::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);
    // The company code: magenta and only a sliver wide in the top-left corner, as nobody types into it.
    auto *code = Text1.create(w);
    code->setFixedWidth(8);
    Text1.setBackColor(vbColor(palette::magenta));
    top->addWidget(code);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    constexpr int firstAmountColumn = 2;
    auto *between = Label2.create(w, QStringLiteral("当期中の増減"));
    between->setAlignment(Qt::AlignCenter);
    grid->addWidget(between, 0, firstAmountColumn + 1, 1, 2);
    auto *area = Label1.create(w, QStringLiteral("区　分"));
    area->setAlignment(Qt::AlignCenter);
    grid->addWidget(area, 1, 0, 1, 2);
    grid->addWidget(Command3.create(w, QStringLiteral("期首現在①")), 1, firstAmountColumn);
    grid->addWidget(Command4.create(w, QStringLiteral("減②")), 1, firstAmountColumn + 1);
    grid->addWidget(Command5.create(w, QStringLiteral("増③")), 1, firstAmountColumn + 2);
    grid->addWidget(Command9.create(w, QStringLiteral("差引翌期首⑤")), 1, firstAmountColumn + 3);

    auto grey = [&](TextBox &box, const QString &text) {
        auto *e = box.create(w, text);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        box.setBackColor(vbColor(palette::lightGrey));
        return e;
    };
    TextBox *numbers[] = {&Text86, &Text87, &Text88, &Text89};
    const QString lineNumbers[] = {QStringLiteral("32"), QStringLiteral("33"), QStringLiteral("34"),
                                   QStringLiteral("35")};
    for (int r = 1; r <= 4; ++r) {
        const int row = r + 1;
        auto *number = grey(*numbers[r - 1], lineNumbers[r - 1]);
        number->setFixedWidth(34);
        number->setAlignment(Qt::AlignCenter);
        grid->addWidget(number, row, 0);
        QWidget *name = nullptr;
        if (r == 1)
            name = Command2.create(w, QStringLiteral("資本準備金"));
        else if (r == 4)
            name = grey(Text20, QStringLiteral("差引合計額"));
        else
            name = (r == 2 ? Text8 : Text14).create(w, QString());
        name->setFixedWidth(150);
        grid->addWidget(name, row, 1);
        for (int c = 1; c <= 4; ++c) {
            auto *e = cellBox(r, c).create(w, QString());
            e->setMinimumWidth(112);
            cellBox(r, c).setRightAligned();
            // The balance column and the totals row are worked out by the compute.
            if (c == 4 || r == 4)
                cellBox(r, c).setBackColor(vbColor(palette::lightGrey));
            grid->addWidget(e, row, firstAmountColumn + c - 1);
        }
    }
    top->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command10.create(w, QStringLiteral("menu")));
    buttons->addWidget(Command7.create(w, QStringLiteral("DATA")));
    buttons->addWidget(Command1.create(w, QStringLiteral("計算実行")));
    top->addLayout(buttons);
}

void Form11::showCells() {
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c)
            cellBox(r, c).setText(fmtAmount(cells[capitalCell(r, c) - 1]));
}

// DATA: loads the company's record, then always runs the compute, which saves it again.
void Form11::Command7_Click() {
    try {
        companyCode = toWhole(Text1.text());
        Schedule5_1CapitalRecord rec;
        if (hold.load(schedule5_1CapitalPath(companyCode), kComputeTitle,
                      [&] { rec = readSchedule5_1Capital(companyCode); }) == RecordRead::read) {
            cells = rec.cells;
            rowNames = rec.rowNames;
            Text8.setText(rowNames[0]);
            Text14.setText(rowNames[1]);
            showCells();
        } else {
            // No record for this company, or one that cannot be read: the compute below must not save the
            // figures of the company shown before under this code.
            cells = {};
            rowNames = {};
            Text8.setText(QString());
            Text14.setText(QString());
            for (int r = 1; r <= 4; ++r)
                for (int c = 1; c <= 4; ++c)
                    cellBox(r, c).setText(QString());
        }
    } catch (const Error &) {
        // A code that is not a number: the compute reports it.
    }
    press(Command1);
}

// 計算実行: the totals row and the balances, then the record.
void Form11::Command1_Click() {
    try {
        companyCode = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kComputeTitle);
        return;
    }
    if (!hold.maySave(kComputeTitle, schedule5_1CapitalPath(companyCode)))
        return;
    CapitalInput in;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            in.cells[capitalCell(r, c) - 1] = readBoxOrZero(cellBox(r, c).text());
    cells = in.cells;
    rowNames = {Text8.text(), Text14.text()};

    try {
        cells = computeCapital(in).cells;
        writeSchedule5_1Capital(companyCode, Schedule5_1CapitalRecord{cells, rowNames});
        hold.written(schedule5_1CapitalPath(companyCode));
    } catch (const Error &e) {
        actionErrorBox(e, kComputeTitle);
        return;
    }
    Text8.setText(rowNames[0]);
    Text14.setText(rowNames[1]);
    showCells();
}

// 資本準備金: empties the two names and every amount; the record stays until the next compute.
void Form11::Command2_Click() {
    Text8.setText(QString());
    Text14.setText(QString());
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c)
            cellBox(r, c).setText(QString());
}

void Form11::Command10_Click() { showMenu(); }

Form11 &form11() { return loadedForm<Form11>(); }

} // namespace hz
