#include "company/Form17.h"

#include "app/Form1.h"
#include "common/links.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/services.h"

#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace hz {

namespace {

const QString termsTitle = QStringLiteral("使用上の注意");

// The first line of the pledge file; empty when there is no file or nothing in it.
QString pledgeFirstLine() {
    try {
        RecordReader r(pledgeFilePath);
        return r.string();
    } catch (const Error &) {
        return {};
    }
}

void writePledge() {
    if (!folderExists(pledgeFolder)) {
        // On a fresh installation not even the drive's folder exists yet.
        QDir().mkpath(hostPath(QStringLiteral("c:\\")));
        createFolder(pledgeFolder);
    }
    RecordWriter w(pledgeFilePath);
    w.line(pledgeAcceptedMarker);
    for (const QString &paragraph : termsOfUseText())
        w.line(paragraph);
    w.close();
}

} // namespace

QStringList termsOfUseText() {
    return {
        QStringLiteral("この法人税申告書作成プログラムは、無料でお使いいただけます。"),
        QStringLiteral(
            "このプログラムは現状のままお渡しするもので、計算結果や印刷した書類の正しさを含め、"
            "何も保証いたしません。このプログラムを使ったことで生じた損害について、作者は責任を負いません。"),
        QStringLiteral("申告書を提出する前に、すべての数字を必ずご自身で確かめてください。"),
        QStringLiteral("以上を承諾いただける場合にのみ、お使いください。"),
    };
}

void termsOfUseCheck() {
    form1().Text3.setText(pledgeFirstLine());
    if (form1().Text3.text() == pledgeAcceptedMarker)
        return;
    const QString prompt = QStringLiteral("このプログラムは無料ですが、計算結果について一切の保証はありません。\n"
                                          "申告書を提出する前に、すべての数字をご自身で確かめてください。\n\n"
                                          "以上の使用上の注意を承諾しますか？");
    if (msgBox(prompt, mb::YesNo, termsTitle) != mb::Yes)
        endProgram();
    try {
        writePledge();
    } catch (const Error &e) {
        // The user has accepted for this session; the next start asks again.
        actionErrorBox(e, termsTitle);
    }
    form1().Text3.setText(pledgeAcceptedMarker);
    beep();
    press(form1().Command16);
}

Form17::Form17() : Form(QStringLiteral("Form17"), QStringLiteral("使用上の注意")) {
    Label1.onClick([this] { Label1_Click(); });
    Label3.onClick([this] { Label3_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
}

void Form17::setupUi(QWidget *window) {
    window->resize(520, 300);
    auto *layout = new QVBoxLayout(window);

    QLabel *terms = Label2.create(window, termsOfUseText().join(QStringLiteral("\n\n")));
    terms->setWordWrap(true);
    terms->setFrameShape(QFrame::StyledPanel);
    terms->setMargin(12);
    terms->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    terms->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(terms, 1);

    for (Label *link : {&Label1, &Label3}) {
        QLabel *l = link->create(window, link == &Label1 ? QStringLiteral(" Zevazi のホームページを開く")
                                                         : QStringLiteral(" サポートセンタへの連絡"));
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, vbColor(0xFF0000)); // blue
        l->setPalette(p);
        l->setCursor(Qt::PointingHandCursor);
        layout->addWidget(l);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1.create(window, QStringLiteral("不承諾")));
    buttons->addWidget(Command2.create(window, QStringLiteral("END")));
    layout->addLayout(buttons);
}

void Form17::Label1_Click() {
    links::open(links::homePage);
    press(Command2);
}

void Form17::Label3_Click() {
    links::open(links::mailTarget(links::supportMailAddress));
    press(Command2);
}

void Form17::Command1_Click() {
    beep();
    endProgram();
}

void Form17::Command2_Click() {
    beep();
    endProgram();
}

Form17 &form17() { return loadedForm<Form17>(); }

} // namespace hz
