// A season's work on a fresh installation, done as a user does it: the tax rates set with their preset, two
// companies registered, one entered window by window and one through the bulk input, then the program started
// again. The record files are checked against figures worked out by hand from the tax rules (the working stands
// beside each expectation), and after the restart every window shows what was saved.
//
// Rates of the "とりあえず１８万円" preset: corporate 22 % / 30 %, enterprise 5 % / 7.3 % / 9.6 %, prefectural
// 5 % with 50,000 per capita, municipal 12.3 % with 130,000 per capita.

#include "app/Form1.h"
#include "company/Form2.h"
#include "core/cp932.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/form.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule7.h"
#include "tests/scenarios/registration.h"
#include "tests/support/fixture.h"

#include <string>
#include <utility>
#include <vector>

namespace hz::test {
namespace {

const QString kName1 = QStringLiteral("株式会社一番商事");
const QString kName2 = QStringLiteral("有限会社二番工業");

// One expected line of a record file: its line number (from 1) and its text.
using Lines = std::vector<std::pair<int, const char *>>;

class EndToEnd : public HzTest {
protected:
    // ---- Reading what was saved ---------------------------------------------------------------------------

    static QStringList record(const QString &prefix, std::int32_t code) {
        QStringList l = decodeCp932(readFile(companyPath(prefix, code))).split(QStringLiteral("\r\n"));
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }

    static void expectLines(const QString &prefix, std::int32_t code, int lineCount, const Lines &expected) {
        const QStringList l = record(prefix, code);
        const std::string file = (prefix + QString::number(code)).toStdString();
        EXPECT_EQ(l.size(), lineCount) << file;
        for (const auto &[line, text] : expected) {
            if (line > l.size()) {
                ADD_FAILURE() << file << " has no line " << line;
                continue;
            }
            EXPECT_EQ(l[line - 1].toStdString(), text) << file << " line " << line;
        }
    }

    // The boxes shown since the test began, each as "title: prompt"; none is expected in a season's work.
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const ShownBox &b : svc.boxes)
            out.push_back((b.title + QStringLiteral(": ") + b.prompt).toStdString());
        return out;
    }

    static void expectBox(TextBox &box, const char *text) {
        EXPECT_EQ(box.text().toStdString(), text) << box.name().toStdString();
    }

    // ---- The windows, one helper each -----------------------------------------------------------------------

    // The menu's "税率の設定", the preset "とりあえず１８万円" (which saves at once), then "画面の消去".
    static void setRates() {
        click(form1().Command23);
        click(form18().Command3);
        click(form18().Command5);
    }

    // Schedule 4 from the menu: the profit, a donation not deductible (line 9, all of it 社外流出) and the
    // enterprise tax of last year paid out of the provision (line 13).
    static void fillSchedule4() {
        click(form1().Command5);
        Form5 &s4 = form5();
        s4.Text5.setText(QStringLiteral("3,000,000"));
        s4.Text41.setText(QStringLiteral("寄附金の損金不算入額"));
        s4.Text40.setText(QStringLiteral("30,000"));
        s4.Text38.setText(QStringLiteral("30,000"));
        s4.Text55.setText(QStringLiteral("50,000"));
        click(s4.Command4);
    }

    // Schedule 5(2) from the menu: last year's taxes paid out of the provision, the interim taxes paid and
    // expensed, the interest levy.
    static void fillSchedule5_2() {
        click(form1().Command7);
        Form7 &p = form7();
        auto cell = [&p](int row, int column, const char *text) {
            p.cellBox(taxGridCell(row, column))->setText(QString::fromUtf8(text));
        };
        cell(1, 1, "300,000"); // 法人税 前期 ①
        cell(1, 3, "300,000"); //          ③ 充当金崩し
        cell(2, 2, "200,000"); // 法人税 中間 ②
        cell(2, 5, "200,000"); //          ⑤ 損金経理
        cell(5, 1, "60,000");  // 県民税 前期
        cell(5, 3, "60,000");
        cell(6, 2, "1,000"); // 利子割
        cell(6, 5, "1,000");
        cell(7, 2, "45,000"); // 県民税 中間
        cell(7, 5, "45,000");
        cell(10, 1, "120,000"); // 市民税 前期
        cell(10, 3, "120,000");
        cell(11, 2, "105,000"); // 市民税 中間
        cell(11, 5, "105,000");
        click(p.Command19);
    }

