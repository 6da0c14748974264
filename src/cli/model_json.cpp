#include "cli/model_json.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text.h"
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
    return ParseDecimal(std::string_view(text, static_cast<size_t>(result.ptr - text))).value_or(0.0);
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
    // A single-sash position keeps an empty second sash, shown as the order's dump shows it.
    json["RightFlugel"] = construction.ConstrType == 2 ? SashRecordToJson(construction.RightFlugel)
                                                       : FlugelToJson(construction.RightFlugel);
    return json;
}

// Order and selection records as JSON.

namespace record_json {

using Json = ordered_json;

[[noreturn]] void badValue(const char* key, const char* wanted) {
    throw KvfError(std::string("JSON: значение \"") + key + "\" должно быть " + wanted + ".");
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

// Text the files store in Windows-1251: a character they cannot hold is refused.
std::string ansiText(const Json& value, const char* key) {
    std::string text = value.get<std::string>();
    if (const std::string refused = NonAnsiMessage(text); !refused.empty())
        throw KvfError(std::string("JSON: значение \"") + key + "\": " + refused + ".");
    return text;
}

void take(const Json& json, const char* key, std::string& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_string())
            badValue(key, "текстом");
        target = ansiText(*v, key);
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
            list.push_back(ansiText(line, key));
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

void take(const Json& json, const char* key, TFloatPoint& target) {
    if (const Json* v = find(json, key)) {
        if (!v->is_array() || v->size() != 2 || !(*v)[0].is_number() || !(*v)[1].is_number())
            badValue(key, "парой чисел [x, y]");
        target.X = static_cast<float>((*v)[0].get<double>());
        target.Y = static_cast<float>((*v)[1].get<double>());
    }
}
void take(const Json& json, const char* key, TPoint& target) {
    if (const Json* v = find(json, key))
        takePoint(*v, key, target.X, target.Y);
}
void take(const Json& json, const char* key, TkvfCurrencyList& list);
void take(const Json& json, const char* key, TkvfFlugel& sash);

// Writers: singles in their shortest form, money as a four-decimal text.
template <typename T> Json toJson(const T& value) {
    return value;
}
Json toJson(float value) {
    return SingleToJson(value);
}
Json toJson(Money value) {
    return value.Format4();
}
Json toJson(const TFloatPoint& point) {
    return Json::array({SingleToJson(point.X), SingleToJson(point.Y)});
}
Json toJson(const TPoint& point) {
    return pointJson(point.X, point.Y);
}
Json toJson(const TkvfCurrencyList& list);
Json toJson(const TkvfFlugel& sash);

// The field lists below serve both directions: visited with a Writer they
// fill a JSON object from a record, with a Reader a record from an object.
struct Writer {
    Json& json;
    template <typename T> void operator()(const char* key, const T& field) const {
        json[key] = toJson(field);
    }
};
struct Reader {
    const Json& json;
    template <typename T> void operator()(const char* key, T& field) const { take(json, key, field); }
};

// The objects of a list of records, each written through `fields`.
template <typename List, typename Fields> Json arrayOf(const List& list, Fields fields) {
    Json array = Json::array();
    for (const auto& item : list) {
        Json json;
        fields(*item, Writer{json});
        array.push_back(std::move(json));
    }
    return array;
}

constexpr auto currencyFields = [](auto& item, auto&& visit) {
    visit("CurrencyID", item.CurrencyID);
    visit("Rate", item.Rate);
};

Json toJson(const TkvfCurrencyList& list) {
    return arrayOf(list, currencyFields);
}

// Present Currencies replace the whole list.
void take(const Json& json, const char* key, TkvfCurrencyList& list) {
    if (find(json, key) == nullptr)
        return;
    list.clear();
    takeArray(json, key, [&](const Json& element) {
        auto item = std::make_unique<TkvfCurrencyItem>();
        currencyFields(*item, Reader{element});
        list.push_back(std::move(item));
    });
}

constexpr auto furnItemFields = [](auto& item, auto&& visit) {
    visit("ID", item.ID);
    visit("Length", item.Length);
    visit("Count", item.Count);
    visit("History", item.History);
    visit("Comment", item.Comment);
    visit("SideNo", item.SideNo);
    visit("Reserved1", item.Reserved1);
    visit("Reserved2", item.Reserved2);
    visit("Reserved3", item.Reserved3);
    visit("ParentComplect", item.ParentComplect);
};

// Without Items, which follow them.
constexpr auto furnCompFields = [](auto& comp, auto&& visit) {
    visit("FurnSys", comp.FurnSys);
    visit("ProfSys", comp.ProfSys);
    visit("Color", comp.Color);
    visit("Complect", comp.Complect);
    visit("Hinge", comp.Hinge);
    visit("HandlePart", comp.HandlePart);
    visit("Lock", comp.Lock);
    visit("Cylinder", comp.Cylinder);
    visit("Drive", comp.Drive);
    visit("Latch", comp.Latch);
    visit("ComplectImage", comp.ComplectImage);
    visit("HandleImage", comp.HandleImage);
    visit("HingeImage", comp.HingeImage);
    visit("DriveImage", comp.DriveImage);
    visit("ExtraImage", comp.ExtraImage);
    visit("HandleColor", comp.HandleColor);
    visit("HingeColor", comp.HingeColor);
    visit("DriveColor", comp.DriveColor);
    visit("ExtraColor", comp.ExtraColor);
    visit("UserHandleHeight", comp.UserHandleHeight);
    visit("UserHandleHeightSet", comp.UserHandleHeightSet);
    visit("Properties", comp.Properties);
    visit("DopComplects", comp.DopComplects);
};

Json furnComp(const TkvfFurnComp& comp) {
    Json json;
    furnCompFields(comp, Writer{json});
    json["Items"] = arrayOf(comp.Items, furnItemFields);
    return json;
}

void takeFurnComp(const Json& json, TkvfFurnComp& comp) {
    furnCompFields(comp, Reader{json});
    takeArray(json, "Items", [&](const Json& element) {
        auto item = std::make_unique<TkvfFurnItem>(&comp);
        furnItemFields(*item, Reader{element});
        comp.Items.push_back(std::move(item));
    });
}

constexpr auto matListFields = [](auto& item, auto&& visit) {
    visit("ID", item.ID);
    visit("Quantity", item.Quantity);
    visit("CatalogPrice", item.CatalogPrice);
    visit("ReservedRate", item.ReservedRate);
    visit("ReservedAmount", item.ReservedAmount);
    visit("Price", item.Price);
    visit("Cost", item.Cost);
};

void takeMatList(const Json& json, TkvfMatList& list) {
    takeArray(json, "MatList", [&](const Json& element) {
        auto m = std::make_unique<TkvfMatListItem>();
        matListFields(*m, Reader{element});
        list.push_back(std::move(m));
    });
}

constexpr auto lineFields = [](auto& line, auto&& visit) {
    visit("Radius1", line.Radius1);
    visit("Radius2", line.Radius2);
    visit("Center", line.Center);
    visit("Opening", line.Opening);
    visit("RotSideIndex", line.RotSideIndex);
    visit("Handled", line.Handled);
    visit("Banded", line.Banded);
    visit("Drived", line.Drived);
    visit("HandleHeight", line.HandleHeight);
    visit("HandleMark", line.HandleMark);
};

Json toJson(const TkvfFlugel& sash) {
    Json points = Json::array();
    for (const auto& p : sash.Points)
        points.push_back(pointJson(p->X, p->Y));
    Json json;
    json["Dorn"] = sash.Dorn;
    json["Points"] = std::move(points);
    json["Lines"] = arrayOf(sash.Lines, lineFields);
    json["FurnComp"] = sash.FurnComp ? furnComp(*sash.FurnComp) : Json(nullptr);
    json["MatList"] = arrayOf(sash.MatList, matListFields);
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
        lineFields(*line, Reader{element});
        sash.Lines.push_back(std::move(line));
    });
    sash.LinkLines();
    if (const Json* comp = find(json, "FurnComp"); comp != nullptr && !comp->is_null()) {
        sash.FurnComp = std::make_unique<TkvfFurnComp>(&sash);
        takeFurnComp(*comp, *sash.FurnComp);
    }
    takeMatList(json, sash.MatList);
}

