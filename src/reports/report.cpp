#include "reports/report.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/number_format.h"
#include "base/text.h"
#include "reports/report_expression.h"

#include <pugixml.hpp>

#include <cmath>
#include <filesystem>

namespace kvf {

namespace fs = std::filesystem;

namespace {

const char* const kPageNoMark = "\x01PAGE#\x01";
const char* const kTotalPagesMark = "\x01TOTALPAGES\x01";
constexpr long kMaxRecords = 1000000;

struct BandTypeName {
    const char* name;
    BandType type;
};

constexpr BandTypeName kBandTypes[] = {
    {"ReportTitle", BandType::ReportTitle},         {"ReportSummary", BandType::ReportSummary},
    {"PageHeader", BandType::PageHeader},           {"PageFooter", BandType::PageFooter},
    {"MasterHeader", BandType::MasterHeader},       {"MasterData", BandType::MasterData},
    {"MasterFooter", BandType::MasterFooter},       {"DetailHeader", BandType::DetailHeader},
    {"DetailData", BandType::DetailData},           {"DetailFooter", BandType::DetailFooter},
    {"SubdetailHeader", BandType::SubdetailHeader}, {"SubdetailData", BandType::SubdetailData},
    {"SubdetailFooter", BandType::SubdetailFooter}, {"GroupHeader", BandType::GroupHeader},
    {"GroupFooter", BandType::GroupFooter},
};

bool isHeader(BandType t) {
    return t == BandType::MasterHeader || t == BandType::DetailHeader || t == BandType::SubdetailHeader;
}

bool isFooter(BandType t) {
    return t == BandType::MasterFooter || t == BandType::DetailFooter || t == BandType::SubdetailFooter;
}

std::optional<CanvasColor> parseColor(const std::string& text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    CanvasColor color = 0;
    for (size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        int v = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
        if (v < 0)
            return std::nullopt;
        color = color * 16 + static_cast<CanvasColor>(v);
    }
    return color;
}

// Strips one pair of enclosing square brackets.
std::string bareExpression(const std::string& text) {
    const std::string t = Trim(text);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return t.substr(1, t.size() - 2);
    return t;
}

} // namespace

int ReportPixels(double millimetres) {
    return static_cast<int>(std::lround(millimetres * kReportDotsPerInch / 25.4));
}

bool TReportBand::IsData() const {
    return Type == BandType::MasterData || Type == BandType::DetailData || Type == BandType::SubdetailData;
}

void TReportUserDataSet::First() {
    if (OnFirst)
        OnFirst();
}
void TReportUserDataSet::Next() {
    if (OnNext)
        OnNext();
}
void TReportUserDataSet::Prior() {
    if (OnPrior)
        OnPrior();
}
bool TReportUserDataSet::Eof() const {
    return OnCheckEOF ? OnCheckEOF() : true;
}

struct TReport::Aggregate {
    enum class Kind { Sum, Count, Min, Max, Avg } kind = Kind::Sum;
    const ExpressionNode* call = nullptr;
    const ExpressionNode* value = nullptr;
    std::string text; // the whole expression, for messages
    TReportBand* dataBand = nullptr;
    TReportBand* owner = nullptr;
    long count = 0;
    bool money = true;
    Money moneySum;
    double sum = 0;
    Variant min, max;

    void reset() {
        count = 0;
        money = true;
        moneySum = Money();
        sum = 0;
        min = max = Variant();
    }
};

TReport::TReport() = default;
TReport::~TReport() = default;

namespace {

// Loading: XML into bands and views.
class Loader {
public:
    Loader(const std::string& name, const std::string& folder) : name_(name), folder_(folder) {}

    [[noreturn]] void fail(const std::string& detail, const TReportBand* band = nullptr,
                           const std::string& view = {}) const {
        std::string where = "Ошибка в шаблоне отчета \"" + name_ + "\"";
        if (band)
            where += ", полоса \"" + band->Name + "\"";
        if (!view.empty())
            where += ", объект \"" + view + "\"";
        throw KvfError(where + ": " + detail);
    }