    // The second Schedule 5(2) window from the menu: the enterprise tax, a stamp duty, the tax provision.
    static void fillSchedule5_2Part2() {
        click(form1().Command14);
        Form13 &p = form13();
        auto cell = [&p](int row, int column, const char *text) {
            p.cellBox(taxGridCell(row, column))->setText(QString::fromUtf8(text));
        };
        cell(1, 1, "50,000"); // 事業税 前期 ①
        cell(1, 3, "50,000"); //          ③
        cell(2, 2, "80,000"); // 事業税 中間 ②
        cell(2, 5, "80,000"); //          ⑤
        p.nameBox(0).setText(QStringLiteral("印紙税"));
        cell(6, 2, "12,000");
        cell(6, 5, "12,000");
        p.Text83.setText(QStringLiteral("500,000")); // 納税充当金 期首
        p.Text84.setText(QStringLiteral("900,000")); //            損金算入
        click(p.Command20);
    }

    // Schedule 5(1) from the menu: a named reserve, the retained earnings, the provision at the start.
    static void fillSchedule5_1() {
        click(form1().Command6);
        Form6 &s = form6();
        s.nameBox(2).setText(QStringLiteral("別途積立金"));
        s.cellBox(2, 1).setText(QStringLiteral("1,000,000"));
        s.cellBox(2, 3).setText(QStringLiteral("500,000"));
        s.cellBox(9, 1).setText(QStringLiteral("2,000,000"));
        s.cellBox(9, 3).setText(QStringLiteral("4,500,000"));
        s.cellBox(10, 1).setText(QStringLiteral("500,000"));
        click(s.Command1);
    }

    // Schedules 6, 7 and 15 from the menu's "別表六外".
    static void fillSchedules6_7_15() {
        click(form1().Command8);
        Form8 &w = form8();
        // Schedule 6: deposit interest, and one issue of shares held 5 months of 12.
        w.Text2.setText(QStringLiteral("100,000"));
        w.Text3.setText(QStringLiteral("15,000"));
        w.Text11.setText(QStringLiteral("甲商事株式"));
        w.Text12.setText(QStringLiteral("200,000"));
        w.Text13.setText(QStringLiteral("40,000"));
        w.Text14.setText(QStringLiteral("12"));
        w.Text15.setText(QStringLiteral("5"));
        click(w.Command1);
        // Schedule 7: a loss of the year before, still outstanding.
        w.schedule7Box(schedule7Rows[6].outstanding).setText(QStringLiteral("800,000"));
        click(w.Command2);
        // Schedule 15: the entertainment expenses; the limit button steps 3,000,000 then 4,000,000.
        w.Text46.setText(QStringLiteral("5,000,000"));
        click(w.Command6);
        click(w.Command6);
        click(w.Command3);
    }

    // The interim-amounts window from Schedule 1's button, computed, then Schedule 1 computed.
    static void fillInterimAmounts() {
        click(form3().Command9);
        Form20 &i = form20();
        i.Text1.setText(QStringLiteral("200,000")); // 法人税
        i.Text2.setText(QStringLiteral("20,000"));  // 法人県民税
        click(i.Command6);                          // 均等割１８万円: 25,000 and 65,000
        i.Text4.setText(QStringLiteral("80,000"));  // 事業税
        i.Text5.setText(QStringLiteral("40,000"));  // 法人市民税
        click(i.Command1);
        click(form3().Command4);
    }

    // The menu's company code and "会社呼出".
    static void openFromMenu(std::int32_t code) {
        form1().Text1.setText(QString::number(code));
        click(form1().Command2);
    }

    // Company 1, every schedule in its own window.
    void enterCompanyOne() {
        registerSampleCompany(1, kName1, QStringLiteral("イチバンショウジ"), 10, 8);
        fillSchedule4();
        fillSchedule5_2();
        fillSchedule5_2Part2();
        fillSchedule5_1();
        fillSchedules6_7_15();
        // Opening the company again lets the figures settle: Schedule 4 passes the income on to Schedule 1.
        openFromMenu(1);
        fillInterimAmounts();
        // The Schedule 5(2) window is still open; it takes the final taxes Schedule 1 pushed into it at its next
        // compute. (Its menu button would reload the saved record over them.)
        click(form7().Command19);
    }

