// Catalog formulas evaluated on a sash: its size names and side functions.

#include "base/error.h"
#include "model/construction.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

// A pair of 700 x 1400 and 500 x 1400 sashes with handles on the left sash's
// side 1 (1000 mm) and the right sash's side 3 (650 mm).
class SashFormula : public ::testing::Test {
protected:
    SashFormula() {
        construction.ConstrType = 0;
        construction.SetShape({1200, 1400, 2, 700, 500, 0, 0}, 0);
        construction.LeftFlugel.Lines[0]->HandleHeight = 1000;
        construction.RightFlugel.Lines[2]->HandleHeight = 650;
    }

    TkvfConstruction construction{nullptr};
};

TEST_F(SashFormula, NamesAndFunctions) {
    struct Case {
        const char* name;
        const char* formula;
        double value;
    };
    const Case cases[] = {
        {"width twice", "FFB*2", 1400},
        {"width plus one", "FB+1", 701},
        {"rebate width", "FRB", 700},
        {"height with Cyrillic EN", "FН", 1400},
        {"double-F height with Cyrillic EN", "FFН-100", 1300},
        {"rebate height is Latin", "FRH/2", 700},
        {"height with Latin H is no name", "FH", 0},
        {"double-F height with Latin H is no name", "FFH+5", 5},
        {"names are case-sensitive", "ffb", 0},
        {"unknown name", "XYZ+3", 3},
        {"side length", "FFL(1)", 1400},
        {"function names ignore case", "ffl(2)", 700},
        {"short side length", "FL(4)-FL(3)", -700},
        {"side beyond the last", "FFL(5)", 0},
        {"side zero", "FL(0)", 0},
        {"side number rounds half to even", "FFL(2.5)", 700},
        {"handle height", "FFG(1)", 1000},
        {"handle height of a side without handle", "FG(2)", 0},
        {"handle height on the other sash", "FFGA(3)", 650},
        {"other sash side beyond its last", "FGA(9)", 0},
        {"unknown function", "FOO(1)+1", 1},
        {"parentheses and precedence", "(FFB-100)*2+FFL(2)/7", 1300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(c.value, construction.LeftFlugel.Evaluate(c.formula));
    }
}

TEST_F(SashFormula, OtherSashSeesTheFirst) {
    EXPECT_DOUBLE_EQ(1000, construction.RightFlugel.Evaluate("FFGA(1)"));
    EXPECT_DOUBLE_EQ(500, construction.RightFlugel.Evaluate("FFB"));
}

TEST_F(SashFormula, MalformedFormulaRaises) {
    EXPECT_THROW(construction.LeftFlugel.Evaluate("FFB*"), KvfError);
    EXPECT_THROW(construction.LeftFlugel.Evaluate("(FFB"), KvfError);
}

TEST(SashFormulaAlone, SashWithoutPositionHasNoOtherSash) {
    TkvfFlugel sash(nullptr);
    EXPECT_DOUBLE_EQ(0, sash.Evaluate("FFGA(1)+FFB+FFL(1)"));
}

TEST(SashFormulaAlone, SlopingSideLength) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({1000, 800, 5, 0, 0, 0, 0}, 0);
    EXPECT_NEAR(1280.6248, construction.LeftFlugel.Evaluate("FFL(1)"), 1e-3);
}

} // namespace
} // namespace kvf
