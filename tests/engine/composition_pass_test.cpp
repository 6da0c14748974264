#include "engine_fixture.h"

#include "base/error.h"

#include "model/furn_comp.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

// Complect C1 adds article A1 twice on side 2. Strike-plate element S1 has
// article SA in strike-plate system SP.
class PassTest : public EngineTest {
protected:
    PassTest() {
        Complect("C1");
        Element("E1");
        Article("E1", "A1");
        ElementRow("C1", "E1", {{"Number", 2}, {"ItemSideNo", 2}});
        Element("S1", {{"HasProfSys", 1}});
        Article("S1", "SA", {{"ProfSys", "SP"}});
    }
    void StrikePlate(Fields fields) {
        dm.T_FrnSchl.Append();
        dm.T_FrnSchl.SetValue("CatalogID", "A1");
        dm.T_FrnSchl.SetValue("Item", "S1");
        dm.T_FrnSchl.SetValue("Number", 1);
        for (const auto& [name, value] : fields)
            dm.T_FrnSchl.SetValue(name, value);
        dm.T_FrnSchl.Post();
    }
};

TEST_F(PassTest, ParametersAndMainComplectAreCheckedFirst) {
    struct Case {
        const char* name;
        int dorn, falz;
        std::string complect;
        std::string error;
    } cases[] = {
        {"backset without a row", 299, 112, "C1", "Не определена величина 'Дормасс'!"},
        {"rebate with FalzLuft 0", 215, 113, "C1",
         "В документации не установлены\r\nпараметры фальца 0/12-9!"},
        {"rebate without a row", 215, 150, "C1", "В документации не установлены\r\nпараметры фальца 0/0-0!"},
        {"no main complect", 215, 112, "", "Комплект фурнитуры [] не найден в документации!"},
        {"unknown main complect", 215, 112, "C7", "Комплект фурнитуры [C7] не найден в документации!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sash->Dorn = c.dorn;
        position->Falz = c.falz;
        Comp().Complect = c.complect;
        EXPECT_EQ(c.error, ComputeError());
        EXPECT_EQ(std::vector<std::string>(), Items());
    }
}

TEST_F(PassTest, StrikePlateRowsBySashSideAndComplect) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, Value>> row;
        bool added;
    } cases[] = {
        {"row for every sash, side and complect", {}, true},
        {"row of the single sash's type 6", {{"StulpType", 6}}, true},
        {"row of another double-sash type", {{"StulpType", 2}}, false},
        {"row of the item's side", {{"ItemSideNo", 2}}, true},
        {"row of another side", {{"ItemSideNo", 3}}, false},
        {"row of the item's complect", {{"ItemComplectID", "C1"}}, true},
        {"row of another complect", {{"ItemComplectID", "C9"}}, false},
        {"row with twice the plates", {{"Number", 2}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm.T_FrnSchl.EmptyTable();
        StrikePlate({});
        dm.T_FrnSchl.First();
        dm.T_FrnSchl.Edit();
        for (const auto& [field, value] : c.row)
            dm.T_FrnSchl.SetValue(field, value);
        dm.T_FrnSchl.Post();
        EXPECT_EQ("", ComputeError());
        std::vector<std::string> expected{"A1 x2 s=2"};
        if (c.added)
            expected.push_back(c.row.size() == 1 && std::string(c.row[0].first) == "Number" ? "SA x4 s=2"
                                                                                            : "SA x2 s=2");
        EXPECT_EQ(expected, Items());
        EXPECT_EQ(std::vector<std::string>(), FilteredTables());
    }
}

TEST_F(PassTest, StrikePlateSystemGroup) {
    StrikePlate({});
    struct Case {
        const char* name;
        int commonGrp;
        bool added;
    } cases[] = {
        {"family 1200 of system 1205", 1200, true},
        {"other family 1300", 1300, false},
        {"the system itself", 1205, true},
        {"another system 1206", 1206, false},
        {"no group", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm.T_FrnItem.FindKey({Value("S1")});
        dm.T_FrnItem.Edit();
        dm.T_FrnItem.SetValue("CommonGrp", c.commonGrp);
        dm.T_FrnItem.Post();
        EXPECT_EQ("", ComputeError());
        EXPECT_EQ(c.added ? 2u : 1u, Items().size());
    }
    EXPECT_TRUE(FittingsEngine::StrikePlateGroupApplies(1200, "1205"));
    EXPECT_FALSE(FittingsEngine::StrikePlateGroupApplies(1206, "1205"));
    // A system that is no number counts as the element's own group.
    EXPECT_TRUE(FittingsEngine::StrikePlateGroupApplies(1206, "ABC"));
    EXPECT_TRUE(FittingsEngine::StrikePlateGroupApplies(1200, "ABC"));
}

TEST_F(PassTest, StrikePlateNeedsItsSystemAndArticle) {
    StrikePlate({});
    Comp().ProfSys = "";
    EXPECT_EQ("Для комплекта фурнитуры [Подбор ответных планок]\r\nне указана система ответных планок!",
              ComputeError());
    Comp().ProfSys = "XX";
    EXPECT_EQ("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры [Элемент "
              "S1]!\r\n\r\n"
              "Искомый запрос:\r\nProfSys = 'XX' and ID='S1' ",
              ComputeError());
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

TEST_F(PassTest, ColourAccessoriesPreferTheFittingsColour) {
    Row(dm.T_FrnAbd, {{"CatalogID", "A1"}, {"Color", ""}, {"AccessoryID", "CAP-ANY"}, {"Number", 1}});
    Row(dm.T_FrnAbd, {{"CatalogID", "A1"}, {"Color", "RAL"}, {"AccessoryID", "CAP-RAL"}, {"Number", 1}});
    Row(dm.T_FrnAbd, {{"CatalogID", "A1"}, {"Color", "RAL"}, {"AccessoryID", "CAP-S3"}, {"ItemSideNo", 3}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "CAP-RAL x2 s=2"}), Items());
    Comp().Color = "WHITE";
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "CAP-ANY x2 s=2"}), Items());
}

