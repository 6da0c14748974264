#pragma once
// TAppContext: what the windows of the desktop program share for one run.
// The start-up sequence builds it once the configuration and the settings
// exist, and passes it to the main window and the dialogs.

#include "ui/start_switches.h"

#include <string>

namespace kvf {

class Prompter;
class Registry;
class TChildFactory;
class TDM;
class TRecClipBoard;
class TkvfSetup;
struct TkvfPaths;

struct TAppContext {
    Prompter& prompter;
    Registry& registry;
    const TkvfPaths& Paths;
    TkvfSetup& Setup;
    TStartSwitches Switches;
    // The folder of the executable ("Korvena.lcu" lives there when the server folder is empty).
    std::string ExeFolder;
    // The catalog data module; nullptr when it could not be created.
    TDM* Dm = nullptr;
    TRecClipBoard* ClipBoard = nullptr;
    // The creator of order, registry and selection windows; nullptr until they exist.
    TChildFactory* Children = nullptr;
};

} // namespace kvf
