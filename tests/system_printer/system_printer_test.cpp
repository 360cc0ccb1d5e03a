// The pages on the system's printer: the print window and the printer window against a print scheduler of the
// tests' own, each job read back from its spool folder.

#include "app/Form1.h"
#include "company/Form21.h"
#include "core/paths.h"
#include "platform/services.h"
#include "print/Form12.h"
#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/page_images.h"
#include "print/recording_printer.h"
#include "tests/print/sample_print_data.h"
#include "tests/support/cups_scheduler.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace hz::test {
namespace {

const QString kOffice = QStringLiteral("事務所A");
const QString kLetter = QStringLiteral("レター機");
const QStringList kBatchSet{"別表二", "別表四", "別五（一）", "別五（二）", "別表六", "別表七", "別表十五"};

// A printer whose driver knows Letter and A4, starts on Letter and cannot print within 12 points of the edges: the
// pages must still come out on A4, with nothing moved by its margins. The PDF goes to it as it is.
const char *const kLetterPrinterPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "LETTER.PPD"
*Manufacturer: "Test"
*Product: "(Letter)"
*ModelName: "Letter"
*ShortNickName: "Letter"
*NickName: "Letter"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Letter
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Letter
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea Letter/US Letter: "12 12 600 780"
*ImageableArea A4/A4: "12 12 583 830"
*DefaultPaperDimension: Letter
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
)ppd";

QByteArray contentsOrNothing(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One scheduler for the test program, from before its first test to after its last: the program's printer support
// learns only once where the scheduler is.
class SchedulerEnvironment final : public ::testing::Environment {
public:
    void SetUp() override {
        machineHome = qEnvironmentVariable("HOME");
        scheduler = std::make_unique<CupsScheduler>();
        scheduler->serveThisProcess();
    }
    void TearDown() override { scheduler.reset(); }

    static inline std::unique_ptr<CupsScheduler> scheduler;
    static inline QString machineHome;
};
[[maybe_unused]] const auto *const kSchedulerEnvironment =
    ::testing::AddGlobalTestEnvironment(new SchedulerEnvironment);

class SystemPrinter : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        // A machine where the test command ran has the scheduler: it is never passed over.
        ASSERT_TRUE(scheduler);
        ASSERT_TRUE(scheduler->running()) << scheduler->error().toStdString();
        qunsetenv("HOJINZEI_PRINT_DIR");
        scheduler->reset();
        form12().data = sampleCompany();
    }
    void TearDown() override {
        setPrintJobFactory({});
        HzTest::TearDown();
    }

    // The jobs a click gives through the recorder: the pages as they must come out of the printer.
    std::deque<PrintJobLog> recordedClick(Button &b) {
        PrintRecorder recorder;
        click(b);
        return recorder.jobs;
    }

    // Presses a page's button through the recorder, then for real: the one job it gives, checked to its end against
    // the recorded page.
    SpooledJob printedAsRecorded(Button &b, const QString &queue);

    QString letterPpd() {
        const QString path = QDir(scheduler->folder()).filePath(QStringLiteral("letter.ppd"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(kLetterPrinterPpd) > 0);
        return path;
    }

    CupsScheduler *scheduler = SchedulerEnvironment::scheduler.get();
    const QString &machineHome = SchedulerEnvironment::machineHome;
};

