#include "base/number_format.h"

#include <gtest/gtest.h>

#include <clocale>

namespace kvf {
namespace {

TEST(NumberFormat, FormatFixedRoundsHalvesAwayOnTheStoredValue) {
    struct Case {
        const char* name;
        long double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {"half up", 812.5L, 0, "813"},
        {"below half", 812.49L, 0, "812"},
        {"even half still away", 2.5L, 0, "3"},
        {"negative half away", -2.5L, 0, "-3"},
        {"stored below the half", static_cast<double>(2.675), 2, "2.67"},
        {"exact binary half", 0.125L, 2, "0.13"},
        {"one decimal", 1.25L, 1, "1.3"},
        {"carry into integer", 9.96L, 1, "10.0"},
        {"carry adds a digit", 999.5L, 0, "1000"},
        {"no negative zero", -0.4L, 0, "0"},
        {"small negative", -0.004L, 2, "0.00"},
        {"zero", 0.0L, 2, "0.00"},
        {"tiny positive", 1e-30L, 3, "0.000"},
        {"large", 1e20L, 1, "100000000000000000000.0"},
        {"just below a half from double arithmetic", static_cast<double>(0.1 + 0.2 + 0.15), 1, "0.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, FormatFixed(c.value, c.decimals));
    }
}

TEST(NumberFormat, IgnoresTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ("1.50", FormatFixed(1.5L, 2));
    EXPECT_EQ("1.5", FormatFloatShort(1.5));
    EXPECT_EQ(1.5, ParseDecimal("1.5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberFormat, FormatFloatShort) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.1, "0.1"},         {1.0 / 3, "0.333333333333333"},
        {700, "700"},         {-12.5, "-12.5"},
        {1e15, "1E15"},       {123456789012345, "123456789012345"},
        {1.5e20, "1.5E20"},   {1e-7, "1E-7"},
        {0.00001, "0.00001"}, {0, "0"},
        {0.1 + 0.2, "0.3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.expected, FormatFloatShort(c.value));
    }
}

TEST(NumberFormat, TextToNumbers) {
    EXPECT_EQ(42, StrToIntDef(" 42 ", 0));
    EXPECT_EQ(-7, StrToIntDef("-7", 0));
    EXPECT_EQ(5, StrToIntDef("+5", 0));
    EXPECT_EQ(0, StrToIntDef("4.2", 0));
    EXPECT_EQ(-1, StrToIntDef("", -1));
    EXPECT_EQ(-1, StrToIntDef("12a", -1));
    EXPECT_EQ(-1, StrToIntDef("99999999999999999999", -1));
    EXPECT_EQ(std::nullopt, ParseInteger("+-1"));

    EXPECT_EQ(12.5, ParseDecimal(" 12.5 "));
    EXPECT_EQ(-0.5, ParseDecimal("-.5"));
    EXPECT_EQ(1000, ParseDecimal("1e3"));
    EXPECT_EQ(3, ParseDecimal("3"));
    for (const char* bad : {"", "1,5", "inf", "nan", "-", "1.5x", "--1", "+-1"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(std::nullopt, ParseDecimal(bad));
    }
}

} // namespace
} // namespace kvf
