#include "cli/commands.h"

#include <ostream>

namespace kvf::cli {

int RunShape(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kvf shape: not built yet\n";
    return 1;
}

int RunEval(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kvf eval: not built yet\n";
    return 1;
}

} // namespace kvf::cli
