#include "schedules/more/Form13.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form7.h"
#include "schedules/more/schedule1_interim_records.h"
#include "schedules/more/schedule5_2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace hz {

namespace {
const QString kTitle = QStringLiteral("別表五（二）の２");
const QString kCodeTitle = QStringLiteral("法人コードの入力");
const QString kTotalCaption = QStringLiteral("租税公課の合計額");

constexpr int kCaptionWidth = 84;
constexpr int kLineWidth = 30;
constexpr int kAmountWidth = 100;
constexpr int kSpacing = 3;

// Text<n> of cell k: rows 1-11 ① to ⑥, then the provision 67-70; 0 for cell 7, which has no box.
constexpr int kCellBox[71] = {0,  25, 24, 23, 22, 21, 27, // 1 事業税 前期
                              0,  18, 17, 16, 15, 28,     // 2 事業税 中間
                              13, 12, 11, 10, 9,  29,     // 3 事業税 計
                              63, 64, 65, 66, 67, 3,      // 4 利子税
                              69, 70, 71, 72, 73, 4,      // 5 延滞金
                              75, 76, 77, 78, 79, 5,      // 6 row name 1
                              35, 34, 33, 32, 31, 37,     // 7 row name 2
                              43, 42, 41, 40, 39, 45,     // 8 加算金等
                              51, 50, 49, 48, 47, 53,     // 9 延滞税
                              59, 58, 57, 56, 55, 61,     // 10 row name 3
                              91, 90, 89, 88, 87, 93,     // 11 row name 4
                              83, 84, 85, 6};

constexpr int kNameBoxes[4] = {46, 54, 60, 92};
const char *const kInitialNames[4] = {"印紙税外", "消費税", "源泉所得税", ""};

// Caption box (and line-number box, 0 for none) of each row; 0 for a row whose caption is a name the user gives.
struct RowCaption {
    int captionBox;
    const char *caption;
    int lineBox;
    const char *line;
};
const RowCaption kRowCaptions[11] = {{26, "前　期", 7, "18"}, {38, "中　間", 2, "19"}, {36, "計", 30, "20"},
                                     {20, "利子税", 0, ""},   {8, "延滞金", 0, ""},    {0, "", 0, ""},
                                     {0, "", 0, ""},          {44, "加算金等", 0, ""}, {52, "延滞税", 0, ""},
                                     {0, "", 0, ""},          {0, "", 0, ""}};

const char *const kColumnCaptions[6] = {"期首未納額① ", "当期発生額②", "充当金崩し②",
                                        "仮払経理③",    "損金経理④",   "期末未納額⑤"};

// The struck-through ① of the interim enterprise tax, which has no opening balance.
class StruckCell final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawLine(rect().bottomLeft(), rect().topRight());
    }
};
} // namespace

