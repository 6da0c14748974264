#include "catalog/catalog_check.h"

#include "base/expression.h"
#include "catalog/tdm.h"

#include <cctype>
#include <charconv>
#include <exception>
#include <map>
#include <set>
#include <string_view>

namespace kvf {

namespace {

// The rows of one table object in its key order, read once, without the
// temporary filter; the fixed slice filters of the parameter list stay.
class Rows {
public:
    explicit Rows(Table& table) : table_(table) {
        const bool filtered = table.Filtered();
        const int64_t rowId = table.RecNo() >= 0 ? table.RowId() : -1;
        {
            IndexScope order(table, "");
            table.SetFiltered(false);
            for (table.First(); !table.Eof(); table.Next())
                rows_.push_back(table.CurrentValues());
            table.SetFiltered(filtered);
        }
        if (rowId >= 0)
            table.GotoRowId(rowId);
    }

    size_t Size() const { return rows_.size(); }
    const std::string& Name() const { return table_.TableName(); }

    std::string Text(size_t row, std::string_view field) const {
        const int i = table_.FieldIndex(field);
        return ValueAsString(table_.Fields()[i], rows_[row][i]);
    }
    int64_t Int(size_t row, std::string_view field) const {
        const int i = table_.FieldIndex(field);
        return ValueAsInteger(table_.Fields()[i], rows_[row][i]);
    }
    double Float(size_t row, std::string_view field) const {
        const int i = table_.FieldIndex(field);
        return ValueAsFloat(table_.Fields()[i], rows_[row][i]);
    }

