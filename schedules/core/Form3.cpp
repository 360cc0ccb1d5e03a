#include "schedules/core/Form3.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/records.h"
#include "platform/services.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule1_interim_records.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace hz {

namespace {

const QString kTitle = QStringLiteral("別表一");

// --- Steps that reach other windows ---------------------------------------------------------------------------

// The annual municipal per-capita amount, in plain decimal, into Schedule 5(2)'s transfer box Form7.Text12. The
// interim split takes the levies from Schedule 1's record instead (schedule1_interim.h), so the box only carries it.
void pushMunicipalPerCapitaToSchedule5_2(const QString &plainAmount) { form7().Text12.setText(plainAmount); }

// Schedule 5(1) column ④, with the pattern "-#,###": Form6.Text66 (未納法人税) = −A5 only when A5 > 0 (otherwise
// the box is not touched), Form6.Text72 (未納県民税) = −C10, Form6.Text78 (未納市民税) = −D9.
void pushUnpaidTaxesToSchedule5_1(const Schedule1Record &rec) {
    Form6 &s51 = form6();
    if (rec.A(5) > 0)
        s51.Text66.setText(fmtAmount(-std::int64_t(rec.A(5))));
    s51.Text72.setText(fmtAmount(-rec.C(10)));
    s51.Text78.setText(fmtAmount(-rec.D(9)));
}

// Schedule 5(2) ② 当期発生額 of the 確定 rows, with "#,###": Form7.Text24 (法人税) = A5 when A5 > 0, otherwise
// empty; Form7.Text86 (県民税) = C10; Form7.Text76 (市民税) = D9.
void pushAccruedTaxesToSchedule5_2(const Schedule1Record &rec) {
    Form7 &s52 = form7();
    s52.Text24.setText(rec.A(5) > 0 ? fmtAmount(rec.A(5)) : QString());
    s52.Text86.setText(fmtAmount(rec.C(10)));
    s52.Text76.setText(fmtAmount(rec.D(9)));
}

// Schedule 7's compute, Form8.Command2; its new loss total comes back into Text22.
void pressSchedule7Compute() { press(form8().Command2); }

} // namespace

Form3::Form3() : Form(QStringLiteral("Form3"), QStringLiteral("別表一")) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command8.onClick([this] { Command8_Click(); });
    Command9.onClick([this] { Command9_Click(); });
    Command10.onClick([this] { Command10_Click(); });
    Command13.onClick([this] { Command13_Click(); });
    Command14.onClick([this] { Command14_Click(); });
    Command15.onClick([this] { Command15_Click(); });
}

