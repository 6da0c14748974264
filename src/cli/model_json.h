#pragma once
// JSON pictures of the order model for `kvf`: a sash with its outline, sizes
// and side marks, and a position with its sashes. Keys keep the model's field
// names and the order in which they are written.

#include <nlohmann/json.hpp>

namespace kvf {
class TkvfConstruction;
class TkvfFlugel;
} // namespace kvf

namespace kvf::cli {

// A single-precision value as the shortest decimal that reads back as the same single.
nlohmann::ordered_json SingleToJson(float value);

// {"Dorn", "Size":[w,h], "Extent":[[minx,miny],[maxx,maxy]], "Points":[[x,y],...],
//  "Lines":[{"Radius1", "Radius2", "Center":[x,y], "Length", "Orientation", "SideAngle",
//            "Opening", "RotSideIndex", "Handled", "Banded", "Drived", "HandleHeight",
//            "HandleMark":[x,y]},...]}
nlohmann::ordered_json FlugelToJson(const TkvfFlugel& sash);

// {"ConstrType", "Size":[w,h], "LeftFlugel":{...}, "RightFlugel":{...} or null for a single sash}
nlohmann::ordered_json ConstructionToJson(const TkvfConstruction& construction);

} // namespace kvf::cli
