// Speed of the order registry on 10,000 rows: `kvf registry list` (start-up of
// the configuration, reading the table in number order, one JSON line a row)
// and opening the registry window with its grid drawn.

#include "base/atomic_file.h"
#include "base/scripted_prompter.h"
#include "catalog/database.h"
#include "catalog/order_registry.h"
#include "catalog/tdm.h"
#include "cli/commands.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "ui/app_context.h"
#include "ui/main_form.h"
#include "ui/order_list_form.h"
#include "ui/order_list_model.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace kvf {
namespace {

namespace fs = std::filesystem;

constexpr int kRows = 10000;

// A configuration "Bench" in a temporary home whose registry holds kRows orders.
struct Installation {
    Installation() {
        std::string pattern = (fs::temp_directory_path() / "kvf-registry-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/.config").c_str(), 1);
        setenv("KORVENA_REGISTRY", (root + "/registry.reg").c_str(), 1);
        for (const char* folder : {"cat", "srv/Orders", "srv/Registry", "rep", "tmp"})
            fs::create_directories(root + "/" + folder);
        WriteFileAtomic(root + "/cat/KVFurniture.ini", "[Firm]\r\nName=Bench\r\n");
        std::ostringstream out, err;
        cli::Run({"config", "add", "Bench", "--catalog", root + "/cat", "--server", root + "/srv",
                  "--reports", root + "/rep", "--temp", root + "/tmp", "--default"},
                 out, err);
        Database db("PZDB_Registry", DatabaseKind::Registry);
        OpenRegistryDatabase(db, root + "/srv/Registry");
        Database::Transaction tx(db);
        Statement st(
            db, "INSERT INTO \"OrderLst\" (\"No\", \"RegDate\", \"Customer\", \"Object\", \"Address\", "
                "\"Phone\", \"Cost\", \"Currency\", \"OrderFile\", \"Note\") VALUES (?1, ?2, ?3, ?4, ?5, "
                "?6, ?7, 1, ?8, '')");
        for (int i = 0; i < kRows; ++i) {
            // Numbers in scrambled order, so the primary order has real work to do.
            const int n = (i * 7919) % kRows;
            st.Bind(1, Value{"З-" + std::to_string(n)});
            st.Bind(2, Value{45000.0 + n % 700});
            st.Bind(3, Value{"Заказчик " + std::to_string(n % 977)});
            st.Bind(4, Value{"Объект " + std::to_string(n % 131)});
            st.Bind(5, Value{std::string("ул. Лесная, 5")});
            st.Bind(6, Value{std::string("123-45-67")});
            st.Bind(7, Value{1234.5 + n});
            st.Bind(8, Value{"%З-" + std::to_string(n) + ".KFO370"});
            st.Step();
            st.Reset();
        }
        tx.Commit();
    }
    ~Installation() {
        std::error_code error;
        fs::remove_all(root, error);
    }
    std::string root;
};

Installation& installation() {
    static Installation inst;
    return inst;
}

void BM_RegistryList(benchmark::State& state) {
    installation();
    for (auto _ : state) {
        std::ostringstream out, err;
        if (cli::Run({"registry", "list"}, out, err) != 0)
            state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_RegistryList)->Unit(benchmark::kMillisecond);

void BM_RegistryWindowOpen(benchmark::State& state) {
    const Installation& inst = installation();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kvf_registry_bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);

    ScriptedPrompter prompter;
    Registry registry(inst.root + "/registry.reg");
    TkvfPaths paths;
    paths.OrdersDir = inst.root + "/srv/Orders";
    TkvfSetup setup;
    TDM dm;
    if (!dm.OpenDatabases({inst.root + "/cat", inst.root + "/srv/Registry", inst.root + "/rep"}, prompter)) {
        state.SkipWithError("the databases do not open");
        return;
    }
    TAppContext ctx{prompter, registry, paths, setup, {}, inst.root};
    ctx.Dm = &dm;
    TMainForm main(ctx);
    main.resize(1000, 700);
    main.show();
    for (auto _ : state) {
        auto* form = new TOrderListForm(ctx, main);
        main.AddChild(form);
        QApplication::processEvents();
        if (form->Model()->rowCount() != kRows)
            state.SkipWithError("not every row is in the grid");
        state.PauseTiming();
        delete form->parentWidget();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RegistryWindowOpen)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvf
