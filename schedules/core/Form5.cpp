#include "schedules/core/Form5.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form8.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <utility>

namespace hz {
namespace {

const QString actionTitle = QStringLiteral("別表四");

// Schedule 7's income before the loss deduction (line 35 総額) and the company code, so the Schedule 6/7/15 window
// works on this window's company. A window that holds another company first loads this one's records, or its next
// compute would save the other company's figures under this code.
void pushIntoSchedule7Window(std::int32_t incomeBeforeLoss, std::int32_t code) {
    Form8 &f = form8();
    const bool another = holdsAnotherCompany(f.Text1, code);
    f.Text1.setText(plain(code));
    if (another)
        for (Button *b : {&f.Command9, &f.Command10, &f.Command11})
            press(*b);
    f.Text96.setText(fmtAmount(incomeBeforeLoss));
}

} // namespace

Form5::Form5() : Form(QStringLiteral("Form5"), QStringLiteral(" 別表四")) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command8.onClick([this] { Command8_Click(); });
    Command10.onClick([this] { Command10_Click(); });
}

Form5 &form5() { return loadedForm<Form5>(); }

// Every amount box of the grid with the cell it shows.
std::vector<std::pair<int, TextBox *>> Form5::gridBoxes() {
    return {{1, &Text5},    {2, &Text4},   {3, &Text3},   {4, &Text10},  {5, &Text9},   {6, &Text15},  {7, &Text14},
            {8, &Text20},   {9, &Text19},  {10, &Text25}, {11, &Text24}, {12, &Text30}, {14, &Text28}, {15, &Text35},
            {16, &Text33},  {17, &Text40}, {18, &Text39}, {19, &Text38}, {20, &Text45}, {21, &Text44}, {22, &Text43},
            {23, &Text50},  {24, &Text49}, {25, &Text48}, {26, &Text55}, {27, &Text54}, {28, &Text60}, {30, &Text58},
            {31, &Text65},  {32, &Text64}, {33, &Text63}, {45, &Text94}, {46, &Text93}, {47, &Text92}, {34, &Text70},
            {35, &Text69},  {36, &Text68}, {50, &Text34}, {37, &Text75}, {38, &Text74}, {39, &Text73}, {51, &Text59},
            {40, &Text84},  {41, &Text78}, {42, &Text89}, {43, &Text88}, {44, &Text87}, {55, &Text29}, {48, &Text110},
            {49, &Text112}, {52, &Text18}, {53, &Text13}, {54, &Text8},  {56, &Text53}};
}

std::array<TextBox *, 4> Form5::nameBoxes() { return {&Text41, &Text46, &Text66, &Text95}; }

std::array<std::pair<int, TextBox *>, 4> Form5::reconciliationBoxes() {
    return {{{58, &Text81}, {59, &Text82}, {60, &Text83}, {61, &Text96}}};
}

void Form5::emptyAmountBoxes() {
    for (auto [cell, box] : gridBoxes())
        box->setText(QString());
    Text79.setText(QString());
}

void Form5::Command1_Click() { Text5.setText(QString()); }

// An empty 留保 of line 1 is read as the whole profit retained.
void Form5::Command2_Click() { Text4.setText(QString()); }

