// kvf words AMOUNT --currency ID [--catalog DIR]
// Prints the amount in words with the names of a catalog currency, as the
// offer's total in words is printed.

#include "base/error.h"
#include "base/money.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "reports/amount_in_words.h"

#include <ostream>

namespace kvf::cli {

int RunWords(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {});
    const std::string& text = args.At(0, "AMOUNT");
    const std::optional<Money> amount = Money::Parse(text);
    if (!amount) {
        throw UsageError{"AMOUNT wants a number with up to four decimals, not \"" + text + "\""};
    }
    const std::optional<long long> currency = args.IntOption("currency");
    if (!currency) {
        throw UsageError{"--currency ID is required"};
    }
    CliPrompter prompter(err, false);
    TDM dm;
    if (!OpenCatalogFolder(args.Option("catalog"), dm, prompter, err)) {
        return 1;
    }
    CatalogLookups lookups(dm);
    CurrencyWords names;
    names.Dec = -1;
    lookups.GetCurrencyWords(static_cast<int>(*currency), names);
    if (names.Dec < 0) {
        err << "kvf words: no currency " << *currency << " in the catalog\n";
        return 1;
    }
    out << AmountInWords(CurrencyNames(names), *amount) << "\n";
    return 0;
}

} // namespace kvf::cli
