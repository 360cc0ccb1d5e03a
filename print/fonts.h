#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

// The faces the printed pages name, mapped onto the fonts of this system: "MS 明朝" is IPAMincho (fixed pitch,
// so a half-width digit is exactly half an em, as the page layouts assume) and "HG行書体" the brush face of
// Aoyagi Kouzan, with IPAMincho for any glyph the brush face lacks.
namespace hz {

// Printing's units: a point is 1/72 inch.
inline constexpr double mmPerInch = 25.4;
inline constexpr double mmPerPoint = mmPerInch / 72;

QFont printFont(const QString &faceName, double points);

// The width of text in font, in millimetres, measured on a 1200 dpi device.
double textWidthMm(const QFont &font, const QString &text);
// The height of a line of text in font, from the top of a text as printed to the bottom of its descent, in mm.
double textLineHeightMm(const QFont &font);
// Where the glyphs of text in font put ink, in millimetres from the top-left corner of the text as printed.
QRectF textInkMm(const QFont &font, const QString &text);

} // namespace hz
