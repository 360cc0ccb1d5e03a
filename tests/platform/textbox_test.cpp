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

// A box counts the texts it is given, from code (the text it holds too) or by the user typing or pasting, and
// nothing else: not the hand-over of a kept text to its widget, not a window built afresh.
TEST_F(HiddenBoxes, ABoxCountsTheTextsItIsGiven) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("9"));
    struct Case {
        const char *name;
        std::function<void(Boxes &)> act;
        bool given;
    };
    const Case cases[] = {
        {"set", [](Boxes &b) { b.Text1.setText(QStringLiteral("5")); }, true},
        {"set to the text it holds", [](Boxes &b) { b.Text1.setText(b.Text1.text()); }, true},
        {"typed",
         [](Boxes &b) {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
             QApplication::sendEvent(widgetOf(b.Text1), &key);
         },
         true},
        {"pasted", [](Boxes &b) { b.Text1.edit()->paste(); }, true},
        {"kept text handed over", [](Boxes &b) { b.show(); }, false},
        {"read", [](Boxes &b) { (void)b.Text1.text(); }, false},
        {"window loaded afresh", [](Boxes &) { reload(); }, false},
        {"the other box set", [](Boxes &b) { b.Text2.setText(QStringLiteral("5")); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        reload();
        Boxes &b = boxes();
        b.Text1.setText(QStringLiteral("123")); // kept while hidden
        const std::uint64_t before = b.Text1.textsGiven();
        c.act(b);
        EXPECT_EQ(boxes().Text1.textsGiven() != before, c.given);
        boxes().hide();
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
