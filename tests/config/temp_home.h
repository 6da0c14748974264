#pragma once
// A fresh temporary folder for one test, made the home of the registry file:
// KORVENA_REGISTRY, HOME and XDG_CONFIG_HOME point into it, so no test ever
// touches the real user's settings. Removed with its contents at the end.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kvf::test {

class TempHome {
public:
    TempHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvf-config-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        setenv("HOME", root_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ + "/.config").c_str(), 1);
        setenv("KORVENA_REGISTRY", RegistryFile().c_str(), 1);
    }
    ~TempHome() {
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
};

} // namespace kvf::test
