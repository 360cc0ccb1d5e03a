#include "maintenance/Form10.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "platform/services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace hz {

Form10::Form10() : Form(QStringLiteral("Form10"), QStringLiteral("データ")) {
    Command4.onClick([this] { Command4_Click(); });
    Command7.onClick([this] { Command7_Click(); });
}

void Form10::setupUi(QWidget *window) {
    auto *layout = new QVBoxLayout(window);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("法人コード"), window));
    Text6.create(window, QString())->setFixedWidth(70);
    top->addWidget(Text6.edit());
    top->addWidget(Command4.create(window, QStringLiteral("会社呼出")));
    top->addWidget(Text5.create(window, QString()), 1);
    Text5.setReadOnly(true);
    Text5.setBackColor(vbColor(0xC0FFFF));
    layout->addLayout(top);

    auto *period = new QHBoxLayout;
    period->addWidget(Command7.create(window, QStringLiteral("DATA")));
    period->addSpacing(12);
    auto addCaption = [&](TextBox &box, const QString &caption) {
        box.create(window, caption)->setFixedWidth(52);
        box.setReadOnly(true);
        box.setBackColor(vbColor(0xFFFFC0));
        period->addWidget(box.edit());
    };
    auto addDatePart = [&](TextBox &box) {
        box.create(window, QString())->setFixedWidth(36);
        box.setRightAligned();
        box.setBackColor(vbColor(0xFFFFC0));
        period->addWidget(box.edit());
    };
    addCaption(Text10, QStringLiteral("自平成"));
    for (TextBox *b : {&Text13, &Text14, &Text15})
        addDatePart(*b);
    period->addSpacing(8);
    addCaption(Text16, QStringLiteral("至平成"));
    for (TextBox *b : {&Text17, &Text18, &Text19})
        addDatePart(*b);
    period->addStretch();
    layout->addLayout(period);

    layout->addWidget(ProgressBar1.create(window));

    auto *copy = new QHBoxLayout;
    copy->addWidget(new QLabel(QStringLiteral("コピー先の法人コード"), window));
    Text39.create(window, QString())->setFixedWidth(70);
    copy->addWidget(Text39.edit());
    copy->addStretch();
    copy->addWidget(Text100.create(window, QString()));
    Text100.setVisible(false);
    layout->addLayout(copy);
    layout->addStretch();
}

void Form10::Form_Load() { ProgressBar1.setVisible(false); }

void Form10::clearCompanyBoxes() {
    loadedProfile = {};
    for (TextBox *b : {&Text5, &Text13, &Text14, &Text15, &Text17, &Text18, &Text19})
        b->setText(QString());
}

// DATA: the company the menu handed over.
void Form10::Command7_Click() {
    try {
        Text6.setText(plain(toWhole(Text100.text())));
    } catch (const Error &e) {
        clearCompanyBoxes();
        actionErrorBox(e, QStringLiteral("DATA"));
        return;
    }
    press(Command4);
}

// 会社呼出: the profile of the code in Text6. A company that cannot be loaded leaves the boxes empty, so that no
// action goes on with the company shown before.
void Form10::Command4_Click() {
    try {
        CompanyProfileRecord rec;
        readProfile(toWhole(Text6.text()), rec, 19);
        loadedProfile = rec;
    } catch (const Error &e) {
        clearCompanyBoxes();
        actionErrorBox(e, QStringLiteral("会社呼出"));
        return;
    }
    Text5.setText(loadedProfile.companyName);
    Text13.setText(plain(loadedProfile.periodStartYear));
    Text14.setText(plain(loadedProfile.periodStartMonth));
    Text15.setText(plain(loadedProfile.periodStartDay));
    Text17.setText(plain(loadedProfile.periodEndYear));
    Text18.setText(plain(loadedProfile.periodEndMonth));
    Text19.setText(plain(loadedProfile.periodEndDay));
}

Form10 &form10() { return loadedForm<Form10>(); }

} // namespace hz
