#pragma once
// A fresh temporary folder for one test, made the home of the registry file:
// KORVENA_REGISTRY, HOME and XDG_CONFIG_HOME point into it, so no test ever
// touches the real user's settings. At the end the folder is removed with its
// contents and the three variables get their earlier values back.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvf::test {

class TempHome {
public:
    TempHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvf-config-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "KORVENA_REGISTRY"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("HOME", root_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ + "/.config").c_str(), 1);
        setenv("KORVENA_REGISTRY", RegistryFile().c_str(), 1);
    }
    ~TempHome() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& Root() const { return root_; }
    std::string RegistryFile() const { return root_ + "/registry.reg"; }
    std::string Path(const std::string& name) const { return root_ + "/" + name; }

private:
    std::string root_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace kvf::test
