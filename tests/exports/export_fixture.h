#pragma once
// A small installation for the export tests: a catalog of four articles, an
// orders folder with one saved order, that order in memory and a selection
// over two of its positions, and the values an export dialog would hold.

#include "base/atomic_file.h"
#include "base/ole_date.h"
#include "base/scripted_prompter.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "exports/export_source.h"
#include "exports/export_values.h"
#include "model/order.h"
#include "model/order_selection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace kvf::test {

namespace fs = std::filesystem;

inline const std::string kGoldenDir = std::string(KVF_SOURCE_DIR) + "/tests/exports";

// The bytes of a golden file.
inline std::string Golden(const std::string& name) {
    return ReadFileBytes(kGoldenDir + "/" + name);
}

// Compares with a golden file; a difference leaves the actual bytes as
// NAME.actual in the working folder for inspection.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
    const fs::path path = fs::path(kGoldenDir) / name;
    const std::string expected = fs::exists(path) ? Golden(name) : std::string();
    if (expected != actual) {
        std::ofstream(name + ".actual", std::ios::binary) << actual;
        ADD_FAILURE() << name << " differs; the written bytes are in " << fs::absolute(name + ".actual");
    }
}

// xmllint parses the file without complaint.
inline void ExpectXmllintAccepts(const std::string& path) {
    const std::string command = "xmllint --noout '" + path + "' 2>&1";
    EXPECT_EQ(0, std::system(command.c_str())) << path;
}

class ExportFixture : public ::testing::Test {
public:
    ExportFixture() {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("kvf_export_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(dir_);
        for (const char* sub : {"catalog", "registry", "report", "Orders", "Export"})
            fs::create_directories(dir_ / sub);
        EXPECT_TRUE(dm_.OpenDatabases(
            {(dir_ / "catalog").string(), (dir_ / "registry").string(), (dir_ / "report").string()},
            prompter_));
        // A1 has both producer articles, B2 none, C3 long texts to be cut, D4 a
        // name with an ampersand and quotes for the XML.
        dm_.DB_Catalog.Exec(
            "INSERT INTO Currency (ID, Name, Value) VALUES (1,'руб',1),(2,'EUR',100);"
            "INSERT INTO Catalog (ID, ProdArticle, ProdArticle2, Name, Unit, Price, PriceGrp, Currency) "
            "VALUES "
            "('A1','VB-100','T-100','Петля верхняя','шт',12.5,0,1),"
            "('B2','','','Ножницы фрамужные для створок весом до 130 килограммов','м',0.3333,0,1),"
            "('C3','  VB-300  ','TBM-ARTICLE-LONGER-THAN-16','Ручка','комплектов',1.25,0,2),"
            "('D4','VB-400','T-400','Накладка \"Люкс\" & <декор>','шт',3,0,1)");
        EXPECT_TRUE(dm_.OpenCatalogTables(prompter_));

        order_.OrderNo = "З-15";
        addPosition("1", 1, {{"C3", 2.5f, "1.2500"}, {"A1", 12345678.0f, "12.5000"}, {"B2", 0.4f, "0.3333"}});
        addPosition("2", 2, {{"A1", 1.0f, "12.5000"}, {"D4", 3.0f, "3.0000"}});
        addPosition("3", 1, {{"B2", 9.0f, "0.3333"}}).Included = false;
        EXPECT_TRUE(order_.SaveToFile(OrdersDir() + "/ORDER15.KFO370", prompter_));

        selection_.SelNo = "В-3";
        selection_.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
        selection_.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(2, 100.0f));
        selection_.CurrencyID = 1;
        for (const char* no : {"2", "1"}) {
            TkvfOrderSelectionItem& item = selection_.AddItem();
            item.OrderFile = "%ORDER15.KFO370";
            item.OrderNo = order_.OrderNo;
            item.PosNo = no;
        }

        values_.FirmID = "0123";
        values_.FirmName = "ООО \"Окна & Двери\"";
        values_.OrderNo = 7;
        values_.OrderName = "З-15";
        values_.OrderDate = EncodeDate(2026, 12, 11);
        values_.Comment = "Доставка до 10:00";
        values_.FileName = ExportDir() + "/Z01230007.txt";
    }
    ~ExportFixture() override {
        dm_.CloseDatabases();
        fs::remove_all(dir_);
    }

    struct Line {
        const char* id;
        float quantity;
        const char* price;
    };
    TkvfConstruction& addPosition(const char* no, int number, std::initializer_list<Line> lines) {
        TkvfConstruction& position = order_.AddPosition();
        position.No = no;
        position.Number = number;
        for (const Line& line : lines) {
            auto item = std::make_unique<TkvfMatListItem>();
            item->ID = line.id;
            item->Quantity = line.quantity;
            item->CatalogPrice = item->Price = *Money::Parse(line.price);
            item->UpdateCost();
            position.LeftFlugel.MatList.push_back(std::move(item));
        }
        return position;
    }

    std::string OrdersDir() const { return (dir_ / "Orders").string(); }
    std::string ExportDir() const { return (dir_ / "Export").string(); }
    TExportSource OrderSource() { return {&order_, nullptr}; }
    TExportSource SelectionSource() { return {nullptr, &selection_}; }

    fs::path dir_;
    ScriptedPrompter prompter_;
    TDM dm_;
    CatalogLookups catalog_{dm_};
    TkvfOrder order_;
    TkvfOrderSelection selection_;
    TExportValues values_;
};

} // namespace kvf::test
