// Speed of printing: the offer of a 200-position order (the positions of the
// demo office order repeated) built into pages and written as a PDF, with the
// demo catalog. The target is well under 5 s.

#include "base/prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/setup.h"
#include "model/construction.h"
#include "model/order.h"
#include "qt/report_output.h"
#include "qt/report_printing.h"
#include "reports/report_data.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

namespace kvf {
namespace {

constexpr int kPositions = 200;

class QuietPrompter : public Prompter {
public:
    void Warning(const std::string&) override {}
    void Error(const std::string& text) override { throw std::runtime_error(text); }
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

void BM_OfferOf200PositionsToPdf(benchmark::State& state) {
    QuietPrompter prompter;
    TDM dm;
    dm.DB_Catalog.Open(KVF_DEMO_CATALOG_DIR);
    if (!dm.OpenCatalogTables(prompter))
        throw std::runtime_error("the demo catalog does not open");
    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(std::string(KVF_DEMO_DIR) + "/orders/office.kfo370", converted, prompter))
        throw std::runtime_error("the demo order does not load");
    const int stored = order.Count();
    while (order.Count() < kPositions) {
        TkvfConstruction& copy = order.AddPosition();
        copy.CopyFrom(order.Position(order.Count() % stored));
        copy.No = std::to_string(order.Count());
    }
    TkvfSetup setup;
    TkvfPaths paths;
    paths.CatalogDir = KVF_DEMO_CATALOG_DIR;
    TDM_Report data(dm, setup, paths, prompter);
    const std::string pdf = (std::filesystem::temp_directory_path() / "kvf_bench_offer.pdf").string();
    size_t pages = 0;
    for (auto _ : state) {
        const TPreparedReport prepared =
            PrepareTemplate(data, &order, std::string(KVF_DEMO_DIR) + "/reports/offer.kfr");
        SaveReportPdf(prepared, pdf);
        pages = prepared.Pages.size();
    }
    state.counters["pages"] = static_cast<double>(pages);
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_OfferOf200PositionsToPdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvf

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
