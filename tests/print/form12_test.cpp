// The print window: its controls, the print data load with its profile upgrade, the company it loads and nothing
// of another, and the settings it keeps (tax accountant, special fields, representative).

#include "app/Form1.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/cp932.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/services.h"
#include "print/Form12.h"
#include "print/print_load.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule6.h"
#include "schedules/more/schedule7.h"
#include "tests/scenarios/registration.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace hz::test {
namespace {

const QStringList profileValues19{"12",
                                  "1000000",
                                  "19",
                                  "4",
                                  "1",
                                  "20",
                                  "3",
                                  "31",
                                  "\"ヤマダ\"",
                                  "\"株式会社山田商店\"",
                                  "\"名古屋市中区1\"",
                                  "\"ヤマダタロウ\"",
                                  "\"名古屋市東区2\"",
                                  "\"小売業\"",
                                  "\"中\"",
                                  "\"052-000-0000\"",
                                  "20",
                                  "5",
                                  "25"};

QStringList quoted(const QStringList &texts) {
    QStringList out;
    for (const QString &t : texts)
        out << u'"' + t + u'"';
    return out;
}

QStringList quotedTail(int from) { return quoted(reservedTail(from)); }

// The schedule windows' code boxes, as the load hands the company to them.
std::vector<TextBox *> scheduleCodeBoxes() {
    return {&form3().Text100, &form4().Text1,   &form5().Text100, &form6().Text1,
            &form7().Text1,   &form13().Text19, &form8().Text1,   &form11().Text1};
}

class PrintWindow : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
    }
    void load(const QString &code) {
        form12().Text1.setText(code);
        click(form12().Command1);
    }
    // The menu's "印  刷" for the company open in the menu.
    void printFromMenu() { click(form1().Command18); }
    static void registerCompany(std::int32_t code, const QString &name) {
        registerSampleCompany(code, name, QStringLiteral("カブシキガイシャ"), code, 3 + code);
    }
    static void enterProfit(const QString &profit) {
        Form5 &f = form5();
        f.Text5.setText(profit);
        f.Text4.setText(profit);
        click(f.Command4);
        click(form3().Command4);
    }
    QStringList boxTitles() const {
        QStringList t;
        for (const ShownBox &b : svc.boxes)
            t << b.title;
        return t;
    }
    const PrintData &data() { return form12().data; }
};