void Form3::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    auto box = [&](TextBox &t, unsigned int colour = palette::lightGrey) {
        QLineEdit *e = t.create(w);
        t.setRightAligned();
        t.setBackColor(vbColor(colour));
        e->setMinimumWidth(120);
        return e;
    };
    auto rateBox = [&](TextBox &t) {
        QLineEdit *e = box(t);
        e->setMinimumWidth(60);
        e->setMaximumWidth(80);
        return e;
    };
    auto caption = [&](QWidget *parent, const QString &text) { return new QLabel(text, parent); };
    // A row whose caption is a button that empties the interim box of the row.
    auto interimRow = [&](QGridLayout *g, QWidget *parent, int row, int col, Button &b, const QString &text,
                          TextBox &t) {
        g->addWidget(b.create(parent, text), row, col);
        g->addWidget(box(t, palette::lightBlue), row, col + 1);
    };

    auto *panels = new QGridLayout;

    // 法人税 (top left): the return's figures on the left, the tax by bracket on the right.
    {
        QGroupBox *f = Frame1.create(w, QStringLiteral("法人税"));
        auto *g = new QGridLayout(f);
        int row = 0;
        auto line = [&](const QString &text, TextBox &t, unsigned int colour = palette::lightGrey) {
            g->addWidget(caption(f, text), row, 0);
            g->addWidget(box(t, colour), row, 1);
            ++row;
        };
        line(QStringLiteral("所得金額 1"), Text3);
        line(QStringLiteral("法人税額 2"), Text4);
        line(QStringLiteral("控除税額 12"), Text5);
        interimRow(g, f, row++, 0, Command1, QStringLiteral("中間法人税額 14"), Text6);
        line(QStringLiteral("確定法人税額 15"), Text7, palette::silver);
        line(QStringLiteral("欠損金の当期控除額"), Text21);

        g->addWidget(caption(f, QStringLiteral("税額の計算")), 0, 3, 1, 2, Qt::AlignHCenter);
        g->addWidget(caption(f, QStringLiteral("800万円以下")), 1, 3);
        g->addWidget(box(Text2), 1, 4);
        g->addWidget(Label35.create(f, QStringLiteral("税率")), 2, 3);
        g->addWidget(box(Text38), 2, 4);
        g->addWidget(caption(f, QStringLiteral("800万円超")), 3, 3);
        g->addWidget(box(Text39), 3, 4);
        g->addWidget(Label36.create(f, QStringLiteral("税率")), 4, 3);
        g->addWidget(box(Text40), 4, 4);
        g->addWidget(caption(f, QStringLiteral("繰越欠損金")), 5, 3);
        g->addWidget(box(Text22), 5, 4);
        g->setColumnMinimumWidth(2, 16);
        g->setRowStretch(row, 1);
        panels->addWidget(f, 0, 0);
    }

    // 法人市民税 (top right).
    {
        QGroupBox *f = Frame2.create(w, QStringLiteral("法人市民税"));
        auto *g = new QGridLayout(f);
        int row = 0;
        auto line = [&](const QString &text, QLineEdit *e) {
            g->addWidget(caption(f, text), row, 0);
            g->addWidget(e, row, 1);
            ++row;
        };
        line(QStringLiteral("法人税額①"), box(Text1));
        line(QStringLiteral("税率(％)"), rateBox(Text42));
        line(QStringLiteral("法人税割額⑥"), box(Text9));
        interimRow(g, f, row++, 0, Command6, QStringLiteral("中間納付額⑪"), Text32);
        line(QStringLiteral("申告法人税割額⑬"), box(Text33));
        line(QStringLiteral("均等割額⑮"), box(Text34));
        interimRow(g, f, row++, 0, Command7, QStringLiteral("中間均等割額⑯"), Text35);
        line(QStringLiteral("申告均等割額⑰"), box(Text36));
        line(QStringLiteral("申告納付額計⑳"), box(Text37, palette::silver));
        g->setRowStretch(row, 1);
        panels->addWidget(f, 0, 1);
    }

    // 法人県民税 (bottom left).
    {
        QGroupBox *f = Frame3.create(w, QStringLiteral("法人県民税"));
        auto *g = new QGridLayout(f);
        int row = 0;
        auto line = [&](const QString &text, QLineEdit *e) {
            g->addWidget(caption(f, text), row, 0);
            g->addWidget(e, row, 1);
            ++row;
        };
        line(QStringLiteral("法人税額①"), box(Text11));
        line(QStringLiteral("税率(％)"), rateBox(Text41));
        line(QStringLiteral("法人税割額⑧"), box(Text25));
        line(QStringLiteral("控除利子割⑪"), box(Text26));
        interimRow(g, f, row++, 0, Command3, QStringLiteral("中間納付額⑬"), Text27);
        line(QStringLiteral("申告法人税割額⑯"), box(Text28));
        line(QStringLiteral("均等割額⑱"), box(Text29));
        interimRow(g, f, row++, 0, Command5, QStringLiteral("中間均等割額⑲"), Text30);
        line(QStringLiteral("申告均等割額⑳"), box(Text31));
        line(QStringLiteral("申告納付額計23"), box(Text10, palette::silver));
        line(QStringLiteral("利子割還付額"), box(Text8, palette::silver));
        g->setRowStretch(row, 1);
        panels->addWidget(f, 1, 0);
    }

    // 法人事業税 (bottom right): income, rate and tax of each bracket; the interim input opens above it.
    {
        auto *column = new QVBoxLayout;
        auto *interim = new QHBoxLayout;
        interim->addStretch(1);
        interim->addWidget(Command9.create(w, QStringLiteral("中間申告の入力")));
        column->addLayout(interim);

        QGroupBox *f = Frame4.create(w, QStringLiteral("法人事業税"));
        auto *g = new QGridLayout(f);
        g->addWidget(caption(f, QStringLiteral("税率")), 0, 2, Qt::AlignHCenter);
        g->addWidget(caption(f, QStringLiteral("税　　額")), 0, 3, Qt::AlignHCenter);
        g->addWidget(caption(f, QStringLiteral("総額33")), 1, 0);
        g->addWidget(box(Text12), 1, 1);
        auto bracket = [&](int row, const QString &text, TextBox &income, TextBox &rate, TextBox &tax) {
            g->addWidget(caption(f, text), row, 0);
            g->addWidget(box(income), row, 1);
            g->addWidget(rateBox(rate), row, 2);
            g->addWidget(box(tax), row, 3);
        };
        bracket(2, QStringLiteral("400万円以下34"), Text13, Text14, Text43);
        bracket(3, QStringLiteral("800万円以下35"), Text15, Text16, Text44);
        bracket(4, QStringLiteral("800万円超36"), Text17, Text18, Text45);
        g->addWidget(caption(f, QStringLiteral("計37 ")), 5, 0);
        g->addWidget(box(Text19), 5, 1);
        g->addWidget(box(Text20), 5, 3);
        interimRow(g, f, 6, 2, Command2, QStringLiteral("中間事業税額43"), Text23);
        g->addWidget(caption(f, QStringLiteral("申告事業税額47")), 7, 2);
        g->addWidget(box(Text24, palette::silver), 7, 3);
        g->setRowStretch(8, 1);
        column->addWidget(f, 1);
        panels->addLayout(column, 1, 1);
    }
    top->addLayout(panels, 1);

    // The total payable and the window's buttons.
    auto *bottom = new QHBoxLayout;
    QLineEdit *totalCaption = Text46.create(w, QStringLiteral("納付税額合計"));
    Text46.setReadOnly(true);
    Text46.setBackColor(vbColor(palette::lightGrey));
    totalCaption->setFocusPolicy(Qt::NoFocus);
    totalCaption->setMaximumWidth(totalCaption->fontMetrics().horizontalAdvance(QStringLiteral("納付税額合計")) + 16);
    bottom->addWidget(totalCaption);
    bottom->addWidget(box(Text47, palette::silver));
    bottom->addStretch(1);
    bottom->addWidget(Command15.create(w, QStringLiteral("税率の設定")));
    bottom->addWidget(Command13.create(w, QStringLiteral("menu")));
    bottom->addWidget(Command8.create(w, QStringLiteral("DATA")));
    bottom->addWidget(Command4.create(w, QStringLiteral("計算実行")));
    top->addLayout(bottom);

    // Out of sight: the company code, and the two buttons only the compute presses.
    Text100.create(w)->hide();
    Text100.setBackColor(vbColor(palette::yellow));
    Command14.create(w, QStringLiteral("赤字申告"))->hide();
    Command10.create(w, QStringLiteral("別表７を実行させる"))->hide();
}

