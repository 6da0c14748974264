// kvf catalog check [--catalog DIR]
// The catalog maintainer's consistency check: one line per problem, "TABLE
// [KEY]: PROBLEM", on standard output; exit status 0 when the catalog is
// clean, 1 when it has problems or cannot be opened.

#include "base/error.h"
#include "base/text.h"
#include "catalog/catalog_check.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "config/paths.h"
#include "config/registry.h"

#include <filesystem>
#include <ostream>

namespace kvf::cli {

namespace {

// The catalog folder of the default configuration ("DefaultConfig", else the
// first one); empty when the registry names none.
std::string defaultConfigurationCatalog() {
    Registry registry(Registry::DefaultFileName());
    const std::vector<std::string> names = ConfigurationNames(registry);
    if (names.empty())
        return "";
    const std::string wanted = registry.ReadString("DefaultConfig");
    std::string name = names.front();
    for (const std::string& candidate : names)
        if (SameText(candidate, wanted))
            name = candidate;
    if (!registry.OpenKey(ConfigurationsKey + "\\" + name, false))
        return "";
    return StoredFolder(registry.ReadString("KVFCatalogDir"));
}

} // namespace

bool OpenCatalogFolder(const std::optional<std::string>& option, TDM& dm, Prompter& prompter,
                       std::ostream& err) {
    const std::string folder = option && !option->empty() ? *option : defaultConfigurationCatalog();
    if (folder.empty()) {
        err << "no catalog folder: give --catalog DIR or add a default configuration (kvf config add)\n";
        return false;
    }
    // Opening never creates a catalog: an empty one would pass every check.
    const std::filesystem::path file =
        std::filesystem::path(folder) / DatabaseFileName(DatabaseKind::Catalog);
    if (!std::filesystem::is_regular_file(file)) {
        err << "no catalog in " << folder << ": " << file.filename().string()
            << " is missing (a Paradox catalog is imported with kvf catalog import)\n";
        return false;
    }
    try {
        dm.DB_Catalog.Open(folder);
    } catch (const KvfError& e) {
        err << e.what() << "\n";
        return false;
    }
    return dm.OpenCatalogTables(prompter);
}

int RunCatalogCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {});
    if (!args.Positional().empty())
        throw UsageError{"kvf catalog check takes no arguments besides --catalog DIR"};
    CliPrompter prompter(err, false);
    TDM dm;
    if (!OpenCatalogFolder(args.Option("catalog"), dm, prompter, err))
        return 1;
    const std::vector<CatalogProblem> problems = CheckCatalog(dm);
    for (const CatalogProblem& problem : problems)
        out << FormatCatalogProblem(problem) << "\n";
    if (!problems.empty())
        err << "kvf catalog check: " << problems.size()
            << (problems.size() == 1 ? " problem\n" : " problems\n");
    return problems.empty() ? 0 : 1;
}

} // namespace kvf::cli