    // "ID=K-DK, Item=GETR, Key=101" from the named fields.
    std::string Key(size_t row, std::initializer_list<const char*> fields) const {
        std::string key;
        for (const char* field : fields) {
            if (!key.empty())
                key += ", ";
            key += std::string(field) + "=" + Text(row, field);
        }
        return key;
    }

private:
    Table& table_;
    std::vector<std::vector<Value>> rows_;
};

std::set<std::string> TextKeys(const Rows& rows, std::string_view field) {
    std::set<std::string> keys;
    for (size_t r = 0; r < rows.Size(); ++r)
        keys.insert(rows.Text(r, field));
    return keys;
}

std::set<int64_t> IntKeys(const Rows& rows, std::string_view field) {
    std::set<int64_t> keys;
    for (size_t r = 0; r < rows.Size(); ++r)
        keys.insert(rows.Int(r, field));
    return keys;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool SameAsciiIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The names a sash gives a length formula; any other name reads as 0.
bool KnownFormulaName(std::string_view name) {
    for (const char* known : {"FB", "FFB", "FRB", "FН", "FFН", "FRH"})
        if (name == known)
            return true;
    return false;
}

bool KnownFormulaFunction(std::string_view name) {
    for (const char* known : {"FFL", "FL", "FFG", "FG", "FFGA", "FGA"})
        if (SameAsciiIgnoringCase(name, known))
            return true;
    return false;
}

void CollectUnknownNames(const ExpressionNode& node, std::set<std::string>& unknown) {
    if (node.kind == ExpressionNode::Kind::Name && !KnownFormulaName(node.name))
        unknown.insert(node.name);
    if (node.kind == ExpressionNode::Kind::Call && !KnownFormulaFunction(node.name))
        unknown.insert(node.name + "()");
    for (const auto& operand : node.operands)
        CollectUnknownNames(*operand, unknown);
}

// What is wrong with a length formula; "" when it is sound.
std::string FormulaProblem(const std::string& formula) {
    try {
        const Expression expression = Expression::Parse(formula);
        std::set<std::string> unknown;
        CollectUnknownNames(expression.Root(), unknown);
        if (unknown.empty())
            return "";
        std::string names;
        for (const std::string& name : unknown)
            names += (names.empty() ? "" : ", ") + name;
        return "length formula " + Quoted(formula) + " uses " + names +
               ", which a sash does not know (it reads as 0); the height is FН/FFН with the Cyrillic letter "
               "Н";
    } catch (const std::exception& e) {
        return "length formula " + Quoted(formula) + " does not parse: " + e.what();
    }
}

// Entries of a scale scheme that are not integers (the engine skips them).
std::vector<std::string> BadSchemeEntries(const std::string& scheme) {
    std::vector<std::string> bad;
    size_t start = 0;
    while (start <= scheme.size()) {
        size_t end = scheme.find(';', start);
        if (end == std::string::npos)
            end = scheme.size();
        std::string entry = scheme.substr(start, end - start);
        while (!entry.empty() && entry.front() == ' ')
            entry.erase(entry.begin());
        while (!entry.empty() && entry.back() == ' ')
            entry.pop_back();
        int value = 0;
        const auto [ptr, ec] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
        if (!entry.empty() && (ec != std::errc() || ptr != entry.data() + entry.size()))
            bad.push_back(entry);
        start = end + 1;
    }
    return bad;
}

class Checker {
public:
    explicit Checker(TDM& dm)
        : color_(dm.T_Color), currency_(dm.T_Currency), priceGrp_(dm.T_PriceGrp), sysList_(dm.T_SysList),
          sysColor_(dm.T_SysColor), sysProp_(dm.T_SysProp), catalog_(dm.T_Catalog), frnComp_(dm.T_FrnComp),
          frnSide_(dm.T_FrnSide), frnItem_(dm.T_FrnItem), frnSet_(dm.T_FrnSet), frnArt_(dm.T_FrnArt),
          frnSchl_(dm.T_FrnSchl), frnDop_(dm.T_FrnDop), frnAbd_(dm.T_FrnAbd), frnProp_(dm.T_FrnProp),
          frnItoI_(dm.T_FrnItoI), falzList_(dm.T_FalzList), dornList_(dm.T_DornList) {
        colors_ = TextKeys(color_, "Color");
        currencies_ = IntKeys(currency_, "ID");
        priceGroups_ = IntKeys(priceGrp_, "GroupID");
        systems_ = TextKeys(sysList_, "ID");
        articles_ = TextKeys(catalog_, "ID");
        complects_ = TextKeys(frnComp_, "ID");
        propertyValues_ = IntKeys(sysProp_, "ID");
        propertyKeys_ = IntKeys(frnProp_, "PropKey");
        elementsWithArticles_ = TextKeys(frnArt_, "ID");
        composites_ = TextKeys(frnItoI_, "ID");
        for (size_t r = 0; r < frnItem_.Size(); ++r)
            elementVirtual_[frnItem_.Text(r, "ID")] = frnItem_.Int(r, "Virtual") == 1;
        for (size_t r = 0; r < frnSide_.Size(); ++r)
            ++sideCount_[frnSide_.Text(r, "ID")];
    }

    std::vector<CatalogProblem> Run() {
        CheckParameterLists();
        CheckSystems();
        CheckCatalogArticles();
        CheckComplects();
        CheckSideRules();
        CheckElementRows();
        CheckArticlesOfElements();
        CheckComposites();
        CheckStrikePlates();
        CheckAccessories();
        CheckColourAccessories();
        CheckProperties();
        return problems_;
    }

private:
    void Report(const Rows& rows, std::string key, std::string problem) {
        problems_.push_back({rows.Name(), std::move(key), std::move(problem)});
    }

    void RequireArticle(const Rows& rows, size_t r, const std::string& key, const char* field) {
        const std::string id = rows.Text(r, field);
        if (id.empty())
            Report(rows, key, std::string(field) + " is empty");
        else if (!articles_.count(id))
            Report(rows, key, std::string(field) + " " + Quoted(id) + " has no Catalog row");
    }

    void RequireElement(const Rows& rows, size_t r, const std::string& key, const char* field) {
        const std::string id = rows.Text(r, field);
        if (id.empty())
            Report(rows, key, std::string(field) + " is empty");
        else if (!elementVirtual_.count(id))
            Report(rows, key, std::string(field) + " " + Quoted(id) + " has no FrnItem row");
    }

    void RequireColor(const Rows& rows, size_t r, const std::string& key, const char* field) {
        const std::string color = rows.Text(r, field);
        if (!color.empty() && !colors_.count(color))
            Report(rows, key, std::string(field) + " " + Quoted(color) + " has no COLORSET row");
    }

    void RequirePropertyKey(const Rows& rows, size_t r, const std::string& key) {
        const int64_t propKey = rows.Int(r, "PropKey");
        if (propKey != 0 && !propertyKeys_.count(propKey))
            Report(rows, key,
                   "PropKey " + std::to_string(propKey) + " has no FrnProp rows, so it restricts nothing");
    }

    // An element that yields nothing although a row requires it.
    void RequireSomeArticle(const Rows& rows, size_t r, const std::string& key, const std::string& element) {
        const auto found = elementVirtual_.find(element);
        if (found == elementVirtual_.end())
            return;
        if (found->second) {
            if (!composites_.count(element))
                Report(rows, key, "required virtual element " + Quoted(element) + " has no parts in FrnItoI");
        } else if (!elementsWithArticles_.count(element)) {
            Report(rows, key,
                   "required element " + Quoted(element) +
                       " has no FrnArt row at all, so it is silently left out of every composition");
        }
    }

    // Side `side` of a complect with `sides` sides; `what` names the field.
    void RequireSide(const Rows& rows, const std::string& key, int sides, const std::string& what,
                     int64_t side) {
        if (side < 1 || side > sides)
            Report(rows, key,
                   what + " " + std::to_string(side) + " is outside the complect's sides 1-" +
                       std::to_string(sides));
    }

    // A rebate set or backset that the composition pass refuses whenever a
    // position uses it.
    void CheckParameterLists() {
        for (size_t r = 0; r < falzList_.Size(); ++r) {
            const int64_t luft = falzList_.Int(r, "FalzLuft");
            const int64_t size = falzList_.Int(r, "FalzSize");
            const int64_t pos = falzList_.Int(r, "FalzPos");
            if (luft < 1 || size < 1 || pos < 1)
                Report(falzList_, falzList_.Key(r, {"ID"}),
                       "rebate set " + std::to_string(luft) + "/" + std::to_string(size) + "-" +
                           std::to_string(pos) + " has a value below 1, so no sash can be computed with it");
        }
        for (size_t r = 0; r < dornList_.Size(); ++r)
            if (dornList_.Float(r, "DornMass") <= 0)
                Report(dornList_, dornList_.Key(r, {"ID"}),
                       "backset has no DornMass above 0, so no sash can be computed with it");
    }

    // A range whose minimum lies above its maximum passes nothing; in an
    // element row a maximum of 0 means no upper bound.
    void RequireRange(const Rows& rows, size_t r, const std::string& key, const std::string& group,
                      bool zeroMaxIsOpen) {
        const double min = rows.Float(r, group + "Min");
        const double max = rows.Float(r, group + "Max");
        if (min > max && !(zeroMaxIsOpen && max == 0))
            Report(rows, key,
                   group + "Min " + Number(min) + " is above " + group + "Max " + Number(max) +
                       ", so the range passes nothing");
    }

    static std::string Number(double value) {
        std::string text = std::to_string(value);
        text.erase(text.find_last_not_of('0') + 1);
        if (!text.empty() && text.back() == '.')
            text.pop_back();
        return text;
    }

    void CheckSystems() {
        for (size_t r = 0; r < sysList_.Size(); ++r)
            RequireColor(sysList_, r, sysList_.Key(r, {"ID"}), "BaseColor");
        for (size_t r = 0; r < sysColor_.Size(); ++r) {
            const std::string key = sysColor_.Key(r, {"ID", "System"});
            RequireColor(sysColor_, r, key, "ID");
            if (!systems_.count(sysColor_.Text(r, "System")))
                Report(sysColor_, key,
                       "System " + Quoted(sysColor_.Text(r, "System")) + " has no SysList row");
        }
    }

    void CheckCatalogArticles() {
        for (size_t r = 0; r < catalog_.Size(); ++r) {
            const std::string key = catalog_.Key(r, {"ID"});
            const int64_t currency = catalog_.Int(r, "Currency");
            if (!currencies_.count(currency))
                Report(catalog_, key, "Currency " + std::to_string(currency) + " has no Currency row");
            const int64_t group = catalog_.Int(r, "PriceGrp");
            if (group != 0 && !priceGroups_.count(group))
                Report(catalog_, key, "PriceGrp " + std::to_string(group) + " has no PriceGrp row");
        }
    }

    void CheckComplects() {
        for (size_t r = 0; r < frnComp_.Size(); ++r) {
            const std::string id = frnComp_.Text(r, "ID");
            const std::string key = frnComp_.Key(r, {"ID"});
            const int64_t group = frnComp_.Int(r, "Group");
            // Only main complects are offered by their side rules.
            if ((group == 10 || group == 11 || group == 12) && !sideCount_.count(id))
                Report(frnComp_, key, "complect has no side rules in FrnSide, so it fits no sash");
            const std::string symmetric = frnComp_.Text(r, "SymmetricID");
            if (!symmetric.empty() && !complects_.count(symmetric))
                Report(frnComp_, key, "SymmetricID " + Quoted(symmetric) + " has no FrnComp row");
            RequirePropertyKey(frnComp_, r, key);
        }
    }

    void CheckSideRules() {
        std::set<std::pair<std::string, int64_t>> seen;
        for (size_t r = 0; r < frnSide_.Size(); ++r) {
            const std::string id = frnSide_.Text(r, "ID");
            const std::string key = frnSide_.Key(r, {"ID", "Side"});
            if (!complects_.count(id))
                Report(frnSide_, key, "complect " + Quoted(id) + " has no FrnComp row");
            const int sides = sideCount_[id];
            const int64_t side = frnSide_.Int(r, "Side");
            RequireSide(frnSide_, key, sides, "Side", side);
            if (!seen.insert({id, side}).second)
                Report(frnSide_, key, "side " + std::to_string(side) + " has more than one rule");
            if (frnSide_.Int(r, "OpenMode") == 1)
                RequireSide(frnSide_, key, sides, "RotSide", frnSide_.Int(r, "RotSide"));
            // Side lengths and corner angles are never 0, so a maximum of 0 refuses every sash.
            for (const char* group : {"Size", "Angle", "Radius"}) {
                const std::string g = group;
                const double min = frnSide_.Float(r, "Min" + g);
                const double max = frnSide_.Float(r, "Max" + g);
                if (min > max || (max <= 0 && g != "Radius"))
                    Report(frnSide_, key,
                           "Min" + g + " " + Number(min) + " and Max" + g + " " + Number(max) +
                               " allow nothing, so the complect fits no sash");
            }
        }
    }

    void CheckElementRows() {
        for (size_t r = 0; r < frnSet_.Size(); ++r) {
            const std::string id = frnSet_.Text(r, "ID");
            const std::string item = frnSet_.Text(r, "Item");
            const std::string key = frnSet_.Key(r, {"ID", "Item", "Key"});
            if (!complects_.count(id))
                Report(frnSet_, key, "complect " + Quoted(id) + " has no FrnComp row");
            RequireElement(frnSet_, r, key, "Item");
            RequirePropertyKey(frnSet_, r, key);
            const std::string useIfArt = frnSet_.Text(r, "UseIfArt");
            if (!useIfArt.empty() && !articles_.count(useIfArt))
                Report(frnSet_, key, "UseIfArt " + Quoted(useIfArt) + " has no Catalog row");
            CheckSideNumbers(r, id, key);
            for (const char* group : {"FFB", "FFH", "FFL1", "FFL2", "FFL21", "FFL22", "FFA", "FFR1", "FFR2"})
                RequireRange(frnSet_, r, key, group, true);
            CheckScale(r, key);
            if (frnSet_.Int(r, "UseLen") == 1 && !frnSet_.Text(r, "LenFormula").empty()) {
                const std::string problem = FormulaProblem(frnSet_.Text(r, "LenFormula"));
                if (!problem.empty())
                    Report(frnSet_, key, problem);
            }
            const int64_t condition = frnSet_.Int(r, "Condition");
            if (condition < 0 || condition > 10)
                Report(frnSet_, key,
                       "Condition " + std::to_string(condition) + " is no calculation principle (0-10)");
            if (frnSet_.Int(r, "Required") == 1)
                RequireSomeArticle(frnSet_, r, key, item);
        }
    }

    // Side and corner numbers of an element row against its complect's sides;
    // a complect without side rules (an optional part) has no fixed count.
    void CheckSideNumbers(size_t r, const std::string& id, const std::string& key) {
        const auto count = sideCount_.find(id);
        if (count == sideCount_.end())
            return;
        const int sides = count->second;
        const int64_t itemSide = frnSet_.Int(r, "ItemSideNo");
        if (itemSide != 0)
            RequireSide(frnSet_, key, sides, "ItemSideNo", itemSide);
        const int64_t handleSide = frnSet_.Int(r, "HandleSideNo");
        if (handleSide != 0)
            RequireSide(frnSet_, key, sides, "HandleSideNo", handleSide);
        for (const char* group : {"FFL1", "FFL2"}) {
            const std::string g = group;
            if (frnSet_.Int(r, g + "Min") != 0 || frnSet_.Int(r, g + "Max") != 0)
                RequireSide(frnSet_, key, sides, g + "No", frnSet_.Int(r, g + "No"));
        }
        for (const char* group : {"FFR1", "FFR2"}) {
            const std::string g = group;
            if (frnSet_.Int(r, g + "Min") != 0 || frnSet_.Int(r, g + "Max") != 0 ||
                frnSet_.Int(r, g + "Type") >= 2)
                RequireSide(frnSet_, key, sides, g + "No", frnSet_.Int(r, g + "No"));
        }
        if (frnSet_.Float(r, "FFAMin") != 0 || frnSet_.Float(r, "FFAMax") != 0)
            RequireSide(frnSet_, key, sides, "FFANo", frnSet_.Int(r, "FFANo"));
        const int64_t condition = frnSet_.Int(r, "Condition");
        if (condition == 4 || condition == 6 || condition == 8 || condition == 10)
            RequireSide(frnSet_, key, sides, "Side1No", frnSet_.Int(r, "Side1No"));
        if (condition == 5 || condition == 6 || condition == 9 || condition == 10)
            RequireSide(frnSet_, key, sides, "Side2No", frnSet_.Int(r, "Side2No"));
        if (condition == 7)
            RequireSide(frnSet_, key, sides, "AngleNo", frnSet_.Int(r, "AngleNo"));
        const int64_t scale = frnSet_.Int(r, "ScaleCondition");
        if (scale == 3)
            RequireSide(frnSet_, key, sides, "Side1No", frnSet_.Int(r, "Side1No"));
        if (scale == 4)
            RequireSide(frnSet_, key, sides, "Side2No", frnSet_.Int(r, "Side2No"));
    }

    void CheckScale(size_t r, const std::string& key) {
        const int64_t scale = frnSet_.Int(r, "ScaleCondition");
        if (scale < 1 || scale > 4)
            return;
        const std::string scheme = frnSet_.Text(r, "ScaleScheme");
        if (scheme.empty()) {
            if (frnSet_.Int(r, "ScaleStep") < 1)
                Report(frnSet_, key,
                       "count scale without ScaleScheme has ScaleStep " +
                           std::to_string(frnSet_.Int(r, "ScaleStep")) + " (at least 1 needed)");
            return;
        }
        for (const std::string& entry : BadSchemeEntries(scheme))
            Report(frnSet_, key, "ScaleScheme entry " + Quoted(entry) + " is no integer and is not counted");
    }

    void CheckArticlesOfElements() {
        for (size_t r = 0; r < frnArt_.Size(); ++r) {
            const std::string key = frnArt_.Key(r, {"ID", "CatalogID", "Key"});
            RequireElement(frnArt_, r, key, "ID");
            RequireArticle(frnArt_, r, key, "CatalogID");
            RequireColor(frnArt_, r, key, "Color");
            for (const char* group : {"FFB", "FFH", "FFL1", "FFL2", "FFA", "FFR1", "FFR2", "DornMass",
                                      "Weight", "Thickness", "ProfWidth"})
                RequireRange(frnArt_, r, key, group, false);
        }
    }

    void CheckComposites() {
        for (size_t r = 0; r < frnItoI_.Size(); ++r) {
            const std::string key = frnItoI_.Key(r, {"ID", "Item"});
            RequireElement(frnItoI_, r, key, "ID");
            RequireElement(frnItoI_, r, key, "Item");
            RequirePropertyKey(frnItoI_, r, key);
            if (frnItoI_.Int(r, "Required") == 1)
                RequireSomeArticle(frnItoI_, r, key, frnItoI_.Text(r, "Item"));
        }
    }

    void CheckStrikePlates() {
        for (size_t r = 0; r < frnSchl_.Size(); ++r) {
            const std::string key = frnSchl_.Key(r, {"CatalogID", "Item", "Key"});
            RequireArticle(frnSchl_, r, key, "CatalogID");
            RequireElement(frnSchl_, r, key, "Item");
            RequirePropertyKey(frnSchl_, r, key);
            const std::string complect = frnSchl_.Text(r, "ItemComplectID");
            if (!complect.empty() && !complects_.count(complect))
                Report(frnSchl_, key, "ItemComplectID " + Quoted(complect) + " has no FrnComp row");
            // Strike plates are always looked for as required.
            RequireSomeArticle(frnSchl_, r, key, frnSchl_.Text(r, "Item"));
        }
    }

    void CheckAccessories() {
        for (size_t r = 0; r < frnDop_.Size(); ++r) {
            const std::string key = frnDop_.Key(r, {"CatalogID", "AccessoryID", "Key"});
            RequireArticle(frnDop_, r, key, "CatalogID");
            RequireArticle(frnDop_, r, key, "AccessoryID");
            RequirePropertyKey(frnDop_, r, key);
            const std::string complect = frnDop_.Text(r, "ItemComplectID");
            if (!complect.empty() && !complects_.count(complect))
                Report(frnDop_, key, "ItemComplectID " + Quoted(complect) + " has no FrnComp row");
        }
    }

    void CheckColourAccessories() {
        for (size_t r = 0; r < frnAbd_.Size(); ++r) {
            const std::string key = frnAbd_.Key(r, {"CatalogID", "Color", "AccessoryID"});
            RequireArticle(frnAbd_, r, key, "CatalogID");
            RequireArticle(frnAbd_, r, key, "AccessoryID");
            RequireColor(frnAbd_, r, key, "Color");
        }
    }

    void CheckProperties() {
        for (size_t r = 0; r < frnProp_.Size(); ++r) {
            const int64_t value = frnProp_.Int(r, "ID");
            if (!propertyValues_.count(value))
                Report(frnProp_, frnProp_.Key(r, {"PropKey", "ID"}),
                       "property value " + std::to_string(value) + " has no SysProp row");
        }
    }

    Rows color_, currency_, priceGrp_, sysList_, sysColor_, sysProp_, catalog_, frnComp_, frnSide_, frnItem_,
        frnSet_, frnArt_, frnSchl_, frnDop_, frnAbd_, frnProp_, frnItoI_, falzList_, dornList_;
    std::set<std::string> colors_, systems_, articles_, complects_, elementsWithArticles_, composites_;
    std::set<int64_t> currencies_, priceGroups_, propertyValues_, propertyKeys_;
    std::map<std::string, bool> elementVirtual_; // element -> Virtual
    std::map<std::string, int> sideCount_;       // complect -> number of side rules
    std::vector<CatalogProblem> problems_;
};

} // namespace

std::vector<CatalogProblem> CheckCatalog(TDM& dm) {
    return Checker(dm).Run();
}

std::string FormatCatalogProblem(const CatalogProblem& problem) {
    return problem.Table + " [" + problem.Key + "]: " + problem.Problem;
}

} // namespace kvf