Form13::Form13() : Form(QStringLiteral("Form13"), kTitle) {
    TextBox *all[] = {&Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8,  &Text9,  &Text10, &Text11,
                      &Text12, &Text13, &Text14, &Text15, &Text16, &Text17, &Text18, &Text19, &Text20, &Text21,
                      &Text22, &Text23, &Text24, &Text25, &Text26, &Text27, &Text28, &Text29, &Text30, &Text31,
                      &Text32, &Text33, &Text34, &Text35, &Text36, &Text37, &Text38, &Text39, &Text40, &Text41,
                      &Text42, &Text43, &Text44, &Text45, &Text46, &Text47, &Text48, &Text49, &Text50, &Text51,
                      &Text52, &Text53, &Text54, &Text55, &Text56, &Text57, &Text58, &Text59, &Text60, &Text61,
                      &Text62, &Text63, &Text64, &Text65, &Text66, &Text67, &Text69, &Text70, &Text71, &Text72,
                      &Text73, &Text75, &Text76, &Text77, &Text78, &Text79, &Text81, &Text82, &Text83, &Text84,
                      &Text85, &Text87, &Text88, &Text89, &Text90, &Text91, &Text92, &Text93};
    for (TextBox *box : all)
        textBoxes_[box->name().mid(4).toInt()] = box;

    Button *buttons[] = {&Command1,  &Command2,  &Command3,  &Command4,  &Command5,  &Command6,  &Command7,  &Command8,
                         &Command9,  &Command10, &Command11, &Command12, &Command13, &Command14, &Command15, &Command16,
                         &Command17, &Command18, &Command19, &Command20, &Command21, &Command22};
    void (Form13::*handlers[])() = {
        &Form13::Command1_Click,  &Form13::Command2_Click,  &Form13::Command3_Click,  &Form13::Command4_Click,
        &Form13::Command5_Click,  &Form13::Command6_Click,  &Form13::Command7_Click,  &Form13::Command8_Click,
        &Form13::Command9_Click,  &Form13::Command10_Click, &Form13::Command11_Click, &Form13::Command12_Click,
        &Form13::Command13_Click, &Form13::Command14_Click, &Form13::Command15_Click, &Form13::Command16_Click,
        &Form13::Command17_Click, &Form13::Command18_Click, &Form13::Command19_Click, &Form13::Command20_Click,
        &Form13::Command21_Click, &Form13::Command22_Click};
    for (std::size_t i = 0; i < std::size(buttons); ++i)
        buttons[i]->onClick([this, h = handlers[i]] { (this->*h)(); });
}

TextBox *Form13::cellBox(int cell) { return kCellBox[cell] ? textBoxes_[kCellBox[cell]] : nullptr; }

TextBox &Form13::nameBox(int i) { return box(kNameBoxes[i]); }

