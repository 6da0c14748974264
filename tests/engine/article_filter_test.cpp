#include "engine/article_filter.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

ArticleRequest request(int condition) {
    ArticleRequest r;
    r.ElementID = "EL1";
    r.ComplectName = "Комплект";
    r.Principle.Condition = condition;
    r.Principle.FFB = 70;
    r.Principle.FFH = 141;
    r.Principle.L1 = 812.5;
    r.Principle.L2 = 700.49;
    r.Principle.A = 45.125;
    r.Principle.R1 = 725;
    r.Principle.R2 = 1500;
    return r;
}

TEST(ArticleFilter, PrincipleTerms) {
    struct Case {
        const char* name;
        int condition;
        const char* text;
        double basis;
    } cases[] = {
        {"0 none", 0, "ID='EL1' ", 0},
        {"1 width", 1, "FFBMin <= 70 and FFBMax >= 70 and ID='EL1' ", 70},
        {"2 height", 2, "FFHMin <= 141 and FFHMax >= 141 and ID='EL1' ", 141},
        {"3 width and height", 3,
         "FFBMin <= 70 and FFBMax >= 70 and FFHMin <= 141 and FFHMax >= 141 and ID='EL1' ", 0},
        {"4 side 1, half rounds up", 4, "FFL1Min <= 813 and FFL1Max >= 813 and ID='EL1' ", 812.5},
        {"5 side 2, below half rounds down", 5, "FFL2Min <= 700 and FFL2Max >= 700 and ID='EL1' ", 700.49},
        {"6 both sides", 6,
         "FFL1Min <= 813 and FFL1Max >= 813 and FFL2Min <= 700 and FFL2Max >= 700 and ID='EL1' ", 812.5},
        {"7 angle", 7, "FFAMin <= 45.13 and FFAMax >= 45.13 and ID='EL1' ", 0},
        {"8 radius 1", 8, "FFR1Min <= 725 and FFR1Max >= 725 and ID='EL1' ", 0},
        {"9 radius 2", 9, "FFR2Min <= 1500 and FFR2Max >= 1500 and ID='EL1' ", 0},
        {"10 both radii", 10,
         "FFR1Min <= 725 and FFR1Max >= 725 and FFR2Min <= 1500 and FFR2Max >= 1500 and ID='EL1' ", 0},
        {"11 unknown", 11, "ID='EL1' ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArticleFilter f = BuildArticleFilter({}, request(c.condition));
        EXPECT_EQ(c.text, f.Text);
        EXPECT_EQ("", f.Fallback);
        EXPECT_DOUBLE_EQ(c.basis, f.Basis);
    }
    ArticleRequest r = request(4);
    r.Principle.L1 = 812.49f;
    EXPECT_EQ("FFL1Min <= 812 and FFL1Max >= 812 and ID='EL1' ", BuildArticleFilter({}, r).Text);
}

ArticleRequest switchRequest() {
    ArticleRequest r = request(0);
    r.Params.FalzLuft = 12;
    r.Params.FalzSize = 20;
    r.Params.FalzPos = 9;
    r.Params.DornMass = 15;
    r.Params.Thickness = 68.5f;
    r.ProfWidthValue = 100;
    r.Weight = 0;
    r.ProfSys = "SP1";
    r.StulpType = 6;
    r.Direction = 1;
    r.Color = "RAL9016";
    return r;
}

// Each switch alone (first form) and after the principle term (second form).
TEST(ArticleFilter, SwitchTermsInBothForms) {
    struct Case {
        const char* name;
        ArticleSwitches switches;
        const char* term; // first form; the second form is checked after a principle term
        const char* second;
    } cases[] = {
        {"FalzLuft", {.HasFalzLuft = true}, "FalzLuft = 12 ", "and FalzLuft = 12 "},
        {"FalzSize", {.HasFalzSize = true}, "FalzSize = 20 ", "and FalzSize = 20 "},
        {"FalzPos", {.HasFalzPos = true}, "FalzPos = 9 ", "and FalzPos = 9 "},
        {"weight has two blanks",
         {.CheckWeight = true},
         "WeightMin <= 0.00 and  WeightMax >= 0.00 ",
         "and WeightMin <= 0.00 and  WeightMax >= 0.00 "},
        {"dorn mass",
         {.HasDornMass = true},
         "DornMassMin <= 15.00 and DornMassMax >= 15.00 ",
         "and DornMassMin <= 15.00 and DornMassMax >= 15.00 "},
        {"thickness rounds half away, second form starts with a blank",
         {.CheckThickness = true},
         "ThicknessMin <= 69 and ThicknessMax >= 69 ",
         " and ThicknessMin <= 69 and ThicknessMax >= 69 "},
        {"profile width",
         {.CheckProfWidth = true},
         "ProfWidthMin <= 100 and ProfWidthMax >= 100 ",
         " and ProfWidthMin <= 100 and ProfWidthMax >= 100 "},
        {"strike-plate system", {.HasProfSys = true}, "ProfSys = 'SP1' ", "and ProfSys = 'SP1' "},
        {"double-sash type", {.CheckStulpType = true}, "StulpType = 6 ", "and StulpType = 6 "},
        {"direction",
         {.CheckDirect = true},
         "(Direct = 3 or Direct = 1) ",
         "and (Direct = 3 or Direct = 1) "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArticleRequest r = switchRequest();
        EXPECT_EQ(std::string(c.term) + "and ID='EL1' ", BuildArticleFilter(c.switches, r).Text);
        r.Principle.Condition = 1;
        EXPECT_EQ(std::string("FFBMin <= 70 and FFBMax >= 70 ") + c.second + "and ID='EL1' ",
                  BuildArticleFilter(c.switches, r).Text);
    }
}

TEST(ArticleFilter, AllSwitchesInOrderWithColourAndFallback) {
    ArticleSwitches all{true, true, true, true, true, true, true, true, true, true, true};
    ArticleRequest r = switchRequest();
    r.Principle.Condition = 2;
    ArticleFilter f = BuildArticleFilter(all, r);
    const std::string body =
        "FFHMin <= 141 and FFHMax >= 141 and FalzLuft = 12 and FalzSize = 20 and FalzPos = 9 "
        "and WeightMin <= 0.00 and  WeightMax >= 0.00 "
        "and DornMassMin <= 15.00 and DornMassMax >= 15.00 "
        " and ThicknessMin <= 69 and ThicknessMax >= 69 "
        " and ProfWidthMin <= 100 and ProfWidthMax >= 100 "
        "and ProfSys = 'SP1' and StulpType = 6 and (Direct = 3 or Direct = 1) and ID='EL1' ";
    EXPECT_EQ(body + "and Color = 'RAL9016' ", f.Text);
    EXPECT_EQ(body + "and Color = '' ", f.Fallback);
}

TEST(ArticleFilter, ColourOnlyAndEmptyColour) {
    ArticleRequest r = switchRequest();
    r.Color = "";
    ArticleFilter f = BuildArticleFilter({.HasColor = true}, r);
    EXPECT_EQ("ID='EL1' and Color = '' ", f.Text);
    EXPECT_EQ("ID='EL1' and Color = '' ", f.Fallback);
}

TEST(ArticleFilter, QuoteInsideATextValueIsDoubled) {
    ArticleRequest r = switchRequest();
    r.ElementID = "A'B";
    r.Color = "x'";
    EXPECT_EQ("ID='A''B' and Color = 'x''' ", BuildArticleFilter({.HasColor = true}, r).Text);
}

TEST(ArticleFilter, MissingStrikePlateSystemRaises) {
    ArticleRequest r = switchRequest();
    r.ProfSys = "";
    r.ComplectName = "Подбор ответных планок";
    try {
        BuildArticleFilter({.HasProfSys = true}, r);
        FAIL() << "no error";
    } catch (const KvfError& e) {
        EXPECT_EQ(
            std::string("Для комплекта фурнитуры [Подбор ответных планок]\r\nне указана система ответных "
                        "планок!"),
            e.what());
    }
}

} // namespace
} // namespace kvf
