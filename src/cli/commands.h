#pragma once
// The command table of `kvf`. Each command group lives in its own file
// (cmd_<group>.cpp) and gets the words after its name.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kvf {
class Prompter;
class TDM;
class TkvfConstruction;
} // namespace kvf

namespace kvf::cli {

class Args;

using CommandFn = int (*)(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

struct Command {
    const char* name;
    const char* usage; // one or more lines, shown by `kvf --help`
    CommandFn run;
};

const std::vector<Command>& Commands();

// A sub-command of a command group ("kvf registry list").
struct SubCommand {
    const char* name;
    CommandFn run;
};
// Runs the sub-command named by the first word with the words after it.
int RunSubCommand(const std::vector<SubCommand>& table, const std::vector<std::string>& words,
                  std::ostream& out, std::ostream& err);

// Runs one command line (without the program name); returns the exit status.
int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

int RunShape(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// Builds a position from the shape options of `kvf shape` (cmd_shape.cpp); also used by `kvf sketch`.
void BuildShapePosition(const Args& args, TkvfConstruction& construction);
int RunEval(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunOrder(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSelection(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunConfig(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSettings(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunCatalog(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSketch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunDemo(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunWords(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunPrint(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunReport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunExport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// The `order recalc` sub-command (cmd_recalc.cpp).
int RunOrderRecalc(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// `kvf registry` and its sub-commands (cmd_registry.cpp).
int RunRegistry(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunRegistryList(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunRegistryAdd(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunRegistryRefresh(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunRegistryDelete(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunRegistryArchive(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunRegistryClear(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// The `selection add|refresh|matlist` sub-commands (cmd_selection_orders.cpp).
int RunSelectionAdd(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSelectionRefresh(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunSelectionMatList(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// The `order explain` and `order compare` sub-commands (cmd_explain.cpp, cmd_compare.cpp).
int RunOrderExplain(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
int RunOrderCompare(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// The `catalog check` sub-command (cmd_catalog_check.cpp).
int RunCatalogCheck(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// `kvf registry compare` (cmd_registry_compare.cpp); `words` begin with "compare".
int RunRegistryCompare(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
// The `catalog diff` sub-command (cmd_catalog_diff.cpp).
int RunCatalogDiff(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace kvf::cli
