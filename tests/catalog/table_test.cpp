#include "catalog_fixture.h"

#include "base/error.h"

#include <random>

namespace kvf {
namespace {

using TableTest = CatalogFixture;

std::vector<std::string> Column(Table& t, const char* field) {
    std::vector<std::string> out;
    for (t.First(); !t.Eof(); t.Next())
        out.push_back(t.AsString(field));
    return out;
}

TEST_F(TableTest, FrnArtIteratesByElementThenArticleThenKey) {
    Sql("INSERT INTO FrnArt (ID, CatalogID, Key) VALUES "
        "('E2','A',1),('E1','C',2),('E1','A',5),('E1','B',3),('E1','A',4)");
    OpenAll();
    EXPECT_EQ((std::vector<std::string>{"A", "A", "B", "C", "A"}), Column(dm_.T_FrnArt, "CatalogID"));
    EXPECT_EQ((std::vector<std::string>{"4", "5", "3", "2", "1"}), Column(dm_.T_FrnArt, "Key"));
    FilterScope scope(dm_.T_FrnArt, "ID='E1'");
    EXPECT_EQ((std::vector<std::string>{"A", "A", "B", "C"}), Column(dm_.T_FrnArt, "CatalogID"));
}

TEST_F(TableTest, StoredOrderTablesKeepTheirRowOrder) {
    Sql("INSERT INTO FrnDop (CatalogID, AccessoryID) VALUES ('B','1'),('A','2'),('B','3'),('A','4')");
    Sql("INSERT INTO FrnProp (PropKey, ID) VALUES (9,1),(1,2),(5,3)");
    OpenAll();
    EXPECT_EQ((std::vector<std::string>{"2", "4", "1", "3"}), Column(dm_.T_FrnDop, "AccessoryID"));
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), Column(dm_.T_FrnProp, "ID"));
}

TEST_F(TableTest, SlicesAndMaterialKeepTheirFixedFilters) {
    Sql("INSERT INTO ParamList (ID, Name) VALUES (101,'f'),(250,'d'),(199,'f2'),(300,'s'),(499,'o')");
    Sql("INSERT INTO Material (ID, Name) VALUES (0,'none'),(1,'wood'),(2,'pvc')");
    OpenAll();
    struct Case {
        Table& table;
        int count;
    } cases[] = {{dm_.T_FalzList, 2},
                 {dm_.T_DornList, 1},
                 {dm_.T_StulpList, 1},
                 {dm_.T_OpenList, 1},
                 {dm_.T_Material, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table.Name());
        EXPECT_EQ(c.count, c.table.RecordCount());
    }
    EXPECT_FALSE(dm_.T_FalzList.Locate("ID", {Value{int64_t{250}}}));
    EXPECT_TRUE(dm_.T_DornList.Locate("ID", {Value{int64_t{250}}}));
    EXPECT_FALSE(dm_.T_Material.Locate("ID", {Value{int64_t{0}}}));
    {
        // A temporary filter narrows the slice further and never widens it.
        FilterScope scope(dm_.T_FalzList, "ID >= 0");
        EXPECT_EQ(2, dm_.T_FalzList.RecordCount());
    }
    EXPECT_EQ(2, dm_.T_FalzList.RecordCount());
}

