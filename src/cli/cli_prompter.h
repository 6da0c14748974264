#pragma once
// The prompter of the command-line tool: messages go to the error stream,
// questions are answered Cancel/No unless --yes was given, a list choice takes
// its first row.

#include "base/prompter.h"

#include <iosfwd>

namespace kvf::cli {

class CliPrompter : public Prompter {
public:
    CliPrompter(std::ostream& err, bool yes) : err_(err), yes_(yes) {}

    void Warning(const std::string& text) override;
    void Error(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool ContinueOrAbort(const std::string& text) override;
    int TwoButton(const std::string& caption, const std::string& text, const std::string& first,
                  const std::string& second) override;
    YesNoCancelAnswer YesNoCancel(const std::string& text) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    int ChooseRow(const ChoiceList& list) override;
    void SetBusy(BusyKind) override {}
    void RestoreCursor() override {}

private:
    void say(const std::string& text);

    std::ostream& err_;
    bool yes_;
};

} // namespace kvf::cli
