#include "print/fonts.h"

#include "print/printer.h"

#include <QFontMetricsF>
#include <QImage>

namespace hz {

namespace {

constexpr int measureDpi = 1200;

QPaintDevice &measuringDevice() {
    static QImage device = [] {
        QImage img(8, 8, QImage::Format_Mono);
        const int dotsPerMeter = qRound(measureDpi / mmPerInch * 1000.0);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return device;
}

} // namespace

QFont printFont(const QString &faceName, double points) {
    QFont font;
    if (faceName == fontname::brush)
        font.setFamilies({QStringLiteral("AoyagiKouzanFontT"), QStringLiteral("IPAMincho")});
    else
        font.setFamilies({QStringLiteral("IPAMincho")});
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferOutline);
    font.setKerning(false);
    return font;
}

double textWidthMm(const QFont &font, const QString &text) {
    const QFontMetricsF metrics(font, &measuringDevice());
    return metrics.horizontalAdvance(text) / measureDpi * mmPerInch;
}

double textLineHeightMm(const QFont &font) {
    const QFontMetricsF metrics(font, &measuringDevice());
    return (metrics.ascent() + metrics.descent()) / measureDpi * mmPerInch;
}

QRectF textInkMm(const QFont &font, const QString &text) {
    const QFontMetricsF metrics(font, &measuringDevice());
    const QRectF ink = metrics.tightBoundingRect(text).translated(0, metrics.ascent());
    constexpr double mmPerDot = mmPerInch / measureDpi;
    return QRectF(ink.left() * mmPerDot, ink.top() * mmPerDot, ink.width() * mmPerDot, ink.height() * mmPerDot);
}

} // namespace hz
