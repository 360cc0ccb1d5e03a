// A filer's first season as the README tells it: the rates, a registration, Schedule 4 and Schedule 1, the interim
// payments, the print window, Schedule 6, a second registration and the bulk input; then the next-year rollover
// with the registration and interim windows left open.
//
// Rates of the "とりあえず１８万円" preset: enterprise tax 5 % up to 4,000,000 and 7.3 % above.

#include "app/Form1.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/paths.h"
#include "maintenance/Form10.h"
#include "print/Form12.h"
#include "print/recording_printer.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/interim.h"
#include "schedules/core/schedule1.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form8.h"
#include "schedules/more/bulk_input.h"
#include "schedules/more/schedule5_2.h"
#include "tests/print/local_return_rows.h"
#include "tests/print/page_items.h"
#include "tests/scenarios/registration.h"
#include "tests/scenarios/two_companies.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

namespace hz::test {
namespace {

constexpr std::int32_t kCode = 3;
const QString kName = QStringLiteral("株式会社四季商会");

class FirstSeason : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        form1(); // the program has started on a fresh disk
        setPresetRates();
        registerSampleCompany(kCode, kName, QStringLiteral("カブシキガイシャシキショウカイ"), 10, 9);
        // 別表四: the profit; 別表一 from the menu computes the taxes on it.
        click(form1().Command5);
        typeInto(form5().Text5, QStringLiteral("6,000,000"));
        click(form5().Command4);
        click(form1().Command12);
        ASSERT_EQ(shown(), std::vector<std::string>{});
    }

    // 別表一's "中間申告の入力", the interim enterprise tax typed, its 計算実行, then 別表一's 計算実行.
    static void typeInterimEnterpriseTax(const QString &amount) {
        click(form3().Command9);
        typeInto(form20().Text4, amount); // 事業税
        click(form20().Command1);
        click(form3().Command4);
    }

    // The boxes shown since the last call, each as "title: text"; forgets them.
    std::vector<std::string> shown() { return svc.takeShown(); }

    // Asked without touching the window, which would load it.
    static bool loaded(const char *formName) {
        for (Form *f : allForms())
            if (f->name() == QLatin1String(formName))
                return f->isLoaded();
        return false;
    }
};

// Income 6,000,000: enterprise tax 4,000,000 at 5 % = 200,000 and 2,000,000 at 7.3 % = 146,000, 346,000 in all;
// less the interim 80,000 typed in the interim window, 266,000 is due. Every chain that recomputes the schedules
// keeps the interim amount: Schedule 5(2) part 2, whose interim row is empty, has none of its own.
TEST_F(FirstSeason, TheInterimEnterpriseTaxTypedStaysOnTheReturnThroughEveryRecompute) {
    typeInterimEnterpriseTax(QStringLiteral("80,000"));
    auto expectKept = [&](const char *after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(form3().Text23.text(), QStringLiteral("80,000"));   // 中間事業税額
        EXPECT_EQ(form3().Text24.text(), QStringLiteral("266,000"));  // 申告事業税額
        Schedule1Record rec;
        readSchedule1(kCode, rec);
        EXPECT_EQ(rec.B(7), 80000);
        EXPECT_EQ(rec.B(8), 266000);
        EXPECT_EQ(shown(), std::vector<std::string>{});
    };
    expectKept("the interim window");

    // 印  刷: the print window's load recomputes every schedule; the prefectural return prints what it loaded.
    click(form1().Command18);
    expectKept("the print window's load");
    {
        PrintRecorder recorder;
        click(form12().Command3); // 法人県民税
        ASSERT_EQ(recorder.jobs.size(), 1u);
        const PrintJobLog &job = recorder.jobs.front();
        EXPECT_EQ(row(job, 149, 90, 120), QStringLiteral("800"));    // 中間納付額, in hundreds
        EXPECT_EQ(row(job, 161, 90, 120), QStringLiteral("2660"));   // 申告納付額, in hundreds
        EXPECT_EQ(row(job, 195, 90, 120), QStringLiteral("266000")); // 申告事業税額
    }
    EXPECT_EQ(shown(), std::vector<std::string>{});

    // 別表六外, its 計算実行.
    click(form1().Command8);
    click(form8().Command1);
    expectKept("Schedule 6's compute");

    // 会社登録 and its DATA on the open company, 登録実行 over it: the registration recomputes every schedule.
    click(form1().Command1);
    click(form2().Command7);
    svc.answer(mb::Ok); // 同じコード名があります
    svc.answer(mb::Ok); // 書き換えますか
    click(form2().Command4);
    EXPECT_EQ(shown(), (std::vector<std::string>{"同じコード名があります: ファイルは既に存在します。",
                                                 "書き換えますか: 書き換えますか"}));
    expectKept("a registration");

    // 一 括入 力 and its 計算実行, with its own interim enterprise tax left empty.
    click(form1().Command19);
    shown();
    click(form14().Command1);
    expectKept("the bulk input");

    // An amount in Schedule 5(2) part 2's own interim row still wins.
    click(form1().Command14);
    form13().cellBox(taxGridCell(2, 2))->setText(QStringLiteral("90,000")); // 事業税 中間 ②
    form13().cellBox(taxGridCell(2, 5))->setText(QStringLiteral("90,000")); //          ⑤
    click(form13().Command20);
    EXPECT_EQ(form3().Text23.text(), QStringLiteral("90,000"));
}

