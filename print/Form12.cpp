#include "print/Form12.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "common/settle.h"
#include "company/Form2.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"
#include "print/pages.h"
#include "print/print_counters.h"
#include "print/print_failures.h"
#include "print/print_load.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {

const QString kPrintTitle = QStringLiteral("印刷");
const QString kNoRepresentative = QStringLiteral("代表者名・印刷なし");
const QString kSelected = QStringLiteral("●");

// The page buttons: the fourteen counted pages in counter order (counter i is box Text5+i), then the pages
// without a counter.
struct PageButton {
    Button Form12::*button;
    const char16_t *caption;
};
constexpr PageButton kPageButtons[] = {
    {&Form12::Command12, u"別表一"},
    {&Form12::Command4, u"別表二"},
    {&Form12::Command22, u"別表四"},
    {&Form12::Command23, u"別五（一）"},
    {&Form12::Command7, u"別五（二）"},
    {&Form12::Command8, u"別表六"},
    {&Form12::Command14, u"別表七"},
    {&Form12::Command13, u"別表十五"},
    {&Form12::Command3, u"法人県民税"},
    {&Form12::Command2, u"県税の欠損金"},
    {&Form12::Command10, u"利子割控除"},
    {&Form12::Command16, u"利子の愛知県"},
    {&Form12::Command9, u"法人市民税"},
    {&Form12::Command11, u"市民税入力用"},
    {&Form12::Command26, u"税務署用紙・別表一"},
    {&Form12::Command25, u"税務代理権限書"},
    {&Form12::Command5, u"別表十一"},
};
constexpr int kCountedPages = 14;

// The window's colours, as the window system writes them (&H00BBGGRR).
namespace colour {
constexpr unsigned schedulePage = 0x00FFC0FF; // the schedule pages and the clear buttons
constexpr unsigned localPage = 0x00FFFFC0;    // the attachments of the local returns
constexpr unsigned officeSheet = 0x00FFFF80;
constexpr unsigned authority = 0x00C0E0FF;
constexpr unsigned counter = 0x00C0FFFF;
constexpr unsigned blue = 0x00FF0000;
constexpr unsigned red = 0x000000FF;
constexpr unsigned menu = 0x80000004; // the system's menu colour
} // namespace colour

} // namespace

void recomputeSchedulesBeforePrint() {
    press(form3().Command4);   // 別表一 計算実行
    press(form4().Command1);   // 別表二 登録実行
    press(form5().Command4);   // 別表四 計 算 実 行
    press(form6().Command1);   // 別表五（一） 計算実行
    press(form7().Command20);  // 別表五（二） DATA
    press(form7().Command19);  // 別表五（二） 計算実行
    press(form13().Command20); // 別表五（二）の２ 計算実行
    press(form8().Command1);   // 別表六
    press(form8().Command2);   // 別表七
    press(form8().Command3);   // 別表十五
    press(form11().Command7);  // 資本金等 DATA, which computes and saves it
}

Form12::Form12() : Form(QStringLiteral("Form12"), QStringLiteral("A4コピー用紙に印刷")) {
    Command1.onClick([this] { Command1_Click(); });
    Command15.onClick([this] { Command15_Click(); });
    Command18.onClick([this] { Command18_Click(); });
    Command19.onClick([this] { Command19_Click(); });
    Command20.onClick([this] { Command20_Click(); });
    Command21.onClick([this] { Command21_Click(); });
    Command32.onClick([this] { Command32_Click(); });
    Command33.onClick([this] { Command33_Click(); });
    Command34.onClick([this] { Command34_Click(); });
    for (const PageButton &p : kPageButtons) {
        const QString caption = QString::fromUtf16(p.caption);
        (this->*p.button).onClick([this, caption] { printPageButton(caption); });
    }
    // Command6 "法人事業税" has nothing to print alone: the prefectural return draws the enterprise-tax boxes
    // inside its own job.
    Command24.onClick([this] { Command24_Click(); });
    Command27.onClick([this] { Command27_Click(); });
    Command28.onClick([this] { Command28_Click(); });
    Command29.onClick([this] { Command29_Click(); });
    Command43.onClick([this] { Command43_Click(); });
    Command42.onClick([this] { Command42_Click(); });
    Command44.onClick([this] { Command44_Click(); });
    Command30.onClick([this] { Command30_Click(); });
    Command31.onClick([this] { Command31_Click(); });
    for (int i = 1; i <= 7; ++i)
        selectionToggle(i)->onClick([this, i] { toggleSelection(i); });
    Command17.onClick([this] { Command17_Click(); });
}

