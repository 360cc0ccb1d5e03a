#include "tests/support/print_support.h"

#include "print/device_printer.h"
#include "print/fonts.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <poppler-qt6.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace hz::test {

PrintJobLog recordPage(const QString &caption, PrintData &data, PageState &state) {
    const PageSpec *entry = pageSpec(caption);
    if (!entry) {
        ADD_FAILURE() << "no page " << caption.toStdString();
        return {};
    }
    PrintRecorder recorder;
    printPage(*entry, data, state);
    return recorder.jobs.empty() ? PrintJobLog{} : recorder.jobs.front();
}

QString renderPage(const QString &caption, PrintData &data, const QString &name) {
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    const QString folder = folders.back()->path();
    const PageSpec *entry = pageSpec(caption);
    if (!entry) {
        ADD_FAILURE() << "no page " << caption.toStdString();
        return {};
    }
    PageState state;
    setPrintJobFactory([&](const QString &title) { return openPdfJob(folder, title); });
    printPage(*entry, data, state);
    setPrintJobFactory({});
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    if (files.size() != 1) {
        ADD_FAILURE() << "expected one PDF, got " << files.size();
        return {};
    }
    const QString pdf = QDir(folder).filePath(files.front());
    const QString snapshots = qEnvironmentVariable("HOJINZEI_SNAPSHOT_DIR");
    if (!snapshots.isEmpty()) {
        QDir().mkpath(snapshots);
        QFile::remove(QDir(snapshots).filePath(name + QStringLiteral(".pdf")));
        QFile::copy(pdf, QDir(snapshots).filePath(name + QStringLiteral(".pdf")));
        snapshotImage(renderPdf(pdf, 150), name);
    }
    return pdf;
}

namespace {

// The printer of a job with the form's picture left out: over a blank scan, only the text would put ink in its room,
// and rendering the picture takes poppler a second a page.
class WithoutPicture final : public ForwardingPrinter {
public:
    using ForwardingPrinter::ForwardingPrinter;
    void paintPicture(const QImage &, double, double, double, double) override {}
};

// A PDF file drawn at 300 dpi, as the system printer's page is (Qt's PDF engine at the printer's resolution).
class Pdf300 final : public DevicePrinter {
public:
    explicit Pdf300(const QString &path) : writer_(path) {
        writer_.setResolution(300);
        writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                          QPageLayout::Millimeter));
        begin(writer_);
    }
    void endDoc() override { painter_.end(); }
    void abort() override { painter_.end(); }

private:
    QPdfWriter writer_;
};

} // namespace

QString printPdfWithoutPicture(const PageSpec &entry, PrintData &data, int dpi) {
    static QTemporaryDir folder;
    QDir(folder.path()).removeRecursively();
    QDir().mkpath(folder.path());
    setPrintJobFactory([&](const QString &title) -> std::unique_ptr<Printer> {
        if (dpi == 300)
            return std::make_unique<WithoutPicture>(
                std::make_unique<Pdf300>(folder.filePath(QStringLiteral("page.pdf"))));
        return std::make_unique<WithoutPicture>(openPdfJob(folder.path(), title));
    });
    PageState state;
    printPage(entry, data, state);
    setPrintJobFactory({});
    const QStringList files = QDir(folder.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return files.size() == 1 ? QDir(folder.path()).filePath(files.front()) : QString();
}

namespace {

std::unique_ptr<Poppler::Page> firstPage(const QString &pdfPath, std::unique_ptr<Poppler::Document> &doc) {
    doc = Poppler::Document::load(pdfPath);
    if (!doc || doc->isLocked() || doc->numPages() < 1) {
        ADD_FAILURE() << "cannot read " << pdfPath.toStdString();
        return nullptr;
    }
    return doc->page(0);
}

} // namespace

std::vector<PdfWord> pdfWords(const QString &pdfPath) {
    std::unique_ptr<Poppler::Document> doc;
    auto page = firstPage(pdfPath, doc);
    std::vector<PdfWord> out;
    if (!page)
        return out;
    for (const auto &box : page->textList()) {
        const auto toMm = [](const QRectF &r) {
            return QRectF(r.x() * mmPerPoint - sheet::originX, r.y() * mmPerPoint - sheet::originY,
                          r.width() * mmPerPoint, r.height() * mmPerPoint);
        };
        PdfWord word{box->text(), toMm(box->boundingBox()), {}};
        for (int i = 0; i < word.text.size(); ++i)
            word.chars.push_back(toMm(box->charBoundingBox(i)));
        out.push_back(std::move(word));
    }
    return out;
}

std::vector<PdfWord> pdfWordsContaining(const QString &pdfPath, const QString &part) {
    std::vector<PdfWord> out;
    for (PdfWord &w : pdfWords(pdfPath))
        if (w.text.contains(part))
            out.push_back(std::move(w));
    return out;
}

namespace {

// The pixels of the PDF's first page inside pixels (the whole sheet when it is null), rendered at dpi.
QImage renderPixels(const QString &pdfPath, double dpi, const QRect &pixels) {
    std::unique_ptr<Poppler::Document> doc;
    auto page = firstPage(pdfPath, doc);
    if (!page)
        return {};
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    if (pixels.isNull())
        return page->renderToImage(dpi, dpi);
    return page->renderToImage(dpi, dpi, pixels.x(), pixels.y(), pixels.width(), pixels.height());
}

} // namespace

QImage renderPdf(const QString &pdfPath, double dpi) { return renderPixels(pdfPath, dpi, {}); }

QImage renderPdfPart(const QString &pdfPath, double dpi, const QRectF &region) {
    const double pxPerMm = dpi / mmPerInch;
    const QPoint topLeft(int(std::floor(region.left() * pxPerMm)), int(std::floor(region.top() * pxPerMm)));
    const QPoint bottomRight(int(std::ceil(region.right() * pxPerMm)), int(std::ceil(region.bottom() * pxPerMm)));
    QImage part =
        renderPixels(pdfPath, dpi, QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())));
    part.setOffset(topLeft);
    return part;
}