// 90,000 put in 別表五（二）の２'s interim row and computed, then the row emptied again and computed: the payment
// leaves 別表一, which falls back to what 中間申告の入力 saved (80,000) or to none, and stays so through 別表一's
// compute, 印刷's load and the printed prefectural return. Income 6,000,000: enterprise tax 346,000. An interim
// record that cannot be read is said, and the payment leaves all the same.
TEST_F(FirstSeason, APaymentRemovedFromSchedule5_2LeavesTheReturn) {
    struct Case {
        const char *typedInInterimWindow; // nullptr: nothing typed there
        const char *box;                  // 中間事業税額 once the row is emptied
        std::int32_t interim, due;        // B7 and B8 of the record
        const char *printedInterim;       // 中間納付額 on the prefectural return, in hundreds
        bool damaged = false;             // the interim record holds a word where its amounts stand
    };
    const Case cases[] = {
        {nullptr, "", 0, 346000, ""},
        {"80,000", "80,000", 80000, 266000, "800"},
        {nullptr, "", 0, 346000, "", true},
    };
    const QString interimRecord = interimAmountPath(kCode);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typedInInterimWindow ? c.typedInInterimWindow
                                            : c.damaged ? "a damaged interim record" : "nothing in the interim window");
        if (c.typedInInterimWindow)
            typeInterimEnterpriseTax(QString::fromUtf8(c.typedInInterimWindow));
        if (c.damaged)
            writeFile(interimRecord, "abc\r\n");

        click(form1().Command14); // 別表五（二）の２
        typeInto(*form13().cellBox(taxGridCell(2, 2)), QStringLiteral("90,000")); // 事業税 中間 ②
        typeInto(*form13().cellBox(taxGridCell(2, 5)), QStringLiteral("90,000")); //          ⑤
        click(form13().Command20);
        click(form3().Command4);
        EXPECT_EQ(form3().Text23.text(), QStringLiteral("90,000"));
        EXPECT_EQ(form3().Text24.text(), QStringLiteral("256,000"));

        // The row emptied, 別表五（二）の２ and 別表一 computed, then 印刷.
        typeInto(*form13().cellBox(taxGridCell(2, 2)), QString());
        typeInto(*form13().cellBox(taxGridCell(2, 5)), QString());
        click(form13().Command20);
        const std::vector<std::string> said = shown();
        if (c.damaged) {
            ASSERT_EQ(said.size(), 1u);
            EXPECT_THAT(said.front(), testing::StartsWith("別表五（二）の２: "));
            EXPECT_THAT(said.front(), testing::HasSubstr(interimRecord.toStdString()));
            EXPECT_EQ(readRawFile(interimRecord), QByteArray("abc\r\n")); // left as it was
        } else {
            EXPECT_EQ(said, std::vector<std::string>{});
        }
        click(form3().Command4);
        click(form1().Command18);
        EXPECT_EQ(form3().Text23.text(), QString::fromUtf8(c.box));
        Schedule1Record rec;
        readSchedule1(kCode, rec);
        EXPECT_EQ(rec.B(7), c.interim);
        EXPECT_EQ(rec.B(8), c.due);
        {
            PrintRecorder recorder;
            click(form12().Command3); // 法人県民税
            ASSERT_EQ(recorder.jobs.size(), 1u);
            EXPECT_EQ(row(recorder.jobs.front(), 149, 90, 120), QString::fromUtf8(c.printedInterim));
            EXPECT_EQ(row(recorder.jobs.front(), 195, 90, 120), QString::number(c.due)); // 申告事業税額
        }
        EXPECT_EQ(shown(), std::vector<std::string>{});
        form12().unload();
    }
}