    // Company 2, registered, its capital part saved, then the year's figures through the bulk input.
    void enterCompanyTwo() {
        registerSampleCompany(2, kName2, QStringLiteral("ニバンコウギョウ"), 3, 8);
        click(form1().Command15); // 資本積立
        Form11 &cap = form11();
        cap.cellBox(1, 1).setText(QStringLiteral("3,000,000"));
        click(cap.Command1);

        click(form1().Command19); // 一 括入 力: loads the company's records and applies them at once
        Form14 &b = form14();
        const std::pair<int, const char *> figures[] = {
            {1, "2,000,000"}, // 当期利益
            {6, "500"},       // 県民税利子割
            {7, "100,000"},   // 損金計上法人税
            {8, "20,000"},    // 損金計上県民税
            {9, "40,000"},    // 損金計上市民税
            {10, "30,000"},   // 損金計上事業税
            {14, "150,000"},  // 消費税納付額
            {15, "8,000"},    // 損金参入のその他
            {17, "5,000"},    // 損金不参入のその他
            {19, "50,000"},   // 受取利子額
            {20, "7,500"},    // 同上の所得税
            {21, "100,000"},  // 受取配当金
            {22, "20,000"},   // 同上の所得税
            {23, "1,000,000"} // 交際費等の金額
        };
        for (const auto &[n, text] : figures)
            b.bulkFigureBox(n).setText(QString::fromUtf8(text));
        b.Option2.setValue(true); // 5万円＋13万円
        b.Option3.setValue(true); // 300万円
        click(b.Command1);
        // Schedule 5(2) takes Schedule 1's final taxes at the next run, as the user sees after pressing again.
        click(b.Command1);
    }

    // ---- What was saved, worked out by hand -----------------------------------------------------------------