    double number(const pugi::xml_node& node, const char* attribute, double fallback, const TReportBand* band,
                  const std::string& view) const {
        const pugi::xml_attribute a = node.attribute(attribute);
        if (!a)
            return fallback;
        const std::optional<double> value = ParseDecimal(a.value());
        if (!value)
            fail(std::string("атрибут ") + attribute + " не число: \"" + a.value() + "\"", band, view);
        return *value;
    }

    bool flag(const pugi::xml_node& node, const char* attribute, bool fallback) const {
        const pugi::xml_attribute a = node.attribute(attribute);
        if (!a)
            return fallback;
        const std::string v = a.value();
        return v == "1" || v == "true" || v == "yes";
    }

    std::optional<CanvasColor> color(const pugi::xml_node& node, const char* attribute,
                                     const TReportBand* band, const std::string& view) const {
        const pugi::xml_attribute a = node.attribute(attribute);
        if (!a)
            return std::nullopt;
        const std::optional<CanvasColor> c = parseColor(a.value());
        if (!c)
            fail(std::string("атрибут ") + attribute + " не цвет #RRGGBB: \"" + a.value() + "\"", band, view);
        return c;
    }

    std::vector<TextSegment> segments(const std::string& text, const TReportBand* band,
                                      const std::string& view) {
        std::vector<TextSegment> result;
        std::string literal;
        size_t i = 0;
        while (i < text.size()) {
            if (text[i] != '[') {
                literal += text[i++];
                continue;
            }
            // The insert ends at the ']' outside quotes and inner brackets.
            size_t j = i + 1;
            int depth = 0;
            char quote = 0;
            for (; j < text.size(); ++j) {
                const char c = text[j];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '\'' || c == '"') {
                    quote = c;
                } else if (c == '[') {
                    ++depth;
                } else if (c == ']') {
                    if (depth == 0)
                        break;
                    --depth;
                }
            }
            if (j >= text.size())
                fail("нет закрывающей скобки ']' в тексте \"" + text + "\"", band, view);
            if (!literal.empty()) {
                result.push_back({TextSegment::Kind::Literal, literal, std::nullopt});
                literal.clear();
            }
            std::string inner = Trim(text.substr(i + 1, j - i - 1));
            // Inner brackets only group names, as in [[_ORDER_NO]].
            std::string cleaned;
            char q = 0;
            for (char c : inner) {
                if (q) {
                    if (c == q)
                        q = 0;
                } else if (c == '\'' || c == '"') {
                    q = c;
                } else if (c == '[' || c == ']') {
                    continue;
                }
                cleaned += c;
            }
            TextSegment segment;
            if (AnsiUpperCase(cleaned) == "PAGE#") {
                segment.kind = TextSegment::Kind::PageNo;
            } else if (AnsiUpperCase(cleaned) == "LINE#") {
                segment.kind = TextSegment::Kind::LineNo;
            } else if (AnsiUpperCase(cleaned) == "TOTALPAGES") {
                segment.kind = TextSegment::Kind::TotalPages;
            } else {
                segment.kind = TextSegment::Kind::Expression;
                segment.expression = parse(cleaned, band, view);
            }
            result.push_back(std::move(segment));
            i = j + 1;
        }
        if (!literal.empty())
            result.push_back({TextSegment::Kind::Literal, literal, std::nullopt});
        return result;
    }

    Expression parse(const std::string& text, const TReportBand* band, const std::string& view) const {
        try {
            return Expression::Parse(text, ExpressionSyntax::Report);
        } catch (const KvfError& e) {
            fail(e.what(), band, view);
        }
    }

