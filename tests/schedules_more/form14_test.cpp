#include "app/Form1.h"
#include "common/profile.h"
#include "company/Form2.h"
#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/capital.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/core/tax_rates.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule6.h"
#include "schedules/more/schedule7.h"
#include "tests/support/fixture.h"

#include <QFile>

#include <functional>
#include <map>
#include <vector>

namespace hz::test {
namespace {

const QString kName = QStringLiteral("株式会社山田商店");
const QString kTitle = QStringLiteral("一括入力");
const QString kQuestion = QStringLiteral("データが入力済みです。書き換えますか？");

// A company's records as a season of work left them.
struct Company {
    CompanyProfileRecord profile;
    Schedule1Record s1;
    Schedule2Record s2;
    Schedule4Record s4;
    Schedule5_1Record s51;
    Schedule5_2Cells s52{};
    Schedule5_2Part2Record p2;
    Schedule6Record s6;
    Schedule7Items s7{};
    Schedule15Items s15{};
    Schedule5_1CapitalRecord capital;
};

// 株式会社山田商店, business year 平成19.4.1 to 20.3.31: a profit of 2,000,000 of which 500,000 went out as
// dividends, interim payments of the inhabitant taxes, last year's taxes paid, dividends from two issues (the
// second held half the year) and entertainment expenses.
Company yamada() {
    Company c;
    c.profile.companyCode = 7;
    c.profile.capitalYen = 10000000;
    c.profile.periodStartYear = 19;
    c.profile.periodStartMonth = 4;
    c.profile.periodStartDay = 1;
    c.profile.periodEndYear = 20;
    c.profile.periodEndMonth = 3;
    c.profile.periodEndDay = 31;
    c.profile.companyName = kName;
    c.profile.nameKana = QStringLiteral("ヤマダショウテン");

    c.s1.C(5) = 30000; // 中間納付額⑬
    c.s1.C(7) = 20000; // 均等割額⑱
    c.s1.C(8) = 10000; // 中間均等割額⑲
    c.s1.D(4) = 60000; // 中間納付額⑪
    c.s1.D(6) = 50000; // 均等割額⑮
    c.s1.D(7) = 25000; // 中間均等割額⑯

    c.s4.cells[1] = 2000000; // 当期利益 総額
    c.s4.cells[2] = 1500000; //          留保 as the user typed it

    auto s52 = [&c](int k, std::int32_t v) { cellAt(c.s52, k) = v; };
    s52(1, 300000);  // 法人税 前期 ①
    s52(5, 300000);  //         ⑤
    s52(8, 500000);  // 法人税 中間 ②
    s52(11, 500000); //         ⑤
    s52(25, 40000);  // 県民税 前期 ①
    s52(29, 40000);  //         ⑤
    s52(32, 3000);   // 利子割 ②
    s52(33, 1000);   //        ③ paid out of the provision
    s52(35, 2000);   //        ⑤
    s52(38, 40000);  // 県民税 中間 ②
    s52(41, 40000);  //         ⑤
    s52(55, 90000);  // 市民税 前期 ①
    s52(59, 90000);  //         ⑤
    s52(62, 85000);  // 市民税 中間 ②
    s52(65, 85000);  //         ⑤

    auto p2 = [&c](int k, std::int32_t v) { c.p2.cells[std::size_t(k - 1)] = v; };
    p2(1, 120000);  // 事業税 前期 ① unpaid at the start ...
    p2(5, 120000);  //             ⑤ ... paid and expensed
    p2(32, 15000);  // 印紙税外 ②
    p2(35, 15000);  //          ⑤
    p2(38, 250000); // 消費税 ②
    p2(41, 250000); //        ⑤
    c.p2.rowNames = {QStringLiteral("印紙税外"), QStringLiteral("消費税"), QStringLiteral("源泉所得税"), QString()};

    auto s6 = [&c](int k, std::int32_t v) { c.s6.items[std::size_t(k)] = v; };
    s6(1, 10000);
    s6(2, 1500);
    s6(10, 200000);
    s6(11, 40000);
    s6(12, 12);
    s6(13, 12);
    s6(14, 1000);
    s6(15, 40000);
    s6(16, 100000);
    s6(17, 20000);
    s6(18, 12);
    s6(19, 6);
    s6(20, 500);
    s6(21, 10000);
    s6(4, 300000);
    s6(5, 50000);
    c.s6.issueNames = {QStringLiteral("甲商事"), QStringLiteral("乙物産")};

    c.s15[s15::expenditure] = 1000000;
    c.s15[s15::fixedLimit] = 4000000;
    return c;
}

void save(std::int32_t code, const Company &c) {
    CompanyProfileRecord profile = c.profile;
    profile.companyCode = code;
    writeProfile(code, profile);
    writeSchedule1(code, c.s1);
    writeSchedule2(code, c.s2);
    writeSchedule4(code, c.s4);
    writeSchedule5_1(code, c.s51);
    writeSchedule5_2File(code, c.s52);
    writeSchedule5_2Part2File(code, c.p2);
    writeSchedule6(code, c.s6);
    writeSchedule7(code, c.s7);
    writeSchedule15(code, c.s15);
    writeSchedule5_1Capital(code, c.capital);
}

// The eleven records the load reads, by the name its error box gives them.
std::vector<std::pair<QString, QString>> records(std::int32_t code) {
    return {{QStringLiteral("会社情報"), profilePath(code)},
            {QStringLiteral("別表一"), schedule1Path(code)},
            {QStringLiteral("別表二"), schedule2Path(code)},
            {QStringLiteral("別表四"), schedule4Path(code)},
            {QStringLiteral("別表五（一）"), schedule5_1Path(code)},
            {QStringLiteral("別表五（二）"), schedule5_2Path(code)},
            {QStringLiteral("別表五（二）の２"), schedule5_2Part2Path(code)},
            {QStringLiteral("別表六"), schedule6Path(code)},
            {QStringLiteral("別表七"), schedule7Path(code)},
            {QStringLiteral("別表十五"), schedule15Path(code)},
            {QStringLiteral("別表五（一）資本金等"), schedule5_1CapitalPath(code)}};
}

class BulkInput : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        writeTaxRates(TaxRateTable{{30, 30, 5, 7.3f, 9.6f, 5, 20000, 12.3f, 50000}});
    }

