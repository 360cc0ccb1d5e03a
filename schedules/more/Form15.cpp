#include "schedules/more/Form15.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/more/Form16.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {
const QString kTitle = QStringLiteral("貸倒引当金");


// Lines whose amount the user types; every other box is grey.
constexpr int kWhiteLines[] = {1, 9, 10, 11, 12, 13, 14, 16};

const char *const kOptionCaptions[] = {"卸売・小売業=10/1000", "製  造  業  =   8/1000", "金融・保険業= 3/1000",
                                       "割賦販売法= 13/1000", "そ  の  他  =   6/1000"};

constexpr int kNoLine10 = 100; // what an empty line 10 stands for, and what shows as an empty box again
} // namespace

Form15::Form15() : Form(QStringLiteral("Form15"), kTitle) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Option1.onClick([this] { Option1_Click(); });
    Option2.onClick([this] { Option2_Click(); });
    Option3.onClick([this] { Option3_Click(); });
    Option4.onClick([this] { Option4_Click(); });
    Option5.onClick([this] { Option5_Click(); });
}

TextBox &Form15::lineBox(int n) {
    TextBox *boxes[] = {&Text1,  &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8, &Text9,
                        &Text10, &Text11, &Text12, &Text13, &Text14, &Text15, &Text16, &Text17};
    return *boxes[n - 1];
}

