#include "reports/report_data.h"

#include "../catalog/catalog_fixture.h"
#include "config/paths.h"
#include "config/setup.h"
#include "geometry/recording_canvas.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/furn_comp.h"
#include "model/furn_item.h"
#include "model/order.h"
#include "model/order_selection.h"
#include "reports/report_expression.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

class ReportDataTest : public CatalogFixture {
protected:
    ReportDataTest() {
        Sql("INSERT INTO Catalog (ID, Article, ProdArticle, Name, Unit, Price, Currency, GOST) VALUES "
            "('A1','ART-1','P-1','Петля','шт',10,1,'ГОСТ 1'),('B2','ART-2','P-2','Ажурная "
            "планка','м',5,1,''),"
            "('C3','ART-3','P-3','Цапфа','шт',2,1,'')");
        Sql("INSERT INTO Currency (ID, Name, Value, Dec, Nominative, Genitive, GenitivePlural, Gender) "
            "VALUES "
            "(1,'руб.',1,2,'рубль','рубля','рублей',0)");
        Sql("INSERT INTO SysList (ID, Name) VALUES ('1205','Норлит Классик')");
        Sql("INSERT INTO SysProf (SchlSysID, Name) VALUES ('K13','Профиль 13')");
        Sql("INSERT INTO COLORSET (Color, Name) VALUES ('WH','Белый')");
        Sql("INSERT INTO SysProp (ID, GroupName, ValueName, Printable, PrintName) VALUES "
            "(101,'Защита','RC1',1,'Взломостойкость RC1'),(102,'Защита','RC2',0,'Взломостойкость RC2'),"
            "(201,'Цвет','Серебро',1,'Взломостойкость RC1')");
        Sql("INSERT INTO FrnItem (ID, Name) VALUES ('E1','Элемент петли')");
        Sql("INSERT INTO FrnComp (ID, Name, Printable, PrintName) VALUES ('K1','Комплект',1,'Комплект "
            "поворотный')");
        OpenAll();
        setup_.Name = "Окна";
        setup_.ZipCode = "238560";
        setup_.Phone2 = "555-01-21";
        setup_.Fax = "555-01-29";
        paths_.ConfigName = "Демо";
        paths_.OrdersDir = (dir_ / "orders").string();
        std::filesystem::create_directories(paths_.OrdersDir);

        order_.OrderNo = "З-7";
        order_.Customer = "Иванов";
        order_.RegDate = 45000;
        order_.FurnSys = "1205";
        order_.ProfSys = "K13";
        order_.FurnColor = "WH";
        order_.CurrencyID = 1;
        order_.GetTotalNDS = true;
        order_.NDSTax = 20;
        addPosition("1", "Окно", true, 2, {"A1", "B2"}, {});
        addPosition("2", "Исключена", false, 1, {"C3"}, {});
        addPosition("3", "Дверь", true, 1, {"C3"}, {"A1"});
    }

    // A position with a left sash composition of `left` items and, for a
    // pair, a right one of `right` items (1200 mm long when the article is B2).
    TkvfConstruction& addPosition(const std::string& no, const std::string& name, bool included, int number,
                                  const std::vector<std::string>& left,
                                  const std::vector<std::string>& right) {
        TkvfConstruction& p = order_.AddPosition();
        p.No = no;
        p.Name = name;
        p.Included = included;
        p.Number = number;
        p.ConstrType = right.empty() ? 2 : 0;
        const auto fill = [&](TkvfFlugel& sash, const std::vector<std::string>& ids) {
            if (ids.empty())
                return;
            sash.FurnComp = std::make_unique<TkvfFurnComp>(&sash);
            sash.FurnComp->Complect = "K1";
            sash.FurnComp->Properties = {"0=101", "1=102;0=201", "0=101"};
            for (const std::string& id : ids) {
                auto item = std::make_unique<TkvfFurnItem>(sash.FurnComp.get());
                item->ID = id;
                item->Count = 2;
                item->Length = id == "B2" ? 1200 : 0;
                item->ParentComplect = "K1";
                sash.FurnComp->Items.push_back(std::move(item));
            }
            lookups().SetPricing({&order_.Currencies, 1});
        };
        fill(p.LeftFlugel, left);
        fill(p.RightFlugel, right);
        return p;
    }

    CatalogLookups& lookups() { return data_.Lookups(); }

    // Binds the module to the order and an empty report, as a run does.
    void bindOrder() {
        order_.Currencies.push_back(std::make_unique<TkvfCurrencyItem>());
        order_.Currencies.back()->CurrencyID = 1;
        order_.Currencies.back()->Rate = 1;
        data_.SetReportObject(&order_);
        data_.AttachReport(report_);
        for (int i = 0; i < order_.Count(); ++i)
            order_.Position(i).RecalcCost(data_.Lookups());
    }

    std::string value(const std::string& name) {
        Variant v;
        EXPECT_TRUE(data_.GetValue(name, v)) << name;
        return ReportValueText(v);
    }

