#include "engine/registry_compare.h"

#include "base/stored_path.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "model/order.h"

#include <filesystem>

namespace kvf {

namespace {

struct RegistryRow {
    std::string No;
    std::string Customer;
    std::string OrderFile;
};

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

void CompareLoadedOrder(TDM& current, TDM& candidate, TkvfOrder& order, Prompter& prompter, bool debug,
                        OrderComparison& comparison) {
    const CatalogPricing pricing{&order.Currencies, order.CurrencyID};
    CatalogLookups oldLookups(current, pricing);
    CatalogLookups newLookups(candidate, pricing);
    comparison.Positions =
        CompareOrder({current, oldLookups, prompter, debug}, {candidate, newLookups, prompter, debug}, order);
    comparison.OldTotal = OrderTotalWith(order, comparison.Positions, false);
    comparison.NewTotal = OrderTotalWith(order, comparison.Positions, true);
}

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
            TkvfOrder order;
            bool converted = false;
            if (order.LoadFromFile(comparison.File, converted, prompter))
                CompareLoadedOrder(current, candidate, order, prompter, debug, comparison);
            else
                comparison.Error = "Ошибка загрузки заказа!\r\n(" + comparison.File + ")";
        }
        if (progress && !progress(static_cast<int>(result.size()), static_cast<int>(rows.size())))
            break;
    }
    return result;
}

} // namespace kvf