OptionButton &Form15::option(int i) {
    OptionButton *options[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    return *options[i];
}

void Form15::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    auto *codeRow = new QHBoxLayout;
    auto *code = Text100.create(w);
    code->setFixedWidth(50);
    Text100.setBackColor(vbColor(palette::yellow));
    codeRow->addWidget(code);
    codeRow->addStretch(1);
    top->addLayout(codeRow);

    auto fixedBox = [&](TextBox &box, const QString &text) {
        auto *e = box.create(w, text);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        box.setBackColor(vbColor(palette::lightGrey));
        return e;
    };
    auto numberBox = [&](TextBox &box, const char *number) {
        auto *e = fixedBox(box, QString::fromLatin1(number));
        e->setFixedWidth(30);
        e->setAlignment(Qt::AlignCenter);
        return e;
    };
    auto amountBox = [&](int line) {
        TextBox &box = lineBox(line);
        auto *e = box.create(w);
        e->setFixedWidth(120);
        box.setRightAligned();
        box.setBackColor(vbColor(palette::lightGrey));
        return e;
    };
    auto heading = [&](Label &label, const QString &text) {
        auto *l = label.create(w, text);
        l->setAlignment(Qt::AlignCenter);
        label.setBackColor(vbColor(palette::lightYellow));
        l->setFrameShape(QFrame::Box);
        l->setMinimumHeight(24);
        return l;
    };

    // Two halves side by side, each its own grid, so that the tall option frame of line 5 does not spread the
    // lines of the right half.
    auto halfGrid = [] {
        auto *g = new QGridLayout;
        g->setHorizontalSpacing(3);
        g->setVerticalSpacing(2);
        return g;
    };
    QGridLayout *leftGrid = halfGrid();
    QGridLayout *rightGrid = halfGrid();
    leftGrid->addWidget(heading(Label1, QStringLiteral("簡　　　便　　　法")), 0, 0, 1, 3);
    rightGrid->addWidget(heading(Label2, QStringLiteral("実 績 に よ る 計 算")), 0, 0, 1, 3);

    struct Line {
        int line;
        TextBox *number;
        const char *numberText;
        TextBox *caption;
        const char *captionText;
    };
    const Line left[] = {
        {1, &Text34, "1", &Text33, "当期繰入額"},
        {2, &Text36, "2", &Text35, "(２２)の計"},
        {3, &Text38, "3", &Text37, "貸倒実績率（１７）"},
        {4, &Text40, "4", &Text39, "（２４）の計"},
        {5, &Text42, "5", nullptr, nullptr},
        {6, &Text44, "6", &Text43, "繰入限度額"},
        {7, &Text46, "7", &Text45, "公益法人等（116/100)"},
        {8, &Text48, "8", &Text47, "繰入限度超過額"},
    };
    const Line right[] = {
        {9, &Text53, "9", &Text18, "当期3年以内に開始した各事業年度"},
        {10, &Text52, "10", &Text19, "(9)/同上の各事業年度の数"},
        {11, &Text51, "11", &Text20, "例96条第2項第2号イの貸倒れ"},
        {12, &Text50, "12", &Text21, "例96条第2項第2号ロの貸倒"},
        {13, &Text57, "13", &Text22, "例96条第2項第2号ハの貸倒"},
        {14, &Text56, "14", &Text23, "例96条第2項第2号二の貸倒"},
        {15, &Text55, "15", &Text24, "貸倒による損失の額等の合計額"},
        {16, &Text54, "16", &Text25, "(15)×12/同上の各事業年度の月数の合計"},
        {17, &Text58, "17", &Text26, "貸倒実績率"},
    };

    // Created line by line, the left half first, which is also the order the Tab key follows.
    int row = 1;
    for (const Line &l : left) {
        leftGrid->addWidget(numberBox(*l.number, l.numberText), row, 0);
        if (l.caption) {
            auto *caption = fixedBox(*l.caption, QString::fromUtf8(l.captionText));
            caption->setMinimumWidth(190);
            leftGrid->addWidget(caption, row, 1);
            leftGrid->addWidget(amountBox(l.line), row, 2);
        } else {
            // Line 5: the rate options, with the chosen rate and "/1000" beside them.
            QGroupBox *frame = Frame1.create(w, QStringLiteral("法定繰入率"));
            auto *options = new QVBoxLayout(frame);
            options->setSpacing(1);
            for (int i = 0; i < 5; ++i)
                options->addWidget(option(i).create(frame, QString::fromUtf8(kOptionCaptions[i])));
            leftGrid->addWidget(frame, row, 1);
            auto *rate = new QHBoxLayout;
            rate->setSpacing(2);
            auto *rateBox = amountBox(5);
            rateBox->setFixedWidth(60);
            rate->addWidget(rateBox);
            auto *perMille = fixedBox(Text49, QStringLiteral(" /1000"));
            perMille->setFixedWidth(56);
            rate->addWidget(perMille);
            rate->addStretch(1);
            leftGrid->addLayout(rate, row, 2, Qt::AlignVCenter);
        }
        ++row;
    }
    leftGrid->setRowStretch(row, 1);
    row = 1;
    for (const Line &l : right) {
        rightGrid->addWidget(numberBox(*l.number, l.numberText), row, 0);
        auto *caption = fixedBox(*l.caption, QString::fromUtf8(l.captionText));
        caption->setMinimumWidth(290);
        rightGrid->addWidget(caption, row, 1);
        rightGrid->addWidget(amountBox(l.line), row, 2);
        ++row;
    }
    rightGrid->setRowStretch(row, 1);
    for (int line : kWhiteLines)
        lineBox(line).setBackColor(Qt::white);
    Option1.setValue(true);

    auto *halves = new QHBoxLayout;
    halves->addLayout(leftGrid);
    halves->addSpacing(16);
    halves->addLayout(rightGrid);
    top->addLayout(halves);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command4.create(w, QStringLiteral("一括評価金銭債権の明細")));
    buttons->addStretch(1);
    buttons->addWidget(Command3.create(w, QStringLiteral("クリア")));
    buttons->addWidget(Command2.create(w, QStringLiteral("DATA")));
    buttons->addWidget(Command1.create(w, QStringLiteral("計算実行")));
    top->addLayout(buttons);
}

std::int32_t Form15::selectedRate() {
    for (int i = 0; i < 5; ++i)
        if (option(i).value())
            return statutoryRates[i];
    return statutoryRates[0];
}

void Form15::emptyLineBoxes() {
    for (int n = 1; n <= 17; ++n)
        lineBox(n).setText(QString());
}

