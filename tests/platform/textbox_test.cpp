#include "platform/controls.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QVBoxLayout>

#include <functional>

namespace hz::test {
namespace {

class Boxes final : public Form {
public:
    Boxes() : Form(QStringLiteral("Boxes"), QStringLiteral("試験")) {}
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};

protected:
    void setupUi(QWidget *w) override {
        auto *l = new QVBoxLayout(w);
        l->addWidget(Text1.create(w));
        l->addWidget(Text2.create(w));
        Text1.setRightAligned();
    }
};

Boxes &boxes() { return loadedForm<Boxes>(); }

// The Qt widget as anything outside the box sees it, without the hand-over edit() makes.
QLineEdit *widgetOf(const TextBox &box) { return box.form().window()->findChild<QLineEdit *>(box.name()); }

void reload() {
    boxes().unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HiddenBoxes : public HzTest {};

// A box of a hidden window reads back what was set at once, and its widget holds that text by the time anybody
// can see it, grab it, type into it or take it through edit().
TEST_F(HiddenBoxes, TheWidgetGetsTheTextBeforeItIsSeenOrUsed) {
    struct Case {
        const char *name;
        bool boxHiddenInShownWindow;
        std::function<void(Boxes &)> act;
        QString expected;
    };
    const Case cases[] = {
        {"window shown", false, [](Boxes &b) { b.show(); }, QStringLiteral("123")},
        {"box shown", true, [](Boxes &b) { b.Text1.setVisible(true); }, QStringLiteral("123")},
        {"edit()", false, [](Boxes &b) { b.Text1.edit(); }, QStringLiteral("123")},
        {"key typed", false,
         [](Boxes &b) {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
             QApplication::sendEvent(widgetOf(b.Text1), &key);
         },
         QStringLiteral("1234")},
        // A grab paints a hidden window without showing it: the first picture already holds the figure.
        {"window grabbed", false,
         [](Boxes &b) {
             const QImage first = b.window()->grab().toImage();
             EXPECT_EQ(first, b.window()->grab().toImage());
         },
         QStringLiteral("123")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reload();
        Boxes &b = boxes();
        if (c.boxHiddenInShownWindow) {
            b.Text1.setVisible(false);
            b.show();
        }
        b.Text1.setText(QStringLiteral("123"));
        EXPECT_EQ(b.Text1.text(), QStringLiteral("123"));
        EXPECT_EQ(widgetOf(b.Text1)->text(), QStringLiteral(" ")); // not laid out while nobody sees it
        c.act(b);
        EXPECT_EQ(widgetOf(b.Text1)->text(), c.expected);
        EXPECT_EQ(b.Text1.text(), c.expected);
        EXPECT_EQ(widgetOf(b.Text2)->text(), QStringLiteral(" "));
        b.hide();
    }
}

// Once shown, a box takes a new text straight away; hidden again, it keeps the next one until it is shown.
TEST_F(HiddenBoxes, ShownBoxesTakeTheirTextAtOnce) {
    Boxes &b = boxes();
    b.show();
    b.Text1.setText(QStringLiteral("5"));
    EXPECT_EQ(widgetOf(b.Text1)->text(), QStringLiteral("5"));
    b.hide();
    b.Text1.setText(QStringLiteral("6"));
    b.Text1.setText(QStringLiteral("7"));
    EXPECT_EQ(b.Text1.text(), QStringLiteral("7"));
    b.show();
    EXPECT_EQ(widgetOf(b.Text1)->text(), QStringLiteral("7"));
    // Set back to what the widget shows while hidden: the widget ends with that text, not the one between.
    b.hide();
    b.Text1.setText(QStringLiteral("8"));
    b.Text1.setText(QStringLiteral("7"));
    b.show();
    EXPECT_EQ(widgetOf(b.Text1)->text(), QStringLiteral("7"));
}

// A window unloaded and loaded again shows its boxes as its load builds them, whatever was kept before.
TEST_F(HiddenBoxes, AReloadedWindowNeverShowsATextKeptForTheOldOne) {
    boxes().Text1.setText(QStringLiteral("123"));
    boxes().unload();
    EXPECT_EQ(boxes().Text1.text(), QStringLiteral(" "));
    EXPECT_EQ(widgetOf(boxes().Text1)->text(), QStringLiteral(" "));

    // Unloaded with a text kept: the fresh box takes its first text as a fresh box would.
    boxes().Text1.setText(QStringLiteral("123"));
    boxes().unload();
    boxes().Text1.setText(QStringLiteral("123"));
    EXPECT_EQ(boxes().Text1.text(), QStringLiteral("123"));
    boxes().unload();
    boxes().Text1.setText(QStringLiteral(" "));
    boxes().show();
    EXPECT_EQ(widgetOf(boxes().Text1)->text(), QStringLiteral(" "));
    EXPECT_EQ(boxes().window()->grab().toImage(), boxes().window()->grab().toImage());
}

// A box holds the user's own text once the user types, pastes or cuts in it, or a preset gives it one, until code
// sets it (to the text it holds too) or the window is built afresh; nothing else changes that: not the hand-over of
// a kept text to its widget, not a read, not another box.
TEST_F(HiddenBoxes, ABoxKnowsWhetherItHoldsTheUsersOwnText) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("9"));
    const auto type = [](Boxes &b) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
        QApplication::sendEvent(widgetOf(b.Text1), &key);
    };
    struct Case {
        const char *name;
        std::function<void(Boxes &)> act;
        bool fromCode; // after a text set from code
        bool fromUser; // after the user's own
    };
    const Case cases[] = {
        {"set", [](Boxes &b) { b.Text1.setText(QStringLiteral("5")); }, false, false},
        {"set to the text it holds", [](Boxes &b) { b.Text1.setText(b.Text1.text()); }, false, false},
        {"given by a preset", [](Boxes &b) { b.Text1.giveText(QStringLiteral("5")); }, true, true},
        {"typed", type, true, true},
        {"pasted", [](Boxes &b) { b.Text1.edit()->paste(); }, true, true},
        {"cut",
         [](Boxes &b) {
             b.Text1.edit()->selectAll();
             b.Text1.edit()->cut();
         },
         true, true},
        {"kept text handed over", [](Boxes &b) { b.show(); }, false, true},
        {"read", [](Boxes &b) { (void)b.Text1.text(); }, false, true},
        {"window loaded afresh", [](Boxes &) { reload(); }, false, false},
        {"the other box set", [](Boxes &b) { b.Text2.setText(QStringLiteral("5")); }, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool typedFirst : {false, true}) {
            SCOPED_TRACE(typedFirst ? "typed first" : "set first");
            reload();
            Boxes &b = boxes();
            b.Text1.setText(QStringLiteral("123")); // kept while hidden
            if (typedFirst)
                type(b);
            EXPECT_EQ(b.Text1.holdsUserText(), typedFirst);
            c.act(b);
            EXPECT_EQ(boxes().Text1.holdsUserText(), typedFirst ? c.fromUser : c.fromCode);
            boxes().hide();
        }
    }
}

// Whatever the text, a hidden box reads back what its widget holds once it is shown.
TEST_F(HiddenBoxes, ReadBackIsWhatTheWidgetHolds) {
    const QString texts[] = {
        QString(),
        QStringLiteral("  1,234 "),
        QStringLiteral("a\nb\r\nc\td"),
        QStringLiteral("株式会社　見本"),
        QString(QChar(0xD800)) + u'x',
        QString(40000, u'9'),
    };
    for (const QString &t : texts) {
        SCOPED_TRACE(t.left(20).toStdString());
        reload();
        Boxes &b = boxes();
        b.Text1.setText(t);
        const QString kept = b.Text1.text();
        b.show();
        EXPECT_EQ(widgetOf(b.Text1)->text(), kept);
        EXPECT_EQ(b.Text1.text(), kept);
    }
}

} // namespace
} // namespace hz::test
