// kvf registry: the order registry of a configuration, through the same
// operations the registry window runs.
//   kvf registry list [--config NAME]
//       one JSON object a line per row, in the order of the number
//   kvf registry add FILE... [--config NAME]
//       registers order files; exit status 1 when any was refused
//   kvf registry refresh NO [--config NAME]
//   kvf registry delete NO... [--yes] [--config NAME]
//   kvf registry archive NO... [--yes] [--config NAME]
//   kvf registry clear --yes [--config NAME]
// Messages go to stderr; without --yes a question is answered Cancel and
// nothing is changed (exit status 1).

#include "base/error.h"
#include "catalog/database.h"
#include "catalog/order_registry.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/settings_run.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace kvf::cli {

namespace {

// The configuration's settings and its registry database.
struct RegistryRun {
    RegistryRun(std::ostream& err, bool yes) : run(err, yes) {}
    bool Start(const Args& args) {
        if (!run.Start(args))
            return false;
        OpenRegistryDatabase(db, run.paths.RegistryDir);
        return true;
    }
    RegistryFolders Folders() const {
        return {run.paths.OrdersDir, run.paths.RecycledDir, run.paths.ArchiveDir};
    }
    int Status() const { return run.prompter.errors == 0 ? 0 : 1; }

    SettingsRun run;
    Database db{"PZDB_Registry", DatabaseKind::Registry};
};

} // namespace

int RunRegistryList(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {});
    if (!args.Positional().empty())
        throw UsageError{"kvf registry list takes no arguments"};
    RegistryRun r(err, false);
    if (!r.Start(args))
        return 1;
    for (const RegistryRow& row : ReadRegistryRows(r.db)) {
        nlohmann::ordered_json json = {{"No", row.No},
                                       {"RegDate", row.RegDate},
                                       {"Customer", row.Customer},
                                       {"Object", row.Object},
                                       {"Address", row.Address},
                                       {"Phone", row.Phone},
                                       {"Cost", row.Cost.Format4()},
                                       {"Currency", row.Currency},
                                       {"OrderFile", row.OrderFile},
                                       {"Note", row.Note}};
        out << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    }
    return 0;
}

int RunRegistryAdd(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    const Args args(words, {"yes"});
    if (args.Positional().empty())
        throw UsageError{"no order file given"};
    RegistryRun r(err, args.Switch("yes"));
    if (!r.Start(args))
        return 1;
    const RegisterResult result =
        RegisterOrderFiles(r.db, args.Positional(), r.run.paths.OrdersDir, r.run.prompter);
    return result.Refused == 0 && !result.Aborted ? 0 : 1;
}

int RunRegistryRefresh(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string no = args.At(0, "NO");
    RegistryRun r(err, args.Switch("yes"));
    if (!r.Start(args))
        return 1;
    if (!RefreshRegistryRow(r.db, no, r.run.paths.OrdersDir, r.run.prompter)) {
        if (r.Status() == 0)
            err << "kvf registry: no order " << no << " in the registry\n";
        return 1;
    }
    return r.Status();
}

namespace {

// delete and archive: the rows must all exist, then the question, then the removal.
int registryRemove(const std::vector<std::string>& words, std::ostream& err, RemovalKind kind) {
    const Args args(words, {"yes"});
    if (args.Positional().empty())
        throw UsageError{"no order number given"};
    RegistryRun r(err, args.Switch("yes"));
    if (!r.Start(args))
        return 1;
    const std::vector<RegistryRow> rows = ReadRegistryRows(r.db);
    for (const std::string& no : args.Positional()) {
        if (std::none_of(rows.begin(), rows.end(), [&](const RegistryRow& row) { return row.No == no; })) {
            err << "kvf registry: no order " << no << " in the registry\n";
            return 1;
        }
    }
    const bool archive = kind == RemovalKind::Archive;
    if (!r.run.prompter.Confirm(archive ? "Поместить заказ в архив и удалить его из реестра?"
                                        : "Удалить заказ?"))
        return 1;
    RemoveRegistryRows(r.db, args.Positional(), kind, r.run.setup->MoveToRecycled, r.Folders(),
                       r.run.prompter);
    return r.Status();
}

} // namespace

int RunRegistryDelete(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    return registryRemove(words, err, RemovalKind::Delete);
}

int RunRegistryArchive(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    return registryRemove(words, err, RemovalKind::Archive);
}

int RunRegistryClear(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    const Args args(words, {"yes"});
    if (!args.Positional().empty())
        throw UsageError{"kvf registry clear takes no arguments"};
    RegistryRun r(err, args.Switch("yes"));
    if (!r.Start(args))
        return 1;
    if (!r.run.prompter.Confirm("Очистить реестр заказов не удаляя файлы заказов?"))
        return 1;
    return ClearRegistry(r.db, r.run.prompter) ? 0 : 1;
}

} // namespace kvf::cli
