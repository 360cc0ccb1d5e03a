#include "schedules/more/Form16.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/more/Form15.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {
const QString kTitle = QStringLiteral("貸倒引当金（一括評価金銭債権の明細外）");


// The first box (account 1) of columns 18-24; accounts 2-6 follow it, then the column total.
constexpr int kColumnFirstBox[] = {7, 14, 21, 28, 35, 42, 65};

constexpr int kInputColumns[] = {18, 19, 20, 21, 23};
} // namespace

Form16::Form16() : Form(QStringLiteral("Form16"), kTitle) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });

    TextBox *columns[] = {&Text7,  &Text8,  &Text9,  &Text10, &Text11, &Text12, &Text13, &Text14, &Text15, &Text16,
                          &Text17, &Text18, &Text19, &Text20, &Text21, &Text22, &Text23, &Text24, &Text25, &Text26,
                          &Text27, &Text28, &Text29, &Text30, &Text31, &Text32, &Text33, &Text34, &Text35, &Text36,
                          &Text37, &Text38, &Text39, &Text40, &Text41, &Text42, &Text43, &Text44, &Text45, &Text46,
                          &Text47, &Text48, &Text65, &Text66, &Text67, &Text68, &Text69, &Text70, &Text71};
    for (int k = s11d::firstColumn; k <= s11d::lastColumn; ++k) {
        const int i = k - s11d::firstColumn;
        for (int r = 1; r <= s11d::accounts; ++r)
            cellBoxes_[detailCell(r, k)] = columns[7 * i + r - 1];
        cellBoxes_[detailTotal(k)] = columns[7 * i + 6];
    }
    cellBoxes_[s11d::baseYearReceivables] = &Text76;
    cellBoxes_[s11d::baseYearNonReceivables] = &Text79;
    cellBoxes_[s11d::deductionRatio] = &Text82;
    cellBoxes_[s11d::nonReceivables] = &Text85;
}

TextBox &Form16::cellBox(int n) { return *cellBoxes_[n]; }

TextBox &Form16::nameBox(int account) {
    TextBox *names[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6};
    return *names[account - 1];
}

void Form16::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    auto *codeRow = new QHBoxLayout;
    auto *code = Text100.create(w);
    code->setFixedWidth(50);
    Text100.setBackColor(vbColor(palette::yellow));
    codeRow->addWidget(code);
    codeRow->addStretch(1);
    top->addLayout(codeRow);

    auto grey = [&](TextBox &box, QWidget *e) {
        e->setFocusPolicy(Qt::NoFocus);
        box.setReadOnly(true);
        box.setBackColor(vbColor(palette::lightGrey));
        return e;
    };
    auto fixedBox = [&](TextBox &box, const QString &text) {
        auto *e = box.create(w, text);
        e->setAlignment(Qt::AlignCenter);
        return grey(box, e);
    };
    // The long captions wrap inside their box.
    auto captionBox = [&](TextBox &box, const QString &text, int lines) {
        auto *e = box.createMultiLine(w, text);
        e->setFixedHeight(e->fontMetrics().lineSpacing() * lines + 10);
        return grey(box, e);
    };

    constexpr int kHeaderLines = 3;
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    auto *heading = fixedBox(Text72, QStringLiteral("一　括　評　価　金　銭　債　権　の　明　細"));
    grid->addWidget(heading, 0, 0, 1, 8);

    struct Column {
        TextBox *caption;
        const char *text;
        TextBox *number; // nullptr for the names
        const char *numberText;
    };
    const Column columns[] = {
        {&Text56, "勘定科目", nullptr, nullptr},
        {&Text57, "期末残高", &Text50, "18"},
        {&Text58, "売掛債権等とみなされる額・否認額", &Text51, "19"},
        {&Text59, "(18)のうち税務上貸倒があったとみなされる", &Text52, "20"},
        {&Text60, "個別評価の対象となった売掛債権等の", &Text53, "21"},
        {&Text61, "期末一括評価金銭債権の額", &Text54, "22"},
        {&Text62, "実質的に債権とみられないものの額", &Text55, "23"},
        {&Text63, "差引一括評価金銭債権の額", &Text64, "24"},
    };
    const int headerHeight = w->fontMetrics().lineSpacing() * kHeaderLines + 10;
    for (int c = 0; c < 8; ++c) {
        const Column &col = columns[c];
        QWidget *caption = nullptr;
        if (c <= 1) {
            // Short captions stand on the middle line, as a single line box centres them.
            caption = fixedBox(*col.caption, QString::fromUtf8(col.text));
            caption->setFixedHeight(headerHeight);
        } else {
            caption = captionBox(*col.caption, QString::fromUtf8(col.text), kHeaderLines);
        }
        grid->addWidget(caption, 1, c);
        if (col.number)
            grid->addWidget(fixedBox(*col.number, QString::fromLatin1(col.numberText)), 2, c);
    }

    // Row by row, left to right, which is also the order the Tab key follows.
    for (int r = 1; r <= s11d::accounts; ++r) {
        auto *name = nameBox(r).create(w);
        name->setMinimumWidth(120);
        grid->addWidget(name, 2 + r, 0);
        for (int k = s11d::firstColumn; k <= s11d::lastColumn; ++k) {
            TextBox &box = cellBox(detailCell(r, k));
            auto *e = box.create(w);
            e->setMinimumWidth(108);
            box.setRightAligned();
            grid->addWidget(e, 2 + r, k - s11d::firstColumn + 1);
        }
    }
    const int totalRow = 3 + s11d::accounts;
    grid->addWidget(fixedBox(Text49, QStringLiteral("計")), totalRow, 0);
    for (int k = s11d::firstColumn; k <= s11d::lastColumn; ++k) {
        TextBox &box = cellBox(detailTotal(k));
        auto *e = box.create(w);
        box.setRightAligned();
        grid->addWidget(e, totalRow, k - s11d::firstColumn + 1);
    }
    // Computed: columns 22 and 24 and every total.
    for (int r = 1; r <= s11d::accounts; ++r)
        for (int k : {22, 24})
            cellBox(detailCell(r, k)).setBackColor(vbColor(palette::lightGrey));
    for (int k = s11d::firstColumn; k <= s11d::lastColumn; ++k)
        cellBox(detailTotal(k)).setBackColor(vbColor(palette::lightGrey));
    top->addLayout(grid);

    // Lines 25-28 in two pairs: caption, line number, amount.
    auto *base = new QGridLayout;
    base->setHorizontalSpacing(2);
    base->setVerticalSpacing(2);
    base->addWidget(
        fixedBox(Text73, QStringLiteral("基準年度の実績により実質的に債権とみられないものの額を計算する場合の明細")), 0,
        0, 1, 6);
    struct Line {
        TextBox *caption;
        const char *text;
        TextBox *number;
        const char *numberText;
        int cell;
        bool computed;
    };
    const Line lines[] = {
        {&Text75, "基準年度における売掛金等又は一括評価金銭債権の額の合計額", &Text74, "25", s11d::baseYearReceivables,
         false},
        {&Text78, "同上の各事業年度末の実質的に債権とみられないものの額の合計額", &Text77, "26",
         s11d::baseYearNonReceivables, false},
        {&Text81, "債権からの控除割合（小数点以下3位未満切捨て)", &Text80, "27", s11d::deductionRatio, true},
        {&Text84, "実質的に債権とみられないものの額", &Text83, "28", s11d::nonReceivables, true},
    };
    for (int i = 0; i < 4; ++i) {
        const Line &l = lines[i];
        const int row = 1 + i / 2;
        const int col = 3 * (i % 2);
        auto *caption = captionBox(*l.caption, QString::fromUtf8(l.text), 2);
        caption->setMinimumWidth(300);
        base->addWidget(caption, row, col);
        auto *number = fixedBox(*l.number, QString::fromLatin1(l.numberText));
        number->setFixedWidth(30);
        base->addWidget(number, row, col + 1);
        TextBox &amount = cellBox(l.cell);
        auto *e = amount.create(w);
        e->setFixedWidth(120);
        amount.setRightAligned();
        if (l.computed)
            amount.setBackColor(vbColor(palette::lightGrey));
        base->addWidget(e, row, col + 2);
    }
    base->setColumnStretch(0, 1);
    base->setColumnStretch(3, 1);
    top->addLayout(base);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command4.create(w, QStringLiteral("貸倒引当金の限度額の計算")));
    buttons->addStretch(1);
    buttons->addWidget(Command3.create(w, QStringLiteral("クリア")));
    buttons->addWidget(Command2.create(w, QStringLiteral("DATA")));
    buttons->addWidget(Command1.create(w, QStringLiteral("計算実行")));
    top->addLayout(buttons);
}

