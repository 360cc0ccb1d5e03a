#include "core/errors.h"
#include "core/numbers.h"
#include "print/device_printer.h"
#include "print/fonts.h"
#include "print/pages.h"
#include "print/print_failures.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>

namespace hz::test {
namespace {

using namespace Qt::StringLiterals;

class PageConventions : public HzTest {
protected:
    PrintJobLog draw(void (*fn)(Page &)) {
        const PageSpec entry{u"試し", 0, 0, 0, 0, fn};
        PrintRecorder recorder;
        printPage(entry, data, state);
        return recorder.jobs.front();
    }
    static double digitWidth(double points) { return textWidthMm(printFont(fontname::mincho, points), "0"); }

    PrintData data;
    PageState state;
};

TEST_F(PageConventions, MinchoDigitsAreHalfAnEm) {
    // The layouts count on fixed-pitch half-width digits: 10 pt is 3.5278 mm, a digit half of it.
    EXPECT_NEAR(digitWidth(10), 10 * 25.4 / 72 / 2, 0.01);
    EXPECT_NEAR(textWidthMm(printFont(fontname::mincho, 10), "-1234567"), 8 * digitWidth(10), 0.01);
}

TEST_F(PageConventions, RightAlignedAmountMeasuresThePlainDigits) {
    struct Case {
        std::int64_t v;
        const char *printed;
        int plainChars;
    };
    const Case cases[] = {
        {0, "", 1}, {1234567, "1,234,567", 7}, {-5000, "-5,000", 5}, {-2147483648LL, "-2,147,483,648", 11}};
    for (const Case &c : cases) {
        static std::int64_t v;
        v = c.v;
        const PrintJobLog job = draw([](Page &p) {
            p.font(fontname::mincho, 10);
            p.rightAlignedAmount(100, 50, v);
        });
        ASSERT_EQ(job.texts().size(), 1u) << c.v;
        const PrintOp t = job.texts().front();
        EXPECT_EQ(t.text, QString::fromUtf8(c.printed)) << c.v;
        EXPECT_NEAR(t.x, 100 - c.plainChars * digitWidth(10), 0.01) << c.v;
        EXPECT_DOUBLE_EQ(t.y, 50);
    }
}

// One item set into a cell at 11 pt: what the page prints, and where and how large it must come out.
struct CellCase {
    const char *name;
    std::int64_t amount; // or, with text, a text
    const char16_t *text;
    double anchor; // the right edge, or the start of a text
    CellSpan cell;
    double size;  // expected
    double right; // expected end of the printed text, or 0: the layout's place (by the plain digits), or the start
};

TEST_F(PageConventions, AnItemTooWideForItsCellIsSetSmallerFromTheSameEdge) {
    // Half-width characters are 0.17639 mm per point; an item keeps 0.35 mm from each rule.
    const CellCase cases[] = {
        {"fits at the layout's place, commas past the edge", 123456, nullptr, 100, {80, 104}, 11, 0},
        {"commas would reach the rule: ends at the edge", 1234567, nullptr, 100, {80, 102}, 11, 100},
        {"too wide even so: the largest tenth of a point that fits", -2147483648LL, nullptr, 100, {80, 102}, 7.9, 100},
        {"the layout's place allows the larger size", -2147483648LL, nullptr, 95, {80, 102}, 7.5, 0},
        {"edge on the rule: ends clear of it", 1234, nullptr, 102, {80, 102}, 11, 101.65},
        {"fits nowhere: 6 pt, ending at the edge", 2147483647, nullptr, 100, {95, 102}, 6, 100},
        {"a text that fits", 0, u"山田太郎", 50, {50, 70}, 11, 0},
        {"a text too long: smaller from its start", 0, u"東京都千代田区丸の内1-1", 36, {36, 75}, 9.5, 0},
    };
    for (const CellCase &c : cases) {
        static const CellCase *now;
        now = &c;
        const PrintJobLog job = draw([](Page &p) {
            p.font(fontname::mincho, 11);
            p.state.blockOffsetX = -4; // the cell is where the rules are, the anchor where the layout puts it
            if (now->text)
                p.textInCell(now->anchor + 4, 50, QString::fromUtf16(now->text), now->cell.right);
            else
                p.rightAlignedAmount(now->anchor + 4, 50, now->amount, now->cell);
            p.text(10, 10, QStringLiteral("次"));
        });
        SCOPED_TRACE(c.name);
        ASSERT_EQ(job.texts().size(), 2u);
        const PrintOp t = job.texts().front();
        const QString printed = c.text ? QString::fromUtf16(c.text) : fmtAmount(c.amount);
        EXPECT_EQ(t.text, printed);
        EXPECT_NEAR(t.size, c.size, 1e-9);
        // A smaller figure or text stands on the baseline of the page's size.
        EXPECT_NEAR(baseline(t), 50 + textAscentMm(printFont(fontname::mincho, 11)), 1e-9);
        const double width = textWidthMm(printFont(fontname::mincho, c.size), printed);
        if (c.text) {
            EXPECT_NEAR(t.x, c.anchor, 1e-9);
        } else if (c.right == 0) {
            EXPECT_NEAR(t.x, c.anchor - textWidthMm(printFont(fontname::mincho, c.size), plain(c.amount)), 1e-6);
        } else {
            EXPECT_NEAR(t.x + width, c.right, 1e-6);
        }
        // The next item prints at the page's size again.
        EXPECT_EQ(job.texts().back().size, 11);
    }
}

TEST_F(PageConventions, AmountCutToThousandsRoundsDownAndKeepsTheWholeAmountsPlace) {
    static std::int64_t v;
    for (auto [amount, printed] : {std::pair{1234567LL, "1,234"}, {-1500LL, "-2"}, {999LL, ""}, {-1000LL, "-1"}}) {
        v = amount;
        const PrintJobLog job = draw([](Page &p) {
            p.font(fontname::mincho, 10);
            p.rightAlignedAmountCut(80, 20, v, 1000);
        });
        const PrintOp t = job.texts().front();
        EXPECT_EQ(t.text, QString::fromUtf8(printed)) << amount;
        EXPECT_NEAR(t.x, 80 - QString::number(amount).size() * digitWidth(10), 0.01) << amount;
    }
}

TEST_F(PageConventions, DigitSplitsKeepTheExcessInBoxOneAndTheSignInEveryDigit) {
    EXPECT_THAT(splitDigits(5, 8), ::testing::ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 5, 0));
    EXPECT_THAT(splitDigits(123456789, 8), ::testing::ElementsAre(0, 12, 3, 4, 5, 6, 7, 8, 9, 0));
    EXPECT_THAT(splitDigits(1234567891, 9), ::testing::ElementsAre(0, 12, 3, 4, 5, 6, 7, 8, 9, 1));
    EXPECT_THAT(splitDigits(-12345, 9), ::testing::ElementsAre(0, 0, 0, 0, 0, -1, -2, -3, -4, -5));
    EXPECT_THAT(splitDigits(-2147483648LL, 8), ::testing::ElementsAre(0, -214, -7, -4, -8, -3, -6, -4, -8, 0));
}

TEST_F(PageConventions, DigitBoxesLeaveLeadingZerosBlankAndPrintLaterZeros) {
    const PrintJobLog job = draw([](Page &p) {
        p.font(fontname::mincho, 14);
        printDigitBoxes(p, splitDigits(1005, 8), 8, 40, 5, 60, 8, false);
        printDigitBoxes(p, splitDigits(0, 8), 8, 40, 5, 70, 8, false);
        printDigitBoxes(p, splitDigits(-12, 8), 8, 40, 5, 80, 8, false);
        printDigitBoxes(p, splitDigits(-12, 8), 8, 40, 5, 90, 8, true);
    });
    std::vector<std::tuple<double, double, QString>> got;
    for (const PrintOp &t : job.texts())
        got.emplace_back(t.x, t.y, t.text);
    const std::vector<std::tuple<double, double, QString>> want = {
        {60, 60, " 1"}, {65, 60, " 0"}, {70, 60, " 0"}, {75, 60, " 5"}, // 1005 in boxes 5 to 8
        {70, 80, "-1"}, {75, 80, "-2"},                                 // a signed row
        {70, 90, " 1"}, {75, 90, " 2"},                                 // absolute digits
    };
    EXPECT_EQ(got, want);
}

TEST_F(PageConventions, TheFiguresOfTheFirstDigitBeyondItsLastGoLeftOfBoxOneOnThePitch) {
    struct Case {
        std::int64_t amount;
        bool absolute;
        int lastBox;
        std::vector<std::pair<double, QString>> want; // x on the row, text
    };
    const Case cases[] = {
        {100000000,
         false,
         8,
         {{35, " 1"}, {40, " 0"}, {45, " 0"}, {50, " 0"}, {55, " 0"}, {60, " 0"}, {65, " 0"}, {70, " 0"}, {75, " 0"}}},
        {-2147483648LL, false, 3, {{30, "-2"}, {35, "-1"}, {40, "-4"}, {45, "-7"}, {50, "-4"}}},
        {-2147483648LL, true, 1, {{30, " 2"}, {35, " 1"}, {40, " 4"}}},
    };
    static const Case *current = nullptr;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.amount);
        current = &c;
        const PrintJobLog job = draw([](Page &p) {
            p.font(fontname::mincho, 14);
            printDigitBoxes(p, splitDigits(current->amount, 8), 8, 40, 5, 60, current->lastBox, current->absolute);
        });
        std::vector<std::pair<double, QString>> got;
        for (const PrintOp &t : job.texts())
            got.emplace_back(t.x, t.text);
        EXPECT_EQ(got, c.want);
    }
    EXPECT_EQ(mostLeadingBoxes(8), 2); // 214 above the ten millions
    EXPECT_EQ(mostLeadingBoxes(9), 1); // 21 above the hundred millions
}