TextBox *Form12::printCounter(int i) {
    TextBox *boxes[] = {&Text6,  &Text7,  &Text8,  &Text9,  &Text10, &Text11, &Text12,
                        &Text13, &Text14, &Text15, &Text16, &Text17, &Text18, &Text19};
    return boxes[i - 1];
}

Button *Form12::selectionToggle(int i) {
    Button *toggles[] = {&Command35, &Command36, &Command37, &Command38, &Command39, &Command40, &Command41};
    return toggles[i - 1];
}

TextBox *Form12::clickCounter(int i) {
    TextBox *boxes[] = {&Text27, &Text28, &Text29, &Text30, &Text31, &Text32, &Text33, &Text34};
    return boxes[i - 1];
}

Button *Form12::batchPage(int position) {
    Button *pages[] = {&Command4, &Command22, &Command23, &Command7, &Command8, &Command14, &Command13};
    return pages[position - 1];
}

// ---- The window ----

void Form12::setupUi(QWidget *w) {
    auto *outer = new QHBoxLayout(w);
    outer->setSpacing(14);

    auto fixedCaption = [](TextBox &box, QWidget *parent, const QString &text) {
        QLineEdit *e = box.create(parent, text);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFixedWidth(72);
        box.setBackColor(vbColor(colour::menu));
        return e;
    };
    auto summary = [&](Label &label, unsigned back) {
        QLabel *l = label.create(w, QStringLiteral(" "));
        label.setBackColor(vbColor(back));
        label.setForeColor(Qt::white);
        l->setMinimumHeight(26);
        l->setContentsMargins(8, 2, 8, 2);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };

    // Left: what was loaded, the addressees, the special fields and the tax accountant.
    auto *left = new QVBoxLayout;
    left->addWidget(summary(Label1, colour::blue));
    left->addWidget(summary(Label2, colour::red));
    for (auto [box, hint] : {std::pair{&Text2, "県税事務所"}, std::pair{&Text3, "市役所・区役所"}}) {
        QLineEdit *e = box->create(w, QString());
        e->setPlaceholderText(QString::fromUtf8(hint));
        e->setToolTip(QString::fromUtf8(hint));
        box->setBackColor(vbColor(palette::lightGrey));
        left->addWidget(e);
    }

    QGroupBox *special = Frame5.create(w, QStringLiteral("特設欄"));
    auto *specialLayout = new QVBoxLayout(special);
    QGroupBox *bank = Frame3.create(special, QStringLiteral("還付先銀行名"));
    auto *bankGrid = new QGridLayout(bank);
    bankGrid->addWidget(fixedCaption(Text41, bank, QStringLiteral("銀行")), 0, 0);
    bankGrid->addWidget(Text38.create(bank, QString()), 0, 1, 1, 3);
    bankGrid->addWidget(fixedCaption(Text42, bank, QStringLiteral("支店")), 1, 0);
    bankGrid->addWidget(Text39.create(bank, QString()), 1, 1, 1, 3);
    bankGrid->addWidget(fixedCaption(Text43, bank, QStringLiteral("口座番号")), 2, 0);
    bankGrid->addWidget(Text40.create(bank, QString()), 2, 1, 1, 3);
    bankGrid->addWidget(Command18.create(bank, QStringLiteral("当座預金")), 3, 1);
    bankGrid->addWidget(Command19.create(bank, QStringLiteral("普通預金")), 3, 2);
    QLabel *type = Label11.create(bank);
    type->setMinimumWidth(40);
    type->setAlignment(Qt::AlignCenter);
    bankGrid->addWidget(type, 3, 3);
    bankGrid->setColumnStretch(3, 1);
    specialLayout->addWidget(bank);
    QGroupBox *staff = Frame4.create(special);
    auto *staffGrid = new QGridLayout(staff);
    staffGrid->addWidget(fixedCaption(Text46, staff, QStringLiteral("従業員数")), 0, 0);
    staffGrid->addWidget(Text44.create(staff, QString()), 0, 1);
    staffGrid->addWidget(fixedCaption(Text47, staff, QStringLiteral("区　　名")), 1, 0);
    staffGrid->addWidget(Text45.create(staff, QString()), 1, 1);
    specialLayout->addWidget(staff);
    auto *specialButtons = new QHBoxLayout;
    specialButtons->addWidget(Command20.create(special, QStringLiteral("特設欄データ呼　出")));
    specialButtons->addWidget(Command21.create(special, QStringLiteral("特設欄データ登　録")));
    Command21.setBackColor(vbColor(colour::schedulePage));
    specialLayout->addLayout(specialButtons);
    left->addWidget(special);

    QGroupBox *accountant = Frame6.create(w);
    auto *accGrid = new QGridLayout(accountant);
    int row = 0;
    for (auto [label, caption, box] :
         {std::tuple{&Label13, "税理士名", &Text58}, std::tuple{&Label5, "住　　　所", &Text21},
          std::tuple{&Label15, "電話番号", &Text59}, std::tuple{&Label6, "登録番号", &Text22},
          std::tuple{&Label7, "支部名", &Text23}}) {
        accGrid->addWidget(label->create(accountant, QString::fromUtf8(caption)), row, 0);
        accGrid->addWidget(box->create(accountant, QString()), row, 1, 1, 2);
        ++row;
    }
    accGrid->addWidget(Option1.create(accountant, QStringLiteral("印刷する")), row, 0);
    accGrid->addWidget(Option2.create(accountant, QStringLiteral("印刷しない")), row, 1);
    Option1.setVisible(false);
    Option2.setVisible(false);
    accGrid->addWidget(Command15.create(accountant, QStringLiteral("登録実行")), row, 2, Qt::AlignRight);
    accGrid->setColumnStretch(1, 1);
    left->addWidget(accountant);
    left->addStretch(1);
    outer->addLayout(left, 5);

    // Middle: the representative, the tax office's sheet and the sets.
    auto *middle = new QVBoxLayout;
    middle->addWidget(Command33.create(w, QStringLiteral("代表者名")));
    middle->addWidget(Command32.create(w, QStringLiteral("代表者名クリア")));
    middle->addWidget(Command34.create(w, QStringLiteral("代表者名の登録")));
    QLineEdit *representative = Text26.create(w, QString());
    representative->setMinimumWidth(170);
    Text26.setBackColor(vbColor(palette::lightGrey));
    middle->addWidget(representative);
    middle->addSpacing(18);
    middle->addWidget(Command26.create(w, QStringLiteral("税務署用紙・別表一")));
    Command26.setBackColor(vbColor(colour::officeSheet));
    middle->addSpacing(18);
    for (auto [button, caption] : {std::pair{&Command27, "１部一括印刷"}, std::pair{&Command28, "２部一括印刷"},
                                   std::pair{&Command29, "３部一括印刷"}, std::pair{&Command43, "●を選択印刷"}})
        middle->addWidget(button->create(w, QString::fromUtf8(caption)));
    middle->addSpacing(18);
    middle->addWidget(Command30.create(w, QStringLiteral("県税一括印刷")));
    middle->addWidget(Command31.create(w, QStringLiteral("市民税税一括印刷")));
    middle->addStretch(1);
    outer->addLayout(middle, 3);

    // Right: the page buttons in one column, each with its counter and, for the seven schedules, its toggle.
    auto *right = new QGridLayout;
    right->setHorizontalSpacing(6);
    right->setVerticalSpacing(3);
    right->addWidget(Command17.create(w, QStringLiteral("menu")), 0, 0);
    QLabel *heading = Label4.create(w, QStringLiteral("印 刷 実 行"));
    heading->setAlignment(Qt::AlignCenter);
    right->addWidget(heading, 1, 0);
    QLineEdit *countHeading = Text20.create(w, QStringLiteral("枚数"));
    countHeading->setReadOnly(true);
    countHeading->setFocusPolicy(Qt::NoFocus);
    countHeading->setAlignment(Qt::AlignCenter);
    countHeading->setFixedWidth(52);
    right->addWidget(countHeading, 1, 1);
    for (int i = 1; i <= kCountedPages; ++i) {
        const PageButton &p = kPageButtons[i - 1];
        Button &b = this->*p.button;
        QPushButton *button = b.create(w, QString::fromUtf16(p.caption));
        button->setMinimumWidth(150);
        b.setBackColor(vbColor(i == 1 || (i >= 2 && i <= 9) || i == 13 ? colour::schedulePage : colour::localPage));
        right->addWidget(button, i + 1, 0);
        QLineEdit *count = printCounter(i)->create(w, QString());
        count->setFixedWidth(52);
        printCounter(i)->setRightAligned();
        printCounter(i)->setBackColor(vbColor(colour::counter));
        right->addWidget(count, i + 1, 1);
    }
    // The toggles stand on the rows of 別表二 to 別表十五, under "一括" on the row of 別表一; "クリア" closes the
    // column on the row of 法人県民税.
    right->addWidget(Command44.create(w, QStringLiteral("一括")), 2, 2);
    for (int i = 1; i <= 7; ++i) {
        QPushButton *toggle = selectionToggle(i)->create(w, QString());
        toggle->setFixedWidth(52);
        right->addWidget(toggle, i + 2, 2);
    }
    right->addWidget(Command42.create(w, QStringLiteral("クリア")), 10, 2);
    right->addWidget(Command24.create(w, QStringLiteral("クリア")), kCountedPages + 2, 1);
    for (Button *b : {&Command44, &Command42, &Command24}) {
        b->setBackColor(vbColor(colour::schedulePage));
        static_cast<QPushButton *>(b->widget())->setFixedWidth(52);
    }
    right->addWidget(Command25.create(w, QStringLiteral("税務代理権限書")), kCountedPages + 3, 0);
    Command25.setBackColor(vbColor(colour::authority));
    QLabel *a4 = Label3.create(w, QStringLiteral("Ａ４用紙"));
    Label3.setBackColor(vbColor(colour::red));
    Label3.setForeColor(Qt::white);
    a4->setAlignment(Qt::AlignCenter);
    a4->setMinimumHeight(26);
    right->addWidget(a4, kCountedPages + 4, 0);
    right->setRowStretch(kCountedPages + 5, 1);
    outer->addLayout(right, 0);

    // Stores, the load the menu presses and the buttons only code presses; never shown.
    Text1.create(w, QString())->hide();
    Text1.setBackColor(vbColor(palette::yellow));
    Command1.create(w, QStringLiteral("データ"))->hide();
    Command5.create(w, QStringLiteral("別表十一"))->hide();
    Command6.create(w, QStringLiteral("法人事業税"))->hide();
    for (int i = 1; i <= 8; ++i) {
        clickCounter(i)->create(w, QString())->hide();
        clickCounter(i)->setBackColor(vbColor(palette::magenta));
    }
    for (PictureBox *p : {&Picture1, &Picture2, &Picture3, &Picture4, &Picture5, &Picture6, &Picture7, &Picture8})
        p->create(w)->hide();
    Text24.create(w, QString())->hide();
    Text25.create(w, QString())->hide();
}

