#include "cli/commands.h"

#include "base/error.h"
#include "base/version.h"
#include "cli/args.h"

#include <ostream>

namespace kvf::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        {"shape", "kvf shape --shape N --width B --height H [--x X] [--y Y] [--radius R] [--dorn D]",
         RunShape},
        {"eval", "kvf eval --shape N --width B --height H [...] \"FORMULA\"", RunEval},
        {"order",
         "kvf order dump FILE [--yes] | kvf order from-json IN.json OUT.kfo370 | kvf order recalc FILE "
         "[--catalog DIR] [--out FILE] [--debug] [--prices-only] [--yes] | kvf order explain FILE [--catalog "
         "DIR] "
         "[--pos NO] [--text] | kvf order compare FILE --catalog OLD_DIR --against NEW_DIR [--pos NO] "
         "[--fail-on-change]",
         RunOrder},
        {"selection",
         "kvf selection dump FILE [--yes] | kvf selection from-json IN.json OUT.kfs370 | kvf selection add "
         "SEL.kfs370 ORDER.kfo370... [--create NO] | kvf selection refresh SEL.kfs370 [--yes] | kvf "
         "selection "
         "matlist SEL.kfs370 (each of the last three [--config NAME])",
         RunSelection},
        {"config",
         "kvf config add NAME --catalog DIR --server DIR --reports DIR [--temp DIR] [--default] | kvf config "
         "list (\"* NAME\" for the default, \"  NAME\" for the others)",
         RunConfig},
        {"settings", "kvf settings dump [--config NAME] | kvf settings set SECTION KEY VALUE [--config NAME]",
         RunSettings},
        {"catalog",
         "kvf catalog init DIR | import PARADOX_DIR --out DIR [--codepage CP] [--database "
         "catalog|registry|report] | query TABLE [--catalog DIR] "
         "[--filter EXPR] [--index NAME] | price ID --currency N [--catalog DIR] [--rates ID:RATE,...] | "
         "check [--catalog DIR] | diff OLD_DIR NEW_DIR [--text]",
         RunCatalog},
        {"sketch",
         "kvf sketch ORDER --pos NO --png OUT [--size WxH] [--no-dimensions] | kvf sketch --shape N --width "
         "B --height H [...] --png OUT",
         RunSketch},
        {"demo", "kvf demo sweep [--catalog DIR]", RunDemo},
        {"registry",
         "kvf registry list | add FILE... | refresh NO | delete NO... [--yes] | archive NO... [--yes] | "
         "clear --yes | compare --against NEW_DIR [--text] [--fail-on-change] (each [--config NAME])",
         RunRegistry},
        {"words", "kvf words AMOUNT --currency ID [--catalog DIR]", RunWords},
        {"print",
         "kvf print FILE --template T.kfr --pdf OUT [--config NAME] | kvf print FILE --group --pdf-dir DIR "
         "[--config NAME]",
         RunPrint},
        {"report",
         "kvf report eval FILE \"EXPR\" [--pos NO] [--sash N] [--item I] [--mat I [--by-name]] [--config "
         "NAME]",
         RunReport},
        {"export",
         "kvf export tbm|vorne|xml FILE [--out PATH] [--firm-id X] [--firm-name X] [--order-no N] "
         "[--order-name X] "
         "[--order-list X] [--comment X] [--date DD.MM.YYYY] [--upload] [--yes] [--config NAME]",
         RunExport},
    };
    return table;
}

int RunRegistry(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    static const std::vector<SubCommand> table = {
        {"list", RunRegistryList},       {"add", RunRegistryAdd},         {"refresh", RunRegistryRefresh},
        {"delete", RunRegistryDelete},   {"archive", RunRegistryArchive}, {"clear", RunRegistryClear},
        {"compare", RunRegistryCompare},
    };
    return RunSubCommand(table, words, out, err);
}

int RunSubCommand(const std::vector<SubCommand>& table, const std::vector<std::string>& words,
                  std::ostream& out, std::ostream& err) {
    if (words.empty())
        throw UsageError{"missing sub-command"};
    for (const SubCommand& sub : table) {
        if (words[0] == sub.name)
            return sub.run(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
    }
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

namespace {

void printUsage(std::ostream& out) {
    out << "usage: kvf --version\n";
    for (const Command& command : Commands()) {
        out << "       " << command.usage << "\n";
    }
}

} // namespace

int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        printUsage(words.empty() ? err : out);
        return words.empty() ? 2 : 0;
    }
    if (words[0] == "--version") {
        out << ExeFileVersion() << "\n";
        return 0;
    }
    for (const Command& command : Commands()) {
        if (words[0] == command.name) {
            try {
                return command.run(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
            } catch (const UsageError& e) {
                err << "kvf " << command.name << ": " << e.message << "\nusage: " << command.usage << "\n";
                return 2;
            } catch (const KvfError& e) {
                err << e.what() << "\n";
                return 1;
            } catch (const std::exception& e) {
                err << "kvf " << command.name << ": " << e.what() << "\n";
                return 1;
            }
        }
    }
    err << "kvf: unknown command \"" << words[0] << "\"\n";
    printUsage(err);
    return 2;
}

} // namespace kvf::cli