    std::string calc(const std::string& expression) { return ReportValueText(report_.Calc(expression)); }

    TkvfSetup setup_;
    TkvfPaths paths_;
    TkvfOrder order_;
    TDM_Report data_{dm_, setup_, paths_, prompter_};
    TReport report_;
};

TEST_F(ReportDataTest, VariablesOfTheFirmAndTheOrder) {
    bindOrder();
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"_KVF_FIRMNAME", "Окна"},
        {"_kvf_configname", "Демо"},
        {"_KVF_PHONES", "238560 555-01-21,555-01-29"},
        {"_ORDER_NO", "З-7"},
        {"_ORDER_CUSTOMER", "Иванов"},
        {"_ORDER_DATE", "15.03.2023"},
        {"_ORDER_FURNSYS", "Норлит Классик"},
        {"_ORDER_PROFSYS", "Профиль 13"},
        {"_ORDER_FURNCOLOR", "Белый"},
        {"_ORDER_CURRENCY", "руб."},
        {"_ORDER_GETTOTALNDS", "true"},
        {"_ORDER_NDSTAX", "20"},
        // Position 1: 2 x (2 x 10 + 2.4 m x 5) = 64; position 3: 2 x 2 + 2 x 10 = 24.
        {"_ORDER_TOTAL", "88.0000"},
        {"_ORDER_TOTALNDS", "17.6000"},
        {"_ORDER_TOTALWITHNDS", "105.6000"},
        {"_POS_NO", ""},
        {"_OMS_NAME", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, value(c.name));
    }
    Variant unknown;
    EXPECT_FALSE(data_.GetValue("_ORDER_NOPE", unknown));
}

TEST_F(ReportDataTest, SourcesWalkIncludedPositionsTheirSashesAndItems) {
    bindOrder();
    report_.LoadFromText(
        "<report><band type=\"MasterData\" source=\"frdOrderPosSpec\" height=\"5\"><text width=\"100\" "
        "height=\"5\">[_POS_NO] [_POS_NAME] x[_POS_NUMBER]</text>"
        "<band type=\"DetailData\" source=\"frdFrameFurnCompSpec\" height=\"5\"><text width=\"100\" "
        "height=\"5\">sash [_CFCS_COMPLECTNAME] [_CFCS_PROPERTY] / [_CFCS_ALLPROPERTY]</text>"
        "<band type=\"SubdetailData\" source=\"frdFurnCompItemSpec\" height=\"5\"><text width=\"100\" "
        "height=\"5\">[_FCIS_INDEX] [_FCIS_ARTICLE] [_FCIS_NAME] [_FCIS_LENGTH] [_FCIS_COUNT] "
        "[_FCIS_PARENTCOMPLECT_NAME] [_FCIS_GOST][_FCIS_PRINTABLE]</text></band></band></band></report>",
        "sources.kfr");
    RecordingCanvas measure;
    const TPreparedReport prepared = report_.PrepareReport(measure);
    const std::vector<std::string> expected = {
        "1 Окно x2",
        "sash Комплект поворотный 101;201 / 101;102;201",
        "0 ART-1 Петля 0 2 Комплект ГОСТ 1",
        "1 ART-2 Ажурная планка 1200 2 Комплект ",
        "3 Дверь x1",
        "sash Комплект поворотный 101;201 / 101;102;201",
        "0 ART-3 Цапфа 0 2 Комплект ",
        "sash Комплект поворотный 101;201 / 101;102;201",
        "0 ART-1 Петля 0 2 Комплект ГОСТ 1",
    };
    EXPECT_EQ(expected, prepared.Pages.at(0).Items.Texts());
}

TEST_F(ReportDataTest, MaterialListIsRebuiltOnEachInitAndSorted) {
    bindOrder();
    const auto listed = [&](const char* init) {
        report_.Calc(init);
        std::string ids;
        for (data_.frdOrderMatList.First(); !data_.frdOrderMatList.Eof(); data_.frdOrderMatList.Next())
            ids += value("_OMS_ID") + "=" + value("_OMS_NUMBER") + "/" + value("_OMS_COST") + " ";
        return ids;
    };
    EXPECT_EQ("A1=6/60.0000 B2=4.8/24.0000 C3=2/4.0000 ", listed("_INIT_ORDERMATLIST('')"));
    // A second build replaces the first instead of adding to it.
    EXPECT_EQ("B2=4.8/24.0000 A1=6/60.0000 C3=2/4.0000 ", listed("_init_ordermatlist('SORT_' + 'BY_NAME')"));
    data_.MatIndex = 1;
    EXPECT_EQ("Петля", value("_OMS_NAME"));
    EXPECT_EQ("шт", value("_OMS_UNIT"));
    EXPECT_EQ("ART-1", value("_OMS_ARTICLE"));
    EXPECT_EQ("", value("_OMS_PRODARTICLE1"));
    data_.ResetReport();
    EXPECT_EQ("", value("_OMS_ID"));
    EXPECT_TRUE(prompter_.records.empty());
}

