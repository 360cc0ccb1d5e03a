#include "core/errors.h"
#include "core/numbers.h"
#include "print/Form12.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "tests/print/local_return_rows.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("法人県民税");

// A character of a margin column whose room is one em of size wide from x: its square's middle stands on the room's.
bool inColumn(const PrintOp &t, double x, double size) {
    return t.vertical && std::abs(t.x + t.size * mmPerPoint / 2 - (x + size * mmPerPoint / 2)) < 1e-6;
}

// A small trading company, April 2018 to March 2019, with an ordinary profit and a small interest levy.
void sampleCompany(PrintData &d) {
    d.companyNumbers = {0, 12, 10000000, 30, 4, 1, 31, 3, 31, 31, 5, 24};
    d.companyTexts[1] = QStringLiteral("かぶしきがいしゃさんぷるしょうじ");
    d.companyTexts[2] = QStringLiteral("株式会社サンプル商事");
    d.companyTexts[3] = QStringLiteral("名古屋市中区栄一丁目２番３号");
    d.companyTexts[4] = QStringLiteral("やまだ たろう");
    d.companyTexts[6] = QStringLiteral("卸売業");
    d.companyTexts[8] = QStringLiteral("052-123-4567");
    d.companyTexts[9] = QStringLiteral("山田　太郎");
    d.specialFieldTexts[1] = QStringLiteral("中部県税事務所長");
    d.refundBankTexts = {QString(), QStringLiteral("中央銀行"), QStringLiteral("栄支店"), QStringLiteral("1234567"),
                         QStringLiteral("普通預金")};
    d.accountantTexts[1] = QStringLiteral("佐藤一郎");
    d.accountantTexts[2] = QStringLiteral("052-987-6543");
    d.sched1Amounts[2] = 1503400;
    d.enterpriseTaxValues = {0,      8765432, 4000000, 4000000, 765000, 8765000, 0,     150000,
                             241200, 3.4,     5.1,     6.7,     136000, 204000,  51200, 391200};
    d.prefTaxValues = {0, 1503000, 3.2, 48096, 1200, 20000, 26800, 20000, 10000, 10000, 36800, 0};
    d.schedule4Cells[42] = 8765432;
    d.schedule4Cells[52] = 8765432;
}

class PrefecturalReturn : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        sampleCompany(data);
    }
    PrintJobLog record() { return recordPage(caption, data, state); }
    // The prefectural column: the digits of form line y, marks included.
    static QString column(const PrintJobLog &job, double y) { return row(job, y, 150, 186); }

    PrintData data;
    PageState state;
};

const PrintOp *textAt(const PrintJobLog &job, double x, double y) {
    static PrintOp found;
    for (const PrintOp &t : job.texts())
        if (t.x == x && t.y == y) {
            found = t;
            return &found;
        }
    return nullptr;
}

TEST_F(PrefecturalReturn, CompanyBlockPrintsItsTextsInTheirFontsAndPlaces) {
    data.accountantTexts[1] = QStringLiteral("一二三四五六七八九十");
    const PrintJobLog job = record();
    struct Want {
        double x, y;
        const char *text;
        const QString &font;
        double size;
    };
    const Want want[] = {
        {27, 53, "山田　太郎", fontname::brush, 11},
        {130, 59, "確定", fontname::mincho, 11},
        {25, 59, " 30", fontname::mincho, 11},
        {75, 59, " 31", fontname::mincho, 11},
        {21, 23, "中部県税事務所長 殿", fontname::mincho, 11},
        {140, 28, "卸売業", fontname::mincho, 11},
        {90, 37, "052-123-4567", fontname::mincho, 9},
        {56, 259, " 24", fontname::mincho, 9},
        {97, 264, "青  色", fontname::mincho, 9},
        {167, 273, "1234567", fontname::mincho, 9},
        {151, 273, "普通", fontname::mincho, 9},
    };
    for (const Want &w : want) {
        const PrintOp *t = textAt(job, w.x, w.y);
        ASSERT_NE(t, nullptr) << w.x << ", " << w.y;
        EXPECT_EQ(t->text, QString::fromUtf8(w.text)) << w.x << ", " << w.y;
        EXPECT_EQ(t->font, w.font) << w.text;
        EXPECT_EQ(t->size, w.size) << w.text;
    }
    EXPECT_EQ(row(job, 206, 186, 188) + row(job, 221, 186, 188), "二七");
}