TEST_F(PageConventions, HeaderBlockPrintsThePeriodAsNumbersAtTheLayoutsPlaceWhateverTheOffsets) {
    data.companyTexts[2] = QStringLiteral("株式会社テスト");
    data.companyNumbers[3] = 19;
    data.companyNumbers[4] = 4;
    data.companyNumbers[5] = 1;
    state.blockOffsetX = 7;
    state.pageShiftY = -3;
    const PrintJobLog job = draw([](Page &p) { pageHeaderBlock(p, true); });
    auto at = [&](double x, double y) {
        for (const PrintOp &t : job.texts())
            if (t.x == x && t.y == y)
                return t.text;
        return QStringLiteral("<none>");
    };
    EXPECT_EQ(at(110, 12), " 19");
    EXPECT_EQ(at(117, 12), " 4");
    EXPECT_EQ(at(124, 12), " 1");
    EXPECT_EQ(at(115, 12), "・");
    EXPECT_EQ(at(122, 19), "・");
    EXPECT_EQ(at(142, 15), "株式会社テスト");
    EXPECT_EQ(job.lines().size(), 6u);
    EXPECT_EQ(job.lines().front().drawWidth, drawwidth::frame);
    EXPECT_EQ(job.lines().back().drawWidth, drawwidth::grid);
    // The page run puts every offset back to 0 and ends the job.
    EXPECT_EQ(state.blockOffsetX, 0);
    EXPECT_EQ(state.pageShiftY, 0);
    EXPECT_TRUE(job.ended());
}