TEST_F(TableTest, LocateForms) {
    dm_.DB_Registry.Exec(
        "INSERT INTO OrderLst (No, Customer) VALUES ('10','Иванов'),('2','петров'),('3','Петрова')");
    dm_.T_OrderList.Open();
    Table& t = dm_.T_OrderList;
    struct Case {
        const char* name;
        const char* field;
        const char* value;
        LocateOptions options;
        const char* foundNo; // nullptr: not found
    } cases[] = {
        {"exact", "Customer", "Иванов", {}, "10"},
        {"exact is case-sensitive", "Customer", "иванов", {}, nullptr},
        {"exact refuses a prefix", "Customer", "Иван", {}, nullptr},
        {"ignoring case (Cyrillic)", "Customer", "ПЕТРОВ", {true, false}, "2"},
        {"prefix", "Customer", "Петр", {false, true}, "3"},
        {"prefix ignoring case finds the first in order", "Customer", "петр", {true, true}, "2"},
        {"key field", "No", "3", {}, "3"},
        {"field name ignores case", "no", "2", {}, "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        t.First();
        bool found = t.Locate(c.field, {Value{std::string(c.value)}}, c.options);
        EXPECT_EQ(c.foundNo != nullptr, found);
        if (found)
            EXPECT_EQ(c.foundNo, t.AsString("No"));
    }
    EXPECT_THROW(t.Locate("Nope", {Value{std::string("x")}}), KvfError);
}

TEST_F(TableTest, LocateByTwoFieldsAndFindKey) {
    Sql("INSERT INTO FrnSide (ID, Side, HandleDirect) VALUES ('K',2,7),('K',1,5),('L',1,9)");
    Sql("INSERT INTO FrnComp (ID, Name) VALUES ('b','B'),('a','A')");
    OpenAll();
    ASSERT_TRUE(dm_.T_FrnSide.Locate("ID;Side", {Value{std::string("K")}, Value{int64_t{2}}}));
    EXPECT_EQ(7, dm_.T_FrnSide.AsInteger("HandleDirect"));
    EXPECT_FALSE(dm_.T_FrnSide.Locate("ID;Side", {Value{std::string("L")}, Value{int64_t{2}}}));
    EXPECT_EQ(7, dm_.T_FrnSide.AsInteger("HandleDirect")) << "a failed locate keeps the cursor";
    ASSERT_TRUE(dm_.T_FrnComp.FindKey({Value{std::string("a")}}));
    EXPECT_EQ("A", dm_.T_FrnComp.AsString("Name"));
    EXPECT_FALSE(dm_.T_FrnComp.FindKey({Value{std::string("A")}}));
}

TEST_F(TableTest, SecondaryOrdersAndLookupFields) {
    Sql("INSERT INTO Currency (ID, Name) VALUES (1,'USD'),(2,'EUR')");
    Sql("INSERT INTO Catalog (ID, Name, Currency, ProdArticle) VALUES "
        "('1','b',2,'Zz'),('2','A',1,'aa'),('3','c',7,'BB')");
    OpenAll();
    Table& t = dm_.T_Catalog;
    {
        IndexScope order(t, "ProdArticle");
        EXPECT_EQ((std::vector<std::string>{"aa", "BB", "Zz"}), Column(t, "ProdArticle"));
    }
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3"}), Column(t, "ID"));
    EXPECT_EQ((std::vector<std::string>{"EUR", "USD", ""}), Column(t, "CurrencyLookup"));
    EXPECT_THROW(t.SetIndexName("Nope"), KvfError);
}

TEST_F(TableTest, FilterScopeIsUndoneOnEveryPath) {
    Sql("INSERT INTO FrnArt (ID, CatalogID) VALUES ('E1','A'),('E2','B')");
    OpenAll();
    Table& t = dm_.T_FrnArt;
    try {
        FilterScope scope(t, "ID='E1'");
        EXPECT_EQ(1, t.RecordCount());
        throw KvfError("inside");
    } catch (const KvfError&) {
    }
    EXPECT_FALSE(t.Filtered());
    EXPECT_EQ("", t.Filter());
    EXPECT_EQ(2, t.RecordCount());
    // A malformed filter raises and leaves nothing set.
    EXPECT_THROW(FilterScope(t, "ID = 'x"), KvfError);
    EXPECT_FALSE(t.Filtered());
    EXPECT_EQ(2, t.RecordCount());
}

// The key-range scan gives the same rows as a full scan, in order.
TEST_F(TableTest, KeyRangeFilterMatchesFullScan) {
    std::mt19937 rng(7);
    std::string values;
    for (int i = 0; i < 600; ++i) {
        values += (i ? "," : "") + std::string("('E") + std::to_string(rng() % 20) + "','C" +
                  std::to_string(rng() % 50) + "'," + std::to_string(rng() % 5) + ")";
    }
    Sql("INSERT INTO FrnArt (ID, CatalogID, FalzLuft) VALUES " + values);
    OpenAll();
    Table& t = dm_.T_FrnArt;
    for (int e = 0; e < 21; ++e) {
        std::string id = "E" + std::to_string(e);
        std::vector<std::string> ranged, scanned;
        {
            FilterScope scope(t, "ID='" + id + "' and FalzLuft = 2");
            ranged = Column(t, "CatalogID");
        }
        {
            FilterScope scope(t, "(ID='" + id + "' or ID='none') and FalzLuft = 2");
            scanned = Column(t, "CatalogID");
        }
        EXPECT_EQ(scanned, ranged) << id;
    }
}

// The table scans numeric fields from columns of its own; every filter must
// pick the rows the filter picks row by row, before and after an edit.
TEST_F(TableTest, FilteredRowsAreTheRowsTheFilterMatches) {
    std::mt19937 rng(11);
    std::string values;
    auto maybe = [&](const std::string& v) { return rng() % 4 == 0 ? std::string("NULL") : v; };
    for (int i = 0; i < 300; ++i)
        values += (i ? "," : "") + std::string("('E") + std::to_string(rng() % 5) + "','C" +
                  std::to_string(i) + "'," + maybe(std::to_string(static_cast<int>(rng() % 7) - 2)) + "," +
                  maybe(std::to_string(rng() % 300 / 10.0)) + "," +
                  maybe("'" + std::to_string(rng() % 3) + "'") + ")";
    Sql("INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, Color) VALUES " + values);
    OpenAll();
    Table& t = dm_.T_FrnArt;
    const char* filters[] = {
        "FalzLuft = 0",
        "FalzLuft = ''",
        "FalzLuft <> '' and FalzLuft < 1",
        "ID = 'E2' and DornMassMin >= 12.5 and DornMassMin < 20",
        "ID = 'E3' and (FalzLuft = -2 or DornMassMin = '' or Color = '1')",
        "DornMassMin > 0 or FalzLuft >= 3",
        "ID = 'E1' and DornMassMin <= 0",
    };
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "as loaded" : "after an edit");
        for (const char* text : filters) {
            SCOPED_TRACE(text);
            auto filter = CompiledFilter::Compile(text, t.Fields());
            std::vector<std::string> expected;
            for (t.First(); !t.Eof(); t.Next())
                if (filter->Matches(t.CurrentValues()))
                    expected.push_back(t.AsString("CatalogID"));
            FilterScope scope(t, text);
            EXPECT_EQ(expected, Column(t, "CatalogID"));
        }
        ASSERT_TRUE(t.Locate("CatalogID", {Value{std::string("C7")}}));
        t.Edit();
        t.SetValue("FalzLuft", Value{});
        t.SetValue("DornMassMin", Value{15.0});
        t.Post();
    }
}

