#pragma once

#include "print/printer.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>

// The printers that draw for real: the system's default printer, or one PDF file per job in $HOJINZEI_PRINT_DIR.
namespace hz {

// Where the printable area of the forms sits on a zero-margin A4 sheet: the 200 × 288 mm of the layouts are
// centred on the 210 × 297 mm of the paper. The one place that states the mapping.
namespace sheet {
constexpr double originX = 5.0;
constexpr double originY = 4.5;
constexpr double paperWidth = 210.0;
constexpr double paperHeight = 297.0;
constexpr int lineWidthDpi = 300; // line widths are given in pixels of a 300 dpi printer
} // namespace sheet

// Draws the printer operations with a QPainter on a paged device, in millimetres from the printable area.
class DevicePrinter : public Printer {
public:
    void setScaleModeMm() override {}
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

protected:
    // Starts drawing on the device; throws hz::Error when the device cannot be opened.
    void begin(QPagedPaintDevice &device);
    QPainter painter_;

private:
    QPointF toDevice(double xmm, double ymm) const;

    double dotsPerMm_ = 0;
    QString fontName_;
    double fontSize_ = 10;
    int drawWidth_ = 1;
    double x_ = 0, y_ = 0;
};

// One PDF file per job in folder: "<sequence>-<title>.pdf", written under a temporary name and renamed when the
// job ends, so an aborted job leaves no file.
std::unique_ptr<Printer> openPdfJob(const QString &folder, const QString &title);
// The system's default printer (CUPS).
std::unique_ptr<Printer> openSystemPrinterJob(const QString &title);

} // namespace hz