// What every page asks of the queue, whatever the printer's or the user's settings: A4, one copy, portrait, at its
// size, one page a sheet, unmirrored, unmoved, its one page printed now. The job's attributes, as the scheduler keeps
// them, include every default of the queue that it gave the job, so each attribute that would move or shrink the
// page must be the job's own. An attribute the job may also lack has "" among its values.
const std::vector<std::pair<QString, QStringList>> kAskedByEveryPage{
    {QStringLiteral("media"), {QStringLiteral("iso_a4_210x297mm")}},
    {QStringLiteral("copies"), {QStringLiteral("1")}},
    {QStringLiteral("orientation-requested"), {QStringLiteral("portrait")}},
    {QStringLiteral("landscape"), {QStringLiteral("false")}},
    {QStringLiteral("print-scaling"), {QStringLiteral("none")}},
    {QStringLiteral("fit-to-page"), {QStringLiteral("false")}},
    {QStringLiteral("fitplot"), {QStringLiteral("false")}},
    {QStringLiteral("number-up"), {QStringLiteral("1")}},
    {QStringLiteral("number-up-layout"), {QStringLiteral("lrtb")}},
    {QStringLiteral("page-border"), {QStringLiteral("none")}},
    {QStringLiteral("booklet"), {QStringLiteral("off")}},
    {QStringLiteral("mirror"), {QStringLiteral("false")}},
    {QStringLiteral("position"), {QStringLiteral("center")}},
    {QStringLiteral("page-left"), {QStringLiteral("0")}},
    {QStringLiteral("page-right"), {QStringLiteral("0")}},
    {QStringLiteral("page-top"), {QStringLiteral("0")}},
    {QStringLiteral("page-bottom"), {QStringLiteral("0")}},
    {QStringLiteral("page-set"), {QStringLiteral("all")}},
    {QStringLiteral("page-ranges"), {QStringLiteral("1-1")}},
    {QStringLiteral("scaling"), {QString()}},
    {QStringLiteral("natural-scaling"), {QString()}},
    {QStringLiteral("job-hold-until"), {QString(), QStringLiteral("no-hold")}},
};

QStringList attributesNotAsThePageAsks(const SpooledJob &job) {
    QStringList out;
    for (const auto &[name, values] : kAskedByEveryPage)
        if (!values.contains(job.attribute(name)))
            out << name + QStringLiteral("=") + job.attribute(name);
    return out;
}

// The recorded texts without ink inside their box on the rendered sheet: a text drawn white, or not at all, leaves
// none there. The box is the text's width by its size (a character of a column set top to bottom: its square), a
// tenth of its size inside, so that a rule beside it does not count.
QStringList textsWithoutInk(const PrintJobLog &page, const QImage &rendered, double dpi) {
    QStringList out;
    for (const PrintOp &t : page.texts()) {
        if (t.text.trimmed().isEmpty())
            continue;
        const double size = t.size * mmPerPoint, inset = size / 10;
        const QRectF box = QRectF(t.x + sheet::originX, t.y + sheet::originY,
                                  t.vertical ? size : textWidthMm(printFont(t.font, t.size), t.text), size)
                               .adjusted(inset, inset, -inset, -inset);
        if (inkInMm(rendered, dpi, box).isEmpty())
            out << QStringLiteral("%1 at %2, %3").arg(t.text).arg(t.x).arg(t.y);
    }
    return out;
}

// The recorded frame rules (drawn 4 pixels of 300 dpi wide or more, across or down, 20 mm long or more) whose ink
// on the rendered sheet is not as thick as drawn, within a pixel of the rendering: a hairline is far thinner. Each
// is measured across at nine places along it and the middle value taken, so that a rule joining it does not count.
QStringList rulesNotAtTheirWidth(const PrintJobLog &page, const QImage &rendered, double dpi) {
    QStringList out;
    const double pixel = 25.4 / dpi;
    for (const PrintOp &l : page.lines()) {
        const bool across = l.y == l.y2, down = l.x == l.x2;
        const double length = std::max(std::abs(l.x2 - l.x), std::abs(l.y2 - l.y));
        if (l.drawWidth < 4 || !(across || down) || length < 20)
            continue;
        const double width = l.drawWidth * 25.4 / sheet::lineWidthDpi, reach = width / 2 + 0.3;
        std::vector<double> thickness;
        for (int k = 1; k <= 9; ++k) {
            const double x = sheet::originX + l.x + (l.x2 - l.x) * k / 10;
            const double y = sheet::originY + l.y + (l.y2 - l.y) * k / 10;
            const QRectF strip =
                across ? QRectF(x - 0.2, y - reach, 0.4, 2 * reach) : QRectF(x - reach, y - 0.2, 2 * reach, 0.4);
            const QRectF ink = inkInMm(rendered, dpi, strip);
            thickness.push_back(across ? ink.height() : ink.width());
        }
        std::nth_element(thickness.begin(), thickness.begin() + 4, thickness.end());
        if (std::abs(thickness[4] - width) > pixel + 0.02)
            out << QStringLiteral("(%1, %2)-(%3, %4) %5 mm wide, drawn %6 mm")
                       .arg(l.x)
                       .arg(l.y)
                       .arg(l.x2)
                       .arg(l.y2)
                       .arg(thickness[4], 0, 'f', 2)
                       .arg(width, 0, 'f', 2);
    }
    return out;
}

