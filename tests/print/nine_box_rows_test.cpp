#include "core/errors.h"
#include "print/local_returns/nine_box_rows.h"
#include "print/pages.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gmock/gmock.h>

#include <functional>
#include <limits>
#include <variant>

namespace hz::test {
namespace {

using Amount = std::variant<std::int32_t, double>;

class NineBoxRows : public HzTest {
protected:
    // Draws one row at digit base (100, 50) with block offsets (2, 1), as a page would between its rows.
    PrintJobLog drawRow(Amount amount, int boxes, bool marks) {
        PrintRecorder recorder;
        printRow(amount, boxes, marks);
        return recorder.jobs.front();
    }
    // The same through the recorder the caller keeps.
    void printRow(Amount amount, int boxes, bool marks) {
        static std::function<void(Page &)> body;
        body = [&](Page &p) {
            p.font(fontname::mincho, 11);
            p.state.digitBaseX = 100;
            p.state.digitBaseY = 50;
            p.state.blockOffsetX = 2;
            p.state.blockOffsetY = 1;
            std::visit([&](auto v) { printNineBoxRow(p, 7, v, boxes, marks); }, amount);
        };
        const PageSpec entry{u"試し", 0, 0, 0, 0, [](Page &p) { body(p); }};
        printPage(entry, data, state);
    }

    PrintData data;
    PageState state;
};

// Box j is at 102 + 2.5 (j − 1) (box 0 left of box 1 takes the billions), the mark at 98, all on y 51.
struct Printed {
    double x;
    QString text;
    bool operator==(const Printed &) const = default;
};
std::vector<Printed> printed(const PrintJobLog &job) {
    std::vector<Printed> out;
    for (const PrintOp &t : job.texts()) {
        EXPECT_DOUBLE_EQ(t.y, 51);
        out.push_back({t.x, t.text});
    }
    return out;
}
double box(int j) { return 102 + 2.5 * (j - 1); }

TEST_F(NineBoxRows, DigitsGoOnePerBoxWithoutLeadingZerosAndWithTheMarkOnlyWhereTheRowAsksForIt) {
    struct Case {
        const char *name;
        Amount amount;
        int boxes;
        bool marks;
        std::vector<Printed> want;
    };
    const Case cases[] = {
        {"zero", 0, 9, true, {}},
        {"five", 5, 9, false, {{box(9), " 5"}}},
        {"thousand", 1000, 9, false, {{box(6), " 1"}, {box(7), " 0"}, {box(8), " 0"}, {box(9), " 0"}}},
        {"seven boxes cut to hundreds",
         1234567,
         7,
         false,
         {{box(3), " 1"}, {box(4), " 2"}, {box(5), " 3"}, {box(6), " 4"}, {box(7), " 5"}}},
        {"six boxes cut to thousands",
         4000000.0,
         6,
         false,
         {{box(3), " 4"}, {box(4), " 0"}, {box(5), " 0"}, {box(6), " 0"}}},
        {"below the first printed place", 50.0, 7, true, {}},
        {"negative, marked",
         -12345,
         9,
         true,
         {{98, "▲"}, {box(5), " 1"}, {box(6), " 2"}, {box(7), " 3"}, {box(8), " 4"}, {box(9), " 5"}}},
        {"negative, unmarked row",
         -12345.0,
         9,
         false,
         {{box(5), " 1"}, {box(6), " 2"}, {box(7), " 3"}, {box(8), " 4"}, {box(9), " 5"}}},
        {"half to even, down", 12.5, 9, true, {{box(8), " 1"}, {box(9), " 2"}}},
        {"half to even, up", 13.5, 9, true, {{box(8), " 1"}, {box(9), " 4"}}},
        {"a negative fraction marks alone", -0.4, 9, true, {{98, "▲"}}},
        {"ten digits: the billions one box left of box 1",
         1234567891,
         9,
         false,
         {{box(0), " 1"},
          {box(1), " 2"},
          {box(2), " 3"},
          {box(3), " 4"},
          {box(4), " 5"},
          {box(5), " 6"},
          {box(6), " 7"},
          {box(7), " 8"},
          {box(8), " 9"},
          {box(9), " 1"}}},
        {"the lowest whole number: the mark moves left with the billions",
         std::numeric_limits<std::int32_t>::min(),
         9,
         true,
         {{95.5, "▲"},
          {box(0), " 2"},
          {box(1), " 1"},
          {box(2), " 4"},
          {box(3), " 7"},
          {box(4), " 4"},
          {box(5), " 8"},
          {box(6), " 3"},
          {box(7), " 6"},
          {box(8), " 4"},
          {box(9), " 8"}}},
        {"the highest double that still rounds into 32 bits, on a row of seven",
         2147483647.4,
         7,
         false,
         {{box(0), " 2"},
          {box(1), " 1"},
          {box(2), " 4"},
          {box(3), " 7"},
          {box(4), " 4"},
          {box(5), " 8"},
          {box(6), " 3"},
          {box(7), " 6"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PrintJobLog job = drawRow(c.amount, c.boxes, c.marks);
        EXPECT_EQ(printed(job), c.want);
        for (const PrintOp &t : job.texts()) {
            EXPECT_EQ(t.font, fontname::mincho);
            EXPECT_EQ(t.size, 11);
        }
    }
}

TEST_F(NineBoxRows, TheSlotKeepsAllNineDigitsWithoutSignsEvenWhereTheRowPrintsFewer) {
    drawRow(-1234567, 7, true);
    EXPECT_THAT(state.digitBoxes[7], ::testing::ElementsAre(0, 0, 0, 1, 2, 3, 4, 5, 6, 7));
    drawRow(1234567891, 9, false);
    EXPECT_THAT(state.digitBoxes[7], ::testing::ElementsAre(0, 12, 3, 4, 5, 6, 7, 8, 9, 1));
}

TEST_F(NineBoxRows, AFloatingAmountBeyond32BitsFailsThePageBeforeAnythingOfTheRowIsPrinted) {
    for (double v : {2147483647.5, 1e10, -2147483648.6, -1e12, std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(v);
        PrintRecorder recorder;
        try {
            printRow(v, 9, true);
            ADD_FAILURE() << "the row printed";
        } catch (const Error &e) {
            EXPECT_EQ(e.description(), Error::overflow().description());
        }
        ASSERT_EQ(recorder.jobs.size(), 1u);
        EXPECT_TRUE(recorder.jobs.front().texts().empty());
        EXPECT_TRUE(recorder.jobs.front().aborted());
        EXPECT_EQ(state.digitBaseX, 0);
        EXPECT_EQ(state.blockOffsetX, 0);
    }
    // Just inside the range on the negative side still prints.
    EXPECT_EQ(printed(drawRow(-2147483648.4, 9, true)).front().text, "▲");
}

} // namespace
} // namespace hz::test
