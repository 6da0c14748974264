#pragma once
// A small catalog in a temporary folder, filled row by row through the table
// objects, and one position of an order to compute: a single 700 x 1400 mm
// rectangular sash (FFB 70, FFH 140) with valid rebate, backset, double-sash
// and opening parameters.

#include "base/scripted_prompter.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "engine/fittings_engine.h"
#include "model/construction.h"
#include "model/order.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kvf::test {

using Fields = std::initializer_list<std::pair<const char*, Value>>;

class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    ~EngineTest() override;

    // Appends one row to a table; fields left out stay blank (read as '' or 0).
    void Row(Table& table, Fields fields);
    // A complect (FrnComp) and an element (FrnItem) with one article (FrnArt).
    void Complect(const std::string& id, Fields extra = {});
    void Element(const std::string& id, Fields extra = {});
    void Article(const std::string& element, const std::string& catalogId, Fields extra = {});
    // An element row of a complect (FrnSet) with Number 1 unless given.
    void ElementRow(const std::string& complect, const std::string& item, Fields extra = {});

    // Makes the position a pair (ConstrType 0) of a 700 and a 500 mm wide sash.
    void MakePair();
    // Makes side 2 of the left sash an arc of the given radii (mm).
    void MakeArch(float radius1, float radius2);

    // The left sash's composition with a main complect, created when missing.
    TkvfFurnComp& Comp(const std::string& complect = "C1");
    // Runs the composition pass on the left sash.
    void Compute();
    // The message of the error the pass raises, "" when it succeeds.
    std::string ComputeError();
    // The items as "ID x Count" (plus " s=side", " l=length", " [comment]" when set).
    std::vector<std::string> Items(const TkvfFurnComp* comp = nullptr) const;
    // The tables that still have a temporary filter set or switched on.
    std::vector<std::string> FilteredTables();

    std::filesystem::path folder;
    ScriptedPrompter prompter;
    TDM dm;
    CatalogLookups lookups{dm};
    bool debug = false;
    FittingsEngine Engine();
    TkvfOrder order;
    TkvfConstruction* position = nullptr;
    TkvfFlugel* sash = nullptr;
};

} // namespace kvf::test