// The job is the recorded page, printed to its end: named after it, on the queue, with what every page asks, one
// A4 sheet of PDF with every text at its place, and on the sheet itself ink in every text's box and the frame's
// rules as wide as drawn.
void expectPrintedAsRecorded(const SpooledJob &job, const PrintJobLog &page, const QString &queue) {
    SCOPED_TRACE(page.title.toStdString());
    EXPECT_EQ(job.state.toStdString(), "completed") << job.attribute(QStringLiteral("job-state-reasons")).toStdString();
    EXPECT_EQ(job.name, page.title);
    EXPECT_EQ(job.queue, queue);
    EXPECT_EQ(attributesNotAsThePageAsks(job).join(u' ').toStdString(), "");
    ASSERT_EQ(job.documents.size(), 1);
    const QString pdf = job.documents.front();
    EXPECT_EQ(pdfPageCount(pdf), 1);
    const QSizeF sheet = pdfSheetSizeMm(pdf);
    EXPECT_NEAR(sheet.width(), 210, 0.5);
    EXPECT_NEAR(sheet.height(), 297, 0.5);
    EXPECT_EQ(textsNotWhereRecorded(page, pdf).join(u'\n').toStdString(), "");
    EXPECT_EQ(misplacedWords(page, pdf).join(u'\n').toStdString(), "");
    constexpr double dpi = 200;
    const QImage rendered = renderPdf(pdf, dpi);
    EXPECT_EQ(textsWithoutInk(page, rendered, dpi).join(u'\n').toStdString(), "");
    EXPECT_EQ(rulesNotAtTheirWidth(page, rendered, dpi).join(u'\n').toStdString(), "");
    snapshotImage(rendered, QStringLiteral("queue-%1-%2").arg(queue, page.title));
}

SpooledJob SystemPrinter::printedAsRecorded(Button &b, const QString &queue) {
    const auto recorded = recordedClick(b);
    click(b);
    const auto jobs = scheduler->finishedJobs();
    if (recorded.size() != 1 || jobs.size() != 1) {
        ADD_FAILURE() << recorded.size() << " pages recorded, " << jobs.size() << " jobs printed";
        return {};
    }
    expectPrintedAsRecorded(jobs[0], recorded[0], queue);
    return jobs[0];
}

