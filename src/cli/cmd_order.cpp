// `kvf order dump|from-json|recalc|explain|compare`.

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "cli/record_file_json.h"
#include "model/order.h"

#include <ostream>

namespace kvf::cli {

int RunOrder(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        throw UsageError{"missing sub-command (dump, from-json, recalc, explain or compare)"};
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "dump")
        return DumpRecordFile<TkvfOrder>(rest, OrderToJson, out, err);
    if (words[0] == "from-json")
        return RecordFileFromJson<TkvfOrder>(rest, "OUT.kfo370", OrderFromJson, err);
    if (words[0] == "recalc")
        return RunOrderRecalc(rest, out, err);
    if (words[0] == "explain")
        return RunOrderExplain(rest, out, err);
    if (words[0] == "compare")
        return RunOrderCompare(rest, out, err);
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

} // namespace kvf::cli
