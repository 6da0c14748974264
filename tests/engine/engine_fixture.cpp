#include "engine_fixture.h"

#include "base/error.h"
#include "base/number_format.h"
#include "model/shape.h"

#include <cstdlib>

namespace kvf::test {

EngineTest::EngineTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvf-engine-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    DatabaseFolders folders{folder.string(), folder.string(), folder.string()};
    EXPECT_TRUE(dm.OpenDatabases(folders, prompter));
    EXPECT_TRUE(dm.OpenCatalogTables(prompter));
    // The fixture's rows need not survive a crash; writing them unsynced keeps the tests quick.
    dm.DB_Catalog.Exec("PRAGMA synchronous = OFF");

    // Rebate 12/20-9, backset 15, double-sash type 2, opening type 1.
    Row(dm.T_FalzList, {{"ID", 112}, {"FalzLuft", 12}, {"FalzSize", 20}, {"FalzPos", 9}});
    Row(dm.T_FalzList, {{"ID", 113}, {"FalzLuft", 0}, {"FalzSize", 12}, {"FalzPos", 9}});
    Row(dm.T_DornList, {{"ID", 215}, {"DornMass", 15.0}});
    Row(dm.T_StulpList, {{"ID", 302}, {"StulpType", 2}});
    Row(dm.T_OpenList, {{"ID", 401}, {"OpenType", 1}});
    Row(dm.T_OpenList, {{"ID", 402}, {"OpenType", 2}});

    position = &order.AddPosition();
    position->ConstrType = 2;
    TkvfShapeSizes sizes;
    sizes.B = 700;
    sizes.H = 1400;
    position->SetShape(sizes, 215);
    position->Falz = 112;
    position->StulpType = 302;
    position->OpenType = 401;
    position->ProfWidth = 70;
    position->Thickness = 68;
    order.OuterProfColor = "OUT";
    order.InnerProfColor = "IN";
    sash = &position->LeftFlugel;
}

EngineTest::~EngineTest() {
    dm.CloseDatabases();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

FittingsEngine EngineTest::Engine() {
    return FittingsEngine(EngineContext{dm, lookups, prompter, debug});
}

void EngineTest::Row(Table& table, Fields fields) {
    table.Append();
    for (const auto& [name, value] : fields)
        table.SetValue(name, value);
    table.Post();
}

void EngineTest::Complect(const std::string& id, Fields extra) {
    Row(dm.T_FrnComp, {{"ID", id}, {"Name", "Комплект " + id}, {"TFlugelAvailable", 1}, {"Direct", 1}});
    if (extra.size() > 0) {
        ASSERT_TRUE(dm.T_FrnComp.FindKey({Value(id)}));
        dm.T_FrnComp.Edit();
        for (const auto& [name, value] : extra)
            dm.T_FrnComp.SetValue(name, value);
        dm.T_FrnComp.Post();
    }
}

void EngineTest::Element(const std::string& id, Fields extra) {
    dm.T_FrnItem.Append();
    dm.T_FrnItem.SetValue("ID", id);
    dm.T_FrnItem.SetValue("Name", "Элемент " + id);
    for (const auto& [name, value] : extra)
        dm.T_FrnItem.SetValue(name, value);
    dm.T_FrnItem.Post();
}

void EngineTest::Article(const std::string& element, const std::string& catalogId, Fields extra) {
    dm.T_FrnArt.Append();
    dm.T_FrnArt.SetValue("ID", element);
    dm.T_FrnArt.SetValue("CatalogID", catalogId);
    for (const auto& [name, value] : extra)
        dm.T_FrnArt.SetValue(name, value);
    dm.T_FrnArt.Post();
}

void EngineTest::ElementRow(const std::string& complect, const std::string& item, Fields extra) {
    dm.T_FrnSet.Append();
    dm.T_FrnSet.SetValue("ID", complect);
    dm.T_FrnSet.SetValue("Item", item);
    dm.T_FrnSet.SetValue("Number", 1);
    for (const auto& [name, value] : extra)
        dm.T_FrnSet.SetValue(name, value);
    dm.T_FrnSet.Post();
}

void EngineTest::MakePair() {
    TkvfShapeSizes sizes;
    sizes.B = 1200;
    sizes.H = 1400;
    sizes.X = 700;
    sizes.Y = 500;
    position->ConstrType = 0;
    position->LeftFlugel.ClearOutline();
    position->RightFlugel.ClearOutline();
    position->SetShape(sizes, 215);
}

void EngineTest::MakeArch(float radius1, float radius2) {
    TkvfLine& side = *sash->Lines[1];
    side.Radius1 = radius1 * 10;
    side.Radius2 = radius2 * 10;
    side.UpdateCenter();
}

TkvfFurnComp& EngineTest::Comp(const std::string& complect) {
    if (!sash->FurnComp) {
        sash->FurnComp = std::make_unique<TkvfFurnComp>(sash);
        sash->FurnComp->FurnSys = "1205";
        sash->FurnComp->ProfSys = "SP";
        sash->FurnComp->Color = "RAL";
        sash->FurnComp->Complect = complect;
    }
    return *sash->FurnComp;
}

void EngineTest::Compute() {
    TkvfFurnComp& comp = Comp();
    comp.ClearItems();
    FittingsEngine engine = Engine();
    EXPECT_TRUE(engine.ComputeComposition(comp));
}

std::string EngineTest::ComputeError() {
    try {
        Compute();
    } catch (const KvfError& e) {
        return e.what();
    }
    return "";
}

std::vector<std::string> EngineTest::Items(const TkvfFurnComp* comp) const {
    if (comp == nullptr)
        comp = sash->FurnComp.get();
    std::vector<std::string> items;
    for (const auto& item : comp->Items) {
        std::string text = item->ID + " x" + std::to_string(item->Count);
        if (item->SideNo != 0)
            text += " s=" + std::to_string(item->SideNo);
        if (item->Length != 0)
            text += " l=" + FormatFixed(item->Length, 1);
        if (!item->Comment.empty())
            text += " [" + item->Comment + "]";
        items.push_back(text);
    }
    return items;
}

std::vector<std::string> EngineTest::FilteredTables() {
    std::vector<std::string> names;
    for (Table* table : dm.CatalogTables())
        if (table->Filtered() || !table->Filter().empty())
            names.push_back(table->Name());
    return names;
}

} // namespace kvf::test