void Form12::Command17_Click() { showMenu(); }

// The close box ends the whole program; any other unload only unloads the window.
void Form12::Form_QueryUnload(bool &cancel, int unloadMode) {
    (void)cancel;
    if (unloadMode == 0) {
        beep();
        endProgram();
    }
}

// ---- loadPrintData ----

void Form12::showEmptyPrintData() {
    Label1.setCaption(QStringLiteral(" "));
    Label2.setCaption(QStringLiteral(" "));
    Label11.setCaption(QString());
    for (TextBox *box : {&Text26, &Text2, &Text3, &Text38, &Text39, &Text40, &Text44, &Text45})
        box->setText(QString());
}

// A window that holds another company (or none, after it was closed) first loads this company's records, as
// opening a company does, so that nothing of another company is computed and saved under this code.
void Form12::takeCompanyCode(std::int32_t code) {
    struct Window {
        TextBox *codeBox;
        std::vector<Button *> dataButtons;
    };
    const std::vector<Window> windows = {
        {&form3().Text100, {&form3().Command8}},
        {&form4().Text1, {&form4().Command7}},
        {&form5().Text100, {&form5().Command7}},
        {&form6().Text1, {&form6().Command7}},
        {&form7().Text1, {&form7().Command20}},
        {&form13().Text19, {&form13().Command19}},
        {&form8().Text1, {&form8().Command9, &form8().Command10, &form8().Command11}},
        // The capital part reads its record in the load's own step.
        {&form11().Text1, {}},
    };
    std::vector<Button *> toLoad;
    for (const Window &win : windows) {
        if (!holdsCompany(*win.codeBox, code))
            toLoad.insert(toLoad.end(), win.dataButtons.begin(), win.dataButtons.end());
        win.codeBox->setText(plain(code));
    }
    for (Button *b : toLoad)
        press(*b);
}

