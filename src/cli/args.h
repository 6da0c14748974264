#pragma once
// The words of one command: positional arguments, "--name value" options and
// "--name" switches. Which names are switches is told by the command.

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kvf::cli {

class Args {
public:
    Args(std::vector<std::string> words, std::set<std::string> switches);

    const std::vector<std::string>& Positional() const { return positional_; }
    // The positional argument at `index`; raises a usage error when absent.
    const std::string& At(size_t index, const char* what) const;
    std::optional<std::string> Option(const std::string& name) const;
    std::string OptionOr(const std::string& name, const std::string& fallback) const;
    // A numeric option; raises a usage error when present but not a number.
    std::optional<long long> IntOption(const std::string& name) const;
    std::optional<double> NumberOption(const std::string& name) const;
    bool Switch(const std::string& name) const;

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> options_;
    std::set<std::string> switchesGiven_;
};

// A mistake in the command's words: printed with the usage line, exit status 2.
struct UsageError {
    std::string message;
};

} // namespace kvf::cli