TEST_F(PageConventions, AFailingDrawingAbortsTheJobAndResetsTheOffsets) {
    const PageSpec entry{u"試し", 0, 0, 0, 0, [](Page &p) {
                             p.state.blockOffsetY = 5;
                             p.state.digitBaseX = 40;
                             p.font(fontname::mincho, 10);
                             p.text(1, 1, QStringLiteral("a"));
                             p.text(1, 2, QStringLiteral("b"));
                         }};
    PrintRecorder recorder;
    recorder.failDrawing(0, 1, QStringLiteral("プリンタに出力できません。"));
    EXPECT_THROW(printPage(entry, data, state), Error);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    EXPECT_TRUE(recorder.jobs.front().aborted());
    EXPECT_EQ(state.blockOffsetY, 0);
    EXPECT_EQ(state.digitBaseX, 0);
}

TEST_F(PageConventions, PdfWordsLandWhereTheRecorderPutsThem) {
    static const PageSpec entry{u"試し", 0, 0, 0, 0, [](Page &p) {
                                    p.font(fontname::mincho, 11);
                                    p.text(25, 13, QStringLiteral("所得の金額の計算に関する明細書"));
                                    p.fontSize(10);
                                    p.rightAlignedAmount(150, 100, 1234567);
                                    drawLines(p, drawwidth::frame, std::array{LineItem{25, 24, 192, 24}});
                                }};
    QTemporaryDir folder;
    setPrintJobFactory([&](const QString &title) { return openPdfJob(folder.path(), title); });
    printPage(entry, data, state);
    setPrintJobFactory({});
    const QString pdf = folder.filePath(QStringLiteral("001-試し.pdf"));
    ASSERT_TRUE(QFile::exists(pdf));
    const auto title = pdfWordsContaining(pdf, QStringLiteral("所得"));
    ASSERT_FALSE(title.empty());
    EXPECT_NEAR(title.front().mm.left(), 25, 0.5);
    EXPECT_NEAR(title.front().mm.top(), 13, 1.0);
    const auto amount = pdfWordsContaining(pdf, QStringLiteral("1,234,567"));
    ASSERT_EQ(amount.size(), 1u);
    EXPECT_NEAR(amount.front().mm.left(), 150 - 7 * digitWidth(10), 0.3);
    snapshotImage(renderPdf(pdf, 150), QStringLiteral("page-conventions"));
}

