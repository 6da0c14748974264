#pragma once
// TkvfPaths: the database configuration chosen at start-up and every folder
// derived from it. Configurations are the subkeys of ConfigurationsKey in the
// per-user registry; each names its catalog, server, report and temporary base
// folders. Folder values are trimmed and lose one trailing "\" or "/"; derived
// folders are joined with "/". A value written on Windows ("C:\...") is used
// as it stands. When the server folder is empty, the folders under it are
// empty too (never "/Orders" at the root of the disk).

#include <random>
#include <string>
#include <vector>

namespace kvf {

class Prompter;
class Registry;

inline const std::string SettingsKey = "\\SoftWare\\Nordel\\Korvena\\Furniture380";
inline const std::string ConfigurationsKey = "\\SoftWare\\Nordel\\Korvena\\Furniture380\\DBConfig\\Belvarek";
inline const std::string SettingsFileName = "KVFurniture.ini";

struct TkvfPaths {
    std::string ConfigName;
    std::string CatalogDir;
    std::string SettingsFile; // CatalogDir + "/KVFurniture.ini"
    std::string ServerDir;
    std::string OrdersDir;    // ServerDir + "/Orders"
    std::string SelectionDir; // ServerDir + "/Selection"
    std::string RecycledDir;  // ServerDir + "/Recycled"
    std::string ArchiveDir;   // ServerDir + "/Archive"
    std::string RegistryDir;  // ServerDir + "/Registry"
    std::string ExportDir;    // ServerDir + "/Export"
    std::string ReportDir;
    std::string TempDir;     // the temporary folder of this run
    std::string LastTempDir; // read at start-up; this run's folder once a configuration is chosen

    void Clear();

    // Reads "KVFLastTempDir" (the key is created when missing); a failure is
    // shown with the error text alone and leaves the name empty.
    void ReadLastTempDir(Registry& registry, Prompter& prompter);

    // Deletes the last run's temporary folder with its contents. Only a folder
    // whose name is a run number (decimal digits) is deleted, so a damaged
    // registry value can never remove anything else. False after a failure,
    // which is shown as the error text, CR LF and the folder.
    bool DeleteLastTempDir(Prompter& prompter) const;

    // Lets the user choose a configuration (a list whose initial row is
    // "DefaultConfig" or the first one) and derives every folder. False after
    // Cancel (no message) or a failure (its message shown).
    bool ChooseConfiguration(Registry& registry, Prompter& prompter, const std::string& defaultTempBase,
                             std::mt19937& random);

    // Opens the configuration `name` and derives every folder, makes this run's
    // temporary folder (inside "KVFTempDir", or `defaultTempBase` when that is
    // empty: DefaultTempBase() in the programs) under a number not in use yet.
    // False after a failure, its message shown.
    bool OpenConfiguration(const std::string& name, Registry& registry, Prompter& prompter,
                           const std::string& defaultTempBase, std::mt19937& random);

    // Writes "KVFLastTempDir" with this run's temporary folder (the key is
    // created when missing); a failure is shown with the error text alone.
    void StoreLastTempDir(Registry& registry, Prompter& prompter) const;
};

// The configuration names in registry order; empty when the key is missing.
// Raises KvfError when the registry cannot be read.
std::vector<std::string> ConfigurationNames(Registry& registry);

// The configurations with the "DefaultConfig" value of their key.
struct TkvfConfigurations {
    std::vector<std::string> Names;
    std::string DefaultName;

    // The row offered first: DefaultName when it is one of Names, else 0; -1 when there are none.
    int PresetIndex() const;
    // The name of that row; empty when there are none.
    std::string Preset() const;
};

// Raises KvfError when the registry cannot be read.
TkvfConfigurations ReadConfigurations(Registry& registry);

// "KVFCatalogDir" and the others: trimmed, one trailing "\" or "/" removed.
std::string StoredFolder(const std::string& value);

// The base of the temporary folders when "KVFTempDir" is empty: a folder of
// this user's own, "korvena-USER" in $XDG_RUNTIME_DIR or else in the system's
// temporary folder. Never the program's folder, which the user may not be
// allowed to write and which every user of the installation shares.
std::string DefaultTempBase();

} // namespace kvf
