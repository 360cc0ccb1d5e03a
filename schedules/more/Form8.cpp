#include "schedules/more/Form8.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "common/profile.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/records.h"
#include "platform/services.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/more/Form13.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule6.h"
#include "schedules/more/schedule7.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <utility>

namespace hz {

namespace {
const QString kCodeTitle = QStringLiteral("法人コードの入力");
const QString kSchedule6Title = QStringLiteral("別表六");
const QString kSchedule7Title = QStringLiteral("別表七");
const QString kSchedule15Title = QStringLiteral("別表十五");

constexpr int kAmountWidth = 96;
// The columns of the dividend issues.
constexpr int kIssueNameWidth = 120;
constexpr int kIssuePeriodWidth = 52;
constexpr int kIssueSpacing = 3;
} // namespace

Form8::Form8() : Form(QStringLiteral("Form8"), QStringLiteral("別表六")) {
    Command1.onClick([this] { Command1_Click(); });
    Command9.onClick([this] { Command9_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command10.onClick([this] { Command10_Click(); });
    Command13.onClick([this] { Command13_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command11.onClick([this] { Command11_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command8.onClick([this] { Command8_Click(); });
    Command12.onClick([this] { Command12_Click(); });
}

Form8 &form8() { return loadedForm<Form8>(); }

TextBox &Form8::schedule6Box(int item) {
    TextBox *boxes[] = {nullptr, &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8,
                        &Text9,  &Text10, &Text12, &Text13, &Text14, &Text15, &Text16, &Text17,
                        &Text19, &Text20, &Text21, &Text22, &Text23, &Text24};
    return *boxes[item];
}

TextBox &Form8::schedule7Box(int item) {
    const std::pair<int, TextBox *> boxes[] = {
        {1, &Text50},  {2, &Text25},  {3, &Text26},  {4, &Text27},  {5, &Text28},  {6, &Text29},  {7, &Text30},
        {8, &Text31},  {9, &Text32},  {10, &Text33}, {11, &Text34}, {12, &Text35}, {13, &Text36}, {14, &Text37},
        {15, &Text38}, {16, &Text39}, {17, &Text40}, {20, &Text41}, {23, &Text42}, {32, &Text52}, {33, &Text53},
        {34, &Text54}, {35, &Text55}, {36, &Text56}, {37, &Text57}};
    for (auto [i, box] : boxes)
        if (i == item)
            return *box;
    throw Error::indexOutOfRange();
}

TextBox &Form8::schedule15Box(int item) {
    TextBox *boxes[] = {nullptr, &Text49, &Text43, &Text44, &Text45, &Text46, &Text47, &Text48};
    return *boxes[item];
}

void Form8::setupUi(QWidget *w) {
    auto grey = [](TextBox &b) { b.setBackColor(vbColor(palette::lightGrey)); };
    auto amount = [&](TextBox &b, const QString &initial = QStringLiteral(" ")) {
        auto *e = b.create(w, initial);
        e->setMinimumWidth(kAmountWidth);
        b.setRightAligned();
        return e;
    };
    auto centred = [](QLabel *l) {
        l->setAlignment(Qt::AlignCenter);
        return l;
    };

    auto *top = new QGridLayout(w);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 2);

    // Hidden boxes that only other windows and the row captions' counter use.
    for (TextBox *hidden : {&Text1, &Text96, &Text58}) {
        hidden->create(w, hidden == &Text58 ? QString() : QStringLiteral(" "));
        hidden->setVisible(false);
    }

    // ---- 別表六, across the top: the summary, and under it the two dividend issues ----
    auto *f6 = Frame1.create(w, QStringLiteral("別表六"));
    auto *l6 = new QGridLayout(f6);
    auto *summary = new QGridLayout;
    summary->setHorizontalSpacing(4);
    summary->setVerticalSpacing(2);
    summary->addWidget(centred(Label1.create(f6, QStringLiteral("収入金額"))), 0, 1);
    summary->addWidget(centred(Label2.create(f6, QStringLiteral("所得税額"))), 0, 2);
    summary->addWidget(centred(Label3.create(f6, QStringLiteral("控除所得税額"))), 0, 3);
    Label *rowLabels[] = {&Label4, &Label5, &Label10};
    const QString rowCaptions[] = {QStringLiteral("預貯金の利子"), QStringLiteral("利益の配当"), QStringLiteral("計")};
    for (int r = 0; r < 3; ++r) {
        summary->addWidget(rowLabels[r]->create(f6, rowCaptions[r]), r + 1, 0);
        for (int c = 0; c < 3; ++c)
            summary->addWidget(amount(schedule6Box(3 * r + c + 1)), r + 1, c + 1);
    }
    for (TextBox *b : {&Text4, &Text7, &Text8, &Text9})
        grey(*b);
    Text10.setBackColor(vbColor(palette::silver));
    l6->addLayout(summary, 0, 0);
    auto *buttons6 = new QVBoxLayout;
    buttons6->addStretch(1);
    buttons6->addWidget(Command7.create(f6, QStringLiteral("クリア")));
    buttons6->addWidget(Command9.create(f6, QStringLiteral("DATA")));
    buttons6->addWidget(Command1.create(f6, QStringLiteral("計算実行")));
    l6->addLayout(buttons6, 0, 1, Qt::AlignRight);

    // The issue rows have fixed column widths, and the heading is one table with a cell over each column, so
    // each word stands over its own boxes whatever the font.
    auto *issues = Frame2.create(f6, QStringLiteral("利益の配当等"));
    auto *li = new QGridLayout(issues);
    li->setHorizontalSpacing(kIssueSpacing);
    li->setVerticalSpacing(2);
    const int widths[] = {kIssueNameWidth,   kAmountWidth,      kAmountWidth, kIssuePeriodWidth,
                          kIssuePeriodWidth, kIssuePeriodWidth, kAmountWidth};
    const char *const headings[] = {"銘　柄", "収入金額", "所得税額", "基礎期間", "所有期間", "割　合", "控除所得税"};
    QString header = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\"><tr>");
    for (int c = 0; c < 7; ++c)
        header += QStringLiteral("<td width=\"%1\" align=\"center\">%2</td>")
                      .arg(widths[c] + (c < 6 ? kIssueSpacing : 0))
                      .arg(QString::fromUtf8(headings[c]));
    header += QStringLiteral("</tr></table>");
    auto *headerLabel = Label11.create(issues, header);
    headerLabel->setTextFormat(Qt::RichText);
    li->addWidget(headerLabel, 0, 0, 1, 7);
    TextBox *names[] = {&Text11, &Text18};
    for (int k = 0; k < 2; ++k) {
        names[k]->create(issues)->setFixedWidth(kIssueNameWidth);
        li->addWidget(names[k]->widget(), k + 1, 0);
        const int first = s6::issueFirst[k];
        for (int c = 0; c < 6; ++c) {
            auto *e = amount(schedule6Box(first + c));
            e->setMinimumWidth(0);
            e->setFixedWidth(widths[c + 1]);
            li->addWidget(e, k + 1, c + 1);
        }
        grey(schedule6Box(first + s6::ratio));
        grey(schedule6Box(first + s6::credit));
    }
    li->setColumnStretch(7, 1);
    l6->addWidget(issues, 1, 0, 1, 2);
    l6->setColumnStretch(0, 1);
    top->addWidget(f6, 0, 0, 1, 2);

    // ---- 別表七, lower left ----
    auto *f7 = Frame3.create(w, QStringLiteral("別表七"));
    auto *l7 = new QGridLayout(f7);
    l7->setHorizontalSpacing(4);
    l7->setVerticalSpacing(2);
    l7->addWidget(Label12.create(f7, QStringLiteral("青色欠損金のみを対象")), 0, 0, 1, 4);
    l7->addWidget(Command4.create(f7, QStringLiteral("控除未済")), 1, 1);
    l7->addWidget(Command5.create(f7, QStringLiteral("当期控除")), 1, 2);
    l7->addWidget(centred(Label13.create(f7, QStringLiteral("翌期繰越"))), 1, 3);
    struct Row7 {
        Label *label;
        const char *caption;
    };
    const Row7 rows7[] = {{&Label21, "期首前７年前"}, {&Label20, "期首前６年前"}, {&Label6, "期首前５年前"},
                          {&Label22, "期首前４年前"}, {&Label7, "期首前３年前"},  {&Label8, "期首前２年前"},
                          {&Label9, "期首前１年前"}};
    for (int k = 0; k < 7; ++k) {
        const Schedule7Row &row = schedule7Rows[k];
        auto *caption = rows7[k].label->create(f7, QString::fromUtf8(rows7[k].caption));
        caption->setMinimumWidth(90);
        l7->addWidget(caption, k + 2, 0);
        l7->addWidget(amount(schedule7Box(row.outstanding)), k + 2, 1);
        l7->addWidget(amount(schedule7Box(row.deducted)), k + 2, 2);
        grey(schedule7Box(row.deducted));
        if (row.carried != 0) {
            l7->addWidget(amount(schedule7Box(row.carried)), k + 2, 3);
            grey(schedule7Box(row.carried));
        }
    }
    l7->addWidget(Label14.create(f7, QStringLiteral("計")), 9, 0);
    const int totals[] = {s7::outstandingTotal, s7::deductedTotal, s7::carriedTotal};
    for (int c = 0; c < 3; ++c) {
        l7->addWidget(amount(schedule7Box(totals[c])), 9, c + 1);
        grey(schedule7Box(totals[c]));
    }
    auto *lossCaption = Label15.create(f7, QStringLiteral("当期欠損金額"));
    lossCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l7->addWidget(lossCaption, 10, 2);
    l7->addWidget(amount(Text41), 10, 3);
    grey(Text41);
    auto *grandCaption = Label16.create(f7, QStringLiteral("合計"));
    grandCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l7->addWidget(grandCaption, 11, 2);
    l7->addWidget(amount(Text42), 11, 3);
    Text42.setBackColor(vbColor(palette::silver));
    auto *buttons7 = new QHBoxLayout;
    buttons7->addWidget(Command13.create(f7, QStringLiteral("表示切替")));
    buttons7->addStretch(1);
    buttons7->addWidget(Command10.create(f7, QStringLiteral("DATA")));
    buttons7->addWidget(Command2.create(f7, QStringLiteral("計算実行")));
    l7->setRowStretch(12, 1);
    l7->addLayout(buttons7, 13, 0, 1, 4);
    top->addWidget(f7, 1, 0, 2, 1);

    // ---- menu, at the right just above 別表十五 ----
    auto *menuRow = new QHBoxLayout;
    menuRow->addStretch(1);
    menuRow->addWidget(Command12.create(w, QStringLiteral("menu")));
    top->addLayout(menuRow, 1, 1);

    // ---- 別表十五, lower right ----
    auto *f15 = Frame4.create(w, QStringLiteral("別表十五"));
    auto *l15 = new QGridLayout(f15);
    l15->setHorizontalSpacing(4);
    l15->setVerticalSpacing(2);
    l15->addWidget(Label17.create(f15, QStringLiteral("支出交際費等の額")), 0, 0);
    l15->addWidget(amount(Text49), 0, 1);
    l15->addWidget(Command6.create(f15, QStringLiteral("定額控除限度額")), 1, 0);
    l15->addWidget(amount(Text43, QString()), 1, 1);
    l15->addWidget(Label18.create(f15, QStringLiteral("損金算入限度額")), 2, 0);
    l15->addWidget(amount(Text44), 2, 1);
    l15->addWidget(Label19.create(f15, QStringLiteral("損金不算入額")), 3, 0);
    l15->addWidget(amount(Text45), 3, 1);
    l15->addWidget(Label23.create(f15, QStringLiteral("支出交際費等の額の明細")), 4, 0, 1, 2);
    l15->addWidget(Label24.create(f15, QStringLiteral("支出額")), 5, 0);
    l15->addWidget(amount(Text46), 5, 1);
    auto *excluded = Label25.create(f15, QStringLiteral("交際費等の額から控除される費用"));
    excluded->setWordWrap(true);
    l15->addWidget(excluded, 6, 0);
    l15->addWidget(amount(Text47, QStringLiteral("0")), 6, 1);
    l15->addWidget(Label26.create(f15, QStringLiteral("差引交際費等の額")), 7, 0);
    l15->addWidget(amount(Text48), 7, 1);
    for (TextBox *b : {&Text49, &Text43, &Text44, &Text48})
        grey(*b);
    Text45.setBackColor(vbColor(palette::silver));
    auto *rate = Frame5.create(f15, QStringLiteral("否認率"));
    auto *lr = new QHBoxLayout(rate);
    lr->addWidget(Option1.create(rate, QStringLiteral("10%否認")));
    lr->addWidget(Option2.create(rate, QStringLiteral("20％否認")));
    l15->addWidget(rate, 8, 0, 1, 2);
    l15->setRowStretch(9, 1);
    auto *buttons15 = new QHBoxLayout;
    buttons15->addWidget(Command8.create(f15, QStringLiteral("クリア")));
    buttons15->addStretch(1);
    buttons15->addWidget(Command11.create(f15, QStringLiteral("DATA")));
    buttons15->addWidget(Command3.create(f15, QStringLiteral("計算実行")));
    l15->addLayout(buttons15, 10, 0, 1, 2);
    top->addWidget(f15, 2, 1);
    top->setRowStretch(2, 1);
}

// ===================== 別表六 =====================

void Form8::emptySchedule6Amounts() {
    for (int item = 1; item <= 21; ++item)
        schedule6Box(item).setText(QString());
}

// 計算実行: the credit of the interest and of the two issues; it goes into Schedule 4, which is recomputed at
// once, and into the withholding-tax row of the second Schedule 5(2) window, which is recomputed last.
void Form8::Command1_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    if (!schedule6Hold.maySave(kSchedule6Title, schedule6Path(code)))
        return;

    Schedule6Input in;
    in.interest = readBoxOrZero(Text2.text());
    in.interestTax = readBoxOrZero(Text3.text());
    issueNames[0] = Text11.text();
    for (int k = 0; k < 2; ++k) {
        const int first = s6::issueFirst[k];
        Schedule6Issue &issue = in.issues[k];
        issue.received = readBoxOrZero(schedule6Box(first + s6::received).text());
        issue.withheld = readBoxOrZero(schedule6Box(first + s6::withheld).text());
        issue.basePeriod = readBoxOrZero(schedule6Box(first + s6::basePeriod).text());
        issue.holdingPeriod = readBoxOrZero(schedule6Box(first + s6::holdingPeriod).text());
        issue.previousRatio = schedule6Values[first + s6::ratio];
    }
    issueNames[1] = Text18.text();

    try {
        const Schedule6Result r = computeSchedule6(in);
        schedule6Values = r.items;
        const Schedule6Items &v = schedule6Values;
        // The ratio and the credit of each issue in plain digits; the typed inputs keep their text.
        for (int first : s6::issueFirst) {
            schedule6Box(first + s6::ratio).setText(plain(v[first + s6::ratio]));
            schedule6Box(first + s6::credit).setText(plain(v[first + s6::credit]));
        }
        for (int item = s6::interestTax; item <= s6::totalCredit; ++item)
            schedule6Box(item).setText(fmtAmount(v[item]));

        // Schedule 4 and the second Schedule 5(2) window take the credit only while they hold this company.
        const QString credit = fmtAmount(v[s6::totalCredit]);
        if (!holdsAnotherCompany(form5().Text100, code)) {
            form5().Text84.setText(credit);
            press(form5().Command4);
        }
        if (!holdsAnotherCompany(form13().Text19, code)) {
            form13().Text58.setText(credit);
            form13().Text55.setText(credit);
        }
        writeSchedule6(code, Schedule6Record{schedule6Values, issueNames});
        schedule6Hold.written(schedule6Path(code));
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    if (!holdsAnotherCompany(form13().Text19, code))
        press(form13().Command20);
}

// DATA
void Form8::Command9_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    emptySchedule6Amounts();
    Schedule6Record rec;
    if (schedule6Hold.load(schedule6Path(code), kSchedule6Title, [&] { rec = readSchedule6(code); }) !=
        RecordRead::read) {
        // Nothing of the company shown before may stay for the next compute to save under this code.
        schedule6Values = {};
        issueNames = {};
        Text11.setText(QString());
        Text18.setText(QString());
        return;
    }
    schedule6Values = rec.items;
    issueNames = rec.issueNames;
    for (int item = 1; item <= 21; ++item)
        schedule6Box(item).setText(fmtAmount(schedule6Values[item]));
    Text11.setText(issueNames[0]);
    Text18.setText(issueNames[1]);
}

// クリア: the amounts only; the names, the working values and the record stay.
void Form8::Command7_Click() { emptySchedule6Amounts(); }

// ===================== 別表七 =====================

void Form8::emptySchedule7Boxes() {
    for (int item : schedule7RecordItems)
        schedule7Box(item).setText(QString());
}

// 計算実行: deducts the outstanding losses from the income Schedule 4 last sent, saves, and hands the loss total
// to Schedule 4 and what is carried on to Schedule 1; both take them at their next compute.
void Form8::Command2_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kSchedule7Title);
        return;
    }
    if (!schedule7Hold.maySave(kSchedule7Title, schedule7Path(code)))
        return;
    // The period start decides which years still deduct; without the profile nothing is computed.
    CompanyProfileRecord profile;
    if (readRequiredRecordOrSay(profilePath(code), kSchedule7Title, [&] { readProfile(code, profile, 4); }) !=
        RecordRead::read)
        return;

    Schedule7Input in;
    in.periodStartYear = profile.periodStartYear;
    in.income = readBoxOrZero(Text96.text());
    in.items = schedule7Values;
    for (const Schedule7Row &row : schedule7Rows)
        in.items[row.outstanding] = readBoxOrZero(schedule7Box(row.outstanding).text());

    try {
        const Schedule7Result r = computeSchedule7(in);
        schedule7Values = r.items;
        for (int item : schedule7RecordItems)
            schedule7Box(item).setText(fmtAmount(schedule7Values[item]));
        // The record is the opened company's, whatever a profile's first line may say.
        writeSchedule7(code, schedule7Values);
        schedule7Hold.written(schedule7Path(code));
    } catch (const Error &e) {
        actionErrorBox(e, kSchedule7Title);
        return;
    }
    if (!holdsAnotherCompany(form5().Text100, code))
        form5().Text79.setText(fmtAmount(schedule7Values[s7::outstandingTotal]));
    if (!holdsAnotherCompany(form3().Text100, code))
        form3().Text22.setText(fmtAmount(schedule7Values[s7::grandTotal]));
    beep();
}

// DATA. A company without a record gets the zero record. A record of the 19 values the next-year rollover leaves
// shows them, the other items 0, and stays as it is until the next compute saves the full layout. A record that
// cannot be read is said, and the panel holds zeroes and saves nothing until it is read.
void Form8::Command10_Click() {
    // An action that failed before may have left the record handle open.
    closeSharedHandle();
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    emptySchedule7Boxes();

    // What the record does not give is 0, never a figure of the company shown before.
    for (int item : schedule7RecordItems)
        schedule7Values[item] = 0;
    Schedule7Items items = schedule7Values;
    switch (schedule7Hold.load(schedule7Path(code), kSchedule7Title, [&] { readSchedule7(code, items); })) {
    case RecordRead::read:
        schedule7Values = items;
        break;
    case RecordRead::missing:
        try {
            writeZeroSchedule7(code);
        } catch (const Error &) {
            return;
        }
        break;
    case RecordRead::unreadable:
        return;
    }
    for (int item : schedule7RecordItems)
        schedule7Box(item).setText(fmtAmount(schedule7Values[item]));
}

// 表示切替: the row captions alternate between the years before the period and the dates those years began.
void Form8::Command13_Click() {
    CompanyProfileRecord profile;
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    if (readRecordOrSay(profilePath(code), kSchedule7Title, [&] { readProfile(code, profile, 4); }) != RecordRead::read)
        return;
    // The counter is a small whole number: anything else starts it again.
    std::int32_t count = 0;
    try {
        count = toWhole(Text58.text());
    } catch (const Error &) {
        count = 0;
    }
    count = (count < -32768 || count >= 32767) ? 1 : count + 1;
    Text58.setText(plain(count));

    Label *labels[] = {&Label9, &Label8, &Label7, &Label22, &Label6, &Label20, &Label21};
    const QString fixed[] = {QStringLiteral("期首前１年前"), QStringLiteral("期首前２年前"),
                             QStringLiteral("期首前３年前"), QStringLiteral("期首前４年前"),
                             QStringLiteral("期首前５年前"), QStringLiteral("期首前６年前"),
                             QStringLiteral("期首前７年前")};
    for (int back = 1; back <= 7; ++back) {
        if (count % 2 != 0)
            labels[back - 1]->setCaption(QStringLiteral("平成") + plain(std::int64_t(profile.periodStartYear) - back) +
                                         u'.' + plain(profile.periodStartMonth) + QStringLiteral(" ～"));
        else
            labels[back - 1]->setCaption(fixed[back - 1]);
    }
}

// 控除未済: empties the outstanding column.
void Form8::Command4_Click() {
    for (TextBox *b : {&Text50, &Text26, &Text29, &Text32, &Text35, &Text38, &Text53, &Text52})
        b->setText(QString());
}

// 当期控除: empties the deducted column.
void Form8::Command5_Click() {
    for (TextBox *b : {&Text25, &Text27, &Text30, &Text33, &Text36, &Text39, &Text54, &Text55})
        b->setText(QString());
}

// ===================== 別表十五 =====================

void Form8::emptySchedule15Boxes() {
    for (int item = 1; item <= 7; ++item)
        schedule15Box(item).setText(QString());
}

void Form8::setRateOptions(std::int32_t periodStartYear, std::int32_t periodStartMonth) {
    const bool ten = schedule15TenPercent(periodStartYear, periodStartMonth);
    Option1.setValue(ten);
    Option2.setValue(!ten);
}

// 計算実行: the non-deductible part of the entertainment expenses goes into Schedule 4, which is recomputed; the
// panel then reloads from the record it has just written.
void Form8::Command3_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    if (!schedule15Hold.maySave(kSchedule15Title, schedule15Path(code)))
        return;
    // The period start decides the rate of the non-deductible part; without the profile nothing is computed.
    CompanyProfileRecord profile;
    if (readRequiredRecordOrSay(profilePath(code), kCodeTitle, [&] { readProfile(code, profile, 5); }) !=
        RecordRead::read)
        return;
    setRateOptions(profile.periodStartYear, profile.periodStartMonth);