TEST_F(SystemPrinter, APageGoesToTheDefaultQueueAsOneA4JobNamedAfterIt) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    printedAsRecorded(form12().Command22, kOffice);
    EXPECT_EQ(form12().Text8.text(), QStringLiteral("2"));
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(SystemPrinter, TheBatchGivesOneJobPerPageInSetOrder) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    const auto recorded = recordedClick(form12().Command27);
    ASSERT_EQ(recorded.size(), 7u);

    click(form12().Command27);
    const auto jobs = scheduler->finishedJobs();
    ASSERT_EQ(jobs.size(), 7u);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        EXPECT_EQ(jobs[i].name, kBatchSet[int(i)]);
        expectPrintedAsRecorded(jobs[i], recorded[i], kOffice);
    }
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(SystemPrinter, APageOverTheScanOfItsFormPrintsThroughTheQueue) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    // A blank scan with one black square, 100 pixels wide, around the middle of the form.
    QImage scan(2481, 3507, QImage::Format_Mono);
    scan.fill(1);
    for (int y = 1700; y < 1800; ++y)
        for (int x = 1190; x < 1290; ++x)
            scan.setPixel(x, y, 0);
    const QString host = hostPath(pageImagePath(2));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(host).absolutePath()));
    ASSERT_TRUE(scan.save(host));
    const auto recorded = recordedClick(form12().Command3);
    ASSERT_EQ(recorded.size(), 1u);

    click(form12().Command3);
    const auto jobs = scheduler->finishedJobs();
    ASSERT_EQ(jobs.size(), 1u);
    expectPrintedAsRecorded(jobs[0], recorded[0], kOffice);
    ASSERT_EQ(jobs[0].documents.size(), 1);
    // The square stands where the scan has it: the scan fills the 200 × 288 mm from the printable area's corner.
    constexpr double dpi = 50;
    const QImage sheet = renderPdf(jobs[0].documents.front(), dpi);
    const auto pixel = [&](double scanX, double scanY) {
        const double xMm = sheet::originX + scanX * 200 / 2481, yMm = sheet::originY + scanY * 288 / 3507;
        return qGray(sheet.pixel(int(xMm / 25.4 * dpi), int(yMm / 25.4 * dpi)));
    };
    EXPECT_LT(pixel(1240, 1750), 64);
    EXPECT_LT(pixel(1200, 1710), 64);
    EXPECT_LT(pixel(1280, 1790), 64);
    EXPECT_GT(pixel(1160, 1750), 192);
    EXPECT_GT(pixel(1320, 1750), 192);
    EXPECT_GT(pixel(1240, 1670), 192);
    EXPECT_GT(pixel(1240, 1830), 192);
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(SystemPrinter, PagesThatNoQueueTakesAreNamedInTheBox) {
    // The user's default as the printing system reads it: the LPDEST or PRINTER environment before the user's
    // lpoptions, and the machine's lpoptions after.
    const QString gone = QStringLiteral("旧事務所");
    const auto removed = [this](const QString &defaultName) {
        return [this, defaultName] {
            scheduler->setDefault(defaultName);
            scheduler->removeQueue(kOffice);
        };
    };
    struct Case {
        const char *name;
        std::function<void()> arrange;
        bool schedulerDown;
        QString reason;
    };
    for (const Case &c : {
             Case{"no default printer", [] {}, false, QStringLiteral("通常使うプリンタが設定されていません。")},
             Case{"the default refuses jobs",
                  [this] {
                      scheduler->setDefault(kOffice);
                      scheduler->rejectJobs(kOffice);
                  },
                  false, QStringLiteral("プリンタ 事務所A は印刷を受け付けていません。")},
             // A default is set, but nobody can be asked about it.
             Case{"the printing system is down", [this] { scheduler->setDefault(kOffice); }, true,
                  QStringLiteral("印刷システム（CUPS）に接続できません。")},
             Case{"the default queue was removed", removed(kOffice), false,
                  QStringLiteral("通常使うプリンタ 事務所A が見つかりません。")},
             Case{"the default instance's queue was removed", removed(kOffice + QStringLiteral("/トレイ2")), false,
                  QStringLiteral("通常使うプリンタ 事務所A/トレイ2 が見つかりません。")},
             Case{"the default queue was removed and the printing system is down", removed(kOffice), true,
                  QStringLiteral("印刷システム（CUPS）に接続できません。")},
             Case{"LPDEST names a queue that does not exist",
                  [&] {
                      scheduler->setDefault(kOffice);
                      qputenv("LPDEST", gone.toUtf8());
                  },
                  false, QStringLiteral("通常使うプリンタ 旧事務所 が見つかりません。")},
             Case{"PRINTER names a queue that does not exist", [&] { qputenv("PRINTER", gone.toUtf8()); }, false,
                  QStringLiteral("通常使うプリンタ 旧事務所 が見つかりません。")},
             Case{"the machine's lpoptions name a queue that does not exist",
                  [&] {
                      QFile f(scheduler->folder() + QStringLiteral("/etc/lpoptions"));
                      ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Default " + gone.toUtf8() + "\n") > 0);
                  },
                  false, QStringLiteral("通常使うプリンタ 旧事務所 が見つかりません。")},
         }) {
        SCOPED_TRACE(c.name);
        scheduler->reset();
        svc.boxes.clear();
        scheduler->addQueue(kOffice);
        scheduler->addInstance(kOffice + QStringLiteral("/トレイ2"), {"media-source=tray-2"});
        c.arrange();
        if (c.schedulerDown)
            scheduler->stop();
        click(form12().Command24); // the counts start empty
        click(form12().Command27);
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
        if (c.schedulerDown) {
            ASSERT_TRUE(scheduler->start()) << scheduler->error().toStdString();
        }
        EXPECT_TRUE(scheduler->jobs().empty());
        QString expected = QStringLiteral("次のページは印刷されませんでした。");
        for (const QString &page : kBatchSet)
            expected += u'\n' + page + QStringLiteral("：") + c.reason;
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
        EXPECT_EQ(svc.boxes[0].prompt.toStdString(), expected.toStdString());
        EXPECT_EQ(form12().Text8.text(), QStringLiteral("1"));
    }
}

