#pragma once
// Runs a `kvf` command line in the test process and keeps what it printed.

#include "cli/commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace kvf::cli {

struct Result {
    int status;
    std::string out;
    std::string err;
};

inline Result run(const std::vector<std::string>& words) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Run(words, out, err);
    return {status, out.str(), err.str()};
}

} // namespace kvf::cli
