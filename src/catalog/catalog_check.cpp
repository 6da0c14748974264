#include "catalog/catalog_check.h"

#include "base/expression.h"
#include "base/number_format.h"
#include "base/text.h"
#include "catalog/tdm.h"
#include "model/flugel.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <map>
#include <set>
#include <string_view>

namespace kvf {

namespace {

// The rows of one table object in its key order, read once, without the
// temporary filter; the fixed slice filters of the parameter list stay. A
// table that is not open reads as empty; a field the table lacks reads as
// blank, and both are reported once.
class Rows {
public:
    Rows(Table& table, std::vector<CatalogProblem>& problems) : table_(table), problems_(problems) {
        if (!table.Active()) {
            problems_.push_back({table.TableName(), "", "таблица [" + table.TableName() + "] не открыта"});
            return;
        }
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
        const int i = Index(field);
        return i < 0 ? "" : ValueAsString(table_.Fields()[i], rows_[row][i]);
    }
    int64_t Int(size_t row, std::string_view field) const {
        const int i = Index(field);
        return i < 0 ? 0 : ValueAsInteger(table_.Fields()[i], rows_[row][i]);
    }
    double Float(size_t row, std::string_view field) const {
        const int i = Index(field);
        return i < 0 ? 0 : ValueAsFloat(table_.Fields()[i], rows_[row][i]);
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
    int Index(std::string_view field) const {
        const int i = table_.FieldIndex(field);
        if (i < 0 && missing_.insert(std::string(field)).second)
            problems_.push_back(
                {table_.TableName(), "",
                 "Поле [" + std::string(field) + "] не найдено в таблице [" + table_.TableName() + "]"});
        return i;
    }

    Table& table_;
    std::vector<CatalogProblem>& problems_;
    std::vector<std::vector<Value>> rows_;
    mutable std::set<std::string> missing_;
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

// "Item \"E9\": нет записи в FrnItem"
std::string Missing(const std::string& what, const std::string& value, const char* table) {
    return what + " " + value + ": нет записи в " + table;
}

// The key fields of a table that exist in its stored columns; empty when one is missing.
std::vector<std::string> StoredKey(const TableSpec& layout, const std::vector<FieldDef>& columns) {
    for (const std::string& name : layout.KeyFields)
        if (std::none_of(columns.begin(), columns.end(),
                         [&](const FieldDef& c) { return SameAsciiName(c.Name, name); }))
            return {};
    return layout.KeyFields;
}

std::string ColumnList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + QuoteIdentifier(name);
    return list;
}

// What the table objects cannot show because they read rows already made
// to fit their fields: keys that repeat and text in numeric columns (which
// reads as 0). Read straight from the stored tables.
std::vector<CatalogProblem> StoredProblems(Database& db) {
    std::vector<CatalogProblem> problems;
    if (!db.IsOpen())
        return problems;
    for (const TableSpec& layout : TableSpecs()) {
        if (layout.Database != DatabaseKind::Catalog || !db.HasTable(layout.Name))
            continue;
        const std::vector<FieldDef> columns = db.TableFields(layout.Name);
        const std::vector<std::string> key = StoredKey(layout, columns);
        if (layout.UniqueKey && !key.empty()) {
            Statement st(db, "SELECT " + ColumnList(key) + ", count(*) FROM " + QuoteIdentifier(layout.Name) +
                                 " GROUP BY " + ColumnList(key) + " HAVING count(*) > 1");
            while (st.Step()) {
                std::vector<std::string> values;
                for (size_t i = 0; i < key.size(); ++i)
                    values.push_back(ValueAsString({}, st.Column(static_cast<int>(i))));
                problems.push_back(
                    {layout.Name, KeyText(key, values),
                     "ключ повторяется: " + std::to_string(st.ColumnInt(static_cast<int>(key.size()))) +
                         " записи с ним"});
            }
        }
        for (const FieldDef& column : columns) {
            if (IsTextKind(column.Kind))
                continue;
            Statement st(db, "SELECT " + (key.empty() ? std::string("rowid") : ColumnList(key)) + ", " +
                                 QuoteIdentifier(column.Name) + " FROM " + QuoteIdentifier(layout.Name) +
                                 " WHERE typeof(" + QuoteIdentifier(column.Name) +
                                 ") = 'text' ORDER BY rowid");
            const int valueColumn = static_cast<int>(key.empty() ? 1 : key.size());
            while (st.Step()) {
                const std::string text = ValueAsString({}, st.Column(valueColumn));
                if (Trim(text).empty() || ParseDecimal(text))
                    continue;
                std::vector<std::string> values;
                for (int i = 0; i < valueColumn; ++i)
                    values.push_back(ValueAsString({}, st.Column(i)));
                problems.push_back(
                    {layout.Name, KeyText(key.empty() ? std::vector<std::string>{"rowid"} : key, values),
                     "в числовом поле [" + column.Name + "] текст " + Quoted(text) + ", он читается как 0"});
            }
        }
    }
    return problems;
}

void CollectUnknownNames(const ExpressionNode& node, std::set<std::string>& unknown) {
    if (node.kind == ExpressionNode::Kind::Name && FormulaSizeName(node.name) == FormulaName::None)
        unknown.insert(node.name);
    if (node.kind == ExpressionNode::Kind::Call && FormulaFunctionName(node.name) == FormulaFunction::None)
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
        return "формула длины " + Quoted(formula) + " использует " + names +
               ", чего створка не знает (читается как 0); высота - это FН/FFН с русской буквой Н";
    } catch (const std::exception& e) {
        return "формула длины " + Quoted(formula) + " не разбирается: " + e.what();
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
        const std::string entry = Trim(std::string_view(scheme).substr(start, end - start));
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
        : stored_(StoredProblems(dm.DB_Catalog)), color_(dm.T_Color, problems_),
          currency_(dm.T_Currency, problems_), priceGrp_(dm.T_PriceGrp, problems_),
          sysList_(dm.T_SysList, problems_), sysColor_(dm.T_SysColor, problems_),
          sysProp_(dm.T_SysProp, problems_), catalog_(dm.T_Catalog, problems_),
          frnComp_(dm.T_FrnComp, problems_), frnSide_(dm.T_FrnSide, problems_),
          frnItem_(dm.T_FrnItem, problems_), frnSet_(dm.T_FrnSet, problems_), frnArt_(dm.T_FrnArt, problems_),
          frnSchl_(dm.T_FrnSchl, problems_), frnDop_(dm.T_FrnDop, problems_), frnAbd_(dm.T_FrnAbd, problems_),
          frnProp_(dm.T_FrnProp, problems_), frnItoI_(dm.T_FrnItoI, problems_),
          falzList_(dm.T_FalzList, problems_), dornList_(dm.T_DornList, problems_) {
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
        // What the stored rows break comes first: it explains the rest.
        stored_.insert(stored_.end(), problems_.begin(), problems_.end());
        return stored_;
    }

private:
    void Report(const Rows& rows, std::string key, std::string problem) {
        problems_.push_back({rows.Name(), std::move(key), std::move(problem)});
    }

    void RequireArticle(const Rows& rows, size_t r, const std::string& key, const char* field) {
        const std::string id = rows.Text(r, field);
        if (id.empty())
            Report(rows, key, "поле [" + std::string(field) + "] пусто");
        else if (!articles_.count(id))
            Report(rows, key, Missing(field, Quoted(id), "Catalog"));
    }

    void RequireElement(const Rows& rows, size_t r, const std::string& key, const char* field) {
        const std::string id = rows.Text(r, field);
        if (id.empty())
            Report(rows, key, "поле [" + std::string(field) + "] пусто");
        else if (!elementVirtual_.count(id))
            Report(rows, key, Missing(field, Quoted(id), "FrnItem"));
    }

    void RequireColor(const Rows& rows, size_t r, const std::string& key, const char* field) {
        const std::string color = rows.Text(r, field);
        if (!color.empty() && !colors_.count(color))
            Report(rows, key, Missing(field, Quoted(color), "COLORSET"));
    }

    void RequirePropertyKey(const Rows& rows, size_t r, const std::string& key) {
        const int64_t propKey = rows.Int(r, "PropKey");
        if (propKey != 0 && !propertyKeys_.count(propKey))
            Report(rows, key,
                   "PropKey " + std::to_string(propKey) +
                       ": нет записей в FrnProp, ключ ничего не ограничивает");
    }

    // An element that yields nothing although a row requires it.
    void RequireSomeArticle(const Rows& rows, size_t r, const std::string& key, const std::string& element) {
        const auto found = elementVirtual_.find(element);
        if (found == elementVirtual_.end())
            return;
        if (found->second) {
            if (!composites_.count(element))
                Report(rows, key,
                       "у обязательного виртуального элемента " + Quoted(element) + " нет частей в FrnItoI");
        } else if (!elementsWithArticles_.count(element)) {
            Report(rows, key,
                   "у обязательного элемента " + Quoted(element) +
                       " нет ни одной записи в FrnArt, он молча выпадает из каждой комплектации");
        }
    }

    // Side `side` of a complect with `sides` sides; `what` names the field.
    void RequireSide(const Rows& rows, const std::string& key, int sides, const std::string& what,
                     int64_t side) {
        if (side < 1 || side > sides)
            Report(rows, key,
                   what + " " + std::to_string(side) + " вне сторон комплекта 1-" + std::to_string(sides));
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
                       "в наборе фальца " + std::to_string(luft) + "/" + std::to_string(size) + "-" +
                           std::to_string(pos) +
                           " есть значение меньше 1, с ним не рассчитать ни одну створку");
        }
        for (size_t r = 0; r < dornList_.Size(); ++r)
            if (dornList_.Float(r, "DornMass") <= 0)
                Report(dornList_, dornList_.Key(r, {"ID"}),
                       "DornMass не больше 0, с этим дорнмассом не рассчитать ни одну створку");
    }