void Form12::Command1_Click() {
    // Nothing of the company loaded before stays behind to be printed as this one's.
    clearCompanyPrintData(data);
    showEmptyPrintData();
    // A load, whether it reads the company or not: special fields typed before it are not given afresh for it.
    specialFieldHold.startAfresh();

    // The menu always hands a number; anything else ends the load at once.
    std::int32_t code = 0;
    try {
        code = toWhole(Text1.text());
    } catch (const Error &) {
        return;
    }
    data.companyNumbers[1] = code;
    // A company without a readable profile is not loaded at all, before any schedule window changes. Its special
    // fields are not read either, so none are saved from the emptied boxes; the accountant, which is every
    // company's, is, so that its boxes show what its save would write.
    try {
        bool shortForm = false;
        readProfileForPrint(code, shortForm);
    } catch (const Error &e) {
        actionErrorBox(e, kPrintTitle);
        specialFieldHold.hold(profilePath(code), e, specialFieldPath(code));
        loadTaxAccountant();
        return;
    }

    takeCompanyCode(code);
    settleRecords(code, recomputeSchedulesBeforePrint);
    press(Command20);
    loadTaxAccountant();

    try {
        bool shortForm = false;
        CompanyProfileRecord profile = readProfileForPrint(code, shortForm);
        if (shortForm)
            profile.representativeName.clear();
        takeProfile(profile, data);
        Text26.setText(data.companyTexts[9]);
        if (shortForm) {
            // Given back its full layout, with no representative's name.
            try {
                writeProfile(code, profile);
            } catch (const Error &e) {
                msgBox(QStringLiteral("会社情報のデータ（%1）を書き直せません。%2")
                           .arg(profilePath(code), e.description()),
                       mb::OkWarning, kPrintTitle);
            }
        }
        readScheduleRecords(data.companyNumbers[1], data);
    } catch (const Error &e) {
        actionErrorBox(e, kPrintTitle);
        return;
    }
    Label1.setCaption(QStringLiteral("所得金額: ") + fmtAmount(data.sched1Amounts[1]));
    Label2.setCaption(QStringLiteral("繰越欠損: ") + fmtNegAmount(data.sched7Amounts[23]));
}