// Down the right margin each text stands at one size and one pitch: at the form's places (the name's 3 mm apart from
// 203, the telephone's 2 mm from 255) while it has eight characters or fewer, else every character on one pitch that
// holds them all down to the column's end, the places' own or closer; at the closest, 2 mm for 6 pt, what does not
// fit is cut where a word ends. No word prints half at one size and half at another.
TEST_F(PrefecturalReturn, TheAccountantsNameAndTelephoneDownTheMarginStandAtOneSizeAndOnePitch) {
    struct Column {
        double x;
        double first;
        double end; // the name stays above the telephone, the telephone on the sheet
        const QString &font;
        double size;
    };
    const Column name{187, 203, 254, fontname::brush, 11};
    const Column phone{189, 255, 288, fontname::mincho, 8};
    struct Case {
        const char *name;
        const char *phone;
        double namePitch;
        const char *namePrinted; // where the name is cut
    };
    const Case cases[] = {
        {"藤原龍之介佐藤一", "0120-88-9999", 3, nullptr},
        {"長", "", 3, nullptr},
        {"一二三四五六七八九十", "03-5555-1234", 3, nullptr},
        // Twenty characters share the 51 mm down to the telephone.
        {"株式会社東日本総合不動産コンサルティング", "03-5555-1234", 51.0 / 20, nullptr},
        // Thirty: 25 places at 2 mm, the 25th inside 多恵子.
        {"税理士法人東日本総合会計事務所札幌中央支店長谷川多恵子税理士", "０３－５５５５－１２３４", 2,
         "税理士法人東日本総合会計事務所札幌中央支店長谷川"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        data.accountantTexts[1] = QString::fromUtf8(c.name);
        data.accountantTexts[2] = QString::fromUtf8(c.phone);
        const PrintJobLog job = record();
        for (auto [column, text, pitch, printed] :
             {std::tuple{name, data.accountantTexts[1], c.namePitch,
                         c.namePrinted ? QString::fromUtf8(c.namePrinted) : data.accountantTexts[1]},
              std::tuple{phone, data.accountantTexts[2], 2.0, data.accountantTexts[2]}}) {
            std::vector<PrintOp> chars;
            QString whole;
            for (const PrintOp &t : job.texts())
                if (inColumn(t, column.x, column.size) && t.y >= column.first) {
                    chars.push_back(t);
                    whole += t.text;
                }
            EXPECT_EQ(whole, printed); // every character, in order
            for (std::size_t i = 0; i < chars.size(); ++i) {
                const PrintOp &t = chars[i];
                EXPECT_EQ(t.font, column.font);
                EXPECT_NEAR(t.y, column.first + pitch * double(i), 0.001) << i;
                EXPECT_NEAR(t.size, std::clamp(pitch / mmPerPoint, 6.0, column.size), 1e-9) << i;
                const QRectF ink = inkRect(t);
                EXPECT_GE(ink.top(), t.y) << i;
                EXPECT_LE(ink.bottom(), column.end) << i;
                if (i > 0) {
                    EXPECT_FALSE(inkRect(chars[i - 1]).intersects(ink)) << i;
                }
            }
        }
        // Nothing else of the page lies under the margin's characters.
        for (const PrintOp &t : job.texts()) {
            if (t.x == name.x || t.x == phone.x)
                continue;
            const QRectF other = inkRect(t);
            for (const PrintOp &m : job.texts())
                if (m.x == name.x || m.x == phone.x) {
                    EXPECT_FALSE(other.intersects(inkRect(m)))
                        << t.text.toStdString() << " under " << m.text.toStdString();
                }
        }
        // The texts after them are in their own sizes again.
        EXPECT_EQ(textAt(job, 130, 59)->size, 11);
    }
}

// A name longer than the margin holds at the closest pitch: what it holds up to a word's end prints, above the
// telephone, and the "印刷" box names the page and the name, so that the user can shorten it.
TEST_F(PrefecturalReturn, ANameLongerThanTheMarginHoldsIsCutAboveTheTelephoneAndNamed) {
    QString name;
    for (int i = 0; i < 4; ++i)
        name += QStringLiteral("佐々木田中右衛門太郎");
    data.accountantTexts[1] = name;
    form12().data = data;
    PrintRecorder recorder;
    click(form12().Command3);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const PrintJobLog &job = recorder.jobs.front();
    ASSERT_TRUE(job.ended());
    QString printed;
    for (const PrintOp &t : job.texts())
        if (inColumn(t, 187, 11)) {
            printed += t.text;
            EXPECT_GE(t.size, 6);
            EXPECT_LE(inkRect(t).bottom(), 254) << t.text.toStdString() << " at " << t.y;
        }
    EXPECT_TRUE(name.startsWith(printed));
    EXPECT_GT(printed.size(), 8);
    EXPECT_LT(printed.size(), name.size());
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
    EXPECT_TRUE(svc.boxes[0].prompt.contains(caption + QStringLiteral("：「") + name.left(10)))
        << svc.boxes[0].prompt.toStdString();
}

TEST_F(PrefecturalReturn, AccountTypeAndAddresseeFollowTheirTextsExactly) {
    const std::pair<const char *, const char *> cases[] = {
        {"普通預金", "普通"}, {"当座預金", "当座"}, {"普通", nullptr}, {"", nullptr}};
    data.specialFieldTexts[1].clear();
    data.accountantTexts[1].clear();
    for (auto [stored, printed] : cases) {
        data.refundBankTexts[4] = QString::fromUtf8(stored);
        const PrintJobLog job = record();
        const PrintOp *t = textAt(job, 151, 273);
        if (printed) {
            ASSERT_NE(t, nullptr) << stored;
            EXPECT_EQ(t->text, QString::fromUtf8(printed));
        } else {
            EXPECT_EQ(t, nullptr) << stored;
        }
        EXPECT_EQ(textAt(job, 21, 23)->text, QStringLiteral(" 殿"));
        EXPECT_EQ(row(job, 203, 186, 188), "");
    }
}

TEST_F(PrefecturalReturn, ThePrefecturalColumnAndTheCapitalLandInTheirBoxes) {
    const PrintJobLog job = record();
    // The capital twice, box 1 at x 162.
    EXPECT_EQ(column(job, 33), "10000000");
    EXPECT_EQ(column(job, 45), "10000000");
    EXPECT_DOUBLE_EQ(xOf(job, " 1", 33), 162 + 2.5);
    struct Want {
        double y;
        const char *digits;
    };
    const Want want[] = {
        {71, "1503400"}, // ①
        {99, "1503"},    // ⑥, thousands
        {111, "48096"},  // ⑧
        {133, "468"},    // ⑫ = ⑧ − ⑪ in hundreds
        {139, "200"},    // ⑬
        {156, "268"},    // ⑯
        {161, "12"},     // ⑰ months
        {167, "200"},    // ⑱, hundreds
        {172, "100"},    // ⑲
        {178, "100"},    // ⑳
        {183, "368"},    // ㉑
        {194, "36800"},  // ㉓
        {224, "1200"},   // ㉘
        {128, "1200"},   // ⑪
        {235, ""},       // ㉚
        {252, ""},       // 還付 中間納付額
        {257, ""},       // 還付 利子割額
    };
    for (const Want &w : want)
        EXPECT_EQ(column(job, w.y), QString::fromUtf8(w.digits)) << "y " << w.y;
    EXPECT_DOUBLE_EQ(xOf(job, " 4", 111), 162 + 4 * 2.5); // 48,096 from box 5
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral("12"), 161), 176);
    // ⑱'s per-capita amount in front of the form's 円 × ⑰/12, printed as a number.
    EXPECT_EQ(textAt(job, 126, 167)->text, " 20000");
    EXPECT_TRUE(job.textsEqual(QStringLiteral("▲")).empty());
}

