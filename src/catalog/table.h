#pragma once
// Table: one shared table object of the data module. It loads the rows of a
// SQLite table (or the result of a read-only query) into memory, keeps them in
// the key order or a secondary order, and offers the cursor operations the
// program uses: filter, iterate, locate, find by key, read fields by name,
// and edit, post and delete written through to SQLite in a transaction.
// Rows with equal order values keep their stored order (SQLite rowid).

#include "catalog/database.h"
#include "catalog/field.h"
#include "catalog/filter.h"
#include "catalog/schema.h"

#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kvf {

enum class TableState { Inactive, Browse, Edit, Insert };

struct LocateOptions {
    bool CaseInsensitive = false; // Windows-1251 upper case on both sides
    bool PartialKey = false;      // the field starts with the value
};

class Table;

// A read-only derived field: `ResultField` of the row of `Source` whose
// `SourceKeyField` equals this row's `KeyField`.
struct LookupFieldDef {
    std::string Name;
    std::string KeyField;
    Table* Source = nullptr;
    std::string SourceKeyField;
    std::string ResultField;
};

class Table {
public:
    // A table object over `tableName` of `db`. `fixedFilter` stays applied for
    // the object's whole life, beside any temporary filter.
    Table(std::string objectName, Database& db, std::string tableName, std::string fixedFilter = {});
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // A read-only query object: `displaySql` is the text shown in messages,
    // `sql` the statement run against SQLite.
    static std::unique_ptr<Table> MakeQuery(std::string objectName, Database& db);
    void SetQuery(std::string displaySql, std::string sql);
    bool IsQuery() const { return isQuery_; }
    const std::string& DisplaySql() const { return displaySql_; }

    const std::string& Name() const { return objectName_; }
    const std::string& TableName() const { return tableName_; }
    Database& GetDatabase() const { return db_; }

    // Loads the rows; raises KvfError when the table cannot be read.
    void Open();
    void Close();
    bool Active() const { return state_ != TableState::Inactive; }
    TableState State() const { return state_; }

    // Fields (data fields in table order).
    const std::vector<FieldDef>& Fields() const { return fields_; }
    int FieldIndex(std::string_view name) const; // ignoring ASCII case; -1 when absent
    bool HasDataField(std::string_view name) const { return FieldIndex(name) >= 0; }
    bool HasLookupField(std::string_view name) const;
    void AddLookupField(LookupFieldDef def);
    const std::vector<LookupFieldDef>& LookupFields() const { return lookups_; }

    // Orders: "" is the key order; other names are the table's secondary orders.
    void SetIndexName(const std::string& name);
    const std::string& IndexName() const { return indexName_; }

    // Temporary filter. The text is compiled once and cached.
    void SetFilter(const std::string& text);
    const std::string& Filter() const { return filterText_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }

    // Cursor over the rows that pass, in the current order.
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const;
    int RecNo() const { return cursor_; } // from 0; -1 when there is no current row
    int64_t RowId() const;                // SQLite rowid of the current row
    // Moves to the row with that rowid when it passes; false otherwise.
    bool GotoRowId(int64_t rowId);

    // First passing row whose fields ("A;B") equal the values; the cursor stays
    // where it was when none does.
    bool Locate(std::string_view fields, const std::vector<Value>& values, LocateOptions options = {});
    // Locate by the leading fields of the key order.
    bool FindKey(const std::vector<Value>& values);

    // Fields of the current row (also the edit buffer while editing). An
    // unknown name raises KvfError; lookup fields resolve through their source.
    Value FieldValue(std::string_view name) const;
    std::string AsString(std::string_view name) const;
    int64_t AsInteger(std::string_view name) const;
    double AsFloat(std::string_view name) const;
    int64_t AsMoneyUnits(std::string_view name) const;
    bool IsNull(std::string_view name) const;
    const FieldDef& Field(std::string_view name) const;
    // All data values of the current row.
    const std::vector<Value>& CurrentValues() const;

    // Editing. Post writes through to SQLite in one transaction.
    void Append();
    void Insert();
    void Edit();
    void SetValue(std::string_view name, const Value& value);
    void Post();
    void Cancel();
    void Delete();
    void EmptyTable();

    // Rows that pass, without moving the cursor (for lookups of other tables).
    const std::vector<Value>* FindRowIgnoringFilters(int field, const Value& value) const;

private:
    struct Row {
        int64_t RowId = 0;
        std::vector<Value> Values;
    };
    struct Order {
        std::vector<int> Fields;
        bool CaseInsensitive = false;
    };

