#pragma once
// The tables of the three databases: their SQL schema and the key and
// secondary orders the table objects keep in memory.

#include <string>
#include <string_view>
#include <vector>

namespace kvf {

enum class DatabaseKind { Catalog, Registry, Report };

// A secondary order: its name, the fields it sorts by, and whether text
// compares ignoring case.
struct IndexSpec {
    std::string Name;
    std::vector<std::string> Fields;
    bool CaseInsensitive = false;
};

struct TableSpec {
    std::string Name; // table name in SQLite (the file name without extension)
    DatabaseKind Database;
    std::vector<std::string> KeyFields; // primary order; empty: stored order
    std::vector<IndexSpec> Indexes;
    // The key fields identify a row: no two rows have equal values in all of
    // them (a unique index in SQLite). Otherwise they only order the rows.
    bool UniqueKey = false;
};

// CREATE TABLE and CREATE UNIQUE INDEX statements of one database (idempotent).
const char* SchemaSql(DatabaseKind kind);
// "catalog.sqlite", "registry.sqlite", "reports.sqlite".
const char* DatabaseFileName(DatabaseKind kind);

const std::vector<TableSpec>& TableSpecs();
// The table of that name, compared ignoring ASCII case; nullptr when unknown.
const TableSpec* FindTableSpec(std::string_view name);

// "ID=C1, Item=E1, Key=10": the key fields of a row, named, for messages.
std::string KeyText(const std::vector<std::string>& fields, const std::vector<std::string>& values);

} // namespace kvf
