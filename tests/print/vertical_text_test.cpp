// The accountant's name and telephone down 法人県民税's margin, read off the printed sheet character by character:
// set top to bottom, each character stands as a reader of a vertical column expects it.

#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "print/vertical_text.h"
#include "tests/print/sample_print_data.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QRawFont>

#include <gtest/gtest.h>

#include <map>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("法人県民税");
constexpr double nameX = 187; // the left side of the margin's name column
constexpr double dpi = 1200;

// One character of the column as the sheet shows it.
struct Seen {
    PrintOp op;
    QRectF square; // its square of one em, in millimetres from the paper's corner
    QRectF ink;    // its ink inside that square (cut off where the next character's begins)
};

// The characters of the margin's columns as printed: each at the place and size the page gave it, its ink read off
// the sheet rendered from the PDF.
std::multimap<QString, Seen> marginAsPrinted(PrintData data) {
    PageState state;
    const PrintJobLog job = recordPage(caption, data, state);
    const QString pdf = printPdfWithoutPicture(*pageSpec(caption), data);
    const QRectF margin(nameX - 1 + sheet::originX, 200 + sheet::originY, 10, 89);
    const QImage part = renderPdfPart(pdf, dpi, margin);
    snapshotImage(part, QStringLiteral("vertical-margin-%1").arg(data.accountantTexts[1]));
    const QPointF partCorner = QPointF(part.offset()) * (mmPerInch / dpi);
    std::vector<PrintOp> chars;
    for (const PrintOp &t : job.texts())
        if (t.vertical && t.y >= 200)
            chars.push_back(t);
    std::multimap<QString, Seen> seen;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const PrintOp &t = chars[i];
        const double em = t.size * mmPerPoint;
        double height = em;
        const auto middle = [](const PrintOp &c) { return c.x + c.size * mmPerPoint / 2; };
        if (i + 1 < chars.size() && std::abs(middle(chars[i + 1]) - middle(t)) < 1e-6)
            height = std::min(em, chars[i + 1].y - t.y);
        const QRectF square(t.x + sheet::originX, t.y + sheet::originY, em, em);
        const QRectF cell(square.topLeft(), QSizeF(em, height));
        const QRectF ink = inkInMm(part, dpi, cell.translated(-partCorner)).translated(partCorner);
        seen.emplace(t.text, Seen{t, square, ink});
    }
    return seen;
}

QPointF inSquare(const Seen &s) {
    // The ink's middle, in ems from the square's corner.
    return (s.ink.center() - s.square.topLeft()) / s.square.width();
}

class VerticalColumn : public HzTest {};

// The face that draws a character (the brush face where it has an outline, else IPAMincho) gives it its own vertical
// form where it has one; a dash or hyphen it has none for is its horizontal glyph turned a quarter to the right.
TEST_F(VerticalColumn, EachFaceGivesACharacterItsOwnVerticalFormOrTurnsIt) {
    for (const QString &face : {fontname::brush, fontname::mincho}) {
        const QFont font = printFont(face, 11);
        for (const char32_t c : QStringLiteral("ー～〜（）「」ャょっ、。-－山3").toUcs4()) {
            const QString s = QString::fromUcs4(&c, 1);
            SCOPED_TRACE(face.toStdString() + " 「" + s.toStdString() + "」");
            const std::vector<VerticalGlyph> glyphs = setVertically(font, c);
            ASSERT_EQ(glyphs.size(), 1u);
            const VerticalGlyph &g = glyphs.front();
            EXPECT_EQ(g.family, faceDrawing(font, c));
            QFont drawing;
            drawing.setFamilies({g.family});
            drawing.setStyleStrategy(QFont::NoFontMerging);
            const quint32 horizontal = QRawFont::fromFont(drawing).glyphIndexesForString(s).value(0);
            const bool turned = g.placement.type() > QTransform::TxTranslate;
            if (QStringLiteral("-－").contains(s)) {
                EXPECT_EQ(g.glyph, horizontal);
                EXPECT_TRUE(turned);
                // A quarter to the right: the glyph's right end goes to the bottom.
                EXPECT_GT(g.placement.map(QPointF(1, 0)).y(), g.placement.map(QPointF(0, 0)).y());
            } else if (QStringLiteral("山3").contains(s)) {
                EXPECT_EQ(g.glyph, horizontal);
                EXPECT_FALSE(turned);
            } else {
                EXPECT_NE(g.glyph, horizontal) << "no vertical form";
                EXPECT_FALSE(turned);
            }
        }
    }
}