    void commonView(const pugi::xml_node& node, TReportView& view, TReportBand* band) {
        view.Name = node.attribute("name").value();
        if (view.Name.empty())
            view.Name = view.TypeName + std::to_string(++unnamed_);
        view.Band = band;
        view.Left = ReportPixels(number(node, "left", 0, band, view.Name));
        view.Top = ReportPixels(number(node, "top", 0, band, view.Name));
        view.Width = ReportPixels(number(node, "width", 0, band, view.Name));
        view.Height = ReportPixels(number(node, "height", 0, band, view.Name));
        const std::string frame = node.attribute("frame").value();
        if (frame == "all")
            view.Frame = FrameSide::All;
        else {
            for (const auto& [word, side] : {std::pair<const char*, unsigned>{"left", FrameSide::Left},
                                             {"top", FrameSide::Top},
                                             {"right", FrameSide::Right},
                                             {"bottom", FrameSide::Bottom}})
                if (frame.find(word) != std::string::npos)
                    view.Frame |= side;
        }
        view.FrameWidth = std::max(1, static_cast<int>(number(node, "framewidth", 1, band, view.Name)));
        if (const auto c = color(node, "framecolor", band, view.Name))
            view.FrameColor = *c;
        view.Fill = color(node, "fill", band, view.Name);
    }

    std::unique_ptr<TReportView> view(const pugi::xml_node& node, TReportBand* band) {
        const std::string kind = node.name();
        std::unique_ptr<TReportView> result;
        if (kind == "text") {
            auto text = std::make_unique<TTextView>();
            commonView(node, *text, band);
            text->Text = node.text().get();
            text->Segments = segments(text->Text, band, text->Name);
            if (node.attribute("font"))
                text->Font.Name = node.attribute("font").value();
            const double points = number(node, "size", 10, band, text->Name);
            text->Font.Height =
                std::max(1, static_cast<int>(std::lround(points * kReportDotsPerInch / 72.0)));
            text->Font.Bold = flag(node, "bold", false);
            text->Font.Italic = flag(node, "italic", false);
            text->Font.Underline = flag(node, "underline", false);
            if (const auto c = color(node, "color", band, text->Name))
                text->Font.Color = *c;
            const std::string align = node.attribute("align").value();
            text->HAlign = align == "center"  ? TextAlign::Center
                           : align == "right" ? TextAlign::Right
                                              : TextAlign::Left;
            const std::string valign = node.attribute("valign").value();
            text->VerticalAlign = valign == "center"   ? TTextView::VAlign::Center
                                  : valign == "bottom" ? TTextView::VAlign::Bottom
                                                       : TTextView::VAlign::Top;
            text->WordWrap = flag(node, "wrap", true);
            text->Stretch = flag(node, "stretch", false);
            result = std::move(text);
        } else if (kind == "picture") {
            auto picture = std::make_unique<TPictureView>();
            commonView(node, *picture, band);
            const std::string file = node.attribute("file").value();
            if (!file.empty())
                picture->FileName = fs::path(file).is_absolute() ? file : (fs::path(folder_) / file).string();
            result = std::move(picture);
        } else if (kind == "line" || kind == "rect") {
            std::unique_ptr<TReportView> shape;
            CanvasColor* colorField = nullptr;
            int* penField = nullptr;
            if (kind == "line") {
                auto line = std::make_unique<TLineView>();
                colorField = &line->Color;
                penField = &line->PenWidth;
                shape = std::move(line);
            } else {
                auto rect = std::make_unique<TRectView>();
                colorField = &rect->Color;
                penField = &rect->PenWidth;
                shape = std::move(rect);
            }
            commonView(node, *shape, band);
            if (const auto c = color(node, "color", band, shape->Name))
                *colorField = *c;
            *penField = std::max(1, static_cast<int>(number(node, "penwidth", 1, band, shape->Name)));
            result = std::move(shape);
        } else if (kind == "KVFImage") {
            auto sketch = std::make_unique<TkvfFRDrawView>();
            commonView(node, *sketch, band);
            result = std::move(sketch);
        } else {
            fail("неизвестный объект <" + kind + ">", band);
        }
        return result;
    }

