#include "print/fonts.h"

#include "print/printer.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <vector>

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

const QString brushFamily = QStringLiteral("AoyagiKouzanFontT");
const QString minchoFamily = QStringLiteral("IPAMincho");

bool isBrush(const QFont &font) { return font.families().value(0) == brushFamily; }

// The brush face lists most signs, the full-width letters and digits and thousands of kanji as glyphs without an
// outline. Qt takes such a glyph as present and draws a blank, so each character is asked of the face itself.
bool brushHasOutline(char32_t c) {
    static QHash<char32_t, bool> known;
    if (const auto it = known.constFind(c); it != known.cend())
        return *it;
    static const QRawFont raw = [] {
        QFont font;
        font.setFamilies({brushFamily});
        font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
        font.setPixelSize(64);
        return QRawFont::fromFont(font);
    }();
    const QString s = QString::fromUcs4(&c, 1);
    const QList<quint32> glyphs = raw.glyphIndexesForString(s);
    const bool has = raw.isValid() && raw.familyName() == brushFamily && glyphs.size() == 1 && glyphs.front() != 0 &&
                     (s.front().isSpace() || !raw.pathForGlyph(glyphs.front()).isEmpty());
    known.insert(c, has);
    return has;
}

// A piece of a text that one face draws.
struct Run {
    QFont font;
    QString text;
};

// The text cut where the face that draws it changes: the brush face where it has the character, IPAMincho where it
// has not; a text in IPAMincho is one run.
std::vector<Run> runsOf(const QFont &font, const QString &text) {
    if (!isBrush(font))
        return {{font, text}};
    QFont mincho = font;
    mincho.setFamilies({minchoFamily});
    std::vector<Run> runs;
    bool inBrush = true;
    for (const char32_t c : text.toUcs4()) {
        const bool brush = brushHasOutline(c);
        if (runs.empty() || brush != inBrush)
            runs.push_back({brush ? font : mincho, {}});
        inBrush = brush;
        runs.back().text += QString::fromUcs4(&c, 1);
    }
    return runs;
}

// The advance of one run, in dots at textDpi.
double advance(const Run &run) { return QFontMetricsF(run.font, &measuringDevice()).horizontalAdvance(run.text); }

} // namespace

QFont printFont(const QString &faceName, double points) {
    QFont font;
    if (faceName == fontname::brush)
        font.setFamilies({brushFamily, minchoFamily});
    else
        font.setFamilies({minchoFamily});
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferOutline);
    // The desktop's hinting must not change a page's measures: a PDF holds the outlines, not hinted glyphs.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

double textWidthMm(const QFont &font, const QString &text) {
    double dots = 0;
    for (const Run &run : runsOf(font, text))
        dots += advance(run);
    return dots * mmPerDot;
}

QString faceDrawing(const QFont &font, char32_t c) {
    return isBrush(font) && !brushHasOutline(c) ? minchoFamily : font.families().value(0);
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
    double x = 0;
    for (const Run &run : runsOf(font, text)) {
        path.addText(x, 0, QFont(run.font, &measuringDevice()), run.text);
        x += advance(run);
    }
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
    // Each run of one face starts where the runs before it end by the measure.
    const double scale = double(textDpi) / painter.device()->logicalDpiX();
    const double baseline = QFontMetricsF(font, &measuringDevice()).ascent();
    painter.save();
    painter.translate(topLeft);
    painter.scale(1 / scale, 1 / scale);
    double x = 0;
    for (const Run &run : runsOf(font, text)) {
        QFont laidOut = run.font;
        laidOut.setPointSizeF(run.font.pointSizeF() * scale);
        painter.setFont(laidOut);
        painter.drawText(QPointF(x, baseline), run.text);
        x += advance(run);
    }
    painter.restore();
}

} // namespace hz
