// kvf order compare between two small catalogs.

#include "run_kvf.h"
#include "small_catalog.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace kvf::cli::test {
namespace {

using nlohmann::json;

class OrderCompare : public ::testing::Test, protected SmallCatalogs {
protected:
    json Compare(const std::string& against, std::vector<std::string> extra = {}, int status = 0) {
        std::vector<std::string> words{"order", "compare", order, "--catalog", oldDir, "--against", against};
        words.insert(words.end(), extra.begin(), extra.end());
        const Result r = run(words);
        EXPECT_EQ(status, r.status) << r.err;
        return r.status == 0 || r.status == 3 ? json::parse(r.out) : json();
    }

    std::string oldDir = WriteCatalog("old");
    std::string order = WriteOrder();
};

TEST_F(OrderCompare, TheSameCatalogChangesNothing) {
    const std::string before = Bytes(order);
    const json result = Compare(oldDir, {"--fail-on-change"});
    ASSERT_EQ(3u, result["Positions"].size());
    for (const json& p : result["Positions"]) {
        SCOPED_TRACE(p.dump());
        EXPECT_EQ(json::array(), p["Changes"]);
        EXPECT_EQ(p["Old"], p["New"]);
        EXPECT_EQ(nullptr, p["Old"]["Error"]);
    }
    EXPECT_EQ("5.0000", result["Positions"][0]["Old"]["Cost"]);
    EXPECT_EQ("2.5000", result["Positions"][1]["Old"]["Cost"]);
    EXPECT_EQ("7.5000", result["Positions"][2]["Old"]["Cost"]);
    EXPECT_EQ(before, Bytes(order));
}

TEST_F(OrderCompare, ADoubledPriceChangesExactlyThePositionsUsingIt) {
    const std::string newDir = WriteCatalog("new", [](TDM& dm) { Change(dm.T_Catalog, "A1", "Price", 5.0); });
    const json result = Compare(newDir, {"--fail-on-change"}, 3);
    ASSERT_EQ(3u, result["Positions"].size());
    const json& first = result["Positions"][0];
    EXPECT_EQ(
        json::parse(
            R"([{"ID":"A1","OldQuantity":2.0,"NewQuantity":2.0,"OldPrice":"2.5000","NewPrice":"5.0000"}])"),
        first["Changes"]);
    // The cost grows by quantity times the price difference.
    EXPECT_EQ("5.0000", first["Old"]["Cost"]);
    EXPECT_EQ("10.0000", first["New"]["Cost"]);
    EXPECT_EQ(json::array(), result["Positions"][1]["Changes"]);
    EXPECT_EQ(result["Positions"][1]["Old"], result["Positions"][1]["New"]);
    EXPECT_EQ(1u, result["Positions"][2]["Changes"].size());
    EXPECT_EQ("12.5000", result["Positions"][2]["New"]["Cost"]);

    const json one = Compare(newDir, {"--pos", "2", "--fail-on-change"});
    ASSERT_EQ(1u, one["Positions"].size());
    EXPECT_EQ("2", one["Positions"][0]["No"]);
}

TEST_F(OrderCompare, ArticlesComingAndGoingAndPositionsThatFail) {
    struct Case {
        const char* name;
        std::function<void(TDM&)> edit;
        json first;  // the changes of position 1
        json second; // "New" of position 2
    } cases[] = {
        {"a row of the complect now gives another article",
         [](TDM& dm) { Change(dm.T_FrnSet, "C1", "Item", "E2"); },
         json::parse(R"([{"ID":"A1","OldQuantity":2.0,"NewQuantity":0.0,"OldPrice":"2.5000","NewPrice":null},
                         {"ID":"A2","OldQuantity":0.0,"NewQuantity":2.0,"OldPrice":null,"NewPrice":"2.5000"}])"),
         json::parse(R"({"Cost":"2.5000","Error":null})")},
        {"a removed article is the error of the positions using it",
         [](TDM& dm) {
             ASSERT_TRUE(dm.T_Catalog.FindKey({Value("A2")}));
             dm.T_Catalog.Delete();
         },
         json::array(),
         json{{"Cost", nullptr},
              {"Error", "В каталоге отсутствуют данные для [A2]!\r\n(Поиск [Наименование] через [Код])"}}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const json result = Compare(WriteCatalog("new" + std::to_string(++n), c.edit));
        ASSERT_EQ(3u, result["Positions"].size());
        EXPECT_EQ(c.first, result["Positions"][0]["Changes"]);
        EXPECT_EQ(c.second, result["Positions"][1]["New"]);
    }
}

TEST_F(OrderCompare, WrongWordsAndMissingPositions) {
    EXPECT_EQ(2, run({"order", "compare", order, "--catalog", oldDir}).status);
    const Result missing =
        run({"order", "compare", order, "--catalog", oldDir, "--against", oldDir, "--pos", "9"});
    EXPECT_EQ(1, missing.status);
    EXPECT_EQ("Позиция [9] не найдена в заказе\n", missing.err);
    EXPECT_EQ(1,
              run({"order", "compare", order, "--catalog", oldDir, "--against", (folder / "none").string()})
                  .status);
}

} // namespace
} // namespace kvf::cli::test
