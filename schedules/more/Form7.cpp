#include "schedules/more/Form7.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/core/tax_rates.h"
#include "schedules/more/Form13.h"
#include "schedules/more/schedule1_interim_records.h"
#include "schedules/more/schedule5_2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hz {

namespace {
const QString kTitle = QStringLiteral("別表五（二）");
const QString kCodeTitle = QStringLiteral("法人コードの入力");

struct RowText {
    const char *label;
    const char *line;
};
const RowText kRows[13] = {{"前　期", "2"},  {"中　間", "3"},  {"確　定", "4"},  {"計", "5"},  {"前　期", "7"},
                           {"利子割", "8"},  {"中　間", "9"},  {"確　定", "10"}, {"計", "11"}, {"前　期", "13"},
                           {"中　間", "14"}, {"確　定", "15"}, {"計", "16"}};

// The frames and their rows: 法人税 1-4, 法人県民税 5-9, 法人市民税 10-13.
struct FrameRows {
    int first;
    int last;
};
constexpr FrameRows kFrameRows[3] = {{1, 4}, {5, 9}, {10, 13}};
constexpr bool isTotalRow(int row) { return row == 4 || row == 9 || row == 13; }

// Captions of the six column buttons of each frame, as the form has them.
const char *const kColumnCaptions[3][6] = {
    {"期首未納額① ", "当期発生額②", "充当金崩し②", "仮払経理③", "損金経理④", "期末未納額⑤"},
    {"期首未納額①", "当期発生額②", "充当金崩し③", "仮払経理④", "損金経理⑤", "期末未納額⑥"},
    {"期首未納額①", "当期発生額②", "充当金崩し③", "仮払経理④", "損金経理⑤", "期末未納額⑥"}};

void emptyBoxes(std::initializer_list<TextBox *> boxes) {
    for (TextBox *b : boxes)
        b->setText(QString());
}

// A ⑤ button's copy: the amount the source shows (0 when it shows none), as plain digits.
void copyPlain(TextBox &from, TextBox &to) { to.setText(plain(readBoxOrZero(from.text()))); }
} // namespace

Form7::Form7() : Form(QStringLiteral("Form7"), kTitle) {
    const std::pair<int, TextBox *> boxes[] = {
        {1, &Text11},   {3, &Text13},   {4, &Text14},   {5, &Text15},   {6, &Text9},    {8, &Text18},  {9, &Text19},
        {10, &Text20},  {11, &Text21},  {12, &Text8},   {14, &Text24},  {18, &Text7},   {19, &Text29}, {20, &Text30},
        {21, &Text31},  {22, &Text32},  {23, &Text33},  {24, &Text2},   {25, &Text43},  {27, &Text45}, {28, &Text46},
        {29, &Text47},  {30, &Text41},  {32, &Text50},  {33, &Text51},  {34, &Text52},  {35, &Text53}, {36, &Text40},
        {38, &Text56},  {39, &Text57},  {40, &Text58},  {41, &Text59},  {42, &Text39},  {44, &Text86}, {48, &Text38},
        {49, &Text100}, {50, &Text101}, {51, &Text102}, {52, &Text103}, {53, &Text104}, {54, &Text94}, {55, &Text63},
        {57, &Text65},  {58, &Text66},  {59, &Text67},  {60, &Text3},   {62, &Text70},  {63, &Text71}, {64, &Text72},
        {65, &Text73},  {66, &Text4},   {68, &Text76},  {72, &Text5},   {73, &Text81},  {74, &Text82}, {75, &Text83},
        {76, &Text84},  {77, &Text85},  {78, &Text6}};
    for (const auto &[cell, box] : boxes)
        cellBoxes_[cell] = box;

    Button *buttons[] = {&Command1,  &Command2,  &Command3,  &Command4,  &Command5,  &Command6,  &Command7,  &Command8,
                         &Command9,  &Command10, &Command11, &Command12, &Command13, &Command14, &Command15, &Command16,
                         &Command17, &Command18, &Command19, &Command20, &Command21, &Command22, &Command23};
    void (Form7::*handlers[])() = {
        &Form7::Command1_Click,  &Form7::Command2_Click,  &Form7::Command3_Click,  &Form7::Command4_Click,
        &Form7::Command5_Click,  &Form7::Command6_Click,  &Form7::Command7_Click,  &Form7::Command8_Click,
        &Form7::Command9_Click,  &Form7::Command10_Click, &Form7::Command11_Click, &Form7::Command12_Click,
        &Form7::Command13_Click, &Form7::Command14_Click, &Form7::Command15_Click, &Form7::Command16_Click,
        &Form7::Command17_Click, &Form7::Command18_Click, &Form7::Command19_Click, &Form7::Command20_Click,
        &Form7::Command21_Click, &Form7::Command22_Click, &Form7::Command23_Click};
    for (std::size_t i = 0; i < std::size(buttons); ++i)
        buttons[i]->onClick([this, h = handlers[i]] { (this->*h)(); });
}

TextBox *Form7::cellBox(int cell) { return cellBoxes_[cell]; }

void Form7::setupUi(QWidget *w) {
    auto *top = new QHBoxLayout(w);
    auto *frames = new QVBoxLayout;
    top->addLayout(frames, 1);

    Frame *frameControls[] = {&Frame1, &Frame2, &Frame3};
    const QString frameCaptions[] = {QStringLiteral("法人税"), QStringLiteral("法人県民税"),
                                     QStringLiteral("法人市民税")};
    Button *columnButtons[3][6] = {{&Command1, &Command2, &Command3, &Command4, &Command5, &Command6},
                                   {&Command7, &Command8, &Command9, &Command10, &Command11, &Command12},
                                   {&Command13, &Command14, &Command15, &Command16, &Command17, &Command18}};

    auto greyText = [](QWidget *parent, const QString &text) {
        auto *l = new QLabel(text, parent);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::StyledPanel);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, vbColor(palette::lightGrey));
        l->setPalette(p);
        l->setAutoFillBackground(true);
        return l;
    };

    for (int f = 0; f < 3; ++f) {
        auto *box = frameControls[f]->create(w, frameCaptions[f]);
        auto *grid = new QGridLayout(box);
        grid->setHorizontalSpacing(3);
        grid->setVerticalSpacing(2);
        for (int c = 0; c < 6; ++c)
            grid->addWidget(columnButtons[f][c]->create(box, QString::fromUtf8(kColumnCaptions[f][c])), 0, 2 + c);
        // Created row by row, left to right: the order the Tab key follows.
        for (int r = kFrameRows[f].first; r <= kFrameRows[f].last; ++r) {
            const int gridRow = r - kFrameRows[f].first + 1;
            auto *label = greyText(box, QString::fromUtf8(kRows[r - 1].label));
            label->setMinimumWidth(64);
            grid->addWidget(label, gridRow, 0);
            auto *line = greyText(box, QString::fromUtf8(kRows[r - 1].line));
            line->setFixedWidth(30);
            grid->addWidget(line, gridRow, 1);
            for (int c = 1; c <= 6; ++c) {
                TextBox *cb = cellBox(taxGridCell(r, c));
                if (!cb)
                    continue;
                auto *e = cb->create(box);
                e->setMinimumWidth(96);
                cb->setRightAligned();
                if (isTotalRow(r) && c == 6)
                    cb->setBackColor(vbColor(palette::silver));
                else if (isTotalRow(r) || c == 6)
                    cb->setBackColor(vbColor(palette::lightGrey));
                grid->addWidget(e, gridRow, 1 + c);
            }
        }
        frames->addWidget(box);
    }

    auto *side = new QVBoxLayout;
    top->addLayout(side);
    auto *code = Text1.create(w);
    code->setFixedWidth(60);
    Text1.setBackColor(vbColor(palette::yellow));
    side->addWidget(code);
    auto *levy = Text12.create(w);
    levy->setFixedWidth(60);
    Text12.setBackColor(vbColor(palette::magenta));
    side->addWidget(levy);
    side->addSpacing(12);
    side->addWidget(Command22.create(w, QStringLiteral("７万円")));
    side->addWidget(Command23.create(w, QStringLiteral("１８万円")));
    side->addStretch(1);
    side->addWidget(Command21.create(w, QStringLiteral("menu")));
    side->addWidget(Command20.create(w, QStringLiteral("DATA")));
    side->addWidget(Command19.create(w, QStringLiteral("計算実行")));
}

