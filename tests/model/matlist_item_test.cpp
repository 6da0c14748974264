// Material items: record, copy, lookup, sorting and repricing.

#include "base/scripted_prompter.h"
#include "base/typed_stream.h"
#include "comp_fake_catalog.h"
#include "model/matlist_item.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

Money money(const char* text) {
    return *Money::Parse(text);
}

std::unique_ptr<TkvfMatListItem> item(const char* id, float quantity, const char* price) {
    auto m = std::make_unique<TkvfMatListItem>();
    m->ID = id;
    m->Quantity = quantity;
    m->Price = money(price);
    m->CatalogPrice = m->Price;
    m->UpdateCost();
    return m;
}

std::vector<std::string> ids(const TkvfMatList& list) {
    std::vector<std::string> out;
    for (const auto& m : list)
        out.push_back(m->ID);
    return out;
}

TEST(MatListItemRecord, LayoutAndRoundTrip) {
    TkvfMatListItem m;
    m.ID = "A";
    m.Quantity = 2.5f;
    m.CatalogPrice = money("1.0000");
    m.ReservedRate = 0;
    m.ReservedAmount = money("-0.0001");
    m.Price = money("2.0000");
    m.Cost = money("5.0000");
    TSpecStream stream;
    m.SaveToStream(stream);
    const std::string& b = stream.Bytes();
    ASSERT_EQ(5u + 6 * 16, b.size());
    const int codes[] = {5, 6, 5, 6, 6, 6};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(codes[i], static_cast<unsigned char>(b[5 + 16 * i])) << "item " << i + 2;
    // ReservedAmount: -1 as a 64-bit count of ten-thousandths.
    EXPECT_EQ(std::string(8, '\xFF'), b.substr(5 + 16 * 3 + 8, 8));

    stream.Seek(0);
    TkvfMatListItem copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ("A", copy.ID);
    EXPECT_EQ(2.5f, copy.Quantity);
    EXPECT_EQ(money("1.0000"), copy.CatalogPrice);
    EXPECT_EQ(money("-0.0001"), copy.ReservedAmount);
    EXPECT_EQ(money("2.0000"), copy.Price);
    EXPECT_EQ(money("5.0000"), copy.Cost);
}

TEST(MatListItem, CopyFromCopiesEveryField) {
    ScriptedPrompter prompter;
    auto source = item("Ж-1", 0.1f, "12.3456");
    source->ReservedRate = 1.5f;
    TkvfMatListItem copy;
    copy.CopyFrom(*source, &prompter);
    EXPECT_EQ("Ж-1", copy.ID);
    EXPECT_EQ(0.1f, copy.Quantity);
    EXPECT_EQ(1.5f, copy.ReservedRate);
    EXPECT_EQ(source->Cost, copy.Cost);
    EXPECT_TRUE(prompter.records.empty());
}

TEST(MatListItem, CostRoundsHalfToEven) {
    struct Case {
        const char* name;
        float quantity;
        const char* price;
        const char* cost;
    };
    const Case cases[] = {
        {"12.3456 x 2.4 = 29.62944", 2.4f, "12.3456", "29.6294"},
        {"half goes down to even", 0.5f, "0.0001", "0.0000"},
        {"half goes up to even", 0.5f, "0.0003", "0.0002"},
        {"2.5 x 0.0001", 2.5f, "0.0001", "0.0002"},
        {"3.5 x 0.0001", 3.5f, "0.0001", "0.0004"},
        {"negative half to even", 0.5f, "-0.0003", "-0.0002"},
        {"pieces", 3.0f, "1.2345", "3.7035"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cost, item("A", c.quantity, c.price)->Cost.Format4());
    }
}

TEST(MatListItem, FindInListIsCaseSensitive) {
    TkvfMatList list;
    list.push_back(item("a", 1, "1"));
    list.push_back(item("A", 1, "1"));
    list.push_back(item("A", 2, "1"));
    auto probe = item("A", 5, "9");
    EXPECT_EQ(list[1].get(), FindInList(list, *probe));
    EXPECT_TRUE(SameArticle(*list[1], *list[2]));
    EXPECT_FALSE(SameArticle(*list[0], *list[1]));
    auto missing = item("B", 1, "1");
    EXPECT_EQ(nullptr, FindInList(list, *missing));
}

TEST(MatListItem, SortsInByteOrder) {
    FakeCatalog catalog;
    catalog.articles["b"] = {"Ручка", {}, false};
    catalog.articles["A"] = {"петля", {}, false};
    catalog.articles["B"] = {"Zapor", {}, false};
    TkvfMatList list;
    list.push_back(item("b", 1, "1"));
    list.push_back(item("A", 1, "1"));
    list.push_back(item("B", 1, "1"));
    SortByID(list);
    EXPECT_EQ((std::vector<std::string>{"A", "B", "b"}), ids(list));
    // Windows-1251: Latin before Cyrillic capitals before Cyrillic small letters.
    SortByName(catalog, list);
    EXPECT_EQ((std::vector<std::string>{"B", "b", "A"}), ids(list));
    EXPECT_LT(CompareByName(catalog, *list[0], *list[1]), 0);
}

TEST(MatListItem, SortByNameOfAMissingArticleFailsAndKeepsTheList) {
    FakeCatalog catalog;
    catalog.articles["A"] = {"a", {}, false};
    TkvfMatList list;
    list.push_back(item("Z", 1, "1"));
    list.push_back(item("A", 1, "1"));
    try {
        SortByName(catalog, list);
        FAIL() << "no error raised";
    } catch (const KvfError& e) {
        EXPECT_EQ("В каталоге отсутствуют данные для [Z]!\r\n(Поиск [Наименование] через [Код])",
                  std::string(e.what()));
    }
    EXPECT_EQ((std::vector<std::string>{"Z", "A"}), ids(list));
}

TEST(MatListItem, RepriceTakesTheCatalogPrice) {
    FakeCatalog catalog;
    catalog.articles["A"] = {"a", money("12.3456"), false};
    TkvfMatList list;
    list.push_back(item("A", 2.4f, "1.0000"));
    list[0]->CatalogPrice = money("7");
    Reprice(catalog, list);
    EXPECT_EQ(money("12.3456"), list[0]->CatalogPrice);
    EXPECT_EQ(money("12.3456"), list[0]->Price);
    EXPECT_EQ(money("29.6294"), list[0]->Cost);

    list.push_back(item("missing", 1, "1"));
    EXPECT_THROW(Reprice(catalog, list), KvfError);
}

} // namespace
} // namespace kvf::test
