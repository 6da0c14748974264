#include "catalog/filter.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

const std::vector<FieldDef> kFields = {
    {"ID", FieldKind::Text, 30, 0},    {"Color", FieldKind::Text, 10, 0}, {"Num", FieldKind::Int16, 0, 0},
    {"Dec", FieldKind::Decimal, 0, 2}, {"Price", FieldKind::Money, 0, 4}, {"Group", FieldKind::Int16, 0, 0},
};

std::vector<Value> Row(std::string id, Value color, Value num, Value dec, Value price = Value{},
                       Value group = Value{}) {
    return {Value{std::move(id)}, std::move(color), std::move(num),
            std::move(dec),       std::move(price), std::move(group)};
}

TEST(Filter, GrammarAndEvaluation) {
    const auto plain = Row("AB-1", Value{std::string("RAL")}, Value{int64_t{5}}, Value{1.5}, Value{12.5});
    const auto blank = Row("", Value{}, Value{}, Value{});
    const auto negative = Row("ab-1", Value{std::string("")}, Value{int64_t{-3}}, Value{-0.25});
    struct Case {
        const char* name;
        const char* filter;
        const std::vector<Value>& row;
        bool expected;
    } cases[] = {
        {"text equal", "ID='AB-1'", plain, true},
        {"text is case-sensitive", "ID='ab-1'", plain, false},
        {"text not equal", "ID <> 'AB-1'", negative, true},
        {"text order is byte order", "ID < 'AB-2'", plain, true},
        {"field names ignore case", "id = 'AB-1' AND num = 5", plain, true},
        {"empty literal matches blank text", "Color = ''", blank, true},
        {"empty literal matches empty text", "Color=''", negative, true},
        {"empty literal refuses text", "Color = ''", plain, false},
        {"integer comparisons", "Num >= 5 and Num <= 5 and Num > 4 and Num < 6", plain, true},
        {"negative literal", "Num = -3", negative, true},
        {"decimal with a full stop", "Dec = 1.5", plain, true},
        {"decimal ranges", "Dec >= 1.49 and Dec < 1.51", plain, true},
        {"negative decimal", "Dec <= -0.25", negative, true},
        {"money compares as amount", "Price = 12.5", plain, true},
        {"blank number reads as 0", "Num = 0 and Dec = 0", blank, true},
        {"and binds tighter than or (left)", "Num = 1 and Num = 2 or Num = 5", plain, true},
        {"and binds tighter than or (right)", "Num = 5 or Num = 1 and Num = 2", plain, true},
        {"and binds tighter than or (false)", "Num = 1 or Num = 2 and Num = 5", plain, false},
        {"parentheses regroup", "(Num = 1 or Num = 5) and Num = 2", plain, false},
        {"nested parentheses", "((Num = 5) and (ID = 'AB-1' or ID = 'x'))", plain, true},
        {"quote inside text", "ID = 'it''s'", Row("it's", Value{}, Value{}, Value{}), true},
        {"reserved-looking field name", "Group = 0", plain, true},
        {"numeric text literal on a number field", "Num = '5'", plain, true},
        {"number literal on a text field compares its text", "ID = 5", Row("5", Value{}, Value{}, Value{}),
         true},
        {"keywords ignore case", "Num = 5 AND (Num = 1 OR Num = 5)", plain, true},
        {"number literal orders a text field by its text", "ID >= 10", Row("5", Value{}, Value{}, Value{}),
         true},
        {"text orders in Windows-1251", "ID < 'Я'", Row("ё", Value{}, Value{}, Value{}), true},
        {"long chains", "Num = 1 or Num = 2 or Num = 5 and ID = 'AB-1' and Dec > 1", plain, true},
        {"long chains (false)", "Num = 5 and ID = 'AB-1' and Dec > 1 and Num = 2 or Num = 3", plain, false},
        {"plus-signed and fractional literals", "Num = +5 and Dec = 1.50 and Dec > .5 and Dec < 2.", plain,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto f = CompiledFilter::Compile(c.filter, kFields);
        EXPECT_EQ(c.expected, f->Matches(c.row));
    }
}

TEST(Filter, MalformedTextRaisesNamingIt) {
    const char* cases[] = {"",
                           "ID",
                           "ID =",
                           "ID = 'open",
                           "Nope = 1",
                           "(Num = 1",
                           "Num = 1)",
                           "Num = 1 and",
                           "Num == 1",
                           "Num = 1 Num = 2",
                           "Num = 1.2.3",
                           "Num = 'abc'",
                           "Num = 12abc",
                           "and Num = 1"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        try {
            CompiledFilter::Compile(text, kFields);
            ADD_FAILURE() << "accepted";
        } catch (const KvfError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(std::string("[") + text + "]"));
        }
    }
}

TEST(Filter, FixedValueOnlyFromTheTopConjunction) {
    struct Case {
        const char* filter;
        bool fixed;
    } cases[] = {
        {"ID='x' and Num = 1", true}, {"Num = 1 and (ID='x')", true},          {"ID='x' or Num = 1", false},
        {"ID>='x'", false},           {"(ID='x' or ID='y') and Num=1", false}, {"ID=''", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        auto f = CompiledFilter::Compile(c.filter, kFields);
        EXPECT_EQ(c.fixed, f->FixedValue(0).has_value());
    }
}

} // namespace
} // namespace kvf
