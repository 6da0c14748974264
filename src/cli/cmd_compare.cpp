// kvf order compare FILE --catalog OLD_DIR --against NEW_DIR [--pos NO] [--fail-on-change] [--debug] [--yes]
// Recalculates each position against both catalogs without saving and prints
// {"Positions":[{"No", "Old":{"Cost","Error"}, "New":{...}, "Changes":[...]}]}:
// the articles of both sashes whose quantity (per piece) or price (in the
// order's currency) differ. With --fail-on-change the exit status is 3 when
// anything differs.

#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "cli/compare_json.h"
#include "cli/order_positions.h"
#include "engine/order_compare.h"
#include "model/order.h"

#include <algorithm>
#include <ostream>

namespace kvf::cli {

int RunOrderCompare(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {"fail-on-change", "debug", "yes"});
    const std::string file = args.At(0, "FILE");
    const std::optional<std::string> against = args.Option("against");
    if (!against)
        throw UsageError{"missing --against NEW_DIR"};
    const std::optional<std::string> pos = args.Option("pos");
    CliPrompter prompter(err, args.Switch("yes"));

    TkvfOrder order;
    if (!LoadOrderAtPosition(file, pos, order, prompter, err))
        return 1;
    TDM oldDm;
    TDM newDm;
    if (!OpenCatalogFolder(args.Option("catalog"), oldDm, prompter, err) ||
        !OpenCatalogFolder(against, newDm, prompter, err))
        return 1;

    const CatalogPricing pricing{&order.Currencies, order.CurrencyID};
    CatalogLookups oldLookups(oldDm, pricing);
    CatalogLookups newLookups(newDm, pricing);
    const bool debug = args.Switch("debug");
    const std::vector<PositionComparison> positions =
        CompareOrder({oldDm, oldLookups, prompter, debug}, {newDm, newLookups, prompter, debug}, order, pos);

    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const PositionComparison& c : positions)
        json.push_back(PositionComparisonToJson(c));
    out << nlohmann::ordered_json{{"Positions", std::move(json)}}.dump(2) << "\n";
    const bool changed =
        std::any_of(positions.begin(), positions.end(), [](const auto& c) { return c.Differs(); });
    return changed && args.Switch("fail-on-change") ? 3 : 0;
}

} // namespace kvf::cli