void Form13::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    auto fixedBox = [&](TextBox &b, QWidget *parent, const QString &text) {
        auto *e = b.create(parent, text);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignCenter);
        b.setBackColor(vbColor(palette::lightGrey));
        return e;
    };

    Frame *frameControls[] = {&Frame1, &Frame2, &Frame3};
    const QString frameCaptions[] = {QStringLiteral("事業税"), QStringLiteral("損金算入"),
                                     QStringLiteral("損金不算入")};
    Button *columnButtons[3][6] = {{&Command1, &Command2, &Command3, &Command4, &Command5, &Command6},
                                   {&Command7, &Command9, &Command11, &Command13, &Command15, &Command17},
                                   {&Command8, &Command10, &Command12, &Command14, &Command16, &Command18}};
    constexpr int frameRows[3][2] = {{1, 3}, {4, 7}, {8, 11}};

    for (int f = 0; f < 3; ++f) {
        auto *frame = frameControls[f]->create(w, frameCaptions[f]);
        auto *grid = new QGridLayout(frame);
        grid->setHorizontalSpacing(kSpacing);
        grid->setVerticalSpacing(2);
        // The same column widths in every frame, so the columns of the three frames line up.
        grid->setColumnMinimumWidth(0, kCaptionWidth);
        grid->setColumnMinimumWidth(1, kLineWidth);
        grid->setColumnStretch(8, 1);
        for (int c = 0; c < 6; ++c) {
            auto *b = columnButtons[f][c]->create(frame, QString::fromUtf8(kColumnCaptions[c]));
            b->setFixedWidth(kAmountWidth);
            grid->addWidget(b, 0, 2 + c);
        }
        // Row by row, left to right: the order the Tab key follows.
        for (int r = frameRows[f][0]; r <= frameRows[f][1]; ++r) {
            const int gridRow = r - frameRows[f][0] + 1;
            const RowCaption &rc = kRowCaptions[r - 1];
            if (rc.captionBox) {
                auto *caption = fixedBox(box(rc.captionBox), frame, QString::fromUtf8(rc.caption));
                caption->setFixedWidth(rc.lineBox ? kCaptionWidth : kCaptionWidth + kSpacing + kLineWidth);
                grid->addWidget(caption, gridRow, 0, 1, rc.lineBox ? 1 : 2);
                if (rc.lineBox) {
                    auto *line = fixedBox(box(rc.lineBox), frame, QString::fromUtf8(rc.line));
                    line->setFixedWidth(kLineWidth);
                    grid->addWidget(line, gridRow, 1);
                }
            } else {
                const int i = (r == 6 ? 0 : r == 7 ? 1 : r == 10 ? 2 : 3);
                auto *name = nameBox(i).create(frame, QString::fromUtf8(kInitialNames[i]));
                name->setFixedWidth(kCaptionWidth + kSpacing + kLineWidth);
                grid->addWidget(name, gridRow, 0, 1, 2);
            }
            for (int c = 1; c <= 6; ++c) {
                const int cell = taxGridCell(r, c);
                TextBox *cb = cellBox(cell);
                if (!cb) {
                    auto *struck = new StruckCell(frame);
                    struck->setFixedWidth(kAmountWidth);
                    grid->addWidget(struck, gridRow, 1 + c);
                    continue;
                }
                auto *e = cb->create(frame);
                e->setFixedWidth(kAmountWidth);
                cb->setRightAligned();
                if (c == 6 || r == 3)
                    cb->setBackColor(vbColor(palette::lightGrey));
                grid->addWidget(e, gridRow, 1 + c);
            }
        }
        top->addWidget(frame);
    }
    // Schedule 6 fills these two; grey so they read as not the user's.
    Text58.setBackColor(vbColor(palette::lightGrey));
    Text55.setBackColor(vbColor(palette::lightGrey));
    Text29.setBackColor(vbColor(palette::silver));

    auto *bottom = new QHBoxLayout;
    auto *provision = Frame4.create(w, QStringLiteral("納税充当金"));
    auto *pg = new QGridLayout(provision);
    pg->setHorizontalSpacing(3);
    auto *heading = Label1.create(provision, QStringLiteral("期  首　　　損金算入　　法人等取崩　　期  末"));
    pg->addWidget(heading, 0, 0, 1, 4);
    TextBox *provisionBoxes[] = {&Text83, &Text84, &Text62, &Text6};
    for (int i = 0; i < 4; ++i) {
        auto *e = provisionBoxes[i]->create(provision);
        e->setFixedWidth(kAmountWidth);
        provisionBoxes[i]->setRightAligned();
        pg->addWidget(e, 1, i);
    }
    Text83.setBackColor(vbColor(palette::lightGrey));
    Text62.setBackColor(vbColor(palette::lightGrey));
    Text6.setBackColor(vbColor(palette::silver));
    bottom->addWidget(provision);

    // The draw-down Schedule 5(2) sends, a small box beside the frame.
    auto *reversal = Text85.create(w);
    reversal->setFixedWidth(80);
    Text85.setRightAligned();
    Text85.setBackColor(vbColor(palette::lightGrey));
    bottom->addWidget(reversal, 0, Qt::AlignBottom);
    bottom->addStretch(1);

    auto *controls = new QGridLayout;
    auto *code = Text19.create(w);
    code->setFixedWidth(60);
    Text19.setBackColor(vbColor(palette::yellow));
    controls->addWidget(code, 0, 0);
    // Transfer boxes from Schedule 5(2): only a few pixels wide, as nobody types into them.
    auto *transfers = new QHBoxLayout;
    for (TextBox *t : {&Text14, &Text81, &Text82}) {
        auto *e = t->create(w);
        e->setFixedWidth(12);
        t->setBackColor(vbColor(palette::magenta));
        transfers->addWidget(e);
    }
    controls->addLayout(transfers, 0, 1);
    controls->addWidget(Command19.create(w, QStringLiteral("DATA")), 1, 0);
    controls->addWidget(Command20.create(w, QStringLiteral("計算実行")), 1, 1);
    controls->addWidget(Command21.create(w, kTotalCaption), 2, 0);
    controls->addWidget(Command22.create(w, QStringLiteral("menu")), 2, 1);
    bottom->addLayout(controls);
    top->addLayout(bottom);
}

