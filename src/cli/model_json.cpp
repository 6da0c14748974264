#include "cli/model_json.h"

#include "base/error.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/order.h"
#include "model/order_selection.h"

#include <charconv>
#include <cmath>
#include <cstdint>
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

// Order and selection records as JSON.

namespace record_json {

using Json = ordered_json;

[[noreturn]] void badValue(const char* key, const char* wanted) {
    throw KvfError(std::string("JSON: значение \"") + key + "\" должно быть " + wanted + ".");
}

Json money(Money value) {
    return value.Format4();
}
Json lines(const std::vector<std::string>& list) {
    return Json(list);
}
Json point(std::int32_t x, std::int32_t y) {
    return Json::array({x, y});
}

// Readers: an absent key leaves the target as it is.
const Json* find(const Json& json, const char* key) {
    if (!json.is_object())
        throw KvfError(std::string("JSON: ожидается объект с ключом \"") + key + "\".");
    const auto it = json.find(key);
    return it == json.end() ? nullptr : &*it;
}

std::int64_t integer(const Json& value, const char* key, std::int64_t low, std::int64_t high) {
    if (!value.is_number_integer())
        badValue(key, "целым числом");
    const std::int64_t number =
        value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(high)
            ? high + 1
            : value.get<std::int64_t>();
    if (number < low || number > high)
        badValue(key, "целым числом в допустимых пределах");
    return number;
}

void take(const Json& json, const char* key, std::string& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_string())
            badValue(key, "текстом");
        target = v->get<std::string>();
    }
}
void take(const Json& json, const char* key, std::int32_t& target) {
    if (const Json* v = find(json, key))
        target = static_cast<std::int32_t>(integer(*v, key, INT32_MIN, INT32_MAX));
}
void take(const Json& json, const char* key, std::uint8_t& target) {
    if (const Json* v = find(json, key))
        target = static_cast<std::uint8_t>(integer(*v, key, 0, 255));
}
void take(const Json& json, const char* key, bool& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_boolean())
            badValue(key, "true или false");
        target = v->get<bool>();
    }
}
void take(const Json& json, const char* key, double& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_number())
            badValue(key, "числом");
        target = v->get<double>();
    }
}
void take(const Json& json, const char* key, float& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_number())
            badValue(key, "числом");
        target = static_cast<float>(v->get<double>());
    }
}
void take(const Json& json, const char* key, Money& target) {
    if (const Json* v = find(json, key)) {
        const auto parsed = v->is_string() ? Money::Parse(v->get<std::string>()) : std::nullopt;
        if (!parsed)
            badValue(key, "суммой в виде текста (\"12.3456\")");
        target = *parsed;
    }
}
void take(const Json& json, const char* key, std::vector<std::string>& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_array())
            badValue(key, "массивом строк");
        std::vector<std::string> list;
        for (const Json& line : *v) {
            if (!line.is_string())
                badValue(key, "массивом строк");
            list.push_back(line.get<std::string>());
        }
        target = std::move(list);
    }
}
// An array under the key, each element handed to `each`.
template <typename Each> void takeArray(const Json& json, const char* key, Each each) {
    if (const Json* v = find(json, key)) {
        if (!v->is_array())
            badValue(key, "массивом");
        for (const Json& element : *v)
            each(element);
    }
}
void takePoint(const Json& value, const char* key, std::int32_t& x, std::int32_t& y) {
    if (!value.is_array() || value.size() != 2)
        badValue(key, "парой чисел [x, y]");
    x = static_cast<std::int32_t>(integer(value[0], key, INT32_MIN, INT32_MAX));
    y = static_cast<std::int32_t>(integer(value[1], key, INT32_MIN, INT32_MAX));
}

Json currencies(const TkvfCurrencyList& list) {
    Json array = Json::array();
    for (const auto& item : list) {
        Json json;
        json["CurrencyID"] = item->CurrencyID;
        json["Rate"] = SingleToJson(item->Rate);
        array.push_back(std::move(json));
    }
    return array;
}

void takeCurrencies(const Json& json, TkvfCurrencyList& list) {
    if (find(json, "Currencies") == nullptr)
        return;
    list.clear();
    takeArray(json, "Currencies", [&](const Json& element) {
        auto item = std::make_unique<TkvfCurrencyItem>();
        take(element, "CurrencyID", item->CurrencyID);
        take(element, "Rate", item->Rate);
        list.push_back(std::move(item));
    });
}