TEST_F(PrintWindow, ControlsReadAsDesignedAndTheStoresAreHidden) {
    Form12 &f = form12();
    EXPECT_EQ(f.caption(), QStringLiteral("A4コピー用紙に印刷"));
    for (Control *c : std::initializer_list<Control *>{&f.Text1, &f.Command1, &f.Command5, &f.Command6, &f.Option1,
                                                       &f.Option2, &f.Text24, &f.Text25, &f.Picture1, &f.Picture8})
        EXPECT_FALSE(c->isVisible()) << c->name().toStdString();
    for (int i = 1; i <= 8; ++i)
        EXPECT_FALSE(f.clickCounter(i)->isVisible()) << i;
    for (int i = 1; i <= 14; ++i)
        EXPECT_TRUE(f.printCounter(i)->isVisible()) << i;
    const std::pair<Button *, const char *> captions[] = {
        {&f.Command1, "データ"},
        {&f.Command12, "別表一"},
        {&f.Command23, "別五（一）"},
        {&f.Command16, "利子の愛知県"},
        {&f.Command11, "市民税入力用"},
        {&f.Command5, "別表十一"},
        {&f.Command6, "法人事業税"},
        {&f.Command26, "税務署用紙・別表一"},
        {&f.Command25, "税務代理権限書"},
        {&f.Command21, "特設欄データ登　録"},
        {&f.Command20, "特設欄データ呼　出"},
        {&f.Command31, "市民税税一括印刷"},
        {&f.Command43, "●を選択印刷"},
        {&f.Command44, "一括"},
        {&f.Command42, "クリア"},
        {&f.Command24, "クリア"},
        {&f.Command17, "menu"},
        {&f.Command34, "代表者名の登録"},
    };
    for (auto [b, caption] : captions)
        EXPECT_EQ(b->caption(), QString::fromUtf8(caption)) << b->name().toStdString();
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(f.selectionToggle(i)->caption(), QString()) << i;
    EXPECT_EQ(f.Label1.caption(), QStringLiteral(" "));
    EXPECT_EQ(f.Text20.text(), QStringLiteral("枚数"));
    EXPECT_EQ(f.Text43.text(), QStringLiteral("口座番号"));
    EXPECT_EQ(f.Text47.text(), QStringLiteral("区　　名"));
    // A few of the colours that tell the groups apart.
    auto back = [](Control &c) { return c.widget()->palette().color(QPalette::Button); };
    EXPECT_EQ(back(f.Command22), QColor(0xFF, 0xC0, 0xFF));
    EXPECT_EQ(back(f.Command2), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(back(f.Command26), QColor(0x80, 0xFF, 0xFF));
    EXPECT_EQ(back(f.Command25), QColor(0xFF, 0xE0, 0xC0));
    EXPECT_EQ(f.Text6.widget()->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
}

TEST_F(PrintWindow, TheMenuOpensItLoadedForItsCompany) {
    registerCompany(7, QStringLiteral("株式会社山田商店"));
    enterProfit(QStringLiteral("10,000,000"));
    printFromMenu();
    Form12 &f = form12();
    ASSERT_TRUE(svc.boxes.empty()) << svc.boxes.front().prompt.toStdString();
    EXPECT_TRUE(f.isVisible());
    snapshot(f, QStringLiteral("form12"));

    EXPECT_EQ(data().companyNumbers[1], 7);
    EXPECT_EQ(data().companyNumbers[3], 19);
    EXPECT_EQ(data().companyTexts[2], QStringLiteral("株式会社山田商店"));
    EXPECT_EQ(data().companyTexts[9], QStringLiteral("代表太郎"));
    EXPECT_EQ(f.Text26.text(), QStringLiteral("代表太郎"));
    EXPECT_EQ(data().refundBankTexts[4], QStringLiteral("普通預金"));
    EXPECT_EQ(f.Label11.caption(), QStringLiteral("普通"));
    EXPECT_EQ(f.Text2.text(), QStringLiteral("千代田都税事務所"));
    EXPECT_EQ(f.Text3.text(), QStringLiteral("千代田区役所"));
    EXPECT_EQ(f.Text40.text(), QStringLiteral("1234567"));
    // The figures are those of the records the load's computes saved.
    Schedule1Record s1;
    readSchedule1(7, s1);
    EXPECT_EQ(data().sched1Amounts[1], s1.A(1));
    EXPECT_EQ(data().sched1Amounts[1], 10000000);
    EXPECT_EQ(data().muniTaxValues[9], s1.D(9));
    const Schedule4Record s4 = readSchedule4(7);
    EXPECT_EQ(data().schedule4Cells[62], s4.cells[62]);
    EXPECT_EQ(data().schedule4Cells[1], 10000000);
    EXPECT_EQ(f.Label1.caption(), QStringLiteral("所得金額: 10,000,000"));
    EXPECT_EQ(f.Label2.caption(), QStringLiteral("繰越欠損: "));
}

TEST_F(PrintWindow, LabelsShowTheIncomeAndTheLossNegated) {
    // A year's loss of 12,345: the income shows with its sign, the loss carried negated.
    registerCompany(7, QStringLiteral("株式会社山田商店"));
    enterProfit(QStringLiteral("-12,345"));
    printFromMenu();
    ASSERT_TRUE(svc.boxes.empty());
    EXPECT_EQ(form12().Label1.caption(), QStringLiteral("所得金額: -12,345"));
    EXPECT_EQ(data().sched7Amounts[23], 12345);
    EXPECT_EQ(form12().Label2.caption(), QStringLiteral("繰越欠損: -12,345"));
}

TEST_F(PrintWindow, ShortFormProfileIsRewrittenInTheFullLayoutByteForByte) {
    registerCompany(12, QStringLiteral("株式会社山田商店"));
    writeFile(profilePath(12), lines(profileValues19));
    load(QStringLiteral("12"));
    ASSERT_TRUE(svc.boxes.empty()) << svc.boxes.front().prompt.toStdString();

    const QByteArray full = lines(profileValues19 + QStringList{"\"\""} + quotedTail(2));
    EXPECT_EQ(profileValues19.size() + 1 + quotedTail(2).size(), 31);
    EXPECT_EQ(readFile(profilePath(12)), full);
    EXPECT_EQ(form12().Text26.text(), QString());
    EXPECT_EQ(data().companyTexts[9], QString());
    EXPECT_EQ(data().companyTexts[2], QStringLiteral("株式会社山田商店"));
    EXPECT_EQ(data().companyNumbers[11], 25);
    // The schedule records were read after it.
    EXPECT_EQ(data().sched2Texts[1], readSchedule2(12).holderTexts[0]);

    // The next load reads the full layout as it stands.
    load(QStringLiteral("12"));
    EXPECT_EQ(readFile(profilePath(12)), full);
    EXPECT_TRUE(svc.boxes.empty());
}

template <class A> bool allZero(const A &values) {
    return std::all_of(values.begin(), values.end(), [](auto v) { return v == 0; });
}

TEST_F(PrintWindow, ARecordThatCannotBeReadStopsTheLoadWithABoxAndLeavesNothingOfTheCompanyBefore) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    enterProfit(QStringLiteral("-3,000,000")); // a loss carried on Schedule 7
    registerCompany(8, QStringLiteral("株式会社乙"));
    enterProfit(QStringLiteral("1,000,000"));
    load(QStringLiteral("7"));
    ASSERT_TRUE(svc.boxes.empty());
    ASSERT_FALSE(allZero(data().sched7Amounts));
    ASSERT_NE(form12().Label1.caption(), QStringLiteral(" "));

    // Company 8's Schedule 6 record cannot be written by its compute, nor read afterwards.
    QFile::remove(hostPath(schedule6Path(8)));
    ASSERT_TRUE(QDir().mkpath(hostPath(schedule6Path(8))));
    load(QStringLiteral("8"));

    // One box names the record: Schedule 6's own window met it first in the load's recompute, and the load, stopped
    // by the same record, does not say it again.
    ASSERT_EQ(svc.boxes.size(), 1u) << boxTitles().join(u',').toStdString();
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("別表六"));
    EXPECT_TRUE(svc.boxes[0].prompt.startsWith(schedule6Path(8))) << svc.boxes[0].prompt.toStdString();
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
    // What was read before it is company 8's; what was not read is empty, never company 7's.
    EXPECT_EQ(data().companyTexts[2], QStringLiteral("株式会社乙"));
    EXPECT_EQ(data().sched1Amounts[1], 1000000);
    EXPECT_EQ(data().schedule4Cells[1], 1000000);
    EXPECT_TRUE(allZero(data().schedule6Cells));
    EXPECT_TRUE(allZero(data().sched7Amounts));
    EXPECT_TRUE(allZero(data().sched15Amounts));
    EXPECT_TRUE(allZero(data().capitalCells));
    EXPECT_EQ(form12().Label1.caption(), QStringLiteral(" "));
    EXPECT_EQ(form12().Label2.caption(), QStringLiteral(" "));
}

