#include "schedules/core/Form4.h"

#include "app/Form1.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "schedules/core/schedule2.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {
const QString kTitle = QStringLiteral("別表二");
// The texts a fresh window shows; a company without a record starts from them too.
const QString kFirstRank = QStringLiteral("1");
const QString kFirstRelation = QStringLiteral("本　　人");
const QString kVerdict = QStringLiteral("同族会社");

// Widths of the shareholder columns, shared by the boxes and the header above them.
constexpr int kRankWidth = 48;
constexpr int kAddressWidth = 240;
constexpr int kNameWidth = 150;
constexpr int kRelationWidth = 90;
constexpr int kHoldingWidth = 120;
constexpr int kSpacing = 6;
} // namespace

Form4::Form4() : Form(QStringLiteral("Form4"), kTitle) {
    Command1.onClick([this] { Command1_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command10.onClick([this] { Command10_Click(); });
    Check1.onClick([this] { Check1_Click(); });
    Check2.onClick([this] { Check2_Click(); });
    Check3.onClick([this] { Check3_Click(); });
    Check4.onClick([this] { Check4_Click(); });
    Check5.onClick([this] { Check5_Click(); });
    Check6.onClick([this] { Check6_Click(); });
}

TextBox &Form4::rankBox(int r) {
    TextBox *boxes[] = {&Text6, &Text11, &Text12, &Text13, &Text14, &Text15};
    return *boxes[r - 1];
}
TextBox &Form4::addressBox(int r) {
    TextBox *boxes[] = {&Text7, &Text16, &Text17, &Text18, &Text19, &Text20};
    return *boxes[r - 1];
}
TextBox &Form4::nameBox(int r) {
    TextBox *boxes[] = {&Text8, &Text21, &Text22, &Text23, &Text24, &Text25};
    return *boxes[r - 1];
}
TextBox &Form4::relationBox(int r) {
    TextBox *boxes[] = {&Text9, &Text26, &Text27, &Text28, &Text29, &Text30};
    return *boxes[r - 1];
}
TextBox &Form4::holdingBox(int r) {
    TextBox *boxes[] = {&Text10, &Text31, &Text32, &Text33, &Text34, &Text35};
    return *boxes[r - 1];
}

void Form4::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);

    auto *code = Text1.create(w);
    code->setFixedWidth(60);
    Text1.setBackColor(vbColor(palette::yellow));
    top->addWidget(code);

    // The figures of the test.
    auto *figures = new QGridLayout;
    auto amountBox = [&](TextBox &box) {
        auto *e = box.create(w, QString());
        e->setFixedWidth(140);
        box.setRightAligned();
        return e;
    };
    figures->addWidget(Label1.create(w, QStringLiteral("期末現在の発行済株式金額")), 0, 0);
    figures->addWidget(amountBox(Text2), 0, 1);
    figures->addWidget(Label2.create(w, QStringLiteral("上位３順位の株式数")), 1, 0);
    figures->addWidget(amountBox(Text3), 1, 1);
    figures->addWidget(Command2.create(w, QStringLiteral("同数")), 1, 2);
    figures->addWidget(Label3.create(w, QStringLiteral("同族会社の判定（％）")), 2, 0);
    auto *percent = new QHBoxLayout;
    percent->addWidget(amountBox(Text4));
    percent->addWidget(Label7.create(w, QStringLiteral("%")));
    figures->addLayout(percent, 2, 1);
    figures->addWidget(Command3.create(w, QStringLiteral("100 %")), 2, 2);
    figures->addWidget(Label4.create(w, QStringLiteral("判定結果")), 3, 0);
    auto *verdict = Text5.create(w, kVerdict);
    verdict->setFixedWidth(220);
    figures->addWidget(verdict, 3, 1, 1, 2);
    figures->setColumnStretch(3, 1);
    top->addLayout(figures);

    // The shareholders.
    auto *frame = Frame1.create(w, QStringLiteral("判定基準となる株主等の明細"));
    auto *grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(kSpacing);
    grid->addWidget(Label6.create(frame, QStringLiteral("その他の株主等")), 0, 4, Qt::AlignCenter);
    // One label heads the five columns; a table keeps its words over their boxes.
    const QString cell = QStringLiteral("<td width=\"%1\" align=\"center\">%2</td>");
    const QString header = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\"><tr>") +
                           cell.arg(kRankWidth + kSpacing).arg(QStringLiteral("順位")) +
                           cell.arg(kAddressWidth + kSpacing).arg(QStringLiteral("住所地")) +
                           cell.arg(kNameWidth + kSpacing).arg(QStringLiteral("氏名")) +
                           cell.arg(kRelationWidth + kSpacing).arg(QStringLiteral("続柄")) +
                           cell.arg(kHoldingWidth).arg(QStringLiteral("出資金額")) + QStringLiteral("</tr></table>");
    auto *headerLabel = Label5.create(frame, header);
    headerLabel->setTextFormat(Qt::RichText);
    grid->addWidget(headerLabel, 1, 0, 1, 5);

    CheckBox *checks[] = {&Check1, &Check2, &Check3, &Check4, &Check5, &Check6};
    for (int r = 1; r <= 6; ++r) {
        const int row = r + 1;
        auto place = [&](TextBox &box, const QString &initial, int width, int column) {
            auto *e = box.create(frame, initial);
            e->setFixedWidth(width);
            grid->addWidget(e, row, column);
        };
        place(rankBox(r), r == 1 ? kFirstRank : QStringLiteral(" "), kRankWidth, 0);
        place(addressBox(r), QStringLiteral(" "), kAddressWidth, 1);
        place(nameBox(r), QStringLiteral(" "), kNameWidth, 2);
        place(relationBox(r), r == 1 ? kFirstRelation : QStringLiteral(" "), kRelationWidth, 3);
        place(holdingBox(r), QStringLiteral("0"), kHoldingWidth, 4);
        holdingBox(r).setRightAligned();
        grid->addWidget(checks[r - 1]->create(frame, QStringLiteral(" ")), row, 5);
    }
    top->addWidget(frame);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command10.create(w, QStringLiteral("menu")));
    buttons->addWidget(Command7.create(w, QStringLiteral("DATA")));
    buttons->addWidget(Command1.create(w, QStringLiteral("登録実行")));
    buttons->addStretch(1);
    top->addLayout(buttons);
}

