#include "core/errors.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace hz {
namespace {

enum class Outcome { Value, Mismatch, Overflow };

struct WholeCase {
    const char *text;
    Outcome outcome;
    std::int32_t value;
};

TEST(Numbers, TextToWholeNumber) {
    const WholeCase cases[] = {
        {"0", Outcome::Value, 0},
        {"1234", Outcome::Value, 1234},
        {" 1,234 ", Outcome::Value, 1234},
        {"1,234,567", Outcome::Value, 1234567},
        {"1,2,3", Outcome::Value, 123},
        {"-1,234", Outcome::Value, -1234},
        {"+5", Outcome::Value, 5},
        {"12.5", Outcome::Value, 12},
        {"13.5", Outcome::Value, 14},
        {"-2.5", Outcome::Value, -2},
        {"-3.5", Outcome::Value, -4},
        {"12.51", Outcome::Value, 13},
        {"7.3", Outcome::Value, 7},
        {"9.6", Outcome::Value, 10},
        {".5", Outcome::Value, 0},
        {"0.5", Outcome::Value, 0},
        {"1.5", Outcome::Value, 2},
        {"2,147,483,647", Outcome::Value, 2147483647},
        {"-2,147,483,648", Outcome::Value, std::numeric_limits<std::int32_t>::min()},
        {"2,147,483,648", Outcome::Overflow, 0},
        {"2147483647.5", Outcome::Overflow, 0},
        {"99999999999999999999", Outcome::Overflow, 0},
        {"1E3", Outcome::Value, 1000},
        // Typed with the input method in full-width mode.
        {"\u3000１２", Outcome::Value, 12},
        {"１２３", Outcome::Value, 123},
        {"－５", Outcome::Value, -5},
        {"＋５", Outcome::Value, 5},
        {"１，２３４", Outcome::Value, 1234},
        {"1，２34", Outcome::Value, 1234},
        {"１２．５", Outcome::Value, 12},
        {"－２，１４７，４８３，６４９", Outcome::Overflow, 0},
        {"１２ａ", Outcome::Mismatch, 0},
        {"，１２", Outcome::Mismatch, 0},
        {"", Outcome::Mismatch, 0},
        {" ", Outcome::Mismatch, 0},
        {"abc", Outcome::Mismatch, 0},
        {"12abc", Outcome::Mismatch, 0},
        {",123", Outcome::Mismatch, 0},
        {"-", Outcome::Mismatch, 0},
        {".", Outcome::Mismatch, 0},
        {"1 2", Outcome::Mismatch, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        switch (c.outcome) {
        case Outcome::Value:
            EXPECT_EQ(toWhole(text), c.value);
            EXPECT_EQ(readBoxOrZero(text), c.value);
            break;
        case Outcome::Mismatch:
            try {
                toWhole(text);
                ADD_FAILURE() << "no error";
            } catch (const Error &e) {
                EXPECT_EQ(e.description(), Error::typeMismatch().description());
            }
            EXPECT_EQ(readBoxOrZero(text), 0);
            break;
        case Outcome::Overflow:
            try {
                toWhole(text);
                ADD_FAILURE() << "no error";
            } catch (const Error &e) {
                EXPECT_EQ(e.description(), QStringLiteral("オーバーフローしました。"));
            }
            EXPECT_EQ(readBoxOrZero(text), 0);
            break;
        }
    }
}

// A box reads full-width text as its ASCII counterpart, for decimals too; a record line holds ASCII only.
TEST(Numbers, FullWidthTextInABoxButNotInARecord) {
    EXPECT_EQ(toDouble(QStringLiteral("１２．５")), 12.5);
    EXPECT_EQ(toDouble(QStringLiteral("－７．３")), -7.3);
    EXPECT_EQ(recordDouble(QStringLiteral("12.5")), 12.5);
    EXPECT_EQ(recordWhole(QStringLiteral("-1,234")), -1234);
    for (const char *text : {"１２．５", "１２", "－５"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(recordDouble(QString::fromUtf8(text)), Error);
        EXPECT_THROW(recordWhole(QString::fromUtf8(text)), Error);
    }
}

TEST(Numbers, CheckedArithmeticOverflowsAtThirtyTwoBits) {
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(add(max - 1, 1), max);
    EXPECT_THROW(add(max, 1), Error);
    EXPECT_EQ(sub(min + 1, 1), min);
    EXPECT_THROW(sub(min, 1), Error);
    EXPECT_EQ(mul(46340, 46340), 2147395600);
    EXPECT_THROW(mul(46341, 46341), Error);
    EXPECT_THROW(idiv(min, -1), Error);
    EXPECT_THROW(idiv(1, 0), Error);
    EXPECT_EQ(idiv(7, 2), 3);
    EXPECT_EQ(idiv(-7, 2), -3); // toward zero
    EXPECT_EQ(idiv(7, -2), -3);
}

TEST(Numbers, Roundings) {
    struct Case {
        double v;
        std::int32_t halfEven;
        std::int32_t floor;
    } const cases[] = {
        {0.5, 0, 0},   {1.5, 2, 1},    {2.5, 2, 2},
        {-0.5, 0, -1}, {-1.5, -2, -2}, {-2.5, -2, -3},
        {7.3, 7, 7},   {-7.3, -7, -8}, {1e9 + 0.5, 1000000000, 1000000000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(roundHalfEven(c.v), c.halfEven);
        EXPECT_EQ(floorWhole(c.v), c.floor);
    }
    EXPECT_THROW(roundHalfEven(2147483647.5), Error);
    EXPECT_THROW(floorWhole(-2147483649.0), Error);
    EXPECT_THROW(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), Error);
}

TEST(Numbers, AmountPatterns) {
    struct Case {
        std::int64_t v;
        const char *grouped;
        const char *negated;
    } const cases[] = {
        {0, "", ""},
        {5, "5", "-5"},
        {999, "999", "-999"},
        {1000, "1,000", "-1,000"},
        {1234, "1,234", "-1,234"},
        {-1234, "-1,234", "1,234"},
        {1234567, "1,234,567", "-1,234,567"},
        {-2147483648LL, "-2,147,483,648", "2,147,483,648"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(fmtAmount(c.v), QString::fromUtf8(c.grouped));
        EXPECT_EQ(fmtNegAmount(c.v), QString::fromUtf8(c.negated));
        // What a box shows reads back as the amount.
        if (c.v != 0) {
            EXPECT_EQ(toWhole(fmtAmount(c.v)), c.v);
        }
    }
    EXPECT_EQ(fmtAmount(1234.5), QStringLiteral("1,235"));
    EXPECT_EQ(fmtAmount(0.4), QString());
    EXPECT_EQ(fmtAmount(-98765432.0), QStringLiteral("-98,765,432"));
}

TEST(Numbers, RatePatterns) {
    struct Case {
        double v;
        const char *pattern;
        const char *text;
    } const cases[] = {
        {22, "##.#0", "22.00"}, {7.3, "##.#0", "7.30"}, {12.3, "##.#0", "12.30"}, {0, "##.#0", ".00"},
        {5, "##.0", "5.0"},     {9.6, "##.#", "9.6"},   {5, "##.#", "5."},        {7.3f, "##.#0", "7.30"},
        {0.25, "#.##", ".25"},  {1.5, "#.##", "1.5"},   {0.106, "#.##", ".11"},   {2, "#.##", "2."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(c.v));
        EXPECT_EQ(fmtPattern(c.v, c.pattern), QString::fromLatin1(c.text));
    }
}

TEST(Numbers, RecordTextsOfSingleAndDouble) {
    EXPECT_EQ(singleText(7.3f), QStringLiteral("7.3"));
    EXPECT_EQ(singleText(22.0f), QStringLiteral("22"));
    EXPECT_EQ(singleText(130000.0f), QStringLiteral("130000"));
    EXPECT_EQ(doubleText(static_cast<double>(7.3f)), QStringLiteral("7.30000019073486"));
    EXPECT_EQ(doubleText(1234567.0), QStringLiteral("1234567"));
    EXPECT_EQ(doubleText(-0.5), QStringLiteral("-0.5"));
    EXPECT_EQ(singleText(0.0f), QStringLiteral("0"));
}

} // namespace
} // namespace hz