int pdfPageCount(const QString &pdfPath) {
    const auto doc = Poppler::Document::load(pdfPath);
    return doc && !doc->isLocked() ? doc->numPages() : 0;
}

QSizeF pdfSheetSizeMm(const QString &pdfPath) {
    std::unique_ptr<Poppler::Document> doc;
    auto page = firstPage(pdfPath, doc);
    return page ? page->pageSizeF() * mmPerPoint : QSizeF();
}

QStringList misplacedWords(const PrintJobLog &job, const QString &pdf) {
    const std::vector<PrintOp> texts = job.texts();
    QStringList misplaced;
    for (const PdfWord &w : pdfWords(pdf)) {
        const bool placed = std::any_of(texts.begin(), texts.end(), [&](const PrintOp &t) {
            const double lineHeight = t.size * mmPerPoint;
            return t.text.contains(w.text) && std::abs(w.mm.top() - t.y) < lineHeight && w.mm.left() > t.x - 1.0 &&
                   w.mm.left() < t.x + 1.0 + t.text.size() * lineHeight;
        });
        if (!placed)
            misplaced << QStringLiteral("%1 at %2, %3").arg(w.text).arg(w.mm.left()).arg(w.mm.top());
    }
    return misplaced;
}

QStringList textsNotWhereRecorded(const PrintJobLog &job, const QString &pdf) {
    const std::vector<PdfWord> words = pdfWords(pdf);
    QStringList missing;
    for (const PrintOp &t : job.texts()) {
        const QString shown = t.text.trimmed();
        if (shown.isEmpty())
            continue;
        // A number printed as such starts with a blank, which moves its first digit along.
        const QString lead = t.text.left(t.text.indexOf(shown.front()));
        const double left = t.x + (lead.isEmpty() ? 0.0 : textWidthMm(printFont(t.font, t.size), lead));
        const auto at = [&](const PdfWord &w) {
            for (int i = 0; i < int(w.chars.size()); ++i) {
                const QString rest = w.text.mid(i);
                if ((rest.startsWith(shown) || shown.startsWith(rest)) && std::abs(w.chars[i].left() - left) < 1.0 &&
                    std::abs(w.chars[i].top() - t.y) < 1.0)
                    return true;
            }
            return false;
        };
        if (std::none_of(words.begin(), words.end(), at))
            missing << QStringLiteral("%1 at %2, %3").arg(t.text).arg(t.x).arg(t.y);
    }
    return missing;
}

QRectF inkInMm(const QImage &sheet, double dpi, const QRectF &region) {
    // The pixels whose centres lie inside the region.
    const double perMm = dpi / 25.4;
    const int left = std::max(0, int(std::ceil(region.left() * perMm - 0.5)));
    const int top = std::max(0, int(std::ceil(region.top() * perMm - 0.5)));
    const int right = std::min(sheet.width(), int(std::ceil(region.right() * perMm - 0.5)));
    const int bottom = std::min(sheet.height(), int(std::ceil(region.bottom() * perMm - 0.5)));
    if (left >= right || top >= bottom)
        return {};
    const QImage grey = sheet.copy(left, top, right - left, bottom - top).convertToFormat(QImage::Format_Grayscale8);
    int minX = grey.width(), minY = grey.height(), maxX = -1, maxY = -1;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (line[x] < 128) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    }
    if (maxX < 0)
        return {};
    return QRectF((left + minX) / perMm, (top + minY) / perMm, (maxX - minX + 1) / perMm, (maxY - minY + 1) / perMm);
}

void snapshotImage(const QImage &image, const QString &name) {
    const QString snapshots = qEnvironmentVariable("HOJINZEI_SNAPSHOT_DIR");
    if (snapshots.isEmpty())
        return;
    QDir().mkpath(snapshots);
    image.save(QDir(snapshots).filePath(name + QStringLiteral(".png")));
}

} // namespace hz::test