// 計 算 実 行
void Form5::Command4_Click() {
    try {
        const std::int32_t code = toWhole(Text100.text());
        companyCode = code;
        if (!hold.maySave(actionTitle, schedule4Path(code)))
            return;
        for (Label *l : {&Label5, &Label6, &Label7, &Label8})
            l->setCaption(QString());

        Schedule4Input in;
        in.cells = incomeCells; // 58-62 travel with the record as they stand
        IncomeCells &c = in.cells;
        c[57] = readBoxOrZero(Text79.text());
        c[1] = readBoxOrZero(Text5.text());
        try {
            c[2] = toWhole(Text4.text());
        } catch (const Error &) {
            c[2] = c[1];
        }
        const std::pair<int, TextBox *> inputs[] = {
            {4, &Text10},  {6, &Text15},  {8, &Text20},  {10, &Text25}, {12, &Text30}, {15, &Text35}, {17, &Text40},
            {18, &Text39}, {19, &Text38}, {20, &Text45}, {21, &Text44}, {22, &Text43}, {26, &Text55}, {28, &Text60},
            {31, &Text65}, {32, &Text64}, {33, &Text63}, {45, &Text94}, {46, &Text93}, {47, &Text92}, {40, &Text84}};
        for (auto [cell, box] : inputs)
            c[cell] = readBoxOrZero(box->text());

        const Schedule4Result r = computeSchedule4(in);
        incomeCells = r.cells;
        Label *flags[] = {&Label5, &Label6, &Label7, &Label8};
        for (int i = 0; i < 4; ++i)
            if (r.unbalanced[i])
                flags[i]->setCaption(QStringLiteral("再計算"));
        const auto names = nameBoxes();
        for (int i = 0; i < 4; ++i)
            incomeRowNames[i] = names[i]->text();

        for (auto [cell, box] : gridBoxes())
            box->setText(fmtAmount(incomeCells[cell]));
        // The income is the figure the return rests on: it shows "0" rather than an empty box.
        if (incomeCells[52] == 0)
            Text18.setText(QStringLiteral("0"));
        beep();

        pushIntoSchedule7Window(incomeCells[42], companyCode);
        writeSchedule4(companyCode, Schedule4Record{incomeCells, incomeRowNames});
        hold.written(schedule4Path(companyCode));

        // Schedule 1 takes them only while it holds this company: one typed into the menu and not opened keeps
        // its own.
        Form3 &f3 = form3();
        if (!holdsAnotherCompany(f3.Text100, companyCode)) {
            f3.Text3.setText(fmtAmount(incomeCells[52]));  // 所得金額
            f3.Text5.setText(fmtAmount(incomeCells[40]));  // 控除税額
            f3.Text12.setText(fmtAmount(incomeCells[52])); // 事業税 総額
            f3.Text26.setText(fmtAmount(incomeCells[8]));  // 控除利子割
            f3.Text21.setText(fmtAmount(incomeCells[48])); // 欠損金の当期控除額
        }
        Command8.setCaption(QStringLiteral("別四と別五の関係"));
    } catch (const Error &e) {
        actionErrorBox(e, actionTitle);
    }
}

// クリア: the amounts only; names, the 別表五（一） totals, the code and the working cells stay.
void Form5::Command6_Click() { emptyAmountBoxes(); }

// DATA
void Form5::Command7_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    companyCode = code;
    emptyAmountBoxes();
    Schedule4Record rec;
    if (hold.load(schedule4Path(code), actionTitle, [&] { rec = readSchedule4(code); }) != RecordRead::read) {
        // Nothing of the company shown before may stay, or the next compute would save it under this code.
        incomeCells.fill(0);
        incomeRowNames.fill(QString());
        for (auto [cell, box] : reconciliationBoxes())
            box->setText(QString());
        for (TextBox *box : nameBoxes())
            box->setText(QString());
        return;
    }
    incomeCells = rec.cells;
    incomeRowNames = rec.names;
    for (auto [cell, box] : gridBoxes())
        box->setText(fmtAmount(incomeCells[cell]));
    Text79.setText(fmtAmount(incomeCells[57]));
    for (auto [cell, box] : reconciliationBoxes())
        box->setText(fmtAmount(incomeCells[cell]));
    const auto names = nameBoxes();
    for (int i = 0; i < 4; ++i)
        names[i]->setText(incomeRowNames[i]);
}

// 別四と別五の関係: compares line 35 留保 as the last compute left it with the 別表五（一） totals.
void Form5::Command8_Click() {
    std::int32_t difference = 0;
    try {
        for (auto [cell, box] : reconciliationBoxes())
            incomeCells[cell] = readBoxOrZero(box->text());
        difference = reconciliationDifference({.openingTotal = incomeCells[58],
                                               .unpaidDisposal = incomeCells[59],
                                               .closingTotal = incomeCells[60],
                                               .unpaidIncrease = incomeCells[61],
                                               .retainedIncome = incomeCells[43]});
    } catch (const Error &) {
        return;
    }
    if (difference != 0)
        incomeCells[62] = difference;
    const QString verdict = reconciliationVerdict(difference);
    Command8.setCaption(verdict);
    form6().Command8.setCaption(verdict);
}

