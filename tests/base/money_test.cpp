#include "base/money.h"

#include "base/error.h"

#include <gtest/gtest.h>

#include <climits>

namespace kvf {
namespace {

Money M(const char* text) {
    return *Money::Parse(text);
}

TEST(Money, ProductsRoundOnceHalfToEven) {
    struct Case {
        const char* name;
        const char* amount;
        double factor;
        const char* expected;
    };
    const Case cases[] = {
        {"price by quantity", "12.3456", 2.4, "29.6294"},             // 29.62944
        {"half goes to even (down)", "1.0001", 2.5, "2.5002"},        // 2.50025
        {"half goes to even (up)", "1.0003", 2.5, "2.5008"},          // 2.50075
        {"decimal factor half", "1.2345", 0.3, "0.3704"},             // 0.37035, not 0.370349999...
        {"decimal factor half, even stays", "1.2355", 0.3, "0.3706"}, // 0.37065 -> 0.3706
        {"negative half to even", "-1.0001", 2.5, "-2.5002"},
        {"negative factor", "10.0000", -0.33333, "-3.3333"},
        {"vat", "100.0000", 1.2, "120.0000"},
        {"tiny factor", "1.0000", 1e-30, "0.0000"},
        {"zero", "0.0000", 123.456, "0.0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, M(c.amount).MulRound(c.factor).Format4());
    }
}

TEST(Money, QuotientsRoundOnceHalfToEven) {
    struct Case {
        const char* name;
        const char* amount;
        double divisor;
        const char* expected;
    };
    const Case cases[] = {
        {"thirds", "1.0000", 3, "0.3333"},
        {"half to even down", "0.0001", 2, "0.0000"},
        {"half to even up", "0.0003", 2, "0.0002"},
        {"rate", "100.0000", 0.3, "333.3333"},
        {"decimal divisor", "0.0005", 0.1, "0.0050"},
        {"small divisor", "1.0000", 1.2345678901234567e-5, "81000.0007"}, // 81000.000737
        {"huge divisor", "1.0000", 1e25, "0.0000"},
        {"negative", "-1.0000", 8, "-0.1250"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, M(c.amount).DivRound(c.divisor).Format4());
    }
}

TEST(Money, ErrorsAreRaised) {
    EXPECT_THROW(M("1").DivRound(0.0), KvfError);
    EXPECT_THROW(M("1").MulRound(std::numeric_limits<double>::infinity()), KvfError);
    EXPECT_THROW(Money::FromRaw(INT64_MAX).MulRound(2), KvfError);
    EXPECT_THROW(Money::FromRaw(INT64_MAX) + Money::FromRaw(1), KvfError);
    EXPECT_THROW(Money::FromRaw(INT64_MIN) - Money::FromRaw(1), KvfError);
    EXPECT_THROW(-Money::FromRaw(INT64_MIN), KvfError);
    EXPECT_THROW(Money::FromRaw(1).DivRound(1e-30), KvfError);
}

TEST(Money, FromDoubleTakesTheDecimalValue) {
    EXPECT_EQ(Money::FromRaw(123456), Money::FromDouble(12.3456));
    EXPECT_EQ(Money::FromRaw(20002), Money::FromDouble(2.00015)); // half to even
    EXPECT_EQ(Money::FromRaw(20002), Money::FromDouble(2.00025));
    EXPECT_EQ(Money::FromRaw(-1), Money::FromDouble(-0.00005001));
    EXPECT_EQ(Money(), Money::FromDouble(0.00005));
    EXPECT_EQ(12.3456, Money::FromRaw(123456).ToDouble());
}

TEST(Money, SumsAreExact) {
    Money total;
    for (int i = 0; i < 10; ++i)
        total += M("0.1");
    EXPECT_EQ(M("1"), total);
    total -= M("1.5");
    EXPECT_EQ("-0.5000", total.Format4());
    EXPECT_LT(total, Money());
    EXPECT_EQ(M("0.5"), -total);
}

TEST(Money, FormatAndParse) {
    EXPECT_EQ("12.3456", Money::FromRaw(123456).Format4());
    EXPECT_EQ("-0.5000", Money::FromRaw(-5000).Format4());
    EXPECT_EQ("0.0000", Money().Format4());
    EXPECT_EQ("-922337203685477.5808", Money::FromRaw(INT64_MIN).Format4());
    struct Case {
        const char* text;
        std::optional<int64_t> raw;
    };
    const Case cases[] = {
        {"12.3456", 123456},
        {"-0.5", -5000},
        {" 7 ", 70000},
        {".5", 5000},
        {"+1.", 10000},
        {"-922337203685477.5808", INT64_MIN},
        {"", std::nullopt},
        {"1.23456", std::nullopt},
        {"1,5", std::nullopt},
        {"abc", std::nullopt},
        {"922337203685477.5808", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<Money> parsed = Money::Parse(c.text);
        ASSERT_EQ(c.raw.has_value(), parsed.has_value());
        if (c.raw)
            EXPECT_EQ(*c.raw, parsed->Raw());
    }
}

} // namespace
} // namespace kvf