    // As the main menu's "一 括入 力" does: the code and the name, the load, then the window is shown.
    void open(std::int32_t code, const QString &name = kName) {
        form14().Text1.setText(QString::number(code));
        form14().Text100.setText(name);
        userAction([] { press(form14().Command3); });
        form14().show();
    }

    std::map<QString, QByteArray> recordBytes(std::int32_t code) {
        std::map<QString, QByteArray> out;
        for (const auto &[name, path] : records(code))
            out[name] = readFile(path);
        return out;
    }

    static std::int32_t s52Cell(std::int32_t code, int k) { return cellAt(readSchedule5_2File(code), k); }
    static std::int32_t p2Cell(std::int32_t code, int k) {
        return readSchedule5_2Part2File(code).cells[std::size_t(k - 1)];
    }
    static Schedule1Record s1(std::int32_t code) {
        Schedule1Record r;
        readSchedule1(code, r);
        return r;
    }

    // The lines that differ between two readings of the records, "" when none does.
    static QString differences(const std::map<QString, QByteArray> &a, const std::map<QString, QByteArray> &b) {
        QString out;
        for (const auto &[name, bytes] : a) {
            const QList<QByteArray> x = bytes.split('\n'), y = b.at(name).split('\n');
            for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
                const QByteArray l = i < x.size() ? x[i].trimmed() : "(none)",
                                 r = i < y.size() ? y[i].trimmed() : "(none)";
                if (l != r)
                    out += QStringLiteral("%1 line %2: %3 -> %4\n").arg(name).arg(i + 1).arg(l, r);
            }
        }
        return out;
    }

    QStringList boxPrompts() {
        QStringList out;
        for (const ShownBox &b : svc.boxes)
            out << b.title + u':' + b.prompt;
        return out;
    }
};

