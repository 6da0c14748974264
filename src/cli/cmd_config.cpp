#include "cli/commands.h"

#include <ostream>

namespace kvf::cli {

int RunConfig(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kvf config: not built yet\n";
    return 1;
}

int RunSettings(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kvf settings: not built yet\n";
    return 1;
}

} // namespace kvf::cli
