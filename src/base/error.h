#pragma once
// KvfError: the exception every model, catalog and engine operation raises.
// Its text is the complete message the user sees (UTF-8, CR LF breaks).

#include <stdexcept>
#include <string>

namespace kvf {

class KvfError : public std::runtime_error {
public:
    explicit KvfError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace kvf
