#include "company/Form19.h"

#include "app/Form1.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

Form19::Form19() : Form(QStringLiteral("Form19"), QStringLiteral("初めて使う場合の注意書")) {
    Command1.onClick([this] { Command1_Click(); });
}

void Form19::setupUi(QWidget *window) {
    // The lines are the notes as they have always read, typing slip in line 12 included.
    static const char16_t *const notes[] = {
        u"初めて使う場合の使用方法を説明します。",
        u"1.まずは、税率設定を実行します。",
        u"税率設定を実行しないと以後エラーとなります。",
        u"2.次に会社登録を実行します。",
        u"会社登録を実行しないと、この法人税ソフトは、",
        u"動かす事が出来ません。",
        u"３.一括入力を使うと別表を開かずに入力が可能",
        u"です。",
        u"４.印刷は、税務署配布用紙に印刷する場合と、",
        u"A4コピー用紙に印刷する場合が可能です。",
        u"但し、別表一は税務署配布用紙の印刷のみに",
        u"可能jです。（試し印刷後に、提出用に印刷して",
        u"ください。）",
        u"5.本ソフトにはヘルプ機能はありません。",
    };
    Label *labels[] = {&Label1, &Label2, &Label3,  &Label4,  &Label5,  &Label6,  &Label7,
                       &Label8, &Label9, &Label10, &Label11, &Label12, &Label13, &Label14};

    auto *layout = new QVBoxLayout(window);
    layout->setSpacing(4);
    layout->setContentsMargins(20, 16, 20, 16);
    for (int i = 0; i < 14; ++i)
        layout->addWidget(labels[i]->create(window, QString::fromUtf16(notes[i])));
    layout->addSpacing(12);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(Command1.create(window, QStringLiteral("画面の消去")));
    layout->addLayout(row);
}

void Form19::Command1_Click() {
    hide();
    press(form1().Command16);
}

Form19 &form19() { return loadedForm<Form19>(); }

} // namespace hz
