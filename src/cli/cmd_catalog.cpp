#include "cli/commands.h"

#include <ostream>

namespace kvf::cli {

int RunCatalog(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kvf catalog: not built yet\n";
    return 1;
}

} // namespace kvf::cli