// The first touch of the window reads the rate table; without one nothing can be computed, so the program ends.
void Form3::Form_Load() {
    try {
        for (TextBox *t : {&Text14, &Text16, &Text18, &Text41, &Text29, &Text42, &Text34})
            t->setText(QString());
        rates = readTaxRates();
        Text14.setText(fmtPattern(rates.r[2], "##.0"));
        Text16.setText(fmtPattern(rates.r[3], "##.#0"));
        Text18.setText(fmtPattern(rates.r[4], "##.#"));
        Text41.setText(fmtPattern(rates.r[5], "##.#"));
        Text42.setText(fmtPattern(rates.r[7], "##.#"));
        Label35.setCaption(QStringLiteral("税率 ") + rateText(rates.r[0]) + u'%');
        Label36.setCaption(QStringLiteral("税率 ") + rateText(rates.r[1]) + u'%');
    } catch (const Error &e) {
        actionErrorBox(e, QStringLiteral("税率設定がありません。終了します。"));
        beep();
        endProgram();
    }
}

// --- The interim rows ------------------------------------------------------------------------------------------

// Each caption empties its box as the user's own entry: the compute saves it as none entered.
void Form3::Command1_Click() { Text6.giveText(QString()); }
void Form3::Command2_Click() { Text23.giveText(QString()); }
void Form3::Command3_Click() { Text27.giveText(QString()); }
void Form3::Command5_Click() { Text30.giveText(QString()); }
void Form3::Command6_Click() { Text32.giveText(QString()); }
void Form3::Command7_Click() { Text35.giveText(QString()); }