// Texts that differ only in their literals share one compiled filter with the
// values rebound: each must still select exactly what a fresh compile selects.
TEST_F(TableTest, FiltersOfOneShapeSelectWhatTheirOwnTextSays) {
    std::mt19937 rng(5);
    std::string values;
    for (int i = 0; i < 200; ++i)
        values += (i ? "," : "") + std::string("('E") + std::to_string(rng() % 4) + "','C" +
                  std::to_string(i) + "'," + std::to_string(static_cast<int>(rng() % 9) - 4) + "," +
                  std::to_string(rng() % 40 / 4.0) + ",'" + std::to_string(rng() % 3) + "')";
    Sql("INSERT INTO FrnArt (ID, CatalogID, FalzLuft, DornMassMin, Color) VALUES " + values);
    OpenAll();
    Table& t = dm_.T_FrnArt;
    const std::string numbers[] = {"0", "-3", "2.5", "-0.25", "7", ".5", "4."};
    size_t selected = 0;
    for (int i = 0; i < 60; ++i) {
        const std::string text = "ID = 'E" + std::to_string(i % 4) + "' and (FalzLuft >= " + numbers[i % 7] +
                                 " or DornMassMin < " + numbers[(i * 3) % 7] + ") and Color <> '" +
                                 std::to_string(i % 3) + "'";
        SCOPED_TRACE(text);
        auto fresh = CompiledFilter::Compile(text, t.Fields());
        std::vector<std::string> expected;
        for (t.First(); !t.Eof(); t.Next())
            if (fresh->Matches(t.CurrentValues()))
                expected.push_back(t.AsString("CatalogID"));
        FilterScope scope(t, text);
        EXPECT_EQ(expected, Column(t, "CatalogID"));
        selected += expected.size();
    }
    EXPECT_LT(500u, selected) << "the texts must select rows for the comparison to mean anything";
}

