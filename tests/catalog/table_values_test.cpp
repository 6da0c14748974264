#include "catalog_fixture.h"

namespace kvf {
namespace {

using TableValuesTest = CatalogFixture;

// A value written to a money or decimal field reads the same straight after
// Post and after the table is read again from the database.
TEST_F(TableValuesTest, MoneyAndDecimalReadTheSameBeforeAndAfterReopening) {
    struct Case {
        const char* name;
        const char* field;
        Value input;
        bool blank;
        double amount; // AsFloat
        int64_t units; // AsMoneyUnits
        const char* text;
    };
    const Case cases[] = {
        {"money from an integer", "Price", Value{int64_t{25000}}, false, 25000, 250000000, "25000"},
        {"money from a negative integer", "Price", Value{int64_t{-7}}, false, -7, -70000, "-7"},
        {"money from a real", "Price", Value{2.5}, false, 2.5, 25000, "2.5"},
        {"money from a real beyond four places", "Price", Value{12.34565}, false, 12.3457, 123457, "12.3457"},
        {"money from integer text", "Price", Value{std::string("25000")}, false, 25000, 250000000, "25000"},
        {"money from decimal text", "Price", Value{std::string("0.0125")}, false, 0.0125, 125, "0.0125"},
        {"money from empty text", "Price", Value{std::string()}, true, 0, 0, ""},
        {"money blank", "Price", Value{}, true, 0, 0, ""},
        {"decimal from an integer", "MinTrade", Value{int64_t{3}}, false, 3, 30000, "3"},
        {"decimal from a real", "MinTrade", Value{1.005}, false, 1.01, 10100, "1.01"},
        {"decimal from text", "MinTrade", Value{std::string("2.345")}, false, 2.35, 23500, "2.35"},
        {"decimal blank", "MinTrade", Value{}, true, 0, 0, ""},
    };
    Sql("INSERT INTO Catalog (ID, Price, MinTrade) VALUES ('E', 1, 1)");
    OpenAll();
    Table& t = dm_.T_Catalog;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string appended = "A" + std::to_string(n++);
        t.Append();
        t.SetValue("ID", Value{appended});
        t.SetValue(c.field, c.input);
        t.Post();
        ASSERT_TRUE(t.Locate("ID", {Value{std::string("E")}}));
        t.Edit();
        t.SetValue(c.field, c.input);
        t.Post();

        auto expect = [&](const char* when) {
            SCOPED_TRACE(when);
            for (const std::string& id : {appended, std::string("E")}) {
                SCOPED_TRACE(id);
                ASSERT_TRUE(t.Locate("ID", {Value{id}}));
                EXPECT_EQ(c.blank, t.IsNull(c.field));
                EXPECT_NEAR(c.amount, t.AsFloat(c.field), 1e-9);
                EXPECT_EQ(c.units, t.AsMoneyUnits(c.field));
                EXPECT_EQ(c.text, t.AsString(c.field));
            }
        };
        expect("after posting");
        t.Close();
        t.Open();
        expect("after reopening");
    }
}

// A row's values copied into another row keep their amounts.
TEST_F(TableValuesTest, CurrentValuesCopiedIntoAnotherRowKeepTheirAmounts) {
    Sql("INSERT INTO Catalog (ID, Price, MinTrade) VALUES ('S', 12.5, 0.25)");
    OpenAll();
    Table& t = dm_.T_Catalog;
    ASSERT_TRUE(t.Locate("ID", {Value{std::string("S")}}));
    const std::vector<Value> source = t.CurrentValues();
    t.Append();
    for (size_t i = 0; i < source.size(); ++i)
        t.SetValue(t.Fields()[i].Name, source[i]);
    t.SetValue("ID", Value{std::string("C")});
    t.Post();
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "after posting" : "after reopening");
        ASSERT_TRUE(t.Locate("ID", {Value{std::string("C")}}));
        EXPECT_EQ(125000, t.AsMoneyUnits("Price"));
        EXPECT_NEAR(0.25, t.AsFloat("MinTrade"), 1e-9);
        t.Close();
        t.Open();
    }
}

} // namespace
} // namespace kvf
