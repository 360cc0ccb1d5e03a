#include "core/errors.h"
#include "core/numbers.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace hz::test {
namespace {

const QString filingCopy = QStringLiteral("法人市民税");
const QString inputCopy = QStringLiteral("市民税入力用");

using Row = std::vector<std::pair<double, std::string>>;

class MunicipalReturn : public HzTest {
protected:
    PrintJobLog record(const QString &caption) { return recordPage(caption, data, state); }

    static double width(double points, const QString &s) { return textWidthMm(printFont(fontname::mincho, points), s); }
    static double digits(double points, std::int64_t v) { return width(points, QString::number(v)); }

    // Every text printed at height y, with its x, in the order printed.
    static Row row(const PrintJobLog &job, double y) {
        Row out;
        for (const PrintOp &t : job.texts())
            if (std::abs(t.y - y) < 1e-9)
                out.emplace_back(t.x, t.text.toStdString());
        return out;
    }
    // The text printed at (x, y); "<none>" when nothing is.
    static std::string at(const PrintJobLog &job, double x, double y) {
        for (const PrintOp &t : job.texts())
            if (std::abs(t.x - x) < 1e-6 && std::abs(t.y - y) < 1e-9)
                return t.text.toStdString();
        return "<none>";
    }
    static std::vector<std::string> nonEmptyTexts(const PrintJobLog &job) {
        std::vector<std::string> out;
        for (const PrintOp &t : job.texts())
            if (!t.text.isEmpty())
                out.push_back(t.text.toStdString());
        return out;
    }

    // A small company in Nagoya, as the print window's data load fills the print data.
    void sampleCompany() {
        auto &n = data.companyNumbers;
        n[1] = 12;
        n[2] = 10'000'000;
        n[3] = 19, n[4] = 4, n[5] = 1;
        n[6] = 20, n[7] = 3, n[8] = 31;
        n[9] = 20, n[10] = 5, n[11] = 25;
        auto &t = data.companyTexts;
        t[1] = QStringLiteral("ヤマダショウテン");
        t[2] = QStringLiteral("株式会社山田商店");
        t[3] = QStringLiteral("名古屋市中区栄一丁目1番1号");
        t[4] = QStringLiteral("ヤマダタロウ");
        t[6] = QStringLiteral("小売業");
        t[8] = QStringLiteral("052-000-0000");
        t[9] = QStringLiteral("山田太郎");
        data.sched1Amounts[2] = 1'234'567;
        auto &m = data.muniTaxValues;
        m[1] = 1'234'000, m[2] = 12.3, m[3] = 151'782, m[4] = 70'000, m[5] = 81'700;
        m[6] = 50'000, m[7] = 25'000, m[8] = 25'000, m[9] = 106'700;
        auto &b = data.refundBankTexts;
        b[1] = QStringLiteral("東海");
        b[2] = QStringLiteral("栄");
        b[3] = QStringLiteral("1234567");
        b[4] = QStringLiteral("普通預金");
        b[6] = QStringLiteral("5");
        b[7] = QStringLiteral("中区");
        data.specialFieldTexts[2] = QStringLiteral("名古屋市長");
        data.accountantTexts[1] = QStringLiteral("鈴木一郎");
        data.accountantTexts[2] = QStringLiteral("052-111-2222");
    }