// 一 括入 力 with 0 typed as 中間事業税 empties 別表一's box, which 中間申告の入力 had filled, through the bulk
// input's own settling; its 計算実行 once more, with the box as the compute left it, leaves 別表一 alone.
TEST_F(FirstSeason, AZeroTypedInTheBulkInputClearsTheInterimEnterpriseTax) {
    typeInterimEnterpriseTax(QStringLiteral("80,000"));
    click(form1().Command19); // 一 括入 力
    shown();
    typeInto(form14().bulkFigureBox(bulk::interimEnterpriseTax), QStringLiteral("0"));
    click(form14().Command1);
    shown();
    Schedule1Record rec;
    readSchedule1(kCode, rec);
    EXPECT_EQ(form3().Text23.text(), QString());
    EXPECT_EQ((std::array{rec.B(7), rec.B(8)}), (std::array<double, 2>{0, 346000}));

    // 80,000 in the interim window again; the bulk input's box, untouched since its compute, pushes nothing.
    typeInterimEnterpriseTax(QStringLiteral("80,000"));
    click(form1().Command19);
    shown();
    click(form14().Command1);
    shown();
    readSchedule1(kCode, rec);
    EXPECT_EQ(form3().Text23.text(), QStringLiteral("80,000"));
    EXPECT_EQ((std::array{rec.B(7), rec.B(8)}), (std::array<double, 2>{80000, 266000}));
}

// The characters printed inside a band of a PDF's first page, left to right: a line of digit boxes read back.
QString pdfBand(const QString &pdf, const QRectF &band) {
    std::vector<std::pair<double, QChar>> found;
    for (const PdfWord &w : pdfWords(pdf))
        for (std::size_t i = 0; i < w.chars.size() && qsizetype(i) < w.text.size(); ++i)
            if (band.contains(w.chars[i].center()))
                found.emplace_back(w.chars[i].left(), w.text[qsizetype(i)]);
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QString s;
    for (const auto &f : found)
        s += f.second;
    return s;
}

// 1,100,000 typed as the interim corporate tax: 別表一 prints it on line 14 in hundreds, between line 13 (the tax,
// 1,320,000) and line 15 (what is left due, 220,000), so that the page adds up; on the A4 page and on the tax office's
// sheet, as recorded and in the PDF.
TEST_F(FirstSeason, Schedule1PrintsTheInterimCorporateTaxOnLine14) {
    click(form3().Command9); // 中間申告の入力
    typeInto(form20().Text1, QStringLiteral("1,100,000"));
    click(form20().Command1);
    click(form3().Command4);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    qputenv("HOJINZEI_PRINT_DIR", folder.path().toUtf8());
    click(form1().Command18); // 印  刷
    struct Page {
        Button *button;
        double x1, y13, y14, y15; // box 1 of lines 13 to 15 as recorded
    };
    const Page pages[] = {{&form12().Command12, 60, 176, 182.5, 189}, {&form12().Command26, 61, 180, 186.5, 193}};
    for (const Page &p : pages) {
        SCOPED_TRACE(p.button->caption().toStdString());
        PrintRecorder recorder;
        click(*p.button);
        ASSERT_EQ(recorder.jobs.size(), 1u);
        const PrintJobLog &job = recorder.jobs.front();
        EXPECT_EQ((QStringList{boxRow(job, p.x1, p.y13, 6), boxRow(job, p.x1, p.y14, 6), boxRow(job, p.x1, p.y15, 6)}),
                  (QStringList{".13200", ".11000", "..2200"}));
    }
    const QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 0) << "the recorder took the jobs";
    for (const Page &p : pages) {
        SCOPED_TRACE(p.button->caption().toStdString());
        click(*p.button);
        const QStringList now = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
        ASSERT_FALSE(now.isEmpty());
        const QString pdf = QDir(folder.path()).filePath(now.back());
        snapshotImage(renderPdf(pdf, 100), QStringLiteral("line14-") + now.back().chopped(4));
        // Each line's band: from its place down to the next line's.
        auto band = [&](double y) { return pdfBand(pdf, QRectF(p.x1 - 1, y, 32, 6)); };
        EXPECT_EQ((QStringList{band(p.y13), band(p.y14), band(p.y15)}), (QStringList{"13200", "11000", "2200"}));
    }
    qunsetenv("HOJINZEI_PRINT_DIR");
    EXPECT_EQ(shown(), std::vector<std::string>{});
}