    std::unique_ptr<TReportBand> band(const pugi::xml_node& node, TReportBand* parent) {
        auto b = std::make_unique<TReportBand>();
        b->Parent = parent;
        const std::string type = node.attribute("type").value();
        b->Name = node.attribute("name").value();
        if (b->Name.empty())
            b->Name = type + std::to_string(++unnamed_);
        bool known = false;
        for (const BandTypeName& t : kBandTypes) {
            if (type == t.name) {
                b->Type = t.type;
                known = true;
            }
        }
        if (!known)
            fail("неизвестный тип полосы \"" + type + "\"", b.get());
        b->Height = ReportPixels(number(node, "height", 0, b.get(), {}));
        b->Source = node.attribute("source").value();
        if (b->IsData() && b->Source.empty())
            fail("полосе данных не указан источник данных (source)", b.get());
        if (b->Type == BandType::GroupHeader) {
            const std::string condition = bareExpression(node.attribute("condition").value());
            if (condition.empty())
                fail("заголовку группы не указано условие (condition)", b.get());
            b->Condition = parse(condition, b.get(), {});
        }
        if (!parent && (b->Type == BandType::GroupHeader || b->Type == BandType::GroupFooter))
            fail("группа вне полосы данных", b.get());
        if (parent && (b->Type == BandType::PageHeader || b->Type == BandType::PageFooter ||
                       b->Type == BandType::ReportTitle || b->Type == BandType::ReportSummary))
            fail("полоса этого типа не может быть внутри полосы данных", b.get());
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (std::string(child.name()) == "band") {
                if (!b->IsData())
                    fail("вложенные полосы допустимы только в полосе данных", b.get());
                b->Bands.push_back(band(child, b.get()));
            } else {
                b->Views.push_back(view(child, b.get()));
            }
        }
        link(b->Bands);
        return b;
    }

    // Headers just before a data band and footers just after it belong to it.
    void link(std::vector<std::unique_ptr<TReportBand>>& bands) {
        for (size_t i = 0; i < bands.size(); ++i) {
            TReportBand& b = *bands[i];
            if (isHeader(b.Type)) {
                if (i + 1 >= bands.size() || !bands[i + 1]->IsData())
                    fail("заголовок не стоит перед полосой данных", &b);
                bands[i + 1]->Header = &b;
                b.DataBand = bands[i + 1].get();
            } else if (isFooter(b.Type)) {
                if (i == 0 || !bands[i - 1]->IsData())
                    fail("подвал не стоит после полосы данных", &b);
                bands[i - 1]->Footer = &b;
                b.DataBand = bands[i - 1].get();
            } else if (b.Type == BandType::GroupFooter) {
                b.DataBand = b.Parent;
            }
        }
    }

private:
    std::string name_;
    std::string folder_;
    int unnamed_ = 0;
};

void collectAggregateCalls(const ExpressionNode& node, std::vector<const ExpressionNode*>& calls) {
    if (node.kind == ExpressionNode::Kind::Call) {
        const std::string name = AnsiUpperCase(node.name);
        if (name == "SUM" || name == "COUNT" || name == "MIN" || name == "MAX" || name == "AVG")
            calls.push_back(&node);
    }
    for (const auto& operand : node.operands)
        collectAggregateCalls(*operand, calls);
}

void forEachBand(const std::vector<std::unique_ptr<TReportBand>>& bands,
                 const std::function<void(TReportBand&)>& visit) {
    for (const auto& b : bands) {
        visit(*b);
        forEachBand(b->Bands, visit);
    }
}

} // namespace

void TReport::LoadFromFile(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const KvfError& e) {
        throw KvfError("Ошибка в шаблоне отчета \"" + path + "\": " + e.what());
    }
    LoadFromText(bytes, path, fs::path(path).parent_path().string());
}

