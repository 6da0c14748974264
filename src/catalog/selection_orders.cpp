#include "catalog/selection_orders.h"

#include "catalog/catalog_lookups.h"
#include "catalog/order_registry.h"
#include "model/construction.h"
#include "model/order.h"
#include "model/order_selection.h"

namespace kvf {

void InitNewSelection(TkvfOrderSelection& selection, CatalogLookups& lookups, int currency, double ndsTax) {
    selection.CurrencyID = currency;
    selection.NDSTax = static_cast<float>(ndsTax);
    selection.PriceGroupNo = 0;
    lookups.LoadCurrencyRates(&selection.Currencies);
}

std::vector<SelectionChange> AddOrderFileToSelection(TkvfOrderSelection& selection, const std::string& file,
                                                     const std::string& ordersFolder, Prompter& prompter) {
    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(file, converted, prompter))
        return {};
    const std::string stored = StoredOrderFile(ordersFolder, file);
    std::vector<SelectionChange> changes;
    for (int i = 0; i < order.Count(); ++i) {
        const TkvfConstruction& position = order.Position(i);
        std::int32_t width = 0;
        std::int32_t height = 0;
        position.GetSize(width, height);
        SelectionChange change{selection.IndexOf(order.OrderNo, position.No), false};
        if (change.Index < 0) {
            selection.AddItem();
            change = {selection.Count() - 1, true};
        }
        TkvfOrderSelectionItem& item = selection.Item(change.Index);
        item.OrderNo = order.OrderNo;
        item.PosNo = position.No;
        item.Width = static_cast<float>(width);
        item.Height = static_cast<float>(height);
        item.Number = position.Number;
        item.Name = position.Name;
        item.OrderFile = stored;
        changes.push_back(change);
    }
    return changes;
}

} // namespace kvf