Json furnComp(const TkvfFurnComp& comp) {
    Json json;
    json["FurnSys"] = comp.FurnSys;
    json["ProfSys"] = comp.ProfSys;
    json["Color"] = comp.Color;
    json["Complect"] = comp.Complect;
    json["Hinge"] = comp.Hinge;
    json["HandlePart"] = comp.HandlePart;
    json["Lock"] = comp.Lock;
    json["Cylinder"] = comp.Cylinder;
    json["Drive"] = comp.Drive;
    json["Latch"] = comp.Latch;
    json["ComplectImage"] = comp.ComplectImage;
    json["HandleImage"] = comp.HandleImage;
    json["HingeImage"] = comp.HingeImage;
    json["DriveImage"] = comp.DriveImage;
    json["ExtraImage"] = comp.ExtraImage;
    json["HandleColor"] = comp.HandleColor;
    json["HingeColor"] = comp.HingeColor;
    json["DriveColor"] = comp.DriveColor;
    json["ExtraColor"] = comp.ExtraColor;
    json["UserHandleHeight"] = comp.UserHandleHeight;
    json["UserHandleHeightSet"] = comp.UserHandleHeightSet;
    json["Properties"] = lines(comp.Properties);
    json["DopComplects"] = lines(comp.DopComplects);
    Json items = Json::array();
    for (const auto& item : comp.Items) {
        Json i;
        i["ID"] = item->ID;
        i["Length"] = SingleToJson(item->Length);
        i["Count"] = item->Count;
        i["History"] = item->History;
        i["Comment"] = item->Comment;
        i["SideNo"] = item->SideNo;
        i["Reserved1"] = item->Reserved1;
        i["Reserved2"] = item->Reserved2;
        i["Reserved3"] = item->Reserved3;
        i["ParentComplect"] = item->ParentComplect;
        items.push_back(std::move(i));
    }
    json["Items"] = std::move(items);
    return json;
}

void takeFurnComp(const Json& json, TkvfFurnComp& comp) {
    for (auto [key, field] : {std::pair{"FurnSys", &comp.FurnSys},
                              {"ProfSys", &comp.ProfSys},
                              {"Color", &comp.Color},
                              {"Complect", &comp.Complect},
                              {"Hinge", &comp.Hinge},
                              {"HandlePart", &comp.HandlePart},
                              {"Lock", &comp.Lock},
                              {"Cylinder", &comp.Cylinder},
                              {"Drive", &comp.Drive},
                              {"Latch", &comp.Latch}})
        take(json, key, *field);
    for (auto [key, field] : {std::pair{"ComplectImage", &comp.ComplectImage},
                              {"HandleImage", &comp.HandleImage},
                              {"HingeImage", &comp.HingeImage},
                              {"DriveImage", &comp.DriveImage},
                              {"ExtraImage", &comp.ExtraImage},
                              {"HandleColor", &comp.HandleColor},
                              {"HingeColor", &comp.HingeColor},
                              {"DriveColor", &comp.DriveColor},
                              {"ExtraColor", &comp.ExtraColor},
                              {"UserHandleHeight", &comp.UserHandleHeight}})
        take(json, key, *field);
    take(json, "UserHandleHeightSet", comp.UserHandleHeightSet);
    take(json, "Properties", comp.Properties);
    take(json, "DopComplects", comp.DopComplects);
    takeArray(json, "Items", [&](const Json& element) {
        auto item = std::make_unique<TkvfFurnItem>(&comp);
        take(element, "ID", item->ID);
        take(element, "Length", item->Length);
        take(element, "Count", item->Count);
        take(element, "History", item->History);
        take(element, "Comment", item->Comment);
        take(element, "SideNo", item->SideNo);
        take(element, "Reserved1", item->Reserved1);
        take(element, "Reserved2", item->Reserved2);
        take(element, "Reserved3", item->Reserved3);
        take(element, "ParentComplect", item->ParentComplect);
        comp.Items.push_back(std::move(item));
    });
}

