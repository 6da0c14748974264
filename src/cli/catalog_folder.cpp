#include "cli/catalog_folder.h"

#include "base/error.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"

#include <filesystem>
#include <ostream>

namespace kvf::cli {

std::string DefaultCatalogFolder() {
    Registry registry(Registry::DefaultFileName());
    const std::string name = ReadConfigurations(registry).Preset();
    if (name.empty() || !registry.OpenKey(ConfigurationsKey + "\\" + name, false))
        return "";
    return StoredFolder(registry.ReadString("KVFCatalogDir"));
}

bool OpenCatalogFolder(const std::optional<std::string>& option, TDM& dm, Prompter& prompter,
                       std::ostream& err) {
    const std::string folder = option && !option->empty() ? *option : DefaultCatalogFolder();
    if (folder.empty()) {
        err << "no catalog folder: give --catalog DIR or add a default configuration (kvf config add)\n";
        return false;
    }
    // Opening never creates a catalog: an empty one would pass every check.
    const std::filesystem::path file =
        std::filesystem::path(folder) / DatabaseFileName(DatabaseKind::Catalog);
    if (!std::filesystem::is_regular_file(file)) {
        err << "no catalog in " << folder << ": " << file.filename().string()
            << " is missing (a Paradox catalog is imported with kvf catalog import)\n";
        return false;
    }
    try {
        dm.DB_Catalog.Open(folder);
    } catch (const KvfError& e) {
        err << e.what() << "\n";
        return false;
    }
    return dm.OpenCatalogTables(prompter);
}

} // namespace kvf::cli
