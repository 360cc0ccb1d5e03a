#include "company/Form2.h"

#include "app/Form1.h"
#include "common/settle.h"
#include "core/cp932.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/services.h"
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

const QString kRegisterTitle = QStringLiteral("会社登録");
const QString kLoadTitle = QStringLiteral("会社呼出");
const QString kSpecialTitle = QStringLiteral("特設欄");

// The code of a registered company goes into the company-code box of each schedule window.
// The capital part and the two Schedule 11 windows are not among them.
void writeCodeIntoScheduleWindows(const QString &code) {
    form3().Text100.setText(code);
    form4().Text1.setText(code);
    form5().Text100.setText(code);
    form6().Text1.setText(code);
    form7().Text1.setText(code);
    form13().Text19.setText(code);
    form8().Text1.setText(code);
}

// After the company is opened: the computes of Schedules 1, 2 (its save), 4, 5(1), 5(2) with its second window,
// 6, 7 and 15.
void pressScheduleComputes() {
    press(form3().Command4);
    press(form4().Command1);
    press(form5().Command4);
    press(form6().Command1);
    press(form7().Command19);
    press(form13().Command20);
    press(form8().Command1);
    press(form8().Command2);
    press(form8().Command3);
}

// Text code page 932 cannot hold is refused before anything is written, so a registration never stops between
// the profile and the special-field file.
void refuseUnencodable(const CompanyProfileRecord &p, const SpecialFieldRecord &s) {
    for (const QString *text :
         {&p.nameKana, &p.companyName, &p.taxAddress, &p.representativeKana, &p.representativeAddress, &p.businessType,
          &p.taxOfficeName, &p.telephone, &p.representativeName, &s.refundBankName, &s.refundBranchName,
          &s.refundAccountNumber, &s.employeeCount, &s.wardName, &s.refundAccountType, &s.prefecturalAddressee,
          &s.municipalAddressee})
        encodeCp932(*text);
}

// The capital as the window shows it: two blanks, then the grouped digits; it reads back as the same number.
QString capitalText(std::int32_t yen) { return QStringLiteral("  ") + fmtAmount(std::int64_t(yen)); }

// The last day of an end month, without a leap-year rule; 0 for a month outside 1 to 12.
int endDayOfMonth(std::int32_t month) {
    if (month == 2)
        return 28;
    if (month == 4 || month == 6 || month == 9 || month == 11)
        return 30;
    return month >= 1 && month <= 12 ? 31 : 0;
}

QString accountLabel(const QString &type) {
    if (type == QStringLiteral("当座預金"))
        return QStringLiteral("当座");
    if (type == QStringLiteral("普通預金"))
        return QStringLiteral("普通");
    return QString();
}

} // namespace

