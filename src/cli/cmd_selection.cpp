// `kvf selection dump|from-json`.

#include "base/error.h"
#include "cli/args.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "model/order_selection.h"

#include <fstream>
#include <ostream>

namespace kvf::cli {

namespace {

int dumpSelection(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string& file = args.At(0, "FILE");
    CliPrompter prompter(err, args.Switch("yes"));
    TkvfOrderSelection selection;
    bool converted = false;
    if (!selection.LoadFromFile(file, converted, prompter))
        return 1;
    out << SelectionToJson(selection).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << "\n";
    return 0;
}

int selectionFromJson(const std::vector<std::string>& words, std::ostream& err) {
    const Args args(words, {});
    const std::string& in = args.At(0, "IN.json");
    const std::string& target = args.At(1, "OUT.kfs370");
    std::ifstream stream(in, std::ios::binary);
    if (!stream)
        throw KvfError("Не удалось открыть файл [" + in + "]");
    const auto json = nlohmann::ordered_json::parse(stream);
    TkvfOrderSelection selection;
    SelectionFromJson(json, selection);
    CliPrompter prompter(err, false);
    return selection.SaveToFile(target, prompter) ? 0 : 1;
}

} // namespace

int RunSelection(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        throw UsageError{"missing sub-command (dump or from-json)"};
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "dump")
        return dumpSelection(rest, out, err);
    if (words[0] == "from-json")
        return selectionFromJson(rest, err);
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

} // namespace kvf::cli
