// kvf order explain FILE [--catalog DIR] [--pos NO] [--text] [--debug] [--yes]
// Recalculates the order's positions as `kvf order recalc` does, without
// saving, and prints the composition pass's trace of every sash: as JSON
// {"Positions":[{"No", "Sashes":[...], "Error":null|"..."}]}, or with --text as
// an indented tree. The order file is not changed.

#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "cli/order_positions.h"
#include "cli/trace_json.h"
#include "engine/composition_trace.h"
#include "engine/order_compare.h"
#include "model/construction.h"
#include "model/order.h"

#include <algorithm>
#include <ostream>

namespace kvf::cli {

int RunOrderExplain(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Args args(words, {"text", "debug", "yes"});
    const std::string file = args.At(0, "FILE");
    const std::optional<std::string> pos = args.Option("pos");
    CliPrompter prompter(err, args.Switch("yes"));

    TkvfOrder order;
    if (!LoadOrderAtPosition(file, pos, order, prompter, err))
        return 1;
    TDM dm;
    if (!OpenCatalogFolder(args.Option("catalog"), dm, prompter, err))
        return 1;

    CatalogLookups lookups(dm, {&order.Currencies, order.CurrencyID});
    nlohmann::ordered_json positions = nlohmann::ordered_json::array();
    for (int i = 0; i < order.Count(); ++i) {
        TkvfConstruction& position = order.Position(i);
        if (pos && !SameText(position.No, *pos))
            continue;
        CompositionTrace trace;
        const EngineContext ctx{dm, lookups, prompter, args.Switch("debug"), &trace};
        const PositionOutcome outcome = RecalcAside(ctx, position);
        std::sort(trace.Sashes.begin(), trace.Sashes.end(),
                  [](const SashTrace& a, const SashTrace& b) { return a.Sash < b.Sash; });
        if (args.Switch("text")) {
            out << "Позиция " << position.No << "\n";
            for (const SashTrace& sash : trace.Sashes)
                WriteSashTrace(out, sash, 2);
            if (!outcome.Error.empty())
                out << "  Ошибка позиции: " << outcome.Error << "\n";
            continue;
        }
        nlohmann::ordered_json sashes = nlohmann::ordered_json::array();
        for (const SashTrace& sash : trace.Sashes)
            sashes.push_back(SashTraceToJson(sash));
        positions.push_back({{"No", position.No},
                             {"Sashes", std::move(sashes)},
                             {"Error", outcome.Error.empty() ? nlohmann::ordered_json(nullptr)
                                                             : nlohmann::ordered_json(outcome.Error)}});
    }
    if (!args.Switch("text"))
        out << nlohmann::ordered_json{{"Positions", std::move(positions)}}.dump(2) << "\n";
    return 0;
}

} // namespace kvf::cli
