#include "exports/export_source.h"

#include "base/error.h"
#include "catalog/catalog_lookups.h"
#include "model/order.h"
#include "model/order_selection.h"

namespace kvf {

std::string TExportSource::Number() const {
    if (Selection != nullptr)
        return Selection->SelNo;
    return Order != nullptr ? Order->OrderNo : std::string();
}

void TExportSource::CheckExportable() const {
    if (Selection != nullptr) {
        if (!Selection->HasIncluded())
            throw KvfError("В выборке нет позиций, включенных в расчет. Экспортировать нечего.");
        return;
    }
    if (Order == nullptr)
        throw KvfError("Нет заказа или выборки для экспорта.");
    if (!Order->HasIncluded())
        throw KvfError("В заказе нет позиций, включенных в расчет. Экспортировать нечего.");
}

TkvfMatList TExportSource::BuildMatList(CatalogLookups& catalog, const std::string& ordersFolder,
                                        Prompter& prompter) const {
    CheckExportable();
    TkvfMatList list;
    if (Selection != nullptr) {
        const CatalogPricing saved = catalog.Pricing();
        catalog.SetPricing({&Selection->Currencies, Selection->CurrencyID});
        try {
            Selection->AddMatListTo(&list, catalog, ordersFolder, prompter);
        } catch (...) {
            catalog.SetPricing(saved);
            throw;
        }
        catalog.SetPricing(saved);
    } else {
        Order->AddMatListTo(&list, &prompter);
    }
    return list;
}

} // namespace kvf