// Forwards to a job on the system's printer; the queue starts refusing jobs once the page is being drawn, after
// the job was opened on a queue that took jobs.
class RefusedWhileDrawn final : public ForwardingPrinter {
public:
    RefusedWhileDrawn(std::unique_ptr<Printer> job, CupsScheduler &scheduler, QString queue)
        : ForwardingPrinter(std::move(job)), scheduler_(scheduler), queue_(std::move(queue)) {}
    void print(const QString &text) override {
        if (!refused_)
            scheduler_.rejectJobs(queue_);
        refused_ = true;
        ForwardingPrinter::print(text);
    }

private:
    CupsScheduler &scheduler_;
    QString queue_;
    bool refused_ = false;
};

TEST_F(SystemPrinter, AJobTheQueueRefusesAtTheEndIsNamedInTheBox) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    setPrintJobFactory([this](const QString &title) {
        return std::make_unique<RefusedWhileDrawn>(openSystemPrinterJob(title), *scheduler, kOffice);
    });
    click(form12().Command22);
    EXPECT_TRUE(scheduler->jobs().empty());
    ASSERT_EQ(svc.boxes.size(), 1u);
    // The scheduler's own words follow in brackets, in the language it speaks.
    EXPECT_TRUE(
        svc.boxes[0].prompt.startsWith(QStringLiteral("次のページは印刷されませんでした。\n"
                                                      "別表四：プリンタ 事務所A が印刷を受け付けませんでした（")))
        << svc.boxes[0].prompt.toStdString();
}

TEST_F(SystemPrinter, APageThatFailsWhileDrawnNeverReachesTheQueue) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    // A scan of the wrong size stops the page after its job was opened.
    QImage scan(1240, 1753, QImage::Format_Mono);
    scan.fill(1);
    const QString host = hostPath(pageImagePath(3));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(host).absolutePath()));
    ASSERT_TRUE(scan.save(host));
    click(form12().Command2);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_TRUE(svc.boxes[0].prompt.startsWith(QStringLiteral("次のページは印刷されませんでした。\n県税の欠損金：")));
    EXPECT_TRUE(scheduler->jobs().empty());

    // The next page goes through as usual.
    click(form12().Command22);
    const auto jobs = scheduler->finishedJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].name, QStringLiteral("別表四"));
    EXPECT_EQ(jobs[0].state.toStdString(), "completed");
}