// A text set into a box 6 mm high: where its lines come out, and at what size.
struct BoxCase {
    const char *name;
    const char16_t *text;
    double size;                         // expected, of every line
    int lines;                           // expected
    bool shortened;                      // printed only in part
    const char16_t *firstLine = nullptr; // of two, when it is not the fullest the box holds
};

TEST_F(PageConventions, ATextKeepsItsSizeInItsBoxElseShrinksElseTakesTwoLinesElseIsCutInsideIt) {
    // Full-width characters are 0.35278 mm per point; the room from the start is 38.65 mm.
    const QString longAddress = QString::fromUtf16(u"愛知県名古屋市中区栄三丁目１５番２７号").repeated(11).left(200);
    const BoxCase cases[] = {
        {"fits at the page's size", u"山田太郎", 11, 1, false},
        {"too long: the largest tenth of a point that fits, from its start", u"東京都千代田区丸の内1-1", 9.5, 1, false},
        {"too long at 6 pt: two lines, broken between two words near the middle",
         u"神奈川県横浜市港北区新横浜三丁目１９番地５新横浜スクエアビル", 6.8, 2, false,
         u"神奈川県横浜市港北区新横浜三丁目"},
        {"too long for two lines: what fits, at 6 pt", nullptr, 6, 2, true},
    };
    for (const BoxCase &c : cases) {
        static QString text;
        text = c.text ? QString::fromUtf16(c.text) : longAddress;
        static const Page::TextBox box{36, 48, 74.65, 54};
        svc.boxes.clear();
        const PrintJobLog job = draw([](Page &p) {
            p.font(fontname::mincho, 11);
            p.state.blockOffsetX = -4; // the box is in the layout's coordinates, like the start
            p.textInBox(40, 50, text, {box.left + 4, box.top, box.right + 4, box.bottom});
            p.text(10, 10, QStringLiteral("次"));
        });
        SCOPED_TRACE(c.name);
        std::vector<PrintOp> lines = job.texts();
        ASSERT_EQ(lines.size(), std::size_t(c.lines) + 1);
        lines.pop_back();
        QString printed;
        for (const PrintOp &l : lines) {
            EXPECT_NEAR(l.size, c.size, 1e-9);
            EXPECT_DOUBLE_EQ(l.x, 36);
            const QRectF ink = inkRect(l);
            EXPECT_TRUE(QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).contains(ink));
            EXPECT_LE(printedEnd(l), box.right + 1e-9);
            printed += l.text;
        }
        if (c.lines == 1)
            EXPECT_NEAR(baseline(lines[0]), 50 + textAscentMm(printFont(fontname::mincho, 11)), 1e-9);
        else if (c.firstLine)
            EXPECT_EQ(lines[0].text, QString::fromUtf16(c.firstLine));
        else
            // The first line as full as it goes: one character more would not fit.
            EXPECT_GT(36 + textWidthMm(printFont(fontname::mincho, c.size), lines[0].text + text[lines[0].text.size()]),
                      box.right);
        if (c.shortened) {
            EXPECT_TRUE(text.startsWith(printed));
            EXPECT_LT(printed.size(), text.size());
            // The page is named with the start of the text, in the same box as pages that failed.
            ASSERT_EQ(svc.boxes.size(), 1u);
            EXPECT_EQ(svc.boxes[0].title, QStringLiteral("印刷"));
            EXPECT_EQ(svc.boxes[0].prompt,
                      QStringLiteral("次のページは印刷しましたが、欄に入りきらない文字を省きました。"
                                     "欄に入るよう短くして印刷し直してください。\n試し：「%1…」")
                          .arg(text.left(30)));
        } else {
            EXPECT_EQ(printed, text);
            EXPECT_EQ(svc.boxes.size(), 0u);
            const QStringList faults = textInBoxFaults(job, text, box);
            EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
        }
        // The next item prints at the page's size again.
        EXPECT_EQ(job.texts().back().size, 11);
    }
}

