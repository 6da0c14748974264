#pragma once
// The start-up of a command that works on a configuration: the configuration
// (--config NAME, else the default one, else the first) with its folders and
// the settings object, made exactly as the program's start-up makes them.
// Unlike a run of the program it leaves no temporary folder behind: the run's
// temporary folder is removed again when the command ends, and
// "KVFLastTempDir" is neither read for deletion nor written.

#include "cli/cli_prompter.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace kvf::cli {

class Args;

// The list choice takes the preselected row (the default configuration), and
// every error box is counted so that the command can fail on it.
class SettingsPrompter : public CliPrompter {
public:
    explicit SettingsPrompter(std::ostream& err, bool yes = false) : CliPrompter(err, yes) {}
    void Error(const std::string& text) override {
        ++errors;
        CliPrompter::Error(text);
    }
    int ChooseRow(const ChoiceList& list) override { return list.Rows.empty() ? -1 : list.Initial; }

    int errors = 0;
};

// The run's temporary folder goes when the command ends, whichever way.
struct TempFolderGuard {
    const TkvfPaths& paths;
    ~TempFolderGuard();
};

// One start-up as far as the settings object, and what it needs alive until
// the command ends.
struct SettingsRun {
    // `yes` answers the questions of the command's operations OK/Yes.
    explicit SettingsRun(std::ostream& err, bool yes = false) : prompter(err, yes) {}
    // False (its messages shown) when no configuration could be chosen or the
    // settings file is missing.
    bool Start(const Args& args);

    Registry registry{Registry::DefaultFileName()};
    SettingsPrompter prompter;
    TkvfPaths paths;
    TempFolderGuard guard{paths};
    std::string lastTempDir;
    std::optional<TkvfSetup> setup;
};

} // namespace kvf::cli