    void RequireActive() const;
    // The current value of a data field, nullptr when `name` is none.
    const Value* DataValue(std::string_view name, const FieldDef*& field) const;
    // Reads the field through `as` (one of the ValueAs* functions): a data field
    // straight from the row, a lookup field through its lookup.
    template <class As> auto readAs(std::string_view name, As as) const {
        const FieldDef* f = nullptr;
        if (const Value* v = DataValue(name, f))
            return as(*f, *v);
        return as(Field(name), FieldValue(name));
    }
    void RequireRow() const;
    void RebuildOrder();
    void Invalidate();
    void EnsureView() const;
    std::shared_ptr<const CompiledFilter> CompileCached(const std::string& text);
    std::string SortImage(int field, const Value& v, bool caseInsensitive) const;
    int CompareRows(int a, int b) const;
    int CompareKey(int row, const std::vector<Value>& key, const std::vector<std::string>& keyImages) const;
    // The positions [first, end) in the current order whose leading text
    // field has this image; both the row count when none has.
    std::pair<int, int> LeadImageRange(const std::string& image) const;
    bool LocateFields(const std::vector<int>& fields, const std::vector<Value>& values,
                      LocateOptions options);
    // Columns of the numeric fields `filter` compares, by position in ordered_,
    // built on first use: a scan reads them in order instead of every row.
    const double* const* NumberColumns(const CompiledFilter& filter) const;
    const Row& CurrentRow() const;
    void WriteRow(const std::vector<Value>& values, std::optional<int64_t> rowId, int64_t& newRowId);
    // "ID=C1, Item=E1" for the key fields of `values`.
    std::string KeyOf(const std::vector<Value>& values) const;
    // The message refusing `values` when a row other than `ownRowId` has the
    // same key in a table whose key identifies its rows; "" otherwise.
    std::string KeyConflict(const std::vector<Value>& values, std::optional<int64_t> ownRowId) const;
    Order OrderFor(const std::string& indexName) const;

    std::string objectName_;
    Database& db_;
    std::string tableName_;
    std::string fixedFilterText_;
    bool isQuery_ = false;
    std::string displaySql_;
    std::string sql_;
    const TableSpec* spec_ = nullptr;

    TableState state_ = TableState::Inactive;
    std::vector<FieldDef> fields_;
    FieldNames names_;
    std::vector<LookupFieldDef> lookups_;
    std::vector<Row> rows_; // stored order

    std::string indexName_;
    Order order_;
    std::vector<int> ordered_; // row indices in the current order
    // Images of the order's text fields, one run of order_.Fields.size() per stored row.
    std::vector<std::string> sortImages_;
    const std::string& Image(int row, size_t k) const {
        return sortImages_[static_cast<size_t>(row) * order_.Fields.size() + k];
    }

    // Compiled filter texts, the least recently used dropped first once full.
    static constexpr size_t kFilterCacheSize = 4096;
    struct CachedFilter {
        std::shared_ptr<const CompiledFilter> Filter;
        std::list<const std::string*>::iterator Use;
    };
    std::unordered_map<std::string, CachedFilter> filterCache_;
    std::list<const std::string*> filterUse_; // keys of filterCache_, most recent first
    // A rebindable compiled filter per shape, cleared whole once full.
    std::unordered_map<std::string, std::shared_ptr<const CompiledFilter>> shapeCache_;
    FilterShape shape_; // the shape being looked up, kept for its buffers
    std::shared_ptr<const CompiledFilter> fixedFilter_;
    std::shared_ptr<const CompiledFilter> filter_;
    std::string filterText_;
    bool filtered_ = false;

    // The rows that pass: all of `ordered_` when nothing filters, else `view_`.
    mutable bool viewValid_ = false;
    mutable bool viewAll_ = true;
    mutable std::vector<int> view_;
    mutable bool repositionFirst_ = true;
    mutable int cursor_ = -1;
    mutable bool eof_ = true;
    mutable bool bof_ = true;
    int ViewSize() const;
    int ViewAt(int i) const;
    mutable std::vector<std::map<std::string, int>> lookupIndex_; // per field: text -> first stored row
    // Image of the order's leading text field -> its positions in ordered_,
    // built on first use; keys point into sortImages_.
    mutable std::unordered_map<std::string_view, std::pair<int, int>> leadIndex_;
    mutable bool leadIndexBuilt_ = false;
    // Per field: its numeric values by position in ordered_ (NaN for blank),
    // empty until a filter scans the field.
    mutable std::vector<std::vector<double>> numberColumns_;
    mutable std::vector<const double*> columnPointers_;
    mutable std::vector<bool> lookupIndexBuilt_;

    // Reused by Locate and FindKey so a search allocates nothing.
    std::vector<int> locateFields_;
    std::vector<std::string> wantText_;
    std::vector<double> wantNumber_;
    std::vector<std::string> keyImages_;

    std::vector<Value> editBuffer_;
    std::optional<int64_t> editRowId_;
};

// Sets a temporary filter and switches filtering on; the previous filter and
// switch come back when the scope ends, whichever way it ends.
class FilterScope {
public:
    FilterScope(Table& table, const std::string& text);
    ~FilterScope();
    FilterScope(const FilterScope&) = delete;
    FilterScope& operator=(const FilterScope&) = delete;

private:
    Table& table_;
    std::string previousText_;
    bool previousFiltered_;
};

// Selects an order for the scope's lifetime.
class IndexScope {
public:
    IndexScope(Table& table, const std::string& indexName);
    ~IndexScope();
    IndexScope(const IndexScope&) = delete;
    IndexScope& operator=(const IndexScope&) = delete;

private:
    Table& table_;
    std::string previous_;
};

} // namespace kvf
