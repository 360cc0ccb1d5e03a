#include "platform/form.h"

#include "platform/controls.h"
#include "platform/services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include <utility>

namespace hz {

namespace {

// The top-level widget of a window; its close box goes through the window's query.
class FormWindow final : public QWidget {
public:
    explicit FormWindow(Form *form) : form_(form) {}
    void allowClose() { closing_ = true; }

protected:
    void closeEvent(QCloseEvent *event) override {
        if (closing_) {
            event->accept();
            return;
        }
        // The unload happens in the form; this widget is then deleted later, so it is safe to ignore here.
        event->ignore();
        Form *form = form_;
        userAction([form] { form->closeBoxClicked(); });
    }

private:
    Form *form_;
    bool closing_ = false;
};

struct Registered {
    Form *form;
    void (*forget)();
};

std::vector<Registered> &registry() {
    static std::vector<Registered> forms;
    return forms;
}

} // namespace

Form::Form(QString name, QString caption) : name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() {
    delete window_.data();
}

void Form::ensureLoaded() {
    if (loaded_)
        return;
    // Marked loaded before the controls are built, so that the load routine's own touches do not reload.
    loaded_ = true;
    auto *w = new FormWindow(this);
    w->setObjectName(name_);
    w->setWindowTitle(caption_);
    window_ = w;
    setupUi(w);
    Form_Load();
}

void Form::show() {
    ensureLoaded();
    if (!window_)
        return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void Form::hide() {
    ensureLoaded();
    if (window_)
        window_->hide();
}

bool Form::isVisible() const { return loaded_ && window_ && window_->isVisible(); }

void Form::unload() {
    if (!loaded_)
        return;
    loaded_ = false;
    for (Control *c : controls_)
        c->detach();
    if (window_) {
        auto *w = static_cast<FormWindow *>(window_.data());
        w->allowClose();
        w->hide();
        // Later, not now: the unload may run inside a handler of one of this window's own widgets.
        w->deleteLater();
    }
    window_ = nullptr;
}

QWidget *Form::window() {
    ensureLoaded();
    return window_;
}

void Form::setCaption(const QString &caption) {
    caption_ = caption;
    if (loaded_ && window_)
        window_->setWindowTitle(caption);
}

void Form::setBackColor(const QColor &c) {
    QWidget *w = window();
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void Form::closeBoxClicked() {
    bool cancel = false;
    Form_QueryUnload(cancel, 0);
    if (!cancel)
        unload();
}

void registerForm(Form *form, void (*forget)()) { registry().push_back({form, forget}); }

void destroyAllForms() {
    auto forms = std::exchange(registry(), {});
    for (const Registered &r : forms) {
        r.forget();
        delete r.form;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void unloadAllForms() {
    for (const Registered &r : registry())
        r.form->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<Form *> allForms() {
    std::vector<Form *> forms;
    for (const Registered &r : registry())
        forms.push_back(r.form);
    return forms;
}

void sendTab() {
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w, &tab);
}

QColor vbColor(unsigned int value) {
    if (value & 0x80000000u) {
        // System colours: only the button face is used.
        return QApplication::palette().color(QPalette::Button);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace hz