Json matList(const TkvfMatList& list) {
    Json array = Json::array();
    for (const auto& m : list) {
        Json json;
        json["ID"] = m->ID;
        json["Quantity"] = SingleToJson(m->Quantity);
        json["CatalogPrice"] = money(m->CatalogPrice);
        json["ReservedRate"] = SingleToJson(m->ReservedRate);
        json["ReservedAmount"] = money(m->ReservedAmount);
        json["Price"] = money(m->Price);
        json["Cost"] = money(m->Cost);
        array.push_back(std::move(json));
    }
    return array;
}

void takeMatList(const Json& json, TkvfMatList& list) {
    takeArray(json, "MatList", [&](const Json& element) {
        auto m = std::make_unique<TkvfMatListItem>();
        take(element, "ID", m->ID);
        take(element, "Quantity", m->Quantity);
        take(element, "CatalogPrice", m->CatalogPrice);
        take(element, "ReservedRate", m->ReservedRate);
        take(element, "ReservedAmount", m->ReservedAmount);
        take(element, "Price", m->Price);
        take(element, "Cost", m->Cost);
        list.push_back(std::move(m));
    });
}

Json sash(const TkvfFlugel& sash) {
    Json points = Json::array();
    for (const auto& p : sash.Points)
        points.push_back(point(p->X, p->Y));
    Json linesJson = Json::array();
    for (const auto& line : sash.Lines) {
        Json json;
        json["Radius1"] = SingleToJson(line->Radius1);
        json["Radius2"] = SingleToJson(line->Radius2);
        json["Center"] = Json::array({SingleToJson(line->Center.X), SingleToJson(line->Center.Y)});
        json["Opening"] = line->Opening;
        json["RotSideIndex"] = line->RotSideIndex;
        json["Handled"] = line->Handled;
        json["Banded"] = line->Banded;
        json["Drived"] = line->Drived;
        json["HandleHeight"] = line->HandleHeight;
        json["HandleMark"] = point(line->HandleMark.X, line->HandleMark.Y);
        linesJson.push_back(std::move(json));
    }
    Json json;
    json["Dorn"] = sash.Dorn;
    json["Points"] = std::move(points);
    json["Lines"] = std::move(linesJson);
    json["FurnComp"] = sash.FurnComp ? furnComp(*sash.FurnComp) : Json(nullptr);
    json["MatList"] = matList(sash.MatList);
    return json;
}

void takeSash(const Json& json, TkvfFlugel& sash) {
    if (!json.is_object())
        badValue("LeftFlugel/RightFlugel", "объектом");
    take(json, "Dorn", sash.Dorn);
    takeArray(json, "Points", [&](const Json& element) {
        auto p = std::make_unique<TkvfPoint>(&sash);
        takePoint(element, "Points", p->X, p->Y);
        sash.Points.push_back(std::move(p));
    });
    takeArray(json, "Lines", [&](const Json& element) {
        auto line = std::make_unique<TkvfLine>(&sash);
        take(element, "Radius1", line->Radius1);
        take(element, "Radius2", line->Radius2);
        if (const Json* center = find(element, "Center")) {
            if (!center->is_array() || center->size() != 2 || !(*center)[0].is_number() ||
                !(*center)[1].is_number())
                badValue("Center", "парой чисел [x, y]");
            line->Center.X = static_cast<float>((*center)[0].get<double>());
            line->Center.Y = static_cast<float>((*center)[1].get<double>());
        }
        take(element, "Opening", line->Opening);
        take(element, "RotSideIndex", line->RotSideIndex);
        take(element, "Handled", line->Handled);
        take(element, "Banded", line->Banded);
        take(element, "Drived", line->Drived);
        take(element, "HandleHeight", line->HandleHeight);
        if (const Json* mark = find(element, "HandleMark"))
            takePoint(*mark, "HandleMark", line->HandleMark.X, line->HandleMark.Y);
        sash.Lines.push_back(std::move(line));
    });
    sash.LinkLines();
    if (const Json* comp = find(json, "FurnComp"); comp != nullptr && !comp->is_null()) {
        sash.FurnComp = std::make_unique<TkvfFurnComp>(&sash);
        takeFurnComp(*comp, *sash.FurnComp);
    }
    takeMatList(json, sash.MatList);
}

