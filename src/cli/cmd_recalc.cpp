// kvf order recalc FILE [--catalog DIR] [--out FILE] [--debug] [--prices-only] [--yes]
// Recalculates every position of an order against a catalog, as the order
// window's fittings dialog would on OK, and saves the order. An error stops
// the run, leaves the file untouched and exits with status 1.

#include "base/error.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "engine/order_recalc.h"
#include "model/order.h"

#include <ostream>

namespace kvf::cli {

int RunOrderRecalc(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    Args args(words, {"debug", "prices-only", "yes"});
    const std::string file = args.At(0, "FILE");
    CliPrompter prompter(err, args.Switch("yes"));

    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(file, converted, prompter))
        return 1;

    TDM dm;
    if (!OpenCatalogFolder(args.Option("catalog"), dm, prompter, err))
        return 1;

    // The order's pricing context: its currency list and currency.
    CatalogLookups lookups(dm, {&order.Currencies, order.CurrencyID});
    EngineContext ctx{dm, lookups, prompter, args.Switch("debug")};
    try {
        RecalcOrder(ctx, order, args.Switch("prices-only"));
    } catch (const KvfError& e) {
        err << e.what() << "\n";
        return 1;
    }
    return order.SaveToFile(args.OptionOr("out", file), prompter) ? 0 : 1;
}

} // namespace kvf::cli
