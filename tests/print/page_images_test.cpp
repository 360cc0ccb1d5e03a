// The images the picture pages print over: the guide sheet drawn from a page's own items, and the user's scan of
// the official form when there is one.

#include "core/paths.h"
#include "print/Form12.h"
#include "print/page_images.h"
#include "print/pages.h"
#include "print/recording_printer.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDir>
#include <QFileInfo>

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

TEST_F(PageImages, GuideSheetIsAOneBitA4At300DpiWithItsTitleAndABoxWhereEachItemPrints) {
    const QImage sheet = drawGuideSheet(2, kSamplePage);
    snapshotImage(sheet, QStringLiteral("guide-sample"));
    EXPECT_EQ(sheet.size(), QSize(2481, 3507));
    EXPECT_EQ(sheet.format(), QImage::Format_Mono);
    EXPECT_NEAR(sheet.dotsPerMeterX() * 0.0254, 300, 0.5);

    // The title and the note in their frame at the top, where nothing prints.
    EXPECT_GT(inked(sheet, QRect(100, 80, 2200, 200)), 5000);
    // The box of the name starts at 50 mm, 100 mm of the page, the sheet being scaled into 200 × 288 mm.
    const int left = int(50 * 2481 / 200.0), top = int(100 * 3507 / 288.0);
    EXPECT_TRUE(black(sheet, left, top + 20));
    EXPECT_TRUE(black(sheet, left + 40, top));
    // Inside the box the value prints: it is left empty. The label stands above it.
    EXPECT_EQ(inked(sheet, QRect(left + 10, top + 8, 60, 25)), 0);
    EXPECT_GT(inked(sheet, QRect(left, top - 40, 150, 38)), 50);
    // The amount's box ends past its right edge of 150 mm by the width of its commas.
    const int amountTop = int(200 * 3507 / 288.0);
    EXPECT_GT(inked(sheet, QRect(int(140 * 2481 / 200.0), amountTop, 200, 4)), 100);
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
    EXPECT_TRUE(black(sheet, int(20 * 2481 / 200.0), int(150 * 3507 / 288.0) + 10));
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
