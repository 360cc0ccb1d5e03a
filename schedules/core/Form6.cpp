#include "schedules/core/Form6.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form5.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/schedule5_2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {
const QString kTitle = QStringLiteral("別表五（一）");
const QString kCodeTitle = QStringLiteral("法人コードの入力");
const QString kReconcileCaption = QStringLiteral("別四と別五の関係");

// Boxes that hold what the computation derives or what other schedules send; grey so the user sees them apart.
constexpr int kGreyAmounts[] = {52, 55, 58, 59, 61, 64, 65, 66, 67, 70, 71, 72, 73, 76, 77, 78, 79, 81, 82, 83, 84};

// Line numbers of rows 1-14 on the official form, and the fixed names of rows 9-14.
const char *const kLineNumbers[] = {"1", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"};
const char *const kFixedNames[] = {"繰越損益金", "納税充当金", "未納法人税", "未納県民税", "未納市民税", "差引合計額"};
} // namespace

Form6::Form6() : Form(QStringLiteral("Form6"), kTitle) {
    Command1.onClick([this] { Command1_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command11.onClick([this] { Command11_Click(); });
    Command8.onClick([this] { Command8_Click(); });
    Command10.onClick([this] { Command10_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command9.onClick([this] { Command9_Click(); });

    TextBox *all[] = {&Text1,  &Text2,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8,  &Text9,  &Text10, &Text11,
                      &Text12, &Text13, &Text14, &Text15, &Text16, &Text17, &Text18, &Text19, &Text20, &Text21,
                      &Text22, &Text23, &Text24, &Text25, &Text26, &Text27, &Text28, &Text29, &Text30, &Text31,
                      &Text32, &Text33, &Text34, &Text35, &Text36, &Text37, &Text38, &Text39, &Text40, &Text41,
                      &Text42, &Text43, &Text44, &Text45, &Text46, &Text47, &Text48, &Text49, &Text50, &Text51,
                      &Text52, &Text53, &Text54, &Text55, &Text56, &Text57, &Text58, &Text59, &Text60, &Text61,
                      &Text62, &Text63, &Text64, &Text65, &Text66, &Text67, &Text68, &Text69, &Text70, &Text71,
                      &Text72, &Text73, &Text74, &Text75, &Text76, &Text77, &Text78, &Text79, &Text80, &Text81,
                      &Text82, &Text83, &Text84, &Text85, &Text86, &Text87, &Text88, &Text89, &Text90, &Text91,
                      &Text92, &Text93, &Text94, &Text95, &Text96, &Text97, &Text98, &Text99, &Text100};
    for (TextBox *box : all)
        textBoxes_[box->name().mid(4).toInt()] = box;
}

TextBox &Form6::cellBox(int r, int c) {
    static constexpr int firstRow[] = {2, 4, 5, 6, 7};
    return *textBoxes_[r == 1 ? firstRow[c - 1] : 6 * r - 4 + c];
}

TextBox &Form6::nameBox(int r) { return *textBoxes_[6 * r - 4]; }

void Form6::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    // The company code (yellow) and the transfer box Schedule 5(2) fills (magenta), both small, at the top.
    auto *codes = new QHBoxLayout;
    auto *code = Text1.create(w);
    code->setFixedWidth(50);
    Text1.setBackColor(vbColor(palette::yellow));
    codes->addWidget(code);
    codes->addStretch(1);
    auto *transfer = Text100.create(w, QString());
    transfer->setFixedWidth(50);
    Text100.setBackColor(vbColor(palette::magenta));
    codes->addWidget(transfer);
    top->addLayout(codes);

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
    Button *heads[] = {&Command3, &Command4, &Command5, &Command6, &Command9};
    const QString headCaptions[] = {QStringLiteral("期首現在①"), QStringLiteral("減②"), QStringLiteral("増③"),
                                    QStringLiteral("利益処分④"), QStringLiteral("差引翌期首⑤")};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(heads[c]->create(w, headCaptions[c]), 1, firstAmountColumn + c);

    auto fixedBox = [&](TextBox &box, const QString &text) {
        auto *e = box.create(w, text);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        box.setBackColor(vbColor(palette::lightGrey));
        return e;
    };
    // Created row by row, left to right, which is also the order the Tab key follows. The window starts with
    // empty names and amounts.
    for (int r = 1; r <= 14; ++r) {
        const int row = r + 1;
        auto *number = fixedBox(*textBoxes_[85 + r], QString::fromUtf8(kLineNumbers[r - 1]));
        number->setFixedWidth(34);
        number->setAlignment(Qt::AlignCenter);
        grid->addWidget(number, row, 0);
        if (r == 1) {
            grid->addWidget(Command2.create(w, QStringLiteral("利益準備金")), row, 1);
        } else if (r <= 8) {
            auto *name = nameBox(r).create(w, QString());
            name->setFixedWidth(150);
            grid->addWidget(name, row, 1);
        } else {
            auto *name = fixedBox(nameBox(r), QString::fromUtf8(kFixedNames[r - 9]));
            name->setFixedWidth(150);
            grid->addWidget(name, row, 1);
        }
        for (int c = 1; c <= 5; ++c) {
            auto *e = cellBox(r, c).create(w, QString());
            e->setMinimumWidth(112);
            cellBox(r, c).setRightAligned();
            grid->addWidget(e, row, firstAmountColumn + c - 1);
        }
    }
    for (int n : kGreyAmounts)
        textBoxes_[n]->setBackColor(vbColor(palette::lightGrey));
    Text85.setBackColor(vbColor(palette::silver));
    top->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command11.create(w, QStringLiteral("別五（二）の呼出")));
    buttons->addWidget(Command8.create(w, kReconcileCaption));
    buttons->addStretch(1);
    buttons->addWidget(Command10.create(w, QStringLiteral("menu")));
    buttons->addWidget(Command7.create(w, QStringLiteral("DATA")));
    buttons->addWidget(Command1.create(w, QStringLiteral("計算実行")));
    top->addLayout(buttons);
}

// 計算実行: completes the grid, has Schedule 4 check itself against it, saves and reloads.
void Form6::Command1_Click() {
    try {
        companyCode = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    if (!hold.maySave(kTitle, schedule5_1Path(companyCode)))
        return;
    // The unpaid taxes and the tax provision come from the two Schedule 5(2) windows: while either could not read
    // this company's record, what stands in those boxes is not the company's, and nothing is saved.
    for (const auto &[code, held] :
         {std::pair{form7().companyCode, &form7().hold}, std::pair{form13().companyCode, &form13().hold}})
        if (code == companyCode && !held->maySave(kTitle))
            return;
    for (int r = 2; r <= 8; ++r)
        rowNames[r - 2] = nameBox(r).text();

    Schedule5_1Input in;
    auto read = [&](int r, int c) { in.cells[schedule5_1Cell(r, c) - 1] = readBoxOrZero(cellBox(r, c).text()); };
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 4; ++c)
            read(r, c);
    read(s51::retainedEarningsRow, 1);
    // 26 繰越損益金 ② is ① whatever was typed there.
    const std::int32_t retainedStart = in.cells[schedule5_1Cell(s51::retainedEarningsRow, 1) - 1];
    in.cells[schedule5_1Cell(s51::retainedEarningsRow, 2) - 1] = retainedStart;
    Text52.setText(fmtAmount(retainedStart));
    read(s51::retainedEarningsRow, 3);
    read(s51::retainedEarningsRow, 4);
    for (int r = 10; r <= 13; ++r)
        for (int c = 1; c <= 4; ++c)
            read(r, c);
    cells = in.cells;

    const bool fourHoldsAnother = holdsAnotherCompany(form5().Text100, companyCode);
    try {
        cells = computeSchedule5_1(in).cells;
        auto show = [&](int r, int c) { cellBox(r, c).setText(fmtAmount(cells[schedule5_1Cell(r, c) - 1])); };
        for (int r = s51::firstUnpaidTaxRow; r <= s51::totalRow; ++r)
            for (int c = 1; c <= 5; ++c)
                show(r, c);
        for (int r = 1; r < s51::totalRow; ++r)
            show(r, 5);

        // Schedule 4 checks itself against these totals only while it holds this company.
        if (!fourHoldsAnother) {
            const Schedule5_1Reconciliation recon = schedule5_1Reconciliation(cells);
            form5().Text81.setText(plain(recon.startTotal));
            form5().Text82.setText(plain(recon.unpaidDisposal));
            form5().Text83.setText(plain(recon.carriedTotal));
            form5().Text96.setText(plain(recon.unpaidIncrease));
        }
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }

    if (!fourHoldsAnother)
        press(form5().Command4);

    for (int r = 2; r <= 8; ++r)
        rowNames[r - 2] = nameBox(r).text();
    try {
        writeSchedule5_1(companyCode, Schedule5_1Record{cells, rowNames});
        hold.written(schedule5_1Path(companyCode));
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    Command8.setCaption(kReconcileCaption);
    press(Command7);
}

// DATA: reloads the grid and the names from the record of the code in Text1.
void Form6::Command7_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    companyCode = code;
    for (int r = 1; r <= 14; ++r)
        for (int c = 1; c <= 5; ++c)
            cellBox(r, c).setText(QString());

    Schedule5_1Record rec;
    if (hold.load(schedule5_1Path(code), kTitle, [&] { rec = readSchedule5_1(code); }) != RecordRead::read) {
        // No record for this company, or one that cannot be read: nothing of the company shown before may stay
        // for the next compute to save under this code.
        cells = {};
        rowNames = {};
        for (int r = 2; r <= 8; ++r)
            nameBox(r).setText(QString());
        return;
    }
    cells = rec.cells;
    rowNames = rec.rowNames;
    for (int r = 1; r <= 14; ++r)
        for (int c = 1; c <= 5; ++c)
            cellBox(r, c).setText(fmtAmount(cells[schedule5_1Cell(r, c) - 1]));
    for (int r = 2; r <= 8; ++r)
        nameBox(r).setText(rowNames[r - 2]);
}

// 別五（二）の呼出: the final unpaid prefectural and municipal taxes from the company's 別表五（二） record.
void Form6::Command11_Click() {
    try {
        companyCode = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    Text72.setText(QString());
    Text78.setText(QString());
    FinalUnpaidInhabitantTaxes t;
    if (readRecordOrSay(schedule5_2Path(companyCode), kTitle,
                        [&] { t = readFinalUnpaidInhabitantTaxes(companyCode); }) == RecordRead::read) {
        Text72.setText(unpaidTaxText(t.prefectural));
        Text78.setText(unpaidTaxText(t.municipal));
    }
}

void Form6::Command8_Click() { press(form5().Command8); }

void Form6::Command10_Click() { showMenu(); }

void Form6::Command2_Click() {
    for (int r = 2; r <= 8; ++r)
        nameBox(r).setText(QString());
}

void Form6::emptyColumn(int column) {
    for (int r = 1; r <= 14; ++r)
        cellBox(r, column).setText(QString());
}

void Form6::Command3_Click() { emptyColumn(1); }
void Form6::Command4_Click() { emptyColumn(2); }
void Form6::Command5_Click() { emptyColumn(3); }
void Form6::Command6_Click() { emptyColumn(4); }

void Form6::Command9_Click() {
    for (int c = 1; c <= 5; ++c)
        emptyColumn(c);
}

Form6 &form6() { return loadedForm<Form6>(); }

} // namespace hz
