#include "core/errors.h"
#include "core/paths.h"
#include "schedules/core/schedule2.h"
#include "tests/support/fixture.h"

#include <limits>

namespace hz::test {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(Schedule2Percentage, RoundsDownExactly) {
    struct Case {
        const char *name;
        std::int32_t topThree, total;
        std::optional<std::int32_t> percent;
    };
    const Case cases[] = {
        {"5,800 of 10,000 is exactly 58", 5800, 10000, 58},
        {"29 of 100 is exactly 29", 29, 100, 29},
        {"900 of 1,000", 900, 1000, 90},
        {"2 of 3 rounds down", 2, 3, 66},
        {"all of it", 3, 3, 100},
        {"nothing held by the top three", 0, 500, 0},
        {"largest holdings, no 32-bit overflow on the way", kMax, kMax, 100},
        {"a negative figure rounds toward minus infinity", -1, 3, -34},
        {"negative total", 2, -3, -67},
        {"total 0", 5, 0, std::nullopt},
        {"result beyond 32 bits", kMax, 1, std::nullopt},
        {"result below 32 bits", kMin, 1, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(familyCompanyPercentage(c.topThree, c.total), c.percent) << c.name;
}

TEST(Schedule2Total, SumsTheSixHoldingsAndRefusesOverflow) {
    EXPECT_EQ(holdingsTotal({600, 300, 100, 0, 0, 0}), 1000);
    EXPECT_EQ(holdingsTotal({-50, 0, 0, 0, 0, 20}), -30);
}

TEST(Schedule2Total, OverflowIsAnError) {
    // Each step is checked, so a sum that comes back into range after leaving it still fails.
    EXPECT_THROW(holdingsTotal({kMax, 1, 0, 0, 0, 0}), Error);
    EXPECT_THROW(holdingsTotal({kMin, -1, 0, 0, 0, 0}), Error);
    EXPECT_THROW(holdingsTotal({2000000000, 2000000000, -2000000000, 0, 0, 0}), Error);
}

class Schedule2RecordFile : public HzTest {};

TEST_F(Schedule2RecordFile, WritesTextsColumnByColumnThenTheAmounts) {
    Schedule2Record rec;
    rec.holderTexts[0] = QStringLiteral("同族会社");
    for (int r = 1; r <= 6; ++r) {
        rec.holderTexts[4 * r - 3] = QString::number(r);
        rec.holderTexts[4 * r - 2] = QStringLiteral("住所%1").arg(r);
        rec.holderTexts[4 * r - 1] = QStringLiteral("氏名%1").arg(r);
        rec.holderTexts[4 * r] = QStringLiteral("続柄%1").arg(r);
    }
    rec.holderAmounts = {1000, 900, 90, 600, 300, 100, 0, -5, 5};
    ensureDataRoot();
    writeSchedule2(12, rec);
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\別表\\102012.txt")),
              lines({"\"同族会社\"", "\"1\"",     "\"2\"",     "\"3\"",     "\"4\"",     "\"5\"",     "\"6\"",
                     "\"住所1\"",    "\"住所2\"", "\"住所3\"", "\"住所4\"", "\"住所5\"", "\"住所6\"", "\"氏名1\"",
                     "\"氏名2\"",    "\"氏名3\"", "\"氏名4\"", "\"氏名5\"", "\"氏名6\"", "\"続柄1\"", "\"続柄2\"",
                     "\"続柄3\"",    "\"続柄4\"", "\"続柄5\"", "\"続柄6\"", "1000",      "900",       "90",
                     "600",          "300",       "100",       "0",         "-5",        "5"}));
    const Schedule2Record back = readSchedule2(12);
    EXPECT_EQ(back.holderTexts, rec.holderTexts);
    EXPECT_EQ(back.holderAmounts, rec.holderAmounts);
}

TEST_F(Schedule2RecordFile, ShortOrMissingRecordIsAnError) {
    EXPECT_THROW(readSchedule2(3), Error);
    QStringList l;
    for (int i = 0; i < 25; ++i)
        l << "\"\"";
    l << "1"
      << "2";
    writeFile(schedule2Path(3), lines(l));
    EXPECT_THROW(readSchedule2(3), Error);
}

} // namespace
} // namespace hz::test