Json position(const TkvfConstruction& p) {
    Json json;
    json["Included"] = p.Included;
    json["No"] = p.No;
    json["Name"] = p.Name;
    json["Number"] = p.Number;
    json["ObjectType"] = p.ObjectType;
    json["FurnSys"] = p.FurnSys;
    json["ProfSys"] = p.ProfSys;
    json["Color"] = p.Color;
    json["Falz"] = p.Falz;
    json["StulpType"] = p.StulpType;
    json["ProfWidth"] = SingleToJson(p.ProfWidth);
    json["Thickness"] = SingleToJson(p.Thickness);
    json["OpenType"] = p.OpenType;
    json["Cost"] = money(p.Cost);
    json["Note"] = lines(p.Note);
    json["ConstrType"] = p.ConstrType;
    json["LeftFlugel"] = sash(p.LeftFlugel);
    json["RightFlugel"] = sash(p.RightFlugel);
    return json;
}

void takePosition(const Json& json, TkvfConstruction& p) {
    take(json, "Included", p.Included);
    take(json, "No", p.No);
    take(json, "Name", p.Name);
    take(json, "Number", p.Number);
    take(json, "ObjectType", p.ObjectType);
    take(json, "FurnSys", p.FurnSys);
    take(json, "ProfSys", p.ProfSys);
    take(json, "Color", p.Color);
    take(json, "Falz", p.Falz);
    take(json, "StulpType", p.StulpType);
    take(json, "ProfWidth", p.ProfWidth);
    take(json, "Thickness", p.Thickness);
    take(json, "OpenType", p.OpenType);
    take(json, "Cost", p.Cost);
    take(json, "Note", p.Note);
    take(json, "ConstrType", p.ConstrType);
    if (const Json* left = find(json, "LeftFlugel"))
        takeSash(*left, p.LeftFlugel);
    if (const Json* right = find(json, "RightFlugel"))
        takeSash(*right, p.RightFlugel);
}

} // namespace record_json

ordered_json OrderToJson(const TkvfOrder& order) {
    using namespace record_json;
    Json json;
    json["Header"] = order.Header;
    json["Version"] = order.Version;
    json["Reserved1"] = order.Reserved1;
    json["Reserved2"] = order.Reserved2;
    json["Created"] = order.Created;
    json["Modified"] = order.Modified;
    json["Reserved3"] = order.Reserved3;
    json["OrderNo"] = order.OrderNo;
    json["AltOrderNo"] = order.AltOrderNo;
    json["Customer"] = order.Customer;
    json["ObjectName"] = order.ObjectName;
    json["Address"] = order.Address;
    json["Phones"] = order.Phones;
    json["Remark"] = order.Remark;
    json["RegDate"] = order.RegDate;
    json["RegDateSet"] = order.RegDateSet;
    json["ProfSys"] = order.ProfSys;
    json["InnerProfColor"] = order.InnerProfColor;
    json["OuterProfColor"] = order.OuterProfColor;
    json["FurnSys"] = order.FurnSys;
    json["FurnColor"] = order.FurnColor;
    json["Handle"] = order.Handle;
    json["Falz"] = order.Falz;
    json["Dorn"] = order.Dorn;
    json["StulpType"] = order.StulpType;
    json["OpenType"] = order.OpenType;
    json["PriceGroupNo"] = order.PriceGroupNo;
    json["NDSTax"] = SingleToJson(order.NDSTax);
    json["GetTotalNDS"] = order.GetTotalNDS;
    json["ShowIncludeNDS"] = order.ShowIncludeNDS;
    json["Currencies"] = currencies(order.Currencies);
    json["CurrencyID"] = order.CurrencyID;
    json["Memo"] = lines(order.Memo);
    Json positions = Json::array();
    for (const auto& p : order.Positions)
        positions.push_back(position(*p));
    json["Positions"] = std::move(positions);
    return json;
}