TEST_F(SystemPrinter, ThePrinterWindowListsTheQueuesAndTheOneChosenGetsTheNextPage) {
    const QByteArray machineOptions = contentsOrNothing(QStringLiteral("/etc/cups/lpoptions"));
    const QByteArray machineUserOptions = contentsOrNothing(machineHome + QStringLiteral("/.cups/lpoptions"));
    scheduler->addQueue(kOffice);
    scheduler->addQueue(kLetter, letterPpd());
    scheduler->setDefault(kOffice);
    svc.printersFrom = &desktopServices();

    form21().show();
    QStringList listed;
    for (int i = 0; i < form21().List1.listCount(); ++i)
        listed << form21().List1.itemText(i);
    QStringList queues = scheduler->queues();
    QStringList sortedListed = listed;
    queues.sort();
    sortedListed.sort();
    EXPECT_EQ(sortedListed, queues);
    ASSERT_EQ(listed.size(), 2);
    form21().List1.clickItem(int(listed.indexOf(kLetter)));
    click(form21().Command1);
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_FALSE(form21().isVisible());
    EXPECT_EQ(QPrinterInfo::defaultPrinterName(), kLetter);

    printedAsRecorded(form12().Command22, kLetter);
    EXPECT_TRUE(svc.boxes.empty());
    // The change stayed with the scheduler of the test.
    EXPECT_EQ(contentsOrNothing(QStringLiteral("/etc/cups/lpoptions")), machineOptions);
    EXPECT_EQ(contentsOrNothing(machineHome + QStringLiteral("/.cups/lpoptions")), machineUserOptions);
}

TEST_F(SystemPrinter, AnInstanceChosenAsTheDefaultSendsItsOwnOptionsButNotThoseThePageSets) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    // The user's instance asks for the second tray and high quality, and also for what the page sets itself.
    const QString instance = kOffice + QStringLiteral("/トレイ2");
    scheduler->addInstance(instance, {"media-source=tray-2", "print-quality=5", "copies=2", "orientation-requested=4",
                                      "media=na_letter_8.5x11in", "fit-to-page=true"});
    svc.printersFrom = &desktopServices();
    form21().show();
    int chosen = -1;
    for (int i = 0; i < form21().List1.listCount(); ++i)
        if (form21().List1.itemText(i) == instance)
            chosen = i;
    ASSERT_GE(chosen, 0);
    form21().List1.clickItem(chosen);
    click(form21().Command1);
    EXPECT_TRUE(svc.boxes.empty());

    // The instance is the user's options on the queue: the job goes to the queue, with the tray and the quality.
    const SpooledJob job = printedAsRecorded(form12().Command22, kOffice);
    EXPECT_EQ(job.attribute(QStringLiteral("media-source")).toStdString(), "tray-2");
    EXPECT_EQ(job.attribute(QStringLiteral("print-quality")).toStdString(), "high");
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(SystemPrinter, NoOptionOfTheInstanceOrTheQueueMovesOrShrinksThePage) {
    // Each would print the form at half size, mirrored, shifted or not at all, off the pre-printed boxes; the tray the
    // instance also asks for still goes with the job. Some the job sets again itself; the others, and one the
    // program does not know, it must leave out.
    struct Case {
        const char *name;
        QStringList instanceOptions;
        QStringList queueDefaults;
    };
    for (const Case &c : {
             Case{"two pages a sheet", {"number-up=2"}, {}},
             Case{"mirrored", {"mirror"}, {}},
             Case{"an inch of left margin", {"page-left=72"}, {}},
             Case{"at the bottom right", {"position=bottom-right"}, {}},
             Case{"the second page only", {"page-ranges=2"}, {}},
             Case{"at half size", {"scaling=50"}, {}},
             Case{"at half its natural size", {"natural-scaling=50"}, {}},
             Case{"held until released", {"job-hold-until=indefinite"}, {}},
             Case{"an option the program does not know", {"hz-unknown-option=1"}, {}},
             Case{"the queue fits the page to the paper", {}, {"fit-to-page-default=true"}},
             Case{"the queue prints two pages a sheet", {}, {"number-up-default=2"}},
             Case{"the queue mirrors", {}, {"mirror-default=true"}},
         }) {
        SCOPED_TRACE(c.name);
        scheduler->reset();
        scheduler->addQueue(kOffice);
        if (!c.queueDefaults.isEmpty())
            scheduler->setQueueDefaults(kOffice, c.queueDefaults);
        const QString instance = kOffice + QStringLiteral("/トレイ2");
        scheduler->addInstance(instance, c.instanceOptions + QStringList{"media-source=tray-2"});
        scheduler->setDefault(instance);
        const SpooledJob job = printedAsRecorded(form12().Command22, kOffice);
        EXPECT_EQ(job.attribute(QStringLiteral("media-source")).toStdString(), "tray-2");
        // None of the instance's own values reaches the job, whether the program knows the option or not.
        for (const QString &option : c.instanceOptions) {
            const QString name = option.section(u'=', 0, 0), value = option.section(u'=', 1);
            if (!value.isEmpty()) {
                EXPECT_NE(job.attribute(name).toStdString(), value.toStdString()) << name.toStdString();
            }
        }
    }
}

