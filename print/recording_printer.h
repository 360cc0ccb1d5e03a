#pragma once

#include "print/printer.h"

#include <QList>
#include <QString>

#include <deque>
#include <vector>

// A printer that draws nothing and remembers every item with its final position, the font and size in force and
// the line width: the tests compare it with what a page must print, and the guide sheets of the picture pages are
// drawn from it.
namespace hz {

struct PrintOp {
    enum Kind { Text, Line, Picture, EndDoc, Abort };
    Kind kind = Text;
    QString font;       // the face the page asked for ("MS 明朝", "HG行書体")
    double size = 0;    // points
    int drawWidth = 0;  // device pixels
    double x = 0, y = 0;   // text and picture: top-left; line: first end
    double x2 = 0, y2 = 0; // line: second end; picture: width and height
    QString text;
    // A text that is one character of a column set top to bottom: x and y are the top-left corner of its square.
    bool vertical = false;
};

struct PrintJobLog {
    QString title;
    std::vector<PrintOp> ops;
    bool scaleModeSet = false;

    bool ended() const;
    bool aborted() const;
    std::vector<PrintOp> texts() const;
    std::vector<PrintOp> lines() const;
    // The text items whose text is exactly t, in the order printed.
    std::vector<PrintOp> textsEqual(const QString &t) const;
};

class RecordingPrinter final : public Printer {
public:
    explicit RecordingPrinter(PrintJobLog &log) : log_(log) {}
    // Makes the op with this index (0 = the first drawing call) throw, as a driver failure would.
    void failAt(int opIndex, QString description);

    void setScaleModeMm() override;
    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setDrawWidth(int pixels) override;
    void setCurrentX(double mm) override { x_ = mm; }
    void setCurrentY(double mm) override { y_ = mm; }
    void print(const QString &text) override;
    void printVertical(const QString &character) override;
    double textWidth(const QString &text) override;
    void line(double x1, double y1, double x2, double y2) override;
    void paintPicture(const QImage &image, double x, double y, double width, double height) override;
    void endDoc() override;
    void abort() override;

private:
    void addText(const QString &text, bool vertical);
    void add(PrintOp op);

    PrintJobLog &log_;
    QString font_;
    double size_ = 0;
    int width_ = 1;
    double x_ = 0, y_ = 0;
    int failAt_ = -1;
    QString failure_;
};

// While it lives, every print job the program opens is recorded here instead of printed.
class PrintRecorder {
public:
    PrintRecorder();
    ~PrintRecorder();
    PrintRecorder(const PrintRecorder &) = delete;
    PrintRecorder &operator=(const PrintRecorder &) = delete;

    // Opening job number n (0-based, counted over the recorder's life) fails with this description.
    void failOpening(int n, QString description);
    // Job number n fails at its drawing call opIndex.
    void failDrawing(int n, int opIndex, QString description);

    // A deque: the open printers keep references to their entries.
    std::deque<PrintJobLog> jobs;
    QStringList titles() const;

private:
    struct Failure {
        int job;
        int op; // -1: opening
        QString description;
    };
    std::vector<Failure> failures_;
    int opened_ = 0;
};

} // namespace hz
