#include "cli/cli_prompter.h"

#include <ostream>

namespace kvf::cli {

void CliPrompter::say(const std::string& text) {
    // Messages keep their CR LF breaks in the model; a terminal wants LF.
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (c != '\r') {
            line += c;
        }
    }
    err_ << line << "\n";
}

void CliPrompter::Warning(const std::string& text) {
    say(text);
}
void CliPrompter::Error(const std::string& text) {
    say(text);
}
void CliPrompter::Information(const std::string& text) {
    say(text);
}

bool CliPrompter::Confirm(const std::string& text) {
    say(text);
    return yes_;
}

bool CliPrompter::ContinueOrAbort(const std::string& text) {
    say(text);
    return yes_;
}

int CliPrompter::TwoButton(const std::string&, const std::string& text, const std::string&,
                           const std::string&) {
    say(text);
    return yes_ ? 1 : 0;
}

YesNoCancelAnswer CliPrompter::YesNoCancel(const std::string& text) {
    say(text);
    return yes_ ? YesNoCancelAnswer::Yes : YesNoCancelAnswer::Cancel;
}

std::optional<std::string> CliPrompter::InputText(const std::string&, const std::string& prompt,
                                                  const std::string& initial) {
    say(prompt);
    if (yes_) {
        return initial;
    }
    return std::nullopt;
}

int CliPrompter::ChooseRow(const ChoiceList& list) {
    return list.Rows.empty() ? -1 : 0;
}

} // namespace kvf::cli
