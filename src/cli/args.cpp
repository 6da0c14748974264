#include "cli/args.h"

#include "base/number_format.h"

#include <optional>

namespace kvf::cli {

Args::Args(std::vector<std::string> words, std::set<std::string> switches) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 2 && word.rfind("--", 0) == 0) {
            std::string name = word.substr(2);
            if (switches.count(name)) {
                switchesGiven_.insert(name);
            } else if (i + 1 < words.size()) {
                options_.emplace_back(name, words[++i]);
            } else {
                throw UsageError{"option --" + name + " needs a value"};
            }
        } else {
            positional_.push_back(word);
        }
    }
}

const std::string& Args::At(size_t index, const char* what) const {
    if (index >= positional_.size()) {
        throw UsageError{std::string("missing ") + what};
    }
    return positional_[index];
}

std::optional<std::string> Args::Option(const std::string& name) const {
    std::optional<std::string> value;
    for (const auto& [key, text] : options_) {
        if (key == name) {
            value = text;
        }
    }
    return value;
}

std::string Args::OptionOr(const std::string& name, const std::string& fallback) const {
    return Option(name).value_or(fallback);
}

std::optional<long long> Args::IntOption(const std::string& name) const {
    auto text = Option(name);
    if (!text) {
        return std::nullopt;
    }
    const std::optional<long long> value = ParseInteger(*text);
    if (!value) {
        throw UsageError{"--" + name + " wants a whole number, not \"" + *text + "\""};
    }
    return value;
}

std::optional<double> Args::NumberOption(const std::string& name) const {
    auto text = Option(name);
    if (!text) {
        return std::nullopt;
    }
    const std::optional<double> value = ParseDecimal(*text);
    if (!value) {
        throw UsageError{"--" + name + " wants a number, not \"" + *text + "\""};
    }
    return value;
}

bool Args::Switch(const std::string& name) const {
    return switchesGiven_.count(name) > 0;
}

} // namespace kvf::cli