// 赤字申告: a loss return owes no interim payment, so the six interim boxes are emptied. The program presses it, so
// the boxes are emptied as code, never as the user's entry of none, which would wipe the saved interim amounts.
void Form3::Command14_Click() {
    for (TextBox *box : interimBoxes())
        box->setText(QString());
}

std::array<TextBox *, 6> Form3::interimBoxes() { return {&Text6, &Text27, &Text30, &Text23, &Text32, &Text35}; }

namespace {
// 別表一's own figures of the six, in the interim record's order.
std::array<double, 6> interimHeld(const Schedule1Record &r) {
    return {double(r.A(4)), r.C(5), r.C(8), r.B(7), r.D(4), r.D(7)};
}
} // namespace

void Form3::showInterimFigures(const InterimAmounts &figures, const InterimAmounts &keep) {
    const auto boxes = interimBoxes();
    const std::array<double, 6> held = interimHeld(working);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (keep[i])
            continue;
        boxes[i]->setText(fmtAmount(figures[i] ? double(*figures[i]) : held[i]));
    }
}

InterimAmounts Form3::typedInterimFigures() {
    InterimAmounts typed;
    const auto boxes = interimBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i]->holdsUserText())
            typed[i] = readBoxOrZero(boxes[i]->text());
    return typed;
}

void Form3::followInterimFigures(std::int32_t code, const QString &title) {
    if (holdsAnotherCompany(Text100, code))
        return;
    // What the user typed here and has not computed yet stays: the compute saves it.
    showInterimFigures(schedule1InterimFor(code, title), typedInterimFigures());
}

void Form3::Command10_Click() { pressSchedule7Compute(); }

// --- Data action -----------------------------------------------------------------------------------------------

namespace {

// The boxes the data action empties before it reads the record.
std::array<TextBox *, 41> boxesEmptiedByData(Form3 &f) {
    return {&f.Text3,  &f.Text4,  &f.Text5,  &f.Text6,  &f.Text7,  &f.Text2,  &f.Text38, &f.Text39, &f.Text40,
            &f.Text12, &f.Text13, &f.Text15, &f.Text17, &f.Text19, &f.Text23, &f.Text24, &f.Text14, &f.Text16,
            &f.Text18, &f.Text43, &f.Text44, &f.Text45, &f.Text20, &f.Text11, &f.Text25, &f.Text26, &f.Text27,
            &f.Text28, &f.Text29, &f.Text30, &f.Text31, &f.Text10, &f.Text8,  &f.Text1,  &f.Text9,  &f.Text32,
            &f.Text33, &f.Text34, &f.Text35, &f.Text36, &f.Text37};
}

} // namespace

