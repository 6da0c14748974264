// kvf catalog check [--catalog DIR]
// The catalog maintainer's consistency check: one line per problem, "TABLE
// [KEY]: PROBLEM", on standard output; exit status 0 when the catalog is
// clean, 1 when it has problems or cannot be opened.

#include "catalog/catalog_check.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"

#include <ostream>

namespace kvf::cli {

int RunCatalogCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {});
    if (!args.Positional().empty())
        throw UsageError{"kvf catalog check takes no arguments besides --catalog DIR"};
    CliPrompter prompter(err, false);
    TDM dm;
    // A table that does not open is one more problem: the others are still checked.
    if (!OpenCatalogFolder(args.Option("catalog"), dm, prompter, err) && !dm.DB_Catalog.IsOpen())
        return 1;
    const std::vector<CatalogProblem> problems = CheckCatalog(dm);
    for (const CatalogProblem& problem : problems)
        out << FormatCatalogProblem(problem) << "\n";
    if (!problems.empty())
        err << "kvf catalog check: найдено проблем: " << problems.size() << "\n";
    return problems.empty() ? 0 : 1;
}

} // namespace kvf::cli