// 計算実行: completes the grid, passes the taxes on to Schedules 4, 5(1) and 1 and the second window, saves and
// reloads.
void Form7::Command19_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    companyCode = code;
    if (!hold.maySave(kTitle, schedule5_2Path(code)))
        return;
    // The 31 input boxes, row by row; the cells without a box keep what was loaded.
    for (int r = 1; r <= 13; ++r) {
        if (isTotalRow(r))
            continue;
        for (int c = 1; c <= 5; ++c)
            if (TextBox *b = cellBox(taxGridCell(r, c)))
                cellAt(cells, taxGridCell(r, c)) = readBoxOrZero(b->text());
    }

    auto show = [&](std::initializer_list<int> shown) {
        for (int k : shown)
            cellBox(k)->setText(fmtAmount(cellAt(cells, k)));
    };
    // The other windows take this company's figures, and compute with them, only while they hold it.
    const bool fourSame = !holdsAnotherCompany(form5().Text100, code),
               fiveOneSame = !holdsAnotherCompany(form6().Text1, code),
               fiveTwoSame = !holdsAnotherCompany(form13().Text19, code);
    try {
        computeSchedule5_2Tax(cells, Schedule5_2Tax::corporate);
        show({6, 12, 18, 24, 19, 20, 21, 22, 23});
        computeSchedule5_2Tax(cells, Schedule5_2Tax::prefectural);
        show({30, 36, 42, 48, 54, 49, 50, 51, 52, 53});
        computeSchedule5_2Tax(cells, Schedule5_2Tax::municipal);
        show({60, 66, 72, 78, 73, 74, 75, 76, 77});

        const Schedule5_2ToSchedule4 s4 = schedule5_2ToSchedule4(cells);
        if (fourSame) {
            form5().Text10.setText(fmtAmount(s4.corporateTax));
            form5().Text15.setText(fmtAmount(s4.inhabitantTaxes));
            form5().Text20.setText(fmtAmount(s4.interestLevy));
            press(form5().Command4);
        }

        const Schedule5_2Unpaid u = schedule5_2Unpaid(cells);
        Form6 &s51 = form6();
        if (fiveOneSame) {
            const std::pair<TextBox *, std::int32_t> unpaid[] = {
                {&s51.Text63, u.corporate[0]},   {&s51.Text64, u.corporate[1]},   {&s51.Text69, u.prefectural[0]},
                {&s51.Text70, u.prefectural[1]}, {&s51.Text75, u.municipal[0]},   {&s51.Text76, u.municipal[1]},
                {&s51.Text66, u.corporate[3]},   {&s51.Text72, u.prefectural[3]}, {&s51.Text78, u.municipal[3]},
                {&s51.Text65, u.corporate[2]},   {&s51.Text71, u.prefectural[2]}, {&s51.Text77, u.municipal[2]}};
            for (const auto &[box, amount] : unpaid)
                box->setText(fmtAmount(amount));
        }

        // 別表一's interim figures follow the rows as saved; the user's entries are kept apart before a row's
        // payment can reach 別表一.
        adoptSchedule1Entries(code, kTitle);
        writeSchedule5_2File(code, cells);
        hold.written(schedule5_2Path(code));
        form3().followInterimFigures(code, kTitle);
        if (fiveOneSame)
            press(form6().Command1);

        reversalTotal = schedule5_2Reversal(cells);
        if (fiveTwoSame) {
            form13().Text14.setText(plain(cellAt(cells, 23)));
            form13().Text81.setText(plain(cellAt(cells, 53)));
            form13().Text82.setText(plain(cellAt(cells, 77)));
            form13().Text85.setText(fmtAmount(reversalTotal));
        }
        if (fiveOneSame) {
            form6().Text100.setText(plain(reversalTotal));
            // The final unpaid inhabitant taxes are liabilities in Schedule 5(1); a refund due is none.
            form6().Text72.setText(unpaidTaxText(cellAt(cells, 48)));
            form6().Text78.setText(unpaidTaxText(cellAt(cells, 72)));
        }
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    press(Command20);
}

