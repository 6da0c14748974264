#include "engine_fixture.h"

#include "base/error.h"
#include "engine/composition_trace.h"
#include "model/furn_comp.h"

#include <gtest/gtest.h>

#include <set>

namespace kvf::test {
namespace {

// Complect C1 of the fixture's single 700 x 1400 mm sash (FFB 70, FFH 140,
// double-sash type 6): element E1 with article A1.
class ExplainTest : public EngineTest {
protected:
    ExplainTest() {
        Complect("C1");
        Element("E1");
        Article("E1", "A1");
    }

    // Runs the pass with a trace and returns the left sash's.
    SashTrace Traced() {
        CompositionTrace trace;
        TkvfFurnComp& comp = Comp();
        comp.ClearItems();
        FittingsEngine engine(EngineContext{dm, lookups, prompter, debug, &trace});
        try {
            engine.ComputeComposition(comp);
        } catch (const KvfError&) {
        }
        EXPECT_EQ(1u, trace.Sashes.size());
        return trace.Sashes.empty() ? SashTrace() : trace.Sashes.front();
    }
};

TEST_F(ExplainTest, EachRefusedRowSaysWhichConditionFailedWithTheValues) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, Value>> row;
        std::string reason;
    } cases[] = {
        {"rebate width below its minimum", {{"FFBMin", 80}}, "FFB 70 < FFBMin 80"},
        {"rebate height above its maximum", {{"FFHMax", 130}}, "FFH 140 > FFHMax 130"},
        {"side length", {{"FFL1No", 2}, {"FFL1Max", 600}}, "сторона 2: длина 700 > FFL1Max 600"},
        {"second side length", {{"FFL2No", 1}, {"FFL2Min", 1500}}, "сторона 1: длина 1400 < FFL2Min 1500"},
        {"radius of a straight side", {{"FFR1No", 2}, {"FFR1Min", 10}}, "сторона 2: радиус 0 < FFR1Min 10"},
        {"arc mask on a straight side",
         {{"FFR2No", 3}, {"FFR2Type", 2}},
         "сторона 3: прямая сторона не допускается (FFR2Type 2)"},
        {"corner angle", {{"FFANo", 1}, {"FFAMax", 80.0}}, "угол 1: угол 90 > FFAMax 80"},
        {"double-sash type", {{"StulpType", 4}}, "тип створки 6 не входит в StulpType 4"},
        {"property not chosen", {{"PropKey", 5}}, "PropKey 5: свойство не выбрано"},
    };
    Row(dm.T_FrnProp, {{"PropKey", 5}, {"ID", 301}});
    Comp().Properties = {"0=302"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm.T_FrnSet.EmptyTable();
        ElementRow("C1", "E1");
        dm.T_FrnSet.First();
        dm.T_FrnSet.Edit();
        for (const auto& [field, value] : c.row)
            dm.T_FrnSet.SetValue(field, value);
        dm.T_FrnSet.Post();
        const SashTrace trace = Traced();
        ASSERT_EQ(1u, trace.Complects.size());
        ASSERT_EQ(1u, trace.Complects[0].Rows.size());
        const TraceRow& row = trace.Complects[0].Rows[0];
        EXPECT_FALSE(row.Taken);
        EXPECT_EQ(c.reason, row.Reason);
        EXPECT_EQ(std::nullopt, row.Filter);
    }
}

TEST_F(ExplainTest, ArcsAndTheAdjacentSash) {
    ElementRow("C1", "E1", {{"FFR1No", 2}, {"FFR1Type", 4}});
    ElementRow("C1", "E1", {{"FFR1No", 2}, {"FFR1Max", 300}});
    MakeArch(350, 350);
    SashTrace trace = Traced();
    ASSERT_EQ(2u, trace.Complects[0].Rows.size());
    EXPECT_EQ("сторона 2: полуокружность не допускается (FFR1Type 4)", trace.Complects[0].Rows[0].Reason);
    EXPECT_EQ("сторона 2: радиус 350 > FFR1Max 300", trace.Complects[0].Rows[1].Reason);

    MakePair();
    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"FFL21No", 1}, {"FFL21Max", 400}});
    ElementRow("C1", "E1", {{"UseIfArt", "Z9"}});
    TkvfFurnComp& other =
        *(position->RightFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&position->RightFlugel));
    other.Complect = "C1";
    trace = Traced();
    ASSERT_EQ(2u, trace.Complects[0].Rows.size());
    EXPECT_EQ("смежная створка, сторона 1: длина 1400 > FFL21Max 400", trace.Complects[0].Rows[0].Reason);
    EXPECT_EQ("UseIfArt Z9: артикула нет на смежной створке", trace.Complects[0].Rows[1].Reason);
}