TEST_F(BulkInput, OpeningShowsTheSavedFiguresAndAppliesThemWithoutUndoingTheSchedulesSplits) {
    save(7, yamada());
    open(7);

    EXPECT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
    Form14 &f = form14();
    const std::pair<TextBox *, const char *> shown[] = {
        {&f.Text2, "2,000,000"},
        {&f.Text9, ""},
        {&f.Text15, ""},
        {&f.Text21, "40,000"},
        {&f.Text27, "85,000"},
        {&f.Text33, "3,000"},
        {&f.Text39, "300,000"},
        {&f.Text45, "40,000"},
        {&f.Text51, "90,000"},
        {&f.Text57, "120,000"},
        {&f.Text30, ""},
        {&f.Text34, "250,000"},
        {&f.Text35, "15,000"},
        {&f.Text36, "51,500"},
        {&f.Text37, ""},
        {&f.Text40, "10,000"},
        {&f.Text41, "1,500"},
        {&f.Text42, "300,000"},
        {&f.Text43, "50,000"},
        {&f.Text44, "1,000,000"},
        // 3,000 + 300,000 + 40,000 + 90,000 + 120,000 + 250,000 + 15,000 + 51,500
        {&f.Text38, "869,500"},
    };
    for (const auto &[box, text] : shown)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << qPrintable(box->name());
    EXPECT_TRUE(f.Option1.value());
    EXPECT_TRUE(f.Option4.value());
    EXPECT_EQ(f.Text101.text(), QString());
    EXPECT_TRUE(f.isVisible());

    // The figures went back where they came from, and what the schedules split differently stays split.
    EXPECT_EQ(readSchedule4(7).cells[1], 2000000);
    EXPECT_EQ(readSchedule4(7).cells[2], 1500000) << "留保 of line 1";
    EXPECT_EQ(s52Cell(7, 32), 3000);
    EXPECT_EQ(s52Cell(7, 35), 2000) << "利子割 ⑤";
    EXPECT_EQ(p2Cell(7, 1), 120000);
    EXPECT_EQ(p2Cell(7, 2), 0) << "事業税 前期 ②";
    EXPECT_EQ(p2Cell(7, 5), 120000);
    EXPECT_EQ(p2Cell(7, 6), 0) << "事業税 前期 ⑥: nothing unpaid";
    const Schedule6Record s6 = readSchedule6(7);
    EXPECT_EQ(s6.items[s6::dividends], 300000);
    EXPECT_EQ(s6.items[19], 6) << "issue 2 held half the year";
    EXPECT_EQ(s6.issueNames[1], QStringLiteral("乙物産"));
    EXPECT_EQ(readSchedule15(7)[s15::fixedLimit], 4000000);
    EXPECT_EQ(s1(7).C(7), 20000);
    EXPECT_EQ(s1(7).D(6), 50000);

    QStringList scratch{"2000000", "0",    "0",      "40000", "85000",  "3000",  "300000", "40000", "90000",
                        "120000",  "0",    "0",      "0",     "250000", "15000", "51500",  "0",
                        "0", // the total as the last DATA left it: none had run in this window
                        "10000",   "1500", "300000", "50000", "1000000"};
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt")), lines(scratch));
    snapshot(f, QStringLiteral("form14"));
}

TEST_F(BulkInput, ReopeningAndApplyingAgainChangeNoRecord) {
    save(7, yamada());
    open(7);
    // Schedule 5(2) hands Schedule 1 its interim tax only once Schedule 1 has told it the levy, and Schedule 1,
    // computed last, hands back its final tax for the run after: the saved figures settle on the third run.
    click(form14().Command1);
    click(form14().Command1);
    const auto settled = recordBytes(7);

    for (int round = 1; round <= 2; ++round) {
        open(7);
        EXPECT_EQ(differences(settled, recordBytes(7)).toStdString(), "") << "opening " << round;
        click(form14().Command1);
        EXPECT_EQ(differences(settled, recordBytes(7)).toStdString(), "") << "applying " << round;
    }
    EXPECT_EQ(readSchedule6(7).items[s6::dividends], 300000);
    EXPECT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
}

