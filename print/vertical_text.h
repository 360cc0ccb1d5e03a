#pragma once

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <vector>

class QPainter;

// A column set one character under another, as a Japanese reader reads it: each character in the form its face
// gives it for vertical writing (ー and the waves standing, brackets turned, small kana in the top right of their
// square, points in the top right), found by shaping it top to bottom with the face's own substitutions. A dash,
// hyphen or wave the face has no vertical form for is turned a quarter to the right; a half-width character stands
// centred across the column. A character the brush face has no outline for comes from IPAMincho, in IPAMincho's
// vertical form.
//
// Each character stands in its square: one em of its size wide and high, its top-left corner where it is placed,
// the column's middle down the square's middle. Like every text, it is laid out at textDpi.
namespace hz {

// One glyph of a character set vertically.
struct VerticalGlyph {
    QString family;       // the face that draws it
    quint32 glyph = 0;    // its index in that face
    QTransform placement; // from the glyph's own outline (origin on its baseline, y down, dots at textDpi) to the
                          // square (its top-left corner at 0, 0, in dots at textDpi)
};

// The glyphs of the character c set in a column in font, placed in its square.
std::vector<VerticalGlyph> setVertically(const QFont &font, char32_t c);

// Where the glyphs of c put ink, in millimetres from the top-left corner of its square.
QRectF verticalInkMm(const QFont &font, char32_t c);

// Draws the character c of a column in font with the top-left corner of its square at topLeft (the painter's
// device pixels).
void drawVerticalCharacter(QPainter &painter, QPointF topLeft, const QFont &font, char32_t c);

} // namespace hz