// Every item of the composition shows up as a taken row with its article; every
// row not taken has a reason; the items are those computed without a trace.
TEST_F(ExplainTest, TheTraceAgreesWithTheComposition) {
    Element("E2");
    Article("E2", "B1", {{"HandleHeight", 0}});
    Article("E2", "B2");
    Element("E3");
    ElementRow("C1", "E1", {{"Number", 2}, {"ItemSideNo", 2}});
    ElementRow("C1", "E2", {{"ScaleCondition", 2}, {"ScaleStart", 100}, {"ScaleStep", 20}, {"ScaleNum", 1}});
    ElementRow("C1", "E3");
    ElementRow("C1", "E1", {{"FFHMin", 150}});
    ElementRow("C1", "E1", {{"Number", 1}, {"ItemSideNo", 2}});
    Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "DOP"}, {"Number", 1}});
    Row(dm.T_FrnDop, {{"CatalogID", "A1"}, {"AccessoryID", "NOPE"}, {"Number", 1}, {"PropKey", 7}});
    Row(dm.T_FrnProp, {{"PropKey", 7}, {"ID", 301}});
    Comp().Properties = {"0=302"};
    prompter.choiceAnswers = {1, 1}; // the second of B1, B2, in both runs

    Compute();
    const std::vector<std::string> plain = Items();
    const SashTrace trace = Traced();
    EXPECT_EQ(plain, Items());
    EXPECT_EQ((std::vector<std::string>{"A1 x3 s=2", "B2 x4", "DOP x3 s=2"}), plain);

    std::multiset<std::string> taken;
    ASSERT_EQ(1u, trace.Complects.size());
    EXPECT_EQ("Complect", trace.Complects[0].Slot);
    EXPECT_EQ("Комплект C1", trace.Complects[0].Name);
    const std::vector<TraceRow>& rows = trace.Complects[0].Rows;
    ASSERT_EQ(5u, rows.size());
    // Without the debug flag each taken row that merged into no item made one.
    for (const TraceRow& row : rows) {
        SCOPED_TRACE(row.Row);
        EXPECT_EQ(row.Taken, row.Reason.empty());
        if (row.Taken && !row.Merged)
            taken.insert(row.Article);
    }
    for (const TraceAccessory& rule : trace.Accessories) {
        EXPECT_EQ(rule.Rule.Taken, rule.Rule.Reason.empty());
        if (rule.Rule.Taken && !rule.Rule.Merged)
            taken.insert(rule.Rule.Article);
    }
    std::multiset<std::string> items;
    for (const auto& item : Comp().Items)
        items.insert(item->ID);
    EXPECT_EQ(items, taken);

    // Rows in key order: the three of E1, then E2 and E3.
    EXPECT_EQ("Number 2", rows[0].CountFrom);
    EXPECT_EQ(std::optional<std::string>("ID='E1' "), rows[0].Filter);
    EXPECT_EQ(std::optional<int>(1), rows[0].Candidates);
    EXPECT_FALSE(rows[0].Merged);
    EXPECT_EQ("FFH 140 < FFHMin 150", rows[1].Reason);
    EXPECT_TRUE(rows[2].Merged);

    EXPECT_EQ("B2", rows[3].Article);
    EXPECT_TRUE(rows[3].Chosen);
    EXPECT_EQ(std::optional<int>(2), rows[3].Candidates);
    EXPECT_EQ(4, rows[3].Count);
    EXPECT_EQ("ScaleCondition 2: FFH 140, ScaleStart 100, ScaleStep 20, ScaleNum 1, Number 1",
              rows[3].CountFrom);

    EXPECT_EQ("у элемента нет артикулов", rows[4].Reason);
    EXPECT_EQ(std::nullopt, rows[4].Candidates);

    ASSERT_EQ(2u, trace.Accessories.size());
    EXPECT_EQ("Accessory", trace.Accessories[0].Pass);
    EXPECT_EQ("A1", trace.Accessories[0].Item);
    EXPECT_EQ(3, trace.Accessories[0].ItemCount);
    EXPECT_EQ("Number 1 × 3", trace.Accessories[0].Rule.CountFrom);
    EXPECT_EQ("PropKey 7: свойство не выбрано", trace.Accessories[1].Rule.Reason);

    EXPECT_EQ(70, trace.Parameters.FFB);
    EXPECT_EQ(140, trace.Parameters.FFH);
    EXPECT_EQ(6, trace.Parameters.StulpType);
    EXPECT_EQ(1, trace.Parameters.Direction);
    EXPECT_EQ(12, trace.Parameters.FalzLuft);
    EXPECT_EQ("", trace.Error);
}

TEST_F(ExplainTest, PartsLengthsAndTheMessageThatEndedTheComputation) {
    Element("K", {{"Virtual", 1}});
    Element("P1");
    Article("P1", "PA");
    Row(dm.T_FrnItoI, {{"ID", "K"}, {"Item", "P1"}, {"Number", 2}});
    Row(dm.T_FrnItoI, {{"ID", "K"}, {"Item", "P1"}, {"Number", 1}, {"StulpType", 4}});
    ElementRow("C1", "K", {{"Number", 3}});
    ElementRow("C1", "E1", {{"UseLen", 1}, {"LenFormula", "FRH-20"}});
    SashTrace trace = Traced();
    ASSERT_EQ("", trace.Error);
    const std::vector<TraceRow>& rows = trace.Complects[0].Rows;
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("LenFormula 'FRH-20' = 1380", rows[0].LengthFrom);
    EXPECT_FLOAT_EQ(1380, rows[0].Length);
    EXPECT_TRUE(rows[1].Taken);
    EXPECT_EQ("", rows[1].Article);
    ASSERT_EQ(2u, rows[1].Parts.size());
    EXPECT_EQ("PA", rows[1].Parts[0].Article);
    EXPECT_EQ(6, rows[1].Parts[0].Count);
    EXPECT_EQ("Number 2 × 3", rows[1].Parts[0].CountFrom);
    EXPECT_EQ("тип створки 6 не входит в StulpType 4", rows[1].Parts[1].Reason);

    // The walk ends at the row that raises.
    ElementRow("C1", "E1", {{"FFL1No", 9}, {"FFL1Min", 1}});
    trace = Traced();
    EXPECT_NE(std::string::npos,
              trace.Error.find("Номер 1-ой расчетной стороны в условиях определен неверно!"));
    EXPECT_EQ(2u, trace.Complects[0].Rows.size());
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

} // namespace
} // namespace kvf::test