// 計算実行: the historical rate, the limit and the excess from the boxes; saves, then reloads through DATA.
void Form15::Command1_Click() {
    try {
        companyCode = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    const std::int32_t code = companyCode;
    if (!hold.maySave(kTitle, schedule11Path(code)))
        return;

    Schedule11Input in;
    auto line = [&](int n) -> std::int32_t & { return in.lines[n - 1]; };
    line(s11::statutoryRate) = selectedRate();
    reserveValues[s11::statutoryRate - 1] = line(s11::statutoryRate);
    Text5.setText(plain(line(s11::statutoryRate)));

    for (int n : {s11::recentReceivables, s11::lossI, s11::lossRo, s11::lossHa, s11::lossNi, s11::lossPerYear})
        line(n) = readBoxOrZero(lineBox(n).text());
    try {
        line(s11::perPeriod) = toWhole(Text10.text());
    } catch (const Error &) {
        line(s11::perPeriod) = kNoLine10;
    }
    for (int n : {s11::charged, s11::column22Total, s11::column24Total})
        line(n) = readBoxOrZero(lineBox(n).text());

    try {
        reserveValues = computeSchedule11(in).lines;
        Text3.setText(plain(reserveValues[s11::historicalRate - 1]));
        writeSchedule11(code, Schedule11Record{reserveValues});
        hold.written(schedule11Path(code));
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    press(Command2);
}

// DATA: the company's lines and the rate from its record, lines 2 and 4 from the statement of receivables.
void Form15::Command2_Click() {
    try {
        companyCode = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    const std::int32_t code = companyCode;

    Schedule11Record rec;
    if (hold.load(schedule11Path(code), kTitle, [&] { rec = readSchedule11(code); }) == RecordRead::read) {
        reserveValues = rec.lines;
    } else {
        // No record for this company yet, or one that cannot be read: a fresh page, so that nothing of the
        // company shown before is saved under this code by the next compute.
        reserveValues = {};
        detailCopy = {};
        Option1.setValue(true);
        emptyLineBoxes();
        return;
    }
    auto value = [&](int n) { return reserveValues[n - 1]; };

    const std::int32_t rate = value(s11::statutoryRate);
    for (int i = 0; i < 5; ++i)
        if (statutoryRates[i] == rate)
            option(i).setValue(true);
    Text5.setText(plain(rate));

    // Without a statement, lines 2 and 4 show what this company's record was computed with, so that a line 4
    // typed by hand stays in the window with the limit that came from it.
    std::int32_t column22 = value(s11::column22Total);
    std::int32_t column24 = value(s11::column24Total);
    detailCopy = {};
    if (readRecordOrSay(schedule11DetailPath(code), kTitle, [&] { detailCopy = readSchedule11Detail(code); }) ==
        RecordRead::read) {
        column22 = detailCopy.cells[detailTotal(22) - 1];
        column24 = detailCopy.cells[detailTotal(24) - 1];
    } else {
        detailCopy = {};
    }

    Text1.setText(fmtAmount(value(s11::charged)));
    Text2.setText(fmtAmount(column22));
    Text3.setText(plain(value(s11::historicalRate)));
    Text4.setText(fmtAmount(column24));
    Text6.setText(fmtAmount(value(s11::limit)));
    Text7.setText(fmtAmount(value(s11::publicInterestLimit)));
    Text8.setText(value(s11::excess) > 0 ? fmtAmount(value(s11::excess)) : QString());
    Text9.setText(fmtAmount(value(s11::recentReceivables)));
    Text10.setText(value(s11::perPeriod) == kNoLine10 ? QString() : fmtAmount(value(s11::perPeriod)));
    for (int n = s11::lossI; n <= s11::lossPerYear; ++n)
        lineBox(n).setText(fmtAmount(value(n)));
    Text17.setText(plain(value(s11::rate)));
}

void Form15::Command3_Click() { emptyLineBoxes(); }

void switchBadDebtWindow(Form &from, const TextBox &fromCode, Form &to, TextBox &toCode, Button &toData) {
    std::int32_t code = 0;
    try {
        code = toWhole(fromCode.text());
    } catch (const Error &) {
        return;
    }
    toCode.setText(plain(code));
    from.unload();
    from.ensureLoaded();
    to.show();
    press(toData);
}

// To the statement of receivables.
void Form15::Command4_Click() { switchBadDebtWindow(*this, Text100, form16(), form16().Text100, form16().Command2); }

void Form15::chooseRate(int optionIndex) {
    reserveValues[s11::statutoryRate - 1] = statutoryRates[optionIndex];
    Text5.setText(plain(statutoryRates[optionIndex]));
    press(Command1);
}

void Form15::Option1_Click() { chooseRate(0); }
void Form15::Option2_Click() { chooseRate(1); }
void Form15::Option3_Click() { chooseRate(2); }
void Form15::Option4_Click() { chooseRate(3); }
void Form15::Option5_Click() { chooseRate(4); }

Form15 &form15() { return loadedForm<Form15>(); }

} // namespace hz