// The accountant signs for every company: a file that cannot be read is said, and the company still loads.
void Form12::loadTaxAccountant() {
    accountantHold.startAfresh();
    try {
        readTaxAccountant(data.accountantTexts);
        accountantHold.release();
    } catch (const Error &e) {
        actionErrorBox(e, kPrintTitle);
        accountantHold.hold(taxAccountantPath(), e);
    }
    Text58.setText(data.accountantTexts[1]);
    Text59.setText(data.accountantTexts[2]);
    Text21.setText(data.accountantTexts[3]);
    Text22.setText(data.accountantTexts[4]);
    Text23.setText(data.accountantTexts[5]);
}

// ---- Settings ----

// 登録実行: the tax accountant for every company.
void Form12::Command15_Click() {
    if (!accountantHold.maySave(caption()))
        return;
    auto &a = data.accountantTexts;
    a[1] = Text58.text();
    a[2] = Text59.text();
    a[3] = Text21.text();
    a[4] = Text22.text();
    a[5] = Text23.text();
    try {
        writeTaxAccountant(a);
        accountantHold.release();
    } catch (const Error &e) {
        actionErrorBox(e, caption());
    }
}

void Form12::Command18_Click() {
    data.refundBankTexts[4] = QStringLiteral("当座預金");
    Label11.setCaption(QStringLiteral("当座"));
}

