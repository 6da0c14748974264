#include "ui/start_switches.h"

#include "base/text.h"

namespace kvf {

namespace {

bool hasSwitch(const std::vector<std::string>& args, std::initializer_list<const char*> forms) {
    for (size_t i = 1; i < args.size(); ++i) {
        std::string parameter = AnsiUpperCase(args[i]);
        for (const char* form : forms) {
            if (parameter.find(AnsiUpperCase(form)) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TStartSwitches ReadStartSwitches(const std::vector<std::string>& args) {
    TStartSwitches switches;
    switches.DeveloperMode = hasSwitch(args, {"/developer", "--developer"});
    switches.PresentationEnabled = !hasSwitch(args, {"/nopresentation", "--nopresentation"});
    return switches;
}

} // namespace kvf