// DATA: reloads the boxes and the row names from the record of the code in Text19.
void Form13::Command19_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text19.text());
    } catch (const Error &) {
        return;
    }
    companyCode = code;
    for (int k = 1; k <= 70; ++k)
        if (TextBox *b = cellBox(k))
            b->setText(QString());

    Schedule5_2Part2Record rec;
    if (hold.load(schedule5_2Part2Path(code), kTitle, [&] { rec = readSchedule5_2Part2File(code); }) !=
        RecordRead::read) {
        // No record for this company, or one that cannot be read: the previous company's figures and row names
        // must not enter this one's sums, totals or record.
        for (int k = 1; k <= 70; ++k)
            part2Values[k] = 0;
        rowNames = {};
        for (int i = 0; i < 4; ++i)
            nameBox(i).setText(QString::fromUtf8(kInitialNames[i])); // as a fresh window names them
        Text62.setText(QString());
        return;
    }
    for (int k = 1; k <= 70; ++k)
        part2Values[k] = rec.cells[k - 1];
    rowNames = rec.rowNames;
    for (int k = 1; k <= 70; ++k)
        if (TextBox *b = cellBox(k))
            b->setText(fmtAmount(part2Values[k]));
    for (int i = 0; i < 4; ++i)
        nameBox(i).setText(rowNames[i]);
    try {
        Text62.setText(fmtAmount(provisionDrawDown(part2Values)));
    } catch (const Error &) {
    }
}

// 計算実行: the enterprise tax, the other taxes and the provision; passes them to Schedules 1, 4 and 5(1), saves
// and reloads.
void Form13::Command20_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text19.text());
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    companyCode = code;
    if (!hold.maySave(kTitle, schedule5_2Part2Path(code)))
        return;
    auto read = [&](int k) { part2Values[k] = readBoxOrZero(cellBox(k)->text()); };
    auto show = [&](int k) { cellBox(k)->setText(fmtAmount(part2Values[k])); };
    auto readRows = [&](int first, int last) {
        for (int r = first; r <= last; ++r)
            for (int c = 1; c <= 5; ++c)
                read(taxGridCell(r, c));
    };

    try {
        for (int k : {1, 2, 3, 4, 5, 8, 9, 10, 11})
            read(k);
        computeEnterpriseTaxRows(part2Values);
        for (int k : {6, 12, 18, 13, 14, 15, 16, 17})
            show(k);
        readRows(4, 7);
        computeOtherTaxRows(part2Values, 4, 7);
        for (int r = 4; r <= 7; ++r)
            show(taxGridCell(r, 6));
        readRows(8, 11);
        computeOtherTaxRows(part2Values, 8, 11);
        for (int r = 8; r <= 11; ++r)
            show(taxGridCell(r, 6));

        for (int k = s52p2::provisionStart; k <= s52p2::provisionReversal; ++k)
            read(k);
        const std::int32_t drawDown = provisionDrawDown(part2Values);
        computeProvision(part2Values);
        Text62.setText(fmtAmount(drawDown));
        show(s52p2::provisionEnd);

        for (int i = 0; i < 4; ++i)
            rowNames[i] = nameBox(i).text();

        // 別表五（一） 納税充当金 ② 減 and ③ 増; 別表四 5 損金計上納税充当金.
        if (!holdsAnotherCompany(form6().Text1, code)) {
            form6().Text58.setText(fmtAmount(drawDown));
            form6().Text59.setText(fmtAmount(part2Values[s52p2::provisionCharged]));
        }
        if (!holdsAnotherCompany(form5().Text100, code)) {
            form5().Text25.setText(fmtAmount(part2Values[s52p2::provisionCharged]));
            press(form5().Command4);
        }

        Schedule5_2Part2Record rec;
        for (int k = 1; k <= 70; ++k)
            rec.cells[k - 1] = part2Values[k];
        rec.rowNames = rowNames;
        // 別表一's interim enterprise tax follows the row as saved; the user's entries are kept apart before a
        // row's payment can reach 別表一.
        adoptSchedule1Entries(code, kTitle);
        writeSchedule5_2Part2File(code, rec);
        hold.written(schedule5_2Part2Path(code));
        form3().followInterimFigures(code, kTitle);
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    if (!holdsAnotherCompany(form6().Text1, code))
        press(form6().Command1);
    press(Command19);
}