// A present sash is read into the position's own.
void take(const Json& json, const char* key, TkvfFlugel& sash) {
    if (const Json* v = find(json, key))
        takeSash(*v, sash);
}

constexpr auto positionFields = [](auto& p, auto&& visit) {
    visit("Included", p.Included);
    visit("No", p.No);
    visit("Name", p.Name);
    visit("Number", p.Number);
    visit("ObjectType", p.ObjectType);
    visit("FurnSys", p.FurnSys);
    visit("ProfSys", p.ProfSys);
    visit("Color", p.Color);
    visit("Falz", p.Falz);
    visit("StulpType", p.StulpType);
    visit("ProfWidth", p.ProfWidth);
    visit("Thickness", p.Thickness);
    visit("OpenType", p.OpenType);
    visit("Cost", p.Cost);
    visit("Note", p.Note);
    visit("ConstrType", p.ConstrType);
    visit("LeftFlugel", p.LeftFlugel);
    visit("RightFlugel", p.RightFlugel);
};

// Without Positions, which follow them.
constexpr auto orderFields = [](auto& order, auto&& visit) {
    visit("Header", order.Header);
    visit("Version", order.Version);
    visit("Reserved1", order.Reserved1);
    visit("Reserved2", order.Reserved2);
    visit("Created", order.Created);
    visit("Modified", order.Modified);
    visit("Reserved3", order.Reserved3);
    visit("OrderNo", order.OrderNo);
    visit("AltOrderNo", order.AltOrderNo);
    visit("Customer", order.Customer);
    visit("ObjectName", order.ObjectName);
    visit("Address", order.Address);
    visit("Phones", order.Phones);
    visit("Remark", order.Remark);
    visit("RegDate", order.RegDate);
    visit("RegDateSet", order.RegDateSet);
    visit("ProfSys", order.ProfSys);
    visit("InnerProfColor", order.InnerProfColor);
    visit("OuterProfColor", order.OuterProfColor);
    visit("FurnSys", order.FurnSys);
    visit("FurnColor", order.FurnColor);
    visit("Handle", order.Handle);
    visit("Falz", order.Falz);
    visit("Dorn", order.Dorn);
    visit("StulpType", order.StulpType);
    visit("OpenType", order.OpenType);
    visit("PriceGroupNo", order.PriceGroupNo);
    visit("NDSTax", order.NDSTax);
    visit("GetTotalNDS", order.GetTotalNDS);
    visit("ShowIncludeNDS", order.ShowIncludeNDS);
    visit("Currencies", order.Currencies);
    visit("CurrencyID", order.CurrencyID);
    visit("Memo", order.Memo);
};

