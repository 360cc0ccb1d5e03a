#include "print/recording_printer.h"

#include "core/errors.h"
#include "print/fonts.h"

#include <algorithm>

namespace hz {

bool PrintJobLog::ended() const { return !ops.empty() && ops.back().kind == PrintOp::EndDoc; }
bool PrintJobLog::aborted() const { return !ops.empty() && ops.back().kind == PrintOp::Abort; }

std::vector<PrintOp> PrintJobLog::texts() const {
    std::vector<PrintOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [](const PrintOp &op) { return op.kind == PrintOp::Text; });
    return out;
}

std::vector<PrintOp> PrintJobLog::lines() const {
    std::vector<PrintOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [](const PrintOp &op) { return op.kind == PrintOp::Line; });
    return out;
}

std::vector<PrintOp> PrintJobLog::textsEqual(const QString &t) const {
    std::vector<PrintOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
                 [&](const PrintOp &op) { return op.kind == PrintOp::Text && op.text == t; });
    return out;
}

void RecordingPrinter::failAt(int opIndex, QString description) {
    failAt_ = opIndex;
    failure_ = std::move(description);
}

void RecordingPrinter::add(PrintOp op) {
    if (failAt_ >= 0 && static_cast<int>(log_.ops.size()) >= failAt_)
        throw Error(failure_);
    op.font = font_;
    op.size = size_;
    op.drawWidth = width_;
    log_.ops.push_back(std::move(op));
}

void RecordingPrinter::setScaleModeMm() { log_.scaleModeSet = true; }
void RecordingPrinter::setFontName(const QString &name) { font_ = name; }
void RecordingPrinter::setFontSize(double points) { size_ = points; }
void RecordingPrinter::setDrawWidth(int pixels) { width_ = pixels; }

void RecordingPrinter::print(const QString &text) { addText(text, false); }

void RecordingPrinter::printVertical(const QString &character) { addText(character, true); }

void RecordingPrinter::addText(const QString &text, bool vertical) {
    PrintOp op;
    op.kind = PrintOp::Text;
    op.x = x_;
    op.y = y_;
    op.text = text;
    op.vertical = vertical;
    add(op);
}

double RecordingPrinter::textWidth(const QString &text) { return textWidthMm(printFont(font_, size_), text); }

void RecordingPrinter::line(double x1, double y1, double x2, double y2) {
    PrintOp op;
    op.kind = PrintOp::Line;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    add(op);
}

void RecordingPrinter::paintPicture(const QImage &, double x, double y, double width, double height) {
    PrintOp op;
    op.kind = PrintOp::Picture;
    op.x = x;
    op.y = y;
    op.x2 = width;
    op.y2 = height;
    add(op);
}

void RecordingPrinter::endDoc() {
    PrintOp op;
    op.kind = PrintOp::EndDoc;
    add(op);
}

void RecordingPrinter::abort() {
    PrintOp op;
    op.kind = PrintOp::Abort;
    op.font = font_;
    op.size = size_;
    op.drawWidth = width_;
    log_.ops.push_back(op);
}

PrintRecorder::PrintRecorder() {
    setPrintJobFactory([this](const QString &title) -> std::unique_ptr<Printer> {
        const int n = opened_++;
        for (const Failure &f : failures_)
            if (f.job == n && f.op < 0)
                throw Error(f.description);
        jobs.push_back(PrintJobLog{title, {}, false});
        auto printer = std::make_unique<RecordingPrinter>(jobs.back());
        for (const Failure &f : failures_)
            if (f.job == n && f.op >= 0)
                printer->failAt(f.op, f.description);
        return printer;
    });
}

PrintRecorder::~PrintRecorder() { setPrintJobFactory({}); }

void PrintRecorder::failOpening(int n, QString description) { failures_.push_back({n, -1, std::move(description)}); }

void PrintRecorder::failDrawing(int n, int opIndex, QString description) {
    failures_.push_back({n, opIndex, std::move(description)});
}

QStringList PrintRecorder::titles() const {
    QStringList out;
    for (const PrintJobLog &job : jobs)
        out << job.title;
    return out;
}

} // namespace hz
