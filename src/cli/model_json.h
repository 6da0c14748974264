#pragma once
// JSON pictures of the order model for `kvf`: a sash with its outline, sizes
// and side marks, and a position with its sashes. Keys keep the model's field
// names and the order in which they are written.

#include <nlohmann/json.hpp>

namespace kvf {
class TkvfConstruction;
class TkvfFlugel;
class TkvfOrder;
class TkvfOrderSelection;
} // namespace kvf

namespace kvf::cli {

// A single-precision value as the shortest decimal that reads back as the same single.
nlohmann::ordered_json SingleToJson(float value);

// {"Dorn", "Size":[w,h], "Extent":[[minx,miny],[maxx,maxy]], "Points":[[x,y],...],
//  "Lines":[{"Radius1", "Radius2", "Center":[x,y], "Length", "Orientation", "SideAngle",
//            "Opening", "RotSideIndex", "Handled", "Banded", "Drived", "HandleHeight",
//            "HandleMark":[x,y]},...]}
nlohmann::ordered_json FlugelToJson(const TkvfFlugel& sash);

// {"ConstrType", "Size":[w,h], "LeftFlugel":{...}, "RightFlugel":{...}}; the
// empty second sash of a single-sash position as SashRecordToJson gives it.
nlohmann::ordered_json ConstructionToJson(const TkvfConstruction& construction);

// Order and selection files as JSON for `kvf order dump|from-json` and `kvf
// selection dump|from-json`: every stored field under the model's name; dates
// as OLE date numbers, money as text with four decimals ("12.3456"), singles
// as numbers, lists of text lines as arrays. A sash is {Dorn, Points, Lines,
// FurnComp (null or the composition with its Items), MatList}.
nlohmann::ordered_json OrderToJson(const TkvfOrder& order);
nlohmann::ordered_json SelectionToJson(const TkvfOrderSelection& selection);
// Fill an order (selection) from such JSON; absent keys keep the object's
// values. A value of the wrong kind or range raises KvfError naming the key.
void OrderFromJson(const nlohmann::ordered_json& json, TkvfOrder& order);
// A selection whose Header is not the selection files' signature raises the
// message loading such a file gives.
void SelectionFromJson(const nlohmann::ordered_json& json, TkvfOrderSelection& selection);
// A sash as the order's dump shows it: {Dorn, Points, Lines, FurnComp, MatList}.
nlohmann::ordered_json SashRecordToJson(const TkvfFlugel& sash);

} // namespace kvf::cli
