#include "print/device_printer.h"

#include "core/errors.h"
#include "platform/printers.h"
#include "print/fonts.h"
#include "print/vertical_text.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace hz {

namespace {

QPageLayout zeroMarginA4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

void DevicePrinter::begin(QPagedPaintDevice &device) {
    if (!painter_.begin(&device))
        throw Error(QStringLiteral("プリンタに出力できません。"));
    dotsPerMm_ = device.logicalDpiX() / mmPerInch;
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPointF DevicePrinter::toDevice(double xmm, double ymm) const {
    return QPointF((xmm + sheet::originX) * dotsPerMm_, (ymm + sheet::originY) * dotsPerMm_);
}

void DevicePrinter::setFontName(const QString &name) { fontName_ = name; }
void DevicePrinter::setFontSize(double points) { fontSize_ = points; }
void DevicePrinter::setDrawWidth(int pixels) { drawWidth_ = pixels; }

void DevicePrinter::print(const QString &text) {
    painter_.setPen(QPen(Qt::black));
    drawText(painter_, toDevice(x_, y_), printFont(fontName_, fontSize_), text);
}

void DevicePrinter::printVertical(const QString &character) {
    painter_.setPen(QPen(Qt::black));
    const QList<uint> codes = character.toUcs4();
    if (!codes.isEmpty())
        drawVerticalCharacter(painter_, toDevice(x_, y_), printFont(fontName_, fontSize_), codes.front());
}

double DevicePrinter::textWidth(const QString &text) { return textWidthMm(printFont(fontName_, fontSize_), text); }

void DevicePrinter::line(double x1, double y1, double x2, double y2) {
    QPen pen(Qt::black);
    pen.setWidthF(drawWidth_ * mmPerInch / sheet::lineWidthDpi * dotsPerMm_);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void DevicePrinter::paintPicture(const QImage &image, double x, double y, double width, double height) {
    const QPointF topLeft = toDevice(x, y);
    painter_.drawImage(QRectF(topLeft, QSizeF(width * dotsPerMm_, height * dotsPerMm_)), image);
}

namespace {

class PdfPrinter final : public DevicePrinter {
public:
    PdfPrinter(const QString &path) : path_(path), partial_(path + QStringLiteral(".part")) {
        writer_ = std::make_unique<QPdfWriter>(partial_);
        writer_->setResolution(600);
        writer_->setPageLayout(zeroMarginA4());
        writer_->setCreator(QStringLiteral("hojinzei"));
        begin(*writer_);
    }
    ~PdfPrinter() override {
        if (painter_.isActive())
            abort();
    }
    void endDoc() override {
        if (!painter_.end()) {
            QFile::remove(partial_);
            throw Error(QStringLiteral("書き込みできません。"));
        }
        writer_.reset();
        QFile::remove(path_);
        if (!QFile::rename(partial_, path_)) {
            QFile::remove(partial_);
            throw Error(QStringLiteral("書き込みできません。"));
        }
    }
    void abort() override {
        if (painter_.isActive())
            painter_.end();
        writer_.reset();
        QFile::remove(partial_);
    }

private:
    QString path_;
    QString partial_;
    std::unique_ptr<QPdfWriter> writer_;
};

// Qt's print engine draws the page into a PDF file, and the job goes to the queue from here: handed over by Qt it
// would be dropped without a word when the queue refuses it, and an aborted page would still be sent half drawn.
class SystemPrinter final : public DevicePrinter {
public:
    explicit SystemPrinter(const QString &title) : title_(title) {
        // The scheduler says which printer is the default, or why there is none: Qt's printer support says
        // nothing either way when it cannot reach the scheduler.
        printerName_ = defaultPrinter();
        checkPrinterTakesJobs(printerName_);
        const QPrinterInfo info = QPrinterInfo::printerInfo(printerName_);
        if (info.isNull())
            throw Error(QStringLiteral("プリンタ %1 に出力できません。").arg(printerName_));
        if (!document_.open())
            throw Error(QStringLiteral("プリンタに出力できません。"));
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setResolution(300);
        printer_->setDocName(title);
        // A name without ".pdf" keeps the printer's own engine, which writes its PDF there instead of sending it.
        printer_->setOutputFileName(document_.fileName());
        printer_->setFullPage(true);
        printer_->setPageOrientation(QPageLayout::Portrait);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        if (!printer_->isValid())
            throw Error(QStringLiteral("プリンタに出力できません。"));
        if (!printer_->pageLayout().pageSize().isEquivalentTo(QPageSize(QPageSize::A4)))
            throw Error(QStringLiteral("プリンタ %1 に A4 の用紙で印刷できません。").arg(printerName_));
        begin(*printer_);
    }
    ~SystemPrinter() override {
        if (painter_.isActive())
            abort();
    }
    void endDoc() override {
        if (!painter_.end() || printer_->printerState() == QPrinter::Error)
            throw Error(QStringLiteral("プリンタに出力できません。"));
        sendPdfToPrinter(printerName_, document_.fileName(), title_);
    }
    // Nothing has reached the queue yet: the file is thrown away with the job.
    void abort() override {
        if (painter_.isActive())
            painter_.end();
    }

private:
    QString title_;
    QString printerName_;
    QTemporaryFile document_{QDir(QDir::tempPath()).filePath(QStringLiteral("hojinzei-page-XXXXXX"))};
    std::unique_ptr<QPrinter> printer_;
};

// The next free sequence number in folder, so a new job never overwrites an earlier file.
int nextSequence(const QString &folder) {
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)-"));
    int last = 0;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
        const auto m = numbered.match(name);
        if (m.hasMatch())
            last = std::max(last, m.captured(1).toInt());
    }
    return last + 1;
}

} // namespace

std::unique_ptr<Printer> openPdfJob(const QString &folder, const QString &title) {
    if (!QDir(folder).exists())
        throw Error(QStringLiteral("パスが見つかりません。"));
    const QString name = QStringLiteral("%1-%2.pdf").arg(nextSequence(folder), 3, 10, QLatin1Char('0')).arg(title);
    return std::make_unique<PdfPrinter>(QDir(folder).filePath(name));
}

std::unique_ptr<Printer> openSystemPrinterJob(const QString &title) { return std::make_unique<SystemPrinter>(title); }

} // namespace hz