TEST_F(PrintWindow, ScheduleWindowsOnAnotherCompanyTakeThisOneBeforeTheyRecompute) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    enterProfit(QStringLiteral("10,000,000"));
    registerCompany(8, QStringLiteral("株式会社乙"));
    enterProfit(QStringLiteral("2,000,000"));
    // Company 7 opened, then code 8 typed into the menu and its Schedule 1 opened alone.
    form1().Text1.setText(QStringLiteral("7"));
    click(form1().Command2);
    form1().Text1.setText(QStringLiteral("8"));
    click(form1().Command12);
    const QString records[] = {schedule1Path(7),        schedule4Path(7), schedule5_1Path(7), schedule5_2Path(7),
                               schedule5_2Part2Path(7), schedule6Path(7), schedule7Path(7),   schedule15Path(7)};
    std::vector<QByteArray> before;
    for (const QString &r : records)
        before.push_back(readFile(r));
    svc.boxes.clear();

    printFromMenu();
    EXPECT_TRUE(svc.boxes.empty()) << svc.boxes.front().prompt.toStdString();
    for (std::size_t i = 0; i < std::size(records); ++i)
        EXPECT_EQ(readFile(records[i]), before[i]) << records[i].toStdString();
    for (TextBox *box : scheduleCodeBoxes())
        EXPECT_EQ(box->text(), QStringLiteral("8")) << box->form().name().toStdString();
    EXPECT_EQ(data().companyTexts[2], QStringLiteral("株式会社乙"));
    EXPECT_EQ(data().sched1Amounts[1], 2000000);
    EXPECT_EQ(data().schedule4Cells[1], 2000000);
}

