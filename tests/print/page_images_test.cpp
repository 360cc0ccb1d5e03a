// The images the picture pages print over: the guide sheet drawn from a page's own items, and the user's scan of
// the official form when there is one.

#include "core/paths.h"
#include "print/Form12.h"
#include "print/page_images.h"
#include "print/pages.h"
#include "print/recording_printer.h"
#include "tests/print/page_checks.h"
#include "tests/print/page_items.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace hz::test {
namespace {

bool black(const QImage &sheet, int x, int y) { return qGray(sheet.pixel(x, y)) < 128; }

// Black pixels inside a rectangle of the sheet.
int inked(const QImage &sheet, const QRect &r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += black(sheet, x, y);
    return n;
}

// A page over form 2 that prints a name and an amount, as the local returns do.
void sampleItems(Page &page) {
    page.font(fontname::mincho, 10);
    page.text(50, 100, page.data.companyTexts[2]);
    page.rightAlignedAmount(150, 200, page.data.sched1Amounts[1]);
}
constexpr PageSpec kSamplePage{u"法人県民税", 9, 2, 200, 288, sampleItems};

class PageImages : public HzTest {};

// A point of the page, in millimetres, on a sheet stretched over 200 × 288 mm.
QPoint pixel(double x, double y) { return QPoint(int(x * 2481 / 200.0), int(y * 3507 / 288.0)); }

// The pixels of a rectangle of the page, a pixel inside its edges.
QRect innerPixels(const QRectF &mm) {
    return QRect(pixel(mm.left(), mm.top()) + QPoint(2, 2), pixel(mm.right(), mm.bottom()) - QPoint(2, 2));
}

// A box as the sheet draws it: a line at each edge, nothing inside (the item prints there).
void expectDrawnBox(const QImage &sheet, const QRectF &box) {
    const QPointF mid = box.center();
    EXPECT_TRUE(black(sheet, pixel(box.left(), mid.y()).x(), pixel(box.left(), mid.y()).y()));
    EXPECT_TRUE(black(sheet, pixel(box.right(), mid.y()).x(), pixel(box.right(), mid.y()).y()));
    EXPECT_TRUE(black(sheet, pixel(mid.x(), box.top()).x(), pixel(mid.x(), box.top()).y()));
    EXPECT_EQ(inked(sheet, innerPixels(box)), 0);
}

TEST_F(PageImages, GuideSheetIsAOneBitA4At300DpiDrawnAsItsLayoutSays) {
    const QImage sheet = drawGuideSheet(2, kSamplePage);
    snapshotImage(sheet, QStringLiteral("guide-sample"));
    EXPECT_EQ(sheet.size(), QSize(2481, 3507));
    EXPECT_EQ(sheet.format(), QImage::Format_Mono);
    EXPECT_NEAR(sheet.dotsPerMeterX() * 0.0254, 300, 0.5);

    const GuideLayout layout = guideLayout(2, kSamplePage);
    // The title and the note in their frame at the top, where nothing prints.
    EXPECT_LT(layout.titleBlock.bottom(), 100);
    EXPECT_GT(inked(sheet, innerPixels(layout.titleBlock)), 5000);
    // The name's box starts at 50 mm less a little room and runs on to the right edge of the printable area, its
    // field's name above it; the amount's box holds any amount that ends at 150 mm, commas past it included.
    ASSERT_EQ(layout.boxes.size(), 2u);
    const QRectF name = layout.boxes[0];
    const QRectF amount = layout.boxes[1];
    EXPECT_NEAR(name.left(), 49.7, 0.01);
    EXPECT_NEAR(name.top(), 100, 0.01);
    EXPECT_NEAR(name.right(), 197, 0.01);
    const double digit = minchoWidth(10, QStringLiteral("0"));
    EXPECT_NEAR(amount.left(), 150 - 11 * digit - 0.3, 0.01);
    EXPECT_NEAR(amount.right(), 150 + 3 * digit + 0.3, 0.01);
    for (const QRectF &box : layout.boxes)
        expectDrawnBox(sheet, box);
    ASSERT_EQ(layout.labels.size(), 1u);
    EXPECT_EQ(layout.labels[0].text, QStringLiteral("法人名"));
    EXPECT_LE(layout.labels[0].rect.bottom(), name.top());
    EXPECT_GT(inked(sheet, QRect(pixel(layout.labels[0].rect.left(), layout.labels[0].rect.top()),
                                 pixel(layout.labels[0].rect.right(), layout.labels[0].rect.bottom()))),
              50);
}

// On the prefectural return every amount goes one digit a box, 2.5 mm apart: the sheet's boxes are a pitch wide,
// side by side, each centred on its digit, whatever the amount.
TEST_F(PageImages, TheBoxesOfADigitRowStandOnItsPitchWithTheirLinesBetweenTheDigits) {
    const PageSpec &entry = *pageSpec(QStringLiteral("法人県民税"));
    const GuideLayout layout = guideLayout(2, entry);
    std::vector<QRectF> row; // ① 法人税額, box 1 at 162
    for (const QRectF &b : layout.boxes)
        if (b.top() > 71 && b.bottom() < 75 && b.left() > 160)
            row.push_back(b);
    std::sort(row.begin(), row.end(), [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
    ASSERT_EQ(row.size(), 9u);
    PrintData data;
    data.sched1Amounts[2] = 123456789;
    PageState state;
    const std::vector<PrintOp> texts = recordPage(QStringLiteral("法人県民税"), data, state).texts();
    for (std::size_t j = 0; j < row.size(); ++j) {
        EXPECT_NEAR(row[j].width(), 2.5, 1e-9);
        if (j > 0) {
            EXPECT_NEAR(row[j].left(), row[j - 1].right(), 1e-9);
        }
        const auto digit = std::find_if(texts.begin(), texts.end(), [&](const PrintOp &t) {
            return t.y == 71 && std::abs(t.x - (162 + 2.5 * double(j))) < 1e-9;
        });
        ASSERT_NE(digit, texts.end()) << j;
        const QRectF ink = inkRect(*digit);
        EXPECT_NEAR(ink.center().x(), row[j].center().x(), 0.25) << j;
        EXPECT_TRUE(row[j].contains(ink)) << j;
    }
}

TEST_F(PageImages, TheGuideOfAPageThatAsksForItsOwnImageIsStillDrawn) {
    static QSize asked;
    constexpr PageSpec selfReferring{u"利子割控除", 11, 4, 200, 288, [](Page &page) {
                                         asked = pageImage(4).size();
                                         page.font(fontname::mincho, 10);
                                         page.text(20, 150, QStringLiteral("項目"));
                                     }};
    const QImage sheet = drawGuideSheet(4, selfReferring);
    EXPECT_EQ(asked, QSize(2481, 3507));
    const GuideLayout layout = guideLayout(4, selfReferring);
    ASSERT_EQ(layout.boxes.size(), 1u);
    expectDrawnBox(sheet, layout.boxes[0]);
}

TEST_F(PageImages, EveryFormHasItsGuideSheetMadeOnce) {
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        const QImage sheet = pageImage(n);
        EXPECT_EQ(sheet.size(), QSize(2481, 3507));
        EXPECT_EQ(sheet.format(), QImage::Format_Mono);
        EXPECT_FALSE(pageImageFormName(n).isEmpty());
        // The same sheet, not drawn again.
        EXPECT_EQ(pageImage(n).cacheKey(), sheet.cacheKey());
    }
    EXPECT_EQ(pageImageFormName(7), QStringLiteral("別表一(一)"));
    EXPECT_EQ(pageImageFormName(8), QStringLiteral("税務代理権限証書"));
}

// The sheet goes into the PDF as a black-and-white bitmap: embedded as a colour picture it made the file a
// megabyte and the page ten times slower. It still prints black on white.
TEST_F(PageImages, APicturePageCarriesItsSheetAsASmallBitmap) {
    PrintData data;
    const QString pdf = renderPage(QStringLiteral("法人県民税"), data, QStringLiteral("guide-in-pdf"));
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_LT(QFileInfo(pdf).size(), 200 * 1024);
    // The sheet's title block stands in the top or the bottom 30 mm; black as colour 1 would blacken the page.
    const QImage page = renderPdf(pdf, 75);
    const int band = int(30 / 25.4 * 75);
    const int title = std::max(inked(page, QRect(0, 0, page.width(), band)),
                               inked(page, QRect(0, page.height() - band, page.width(), band)));
    EXPECT_GT(title, 1000);
    EXPECT_LT(inked(page, page.rect()), page.width() * page.height() / 5);
}

TEST_F(PageImages, AScanOfTheFormIsUsedWhenItFits) {
    QImage scan(2481, 3507, QImage::Format_Mono);
    scan.fill(1);
    scan.setPixel(10, 10, 0);
    const QString host = hostPath(pageImagePath(3));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(host).absolutePath()));
    ASSERT_TRUE(scan.save(host));
    const QImage used = pageImage(3);
    EXPECT_EQ(used.size(), QSize(2481, 3507));
    EXPECT_TRUE(black(used, 10, 10));
    EXPECT_FALSE(black(used, 11, 10));

    // A scan of another size would not line up with the page: the page is not printed and the user is told why.
    ASSERT_TRUE(scan.copy(0, 0, 1240, 1753).save(host));
    PrintRecorder recorder;
    click(form12().Command2);
    EXPECT_TRUE(recorder.jobs.front().aborted());
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("次のページは印刷されませんでした。\n県税の欠損金：様式の画像（"
                                                  "c:\\法人税\\様式\\Picture3.png）は 1240 × 1753 画素です。"
                                                  "2481 × 3507 画素の画像にしてください。"));
}

} // namespace
} // namespace hz::test
