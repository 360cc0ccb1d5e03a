// The brush face lists thousands of characters as glyphs without an outline: the full-width signs, letters and
// digits and many name kanji. Every character a record can hold must still put ink on the sheet, in whichever face
// draws it.

#include "core/cp932.h"
#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "tests/print/long_text_company.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

namespace hz::test {
namespace {

// Every character code page 932 holds in one or two bytes: ASCII, the half-width kana, the signs, the full-width
// letters and digits, kana, Greek and Cyrillic, the rules, the NEC signs, JIS levels 1 and 2 and the extended kanji.
QString everyCp932Character() {
    QString all;
    auto take = [&](const QByteArray &bytes) {
        const QString c = decodeCp932(bytes);
        if (c.size() >= 1 && !c.contains(QChar(0xFFFD)) && !c.front().isSpace() && c.front().isPrint())
            all += c;
    };
    for (int b = 0x21; b <= 0x7E; ++b)
        take(QByteArray(1, char(b)));
    for (int b = 0xA1; b <= 0xDF; ++b)
        take(QByteArray(1, char(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F)
                take(QByteArray(1, char(lead)) + char(trail));
    }
    return all;
}

class BrushFace : public HzTest {};

TEST_F(BrushFace, EveryCharacterOfCodePage932HasAnOutlineInTheFaceThatDrawsIt) {
    const QString all = everyCp932Character();
    ASSERT_GT(all.size(), 7000); // levels 1 and 2 alone hold 6,355 kanji
    for (const QString &face : {fontname::brush, fontname::mincho}) {
        const QFont font = printFont(face, 11);
        QStringList blank;
        for (const char32_t c : all.toUcs4()) {
            const QString s = QString::fromUcs4(&c, 1);
            if (textInkMm(font, s).isEmpty())
                blank << s;
        }
        EXPECT_TRUE(blank.isEmpty()) << face.toStdString() << ": " << blank.size()
                                     << " characters print blank: " << blank.mid(0, 40).join(QString()).toStdString();
    }
    // The brush face keeps the characters it does draw.
    const QFont brush = printFont(fontname::brush, 11);
    EXPECT_EQ(faceDrawing(brush, U'山'), QStringLiteral("AoyagiKouzanFontT"));
    EXPECT_EQ(faceDrawing(brush, U'翔'), QStringLiteral("IPAMincho"));
    // A text mixing the faces is as wide as its characters in their own faces.
    const QString mixed = QStringLiteral("渡邊翔太");
    double sum = 0;
    for (const QChar c : mixed)
        sum += textWidthMm(brush, QString(c));
    EXPECT_NEAR(textWidthMm(brush, mixed), sum, 1e-6);
}

// The names every page prints in the brush face: the representative on 別表一 (both sheets), the local returns,
// and the accountant on 別表一, down 法人県民税's margin and on 市民税.
struct Names {
    const char *representative;
    const char *accountant;
};
const Names names[] = {
    {"渡邊翔太", "Ｓ＆Ｋ税理士法人（本店）"},
    {"髙﨑廣櫻（代表取締役社長）", "Ｓ＆Ｋパートナーズ会計事務所"},
    {"澤邉國惠", "齋藤德眞凜－０"},
};

TEST_F(BrushFace, EveryCharacterOfANameInTheBrushFacePutsInkOnTheSheet) {
    constexpr double dpi = 300;
    for (const Names &n : names) {
        PrintData data = longTextCompany();
        data.companyTexts[9] = data.companyTexts[10] = QString::fromUtf8(n.representative);
        data.accountantTexts[1] = QString::fromUtf8(n.accountant);
        int brushTexts = 0;
        for (const PageSpec &entry : pageSpecs()) {
            const QString caption = QString::fromUtf16(entry.caption);
            PrintJobLog log;
            recordWithPlaces(entry, data, log);
            std::vector<PrintOp> brush;
            for (const PrintOp &t : log.texts())
                if (t.font == fontname::brush && !t.text.trimmed().isEmpty())
                    brush.push_back(t);
            if (brush.empty())
                continue;
            const QString pdf = printPdfWithoutPicture(entry, data);
            ASSERT_FALSE(pdf.isEmpty()) << caption.toStdString();
            const QImage sheet = renderPdf(pdf, dpi);
            snapshotImage(sheet, QStringLiteral("brush-%1-%2").arg(caption, data.companyTexts[9]));
            for (const PrintOp &t : brush) {
                ++brushTexts;
                const QFont font = printFont(t.font, t.size);
                const double top = t.y + sheet::originY;
                // A character of a column set top to bottom stands in its square of one em.
                const double em = t.size * mmPerPoint;
                const double height = t.vertical ? em : textLineHeightMm(font);
                double x = t.x + sheet::originX;
                for (const char32_t c : t.text.toUcs4()) {
                    const QString s = QString::fromUcs4(&c, 1);
                    const double width = t.vertical ? em : textWidthMm(font, s);
                    // The inner part of the character's cell: its neighbours' ink stays out.
                    const QRectF cell(x + width * 0.15, top, width * 0.7, height);
                    x += width;
                    if (s.front().isSpace())
                        continue;
                    EXPECT_FALSE(inkInMm(sheet, dpi, cell).isEmpty())
                        << caption.toStdString() << ": 「" << s.toStdString() << "」 of 「" << t.text.toStdString()
                        << "」 prints blank";
                }
            }
        }
        // 別表一, its office sheet, 法人県民税 and 市民税 print the two names.
        EXPECT_GE(brushTexts, 8);
    }
}

} // namespace
} // namespace hz::test
