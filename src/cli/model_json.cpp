#include "cli/model_json.h"

#include "model/construction.h"
#include "model/flugel.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kvf::cli {

using nlohmann::ordered_json;

ordered_json SingleToJson(float value) {
    if (!std::isfinite(value)) {
        return nullptr;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof(text), value);
    return std::strtod(std::string(text, result.ptr).c_str(), nullptr);
}

namespace {

ordered_json pointJson(std::int32_t x, std::int32_t y) {
    return ordered_json::array({x, y});
}

} // namespace

ordered_json FlugelToJson(const TkvfFlugel& sash) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    sash.GetSize(width, height);
    TPoint min;
    TPoint max;
    sash.GetExtent(min, max);

    ordered_json points = ordered_json::array();
    for (const auto& point : sash.Points) {
        points.push_back(pointJson(point->X, point->Y));
    }
    ordered_json lines = ordered_json::array();
    for (size_t i = 0; i < sash.Lines.size(); ++i) {
        const TkvfLine& line = *sash.Lines[i];
        ordered_json item;
        item["Radius1"] = SingleToJson(line.Radius1);
        item["Radius2"] = SingleToJson(line.Radius2);
        item["Center"] = ordered_json::array({SingleToJson(line.Center.X), SingleToJson(line.Center.Y)});
        item["Length"] = SingleToJson(line.Length());
        item["Orientation"] = line.Orientation();
        item["SideAngle"] = SingleToJson(sash.SideAngle(static_cast<int>(i)));
        item["Opening"] = line.Opening;
        item["RotSideIndex"] = line.RotSideIndex;
        item["Handled"] = line.Handled;
        item["Banded"] = line.Banded;
        item["Drived"] = line.Drived;
        item["HandleHeight"] = line.HandleHeight;
        item["HandleMark"] = pointJson(line.HandleMark.X, line.HandleMark.Y);
        lines.push_back(std::move(item));
    }

    ordered_json json;
    json["Dorn"] = sash.Dorn;
    json["Size"] = pointJson(width, height);
    json["Extent"] = ordered_json::array({pointJson(min.X, min.Y), pointJson(max.X, max.Y)});
    json["Points"] = std::move(points);
    json["Lines"] = std::move(lines);
    return json;
}

ordered_json ConstructionToJson(const TkvfConstruction& construction) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    construction.GetSize(width, height);
    ordered_json json;
    json["ConstrType"] = construction.ConstrType;
    json["Size"] = pointJson(width, height);
    json["LeftFlugel"] = FlugelToJson(construction.LeftFlugel);
    json["RightFlugel"] =
        construction.ConstrType == 2 ? ordered_json(nullptr) : FlugelToJson(construction.RightFlugel);
    return json;
}

} // namespace kvf::cli
