#include "config/paths.h"

#include "base/error.h"
#include "base/prompter.h"
#include "base/system_error_text.h"
#include "base/text.h"
#include "config/registry.h"

#include <algorithm>
#include <filesystem>

namespace kvf {

namespace fs = std::filesystem;

namespace {

const char* const lastTempDirValue = "KVFLastTempDir";
const int runNumberLimit = 1000000;

std::string under(const std::string& folder, const char* leaf) {
    return folder.empty() ? std::string() : folder + "/" + leaf;
}

bool isRunNumber(const std::string& name) {
    return !name.empty() && name.size() <= 6 &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string StoredFolder(const std::string& value) {
    std::string folder = Trim(value);
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return folder;
}

std::vector<std::string> ConfigurationNames(Registry& registry) {
    if (!registry.OpenKey(ConfigurationsKey, false)) {
        return {};
    }
    return registry.GetKeyNames();
}

TkvfConfigurations ReadConfigurations(Registry& registry) {
    TkvfConfigurations list;
    list.Names = ConfigurationNames(registry);
    if (!list.Names.empty()) {
        list.DefaultName = registry.ReadString("DefaultConfig");
    }
    return list;
}

int TkvfConfigurations::PresetIndex() const {
    if (Names.empty()) {
        return -1;
    }
    auto preset = std::find(Names.begin(), Names.end(), DefaultName);
    return preset == Names.end() ? 0 : static_cast<int>(preset - Names.begin());
}

std::string TkvfConfigurations::Preset() const {
    const int index = PresetIndex();
    return index < 0 ? std::string() : Names[static_cast<size_t>(index)];
}

void TkvfPaths::Clear() {
    *this = TkvfPaths();
}

void TkvfPaths::ReadLastTempDir(Registry& registry, Prompter& prompter) {
    LastTempDir.clear();
    try {
        registry.OpenKey(ConfigurationsKey, true);
        LastTempDir = registry.ReadString(lastTempDirValue);
    } catch (const std::exception& e) {
        prompter.Error(e.what());
    }
}

bool TkvfPaths::DeleteLastTempDir(Prompter& prompter) const {
    std::error_code error;
    if (LastTempDir.empty() || !fs::exists(LastTempDir, error)) {
        return true;
    }
    fs::path folder = fs::path(LastTempDir);
    if (!folder.has_filename()) {
        folder = folder.parent_path();
    }
    if (!isRunNumber(folder.filename().string())) {
        prompter.Error("Папка не похожа на временную папку программы и не удалена\r\n" + LastTempDir);
        return false;
    }
    fs::remove_all(folder, error);
    if (error) {
        prompter.Error(SystemErrorText(error) + "\r\n" + LastTempDir);
        return false;
    }
    return true;
}

bool TkvfPaths::ChooseConfiguration(Registry& registry, Prompter& prompter, const std::string& programDir,
                                    std::mt19937& random) {
    Clear();
    TkvfConfigurations configurations;
    try {
        configurations = ReadConfigurations(registry);
    } catch (const std::exception& e) {
        prompter.Error(std::string("Ошибка чтения системного реестра!\r\n(") + e.what() + ")");
        return false;
    }
    const std::vector<std::string>& names = configurations.Names;
    if (names.empty()) {
        prompter.Error(
            "В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!");
        return false;
    }
    ChoiceList list;
    list.Caption = "Конфигурация";
    list.Message = "Конфигурация";
    list.Columns = {"Конфигурация"};
    for (const std::string& name : names) {
        list.Rows.push_back({name});
    }
    list.Initial = configurations.PresetIndex();
    const int row = prompter.ChooseRow(list);
    if (row < 0 || row >= static_cast<int>(names.size())) {
        return false;
    }
    return OpenConfiguration(names[static_cast<size_t>(row)], registry, prompter, programDir, random);
}

bool TkvfPaths::OpenConfiguration(const std::string& name, Registry& registry, Prompter& prompter,
                                  const std::string& programDir, std::mt19937& random) {
    Clear();
    try {
        const std::vector<std::string> names = ConfigurationNames(registry);
        auto stored =
            std::find_if(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); });
        if (stored == names.end() || !registry.OpenKey(ConfigurationsKey + "\\" + *stored, false)) {
            prompter.Error("Ошибка открытия конфигурации " + name +
                           "!\r\nУказанная конфигурация не числиться в списке.");
            return false;
        }
        ConfigName = *stored;
        CatalogDir = StoredFolder(registry.ReadString("KVFCatalogDir"));
        ServerDir = StoredFolder(registry.ReadString("KVFServerName"));
        ReportDir = StoredFolder(registry.ReadString("KVFReportDir"));
        std::string tempBase = StoredFolder(registry.ReadString("KVFTempDir"));
        if (tempBase.empty()) {
            tempBase = programDir;
        }
        SettingsFile = under(CatalogDir, SettingsFileName.c_str());
        OrdersDir = under(ServerDir, "Orders");
        SelectionDir = under(ServerDir, "Selection");
        RecycledDir = under(ServerDir, "Recycled");
        ArchiveDir = under(ServerDir, "Archive");
        RegistryDir = under(ServerDir, "Registry");
        ExportDir = under(ServerDir, "Export");

        // A number in use belongs to another running copy, whose folder the
        // next start would otherwise delete under it.
        std::uniform_int_distribution<int> number(0, runNumberLimit - 1);
        std::string folder;
        for (int attempt = 0; attempt < 100 && (folder.empty() || fs::exists(folder)); ++attempt) {
            folder = tempBase + "/" + std::to_string(number(random));
        }
        if (fs::exists(folder)) {
            throw KvfError("Не удается выбрать новую временную папку в " + tempBase);
        }
        fs::create_directories(folder);
        TempDir = folder;
        LastTempDir = folder;
        return true;
    } catch (const std::exception& e) {
        std::string message = e.what();
        Clear();
        prompter.Error("Ошибка чтения системного реестра!\r\n(" + message + ")");
        return false;
    }
}

void TkvfPaths::StoreLastTempDir(Registry& registry, Prompter& prompter) const {
    try {
        registry.OpenKey(ConfigurationsKey, true);
        registry.WriteString(lastTempDirValue, TempDir);
    } catch (const std::exception& e) {
        prompter.Error(e.what());
    }
}

} // namespace kvf
