#include "catalog/table.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kvf {

namespace {

// The name without the control characters and spaces around it.
std::string_view TrimName(std::string_view s) {
    size_t begin = 0, end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ')
        --end;
    return s.substr(begin, end - begin);
}

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// The Windows-1251 image of UTF-8 text into `out`; ASCII text is its own image.
void AnsiImage(std::string_view utf8, std::string& out) {
    if (IsAscii(utf8))
        out.assign(utf8);
    else
        out = ToAnsi(utf8);
}

} // namespace

Table::Table(std::string objectName, Database& db, std::string tableName, std::string fixedFilter)
    : objectName_(std::move(objectName)), db_(db), tableName_(std::move(tableName)),
      fixedFilterText_(std::move(fixedFilter)), spec_(FindTableSpec(tableName_)) {}

Table::~Table() = default;

std::unique_ptr<Table> Table::MakeQuery(std::string objectName, Database& db) {
    auto t = std::make_unique<Table>(std::move(objectName), db, std::string());
    t->isQuery_ = true;
    t->spec_ = nullptr;
    return t;
}

void Table::SetQuery(std::string displaySql, std::string sql) {
    Close();
    displaySql_ = std::move(displaySql);
    sql_ = std::move(sql);
}

void Table::RequireActive() const {
    if (state_ == TableState::Inactive)
        throw KvfError("Таблица [" + objectName_ + "] не открыта");
}

void Table::RequireRow() const {
    RequireActive();
    EnsureView();
    if (cursor_ < 0 || cursor_ >= ViewSize())
        throw KvfError("Таблица [" + objectName_ + "] не содержит записей");
}

void Table::Open() {
    if (Active())
        return;
    std::vector<FieldDef> fields;
    std::vector<Row> rows;
    if (isQuery_) {
        Statement st(db_, sql_);
        int n = st.ColumnCount();
        int rowIdColumn = -1;
        for (int i = 0; i < n; ++i) {
            std::string name = st.ColumnName(i);
            if (name == "_rowid_") {
                rowIdColumn = i;
                continue;
            }
            std::string decl = st.ColumnDeclType(i);
            fields.push_back(FieldDefFromDeclaredType(name, decl.empty() ? "TEXT(255)" : decl));
        }
        int64_t ordinal = 0;
        while (st.Step()) {
            Row r;
            r.RowId = ++ordinal;
            int k = 0;
            for (int i = 0; i < n; ++i) {
                if (i == rowIdColumn) {
                    r.RowId = st.ColumnInt(i);
                    continue;
                }
                r.Values.push_back(NormalizeValue(fields[k], st.Column(i)));
                ++k;
            }
            rows.push_back(std::move(r));
        }
    } else {
        if (!db_.IsOpen())
            throw KvfError("База данных " + db_.Alias() + " не открыта");
        fields = db_.TableFields(tableName_);
        if (fields.empty())
            throw KvfError("Таблица " + tableName_ + " не найдена в " + db_.Path());
        {
            Statement count(db_, "SELECT count(*) FROM " + QuoteIdentifier(tableName_));
            if (count.Step())
                rows.reserve(static_cast<size_t>(count.ColumnInt(0)));
        }
        Statement st(db_, "SELECT rowid, * FROM " + QuoteIdentifier(tableName_) + " ORDER BY rowid");
        while (st.Step()) {
            Row r;
            r.RowId = st.ColumnInt(0);
            r.Values.reserve(fields.size());
            for (size_t i = 0; i < fields.size(); ++i)
                r.Values.push_back(NormalizeValue(fields[i], st.Column(static_cast<int>(i) + 1)));
            rows.push_back(std::move(r));
        }
    }
    std::shared_ptr<const CompiledFilter> fixed;
    if (!fixedFilterText_.empty())
        fixed = CompiledFilter::Compile(fixedFilterText_, fields, FieldNames(fields));
    fields_ = std::move(fields);
    names_ = FieldNames(fields_);
    rows_ = std::move(rows);
    filterCache_.clear();
    filterUse_.clear();
    shapeCache_.clear();
    fixedFilter_ = fixed;
    filter_.reset();
    if (!filterText_.empty()) {
        try {
            filter_ = CompileCached(filterText_);
        } catch (const KvfError&) {
            filterText_.clear();
        }
    }
    state_ = TableState::Browse;
    order_ = OrderFor(indexName_);
    RebuildOrder();
}