    // A range whose minimum lies above its maximum passes nothing; in an
    // element row a maximum of 0 means no upper bound.
    void RequireRange(const Rows& rows, size_t r, const std::string& key, const std::string& group,
                      bool zeroMaxIsOpen) {
        const double min = rows.Float(r, group + "Min");
        const double max = rows.Float(r, group + "Max");
        if (min > max && !(zeroMaxIsOpen && max == 0))
            Report(rows, key,
                   group + "Min " + Number(min) + " больше " + group + "Max " + Number(max) +
                       ", диапазон ничего не пропускает");
    }

    static std::string Number(double value) { return FormatFloatShort(value); }

    void CheckSystems() {
        for (size_t r = 0; r < sysList_.Size(); ++r)
            RequireColor(sysList_, r, sysList_.Key(r, {"ID"}), "BaseColor");
        for (size_t r = 0; r < sysColor_.Size(); ++r) {
            const std::string key = sysColor_.Key(r, {"ID", "System"});
            RequireColor(sysColor_, r, key, "ID");
            if (!systems_.count(sysColor_.Text(r, "System")))
                Report(sysColor_, key, Missing("System", Quoted(sysColor_.Text(r, "System")), "SysList"));
        }
    }

    void CheckCatalogArticles() {
        for (size_t r = 0; r < catalog_.Size(); ++r) {
            const std::string key = catalog_.Key(r, {"ID"});
            const int64_t currency = catalog_.Int(r, "Currency");
            if (!currencies_.count(currency))
                Report(catalog_, key, Missing("Currency", std::to_string(currency), "Currency"));
            const int64_t group = catalog_.Int(r, "PriceGrp");
            if (group != 0 && !priceGroups_.count(group))
                Report(catalog_, key, Missing("PriceGrp", std::to_string(group), "PriceGrp"));
        }
    }

