#pragma once
// `dump` and `from-json` of the order and selection files: a record file
// shown as JSON, or written from JSON.

#include "base/error.h"
#include "cli/args.h"
#include "cli/cli_prompter.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace kvf::cli {

// `dump FILE [--yes]`: the file's record as indented JSON on `out`.
template <class Record, class ToJson>
int DumpRecordFile(const std::vector<std::string>& words, ToJson toJson, std::ostream& out,
                   std::ostream& err) {
    const Args args(words, {"yes"});
    const std::string& file = args.At(0, "FILE");
    CliPrompter prompter(err, args.Switch("yes"));
    Record record;
    bool converted = false;
    if (!record.LoadFromFile(file, converted, prompter))
        return 1;
    out << toJson(record).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return 0;
}

// `from-json IN.json OUT`: the record read from the JSON file and saved as
// OUT; `outName` is OUT's name in the usage.
template <class Record, class FromJson>
int RecordFileFromJson(const std::vector<std::string>& words, const char* outName, FromJson fromJson,
                       std::ostream& err) {
    const Args args(words, {});
    const std::string& in = args.At(0, "IN.json");
    const std::string& target = args.At(1, outName);
    std::ifstream stream(in, std::ios::binary);
    if (!stream)
        throw KvfError("Не удалось открыть файл [" + in + "]");
    const auto json = nlohmann::ordered_json::parse(stream);
    Record record;
    fromJson(json, record);
    CliPrompter prompter(err, false);
    return record.SaveToFile(target, prompter) ? 0 : 1;
}

} // namespace kvf::cli