// A company just registered, its capital part computed: the user types the year's figures and applies them.
TEST_F(BulkInput, AppliedFiguresReachEverySchedulesRecordInOrder) {
    Form2 &r = form2();
    r.Text1.setText("7");
    r.Text3.setText(kName);
    for (auto [box, text] : {std::pair{&r.Text13, "19"},
                             {&r.Text14, "4"},
                             {&r.Text15, "1"},
                             {&r.Text17, "20"},
                             {&r.Text18, "3"},
                             {&r.Text19, "31"},
                             {&r.Text11, "10000000"},
                             {&r.Text21, "20"},
                             {&r.Text20, "5"},
                             {&r.Text4, "31"}})
        box->setText(QString::fromUtf8(text));
    click(r.Command4);
    form7().Text1.setText("7");
    form13().Text19.setText("7");
    form8().Text1.setText("7");
    form11().Text1.setText("7");
    for (Button *b : {&form7().Command19, &form13().Command20, &form8().Command1, &form8().Command2, &form8().Command3,
                      &form11().Command1})
        click(*b);
    svc.boxes.clear();

    open(7);
    ASSERT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
    Form14 &f = form14();
    const std::pair<TextBox *, const char *> typed[] = {
        {&f.Text2, "3,000,000"}, {&f.Text9, "2,400,000"}, {&f.Text15, "200,000"}, {&f.Text21, "40,000"},
        {&f.Text27, "85,000"},   {&f.Text33, "3,000"},    {&f.Text39, "300,000"}, {&f.Text45, "-40,000"},
        {&f.Text51, "90000"},    {&f.Text57, "120,000"},  {&f.Text30, "70,000"},  {&f.Text34, "250,000"},
        {&f.Text35, "15,000"},   {&f.Text36, "999"},      {&f.Text37, "8,000"},   {&f.Text40, "10,000"},
        {&f.Text41, "1,500"},    {&f.Text42, "200,000"},  {&f.Text43, "40,000"},  {&f.Text44, "1,000,000"}};
    for (const auto &[box, text] : typed)
        box->setText(QString::fromUtf8(text));
    f.Option2.click();
    f.Option3.click();

    QStringList trace;
    tracePresses(&trace);
    click(f.Command1);
    tracePresses(nullptr);

    EXPECT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
    QStringList ownPresses;
    for (const QString &line : trace)
        if (line.startsWith(QStringLiteral("  ")) && line[2] != u' ')
            ownPresses << line.trimmed();
    // The computes, supplementary schedules first and Schedule 1 last, as often as a round still changes a
    // record, then the window's own DATA.
    const QStringList round = {"Form8.Command1",  "Form8.Command3", "Form8.Command2", "Form7.Command19",
                               "Form13.Command20", "Form6.Command1", "Form5.Command2", "Form5.Command4",
                               "Form3.Command4"};
    ASSERT_EQ(ownPresses.size() % round.size(), 1);
    const qsizetype rounds = ownPresses.size() / round.size();
    EXPECT_GE(rounds, 2);
    EXPECT_LE(rounds, 4);
    for (qsizetype i = 0; i < rounds; ++i)
        EXPECT_EQ(ownPresses.mid(i * round.size(), round.size()), round) << "round " << i + 1;
    EXPECT_EQ(ownPresses.last(), QStringLiteral("Form14.Command7"));

    EXPECT_EQ(f.Text36.text(), QStringLiteral("41,500")) << "the two withheld taxes, whatever was typed";
    const Schedule4Record s4 = readSchedule4(7);
    EXPECT_EQ(s4.cells[1], 3000000);
    EXPECT_EQ(s4.cells[2], 3000000) << "a new profit: 留保 follows it";
    EXPECT_EQ(readSchedule5_1(7).cells[schedule5_1Cell(9, 4) - 1], 2400000);
    const std::pair<int, std::int32_t> s52[] = {{5, 300000}, {29, -40000}, {59, 90000}, {32, 3000}, {35, 3000}};
    for (auto [k, v] : s52)
        EXPECT_EQ(s52Cell(7, k), v) << "Schedule 5(2) line " << k;
    const std::pair<int, std::int32_t> p2[] = {{2, 120000}, {5, 120000}, {38, 250000}, {41, 250000},
                                               {32, 15000}, {35, 15000}, {62, 8000},   {65, 8000}};
    for (auto [k, v] : p2)
        EXPECT_EQ(p2Cell(7, k), v) << "second Schedule 5(2) window, line " << k;
    const Schedule6Record s6 = readSchedule6(7);
    const std::pair<int, std::int32_t> items[] = {{1, 10000}, {2, 1500},  {10, 200000}, {11, 40000}, {12, 12},
                                                  {13, 12},   {14, 1000}, {15, 40000},  {16, 0},     {17, 0},
                                                  {18, 0},    {19, 0},    {21, 0},      {9, 41500}};
    for (auto [k, v] : items)
        EXPECT_EQ(s6.items[std::size_t(k)], v) << "Schedule 6 item " << k;
    const Schedule15Items s15 = readSchedule15(7);
    EXPECT_EQ(s15[s15::expenditure], 1000000);
    EXPECT_EQ(s15[s15::fixedLimit], 3000000);
    EXPECT_EQ(s1(7).C(7), 50000);
    EXPECT_EQ(s1(7).D(6), 130000);

    // Every figure as read, the withheld tax worked out, and the total of the load's own DATA run.
    QStringList scratch{"3000000", "2400000", "200000", "40000", "85000",  "3000",   "300000", "-40000",
                        "90000",   "120000",  "70000",  "0",     "0",      "250000", "15000",  "41500",
                        "8000",    "0",       "10000",  "1500",  "200000", "40000",  "1000000"};
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt")), lines(scratch));
    // DATA shows the figures as read, with the window's own total of figures 6 to 17.
    EXPECT_EQ(f.Text45.text(), QStringLiteral("-40,000"));
    EXPECT_EQ(f.Text51.text(), QStringLiteral("90,000"));
    EXPECT_EQ(f.Text38.text(), QStringLiteral("857,500"));
    for (TextBox *b :
         {&form7().Text1, &form13().Text19, &form8().Text1, &form3().Text100, &form5().Text100, &form6().Text1})
        EXPECT_EQ(b->text(), QStringLiteral("7")) << qPrintable(b->form().name() + u'.' + b->name());
}

