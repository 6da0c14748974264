#include "catalog/catalog_lookups.h"

#include "base/error.h"
#include "catalog_fixture.h"
#include "model/flugel.h"
#include "model/line.h"
#include "model/shape.h"

#include <functional>

namespace kvf {
namespace {

class LookupsTest : public CatalogFixture {
protected:
    LookupsTest() : lookups_(dm_) {
        Sql("INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, UseArticle, Name, Unit, Price, PriceGrp, "
            "Currency, "
            "Virtual, GOST) VALUES "
            "('A2','p1','p2',2,'Petlya','sht',10,0,1,0,'G-1'),"
            "('A1','q1','q2',1,'Ruchka','m',10,3,1,1,''),"
            "('A0','r1','r2',0,'Zamok','kg',7.5,0,2,0,'')");
        Sql("INSERT INTO PriceGrp (GroupID, Name, Reduce_1, Reduce_2) VALUES (3,'Rebate',-10,5)");
        Sql("INSERT INTO Currency (ID, Name, Value, Dec, Nominative, Genitive, GenitivePlural, Gender) "
            "VALUES "
            "(1,'USD',2,2,'доллар','доллара','долларов',1),(4,'RUB',4,0,'рубль','рубля','рублей',1)");
        Sql("INSERT INTO FrnComp (ID, \"Group\", Name, Image, ScrColor, Printable, PrintName) VALUES "
            "('K1',10,'Komplekt',5,255,1,'KP'),('K2',11,'Dver',0,16777215,0,'')");
        Sql("INSERT INTO FrnSide (ID, Side, HandleDirect) VALUES ('K1',1,3),('K1',2,4)");
        Sql("INSERT INTO SysList (ID, Name, CommonGrp, BaseColor) VALUES ('100','Sys',7,'W')");
        Sql("INSERT INTO SysProf (SchlSysID, FurnSysID, Name) VALUES ('S1','100','Strike')");
        Sql("INSERT INTO COLORSET (Color, Name) VALUES ('W','White'),('','Blank')");
        Sql("INSERT INTO ParamList (ID, Name, FalzLuft, FalzSize, FalzPos, DornMass, StulpType, OpenType) "
            "VALUES "
            "(101,'F',12,20,9,0,0,0),(250,'D',1,1,1,15.5,0,0),(301,'S',0,0,0,0,4,0),(401,'O',0,0,0,0,0,2)");
        OpenAll();
        rates_.push_back(std::make_unique<TkvfCurrencyItem>(1, 2.0f));
        rates_.push_back(std::make_unique<TkvfCurrencyItem>(4, 4.0f));
        lookups_.SetPricing({&rates_, 4});
    }

