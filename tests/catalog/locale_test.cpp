// Numbers read and written as text do not depend on the process locale: the
// desktop program starts with setlocale(LC_ALL, ""), and in a Russian locale
// the C library's decimal separator is a comma.

#include "catalog/field.h"
#include "catalog/filter.h"
#include "catalog/paradox_import.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace kvf {
namespace {

class RussianLocale : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
            GTEST_FAIL() << "the ru_RU.UTF-8 locale is missing (scripts/install-deps.sh generates it)";
    }
    void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

private:
    std::string previous_;
};

TEST_F(RussianLocale, FieldReadersUseAFullStop) {
    const FieldDef decimal{"Value", FieldKind::Decimal, 0, 2};
    const FieldDef money{"Price", FieldKind::Money};
    const FieldDef integer{"Number", FieldKind::Int16};
    EXPECT_EQ(97.25, ValueAsFloat(decimal, Value{std::string("97.25")}));
    EXPECT_EQ(Value{2.5}, NormalizeValue(decimal, Value{std::string(" 2.5 ")}));
    EXPECT_EQ(125000, ValueAsMoneyUnits(money, Value{std::string("12.5")}));
    EXPECT_EQ(12, ValueAsInteger(integer, Value{std::string("12.7")}));
    EXPECT_EQ("97.25", ValueAsString(decimal, Value{97.25}));
    EXPECT_EQ("1.5E20", ValueAsString(decimal, Value{1.5e20}));
}

TEST_F(RussianLocale, FilterLiteralsUseAFullStop) {
    const std::vector<FieldDef> fields{{"Value", FieldKind::Decimal, 0, 2}};
    const FieldNames names(fields);
    for (const char* text : {"Value > 97.2", "Value > '97.2'"}) {
        SCOPED_TRACE(text);
        const auto filter = CompiledFilter::Compile(text, fields, names);
        EXPECT_TRUE(filter->Matches({Value{97.25}}));
        EXPECT_FALSE(filter->Matches({Value{97.15}}));
    }
}

TEST_F(RussianLocale, ParadoxDecimalsKeepTheirFraction) {
    const ParadoxTable table =
        ReadParadoxTable(std::string(KVF_SHARED_DIR) + "/paradox-samples/paradoxdriver/fields/bcd.db");
    EXPECT_EQ(Value{1.23}, table.Rows.at(0).at(0));
    EXPECT_EQ(Value{-0.123}, table.Rows.at(1).at(2));
}

} // namespace
} // namespace kvf