void Form12::Command19_Click() {
    data.refundBankTexts[4] = QStringLiteral("普通預金");
    Label11.setCaption(QStringLiteral("普通"));
}

// 特設欄データ呼　出.
void Form12::Command20_Click() {
    specialFieldHold.startAfresh();
    const std::int32_t code = toWhole(Text1.text());
    data.companyNumbers[1] = code;
    for (TextBox *box : {&Text38, &Text39, &Text40, &Text44, &Text45, &Text2, &Text3})
        box->setText(QString());

    SpecialFieldRecord rec;
    bool found = false;
    bool olderForm = false;
    try {
        found = readSpecialFieldsForPrint(code, rec, olderForm);
        specialFieldHold.release();
    } catch (const Error &e) {
        rec = {};
        actionErrorBox(e, kPrintTitle);
        specialFieldHold.hold(specialFieldPath(code), e);
    }
    // A company without a readable record has no refund account, employees or ward here: nothing of another
    // company stays.
    auto &r = data.refundBankTexts;
    r[1] = rec.refundBankName;
    r[2] = rec.refundBranchName;
    r[3] = rec.refundAccountNumber;
    r[6] = rec.employeeCount;
    r[7] = rec.wardName;
    r[4] = rec.refundAccountType;
    // The older form has no addressees: those held stay.
    if (found && !olderForm) {
        data.specialFieldTexts[1] = rec.prefecturalAddressee;
        data.specialFieldTexts[2] = rec.municipalAddressee;
    }
    if (r[4] == QStringLiteral("当座預金"))
        Label11.setCaption(QStringLiteral("当座"));
    else if (r[4] == QStringLiteral("普通預金"))
        Label11.setCaption(QStringLiteral("普通"));
    Text38.setText(r[1]);
    Text39.setText(r[2]);
    Text40.setText(r[3]);
    Text44.setText(r[6]);
    Text45.setText(r[7]);
    Text2.setText(data.specialFieldTexts[1]);
    Text3.setText(data.specialFieldTexts[2]);
}

// 特設欄データ登　録.
void Form12::Command21_Click() {
    // Nothing is saved, and no beep says it was, for a company whose profile the load could not read, or whose
    // record it could not read and whose values the user has not typed again since.
    if (!isCompanyCode(data.companyNumbers[1])) {
        if (specialFieldHold.maySave(caption()))
            actionErrorBox(Error(companyCodeRangeText), caption());
        return;
    }
    if (!specialFieldHold.maySave(caption(), specialFieldPath(data.companyNumbers[1])))
        return;
    beep();
    auto &r = data.refundBankTexts;
    r[1] = Text38.text();
    r[2] = Text39.text();
    r[3] = Text40.text();
    r[6] = Text44.text();
    r[7] = Text45.text();
    data.specialFieldTexts[1] = Text2.text();
    data.specialFieldTexts[2] = Text3.text();
    const SpecialFieldRecord rec{
        r[1], r[2], r[3], r[6], r[7], r[4], data.specialFieldTexts[1], data.specialFieldTexts[2]};
    try {
        writeSpecialFields(data.companyNumbers[1], rec);
        specialFieldHold.written(specialFieldPath(data.companyNumbers[1]));
    } catch (const Error &e) {
        actionErrorBox(e, caption());
        return;
    }
    press(Command20);
}

