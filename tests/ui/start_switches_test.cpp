#include "ui/start_switches.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(StartSwitchesTest, SwitchesMatchAsUpperCaseSubstringsOfTheParameters) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool developer;
        bool presentation;
    };
    const Case cases[] = {
        {"none", {"korvena"}, false, true},
        {"developer lower case", {"korvena", "/developer"}, true, true},
        {"developer mixed case", {"korvena", "/DeVeLoPeR"}, true, true},
        {"no presentation upper case", {"korvena", "/NOPRESENTATION"}, false, false},
        {"longer parameter containing the switch", {"korvena", "x/nopresentationy"}, false, false},
        {"long forms", {"korvena", "--Developer", "--NOPRESENTATION"}, true, false},
        {"both in one parameter", {"korvena", "/developer/nopresentation"}, true, false},
        {"program name is not a parameter", {"/developer/nopresentation"}, false, true},
        {"other parameters ignored", {"korvena", "order.kfo370", "developer"}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStartSwitches switches = ReadStartSwitches(c.args);
        EXPECT_EQ(c.developer, switches.DeveloperMode);
        EXPECT_EQ(c.presentation, switches.PresentationEnabled);
    }
}

} // namespace
} // namespace kvf