TEST_F(SystemPrinter, APausedQueueKeepsThePageUntilItGoesOnWithoutABox) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    scheduler->pause(kOffice);
    const auto recorded = recordedClick(form12().Command22);
    ASSERT_EQ(recorded.size(), 1u);

    click(form12().Command22);
    EXPECT_TRUE(svc.boxes.empty());
    const auto waiting = scheduler->jobs();
    ASSERT_EQ(waiting.size(), 1u);
    EXPECT_EQ(waiting[0].state.toStdString(), "pending");

    scheduler->resume(kOffice);
    const auto jobs = scheduler->finishedJobs();
    ASSERT_EQ(jobs.size(), 1u);
    expectPrintedAsRecorded(jobs[0], recorded[0], kOffice);
}

// The straight rules of a sheet at least minLength long, in millimetres from the paper's top-left corner: each as
// the middle of its thickness and where it starts and ends.
struct Rule {
    double at, from, to;
};
std::vector<Rule> longRules(const QImage &sheet, double dpi, double minLength, bool across) {
    const QImage grey = sheet.convertToFormat(QImage::Format_Grayscale8);
    const int lines = across ? grey.height() : grey.width();
    const int length = across ? grey.width() : grey.height();
    const double mm = 25.4 / dpi;
    std::vector<Rule> rules;
    int thickness = 0;
    for (int l = 0; l <= lines; ++l) {
        int bestFrom = 0, bestTo = 0;
        if (l < lines) {
            for (int i = 0, runFrom = -1; i <= length; ++i) {
                const bool dark = i < length && (across ? grey.constScanLine(l)[i] : grey.constScanLine(i)[l]) < 128;
                if (dark && runFrom < 0)
                    runFrom = i;
                if (!dark && runFrom >= 0) {
                    if (i - runFrom > bestTo - bestFrom)
                        bestFrom = runFrom, bestTo = i;
                    runFrom = -1;
                }
            }
        }
        if ((bestTo - bestFrom) * mm >= minLength) {
            if (thickness++ == 0)
                rules.push_back({0, bestFrom * mm, bestTo * mm});
        } else if (thickness > 0) {
            rules.back().at = (l - thickness / 2.0) * mm;
            thickness = 0;
        }
    }
    return rules;
}

TEST_F(SystemPrinter, TheFormsFrameStandsAtItsPlaceOnTheA4Sheet) {
    scheduler->addQueue(kOffice);
    scheduler->setDefault(kOffice);
    click(form12().Command22);
    const auto jobs = scheduler->finishedJobs();
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_EQ(jobs[0].documents.size(), 1);
    constexpr double dpi = 200;
    const QImage sheet = renderPdf(jobs[0].documents.front(), dpi);
    // The page's frame is (25, 24)-(192, 282) in the forms' millimetres; the forms' printable area starts 5 mm
    // from the left and 4.5 mm from the top of the paper. Read on the sheet itself, in the paper's millimetres.
    const auto across = longRules(sheet, dpi, 150, true);
    const auto down = longRules(sheet, dpi, 200, false);
    ASSERT_GE(across.size(), 2u);
    ASSERT_GE(down.size(), 2u);
    constexpr double tolerance = 0.3;
    EXPECT_NEAR(across.front().at, 28.5, tolerance);
    EXPECT_NEAR(across.back().at, 286.5, tolerance);
    EXPECT_NEAR(down.front().at, 30.0, tolerance);
    EXPECT_NEAR(down.back().at, 197.0, tolerance);
    // The frame's top runs from its left side to its right, the sides from its top to its bottom; a line's square
    // ends reach out by half its width.
    constexpr double halfLine = 0.3;
    EXPECT_NEAR(across.front().from, 30.0, tolerance + halfLine);
    EXPECT_NEAR(across.front().to, 197.0, tolerance + halfLine);
    EXPECT_NEAR(down.front().from, 28.5, tolerance + halfLine);
    EXPECT_NEAR(down.front().to, 286.5, tolerance + halfLine);
}

