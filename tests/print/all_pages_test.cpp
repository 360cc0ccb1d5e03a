// Every page of the print window printed for a sample company, through the recorder and to a PDF file: one job
// of one sheet each, the picture pages over their image, and every text of the PDF where the recorder put it.

#include "print/Form12.h"
#include "print/device_printer.h"
#include "print/pages.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "tests/scenarios/registration.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

namespace hz::test {
namespace {

class AllPages : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
        registerSampleCompany(7, QStringLiteral("株式会社山田商店"), QStringLiteral("ヤマダショウテン"), 10, 5);
        Form5 &f = form5();
        f.Text5.setText(QStringLiteral("12,345,678"));
        f.Text4.setText(QStringLiteral("12,345,678"));
        click(f.Command4);
        click(form3().Command4);
        click(form1().Command18);
        ASSERT_TRUE(svc.boxes.empty());
    }
};

TEST_F(AllPages, EveryPagePrintsAsOneJobThroughTheRecorderAndToPdf) {
    for (const PageSpec &entry : pageSpecs()) {
        const QString caption = QString::fromUtf16(entry.caption);
        SCOPED_TRACE(caption.toStdString());
        PrintData data = form12().data;
        PageState state;
        const PrintJobLog job = recordPage(caption, data, state);
        EXPECT_EQ(job.title, caption);
        EXPECT_TRUE(job.scaleModeSet);
        ASSERT_TRUE(job.ended());
        EXPECT_EQ(
            std::count_if(job.ops.begin(), job.ops.end(), [](const PrintOp &op) { return op.kind == PrintOp::EndDoc; }),
            1);
        if (entry.picture != 0) {
            ASSERT_FALSE(job.ops.empty());
            const PrintOp &image = job.ops.front();
            EXPECT_EQ(image.kind, PrintOp::Picture);
            EXPECT_EQ(image.x, 0);
            EXPECT_EQ(image.y, 0);
            EXPECT_EQ(image.x2, entry.picture == 8 ? 210 : 200);
            EXPECT_EQ(image.y2, entry.picture == 8 ? 297 : 288);
        }
        EXPECT_EQ(state.blockOffsetX | state.blockOffsetY | state.pageShiftX | state.pageShiftY | state.lineOriginX |
                      state.lineOriginY | state.digitBaseX | state.digitBaseY,
                  0);

        PrintData again = form12().data;
        const QString pdf = renderPage(caption, again, QStringLiteral("page-%1").arg(caption));
        ASSERT_TRUE(QFileInfo(pdf).size() > 0);
        EXPECT_FALSE(renderPdf(pdf, 20).isNull());
        EXPECT_EQ(misplacedWords(job, pdf).join(u'\n').toStdString(), "");
        EXPECT_EQ(textsNotWhereRecorded(job, pdf).join(u'\n').toStdString(), "");
    }
}

TEST_F(AllPages, TheComparisonFindsTheWordsOfAPageThatPrintsThem) {
    // A page of a few items of every kind, so that the comparison above is seen to match real words.
    constexpr PageSpec page{u"試し", 0, 0, 0, 0, [](Page &p) {
                                p.font(fontname::mincho, 11);
                                p.text(142, 15, p.data.companyTexts[2]);
                                p.fontSize(8);
                                eraDate(p, {110, 117, 124}, 12, 19, 4, 1);
                                p.fontSize(10);
                                p.rightAlignedAmount(180, 60, 12345678);
                                p.text(30, 60, QStringLiteral("所得金額 又は 欠損金額"));
                            }};
    PrintData data = form12().data;
    PageState state;
    PrintRecorder recorder;
    printPage(page, data, state);
    const PrintJobLog job = recorder.jobs.front();
    QTemporaryDir folder;
    setPrintJobFactory([&](const QString &title) { return openPdfJob(folder.path(), title); });
    printPage(page, data, state);
    setPrintJobFactory({});
    const QString pdf = QDir(folder.path()).filePath(QStringLiteral("001-試し.pdf"));
    const std::size_t words = pdfWords(pdf).size();
    EXPECT_GE(words, 6u);
    EXPECT_EQ(misplacedWords(job, pdf), QStringList());
    EXPECT_EQ(textsNotWhereRecorded(job, pdf), QStringList());
    // Words printed elsewhere do not pass; a text more than a millimetre off its place is not found there.
    PrintJobLog moved = job;
    for (PrintOp &op : moved.ops)
        op.y += 5;
    EXPECT_EQ(std::size_t(misplacedWords(moved, pdf).size()), words);
    const auto texts = job.texts();
    const auto shown =
        std::count_if(texts.begin(), texts.end(), [](const PrintOp &t) { return !t.text.trimmed().isEmpty(); });
    for (const QPointF shift : {QPointF(1.2, 0), QPointF(-1.2, 0), QPointF(0, 1.2), QPointF(0, -1.2)}) {
        PrintJobLog shifted = job;
        for (PrintOp &op : shifted.ops)
            op.x += shift.x(), op.y += shift.y();
        EXPECT_EQ(textsNotWhereRecorded(shifted, pdf).size(), shown);
    }
}

} // namespace
} // namespace hz::test
