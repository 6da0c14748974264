#pragma once
// TKorvenaApp: one run of the desktop program, from the command-line switches
// to the stored settings. Start runs the start-up sequence up to the message
// loop; Run is the message loop; Finish stores the settings and this run's
// temporary folder. Tests drive Start and Finish around their own events.

#include "config/paths.h"
#include "ui/start_switches.h"

#include <QString>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace kvf {

class Prompter;
class Registry;
class TChildFactory;
class TDM;
class TMainForm;
class TRecClipBoard;
class TkvfSetup;
struct TAppContext;

class TKorvenaApp {
public:
    // args as given to main (args[0] the program); exeFolder: the folder of the executable;
    // children: the creator of child windows, the program's own when nullptr.
    TKorvenaApp(Prompter& prompter, std::vector<std::string> args, std::string exeFolder,
                TChildFactory* children = nullptr);
    ~TKorvenaApp();
    TKorvenaApp(const TKorvenaApp&) = delete;
    TKorvenaApp& operator=(const TKorvenaApp&) = delete;

    // The start-up sequence. False when the program is to end now (no
    // configuration chosen, no settings file, an error outside the windows'
    // creation); the messages have been shown.
    bool Start();
    // The message loop until the main window closes, then Finish. The exit status.
    int Run();
    // Frees the main window (it closes the databases and keeps its state), stores
    // the settings and records this run's temporary folder for the next start.
    void Finish();

    const TStartSwitches& Switches() const { return switches_; }
    const TkvfPaths& Paths() const { return paths_; }
    Registry& GetRegistry() { return *registry_; }
    TkvfSetup* Setup() const { return setup_.get(); }
    TDM* Dm() const { return dm_.get(); }
    TMainForm* MainForm() const { return mainForm_.get(); }

    // Chooses one of the configuration names (the initial one preselected);
    // empty when cancelled. Shows TConfigListDlg unless replaced.
    std::function<std::string(const std::vector<std::string>& names, const std::string& initial)>
        ChooseConfigurationName;
    // Called at each step of the splash (progress 0..100 and the status text).
    std::function<void(int progress, const QString& status)> OnSplashProgress;

private:
    bool chooseConfiguration();
    void createWindows();

    Prompter& prompter_;
    std::vector<std::string> args_;
    std::string exeFolder_;
    TChildFactory* children_;
    std::unique_ptr<TChildFactory> ownChildren_;
    TStartSwitches switches_;
    std::mt19937 random_;
    std::unique_ptr<Registry> registry_;
    TkvfPaths paths_;
    std::unique_ptr<TkvfSetup> setup_;
    std::unique_ptr<TDM> dm_;
    std::unique_ptr<TRecClipBoard> clipBoard_;
    std::unique_ptr<TAppContext> context_;
    std::unique_ptr<TMainForm> mainForm_;
    bool finished_ = false;
};

} // namespace kvf