    Schedule15Input in;
    in.expenditure = readBoxOrZero(Text46.text());
    in.excludedCosts = readBoxOrZero(Text47.text());
    in.fixedLimit = readBoxOrZero(Text43.text());
    in.tenPercent = Option1.value();
    Text43.setText(fmtAmount(in.fixedLimit));

    try {
        const Schedule15Result r = computeSchedule15(in);
        schedule15Values = r.items;
        for (int item : {s15::netExpenses, s15::expenses, s15::deductibleLimit, s15::nonDeductible})
            schedule15Box(item).setText(fmtAmount(schedule15Values[item]));
        writeSchedule15(code, schedule15Values);
        schedule15Hold.written(schedule15Path(code));
    } catch (const Error &e) {
        actionErrorBox(e, kCodeTitle);
        return;
    }
    if (!holdsAnotherCompany(form5().Text100, code)) {
        form5().Text35.setText(fmtAmount(schedule15Values[s15::nonDeductible]));
        press(form5().Command4);
    }
    press(Command11);
}

// DATA
void Form8::Command11_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    Option1.setValue(false);
    Option2.setValue(false);
    emptySchedule15Boxes();
    schedule15Values = {};
    // The rate options follow the period start; without a readable profile neither is chosen.
    CompanyProfileRecord profile;
    if (readRecordOrSay(profilePath(code), kSchedule15Title, [&] { readProfile(code, profile, 5); }) ==
        RecordRead::read)
        setRateOptions(profile.periodStartYear, profile.periodStartMonth);
    // Nothing of the company shown before may stay for the next compute to save under this code.
    Schedule15Items items{};
    if (schedule15Hold.load(schedule15Path(code), kSchedule15Title, [&] { items = readSchedule15(code); }) !=
        RecordRead::read)
        return;
    schedule15Values = items;
    for (int item = 1; item <= 7; ++item)
        schedule15Box(item).setText(fmtAmount(schedule15Values[item]));
}

// 定額控除限度額
void Form8::Command6_Click() { Text43.setText(plain(nextFixedDeductionLimit(Text43.text()))); }

// クリア: the expenditure, the costs and the rate; nothing else.
void Form8::Command8_Click() {
    Text46.setText(QString());
    Text47.setText(QString());
    Option1.setValue(false);
    Option2.setValue(false);
}

void Form8::Command12_Click() { showMenu(); }

} // namespace hz