// 計算実行: completes the statement, saves it and shows the record just written. The window is emptied only
// once the record is safe, so an overflow or a failed write leaves what the user typed in place.
void Form16::Command1_Click() {
    try {
        companyCode = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    const std::int32_t code = companyCode;
    if (!hold.maySave(kTitle, schedule11DetailPath(code)))
        return;

    Schedule11DetailInput in;
    auto read = [&](int n) { in.cells[n - 1] = readBoxOrZero(cellBox(n).text()); };
    read(s11d::baseYearReceivables);
    read(s11d::baseYearNonReceivables);
    AccountNames names;
    for (int r = 1; r <= s11d::accounts; ++r)
        names[r - 1] = nameBox(r).text();
    for (int k : kInputColumns)
        for (int r = 1; r <= s11d::accounts; ++r)
            read(detailCell(r, k));

    try {
        const Schedule11DetailRecord rec{names, computeSchedule11Detail(in).cells};
        writeSchedule11Detail(code, rec);
        hold.written(schedule11DetailPath(code));
        detailCells = rec.cells;
        accountNames = rec.names;
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    press(Command3);
    press(Command2);
}

// DATA: empties the window, then shows the company's statement.
void Form16::Command2_Click() {
    press(Command3);
    try {
        companyCode = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    Schedule11DetailRecord rec;
    if (hold.load(schedule11DetailPath(companyCode), kTitle, [&] { rec = readSchedule11Detail(companyCode); }) !=
        RecordRead::read) {
        // No statement for this company, or one that cannot be read: nothing of the company shown before may
        // stay in the working values.
        detailCells = {};
        accountNames = {};
        return;
    }
    detailCells = rec.cells;
    accountNames = rec.names;
    for (int r = 1; r <= s11d::accounts; ++r)
        nameBox(r).setText(accountNames[r - 1]);
    for (int n = 1; n <= static_cast<int>(detailCells.size()); ++n)
        cellBox(n).setText(fmtAmount(detailCells[n - 1]));
}

void Form16::Command3_Click() {
    for (int r = 1; r <= s11d::accounts; ++r)
        nameBox(r).setText(QString());
    for (int n = 1; n <= static_cast<int>(detailCells.size()); ++n)
        cellBox(n).setText(QString());
}

// Back to the reserve limit.
void Form16::Command4_Click() { switchBadDebtWindow(*this, Text100, form15(), form15().Text100, form15().Command2); }

Form16 &form16() { return loadedForm<Form16>(); }

} // namespace hz
