#include "cli/settings_run.h"

#include "cli/args.h"

#include <chrono>
#include <filesystem>
#include <random>

namespace kvf::cli {

namespace fs = std::filesystem;

namespace {

std::string programFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path().string() : exe.parent_path().string();
}

} // namespace

TempFolderGuard::~TempFolderGuard() {
    std::error_code error;
    if (!paths.TempDir.empty()) {
        fs::remove_all(paths.TempDir, error);
    }
}

bool SettingsRun::Start(const Args& args) {
    if (registry.KeyExists(ConfigurationsKey)) {
        registry.OpenKey(ConfigurationsKey, false);
        lastTempDir = registry.ReadString("KVFLastTempDir");
    }
    std::mt19937 random(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device()()));
    const std::optional<std::string> name = args.Option("config");
    const bool chosen = name ? paths.OpenConfiguration(*name, registry, prompter, programFolder(), random)
                             : paths.ChooseConfiguration(registry, prompter, programFolder(), random);
    if (!chosen) {
        return false;
    }
    setup.emplace(paths, registry, prompter);
    if (!setup->Loaded) {
        prompter.Warning(
            "Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!");
        return false;
    }
    return true;
}

} // namespace kvf::cli