// DATA: reloads the grid from the record of the code in Text1.
void Form7::Command20_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    // Whatever happens below, the window holds this company: the cells without a box must not carry the previous
    // company's figures into this one's sums.
    companyCode = code;
    for (TextBox *b : cellBoxes_)
        if (b)
            b->setText(QString());
    cells = {};
    // The rates are not used here; without them the record is not loaded all the same.
    TaxRateTable rates;
    if (readTaxRatesOrSay(rates, &hold) != RecordRead::read)
        return;
    Schedule5_2Cells saved{};
    if (hold.load(schedule5_2Path(code), kTitle, [&] { saved = readSchedule5_2File(code); }) != RecordRead::read)
        return;
    cells = saved;
    for (int k = 1; k <= 78; ++k)
        if (TextBox *b = cellBox(k))
            b->setText(fmtAmount(cellAt(cells, k)));
}

void Form7::Command21_Click() { showMenu(); }

void Form7::Command22_Click() {
    Text86.setText(fmtAmount(std::int32_t{20000}));
    Text76.setText(fmtAmount(std::int32_t{50000}));
}

void Form7::Command23_Click() {
    Text86.setText(fmtAmount(std::int32_t{50000}));
    Text76.setText(fmtAmount(std::int32_t{130000}));
}

// 法人税
void Form7::Command1_Click() { emptyBoxes({&Text11}); }
void Form7::Command2_Click() { emptyBoxes({&Text18, &Text24}); }
void Form7::Command3_Click() { emptyBoxes({&Text13, &Text19}); }
void Form7::Command4_Click() { emptyBoxes({&Text14, &Text20}); }
void Form7::Command5_Click() {
    copyPlain(Text11, Text15);
    copyPlain(Text18, Text21);
}
void Form7::Command6_Click() {
    emptyBoxes({&Text11, &Text18, &Text24, &Text13, &Text19, &Text14, &Text20, &Text15, &Text21});
}

// 法人県民税
void Form7::Command7_Click() { emptyBoxes({&Text43}); }
void Form7::Command8_Click() { emptyBoxes({&Text86, &Text50, &Text56}); }
void Form7::Command9_Click() { emptyBoxes({&Text45, &Text51, &Text57}); }
void Form7::Command10_Click() { emptyBoxes({&Text46, &Text52, &Text58}); }
void Form7::Command11_Click() {
    copyPlain(Text43, Text47);
    copyPlain(Text50, Text53);
    copyPlain(Text56, Text59);
}
void Form7::Command12_Click() {
    emptyBoxes({&Text43, &Text86, &Text50, &Text56, &Text45, &Text51, &Text57, &Text46, &Text52, &Text58, &Text47,
                &Text53, &Text59});
}

// 法人市民税
void Form7::Command13_Click() { emptyBoxes({&Text63}); }
void Form7::Command14_Click() { emptyBoxes({&Text76, &Text70}); }
void Form7::Command15_Click() { emptyBoxes({&Text65, &Text71}); }
void Form7::Command16_Click() { emptyBoxes({&Text66, &Text72}); }
void Form7::Command17_Click() {
    copyPlain(Text63, Text67);
    copyPlain(Text70, Text73);
}
void Form7::Command18_Click() {
    emptyBoxes({&Text63, &Text76, &Text70, &Text65, &Text71, &Text66, &Text72, &Text67, &Text73});
}

Form7 &form7() { return loadedForm<Form7>(); }

} // namespace hz
