// The pages printed over the forms for a company whose every text is as long as real ones: each text the filer typed
// prints whole in the room of its field, at 6 pt or more, with nothing under it, over the guide sheet and over a
// scan of the form alike. A text too long for any fitting prints what its room holds and is named in the "印刷" box.

#include "core/paths.h"
#include "print/Form12.h"
#include "print/page_images.h"
#include "print/pages.h"
#include "print/recording_printer.h"
#include "tests/print/long_text_company.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace hz::test {
namespace {

// The long-text company with every other text the forms print filled in as long as real ones, and amounts of ten
// digits where the rows hold them, so that every item the pages print is there to be under a text.
PrintData overFormCompany() {
    PrintData d = longTextCompany();
    d.companyNumbers = {0, 1001, 2147483647, 30, 4, 1, 31, 3, 31, 31, 5, 28};
    d.companyTexts[5] = longAddresses[3]; // the longest, with its building's name
    d.companyTexts[10] = d.companyTexts[9];
    d.accountantTexts[4] = QStringLiteral("123456");
    d.accountantTexts[5] = QStringLiteral("東京地方");
    d.refundBankTexts[3] = QStringLiteral("1234567");
    d.refundBankTexts[4] = QStringLiteral("普通預金");
    d.refundBankTexts[6] = QStringLiteral("12345"); // five-digit employees against the month count
    d.refundBankTexts[7] = QStringLiteral("中村区");
    d.specialFieldTexts = {QString(), QStringLiteral("愛知県名古屋西県税事務所長"), QStringLiteral("名古屋市中村区長")};
    for (std::size_t k = 1; k < d.sched1Amounts.size(); ++k)
        d.sched1Amounts[k] = 1234567890;
    d.sched1Amounts[3] = 1000000000;
    for (std::size_t k = 1; k < d.sched7Amounts.size(); ++k)
        d.sched7Amounts[k] = 1234567890;
    d.sched7Amounts[15] = 100000000;
    d.schedule6Cells[1] = 1234567890;
    d.schedule5_2Cells[32] = 123456789;
    d.enterpriseTaxValues = {0,         123456789, 4000000, 4000000, 115456789, 123456789, 0,        9876500,
                             123456700, 3.4,       5.1,     6.7,     140000,    200000,    10392000, 10732000};
    d.prefTaxValues = {0, 123456000, 3.2, 3950592, 12345, 100000, 3850500, 800000, 400000, 400000, 4250500, 0};
    d.muniTaxValues = {0, 123456000, 12.3, 15185088, 5000000, 0, 130000, 0, 0, 10315088};
    d.schedule4Cells[42] = 1234567890;
    d.schedule4Cells[48] = 123456789;
    d.schedule4Cells[52] = 1111111101;
    return d;
}

// Each text a page fits into the room of its field, as printed, with that room (every offset added).
struct BoxedText {
    QString text;
    Page::TextBox box;
};

std::vector<BoxedText> boxedTexts(const PageSpec &entry, const PrintData &company) {
    PrintJobLog log;
    std::vector<BoxedText> out;
    for (const GuidePlace &p : recordWithPlaces(entry, company, log))
        if (p.kind == GuidePlace::Text && p.box && !p.text.isEmpty())
            out.push_back({p.text, *p.box});
    return out;
}

// The texts of the company each page prints over its form, as it prints them; the accountant's name and telephone
// down the margin of the prefectural return have their own test.
struct PageTexts {
    const char *caption;
    QStringList texts;
};

std::vector<PageTexts> pagesOverForms(const PrintData &d) {
    const auto &c = d.companyTexts;
    const auto &a = d.accountantTexts;
    const auto &b = d.refundBankTexts;
    const QString plain = QStringLiteral("普通");
    return {
        {"別表一", {c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[10], a[1], b[1], b[2], b[3], plain}},
        {"税務署用紙・別表一", {c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[10], a[1], b[1], b[2], b[3], plain}},
        {"法人県民税",
         {c[1], c[2], c[3], c[4], c[6], c[8], c[9], d.specialFieldTexts[1] + QStringLiteral(" 殿"), b[1], b[2], b[3]}},
        {"県税の欠損金", {c[2]}},
        {"利子割控除", {c[2]}},
        {"利子の愛知県", {c[2]}},
        {"法人市民税",
         {c[1], c[2], c[3], c[4], c[6], c[8], c[9], a[1], a[2], d.specialFieldTexts[2], b[1], b[2], b[3], b[6], b[7]}},
        {"市民税入力用", {b[6]}},
        {"税務代理権限書",
         {a[1], a[2], a[3], a[4], a[5], c[2], c[3], c[8], QStringLiteral("代表取締役　　") + c[9],
          c[7] + QStringLiteral(" 税務署々長　殿")}},
    };
}

// A picture of the form's size where the scan of form n goes: blank, with a mark in a corner.
void placeScan(int picture) {
    QImage scan(sheetWidth, sheetHeight, QImage::Format_Mono);
    scan.fill(1);
    scan.setPixel(5, 5, 0);
    const QString host = hostPath(pageImagePath(picture));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(host).absolutePath()));
    ASSERT_TRUE(scan.save(host));
}