    PrintData data;
    PageState state;
};

TEST_F(MunicipalReturn, AmountsInThousandsAndHundredsStartWhereTheFullAmountWould) {
    data.sched1Amounts[2] = 1'234'567;
    struct Case {
        double levy, interim; // ⑥ 税額 and ⑪ 中間納付額
        const char *levyHundreds, *interimHundreds, *dueHundreds;
        std::int64_t due; // the levy still due, whose digits place ⑬
    };
    const Case cases[] = {
        {151'782, 70'000, "1,517", "700", "817", 81'782},
        {12'300, 24'600, "123", "246", "-123", -12'300},
        {12'345, 24'690, "123", "246", "-124", -12'345}, // rounded toward minus infinity
        {0, 150, "", "1", "-2", -150},
        {99, 0, "", "", "", 99}, // below 100: ⑥ shows the levy, ⑩ and ⑬ stay empty
    };
    for (const QString &caption : {filingCopy, inputCopy})
        for (const Case &c : cases) {
            SCOPED_TRACE(caption.toStdString() + " levy " + std::to_string(c.levy));
            data.muniTaxValues[3] = c.levy;
            data.muniTaxValues[4] = c.interim;
            const PrintJobLog job = record(caption);
            // ① and the base of ⑥ in thousands, both against 145 mm by the seven digits of the tax.
            EXPECT_EQ(at(job, 145 - digits(11, 1'234'567), 83), "1,234,567");
            EXPECT_EQ(at(job, 145 - digits(11, 1'234'567), 120), "1,234");
            const auto levy = static_cast<std::int64_t>(c.levy);
            EXPECT_EQ(at(job, 184 - digits(11, levy), 120), fmtAmount(levy).toStdString());
            EXPECT_EQ(at(job, 184 - digits(11, levy), 144), c.levyHundreds);
            // ⑪ is placed by its own hundreds.
            const std::int64_t interimCut = static_cast<std::int64_t>(c.interim) / 100;
            EXPECT_EQ(at(job, 180 - digits(11, interimCut), 150), c.interimHundreds);
            EXPECT_EQ(at(job, 184 - digits(11, c.due), 163), c.dueHundreds);
        }
}

TEST_F(MunicipalReturn, ATaxBelowAThousandLeavesTheBaseEmptyAndZeroLeavesBothLines) {
    for (const QString &caption : {filingCopy, inputCopy}) {
        data.sched1Amounts[2] = 999;
        PrintJobLog job = record(caption);
        EXPECT_EQ(at(job, 145 - digits(11, 999), 83), "999");
        EXPECT_EQ(at(job, 145 - digits(11, 999), 120), "");
        data.sched1Amounts[2] = 0;
        job = record(caption);
        EXPECT_EQ(at(job, 145 - digits(11, 0), 83), "");
        EXPECT_EQ(at(job, 145 - digits(11, 0), 120), "");
    }
}

TEST_F(MunicipalReturn, CapitalAndTotalsMoveLeftAsTheyGrow) {
    struct Capital {
        std::int32_t yen;
        double x;
    };
    for (const QString &caption : {filingCopy, inputCopy})
        for (const Capital &c : {Capital{9'999'999, 168}, {10'000'000, 167}, {0, 168}}) {
            data.companyNumbers[2] = c.yen;
            const PrintJobLog job = record(caption);
            EXPECT_EQ(row(job, 45), (Row{{c.x, fmtAmount(c.yen).toStdString()}})) << caption.toStdString() << c.yen;
            EXPECT_EQ(row(job, 57), (Row{{c.x, fmtAmount(c.yen).toStdString()}})) << caption.toStdString() << c.yen;
        }

    struct Totals {
        double due;
        double x18, x20;
        const char *box18, *box20;
    };
    const Totals bands[] = {
        {99'999, 174, 173.5, "1,000", "99,999"}, // ⑱ is the rounded quotient, not cut
        {12'350, 174, 173.5, "124", "12,350"},
        {-5'000, 174, 173.5, "-50", "-5,000"},
        {0, 174, 173.5, "", ""},
        {100'000, 170, 171, "1,000", "100,000"},
        {999'999, 170, 171, "10,000", "999,999"},
        {1'000'000, 167.5, 168.5, "10,000", "1,000,000"},
        {9'999'999, 167.5, 168.5, "100,000", "9,999,999"},
        {10'000'000, 165, 166, "100,000", "10,000,000"},
    };
    for (const QString &caption : {filingCopy, inputCopy})
        for (const Totals &t : bands) {
            data.muniTaxValues[9] = t.due;
            const PrintJobLog job = record(caption);
            EXPECT_EQ(row(job, 187), (Row{{t.x18, t.box18}})) << caption.toStdString() << " " << t.due;
            EXPECT_EQ(row(job, 199), (Row{{t.x20, t.box20}})) << caption.toStdString() << " " << t.due;
        }
}

TEST_F(MunicipalReturn, PerCapitaLevyIsFilledInForTheListedAmountsOnly) {
    struct Case {
        double levy, interim;
        Row box15, box17;
        std::string box16;
    };
    const Case cases[] = {
        {50'000, 25'000, {{174, "500"}}, {{174, "250"}}, "250"},
        {50'000, 0, {{174, "500"}}, {{174, "500"}}, ""},
        {50'000, 50'000, {{174, "500"}}, {}, "500"},
        {130'000, 0, {{170.5, "1,300"}}, {{169, "1,300"}}, ""},
        {120'000, 55'000, {}, {{174, "650"}}, "550"},
        {60'000, 30'000, {}, {}, "300"},
        {0, 0, {}, {}, ""},
    };
    for (const Case &c : cases) {
        data.muniTaxValues[6] = c.levy;
        data.muniTaxValues[7] = c.interim;
        const bool rated = c.levy == 50'000 || c.levy == 130'000;
        for (const QString &caption : {filingCopy, inputCopy}) {
            SCOPED_TRACE(caption.toStdString() + " " + std::to_string(c.levy) + " " + std::to_string(c.interim));
            const PrintJobLog job = record(caption);
            // Row ⑭ holds ⑮, on the filing copy the yearly levy before 円×⑭/12, and the 12 months.
            Row row14 = c.box15;
            if (caption == filingCopy && rated)
                row14.emplace_back(129, fmtAmount(static_cast<std::int64_t>(c.levy)).toStdString());
            row14.emplace_back(117, " 12");
            EXPECT_EQ(row(job, 169), row14);
            EXPECT_EQ(row(job, 175), (Row{{174, c.box16}}));
            EXPECT_EQ(row(job, 181), c.box17);
        }
    }
}

TEST_F(MunicipalReturn, FilingCopyPutsTheCompanyOnTheFormInItsFaces) {
    sampleCompany();
    const PrintJobLog job = record(filingCopy);
    ASSERT_TRUE(job.ended());
    struct Expect {
        const char *text;
        double x, y;
        const QString &font;
        double size;
    };
    const Expect expected[] = {
        {"名古屋市長", 42, 20, fontname::mincho, 11},
        {"052-111-2222", 154, 282, fontname::brush, 11},
        {"鈴木一郎", 122, 277, fontname::brush, 11},
        {"山田太郎", 22, 68, fontname::brush, 11},
        {"名古屋市中区栄一丁目1番1号", 22, 33, fontname::mincho, 11},
        {"株式会社山田商店", 22, 54, fontname::mincho, 11},
        {"小売業", 139, 39, fontname::mincho, 11},
        {"052-000-0000", 80, 42, fontname::mincho, 9},
        {"ヤマダショウテン", 22, 47, fontname::mincho, 9},
        {"ヤマダタロウ", 22, 63, fontname::mincho, 9},
        {"確　定", 125, 74, fontname::mincho, 9},
        {"中区", 23, 237, fontname::mincho, 11},
        {"東海", 122, 253, fontname::mincho, 11},
        {"栄", 157, 253, fontname::mincho, 11},
        {"1234567", 158, 257, fontname::mincho, 11},
    };
    for (const Expect &e : expected) {
        const auto ops = job.textsEqual(QString::fromUtf8(e.text));
        ASSERT_EQ(ops.size(), 1u) << e.text;
        EXPECT_DOUBLE_EQ(ops[0].x, e.x) << e.text;
        EXPECT_DOUBLE_EQ(ops[0].y, e.y) << e.text;
        EXPECT_EQ(ops[0].font.toStdString(), e.font.toStdString()) << e.text;
        EXPECT_EQ(ops[0].size, e.size) << e.text;
    }
    // The period in 9 pt against its right edges, each number with its sign blank.
    EXPECT_EQ(row(job, 74), (Row{{22 - digits(9, 19), " 19"},
                                 {31 - digits(9, 4), " 4"},
                                 {41 - digits(9, 1), " 1"},
                                 {59 - digits(9, 20), " 20"},
                                 {69 - digits(9, 3), " 3"},
                                 {78 - digits(9, 31), " 31"},
                                 {125, "確　定"}}));
    EXPECT_EQ(row(job, 231), (Row{{129, " 20"}, {138, " 5"}, {146, " 25"}}));
    // The first row of the 指定都市 table: the ward, 5 employees ending at 70 mm, 500 placed by 50000, 12 months.
    EXPECT_EQ(row(job, 237),
              (Row{{23, "中区"}, {70 - width(11, "5"), "5"}, {91 - digits(11, 50'000), " 500"}, {54, "12"}}));
    // 否, 無 and 青色 circled, and the ordinary account.
    std::vector<std::pair<double, double>> circles;
    for (const PrintOp &t : job.textsEqual(QStringLiteral("○")))
        circles.emplace_back(t.x, t.y);
    EXPECT_EQ(circles, (std::vector<std::pair<double, double>>{{180, 234}, {180, 244}, {132, 235}, {139, 258}}));
}

TEST_F(MunicipalReturn, OnlyTheExactAccountTypeIsCircled) {
    struct Case {
        const char *type;
        Row circle;
    };
    const Case cases[] = {{"普通預金", {{139, "○"}}}, {"当座預金", {{146, "○"}}}, {"普通", {}}, {"当座", {}}, {"", {}}};
    for (const Case &c : cases) {
        data.refundBankTexts[4] = QString::fromUtf8(c.type);
        const PrintJobLog job = record(filingCopy);
        EXPECT_EQ(row(job, 258), c.circle) << c.type;
    }
}

TEST_F(MunicipalReturn, InputCopyCarriesTheFiguresOnly) {
    sampleCompany();
    data.refundBankTexts[6] = QStringLiteral("12");
    const PrintJobLog job = record(inputCopy);
    ASSERT_TRUE(job.ended());
    // One face and one size for the whole page: no name, no address, no bank, no accountant.
    for (const PrintOp &t : job.texts()) {
        EXPECT_EQ(t.font.toStdString(), fontname::mincho.toStdString()) << t.text.toStdString();
        EXPECT_EQ(t.size, 11) << t.text.toStdString();
        for (const QString &s :
             {data.companyTexts[2], data.companyTexts[3], data.companyTexts[9], data.refundBankTexts[1],
              data.refundBankTexts[7], data.accountantTexts[1], data.specialFieldTexts[2]})
            EXPECT_NE(t.text, s);
    }
    // The period in 11 pt; the employees end at 66 mm; neither the yearly levy nor 青色 nor the account circled.
    EXPECT_EQ(row(job, 74).front(), (std::pair<double, std::string>{22 - digits(11, 19), " 19"}));
    EXPECT_EQ(row(job, 74).size(), 6u);
    EXPECT_EQ(row(job, 237), (Row{{66 - width(11, "12"), "12"}, {91 - digits(11, 50'000), " 500"}, {54, "12"}}));
    EXPECT_EQ(at(job, 129, 169), "<none>");
    EXPECT_EQ(job.textsEqual(QStringLiteral("○")).size(), 2u);
    EXPECT_EQ(at(job, 180, 234), "○");
    EXPECT_EQ(at(job, 180, 244), "○");
}

TEST_F(MunicipalReturn, BeforeTheDataLoadOnlyTheFixedItemsAndZerosPrint) {
    auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    std::vector<std::string> input(6, " 0");                  // the period
    input.insert(input.end(), {" 0", " 12", "12", "○", "○"}); // 均等割額 of the grid, both 12s, 否 and 無
    EXPECT_EQ(sorted(nonEmptyTexts(record(inputCopy))), sorted(input));
    std::vector<std::string> filing = input;
    filing.insert(filing.end(), {" 0", " 0", " 0", "確　定", "○"}); // the settlement date, 確定 and 青色
    EXPECT_EQ(sorted(nonEmptyTexts(record(filingCopy))), sorted(filing));
}

TEST_F(MunicipalReturn, AFigureBeyondAWholeNumberFailsThePage) {
    struct Case {
        int element;
        double value;
    };
    const Case cases[] = {{3, 3e9}, {4, -5e12}, {6, 1e12}, {7, std::numeric_limits<double>::quiet_NaN()}, {9, -3e9}};
    for (const QString &caption : {filingCopy, inputCopy})
        for (const Case &c : cases) {
            PrintData d;
            d.muniTaxValues[c.element] = c.value;
            PrintRecorder recorder;
            try {
                printPage(*pageSpec(caption), d, state);
                ADD_FAILURE() << caption.toStdString() << " printed with element " << c.element << " = " << c.value;
            } catch (const Error &e) {
                EXPECT_EQ(e.description(), QStringLiteral("オーバーフローしました。"));
            }
            ASSERT_EQ(recorder.jobs.size(), 1u);
            EXPECT_TRUE(recorder.jobs.front().aborted()) << c.element;
        }
}

TEST_F(MunicipalReturn, SampleCompanyRendersWithItsFiguresInPlace) {
    sampleCompany();
    for (const auto &[caption, name] : {std::pair{filingCopy, QStringLiteral("municipal-return")},
                                        std::pair{inputCopy, QStringLiteral("municipal-input-copy")}}) {
        const QString pdf = renderPage(caption, data, name);
        ASSERT_FALSE(pdf.isEmpty());
        // ⑥ 税額 against 184 mm, ⑳ at its band's x, the base in thousands where 1,234,567 starts.
        const auto levy = pdfWordsContaining(pdf, QStringLiteral("151,782"));
        ASSERT_EQ(levy.size(), 1u) << name.toStdString();
        EXPECT_NEAR(levy.front().mm.left(), 184 - digits(11, 151'782), 0.3);
        EXPECT_NEAR(levy.front().mm.top(), 120, 1.0);
        const auto due = pdfWordsContaining(pdf, QStringLiteral("106,700"));
        ASSERT_EQ(due.size(), 1u);
        EXPECT_NEAR(due.front().mm.left(), 171, 0.3);
        const auto base = pdfWordsContaining(pdf, QStringLiteral("1,234"));
        ASSERT_EQ(base.size(), 2u); // the tax in full and its thousands
        EXPECT_NEAR(std::min(base[0].mm.left(), base[1].mm.left()), 145 - digits(11, 1'234'567), 0.3);
    }
}

} // namespace
} // namespace hz::test
