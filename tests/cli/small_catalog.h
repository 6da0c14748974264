#pragma once
// Small catalogs and orders in a temporary folder for the commands and
// windows that recalculate orders: complect C1 adds hinge article A1 twice, complect C2
// handle article A2 once; both articles cost 2.5 in currency 1 at rate 1.
// Position "1" chooses C1, position "2" C2, position "3" both (C2 as an
// additional complect); each is one 700 x 1400 mm sash.

#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "model/order.h"
#include "model/record_versions.h"
#include "model/shape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace kvf::cli::test {

class SmallCatalogs {
public:
    SmallCatalogs();
    ~SmallCatalogs();

    // Writes the catalog into `folder / name`; `edit` changes it before it is closed.
    std::string WriteCatalog(const std::string& name, const std::function<void(TDM&)>& edit = {});
    // Writes the order of the three positions into `folder / order.kfo370`.
    std::string WriteOrder();

    static void Row(Table& table, std::initializer_list<std::pair<const char*, Value>> fields);
    // Sets one field of the row found by its key.
    static void Change(Table& table, const std::string& key, const char* field, const Value& value);
    static std::string Bytes(const std::string& file);

    std::filesystem::path folder;
};

inline SmallCatalogs::SmallCatalogs() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvf-compare-test-XXXXXX").string();
    folder = mkdtemp(pattern.data());
}

inline SmallCatalogs::~SmallCatalogs() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

inline void SmallCatalogs::Row(Table& table, std::initializer_list<std::pair<const char*, Value>> fields) {
    table.Append();
    for (const auto& [name, value] : fields)
        table.SetValue(name, value);
    table.Post();
}

inline void SmallCatalogs::Change(Table& table, const std::string& key, const char* field,
                                  const Value& value) {
    ASSERT_TRUE(table.FindKey({Value(key)})) << key;
    table.Edit();
    table.SetValue(field, value);
    table.Post();
}

inline std::string SmallCatalogs::WriteCatalog(const std::string& name,
                                               const std::function<void(TDM&)>& edit) {
    const std::filesystem::path dir = folder / name;
    std::filesystem::create_directories(dir);
    ScriptedPrompter prompter;
    TDM dm;
    EXPECT_TRUE(dm.OpenDatabases({dir.string(), dir.string(), dir.string()}, prompter));
    EXPECT_TRUE(dm.OpenCatalogTables(prompter));
    dm.DB_Catalog.Exec("PRAGMA synchronous = OFF");
    Row(dm.T_FalzList, {{"ID", 112}, {"FalzLuft", 12}, {"FalzSize", 20}, {"FalzPos", 9}});
    Row(dm.T_DornList, {{"ID", 215}, {"DornMass", 15.0}});
    Row(dm.T_Currency, {{"ID", 1}, {"Name", "EUR"}, {"Value", 1.0}});
    Row(dm.T_Catalog, {{"ID", "A1"}, {"Name", "Петля"}, {"Price", 2.5}, {"Currency", 1}});
    Row(dm.T_Catalog, {{"ID", "A2"}, {"Name", "Ручка"}, {"Price", 2.5}, {"Currency", 1}});
    for (const char* c : {"C1", "C2"})
        Row(dm.T_FrnComp,
            {{"ID", c}, {"Name", std::string("Комплект ") + c}, {"TFlugelAvailable", 1}, {"Direct", 1}});
    Row(dm.T_FrnItem, {{"ID", "E1"}, {"Name", "Петля"}});
    Row(dm.T_FrnItem, {{"ID", "E2"}, {"Name", "Ручка"}});
    Row(dm.T_FrnArt, {{"ID", "E1"}, {"CatalogID", "A1"}});
    Row(dm.T_FrnArt, {{"ID", "E2"}, {"CatalogID", "A2"}});
    Row(dm.T_FrnSet, {{"ID", "C1"}, {"Item", "E1"}, {"Number", 2}, {"FFHMax", 150}});
    Row(dm.T_FrnSet, {{"ID", "C1"}, {"Item", "E2"}, {"Number", 1}, {"FFHMin", 150}});
    Row(dm.T_FrnSet, {{"ID", "C2"}, {"Item", "E2"}, {"Number", 1}});
    if (edit)
        edit(dm);
    dm.CloseDatabases();
    return dir.string();
}

inline std::string SmallCatalogs::WriteOrder() {
    ScriptedPrompter prompter;
    TkvfOrder order;
    order.Version = kCurrentOrderVersion;
    order.OrderNo = "З-1";
    order.Customer = "Иванов";
    order.CurrencyID = 1;
    order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
    for (const char* no : {"1", "2", "3"}) {
        TkvfConstruction& p = order.AddPosition();
        p.No = no;
        p.Number = 2;
        TkvfShapeSizes sizes;
        sizes.B = 700;
        sizes.H = 1400;
        p.SetShape(sizes, 215);
        p.FurnSys = "1205";
        p.Color = "RAL";
        p.Falz = 112;
        p.LeftFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&p.LeftFlugel);
        TkvfFurnComp& comp = *p.LeftFlugel.FurnComp;
        comp.FurnSys = "1205";
        comp.Color = "RAL";
        comp.Complect = std::string(no) == "2" ? "C2" : "C1";
        if (std::string(no) == "3")
            comp.DopComplects = {"C2"};
    }
    const std::string file = (folder / "order.kfo370").string();
    EXPECT_TRUE(order.SaveToFile(file, prompter));
    return file;
}

inline std::string SmallCatalogs::Bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace kvf::cli::test