TEST_F(VerticalColumn, EachCharacterOfTheMarginStandsInItsVerticalForm) {
    struct Case {
        const char *name;  // in the brush face, IPAMincho where it has no outline
        const char *phone; // in IPAMincho
    };
    const Case cases[] = {
        {"山田（ヤャ）ー～「事務所」", "03-5555-1234"},
        {"つっよょ会計〜ー", "０３－５５５５－１２３４"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrintData data = sampleCompany();
        data.accountantTexts[1] = QString::fromUtf8(c.name);
        data.accountantTexts[2] = QString::fromUtf8(c.phone);
        const std::multimap<QString, Seen> seen = marginAsPrinted(data);
        ASSERT_EQ(seen.size(), std::size_t(data.accountantTexts[1].size() + data.accountantTexts[2].size()));
        for (const auto &[ch, s] : seen) {
            const std::string what = "「" + ch.toStdString() + "」";
            ASSERT_FALSE(s.ink.isEmpty()) << what << " prints blank";
            // Every character keeps its ink inside its square, where the page's measure of it says: inside the
            // outlines measured, and short of them only by the faint tapered ends of a brush stroke.
            EXPECT_TRUE(s.square.adjusted(-0.05, -0.05, 0.05, 0.05).contains(s.ink)) << what;
            const QRectF measured =
                verticalInkMm(printFont(s.op.font, s.op.size), ch.toUcs4().front()).translated(s.square.topLeft());
            EXPECT_TRUE(measured.adjusted(-0.06, -0.06, 0.06, 0.06).contains(s.ink)) << what << " outside its measure";
            EXPECT_LT((s.ink.center() - measured.center()).manhattanLength(), 0.2) << what << " off its measure";
            // The prolonged sound mark, the waves and the hyphens stand along the column, the face's own standing
            // form or the horizontal one turned.
            if (QStringLiteral("ー～〜-－").contains(ch)) {
                EXPECT_GT(s.ink.height(), 1.5 * s.ink.width()) << what << " lies across the column";
            }
            // Brackets open and close downwards.
            if (QStringLiteral("（）「」").contains(ch)) {
                EXPECT_GT(s.ink.width(), 1.5 * s.ink.height()) << what << " stands upright";
            }
            // A half-width digit stands in the middle of the column, as the full-width ones do.
            if (ch.front().isDigit()) {
                EXPECT_NEAR(inSquare(s).x(), 0.5, 0.08) << what << " is off the column's middle";
            }
        }
        // A small kana stands in the top right of its square, its full-size kana in the middle.
        for (const auto &[small, full] : {std::pair{u"ャ", u"ヤ"}, std::pair{u"ょ", u"よ"}, std::pair{u"っ", u"つ"}}) {
            const auto s = seen.find(QString::fromUtf16(small));
            const auto f = seen.find(QString::fromUtf16(full));
            if (s == seen.end() || f == seen.end())
                continue;
            const std::string what = QString::fromUtf16(small).toStdString();
            EXPECT_GT(inSquare(s->second).x(), inSquare(f->second).x() + 0.05)
                << what << " is not right of the full size";
            EXPECT_LT(inSquare(s->second).y(), inSquare(f->second).y() - 0.05) << what << " is not above the full size";
        }
    }
}

} // namespace
} // namespace hz::test
