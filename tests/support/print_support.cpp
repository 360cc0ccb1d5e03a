#include "tests/support/print_support.h"

#include "print/device_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <poppler-qt6.h>

#include <gtest/gtest.h>

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
    constexpr double mmPerPoint = 25.4 / 72.0;
    for (const auto &box : page->textList()) {
        const QRectF r = box->boundingBox();
        out.push_back({box->text(), QRectF(r.x() * mmPerPoint - sheet::originX, r.y() * mmPerPoint - sheet::originY,
                                           r.width() * mmPerPoint, r.height() * mmPerPoint)});
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

QImage renderPdf(const QString &pdfPath, double dpi) {
    std::unique_ptr<Poppler::Document> doc;
    auto page = firstPage(pdfPath, doc);
    if (!page)
        return {};
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    return page->renderToImage(dpi, dpi);
}

void snapshotImage(const QImage &image, const QString &name) {
    const QString snapshots = qEnvironmentVariable("HOJINZEI_SNAPSHOT_DIR");
    if (snapshots.isEmpty())
        return;
    QDir().mkpath(snapshots);
    image.save(QDir(snapshots).filePath(name + QStringLiteral(".png")));
}

} // namespace hz::test