// Changed dividend totals go into the first issue less the second issue, which stays as the company has it; only
// totals below the second issue's figures empty it. Either way a second opening changes nothing more.
TEST_F(BulkInput, ChangedDividendsFillTheFirstIssueAndKeepTheSecondWhereTheyCan) {
    struct Case {
        const char *name;
        const char *received;
        const char *withheld;
        std::vector<std::pair<int, std::int32_t>> items;
        QString secondName;
    } const cases[] = {
        // The second issue, 100,000 with 20,000 withheld, held 6 of 12 months, credits 10,000 and stays as it is.
        {"room for the second issue",
         "400,000",
         "60,000",
         {{10, 300000}, {11, 50000}, {12, 12}, {13, 12}, {16, 100000}, {17, 20000}, {18, 12}, {19, 6}, {20, 500},
          {21, 10000}, {4, 400000}, {5, 60000}},
         QStringLiteral("乙物産")},
        {"totals below the second issue",
         "50,000",
         "60,000",
         {{10, 50000}, {11, 60000}, {12, 12}, {13, 12}, {14, 1000}, {15, 60000}, {16, 0}, {17, 0}, {18, 0}, {19, 0},
          {20, 0}, {21, 0}, {4, 50000}, {5, 60000}},
         QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        save(7, yamada());
        destroyAllForms();
        open(7);
        form14().Text42.setText(QString::fromUtf8(c.received));
        form14().Text43.setText(QString::fromUtf8(c.withheld));
        click(form14().Command1);

        const Schedule6Record s6 = readSchedule6(7);
        for (auto [k, v] : c.items)
            EXPECT_EQ(s6.items[std::size_t(k)], v) << "item " << k;
        EXPECT_EQ(s6.issueNames[1], c.secondName);

        for (int round = 1; round <= 2; ++round) {
            open(7);
            EXPECT_EQ(form14().Text42.text(), QString::fromUtf8(c.received)) << round;
            EXPECT_EQ(form14().Text43.text(), QString::fromUtf8(c.withheld)) << round;
            EXPECT_EQ(readSchedule6(7).items, s6.items) << round;
        }
    }
}

TEST_F(BulkInput, SchedulesOpenOnAnotherCompanyLoadThisCompanyBeforeItIsApplied) {
    Company seven = yamada();
    seven.s7[12] = 500000; // loss of the year before, outstanding
    seven.s4.names = {QStringLiteral("役員賞与"), QString(), QString(), QString()};
    save(7, seven);
    Company eight = yamada();
    eight.profile.companyName = QStringLiteral("有限会社佐藤工務店");
    eight.s7[12] = 900000;
    eight.s4.names = {QStringLiteral("寄附金"), QString(), QString(), QString()};
    eight.s6.items.fill(0);
    save(8, eight);

    open(8, QStringLiteral("有限会社佐藤工務店"));
    const auto eightAfterItsOpening = recordBytes(8);
    open(7);

    EXPECT_EQ(recordBytes(8), eightAfterItsOpening);
    Schedule7Items s7{};
    readSchedule7(7, s7);
    EXPECT_EQ(s7[12], 500000);
    EXPECT_EQ(readSchedule4(7).names[0], QStringLiteral("役員賞与"));
    EXPECT_EQ(readSchedule6(7).items[s6::dividends], 300000);
    EXPECT_EQ(readSchedule6(7).issueNames[1], QStringLiteral("乙物産"));
}

// A record that exists but cannot be read is said by name, the load shows nothing, and nothing is applied, not
// even by the user's 計算実行 afterwards.
TEST_F(BulkInput, ALoadThatCannotReadARecordSaysWhichAndAppliesNothing) {
    for (const auto &[name, path] : records(7)) {
        SCOPED_TRACE(name.toStdString());
        save(7, yamada());
        writeFile(path, lines({"\"cut short\""}));
        const auto before = recordBytes(7);
        destroyAllForms();
        svc.boxes.clear();

        open(7);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, kTitle);
        EXPECT_EQ(svc.boxes[0].buttons, 48);
        EXPECT_TRUE(svc.boxes[0].prompt.startsWith(path + QStringLiteral(" を読み込めません。")))
            << svc.boxes[0].prompt.toStdString();
        for (int n = 1; n <= 23; ++n)
            EXPECT_EQ(form14().bulkFigureBox(n).text(), QString()) << n;
        EXPECT_EQ(form14().Text101.text(), QString());

        form14().Text2.setText(QStringLiteral("5,000,000"));
        click(form14().Command1);
        ASSERT_EQ(svc.boxes.size(), 2u);
        EXPECT_EQ(svc.boxes[1].prompt, path + QStringLiteral(" を読み込めないため、一括入力できません。"));
        EXPECT_EQ(recordBytes(7), before);
        EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt")));
    }
}

