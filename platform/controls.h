#pragma once

#include "platform/form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace hz {

// A control of a window: a thin wrapper over the Qt widget that the window builds at each load. Every access
// loads the window first, so touching a control of a window that is not loaded runs its load routine. The Qt
// object name is the control's name, which tests and tools use to find it.
class Control {
public:
    Control(Form *owner, const char *name);
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const QString &name() const { return name_; }
    Form &form() const { return *owner_; }
    QWidget *widget() const;
    void setVisible(bool visible);
    bool isVisible() const;
    void setEnabled(bool enabled);
    void setBackColor(const QColor &c);
    void setForeColor(const QColor &c);
    void setFocus();

protected:
    // Records the widget built for this load and names it.
    void attach(QWidget *w);

private:
    friend class Form;
    void detach() { widget_ = nullptr; }

    Form *owner_;
    QString name_;
    QPointer<QWidget> widget_;
};

// A single-line box of a window nobody sees keeps a new text to itself and gives it to its Qt widget only when the
// widget is shown, painted (a grab of a hidden window paints it), focused, typed into or handed out by edit():
// the chains fill hundreds of boxes of hidden windows, and laying each text out at once was a good part of their
// time. text() reads the kept text, so nothing but the Qt widget itself can tell.
class TextBox : public Control {
public:
    using Control::Control;
    ~TextBox() override;
    // Every input box starts with a single blank unless the window gives it another text.
    QLineEdit *create(QWidget *parent, const QString &initial = QStringLiteral(" "));
    // A box whose text wraps over several lines, as the long captions over a grid's columns need.
    QPlainTextEdit *createMultiLine(QWidget *parent, const QString &initial);
    QString text() const;
    void setText(const QString &text);
    void setRightAligned();
    void setReadOnly(bool readOnly);
    // Key presses with their character code (13 for Enter); the handler may set it to 0 to swallow the key.
    void onKeyPress(std::function<void(int &keyAscii)> handler) { keyPress_ = std::move(handler); }
    // The Qt widget, holding the box's text.
    QLineEdit *edit() const;
    // Gives the box a text that the user chose through the window, as a preset button does: it counts as the
    // user's own text, as if typed.
    void giveText(const QString &text);
    // True while the box holds the user's own text: typed, pasted or cut in it, or given by giveText, and not set
    // by code since (setText, even to the text it holds) nor forgotten by a load. A window built afresh holds none;
    // a kept text reaching its widget changes nothing.
    bool holdsUserText() const { return userText_; }
    // Whatever the box shows is no longer the user's own text: a load of a record into its window begins.
    void forgetUserText() { userText_ = false; }

private:
    friend class TextFlush;
    QLineEdit *line() const { return static_cast<QLineEdit *>(widget()); }
    // Gives the kept text to e when it is kept for e.
    void flush(QLineEdit *e) const;

    std::function<void(int &)> keyPress_;
    bool multiLine_ = false;
    // The text set while the widget keptFor_ was hidden; nothing is kept while keptFor_ is null, which a built
    // widget never is. Kept for one widget only, so that a window loaded afresh never shows what was set in the
    // one unloaded.
    mutable QString kept_;
    mutable QPointer<QLineEdit> keptFor_;
    QPointer<QObject> flushFilter_;
    bool userText_ = false;
};

class Button : public Control {
public:
    using Control::Control;
    QPushButton *create(QWidget *parent, const QString &caption);
    QString caption() const;
    void setCaption(const QString &caption);
    void onClick(std::function<void()> handler) { click_ = std::move(handler); }
    void onKeyPress(std::function<void(int &keyAscii)> handler) { keyPress_ = std::move(handler); }

private:
    friend void press(Button &b);
    std::function<void()> click_;
    std::function<void(int &)> keyPress_;
};

// Runs the button's click handler to its end, loading its window first. An error the handler does not trap
// stops that handler only; the program's end goes on unwinding.
void press(Button &b);
// Records every press as "Form5.Command4" into sink while it is set (nullptr stops), indented by two blanks for
// each press it is nested in; for tests of the chains.
void tracePresses(QStringList *sink);

class Label : public Control {
public:
    using Control::Control;
    QLabel *create(QWidget *parent, const QString &caption = {});
    QString caption() const;
    void setCaption(const QString &caption);
    // A label that reacts to a click, as the link labels do.
    void onClick(std::function<void()> handler) { click_ = std::move(handler); }
    void click();

private:
    std::function<void()> click_;
};

class Frame : public Control {
public:
    using Control::Control;
    QGroupBox *create(QWidget *parent, const QString &caption = {});
    void setCaption(const QString &caption);
    QGroupBox *box() const { return static_cast<QGroupBox *>(widget()); }
};

class PictureBox : public Control {
public:
    using Control::Control;
    QFrame *create(QWidget *parent);
};

class ListBox : public Control {
public:
    using Control::Control;
    QListWidget *create(QWidget *parent);
    void clear();
    void addItem(const QString &text);
    int listCount() const;
    QString itemText(int index) const; // Error::indexOutOfRange() outside the list
    int listIndex() const;             // -1 when nothing is selected
    void setListIndex(int index);
    void onClick(std::function<void()> handler) { click_ = std::move(handler); }
    // A user's click on the item at index: selects it and runs the click handler.
    void clickItem(int index);

private:
    std::function<void()> click_;
};

// Option buttons set from code only mark the option; the click handler runs on the user's click alone.
class OptionButton : public Control {
public:
    using Control::Control;
    QRadioButton *create(QWidget *parent, const QString &caption);
    bool value() const;
    void setValue(bool on);
    void onClick(std::function<void()> handler) { click_ = std::move(handler); }
    void click();

private:
    std::function<void()> click_;
};

class CheckBox : public Control {
public:
    using Control::Control;
    QCheckBox *create(QWidget *parent, const QString &caption);
    int value() const; // 0 or 1
    void setValue(int v);
    void onClick(std::function<void()> handler) { click_ = std::move(handler); }
    void click();

private:
    std::function<void()> click_;
};

class ProgressBar : public Control {
public:
    using Control::Control;
    QProgressBar *create(QWidget *parent);
    int value() const;
    void setValue(int v);
};

} // namespace hz