// 租税公課の合計額: recomputes Schedule 5(2), then adds up every tax and due charged to expense in both windows.
void Form13::Command21_Click() {
    press(form7().Command19);
    try {
        // The cells count as the last DATA or compute left them, not as the boxes now show them.
        const std::int32_t total = taxesAndDuesTotal(part2Values, readBoxOrZero(Text14.text()),
                                                     readBoxOrZero(Text81.text()), readBoxOrZero(Text82.text()));
        Command21.setCaption(fmtAmount(total) + QStringLiteral("円"));
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
    }
}

void Form13::Command22_Click() { showMenu(); }

namespace {
void emptyBoxes(Form13 &f, std::initializer_list<int> cells) {
    for (int k : cells)
        f.cellBox(k)->setText(QString());
}
// ② to ⑤ of the row, as plain digits (0 for a box that shows no amount).
void copyArisenToExpensed(Form13 &f, std::initializer_list<int> rows) {
    for (int r : rows)
        f.cellBox(taxGridCell(r, 5))->setText(plain(readBoxOrZero(f.cellBox(taxGridCell(r, 2))->text())));
}
void emptyColumn(Form13 &f, int column, std::initializer_list<int> rows) {
    for (int r : rows)
        f.cellBox(taxGridCell(r, column))->setText(QString());
}
} // namespace

// 事業税
void Form13::Command1_Click() { emptyBoxes(*this, {1}); }
void Form13::Command2_Click() { emptyColumn(*this, 2, {1, 2}); }
void Form13::Command3_Click() { emptyColumn(*this, 3, {1, 2}); }
void Form13::Command4_Click() { emptyColumn(*this, 4, {1, 2}); }
void Form13::Command5_Click() { copyArisenToExpensed(*this, {1, 2}); }
void Form13::Command6_Click() { emptyBoxes(*this, {1, 2, 8, 3, 9, 4, 10, 5, 11}); }

// 損金算入
void Form13::Command7_Click() { emptyColumn(*this, 1, {4, 5, 6, 7}); }
void Form13::Command9_Click() { emptyColumn(*this, 2, {4, 5, 6, 7}); }
void Form13::Command11_Click() { emptyColumn(*this, 3, {4, 5, 6, 7}); }
void Form13::Command13_Click() { emptyColumn(*this, 4, {4, 5, 6, 7}); }
void Form13::Command15_Click() { copyArisenToExpensed(*this, {4, 5, 6, 7}); }
void Form13::Command17_Click() {
    for (int c = 1; c <= 5; ++c)
        emptyColumn(*this, c, {4, 5, 6, 7});
}

// 損金不算入: row 10's ② and ⑤ come from Schedule 6 and are kept.
void Form13::Command8_Click() { emptyColumn(*this, 1, {8, 9, 10, 11}); }
void Form13::Command10_Click() { emptyColumn(*this, 2, {8, 9, 11}); }
void Form13::Command12_Click() { emptyColumn(*this, 3, {8, 9, 10, 11}); }
void Form13::Command14_Click() { emptyColumn(*this, 4, {8, 9, 10, 11}); }
void Form13::Command16_Click() { copyArisenToExpensed(*this, {8, 9, 10, 11}); }
void Form13::Command18_Click() {
    for (int c : {1, 3, 4})
        emptyColumn(*this, c, {8, 9, 10, 11});
    for (int c : {2, 5})
        emptyColumn(*this, c, {8, 9, 11});
}

Form13 &form13() { return loadedForm<Form13>(); }

} // namespace hz
