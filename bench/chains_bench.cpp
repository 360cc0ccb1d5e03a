#include "app/Form1.h"
#include "bench/session.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/records.h"
#include "maintenance/Form10.h"
#include "platform/form.h"
#include "print/Form12.h"
#include "schedules/core/Form11.h"
#include "schedules/more/Form14.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace hz::session {
namespace {

// The boxes a registration of a registered code shows on its way: the error box of the existing file and the
// question before the rewrite, both answered OK.
const QList<std::pair<QString, int>> overwriteBoxes = {{QStringLiteral("同じコード名があります"), mb::OkWarning},
                                                       {QStringLiteral("書き換えますか"), mb::OkCancelQuestion}};

// A new installation with the rates set and one company registered under code 1 with a year's figures. The
// user has also saved its capital part ("資本積立", "計算実行"): registration does not write that record, and
// the bulk input's load and the print data need every record of the company.
bool sampleInstallation(Session &s) {
    return s.valid() && s.start() && s.setPresetRates() && s.registerSampleCompany(1) && s.enterSampleIncome() &&
           userAction([] {
               press(form1().Command15);
               press(form11().Command1);
           }) &&
           s.unexpectedBoxes().isEmpty();
}

// Stops the benchmark with the boxes the user would have seen, when any of them was not expected: a chain
// that fails half-way is quicker and would give a figure that means nothing.
void reportUnexpected(benchmark::State &state, Session &s, const QList<std::pair<QString, int>> &expected = {}) {
    const QStringList shown = s.unexpectedBoxes(expected);
    if (!shown.isEmpty())
        state.SkipWithError(("unexpected message boxes: " + shown.join(u", ").toStdString()).c_str());
}

// One click on button, as the event loop runs it: one user action, which reads each record once, however often
// its chain asks for it, and ends by syncing to the drive what the chain wrote.
void click(Button &button) {
    userAction([&button] { press(button); });
}

// The same chain without the sync at its end, to show what the sync costs.
void clickWithoutSync(Button &button) {
    const RecordCacheScope kept;
    press(button);
}

// The menu's list refresh ("法人税の目次") with all 999 codes registered.
void listRefresh999(benchmark::State &state) {
    Session s;
    if (!s.valid() || !s.start() || !s.setPresetRates()) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    for (int code = 1; code <= 999; ++code)
        writeSampleProfile(code);
    Form1 &menu = form1();
    for (auto _ : state)
        click(menu.Command17);
    if (menu.List1.listCount() != 999)
        state.SkipWithError("the list does not show 999 companies");
    reportUnexpected(state, s);
}
BENCHMARK(listRefresh999)->Unit(benchmark::kMillisecond);

// openCompany: the menu's "会社呼出" for the sample company.
void openCompany(benchmark::State &state) {
    Session s;
    if (!sampleInstallation(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form1 &menu = form1();
    for (auto _ : state) {
        menu.Text1.setText(QStringLiteral("1"));
        click(menu.Command2);
    }
    if (menu.Text2.text().isEmpty())
        state.SkipWithError("the company was not opened");
    reportUnexpected(state, s);
}
BENCHMARK(openCompany)->Unit(benchmark::kMillisecond);

// registerCompany, rewriting the registered company 1 every iteration: "登録実行", the two boxes answered OK,
// the profile and special fields rewritten, the company opened and every schedule recomputed.
void registerCompanyOverwrite(benchmark::State &state) {
    Session s;
    if (!sampleInstallation(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form2 &reg = form2();
    for (auto _ : state)
        click(reg.Command4);
    reportUnexpected(state, s, overwriteBoxes);
}
BENCHMARK(registerCompanyOverwrite)->Unit(benchmark::kMillisecond);

// Runs one press of a chain: a click, or the same chain without the sync that ends a click.
void run(Button &button, bool synced) {
    if (synced)
        click(button);
    else
        clickWithoutSync(button);
}

// registerCompany for a code not registered yet, a fresh one every iteration (2, 3, 4, ...): no question, the
// files written for the first time.
void registerNewCode(benchmark::State &state, bool synced) {
    Session s;
    if (!sampleInstallation(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form2 &reg = form2();
    int code = 1;
    for (auto _ : state) {
        reg.Text1.setText(QString::number(++code));
        run(reg.Command4, synced);
    }
    reportUnexpected(state, s);
}
void registerCompanyNewCode(benchmark::State &state) { registerNewCode(state, true); }
void registerCompanyNewCodeWithoutSync(benchmark::State &state) { registerNewCode(state, false); }
BENCHMARK(registerCompanyNewCode)->Unit(benchmark::kMillisecond);
BENCHMARK(registerCompanyNewCodeWithoutSync)->Unit(benchmark::kMillisecond);

// loadPrintData: the print window's hidden "データ" for the sample company, as the menu's "印  刷" presses it.
void printDataLoad(benchmark::State &state) {
    Session s;
    if (!sampleInstallation(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form12 &print = form12();
    print.Text1.setText(QStringLiteral("1"));
    for (auto _ : state)
        click(print.Command1);
    if (print.data.companyNumbers[1] != 1)
        state.SkipWithError("the print data were not loaded");
    reportUnexpected(state, s);
}
BENCHMARK(printDataLoad)->Unit(benchmark::kMillisecond);

// applyBulkInput: the bulk-input window's "計算実行" for the sample company, after the menu's "一 括入 力" has
// loaded the window (which applies the figures once). The company has figures, so every run ends with the
// question titled "一括入力" (Yes/No), answered Yes: nothing more happens.
void applyBulkInput(benchmark::State &state) {
    Session s;
    if (!sampleInstallation(s) || !userAction([] { press(form1().Command19); })) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form14 &bulk = form14();
    for (auto _ : state)
        click(bulk.Command1);
    reportUnexpected(state, s, {{QStringLiteral("一括入力"), mb::YesNo}});
}
BENCHMARK(applyBulkInput)->Unit(benchmark::kMillisecond);

// nextYearRollover: the maintenance window's "次年度更新する" for the sample company, open in every schedule
// window, the question answered OK. Each iteration rolls one more year.
void rollover(benchmark::State &state, bool synced) {
    Session s;
    CompanyProfileRecord profile;
    if (!sampleInstallation(s) || !userAction([&] { readProfile(1, profile, 10); })) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form10 &data = form10();
    data.Text6.setText(QStringLiteral("1"));
    for (auto _ : state)
        run(data.Command5, synced);
    reportUnexpected(state, s, {{profile.companyName + QStringLiteral("　を更新しますか"), mb::OkCancelQuestion}});
}
void nextYearRollover(benchmark::State &state) { rollover(state, true); }
void nextYearRolloverWithoutSync(benchmark::State &state) { rollover(state, false); }
BENCHMARK(nextYearRollover)->Unit(benchmark::kMillisecond);
BENCHMARK(nextYearRolloverWithoutSync)->Unit(benchmark::kMillisecond);

// The sample company's files backed up to the floppy ("フロッピーへコピーする"), over the copy the iteration before
// made.
void backup(benchmark::State &state) {
    Session s;
    if (!sampleInstallation(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form10 &data = form10();
    data.Text6.setText(QStringLiteral("1"));
    for (auto _ : state)
        click(data.Command1);
    reportUnexpected(state, s);
}
BENCHMARK(backup)->Unit(benchmark::kMillisecond);

// The company restored from its copy on the floppy ("フロッピーよりHDDへ戻す"), the question before the company on
// the disk is replaced answered OK.
void restore(benchmark::State &state) {
    Session s;
    if (!sampleInstallation(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form10 &data = form10();
    data.Text6.setText(QStringLiteral("1"));
    click(data.Command1);
    for (auto _ : state)
        click(data.Command2);
    reportUnexpected(state, s, {{QStringLiteral("書き換えますか"), mb::OkCancelQuestion}});
}
BENCHMARK(restore)->Unit(benchmark::kMillisecond);

// The print window as the menu's "印  刷" opens it for the sample company, its pages going to PDF files in a
// folder of their own.
class PrintToPdf {
public:
    PrintToPdf() { qputenv("HOJINZEI_PRINT_DIR", folder_.path().toUtf8()); }
    ~PrintToPdf() { qunsetenv("HOJINZEI_PRINT_DIR"); }
    PrintToPdf(const PrintToPdf &) = delete;
    PrintToPdf &operator=(const PrintToPdf &) = delete;

    bool open(Session &s) {
        return folder_.isValid() && sampleInstallation(s) && openPrintWindow() && s.unexpectedBoxes().isEmpty();
    }

    // The files printed since the last call, which are removed: a folder that fills up would slow the search
    // for the next free file name and say nothing about printing.
    qsizetype takeFiles() {
        QDir dir(folder_.path());
        const QStringList pdfs = dir.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QString &name : pdfs)
            dir.remove(name);
        return pdfs.size();
    }

private:
    QTemporaryDir folder_;
};

// Presses button of the print window once an iteration; every press must print files PDF files.
void printButton(benchmark::State &state, Button Form12::*button, qsizetype files) {
    Session s;
    PrintToPdf pdf;
    if (!pdf.open(s)) {
        state.SkipWithError("the installation could not be prepared");
        return;
    }
    Form12 &print = form12();
    for (auto _ : state) {
        click(print.*button);
        state.PauseTiming();
        const qsizetype printed = pdf.takeFiles();
        state.ResumeTiming();
        if (printed != files) {
            state.SkipWithError("the PDF files were not printed");
            break;
        }
    }
    reportUnexpected(state, s);
}

// A page the program draws whole, lines and all: "別表四".
void printSchedule4Page(benchmark::State &state) { printButton(state, &Form12::Command22, 1); }
BENCHMARK(printSchedule4Page)->Unit(benchmark::kMillisecond);

// A page printed over the picture of its form: "法人県民税".
void printPrefecturalTaxPage(benchmark::State &state) { printButton(state, &Form12::Command3, 1); }
BENCHMARK(printPrefecturalTaxPage)->Unit(benchmark::kMillisecond);

// "１部一括印刷": the seven schedule pages, each its own job.
void printOneSet(benchmark::State &state) { printButton(state, &Form12::Command27, 7); }
BENCHMARK(printOneSet)->Unit(benchmark::kMillisecond);

// "県税一括印刷": the prefectural return, its three attachments and the return again.
void printPrefecturalSet(benchmark::State &state) { printButton(state, &Form12::Command30, 5); }
BENCHMARK(printPrefecturalSet)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace hz::session