    static void expectCompanyOneRecords() {
        const QString dir = QStringLiteral("c:\\法人税\\別表\\");

        // Schedule 4 (lines: cell n on line n up to 12, n+1 from 14, n+2 from 30).
        //   line 1 当期利益 3,000,000, 留保 left empty = 3,000,000.
        //   additions: 損金計上法人税 200,000 (5(2) 法人税 中間 ⑤), 住民税 150,000 (市民税 ⑤ 105,000 + 県民税 ⑤
        //   1,000 + 45,000 - 利子割 1,000), 利子割 1,000, 納税充当金 900,000, 交際費 1,400,000 (Schedule 15),
        //   寄附金 30,000 → 小計 総額 2,681,000, 留保 1,251,000, 社外流出 1,430,000.
        //   deduction: 支出事業税等 50,000 → 仮計 3,000,000 + 2,681,000 - 50,000 = 5,631,000,
        //   留保 3,000,000 + 1,251,000 - 50,000 = 4,201,000, 社外流出 1,430,000.
        //   控除所得税額 31,680 (Schedule 6) → 合計 5,662,680, 社外流出 1,461,680.
        //   欠損金 800,000 (Schedule 7) → 所得金額 4,862,680, ※ -800,000.
        expectLines(
            dir + QStringLiteral("1040"), 1, 76,
            {{1, "3000000"},  {2, "3000000"},  {3, "0"},        {4, "200000"},  {6, "150000"},
             {8, "1000"},     {10, "900000"},  {14, "1400000"}, {16, "30000"},  {18, "30000"},
             {22, "2681000"}, {23, "1251000"}, {24, "1430000"}, {25, "50000"},  {33, "50000"},
             {35, "5631000"}, {36, "4201000"}, {37, "1430000"}, {38, "31680"},  {40, "5662680"},
             {41, "4201000"}, {42, "1461680"}, {46, "800000"},  {47, "800000"}, {50, "4862680"},
             {51, "4201000"}, {52, "1461680"}, {54, "-800000"}, {55, "800000"}, {61, "\"寄附金の損金不算入額\""}});

        // Schedule 1.
        //   A1 4,862,680; A10 = 4,862,000 (thousands); all below 8,000,000: A6 4,862,000, A8 0.
        //   A7 = 22 % of 4,862,000 = 1,069,640 = A2. A3 31,680 (credit), A4 200,000 (interim).
        //   A5 = 1,069,640 - 31,680 - 200,000 = 837,960 → 837,900 (hundreds).
        //   A11 800,000 (loss deducted), A12 0 (nothing left to carry), A13 231,680, A14 0, A15 4,862,000,
        //   A16 31,680, A17 0.
        //   事業税: 4,000,000 at 5 % = 200,000; 862,000 at 7.3 % = 62,926 → 62,900; total 262,900;
        //   interim 80,000 → 182,900.
        //   県民税: base 1,069,000; 5 % = 53,450; less 利子割 1,000 and interim 20,000 = 32,450 → 32,400;
        //   均等割 50,000 - interim 25,000 = 25,000; payable 57,400.
        //   市民税: 12.3 % of 1,069,000 = 131,487; less interim 40,000 = 91,487 → 91,400;
        //   均等割 130,000 - 65,000 = 65,000; payable 156,400.
        expectLines(dir + QStringLiteral("1010"), 1, 65, {{1, "4862680"},  {2, "1069640"},
                                                          {3, "31680"},    {4, "200000"},
                                                          {5, "837900"},   {6, "4862000"},
                                                          {7, "1069640"},  {8, "0"},
                                                          {9, "0"},        {10, "4862000"},
                                                          {11, "800000"},  {12, "0"},
                                                          {13, "231680"},  {14, "0"},
                                                          {15, "4862000"}, {16, "31680"},
                                                          {17, "0"},       {19, "4862680"},
                                                          {20, "4000000"}, {21, "862000"},
                                                          {22, "0"},       {23, "4862000"},
                                                          {25, "80000"},   {26, "182900"},
                                                          {27, "5"},       {28, "7.30000019073486"},
                                                          {30, "200000"},  {31, "62900"},
                                                          {33, "262900"},  {34, "1069000"},
                                                          {36, "53450"},   {37, "1000"},
                                                          {38, "20000"},   {39, "32400"},
                                                          {40, "50000"},   {41, "25000"},
                                                          {42, "25000"},   {43, "57400"},
                                                          {44, "0"},       {45, "1069000"},
                                                          {47, "131487"},  {48, "40000"},
                                                          {49, "91400"},   {50, "130000"},
                                                          {51, "65000"},   {52, "65000"},
                                                          {53, "156400"},  {54, "\"予備1\""}});

        // Schedule 5(1), row r column c on line 5(r-1)+c.
        //   別途積立金 1,000,000 + 500,000 = 1,500,000; 繰越損益金 2,000,000 - 2,000,000 + 4,500,000;
        //   納税充当金 500,000 - 530,000 (drawn: 50,000 事業税 + 480,000 from 5(2)) + 900,000 = 870,000.
        //   未納法人税: ① -300,000, ② -(300,000 + 200,000), ③ -200,000 (interim), ④ -837,900 → -837,900.
        //   未納県民税: -60,000, -106,000, -46,000, -57,400 → -57,400.
        //   未納市民税: -120,000, -225,000, -105,000, -156,400 → -156,400.
        //   totals: ① 3,020,000, ② 1,699,000, ③ 5,549,000, ④ -1,051,700, ⑤ 5,818,300.
        expectLines(dir + QStringLiteral("1051"), 1, 77,
                    {{6, "1000000"},  {8, "500000"},         {10, "1500000"}, {41, "2000000"}, {42, "2000000"},
                     {43, "4500000"}, {45, "4500000"},       {46, "500000"},  {47, "530000"},  {48, "900000"},
                     {50, "870000"},  {51, "-300000"},       {52, "-500000"}, {53, "-200000"}, {54, "-837900"},
                     {55, "-837900"}, {56, "-60000"},        {57, "-106000"}, {58, "-46000"},  {59, "-57400"},
                     {60, "-57400"},  {61, "-120000"},       {62, "-225000"}, {63, "-105000"}, {64, "-156400"},
                     {65, "-156400"}, {66, "3020000"},       {67, "1699000"}, {68, "5549000"}, {69, "-1051700"},
                     {70, "5818300"}, {71, "\"別途積立金\""}});

        // Schedule 5(2): each row's ⑥ = ① + ② - ③ - ④ - ⑤; the 確定 rows carry Schedule 1's taxes payable.
        //   法人税 計: ① 300,000, ② 200,000 + 837,900, ③ 300,000, ⑤ 200,000, ⑥ 837,900.
        //   県民税 計: ① 60,000, ② 1,000 + 45,000 + 57,400, ③ 60,000, ⑤ 46,000, ⑥ 57,400.
        //   市民税 計: ① 120,000, ② 105,000 + 156,400, ③ 120,000, ⑤ 105,000, ⑥ 156,400.
        expectLines(dir + QStringLiteral("1052"), 1, 78,
                    {{1, "300000"},  {3, "300000"},  {6, "0"},       {8, "200000"},   {11, "200000"}, {12, "0"},
                     {14, "837900"}, {18, "837900"}, {19, "300000"}, {20, "1037900"}, {21, "300000"}, {23, "200000"},
                     {24, "837900"}, {32, "1000"},   {35, "1000"},   {44, "57400"},   {48, "57400"},  {49, "60000"},
                     {50, "103400"}, {51, "60000"},  {53, "46000"},  {54, "57400"},   {68, "156400"}, {72, "156400"},
                     {73, "120000"}, {74, "261400"}, {75, "120000"}, {77, "105000"},  {78, "156400"}});

        // The second Schedule 5(2) window: 事業税 計 ① 50,000, ② 80,000, ③ 50,000, ⑤ 80,000, ⑥ 0; the
        // withholding row holds Schedule 6's credit 31,680; provision 500,000 + 900,000 - (50,000 + 480,000).
        expectLines(dir + QStringLiteral("1053"), 1, 74,
                    {{1, "50000"},   {3, "50000"},   {6, "0"},          {8, "80000"},  {11, "80000"},  {12, "0"},
                     {13, "50000"},  {14, "80000"},  {15, "50000"},     {17, "80000"}, {18, "0"},      {32, "12000"},
                     {35, "12000"},  {56, "31680"},  {59, "31680"},     {60, "0"},     {67, "500000"}, {68, "900000"},
                     {69, "480000"}, {70, "870000"}, {71, "\"印紙税\""}});

        // Schedule 6: interest credit 15,000; shares 5 of 12 months: (5/12 + 0.0009) × 1000 → 417 per mille,
        // 417 × 40,000 / 1000 = 16,680; total credit 31,680.
        expectLines(dir + QStringLiteral("1060"), 1, 23,
                    {{1, "100000"},
                     {2, "15000"},
                     {3, "15000"},
                     {4, "200000"},
                     {5, "16680"},
                     {6, "16680"},
                     {7, "300000"},
                     {8, "31680"},
                     {9, "31680"},
                     {10, "200000"},
                     {11, "40000"},
                     {12, "12"},
                     {13, "5"},
                     {14, "417"},
                     {15, "16680"},
                     {22, "\"甲商事株式\""}});

        // Schedule 7: the income before the deduction (5,662,680) takes the whole 800,000; nothing carried.
        expectLines(dir + QStringLiteral("1070"), 1, 37,
                    {{12, "800000"},
                     {13, "800000"},
                     {14, "0"},
                     {15, "800000"},
                     {16, "800000"},
                     {17, "0"},
                     {18, "0"},
                     {19, "0"}});

        // Schedule 15: 5,000,000 spent; limit 4,000,000 at 10 % (year from April 平成19): 3,600,000 deductible,
        // 1,400,000 not.
        expectLines(
            dir + QStringLiteral("1150"), 1, 19,
            {{1, "5000000"}, {2, "4000000"}, {3, "3600000"}, {4, "1400000"}, {5, "5000000"}, {6, "0"}, {7, "5000000"}});

        expectLines(dir + QStringLiteral("中間申告"), 1, 18,
                    {{1, "200000"}, {2, "20000"}, {3, "25000"}, {4, "80000"}, {5, "40000"}, {6, "65000"}});
    }

