#include "core/errors.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

namespace hz::test {
namespace {

// A small window with the shapes the real ones have: boxes, buttons that press each other, a variable.
class Probe final : public Form {
public:
    Probe() : Form(QStringLiteral("Probe"), QStringLiteral("試験")) {
        Command1.onClick([this] { Command1_Click(); });
        Command2.onClick([this] {
            steps << QStringLiteral("2 start");
            throw Error::overflow();
        });
        Command3.onClick([this] {
            steps << QStringLiteral("3 start");
            endProgram();
        });
        Command4.onClick([this] { steps << QStringLiteral("4"); });
    }
    TextBox Text1{this, "Text1"};
    Button Command1{this, "Command1"};
    Button Command2{this, "Command2"};
    Button Command3{this, "Command3"};
    Button Command4{this, "Command4"};
    ListBox List1{this, "List1"};
    OptionButton Option1{this, "Option1"};
    OptionButton Option2{this, "Option2"};

    int loads = 0;
    int counter = 0;
    bool endInChain = false;
    QStringList steps;

protected:
    void setupUi(QWidget *w) override {
        auto *l = new QVBoxLayout(w);
        l->addWidget(Text1.create(w));
        l->addWidget(Command1.create(w, QStringLiteral("一")));
        l->addWidget(Command2.create(w, QStringLiteral("二")));
        l->addWidget(Command3.create(w, QStringLiteral("三")));
        l->addWidget(Command4.create(w, QStringLiteral("四")));
        l->addWidget(List1.create(w));
        l->addWidget(Option1.create(w, QStringLiteral("甲")));
        l->addWidget(Option2.create(w, QStringLiteral("乙")));
        Option1.onClick([this] { steps << QStringLiteral("option1 clicked"); });
    }
    void Form_Load() override { ++loads; }

private:
    void Command1_Click() {
        steps << QStringLiteral("1 start");
        press(Command2); // fails untrapped: only Command2 stops
        steps << QStringLiteral("1 after 2");
        if (endInChain)
            press(Command3);
        press(Command4);
        steps << QStringLiteral("1 end");
    }
};

Probe &probe() { return loadedForm<Probe>(); }

class Windows : public HzTest {};

TEST_F(Windows, FirstTouchLoadsOnceAndUnloadKeepsVariablesButNotBoxes) {
    EXPECT_EQ(probe().Text1.text(), QStringLiteral(" ")); // a box starts with one blank
    EXPECT_EQ(probe().loads, 1);
    EXPECT_FALSE(probe().isVisible());
    probe().Text1.setText(QStringLiteral("123"));
    probe().counter = 7;
    probe().Text1.text();
    EXPECT_EQ(probe().loads, 1);

    probe().unload();
    // Touching a control after the unload builds the window afresh and reruns the load routine.
    Probe &p = probe();
    EXPECT_EQ(p.Text1.text(), QStringLiteral(" "));
    EXPECT_EQ(p.loads, 2);
    EXPECT_EQ(p.counter, 7);

    p.show();
    EXPECT_TRUE(p.isVisible());
    p.hide();
    EXPECT_FALSE(p.isVisible());
    EXPECT_TRUE(p.isLoaded());
    EXPECT_EQ(p.window()->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral(" "));
}

TEST_F(Windows, CloseBoxUnloads) {
    probe().show();
    probe().Text1.setText(QStringLiteral("x"));
    probe().window()->close();
    EXPECT_FALSE(probe().isVisible());
    EXPECT_EQ(probe().Text1.text(), QStringLiteral(" "));
    EXPECT_EQ(probe().loads, 2);
}

TEST_F(Windows, UntrappedErrorStopsOnlyThePressedHandler) {
    click(probe().Command1);
    EXPECT_EQ(probe().steps,
              (QStringList{"1 start", "2 start", "1 after 2", "4", "1 end"}));
    EXPECT_FALSE(svc.ended);
}

TEST_F(Windows, EndProgramStopsTheWholeChain) {
    probe().endInChain = true;
    EXPECT_FALSE(userAction([] { press(probe().Command1); }));
    EXPECT_EQ(probe().steps, (QStringList{"1 start", "2 start", "1 after 2", "3 start"}));
    EXPECT_TRUE(svc.ended);
    EXPECT_TRUE(programHasEnded());
    // Nothing more runs once the program has ended.
    click(probe().Command4);
    EXPECT_EQ(probe().steps.size(), 4);
}

TEST_F(Windows, ListAndOptions) {
    Probe &p = probe();
    EXPECT_EQ(p.List1.listIndex(), -1);
    p.List1.addItem(QStringLiteral("05 : 甲"));
    p.List1.addItem(QStringLiteral("012 : 乙"));
    EXPECT_EQ(p.List1.listCount(), 2);
    EXPECT_EQ(p.List1.itemText(1), QStringLiteral("012 : 乙"));
    EXPECT_THROW(p.List1.itemText(2), Error);
    p.List1.setListIndex(1);
    EXPECT_EQ(p.List1.listIndex(), 1);
    p.List1.clear();
    EXPECT_EQ(p.List1.listIndex(), -1);

    p.Option1.setValue(true); // from code: marks it, runs nothing
    EXPECT_TRUE(p.Option1.value());
    EXPECT_TRUE(p.steps.isEmpty());
    p.Option2.setValue(true);
    EXPECT_FALSE(p.Option1.value());
    p.Option1.click(); // the user's click runs the handler
    EXPECT_EQ(p.steps, QStringList{"option1 clicked"});
}

TEST_F(Windows, ScriptedMessageBoxesAnswerAndRecord) {
    svc.answer(mb::Yes);
    svc.answer(mb::No);
    svc.answer(mb::Ok);
    svc.answer(mb::Cancel);
    EXPECT_EQ(msgBox(QStringLiteral("q1"), mb::YesNo, QStringLiteral("t1")), mb::Yes);
    EXPECT_EQ(msgBox(QStringLiteral("q2"), mb::YesNo, QStringLiteral("t2")), mb::No);
    EXPECT_EQ(msgBox(QStringLiteral("q3"), mb::OkCancelQuestion, QStringLiteral("t3")), mb::Ok);
    EXPECT_EQ(msgBox(QStringLiteral("q4"), mb::OkCancelQuestion, QStringLiteral("t4")), mb::Cancel);
    actionErrorBox(Error::overflow(), QStringLiteral("別表四"));
    beep();
    ASSERT_EQ(svc.boxes.size(), 5u);
    EXPECT_EQ(svc.boxes[4].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(svc.boxes[4].buttons, 48);
    EXPECT_EQ(svc.boxes[4].title, QStringLiteral("別表四"));
    EXPECT_EQ(svc.events.last(), QStringLiteral("beep"));
}

// A question asked in its title alone: the box shows the title as its text as well, through the scripted service
// and in the desktop's own box, whose frame may cut the title.
TEST_F(Windows, AQuestionWithoutATextShowsItsTitleAsItsText) {
    const QString title = QStringLiteral("株式会社山田商店　を更新しますか");
    svc.answer(mb::Cancel);
    EXPECT_EQ(msgBox(QString(), mb::OkCancelQuestion, title), mb::Cancel);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, title);
    EXPECT_EQ(svc.boxes[0].title, title);

    QString shownText, shownTitle;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                shownText = box->text();
                shownTitle = box->windowTitle();
                box->reject();
            }
    });
    poll.start(10);
    setServices(&desktopServices());
    const int answer = msgBox(QString(), mb::OkCancelQuestion, title);
    setServices(&svc);
    EXPECT_EQ(answer, mb::Cancel);
    EXPECT_EQ(shownText, title);
    EXPECT_EQ(shownTitle, title);
    // A box with a text of its own keeps it.
    svc.answer(mb::Ok);
    msgBox(QStringLiteral("有限会社二号"), mb::OkCancelQuestion, QStringLiteral("書き換えますか"));
    EXPECT_EQ(svc.boxes.back().prompt, QStringLiteral("有限会社二号"));
}

} // namespace
} // namespace hz::test
