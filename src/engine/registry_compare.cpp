#include "engine/registry_compare.h"

#include "base/error.h"
#include "base/prompter.h"
#include "base/stored_path.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "model/order.h"

#include <filesystem>
#include <thread>

namespace kvf {

namespace {

struct RegistryRow {
    std::string No;
    std::string Customer;
    std::string OrderFile;
};

// The prompter of the thread that computes against the new catalog: it shows
// nothing, answers every question No and takes the first row of a list, as
// the command line does.
class SilentPrompter : public Prompter {
public:
    void Warning(const std::string&) override {}
    void Error(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
    bool ContinueOrAbort(const std::string&) override { return false; }
    int TwoButton(const std::string&, const std::string&, const std::string&, const std::string&) override {
        return 0;
    }
    YesNoCancelAnswer YesNoCancel(const std::string&) override { return YesNoCancelAnswer::No; }
    std::optional<std::string> InputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    int ChooseRow(const ChoiceList& list) override { return list.Rows.empty() ? -1 : 0; }
    void SetBusy(BusyKind) override {}
    void RestoreCursor() override {}
};

std::vector<PositionOutcome> recalcAll(const EngineContext& ctx, TkvfOrder& order) {
    std::vector<PositionOutcome> outcomes;
    for (int i = 0; i < order.Count(); ++i)
        outcomes.push_back(RecalcAside(ctx, order.Position(i)));
    return outcomes;
}

std::vector<RegistryRow> registryRows(Table& list) {
    std::vector<RegistryRow> rows;
    for (list.First(); !list.Eof(); list.Next())
        rows.push_back({list.AsString("No"), list.AsString("Customer"), list.AsString("OrderFile")});
    return rows;
}

} // namespace

std::vector<std::string> OrderComparison::ErrorPositions() const {
    std::vector<std::string> nos;
    for (const PositionComparison& p : Positions)
        if (!p.Old.Error.empty() || !p.New.Error.empty())
            nos.push_back(p.No);
    return nos;
}

bool OrderComparison::Differs() const {
    if (!Error.empty() || OldTotal != NewTotal)
        return true;
    for (const PositionComparison& p : Positions)
        if (p.Differs())
            return true;
    return false;
}

namespace {

// The two sides of one order at the same time, each on its own copy of the
// order and its own catalog: the new side on a second thread with a silent
// prompter. The tables, lookups and model objects of one side are never
// touched by the other.
void compareFile(TDM& current, TDM& candidate, const std::string& file, Prompter& prompter, bool debug,
                 OrderComparison& comparison) {
    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(file, converted, prompter)) {
        comparison.Error = "Ошибка загрузки заказа!\r\n(" + file + ")";
        return;
    }
    std::vector<PositionOutcome> newSide;
    std::exception_ptr newError;
    std::thread worker([&] {
        try {
            SilentPrompter silent;
            TkvfOrder copy;
            bool copyConverted = false;
            if (!copy.LoadFromFile(file, copyConverted, silent))
                throw KvfError("Ошибка загрузки заказа!\r\n(" + file + ")");
            CatalogLookups lookups(candidate, {&copy.Currencies, copy.CurrencyID});
            newSide = recalcAll({candidate, lookups, silent, debug}, copy);
        } catch (...) {
            newError = std::current_exception();
        }
    });
    CatalogLookups lookups(current, {&order.Currencies, order.CurrencyID});
    std::vector<PositionOutcome> oldSide = recalcAll({current, lookups, prompter, debug}, order);
    worker.join();
    if (newError)
        std::rethrow_exception(newError);
    for (int i = 0; i < order.Count(); ++i) {
        PositionComparison& c = comparison.Positions.emplace_back();
        c.Index = i;
        c.No = order.Position(i).No;
        c.Old = std::move(oldSide[static_cast<size_t>(i)]);
        c.New = std::move(newSide[static_cast<size_t>(i)]);
        if (c.Old.Error.empty() && c.New.Error.empty())
            c.Changes = CompareArticles(c.Old, c.New);
    }
    comparison.OldTotal = OrderTotalWith(order, comparison.Positions, false);
    comparison.NewTotal = OrderTotalWith(order, comparison.Positions, true);
}

} // namespace

std::vector<OrderComparison> CompareRegistry(TDM& current, TDM& candidate, const std::string& ordersDir,
                                             Prompter& prompter, bool debug,
                                             const CompareProgress& progress) {
    const std::vector<RegistryRow> rows = registryRows(current.T_OrderList);
    std::vector<OrderComparison> result;
    result.reserve(rows.size());
    for (const RegistryRow& row : rows) {
        OrderComparison& comparison = result.emplace_back();
        comparison.No = row.No;
        comparison.Customer = row.Customer;
        comparison.File = ResolveStoredPath(ExpandRelativePath(ordersDir, row.OrderFile));
        if (!std::filesystem::is_regular_file(comparison.File)) {
            comparison.Error =
                "Невозможно найти файл заказа № " + row.No + "!\r\nФайл: " + comparison.File + ".";
        } else {
            try {
                compareFile(current, candidate, comparison.File, prompter, debug, comparison);
            } catch (const std::exception& e) {
                comparison.Error = e.what();
            }
        }
        if (progress && !progress(static_cast<int>(result.size()), static_cast<int>(rows.size())))
            break;
    }
    return result;
}

} // namespace kvf
