#pragma once
// The two command-line switches. Each switch text is upper-cased and looked
// for as a substring of every upper-cased parameter after the program name,
// so "/DEVELOPER", "/developer" and "x/developer" all count. The long forms
// "--developer" and "--nopresentation" are accepted the same way.

#include <string>
#include <vector>

namespace kvf {

struct TStartSwitches {
    bool DeveloperMode = false;
    bool PresentationEnabled = true;
};

// args[0] is the program and is not looked at.
TStartSwitches ReadStartSwitches(const std::vector<std::string>& args);

} // namespace kvf
