#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// The faces the printed pages name, mapped onto the fonts of this system: "MS 明朝" is IPAMincho (fixed pitch,
// so a half-width digit is exactly half an em, as the page layouts assume) and "HG行書体" the brush face of
// Aoyagi Kouzan, with IPAMincho for every character the brush face lacks or has no outline for: such a character
// is drawn and measured in IPAMincho at the same size, in its place in the line.
//
// Qt lays a text out at a whole number of pixels of the device it draws on (the font's pixel size is rounded, and
// so are the advances), so the same text is up to 1 % wider or narrower at 300, 600 or 1200 dpi. Every text is
// therefore measured and drawn at one resolution, textDpi, whatever the device: drawText() lays the text out as
// the measures here do and scales the result onto the device. What fits by these measures fits on the sheet.
namespace hz {

// Printing's units: a point is 1/72 inch.
inline constexpr double mmPerInch = 25.4;
inline constexpr double mmPerPoint = mmPerInch / 72;
// The resolution every text is laid out at.
inline constexpr int textDpi = 1200;

QFont printFont(const QString &faceName, double points);

// The family that draws the character c of a text in font.
QString faceDrawing(const QFont &font, char32_t c);

// The width of text in font, in millimetres, as every printer draws it.
double textWidthMm(const QFont &font, const QString &text);
// The height of a line of text in font, from the top of a text as printed to the bottom of its descent, in mm.
double textLineHeightMm(const QFont &font);
// From the top of a text as printed to its baseline, in mm.
double textAscentMm(const QFont &font);
// Where the glyphs of text in font put ink, in millimetres from the top-left corner of the text as printed: the
// bounds of the glyphs' outlines, as the sheet shows them.
QRectF textInkMm(const QFont &font, const QString &text);

// Draws text in font with its top-left corner at topLeft (the painter's device pixels), laid out at textDpi.
void drawText(QPainter &painter, QPointF topLeft, const QFont &font, const QString &text);

} // namespace hz
