// kvf selection add|refresh|matlist: a selection file filled from order files,
// through the operations of the selection window.
//   kvf selection add SEL.kfs370 ORDER.kfo370... [--create NO] [--config NAME]
//       adds the positions of each order file (an item with the same order and
//       position number is updated) and saves; --create makes a new selection
//       numbered NO with the settings' currency and VAT rate and the catalog's rates
//   kvf selection refresh SEL.kfs370 [--yes] [--config NAME]
//       rereads every item from its order file and saves (asks first)
//   kvf selection matlist SEL.kfs370 [--config NAME]
//       the material list of the included items, sorted and priced at the
//       catalog's current prices, one JSON object a line

#include "catalog/catalog_lookups.h"
#include "catalog/selection_orders.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "cli/settings_run.h"
#include "model/order_selection.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kvf::cli {

int RunSelectionAdd(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string file = args.At(0, "SEL.kfs370");
    if (args.Positional().size() < 2)
        throw UsageError{"no order file given"};
    SettingsRun run(err, args.Switch("yes"));
    if (!run.Start(args))
        return 1;
    TkvfOrderSelection selection;
    if (const std::optional<std::string> number = args.Option("create")) {
        if (std::filesystem::exists(file)) {
            err << "kvf selection: " << file << " exists already\n";
            return 1;
        }
        TDM dm;
        if (!OpenCatalogFolder(run.paths.CatalogDir, dm, run.prompter, err))
            return 1;
        CatalogLookups lookups(dm);
        InitNewSelection(selection, lookups, run.setup->CurCurrency, run.setup->NDSTax);
        selection.SelNo = *number;
    } else {
        bool converted = false;
        if (!selection.LoadFromFile(file, converted, run.prompter))
            return 1;
    }
    bool allAdded = true;
    for (size_t i = 1; i < args.Positional().size(); ++i) {
        const int errors = run.prompter.errors;
        AddOrderFileToSelection(selection, args.Positional()[i], run.paths.OrdersDir, run.prompter);
        allAdded = allAdded && run.prompter.errors == errors;
    }
    return selection.SaveToFile(file, run.prompter) && allAdded ? 0 : 1;
}

int RunSelectionRefresh(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string file = args.At(0, "SEL.kfs370");
    SettingsRun run(err, args.Switch("yes"));
    if (!run.Start(args))
        return 1;
    TkvfOrderSelection selection;
    bool converted = false;
    if (!selection.LoadFromFile(file, converted, run.prompter))
        return 1;
    if (!run.prompter.Confirm("Обновить данные выборки?"))
        return 1;
    selection.Refresh(false, run.paths.OrdersDir, run.prompter);
    return selection.SaveToFile(file, run.prompter) && run.prompter.errors == 0 ? 0 : 1;
}

int RunSelectionMatList(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string file = args.At(0, "SEL.kfs370");
    SettingsRun run(err, args.Switch("yes"));
    if (!run.Start(args))
        return 1;
    TkvfOrderSelection selection;
    bool converted = false;
    if (!selection.LoadFromFile(file, converted, run.prompter))
        return 1;
    TDM dm;
    if (!OpenCatalogFolder(run.paths.CatalogDir, dm, run.prompter, err))
        return 1;
    CatalogLookups lookups(dm, {&selection.Currencies, selection.CurrencyID});
    TkvfMatList list;
    selection.AddMatListTo(&list, lookups, run.paths.OrdersDir, run.prompter);
    for (const auto& item : list) {
        const nlohmann::ordered_json json = {{"ID", item->ID},
                                             {"Quantity", SingleToJson(item->Quantity)},
                                             {"CatalogPrice", item->CatalogPrice.Format4()},
                                             {"Price", item->Price.Format4()},
                                             {"Cost", item->Cost.Format4()}};
        out << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    }
    return run.prompter.errors == 0 ? 0 : 1;
}

} // namespace kvf::cli
