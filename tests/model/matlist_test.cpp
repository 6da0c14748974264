// Material lists of sashes, positions and orders, and the order's money.

#include "comp_fake_catalog.h"
#include "model/order.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

Money money(const char* text) {
    return *Money::Parse(text);
}

// Gives the sash a composition with the items (ID, length, count).
void compose(TkvfFlugel& sash, std::initializer_list<std::tuple<const char*, float, int>> items) {
    sash.FurnComp = std::make_unique<TkvfFurnComp>(&sash);
    for (const auto& [id, length, count] : items) {
        sash.FurnComp->Items.push_back(std::make_unique<TkvfFurnItem>(sash.FurnComp.get()));
        sash.FurnComp->Items.back()->Set(id, "K", 0, count, "", length, "");
    }
}

class MatList : public ::testing::Test {
protected:
    void SetUp() override {
        catalog.articles["A"] = {"a", money("12.3456"), false};
        catalog.articles["B"] = {"b", money("10"), false};
        catalog.articles["C"] = {"c", money("0.0001"), false};
    }
    FakeCatalog catalog;
};

TEST_F(MatList, BuildFromComposition) {
    struct Case {
        const char* name;
        float length;
        int count;
        float quantity;
        const char* cost;
    };
    const Case cases[] = {
        {"by length: 1200 mm x 2", 1200, 2, 2.4f, "29.6294"},
        {"pieces", 0, 3, 3.0f, "37.0368"},
        {"250 mm x 1", 250, 1, 0.25f, "3.0864"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfFlugel sash(nullptr);
        compose(sash, {{"A", c.length, c.count}});
        sash.BuildMatList(catalog);
        ASSERT_EQ(1u, sash.MatList.size());
        const TkvfMatListItem& m = *sash.MatList[0];
        EXPECT_EQ(c.quantity, m.Quantity);
        EXPECT_EQ(money("12.3456"), m.CatalogPrice);
        EXPECT_EQ(money("12.3456"), m.Price);
        EXPECT_EQ(c.cost, m.Cost.Format4());
        EXPECT_EQ(c.cost, sash.MatListTotal().Format4());
    }
}

TEST_F(MatList, SameArticleTwiceGivesTwoLines) {
    TkvfFlugel sash(nullptr);
    compose(sash, {{"B", 0, 1}, {"B", 1000, 2}});
    sash.BuildMatList(catalog);
    ASSERT_EQ(2u, sash.MatList.size());
    EXPECT_EQ("30.0000", sash.MatListTotal().Format4());
}

TEST_F(MatList, NoCompositionEmptiesTheList) {
    TkvfFlugel sash(nullptr);
    compose(sash, {{"B", 0, 1}});
    sash.BuildMatList(catalog);
    sash.FurnComp.reset();
    sash.BuildMatList(catalog);
    EXPECT_TRUE(sash.MatList.empty());
    EXPECT_EQ(Money(), sash.MatListTotal());
}

TEST_F(MatList, MissingArticleRaisesWithThePartialList) {
    TkvfFlugel sash(nullptr);
    compose(sash, {{"B", 0, 1}, {"missing", 0, 1}, {"A", 0, 1}});
    EXPECT_THROW(sash.BuildMatList(catalog), KvfError);
    EXPECT_EQ(1u, sash.MatList.size());
}

// Two positions using article A with quantities 2 and 3 and numbers 1 and 2.
class OrderMoney : public MatList {
protected:
    void SetUp() override {
        MatList::SetUp();
        add("1", 1, true, {{"A", 0, 2}, {"C", 0, 1}});
        add("2", 2, true, {{"A", 0, 3}});
        add("3", 5, false, {{"B", 0, 7}});
    }
    void add(const char* no, int number, bool included,
             std::initializer_list<std::tuple<const char*, float, int>> items) {
        TkvfConstruction& p = order.AddPosition();
        p.No = no;
        p.Number = number;
        p.Included = included;
        compose(p.LeftFlugel, items);
        p.RecalcCost(catalog);
    }
    TkvfOrder order;
};

TEST_F(OrderMoney, MergesAcrossPositionsWithTheirNumbers) {
    TkvfMatList list;
    order.AddMatListTo(&list);
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ("A", list[0]->ID);
    EXPECT_EQ(8.0f, list[0]->Quantity);
    EXPECT_EQ("98.7648", list[0]->Cost.Format4());
    EXPECT_EQ("C", list[1]->ID);
    EXPECT_EQ(1.0f, list[1]->Quantity);

    // The first line of an article fixes its price in the combined list.
    order.Position(1).LeftFlugel.MatList[0]->Price = money("1");
    TkvfMatList again;
    again.push_back(std::make_unique<TkvfMatListItem>());
    again[0]->ID = "A";
    again[0]->Quantity = 1;
    again[0]->Price = money("2");
    order.AddMatListTo(&again);
    EXPECT_EQ(9.0f, again[0]->Quantity);
    EXPECT_EQ("18.0000", again[0]->Cost.Format4());

    order.AddMatListTo(nullptr);
}

TEST_F(OrderMoney, TotalsAndVat) {
    EXPECT_EQ("24.6913", order.Position(0).Cost.Format4());
    EXPECT_EQ("74.0736", order.Position(1).PositionTotal().Format4());
    EXPECT_EQ("350.0000", order.Position(2).PositionTotal().Format4());
    EXPECT_EQ("98.7649", order.Total().Format4()); // the excluded position adds nothing

    struct Case {
        const char* name;
        bool getTotalNDS;
        float rate;
        const char* nds;
    };
    const Case cases[] = {
        {"20 percent", true, 20, "19.7530"},
        {"off whatever the rate", false, 20, "0.0000"},
        {"18.5 percent", true, 18.5f, "18.2715"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        order.GetTotalNDS = c.getTotalNDS;
        order.NDSTax = c.rate;
        EXPECT_EQ(c.nds, order.TotalNDS().Format4());
        EXPECT_EQ(order.Total() + order.TotalNDS(), order.TotalWithNDS());
    }
}

TEST(OrderVat, ThreeHundredAtTwentyPercent) {
    FakeCatalog catalog;
    catalog.articles["X"] = {"x", money("100"), false};
    TkvfOrder order;
    TkvfConstruction& p = order.AddPosition();
    p.Number = 3;
    compose(p.LeftFlugel, {{"X", 0, 1}});
    p.RecalcCost(catalog);
    order.GetTotalNDS = true;
    order.NDSTax = 20;
    EXPECT_EQ("300.0000", order.Total().Format4());
    EXPECT_EQ("60.0000", order.TotalNDS().Format4());
    EXPECT_EQ("360.0000", order.TotalWithNDS().Format4());
}

TEST(OrderVat, OverflowRaises) {
    TkvfOrder order;
    TkvfConstruction& p = order.AddPosition();
    p.Number = 1;
    p.Cost = Money::FromRaw(9000000000000000000LL);
    order.GetTotalNDS = true;
    order.NDSTax = 3.4e23f;
    EXPECT_THROW(order.TotalNDS(), KvfError);
    p.Number = 2;
    EXPECT_THROW(order.Total(), KvfError);
}

} // namespace
} // namespace kvf::test
