#include "platform/controls.h"

#include "core/errors.h"
#include "platform/services.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace hz {

namespace {

// Delivers key presses to a control's handler with the character code the windows expect (13 for Enter).
class KeyFilter final : public QObject {
public:
    KeyFilter(QObject *parent, std::function<void(int &)> *handler) : QObject(parent), handler_(handler) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::KeyPress || !*handler_)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        int ascii = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            ascii = 13;
        else if (key->text().size() == 1)
            ascii = key->text()[0].unicode();
        if (ascii == 0)
            return false;
        int code = ascii;
        auto *handler = handler_;
        userAction([handler, &code] { (*handler)(code); });
        // Enter is the handler's alone; other keys go on to the control unless the handler swallowed them.
        return ascii == 13 || code == 0;
    }

private:
    std::function<void(int &)> *handler_;
};

class ClickFilter final : public QObject {
public:
    ClickFilter(QObject *parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            action_();
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

// Hands a box's kept text to its widget before the widget is seen or used.
class TextFlush final : public QObject {
public:
    TextFlush(QLineEdit *edit, const TextBox *box) : QObject(edit), edit_(edit), box_(box) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Paint:
        case QEvent::FocusIn:
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            box_->flush(edit_);
            break;
        default:
            break;
        }
        return false;
    }

private:
    QLineEdit *edit_;
    const TextBox *box_;
};

namespace {

void runUserClick(const std::function<void()> &handler) {
    if (handler)
        userAction(handler);
}

} // namespace

Control::Control(Form *owner, const char *name) : owner_(owner), name_(QString::fromLatin1(name)) {
    owner->addControl(this);
}

// Members of the window class go before the window's base part does, so each leaves the window's list itself.
Control::~Control() { owner_->removeControl(this); }

QWidget *Control::widget() const {
    owner_->ensureLoaded();
    if (!widget_)
        qFatal("control %s of %s was not built by its window", qPrintable(name_), qPrintable(owner_->name()));
    return widget_;
}

void Control::attach(QWidget *w) {
    w->setObjectName(name_);
    widget_ = w;
}

void Control::setVisible(bool visible) {
    QWidget *w = widget();
    // A hidden control keeps its place in the layout only while shown; setHidden does what the window asks.
    w->setHidden(!visible);
}

bool Control::isVisible() const { return !widget()->isHidden(); }
void Control::setEnabled(bool enabled) { widget()->setEnabled(enabled); }