// Whether strace may trace a program here: a machine that forbids ptrace (some containers do) refuses it.
bool straceCanTrace() {
    QProcess p;
    p.start(QStringLiteral("strace"),
            {QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")});
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Every file and folder under the machine's own CUPS folders, with its size and last change: what a scheduler
// that strayed out of its folder would change.
QStringList machineCupsListing() {
    QStringList listing;
    for (const char *top : {"/etc/cups", "/run/cups", "/var/run/cups", "/var/cache/cups", "/var/spool/cups",
                            "/var/log/cups", "/var/lib/cups"}) {
        const QString root = QString::fromLatin1(top);
        if (!QFileInfo::exists(root)) {
            listing << root + QStringLiteral(" (none)");
            continue;
        }
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        listing << root;
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            listing << QStringLiteral("%1 %2 %3")
                           .arg(info.filePath())
                           .arg(info.isDir() ? -1 : info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch());
        }
    }
    listing.sort();
    return listing;
}

TEST(PrivateScheduler, WritesNothingOutsideItsFolder) {
    // A scheduler like the tests', under a trace of every file it and its children write or try to write, taken
    // through queue changes, the user's options and jobs on both kinds of queue. Where the machine forbids the
    // trace, the machine's CUPS folders are listed before and after instead.
    const bool traceable = straceCanTrace();
    const QStringList before = machineCupsListing();
    CupsScheduler traced(traceable ? CupsScheduler::Trace::Writes : CupsScheduler::Trace::None);
    ASSERT_TRUE(traced.running()) << traced.error().toStdString();
    const QString ppd = QDir(traced.folder()).filePath(QStringLiteral("letter.ppd"));
    const QString pdf = QDir(traced.folder()).filePath(QStringLiteral("page.pdf"));
    {
        QFile f(ppd);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(kLetterPrinterPpd) > 0);
        QFile p(pdf);
        ASSERT_TRUE(p.open(QIODevice::WriteOnly) && p.write("%PDF-1.4\n%%EOF\n") > 0);
    }
    traced.addQueue(kOffice);
    traced.addQueue(kLetter, ppd);
    traced.setDefault(kOffice);
    const QString instance = kOffice + QStringLiteral("/トレイ2");
    traced.addInstance(instance, {"media-source=tray-2"});
    traced.run(QStringLiteral("lp"), {QStringLiteral("-d"), instance, pdf});
    traced.run(QStringLiteral("lp"), {QStringLiteral("-d"), kLetter, pdf});
    const auto jobs = traced.finishedJobs();
    ASSERT_EQ(jobs.size(), 2u);
    for (const SpooledJob &job : jobs)
        EXPECT_EQ(job.state.toStdString(), "completed");
    traced.pause(kOffice);
    traced.resume(kOffice);
    traced.rejectJobs(kLetter);
    traced.run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), kLetter});
    traced.stop();

    EXPECT_EQ(machineCupsListing().join(u'\n').toStdString(), before.join(u'\n').toStdString());
    if (!traceable)
        return;
    const QStringList written = traced.writtenPaths();
    // The trace saw the scheduler keep its queues.
    EXPECT_TRUE(written.contains(traced.folder() + QStringLiteral("/etc/printers.conf")))
        << written.join(u'\n').toStdString();
    QStringList outside;
    for (const QString &path : written)
        if (!path.startsWith(traced.folder() + u'/') && path != QStringLiteral("/dev/null"))
            outside << path;
    EXPECT_EQ(outside.join(u'\n').toStdString(), "");
}

} // namespace
} // namespace hz::test