TEST_F(PrefecturalReturn, TheEnterpriseTaxColumnIsDrawnInTheSameJobBetweenTheCapitalAndThePrefecturalColumn) {
    PrintRecorder recorder;
    printPage(*pageSpec(caption), data, state);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const PrintJobLog &job = recorder.jobs.front();
    EXPECT_TRUE(job.ended());
    EXPECT_EQ(job.ops.front().kind, PrintOp::Picture);
    auto indexOf = [&](double x, double y) {
        for (std::size_t i = 0; i < job.ops.size(); ++i)
            if (job.ops[i].kind == PrintOp::Text && job.ops[i].x == x && job.ops[i].y == y)
                return static_cast<int>(i);
        return -1;
    };
    const int capital = indexOf(162 + 2.5, 45);
    const int enterprise = indexOf(54 + 5, 72); // 33 所得金額総額, 8,765,432 from box 3
    const int line1 = indexOf(162 + 5, 71);     // ① 1,503,400 from box 3
    ASSERT_GE(capital, 0);
    ASSERT_GE(enterprise, 0);
    EXPECT_LT(capital, enterprise);
    EXPECT_LT(enterprise, line1);
    EXPECT_EQ(job.ops[static_cast<std::size_t>(enterprise)].font, fontname::mincho);
    EXPECT_EQ(job.ops[static_cast<std::size_t>(enterprise)].size, 11);
    EXPECT_EQ(state.digitBaseX, 0);
    EXPECT_EQ(state.blockOffsetY, 0);
    // Digit slots of both columns stay as last split.
    EXPECT_EQ(state.digitBoxes[25][4], 5);
    EXPECT_EQ(state.digitBoxes[9][3], 8);
}