void Form5::Command10_Click() { showMenu(); }

void Form5::setupUi(QWidget *w) {
    auto *outer = new QHBoxLayout(w);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    outer->addLayout(grid);
    auto colour = [](Control &c, unsigned bgr) { c.setBackColor(vbColor(bgr)); };

    // One line of the form: line number, caption, and the boxes of 総額, 留保, 社外流出 and ※ (none where the
    // line has no such cell). Colour 0 is the window's own: the boxes only the user fills.
    struct Amount {
        TextBox *box = nullptr;
        unsigned bgr = 0;
    };
    struct Line {
        TextBox *number;
        const char *no;
        TextBox *caption;
        const char *text;
        unsigned bgr;
        Amount cells[4];
        Label *flag = nullptr;
    };
    const unsigned G = palette::lightGrey, S = palette::silver;
    const Line form[] = {
        {&Text2, "1", &Text6, "当期利益", S, {{&Text5}, {&Text4}, {&Text3, G}, {}}},
        {&Text7, "2", &Text11, "損金計上法人税", G, {{&Text10, G}, {&Text9, G}, {}, {}}},
        {&Text12, "3", &Text16, "損金計上住民税", G, {{&Text15, G}, {&Text14, G}, {}, {}}},
        {&Text17, "4", &Text21, "損金計上利子割", G, {{&Text20, G}, {&Text19, G}, {}, {}}},
        {&Text22, "5", &Text26, "損金計上納税充当金", G, {{&Text25, G}, {&Text24, G}, {}, {}}},
        {&Text27, "6", &Text31, "損金計上附帯税", G, {{&Text30}, {}, {&Text28, G}, {}}},
        {&Text32, "8", &Text36, "交際費等の不算入額", G, {{&Text35, G}, {}, {&Text33, G}, {}}},
        {&Text37, "9", &Text41, "　", G, {{&Text40}, {&Text39}, {&Text38}, {}}, &Label5},
        {&Text42, "10", &Text46, "　", G, {{&Text45}, {&Text44}, {&Text43}, {}}, &Label6},
        {&Text47, "11", &Text51, "小計", S, {{&Text50, S}, {&Text49, S}, {&Text48, S}, {}}},
        {&Text52, "13", &Text56, "支出事業税等", G, {{&Text55}, {&Text54, G}, {}, {}}},
        {&Text106, "16", &Text61, "所得税等の繰戻", G, {{&Text60}, {}, {}, {&Text58, G}}},
        {&Text57, "17", &Text66, "　", G, {{&Text65}, {&Text64}, {&Text63}, {}}, &Label7},
        {&Text62, "18", &Text95, " ", G, {{&Text94}, {&Text93}, {&Text92}, {}}, &Label8},
        {&Text67, "21", &Text71, "小計", S, {{&Text70, S}, {&Text69, S}, {&Text68, S}, {&Text34, S}}},
        {&Text72, "22", &Text76, "仮計", S, {{&Text75, S}, {&Text74, S}, {&Text73, S}, {&Text59, S}}},
        {&Text86, "26", &Text85, "控除所得税額", G, {{&Text84, G}, {}, {&Text78, G}, {}}},
        {&Text77, "35", &Text90, "合計・総計・差引計", S, {{&Text89, S}, {&Text88, S}, {&Text87, S}, {&Text29, S}}},
        {&Text91, "36", &Text109, "欠損気金の繰戻", G, {{&Text110, G}, {}, {}, {&Text112, G}}},
        {&Text1, "38", &Text23, "所得金額", S, {{&Text18, S}, {&Text13, S}, {&Text8, S}, {&Text53, S}}},
    };

    auto fixedBox = [&](TextBox &box, const QString &text, unsigned bgr, int row, int col) {
        QLineEdit *e = box.create(w, text);
        e->setFocusPolicy(Qt::NoFocus);
        colour(box, bgr);
        grid->addWidget(e, row, col);
        return e;
    };
    fixedBox(Text99, QString(), G, 0, 0)->setFixedWidth(34);
    fixedBox(Text80, QStringLiteral("区　　分"), G, 0, 1)->setAlignment(Qt::AlignCenter);
    grid->addWidget(Command1.create(w, QStringLiteral("総   額")), 0, 2);
    grid->addWidget(Command2.create(w, QStringLiteral("留   保")), 0, 3);
    grid->addWidget(Command3.create(w, QStringLiteral("社外流出")), 0, 4);

    int row = 1;
    for (const Line &l : form) {
        const QString no = QString::fromLatin1(l.no);
        // The ※ column is headed just above the first line that uses it, and again above the totals.
        if (no == u"16" || no == u"35")
            grid->addWidget(Command5[no == u"16" ? 0 : 1].create(w, QStringLiteral("社外流出※")), row++, 5);
        QLineEdit *n = fixedBox(*l.number, no, l.bgr, row, 0);
        n->setFixedWidth(34);
        n->setAlignment(Qt::AlignCenter);
        QLineEdit *cap = l.caption->create(w, QString::fromUtf8(l.text));
        cap->setMinimumWidth(170);
        colour(*l.caption, l.bgr);
        grid->addWidget(cap, row, 1);
        for (int col = 0; col < 4; ++col) {
            const Amount &a = l.cells[col];
            if (!a.box)
                continue;
            QLineEdit *e = a.box->create(w);
            e->setMinimumWidth(110);
            a.box->setRightAligned();
            if (a.bgr)
                colour(*a.box, a.bgr);
            grid->addWidget(e, row, 2 + col);
        }
        // The free lines have no ※ cell; their "再計算" stands there, right beside the line.
        if (l.flag)
            grid->addWidget(l.flag->create(w, QStringLiteral(" ")), row, 5);
        // Lines 16 and 36 carry their amount over to the ※ column.
        if (no == u"16" || no == u"36") {
            Label *arrows[] = {no == u"16" ? &Label1 : &Label3, no == u"16" ? &Label2 : &Label4};
            grid->addWidget(arrows[0]->create(w, QStringLiteral("→")), row, 3, Qt::AlignCenter);
            grid->addWidget(arrows[1]->create(w, QStringLiteral("→")), row, 4, Qt::AlignCenter);
        }
        ++row;
    }
    grid->setRowStretch(row, 1);

    // Right: the code and the loss available side by side, the 別表五（一） totals under them, then the buttons.
    auto *side = new QVBoxLayout;
    outer->addLayout(side);
    auto *codes = new QHBoxLayout;
    side->addLayout(codes);
    auto transfer = [&](TextBox &box, unsigned bgr, QBoxLayout *into, int width) {
        QLineEdit *e = box.create(w);
        e->setFixedWidth(width);
        box.setRightAligned();
        colour(box, bgr);
        into->addWidget(e);
    };
    transfer(Text100, palette::yellow, codes, 56);
    transfer(Text79, palette::magenta, codes, 110);
    for (TextBox *box : {&Text81, &Text82, &Text83, &Text96})
        transfer(*box, palette::magenta, side, 172);
    side->addSpacing(16);
    const std::pair<Button *, const char *> buttons[] = {{&Command10, "menu"},
                                                         {&Command6, "クリア"},
                                                         {&Command7, "DATA"},
                                                         {&Command8, "別四と別五の関係"},
                                                         {&Command4, "計 算 実 行"}};
    for (auto [b, caption] : buttons) {
        QPushButton *p = b->create(w, QString::fromUtf8(caption));
        p->setMinimumHeight(34);
        side->addWidget(p);
    }
    side->addStretch(1);
}

} // namespace hz