TEST_F(PageConventions, ATextInACellOfUnknownHeightStaysOnOneLineAndIsCutAtItsRule) {
    static const QString address = QStringLiteral("東京都千代田区丸の内一丁目一番一号丸の内ビル二十階");
    const PrintJobLog job = draw([](Page &p) {
        p.font(fontname::mincho, 11);
        p.textInCell(36, 50, address, 75);
    });
    ASSERT_EQ(job.texts().size(), 1u);
    const PrintOp t = job.texts().front();
    EXPECT_EQ(t.size, 6);
    EXPECT_NEAR(baseline(t), 50 + textAscentMm(printFont(fontname::mincho, 11)), 1e-9);
    EXPECT_TRUE(address.startsWith(t.text));
    EXPECT_LT(t.text.size(), address.size());
    EXPECT_LE(printedEnd(t), 75 - 0.35 + 1e-9);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_TRUE(svc.boxes[0].prompt.endsWith(QStringLiteral("試し：「%1」").arg(address)));
}

// Addresses, names and row names too wide for one line of their box at 11 pt, each written with a "|" between its
// words, as a dictionary of Japanese finds them: the two lines break at one of them, at one size; never inside a
// word, a number or a run of letters or katakana, after an opening bracket or before a closing one.
TEST_F(PageConventions, TwoLinesBreakBetweenWords) {
    const char16_t *const texts[] = {
        u"東京|都|千代田|区|丸の内|二|丁目|７|番|３|号",
        u"大阪|府|大阪|市|北区|梅田|一|丁目|１３|番|１|号",
        u"福岡|県|福岡|市|博多|区|博多駅|中央街",
        u"一般|社団|法人|東日本|不動産|研究|会|（ＡＢＣ）",
        u"代表|取締役|の|配偶|者|の|父|（義父）",
        u"名古屋|駅前|中央|支店",
        u"役員|給与|の|損金|不算入|額|（使用|人|兼務|役員|分・|Class-A）",
        u"東日本|開発|株式会社|ＡＢＣ１２３|事業部",
        u"不動産|コンサルティング|及び|賃貸|管理|業|（ＩＴ|関連|サービス|を|含む）",
        u"Ｓ＆Ｋ|パートナーズ|会計|事務所",
        u"賞与|引当|金|繰入|超過|額|（従業員|分）",
        u"Class-A |ｶﾌﾞｼｷ",
    };
    for (const double share : {0.55, 0.62, 0.7}) {
        for (const char16_t *marked : texts) {
            const QString withMarks = QString::fromUtf16(marked);
            const auto [text, allowed] = unmarked(withMarks);
            SCOPED_TRACE(withMarks.toStdString() + " in " + std::to_string(share) + " of its width");
            const double width = textWidthMm(printFont(fontname::mincho, 11), text);
            const std::vector<PrintOp> lines = fittedAt11(text, {10, 10, 10 + share * width, 20});
            ASSERT_EQ(lines.size(), 2u);
            EXPECT_EQ(lines[0].text + lines[1].text, text);
            EXPECT_THAT(allowed, testing::Contains(lines[0].text.size()))
                << "「" << lines[0].text.toStdString() << "」/「" << lines[1].text.toStdString() << "」";
            EXPECT_EQ(lines[0].size, lines[1].size);
        }
    }
}