TEST_F(PrefecturalReturn, TheInterestLevyIsCreditedOnceOnEitherSideOfTheTaxLevied) {
    struct Case {
        const char *name;
        double taxLevied; // ⑧
        double levy;      // ㉘
        const char *line11, *line12, *line30, *refund;
    };
    const Case cases[] = {
        {"credited in full", 50000, 10000, "10000", "400", "", ""},
        {"just below", 10001, 10000, "10000", "", "", ""}, // ⑫ 1 yen: nothing in the hundreds
        {"equal", 10000, 10000, "10000", "", "", ""},
        {"one yen above", 9999, 10000, "", "99", "10000", "10000"},
        {"no tax levied", 0, 5000, "", "", "5000", "5000"},
        {"no levy", 48096, 0, "", "480", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        data.prefTaxValues[3] = c.taxLevied;
        data.prefTaxValues[4] = c.levy;
        const PrintJobLog job = record();
        EXPECT_EQ(column(job, 128), QString::fromUtf8(c.line11));
        EXPECT_EQ(column(job, 133), QString::fromUtf8(c.line12));
        EXPECT_EQ(column(job, 224), c.levy == 0 ? QString() : plain(static_cast<std::int64_t>(c.levy)));
        EXPECT_EQ(column(job, 235), QString::fromUtf8(c.line30));
        EXPECT_EQ(column(job, 257), QString::fromUtf8(c.refund));
        EXPECT_TRUE(job.ended());
    }
}

TEST_F(PrefecturalReturn, NegativeCorporateTaxAndEnterpriseRefundAreMarked) {
    data.sched1Amounts[2] = -12345;
    data.enterpriseTaxValues[8] = -150000;
    PrintJobLog job = record();
    EXPECT_EQ(column(job, 71), "▲12345");
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral("▲"), 71), 158);
    EXPECT_EQ(column(job, 252), "▲150000");
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral("▲"), 252), 158);

    data.enterpriseTaxValues[8] = 0;
    job = record();
    EXPECT_EQ(column(job, 252), "");
}