void Table::Close() {
    state_ = TableState::Inactive;
    rows_.clear();
    ordered_.clear();
    sortImages_.clear();
    view_.clear();
    viewValid_ = false;
    cursor_ = -1;
    eof_ = bof_ = true;
    editBuffer_.clear();
    lookupIndex_.clear();
    lookupIndexBuilt_.clear();
    leadIndex_.clear();
    leadIndexBuilt_ = false;
    numberColumns_.clear();
    columnPointers_.clear();
}

int Table::FieldIndex(std::string_view name) const {
    return names_.Find(name);
}

bool Table::HasLookupField(std::string_view name) const {
    for (const auto& l : lookups_)
        if (SameAsciiName(l.Name, name))
            return true;
    return false;
}

void Table::AddLookupField(LookupFieldDef def) {
    lookups_.push_back(std::move(def));
}

Table::Order Table::OrderFor(const std::string& indexName) const {
    Order o;
    std::vector<std::string> names;
    if (spec_) {
        if (indexName.empty()) {
            names = spec_->KeyFields;
        } else {
            bool found = false;
            for (const auto& ix : spec_->Indexes)
                if (SameAsciiName(ix.Name, indexName)) {
                    names = ix.Fields;
                    o.CaseInsensitive = ix.CaseInsensitive;
                    found = true;
                }
            if (!found)
                throw KvfError("Индекс [" + indexName + "] не найден в таблице [" + objectName_ + "]");
        }
    } else if (!indexName.empty()) {
        throw KvfError("Индекс [" + indexName + "] не найден в таблице [" + objectName_ + "]");
    }
    for (const auto& n : names) {
        int f = FieldIndex(n);
        if (f >= 0)
            o.Fields.push_back(f);
    }
    return o;
}

void Table::SetIndexName(const std::string& name) {
    if (!Active()) {
        indexName_ = name;
        return;
    }
    Order o = OrderFor(name);
    int64_t current = (cursor_ >= 0 && cursor_ < ViewSize()) ? rows_[ViewAt(cursor_)].RowId : -1;
    indexName_ = name;
    order_ = o;
    RebuildOrder();
    if (current >= 0)
        GotoRowId(current);
}

std::string Table::SortImage(int field, const Value& v, bool caseInsensitive) const {
    if (!IsTextKind(fields_[field].Kind))
        return {};
    const std::string* s = std::get_if<std::string>(&v);
    if (!s)
        return ToAnsi(ValueAsString(fields_[field], v));
    if (caseInsensitive)
        return ToAnsi(AnsiUpperCase(*s));
    std::string image;
    AnsiImage(*s, image);
    return image;
}

int Table::CompareRows(int a, int b) const {
    for (size_t k = 0; k < order_.Fields.size(); ++k) {
        int f = order_.Fields[k];
        int c = 0;
        if (IsTextKind(fields_[f].Kind))
            c = Image(a, k).compare(Image(b, k));
        else
            c = CompareNumbers(ValueAsFloat(fields_[f], rows_[a].Values[f]),
                               ValueAsFloat(fields_[f], rows_[b].Values[f]));
        if (c != 0)
            return c;
    }
    return 0;
}

void Table::RebuildOrder() {
    size_t n = rows_.size();
    const size_t width = order_.Fields.size();
    sortImages_.clear();
    sortImages_.resize(n * width);
    for (size_t r = 0; r < n; ++r)
        for (size_t k = 0; k < width; ++k) {
            int f = order_.Fields[k];
            if (IsTextKind(fields_[f].Kind))
                sortImages_[r * width + k] = SortImage(f, rows_[r].Values[f], order_.CaseInsensitive);
        }
    ordered_.resize(n);
    for (size_t i = 0; i < n; ++i)
        ordered_[i] = static_cast<int>(i);
    if (!order_.Fields.empty())
        std::stable_sort(ordered_.begin(), ordered_.end(),
                         [this](int a, int b) { return CompareRows(a, b) < 0; });
    lookupIndex_.clear();
    lookupIndexBuilt_.clear();
    leadIndex_.clear();
    leadIndexBuilt_ = false;
    numberColumns_.clear();
    columnPointers_.clear();
    Invalidate();
}

