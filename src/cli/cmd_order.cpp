// `kvf order dump|from-json|recalc`.

#include "base/error.h"
#include "cli/args.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "cli/model_json.h"
#include "model/order.h"

#include <fstream>
#include <ostream>

namespace kvf::cli {

namespace {

int dumpOrder(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string& file = args.At(0, "FILE");
    CliPrompter prompter(err, args.Switch("yes"));
    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(file, converted, prompter))
        return 1;
    out << OrderToJson(order).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return 0;
}

int orderFromJson(const std::vector<std::string>& words, std::ostream& err) {
    const Args args(words, {});
    const std::string& in = args.At(0, "IN.json");
    const std::string& target = args.At(1, "OUT.kfo370");
    std::ifstream stream(in, std::ios::binary);
    if (!stream)
        throw KvfError("Не удалось открыть файл [" + in + "]");
    const auto json = nlohmann::ordered_json::parse(stream);
    TkvfOrder order;
    OrderFromJson(json, order);
    CliPrompter prompter(err, false);
    return order.SaveToFile(target, prompter) ? 0 : 1;
}

} // namespace

int RunOrder(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty())
        throw UsageError{"missing sub-command (dump, from-json or recalc)"};
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "dump")
        return dumpOrder(rest, out, err);
    if (words[0] == "from-json")
        return orderFromJson(rest, err);
    if (words[0] == "recalc")
        return RunOrderRecalc(rest, out, err);
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

} // namespace kvf::cli
