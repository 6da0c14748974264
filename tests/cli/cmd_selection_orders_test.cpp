// `kvf selection add|refresh|matlist`: a selection filled from order files,
// refreshed from them, and its material list at the catalog's prices.

#include "model/order_selection.h"
#include "registry_install.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

namespace kvf::cli {
namespace {

namespace fs = std::filesystem;

class CmdSelectionOrders : public ::testing::Test {
protected:
    CmdSelectionOrders() {
        fs::copy_file(std::string(KVF_DEMO_CATALOG_DIR) + "/catalog.sqlite",
                      inst.home.Path("cat/catalog.sqlite"));
    }

    std::unique_ptr<TkvfOrderSelection> load() const {
        auto selection = std::make_unique<TkvfOrderSelection>();
        ScriptedPrompter quiet;
        bool converted = false;
        EXPECT_TRUE(selection->LoadFromFile(file, converted, quiet));
        return selection;
    }

    RegistryInstall inst;
    std::string file = inst.home.Path("srv/Selection/sel.kfs370");
};

TEST_F(CmdSelectionOrders, AddingAnOrderAgainUpdatesItsItems) {
    const std::string a = inst.WriteOrder(inst.Orders() + "/a.kfo370", "A-1", "Иванов", 2);
    const std::string b = inst.WriteOrder(inst.Orders() + "/b.kfo370", "B-1", "Петров", 1);
    const Result created = run({"selection", "add", file, a, b, "--create", "12/5"});
    ASSERT_EQ(0, created.status) << created.err;
    {
        const auto selection = load();
        EXPECT_EQ("12/5", selection->SelNo);
        EXPECT_EQ(1, selection->CurrencyID);
        EXPECT_FLOAT_EQ(18.0f, selection->NDSTax);
        EXPECT_EQ(3, selection->CurrencyCount());
        ASSERT_EQ(3, selection->Count());
        const TkvfOrderSelectionItem& item = selection->Item(1);
        EXPECT_EQ("A-1", item.OrderNo);
        EXPECT_EQ("2", item.PosNo);
        EXPECT_FLOAT_EQ(1200.0f, item.Width);
        EXPECT_FLOAT_EQ(1200.0f, item.Height);
        EXPECT_EQ(2, item.Number);
        EXPECT_EQ("Окно 2", item.Name);
        EXPECT_EQ("%A.KFO370", item.OrderFile);
        EXPECT_EQ("B-1", selection->Item(2).OrderNo);
    }
    // The same order again, its number in another case and a third position:
    // the two positions are updated in place, the third appended.
    inst.WriteOrder(a, "a-1", "Иванов", 3);
    ASSERT_EQ(0, run({"selection", "add", file, a}).status);
    const auto selection = load();
    ASSERT_EQ(4, selection->Count());
    EXPECT_EQ("a-1", selection->Item(0).OrderNo);
    EXPECT_EQ("B-1", selection->Item(2).OrderNo);
    EXPECT_EQ("3", selection->Item(3).PosNo);

    // A new selection never replaces an existing file.
    EXPECT_EQ(1, run({"selection", "add", file, b, "--create", "7"}).status);
    EXPECT_EQ("12/5", load()->SelNo);
}

TEST_F(CmdSelectionOrders, RefreshRereadsTheOrderFiles) {
    const std::string a = inst.WriteOrder(inst.Orders() + "/a.kfo370", "A-1", "Иванов", 2);
    ASSERT_EQ(0, run({"selection", "add", file, a, "--create", "1"}).status);
    {
        auto selection = load();
        selection->Item(0).Included = false;
        ScriptedPrompter quiet;
        ASSERT_TRUE(selection->SaveToFile(file, quiet));
    }
    // The order's first position is resized, its second gone.
    TkvfOrder order;
    ScriptedPrompter quiet;
    bool converted = false;
    ASSERT_TRUE(order.LoadFromFile(a, converted, quiet));
    order.Position(0).SetShape({900, 700, 0, 0, 0, 0, 0}, 0);
    order.Positions.pop_back();
    ASSERT_TRUE(order.SaveToFile(a, quiet));

    const Result declined = run({"selection", "refresh", file});
    EXPECT_EQ(1, declined.status);
    EXPECT_NE(std::string::npos, declined.err.find("Обновить данные выборки?"));
    EXPECT_FLOAT_EQ(1100.0f, load()->Item(0).Width);

    ASSERT_EQ(0, run({"selection", "refresh", file, "--yes"}).status);
    const auto selection = load();
    EXPECT_FLOAT_EQ(900.0f, selection->Item(0).Width);
    EXPECT_FLOAT_EQ(700.0f, selection->Item(0).Height);
    EXPECT_FALSE(selection->Item(0).Included);
    EXPECT_FLOAT_EQ(1200.0f, selection->Item(1).Width);
}

TEST_F(CmdSelectionOrders, MatListOfTheIncludedItems) {
    const std::string flat = inst.Orders() + "/flat.kfo370";
    fs::copy_file(std::string(KVF_SOURCE_DIR) + "/data/demo/orders/flat.kfo370", flat);
    ASSERT_EQ(0, run({"selection", "add", file, flat, "--create", "1"}).status);

    const Result all = run({"selection", "matlist", file});
    ASSERT_EQ(0, all.status) << all.err;
    std::vector<nlohmann::json> lines;
    std::istringstream in(all.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(nlohmann::json::parse(line));
    ASSERT_FALSE(lines.empty());
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].dump());
        if (i > 0)
            EXPECT_LE(lines[i - 1]["ID"].get<std::string>(), lines[i]["ID"].get<std::string>());
        const double quantity = lines[i]["Quantity"].get<double>();
        const double price = std::stod(lines[i]["Price"].get<std::string>());
        EXPECT_NEAR(quantity * price, std::stod(lines[i]["Cost"].get<std::string>()), 0.01);
    }

    auto selection = load();
    for (auto& item : selection->Items)
        item->Included = false;
    ScriptedPrompter quiet;
    ASSERT_TRUE(selection->SaveToFile(file, quiet));
    const Result none = run({"selection", "matlist", file});
    EXPECT_EQ(0, none.status) << none.err;
    EXPECT_EQ("", none.out);
}

} // namespace
} // namespace kvf::cli
