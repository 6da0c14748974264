#pragma once
// The differences between two catalogs, table by table: rows added, removed
// and changed. Rows are matched by the table's key; rows of one key that are
// equal on both sides pair first, the others pair in stored order (changed)
// and what is left over was added or removed. A table without a key matches
// whole rows. Values are compared as the text the program reads them as;
// auto-numbered fields, which only record the order rows were written in,
// are left out of both the matching and the comparison.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvf {

class Database;

// The fields of a row by name, in the table's order; a field the row's
// catalog does not have is absent.
using DiffRow = std::vector<std::pair<std::string, std::string>>;

struct FieldChange {
    std::string Field;
    std::optional<std::string> Old; // nothing when that catalog's table has no such field
    std::optional<std::string> New;
};

struct ChangedRow {
    DiffRow Key; // the key fields with their values
    std::vector<FieldChange> Fields;
};

struct TableDiff {
    std::string Table;
    std::vector<std::string> KeyFields; // the key without auto numbers; empty: rows match whole
    std::vector<DiffRow> Added;
    std::vector<DiffRow> Removed;
    std::vector<ChangedRow> Changed;

    bool Empty() const { return Added.empty() && Removed.empty() && Changed.empty(); }
};

// Every catalog table in the order of the schema, differences or not. Raises
// KvfError when a table cannot be read.
std::vector<TableDiff> DiffCatalogs(Database& oldCatalog, Database& newCatalog);

} // namespace kvf
