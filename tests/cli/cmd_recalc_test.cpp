// kvf order recalc against a small catalog in a temporary folder.

#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "cli/commands.h"
#include "model/order.h"
#include "model/record_versions.h"
#include "model/shape.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kvf::cli {
namespace {

namespace fs = std::filesystem;

class RecalcCommand : public ::testing::Test {
protected:
    RecalcCommand() {
        std::string pattern = (fs::temp_directory_path() / "kvf-recalc-test-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        catalogDir = folder / "catalog";
        fs::create_directory(catalogDir);
        orderFile = (folder / "order.kfo370").string();
    }
    ~RecalcCommand() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Complect C1 adds article A1 (2.5 in currency 1) `rows` times; with
    // `broken` an element row without an element follows.
    void WriteCatalog(int rows, bool broken = false) {
        ScriptedPrompter prompter;
        TDM dm;
        ASSERT_TRUE(dm.OpenDatabases({catalogDir.string(), folder.string(), folder.string()}, prompter));
        ASSERT_TRUE(dm.OpenCatalogTables(prompter));
        auto row = [](Table& t, std::initializer_list<std::pair<const char*, Value>> fields) {
            t.Append();
            for (const auto& [name, value] : fields)
                t.SetValue(name, value);
            t.Post();
        };
        row(dm.T_FalzList, {{"ID", 112}, {"FalzLuft", 12}, {"FalzSize", 20}, {"FalzPos", 9}});
        row(dm.T_DornList, {{"ID", 215}, {"DornMass", 15.0}});
        row(dm.T_Currency, {{"ID", 1}, {"Name", "EUR"}, {"Value", 1.0}});
        row(dm.T_Catalog, {{"ID", "A1"}, {"Name", "Петля"}, {"Price", 2.5}, {"Currency", 1}});
        row(dm.T_FrnComp, {{"ID", "C1"}, {"Name", "Комплект"}, {"TFlugelAvailable", 1}, {"Direct", 1}});
        row(dm.T_FrnItem, {{"ID", "E1"}, {"Name", "Элемент"}});
        row(dm.T_FrnArt, {{"ID", "E1"}, {"CatalogID", "A1"}});
        for (int i = 0; i < rows; ++i)
            row(dm.T_FrnSet, {{"ID", "C1"}, {"Item", "E1"}, {"Number", 1}});
        if (broken)
            row(dm.T_FrnSet, {{"ID", "C1"}, {"Item", ""}, {"Number", 1}});
        dm.CloseDatabases();
    }

    // Two positions of one 700 x 1400 mm sash each, choosing complect C1, with
    // a stale item (seven of A1, never priced) that a recalculation replaces.
    void WriteOrder(bool staleItem = true) {
        ScriptedPrompter prompter;
        TkvfOrder order;
        order.Version = kCurrentOrderVersion;
        order.CurrencyID = 1;
        order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
        for (const char* no : {"1", "2"}) {
            TkvfConstruction& p = order.AddPosition();
            p.No = no;
            p.Number = 1;
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
            comp.Complect = "C1";
            if (staleItem) {
                comp.Items.push_back(std::make_unique<TkvfFurnItem>(&comp));
                comp.Items.back()->Set("A1", "C1", 0, 7, "", 0, "");
            }
        }
        ASSERT_TRUE(order.SaveToFile(orderFile, prompter));
    }

    int Run(std::vector<std::string> words) {
        out.str("");
        err.str("");
        return RunOrderRecalc(words, out, err);
    }

    // Items of the first sash of each position as "ID xCount", and the costs.
    std::vector<std::string> Load(const std::string& file) {
        ScriptedPrompter prompter;
        TkvfOrder order;
        bool converted = false;
        EXPECT_TRUE(order.LoadFromFile(file, converted, prompter));
        std::vector<std::string> lines;
        for (int i = 0; i < order.Count(); ++i) {
            const TkvfConstruction& p = order.Position(i);
            std::string line = p.No + ":";
            for (const auto& item : p.LeftFlugel.FurnComp->Items)
                line += " " + item->ID + " x" + std::to_string(item->Count);
            line += " cost " + std::to_string(p.Cost.Raw());
            lines.push_back(line);
        }
        return lines;
    }

    static std::string Bytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder;
    fs::path catalogDir;
    std::string orderFile;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RecalcCommand, RecomputesEveryPositionAndSaves) {
    WriteCatalog(2);
    WriteOrder();
    const std::string target = (folder / "new.kfo370").string();
    EXPECT_EQ(0, Run({orderFile, "--catalog", catalogDir.string(), "--out", target})) << err.str();
    EXPECT_EQ((std::vector<std::string>{"1: A1 x2 cost 50000", "2: A1 x2 cost 50000"}), Load(target));
    EXPECT_EQ((std::vector<std::string>{"1: A1 x7 cost 0", "2: A1 x7 cost 0"}), Load(orderFile));

    EXPECT_EQ(0, Run({orderFile, "--catalog", catalogDir.string(), "--debug"})) << err.str();
    EXPECT_EQ((std::vector<std::string>{"1: A1 x1 A1 x1 cost 50000", "2: A1 x1 A1 x1 cost 50000"}),
              Load(orderFile));
}

TEST_F(RecalcCommand, PricesOnlyKeepsTheItems) {
    WriteCatalog(1);
    WriteOrder();
    EXPECT_EQ(0, Run({orderFile, "--catalog", catalogDir.string(), "--prices-only"})) << err.str();
    EXPECT_EQ((std::vector<std::string>{"1: A1 x7 cost 175000", "2: A1 x7 cost 175000"}), Load(orderFile));
}

TEST_F(RecalcCommand, AnErrorStopsTheRunAndWritesNothing) {
    WriteCatalog(1, true);
    WriteOrder();
    const std::string before = Bytes(orderFile);
    EXPECT_EQ(1, Run({orderFile, "--catalog", catalogDir.string()}));
    EXPECT_EQ("В БД наборов фурнитуры в комплекте\r\n[Комплект] содержится пустой элемент!\r\n[Позиция: 1]\n",
              err.str());
    EXPECT_EQ(before, Bytes(orderFile));
    EXPECT_FALSE(fs::exists(folder / "out.kfo370"));
}

TEST_F(RecalcCommand, OlderOrderIsConvertedOnlyWithYes) {
    // "01.01.2020" has a smaller version key than the current "26.12.2019".
    WriteCatalog(1);
    WriteOrder(false);
    std::string bytes = Bytes(orderFile);
    bytes.replace(bytes.find(kCurrentOrderVersion), 10, "01.01.2020");
    std::ofstream(orderFile, std::ios::binary) << bytes;
    const std::string before = Bytes(orderFile);
    EXPECT_EQ(1, Run({orderFile, "--catalog", catalogDir.string()}));
    EXPECT_EQ(before, Bytes(orderFile));
    EXPECT_EQ(0, Run({orderFile, "--catalog", catalogDir.string(), "--yes"})) << err.str();
    EXPECT_EQ((std::vector<std::string>{"1: A1 x1 cost 25000", "2: A1 x1 cost 25000"}), Load(orderFile));
}

TEST_F(RecalcCommand, MissingCatalogFolderAndMissingFile) {
    WriteOrder();
    EXPECT_EQ(1, Run({orderFile, "--catalog", (folder / "nowhere").string()}));
    EXPECT_NE("", err.str());
    WriteCatalog(1);
    EXPECT_EQ(1, Run({(folder / "none.kfo370").string(), "--catalog", catalogDir.string()}));
    EXPECT_NE("", err.str());
}

} // namespace
} // namespace kvf::cli
