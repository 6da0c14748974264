#include "base/variant.h"

#include "base/error.h"
#include "base/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kvf {
namespace {

TEST(Variant, EmptyAndNullConvertToNeutralValues) {
    for (const Variant& v : {Variant(), Variant::MakeNull()}) {
        EXPECT_TRUE(v.IsEmpty());
        EXPECT_EQ(0, v.AsInt());
        EXPECT_EQ(0.0, v.AsDouble());
        EXPECT_FALSE(v.AsBool());
        EXPECT_EQ("", v.AsText());
        EXPECT_EQ(Money(), v.AsMoney());
    }
}

TEST(Variant, ConversionsBetweenTypes) {
    struct Case {
        const char* name;
        Variant value;
        int32_t asInt;
        double asDouble;
        bool asBool;
        const char* asText;
        int64_t moneyRaw;
    };
    const Case cases[] = {
        {"integer", Variant::FromInteger(-7), -7, -7.0, true, "-7", -70000},
        {"byte", Variant::FromByte(200), 200, 200.0, true, "200", 2000000},
        {"true is -1", Variant::FromBoolean(true), -1, -1.0, true, "True", -10000},
        {"false", Variant::FromBoolean(false), 0, 0.0, false, "False", 0},
        {"real half to even", Variant::FromReal(2.5), 2, 2.5, true, "2.5", 25000},
        {"real", Variant::FromReal(-3.75), -4, -3.75, true, "-3.75", -37500},
        {"currency", Variant::FromCurrency(Money::FromRaw(125000)), 12, 12.5, true, "12.5", 125000},
        {"date", Variant::FromDate(43825.5), 43826, 43825.5, true, "26.12.2019 12:00:00", 438255000},
        {"text number", Variant::FromText(" 12.5 "), 12, 12.5, true, " 12.5 ", 125000},
        {"text integer", Variant::FromText("42"), 42, 42.0, true, "42", 420000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.asInt, c.value.AsInt());
        EXPECT_EQ(c.asDouble, c.value.AsDouble());
        EXPECT_EQ(c.asBool, c.value.AsBool());
        EXPECT_EQ(c.asText, c.value.AsText());
        EXPECT_EQ(c.moneyRaw, c.value.AsMoney().Raw());
    }
    EXPECT_TRUE(Variant::FromText("true").AsBool());
    EXPECT_FALSE(Variant::FromText("FALSE").AsBool());
    EXPECT_EQ("26.12.2019", Variant::FromDate(43825).AsText());
}

TEST(Variant, UnconvertibleValuesRaise) {
    EXPECT_THROW(Variant::FromText("Окно").AsInt(), KvfError);
    EXPECT_THROW(Variant::FromText("Окно").AsDouble(), KvfError);
    EXPECT_THROW(Variant::FromText("Окно").AsBool(), KvfError);
    EXPECT_THROW(Variant::FromReal(3e9).AsInt(), KvfError);
    EXPECT_THROW(Variant::FromReal(std::nan("")).AsInt(), KvfError);
}

} // namespace
} // namespace kvf