TEST_F(PrintWindow, ACompanyWhoseProfileCannotBeReadIsNotLoadedAtAll) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    load(QStringLiteral("7"));
    form12().Text58.setText(QStringLiteral("税理士甲"));
    click(form12().Command15);
    writeFile(profilePath(30), lines(profileValues19.mid(0, 10))); // too short even for the short form
    QStringList other = profileValues19;
    other[0] = QStringLiteral("21"); // the file of code 20 speaks for company 21
    writeFile(profilePath(20), lines(other));

    struct Case {
        const char *code;
        const char *prompt;
    };
    for (const Case &c :
         {Case{"99", "会社情報のデータ（c:\\法人税\\法人名\\99.txt）を読めません。ファイルが見つかりません。"},
          Case{"30", "会社情報のデータ（c:\\法人税\\法人名\\30.txt）を読めません。"},
          Case{"20", "会社情報のデータ（c:\\法人税\\法人名\\20.txt）は法人コード 21 の会社のものです。"}}) {
        SCOPED_TRACE(c.code);
        load(QStringLiteral("7"));
        ASSERT_EQ(data().companyTexts[2], QStringLiteral("株式会社甲"));
        svc.boxes.clear();
        load(QString::fromUtf8(c.code));
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
        EXPECT_TRUE(svc.boxes[0].prompt.startsWith(QString::fromUtf8(c.prompt))) << svc.boxes[0].prompt.toStdString();
        // Nothing of company 7 is left to print; the tax accountant signs for every company and stays.
        PrintData expected;
        expected.companyNumbers[1] = QString::fromUtf8(c.code).toInt();
        expected.accountantTexts[1] = QStringLiteral("税理士甲");
        EXPECT_EQ(data().companyTexts, expected.companyTexts);
        EXPECT_EQ(data().companyNumbers, expected.companyNumbers);
        EXPECT_EQ(data().sched1Amounts, expected.sched1Amounts);
        EXPECT_EQ(data().refundBankTexts, expected.refundBankTexts);
        EXPECT_EQ(data().specialFieldTexts, expected.specialFieldTexts);
        EXPECT_EQ(data().accountantTexts, expected.accountantTexts);
        EXPECT_EQ(form12().Text26.text() + form12().Text38.text() + form12().Text2.text(), QString());
        // The schedule windows were left on their company and nothing was written for this code.
        for (TextBox *box : scheduleCodeBoxes())
            EXPECT_EQ(box->text(), QStringLiteral("7"));
        EXPECT_FALSE(exists(schedule1Path(QString::fromUtf8(c.code).toInt())));
    }
    EXPECT_EQ(readFile(profilePath(30)), lines(profileValues19.mid(0, 10)));
}

TEST_F(PrintWindow, SpecialFieldsOfTheCompanyOnlyInEveryFormOfTheRecord) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    registerCompany(8, QStringLiteral("株式会社乙"));
    load(QStringLiteral("7"));
    ASSERT_EQ(form12().Text2.text(), QStringLiteral("千代田都税事務所"));

    // The older record of six values: the refund account without addressees, and no addressee of company 7.
    const QStringList six = quoted({"乙銀行", "乙支店", "7654321", "9", "中区", "当座預金"});
    writeFile(specialFieldPath(8), lines(six));
    load(QStringLiteral("8"));
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(data().refundBankTexts[1], QStringLiteral("乙銀行"));
    EXPECT_EQ(data().refundBankTexts[4], QStringLiteral("当座預金"));
    EXPECT_EQ(data().refundBankTexts[6], QStringLiteral("9"));
    EXPECT_EQ(form12().Text45.text(), QStringLiteral("中区"));
    EXPECT_EQ(form12().Label11.caption(), QStringLiteral("当座"));
    EXPECT_EQ(form12().Text2.text() + form12().Text3.text(), QString());
    EXPECT_EQ(data().specialFieldTexts[1], QString());

    // Saving it gives the record its full form.
    form12().Text2.setText(QStringLiteral("乙県税事務所"));
    svc.events.clear();
    click(form12().Command21);
    EXPECT_EQ(svc.events, QStringList{"beep"});
    EXPECT_EQ(readFile(specialFieldPath(8)), lines(six + quoted({"乙県税事務所", ""}) + quotedTail(1)));
    EXPECT_EQ(form12().Text2.text(), QStringLiteral("乙県税事務所"));

    // No record at all: no refund account, employees or ward, and nothing said.
    QFile::remove(hostPath(specialFieldPath(8)));
    load(QStringLiteral("7"));
    load(QStringLiteral("8"));
    EXPECT_TRUE(svc.boxes.empty());
    for (int k : {1, 2, 3, 4, 6, 7})
        EXPECT_EQ(data().refundBankTexts[k], QString()) << k;
    EXPECT_EQ(form12().Text38.text() + form12().Text40.text() + form12().Text44.text(), QString());
    EXPECT_EQ(form12().Label11.caption(), QString());

    // A record that is there but cannot be read is said.
    writeFile(specialFieldPath(8), lines(quoted({"乙銀行", "乙支店"})));
    click(form12().Command20);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
    EXPECT_TRUE(svc.boxes[0].prompt.startsWith(QStringLiteral("特設欄のデータ（")))
        << svc.boxes[0].prompt.toStdString();
    EXPECT_EQ(data().refundBankTexts[1], QString());
}

