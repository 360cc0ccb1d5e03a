#include "schedules/more/Form14.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "common/read_or_say.h"
#include "common/settle.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule1_interim_records.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <span>

namespace hz {

namespace {

const QString kTitle = QStringLiteral("一括入力");
const QString kQuestion = QStringLiteral("データが入力済みです。書き換えますか？");
const QString kNotLoaded = QStringLiteral("会社のデータを読み込んでいないため、一括入力できません。");

struct FigureLayout {
    int figure;
    TextBox Form14::*box;
    TextBox Form14::*caption;
    const char *text;
    unsigned colour;
};

// Top to bottom as the window shows them; 0 marks the heading "租税公課の内訳" in the left column.
const FigureLayout kLeftColumn[] = {
    {1, &Form14::Text2, &Form14::Text50, "当期利益", palette::lightYellow},
    {2, &Form14::Text9, &Form14::Text3, "翌期繰越利益金", palette::lightYellow},
    {3, &Form14::Text15, &Form14::Text4, "中間法人税", palette::lightGrey},
    {4, &Form14::Text21, &Form14::Text5, "中間県民税", palette::lightGrey},
    {5, &Form14::Text27, &Form14::Text10, "中間市民税", palette::lightGrey},
    {0, nullptr, nullptr, "租税公課の内訳", palette::lightCyan},
    {7, &Form14::Text39, &Form14::Text6, "損金計上法人税", palette::lightCyan},
    {8, &Form14::Text45, &Form14::Text11, "損金計上県民税", palette::lightCyan},
    {6, &Form14::Text33, &Form14::Text8, "県民税利子割", palette::lightCyan},
    {9, &Form14::Text51, &Form14::Text12, "損金計上市民税", palette::lightCyan},
    {10, &Form14::Text57, &Form14::Text13, "損金計上事業税", palette::lightCyan},
    {11, &Form14::Text30, &Form14::Text7, "中間事業税", palette::lightCyan},
    {14, &Form14::Text34, &Form14::Text17, "消費税納付額", palette::lightCyan},
    {15, &Form14::Text35, &Form14::Text18, "損金参入のその他", palette::lightCyan},
    {16, &Form14::Text36, &Form14::Text19, "損金不参入の所得税", palette::lightCyan},
    {17, &Form14::Text37, &Form14::Text20, "損金不参入のその他", palette::lightCyan},
    {18, &Form14::Text38, &Form14::Text29, "租税公課合計", palette::lightCyan},
    // Kept for the consumption tax of the previous period and its interim payment; never shown.
    {12, &Form14::Text31, &Form14::Text14, "前期分消費税", palette::lightCyan},
    {13, &Form14::Text32, &Form14::Text16, "中間消費税", palette::lightCyan},
};

const FigureLayout kRightColumn[] = {
    {19, &Form14::Text40, &Form14::Text22, "受取利子額", palette::lightGrey},
    {20, &Form14::Text41, &Form14::Text28, "同上の所得税", palette::lightGrey},
    {21, &Form14::Text42, &Form14::Text23, "受取配当金", palette::lightGrey},
    {22, &Form14::Text43, &Form14::Text24, "同上の所得税", palette::lightGrey},
    {23, &Form14::Text44, &Form14::Text25, "交際費等の金額", palette::lightGrey},
};

// Neither option of a group marked: the window then pushes nothing for that choice.
void clearGroup(OptionButton &a, OptionButton &b) {
    a.setValue(false);
    b.setValue(false);
}

} // namespace

Form14::Form14() : Form(QStringLiteral("Form14"), kTitle) {
    Command1.onClick([this] { Command1_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    for (const auto &list : {std::span<const FigureLayout>(kLeftColumn), std::span<const FigureLayout>(kRightColumn)})
        for (const FigureLayout &f : list)
            if (f.figure != 0)
                figureBoxes_[std::size_t(f.figure - 1)] = &(this->*f.box);
}

TextBox &Form14::bulkFigureBox(int n) { return *figureBoxes_.at(std::size_t(n - 1)); }

void Form14::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    // The code (yellow) and the two transfer boxes (magenta) that the menu and the load fill; never shown.
    Text1.create(w)->hide();
    Text1.setBackColor(vbColor(palette::yellow));
    Text100.create(w, QString())->hide();
    Text100.setBackColor(vbColor(palette::magenta));
    Text101.create(w, QString())->hide();
    Text101.setBackColor(vbColor(palette::magenta));

    auto addFigure = [&](QGridLayout *grid, int row, const FigureLayout &f) {
        if (f.figure == 0) {
            auto *heading = Label1.create(w, QString::fromUtf8(f.text));
            heading->setAlignment(Qt::AlignCenter);
            heading->setAutoFillBackground(true);
            Label1.setBackColor(vbColor(f.colour));
            grid->addWidget(heading, row, 0, 1, 2);
            return;
        }
        TextBox &caption = this->*f.caption;
        auto *c = caption.create(w, QString::fromUtf8(f.text));
        c->setReadOnly(true);
        c->setFocusPolicy(Qt::NoFocus);
        c->setMinimumWidth(150);
        caption.setBackColor(vbColor(f.colour));
        TextBox &box = this->*f.box;
        auto *e = box.create(w);
        e->setMinimumWidth(130);
        box.setRightAligned();
        grid->addWidget(c, row, 0);
        grid->addWidget(e, row, 1);
        if (f.figure == 12 || f.figure == 13) {
            c->hide();
            e->hide();
        }
    };

    auto *columns = new QHBoxLayout;
    auto *left = new QGridLayout;
    left->setVerticalSpacing(3);
    int row = 0;
    for (const FigureLayout &f : kLeftColumn)
        addFigure(left, row++, f);
    // The total is the window's own sum, never typed.
    Text38.setReadOnly(true);
    Text38.setBackColor(vbColor(palette::lightGrey));
    columns->addLayout(left);
    columns->addSpacing(16);

    auto *right = new QVBoxLayout;
    auto *figures = new QGridLayout;
    figures->setVerticalSpacing(3);
    row = 0;
    for (const FigureLayout &f : kRightColumn)
        addFigure(figures, row++, f);
    right->addLayout(figures);
    right->addSpacing(12);

    auto group = [&](Frame &frame, const QString &caption, OptionButton &a, const QString &aText, OptionButton &b,
                     const QString &bText, bool firstSelected) {
        auto *box = frame.create(w, caption);
        auto *l = new QVBoxLayout(box);
        l->addWidget(a.create(box, aText));
        l->addWidget(b.create(box, bText));
        (firstSelected ? a : b).setValue(true);
        right->addWidget(box);
    };
    group(Frame1, QStringLiteral("住民税の均等割額"), Option1, QStringLiteral("2万円＋5万円"), Option2,
          QStringLiteral("5万円＋13万円"), true);
    group(Frame2, QStringLiteral("交際費の限度額"), Option3, QStringLiteral("300万円"), Option4,
          QStringLiteral("400万円"), false);
    right->addStretch(1);
    columns->addLayout(right);
    top->addLayout(columns);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1.create(w, QStringLiteral("計算実行")));
    buttons->addWidget(Command7.create(w, QStringLiteral("DATA")));
    buttons->addWidget(Command6.create(w, QStringLiteral("クリア")));
    Command3.create(w, QStringLiteral("起動時のデータ呼出"))->hide();
    top->addLayout(buttons);
}

// 起動時のデータ呼出 (loadBulkInput): fills the window from the company's records and applies them at once.
void Form14::Command3_Click() {
    press(Command6);

    // Whatever a previous load found no longer holds.
    loadedCompanyOk = false;
    heldValues = {};
    secondIssueReceived = 0;
    secondIssueCredit = 0;

    std::int32_t code = 0;
    BulkLoad load;
    // Each record as the schedule windows read it: a company's first year starts empty, and a record that cannot
    // be read is said with its name.
    QString unreadable;
    const BulkRecordReader readOne = [&unreadable](const QString &path, const std::function<void()> &read,
                                                   bool required) {
        const RecordRead r =
            required ? readRequiredRecordOrSay(path, kTitle, read) : readRecordOrSay(path, kTitle, read);
        if (r == RecordRead::unreadable && unreadable.isEmpty())
            unreadable = path;
        return r;
    };
    try {
        try {
            code = toWhole(Text1.text());
        } catch (const Error &e) {
            throw Error(QStringLiteral("法人コードを読めません。%1").arg(e.description()));
        }
        const std::optional<BulkLoad> read = readBulkLoad(code, readOne);
        if (!read) {
            // Said already; the compute says it again rather than apply over what could not be read.
            Text101.setText(QString());
            loadFailure = QStringLiteral("%1 を読み込めないため、一括入力できません。").arg(unreadable);
            return;
        }
        load = *read;
    } catch (const Error &e) {
        // Nothing of the company is shown, so nothing can be applied over it.
        Text101.setText(QString());
        loadFailure = e.description();
        actionErrorBox(e, kTitle);
        return;
    }

    for (int n = 1; n <= bulk::figureCount; ++n) {
        if (const auto &v = load.figures[std::size_t(n - 1)]) {
            bulkFigureBox(n).setText(fmtAmount(*v));
            heldValues[std::size_t(n - 1)] = *v;
        }
    }
    secondIssueReceived = load.secondIssueReceived;
    secondIssueCredit = load.secondIssueCredit;

    switch (load.levies) {
    case LevyChoice::small:
        Option1.setValue(true);
        break;
    case LevyChoice::large:
        Option2.setValue(true);
        break;
    case LevyChoice::none:
        clearGroup(Option1, Option2);
        break;
    }
    (load.limit == LimitChoice::limit3M ? Option3 : Option4).setValue(true);
    Text101.setText(fmtAmount(load.enteredFlag));

    loadedCode = code;
    loadFailure.clear();
    loadedCompanyOk = true;
    press(Command1);
}

// クリア: empties the figures and deletes the company's scratch file.
void Form14::Command6_Click() {
    for (int n = 1; n <= bulk::figureCount; ++n)
        bulkFigureBox(n).setText(QString());
    try {
        toWhole(Text1.text());
        currentName = Text100.text();
    } catch (const Error &) {
        // Without a company the name last used stays.
    }
    deleteBulkScratch(currentName);
}

// DATA: shows the figures the last compute read, with the total worked out again.
void Form14::Command7_Click() {
    for (int n = 1; n < bulk::taxesTotal; ++n)
        bulkFigureBox(n).setText(fmtAmount(bulkValues[std::size_t(n - 1)]));
    try {
        bulkValues[bulk::taxesTotal - 1] = bulkTaxesTotal(bulkValues);
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    for (int n = bulk::taxesTotal; n <= bulk::figureCount; ++n)
        bulkFigureBox(n).setText(fmtAmount(bulkValues[std::size_t(n - 1)]));
}

bool Form14::changed(int figure) const {
    return bulkValues[std::size_t(figure - 1)] != heldValues[std::size_t(figure - 1)];
}

// The schedule windows work on the company the load read. A window that holds another company (or none, after
// it was closed) first loads this company's records, as opening a company does, so that neither another
// company's figures nor empty boxes are saved under this code.
void Form14::takeCompany() {
    const QString code = plain(loadedCode);
    auto take = [&](TextBox &box, std::initializer_list<Button *> dataButtons) {
        const bool same = holdsCompany(box, loadedCode);
        box.setText(code);
        if (!same)
            for (Button *b : dataButtons)
                press(*b);
    };
    take(form3().Text100, {&form3().Command8});
    take(form5().Text100, {&form5().Command7});
    take(form6().Text1, {&form6().Command7});
    take(form7().Text1, {&form7().Command20});
    take(form13().Text19, {&form13().Command19});
    take(form8().Text1, {&form8().Command9, &form8().Command10, &form8().Command11});
}

void Form14::pushFigures() {
    auto F = [this](int n) { return fmtAmount(bulkValues[std::size_t(n - 1)]); };
    auto amount = [](std::int32_t v) { return fmtAmount(v); };

    form5().Text5.setText(F(bulk::profit));
    form6().Text54.setText(F(bulk::retainedEarnings));

    // Each figure below goes into the column it was loaded from; the copy into the row's other column follows
    // only a figure the user changed, so that a split the schedule holds survives every opening.
    form7().Text15.setText(F(bulk::previousCorporateTax));
    form7().Text47.setText(F(bulk::previousPrefecturalTax));
    form7().Text67.setText(F(bulk::previousMunicipalTax));
    form7().Text50.setText(F(bulk::interestLevy));
    if (changed(bulk::interestLevy))
        form7().Text53.setText(F(bulk::interestLevy));
    if (changed(bulk::previousEnterpriseTax))
        form13().Text24.setText(F(bulk::previousEnterpriseTax));
    form13().Text21.setText(F(bulk::previousEnterpriseTax));
    form13().Text34.setText(F(bulk::consumptionTax));
    if (changed(bulk::consumptionTax))
        form13().Text31.setText(F(bulk::consumptionTax));
    if (changed(bulk::otherDeductible))
        form13().Text76.setText(F(bulk::otherDeductible));
    form13().Text79.setText(F(bulk::otherDeductible));
    if (changed(bulk::otherNonDeductible))
        form13().Text90.setText(F(bulk::otherNonDeductible));
    form13().Text87.setText(F(bulk::otherNonDeductible));

    Form8 &s6 = form8();
    s6.Text2.setText(F(bulk::interest));
    s6.Text3.setText(F(bulk::interestIncomeTax));
    // The dividend figures are the totals of both issue rows. Unchanged, the rows stay as they are; changed, the
    // first row, held the whole year, takes what the second row does not hold, and the second row stays; only
    // where the totals leave no room for it is it emptied, so that it is not added again.
    if (changed(bulk::dividends) || changed(bulk::dividendIncomeTax)) {
        const DividendRows rows =
            splitDividends(bulkValues[bulk::dividends - 1], bulkValues[bulk::dividendIncomeTax - 1],
                           secondIssueReceived, secondIssueCredit);
        s6.Text12.setText(amount(rows.firstReceived));
        s6.Text13.setText(amount(rows.firstWithheld));
        s6.Text14.setText(QStringLiteral("12"));
        s6.Text15.setText(QStringLiteral("12"));
        if (!rows.keepSecond) {
            for (TextBox *b : {&s6.Text18, &s6.Text19, &s6.Text20, &s6.Text21, &s6.Text22, &s6.Text23, &s6.Text24})
                b->setText(QString());
            secondIssueReceived = 0;
            secondIssueCredit = 0;
        }
    }
    s6.Text46.setText(F(bulk::entertainment));
}

// The interim payments the user typed here are entries like those of 中間申告の入力, saved in its record, from which
// Schedule 1 takes them (schedule1_interim.h). Only a box the user typed in counts, since figures 3 and 11 are never
// loaded and a comparison with the loaded figure cannot tell a typed 0: a box left as loaded leaves the saved amount
// alone, and a typed 0 is none. Figures 4 and 5 are totals, split as a 中間 row's payment is, with the levies chosen
// here or those Schedule 1 uses.
void Form14::saveInterimEntries() {
    auto typed = [this](int n) -> std::optional<std::int32_t> {
        if (!bulkFigureBox(n).holdsUserText())
            return std::nullopt;
        return bulkValues[std::size_t(n - 1)];
    };
    InterimAmounts entries;
    entries[interim::corporate] = typed(bulk::interimCorporateTax);
    entries[interim::enterprise] = typed(bulk::interimEnterpriseTax);
    const auto prefectural = typed(bulk::interimPrefecturalTax), municipal = typed(bulk::interimMunicipalTax);
    if (prefectural || municipal) {
        InterimLevies levies;
        if (Option1.value() || Option2.value())
            levies = Option1.value() ? InterimLevies{20000, 50000} : InterimLevies{50000, 130000};
        else
            levies = readSchedule1InterimInput(loadedCode, kTitle).levies;
        if (prefectural) {
            const InterimSplit s = splitInterimPayment(*prefectural, levies.prefectural);
            entries[interim::prefectural] = s.tax;
            entries[interim::prefecturalLevy] = s.levy;
        }
        if (municipal) {
            const InterimSplit s = splitInterimPayment(*municipal, levies.municipal);
            entries[interim::municipal] = s.tax;
            entries[interim::municipalLevy] = s.levy;
        }
    }
    if (hz::saveInterimEntries(loadedCode, kTitle, entries))
        form20().followSavedAmounts(loadedCode);
}

void Form14::pushPresets() {
    if (Option1.value() || Option2.value()) {
        const bool small = Option1.value();
        form3().Text29.setText(fmtAmount(std::int32_t(small ? 20000 : 50000)));  // 均等割額⑱
        form3().Text34.setText(fmtAmount(std::int32_t(small ? 50000 : 130000))); // 均等割額⑮
    }
    if (Option3.value() || Option4.value())
        form8().Text43.setText(fmtAmount(std::int32_t(Option3.value() ? 3000000 : 4000000)));
}

// 計算実行 (applyBulkInput): pushes the figures into the schedules and recomputes them, Schedule 1 last.
void Form14::Command1_Click() {
    if (!loadedCompanyOk) {
        actionErrorBox(Error(loadFailure.isEmpty() ? kNotLoaded : loadFailure), kTitle);
        return;
    }

    for (int n = 1; n <= bulk::figureCount; ++n)
        if (n != bulk::withheldIncomeTax && n != bulk::taxesTotal)
            bulkValues[std::size_t(n - 1)] = readBoxOrZero(bulkFigureBox(n).text());

    // 損金不参入の所得税 is the tax withheld on the interest and the dividends, whatever was typed there.
    try {
        Text36.setText(plain(add(bulkValues[bulk::interestIncomeTax - 1], bulkValues[bulk::dividendIncomeTax - 1])));
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    bulkValues[bulk::withheldIncomeTax - 1] = readBoxOrZero(Text36.text());

    currentName = Text100.text();
    try {
        writeBulkScratch(currentName, bulkValues);
    } catch (const Error &e) {
        // Only a copy that nothing reads: say so and apply all the same.
        actionErrorBox(e, kTitle);
    }

    saveInterimEntries();
    takeCompany();
    pushFigures();
    pushPresets();

    // A new profit makes line 1's 留保 follow it; an unchanged one keeps the 留保 the user set in Schedule 4.
    const bool newProfit = changed(bulk::profit);
    // Supplementary schedules first, Schedule 1 last, until one more round would save the same records.
    settleRecords(loadedCode, [newProfit] {
        press(form8().Command1);  // Schedule 6
        press(form8().Command3);  // Schedule 15
        press(form8().Command2);  // Schedule 7
        press(form7().Command19); // Schedule 5(2)
        press(form13().Command20);
        press(form6().Command1); // Schedule 5(1)
        if (newProfit)
            press(form5().Command2);
        press(form5().Command4); // Schedule 4
        press(form3().Command4); // Schedule 1
    });
    heldValues = bulkValues;
    press(Command7);

    enteredFlag = readBoxOrZero(Text101.text());
    if (enteredFlag != 0 && msgBox(kQuestion, mb::YesNo, kTitle) == mb::No)
        press(form1().Command12);
}

Form14 &form14() { return loadedForm<Form14>(); }

} // namespace hz
