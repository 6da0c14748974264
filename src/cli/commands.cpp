#include "cli/commands.h"

#include "base/error.h"
#include "base/version.h"
#include "cli/args.h"

#include <ostream>

namespace kvf::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        {"shape", "kvf shape --shape N --width B --height H [--x X] [--y Y] [--radius R] [--dorn D]", RunShape},
        {"eval", "kvf eval --shape N --width B --height H [...] \"FORMULA\"", RunEval},
    };
    return table;
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
