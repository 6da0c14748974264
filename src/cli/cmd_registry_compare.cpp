// kvf registry compare --against NEW_DIR [--config NAME] [--text] [--fail-on-change] [--debug] [--yes]
// Every order of the order registry of a database configuration (--config
// NAME, else the default one) recalculated against the configuration's catalog
// and against NEW_DIR, nothing saved:
// {"Orders":[{"No", "Customer", "File", "OldTotal", "NewTotal", "Difference",
//   "ErrorPositions":[...], "Error":null|"...", "Positions":[as kvf order compare]}]};
// with --text one summary line per order: number, customer, old and new
// total, difference and the positions with errors, separated by tabs. With
// --fail-on-change the exit status is 3 when anything differs.

#include "base/error.h"
#include "base/text.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "cli/compare_json.h"
#include "config/paths.h"
#include "config/registry.h"
#include "engine/registry_compare.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace kvf::cli {

namespace {

using nlohmann::ordered_json;

struct ConfigurationFolders {
    std::string Catalog;
    std::string Server;
};

// The catalog and server folders of the configuration `name`, else of the one offered first.
ConfigurationFolders configurationFolders(const std::optional<std::string>& name) {
    Registry registry(Registry::DefaultFileName());
    const TkvfConfigurations configurations = ReadConfigurations(registry);
    std::string chosen = name ? std::string() : configurations.Preset();
    for (const std::string& stored : configurations.Names)
        if (name && SameText(stored, *name))
            chosen = stored;
    if (chosen.empty() || !registry.OpenKey(ConfigurationsKey + "\\" + chosen, false))
        throw KvfError(name ? "Ошибка открытия конфигурации " + *name +
                                  "!\r\nУказанная конфигурация не числиться в списке."
                            : "no database configuration: add one with kvf config add");
    return {StoredFolder(registry.ReadString("KVFCatalogDir")),
            StoredFolder(registry.ReadString("KVFServerName"))};
}

ordered_json orderJson(const OrderComparison& order) {
    ordered_json positions = ordered_json::array();
    for (const PositionComparison& p : order.Positions)
        positions.push_back(PositionComparisonToJson(p));
    return {
        {"No", order.No},
        {"Customer", order.Customer},
        {"File", order.File},
        {"OldTotal", order.Error.empty() ? ordered_json(order.OldTotal.Format4()) : ordered_json(nullptr)},
        {"NewTotal", order.Error.empty() ? ordered_json(order.NewTotal.Format4()) : ordered_json(nullptr)},
        {"Difference",
         order.Error.empty() ? ordered_json(order.Difference().Format4()) : ordered_json(nullptr)},
        {"ErrorPositions", order.ErrorPositions()},
        {"Error", order.Error.empty() ? ordered_json(nullptr) : ordered_json(order.Error)},
        {"Positions", std::move(positions)}};
}

void writeSummary(std::ostream& out, const OrderComparison& order) {
    out << order.No << "\t" << order.Customer << "\t";
    if (!order.Error.empty()) {
        out << "\t\t\t" << order.Error << "\n";
        return;
    }
    out << order.OldTotal.Format4() << "\t" << order.NewTotal.Format4() << "\t"
        << order.Difference().Format4() << "\t";
    const std::vector<std::string> errors = order.ErrorPositions();
    for (size_t i = 0; i < errors.size(); ++i)
        out << (i == 0 ? "" : ",") << errors[i];
    out << "\n";
}

} // namespace

int RunRegistryCompare(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {"text", "fail-on-change", "debug", "yes"});
    const std::optional<std::string> against = args.Option("against");
    if (!against)
        throw UsageError{"missing --against NEW_DIR"};
    CliPrompter prompter(err, args.Switch("yes"));

    const ConfigurationFolders folders = configurationFolders(args.Option("config"));
    TDM current;
    TDM candidate;
    if (!OpenCatalogFolder(folders.Catalog, current, prompter, err) ||
        !OpenCatalogFolder(against, candidate, prompter, err))
        return 1;
    const std::string registryDir = folders.Server.empty() ? std::string() : folders.Server + "/Registry";
    if (!std::filesystem::is_regular_file(std::filesystem::path(registryDir) /
                                          DatabaseFileName(DatabaseKind::Registry))) {
        err << "no order registry in " << registryDir << "\n";
        return 1;
    }
    current.DB_Registry.Open(registryDir, false);
    current.T_OrderList.Open();

    const std::vector<OrderComparison> orders =
        CompareRegistry(current, candidate, folders.Server + "/Orders", prompter, args.Switch("debug"));
    if (args.Switch("text")) {
        for (const OrderComparison& order : orders)
            writeSummary(out, order);
    } else {
        ordered_json json = ordered_json::array();
        for (const OrderComparison& order : orders)
            json.push_back(orderJson(order));
        out << ordered_json{{"Orders", std::move(json)}}.dump(2) << "\n";
    }
    const bool changed = std::any_of(orders.begin(), orders.end(), [](const auto& o) { return o.Differs(); });
    return changed && args.Switch("fail-on-change") ? 3 : 0;
}

} // namespace kvf::cli
