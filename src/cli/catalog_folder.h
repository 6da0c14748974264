#pragma once
// The catalog folder a command works on: --catalog DIR, else the catalog
// folder of the default database configuration.

#include <iosfwd>
#include <optional>
#include <string>

namespace kvf {
class Prompter;
class TDM;
} // namespace kvf

namespace kvf::cli {

// The catalog folder of the configuration offered first ("DefaultConfig", else
// the first one); empty when the registry names none.
std::string DefaultCatalogFolder();

// Opens the catalog tables of --catalog DIR, else of the default configuration's
// catalog folder; never creates a catalog. False after a failure, told on `err`.
bool OpenCatalogFolder(const std::optional<std::string>& option, TDM& dm, Prompter& prompter,
                       std::ostream& err);

} // namespace kvf::cli
