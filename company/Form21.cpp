#include "company/Form21.h"

#include "app/Form1.h"
#include "core/errors.h"
#include "platform/services.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace hz {

Form21::Form21() : Form(QStringLiteral("Form21"), QStringLiteral("プリンタの変更")) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
}

void Form21::setupUi(QWidget *window) {
    window->resize(460, 260);
    auto *grid = new QGridLayout(window);
    grid->addWidget(Label1.create(window, QStringLiteral("プリンタ：")), 0, 0, Qt::AlignTop);
    grid->addWidget(List1.create(window), 0, 1, 3, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(Command1.create(window, QStringLiteral("設  定")));
    buttons->addWidget(Command2.create(window, QStringLiteral("閉じる")));
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    QLabel *note = Label2.create(
        window, QStringLiteral("（注意事項）　　ここで変更したプリンターはパソコンの標準設定をも変更してしまいます。"));
    note->setWordWrap(true);
    grid->addWidget(note, 3, 0, 1, 3);
    grid->setColumnStretch(1, 1);
}

// Built at each load only: hiding the window keeps the list as it was first shown.
void Form21::Form_Load() {
    for (const QString &printer : services().printers())
        List1.addItem(printer);
    // Without any printer there is nothing to select and the list stays empty.
    if (List1.listCount() > 0)
        List1.setListIndex(0);
}

void Form21::Command1_Click() {
    // Without a selection there is no printer to set.
    if (List1.listIndex() < 0)
        return;
    // A printer that cannot be made the default is said; the window stays for another choice.
    try {
        services().setDefaultPrinter(List1.itemText(List1.listIndex()));
    } catch (const Error &e) {
        actionErrorBox(e, caption());
        return;
    }
    showMenu();
    hide();
}

void Form21::Command2_Click() {
    showMenu();
    hide();
}

Form21 &form21() { return loadedForm<Form21>(); }

} // namespace hz