    TkvfCurrencyList rates_;
    CatalogLookups lookups_;
};

// Every lookup that may find nothing: the found value, the neutral value with
// the silent switch on, and the message with it off.
TEST_F(LookupsTest, FoundMissingAndSilent) {
    using Lookup = std::function<std::string(const std::string& key, bool silent)>;
    auto& l = lookups_;
    struct Case {
        const char* name;
        Lookup lookup;
        std::string found;
        std::string foundValue;
        std::string missing;
        std::string neutral;
        std::string message; // empty: never raises
    } cases[] = {
        {"GetOrderArticle mode 0 UseArticle 2", [&](auto& k, bool s) { return l.GetOrderArticle(k, 0, s); },
         "A2", "p2", "X", "",
         "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Артикул производителя] через [Код])"},
        {"GetOrderArticle mode 0 UseArticle 1", [&](auto& k, bool s) { return l.GetOrderArticle(k, 0, s); },
         "A1", "q1", "X", "",
         "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Артикул производителя] через [Код])"},
        {"GetOrderArticle mode 0 UseArticle 0", [&](auto& k, bool s) { return l.GetOrderArticle(k, 0, s); },
         "A0", "r1", "X", "",
         "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Артикул производителя] через [Код])"},
        {"GetOrderArticle mode 2", [&](auto& k, bool s) { return l.GetOrderArticle(k, 2, s); }, "A1", "q2",
         "X", "", "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Артикул производителя] через [Код])"},
        {"GetOrderArticle mode 5", [&](auto& k, bool s) { return l.GetOrderArticle(k, 5, s); }, "A1", "", "X",
         "", "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Артикул производителя] через [Код])"},
        {"GetArticleInfo",
         [&](auto& k, bool s) {
             auto i = l.GetArticleInfo(k, s);
             return i.ProdArticle + "|" + i.ProdArticle2 + "|" + i.Unit + "|" + i.Name;
         },
         "A2", "p1|p2|sht|Petlya", "X", "|||",
         "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Артикул производителя] через [Код])"},
        {"GetArticleName is case-sensitive", [&](auto& k, bool s) { return l.GetArticleName(k, s); }, "A2",
         "Petlya", "a2", "", "В каталоге отсутствуют данные для [a2]!\r\n(Поиск [Наименование] через [Код])"},
        {"GetArticleUnit always raises", [&](auto& k, bool) { return l.GetArticleUnit(k); }, "A1", "m", "X",
         "", "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Ед.изм] через [Код])"},
        {"GetArticlePrice", [&](auto& k, bool s) { return l.GetArticlePrice(k, s).Format4(); }, "A2",
         "5.0000", "X", "0.0000",
         "В каталоге отсутствуют данные для [X]!\r\n(Поиск [Наименование] через [Код])"},
        {"GetCatalogField of an unused column",
         [&](auto& k, bool s) { return l.GetCatalogField(k, "GOST", s).AsText(); }, "A2", "G-1", "X", "",
         "В каталоге не найден материал с кодом [X]!"},
        {"GetCatalogField of a lookup field",
         [&](auto& k, bool s) { return l.GetCatalogField(k, "CurrencyLookup", s).AsText(); }, "A2", "USD",
         "X", "", "В каталоге не найден материал с кодом [X]!"},
        {"GetCatalogField of no such field",
         [&](auto& k, bool s) { return l.GetCatalogField(k, "ProdArticle1", s).AsText(); }, "A2", "", "X", "",
         ""},
        {"GetPriceGroupPercent",
         [&](auto& k, bool) { return std::to_string(l.GetPriceGroupPercent(std::stoi(k), 1)); }, "3",
         "5.000000", "8", "", "В каталоге ценовых групп отсутствуют данные для группы [8]!"},
        {"GetCurrencyName", [&](auto& k, bool) { return l.GetCurrencyName(std::stoi(k)); }, "4", "RUB", "9",
         "", ""},
        {"GetCurrencyDecimals",
         [&](auto& k, bool) { return std::to_string(l.GetCurrencyDecimals(std::stoi(k))); }, "4", "0", "9",
         "2", ""},
        {"GetComplectName always raises", [&](auto& k, bool) { return l.GetComplectName(k); }, "K1",
         "Komplekt", "Q", "", "В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [Q]"},
        {"TryGetComplectName",
         [&](auto& k, bool) {
             std::string n = "stale";
             bool f = l.TryGetComplectName(k, n);
             return (f ? "1:" : "0:") + n;
         },
         "K1", "1:Komplekt", "Q", "0:", ""},
        {"GetComplectPrintName",
         [&](auto& k, bool) {
             bool p = true;
             auto n = l.GetComplectPrintName(k, p);
             return n + (p ? "+" : "-");
         },
         "K1", "KP+", "Q", "-", ""},
        {"GetComplectGroup", [&](auto& k, bool) { return std::to_string(l.GetComplectGroup(k)); }, "K1", "10",
         "Q", "0", ""},
        {"GetComplectColor", [&](auto& k, bool) { return std::to_string(l.GetComplectColor(k)); }, "K1",
         "255", "Q", "16777215", ""},
        {"GetComplectImage", [&](auto& k, bool) { return std::to_string(l.GetComplectImage(k)); }, "K1", "5",
         "Q", "0", ""},
        {"GetSideHandleDirect", [&](auto& k, bool) { return std::to_string(l.GetSideHandleDirect(k, 2)); },
         "K1", "4", "K2", "0", ""},
        {"GetSystemName", [&](auto& k, bool) { return l.GetSystemName(k); }, "100", "Sys", "200", "", ""},
        {"GetSystemGroup", [&](auto& k, bool s) { return std::to_string(l.GetSystemGroup(k, s)); }, "100",
         "7", "200", "0", "В БД отсутствуют данные для системы [200]!"},
        {"GetSystemBaseColor", [&](auto& k, bool) { return l.GetSystemBaseColor(k); }, "100", "W", "200", "",
         ""},
        {"GetStrikeSystemName", [&](auto& k, bool) { return l.GetStrikeSystemName(k); }, "S1", "Strike", "S2",
         "", ""},
        {"GetColorName", [&](auto& k, bool) { return l.GetColorName(k); }, "W", "White", "", "", ""},
        {"GetFalzParams",
         [&](auto& k, bool s) {
             auto p = l.GetFalzParams(std::stoi(k), s);
             return std::to_string(p.FalzLuft) + "/" + std::to_string(p.FalzSize) + "/" +
                    std::to_string(p.FalzPos);
         },
         "101", "12/20/9", "250", "0/0/0", "В БД параметров фальца отсутствуют данные для кода [250]!"},
        {"GetDornMass", [&](auto& k, bool s) { return std::to_string(l.GetDornMass(std::stoi(k), s)); },
         "250", "15.500000", "101", "0.000000",
         "В БД параметров дорнмасса отсутствуют данные для кода [101]!"},
        {"GetStulpType", [&](auto& k, bool s) { return std::to_string(l.GetStulpType(std::stoi(k), s)); },
         "301", "4", "401", "0", "В БД типов штульпа отсутствуют данные для кода [401]!"},
        {"GetOpenType", [&](auto& k, bool s) { return std::to_string(l.GetOpenType(std::stoi(k), s)); },
         "401", "2", "301", "0", "В БД типов открываний створок отсутствуют данные для кода [301]!"},
        {"GetFalzName", [&](auto& k, bool) { return l.GetFalzName(std::stoi(k)); }, "101", "F", "250", "",
         ""},
        {"GetDornName", [&](auto& k, bool) { return l.GetDornName(std::stoi(k)); }, "250", "D", "101", "",
         ""},
        {"GetStulpName", [&](auto& k, bool) { return l.GetStulpName(std::stoi(k)); }, "301", "S", "101", "",
         ""},
        {"GetOpenName", [&](auto& k, bool) { return l.GetOpenName(std::stoi(k)); }, "401", "O", "101", "",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.foundValue, c.lookup(c.found, false));
        if (c.message.empty()) {
            EXPECT_EQ(c.neutral, c.lookup(c.missing, false));
            EXPECT_EQ(c.neutral, c.lookup(c.missing, true));
            continue;
        }
        try {
            c.lookup(c.missing, false);
            ADD_FAILURE() << "no error";
        } catch (const KvfError& e) {
            EXPECT_EQ(c.message, e.what());
        }
        bool alwaysRaises = std::string(c.name).find("always") != std::string::npos ||
                            std::string(c.name).rfind("GetPriceGroupPercent", 0) == 0;
        if (!alwaysRaises)
            EXPECT_EQ(c.neutral, c.lookup(c.missing, true));
    }
}

TEST_F(LookupsTest, VirtualArticlesAndCatalogFieldTypes) {
    EXPECT_TRUE(lookups_.IsVirtualArticle("A1"));
    EXPECT_FALSE(lookups_.IsVirtualArticle("A2"));
    EXPECT_FALSE(lookups_.IsVirtualArticle("X"));
    EXPECT_FALSE(lookups_.IsVirtualArticle(""));
    EXPECT_EQ(VariantType::Currency, lookups_.GetCatalogField("A0", "Price", false).Type());
    EXPECT_EQ(Money::FromRaw(75000), lookups_.GetCatalogField("A0", "Price", false).AsMoney());
    EXPECT_EQ(VariantType::Integer, lookups_.GetCatalogField("A0", "Currency", false).Type());
    EXPECT_EQ("", lookups_.GetCatalogField("", "Price", false).AsText());
    EXPECT_EQ("", lookups_.GetCatalogField("A0", "", false).AsText());
}

TEST_F(LookupsTest, ArticlePriceConvertsAndAppliesThePriceGroup) {
    struct Case {
        const char* name;
        const char* article;
        int activeCurrency;
        const char* expected;
    } cases[] = {
        {"currency 1 price 10 rate 2, active rate 4", "A2", 4, "5.0000"},
        {"the same with Reduce_1 = -10", "A1", 4, "4.5000"},
        {"the article's currency missing from the list: rate -1", "A0", 4, "-1.8750"},
        {"active currency is the article's", "A2", 1, "10.0000"},
        {"active currency missing from the list: rate -1", "A2", 9, "-20.0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected,
                  lookups_.GetArticlePrice({&rates_, c.activeCurrency}, c.article, false).Format4());
    }
    try {
        lookups_.GetArticlePrice({nullptr, 4}, "A2", false);
        ADD_FAILURE() << "no list gives the rate 0";
    } catch (const KvfError& e) {
        EXPECT_EQ(std::string("Значение текущей валюты = 0!"), std::string(e.what()));
    }
}

TEST_F(LookupsTest, ConvertAmountRoundsHalfToEvenAndRefusesAZeroRate) {
    TkvfCurrencyList list;
    list.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
    // 0.0001 x 1 / 2 = 0.00005: half, to even 0.0000; 0.0003 / 2 = 0.00015 -> 0.0002.
    EXPECT_EQ(Money::FromRaw(0), lookups_.ConvertAmount(&list, 1, Money::FromRaw(20000), Money::FromRaw(1)));
    EXPECT_EQ(Money::FromRaw(2), lookups_.ConvertAmount(&list, 1, Money::FromRaw(20000), Money::FromRaw(3)));
    try {
        lookups_.ConvertAmount(&list, 1, Money(), Money::FromRaw(10000));
        ADD_FAILURE();
    } catch (const KvfError& e) {
        EXPECT_EQ(std::string("Значение текущей валюты = 0!"), e.what());
    }
}

TEST_F(LookupsTest, CurrencyListsAndWords) {
    TkvfCurrencyList list;
    list.push_back(std::make_unique<TkvfCurrencyItem>(77, 1.0f));
    lookups_.LoadCurrencyRates(&list);
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ(1, list[0]->CurrencyID);
    EXPECT_FLOAT_EQ(2.0f, list[0]->Rate);
    EXPECT_EQ(4, list[1]->CurrencyID);
    lookups_.LoadCurrencyRates(nullptr);
    EXPECT_FLOAT_EQ(4.0f, FindCurrencyRate(&list, 4));
    EXPECT_FLOAT_EQ(-1.0f, FindCurrencyRate(&list, 5));
    EXPECT_FLOAT_EQ(0.0f, FindCurrencyRate(nullptr, 4));
    EXPECT_EQ(1, FindCurrencyIndex(&list, 4));
    EXPECT_EQ(-1, FindCurrencyIndex(&list, 5));
    EXPECT_EQ(-1, FindCurrencyIndex(nullptr, 4));

    CurrencyWords words;
    words.Nominative = "unchanged";
    lookups_.GetCurrencyWords(9, words);
    EXPECT_EQ("unchanged", words.Nominative);
    lookups_.GetCurrencyWords(4, words);
    EXPECT_EQ("рубль", words.Nominative);
    EXPECT_EQ("рублей", words.GenitivePlural);
    EXPECT_EQ(1, words.Gender);
    EXPECT_EQ(0, words.Dec);
}

TEST_F(LookupsTest, PropKeyAllows) {
    Sql("INSERT INTO FrnProp (PropKey, ID) VALUES (1,101),(1,102),(2,101),(2,105),(3,201)");
    dm_.T_FrnProp.Close();
    dm_.T_FrnProp.Open();
    const std::vector<std::string> selections = {"1=101", "0=105"};
    struct Case {
        const char* name;
        int key;
        int slot;
        bool expected;
    } cases[] = {
        {"group covered without the chosen value", 1, 0, false},
        {"group covered with the chosen value", 2, 0, true},
        {"key covers another group only", 3, 0, true},
        {"key without rows", 9, 0, true},
        {"other slots' selections are ignored", 1, 2, true},
        {"slot 1 chose a value the key offers", 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, lookups_.PropKeyAllows(c.key, selections, c.slot));
        EXPECT_FALSE(dm_.T_FrnProp.Filtered());
        EXPECT_EQ(5, dm_.T_FrnProp.RecordCount());
    }
}

class ComplectFitTest : public LookupsTest {
protected:
    void Rules(const std::string& rows) {
        Sql("DELETE FROM FrnSide");
        Sql("INSERT INTO FrnSide (ID, Side, MinSize, MaxSize, MinAngle, MaxAngle, MinRadius, MaxRadius, "
            "FullRadius, "
            "HalfRadius, EllipseRadius) VALUES " +
            rows);
        dm_.T_FrnSide.Close();
        dm_.T_FrnSide.Open();
    }
};

TEST_F(ComplectFitTest, SideRulesAgainstARectangle) {
    TkvfFlugel sash(nullptr);
    TkvfShapeRecord shape;
    shape.B = 8000; // 800 mm wide
    shape.H = 12000;
    sash.BuildFromShape(shape, 0);
    ASSERT_EQ(4u, sash.Lines.size());
    auto side = [](int n, int minSize, int maxSize, double minAngle = 0, double maxAngle = 180) {
        return "('K'," + std::to_string(n) + "," + std::to_string(minSize) + "," + std::to_string(maxSize) +
               "," + std::to_string(minAngle) + "," + std::to_string(maxAngle) + ",0,0,0,0,0)";
    };
    std::string all =
        side(1, 0, 2000) + "," + side(2, 0, 2000) + "," + side(3, 0, 2000) + "," + side(4, 0, 2000);
    struct Case {
        const char* name;
        std::string rows;
        bool expected;
    } cases[] = {
        {"every side fits", all, true},
        {"one side too short for its rule",
         side(1, 0, 2000) + "," + side(2, 1300, 2000) + "," + side(3, 0, 2000) + "," + side(4, 0, 2000),
         false},
        {"one side too long",
         side(1, 0, 799) + "," + side(2, 0, 799) + "," + side(3, 0, 799) + "," + side(4, 0, 799), false},
        {"corner angle outside",
         side(1, 0, 2000, 95, 180) + "," + side(2, 0, 2000) + "," + side(3, 0, 2000) + "," + side(4, 0, 2000),
         false},
        {"fewer rules than sides", side(1, 0, 2000) + "," + side(2, 0, 2000) + "," + side(3, 0, 2000), false},
        {"side number outside the sash",
         side(1, 0, 2000) + "," + side(2, 0, 2000) + "," + side(3, 0, 2000) + "," + side(5, 0, 2000), false},
        {"a straight side needs no arc switch", all, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rules(c.rows);
        EXPECT_EQ(c.expected, lookups_.ComplectFitsSash(sash, "K"));
        EXPECT_FALSE(dm_.T_FrnSide.Filtered());
    }
    EXPECT_FALSE(lookups_.ComplectFitsSash(sash, "none"));
}

TEST_F(ComplectFitTest, ArcSidesNeedTheirSwitch) {
    TkvfFlugel sash(nullptr);
    TkvfShapeRecord shape;
    shape.B = 10000;
    shape.H = 15000;
    shape.Shape = 7;            // arch: the top side is an arc
    shape.X = 5000;             // rise of half the width
    shape.R1 = shape.R2 = 5000; // radius of half the chord: a semicircle
    sash.BuildFromShape(shape, 0);
    int arc = -1;
    for (size_t i = 0; i < sash.Lines.size(); ++i)
        if (sash.Lines[i]->Radius1 != 0)
            arc = static_cast<int>(i);
    ASSERT_GE(arc, 0);
    ASSERT_TRUE(sash.Lines[arc]->IsSemicircle());
    auto rows = [&](int full, int half) {
        std::string out;
        for (size_t i = 0; i < sash.Lines.size(); ++i)
            out += (i ? "," : "") + std::string("('K',") + std::to_string(i + 1) + ",0,5000,0,360,0,5000," +
                   (static_cast<int>(i) == arc ? std::to_string(full) + "," + std::to_string(half) : "0,0") +
                   ",0)";
        return out;
    };
    Rules(rows(1, 0));
    EXPECT_TRUE(lookups_.ComplectFitsSash(sash, "K"));
    Rules(rows(0, 1));
    EXPECT_FALSE(lookups_.ComplectFitsSash(sash, "K"));
}

TEST_F(LookupsTest, SideRulesForTheModel) {
    Sql("DELETE FROM FrnSide");
    Sql("INSERT INTO FrnSide (ID, Side, OpenMode, RotSide, Handled, Banded, Drived) VALUES "
        "('K',2,0,0,1,0,0),('K',1,1,3,0,1,1),('L',1,0,0,0,0,0)");
    dm_.T_FrnSide.Close();
    dm_.T_FrnSide.Open();
    ModelCatalog& model = lookups_;
    auto rules = model.GetSideRules("K");
    ASSERT_EQ(2u, rules.size());
    EXPECT_EQ(1, rules[0].Side);
    EXPECT_EQ(3, rules[0].RotSide);
    EXPECT_EQ(1, rules[0].Drived);
    EXPECT_EQ(1, rules[1].Handled);
    EXPECT_TRUE(model.GetSideRules("none").empty());
    EXPECT_FALSE(dm_.T_FrnSide.Filtered());
}

TEST_F(LookupsTest, QuotesInKeysDoNotBreakFilters) {
    EXPECT_TRUE(lookups_.GetSideRules("it's").empty());
    EXPECT_EQ("'it''s'", QuoteFilterText("it's"));
}

} // namespace
} // namespace kvf

namespace kvf {
namespace {

// A lookup that fails inside its filter scope leaves no filter behind.
TEST_F(LookupsTest, FailureInsideAFilteredLookupLeavesNoFilter) {
    dm_.T_FrnSide.Close();
    EXPECT_THROW(lookups_.GetSideRules("K1"), KvfError);
    EXPECT_FALSE(dm_.T_FrnSide.Filtered());
    EXPECT_EQ("", dm_.T_FrnSide.Filter());
    dm_.T_FrnSide.Open();
    EXPECT_EQ(2, dm_.T_FrnSide.RecordCount());
    EXPECT_EQ(2u, lookups_.GetSideRules("K1").size());
}

} // namespace
} // namespace kvf