void Table::Invalidate() {
    viewValid_ = false;
    repositionFirst_ = true;
}

std::shared_ptr<const CompiledFilter> Table::CompileCached(const std::string& text) {
    auto it = filterCache_.find(text);
    if (it != filterCache_.end()) {
        filterUse_.splice(filterUse_.begin(), filterUse_, it->second.Use);
        return it->second.Filter;
    }
    std::shared_ptr<const CompiledFilter> compiled;
    const bool shaped = CompiledFilter::ShapeOf(text, shape_);
    if (shaped) {
        auto known = shapeCache_.find(shape_.Key);
        // A rebound text is not kept: binding it again costs about what keeping it would.
        if (known != shapeCache_.end())
            if ((compiled = known->second->Rebind(text, shape_)))
                return compiled;
    }
    if (!compiled) {
        compiled = CompiledFilter::Compile(text, fields_, names_);
        if (shaped && compiled->Rebindable()) {
            if (shapeCache_.size() >= kFilterCacheSize)
                shapeCache_.clear();
            shapeCache_.emplace(shape_.Key, compiled);
        }
    }
    if (filterCache_.size() >= kFilterCacheSize) {
        filterCache_.erase(*filterUse_.back());
        filterUse_.pop_back();
    }
    auto added = filterCache_.emplace(text, CachedFilter{compiled, {}}).first;
    filterUse_.push_front(&added->first);
    added->second.Use = filterUse_.begin();
    return compiled;
}

void Table::SetFilter(const std::string& text) {
    if (text == filterText_ && (filter_ || text.empty()))
        return;
    std::shared_ptr<const CompiledFilter> compiled;
    if (!text.empty() && Active())
        compiled = CompileCached(text);
    filterText_ = text;
    filter_ = compiled;
    if (filtered_)
        Invalidate();
}

void Table::SetFiltered(bool on) {
    if (on == filtered_)
        return;
    filtered_ = on;
    Invalidate();
}

const double* const* Table::NumberColumns(const CompiledFilter& filter) const {
    if (numberColumns_.size() != fields_.size()) {
        numberColumns_.assign(fields_.size(), {});
        columnPointers_.assign(fields_.size(), nullptr);
    }
    for (int f : filter.NumberFields()) {
        auto& column = numberColumns_[static_cast<size_t>(f)];
        if (column.size() == ordered_.size() && !ordered_.empty())
            continue;
        column.resize(ordered_.size());
        for (size_t i = 0; i < ordered_.size(); ++i) {
            const Value& v = rows_[static_cast<size_t>(ordered_[i])].Values[static_cast<size_t>(f)];
            if (const auto* n = std::get_if<int64_t>(&v))
                column[i] = static_cast<double>(*n);
            else if (const auto* d = std::get_if<double>(&v))
                column[i] = *d;
            else
                column[i] = IsBlank(v) ? std::numeric_limits<double>::quiet_NaN() : 0.0;
        }
        columnPointers_[static_cast<size_t>(f)] = column.data();
    }
    return columnPointers_.data();
}

int Table::ViewSize() const {
    return viewAll_ ? static_cast<int>(ordered_.size()) : static_cast<int>(view_.size());
}

int Table::ViewAt(int i) const {
    return viewAll_ ? ordered_[i] : view_[i];
}