TEST_F(TableTest, KeySearchFindsEveryRowWithAnyText) {
    const char* ids[] = {"b", "A", "Я", "ё", "Ж-1", "z", "10", "2", "Ёлка", "a b"};
    for (const char* id : ids)
        Sql(std::string("INSERT INTO FrnComp (ID, Name) VALUES ('") + id + "', 'n" + id + "')");
    OpenAll();
    Table& t = dm_.T_FrnComp;
    for (const char* id : ids) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(t.FindKey({Value{std::string(id)}}));
        EXPECT_EQ(std::string("n") + id, t.AsString("Name"));
        ASSERT_TRUE(t.Locate(" ID ; Name", {Value{std::string(id)}, Value{std::string("n") + id}}));
        EXPECT_EQ(id, t.AsString("ID"));
        FilterScope scope(t, std::string("ID <> '") + id + "'");
        EXPECT_FALSE(t.FindKey({Value{std::string(id)}}));
    }
    EXPECT_FALSE(t.FindKey({Value{std::string("я")}}));
    EXPECT_THROW(t.Locate(" ID", {Value{std::string("b")}}), KvfError) << "a single name is taken as it is";
}

// More filter texts than the table keeps compiled: texts dropped from the
// cache compile again and still select the right rows.
TEST_F(TableTest, FilterTextsBeyondTheCacheStillSelectTheirRows) {
    Sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50) "
        "INSERT INTO FrnSet (ID, Item, Key) SELECT 'K', 'E' || i, i FROM n");
    OpenAll();
    Table& t = dm_.T_FrnSet;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 6000; ++i) {
            FilterScope scope(t, "Key <= " + std::to_string(i % 60) + " and ID = 'K' and Item <> '" +
                                     std::to_string(i) + "'");
            ASSERT_EQ(std::min(i % 60, 50), t.RecordCount()) << i;
        }
}

TEST_F(TableTest, EditsAreWrittenThroughAndSurviveReopening) {
    Sql("INSERT INTO Currency (ID, Name, Value) VALUES (1,'USD',2.5)");
    OpenAll();
    Table& t = dm_.T_Currency;
    t.Append();
    t.SetValue("ID", Value{int64_t{2}});
    t.SetValue("Name", Value{std::string("EUR")});
    t.SetValue("Value", Value{3.14159});
    t.Post();
    EXPECT_EQ("EUR", t.AsString("Name"));
    ASSERT_TRUE(t.Locate("ID", {Value{int64_t{1}}}));
    t.Edit();
    t.SetValue("Value", Value{std::string("4.5")});
    t.Post();
    EXPECT_THROW(t.SetValue("Name", Value{std::string("x")}), KvfError);

    dm_.T_FrnSet.Append();
    dm_.T_FrnSet.SetValue("ID", Value{std::string("K")});
    dm_.T_FrnSet.Post();
    dm_.T_FrnSet.Append();
    dm_.T_FrnSet.SetValue("ID", Value{std::string("K")});
    dm_.T_FrnSet.Post();
    EXPECT_EQ(2, dm_.T_FrnSet.AsInteger("Key")) << "autoinc counts on";

    t.Close();
    t.Open();
    ASSERT_TRUE(t.Locate("ID", {Value{int64_t{2}}}));
    EXPECT_DOUBLE_EQ(3.1416, t.AsFloat("Value")) << "decimal(4) rounds to its scale";
    ASSERT_TRUE(t.Locate("ID", {Value{int64_t{1}}}));
    EXPECT_DOUBLE_EQ(4.5, t.AsFloat("Value"));
    t.Delete();
    EXPECT_EQ(1, t.RecordCount());
    t.Close();
    t.Open();
    EXPECT_EQ(1, t.RecordCount());
    t.EmptyTable();
    t.Close();
    t.Open();
    EXPECT_TRUE(t.IsEmpty());
}