// A record that does not exist yet counts as zeros, as a company starts; only a missing profile, which means no
// company, stops the load.
TEST_F(BulkInput, MissingRecordsLoadAsZerosButAMissingProfileStops) {
    for (const auto &[name, path] : records(7)) {
        SCOPED_TRACE(name.toStdString());
        save(7, yamada());
        QFile::remove(hostPath(path));
        destroyAllForms();
        svc.boxes.clear();
        open(7);
        if (path == profilePath(7)) {
            ASSERT_EQ(svc.boxes.size(), 1u);
            EXPECT_EQ(svc.boxes[0].prompt, path + QStringLiteral(" を読み込めません。\nファイルが見つかりません。"));
            EXPECT_FALSE(form14().loadedCompanyOk);
        } else {
            EXPECT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
            EXPECT_TRUE(form14().loadedCompanyOk);
        }
    }
}

TEST_F(BulkInput, ShortRecordsAndABadCodeRefuseButTheRolloversShortSchedule7Loads) {
    save(7, yamada());
    writeFile(schedule6Path(7), lines(QStringList(22, QStringLiteral("0"))));
    open(7);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, schedule6Path(7) + QStringLiteral(" を読み込めません。\n"
                                                                     "ファイルにこれ以上データがありません。"));

    svc.boxes.clear();
    form14().Text1.setText(QStringLiteral("七"));
    click(form14().Command3);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_TRUE(svc.boxes[0].prompt.startsWith(QStringLiteral("法人コード")));

    // The next-year rollover leaves Schedule 7 with 19 values; the load reads no more than that.
    svc.boxes.clear();
    save(7, yamada());
    writeFile(schedule7Path(7), lines(QStringList(19, QStringLiteral("0"))));
    open(7);
    EXPECT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
    EXPECT_EQ(form14().Text2.text(), QStringLiteral("2,000,000"));
}