    // The same whether the company was last opened from the menu or entered through the bulk input.
    static void expectCompanyTwoRecords() {
        const QString dir = QStringLiteral("c:\\法人税\\別表\\");

        // Schedule 4: profit 2,000,000; additions 損金計上法人税 100,000, 住民税 40,000 + 20,500 - 500 = 60,000,
        // 利子割 500, 交際費 100,000 → 小計 260,500 (留保 160,500, 社外流出 100,000); 仮計 2,260,500;
        // credit 27,500 → 合計 and 所得金額 2,288,000; 留保 2,160,500, 社外流出 127,500.
        expectLines(dir + QStringLiteral("1040"), 2, 76,
                    {{1, "2000000"},  {2, "2000000"},  {3, "0"},        {4, "100000"},  {6, "60000"},
                     {8, "500"},      {10, "0"},       {14, "100000"},  {22, "260500"}, {23, "160500"},
                     {24, "100000"},  {35, "2260500"}, {36, "2160500"}, {37, "100000"}, {38, "27500"},
                     {40, "2288000"}, {41, "2160500"}, {42, "127500"},  {46, "0"},      {50, "2288000"},
                     {51, "2160500"}, {52, "127500"}});

        // Schedule 1: 22 % of 2,288,000 = 503,360; less credit 27,500 = 475,860 → 475,800 (no interim: the
        // 5(2) rows hold none, so its compute puts 0 into every interim box).
        //   事業税 5 % of 2,288,000 = 114,400.
        //   県民税: 5 % of 503,000 = 25,150; less 利子割 500 = 24,650 → 24,600; 均等割 50,000; 74,600.
        //   市民税: 12.3 % of 503,000 = 61,869 → 61,800; 均等割 130,000; 191,800.
        expectLines(dir + QStringLiteral("1010"), 2, 65,
                    {{1, "2288000"},  {2, "503360"},   {3, "27500"},  {4, "0"},       {5, "475800"},  {6, "2288000"},
                     {7, "503360"},   {10, "2288000"}, {11, "0"},     {12, "0"},      {13, "27500"},  {19, "2288000"},
                     {20, "2288000"}, {21, "0"},       {25, "0"},     {26, "114400"}, {30, "114400"}, {33, "114400"},
                     {34, "503000"},  {36, "25150"},   {37, "500"},   {38, "0"},      {39, "24600"},  {40, "50000"},
                     {41, "0"},       {42, "50000"},   {43, "74600"}, {45, "503000"}, {47, "61869"},  {48, "0"},
                     {49, "61800"},   {50, "130000"},  {51, "0"},     {52, "130000"}, {53, "191800"}});

        // Schedule 5(2): 前期 rows hold only the expensed amounts of the bulk input, so their ⑥ go negative.
        //   法人税: 前期 ⑥ -100,000; 確定 475,800; 計 ② 475,800, ⑤ 100,000, ⑥ 375,800.
        //   県民税: 前期 ⑥ -20,000; 利子割 500 both ways; 確定 74,600; 計 ② 75,100, ⑤ 20,500, ⑥ 54,600.
        //   市民税: 前期 ⑥ -40,000; 確定 191,800; 計 ② 191,800, ⑤ 40,000, ⑥ 151,800.
        expectLines(dir + QStringLiteral("1052"), 2, 78,
                    {{5, "100000"},  {6, "-100000"}, {14, "475800"}, {18, "475800"}, {20, "475800"}, {23, "100000"},
                     {24, "375800"}, {29, "20000"},  {30, "-20000"}, {32, "500"},    {35, "500"},    {36, "0"},
                     {44, "74600"},  {48, "74600"},  {50, "75100"},  {53, "20500"},  {54, "54600"},  {59, "40000"},
                     {60, "-40000"}, {68, "191800"}, {72, "191800"}, {74, "191800"}, {77, "40000"},  {78, "151800"}});

        // The second window: each bulk figure both arisen and expensed, so nothing unpaid; the withholding row
        // holds Schedule 6's credit 27,500.
        expectLines(dir + QStringLiteral("1053"), 2, 74,
                    {{2, "30000"},
                     {5, "30000"},
                     {6, "0"},
                     {14, "30000"},
                     {17, "30000"},
                     {18, "0"},
                     {32, "8000"},
                     {35, "8000"},
                     {38, "150000"},
                     {41, "150000"},
                     {42, "0"},
                     {56, "27500"},
                     {59, "27500"},
                     {62, "5000"},
                     {65, "5000"},
                     {66, "0"},
                     {69, "0"},
                     {70, "0"}});

        // Schedule 5(1): the unpaid rows as Schedule 5(2) pushes them; ④ of 未納法人税 is its 計 ⑥ 375,800,
        // of the inhabitant taxes their 確定 ⑥ (the final push of the 5(2) compute). Opening the company leaves
        // them as they are: every chain saves the same.
        //   未納法人税: ② -100,000, ④ -375,800 → ⑤ -275,800.
        //   未納県民税: ② -20,500, ③ -500, ④ -74,600 → ⑤ -54,600.
        //   未納市民税: ② -40,000, ④ -191,800 → ⑤ -151,800.
        //   totals ② -160,500, ③ -500, ④ -642,200, ⑤ -482,200.
        expectLines(dir + QStringLiteral("1051"), 2, 77,
                    {{44, "0"},
                     {52, "-100000"},
                     {54, "-375800"},
                     {55, "-275800"},
                     {57, "-20500"},
                     {58, "-500"},
                     {59, "-74600"},
                     {60, "-54600"},
                     {62, "-40000"},
                     {64, "-191800"},
                     {65, "-151800"},
                     {66, "0"},
                     {67, "-160500"},
                     {68, "-500"},
                     {69, "-642200"},
                     {70, "-482200"}});

        // Schedule 6: interest 50,000 with 7,500; dividends 100,000 with 20,000 held 12 of 12 months: ratio
        // 1000, credit 20,000; total 27,500.
        expectLines(dir + QStringLiteral("1060"), 2, 23,
                    {{1, "50000"},
                     {2, "7500"},
                     {3, "7500"},
                     {4, "100000"},
                     {5, "20000"},
                     {6, "20000"},
                     {7, "150000"},
                     {8, "27500"},
                     {9, "27500"},
                     {10, "100000"},
                     {11, "20000"},
                     {12, "12"},
                     {13, "12"},
                     {14, "1000"},
                     {15, "20000"}});

        // Schedule 15: 1,000,000 within the 3,000,000 limit; 10 %: 900,000 deductible, 100,000 not.
        expectLines(dir + QStringLiteral("1150"), 2, 19,
                    {{1, "1000000"}, {2, "3000000"}, {3, "900000"}, {4, "100000"}, {5, "1000000"}, {7, "1000000"}});

        // Schedule 7: no loss at all.
        expectLines(dir + QStringLiteral("1070"), 2, 37, {{15, "0"}, {16, "0"}, {17, "0"}, {18, "0"}, {19, "0"}});

        // The bulk input's own copy: the figures, 16 the withheld taxes 7,500 + 20,000, 18 the taxes-and-dues
        // total of the first run (500 + 100,000 + 20,000 + 40,000 + 30,000 + 150,000 + 8,000 + 27,500 + 5,000).
        const QString scratch = dataroot::temp + kName2 + QStringLiteral(".txt");
        const QStringList s = decodeCp932(readFile(scratch)).split(QStringLiteral("\r\n"));
        EXPECT_EQ(s.mid(0, 23).join(u' ').toStdString(),
                  "2000000 0 0 0 0 500 100000 20000 40000 30000 0 0 0 150000 8000 27500 5000 381000 50000 7500 "
                  "100000 20000 1000000");
    }
};