// 登録実行: totals the six holdings and saves the record.
void Form4::Command1_Click() {
    try {
        companyCode = toWhole(Text1.text());
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    if (!hold.maySave(kTitle, schedule2Path(companyCode)))
        return;
    holderTexts[0] = Text5.text();
    for (int r = 1; r <= 6; ++r) {
        holderTexts[4 * r - 3] = rankBox(r).text();
        holderTexts[4 * r - 2] = addressBox(r).text();
        holderTexts[4 * r - 1] = nameBox(r).text();
        holderTexts[4 * r] = relationBox(r).text();
    }
    std::array<std::int32_t, 6> holdings{};
    for (int r = 1; r <= 6; ++r) {
        holdings[r - 1] = readBoxOrZero(holdingBox(r).text());
        holderAmounts[2 + r] = holdings[r - 1];
    }
    holderAmounts[1] = readBoxOrZero(Text3.text());
    holderAmounts[2] = readBoxOrZero(Text4.text());

    try {
        // What 期末現在の発行済株式金額 held is replaced by the sum of the rows.
        holderAmounts[0] = holdingsTotal(holdings);
        Text2.setText(fmtAmount(holderAmounts[0]));
        Text3.setText(fmtAmount(holderAmounts[1]));
        writeSchedule2(companyCode, Schedule2Record{holderTexts, holderAmounts});
        hold.written(schedule2Path(companyCode));
    } catch (const Error &e) {
        actionErrorBox(e, kTitle);
        return;
    }
    beep();
}

// DATA: reloads the window from the record of the code in Text1.
void Form4::Command7_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    companyCode = code;
    for (int r = 1; r <= 6; ++r) {
        if (r > 1) {
            rankBox(r).setText(QString());
            relationBox(r).setText(QString());
        }
        addressBox(r).setText(QString());
        nameBox(r).setText(QString());
        holdingBox(r).setText(QString());
    }

    Schedule2Record rec;
    if (hold.load(schedule2Path(code), kTitle, [&] { rec = readSchedule2(code); }) != RecordRead::read) {
        // No record for this company, or one that cannot be read: start it as a fresh window does, so that
        // nothing of the company shown before is saved under this code.
        holderTexts = {};
        holderAmounts = {};
        Text5.setText(kVerdict);
        rankBox(1).setText(kFirstRank);
        relationBox(1).setText(kFirstRelation);
        Text2.setText(QString());
        Text3.setText(QString());
        Text4.setText(QString());
        return;
    }
    holderTexts = rec.holderTexts;
    holderAmounts = rec.holderAmounts;

    Text5.setText(holderTexts[0]);
    for (int r = 1; r <= 6; ++r) {
        rankBox(r).setText(holderTexts[4 * r - 3]);
        addressBox(r).setText(holderTexts[4 * r - 2]);
        nameBox(r).setText(holderTexts[4 * r - 1]);
        relationBox(r).setText(holderTexts[4 * r]);
        holdingBox(r).setText(fmtAmount(holderAmounts[2 + r]));
    }
    Text2.setText(fmtAmount(holderAmounts[0]));
    Text3.setText(fmtAmount(holderAmounts[1]));
    // The percentage is worked out again from the holdings; where it cannot be (no holdings), the box shows
    // the percentage this company's record keeps rather than whatever the previous company left there.
    const std::optional<std::int32_t> percent = familyCompanyPercentage(holderAmounts[1], holderAmounts[0]);
    Text4.setText(fmtAmount(percent ? *percent : holderAmounts[2]));
}

// 同数: the top three hold everything, as the last save or DATA totalled it.
void Form4::Command2_Click() {
    holderAmounts[1] = holderAmounts[0];
    Text3.setText(fmtAmount(holderAmounts[1]));
    press(Command1);
}

void Form4::Command3_Click() { Text4.setText(QStringLiteral("100")); }

void Form4::Command10_Click() { showMenu(); }

// A click on a row's check box, marking or clearing it, empties that row's holding.
void Form4::Check1_Click() { holdingBox(1).setText(QString()); }
void Form4::Check2_Click() { holdingBox(2).setText(QString()); }
void Form4::Check3_Click() { holdingBox(3).setText(QString()); }
void Form4::Check4_Click() { holdingBox(4).setText(QString()); }
void Form4::Check5_Click() { holdingBox(5).setText(QString()); }
void Form4::Check6_Click() { holdingBox(6).setText(QString()); }

Form4 &form4() { return loadedForm<Form4>(); }

} // namespace hz
