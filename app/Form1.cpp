#include "app/Form1.h"

#include "common/links.h"
#include "common/read_or_say.h"
#include "common/settle.h"
#include "company/Form17.h"
#include "company/Form19.h"
#include "company/Form2.h"
#include "company/Form21.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/Form10.h"
#include "platform/services.h"
#include "print/Form12.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"

#include <QGridLayout>
#include <QSet>

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace hz {

namespace {

const QString kOpenTitle = QStringLiteral("会社呼出");

// Steps of the company chains that reach the schedule windows. Each window's work fills in its own steps.
namespace scheduleWindows {
// The code into the company-code box of every schedule window, and Schedule 1's prefectural interim box emptied.
void takeOpenedCode(const QString &code) {
    form3().Text100.setText(code);
    form4().Text1.setText(code);
    form5().Text100.setText(code);
    form6().Text1.setText(code);
    form7().Text1.setText(code);
    form13().Text19.setText(code);
    form8().Text1.setText(code);
    form11().Text1.setText(code);
    form15().Text100.setText(code);
    form16().Text100.setText(code);
    form3().Text27.setText(QString());
}
// The data buttons of the schedule windows, in the order the company is loaded.
void pressDataButtons() {
    press(form3().Command8);
    press(form4().Command7);
    press(form5().Command7);
    press(form6().Command7);
    press(form7().Command20);
    press(form7().Command20);
    press(form13().Command19);
    press(form8().Command9);
    press(form8().Command10);
    press(form8().Command11);
}
void takeScheduleOneCode(const QString &code) { form3().Text100.setText(code); }
void pressSchedule4Compute() { press(form5().Command4); }
void pressSchedule1Compute() { press(form3().Command4); }
void pressSchedule1Data() { press(form3().Command8); }
void pressSchedule5_1Compute() { press(form6().Command1); }
void pressSchedule5_2Computes() {
    press(form7().Command19);
    press(form13().Command20);
}
void showSchedule1() { form3().show(); }
// The bulk input's "クリア", which the exit presses.
void clearBulkInput() { press(form14().Command6); }
} // namespace scheduleWindows

} // namespace

Form1::Form1() : Form(QStringLiteral("Form1"), QStringLiteral("法人税の目次")) {
    List1.onClick([this] { List1_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command8.onClick([this] { Command8_Click(); });
    Command9.onClick([this] { Command9_Click(); });
    Command10.onClick([this] { Command10_Click(); });
    Command11.onClick([this] { Command11_Click(); });
    Command12.onClick([this] { Command12_Click(); });
    Command13.onClick([this] { Command13_Click(); });
    Command14.onClick([this] { Command14_Click(); });
    Command15.onClick([this] { Command15_Click(); });
    Command16.onClick([this] { Command16_Click(); });
    Command17.onClick([this] { Command17_Click(); });
    Command18.onClick([this] { Command18_Click(); });
    Command19.onClick([this] { Command19_Click(); });
    Command20.onClick([this] { Command20_Click(); });
    Command21.onClick([this] { Command21_Click(); });
    Command22.onClick([this] { Command22_Click(); });
    Command23.onClick([this] { Command23_Click(); });
    Command24.onClick([this] { Command24_Click(); });
    Command25.onClick([this] { Command25_Click(); });
    Command26.onClick([this] { Command26_Click(); });
    Command27.onClick([this] { Command27_Click(); });
}

void Form1::setupUi(QWidget *w) {
    w->resize(900, 560);
    auto *top = new QVBoxLayout(w);

    // The open company: code, name and business year.
    auto *company = new QGridLayout;
    Label1.create(w, QStringLiteral("会社コード"));
    Label2.create(w, QStringLiteral("会社名"));
    company->addWidget(Label1.widget(), 0, 0);
    auto *code = Text1.create(w);
    code->setMaximumWidth(80);
    company->addWidget(code, 0, 1);
    company->addWidget(Label2.widget(), 0, 2);
    auto *name = Text2.create(w);
    name->setMinimumWidth(260);
    company->addWidget(name, 0, 3, 1, 7);
    auto addPeriod = [&](int row, TextBox &label, const QString &caption, TextBox &y, TextBox &m, TextBox &d) {
        auto *l = label.create(w, caption);
        l->setReadOnly(true);
        l->setFrame(false);
        l->setFocusPolicy(Qt::NoFocus);
        l->setStyleSheet(QStringLiteral("background: transparent;"));
        l->setMaximumWidth(60);
        company->addWidget(l, row, 2);
        int col = 3;
        for (TextBox *box : {&y, &m, &d}) {
            auto *e = box->create(w);
            e->setMaximumWidth(50);
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            company->addWidget(e, row, col++);
        }
    };
    addPeriod(1, Text10, QStringLiteral("自平成"), Text13, Text14, Text15);
    addPeriod(2, Text16, QStringLiteral("至平成"), Text17, Text18, Text19);
    company->setColumnStretch(9, 1);
    top->addLayout(company);
    Text3.create(w)->hide();

    auto *body = new QHBoxLayout;
    auto *listColumn = new QVBoxLayout;
    auto *list = List1.create(w);
    list->setMinimumWidth(340);
    listColumn->addWidget(list, 1);
    // The list's own refresh stands under it.
    listColumn->addWidget(Command17.create(w, QStringLiteral("法人税の目次")), 0, Qt::AlignLeft);
    body->addLayout(listColumn, 1);

    auto *buttons = new QVBoxLayout;
    auto frame = [&](Frame &f, const QString &caption, std::initializer_list<std::pair<Button *, QString>> items,
                     int columns) {
        auto *box = f.create(w, caption);
        auto *grid = new QGridLayout(box);
        int i = 0;
        for (const auto &[button, text] : items) {
            auto *b = button->create(box, text);
            b->setMinimumWidth(std::max(140, b->sizeHint().width() + 12));
            grid->addWidget(b, i / columns, i % columns);
            ++i;
        }
        buttons->addWidget(box);
    };
    frame(Frame1, QStringLiteral("会社"),
          {{&Command2, QStringLiteral("会社呼出")},
           {&Command1, QStringLiteral("会社登録")},
           {&Command9, QStringLiteral("会社コードクリア")},
           {&Command19, QStringLiteral("一 括入 力")},
           {&Command13, QStringLiteral("データ")},
           {&Command16, QStringLiteral("法人税の目次")}},
          3);
    frame(Frame2, QStringLiteral("別表"),
          {{&Command12, QStringLiteral("別表一")},
           {&Command4, QStringLiteral("別表二")},
           {&Command5, QStringLiteral("別表四")},
           {&Command6, QStringLiteral("別五（一）")},
           {&Command15, QStringLiteral("資本積立")},
           {&Command7, QStringLiteral("別五（二）")},
           {&Command14, QStringLiteral("五（二）２")},
           {&Command8, QStringLiteral("別表六外")},
           {&Command23, QStringLiteral("税率の設定")}},
          3);
    frame(Frame3, QStringLiteral("その他"),
          {{&Command18, QStringLiteral("印  刷")},
           {&Command27, QStringLiteral("プリンタの変更")},
           {&Command26, QStringLiteral("初めて使う場合の注意書")},
           {&Command22, QStringLiteral("使用上の注意")},
           {&Command20, QStringLiteral("サポートセンターへ接続")},
           {&Command24, QStringLiteral("メールを出す")},
           {&Command25, QStringLiteral("Zevaziのホームページ")},
           {&Command10, QStringLiteral("ファイル閉鎖")},
           {&Command11, QStringLiteral("終　了")}},
          3);
    // The old print button and Schedule 11 are kept out of sight.
    Command3.create(w, QStringLiteral("印　刷"))->hide();
    Command21.create(w, QStringLiteral("別表十一"))->hide();
    buttons->addStretch(1);
    body->addLayout(buttons);
    top->addLayout(body, 1);
}

void Form1::Form_Load() {
    press(Command16);
    termsOfUseCheck();
}

void Form1::Form_QueryUnload(bool &, int unloadMode) {
    if (unloadMode == 0) {
        beep();
        endProgram();
    }
}

QString companyListItem(const CompanyProfileRecord &rec) {
    return (rec.companyCode < 100 ? QStringLiteral("0") : QString()) + plain(rec.companyCode) + QStringLiteral(" : ") +
           rec.companyName + QStringLiteral("  [平成") + plain(rec.periodStartYear) + u'.' +
           plain(rec.periodStartMonth) + u'.' + plain(rec.periodStartDay) + u']';
}

void Form1::Command17_Click() {
    List1.clear();
    // One look at the folder tells the codes taken, where a probe of each of the 999 files took longer than
    // reading the profiles themselves.
    // A folder or anything else standing where a profile should be is taken too, so that it is said below.
    const QStringList names = entryNamesIn(dataroot::profiles);
    const QSet<QString> present(names.begin(), names.end());
    for (int code = firstCompanyCode; code <= lastCompanyCode; ++code) {
        if (!present.contains(profilePath(code).mid(dataroot::profilePrefix.size())))
            continue;
        // A profile that cannot be read leaves that code out of the list, and is said.
        CompanyProfileRecord rec;
        if (readRecordOrSay(profilePath(code), caption(), [&] { readProfile(code, rec, 19); }) == RecordRead::read)
            List1.addItem(companyListItem(rec));
    }
}

void Form1::Command16_Click() {
    List1.clear();
    show();
    press(Command17);
}

void showMenu() { form1().show(); }
void backToMenu() { press(form1().Command16); }

void Form1::List1_Click() {
    const QString first3 = List1.itemText(List1.listIndex()).left(3);
    Text1.setText(fmtAmount(std::int64_t(toWhole(first3))));
    press(Command2);
}

void Form1::Command2_Click() {
    try {
        const std::int32_t code = toWhole(Text1.text());
        // The profile is read before anything else changes, so a company that cannot be opened leaves every
        // window as it was.
        CompanyProfileRecord rec;
        if (readRequiredRecordOrSay(profilePath(code), kOpenTitle, [&] { readProfile(code, rec, 16); }) !=
            RecordRead::read) {
            Text1.setText(QString());
            Text2.setText(QString());
            return;
        }
        currentCode = code;
        scheduleWindows::takeOpenedCode(plain(code));
        profile = rec;
        Text2.setText(rec.companyName);
        showBusinessYear(rec, {&Text13, &Text14, &Text15, &Text17, &Text18, &Text19});
        settleRecords(code, [this] {
            scheduleWindows::pressDataButtons();
            currentCode = toWhole(Text1.text());
            scheduleWindows::takeScheduleOneCode(plain(currentCode));
            scheduleWindows::pressSchedule4Compute();
            scheduleWindows::pressSchedule1Compute();
            scheduleWindows::showSchedule1();
            scheduleWindows::pressSchedule5_1Compute();
            press(Command12);
            scheduleWindows::pressSchedule5_1Compute();
            scheduleWindows::pressSchedule1Compute();
            // Schedule 5(2) takes this year's taxes from Schedule 1 and has the last word on Schedule 5(1)'s
            // unpaid taxes in every other chain; computed here too, opening leaves what they leave.
            scheduleWindows::pressSchedule5_2Computes();
            scheduleWindows::pressSchedule1Compute();
        });
    } catch (const Error &e) {
        actionErrorBox(e, kOpenTitle);
        Text1.setText(QString());
        Text2.setText(QString());
    }
}

void Form1::showCompany(const CompanyProfileRecord &rec) {
    currentCode = rec.companyCode;
    profile = rec;
    Text1.setText(plain(rec.companyCode));
    Text2.setText(rec.companyName);
    showBusinessYear(rec, {&Text13, &Text14, &Text15, &Text17, &Text18, &Text19});
}

void Form1::Command12_Click() {
    try {
        currentCode = toWhole(Text1.text());
        scheduleWindows::takeScheduleOneCode(plain(currentCode));
        scheduleWindows::pressSchedule1Data();
        scheduleWindows::pressSchedule4Compute();
        scheduleWindows::pressSchedule1Compute();
        scheduleWindows::showSchedule1();
    } catch (const Error &e) {
        actionErrorBox(e, QStringLiteral("別表一"));
    }
}

void Form1::Command9_Click() {
    Text1.setText(QString());
    Text2.setText(QString());
}

void Form1::Command10_Click() {
    closeSharedHandle();
    beep();
}

void Form1::Command11_Click() {
    beep();
    // The clean-up may fail (no scratch folder, a file left in it); the program ends all the same.
    try {
        scheduleWindows::clearBulkInput();
    } catch (const Error &) {
    }
    try {
        removeFolder(dataroot::temp);
    } catch (const Error &) {
    }
    endProgram();
}

// Navigation to windows that come with later work does nothing until they exist.
void Form1::Command1_Click() {
    // Any error abandons the action without a message.
    try {
        Form2 &f = form2();
        f.Text100.setText(plain(currentCode));
        press(f.Command9);
        f.show();
    } catch (const Error &) {
    }
}

void Form1::Command4_Click() { form4().show(); }

void Form1::Command5_Click() {
    press(form5().Command4);
    form5().show();
}

void Form1::Command6_Click() {
    form6().Command8.setCaption(QStringLiteral("別四と別五の関係"));
    form6().show();
}

void Form1::Command7_Click() {
    press(form7().Command20);
    press(form7().Command20);
    form7().show();
}
void Form1::Command8_Click() {
    press(form8().Command9);
    form8().show();
}
void Form1::Command13_Click() {
    Form10 &f = form10();
    for (TextBox *box :
         {&f.Text6, &f.Text5, &f.Text13, &f.Text14, &f.Text15, &f.Text17, &f.Text18, &f.Text19, &f.Text39})
        box->setText(QString());
    f.setBackColor(vbColor(0x8000000F));
    f.Text100.setText(plain(currentCode));
    f.show();
}

void Form1::Command14_Click() {
    form13().Command21.setCaption(QStringLiteral("租税公課の合計額"));
    form13().show();
}
void Form1::Command15_Click() {
    form11().Text1.setText(plain(currentCode));
    press(form11().Command7);
    form11().show();
}

void Form1::Command18_Click() {
    // Any error abandons the action without a message.
    try {
        Form12 &f = form12();
        f.Text1.setText(plain(currentCode));
        press(f.Command1);
        for (TextBox *box : {&f.Text27, &f.Text28, &f.Text29, &f.Text30, &f.Text31, &f.Text32, &f.Text33, &f.Text34})
            box->setText(QString());
        press(f.Command42);
        f.show();
    } catch (const Error &) {
    }
}

void Form1::Command19_Click() {
    // Any error (a code box that is not a number) abandons the action without a message, before anything is
    // written.
    try {
        currentCode = toWhole(Text1.text());
        form14().Text1.setText(plain(currentCode));
        form14().Text100.setText(Text2.text());
        press(form14().Command3);
        form14().show();
    } catch (const Error &) {
    }
}
void Form1::Command21_Click() {
    form15().show();
    press(form15().Command2);
}
void Form1::Command22_Click() { form17().show(); }
void Form1::Command23_Click() {
    form18().show();
    press(form18().Command8);
}
void Form1::Command26_Click() { form19().show(); }
void Form1::Command27_Click() { form21().show(); }

void Form1::Command20_Click() { links::open(links::supportForum); }
void Form1::Command24_Click() { links::open(links::mailTarget(links::mailAddress)); }
void Form1::Command25_Click() { links::open(links::homePage); }

Form1 &form1() { return loadedForm<Form1>(); }

} // namespace hz