void TReport::LoadFromText(const std::string& xml, const std::string& name, const std::string& folder) {
    name_ = name;
    folder_ = folder;
    bands_.clear();
    aggregates_.clear();
    Loader loader(name, folder);
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed)
        loader.fail(std::string("XML: ") + parsed.description() + " (смещение " +
                    std::to_string(parsed.offset) + ")");
    const pugi::xml_node root = document.child("report");
    if (!root)
        loader.fail("нет корневого элемента <report>");
    if (const pugi::xml_node page = root.child("page")) {
        const std::string size = page.attribute("size").value();
        if (size == "A5")
            PageWidthMm = 148, PageHeightMm = 210;
        else if (size == "A3")
            PageWidthMm = 297, PageHeightMm = 420;
        else if (size.empty() || size == "A4")
            PageWidthMm = 210, PageHeightMm = 297;
        else
            loader.fail("неизвестный формат страницы \"" + size + "\"");
        PageWidthMm = loader.number(page, "width", PageWidthMm, nullptr, {});
        PageHeightMm = loader.number(page, "height", PageHeightMm, nullptr, {});
        Landscape = std::string(page.attribute("orientation").value()) == "landscape";
        MarginLeft = loader.number(page, "left", 10, nullptr, {});
        MarginTop = loader.number(page, "top", 10, nullptr, {});
        MarginRight = loader.number(page, "right", 10, nullptr, {});
        MarginBottom = loader.number(page, "bottom", 10, nullptr, {});
    }
    for (const pugi::xml_node& child : root.children("band"))
        bands_.push_back(loader.band(child, nullptr));
    loader.link(bands_);

    // Aggregates: each call in a text gets its accumulator and its data band.
    TReportBand* firstData = nullptr;
    forEachBand(bands_, [&](TReportBand& b) {
        if (!firstData && b.IsData())
            firstData = &b;
    });
    forEachBand(bands_, [&](TReportBand& b) {
        for (const auto& v : b.Views) {
            const auto* text = dynamic_cast<const TTextView*>(v.get());
            if (!text)
                continue;
            for (const TextSegment& segment : text->Segments) {
                if (!segment.expression)
                    continue;
                std::vector<const ExpressionNode*> calls;
                collectAggregateCalls(segment.expression->Root(), calls);
                for (const ExpressionNode* call : calls) {
                    auto a = std::make_unique<Aggregate>();
                    const std::string name = AnsiUpperCase(call->name);
                    a->kind = name == "SUM"   ? Aggregate::Kind::Sum
                              : name == "MIN" ? Aggregate::Kind::Min
                              : name == "MAX" ? Aggregate::Kind::Max
                              : name == "AVG" ? Aggregate::Kind::Avg
                                              : Aggregate::Kind::Count;
                    a->call = call;
                    a->text = segment.expression->Text();
                    a->owner = &b;
                    const size_t valueArgs = a->kind == Aggregate::Kind::Count ? 0 : 1;
                    if (call->operands.size() < valueArgs || call->operands.size() > valueArgs + 1)
                        loader.fail("неверное число аргументов " + call->name + " в \"" + a->text + "\"", &b,
                                    text->Name);
                    if (valueArgs == 1)
                        a->value = call->operands[0].get();
                    if (call->operands.size() == valueArgs + 1) {
                        const ExpressionNode& bandArg = *call->operands[valueArgs];
                        forEachBand(bands_, [&](TReportBand& candidate) {
                            if (candidate.IsData() && bandArg.kind == ExpressionNode::Kind::Name &&
                                SameText(candidate.Name, bandArg.name))
                                a->dataBand = &candidate;
                        });
                        if (!a->dataBand)
                            loader.fail("нет полосы данных \"" + bandArg.source + "\" для " + call->name, &b,
                                        text->Name);
                    } else {
                        a->dataBand = b.DataBand ? b.DataBand : b.Parent ? b.Parent : firstData;
                        if (!a->dataBand)
                            loader.fail("нет полосы данных для " + call->name, &b, text->Name);
                    }
                    aggregates_.push_back(std::move(a));
                }
            }
        }
    });
}