void Control::setBackColor(const QColor &c) {
    QWidget *w = widget();
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void Control::setForeColor(const QColor &c) {
    QWidget *w = widget();
    QPalette p = w->palette();
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

void Control::setFocus() { widget()->setFocus(); }

// The flush filter may outlive the box: the window's widgets go after the window's controls.
TextBox::~TextBox() { delete flushFilter_.data(); }

QLineEdit *TextBox::create(QWidget *parent, const QString &initial) {
    auto *edit = new QLineEdit(initial, parent);
    multiLine_ = false;
    kept_.clear();
    keptFor_ = nullptr;
    attach(edit);
    edit->installEventFilter(new KeyFilter(edit, &keyPress_));
    // Installed last so that it runs first: a key handler and the widget both find the text in place.
    delete flushFilter_.data();
    flushFilter_ = new TextFlush(edit, this);
    edit->installEventFilter(flushFilter_);
    // The user's edits only: a text set from code never emits it.
    userText_ = false;
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { userText_ = true; });
    return edit;
}

QPlainTextEdit *TextBox::createMultiLine(QWidget *parent, const QString &initial) {
    auto *edit = new QPlainTextEdit(initial, parent);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    multiLine_ = true;
    attach(edit);
    return edit;
}

QLineEdit *TextBox::edit() const {
    QLineEdit *e = line();
    flush(e);
    return e;
}

void TextBox::flush(QLineEdit *e) const {
    if (keptFor_ != e)
        return;
    keptFor_ = nullptr;
    e->setText(std::exchange(kept_, QString()));
}

QString TextBox::text() const {
    if (multiLine_)
        return static_cast<QPlainTextEdit *>(widget())->toPlainText();
    // widget() first: it loads the window, and a window loaded afresh keeps nothing.
    QLineEdit *e = line();
    if (keptFor_ == e)
        return kept_;
    return e->text();
}

void TextBox::giveText(const QString &text) {
    setText(text);
    userText_ = true;
}

void TextBox::setText(const QString &text) {
    userText_ = false;
    if (multiLine_) {
        auto *e = static_cast<QPlainTextEdit *>(widget());
        if (text != e->toPlainText())
            e->setPlainText(text);
        return;
    }
    // The chains push the same figures into the same boxes many times; laying a box out again for a text it
    // already shows was a good part of their time.
    QLineEdit *e = line();
    const bool kept = keptFor_ == e;
    if (text == (kept ? kept_ : e->text()))
        return;
    if (!e->isVisible()) {
        // Cut as the widget cuts a text longer than it takes, so that text() reads what it would hold.
        kept_ = text.left(e->maxLength());
        keptFor_ = e;
        return;
    }
    // Shown, so a kept text would already have reached it; drop one that has not rather than lay it out too.
    keptFor_ = nullptr;
    kept_.clear();
    e->setText(text);
}

// Neither alignment nor the read-only mark needs the text in the widget, so these leave a kept text kept.
void TextBox::setRightAligned() {
    if (!multiLine_)
        line()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TextBox::setReadOnly(bool readOnly) {
    if (multiLine_)
        static_cast<QPlainTextEdit *>(widget())->setReadOnly(readOnly);
    else
        line()->setReadOnly(readOnly);
}

QPushButton *Button::create(QWidget *parent, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    attach(b);
    QObject::connect(b, &QPushButton::clicked, b, [this] { runUserClick([this] { press(*this); }); });
    b->installEventFilter(new KeyFilter(b, &keyPress_));
    return b;
}

QString Button::caption() const { return static_cast<QPushButton *>(widget())->text(); }
void Button::setCaption(const QString &caption) { static_cast<QPushButton *>(widget())->setText(caption); }

namespace {
QStringList *g_pressTrace = nullptr;
int g_pressDepth = 0;
} // namespace

void tracePresses(QStringList *sink) { g_pressTrace = sink; }

void press(Button &b) {
    if (g_pressTrace)
        *g_pressTrace << QString(2 * g_pressDepth, u' ') + b.form().name() + u'.' + b.name();
    struct Depth {
        Depth() { ++g_pressDepth; }
        ~Depth() { --g_pressDepth; }
    } depth;
    const ActionScope action;
    b.form().ensureLoaded();
    if (!b.click_)
        return;
    // Copied, so that a handler that unloads or rebuilds its window does not pull the code from under itself.
    const std::function<void()> handler = b.click_;
    try {
        handler();
    } catch (const Error &) {
        // Untrapped: it stops this handler only; whoever pressed goes on.
    }
}

QLabel *Label::create(QWidget *parent, const QString &caption) {
    auto *l = new QLabel(caption, parent);
    attach(l);
    l->installEventFilter(new ClickFilter(l, [this] { runUserClick(click_); }));
    return l;
}

QString Label::caption() const { return static_cast<QLabel *>(widget())->text(); }
void Label::setCaption(const QString &caption) { static_cast<QLabel *>(widget())->setText(caption); }
void Label::click() {
    widget();
    runUserClick(click_);
}

QGroupBox *Frame::create(QWidget *parent, const QString &caption) {
    auto *g = new QGroupBox(caption, parent);
    attach(g);
    return g;
}

void Frame::setCaption(const QString &caption) { box()->setTitle(caption); }

QFrame *PictureBox::create(QWidget *parent) {
    auto *f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    attach(f);
    return f;
}

QListWidget *ListBox::create(QWidget *parent) {
    auto *l = new QListWidget(parent);
    attach(l);
    QObject::connect(l, &QListWidget::itemClicked, l, [this] { runUserClick(click_); });
    return l;
}

namespace {
QListWidget *list(const Control &c) { return static_cast<QListWidget *>(c.widget()); }
} // namespace

void ListBox::clear() { list(*this)->clear(); }
void ListBox::addItem(const QString &text) { list(*this)->addItem(text); }
int ListBox::listCount() const { return list(*this)->count(); }

QString ListBox::itemText(int index) const {
    QListWidget *l = list(*this);
    if (index < 0 || index >= l->count())
        throw Error::indexOutOfRange();
    return l->item(index)->text();
}

int ListBox::listIndex() const {
    QListWidget *l = list(*this);
    const auto selected = l->selectedItems();
    return selected.isEmpty() ? -1 : l->row(selected.first());
}

void ListBox::setListIndex(int index) {
    QListWidget *l = list(*this);
    if (index < -1 || index >= l->count())
        throw Error::indexOutOfRange();
    if (index == -1)
        l->clearSelection();
    else
        l->setCurrentRow(index);
}

void ListBox::clickItem(int index) {
    setListIndex(index);
    runUserClick(click_);
}

QRadioButton *OptionButton::create(QWidget *parent, const QString &caption) {
    auto *r = new QRadioButton(caption, parent);
    attach(r);
    QObject::connect(r, &QRadioButton::clicked, r, [this] { runUserClick(click_); });
    return r;
}

bool OptionButton::value() const { return static_cast<QRadioButton *>(widget())->isChecked(); }
void OptionButton::setValue(bool on) {
    auto *r = static_cast<QRadioButton *>(widget());
    // Qt keeps the checked option of a frame checked; code may clear every option of it.
    if (!on && r->autoExclusive()) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
        return;
    }
    r->setChecked(on);
}
void OptionButton::click() {
    setValue(true);
    runUserClick(click_);
}

QCheckBox *CheckBox::create(QWidget *parent, const QString &caption) {
    auto *c = new QCheckBox(caption, parent);
    attach(c);
    QObject::connect(c, &QCheckBox::clicked, c, [this] { runUserClick(click_); });
    return c;
}

int CheckBox::value() const { return static_cast<QCheckBox *>(widget())->isChecked() ? 1 : 0; }
void CheckBox::setValue(int v) { static_cast<QCheckBox *>(widget())->setChecked(v != 0); }
void CheckBox::click() {
    setValue(value() ? 0 : 1);
    runUserClick(click_);
}

QProgressBar *ProgressBar::create(QWidget *parent) {
    auto *p = new QProgressBar(parent);
    attach(p);
    return p;
}

int ProgressBar::value() const { return static_cast<QProgressBar *>(widget())->value(); }
void ProgressBar::setValue(int v) { static_cast<QProgressBar *>(widget())->setValue(v); }

} // namespace hz
