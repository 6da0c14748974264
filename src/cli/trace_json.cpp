#include "cli/trace_json.h"

#include "cli/model_json.h"

#include <ostream>
#include <string>

namespace kvf::cli {

namespace {

using nlohmann::ordered_json;

ordered_json textOrNull(const std::string& text) {
    return text.empty() ? ordered_json(nullptr) : ordered_json(text);
}

ordered_json parametersJson(const TraceParameters& p) {
    return {{"FFB", p.FFB},
            {"FFH", p.FFH},
            {"FurnSys", p.FurnSys},
            {"ProfSys", p.ProfSys},
            {"Color", p.Color},
            {"Falz", p.Falz},
            {"FalzLuft", p.FalzLuft},
            {"FalzSize", p.FalzSize},
            {"FalzPos", p.FalzPos},
            {"Dorn", p.Dorn},
            {"DornMass", p.DornMass},
            {"StulpCode", p.StulpCode},
            {"StulpType", p.StulpType},
            {"Direction", p.Direction},
            {"OpenCode", p.OpenCode},
            {"OpenType", p.OpenType},
            {"ProfWidth", SingleToJson(p.ProfWidth)},
            {"Thickness", SingleToJson(p.Thickness)}};
}

// A count is known once its origin is; a refused row never got that far.
void rowFields(ordered_json& json, const TraceRow& row) {
    json["Row"] = row.Row;
    json["Element"] = textOrNull(row.Element);
    json["Taken"] = row.Taken;
    json["Reason"] = textOrNull(row.Reason);
    json["Filter"] = row.Filter ? ordered_json(*row.Filter) : ordered_json(nullptr);
    json["Candidates"] = row.Candidates ? ordered_json(*row.Candidates) : ordered_json(nullptr);
    json["Article"] = textOrNull(row.Article);
    json["Chosen"] = row.Chosen;
    json["Merged"] = row.Merged;
    json["Count"] = row.CountFrom.empty() ? ordered_json(nullptr) : ordered_json(row.Count);
    json["CountFrom"] = textOrNull(row.CountFrom);
    json["Length"] = row.CountFrom.empty() ? ordered_json(nullptr) : SingleToJson(row.Length);
    json["LengthFrom"] = textOrNull(row.LengthFrom);
    ordered_json parts = ordered_json::array();
    for (const TraceRow& part : row.Parts) {
        ordered_json p = ordered_json::object();
        rowFields(p, part);
        parts.push_back(std::move(p));
    }
    json["Parts"] = std::move(parts);
}

std::string pad(int indent) {
    return std::string(static_cast<size_t>(indent), ' ');
}

void writeRow(std::ostream& out, const TraceRow& row, int indent) {
    out << pad(indent) << row.Row << ".";
    if (!row.Element.empty())
        out << " " << row.Element;
    if (row.Taken) {
        out << " -> " << (row.Article.empty() ? "(без артикула)" : row.Article) << " x " << row.Count;
        if (row.Length != 0)
            out << ", длина " << TraceNumber(row.Length);
        if (row.Chosen)
            out << ", выбран из списка";
        if (row.Merged)
            out << ", добавлен к такой же позиции";
    } else {
        out << ": не взят";
        if (!row.Reason.empty())
            out << ": " << row.Reason;
    }
    out << "\n";
    if (!row.CountFrom.empty())
        out << pad(indent + 3) << "количество: " << row.CountFrom << "\n";
    if (!row.LengthFrom.empty())
        out << pad(indent + 3) << "длина: " << row.LengthFrom << "\n";
    if (row.Filter) {
        std::string filter = *row.Filter;
        while (!filter.empty() && filter.back() == ' ')
            filter.pop_back();
        out << pad(indent + 3) << "фильтр: " << filter;
        if (row.Candidates)
            out << " (кандидатов " << *row.Candidates << ")";
        out << "\n";
    }
    for (const TraceRow& part : row.Parts)
        writeRow(out, part, indent + 3);
}

} // namespace

ordered_json SashTraceToJson(const SashTrace& trace) {
    ordered_json complects = ordered_json::array();
    for (const TraceComplect& c : trace.Complects) {
        ordered_json rows = ordered_json::array();
        for (const TraceRow& row : c.Rows) {
            ordered_json r = ordered_json::object();
            rowFields(r, row);
            rows.push_back(std::move(r));
        }
        complects.push_back({{"Slot", c.Slot}, {"ID", c.ID}, {"Name", c.Name}, {"Rows", std::move(rows)}});
    }
    ordered_json accessories = ordered_json::array();
    for (const TraceAccessory& a : trace.Accessories) {
        ordered_json json = {{"Pass", a.Pass}, {"Item", a.Item}, {"ItemCount", a.ItemCount}};
        rowFields(json, a.Rule);
        accessories.push_back(std::move(json));
    }
    return {{"Sash", trace.Sash},
            {"Parameters", parametersJson(trace.Parameters)},
            {"Complects", std::move(complects)},
            {"Accessories", std::move(accessories)},
            {"Error", textOrNull(trace.Error)}};
}

void WriteSashTrace(std::ostream& out, const SashTrace& trace, int indent) {
    const TraceParameters& p = trace.Parameters;
    out << pad(indent) << "Створка " << trace.Sash << "\n";
    out << pad(indent + 2) << "FFB " << p.FFB << ", FFH " << p.FFH << "; система " << p.FurnSys << ", планки "
        << p.ProfSys << ", цвет " << p.Color << "; фальц " << p.Falz << " (" << p.FalzLuft << "/"
        << p.FalzSize << "-" << p.FalzPos << "), дорн " << p.Dorn << " (" << TraceNumber(p.DornMass)
        << "), тип створки " << p.StulpType << ", направление " << p.Direction << ", открывание "
        << p.OpenType << "\n";
    for (const TraceComplect& c : trace.Complects) {
        out << pad(indent + 2) << c.Slot << " " << c.ID << " [" << c.Name << "]\n";
        for (const TraceRow& row : c.Rows)
            writeRow(out, row, indent + 4);
    }
    if (!trace.Accessories.empty())
        out << pad(indent + 2) << "Принадлежности\n";
    for (const TraceAccessory& a : trace.Accessories) {
        out << pad(indent + 4) << a.Pass << " " << a.Item << " x " << a.ItemCount << "\n";
        writeRow(out, a.Rule, indent + 6);
    }
    if (!trace.Error.empty())
        out << pad(indent + 2) << "Ошибка: " << trace.Error << "\n";
}

} // namespace kvf::cli