// A key that identifies its rows is refused twice, whether the other row is
// loaded already or was stored by a second program after the table opened;
// the refused record stays in edit mode for correction.
TEST_F(TableTest, ASecondRowWithTheSameKeyIsRefused) {
    Sql("INSERT INTO FrnSide (ID, Side) VALUES ('C1', 1), ('C1', 2)");
    OpenAll();
    Table& t = dm_.T_FrnSide;
    struct Case {
        const char* name;
        bool append; // otherwise the second row is edited into the first one's key
        std::vector<std::pair<const char*, Value>> values;
    } cases[] = {
        {"appended", true, {{"ID", std::string("C1")}, {"Side", int64_t{1}}}},
        {"edited", false, {{"Side", int64_t{1}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.append) {
            t.Append();
        } else {
            ASSERT_TRUE(t.Locate("ID;Side", {Value{std::string("C1")}, Value{int64_t{2}}}));
            t.Edit();
        }
        for (const auto& [field, value] : c.values)
            t.SetValue(field, value);
        try {
            t.Post();
            ADD_FAILURE() << "posted";
        } catch (const KvfError& e) {
            EXPECT_STREQ("Таблица [FrnSide]: запись с ключом (ID=C1, Side=1) уже есть", e.what());
        }
        EXPECT_NE(TableState::Browse, t.State());
        t.Cancel();
        EXPECT_EQ(2, t.RecordCount());
    }
    // Keys that only order the rows repeat freely.
    Sql("INSERT INTO FrnDop (CatalogID, AccessoryID) VALUES ('A1', 'X')");
    dm_.T_FrnDop.Close();
    dm_.T_FrnDop.Open();
    dm_.T_FrnDop.Append();
    dm_.T_FrnDop.SetValue("CatalogID", Value{std::string("A1")});
    EXPECT_NO_THROW(dm_.T_FrnDop.Post());
    EXPECT_EQ(2, dm_.T_FrnDop.RecordCount());

    Sql("INSERT INTO FrnSide (ID, Side) VALUES ('C1', 3)");
    t.Append();
    t.SetValue("ID", Value{std::string("C1")});
    t.SetValue("Side", Value{int64_t{3}});
    try {
        t.Post();
        ADD_FAILURE() << "posted";
    } catch (const KvfError& e) {
        EXPECT_STREQ("Таблица [FrnSide]: запись с ключом (ID=C1, Side=3) уже есть", e.what());
    }
}

TEST_F(TableTest, ReadersTolerateDynamicTypes) {
    Sql("INSERT INTO Catalog (ID, Price, MinTrade, \"Group\", Name) VALUES ('1', '12.34567', 1.005, '7', "
        "42)");
    Sql("INSERT INTO Catalog (ID) VALUES ('2')");
    OpenAll();
    Table& t = dm_.T_Catalog;
    ASSERT_TRUE(t.Locate("ID", {Value{std::string("1")}}));
    EXPECT_EQ(123457, t.AsMoneyUnits("Price"));
    EXPECT_DOUBLE_EQ(1.01, t.AsFloat("MinTrade"));
    EXPECT_EQ(7, t.AsInteger("Group"));
    EXPECT_EQ("42", t.AsString("Name"));
    ASSERT_TRUE(t.Locate("ID", {Value{std::string("2")}}));
    EXPECT_TRUE(t.IsNull("Price"));
    EXPECT_EQ(0, t.AsInteger("Group"));
    EXPECT_EQ("", t.AsString("Name"));
}

TEST_F(TableTest, OpeningGoesOnPastAFailingTable) {
    Sql("DROP TABLE FrnSide");
    Sql("INSERT INTO FrnComp (ID) VALUES ('x')");
    EXPECT_FALSE(dm_.OpenCatalogTables(prompter_));
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ(MessageKind::Error, prompter_.records[0].kind);
    EXPECT_EQ(0u, prompter_.records[0].text.find("Ошибка открытия файла [FrnSide]\r\n("));
    EXPECT_FALSE(dm_.T_FrnSide.Active());
    EXPECT_TRUE(dm_.T_FrnComp.Active());
    EXPECT_TRUE(dm_.T_FrnItoI.Active()) << "tables after the failing one still open";
}

TEST_F(TableTest, PropertyQueryAndReportList) {
    Sql("INSERT INTO SysProp (ID, GroupName, ValueName) VALUES "
        "(101,'Цвет','Белый'),(102,'Цвет','Серый'),(201,'X','Y')");
    Sql("INSERT INTO FrnProp (PropKey, ID, \"Default\") VALUES (5,102,0),(5,101,1),(6,201,0),(7,999,0)");
    OpenAll();
    ASSERT_TRUE(dm_.OpenPropertyQuery({5, 7, 0, 0, 0, 0, 0}, prompter_));
    Table& q = *dm_.Q_Properties;
    std::vector<std::string> names;
    for (const auto& f : q.Fields())
        names.push_back(f.Name);
    EXPECT_EQ((std::vector<std::string>{"ID", "GroupName", "ValueName", "Default", "PropKey"}), names);
    EXPECT_EQ((std::vector<std::string>{"102", "101"}), Column(q, "ID"));
    EXPECT_EQ((std::vector<std::string>{"Серый", "Белый"}), Column(q, "ValueName"));

    dm_.DB_Report.Exec(
        "INSERT INTO Report (Name, FileName, \"Group\", USE, \"Default\", Copies) VALUES "
        "('a','%A.FRF',11,1,1,2),('b','%B.FRF',11,0,0,1),('c','%C.FRF',12,1,1,1),('d','%D.FRF',11,1,0,3)");
    ASSERT_TRUE(dm_.OpenReportList(11, true, prompter_));
    EXPECT_EQ((std::vector<std::string>{"a", "d"}), Column(*dm_.Q_ReportList, "Name"));
    ASSERT_TRUE(dm_.OpenReportList(11, false, prompter_));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "d"}), Column(*dm_.Q_ReportList, "Name"));
    EXPECT_EQ(6u, dm_.Q_ReportList->Fields().size());
}

