// `kvf order dump|from-json|recalc`.

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "cli/record_file_json.h"
#include "model/order.h"

#include <ostream>

namespace kvf::cli {

int RunOrder(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        throw UsageError{"missing sub-command (dump, from-json or recalc)"};
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "dump")
        return DumpRecordFile<TkvfOrder>(rest, OrderToJson, out, err);
    if (words[0] == "from-json")
        return RecordFileFromJson<TkvfOrder>(rest, "OUT.kfo370", OrderFromJson, err);
    if (words[0] == "recalc")
        return RunOrderRecalc(rest, out, err);
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

} // namespace kvf::cli