// 別表四's own rows are 6 mm high: at the largest size two lines fit, 「役員」 over the rest fits a tenth of a point
// larger than 「役員給与の」 over 「損金不算入額」, whose の reaches a hair lower. The break nearer the middle wins.
TEST_F(PageConventions, ABreakNearerTheMiddleWinsOverATenthOfAPoint) {
    const struct {
        const char *name;
        const char *first;
    } rows[] = {{"役員給与の損金不算入額", "役員給与の"},
                {"貸倒引当金繰入超過額の認容", "貸倒引当金繰入"},
                {"前期賞与引当金の当期認容額", "前期賞与引当金の"}};
    for (const auto &row : rows) {
        data.schedule4RowNames[2] = QString::fromUtf8(row.name);
        const PrintJobLog job = recordPage(QStringLiteral("別表四"), data, state);
        const std::vector<PrintOp> lines = printedWhole(job, data.schedule4RowNames[2]);
        ASSERT_EQ(lines.size(), 2u) << row.name;
        EXPECT_EQ(lines[0].text, QString::fromUtf8(row.first));
    }
}

TEST_F(PageConventions, ALongerTextNeverPrintsLargerThanAShorterOneInTheSameBox) {
    // Names, addresses and row names cut to every length, in boxes of the pages' columns. A text breaks only between
    // words, so a longer one may print a little larger where its shorter part ended in a word that kept the break
    // from the middle; never a quarter larger, as when a text shrank on one line before it took two.
    const QStringList texts = {
        QStringLiteral("株式会社東日本総合不動産コンサルティングＡＮＤマネジメント（関東甲信越営業本部）"),
        QStringLiteral("大阪府大阪市北区梅田一丁目１３番１号大阪梅田ツインタワーズ・サウス３５階"),
        QStringLiteral("前期賞与引当金の当期認容額及び事業税の損金算入額（従業員分）"),
        QStringLiteral("Class-A ｶﾌﾞｼｷ ﾄｳｷｮｳ ﾃﾞﾝﾘｮｸ ﾀﾞｲ500ｶｲ ｼｬｻｲ"),
    };
    const Page::TextBox boxes[] = {{10, 10, 49.6, 19.6}, {10, 10, 62, 15.6}, {10, 10, 35, 24}};
    for (const Page::TextBox &box : boxes)
        for (const QString &text : texts) {
            double shorter = 11;
            QString previous;
            for (qsizetype n = 4; n <= text.size(); ++n) {
                const QString s = text.left(n);
                const std::vector<PrintOp> lines = fittedAt11(s, box);
                ASSERT_FALSE(lines.empty());
                EXPECT_LE(lines[0].size, shorter / (1 - 0.2) + 1e-9)
                    << s.toStdString() << " prints larger than " << previous.toStdString() << " in a box "
                    << box.right - box.left << " mm wide";
                shorter = lines[0].size;
                previous = s;
            }
        }
}

TEST_F(PageConventions, ABoxNeverReachesOffTheSheet) {
    const PrintJobLog job = draw([](Page &p) {
        p.font(fontname::mincho, 11);
        p.state.pageShiftX = 2;
        p.state.pageShiftY = 1;
        p.textInBox(170, 284, QStringLiteral("株式会社東日本総合不動産コンサルティング"), {170, 283, 260, 300});
    });
    ASSERT_FALSE(job.texts().empty());
    for (const PrintOp &t : job.texts()) {
        const QRectF ink = inkRect(t);
        EXPECT_LE(printedEnd(t), sheet::paperWidth - sheet::originX + 1e-9) << t.text.toStdString();
        EXPECT_LE(ink.bottom(), sheet::paperHeight - sheet::originY) << t.text.toStdString();
    }
}

TEST_F(PageConventions, TextsCutShortAreNamedOnceEachAfterTheActionInTheBoxOfTheFailedPages) {
    const QString a = QString::fromUtf16(u"東").repeated(80), b = QString::fromUtf16(u"西").repeated(10);
    static QString first, second;
    first = a;
    second = b;
    reportingPrintFailures([&] {
        for (int copy = 0; copy < 2; ++copy)
            draw([](Page &p) {
                p.font(fontname::mincho, 11);
                p.textInBox(10, 10, first, {10, 10, 40, 14});
                p.textInBox(10, 20, second, {10, 20, 14, 24});
            });
        notePrintFailure(QStringLiteral("別表四"), QStringLiteral("用紙がありません。"));
        EXPECT_TRUE(svc.boxes.empty());
    });
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt,
              QStringLiteral("次のページは印刷されませんでした。\n別表四：用紙がありません。\n\n"
                             "次のページは印刷しましたが、欄に入りきらない文字を省きました。"
                             "欄に入るよう短くして印刷し直してください。\n試し：「%1…」\n試し：「%2」")
                  .arg(a.left(30), b));
}