void Form3::Command8_Click() {
    // Nothing of the company shown before may stay, in the boxes or in the working record, or the next compute
    // would save it under this code. The two loss boxes go too, for the same reason, and the total payable, which
    // is worked out again from the record read; the rate texts are not the company's figures.
    for (TextBox *t : boxesEmptiedByData(*this))
        t->setText(QString());
    Text21.setText(QString());
    Text22.setText(QString());
    Text47.setText(QString());
    working = Schedule1Record{};
    try {
        companyCode = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    if (readTaxRatesOrSay(rates, &hold) != RecordRead::read)
        return;
    Schedule1Record rec;
    if (hold.load(schedule1Path(companyCode), kTitle, [&] { readSchedule1(companyCode, rec); }) != RecordRead::read)
        return; // a new company starts empty; one whose record cannot be read holds zeroes and saves nothing
    working = rec;

    const Schedule1Record &r = working;
    auto amount = [](TextBox &t, double v) { t.setText(fmtAmount(v)); };
    auto whole = [](TextBox &t, std::int32_t v) { t.setText(fmtAmount(std::int64_t(v))); };
    whole(Text3, r.A(1));
    whole(Text4, r.A(2));
    whole(Text5, r.A(3));
    whole(Text6, r.A(4));
    whole(Text7, r.A(5));
    whole(Text2, r.A(6));
    whole(Text38, r.A(7));
    whole(Text39, r.A(8));
    whole(Text40, r.A(9));
    whole(Text21, r.A(11));
    whole(Text22, r.A(12));

    amount(Text12, r.B(1));
    amount(Text13, r.B(2));
    amount(Text15, r.B(3));
    amount(Text17, r.B(4));
    amount(Text19, r.B(5));
    amount(Text23, r.B(7));
    amount(Text24, r.B(8));
    Text14.setText(fmtPattern(r.B(9), "#.##"));
    Text16.setText(fmtPattern(r.B(10), "#.##"));
    Text18.setText(fmtPattern(r.B(11), "#.##"));
    amount(Text43, r.B(12));
    amount(Text44, r.B(13));
    amount(Text45, r.B(14));
    amount(Text20, r.B(15));

    amount(Text11, r.C(1));
    amount(Text25, r.C(3));
    amount(Text26, r.C(4));
    amount(Text27, r.C(5));
    amount(Text28, r.C(6));
    amount(Text29, r.C(7));
    amount(Text30, r.C(8));
    amount(Text31, r.C(9));
    amount(Text10, r.C(10));
    amount(Text8, r.C(11));

    amount(Text1, r.D(1));
    amount(Text9, r.D(3));
    amount(Text32, r.D(4));
    amount(Text33, r.D(5));
    amount(Text34, r.D(6));
    amount(Text35, r.D(7));
    amount(Text36, r.D(8));
    amount(Text37, r.D(9));
    amount(Text47, totalPayable(r));
    // The interim figures as the saved records give them, which is what the next compute takes. A record that cannot
    // be read was said; its figures stay as this record holds them.
    showInterimFigures(
        schedule1InterimFigures(readSchedule1InterimInput(companyCode, kTitle, r, schedule1Levies(r, rates))), {});
}

// --- Compute action --------------------------------------------------------------------------------------------

void Form3::Command4_Click() {
    // Without a company code, the company's record or a rate table nothing is computed, shown or saved.
    try {
        companyCode = toWhole(Text100.text());
    } catch (const Error &) {
        return;
    }
    if (!hold.maySave(kTitle, schedule1Path(companyCode)) || readTaxRatesOrSay(rates) != RecordRead::read)
        return;

    // From here on a failure stops the action where it stands: what is shown, saved or pushed stays. It is told.
    try {
        Schedule1Record &r = working;
        auto show = [](TextBox &t, double v) { t.setText(fmtAmount(v)); };

        // The interim figures: what the user typed in their boxes joins the other entries, then each box takes what
        // the rule gives with the levies this compute uses. A figure the rule cannot decide keeps the record's, or
        // the user's typing where the interim record could not take it. The interim record is saved with this
        // window's record, so that it stands before a row's payment reaches this one.
        std::optional<InterimAmountRecord> interimToSave;
        {
            const InterimAmounts typed = typedInterimFigures();
            const bool anyTyped = std::any_of(typed.begin(), typed.end(), [](const auto &t) { return t.has_value(); });
            Schedule1Record levies = r;
            if (levies.C(7) != 0)
                levies.C(7) = decimalOrZero(Text29.text());
            if (levies.D(6) != 0)
                levies.D(6) = decimalOrZero(Text34.text());
            Schedule1InterimInput in =
                readSchedule1InterimInput(companyCode, kTitle, r, schedule1Levies(levies, rates));
            if (in.entered) {
                in.entered = withEntries(*in.entered, typed);
                if (anyTyped || !recordExists(interimAmountPath(companyCode)))
                    interimToSave = in.entered;
            }
            showInterimFigures(schedule1InterimFigures(in), in.entered ? InterimAmounts{} : typed);
        }
        auto showWhole = [](TextBox &t, std::int32_t v) { t.setText(fmtAmount(std::int64_t(v))); };

        // 法人税
        CorporateTaxInput corporate;
        corporate.A1 = readBoxOrZero(Text3.text());
        corporate.A11 = readBoxOrZero(Text21.text());
        corporate.A12 = readBoxOrZero(Text22.text());
        corporate.A3 = readBoxOrZero(Text5.text());
        corporate.A4 = readBoxOrZero(Text6.text());
        computeCorporateTax(corporate, rates, r);
        showWhole(Text3, r.A(1));
        showWhole(Text4, r.A(2));
        showWhole(Text5, r.A(3));
        showWhole(Text6, r.A(4));
        // A refund shows once the window is reloaded from the record, at the end.
        Text7.setText(r.A(5) > 0 ? fmtAmount(std::int64_t(r.A(5))) : QString());
        showWhole(Text2, r.A(6));
        showWhole(Text38, r.A(7));
        showWhole(Text39, r.A(8));
        showWhole(Text40, r.A(9));

        // 法人事業税
        EnterpriseTaxInput enterprise;
        enterprise.B1 = decimalOrZero(Text12.text());
        enterprise.B7 = decimalOrZero(Text23.text());
        computeEnterpriseTax(enterprise, rates, r);
        show(Text12, r.B(1));
        show(Text13, r.B(2));
        show(Text15, r.B(3));
        show(Text17, r.B(4));
        show(Text19, r.B(5));
        show(Text23, r.B(7));
        show(Text24, r.B(8));
        show(Text43, r.B(12));
        show(Text44, r.B(13));
        show(Text45, r.B(14));
        show(Text20, r.B(15));

        // 法人県民税: the base and the rate pass through their boxes as text.
        Text11.setText(plain(r.A(2)));
        rates = readTaxRates();
        Text41.setText(rateText(rates.r[5]));
        PrefecturalTaxInput prefectural;
        prefectural.C4 = decimalOrZero(Text26.text());
        prefectural.C5 = decimalOrZero(Text27.text());
        if (r.C(7) == 0)
            Text29.setText(rateText(rates.r[6]));
        prefectural.C7 = decimalOrZero(Text29.text());
        prefectural.C8 = decimalOrZero(Text30.text());
        computePrefecturalTax(prefectural, rates, r);
        show(Text11, r.C(1));
        show(Text25, r.C(3));
        show(Text26, r.C(4));
        show(Text27, r.C(5));
        show(Text28, r.C(6));
        show(Text29, r.C(7));
        show(Text30, r.C(8));
        show(Text31, r.C(9));
        show(Text10, r.C(10));
        show(Text8, r.C(11));

        // 法人市民税
        Text1.setText(plain(r.A(2)));
        Text42.setText(rateText(rates.r[7]));
        MunicipalTaxInput municipal;
        municipal.D4 = decimalOrZero(Text32.text());
        if (r.D(6) == 0)
            Text34.setText(rateText(rates.r[8]));
        municipal.D6 = decimalOrZero(Text34.text());
        municipal.D7 = decimalOrZero(Text35.text());
        computeMunicipalTax(municipal, rates, r);
        // The Schedule 5 windows take this company's taxes only while they hold it.
        const bool fiveOneSame = !holdsAnotherCompany(form6().Text1, companyCode);
        const bool fiveTwoSame = !holdsAnotherCompany(form7().Text1, companyCode);
        if (fiveTwoSame)
            pushMunicipalPerCapitaToSchedule5_2(doubleText(r.D(6)));
        show(Text1, r.D(1));
        show(Text9, r.D(3));
        show(Text32, r.D(4));
        show(Text33, r.D(5));
        show(Text34, r.D(6));
        show(Text35, r.D(7));
        show(Text36, r.D(8));
        show(Text37, r.D(9));

        // No income, no interim payment to keep: the amounts already used stay in the record saved below.
        if (r.A(1) <= 0)
            press(Command14);

        if (interimToSave)
            writeInterimAmounts(companyCode, *interimToSave);
        writeSchedule1(companyCode, r);
        hold.written(schedule1Path(companyCode));
        if (interimToSave)
            form20().followSavedAmounts(companyCode);
        writeTaxRates(rates);

        if (fiveOneSame)
            pushUnpaidTaxesToSchedule5_1(r);
        if (fiveTwoSame)
            pushAccruedTaxesToSchedule5_2(r);
        show(Text47, totalPayable(r));
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }

    press(Command8);
    press(Command10);
}

// --- Small buttons ---------------------------------------------------------------------------------------------

// 中間申告の入力: the interim-amounts window, loaded with this company's record.
void Form3::Command9_Click() {
    companyCode = toWhole(Text100.text());
    form20().Text15.setText(plain(companyCode));
    press(form20().Command2);
    form20().show();
}

void Form3::Command13_Click() { showMenu(); }

// 税率の設定: the rate window as it stands; its own load reads the file the first time.
void Form3::Command15_Click() { form18().show(); }

Form3 &form3() { return loadedForm<Form3>(); }

} // namespace hz