TEST_F(ReportDataTest, UserFunctions) {
    bindOrder();
    struct Case {
        const char* name;
        const char* expression;
        const char* expected;
    };
    const Case cases[] = {
        {"field by id", "_GETCATALOG_FIELDBYID('A1', 'Article')", "ART-1"},
        {"field of an unknown id", "_GETCATALOG_FIELDBYID('ZZ', 'Article')", "???"},
        {"unknown field", "_GETCATALOG_FIELDBYID('A1', 'Colour')", "???"},
        {"empty id", "_GETCATALOG_FIELDBYID('', 'Article')", "???"},
        {"field list with a literal blank", "_GETCATALOG_FIELDLISTBYID('A1;B2', 'Article; ;Name', ', ')",
         "ART-1 Петля, ART-2 Ажурная планка, "},
        {"field list keeps a separator for a missing id",
         "_GETCATALOG_FIELDLISTBYID('ZZ;A1', 'Article', '|')", "|ART-1|"},
        {"field list without ids", "_GETCATALOG_FIELDLISTBYID('', 'Article', '|')", "???"},
        {"property list never repeats",
         "_GETSYSPROP_FIELDLISTBYID('101;102;201', 'GroupName;PrintName', '; ')",
         "Защита; Взломостойкость RC1; Взломостойкость RC2; Цвет"},
        {"replaced text is not searched again", "_REPLACESTR('aaa', 'a', 'ab')", "ababab"},
        {"replace with itself", "_REPLACESTR('abc', 'b', 'b')", "abc"},
        {"replace the whole text", "_REPLACESTR('abc', 'abc', 'x')", "x"},
        {"replace is case-sensitive", "_REPLACESTR('aAa', 'A', '-')", "a-a"},
        {"replace without a pattern", "_REPLACESTR('abc', '', 'x')", ""},
        {"fittings item field", "_GETFURNITEM_FIELDBYID('E1', 'Name')", "Элемент петли"},
        {"fittings item missing", "_GETFURNITEM_FIELDBYID('E9', 'Name')", "???"},
        {"money in words", "_MONEYBYWORD_RUS(_ORDER_TOTALWITHNDS)", "Сто пять рублей 60"},
        {"money in words of a text that is no number", "_MONEYBYWORD_RUS('x')", "Ноль рублей 00"},
        {"arguments that fail count as empty", "_REPLACESTR(_NO_SUCH, 'a', 'b')", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, calc(c.expression));
    }
    EXPECT_FALSE(data_.UserFunction("_NO_SUCH_FUNCTION", {}));
    EXPECT_TRUE(data_.UserFunction("_INIT_SOMETHING", {}));
    data_.SetReportObject(static_cast<TkvfOrder*>(nullptr));
    EXPECT_EQ("", calc("_MONEYBYWORD_RUS(100)"));
}

TEST_F(ReportDataTest, SelectionReportTakesPositionsFromTheItemsOrders) {
    bindOrder();
    ASSERT_TRUE(order_.SaveToFile(paths_.OrdersDir + "/z7.kfo370", prompter_));
    TkvfOrderSelection selection;
    selection.SelNo = "В-1";
    const auto add = [&](const char* posNo, bool included, const char* file) {
        TkvfOrderSelectionItem& item = selection.AddItem();
        item.OrderNo = "З-7";
        item.PosNo = posNo;
        item.Included = included;
        item.OrderFile = file;
    };
    add("3", true, "%\\Z7.KFO370");
    add("1", false, "%\\Z7.KFO370");
    add("1", true, "%\\MISSING.KFO370");
    data_.SetReportObject(&selection);
    EXPECT_EQ("З-7", value("_SEL_ORDERLIST").substr(0, 4));
    data_.frdSelPosSpec.First();
    EXPECT_EQ("3", value("_POS_NO"));
    EXPECT_EQ("Дверь", value("_POS_NAME"));
    EXPECT_EQ("З-7", value("_POS_ORDERNO"));
    Variant none;
    EXPECT_TRUE(data_.GetValue("_ORDER_NO", none));
    EXPECT_TRUE(none.IsEmpty());
    data_.frdSelPosSpec.Next();
    EXPECT_FALSE(data_.frdSelPosSpec.Eof());
    EXPECT_EQ(nullptr, data_.CurPos); // the missing order file gives no position
    EXPECT_EQ("", value("_POS_NO"));
    data_.frdSelPosSpec.Next();
    EXPECT_TRUE(data_.frdSelPosSpec.Eof());
}

TEST_F(ReportDataTest, SketchViewsGetTheCurrentPosition) {
    bindOrder();
    TkvfFRDrawView view;
    data_.FirstPos();
    data_.BeforePrint(view);
    EXPECT_TRUE(view.HasObject);
    EXPECT_EQ(&order_.Position(0), view.DrawObject);
    EXPECT_TRUE(view.DrawProc);
    TTextView text;
    data_.BeforePrint(text);
}

} // namespace
} // namespace kvf
