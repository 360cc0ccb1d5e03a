#include "print/vertical_text.h"

#include "print/fonts.h"

#include <QByteArray>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <hb.h>

#include <map>
#include <memory>

namespace hz {

namespace {

constexpr double mmPerDot = mmPerInch / textDpi;

// A face as it is drawn (Qt's raw font) and as it is shaped (HarfBuzz, reading the same font's tables).
struct Face {
    QRawFont raw;
    hb_face_t *shaping = nullptr;
    hb_font_t *font = nullptr;
    ~Face() {
        hb_font_destroy(font);
        hb_face_destroy(shaping);
    }
};

// HarfBuzz asks for the font's tables one by one; Qt's raw font hands them out, so the face shaped is the very one
// drawn, whatever file the system keeps it in.
hb_blob_t *tableOf(hb_face_t *, hb_tag_t tag, void *face) {
    const char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
    auto *table = new QByteArray(static_cast<const QRawFont *>(face)->fontTable(name));
    if (table->isEmpty()) {
        delete table;
        return nullptr;
    }
    return hb_blob_create(table->constData(), static_cast<unsigned>(table->size()), HB_MEMORY_MODE_READONLY, table,
                          [](void *t) { delete static_cast<QByteArray *>(t); });
}

const Face &faceOf(const QString &family) {
    static std::map<QString, std::unique_ptr<Face>> faces;
    std::unique_ptr<Face> &face = faces[family];
    if (!face) {
        QFont font;
        font.setFamilies({family});
        font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoFontMerging));
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(64);
        face = std::make_unique<Face>();
        face->raw = QRawFont::fromFont(font);
        face->shaping = hb_face_create_for_tables(tableOf, &face->raw, nullptr);
        face->font = hb_font_create(face->shaping);
    }
    return *face;
}

// The em of font in dots at textDpi.
double emDots(const QFont &font) { return font.pointSizeF() * textDpi / 72; }

QRawFont rawFont(const QString &family, double pixels) {
    QRawFont raw = faceOf(family).raw;
    raw.setPixelSize(pixels);
    return raw;
}

// The dashes, hyphens and waves: a reader takes them along the line, so down a column they stand.
bool alongTheLine(char32_t c) {
    return QChar::category(c) == QChar::Punctuation_Dash || c == U'~' || c == U'～' || c == U'ー' || c == U'ｰ' ||
           c == U'−';
}

} // namespace

std::vector<VerticalGlyph> setVertically(const QFont &font, char32_t c) {
    const QString family = faceDrawing(font, c);
    const Face &face = faceOf(family);
    const double em = emDots(font);
    const double perUnit = em / hb_face_get_upem(face.shaping);

    hb_buffer_t *buffer = hb_buffer_create();
    const auto codepoint = static_cast<std::uint32_t>(c);
    hb_buffer_add_utf32(buffer, &codepoint, 1, 0, 1);
    hb_buffer_set_direction(buffer, HB_DIRECTION_TTB);
    // Signs and prolonged sound marks belong to no script of their own; they are set with the Japanese text around
    // them.
    hb_script_t script = hb_unicode_script(hb_unicode_funcs_get_default(), codepoint);
    if (script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN)
        script = HB_SCRIPT_HAN;
    hb_buffer_set_script(buffer, script);
    hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
    const hb_feature_t vert{HB_TAG('v', 'e', 'r', 't'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
    hb_shape(face.font, buffer, &vert, 1);

    unsigned count = 0;
    const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, nullptr);
    std::vector<VerticalGlyph> glyphs;
    hb_codepoint_t nominal = 0;
    hb_font_get_nominal_glyph(face.font, codepoint, &nominal);
    if (count == 1 && infos[0].codepoint == nominal && alongTheLine(c)) {
        // The face has no standing form: the horizontal glyph turns a quarter to the right about the middle of the
        // room it takes on a line, which comes to the middle of the square.
        hb_font_extents_t extents{};
        hb_font_get_h_extents(face.font, &extents);
        const double advance = hb_font_get_glyph_h_advance(face.font, nominal) * perUnit;
        QTransform turned;
        turned.translate(em / 2, em / 2);
        turned.rotate(90);
        turned.translate(-advance / 2, (extents.ascender + extents.descender) / 2.0 * perUnit);
        glyphs.push_back({family, nominal, turned});
    } else {
        // HarfBuzz puts each glyph's own origin relative to the pen, which starts at the top of the square in the
        // column's middle and moves down (its y grows upwards).
        double penX = 0, penY = 0;
        for (unsigned i = 0; i < count; ++i) {
            const double x = em / 2 + (penX + positions[i].x_offset) * perUnit;
            const double y = -(penY + positions[i].y_offset) * perUnit;
            glyphs.push_back({family, infos[i].codepoint, QTransform::fromTranslate(x, y)});
            penX += positions[i].x_advance;
            penY += positions[i].y_advance;
        }
    }
    hb_buffer_destroy(buffer);
    return glyphs;
}

QRectF verticalInkMm(const QFont &font, char32_t c) {
    QRectF ink;
    for (const VerticalGlyph &g : setVertically(font, c)) {
        const QPainterPath outline = rawFont(g.family, emDots(font)).pathForGlyph(g.glyph);
        if (!outline.isEmpty())
            ink = ink.united(g.placement.map(outline).boundingRect());
    }
    if (ink.isEmpty())
        return {};
    return QRectF(ink.left() * mmPerDot, ink.top() * mmPerDot, ink.width() * mmPerDot, ink.height() * mmPerDot);
}

void drawVerticalCharacter(QPainter &painter, QPointF topLeft, const QFont &font, char32_t c) {
    // As drawText does: the glyphs take the size they have at textDpi, the drawing is shrunk onto the device.
    const double scale = double(textDpi) / painter.device()->logicalDpiX();
    painter.save();
    painter.translate(topLeft);
    painter.scale(1 / scale, 1 / scale);
    for (const VerticalGlyph &g : setVertically(font, c)) {
        QGlyphRun run;
        run.setRawFont(rawFont(g.family, emDots(font)));
        run.setGlyphIndexes({g.glyph});
        run.setPositions({QPointF(0, 0)});
        painter.save();
        painter.setTransform(g.placement, true);
        painter.drawGlyphRun(QPointF(0, 0), run);
        painter.restore();
    }
    painter.restore();
}

} // namespace hz