// The registration window, the interim window and the capital part left open over 次年度更新する: each follows the
// new year, so a registration mended afterwards keeps it; the menu shows the new business year; the interim
// payments ended with the old year.
TEST_F(FirstSeason, WindowsLeftOpenOverTheRolloverFollowTheNewYear) {
    typeInterimEnterpriseTax(QStringLiteral("80,000"));
    click(form1().Command15); // 資本積立; the registration window is still open
    ASSERT_TRUE(loaded("Form2") && loaded("Form20") && loaded("Form11"));
    ASSERT_EQ(form2().Text13.text(), QStringLiteral("19"));

    EXPECT_NE(form3().Text47.text(), QString()); // 納付税額合計 of the year about to close

    // データ, DATA on the open company, 次年度更新する.
    click(form1().Command13);
    click(form10().Command7);
    svc.answer(mb::Ok);
    click(form10().Command5);
    const std::string question = (kName + QStringLiteral("　を更新しますか")).toStdString();
    EXPECT_EQ(shown(), std::vector<std::string>{question + ": " + question});

    // The menu: the rolled company with its new year.
    EXPECT_EQ((QStringList{form1().Text1.text(), form1().Text2.text(), form1().Text13.text(), form1().Text14.text(),
                           form1().Text15.text(), form1().Text17.text(), form1().Text18.text(),
                           form1().Text19.text()}),
              (QStringList{"3", kName, "20", "4", "1", "21", "3", "31"}));

    // 別表一, left open, shows no figure of the closed year, its total payable included.
    EXPECT_EQ(form3().Text47.text(), QString());

    // The interim window shows nothing paid, and so does its record; the capital part was closed.
    for (TextBox *b : {&form20().Text1, &form20().Text2, &form20().Text3, &form20().Text4, &form20().Text5,
                       &form20().Text6})
        EXPECT_EQ(b->text(), QString()) << b->name().toStdString();
    EXPECT_EQ(readInterimAmounts(kCode).amounts, (std::array<std::int32_t, 6>{}));
    EXPECT_FALSE(loaded("Form11"));

    // The registration window, still open, shows the new year; the telephone mended there and 登録実行.
    Form2 &r = form2();
    EXPECT_EQ((QStringList{r.Text13.text(), r.Text17.text(), r.Text21.text()}), (QStringList{"20", "21", "21"}));
    typeInto(r.Text12, QStringLiteral("03-1111-2222"));
    svc.answer(mb::Ok); // 同じコード名があります
    svc.answer(mb::Ok); // 書き換えますか
    click(r.Command4);
    EXPECT_EQ(shown(), (std::vector<std::string>{"同じコード名があります: ファイルは既に存在します。",
                                                 "書き換えますか: 書き換えますか"}));
    CompanyProfileRecord saved;
    readProfile(kCode, saved, 19);
    EXPECT_EQ(saved.telephone, QStringLiteral("03-1111-2222"));
    EXPECT_EQ((std::array<std::int32_t, 3>{saved.periodStartYear, saved.periodEndYear, saved.settlementYear}),
              (std::array<std::int32_t, 3>{20, 21, 21}));

    // The new year's 中間申告の入力 opens empty, and its 計算実行 gives Schedule 1 no interim payment.
    click(form1().Command12);
    click(form3().Command9);
    EXPECT_EQ(form20().Text4.text(), QString());
    click(form20().Command1);
    EXPECT_EQ(QStringList({form3().Text6.text(), form3().Text23.text()}), QStringList({"0", "0"}));
}

// 「¥」 and 「‾」 would come back from a record as 「\」 and 「~」: the registration and the print window's tax
// accountant refuse them, the box names the text as typed, the sign and the full-width one to type, and no file
// changes.
TEST_F(FirstSeason, ATextWithASignThatWouldReadBackAsAnotherIsRefusedWithWhatToTypeInstead) {
    struct Sign {
        const char *sign, *instead;
    };
    struct Window {
        const char *title;
        std::function<void()> open; // opens the window, which may save records of its own
        std::function<TextBox &()> box;
        std::function<Button &()> save;
    };
    const Window windows[] = {
        {"会社登録", [] {
             click(form1().Command1);
             click(form2().Command7);
         }, []() -> TextBox & { return form2().Text3; },
         []() -> Button & { return form2().Command4; }}, // 法人名, 登録実行
        {"A4コピー用紙に印刷", [] { click(form1().Command18); }, []() -> TextBox & { return form12().Text21; },
         []() -> Button & { return form12().Command15; }}, // the tax accountant's address, 登録実行
    };
    for (const Window &w : windows)
        for (const Sign &c : {Sign{"¥", "￥"}, Sign{"‾", "￣"}}) {
            SCOPED_TRACE(std::string(w.title) + " " + c.sign);
            w.open();
            const Disk before = readDisk();
            const QString typed = QStringLiteral("東市中央") + QString::fromUtf8(c.sign) + QStringLiteral("1-2-3");
            typeInto(w.box(), typed);
            click(w.save());
            const QString said = QStringLiteral("%1: 「%2」の「%3」は保存できません。全角の「%4」を入力してください。")
                                     .arg(QString::fromUtf8(w.title), typed, QString::fromUtf8(c.sign),
                                          QString::fromUtf8(c.instead));
            EXPECT_EQ(shown(), std::vector<std::string>{said.toStdString()});
            EXPECT_EQ(readDisk(), before);
        }
    EXPECT_EQ(form1().Text2.text(), kName);
}

} // namespace
} // namespace hz::test