TEST_F(PageConventions, AGuideSheetKeepsTheWholeTextAndItsBoxWithTheOffsets) {
    PrintJobLog log;
    RecordingPrinter printer(log);
    std::vector<GuidePlace> places;
    Page page(printer, data, state);
    page.guidePlaces = &places;
    page.font(fontname::mincho, 11);
    page.state.blockOffsetX = 3;
    page.state.pageShiftY = 2;
    const QString address = QStringLiteral("神奈川県横浜市港北区新横浜三丁目１９番地５");
    page.textInBox(20, 30, address, {20, 29, 60, 35});
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0].text, address);
    EXPECT_EQ(places[0].size, 11);
    EXPECT_DOUBLE_EQ(places[0].x, 23);
    EXPECT_DOUBLE_EQ(places[0].y, 32);
    ASSERT_TRUE(places[0].box.has_value());
    EXPECT_DOUBLE_EQ(places[0].box->left, 23);
    EXPECT_DOUBLE_EQ(places[0].box->top, 31);
    EXPECT_DOUBLE_EQ(places[0].box->right, 63);
    EXPECT_DOUBLE_EQ(places[0].box->bottom, 37);
    EXPECT_EQ(log.texts().size(), 2u); // printed on two lines, kept as one place
}

// The check of a filer's text in its box, on recorded pages made by hand.
TEST_F(PageConventions, TheTextInBoxCheckFindsEachWayATextCanPrintBadly) {
    const QString name = QStringLiteral("株式会社東日本総合");
    const Page::TextBox box{10, 10, 60, 17};
    auto text = [](const QString &t, double x, double y, double size = 8) {
        PrintOp op;
        op.font = fontname::mincho;
        op.size = size;
        op.x = x;
        op.y = y;
        op.text = t;
        return op;
    };
    auto rule = [](double x1, double y1, double x2, double y2) {
        PrintOp op;
        op.kind = PrintOp::Line;
        op.drawWidth = 2;
        op.x = x1;
        op.y = y1;
        op.x2 = x2;
        op.y2 = y2;
        return op;
    };
    struct Case {
        const char *name;
        std::vector<PrintOp> ops;
        const char *fault; // a part of the one fault expected; nullptr: none
    };
    const Case cases[] = {
        {"whole on one line", {text(name, 11, 11), rule(10, 10, 60, 10), text(u"次"_s, 70, 11)}, nullptr},
        {"whole on two lines", {text(u"株式会社"_s, 11, 10.5), text(u"東日本総合"_s, 11, 13.4)}, nullptr},
        {"its end lost", {text(u"株式会社東日本"_s, 11, 11)}, "not printed whole"},
        {"three pieces",
         {text(u"株式会社"_s, 11, 10.5), text(u"東日本"_s, 11, 13), text(u"総合"_s, 40, 13)},
         "not printed whole"},
        {"two lines not one after the other",
         {text(u"株式会社"_s, 11, 10.5), text(u"次"_s, 70, 11), text(u"東日本総合"_s, 11, 13)},
         "not printed whole"},
        {"below 6 pt", {text(name, 11, 11, 5.9)}, "smaller than 6 pt"},
        {"past the box", {text(name, 40, 11)}, "outside its box"},
        {"a rule through it", {text(name, 11, 11), rule(30, 10, 30, 17)}, "touches the rule"},
        {"another text under it", {text(name, 11, 11), text(u"１２３"_s, 20, 12)}, "overlaps"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrintJobLog job;
        job.ops = c.ops;
        const QStringList faults = textInBoxFaults(job, name, box);
        if (!c.fault) {
            EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
        } else {
            ASSERT_EQ(faults.size(), 1) << faults.join('\n').toStdString();
            EXPECT_TRUE(faults[0].contains(QString::fromUtf8(c.fault))) << faults[0].toStdString();
        }
    }
    // Off the sheet, with a box that reaches off it too.
    PrintJobLog job;
    job.ops = {text(name, 185, 11)};
    const QStringList faults = textInBoxFaults(job, name, {170, 10, 260, 16});
    ASSERT_EQ(faults.size(), 1) << faults.join('\n').toStdString();
    EXPECT_TRUE(faults[0].contains(QStringLiteral("leaves the sheet")));
}

} // namespace
} // namespace hz::test
