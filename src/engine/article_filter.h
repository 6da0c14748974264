#pragma once
// The filter text with which an element's articles are searched in FrnArt:
// the calculation principle's term, the terms of the element's switches, the
// element itself and, for a coloured element, the colour (with a colourless
// fallback text). Numbers are written with a full stop; "%.0f" and "%.2f"
// round halves away from zero.

#include <string>

namespace kvf {

// The sash's fitting parameters, prepared once per composition.
struct FittingParams {
    float ProfWidth = 0;
    float Thickness = 0;
    int FalzLuft = 0;
    int FalzSize = 0;
    int FalzPos = 0;
    double DornMass = 0;
    int OpenType = 0;
};

// The element's switches (FrnItem fields equal to 1).
struct ArticleSwitches {
    bool HasFalzLuft = false;
    bool HasFalzSize = false;
    bool HasFalzPos = false;
    bool CheckWeight = false;
    bool HasDornMass = false;
    bool CheckThickness = false;
    bool CheckProfWidth = false;
    bool HasProfSys = false;
    bool CheckStulpType = false;
    bool CheckDirect = false;
    bool HasColor = false;
};

// The calculation principle (0 to 10) and the values it refers to.
struct PrincipleValues {
    int Condition = 0;
    double A = 0;  // corner angle, degrees
    double R1 = 0; // radii, millimetres
    double R2 = 0;
    double L1 = 0; // side lengths, millimetres
    double L2 = 0;
    int FFB = 0; // rebate width and height, centimetres
    int FFH = 0;
};

// Everything one article search is asked with.
struct ArticleRequest {
    std::string ElementID;
    std::string ComplectName; // for messages only
    std::string ProfSys;      // the strike-plate system
    std::string AlertText;    // used instead of the standard message when required and missing
    bool Required = false;
    int Direction = 0;
    int StulpType = 0; // the sash's double-sash type
    bool DefineHandleHeight = false;
    double ProfWidthValue = 0;
    std::string Color;
    double Weight = 0;
    FittingParams Params;
    PrincipleValues Principle;
};

struct ArticleFilter {
    std::string Text;     // F: with the colour term when the element is coloured
    std::string Fallback; // F0: the colourless variant; empty for an uncoloured element
    double Basis = 0;     // the value whose half is the handle height when the article gives none
};

// Raises KvfError when the element needs a strike-plate system and none is given.
ArticleFilter BuildArticleFilter(const ArticleSwitches& switches, const ArticleRequest& request);

} // namespace kvf