TEST_F(BulkInput, TheQuestionComesWhenSchedule5_1HeldDataAndNoOpensSchedule1) {
    for (int answer : {mb::Yes, mb::No}) {
        SCOPED_TRACE(answer);
        Company c = yamada();
        c.s51.cells[schedule5_1Cell(9, 4) - 1] = -1234;
        save(7, c);
        destroyAllForms();
        svc.boxes.clear();
        form1().Text1.setText("7");
        svc.answer(answer);
        open(7);

        EXPECT_EQ(form14().Text101.text(), QStringLiteral("-1,234"));
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].prompt, kQuestion);
        EXPECT_EQ(svc.boxes[0].title, kTitle);
        EXPECT_EQ(svc.boxes[0].buttons, mb::YesNo);
        EXPECT_EQ(form3().isVisible(), answer == mb::No);

        // The flag stays with the window: the user's next 計算実行 asks again.
        svc.answer(mb::Yes);
        click(form14().Command1);
        EXPECT_EQ(svc.boxes.size(), 2u);
    }
}

TEST_F(BulkInput, TheChoicesFollowTheCompanyLeviesOutsideThemAreKeptAndAnyLimitBut300ManIs400Man) {
    struct Case {
        const char *name;
        double prefectural, municipal;
        std::int32_t limit, applied;
        bool options[4];
    } cases[] = {
        {"small levies, 3,000,000", 20000, 50000, 3000000, 3000000, {true, false, true, false}},
        {"large levies, 4,000,000", 50000, 130000, 4000000, 4000000, {false, true, false, true}},
        {"levies the window does not offer, no limit yet", 80000, 130000, 0, 4000000, {false, false, false, true}},
        {"a limit the window does not offer", 20000, 130000, 2500000, 4000000, {false, false, false, true}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Company co = yamada();
        co.s1.C(7) = c.prefectural;
        co.s1.D(6) = c.municipal;
        co.s15[s15::fixedLimit] = c.limit;
        save(7, co);
        destroyAllForms();
        open(7);

        Form14 &f = form14();
        EXPECT_EQ((std::array<bool, 4>{f.Option1.value(), f.Option2.value(), f.Option3.value(), f.Option4.value()}),
                  (std::array<bool, 4>{c.options[0], c.options[1], c.options[2], c.options[3]}));
        EXPECT_EQ(s1(7).C(7), c.prefectural);
        EXPECT_EQ(s1(7).D(6), c.municipal);
        EXPECT_EQ(readSchedule15(7)[s15::fixedLimit], c.applied);
    }

    // A choice the user makes is pushed with digit grouping.
    form14().Option2.click();
    form14().Option3.click();
    click(form14().Command1);
    EXPECT_EQ(s1(7).C(7), 50000);
    EXPECT_EQ(s1(7).D(6), 130000);
    EXPECT_EQ(readSchedule15(7)[s15::fixedLimit], 3000000);
    EXPECT_EQ(form8().Text43.text(), QStringLiteral("3,000,000"));
}

TEST_F(BulkInput, ClearEmptiesTheFiguresAndThenAppliesThemAsEmpty) {
    save(7, yamada());
    open(7);
    writeFile(QStringLiteral("c:\\法人税\\法人税Temp\\有限会社佐藤工務店.txt"), "other company");
    click(form14().Command6);

    for (int n = 1; n <= 23; ++n)
        EXPECT_EQ(form14().bulkFigureBox(n).text(), QString()) << n;
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt")));
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税\\法人税Temp\\有限会社佐藤工務店.txt")));
    EXPECT_TRUE(form14().Option1.value());

    click(form14().Command1);
    EXPECT_EQ(readSchedule4(7).cells[1], 0);
    EXPECT_EQ(s52Cell(7, 5), 0);
    EXPECT_EQ(s52Cell(7, 35), 0) << "利子割 ⑤ follows a changed figure";
    EXPECT_EQ(p2Cell(7, 41), 0);
    EXPECT_EQ(readSchedule6(7).items[s6::dividends], 0);
    EXPECT_EQ(readSchedule15(7)[s15::expenditure], 0);
    EXPECT_EQ(form14().Text36.text(), QString()) << "no withheld tax";
    EXPECT_EQ(form14().Text38.text(), QString());
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt")),
              lines(QStringList(17, QStringLiteral("0")) << "869500"
                                                         << "0"
                                                         << "0"
                                                         << "0"
                                                         << "0"
                                                         << "0"));
}