TEST_F(EndToEnd, ByHandOneCompany) {
    form1(); // the program has started on a fresh disk
    setRates();
    EXPECT_EQ(
        decodeCp932(readFile(dataroot::taxRateFile)).split(QStringLiteral("\r\n")).mid(0, 9).join(u' ').toStdString(),
        "22 30 5 7.3 9.6 5 50000 12.3 130000");
    expectBox(form18().Text34, "50,000");
    expectBox(form18().Text18, "130,000");

    enterCompanyOne();
    openFromMenu(1);
    EXPECT_EQ(shown(), std::vector<std::string>{});
    EXPECT_EQ(form1().Text2.text(), kName1);
    // The company's Schedule 4 and 5(1) reconcile: 3,020,000 + 4,201,000 - 1,051,700 - 351,000 = 5,818,300.
    click(form6().Command8);
    EXPECT_EQ(form6().Command8.caption().toStdString(), "別四と別五は  OK");

    expectLines(QStringLiteral("c:\\法人税\\法人名\\"), 1, 31,
                {{1, "1"},
                 {2, "10000000"},
                 {3, "19"},
                 {4, "4"},
                 {5, "1"},
                 {6, "20"},
                 {7, "3"},
                 {8, "31"},
                 {17, "20"},
                 {18, "5"},
                 {19, "13"}});
    expectCompanyOneRecords();
}