TEST_F(PrintWindow, AccountTypeLivesInThePrintDataUntilSavedOrReloaded) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    load(QStringLiteral("7"));
    Form12 &f = form12();
    click(f.Command18);
    EXPECT_EQ(data().refundBankTexts[4], QStringLiteral("当座預金"));
    EXPECT_EQ(f.Label11.caption(), QStringLiteral("当座"));
    // 代表者名 reloads everything: the stored type comes back.
    click(f.Command33);
    EXPECT_EQ(data().refundBankTexts[4], QStringLiteral("普通預金"));
    EXPECT_EQ(f.Label11.caption(), QStringLiteral("普通"));
    // Saved, it stays.
    click(f.Command18);
    click(f.Command21);
    click(f.Command33);
    EXPECT_EQ(data().refundBankTexts[4], QStringLiteral("当座預金"));
    SpecialFieldRecord rec;
    readSpecialFields(7, rec, 8);
    EXPECT_EQ(rec.refundAccountType, QStringLiteral("当座預金"));
    EXPECT_EQ(rec.refundBankName, QStringLiteral("見本銀行"));
}

TEST_F(PrintWindow, TaxAccountantIsSavedForEveryCompanyAndReadByTheLoad) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    load(QStringLiteral("7"));
    Form12 &f = form12();
    // No file yet: the boxes are empty.
    EXPECT_EQ(f.Text58.text() + f.Text59.text() + f.Text21.text() + f.Text22.text() + f.Text23.text(), QString());
    f.Text58.setText(QStringLiteral("税理士太郎"));
    f.Text59.setText(QStringLiteral("03-1111-2222"));
    f.Text21.setText(QStringLiteral("東京都中央区1"));
    f.Text22.setText(QStringLiteral("12345"));
    f.Text23.setText(QStringLiteral("京橋"));
    svc.events.clear();
    click(f.Command15);
    EXPECT_TRUE(svc.events.isEmpty()); // no beep, no message
    EXPECT_EQ(readFile(taxAccountantPath()),
              lines(quoted({"税理士太郎", "03-1111-2222", "東京都中央区1", "12345", "京橋"}) + quotedTail(1)));
    EXPECT_EQ(data().accountantTexts[5], QStringLiteral("京橋"));

    // A fresh program reads it with the load.
    destroyAllForms();
    load(QStringLiteral("7"));
    EXPECT_EQ(form12().Text58.text(), QStringLiteral("税理士太郎"));
    EXPECT_EQ(form12().Text23.text(), QStringLiteral("京橋"));
    EXPECT_EQ(form12().data.accountantTexts[2], QStringLiteral("03-1111-2222"));
}