TEST_F(PassTest, AddedItemsBringTheirOwnInLaterPassesOnly) {
    StrikePlate({});
    Row(dm.T_FrnAbd, {{"CatalogID", "SA"}, {"Color", ""}, {"AccessoryID", "SA-CAP"}, {"Number", 1}});
    Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "DOP"}, {"Number", 3}});
    Row(dm.T_FrnDop, {{"CatalogID", "DOP"}, {"AccessoryID", "DOP2"}, {"Number", 1}});
    Row(dm.T_FrnAbd, {{"CatalogID", "DOP"}, {"Color", ""}, {"AccessoryID", "DOP-CAP"}, {"Number", 1}});
    debug = true;
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "DOP x6 s=2", "SA x2 s=2", "SA-CAP x2 s=2"}), Items());
    const TkvfFurnComp& comp = Comp();
    EXPECT_EQ("Комплект:C1 -> Элемент:E1 -> Артикул:A1 -> Элемент:S1 -> Артикул:SA -> Артикул:SA-CAP",
              comp.Items[3]->History);
    EXPECT_EQ("Комплект:C1 -> Элемент:E1 -> Артикул:A1 -> Артикул:DOP", comp.Items[1]->History);
}

// Item B x1 follows A1 x2 on side 2. A pass adds two B for A1, which merge into
// B; visiting B then brings the accessories of all three pieces.
TEST_F(PassTest, MergedCountsBringTheirAccessoriesAlong) {
    Element("E2");
    Article("E2", "B");
    ElementRow("C1", "E2", {{"ItemSideNo", 2}});
    Element("E3");
    Article("E3", "BB");
    struct Case {
        const char* name;
        Table& table;
        std::vector<std::pair<const char*, Value>> rowA1, rowB;
    } cases[] = {
        {"strike plates",
         dm.T_FrnSchl,
         {{"CatalogID", "A1"}, {"Item", "E2"}, {"Number", 1}},
         {{"CatalogID", "B"}, {"Item", "E3"}, {"Number", 1}}},
        {"colour accessories",
         dm.T_FrnAbd,
         {{"CatalogID", "A1"}, {"AccessoryID", "B"}, {"Number", 1}},
         {{"CatalogID", "B"}, {"AccessoryID", "BB"}, {"Number", 1}}},
        {"accessories",
         dm.T_FrnDop,
         {{"CatalogID", "A1"}, {"AccessoryID", "B"}, {"Number", 1}},
         {{"CatalogID", "B"}, {"AccessoryID", "BB"}, {"Number", 1}}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto* fields : {&c.rowA1, &c.rowB}) {
            c.table.Append();
            for (const auto& [name, value] : *fields)
                c.table.SetValue(name, value);
            c.table.Post();
        }
        EXPECT_EQ("", ComputeError());
        EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "B x3 s=2", "BB x3 s=2"}), Items());
        c.table.EmptyTable();
    }
}

