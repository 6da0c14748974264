// kvf registry compare over the registry of a configuration in a temporary home.

#include "../config/temp_home.h"
#include "run_kvf.h"
#include "small_catalog.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace kvf::cli::test {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

// Configuration "Офис" with the small catalog and a server folder whose
// registry lists the order twice (once by its stored name, once under a file
// that is gone).
class OrderCompareRegistry : public ::testing::Test, protected SmallCatalogs {
protected:
    OrderCompareRegistry() {
        const fs::path server = folder / "server";
        fs::create_directories(server / "Orders");
        fs::create_directories(server / "Registry");
        fs::rename(WriteOrder(), server / "Orders" / "order.kfo370");
        ScriptedPrompter prompter;
        TDM dm;
        EXPECT_TRUE(dm.OpenDatabase(dm.DB_Registry, (server / "Registry").string(), prompter));
        dm.T_OrderList.Open();
        Row(dm.T_OrderList, {{"No", "З-1"}, {"Customer", "Иванов"}, {"OrderFile", "%ORDER.KFO370"}});
        Row(dm.T_OrderList, {{"No", "З-2"}, {"Customer", "Петров"}, {"OrderFile", "%GONE.KFO370"}});
        dm.CloseDatabases();
        EXPECT_EQ(0, run({"config", "add", "Офис", "--catalog", oldDir, "--server", server.string(),
                          "--reports", folder.string(), "--default"})
                         .status);
    }

    kvf::test::TempHome home;
    std::string oldDir = WriteCatalog("old");
};

TEST_F(OrderCompareRegistry, EveryRegisteredOrderAgainstTheNewCatalog) {
    const std::string newDir = WriteCatalog("new", [](TDM& dm) { Change(dm.T_Catalog, "A1", "Price", 5.0); });
    const Result r = run({"registry", "compare", "--against", newDir, "--fail-on-change"});
    ASSERT_EQ(3, r.status) << r.err;
    const json orders = json::parse(r.out)["Orders"];
    ASSERT_EQ(2u, orders.size());
    // Two pieces of each position: (5 + 2.5 + 7.5) x 2 before, (10 + 2.5 + 12.5) x 2 after.
    EXPECT_EQ("З-1", orders[0]["No"]);
    EXPECT_EQ("30.0000", orders[0]["OldTotal"]);
    EXPECT_EQ("50.0000", orders[0]["NewTotal"]);
    EXPECT_EQ("20.0000", orders[0]["Difference"]);
    EXPECT_EQ(json::array(), orders[0]["ErrorPositions"]);
    ASSERT_EQ(3u, orders[0]["Positions"].size());
    EXPECT_EQ(1u, orders[0]["Positions"][0]["Changes"].size());
    EXPECT_EQ("З-2", orders[1]["No"]);
    EXPECT_NE(nullptr, orders[1]["Error"]);

    const Result text = run({"registry", "compare", "--against", newDir, "--config", "офис", "--text"});
    ASSERT_EQ(0, text.status) << text.err;
    const std::string gone = "Невозможно найти файл заказа № З-2!\r\nФайл: " +
                             (folder / "server" / "Orders" / "GONE.KFO370").string() + ".";
    EXPECT_EQ("З-1\tИванов\t30.0000\t50.0000\t20.0000\t\nЗ-2\tПетров\t\t\t\t" + gone + "\n", text.out);
}

TEST_F(OrderCompareRegistry, PositionsWithErrorsAreNamed) {
    const std::string newDir = WriteCatalog("new", [](TDM& dm) {
        ASSERT_TRUE(dm.T_Catalog.FindKey({Value("A2")}));
        dm.T_Catalog.Delete();
    });
    const Result r = run({"registry", "compare", "--against", newDir});
    ASSERT_EQ(0, r.status) << r.err;
    const json order = json::parse(r.out)["Orders"][0];
    EXPECT_EQ(json::parse(R"(["2","3"])"), order["ErrorPositions"]);
    // A failing position keeps its stored cost (0: the order was never priced) in the total.
    EXPECT_EQ("10.0000", order["NewTotal"]);

    EXPECT_EQ(1, run({"registry", "compare", "--against", newDir, "--config", "Склад"}).status);
    EXPECT_EQ(2, run({"registry", "compare"}).status);
}

} // namespace
} // namespace kvf::cli::test
