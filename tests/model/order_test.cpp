// Positions of an order: lookup, sorting, the included-positions iteration.

#include "model/order.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

std::vector<std::string> nos(const TkvfOrder& order) {
    std::vector<std::string> out;
    for (const auto& p : order.Positions)
        out.push_back(p->No);
    return out;
}

TkvfOrder& fill(TkvfOrder& order, std::initializer_list<std::pair<const char*, bool>> positions) {
    for (const auto& [no, included] : positions) {
        TkvfConstruction& p = order.AddPosition();
        p.No = no;
        p.Name = no;
        p.Included = included;
    }
    return order;
}

TEST(Order, BareOrderValues) {
    TkvfOrder order;
    EXPECT_EQ("Korvena Furniture Order File", order.Header);
    EXPECT_EQ("26.12.2019", order.Version);
    EXPECT_TRUE(order.RegDateSet);
    EXPECT_EQ(order.Created, order.Modified);
    EXPECT_GT(order.Created, 40000.0);
    EXPECT_EQ(static_cast<long long>(order.Created), order.RegDate);
    EXPECT_EQ(0, order.Count());
}

TEST(Order, FindPositionIgnoresCase) {
    TkvfOrder order;
    fill(order, {{"001", true}, {"001A", true}, {"Б-1", true}});
    EXPECT_EQ(order.Positions[1].get(), order.FindPosition("001a"));
    EXPECT_EQ(order.Positions[2].get(), order.FindPosition("б-1"));
    EXPECT_EQ(nullptr, order.FindPosition("002"));
    EXPECT_EQ(&order, order.Position(0).Order);
}

TEST(Order, SortsInByteOrder) {
    TkvfOrder order;
    fill(order, {{"B", true}, {"a", true}, {"A", true}, {"Я", true}, {"а", true}});
    order.SortByName();
    EXPECT_EQ((std::vector<std::string>{"A", "B", "a", "Я", "а"}), nos(order));
    order.Positions[0]->No = "10";
    order.Positions[1]->No = "9";
    order.Positions[2]->No = "1";
    order.SortByNo();
    EXPECT_EQ("1", order.Position(0).No);
    EXPECT_EQ("10", order.Position(1).No);
    EXPECT_EQ("9", order.Position(2).No);
}

TEST(Order, IncludedIteration) {
    TkvfOrder order;
    fill(order, {{"1", false}, {"2", true}, {"3", false}, {"4", true}});
    EXPECT_EQ(2, order.IncludedCount());
    EXPECT_TRUE(order.HasIncluded());
    std::vector<std::string> seen;
    for (TkvfConstruction* p = order.FirstIncluded(); p != nullptr; p = order.NextIncluded())
        seen.push_back(p->No);
    EXPECT_EQ((std::vector<std::string>{"2", "4"}), seen);
    EXPECT_EQ(100000, order.Cursor);
    EXPECT_EQ(nullptr, order.NextIncluded());

    TkvfOrder none;
    fill(none, {{"1", false}});
    EXPECT_FALSE(none.HasIncluded());
    EXPECT_EQ(nullptr, none.FirstIncluded());
}

TEST(Order, DeletePosition) {
    TkvfOrder order;
    fill(order, {{"1", true}, {"2", true}, {"3", true}});
    order.DeletePosition(1);
    EXPECT_EQ((std::vector<std::string>{"1", "3"}), nos(order));
    EXPECT_THROW(order.DeletePosition(2), std::out_of_range);
    order.ClearPositions();
    EXPECT_EQ(0, order.Count());
}

} // namespace
} // namespace kvf::test
