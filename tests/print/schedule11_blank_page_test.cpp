#include "print/pages.h"
#include "tests/print/self_drawn_page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <QFile>

namespace hz::test {
namespace {

const QString caption = QStringLiteral("別表十一");

class PrintedSchedule11Blank : public HzTest {
protected:
    PrintData data;
    PageState state;
};

bool sameOps(const PrintJobLog &a, const PrintJobLog &b) {
    if (a.ops.size() != b.ops.size())
        return false;
    for (std::size_t i = 0; i < a.ops.size(); ++i) {
        const PrintOp &p = a.ops[i];
        const PrintOp &q = b.ops[i];
        if (p.kind != q.kind || p.text != q.text || p.x != q.x || p.y != q.y || p.x2 != q.x2 || p.y2 != q.y2 ||
            p.size != q.size || p.drawWidth != q.drawWidth)
            return false;
    }
    return true;
}

TEST_F(PrintedSchedule11Blank, PrintsNoCompanyDataAndCountsNothing) {
    const PrintJobLog before = recordPage(caption, data, state);
    // A loaded company changes nothing on the page.
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    data.sched15Amounts[1] = 1850000;
    data.sched7Amounts[20] = 1234567;
    const PrintJobLog loaded = recordPage(caption, data, state);
    EXPECT_TRUE(sameOps(before, loaded));
    for (const PrintOp &t : loaded.texts())
        EXPECT_FALSE(t.text.contains(QStringLiteral("山田"))) << t.text.toStdString();
    // The header box keeps its captions and nothing else.
    for (const PrintOp &t : loaded.texts())
        if (t.x > 102 && t.x < 192 && t.y > 9 && t.y < 24) {
            EXPECT_LE(t.size, 6) << t.text.toStdString(); // captions only, no 11 pt name or 8 pt dates
        }
    EXPECT_EQ(textOrNone(loaded, 131, 15), "法人名");
    EXPECT_TRUE(loaded.ended());
    EXPECT_EQ(pageSpec(caption)->counter, 0);
    EXPECT_EQ(state.printCount, (Longs<14>{}));
}

TEST_F(PrintedSchedule11Blank, SetsItsOwnBlockOffsetsAndLeavesTheShiftsToTheirOwners) {
    state.blockOffsetX = 9;
    state.blockOffsetY = -3;
    const PrintJobLog job = recordPage(caption, data, state);
    EXPECT_EQ(textOrNone(job, 25, 13), "一括評価金銭債権に係る貸倒引当金の");
    EXPECT_EQ(state.blockOffsetX, 0);
    EXPECT_EQ(state.blockOffsetY, 0);

    // A page shift moves every text and no rule; a line origin every rule and no text.
    state.pageShiftX = 2;
    state.lineOriginY = 3;
    const PageSpec *entry = pageSpec(caption);
    PrintRecorder recorder;
    // Drawn without the page run, which would put the shifts back to 0 at its end.
    const std::unique_ptr<Printer> printer = openPrintJob(caption);
    Page page(*printer, data, state);
    hz::Schedule11BlankPage(page);
    const PrintJobLog &shifted = recorder.jobs.front();
    ASSERT_EQ(shifted.texts().size(), job.texts().size());
    EXPECT_EQ(shifted.texts().front().x, job.texts().front().x + 2);
    EXPECT_EQ(shifted.texts().front().y, job.texts().front().y);
    EXPECT_EQ(shifted.lines().back().x, job.lines().back().x);
    EXPECT_EQ(shifted.lines().back().y, job.lines().back().y + 3);
    EXPECT_EQ(entry->picture, 0);
}

TEST_F(PrintedSchedule11Blank, LineNumbersAndVerticalCaptionsStandWhereTheFormHasThem) {
    const PrintJobLog job = recordPage(caption, data, state);
    struct Number {
        double x, y;
        const char *text;
    };
    const Number numbers[] = {{81, 29.5, " 1"},  {81, 127.5, " 8"}, {168, 29, " 9"},      {167, 42, " 10"},
                              {167, 102, " 15"}, {179, 169, " 24"}, {65.5, 256.5, " 25"}, {152.5, 272.5, " 28"}};
    for (const Number &n : numbers) {
        const auto t = findTextAt(job, n.x, n.y);
        ASSERT_TRUE(t) << n.text;
        EXPECT_EQ(t->text, n.text);
        EXPECT_EQ(t->size, 8);
    }
    // The two small vertical texts: 26 and 25 characters at a 2 mm pitch.
    int left = 0;
    int right = 0;
    QString leftText;
    for (const PrintOp &t : job.texts()) {
        if (t.size != 6)
            continue;
        if (t.x == 111.5) {
            ++left;
            leftText += t.text;
        }
        right += t.x == 114.5;
    }
    EXPECT_EQ(left, 26);
    EXPECT_EQ(right, 25);
    EXPECT_EQ(leftText, "当期前３年以内に開始した各事業年度設立事業年度である");
    EXPECT_EQ(textOrNone(job, 26, 54), "繰");
    EXPECT_EQ(textOrNone(job, 106, 44), "貸");
    EXPECT_EQ(textOrNone(job, 115, 130.5), "(小数点以下４位未満切上げ)");
    EXPECT_EQ(textOrNone(job, 122.5, 90.5), "２項第２号ニの貸倒引当金勘定の");
}

TEST_F(PrintedSchedule11Blank, RulesAreStraightWithAHeavyFrameAndNoCaptionTouchesOne) {
    const PrintJobLog job = recordPage(caption, data, state);
    // Line 7's formula leaves room for its two fractions 116/100, whose bars stand in that room.
    const QString formula = QStringLiteral("((2)×(3)×     )又は((4)×(5)×     )");
    EXPECT_EQ(textsOnRules(job), QStringList({formula + " @ (46,118)-(50,118)", formula + " @ (69,118)-(73,118)"}));
    int heavy = 0;
    for (const PrintOp &l : job.lines()) {
        EXPECT_TRUE(l.x == l.x2 || l.y == l.y2) << l.x << "," << l.y;
        heavy += l.drawWidth == drawwidth::frame;
    }
    EXPECT_EQ(heavy, 3 + 4);
}

TEST_F(PrintedSchedule11Blank, RenderedEvenWithACompanyLoaded) {
    setCompany(data, QStringLiteral("株式会社山田商店"), {19, 4, 1, 20, 3, 31});
    const QString pdf = renderPage(caption, data, QStringLiteral("schedule11-blank-page"));
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(pdfWordsContaining(pdf, QStringLiteral("山田")).empty());
    const auto title = pdfWordsContaining(pdf, QStringLiteral("一括評価金銭債権に係る"));
    ASSERT_FALSE(title.empty());
    EXPECT_NEAR(title.front().mm.left(), 25, 0.5);
    EXPECT_NEAR(title.front().mm.top(), 13, 1.0);
}

} // namespace
} // namespace hz::test