TReportView* TReport::FindObject(const std::string& name) const {
    for (TReportView* v : AllViews())
        if (SameText(v->Name, name))
            return v;
    return nullptr;
}

std::vector<TReportView*> TReport::AllViews() const {
    std::vector<TReportView*> views;
    forEachBand(bands_, [&](TReportBand& b) {
        for (const auto& v : b.Views)
            views.push_back(v.get());
    });
    return views;
}

void TReport::SetDataSet(const std::string& name, TReportUserDataSet* dataSet) {
    dataSets_[name] = dataSet;
}

// Building the pages.
class TReport::Builder : public ReportScope {
public:
    Builder(TReport& report, Canvas& measure, const std::function<bool(int)>& progress)
        : report_(report), measure_(measure), progress_(progress) {
        pageWidth_ = ReportPixels(report.Landscape ? report.PageHeightMm : report.PageWidthMm);
        pageHeight_ = ReportPixels(report.Landscape ? report.PageWidthMm : report.PageHeightMm);
        left_ = ReportPixels(report.MarginLeft);
        top_ = ReportPixels(report.MarginTop);
        bottom_ = pageHeight_ - ReportPixels(report.MarginBottom);
        forEachBand(report.bands_, [&](TReportBand& b) {
            if (b.Type == BandType::PageHeader)
                pageHeader_ = &b;
            if (b.Type == BandType::PageFooter)
                pageFooter_ = &b;
        });
    }

    // Outside a band: the scope of Calc.
    TReport& report_;

    bool Variable(const std::string& name, Variant& value) override {
        return report_.OnGetValue && report_.OnGetValue(name, value);
    }

    bool Function(const ExpressionNode& call, Variant& value) override {
        for (const auto& a : report_.aggregates_) {
            if (a->call == &call) {
                value = result(*a);
                return true;
            }
        }
        if (!report_.OnUserFunction)
            return false;
        std::vector<std::string> args;
        for (const auto& operand : call.operands)
            args.push_back(operand->source);
        std::optional<Variant> result = report_.OnUserFunction(AnsiUpperCase(call.name), args);
        if (!result)
            return false;
        value = *result;
        return true;
    }

    TPreparedReport Build() {
        for (const auto& a : report_.aggregates_)
            a->reset();
        forEachBand(report_.bands_, [&](TReportBand& b) {
            if (b.IsData() && !report_.dataSets_.count(b.Source))
                fail(b, {}, "нет источника данных \"" + b.Source + "\"");
        });
        startPage();
        for (const auto& b : report_.bands_)
            if (b->Type == BandType::ReportTitle)
                print(*b);
        for (const auto& b : report_.bands_)
            if (b->IsData())
                run(*b);
        for (const auto& b : report_.bands_)
            if (b->Type == BandType::ReportSummary)
                print(*b);
        finishPage();
        TPreparedReport prepared;
        prepared.Landscape = report_.Landscape;
        prepared.PageWidthMm = report_.PageWidthMm;
        prepared.PageHeightMm = report_.PageHeightMm;
        const std::string total = std::to_string(pages_.size());
        for (auto& page : pages_) {
            page->Items.ReplaceText(kTotalPagesMark, total);
            prepared.Pages.push_back(std::move(*page));
        }
        return prepared;
    }

private:
    [[noreturn]] void fail(const TReportBand& band, const std::string& view,
                           const std::string& detail) const {
        std::string where = "Отчет \"" + report_.name_ + "\", полоса \"" + band.Name + "\"";
        if (!view.empty())
            where += ", объект \"" + view + "\"";
        throw KvfError(where + ": " + detail);
    }

