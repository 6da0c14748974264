// kvf order explain against a small catalog: the trace agrees with what
// `kvf order recalc` stores, and the order file stays as it was.

#include "run_kvf.h"
#include "small_catalog.h"

#include "model/construction.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <set>

namespace kvf::cli::test {
namespace {

using nlohmann::json;

class ExplainCommand : public ::testing::Test, protected SmallCatalogs {
protected:
    std::string catalog = WriteCatalog("catalog");
    std::string order = WriteOrder();
};

// The articles of the items of each position's first sash after `kvf order recalc`.
std::vector<std::multiset<std::string>> RecalculatedItems(const std::string& file) {
    ScriptedPrompter prompter;
    TkvfOrder order;
    bool converted = false;
    EXPECT_TRUE(order.LoadFromFile(file, converted, prompter));
    std::vector<std::multiset<std::string>> items;
    for (int i = 0; i < order.Count(); ++i) {
        std::multiset<std::string>& ids = items.emplace_back();
        for (const auto& item : order.Position(i).LeftFlugel.FurnComp->Items)
            ids.insert(item->ID);
    }
    return items;
}

TEST_F(ExplainCommand, TheTraceAgreesWithTheRecalculatedOrder) {
    const std::string before = Bytes(order);
    const Result r = run({"order", "explain", order, "--catalog", catalog});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(before, Bytes(order));
    const json result = json::parse(r.out);

    const std::string recalculated = (folder / "recalculated.kfo370").string();
    ASSERT_EQ(0, run({"order", "recalc", order, "--catalog", catalog, "--out", recalculated}).status);
    const std::vector<std::multiset<std::string>> items = RecalculatedItems(recalculated);

    ASSERT_EQ(3u, result["Positions"].size());
    for (size_t i = 0; i < 3; ++i) {
        const json& position = result["Positions"][i];
        SCOPED_TRACE(position["No"].get<std::string>());
        EXPECT_EQ(nullptr, position["Error"]);
        ASSERT_EQ(1u, position["Sashes"].size());
        const json& sash = position["Sashes"][0];
        EXPECT_EQ(1, sash["Sash"]);
        EXPECT_EQ(70, sash["Parameters"]["FFB"]);
        std::multiset<std::string> taken;
        for (const json& complect : sash["Complects"])
            for (const json& row : complect["Rows"]) {
                EXPECT_EQ(row["Taken"].get<bool>(), row["Reason"].is_null()) << row.dump();
                if (row["Taken"].get<bool>() && !row["Merged"].get<bool>())
                    taken.insert(row["Article"].get<std::string>());
            }
        EXPECT_EQ(items[i], taken);
    }
    const json& rows = result["Positions"][0]["Sashes"][0]["Complects"][0]["Rows"];
    EXPECT_EQ(json::parse(R"({"Row":2,"Element":"E2","Taken":false,"Reason":"FFH 140 < FFHMin 150",
        "Filter":null,"Candidates":null,"Article":null,"Chosen":false,"Merged":false,"Count":null,
        "CountFrom":null,"Length":null,"LengthFrom":null,"Parts":[]})"),
              rows[1]);
    const json& additional = result["Positions"][2]["Sashes"][0]["Complects"][1];
    EXPECT_EQ("Additional", additional["Slot"]);
    EXPECT_EQ("C2", additional["ID"]);
}

TEST_F(ExplainCommand, OnePositionAsText) {
    const Result r = run({"order", "explain", order, "--catalog", catalog, "--pos", "1", "--text"});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ("Позиция 1\n"
              "  Створка 1\n"
              "    FFB 70, FFH 140; система 1205, планки , цвет RAL; фальц 112 (12/20-9), дорн 215 (15), тип "
              "створки 6, направление 1, открывание 0\n"
              "    Complect C1 [Комплект C1]\n"
              "      1. E1 -> A1 x 2\n"
              "         количество: Number 2\n"
              "         фильтр: ID='E1' (кандидатов 1)\n"
              "      2. E2: не взят: FFH 140 < FFHMin 150\n",
              r.out);
}

TEST_F(ExplainCommand, AFailingPositionShowsWhereItStopped) {
    const std::string broken = WriteCatalog("broken", [](TDM& dm) {
        Row(dm.T_FrnSet, {{"ID", "C2"}, {"Item", "E9"}, {"Number", 1}, {"Required", 1}});
    });
    const Result r = run({"order", "explain", order, "--catalog", broken, "--pos", "2"});
    ASSERT_EQ(0, r.status) << r.err;
    const json position = json::parse(r.out)["Positions"][0];
    EXPECT_EQ(nullptr, position["Error"]);
    EXPECT_EQ("у элемента нет артикулов", position["Sashes"][0]["Complects"][0]["Rows"][1]["Reason"]);

    const std::string noComplect = WriteCatalog("no-complect", [](TDM& dm) {
        ASSERT_TRUE(dm.T_FrnComp.FindKey({Value("C2")}));
        dm.T_FrnComp.Delete();
    });
    const Result failed = run({"order", "explain", order, "--catalog", noComplect, "--pos", "2"});
    ASSERT_EQ(0, failed.status) << failed.err;
    const json sash = json::parse(failed.out)["Positions"][0]["Sashes"][0];
    EXPECT_EQ("Комплект фурнитуры [C2] не найден в документации!", sash["Error"]);
    EXPECT_EQ("Комплект фурнитуры [C2] не найден в документации!",
              json::parse(failed.out)["Positions"][0]["Error"]);
}

} // namespace
} // namespace kvf::cli::test
