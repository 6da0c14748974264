#include "cli/commands.h"

#include <ostream>

namespace kvf::cli {

int RunOrderRecalc(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "kvf order recalc: not built yet\n";
    return 1;
}

} // namespace kvf::cli