void Table::EnsureView() const {
    if (!viewValid_) {
        bool filtering = fixedFilter_ || (filtered_ && filter_);
        viewAll_ = !filtering;
        view_.clear();
        if (filtering) {
            size_t begin = 0, end = ordered_.size();
            // A filter that fixes the leading order field scans only that range.
            if (!order_.Fields.empty()) {
                int lead = order_.Fields[0];
                std::optional<Value> fixed;
                if (filtered_ && filter_)
                    fixed = filter_->FixedValue(lead);
                if (!fixed && fixedFilter_)
                    fixed = fixedFilter_->FixedValue(lead);
                bool textField = IsTextKind(fields_[lead].Kind);
                if (fixed && textField == std::holds_alternative<std::string>(*fixed)) {
                    if (textField) {
                        auto range = LeadImageRange(SortImage(lead, *fixed, order_.CaseInsensitive));
                        begin = static_cast<size_t>(range.first);
                        end = static_cast<size_t>(range.second);
                    } else {
                        double number = ValueAsFloat(fields_[lead], *fixed);
                        auto cmp = [&](int row) {
                            return CompareNumbers(ValueAsFloat(fields_[lead], rows_[row].Values[lead]),
                                                  number);
                        };
                        auto lo = std::partition_point(ordered_.begin(), ordered_.end(),
                                                       [&](int r) { return cmp(r) < 0; });
                        auto hi =
                            std::partition_point(lo, ordered_.end(), [&](int r) { return cmp(r) <= 0; });
                        begin = static_cast<size_t>(lo - ordered_.begin());
                        end = static_cast<size_t>(hi - ordered_.begin());
                    }
                }
            }
            const double* const* columns = filtered_ && filter_ ? NumberColumns(*filter_) : nullptr;
            for (size_t i = begin; i < end; ++i) {
                const int row = ordered_[i];
                const auto& values = rows_[row].Values;
                if (fixedFilter_ && !fixedFilter_->Matches(values))
                    continue;
                if (filtered_ && filter_ && !filter_->Matches(values, columns, i))
                    continue;
                view_.push_back(row);
            }
        }
        viewValid_ = true;
    }
    if (repositionFirst_) {
        repositionFirst_ = false;
        cursor_ = ViewSize() > 0 ? 0 : -1;
        eof_ = ViewSize() == 0;
        bof_ = true;
    }
}

void Table::First() {
    RequireActive();
    EnsureView();
    cursor_ = ViewSize() > 0 ? 0 : -1;
    eof_ = ViewSize() == 0;
    bof_ = true;
}

void Table::Last() {
    RequireActive();
    EnsureView();
    cursor_ = ViewSize() - 1;
    eof_ = ViewSize() == 0;
    bof_ = ViewSize() == 0;
}