    void CheckComplects() {
        for (size_t r = 0; r < frnComp_.Size(); ++r) {
            const std::string id = frnComp_.Text(r, "ID");
            const std::string key = frnComp_.Key(r, {"ID"});
            const int64_t group = frnComp_.Int(r, "Group");
            // Only main complects are offered by their side rules.
            if ((group == 10 || group == 11 || group == 12) && !sideCount_.count(id))
                Report(frnComp_, key,
                       "у комплекта нет правил сторон в FrnSide, он не подходит ни к одной створке");
            const std::string symmetric = frnComp_.Text(r, "SymmetricID");
            if (!symmetric.empty() && !complects_.count(symmetric))
                Report(frnComp_, key, Missing("SymmetricID", Quoted(symmetric), "FrnComp"));
            RequirePropertyKey(frnComp_, r, key);
        }
    }

    void CheckSideRules() {
        for (size_t r = 0; r < frnSide_.Size(); ++r) {
            const std::string id = frnSide_.Text(r, "ID");
            const std::string key = frnSide_.Key(r, {"ID", "Side"});
            if (!complects_.count(id))
                Report(frnSide_, key, Missing("комплект", Quoted(id), "FrnComp"));
            const int sides = sideCount_[id];
            const int64_t side = frnSide_.Int(r, "Side");
            RequireSide(frnSide_, key, sides, "Side", side);
            if (frnSide_.Int(r, "OpenMode") == 1)
                RequireSide(frnSide_, key, sides, "RotSide", frnSide_.Int(r, "RotSide"));
            // Side lengths and corner angles are never 0, so a maximum of 0 refuses every sash.
            for (const char* group : {"Size", "Angle", "Radius"}) {
                const std::string g = group;
                const double min = frnSide_.Float(r, "Min" + g);
                const double max = frnSide_.Float(r, "Max" + g);
                if (min > max || (max <= 0 && g != "Radius"))
                    Report(frnSide_, key,
                           "Min" + g + " " + Number(min) + " и Max" + g + " " + Number(max) +
                               " ничего не допускают, комплект не подходит ни к одной створке");
            }
        }
    }

