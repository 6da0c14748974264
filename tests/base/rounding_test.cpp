#include "base/rounding.h"

#include "base/error.h"
#include "base/money.h"
#include "base/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvf {
namespace {

// The rules side by side: the catalog's scaled values halve away from zero on
// the shortest decimal of the double, the "%.Nf" texts on the exact binary
// value, and money halves to even.
TEST(Rounding, ScaledValuesAndFixedTexts) {
    struct Case {
        const char* name;
        double value;
        int places;
        double scaled;
        const char* fixedText; // nullptr: not shown as text
    } cases[] = {
        {"decimal half, binary below it", 2.675, 2, 2.68, "2.67"},
        {"exact binary half", 0.125, 2, 0.13, "0.13"},
        {"negative half to zero places", -0.5, 0, -1.0, "-1"},
        {"negative beyond the half", -2.675, 2, -2.68, "-2.67"},
        {"money place, tie", 1.00005, 4, 1.0001, "1.0001"},
        {"money place, other tie", 1.00015, 4, 1.0002, nullptr},
        {"carry into a new digit", 999999999999.995, 2, 1000000000000.0, "999999999999.99"},
        {"largest money amount", 922337203685477.5, 4, 922337203685477.5, "922337203685477.5000"},
        {"largest double", 1.7976931348623157e308, 2, 1.7976931348623157e308, nullptr},
        {"already at its places", 97.25, 2, 97.25, "97.25"},
        {"below half of the last place", 0.004, 2, 0.0, "0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double scaled = RoundScaled(c.value, c.places);
        EXPECT_EQ(c.scaled, scaled);
        EXPECT_EQ(std::signbit(c.scaled), std::signbit(scaled));
        if (c.fixedText != nullptr)
            EXPECT_EQ(c.fixedText, FormatFixed(c.value, c.places));
    }
    // Money halves to even.
    EXPECT_EQ(Money::FromRaw(10000).MulRound(1.00005), Money::FromRaw(10000));
    EXPECT_EQ(Money::FromRaw(10000).MulRound(1.00015), Money::FromRaw(10002));
}

TEST(Rounding, RoundAwayHalvesAwayFromZero) {
    struct Case {
        long double x;
        int expected;
    };
    const Case cases[] = {{0.5L, 1}, {-0.5L, -1}, {1.49999L, 1}, {2.5L, 3}, {-2.5L, -3}, {0, 0}, {-0.4L, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.x));
        EXPECT_EQ(c.expected, RoundAway(c.x));
    }
    EXPECT_THROW(RoundAway(2147483647.5L), KvfError);
    EXPECT_THROW(RoundAway(-2147483649.0L), KvfError);
    EXPECT_EQ(-2147483647 - 1, RoundAway(-2147483648.4L));
}

TEST(Rounding, RoundToOneAndFourDecimals) {
    EXPECT_NEAR(2.3, static_cast<double>(RoundTo1(2.25L)), 1e-15);
    EXPECT_NEAR(-2.3, static_cast<double>(RoundTo1(-2.25L)), 1e-15);
    EXPECT_EQ(0.0L, RoundTo1(0.0L));
    EXPECT_NEAR(10.0, static_cast<double>(RoundTo1(9.96L)), 1e-15);
    EXPECT_NEAR(1.2346, static_cast<double>(RoundTo4(1.23455L)), 1e-12);
    EXPECT_NEAR(-1.2346, static_cast<double>(RoundTo4(-1.23455L)), 1e-12);
}

TEST(Rounding, RoundToDigits) {
    EXPECT_NEAR(1.2346, static_cast<double>(RoundToDigits(4, 1.23456L)), 1e-15);
    EXPECT_NEAR(-1.2346, static_cast<double>(RoundToDigits(4, -1.23456L)), 1e-15);
    EXPECT_NEAR(1300.0, static_cast<double>(RoundToDigits(-2, 1250.0L)), 1e-12);
    EXPECT_NEAR(1200.0, static_cast<double>(RoundToDigits(-2, 1249.0L)), 1e-12);
    EXPECT_NEAR(0.12345679, static_cast<double>(RoundToDigits(8, 0.123456789L)), 1e-17);
    EXPECT_THROW(RoundToDigits(38, 1.0L), KvfError);
    EXPECT_THROW(RoundToDigits(-38, 1.0L), KvfError);
}

TEST(Rounding, RoundUpAndDownAfterFourDecimals) {
    struct Case {
        const char* name;
        long double x;
        int up;
        int down;
    };
    const Case cases[] = {
        {"noise below four decimals", 2.00004L, 2, 2},
        {"noise below four decimals, negative", -2.00004L, -2, -2},
        {"half", 2.5L, 3, 2},
        {"negative half", -2.5L, -2, -3},
        {"one ten-thousandth", 2.0001L, 3, 2},
        {"negative ten-thousandth", -2.0001L, -2, -3},
        {"rounds to the next integer", 2.99996L, 3, 3},
        {"integer", 7.0L, 7, 7},
        {"zero", 0.0L, 0, 0},
        {"small positive", 0.3L, 1, 0},
        {"small negative", -0.3L, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.up, RoundUp(c.x));
        EXPECT_EQ(c.down, RoundDown(c.x));
    }
    EXPECT_THROW(RoundUp(3e9L), KvfError);
}

} // namespace
} // namespace kvf