TEST_F(PrefecturalReturn, AFigureBeyond32BitsFailsTheWholePageAndResetsThePositions) {
    struct Case {
        const char *name;
        void (*spoil)(PrintData &);
    };
    const Case cases[] = {
        {"a prefectural figure", [](PrintData &d) { d.prefTaxValues[10] = 5e9; }},
        {"an enterprise-tax figure", [](PrintData &d) { d.enterpriseTaxValues[1] = -5e9; }},
        {"a difference beyond 32 bits",
         [](PrintData &d) {
             d.prefTaxValues[3] = 2147483000;
             d.prefTaxValues[4] = -2147483000;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sampleCompany(data);
        c.spoil(data);
        PrintRecorder recorder;
        try {
            printPage(*pageSpec(caption), data, state);
            ADD_FAILURE() << "the page printed";
        } catch (const Error &e) {
            EXPECT_EQ(e.description(), Error::overflow().description());
        }
        ASSERT_EQ(recorder.jobs.size(), 1u);
        EXPECT_TRUE(recorder.jobs.front().aborted());
        EXPECT_EQ(state.digitBaseX, 0);
        EXPECT_EQ(state.digitBaseY, 0);
        EXPECT_EQ(state.blockOffsetX, 0);
        EXPECT_EQ(state.blockOffsetY, 0);
    }
}

TEST_F(PrefecturalReturn, RendersReadablyOnTheSheet) {
    const QString pdf = renderPage(caption, data, QStringLiteral("prefectural-return"));
    ASSERT_FALSE(pdf.isEmpty());
    const auto name = pdfWordsContaining(pdf, QStringLiteral("サンプル商事"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_NEAR(name.front().mm.left(), 27, 0.5);
    EXPECT_NEAR(name.front().mm.top(), 45, 1.0);
    // The type of return in the title line.
    const auto kind = pdfWordsContaining(pdf, QStringLiteral("確定"));
    ASSERT_EQ(kind.size(), 1u);
    EXPECT_NEAR(kind.front().mm.left(), 130, 0.5);
    // A box digit is printed with its blank, so the glyph starts a blank's width right of its box: ⑧'s 48,096
    // from box 5.
    const double blank = textWidthMm(printFont(fontname::mincho, 11), QStringLiteral(" "));
    bool found = false;
    for (const PdfWord &w : pdfWords(pdf))
        if (w.text.startsWith(u'4') && std::abs(w.mm.top() - 111) < 1.5)
            found = found || std::abs(w.mm.left() - (162 + 4 * 2.5 + blank)) < 0.3;
    EXPECT_TRUE(found) << "⑧ in its boxes";

    // A loss year with the interim payments to be refunded: the marks stand 4 mm left of their rows.
    data.sched1Amounts[2] = 0;
    data.enterpriseTaxValues = {0, -1234567, 0, 0, 0, 0, 0, 150000, -150000, 3.4, 5.1, 6.7, 0, 0, 0, 0};
    data.prefTaxValues = {0, 0, 3.2, 0, 1200, 20000, -20000, 20000, 10000, 10000, -10000, 1200};
    data.schedule4Cells[42] = data.schedule4Cells[52] = -1234567;
    const QString lossPdf = renderPage(caption, data, QStringLiteral("prefectural-return-loss"));
    const auto marks = pdfWordsContaining(lossPdf, QStringLiteral("▲"));
    auto markedAt = [&](double x, double y) {
        return std::any_of(marks.begin(), marks.end(), [&](const PdfWord &w) {
            return std::abs(w.mm.left() - x) < 0.3 && std::abs(w.mm.top() - y) < 1.0;
        });
    };
    EXPECT_TRUE(markedAt(50, 72));   // 33 所得金額総額
    EXPECT_TRUE(markedAt(92, 251));  // 71 法人税の所得金額
    EXPECT_TRUE(markedAt(158, 252)); // 還付請求 中間納付額
    EXPECT_TRUE(markedAt(159, 156)); // ⑯ the interim 法人税割 exceeds the tax
}

} // namespace
} // namespace hz::test
