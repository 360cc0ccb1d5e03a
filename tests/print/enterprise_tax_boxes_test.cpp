#include "core/errors.h"
#include "print/pages.h"
#include "tests/print/local_return_rows.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <gtest/gtest.h>

namespace hz::test {
namespace {

// The enterprise-tax column drawn on its own, in the font the prefectural return leaves in force. The position
// variables are read back right after it, before the page run puts them to 0.
class EnterpriseTaxBoxesTest : public HzTest {
protected:
    PrintJobLog draw() {
        static PageState *st;
        static std::array<std::int32_t, 4> after;
        static bool failed;
        st = &state;
        failed = false;
        after = {-1, -1, -1, -1};
        const PageSpec entry{u"試し", 0, 0, 0, 0, [](Page &p) {
                                p.font(fontname::mincho, 11);
                                p.state.blockOffsetX = p.state.blockOffsetY = 0;
                                try {
                                    EnterpriseTaxBoxes(p);
                                } catch (const Error &) {
                                    failed = true;
                                }
                                after = {st->blockOffsetX, st->blockOffsetY, st->digitBaseX, st->digitBaseY};
                            }};
        PrintRecorder recorder;
        printPage(entry, data, state);
        positionsAfter = after;
        threw = failed;
        return recorder.jobs.front();
    }

    PrintData data;
    PageState state;
    std::array<std::int32_t, 4> positionsAfter{};
    bool threw = false;
};

TEST_F(EnterpriseTaxBoxesTest, AProfitableYearFillsBasesTaxesAndIncomeWithoutMarks) {
    auto &b = data.enterpriseTaxValues;
    b[1] = 8765432;
    b[2] = 4000000;
    b[3] = 4000000;
    b[4] = 765000;
    b[5] = 8765000;
    b[12] = 136000;
    b[13] = 204000;
    b[14] = 51200;
    b[15] = 391200;
    b[7] = 150000;
    b[8] = 241200;
    data.schedule4Cells[42] = 9265432;
    data.schedule4Cells[48] = 500000;
    data.schedule4Cells[52] = 8765432;
    const PrintJobLog job = draw();

    struct Want {
        double y, fromX, toX;
        const char *digits;
    };
    const Want want[] = {
        {72, 45, 80, "8765432"},  {77, 45, 80, "4000"},      {82, 45, 80, "4000"},      {87, 45, 80, "765"},
        {94, 45, 80, "8765"},     {77, 90, 120, "1360"},     {82, 90, 120, "2040"},     {87, 90, 120, "512"},
        {94, 90, 120, "3912"},    {138, 90, 120, "3912"},    {149, 90, 120, "1500"},    {161, 90, 120, "2412"},
        {166, 38, 65, "2412"},    {195, 90, 120, "241200"},  {200, 38, 70, "241200"},   {212, 90, 120, "9265432"},
        {240, 90, 120, "500000"}, {245, 90, 120, "8765432"}, {251, 90, 120, "8765432"},
    };
    for (const Want &w : want)
        EXPECT_EQ(row(job, w.y, w.fromX, w.toX), QString::fromUtf8(w.digits)) << "y " << w.y;
    EXPECT_TRUE(job.textsEqual(QStringLiteral("▲")).empty());

    // A base of 4,000,000 goes into boxes 3 to 6 in front of the form's 000; every digit in the caller's font.
    EXPECT_DOUBLE_EQ(xOf(job, " 4", 77), 59);
    EXPECT_DOUBLE_EQ(xOf(job, " 4", 82), 59);
    for (const PrintOp &t : job.texts()) {
        EXPECT_EQ(t.font, fontname::mincho);
        EXPECT_EQ(t.size, 11);
    }
    EXPECT_EQ(positionsAfter, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

TEST_F(EnterpriseTaxBoxesTest, ALossAndARefundMarkTheirRowsAndPrintAbsoluteDigits) {
    data.enterpriseTaxValues[1] = -1234567;
    data.enterpriseTaxValues[7] = 120000;
    data.enterpriseTaxValues[8] = -120000;
    data.schedule4Cells[42] = -1234567;
    data.schedule4Cells[48] = 0;
    data.schedule4Cells[52] = -1234567;
    const PrintJobLog job = draw();

    // Rows 2 to 11 hold nothing for a loss but the interim tax paid.
    EXPECT_EQ(row(job, 72, 45, 80), "▲1234567");
    EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral("▲"), 72), 50);
    EXPECT_EQ(row(job, 149, 90, 120), "1200");
    // The tax due below zero: marked in lines 49, 50, 59 and 60, each 4 mm left of its box 1.
    const std::pair<double, double> marks[] = {{161, 93}, {166, 41}, {195, 92}, {200, 40},
                                               {212, 92}, {245, 92}, {251, 92}};
    for (auto [y, x] : marks)
        EXPECT_DOUBLE_EQ(xOf(job, QStringLiteral("▲"), y), x) << "y " << y;
    EXPECT_EQ(row(job, 161, 90, 120), "▲1200");
    EXPECT_EQ(row(job, 166, 38, 65), "▲1200");
    EXPECT_EQ(row(job, 195, 90, 120), "▲120000");
    EXPECT_EQ(row(job, 200, 38, 70), "▲120000");
    EXPECT_EQ(row(job, 212, 90, 120), "▲1234567");
    EXPECT_EQ(row(job, 240, 90, 120), "");
    EXPECT_EQ(row(job, 251, 90, 120), "▲1234567");
    EXPECT_EQ(job.textsEqual(QStringLiteral("▲")).size(), 8u);
    EXPECT_EQ(job.textsEqual(QStringLiteral("-1")).size(), 0u);
}

TEST_F(EnterpriseTaxBoxesTest, AFigureBeyond32BitsStopsTheColumnWithItsPositionsAtZeroAndReportsIt) {
    data.enterpriseTaxValues[1] = 1000;
    data.enterpriseTaxValues[2] = 3e9;
    data.enterpriseTaxValues[8] = 500;
    const PrintJobLog job = draw();
    EXPECT_TRUE(threw);
    EXPECT_EQ(row(job, 72, 45, 80), "1000");
    EXPECT_EQ(job.texts().size(), 4u); // nothing after the failing row
    EXPECT_EQ(positionsAfter, (std::array<std::int32_t, 4>{0, 0, 0, 0}));
}

} // namespace
} // namespace hz::test