TEST_F(EndToEnd, ThroughBulkInput) {
    form1();
    setRates();
    enterCompanyTwo();
    EXPECT_EQ(shown(), std::vector<std::string>{});
    // The window shows the figures it applied, with 16 and the total worked out.
    expectBox(form14().Text36, "27,500");
    expectBox(form14().Text38, "381,000");
    expectCompanyTwoRecords();
}

// A company just registered has never had a fixed deduction limit; the bulk input offers it 4,000,000.
TEST_F(EndToEnd, ANewCompanysBulkInputTakesTheFourMillionEntertainmentLimit) {
    form1();
    setRates();
    registerSampleCompany(3, QStringLiteral("株式会社三番商会"), QStringLiteral("サンバンショウカイ"), 10, 5);
    click(form1().Command19); // 一 括入 力
    Form14 &b = form14();
    EXPECT_FALSE(b.Option3.value());
    EXPECT_TRUE(b.Option4.value()); // 400万円
    b.bulkFigureBox(1).setText(QStringLiteral("10,000,000")); // 当期利益
    b.bulkFigureBox(23).setText(QStringLiteral("5,000,000")); // 交際費等の金額
    click(b.Command1);
    EXPECT_EQ(shown(), std::vector<std::string>{});

    // Schedule 15: 5,000,000 spent against the limit of 4,000,000; 10 % not deductible (year from April 平成19):
    // 3,600,000 deductible, 1,400,000 not.
    const QString dir = QStringLiteral("c:\\法人税\\別表\\");
    expectLines(dir + QStringLiteral("1150"), 3, 19,
                {{1, "5000000"}, {2, "4000000"}, {3, "3600000"}, {4, "1400000"}, {5, "5000000"}, {7, "5000000"}});
    expectBox(form8().Text43, "4,000,000");
    // Schedule 4 adds the 1,400,000 back (line 14 of its record).
    expectBox(form5().Text35, "1,400,000");
    expectLines(dir + QStringLiteral("1040"), 3, 76, {{1, "10000000"}, {14, "1400000"}});
}

