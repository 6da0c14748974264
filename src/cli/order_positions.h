#pragma once
// The order a command explains or compares, with its optional --pos NO.

#include <iosfwd>
#include <optional>
#include <string>

namespace kvf {
class Prompter;
class TkvfOrder;
} // namespace kvf

namespace kvf::cli {

// Loads FILE into order; false when it cannot be read (the load message shown)
// or when pos names no position of it (told on `err`).
bool LoadOrderAtPosition(const std::string& file, const std::optional<std::string>& pos, TkvfOrder& order,
                         Prompter& prompter, std::ostream& err);

} // namespace kvf::cli
