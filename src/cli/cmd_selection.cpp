// `kvf selection dump|from-json|add|refresh|matlist`.

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "cli/record_file_json.h"
#include "model/order_selection.h"

#include <ostream>

namespace kvf::cli {

int RunSelection(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        throw UsageError{"missing sub-command (dump, from-json, add, refresh or matlist)"};
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "dump")
        return DumpRecordFile<TkvfOrderSelection>(rest, SelectionToJson, out, err);
    if (words[0] == "from-json")
        return RecordFileFromJson<TkvfOrderSelection>(rest, "OUT.kfs370", SelectionFromJson, err);
    if (words[0] == "add")
        return RunSelectionAdd(rest, out, err);
    if (words[0] == "refresh")
        return RunSelectionRefresh(rest, out, err);
    if (words[0] == "matlist")
        return RunSelectionMatList(rest, out, err);
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

} // namespace kvf::cli
