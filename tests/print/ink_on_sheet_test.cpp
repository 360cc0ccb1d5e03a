// Texts fitted to their room, read back off the printed sheet: a text the fitting says ends inside its box ends there
// on paper, its ink where the fitting measured it, whatever resolution the printer draws at. The recorder's sizes alone
// cannot show this: the sheet is drawn at 600 dpi (PDF files) or 300 dpi (the system printer), where Qt lays a text out
// differently.

#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "tests/print/long_text_company.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace hz::test {
namespace {

// The long texts cut to each length tried: a company name with full-width letters and brackets, an address with
// its building's name.
const QString longName =
    QStringLiteral("株式会社東日本総合不動産コンサルティングＡＮＤマネジメント（関東甲信越営業本部第一営業第二課）");
const QString longAddress =
    QStringLiteral("大阪府大阪市北区梅田一丁目１３番１号大阪梅田ツインタワーズ・サウス３５階南館３５０１号室（東側）");

struct Room {
    const char *caption;
    const char *field;
    std::function<void(PrintData &, const QString &)> set;
    const QString &pool;
};

// One room on a page the program draws itself (the header's 法人名 between its rules) and one over a form (the
// accountant's office on the authority form).
const Room rooms[] = {
    {"別表二", "法人名", [](PrintData &d, const QString &s) { d.companyTexts[2] = s; }, longName},
    {"税務代理権限書", "事務所の所在地", [](PrintData &d, const QString &s) { d.accountantTexts[3] = s; }, longAddress},
};

// The room the page gives text, and where the fitting put the text's ink by its own measure, in millimetres from
// the paper's top-left corner.
struct Fitted {
    QRectF room;
    QRectF ink;
};

Fitted fittedOnPaper(const PageSpec &entry, const PrintData &company, const QString &text) {
    PrintJobLog log;
    Fitted out;
    for (const GuidePlace &p : recordWithPlaces(entry, company, log))
        if (p.kind == GuidePlace::Text && p.box && p.text == text)
            out.room = QRectF(QPointF(p.box->left, p.box->top), QPointF(p.box->right, p.box->bottom))
                           .translated(sheet::originX, sheet::originY);
    for (const PrintOp &t : log.texts()) {
        if (t.text.isEmpty() || !text.contains(t.text))
            continue;
        const QRectF ink = inkRect(t).translated(sheet::originX, sheet::originY);
        if (out.room.contains(ink))
            out.ink = out.ink.united(ink);
    }
    return out;
}

class InkOnSheet : public HzTest {};

TEST_F(InkOnSheet, ALongTextFittedToItsRoomKeepsItsInkInsideItAt600And300Dpi) {
    constexpr double dpi = 600;
    constexpr double pixel = mmPerInch / dpi;
    // The rules around a room stand at least 0.115 mm beyond it: the region read keeps clear of them.
    constexpr double margin = 0.06;
    for (const Room &room : rooms) {
        const QString caption = QString::fromUtf8(room.caption);
        const PageSpec &entry = *pageSpec(caption);
        ASSERT_GE(room.pool.size(), 46);
        for (int length = 18; length <= 46; ++length) {
            const QString text = room.pool.left(length);
            SCOPED_TRACE(QStringLiteral("%1 %2, %3 characters: %4")
                             .arg(caption, room.field)
                             .arg(length)
                             .arg(text)
                             .toStdString());
            PrintData data = longTextCompany();
            room.set(data, text);
            const Fitted fitted = fittedOnPaper(entry, data, text);
            const QRectF &box = fitted.room;
            const QRectF &measured = fitted.ink;
            ASSERT_FALSE(box.isEmpty());
            ASSERT_FALSE(measured.isEmpty());
            // Every length through the PDF files; every third through a 300 dpi device as well.
            for (const int at : {600, 300}) {
                if (at == 300 && length % 3 != 0)
                    continue;
                const QString pdf = printPdfWithoutPicture(entry, data, at);
                ASSERT_FALSE(pdf.isEmpty());
                // Only the part around the room is rendered: a whole sheet at 600 dpi takes a second.
                const QRectF region = box.adjusted(-margin, -margin, margin, margin);
                const QImage part = renderPdfPart(pdf, dpi, region);
                const QPointF origin = QPointF(part.offset()) * pixel;
                const QRectF ink = inkInMm(part, dpi, region.translated(-origin)).translated(origin);
                ASSERT_FALSE(ink.isEmpty());
                EXPECT_LE(ink.right(), box.right() + pixel) << "ink ends past the room's right side";
                EXPECT_TRUE(box.adjusted(-pixel, -pixel, pixel, pixel).contains(ink))
                    << "ink (" << ink.left() << ", " << ink.top() << ")-(" << ink.right() << ", " << ink.bottom()
                    << ") outside the room (" << box.left() << ", " << box.top() << ")-(" << box.right() << ", "
                    << box.bottom() << ")";
                // The ink is where the measure says, to the pixel and its antialiased neighbour.
                EXPECT_NEAR(ink.left(), measured.left(), 2 * pixel);
                EXPECT_NEAR(ink.right(), measured.right(), 2 * pixel);
                EXPECT_NEAR(ink.top(), measured.top(), 2 * pixel);
                EXPECT_NEAR(ink.bottom(), measured.bottom(), 2 * pixel);
            }
        }
    }
}

} // namespace
} // namespace hz::test