constexpr auto selectionItemFields = [](auto& item, auto&& visit) {
    visit("Included", item.Included);
    visit("OrderNo", item.OrderNo);
    visit("PosNo", item.PosNo);
    visit("Width", item.Width);
    visit("Height", item.Height);
    visit("Number", item.Number);
    visit("Name", item.Name);
    visit("OrderFile", item.OrderFile);
};

// Without Items, which follow them.
constexpr auto selectionFields = [](auto& selection, auto&& visit) {
    visit("Header", selection.Header);
    visit("Version", selection.Version);
    visit("Reserved1", selection.Reserved1);
    visit("Reserved2", selection.Reserved2);
    visit("Created", selection.Created);
    visit("Modified", selection.Modified);
    visit("Reserved3", selection.Reserved3);
    visit("SelNo", selection.SelNo);
    visit("SelDate", selection.SelDate);
    visit("SelName", selection.SelName);
    visit("Currencies", selection.Currencies);
    visit("CurrencyID", selection.CurrencyID);
    visit("PriceGroupNo", selection.PriceGroupNo);
    visit("NDSTax", selection.NDSTax);
    visit("RoundMode", selection.RoundMode);
    visit("Note", selection.Note);
};

} // namespace record_json

ordered_json OrderToJson(const TkvfOrder& order) {
    using namespace record_json;
    Json json;
    orderFields(order, Writer{json});
    json["Positions"] = arrayOf(order.Positions, positionFields);
    return json;
}

void OrderFromJson(const ordered_json& json, TkvfOrder& order) {
    using namespace record_json;
    orderFields(order, Reader{json});
    takeArray(json, "Positions",
              [&](const Json& element) { positionFields(order.AddPosition(), Reader{element}); });
}

ordered_json SashRecordToJson(const TkvfFlugel& sash) {
    return record_json::toJson(sash);
}

ordered_json SelectionToJson(const TkvfOrderSelection& selection) {
    using namespace record_json;
    Json json;
    selectionFields(selection, Writer{json});
    json["Items"] = arrayOf(selection.Items, selectionItemFields);
    return json;
}

void SelectionFromJson(const ordered_json& json, TkvfOrderSelection& selection) {
    using namespace record_json;
    selectionFields(selection, Reader{json});
    // A file with another signature could never be opened again.
    if (selection.Header != kSelectionFileHeader)
        throw KvfError("Данный файл не является файлом Nordel Omnivals!");
    takeArray(json, "Items",
              [&](const Json& element) { selectionItemFields(selection.AddItem(), Reader{element}); });
}

} // namespace kvf::cli