Form2::Form2() : Form(QStringLiteral("Form2"), QStringLiteral("会社登録")) {
    Command4.onClick([this] { Command4_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Command9.onClick([this] { Command9_Click(); });
    Command11.onClick([this] { Command11_Click(); });
    Command20.onClick([this] { Command20_Click(); });
    Command21.onClick([this] { Command21_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command8.onClick([this] { Command8_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command18.onClick([this] { Command18_Click(); });
    Command19.onClick([this] { Command19_Click(); });
    Command12.onClick([this] { Command12_Click(); });
    Command13.onClick([this] { Command13_Click(); });
    Command10.onClick([this] { Command10_Click(); });
}

void Form2::setupUi(QWidget *w) {
    auto *top = new QVBoxLayout(w);
    auto *columns = new QHBoxLayout;
    top->addLayout(columns);

    // Left: the profile, one caption and its boxes a row.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    int row = 0;
    auto addRow = [&](QWidget *caption, std::initializer_list<QWidget *> items, bool stretch) {
        auto *line = new QHBoxLayout;
        for (QWidget *item : items)
            line->addWidget(item);
        if (stretch)
            line->addStretch(1);
        if (caption)
            grid->addWidget(caption, row, 0);
        grid->addLayout(line, row, 1);
        ++row;
    };
    auto wide = [&](TextBox &box, int minWidth = 300) {
        auto *e = box.create(w);
        e->setMinimumWidth(minWidth);
        return e;
    };
    auto narrow = [&](TextBox &box, int width, const QString &initial = QStringLiteral(" ")) {
        auto *e = box.create(w, initial);
        e->setFixedWidth(width);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return e;
    };
    addRow(Command9.create(w, QStringLiteral("法人コード")), {narrow(Text1, 70)}, true);
    addRow(Label1.create(w, QStringLiteral("フリガナ")), {wide(Text2)}, false);
    addRow(Label2.create(w, QStringLiteral("法人名")),
           {wide(Text3), Command1.create(w, QStringLiteral("㈱")), Command2.create(w, QStringLiteral("㈲"))}, false);
    for (Button *b : {&Command1, &Command2})
        static_cast<QPushButton *>(b->widget())->setFixedWidth(40);
    addRow(Command3.create(w, QStringLiteral("事業年度")),
           {Label3.create(w, QStringLiteral("自平成")), narrow(Text13, 44), narrow(Text14, 36),
            narrow(Text15, 36, QStringLiteral("1"))},
           true);
    addRow(nullptr,
           {Label4.create(w, QStringLiteral("至平成")), narrow(Text17, 44), narrow(Text18, 36), narrow(Text19, 36)},
           true);
    addRow(Label5.create(w, QStringLiteral("納税地")), {wide(Text5)}, false);
    addRow(Label6.create(w, QStringLiteral("電話番号")), {wide(Text12, 160)}, true);
    addRow(Label7.create(w, QStringLiteral("代表者フリガナ")), {wide(Text6)}, false);
    addRow(Label8.create(w, QStringLiteral("代表者氏名")), {wide(Text27)}, false);
    addRow(Label9.create(w, QStringLiteral("代表者住所")), {wide(Text7)}, false);
    addRow(Label10.create(w, QStringLiteral("事業種目")), {wide(Text8)}, false);
    addRow(Label12.create(w, QStringLiteral("税務署名")),
           {wide(Text9, 160), Label13.create(w, QStringLiteral("税務署"))}, true);
    auto *capital = wide(Text11, 160);
    Text11.setRightAligned();
    addRow(Label14.create(w, QStringLiteral("資本金額")),
           {capital, Label15.create(w, QStringLiteral("円")), Command5.create(w, QStringLiteral("百万"))}, true);
    addRow(Command8.create(w, QStringLiteral("決算確定日")),
           {Label16.create(w, QStringLiteral("平成")), narrow(Text21, 44), narrow(Text20, 36), narrow(Text4, 36)},
           true);
    grid->setRowStretch(row, 1);
    columns->addLayout(grid, 3);

    // Right: the special fields, with the refund account in its own frame.
    auto *specialBox = Frame1.create(w, QStringLiteral("特設欄"));
    auto *specialLayout = new QVBoxLayout(specialBox);
    auto *bankBox = Frame2.create(specialBox, QStringLiteral("還付先銀行名"));
    auto *bank = new QGridLayout(bankBox);
    auto field = [](QGridLayout *g, int r, QWidget *caption, QWidget *box) {
        g->addWidget(caption, r, 0);
        g->addWidget(box, r, 1, 1, 3);
    };
    field(bank, 0, Label17.create(bankBox, QStringLiteral("銀行")), Text38.create(bankBox));
    field(bank, 1, Label18.create(bankBox, QStringLiteral("支店")), Text39.create(bankBox));
    field(bank, 2, Label19.create(bankBox, QStringLiteral("口座番号")), Text40.create(bankBox));
    bank->addWidget(Command18.create(bankBox, QStringLiteral("当座預金")), 3, 1);
    bank->addWidget(Command19.create(bankBox, QStringLiteral("普通預金")), 3, 2);
    auto *type = Label11.create(bankBox);
    type->setMinimumWidth(40);
    bank->addWidget(type, 3, 3);
    bank->setColumnStretch(3, 1);
    specialLayout->addWidget(bankBox);

    auto *more = new QGridLayout;
    field(more, 0, Label20.create(specialBox, QStringLiteral("従業員数")), Text44.create(specialBox));
    field(more, 1, Label21.create(specialBox, QStringLiteral("区　　名")), Text45.create(specialBox));
    field(more, 2, Command12.create(specialBox, QStringLiteral("県税事務所")), Text26.create(specialBox));
    field(more, 3, Command13.create(specialBox, QStringLiteral("市役所・区役所")), Text24.create(specialBox));
    Text26.edit()->setMinimumWidth(200);
    specialLayout->addLayout(more);
    auto *specialButtons = new QHBoxLayout;
    specialButtons->addWidget(Command20.create(specialBox, QStringLiteral("特設欄データ呼　出")));
    specialButtons->addWidget(Command21.create(specialBox, QStringLiteral("特設欄データ登　録")));
    specialLayout->addLayout(specialButtons);
    specialLayout->addStretch(1);
    columns->addWidget(specialBox, 2);

    // Bottom: the actions on the whole company.
    top->addSpacing(6);
    auto *buttons = new QHBoxLayout;
    for (auto [button, caption] :
         {std::pair{&Command4, "登録実行"}, std::pair{&Command6, "会社呼出"}, std::pair{&Command7, "DATA"}}) {
        auto *b = button->create(w, QString::fromUtf8(caption));
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    Command10.create(w, QStringLiteral("menu"))->setMinimumWidth(90);
    buttons->addWidget(Command10.widget());
    top->addLayout(buttons);

    Command11.create(w, QStringLiteral("クリア"))->hide();
    Text100.create(w)->hide();
}

Form2 &form2() { return loadedForm<Form2>(); }

void recomputeAll() {
    std::int32_t code = 0;
    try {
        code = toWhole(form1().Text1.text());
    } catch (const Error &) {
        press(form1().Command2); // openCompany says why it cannot open
        return;
    }
    settleRecords(code, [] {
        press(form1().Command2); // openCompany
        // A company that could not be opened is not computed from whatever the windows hold.
        if (form1().Text1.text().isEmpty())
            return;
        pressScheduleComputes();
    });
}

// 登録実行 (registerCompany).
void Form2::Command4_Click() {
    // Every box is taken and converted before anything changes, so a box that does not hold a number leaves
    // the windows and the disk as they were.
    CompanyProfileRecord rec;
    if (!capitalLeftInMillions.isEmpty() && Text11.text() == capitalLeftInMillions) {
        actionErrorBox(Error::overflow(), kRegisterTitle);
        return;
    }
    try {
        rec.companyCode = toWhole(Text1.text());
        rec.capitalYen = toWhole(Text11.text());
        rec.settlementYear = toWhole(Text21.text());
        rec.settlementMonth = toWhole(Text20.text());
        rec.settlementDay = toWhole(Text4.text());
        rec.periodStartYear = toWhole(Text13.text());
        rec.periodStartMonth = toWhole(Text14.text());
        rec.periodStartDay = toWhole(Text15.text());
        rec.periodEndYear = toWhole(Text17.text());
        rec.periodEndMonth = toWhole(Text18.text());
        rec.periodEndDay = toWhole(Text19.text());
    } catch (const Error &e) {
        actionErrorBox(e, kRegisterTitle);
        return;
    }
    // 0, -1 or 1000 would make records that the company list never shows.
    if (!isCompanyCode(rec.companyCode)) {
        actionErrorBox(Error(companyCodeRangeText), kRegisterTitle);
        return;
    }
    rec.nameKana = Text2.text();
    rec.companyName = Text3.text();
    rec.taxAddress = Text5.text();
    rec.representativeKana = Text6.text();
    rec.representativeAddress = Text7.text();
    rec.businessType = Text8.text();
    rec.taxOfficeName = Text9.text();
    rec.telephone = Text12.text();
    rec.representativeName = Text27.text();

    SpecialFieldRecord fields;
    fields.refundBankName = Text38.text();
    fields.refundBranchName = Text39.text();
    fields.refundAccountNumber = Text40.text();
    fields.employeeCount = Text44.text();
    fields.wardName = Text45.text();
    fields.refundAccountType = refundAccountType;
    fields.prefecturalAddressee = Text26.text();
    fields.municipalAddressee = Text24.text();

    const std::int32_t code = rec.companyCode;
    bool fieldsSaved = false;
    try {
        refuseUnencodable(rec, fields);
        ensureDataRoot();
        if (!fileExists(profilePath(code))) {
            writeProfile(code, rec);
            writeSpecialFields(code, fields);
            fieldsSaved = true;
        } else {
            // A registered company is rewritten only when the user agrees; either way it is opened below.
            actionErrorBox(Error::fileExists(), QStringLiteral("同じコード名があります"));
            if (msgBox(QString(), mb::OkCancelQuestion, QStringLiteral("書き換えますか")) == mb::Ok) {
                writeProfile(code, rec);
                // Special fields that could not be read show empty boxes, which must not replace the file the
                // user still has: the profile is rewritten, the special fields wait until they are read or
                // typed again. The company's file is read first, unless a load could not read it already.
                const QString fieldsPath = specialFieldPath(code);
                if (!specialFieldHold.failedOn(fieldsPath)) {
                    try {
                        SpecialFieldRecord onDisk;
                        readSpecialFieldsAnyForm(code, onDisk);
                        specialFieldHold.release();
                    } catch (const Error &e) {
                        // A company without the file simply has none yet; one that cannot be read is said below.
                        if (recordExists(fieldsPath))
                            specialFieldHold.hold(fieldsPath, e);
                        else
                            specialFieldHold.release();
                    }
                }
                if (specialFieldHold.maySave(kRegisterTitle, fieldsPath)) {
                    writeSpecialFields(code, fields, 3);
                    fieldsSaved = true;
                }
            }
        }
    } catch (const Error &e) {
        // The code has not reached any window yet: they keep working on the company they had.
        actionErrorBox(e, kRegisterTitle);
        return;
    }

    workingCode = code;
    profile = rec;
    special = fields;
    // The special-field record now holds what the boxes show.
    if (fieldsSaved)
        specialFieldHold.release();
    form1().Text1.setText(plain(code));
    writeCodeIntoScheduleWindows(plain(code));
    recomputeAll();
    beep();
}

// 会社呼出.
void Form2::Command6_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text100.text());
    } catch (const Error &e) {
        actionErrorBox(e, kLoadTitle);
        return;
    }
    loadCompany(code);
}

bool Form2::loadCompany(std::int32_t code) {
    closeSharedHandle();
    // A call-up, whether it reads the company or not: special fields typed before it are not given afresh for it.
    specialFieldHold.startAfresh();
    // A profile in the short form ends before the representative's name, which then shows empty.
    // A code without a company is said and holds nothing: registering it makes a new company. A company whose
    // profile cannot be read has special fields this window never read: they are not saved from the boxes until
    // they are, so that the boxes are not saved over them under the code the user meant. The window keeps its
    // company, and a hold of that company's stays.
    CompanyProfileRecord rec;
    try {
        readProfileWithName(code, rec);
    } catch (const Error &e) {
        const bool registered = recordExists(profilePath(code));
        sayUnreadable(profilePath(code), registered ? e : Error::fileNotFound(), kLoadTitle);
        if (registered && !specialFieldHold.holds())
            specialFieldHold.hold(profilePath(code), e, specialFieldPath(code));
        return false; // the boxes keep what they showed and the window its company
    }
    // Values the special-field file does not hold (an older file has no addressees; a company may have no file, or
    // one that cannot be read) stay empty rather than keep another company's.
    SpecialFieldRecord fields;
    if (specialFieldHold.load(specialFieldPath(code), kLoadTitle, [&] { readSpecialFieldsAnyForm(code, fields); }) !=
        RecordRead::read)
        fields = SpecialFieldRecord{};

    workingCode = code;
    profile = rec;
    special = fields;
    refundAccountType = fields.refundAccountType;
    showProfile(rec);
    Text26.setText(fields.prefecturalAddressee);
    Text24.setText(fields.municipalAddressee);
    return true;
}

void Form2::showProfile(const CompanyProfileRecord &rec) {
    capitalLeftInMillions.clear();
    Text1.setText(plain(rec.companyCode));
    Text11.setText(capitalText(rec.capitalYen));
    Text2.setText(rec.nameKana);
    Text3.setText(rec.companyName);
    Text5.setText(rec.taxAddress);
    Text6.setText(rec.representativeKana);
    Text27.setText(rec.representativeName);
    Text7.setText(rec.representativeAddress);
    Text8.setText(rec.businessType);
    Text9.setText(rec.taxOfficeName);
    Text12.setText(rec.telephone);
    showBusinessYear(rec, {&Text13, &Text14, &Text15, &Text17, &Text18, &Text19});
    Text21.setText(plain(rec.settlementYear));
    Text20.setText(plain(rec.settlementMonth));
    Text4.setText(plain(rec.settlementDay));
}

// DATA.
void Form2::Command7_Click() {
    // No trap: a code box that does not hold a number abandons the action.
    const std::int32_t code = toWhole(Text100.text());
    // The special fields of a company that could not be loaded are not shown beside another company's profile.
    if (loadCompany(code))
        press(Command20);
}

// 特設欄データ呼　出.
void Form2::Command20_Click() {
    std::int32_t code = 0;
    try {
        code = toWhole(Text100.text());
    } catch (const Error &) {
        press(Command21);
        return;
    }
    workingCode = code;
    for (TextBox *box : {&Text38, &Text39, &Text40, &Text44, &Text45, &Text26, &Text24})
        box->setText(QString());

    // The older form holds six values and no addressees; a company without the file, or with one that cannot be
    // read, shows none.
    SpecialFieldRecord fields;
    if (specialFieldHold.load(specialFieldPath(code), kSpecialTitle, [&] { readSpecialFieldsAnyForm(code, fields); }) !=
        RecordRead::read)
        fields = SpecialFieldRecord{};
    special = fields;
    refundAccountType = fields.refundAccountType;
    // An account type that is neither of the two shows nothing, so the label never shows another company's.
    Label11.setCaption(accountLabel(fields.refundAccountType));
    Text38.setText(fields.refundBankName);
    Text39.setText(fields.refundBranchName);
    Text40.setText(fields.refundAccountNumber);
    Text44.setText(fields.employeeCount);
    Text45.setText(fields.wardName);
    Text26.setText(fields.prefecturalAddressee);
    Text24.setText(fields.municipalAddressee);
}

// 特設欄データ登　録.
void Form2::Command21_Click() {
    // Nothing is saved, and no beep says it was, for a window that holds no company, or special fields it could
    // not read and the user has not typed again.
    if (!isCompanyCode(workingCode)) {
        if (specialFieldHold.maySave(kSpecialTitle))
            actionErrorBox(Error(companyCodeRangeText), kSpecialTitle);
        return;
    }
    if (!specialFieldHold.maySave(kSpecialTitle, specialFieldPath(workingCode)))
        return;
    beep();
    special.refundBankName = Text38.text();
    special.refundBranchName = Text39.text();
    special.refundAccountNumber = Text40.text();
    special.employeeCount = Text44.text();
    special.wardName = Text45.text();
    special.refundAccountType = refundAccountType;
    special.prefecturalAddressee = Text26.text();
    special.municipalAddressee = Text24.text();
    try {
        writeSpecialFields(workingCode, special);
        specialFieldHold.release();
    } catch (const Error &e) {
        actionErrorBox(e, kRegisterTitle);
    }
}

// 事業年度: the business-year end and the settlement date from the start.
void Form2::Command3_Click() {
    try {
        const std::int32_t year = toWhole(Text13.text());
        const std::int32_t month = toWhole(Text14.text());
        toWhole(Text15.text()); // the day is not used, but it must be a number
        std::int32_t endYear = year;
        std::int32_t endMonth = 12;
        if (month != 1) {
            endYear = add(year, 1);
            endMonth = sub(month, 1);
        }
        // The settlement date: two months after the end month, on the 13th. A January start has none.
        std::int32_t settlementYear = endYear;
        std::int32_t settlementMonth = 0;
        if (month != 1) {
            settlementMonth = add(endMonth, 2);
            if (settlementMonth == 13 || settlementMonth == 14) {
                settlementMonth -= 12;
                settlementYear = add(endYear, 1);
            }
        }

        Text17.setText(plain(endYear));
        Text18.setText(plain(endMonth));
        if (month != 1) {
            Text21.setText(plain(settlementYear));
            Text20.setText(plain(settlementMonth));
            Text4.setText(QStringLiteral("13"));
        }
        if (const int day = endDayOfMonth(endMonth))
            Text19.setText(plain(day));
    } catch (const Error &e) {
        actionErrorBox(e, QStringLiteral("事業年度入力"));
    }
}

// 百万: the capital typed in millions. A box that holds no number is left as it is; 登録実行 refuses it. A
// product beyond 32 bits leaves the box as it was, says so, and the capital it holds then is not registered as yen.
void Form2::Command5_Click() {
    const QString typed = Text11.text();
    std::int32_t millions = 0;
    try {
        millions = toWhole(typed);
    } catch (const Error &) {
        return;
    }
    try {
        Text11.setText(capitalText(mul(millions, 1000000)));
        capitalLeftInMillions.clear();
    } catch (const Error &e) {
        capitalLeftInMillions = typed;
        actionErrorBox(e, kRegisterTitle);
    }
}

// 決算確定日.
void Form2::Command8_Click() {
    Text21.setText(QString());
    Text20.setText(QString());
    Text4.setText(QString());
}

// 法人コード: an empty window for the next company. The start day keeps its "1".
void Form2::Command9_Click() {
    capitalLeftInMillions.clear();
    for (TextBox *box : {&Text1, &Text11, &Text2, &Text3, &Text5, &Text6, &Text7, &Text8, &Text9, &Text13, &Text14,
                         &Text17, &Text18, &Text19, &Text12, &Text21, &Text20, &Text4})
        box->setText(QString());
    press(Command11);
}

// クリア: the special fields and the representative's name.
void Form2::Command11_Click() {
    Label11.setCaption(QString());
    // The account type goes with its label: a type nobody can see is not saved with the next company.
    refundAccountType.clear();
    for (TextBox *box : {&Text44, &Text45, &Text38, &Text39, &Text40, &Text27, &Text26, &Text24})
        box->setText(QString());
}

void Form2::Command1_Click() { Text3.setText(QStringLiteral("株式会社")); }
void Form2::Command2_Click() { Text3.setText(QStringLiteral("有限会社")); }

void Form2::Command18_Click() {
    refundAccountType = QStringLiteral("当座預金");
    Label11.setCaption(QStringLiteral("当座"));
}

void Form2::Command19_Click() {
    refundAccountType = QStringLiteral("普通預金");
    Label11.setCaption(QStringLiteral("普通"));
}

// The two buttons stand as the captions of the addressee boxes.
void Form2::Command12_Click() {}
void Form2::Command13_Click() {}

void Form2::Command10_Click() { showMenu(); }

} // namespace hz