TEST_F(PassTest, AccessoriesByPropertiesAndComplect) {
    Row(dm.T_FrnProp, {{"PropKey", 5}, {"ID", 301}});
    Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "P-OK"}, {"Number", 1}, {"PropKey", 5}});
    Row(dm.T_FrnDop,
        {{"CatalogID", "A1"}, {"AccessoryID", "C-OTHER"}, {"Number", 1}, {"ItemComplectID", "C2"}});
    Comp().Properties = {"0=301"};
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "P-OK x2 s=2"}), Items());
    Comp().Properties = {"0=302"};
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2"}), Items());
}

TEST_F(PassTest, ZeroCountsGoAndCodesSortByWindows1251Bytes) {
    // Merged counts that cancel leave an item of count 0, which is removed.
    Element("E2");
    Article("E2", "ZERO");
    ElementRow("C1", "E2", {{"Number", 2}});
    ElementRow("C1", "E2", {{"Number", -2}});
    // ё (0xB8) sorts before Я (0xDF) in Windows-1251, after it in UTF-8.
    for (const char* code : {"Я1", "ё1", "b", "B"}) {
        Element(std::string("X") + code);
        Article(std::string("X") + code, code);
        ElementRow("C1", std::string("X") + code);
    }
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "B x1", "b x1", "ё1 x1", "Я1 x1"}), Items());
}

TEST_F(PassTest, PartsAndAdditionalComplectsInSlotOrder) {
    Complect("H1");
    Element("EH");
    Article("EH", "AH");
    ElementRow("H1", "EH", {{"PropKey", 9}});
    Row(dm.T_FrnProp, {{"PropKey", 9}, {"ID", 401}});
    Complect("D1");
    Element("ED");
    Article("ED", "AD");
    ElementRow("D1", "ED", {{"FFBMin", 80}});
    ElementRow("D1", "ED", {{"Note", "доп"}});
    TkvfFurnComp& comp = Comp();
    comp.HandlePart = "H1";
    comp.DopComplects = {"", "D1"};
    comp.Properties = {"1=402", "0=401"}; // the handle's slot 1 refuses, slot 0 is not asked
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "AD x1 [доп]"}), Items());
    comp.Properties = {"1=401"};
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "AD x1 [доп]", "AH x1"}), Items());
    EXPECT_EQ("D1", comp.Items[1]->ParentComplect);
    EXPECT_EQ("H1", comp.Items[2]->ParentComplect);
}

TEST_F(PassTest, PairUsesItsDoubleSashTypeAndSetFurnComputesThroughTheModel) {
    MakePair();
    ElementRow("C1", "E1", {{"StulpType", 4}, {"Note", "пара"}}); // type 2 of code 302
    TkvfFurnChoice left;
    left.Complect = "C1";
    left.Dorn = 215;
    TkvfFurnChoice right = left;
    // SetFurn prices the position: A1 costs 2.5 in currency 1 at rate 1.
    Row(dm.T_Catalog, {{"ID", "A1"}, {"Name", "Артикул A1"}, {"Price", 2.5}, {"Currency", 1}});
    order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
    lookups.SetPricing({&order.Currencies, 1});
    FittingsEngine engine = Engine();
    position->SetFurn(lookups, engine, "1205", "SP", "RAL", 112, 302, 401, 70, 68, left, right);
    ASSERT_TRUE(position->LeftFlugel.FurnComp);
    ASSERT_TRUE(position->RightFlugel.FurnComp);
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "A1 x1 [пара]"}),
              Items(position->LeftFlugel.FurnComp.get()));
    EXPECT_EQ((std::vector<std::string>{"A1 x2 s=2", "A1 x1 [пара]"}),
              Items(position->RightFlugel.FurnComp.get()));

    // A failing computation leaves no items and reaches the caller.
    ElementRow("C1", "");
    EXPECT_THROW(position->SetFurn(lookups, engine, "1205", "SP", "RAL", 112, 302, 401, 70, 68, left, right),
                 KvfError);
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

} // namespace
} // namespace kvf::test
