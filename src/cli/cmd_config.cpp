// kvf config: the database configurations in the per-user registry.
//   kvf config add NAME --catalog DIR --server DIR --reports DIR [--temp DIR] [--default]
//   kvf config list        one name a line: "* NAME" for the default, "  NAME" for the others
// kvf settings: the settings object as the program builds it at start-up.
//   kvf settings dump [--config NAME]
//   kvf settings set SECTION KEY VALUE [--config NAME]
//
// Both settings commands choose the configuration (NAME, else the default one,
// else the first), read the settings file and the registry and make the
// working folders exactly as the program's start-up does. Unlike a run of the
// program they leave no temporary folder behind: the run's temporary folder is
// removed again, "KVFLastTempDir" is neither read for deletion nor written, so
// the folder a desktop run left for its next start stays where it is.

#include "base/error.h"
#include "base/text.h"
#include "cli/args.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "cli/settings_run.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kvf::cli {

namespace fs = std::filesystem;

namespace {

std::string absoluteFolder(const std::string& folder) {
    std::string path = fs::absolute(fs::path(folder)).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string requiredOption(const Args& args, const char* name) {
    std::optional<std::string> value = args.Option(name);
    if (!value || value->empty()) {
        throw UsageError{std::string("--") + name + " DIR is required"};
    }
    return *value;
}

int configAdd(const std::vector<std::string>& words) {
    const Args args(words, {"default"});
    const std::string& name = args.At(0, "configuration name");
    if (name.empty() || name.find('\\') != std::string::npos) {
        throw UsageError{"a configuration name must not be empty nor contain \"\\\""};
    }
    const std::string catalog = absoluteFolder(requiredOption(args, "catalog"));
    const std::string server = absoluteFolder(requiredOption(args, "server"));
    const std::string reports = absoluteFolder(requiredOption(args, "reports"));
    const std::optional<std::string> temp = args.Option("temp");

    Registry registry(Registry::DefaultFileName());
    std::string stored = name;
    for (const std::string& existing : ConfigurationNames(registry)) {
        if (SameText(existing, name)) {
            stored = existing;
        }
    }
    registry.OpenKey(ConfigurationsKey + "\\" + stored, true);
    registry.WriteString("KVFCatalogDir", catalog);
    registry.WriteString("KVFServerName", server);
    registry.WriteString("KVFReportDir", reports);
    registry.WriteString("KVFTempDir", temp && !temp->empty() ? absoluteFolder(*temp) : std::string());
    if (args.Switch("default")) {
        registry.OpenKey(ConfigurationsKey, true);
        registry.WriteString("DefaultConfig", stored);
    }
    return 0;
}

int configList(const std::vector<std::string>& words, std::ostream& out) {
    const Args args(words, {});
    if (!args.Positional().empty()) {
        throw UsageError{"kvf config list takes no arguments"};
    }
    Registry registry(Registry::DefaultFileName());
    const TkvfConfigurations configurations = ReadConfigurations(registry);
    for (const std::string& name : configurations.Names) {
        out << (name == configurations.DefaultName ? "* " : "  ") << name << "\n";
    }
    return 0;
}

nlohmann::ordered_json settingsJson(TkvfSetup& setup) {
    nlohmann::ordered_json sections = nlohmann::ordered_json::object();
    for (const SettingInfo& info : SettingsTable()) {
        nlohmann::ordered_json value;
        std::visit([&](auto* member) { value = *member; }, info.Ref(setup));
        if (std::string_view(info.Section) == "PriceGroupNames") {
            sections[info.Section].push_back(value);
        } else {
            sections[info.Section][info.Key] = value;
        }
    }
    return sections;
}

int settingsDump(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {});
    if (!args.Positional().empty()) {
        throw UsageError{"kvf settings dump takes no arguments"};
    }
    SettingsRun run(err);
    if (!run.Start(args)) {
        return 1;
    }
    const TkvfPaths& paths = run.paths;
    nlohmann::ordered_json json;
    json["Loaded"] = run.setup->Loaded;
    json["Paths"] = {
        {"ConfigName", paths.ConfigName},     {"CatalogDir", paths.CatalogDir},
        {"SettingsFile", paths.SettingsFile}, {"ServerDir", paths.ServerDir},
        {"OrdersDir", paths.OrdersDir},       {"SelectionDir", paths.SelectionDir},
        {"RecycledDir", paths.RecycledDir},   {"ArchiveDir", paths.ArchiveDir},
        {"RegistryDir", paths.RegistryDir},   {"ExportDir", paths.ExportDir},
        {"ReportDir", paths.ReportDir},       {"TempDir", paths.TempDir},
        {"LastTempDir", run.lastTempDir},
    };
    json["Settings"] = settingsJson(*run.setup);
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return run.prompter.errors == 0 ? 0 : 1;
}

int settingsSet(const std::vector<std::string>& words, std::ostream& err) {
    const Args args(words, {});
    if (args.Positional().size() != 3) {
        throw UsageError{"kvf settings set wants SECTION KEY VALUE"};
    }
    const std::string& section = args.At(0, "SECTION");
    const std::string& key = args.At(1, "KEY");
    const SettingInfo* info = FindSetting(section, key);
    if (info == nullptr) {
        throw UsageError{"no setting " + section + "/" + key};
    }
    if (!info->Written) {
        err << "kvf settings: " << info->Section << "/" << info->Key
            << " is not written back by the program; edit the settings file instead\n";
        return 1;
    }
    SettingsRun run(err);
    if (!run.Start(args)) {
        return 1;
    }
    const std::string& value = args.At(2, "VALUE");
    if (const std::string refused = NonAnsiMessage(value); !refused.empty()) {
        throw KvfError(refused);
    }
    AssignSetting(*run.setup, *info, value);
    // What reading the settings reported about other keys is shown, but only
    // a failure to store this value fails the command.
    const int errorsBefore = run.prompter.errors;
    run.setup->Store(run.registry, run.prompter);
    return run.prompter.errors == errorsBefore ? 0 : 1;
}

} // namespace

int RunConfig(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    if (words.empty()) {
        throw UsageError{"add or list?"};
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "add") {
        return configAdd(rest);
    }
    if (words[0] == "list") {
        return configList(rest, out);
    }
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

int RunSettings(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        throw UsageError{"dump or set?"};
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "dump") {
        return settingsDump(rest, out, err);
    }
    if (words[0] == "set") {
        return settingsSet(rest, err);
    }
    throw UsageError{"unknown sub-command \"" + words[0] + "\""};
}

} // namespace kvf::cli