TEST_F(TableTest, BrokenQueryShowsItsSql) {
    Sql("DROP TABLE SysProp");
    EXPECT_FALSE(dm_.OpenPropertyQuery({1, 2, 3, 4, 5, 6, 7}, prompter_));
    ASSERT_EQ(1u, prompter_.records.size());
    const std::string& text = prompter_.records[0].text;
    EXPECT_EQ(0u, text.find("Ошибка открытия SQL-запроса:\r\n("));
    EXPECT_NE(
        std::string::npos,
        text.find(")\r\nSQL:\r\n(select T1.\"ID\", T1.\"GroupName\", T1.\"ValueName\", T.\"Default\", "
                  "T.\"PropKey\"\r\nfrom \":PZDB_Catalog:FrnProp.DB\" T, \":PZDB_Catalog:SysProp.DB\" "
                  "T1\r\nwhere\r\nT.\"ID\" = T1.\"ID\"\r\nand\r\nT.\"PropKey\" IN (1, 2, 3, 4, 5, 6, 7))"));
}

} // namespace
} // namespace kvf

namespace kvf {
namespace {

// A catalog folder that holds Paradox tables and no SQLite file is imported
// once, with the user told, and then opens as usual.
TEST(AutoImport, ParadoxFolderIsImportedOnFirstOpen) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("kvf_catalog_auto_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "catalog");
    fs::create_directories(dir / "registry");
    fs::create_directories(dir / "report");
    fs::copy_file(std::string(KVF_SHARED_DIR) + "/paradox-samples/paradoxdriver/db/GENERAL.DB",
                  dir / "catalog" / "Material.db");
    {
        TDM dm;
        ScriptedPrompter prompter;
        ASSERT_TRUE(dm.OpenDatabases(
            {(dir / "catalog").string(), (dir / "registry").string(), (dir / "report").string()}, prompter));
        ASSERT_EQ(1u, prompter.records.size());
        EXPECT_EQ(MessageKind::Information, prompter.records[0].kind);
        EXPECT_TRUE(fs::exists(dir / "catalog" / "catalog.sqlite"));
        EXPECT_TRUE(dm.OpenCatalogTables(prompter));
        EXPECT_EQ(3, dm.T_Material.RecordCount());
        ASSERT_TRUE(dm.T_Material.Locate("ID", {Value{int64_t{333333333}}}));
        EXPECT_EQ("Elizabet", dm.T_Material.AsString("Name"));
        dm.CloseDatabases();
    }
    {
        TDM dm;
        ScriptedPrompter prompter;
        ASSERT_TRUE(dm.OpenDatabases(
            {(dir / "catalog").string(), (dir / "registry").string(), (dir / "report").string()}, prompter));
        EXPECT_TRUE(prompter.records.empty()) << "imported only once";
        dm.CloseDatabases();
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace kvf
