// kvf catalog diff between small catalogs.

#include "run_kvf.h"
#include "small_catalog.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace kvf::cli::test {
namespace {

using nlohmann::json;

class CatalogDiff : public ::testing::Test, protected SmallCatalogs {
protected:
    CatalogDiff() {
        oldDir = WriteCatalog("old", [](TDM& dm) {
            Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "D1"}, {"Number", 1}});
            Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "D2"}, {"Number", 1}});
            Row(dm.T_FrnItoI, {{"ID", "E1"}, {"Item", "E2"}, {"Number", 1}});
        });
    }

    // The tables that differ, from the JSON of `kvf catalog diff`.
    json Diff(const std::function<void(TDM&)>& edit) {
        const std::string newDir = WriteCatalog("new" + std::to_string(++made_), [&](TDM& dm) {
            Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "D1"}, {"Number", 1}});
            Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "D2"}, {"Number", 1}});
            Row(dm.T_FrnItoI, {{"ID", "E1"}, {"Item", "E2"}, {"Number", 1}});
            if (edit)
                edit(dm);
        });
        const Result r = run({"catalog", "diff", oldDir, newDir});
        EXPECT_EQ(0, r.status) << r.err;
        return r.status == 0 ? json::parse(r.out)["Tables"] : json();
    }

    std::string oldDir;
    int made_ = 0;
};

TEST_F(CatalogDiff, RowsMatchedByTheirKey) {
    EXPECT_EQ(json::array(), Diff({}));

    const json price = Diff([](TDM& dm) { Change(dm.T_Catalog, "A1", "Price", 5.0); });
    ASSERT_EQ(1u, price.size());
    EXPECT_EQ("Catalog", price[0]["Table"]);
    EXPECT_EQ(json::parse(R"([{"Key":{"ID":"A1"},"Fields":[{"Field":"Price","Old":"2.5","New":"5"}]}])"),
              price[0]["Changed"]);
    EXPECT_EQ(json::array(), price[0]["Added"]);

    const json articles = Diff([](TDM& dm) {
        ASSERT_TRUE(dm.T_Catalog.FindKey({Value("A2")}));
        dm.T_Catalog.Delete();
        Row(dm.T_Catalog, {{"ID", "A3"}, {"Name", "Упор"}, {"Price", 1.0}, {"Currency", 1}});
    });
    ASSERT_EQ(1u, articles.size());
    ASSERT_EQ(1u, articles[0]["Added"].size());
    EXPECT_EQ("A3", articles[0]["Added"][0]["ID"]);
    EXPECT_EQ("Упор", articles[0]["Added"][0]["Name"]);
    ASSERT_EQ(1u, articles[0]["Removed"].size());
    EXPECT_EQ("A2", articles[0]["Removed"][0]["ID"]);
    EXPECT_EQ(json::array(), articles[0]["Changed"]);
}

TEST_F(CatalogDiff, RowsSharingAKeyAndTablesWithoutOne) {
    struct Case {
        const char* name;
        std::function<void(TDM&)> edit;
        const char* table;
        size_t added, removed, changed;
    } cases[] = {
        // A row among rows of one key is an addition, not a change of those after it.
        {"accessory added before the others",
         [](TDM& dm) {
             dm.T_FrnDop.EmptyTable();
             for (const char* id : {"D0", "D1", "D2"})
                 Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", id}, {"Number", 1}});
         },
         "FrnDop", 1, 0, 0},
        {"accessory count changed", [](TDM& dm) { Change(dm.T_FrnDop, "A1", "Number", 2); }, "FrnDop", 0, 0,
         1},
        {"part of a composite changed",
         [](TDM& dm) {
             dm.T_FrnItoI.First();
             dm.T_FrnItoI.Edit();
             dm.T_FrnItoI.SetValue("Number", 3);
             dm.T_FrnItoI.Post();
         },
         "FrnItoI", 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const json tables = Diff(c.edit);
        ASSERT_EQ(1u, tables.size());
        EXPECT_EQ(c.table, tables[0]["Table"]);
        EXPECT_EQ(c.added, tables[0]["Added"].size());
        EXPECT_EQ(c.removed, tables[0]["Removed"].size());
        EXPECT_EQ(c.changed, tables[0]["Changed"].size());
    }
}

TEST_F(CatalogDiff, TextAndMissingCatalogs) {
    const std::string newDir = WriteCatalog("text", [](TDM& dm) {
        Change(dm.T_Catalog, "A1", "Price", 5.0);
        Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "D1"}, {"Number", 1}});
    });
    const Result r = run({"catalog", "diff", oldDir, newDir, "--text"});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ("Catalog: добавлено 0, удалено 0, изменено 1\n"
              "  * ID=A1: Price 2.5 -> 5;\n"
              "FrnDop: добавлено 0, удалено 1, изменено 0\n"
              "  - CatalogID=A1, AccessoryID=D2, Number=1\n"
              "FrnItoI: добавлено 0, удалено 1, изменено 0\n"
              "  - ID=E1, Item=E2, Number=1\n",
              r.out);
    const Result missing = run({"catalog", "diff", oldDir, (folder / "none").string()});
    EXPECT_EQ(1, missing.status);
    EXPECT_NE(std::string::npos, missing.err.find("catalog.sqlite is missing"));
}

} // namespace
} // namespace kvf::cli::test