void Table::Next() {
    RequireActive();
    EnsureView();
    if (cursor_ + 1 < ViewSize()) {
        ++cursor_;
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void Table::Prior() {
    RequireActive();
    EnsureView();
    if (cursor_ > 0) {
        --cursor_;
        eof_ = false;
    } else {
        bof_ = true;
    }
}

bool Table::Eof() const {
    if (!Active())
        return true;
    EnsureView();
    return eof_;
}

int Table::RecordCount() const {
    if (!Active())
        return 0;
    EnsureView();
    return ViewSize();
}

int64_t Table::RowId() const {
    RequireRow();
    return rows_[ViewAt(cursor_)].RowId;
}

bool Table::GotoRowId(int64_t rowId) {
    RequireActive();
    EnsureView();
    for (int i = 0; i < ViewSize(); ++i)
        if (rows_[ViewAt(i)].RowId == rowId) {
            cursor_ = i;
            eof_ = bof_ = false;
            return true;
        }
    return false;
}

int Table::CompareKey(int row, const std::vector<Value>& key,
                      const std::vector<std::string>& keyImages) const {
    for (size_t k = 0; k < key.size(); ++k) {
        int f = order_.Fields[k];
        int c = IsTextKind(fields_[f].Kind) ? Image(row, k).compare(keyImages[k])
                                            : CompareNumbers(ValueAsFloat(fields_[f], rows_[row].Values[f]),
                                                             ValueAsFloat(fields_[f], key[k]));
        if (c != 0)
            return c;
    }
    return 0;
}

bool Table::Locate(std::string_view fieldList, const std::vector<Value>& values, LocateOptions options) {
    RequireActive();
    // One name is taken as it is; each name of a list without the spaces around it.
    std::vector<int>& fields = locateFields_;
    fields.clear();
    const bool list = fieldList.find(';') != std::string_view::npos;
    size_t start = 0;
    for (;;) {
        size_t end = fieldList.find(';', start);
        std::string_view name = fieldList.substr(start, end == std::string_view::npos ? end : end - start);
        if (list)
            name = TrimName(name);
        int f = FieldIndex(name);
        if (f < 0)
            throw KvfError("Поле [" + std::string(name) + "] не найдено в таблице [" + objectName_ + "]");
        fields.push_back(f);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return LocateFields(fields, values, options);
}

bool Table::LocateFields(const std::vector<int>& fields, const std::vector<Value>& values,
                         LocateOptions options) {
    EnsureView();
    if (fields.size() != values.size())
        throw KvfError("Неверное число значений для поиска в таблице [" + objectName_ + "]");

    // Wanted values in the form each field compares: text as it is (or upper
    // case), numbers as numbers.
    const size_t n = fields.size();
    wantText_.resize(n);
    wantNumber_.resize(n);
    for (size_t k = 0; k < n; ++k) {
        const FieldDef& fd = fields_[fields[k]];
        if (IsTextKind(fd.Kind)) {
            const std::string* s = std::get_if<std::string>(&values[k]);
            if (options.CaseInsensitive)
                wantText_[k] = AnsiUpperCase(s ? *s : ValueAsString(fd, values[k]));
            else if (s)
                wantText_[k].assign(*s);
            else
                wantText_[k] = ValueAsString(fd, values[k]);
        } else {
            FieldDef asNumber{std::string(), FieldKind::Double};
            wantNumber_[k] = ValueAsFloat(asNumber, NormalizeValue(asNumber, values[k]));
        }
    }
    auto matches = [&](int row) {
        for (size_t k = 0; k < n; ++k) {
            const FieldDef& fd = fields_[fields[k]];
            const Value& v = rows_[row].Values[fields[k]];
            if (IsTextKind(fd.Kind)) {
                static const std::string kEmpty;
                const std::string* s = std::get_if<std::string>(&v);
                const std::string& have = s ? *s : kEmpty;
                const std::string& want = wantText_[k];
                if (options.CaseInsensitive) {
                    std::string upper = AnsiUpperCase(have);
                    if (options.PartialKey ? upper.compare(0, want.size(), want) != 0 : upper != want)
                        return false;
                } else if (options.PartialKey ? have.compare(0, want.size(), want) != 0 : have != want) {
                    return false;
                }
            } else if (CompareNumbers(ValueAsFloat(fd, v), wantNumber_[k]) != 0) {
                return false;
            }
        }
        return true;
    };

    bool prefixOfOrder = !options.CaseInsensitive && !options.PartialKey && !order_.CaseInsensitive &&
                         n <= order_.Fields.size();
    for (size_t k = 0; prefixOfOrder && k < n; ++k)
        prefixOfOrder = fields[k] == order_.Fields[k] &&
                        IsTextKind(fields_[fields[k]].Kind) == std::holds_alternative<std::string>(values[k]);
    const int count = ViewSize();
    if (prefixOfOrder) {
        keyImages_.resize(n);
        for (size_t k = 0; k < n; ++k)
            if (IsTextKind(fields_[fields[k]].Kind))
                AnsiImage(std::get<std::string>(values[k]), keyImages_[k]);
        int lo = 0, hi = count;
        if (n == 1 && viewAll_ && IsTextKind(fields_[fields[0]].Kind)) {
            lo = LeadImageRange(keyImages_[0]).first;
        } else {
            while (lo < hi) {
                int mid = lo + (hi - lo) / 2;
                if (CompareKey(ViewAt(mid), values, keyImages_) < 0)
                    lo = mid + 1;
                else
                    hi = mid;
            }
        }
        for (int i = lo; i < count && CompareKey(ViewAt(i), values, keyImages_) == 0; ++i)
            if (matches(ViewAt(i))) {
                cursor_ = i;
                eof_ = bof_ = false;
                return true;
            }
        return false;
    }
    for (int i = 0; i < count; ++i)
        if (matches(ViewAt(i))) {
            cursor_ = i;
            eof_ = bof_ = false;
            return true;
        }
    return false;
}

std::pair<int, int> Table::LeadImageRange(const std::string& image) const {
    if (!leadIndexBuilt_) {
        leadIndex_.reserve(ordered_.size());
        for (size_t i = 0; i < ordered_.size(); ++i) {
            auto& range = leadIndex_.try_emplace(Image(ordered_[i], 0), static_cast<int>(i), 0).first->second;
            range.second = static_cast<int>(i) + 1;
        }
        leadIndexBuilt_ = true;
    }
    auto it = leadIndex_.find(image);
    const int none = static_cast<int>(ordered_.size());
    return it == leadIndex_.end() ? std::pair{none, none} : it->second;
}

bool Table::FindKey(const std::vector<Value>& values) {
    RequireActive();
    if (values.empty() || values.size() > order_.Fields.size())
        throw KvfError("Неверное число значений ключа таблицы [" + objectName_ + "]");
    locateFields_.assign(order_.Fields.begin(), order_.Fields.begin() + static_cast<long>(values.size()));
    return LocateFields(locateFields_, values, {});
}

const Table::Row& Table::CurrentRow() const {
    RequireRow();
    return rows_[ViewAt(cursor_)];
}

const std::vector<Value>& Table::CurrentValues() const {
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        return editBuffer_;
    return CurrentRow().Values;
}

const FieldDef& Table::Field(std::string_view name) const {
    int f = FieldIndex(name);
    if (f < 0) {
        for (const auto& l : lookups_)
            if (SameAsciiName(l.Name, name)) {
                static const FieldDef kLookup{"", FieldKind::Text, 255, 0};
                return kLookup;
            }
        throw KvfError("Поле [" + std::string(name) + "] не найдено в таблице [" + objectName_ + "]");
    }
    return fields_[f];
}

const std::vector<Value>* Table::FindRowIgnoringFilters(int field, const Value& value) const {
    if (!Active() || field < 0 || field >= static_cast<int>(fields_.size()))
        return nullptr;
    if (lookupIndex_.size() != fields_.size()) {
        lookupIndex_.assign(fields_.size(), {});
        lookupIndexBuilt_.assign(fields_.size(), false);
    }
    auto& index = lookupIndex_[field];
    if (!lookupIndexBuilt_[field]) {
        for (size_t r = 0; r < rows_.size(); ++r)
            index.emplace(ValueAsString(fields_[field], rows_[r].Values[field]), static_cast<int>(r));
        lookupIndexBuilt_[field] = true;
    }
    std::string key = ValueAsString(fields_[field], NormalizeValue(fields_[field], value));
    auto it = index.find(key);
    return it == index.end() ? nullptr : &rows_[it->second].Values;
}

Value Table::FieldValue(std::string_view name) const {
    RequireActive();
    int f = FieldIndex(name);
    if (f >= 0)
        return CurrentValues()[f];
    for (const auto& l : lookups_) {
        if (!SameAsciiName(l.Name, name))
            continue;
        const Value& key = CurrentValues()[FieldIndex(l.KeyField)];
        if (IsBlank(key) || !l.Source)
            return Value{};
        const auto* row = l.Source->FindRowIgnoringFilters(l.Source->FieldIndex(l.SourceKeyField), key);
        if (!row)
            return Value{};
        int rf = l.Source->FieldIndex(l.ResultField);
        return rf >= 0 ? (*row)[rf] : Value{};
    }
    throw KvfError("Поле [" + std::string(name) + "] не найдено в таблице [" + objectName_ + "]");
}

const Value* Table::DataValue(std::string_view name, const FieldDef*& field) const {
    int f = FieldIndex(name);
    if (f < 0)
        return nullptr;
    RequireActive();
    field = &fields_[f];
    return &CurrentValues()[f];
}

std::string Table::AsString(std::string_view name) const {
    return readAs(name, ValueAsString);
}
int64_t Table::AsInteger(std::string_view name) const {
    return readAs(name, ValueAsInteger);
}
double Table::AsFloat(std::string_view name) const {
    return readAs(name, ValueAsFloat);
}
int64_t Table::AsMoneyUnits(std::string_view name) const {
    return readAs(name, ValueAsMoneyUnits);
}
bool Table::IsNull(std::string_view name) const {
    Value v = FieldValue(name);
    if (IsBlank(v))
        return true;
    const auto* s = std::get_if<std::string>(&v);
    return s && s->empty();
}

void Table::Append() {
    RequireActive();
    if (isQuery_)
        throw KvfError("Запрос [" + objectName_ + "] доступен только для чтения");
    if (state_ != TableState::Browse)
        Post();
    editBuffer_.assign(fields_.size(), Value{});
    editRowId_.reset();
    state_ = TableState::Insert;
}

void Table::Insert() {
    Append();
}

void Table::Edit() {
    if (isQuery_)
        throw KvfError("Запрос [" + objectName_ + "] доступен только для чтения");
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        return;
    const Row& r = CurrentRow();
    editBuffer_ = r.Values;
    editRowId_ = r.RowId;
    state_ = TableState::Edit;
}

void Table::SetValue(std::string_view name, const Value& value) {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        throw KvfError("Таблица [" + objectName_ + "] не в режиме редактирования");
    int f = FieldIndex(name);
    if (f < 0)
        throw KvfError("Поле [" + std::string(name) + "] не найдено в таблице [" + objectName_ + "]");
    editBuffer_[f] = NormalizeValue(fields_[f], value);
}

void Table::WriteRow(const std::vector<Value>& values, std::optional<int64_t> rowId, int64_t& newRowId) {
    std::string sql;
    if (rowId) {
        sql = "UPDATE " + QuoteIdentifier(tableName_) + " SET ";
        for (size_t i = 0; i < fields_.size(); ++i)
            sql += (i ? ", " : "") + QuoteIdentifier(fields_[i].Name) + "=?" + std::to_string(i + 1);
        sql += " WHERE rowid=?" + std::to_string(fields_.size() + 1);
    } else {
        sql = "INSERT INTO " + QuoteIdentifier(tableName_) + " (";
        std::string params;
        for (size_t i = 0; i < fields_.size(); ++i) {
            sql += (i ? ", " : "") + QuoteIdentifier(fields_[i].Name);
            params += (i ? ", ?" : "?") + std::to_string(i + 1);
        }
        sql += ") VALUES (" + params + ")";
    }
    Database::Transaction tx(db_);
    try {
        Statement st(db_, sql);
        for (size_t i = 0; i < fields_.size(); ++i)
            BindField(st, static_cast<int>(i) + 1, fields_[i], values[i]);
        if (rowId)
            st.Bind(static_cast<int>(fields_.size()) + 1, Value{*rowId});
        st.Step();
    } catch (const KvfError&) {
        // Another program stored the same key after this one loaded the table.
        if (db_.KeyViolated())
            throw KvfError("Таблица [" + tableName_ + "]: запись с ключом (" + KeyOf(values) + ") уже есть");
        throw;
    }
    newRowId = rowId ? *rowId : db_.LastInsertRowId();
    tx.Commit();
}

std::string Table::KeyOf(const std::vector<Value>& values) const {
    if (spec_ == nullptr)
        return "";
    std::vector<std::string> texts;
    for (const std::string& name : spec_->KeyFields) {
        const int f = FieldIndex(name);
        texts.push_back(f < 0 ? "" : ValueAsString(fields_[f], values[f]));
    }
    return KeyText(spec_->KeyFields, texts);
}

std::string Table::KeyConflict(const std::vector<Value>& values, std::optional<int64_t> ownRowId) const {
    if (spec_ == nullptr || !spec_->UniqueKey)
        return "";
    std::vector<int> key;
    for (const std::string& name : spec_->KeyFields) {
        key.push_back(FieldIndex(name));
        if (key.back() < 0)
            return "";
    }
    auto same = [&](int f, const Value& a, const Value& b) {
        return IsTextKind(fields_[f].Kind) ? ValueAsString(fields_[f], a) == ValueAsString(fields_[f], b)
                                           : ValueAsFloat(fields_[f], a) == ValueAsFloat(fields_[f], b);
    };
    for (const Row& r : rows_) {
        if (ownRowId && r.RowId == *ownRowId)
            continue;
        if (std::all_of(key.begin(), key.end(), [&](int f) { return same(f, r.Values[f], values[f]); }))
            return "Таблица [" + tableName_ + "]: запись с ключом (" + KeyOf(values) + ") уже есть";
    }
    return "";
}

void Table::Post() {
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return;
    std::vector<Value> values = editBuffer_;
    if (state_ == TableState::Insert)
        for (size_t i = 0; i < fields_.size(); ++i)
            if (fields_[i].Kind == FieldKind::AutoInc && IsBlank(values[i])) {
                int64_t top = 0;
                for (const Row& r : rows_)
                    top = std::max(top, ValueAsInteger(fields_[i], r.Values[i]));
                values[i] = top + 1;
            }
    const std::string conflict =
        KeyConflict(values, state_ == TableState::Edit ? editRowId_ : std::optional<int64_t>());
    if (!conflict.empty())
        throw KvfError(conflict);
    int64_t rowId = 0;
    WriteRow(values, state_ == TableState::Edit ? editRowId_ : std::nullopt, rowId);
    if (state_ == TableState::Edit) {
        for (Row& r : rows_)
            if (r.RowId == rowId)
                r.Values = values;
    } else {
        rows_.push_back(Row{rowId, values});
    }
    state_ = TableState::Browse;
    editBuffer_.clear();
    RebuildOrder();
    GotoRowId(rowId);
}

void Table::Cancel() {
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        state_ = TableState::Browse;
    editBuffer_.clear();
}

void Table::Delete() {
    if (isQuery_)
        throw KvfError("Запрос [" + objectName_ + "] доступен только для чтения");
    if (state_ == TableState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    const Row& r = CurrentRow();
    int64_t rowId = r.RowId;
    int position = cursor_;
    {
        Database::Transaction tx(db_);
        Statement st(db_, "DELETE FROM " + QuoteIdentifier(tableName_) + " WHERE rowid=?1");
        st.Bind(1, Value{rowId});
        st.Step();
        tx.Commit();
    }
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [&](const Row& x) { return x.RowId == rowId; }),
                rows_.end());
    RebuildOrder();
    EnsureView();
    if (ViewSize() > 0) {
        cursor_ = std::min(position, ViewSize() - 1);
        eof_ = bof_ = false;
    }
}

void Table::EmptyTable() {
    RequireActive();
    if (isQuery_)
        throw KvfError("Запрос [" + objectName_ + "] доступен только для чтения");
    Cancel();
    Database::Transaction tx(db_);
    db_.Exec("DELETE FROM " + QuoteIdentifier(tableName_));
    tx.Commit();
    rows_.clear();
    RebuildOrder();
}

FilterScope::FilterScope(Table& table, const std::string& text)
    : table_(table), previousText_(table.Filter()), previousFiltered_(table.Filtered()) {
    table_.SetFilter(text);
    table_.SetFiltered(true);
}

FilterScope::~FilterScope() {
    table_.SetFiltered(previousFiltered_);
    try {
        table_.SetFilter(previousText_);
    } catch (...) {
        table_.SetFilter(std::string());
    }
}

IndexScope::IndexScope(Table& table, const std::string& indexName)
    : table_(table), previous_(table.IndexName()) {
    table_.SetIndexName(indexName);
}

IndexScope::~IndexScope() {
    try {
        table_.SetIndexName(previous_);
    } catch (...) {
    }
}

} // namespace kvf