// The accountant's file as other programs leave it. Lines in LF alone, or a last line without its line break, read
// whole; lines in CR alone, or a file cut inside a line, are said and saved over by nothing; a file that ends after
// whole lines is an older, shorter one. "登録実行" with nothing typed never loses a value the file held.
TEST_F(PrintWindow, AccountantFilesOfOtherLineEndingsAreReadWholeOrSaid) {
    const QStringList values = {"税理士一郎", "03-1111-2222", "東京都中央区銀座1-1", "12345", "京橋支部"};
    const auto joined = [&](int count, const QByteArray &lineEnd, bool finalBreak) {
        QByteArray bytes;
        for (const QString &v : quoted(values.mid(0, count)))
            bytes += encodeCp932(v) + lineEnd;
        if (!finalBreak)
            bytes.chop(lineEnd.size());
        return bytes;
    };
    struct Case {
        const char *name;
        QByteArray bytes;
        int valuesRead; // -1: said
    };
    const Case cases[] = {
        {"LF alone", joined(5, "\n", true), 5},
        {"no final line break", joined(5, "\r\n", false), 5},
        {"older, two values", joined(2, "\r\n", true), 2},
        {"CR alone", joined(5, "\r", true), -1},
        {"CR alone, no final line break", joined(5, "\r", false), -1},
        {"cut inside the second value", joined(2, "\r\n", false).chopped(3), -1},
    };
    registerCompany(7, QStringLiteral("株式会社甲"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        destroyAllForms();
        svc.boxes.clear();
        writeFile(taxAccountantPath(), c.bytes);
        load(QStringLiteral("7"));
        Form12 &f = form12();
        const QStringList shown = {f.Text58.text(), f.Text59.text(), f.Text21.text(), f.Text22.text(), f.Text23.text()};
        click(f.Command15); // 登録実行, nothing typed
        if (c.valuesRead < 0) {
            ASSERT_EQ(svc.boxes.size(), 2u);
            EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
            EXPECT_TRUE(svc.boxes[0].prompt.contains(taxAccountantPath())) << svc.boxes[0].prompt.toStdString();
            EXPECT_TRUE(svc.boxes[0].prompt.contains(Error::badFileFormat().description()));
            EXPECT_TRUE(svc.boxes[1].prompt.contains(taxAccountantPath())) << "the save says why it waits";
            EXPECT_EQ(shown, QStringList(5)) << "nothing of a file read in part";
            EXPECT_EQ(readFile(taxAccountantPath()), c.bytes);
            continue;
        }
        EXPECT_EQ(svc.boxes.size(), 0u);
        const QStringList expected = values.mid(0, c.valuesRead) + QStringList(5 - c.valuesRead);
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(readFile(taxAccountantPath()), lines(quoted(expected) + quotedTail(1)));
    }
}

TEST_F(PrintWindow, SavesThatCannotWriteSayWhy) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    load(QStringLiteral("7"));
    svc.boxes.clear();
    // The data root is gone since.
    QDir(hostPath(QStringLiteral("c:\\法人税"))).removeRecursively();
    Form12 &f = form12();
    f.Text58.setText(QStringLiteral("税理士太郎"));
    click(f.Command15);
    f.Text38.setText(QStringLiteral("見本銀行"));
    click(f.Command21);
    ASSERT_EQ(svc.boxes.size(), 2u);
    for (const ShownBox &b : svc.boxes) {
        EXPECT_EQ(b.title, QStringLiteral("A4コピー用紙に印刷"));
        EXPECT_EQ(b.prompt, QStringLiteral("パスが見つかりません。"));
        EXPECT_EQ(b.buttons, mb::OkWarning);
    }
    // What was typed is in the print data all the same.
    EXPECT_EQ(f.data.accountantTexts[1], QStringLiteral("税理士太郎"));
    EXPECT_EQ(f.data.refundBankTexts[1], QStringLiteral("見本銀行"));
}

TEST_F(PrintWindow, RepresentativeButtons) {
    registerCompany(7, QStringLiteral("株式会社甲"));
    load(QStringLiteral("7"));
    Form12 &f = form12();
    click(f.Command32);
    EXPECT_EQ(f.Text26.text(), QStringLiteral("代表者名・印刷なし"));
    EXPECT_EQ(f.data.companyTexts[9], QStringLiteral("代表太郎"));
    click(f.Command33);
    EXPECT_EQ(f.Text26.text(), QStringLiteral("代表太郎"));

    // The registration window opens on the company, its representative's name shown there.
    form2().Text27.setText(QStringLiteral("他社の代表"));
    click(f.Command34);
    EXPECT_TRUE(form2().isVisible());
    EXPECT_EQ(form2().Text1.text(), QStringLiteral("7"));
    EXPECT_EQ(form2().Text27.text(), QStringLiteral("代表太郎"));
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(PrintWindow, MenuButtonBringsTheMenuForward) {
    form1().hide();
    form12().show();
    click(form12().Command17);
    EXPECT_TRUE(form1().isVisible());
    EXPECT_TRUE(form12().isVisible());
}

TEST_F(PrintWindow, CloseBoxEndsTheProgramOtherUnloadsDoNot) {
    form12().data.companyTexts[2] = QStringLiteral("株式会社甲");
    form12().show();
    form12().unload();
    EXPECT_FALSE(svc.ended);
    EXPECT_EQ(svc.beeps, 0);
    // The print data outlive the controls.
    EXPECT_EQ(form12().data.companyTexts[2], QStringLiteral("株式会社甲"));

    form12().show();
    form12().window()->close();
    EXPECT_EQ(svc.events, (QStringList{"beep", "end"}));
    EXPECT_TRUE(programHasEnded());
}

} // namespace
} // namespace hz::test
