#pragma once

#include "print/pages.h"
#include "print/recording_printer.h"

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

#include <vector>

// Printing pages in tests: through the recorder, to PDF files, and back from a PDF with its words and a picture.
namespace hz::test {

// Prints the page with this button caption as one job through a recorder and returns the job.
PrintJobLog recordPage(const QString &caption, PrintData &data, PageState &state);

// Prints the page with this button caption to a PDF file in a fresh folder (kept for the test's life) and
// returns the file's path. With $HOJINZEI_SNAPSHOT_DIR set, the PDF and a 150 dpi PNG of it are copied there as
// <name>.pdf and <name>.png, to look at.
QString renderPage(const QString &caption, PrintData &data, const QString &name);

// A print job that hands every operation on to another job; a test's stand-in overrides what it changes.
class ForwardingPrinter : public Printer {
public:
    explicit ForwardingPrinter(std::unique_ptr<Printer> job) : job_(std::move(job)) {}
    void setScaleModeMm() override { job_->setScaleModeMm(); }
    void setFontName(const QString &name) override { job_->setFontName(name); }
    void setFontSize(double points) override { job_->setFontSize(points); }
    void setDrawWidth(int pixels) override { job_->setDrawWidth(pixels); }
    void setCurrentX(double mm) override { job_->setCurrentX(mm); }
    void setCurrentY(double mm) override { job_->setCurrentY(mm); }
    void print(const QString &text) override { job_->print(text); }
    void printVertical(const QString &character) override { job_->printVertical(character); }
    double textWidth(const QString &text) override { return job_->textWidth(text); }
    void line(double x1, double y1, double x2, double y2) override { job_->line(x1, y1, x2, y2); }
    void paintPicture(const QImage &image, double x, double y, double width, double height) override {
        job_->paintPicture(image, x, y, width, height);
    }
    void endDoc() override { job_->endDoc(); }
    void abort() override { job_->abort(); }

private:
    std::unique_ptr<Printer> job_;
};

// Prints the page to a PDF file with the form's picture left out, so that only the page's own ink is on the sheet:
// at 600 dpi by the PDF files' printer, at 300 dpi (dpi 300) as the system printer draws. The file lives until the
// next call.
QString printPdfWithoutPicture(const PageSpec &entry, PrintData &data, int dpi = 600);

struct PdfWord {
    QString text;
    QRectF mm;                 // millimetres from the printable area's top-left corner (the sheet's origin taken off)
    std::vector<QRectF> chars; // each character's box, in the same millimetres
};
// The words of the PDF's first page.
std::vector<PdfWord> pdfWords(const QString &pdfPath);
// The words whose text contains part.
std::vector<PdfWord> pdfWordsContaining(const QString &pdfPath, const QString &part);
// The PDF's first page as a picture.
QImage renderPdf(const QString &pdfPath, double dpi);
// The part of the PDF's first page inside region (millimetres from the paper's top-left corner) as a picture, at
// least region's size; its offset() is where its top-left pixel lies on the whole sheet rendered at dpi.
QImage renderPdfPart(const QString &pdfPath, double dpi, const QRectF &region);
// The number of pages of the PDF, and the size of its first sheet in millimetres.
int pdfPageCount(const QString &pdfPath);
QSizeF pdfSheetSizeMm(const QString &pdfPath);

// The PDF's words that do not stand where the recorder put a text: a printed text may come back split into words or
// joined with its neighbours, so each word is looked for in the texts printed at its line, near its start.
QStringList misplacedWords(const PrintJobLog &job, const QString &pdf);
// The recorded texts that the PDF does not show where the recorder put them: the first character of each within a
// millimetre of its place, across and down.
QStringList textsNotWhereRecorded(const PrintJobLog &job, const QString &pdf);

// The box of the ink (pixels darker than mid-grey) of a rendered sheet inside region, in millimetres from the
// paper's top-left corner, as region is given; empty when there is none.
QRectF inkInMm(const QImage &sheet, double dpi, const QRectF &region);

// Saves a picture as <name>.png in $HOJINZEI_SNAPSHOT_DIR when that is set.
void snapshotImage(const QImage &image, const QString &name);

} // namespace hz::test