void OrderFromJson(const ordered_json& json, TkvfOrder& order) {
    using namespace record_json;
    for (auto [key, field] : {std::pair{"Header", &order.Header},
                              {"Version", &order.Version},
                              {"OrderNo", &order.OrderNo},
                              {"AltOrderNo", &order.AltOrderNo},
                              {"Customer", &order.Customer},
                              {"ObjectName", &order.ObjectName},
                              {"Address", &order.Address},
                              {"Phones", &order.Phones},
                              {"Remark", &order.Remark},
                              {"ProfSys", &order.ProfSys},
                              {"InnerProfColor", &order.InnerProfColor},
                              {"OuterProfColor", &order.OuterProfColor},
                              {"FurnSys", &order.FurnSys},
                              {"FurnColor", &order.FurnColor},
                              {"Handle", &order.Handle}})
        take(json, key, *field);
    for (auto [key, field] : {std::pair{"Reserved1", &order.Reserved1},
                              {"Reserved2", &order.Reserved2},
                              {"Reserved3", &order.Reserved3},
                              {"Falz", &order.Falz},
                              {"Dorn", &order.Dorn},
                              {"StulpType", &order.StulpType},
                              {"OpenType", &order.OpenType},
                              {"PriceGroupNo", &order.PriceGroupNo},
                              {"CurrencyID", &order.CurrencyID}})
        take(json, key, *field);
    take(json, "Created", order.Created);
    take(json, "Modified", order.Modified);
    take(json, "RegDate", order.RegDate);
    take(json, "RegDateSet", order.RegDateSet);
    take(json, "NDSTax", order.NDSTax);
    take(json, "GetTotalNDS", order.GetTotalNDS);
    take(json, "ShowIncludeNDS", order.ShowIncludeNDS);
    takeCurrencies(json, order.Currencies);
    take(json, "Memo", order.Memo);
    takeArray(json, "Positions", [&](const Json& element) { takePosition(element, order.AddPosition()); });
}

ordered_json SelectionToJson(const TkvfOrderSelection& selection) {
    using namespace record_json;
    Json json;
    json["Header"] = selection.Header;
    json["Version"] = selection.Version;
    json["Reserved1"] = selection.Reserved1;
    json["Reserved2"] = selection.Reserved2;
    json["Created"] = selection.Created;
    json["Modified"] = selection.Modified;
    json["Reserved3"] = selection.Reserved3;
    json["SelNo"] = selection.SelNo;
    json["SelDate"] = selection.SelDate;
    json["SelName"] = selection.SelName;
    json["Currencies"] = currencies(selection.Currencies);
    json["CurrencyID"] = selection.CurrencyID;
    json["PriceGroupNo"] = selection.PriceGroupNo;
    json["NDSTax"] = SingleToJson(selection.NDSTax);
    json["RoundMode"] = selection.RoundMode;
    json["Note"] = lines(selection.Note);
    Json items = Json::array();
    for (const auto& item : selection.Items) {
        Json i;
        i["Included"] = item->Included;
        i["OrderNo"] = item->OrderNo;
        i["PosNo"] = item->PosNo;
        i["Width"] = SingleToJson(item->Width);
        i["Height"] = SingleToJson(item->Height);
        i["Number"] = item->Number;
        i["Name"] = item->Name;
        i["OrderFile"] = item->OrderFile;
        items.push_back(std::move(i));
    }
    json["Items"] = std::move(items);
    return json;
}

void SelectionFromJson(const ordered_json& json, TkvfOrderSelection& selection) {
    using namespace record_json;
    for (auto [key, field] : {std::pair{"Header", &selection.Header},
                              {"Version", &selection.Version},
                              {"SelNo", &selection.SelNo},
                              {"SelName", &selection.SelName}})
        take(json, key, *field);
    for (auto [key, field] : {std::pair{"Reserved1", &selection.Reserved1},
                              {"Reserved2", &selection.Reserved2},
                              {"Reserved3", &selection.Reserved3},
                              {"CurrencyID", &selection.CurrencyID},
                              {"PriceGroupNo", &selection.PriceGroupNo}})
        take(json, key, *field);
    take(json, "Created", selection.Created);
    take(json, "Modified", selection.Modified);
    take(json, "SelDate", selection.SelDate);
    takeCurrencies(json, selection.Currencies);
    take(json, "NDSTax", selection.NDSTax);
    take(json, "RoundMode", selection.RoundMode);
    take(json, "Note", selection.Note);
    takeArray(json, "Items", [&](const Json& element) {
        TkvfOrderSelectionItem& item = selection.AddItem();
        take(element, "Included", item.Included);
        take(element, "OrderNo", item.OrderNo);
        take(element, "PosNo", item.PosNo);
        take(element, "Width", item.Width);
        take(element, "Height", item.Height);
        take(element, "Number", item.Number);
        take(element, "Name", item.Name);
        take(element, "OrderFile", item.OrderFile);
    });
}

} // namespace kvf::cli