    Variant result(const Aggregate& a) const {
        switch (a.kind) {
        case Aggregate::Kind::Count:
            return Variant::FromInteger(static_cast<int32_t>(a.count));
        case Aggregate::Kind::Sum:
            if (a.money)
                return Variant::FromCurrency(a.moneySum);
            return Variant::FromReal(a.sum);
        case Aggregate::Kind::Avg:
            return Variant::FromReal(a.count == 0 ? 0 : (a.money ? a.moneySum.ToDouble() : a.sum) / a.count);
        case Aggregate::Kind::Min:
            return a.min;
        case Aggregate::Kind::Max:
            return a.max;
        }
        return {};
    }

    void accumulate(TReportBand& dataBand) {
        for (const auto& a : report_.aggregates_) {
            if (a->dataBand != &dataBand)
                continue;
            ++a->count;
            if (!a->value)
                continue;
            Variant v;
            try {
                v = EvaluateReportNode(*a->value, *this, a->text);
            } catch (const KvfError& e) {
                fail(*a->owner, {}, e.what());
            }
            if (v.Type() == VariantType::Currency || v.IsEmpty())
                a->moneySum += v.AsMoney();
            else
                a->money = false;
            a->sum += v.IsEmpty() ? 0 : v.AsDouble();
            if (a->count == 1 || v.AsDouble() < a->min.AsDouble())
                a->min = v;
            if (a->count == 1 || v.AsDouble() > a->max.AsDouble())
                a->max = v;
        }
    }

    void resetAfter(const TReportBand& band) {
        if (band.IsData())
            return;
        for (const auto& a : report_.aggregates_)
            if (a->owner == &band)
                a->reset();
    }

    void startPage() {
        auto page = std::make_unique<TReportPage>();
        page->Width = pageWidth_;
        page->Height = pageHeight_;
        page->Items = DisplayList(&measure_);
        pages_.push_back(std::move(page));
        y_ = top_;
        if (pageHeader_)
            place(*pageHeader_, layout(*pageHeader_));
        contentTop_ = y_;
    }

    void finishPage() {
        TReportPage& page = *pages_.back();
        if (pageFooter_) {
            const Layout laid = layout(*pageFooter_);
            y_ = bottom_ - laid.height;
            place(*pageFooter_, laid);
        }
        page.Items.ReplaceText(kPageNoMark, std::to_string(pages_.size()));
        if (progress_ && !progress_(static_cast<int>(pages_.size())))
            throw KvfError("Построение отчета \"" + report_.name_ + "\" прервано");
    }

    int footerHeight() const { return pageFooter_ ? pageFooter_->Height : 0; }

    // The band's height and the heights of its views, once evaluated.
    struct Layout {
        int height = 0;
        std::map<const TReportView*, int> heights;
    };

    // Evaluates the band's views for printing.
    Layout layout(TReportBand& band) {
        Layout result;
        int& height = result.height;
        height = band.Height;
        for (const auto& v : band.Views) {
            try {
                if (report_.OnBeforePrint)
                    report_.OnBeforePrint(*v);
                if (auto* text = dynamic_cast<TTextView*>(v.get())) {
                    const int needed = text->Prepare(measure_, evaluate(*text));
                    if (text->Stretch)
                        height = std::max(height, text->Top + std::max(text->Height, needed));
                    result.heights[text] = text->Stretch ? std::max(text->Height, needed) : text->Height;
                } else if (auto* picture = dynamic_cast<TPictureView*>(v.get())) {
                    if (!picture->FileName.empty() && !fs::is_regular_file(picture->FileName))
                        throw KvfError("нет файла рисунка \"" + picture->FileName + "\"");
                }
            } catch (const KvfError& e) {
                fail(band, v->Name, e.what());
            }
        }
        return result;
    }

