#include "print/fonts.h"

#include "print/printer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace hz {

namespace {

QPaintDevice &measuringDevice() {
    static QImage device = [] {
        QImage img(8, 8, QImage::Format_Mono);
        const int dotsPerMeter = qRound(textDpi / mmPerInch * 1000.0);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return device;
}

constexpr double mmPerDot = mmPerInch / textDpi;

} // namespace

QFont printFont(const QString &faceName, double points) {
    QFont font;
    if (faceName == fontname::brush)
        font.setFamilies({QStringLiteral("AoyagiKouzanFontT"), QStringLiteral("IPAMincho")});
    else
        font.setFamilies({QStringLiteral("IPAMincho")});
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferOutline);
    // The desktop's hinting must not change a page's measures: a PDF holds the outlines, not hinted glyphs.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

double textWidthMm(const QFont &font, const QString &text) {
    const QFontMetricsF metrics(font, &measuringDevice());
    return metrics.horizontalAdvance(text) * mmPerDot;
}

double textLineHeightMm(const QFont &font) {
    const QFontMetricsF metrics(font, &measuringDevice());
    return (metrics.ascent() + metrics.descent()) * mmPerDot;
}

double textAscentMm(const QFont &font) { return QFontMetricsF(font, &measuringDevice()).ascent() * mmPerDot; }

QRectF textInkMm(const QFont &font, const QString &text) {
    // The outlines themselves: tightBoundingRect puts a long text's last glyphs up to 0.15 mm short of where they
    // are drawn.
    QPainterPath path;
    path.addText(0, 0, QFont(font, &measuringDevice()), text);
    const QRectF ink = path.boundingRect();
    if (ink.isEmpty())
        return {};
    const double ascent = QFontMetricsF(font, &measuringDevice()).ascent();
    return QRectF(ink.left() * mmPerDot, (ink.top() + ascent) * mmPerDot, ink.width() * mmPerDot,
                  ink.height() * mmPerDot);
}

void drawText(QPainter &painter, QPointF topLeft, const QFont &font, const QString &text) {
    // The painter lays out at its device's resolution: the font is enlarged by textDpi / dpi, so that it takes the
    // pixel size it has at textDpi, and the drawing shrunk by as much.
    const double scale = double(textDpi) / painter.device()->logicalDpiX();
    QFont laidOut = font;
    laidOut.setPointSizeF(font.pointSizeF() * scale);
    painter.save();
    painter.translate(topLeft);
    painter.scale(1 / scale, 1 / scale);
    painter.setFont(laidOut);
    painter.drawText(QPointF(0, QFontMetricsF(font, &measuringDevice()).ascent()), text);
    painter.restore();
}

} // namespace hz