TEST_F(EndToEnd, RestartShowsWhatWasSaved) {
    form1();
    setRates();
    enterCompanyOne();
    enterCompanyTwo();
    ASSERT_EQ(shown(), std::vector<std::string>{});

    // The program ends and starts again.
    destroyAllForms();
    closeSharedHandle();
    resetProgramEnded();
    form1();
    ASSERT_EQ(form1().List1.listCount(), 2);
    EXPECT_EQ(form1().List1.itemText(0).toStdString(), "01 : 株式会社一番商事  [平成19.4.1]");

    // Company 1 from the list.
    form1().List1.clickItem(0);
    EXPECT_EQ(form1().Text2.text(), kName1);
    expectBox(form3().Text3, "4,862,680");
    expectBox(form3().Text4, "1,069,640");
    expectBox(form3().Text5, "31,680");
    expectBox(form3().Text6, "200,000");
    expectBox(form3().Text7, "837,900");
    expectBox(form3().Text21, "800,000");
    expectBox(form3().Text24, "182,900");
    expectBox(form3().Text10, "57,400");
    expectBox(form3().Text37, "156,400");
    expectBox(form3().Text47, "1,234,600"); // 837,900 + 57,400 + 156,400 + 182,900

    expectBox(form5().Text5, "3,000,000");
    expectBox(form5().Text41, "寄附金の損金不算入額");
    expectBox(form5().Text40, "30,000");
    expectBox(form5().Text38, "30,000");
    expectBox(form5().Text55, "50,000");
    expectBox(form5().Text35, "1,400,000");
    expectBox(form5().Text84, "31,680");
    expectBox(form5().Text79, "800,000");
    expectBox(form5().Text18, "4,862,680");

    expectBox(form6().nameBox(2), "別途積立金");
    expectBox(form6().cellBox(2, 5), "1,500,000");
    expectBox(form6().cellBox(9, 3), "4,500,000");
    expectBox(form6().cellBox(10, 2), "530,000");
    expectBox(form6().cellBox(11, 4), "-837,900");
    expectBox(form6().cellBox(14, 5), "5,818,300");

    expectBox(*form7().cellBox(taxGridCell(1, 1)), "300,000");
    expectBox(*form7().cellBox(taxGridCell(3, 2)), "837,900");
    expectBox(*form7().cellBox(taxGridCell(7, 5)), "45,000");
    expectBox(*form7().cellBox(taxGridCell(13, 6)), "156,400");

    expectBox(form13().nameBox(0), "印紙税");
    expectBox(*form13().cellBox(taxGridCell(2, 2)), "80,000");
    expectBox(*form13().cellBox(taxGridCell(10, 2)), "31,680");
    expectBox(form13().Text83, "500,000");
    expectBox(form13().Text62, "530,000");
    expectBox(form13().Text6, "870,000");

    expectBox(form8().Text11, "甲商事株式");
    expectBox(form8().Text12, "200,000");
    expectBox(form8().Text16, "417");
    expectBox(form8().Text10, "31,680");
    expectBox(form8().schedule7Box(schedule7Rows[6].outstanding), "800,000");
    expectBox(form8().schedule7Box(schedule7Rows[6].deducted), "800,000");
    expectBox(form8().Text46, "5,000,000");
    expectBox(form8().Text43, "4,000,000");
    expectBox(form8().Text45, "1,400,000");
    EXPECT_TRUE(form8().Option1.value()); // 10%否認

    click(form3().Command9); // 中間申告の入力
    expectBox(form20().Text1, "200,000");
    expectBox(form20().Text3, "25,000");
    expectBox(form20().Text6, "65,000");

    click(form1().Command1); // 会社登録 on the open company, then its DATA
    click(form2().Command7);
    expectBox(form2().Text3, "株式会社一番商事");
    expectBox(form2().Text11, "  10,000,000");
    expectBox(form2().Text17, "20");
    expectBox(form2().Text4, "13");
    expectBox(form2().Text40, "1234561");
    expectBox(form2().Text26, "千代田都税事務所");

    // Company 2 by its code.
    openFromMenu(2);
    EXPECT_EQ(form1().Text2.text(), kName2);
    expectBox(form3().Text3, "2,288,000");
    expectBox(form3().Text7, "475,800");
    expectBox(form3().Text29, "50,000");
    expectBox(form3().Text34, "130,000");
    expectBox(form3().Text37, "191,800");
    expectBox(form3().Text21, "");
    expectBox(form5().Text5, "2,000,000");
    // Nothing of company 1 shows in company 2's windows.
    EXPECT_NE(form5().Text41.text(), QStringLiteral("寄附金の損金不算入額"));
    expectBox(form5().Text84, "27,500");
    EXPECT_NE(form6().nameBox(2).text(), QStringLiteral("別途積立金"));
    expectBox(form6().cellBox(11, 4), "-475,800");
    expectBox(*form7().cellBox(taxGridCell(5, 5)), "20,000");
    expectBox(*form7().cellBox(taxGridCell(6, 2)), "500");
    expectBox(*form13().cellBox(taxGridCell(7, 2)), "150,000");
    EXPECT_NE(form8().Text11.text(), QStringLiteral("甲商事株式"));
    expectBox(form8().Text12, "100,000");
    expectBox(form8().schedule7Box(schedule7Rows[6].outstanding), "");
    expectBox(form8().Text43, "3,000,000");
    expectBox(form8().Text45, "100,000");

    EXPECT_EQ(shown(), std::vector<std::string>{});
    // Opening recomputes the schedules from what was saved and finds every figure settled: it saves what the
    // season's work saved.
    expectCompanyOneRecords();
    expectCompanyTwoRecords();
}

} // namespace
} // namespace hz::test