TEST_F(BulkInput, ClearWithoutACodeKeepsTheNameItLastUsed) {
    save(7, yamada());
    open(7);
    writeFile(QStringLiteral("c:\\法人税\\法人税Temp\\有限会社佐藤工務店.txt"), "other company");
    form14().Text1.setText(QString());
    form14().Text100.setText(QStringLiteral("有限会社佐藤工務店"));
    click(form14().Command6);
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt")));
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税\\法人税Temp\\有限会社佐藤工務店.txt")));
}

TEST_F(BulkInput, ACompanyNameCannotPlaceTheScratchFileElsewhere) {
    // Unmade safe, this name would be Schedule 2's record, which no step of the chain writes.
    const QString name = QStringLiteral("../別表/10207");
    save(7, yamada());
    const QByteArray schedule2 = readFile(schedule2Path(7));
    open(7, name);
    EXPECT_TRUE(svc.boxes.empty()) << boxPrompts().join(u'\n').toStdString();
    EXPECT_EQ(readFile(schedule2Path(7)), schedule2);
    EXPECT_TRUE(exists(bulkScratchPath(name)));
    EXPECT_TRUE(bulkScratchPath(name).startsWith(QStringLiteral("c:\\法人税\\法人税Temp\\")));
    click(form14().Command6);
    EXPECT_FALSE(exists(bulkScratchPath(name)));
    EXPECT_EQ(readFile(schedule2Path(7)), schedule2);
}

TEST_F(BulkInput, DataShowsTheLastComputedFiguresWithTheirTotal) {
    Form14 &f = form14();
    f.Text2.setText(QStringLiteral("123"));
    click(f.Command7);
    for (int n = 1; n <= 23; ++n)
        EXPECT_EQ(f.bulkFigureBox(n).text(), QString()) << n;

    save(7, yamada());
    open(7);
    f.Text2.setText(QStringLiteral("9"));
    f.Text33.setText(QStringLiteral("9"));
    click(f.Command7);
    EXPECT_EQ(f.Text2.text(), QStringLiteral("2,000,000"));
    EXPECT_EQ(f.Text33.text(), QStringLiteral("3,000"));
    EXPECT_EQ(f.Text38.text(), QStringLiteral("869,500"));

    // A total beyond 32 bits is reported; figures 19 to 23 keep what they show.
    f.bulkValues[5] = 2147483647;
    f.bulkValues[6] = 1;
    f.Text40.setText(QStringLiteral("kept"));
    click(f.Command7);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, kTitle);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("オーバーフローしました。"));
    EXPECT_EQ(f.Text33.text(), QStringLiteral("2,147,483,647"));
    EXPECT_EQ(f.Text40.text(), QStringLiteral("kept"));
}

} // namespace
} // namespace hz::test
