#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>

// The printer as every printed page uses it: one object is one print job holding one sheet. Coordinates are
// millimetres from the top-left corner of the printable area, x to the right and y down; a text position is the
// top-left corner of the text. Any failure of the device throws hz::Error; the job is then abandoned with abort().
namespace hz {

// The face names the pages ask for.
namespace fontname {
inline const QString mincho = QStringLiteral("MS 明朝");
inline const QString brush = QStringLiteral("HG行書体");
} // namespace fontname

class Printer {
public:
    virtual ~Printer() = default;

    // ScaleMode 6: millimetres. Every page sets it first; it is the only scale the pages know.
    virtual void setScaleModeMm() = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    // Line width in device pixels of a 300 dpi printer: 6 for frames, 2 for the grid.
    virtual void setDrawWidth(int pixels) = 0;
    virtual void setCurrentX(double mm) = 0;
    virtual void setCurrentY(double mm) = 0;
    // Prints one text at CurrentX, CurrentY in the font in force.
    virtual void print(const QString &text) = 0;
    // Prints one character of a column set top to bottom at CurrentX, CurrentY in the font in force: in its
    // vertical form, in the square of one em whose top-left corner that is.
    virtual void printVertical(const QString &character) = 0;
    // The printed width of text in the font in force, in millimetres.
    virtual double textWidth(const QString &text) = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    // Paints an image scaled into the given box.
    virtual void paintPicture(const QImage &image, double x, double y, double width, double height) = 0;
    // Ends the job: the sheet goes to the printer (or the file).
    virtual void endDoc() = 0;
    // Throws the job away: nothing half-drawn reaches the printer. Never throws.
    virtual void abort() = 0;
};

// Opens the job of one page, titled with the page button's caption. The default goes to the system's default
// printer, or to a PDF file per job in $HOJINZEI_PRINT_DIR when that is set. Throws hz::Error when no printer
// can be opened.
std::unique_ptr<Printer> openPrintJob(const QString &title);

using PrintJobFactory = std::function<std::unique_ptr<Printer>(const QString &title)>;
// Installs another source of print jobs (the tests' recorder); an empty factory puts back the default.
void setPrintJobFactory(PrintJobFactory factory);

} // namespace hz