    void CheckElementRows() {
        for (size_t r = 0; r < frnSet_.Size(); ++r) {
            const std::string id = frnSet_.Text(r, "ID");
            const std::string item = frnSet_.Text(r, "Item");
            const std::string key = frnSet_.Key(r, {"ID", "Item", "Key"});
            if (!complects_.count(id))
                Report(frnSet_, key, Missing("комплект", Quoted(id), "FrnComp"));
            RequireElement(frnSet_, r, key, "Item");
            RequirePropertyKey(frnSet_, r, key);
            const std::string useIfArt = frnSet_.Text(r, "UseIfArt");
            if (!useIfArt.empty() && !articles_.count(useIfArt))
                Report(frnSet_, key, Missing("UseIfArt", Quoted(useIfArt), "Catalog"));
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
                       "Condition " + std::to_string(condition) + " - нет такого принципа расчёта (0-10)");
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
                       "шкала количества без ScaleScheme с ScaleStep " +
                           std::to_string(frnSet_.Int(r, "ScaleStep")) + " (нужно не меньше 1)");
            return;
        }
        for (const std::string& entry : BadSchemeEntries(scheme))
            Report(frnSet_, key,
                   "значение ScaleScheme " + Quoted(entry) + " не целое число и не учитывается");
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
                Report(frnSchl_, key, Missing("ItemComplectID", Quoted(complect), "FrnComp"));
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
                Report(frnDop_, key, Missing("ItemComplectID", Quoted(complect), "FrnComp"));
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
                       Missing("значение свойства", std::to_string(value), "SysProp"));
        }
    }

    std::vector<CatalogProblem> stored_;
    std::vector<CatalogProblem> problems_;
    Rows color_, currency_, priceGrp_, sysList_, sysColor_, sysProp_, catalog_, frnComp_, frnSide_, frnItem_,
        frnSet_, frnArt_, frnSchl_, frnDop_, frnAbd_, frnProp_, frnItoI_, falzList_, dornList_;
    std::set<std::string> colors_, systems_, articles_, complects_, elementsWithArticles_, composites_;
    std::set<int64_t> currencies_, priceGroups_, propertyValues_, propertyKeys_;
    std::map<std::string, bool> elementVirtual_; // element -> Virtual
    std::map<std::string, int> sideCount_;       // complect -> number of side rules
};

} // namespace

std::vector<CatalogProblem> CheckCatalog(TDM& dm) {
    return Checker(dm).Run();
}

std::string FormatCatalogProblem(const CatalogProblem& problem) {
    if (problem.Key.empty())
        return problem.Table + ": " + problem.Problem;
    return problem.Table + " [" + problem.Key + "]: " + problem.Problem;
}

} // namespace kvf
