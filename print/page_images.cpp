#include "print/page_images.h"

#include "core/errors.h"
#include "core/paths.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "print/recording_printer.h"

#include <QFileInfo>
#include <QPainter>

#include <array>
#include <map>

namespace hz {

namespace {

constexpr int kWidth = 2481;
constexpr int kHeight = 3507;
constexpr double kDpi = 300;
constexpr double kMmPerInch = 25.4;

constexpr std::array<const char16_t *, 9> kFormNames = {nullptr,
                                                        u"第九号の二様式",
                                                        u"第六号様式 (提出用)",
                                                        u"第六号様式別表九",
                                                        u"第六号様式別表四の四",
                                                        u"第二十号様式 (入力用)",
                                                        u"第二十号様式 (提出用)",
                                                        u"別表一(一)",
                                                        u"税務代理権限証書"};

// Set while a guide sheet is drawn from its page: a page that asked for its own image then would ask for the
// sheet being made.
bool g_drawingGuide = false;

QImage blankSheet() {
    QImage blank(kWidth, kHeight, QImage::Format_Mono);
    blank.fill(1);
    return blank;
}

// A 1-bit picture with its white as colour 0 and black as 1, as a conversion from colour leaves it, turned the
// other way round: the same pixels, but the PDF writer embeds a black-and-white picture as a small bitmap only
// when black is colour 0, and otherwise as a full-colour picture, tens of times larger and slower to write.
void blackFirst(QImage &image) {
    const QList<QRgb> whiteBlack = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    if (image.depth() != 1 || image.colorTable() != whiteBlack)
        return;
    if (image.format() != QImage::Format_Mono)
        image = image.convertToFormat(QImage::Format_Mono);
    image.invertPixels();
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
}

void setSheetDpi(QImage &image) {
    const int dotsPerMeter = qRound(kDpi / kMmPerInch * 1000.0);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

// Print data with every element filled, so that the page prints every item it has. The texts name what prints
// there; the amounts fill every digit box.
PrintData sampleData(std::int32_t amount) {
    PrintData d;
    d.companyNumbers = {0, 1, 10000000, 19, 4, 1, 20, 3, 31, 20, 5, 25};
    const char16_t *company[] = {u"法人名フリガナ", u"法人名", u"納税地",   u"代表者フリガナ", u"代表者住所",
                                 u"事業種目",       u"税務署", u"電話番号", u"代表者氏名",     u"代表者氏名"};
    for (int k = 1; k <= 10; ++k)
        d.companyTexts[k] = QString::fromUtf16(company[k - 1]);
    const char16_t *accountant[] = {u"税理士名", u"税理士電話番号", u"税理士住所", u"登録番号", u"支部名"};
    for (int k = 1; k <= 5; ++k)
        d.accountantTexts[k] = QString::fromUtf16(accountant[k - 1]);
    const char16_t *bank[] = {u"銀行名", u"支店名", u"口座番号", u"普通預金", u"", u"従業員数", u"区名"};
    for (int k = 1; k <= 7; ++k)
        d.refundBankTexts[k] = QString::fromUtf16(bank[k - 1]);
    d.specialFieldTexts[1] = QStringLiteral("県税事務所");
    d.specialFieldTexts[2] = QStringLiteral("市役所・区役所");
    auto fillTexts = [](auto &texts, const QString &what) {
        for (std::size_t k = 1; k < texts.size(); ++k)
            texts[k] = what + QString::number(k);
    };
    fillTexts(d.sched2Texts, QStringLiteral("項目"));
    fillTexts(d.schedule4RowNames, QStringLiteral("行名"));
    fillTexts(d.schedule5_1RowNames, QStringLiteral("行名"));
    fillTexts(d.capitalRowNames, QStringLiteral("行名"));
    fillTexts(d.schedule5_2Part2RowNames, QStringLiteral("行名"));
    fillTexts(d.schedule6Texts, QStringLiteral("銘柄"));
    auto fill = [](auto &values, auto v) {
        for (std::size_t k = 1; k < values.size(); ++k)
            values[k] = v;
    };
    fill(d.sched1Amounts, amount);
    fill(d.enterpriseTaxValues, double(amount));
    fill(d.prefTaxValues, double(amount));
    fill(d.muniTaxValues, double(amount));
    // The rates among the local-tax figures.
    d.enterpriseTaxValues[9] = 5;
    d.enterpriseTaxValues[10] = 7.3;
    d.enterpriseTaxValues[11] = 9.6;
    d.prefTaxValues[2] = 5;
    d.muniTaxValues[2] = 12.3;
    fill(d.sched2Shares, amount);
    fill(d.schedule4Cells, amount);
    fill(d.schedule5_1Cells, amount);
    fill(d.capitalCells, amount);
    fill(d.schedule5_2Cells, amount);
    fill(d.schedule5_2Part2Cells, amount);
    fill(d.schedule6Cells, amount);
    fill(d.sched7Amounts, amount);
    fill(d.sched15Amounts, amount);
    return d;
}

// The items the page prints over form n, from its own drawing on the sample data. A sample so large that the
// page's sums overflow is tried again smaller.
std::vector<PrintOp> pageItems(const PageSpec &entry) {
    for (std::int32_t amount : {123456789, 1234567}) {
        PrintJobLog log;
        RecordingPrinter printer(log);
        PrintData data = sampleData(amount);
        PageState state;
        Page page(printer, data, state);
        struct Guard {
            Guard() { g_drawingGuide = true; }
            ~Guard() { g_drawingGuide = false; }
        } guard;
        try {
            printer.setScaleModeMm();
            entry.draw(page);
            return log.texts();
        } catch (const Error &) {
        }
    }
    return {};
}

QFont sheetFont(double points, bool bold = false) {
    QFont f = printFont(fontname::mincho, points);
    f.setBold(bold);
    return f;
}

} // namespace

QString pageImagePath(int picture) { return QStringLiteral("c:\\法人税\\様式\\Picture%1.png").arg(picture); }

QString pageImageFormName(int picture) {
    return picture >= 1 && picture <= 8 ? QString::fromUtf16(kFormNames[std::size_t(picture)]) : QString();
}

QImage guideSheet(int picture) {
    static std::map<int, QImage> made;
    if (auto it = made.find(picture); it != made.end())
        return it->second;
    const PageSpec *entry = pageSpecForPicture(picture);
    const QImage sheet = entry ? drawGuideSheet(picture, *entry) : blankSheet();
    made[picture] = sheet;
    return sheet;
}

QImage drawGuideSheet(int picture, const PageSpec &page) {
    QImage sheet(kWidth, kHeight, QImage::Format_RGB32);
    setSheetDpi(sheet);
    sheet.fill(Qt::white);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setPen(Qt::black);

        // The page's items, in pixels of the sheet as it is scaled onto the page.
        std::vector<QRectF> boxes;
        std::vector<QString> labels;
        const double sx = kWidth / page.pictureWidth;
        const double sy = kHeight / page.pictureHeight;
        for (const PrintOp &op : pageItems(page)) {
            const QString text = op.text.trimmed();
            if (text.isEmpty())
                continue;
            const double w = textWidthMm(printFont(op.font, op.size), op.text);
            const double h = op.size * kMmPerInch / 72.0;
            boxes.emplace_back(op.x * sx, op.y * sy, w * sx, h * sy);
            labels.push_back(text);
        }

        // The title block goes to the top or the bottom of the sheet, wherever fewer items print.
        const QRectF top(60, 50, kWidth - 120, 260);
        const QRectF bottom(60, kHeight - 50 - 260, kWidth - 120, 260);
        auto covered = [&](const QRectF &r) {
            return std::count_if(boxes.begin(), boxes.end(), [&](const QRectF &b) { return b.intersects(r); });
        };
        const QRectF block = covered(bottom) < covered(top) ? bottom : top;
        p.setPen(QPen(Qt::black, 6));
        p.drawRect(block);
        const QString caption = QString::fromUtf16(page.caption);
        p.setFont(sheetFont(16, true));
        p.drawText(block.adjusted(30, 20, -30, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Picture%1　%2　（%3）").arg(picture).arg(pageImageFormName(picture), caption));
        p.setFont(sheetFont(9));
        p.drawText(block.adjusted(30, 110, -30, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("これは公式の様式ではありません。印刷される項目の位置を枠で示す案内用紙です。"
                                  "公式の様式を 300 dpi・2481 × 3507 画素の PNG にして %1 に置くと、"
                                  "その画像に重ねて印刷します。")
                       .arg(pageImagePath(picture)));

        // A thin box where each item prints, with what the sample printed there just above it, unless another
        // label stands there already.
        p.setPen(QPen(Qt::black, 2));
        for (const QRectF &b : boxes)
            p.drawRect(b);
        p.setFont(sheetFont(5));
        const QFontMetricsF metrics(p.font(), &sheet);
        std::vector<QRectF> placed;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const QRectF label(boxes[i].left(), boxes[i].top() - metrics.height() - 2,
                               metrics.horizontalAdvance(labels[i]), metrics.height());
            if (std::any_of(placed.begin(), placed.end(), [&](const QRectF &r) { return r.intersects(label); }))
                continue;
            placed.push_back(label);
            p.drawText(label, Qt::AlignLeft | Qt::AlignBottom, labels[i]);
        }
    }
    QImage mono = sheet.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
    blackFirst(mono);
    setSheetDpi(mono);
    return mono;
}

QImage pageImage(int picture) {
    if (g_drawingGuide)
        return blankSheet();
    const QString path = pageImagePath(picture);
    if (QFileInfo::exists(hostPath(path))) {
        QImage scan(hostPath(path));
        if (scan.isNull())
            throw Error(QStringLiteral("様式の画像（%1）を読めません。").arg(path));
        if (scan.size() != QSize(kWidth, kHeight))
            throw Error(QStringLiteral("様式の画像（%1）は %2 × %3 画素です。%4 × %5 画素の画像にしてください。")
                            .arg(path)
                            .arg(scan.width())
                            .arg(scan.height())
                            .arg(kWidth)
                            .arg(kHeight));
        blackFirst(scan);
        return scan;
    }
    return guideSheet(picture);
}

} // namespace hz