// 代表者名クリア: the Schedule 1 pages print no representative; the profile keeps the name.
void Form12::Command32_Click() { Text26.setText(kNoRepresentative); }

// 代表者名: the whole load again, which puts the stored name back.
void Form12::Command33_Click() { press(Command1); }

// 代表者名の登録: the registration window on this company, where the name is changed and saved.
void Form12::Command34_Click() {
    try {
        Form2 &r = form2();
        r.Text100.setText(plain(data.companyNumbers[1]));
        press(r.Command9);
        press(r.Command7);
        r.show();
    } catch (const Error &) {
    }
}

// ---- Pages, counters and sets ----

void Form12::raisePrintCounter(int i) {
    TextBox *box = printCounter(i);
    const std::int32_t n = nextPrintCount(box->text());
    state.printCount[std::size_t(i)] = n;
    box->setText(plain(n));
}

void Form12::printPageButton(const QString &caption) {
    reportingPrintFailures([&] {
        const PageSpec *entry = pageSpec(caption);
        if (!entry)
            return;
        if (entry->counter != 0)
            raisePrintCounter(entry->counter);
        // Once the tax office's own sheet has been printed, the window says so for the rest of the run, whether
        // or not the page came out.
        if (caption == QStringLiteral("税務署用紙・別表一"))
            setCaption(QStringLiteral("別表一///税務署用紙"));
        // The Schedule 1 pages print the representative as the box holds him.
        if (caption == QStringLiteral("別表一") || caption == QStringLiteral("税務署用紙・別表一"))
            data.companyTexts[10] = Text26.text();
        try {
            printPage(*entry, data, state);
        } catch (const Error &e) {
            notePrintFailure(caption, e.description());
        }
    });
}

// クリア under the counters.
void Form12::Command24_Click() {
    for (int i = 1; i <= kCountedPages; ++i)
        printCounter(i)->setText(QString());
}

void Form12::pressBatch(int copies) {
    reportingPrintFailures([&] {
        for (int pass = 1; pass <= copies; ++pass)
            for (int position = 1; position <= 7; ++position)
                press(*batchPage(position));
    });
}

void Form12::Command27_Click() { pressBatch(1); }
void Form12::Command28_Click() { pressBatch(2); }
void Form12::Command29_Click() { pressBatch(3); }

void Form12::toggleSelection(int position) {
    const std::int16_t n = nextClickCount(clickCounter(position)->text());
    clickCounter(position)->setText(plain(n));
    selectionToggle(position)->setCaption(selectionCaption(n));
}

// 一括: every toggle follows the count of this button; their own counts stay.
void Form12::Command44_Click() {
    const std::int16_t n = nextClickCount(Text34.text());
    Text34.setText(plain(n));
    for (int i = 1; i <= 7; ++i)
        selectionToggle(i)->setCaption(selectionCaption(n));
}

// ●を選択印刷.
void Form12::Command43_Click() {
    reportingPrintFailures([&] {
        for (int position = 1; position <= 7; ++position)
            if (selectionToggle(position)->caption() == kSelected)
                press(*batchPage(position));
    });
}

// クリア under the toggles: no page selected and every counter empty; the click counts stay.
void Form12::Command42_Click() {
    for (int i = 1; i <= 7; ++i)
        selectionToggle(i)->setCaption(QString());
    press(Command24);
}

// 県税一括印刷: the return first and last, its attachments between.
void Form12::Command30_Click() {
    reportingPrintFailures([&] {
        for (Button *b : {&Command3, &Command2, &Command10, &Command16, &Command3})
            press(*b);
    });
}

// 市民税税一括印刷: the filing copy, the input copy, the filing copy.
void Form12::Command31_Click() {
    reportingPrintFailures([&] {
        for (Button *b : {&Command9, &Command11, &Command9})
            press(*b);
    });
}

Form12 &form12() { return loadedForm<Form12>(); }

} // namespace hz
