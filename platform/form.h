#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace hz {

class Control;

// One window of the program. Each window class has exactly one instance, reached through its accessor
// (form5() and the like), which creates it hidden and loads it on first use. Loading builds the controls and
// runs the load routine; unloading destroys the controls (their texts are lost) while the window's own
// variables, which live in the class, keep their values.
class Form {
public:
    Form(QString name, QString caption);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const QString &name() const { return name_; }

    // Builds the controls and runs the load routine when the window is not loaded; otherwise nothing.
    void ensureLoaded();
    bool isLoaded() const { return loaded_; }
    void show();
    void hide();
    bool isVisible() const;
    // Destroys the controls; the next touch loads the window afresh.
    void unload();

    QWidget *window();
    void setCaption(const QString &caption);
    QString caption() const { return caption_; }
    void setBackColor(const QColor &c);

    // The close box: the query runs with unload mode 0 and may cancel; otherwise the window unloads.
    void closeBoxClicked();

    // The window's controls, in the order the class declares them.
    const std::vector<Control *> &controls() const { return controls_; }

protected:
    // Creates the controls inside the window and lays them out; runs at every load.
    virtual void setupUi(QWidget *window) = 0;
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool &cancel, int unloadMode) {
        (void)cancel;
        (void)unloadMode;
    }

private:
    friend class Control;
    void addControl(Control *c) { controls_.push_back(c); }
    void removeControl(Control *c) { std::erase(controls_, c); }

    QString name_;
    QString caption_;
    std::vector<Control *> controls_;
    QPointer<QWidget> window_;
    bool loaded_ = false;
};

// Keeps track of every window instance, so that the program's end and the tests can destroy them all.
void registerForm(Form *form, void (*forget)());
void destroyAllForms();
// Unloads every loaded window (the variables stay).
void unloadAllForms();
std::vector<Form *> allForms();

// The accessor behind formN(): the single instance, loaded.
template <class F> F &loadedForm() {
    static F *instance = nullptr;
    if (!instance) {
        instance = new F;
        registerForm(instance, [] { instance = nullptr; });
    }
    instance->ensureLoaded();
    return *instance;
}

// Sends a Tab key press to the control that has the focus, which moves the focus on.
void sendTab();

// Colours as the windows give them: &HBBGGRR, or a system colour such as &H8000000F (button face).
QColor vbColor(unsigned int value);

// The colours the schedule windows give their boxes, as the window system writes them (&H00BBGGRR).
namespace palette {
constexpr unsigned lightGrey = 0x00E0E0E0;   // inputs and intermediate figures
constexpr unsigned silver = 0x00C0C0C0;      // final amounts
constexpr unsigned lightBlue = 0x00FFC0C0;   // interim payments
constexpr unsigned yellow = 0x0000FFFF;      // the company-code box
constexpr unsigned magenta = 0x00FF00FF;     // boxes other windows fill
constexpr unsigned lightYellow = 0x00C0FFFF; // headings
constexpr unsigned lightCyan = 0x00FFFFC0;   // the taxes-and-dues group
} // namespace palette

} // namespace hz