class TextsOverForms : public HzTest {};

TEST_F(TextsOverForms, EveryTextOverEveryFormPrintsWholeInItsFieldsRoomOverTheGuideAndOverAScan) {
    const PrintData company = overFormCompany();
    for (const bool overScan : {false, true}) {
        for (const PageTexts &p : pagesOverForms(company)) {
            const QString caption = QString::fromUtf8(p.caption);
            SCOPED_TRACE(caption.toStdString() + (overScan ? " over a scan" : " over the guide sheet"));
            const PageSpec &entry = *pageSpec(caption);
            if (overScan && entry.picture != 0)
                placeScan(entry.picture);
            const std::vector<BoxedText> boxed = boxedTexts(entry, company);
            PrintData data = company;
            PageState state;
            const PrintJobLog job = recordPage(caption, data, state);
            ASSERT_TRUE(job.ended());
            if (entry.picture != 0) {
                EXPECT_EQ(job.ops.front().kind, PrintOp::Picture);
            }
            for (const QString &text : p.texts) {
                SCOPED_TRACE(text.toStdString());
                const auto found =
                    std::find_if(boxed.begin(), boxed.end(), [&](const BoxedText &t) { return t.text == text; });
                ASSERT_NE(found, boxed.end()) << "printed without a room of its own";
                expectTextInBox(job, text, found->box);
            }
            if (!overScan) {
                PrintData again = company;
                renderPage(caption, again, QStringLiteral("texts-over-forms-%1").arg(caption));
            }
        }
    }
}

TEST_F(TextsOverForms, AnAddressTooLongForItsRoomPrintsWhatFitsAndTheBoxNamesThePage) {
    PrintData data = overFormCompany();
    QString address;
    while (address.size() < 200)
        address += QStringLiteral("愛知県名古屋市中区栄三丁目１５番２７号");
    address.truncate(200);
    data.companyTexts[3] = address;
    const PageSpec &entry = *pageSpec(QStringLiteral("別表一"));
    const std::vector<BoxedText> boxed = boxedTexts(entry, data);
    const auto room = std::find_if(boxed.begin(), boxed.end(), [&](const BoxedText &t) { return t.text == address; });
    ASSERT_NE(room, boxed.end());
    const QRectF box(QPointF(room->box.left, room->box.top), QPointF(room->box.right, room->box.bottom));

    form12().data = data;
    PrintRecorder recorder;
    click(form12().Command12);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const PrintJobLog &job = recorder.jobs.front();
    ASSERT_TRUE(job.ended());
    // The address's lines, each going on where the one before it ended (the bank's 名古屋 is no part of it).
    QStringList pieces;
    for (const PrintOp &t : job.texts()) {
        if (t.text.isEmpty() || !QStringView(address).mid(pieces.join(QString()).size()).startsWith(t.text))
            continue;
        pieces << t.text;
        const QRectF ink = inkRect(t);
        EXPECT_TRUE(box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(ink)) << t.text.toStdString() << " leaves its box";
        EXPECT_GE(t.size, 6);
    }
    ASSERT_FALSE(pieces.isEmpty());
    EXPECT_LT(pieces.join(QString()).size(), address.size());

    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
    EXPECT_TRUE(svc.boxes[0].prompt.contains(QStringLiteral("別表一"))) << svc.boxes[0].prompt.toStdString();
    EXPECT_TRUE(svc.boxes[0].prompt.contains(address.left(10))) << svc.boxes[0].prompt.toStdString();
}

} // namespace
} // namespace hz::test