    std::string evaluate(TTextView& text) {
        std::string result;
        for (const TextSegment& segment : text.Segments) {
            switch (segment.kind) {
            case TextSegment::Kind::Literal:
                result += segment.literal;
                break;
            case TextSegment::Kind::PageNo:
                result += kPageNoMark;
                break;
            case TextSegment::Kind::TotalPages:
                result += kTotalPagesMark;
                break;
            case TextSegment::Kind::LineNo:
                result += std::to_string(line_);
                break;
            case TextSegment::Kind::Expression:
                result += ReportText(EvaluateReport(*segment.expression, *this));
                break;
            }
        }
        return result;
    }

    void place(TReportBand& band, const Layout& laid) {
        DisplayList& items = pages_.back()->Items;
        for (const auto& v : band.Views) {
            const auto it = laid.heights.find(v.get());
            const int viewHeight = it != laid.heights.end() ? it->second : v->Height;
            v->Draw(items, left_ + v->Left, y_ + v->Top, viewHeight);
        }
        y_ += laid.height;
        resetAfter(band);
    }

    // A band that does not fit below the last one starts a new page; page
    // numbers are filled in when the page is finished, so the band's values
    // evaluated before the break stay right.
    void print(TReportBand& band) {
        const Layout laid = layout(band);
        if (y_ + laid.height > bottom_ - footerHeight() && y_ > contentTop_) {
            finishPage();
            startPage();
        }
        place(band, laid);
    }

    void run(TReportBand& band) {
        TReportUserDataSet& data = *report_.dataSets_.at(band.Source);
        if (band.Header)
            print(*band.Header);
        std::vector<TReportBand*> groups;
        for (const auto& inner : band.Bands)
            if (inner->Type == BandType::GroupHeader)
                groups.push_back(inner.get());
        std::vector<std::optional<std::string>> groupValues(groups.size());
        long records = 0;
        data.First();
        while (!data.Eof()) {
            if (++records > kMaxRecords)
                fail(band, {}, "источник данных \"" + band.Source + "\" не кончается");
            for (size_t g = 0; g < groups.size(); ++g) {
                std::string value;
                try {
                    value = ReportText(EvaluateReport(*groups[g]->Condition, *this));
                } catch (const KvfError& e) {
                    fail(*groups[g], {}, e.what());
                }
                if (groupValues[g] != value) {
                    if (groupValues[g])
                        printGroupFooter(band);
                    groupValues[g] = value;
                    print(*groups[g]);
                }
            }
            line_ = records;
            print(band);
            accumulate(band);
            for (const auto& inner : band.Bands)
                if (inner->IsData())
                    run(*inner);
            data.Next();
        }
        if (!groups.empty() && groupValues[0])
            printGroupFooter(band);
        if (band.Footer)
            print(*band.Footer);
    }

    void printGroupFooter(TReportBand& band) {
        for (const auto& inner : band.Bands)
            if (inner->Type == BandType::GroupFooter)
                print(*inner);
    }

    Canvas& measure_;
    const std::function<bool(int)>& progress_;
    int pageWidth_ = 0, pageHeight_ = 0, left_ = 0, top_ = 0, bottom_ = 0;
    int y_ = 0;
    int contentTop_ = 0;
    long line_ = 0; // record number in the data band printing now
    TReportBand* pageHeader_ = nullptr;
    TReportBand* pageFooter_ = nullptr;
    std::vector<std::unique_ptr<TReportPage>> pages_;
};

Variant TReport::Calc(const std::string& expression) {
    DisplayList none;
    const std::function<bool(int)> noProgress;
    Builder scope(*this, none, noProgress);
    return EvaluateReport(Expression::Parse(expression, ExpressionSyntax::Report), scope);
}

TPreparedReport TReport::PrepareReport(Canvas& measure, const std::function<bool(int)>& progress) {
    Builder builder(*this, measure, progress);
    return builder.Build();
}

} // namespace kvf
