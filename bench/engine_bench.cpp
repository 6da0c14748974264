// Speed of the fittings engine on a generated large catalog: 30 complects of
// 40 to 80 element rows, 2,000 elements with 50,000 article rows, 20,000
// catalog articles, strike plates, colour accessories and accessories for a
// third of the articles. Measures one sash's composition pass and the full
// recalculation of orders of 10, 100 and 1,000 positions, both also with the
// composition trace recorded, and the comparison of a registry of 1,000
// orders of 10 positions against a second catalog.

#include "base/prompter.h"
#include "base/typed_stream.h"
#include "catalog/catalog_lookups.h"
#include "catalog/database.h"
#include "catalog/tdm.h"
#include "engine/composition_trace.h"
#include "engine/fittings_engine.h"
#include "engine/order_recalc.h"
#include "engine/registry_compare.h"
#include "model/construction.h"
#include "model/order.h"
#include "model/shape.h"

#include <benchmark/benchmark.h>
#include <cmath>

#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace kvf {
namespace {

constexpr int kComplects = 30;
constexpr int kElements = 1900;      // ordinary elements, 25 article rows each
constexpr int kStrikeElements = 100; // strike-plate elements, 25 article rows each
constexpr int kRowsPerElement = 25;  // one per 10 cm of rebate height
constexpr int kArticles = 20000;

// Answers nothing and takes the first row of any list.
class QuietPrompter : public Prompter {
public:
    void Warning(const std::string&) override {}
    void Error(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    bool ContinueOrAbort(const std::string&) override { return true; }
    int TwoButton(const std::string&, const std::string&, const std::string&, const std::string&) override {
        return 1;
    }
    YesNoCancelAnswer YesNoCancel(const std::string&) override { return YesNoCancelAnswer::Yes; }
    std::optional<std::string> InputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    int ChooseRow(const ChoiceList&) override { return 0; }
    void SetBusy(BusyKind) override {}
    void RestoreCursor() override {}
};

std::string code(const char* prefix, int n, int width) {
    std::string digits = std::to_string(n);
    return prefix + std::string(width - std::min<int>(width, static_cast<int>(digits.size())), '0') + digits;
}

// Inserts rows with one prepared statement: "INSERT INTO table (fields) VALUES (?, ...)".
class Inserter {
public:
    Inserter(Database& db, const std::string& table, const std::vector<std::string>& fields)
        : statement_(db, sql(table, fields)) {}
    void Add(const std::vector<Value>& values) {
        for (size_t i = 0; i < values.size(); ++i)
            statement_.Bind(static_cast<int>(i + 1), values[i]);
        statement_.Step();
        statement_.Reset();
    }

private:
    static std::string sql(const std::string& table, const std::vector<std::string>& fields) {
        std::string names, marks;
        for (const std::string& f : fields) {
            names += (names.empty() ? "" : ", ") + QuoteIdentifier(f);
            marks += marks.empty() ? "?" : ", ?";
        }
        return "INSERT INTO " + QuoteIdentifier(table) + " (" + names + ") VALUES (" + marks + ")";
    }
    Statement statement_;
};

void generateCatalog(Database& db) {
    std::mt19937 random(20261211);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    db.Exec("BEGIN");

    Inserter params(db, "ParamList",
                    {"ID", "FalzLuft", "FalzSize", "FalzPos", "DornMass", "OpenType", "StulpType"});
    params.Add({int64_t{112}, int64_t{12}, int64_t{20}, int64_t{9}, Value(), Value(), Value()});
    params.Add({int64_t{215}, Value(), Value(), Value(), 15.0, Value(), Value()});
    params.Add({int64_t{302}, Value(), Value(), Value(), Value(), Value(), int64_t{2}});
    params.Add({int64_t{401}, Value(), Value(), Value(), Value(), int64_t{1}, Value()});

    Inserter currency(db, "Currency", {"ID", "Name", "Value", "Dec"});
    currency.Add({int64_t{1}, std::string("EUR"), 1.0, int64_t{2}});

    Inserter catalog(db, "Catalog", {"ID", "Name", "Unit", "Price", "Currency", "Virtual"});
    for (int a = 0; a < kArticles; ++a)
        catalog.Add({code("ART", a, 5), "Артикул " + std::to_string(a), std::string("шт"),
                     int64_t{10000 + pick(900000)}, int64_t{1}, int64_t{0}});

    // Elements: a third coloured, some asking for the direction, the rebate and the backset.
    Inserter item(db, "FrnItem",
                  {"ID", "Name", "HasColor", "CheckDirect", "HasFalzLuft", "HasDornMass", "HasProfSys",
                   "Virtual", "CommonGrp"});
    Inserter art(db, "FrnArt",
                 {"ID", "CatalogID", "Key", "FalzLuft", "DornMassMin", "DornMassMax", "FFHMin", "FFHMax",
                  "Color", "Direct", "ProfSys"});
    int64_t key = 0;
    for (int e = 0; e < kElements; ++e) {
        const bool coloured = e % 3 == 0;
        item.Add({code("EL", e, 4), "Элемент " + std::to_string(e), int64_t{coloured}, int64_t{e % 2},
                  int64_t{e % 5 == 0}, int64_t{e % 7 == 0}, int64_t{0}, int64_t{0}, int64_t{0}});
        for (int k = 0; k < kRowsPerElement; ++k)
            art.Add({code("EL", e, 4), code("ART", pick(kArticles), 5), ++key, int64_t{12}, 10.0, 20.0,
                     int64_t{k * 10}, int64_t{k * 10 + 9}, std::string(coloured && k % 2 ? "RAL9016" : ""),
                     int64_t{3}, std::string()});
    }
    for (int s = 0; s < kStrikeElements; ++s) {
        item.Add({code("SE", s, 3), "Ответная планка " + std::to_string(s), int64_t{0}, int64_t{0},
                  int64_t{0}, int64_t{0}, int64_t{1}, int64_t{0}, int64_t{s % 4 == 0 ? 1200 : 0}});
        for (int k = 0; k < kRowsPerElement; ++k)
            art.Add({code("SE", s, 3), code("ART", pick(kArticles), 5), ++key, Value(), Value(), Value(),
                     Value(), Value(), std::string(), int64_t{3}, "SP" + std::to_string(k)});
    }

    // Complects: element rows by rebate height, some with further conditions, counts and lengths.
    Inserter comp(db, "FrnComp", {"ID", "Name", "Direct", "TFlugelAvailable", "Image"});
    Inserter side(db, "FrnSide", {"ID", "Side", "Handled", "Banded", "OpenMode", "RotSide", "HandleDirect"});
    Inserter set(db, "FrnSet",
                 {"ID", "Item", "Key", "Number", "ItemSideNo", "Condition", "Required", "FFBMin", "FFL1No",
                  "FFL1Min", "ScaleCondition", "ScaleStep", "ScaleStart", "ScaleNum", "UseLen", "LenFormula",
                  "DefineHandleHeight"});
    key = 0;
    for (int c = 0; c < kComplects; ++c) {
        const std::string id = code("K", c, 2);
        comp.Add({id, "Комплект " + std::to_string(c), int64_t{1 + c % 2}, int64_t{1}, int64_t{1}});
        for (int s = 1; s <= 4; ++s)
            side.Add(
                {id, int64_t{s}, int64_t{s == 3}, int64_t{s == 1}, int64_t{s == 1}, int64_t{3}, int64_t{0}});
        const int rows = 40 + pick(41);
        for (int r = 0; r < rows; ++r) {
            const int variant = r % 10;
            set.Add({id, code("EL", pick(kElements), 4), ++key, int64_t{1 + r % 2}, int64_t{r % 5},
                     int64_t{2}, int64_t{1}, int64_t{variant == 1 ? 90 : 0}, int64_t{variant == 2 ? 1 : 0},
                     int64_t{variant == 2 ? 1000 : 0}, int64_t{variant == 3 ? 2 : 0},
                     int64_t{variant == 3 ? 50 : 0}, int64_t{variant == 3 ? 60 : 0},
                     int64_t{variant == 3 ? 1 : 0}, int64_t{variant == 4},
                     std::string(variant == 4 ? "FFB-50" : ""), int64_t{r == 0}});
        }
    }

    // A third of the articles bring a strike plate, a colour accessory (with a
    // colourless fallback) and an accessory.
    Inserter schl(db, "FrnSchl", {"CatalogID", "Item", "Key", "Number", "StulpType", "ItemSideNo"});
    Inserter abd(db, "FrnAbd", {"CatalogID", "Color", "AccessoryID", "Number"});
    Inserter dop(db, "FrnDop", {"CatalogID", "AccessoryID", "Key", "Number"});
    key = 0;
    for (int a = 0; a < kArticles; a += 3) {
        const std::string article = code("ART", a, 5);
        schl.Add({article, code("SE", pick(kStrikeElements), 3), ++key, int64_t{1}, int64_t{0}, int64_t{0}});
        abd.Add({article, std::string("RAL9016"), code("ART", pick(kArticles), 5), int64_t{1}});
        abd.Add({article, std::string(""), code("ART", pick(kArticles), 5), int64_t{1}});
        dop.Add({article, code("ART", pick(kArticles), 5), key, int64_t{1}});
    }
    db.Exec("COMMIT");
}

// The generated catalog, opened once for all benchmarks of the run.
struct BenchCatalog {
    BenchCatalog() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvf-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary folder");
        folder = pattern;
        {
            Database db("PZDB_Catalog", DatabaseKind::Catalog);
            db.Open(folder);
            generateCatalog(db);
        }
        if (!dm.OpenDatabases({folder, folder, folder}, prompter) || !dm.OpenCatalogTables(prompter))
            throw std::runtime_error("the generated catalog does not open");
    }
    ~BenchCatalog() {
        dm.CloseDatabases();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static BenchCatalog& Get() {
        static BenchCatalog catalog;
        return catalog;
    }

    std::string folder;
    QuietPrompter prompter;
    TDM dm;
};

// The i-th point of an additive sequence that spreads evenly over [0, 1) for
// any count, so orders of 10, 100 and 1,000 positions have the same mix of
// sizes and complects and their time per position compares.
double spread(int i, double step) {
    double whole;
    return std::modf(0.5 + i * step, &whole);
}

// An order of n single-sash positions of varied sizes, each with a stored
// choice; `first` picks where in the sequence the order starts.
std::unique_ptr<TkvfOrder> makeOrder(int n, int first = 0) {
    auto order = std::make_unique<TkvfOrder>();
    order->CurrencyID = 1;
    order->Currencies.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
    order->OuterProfColor = "RAL9016";
    order->InnerProfColor = "RAL9016";
    for (int i = first; i < first + n; ++i) {
        TkvfConstruction& p = order->AddPosition();
        p.No = std::to_string(i - first + 1);
        p.ConstrType = 2;
        TkvfShapeSizes sizes;
        sizes.B = 500 + static_cast<int>(700 * spread(i, 0.7548776662));
        sizes.H = 800 + static_cast<int>(1200 * spread(i, 0.5698402910));
        p.SetShape(sizes, 215);
        p.FurnSys = "1205";
        p.ProfSys = "SP" + std::to_string(i % 25);
        p.Color = "RAL9016";
        p.Falz = 112;
        p.StulpType = 302;
        p.OpenType = 401;
        p.ProfWidth = 70;
        p.Thickness = 68;
        p.LeftFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&p.LeftFlugel);
        TkvfFurnComp& comp = *p.LeftFlugel.FurnComp;
        comp.FurnSys = p.FurnSys;
        comp.ProfSys = p.ProfSys;
        comp.Color = p.Color;
        comp.Complect = code("K", static_cast<int>(kComplects * spread(i, 0.6180339887)), 2);
        if (i % 4 == 0)
            comp.DopComplects = {code("K", (i + 7) % kComplects, 2)};
    }
    return order;
}

void BM_ComputeCompositionOneSash(benchmark::State& state) {
    BenchCatalog& catalog = BenchCatalog::Get();
    CatalogLookups lookups(catalog.dm);
    std::unique_ptr<TkvfOrder> order = makeOrder(1);
    TkvfConstruction& position = order->Position(0);
    TkvfShapeSizes sizes;
    sizes.B = 700;
    sizes.H = 1400;
    position.LeftFlugel.ClearOutline();
    position.SetShape(sizes, 215);
    TkvfFurnComp& comp = *position.LeftFlugel.FurnComp;
    comp.DopComplects.clear();
    FittingsEngine engine(EngineContext{catalog.dm, lookups, catalog.prompter, false});
    for (auto _ : state) {
        comp.ClearItems();
        engine.ComputeComposition(comp);
        benchmark::DoNotOptimize(comp.Items.data());
    }
    state.counters["items"] = static_cast<double>(comp.ItemCount());
}
BENCHMARK(BM_ComputeCompositionOneSash)->Unit(benchmark::kMicrosecond);

// The same with the trace recorded, as `kvf order explain` records it.
void BM_ComputeCompositionOneSashTraced(benchmark::State& state) {
    BenchCatalog& catalog = BenchCatalog::Get();
    CatalogLookups lookups(catalog.dm);
    std::unique_ptr<TkvfOrder> order = makeOrder(1);
    TkvfConstruction& position = order->Position(0);
    TkvfShapeSizes sizes;
    sizes.B = 700;
    sizes.H = 1400;
    position.LeftFlugel.ClearOutline();
    position.SetShape(sizes, 215);
    TkvfFurnComp& comp = *position.LeftFlugel.FurnComp;
    comp.DopComplects.clear();
    CompositionTrace trace;
    FittingsEngine engine(EngineContext{catalog.dm, lookups, catalog.prompter, false, &trace});
    for (auto _ : state) {
        comp.ClearItems();
        engine.ComputeComposition(comp);
        benchmark::DoNotOptimize(trace.Sashes.data());
    }
    state.counters["items"] = static_cast<double>(comp.ItemCount());
}
BENCHMARK(BM_ComputeCompositionOneSashTraced)->Unit(benchmark::kMicrosecond);

// Each round recalculates positions not seen before, so no round profits from
// the filters an earlier one compiled: the cost of a fresh order.
void BM_RecalcOrder(benchmark::State& state) {
    BenchCatalog& catalog = BenchCatalog::Get();
    const int n = static_cast<int>(state.range(0));
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TkvfOrder> order = makeOrder(n, 1000000 + n * round++);
        CatalogLookups lookups(catalog.dm, {&order->Currencies, order->CurrencyID});
        EngineContext ctx{catalog.dm, lookups, catalog.prompter, false};
        state.ResumeTiming();
        RecalcOrder(ctx, *order, false);
        state.PauseTiming();
        order.reset();
        state.ResumeTiming();
    }
    state.counters["per_position"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecalcOrder)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same after one untimed recalculation, so every filter text the order
// needs has been compiled once: the engine's own cost per position.
void BM_RecalcOrderSecondRun(benchmark::State& state) {
    BenchCatalog& catalog = BenchCatalog::Get();
    const int n = static_cast<int>(state.range(0));
    std::unique_ptr<TkvfOrder> order = makeOrder(n);
    CatalogLookups lookups(catalog.dm, {&order->Currencies, order->CurrencyID});
    EngineContext ctx{catalog.dm, lookups, catalog.prompter, false};
    RecalcOrder(ctx, *order, false);
    for (auto _ : state)
        RecalcOrder(ctx, *order, false);
    state.counters["per_position"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecalcOrderSecondRun)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same with the trace recorded: each sash's trace replaces the previous one.
void BM_RecalcOrderSecondRunTraced(benchmark::State& state) {
    BenchCatalog& catalog = BenchCatalog::Get();
    const int n = static_cast<int>(state.range(0));
    std::unique_ptr<TkvfOrder> order = makeOrder(n);
    CatalogLookups lookups(catalog.dm, {&order->Currencies, order->CurrencyID});
    CompositionTrace trace;
    EngineContext ctx{catalog.dm, lookups, catalog.prompter, false, &trace};
    RecalcOrder(ctx, *order, false);
    for (auto _ : state)
        RecalcOrder(ctx, *order, false);
    state.counters["per_position"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RecalcOrderSecondRunTraced)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// A registry of 1,000 orders of 10 positions each, compared against a second
// copy of the catalog opened from the same folder: what `kvf registry compare`
// does for a department's open orders.
void BM_RegistryCompare(benchmark::State& state) {
    BenchCatalog& catalog = BenchCatalog::Get();
    const std::string orders = catalog.folder + "/Orders";
    std::filesystem::create_directories(orders);
    catalog.dm.T_OrderList.Open();
    catalog.dm.T_OrderList.EmptyTable();
    {
        Inserter rows(catalog.dm.DB_Registry, "OrderLst", {"No", "Customer", "OrderFile"});
        catalog.dm.DB_Registry.Exec("BEGIN");
        for (int i = 0; i < 1000; ++i) {
            const std::string no = code("R", i, 4);
            std::unique_ptr<TkvfOrder> order = makeOrder(10, 10 * i);
            order->OrderNo = no;
            if (!order->SaveToFile(orders + "/" + no + ".kfo370", catalog.prompter))
                throw std::runtime_error("an order of the registry cannot be saved");
            rows.Add({no, std::string("Заказчик"), "%" + no + ".KFO370"});
        }
        catalog.dm.DB_Registry.Exec("COMMIT");
    }
    catalog.dm.T_OrderList.Close();
    catalog.dm.T_OrderList.Open();
    TDM candidate;
    if (!candidate.OpenDatabases({catalog.folder, catalog.folder, catalog.folder}, catalog.prompter) ||
        !candidate.OpenCatalogTables(catalog.prompter))
        throw std::runtime_error("the second catalog does not open");
    size_t compared = 0;
    for (auto _ : state)
        compared = CompareRegistry(catalog.dm, candidate, orders, catalog.prompter, false).size();
    state.counters["orders"] = static_cast<double>(compared);
    candidate.CloseDatabases();
}
BENCHMARK(BM_RegistryCompare)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace kvf

namespace kvf {
namespace {

// The catalog operations the engine leans on, for the catalog's own tuning:
// a key lookup in the 50,000 article rows, and a filter over one element's
// rows with a text seen before (cached) and with a new text every time.
void BM_CatalogFindKey(benchmark::State& state) {
    Table& art = BenchCatalog::Get().dm.T_FrnArt;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(art.FindKey({Value(code("EL", i++ % kElements, 4))}));
}
BENCHMARK(BM_CatalogFindKey)->Unit(benchmark::kMicrosecond);

// Reading the 50,000 article rows into a table object of their own, with the
// heap it keeps per row.
void BM_CatalogOpenFrnArt(benchmark::State& state) {
    Database& db = BenchCatalog::Get().dm.DB_Catalog;
    double perRow = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        Table art("T_FrnArt", db, "FrnArt");
        art.Open();
        perRow = static_cast<double>(mallinfo2().uordblks - before) / art.RecordCount();
    }
    state.counters["bytes_per_row"] = perRow;
}
BENCHMARK(BM_CatalogOpenFrnArt)->Unit(benchmark::kMillisecond);

void BM_CatalogFilterSeenText(benchmark::State& state) {
    Table& art = BenchCatalog::Get().dm.T_FrnArt;
    const std::string text = "FFHMin <= 140 and FFHMax >= 140 and FalzLuft = 12 and ID='EL0042' ";
    for (auto _ : state) {
        FilterScope scope(art, text);
        benchmark::DoNotOptimize(art.RecordCount());
    }
}
BENCHMARK(BM_CatalogFilterSeenText)->Unit(benchmark::kMicrosecond);

void BM_CatalogFilterNewText(benchmark::State& state) {
    Table& art = BenchCatalog::Get().dm.T_FrnArt;
    int i = 0;
    for (auto _ : state) {
        const int h = i++;
        FilterScope scope(art, "FFHMin <= " + std::to_string(h) + " and FFHMax >= " + std::to_string(h) +
                                   " and FalzLuft = 12 and ID='EL0042' ");
        benchmark::DoNotOptimize(art.RecordCount());
    }
}
// Every new text stays in the table's cache, so the run is bounded.
BENCHMARK(BM_CatalogFilterNewText)->Iterations(20000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kvf

namespace kvf {
namespace {

// What the fittings dialog does on every change of a choice: a backup of its
// preview copy and SetFurnPreview of both sashes (side marks, no items). On
// the demo catalog (argument 0, a tilt-and-turn complect with handle and
// hinges) and on the generated one (argument 1); the target is one frame, 16 ms.
struct DemoCatalog {
    DemoCatalog() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvf-bench-demo-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary folder");
        folder = pattern;
        if (!dm.OpenDatabases({KVF_DEMO_CATALOG_DIR, folder, folder}, prompter) ||
            !dm.OpenCatalogTables(prompter))
            throw std::runtime_error("the demo catalog does not open");
    }
    ~DemoCatalog() {
        dm.CloseDatabases();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    static DemoCatalog& Get() {
        static DemoCatalog catalog;
        return catalog;
    }

    std::string folder;
    QuietPrompter prompter;
    TDM dm;
};

void BM_SetFurnPreview(benchmark::State& state) {
    const bool generated = state.range(0) == 1;
    TDM& dm = generated ? BenchCatalog::Get().dm : DemoCatalog::Get().dm;
    CatalogLookups lookups(dm);
    TkvfOrder order;
    TkvfConstruction& position = order.AddPosition();
    position.ConstrType = 2;
    TkvfShapeSizes sizes;
    sizes.B = 800;
    sizes.H = 1200;
    position.SetShape(sizes, 215);
    TkvfFurnChoice left;
    left.Dorn = 215;
    if (generated) {
        left.Complect = code("K", 3, 2);
    } else {
        left.Complect = "K-DK";
        left.HandlePart = "H-STD";
        left.Hinge = "B-STD";
        left.Properties = {"0=101", "0=111", "0=121"};
    }
    const TkvfFurnChoice right;
    for (auto _ : state) {
        TSpecStream backup;
        position.Backup(backup);
        position.SetFurnPreview(lookups, left, right);
        benchmark::DoNotOptimize(position.LeftFlugel.FurnComp.get());
    }
}
BENCHMARK(BM_SetFurnPreview)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kvf
