#pragma once
// Database: one SQLite file in a database folder (catalog.sqlite,
// registry.sqlite, reports.sqlite), reached through SQLite's C API.

#include "catalog/field.h"
#include "catalog/schema.h"

#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kvf {

class Database {
public:
    Database(std::string alias, DatabaseKind kind);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Alias() const { return alias_; }
    DatabaseKind Kind() const { return kind_; }

    // Opens folder/<file>; a missing file is created with the empty tables,
    // or with `create` off raises. Raises KvfError when the file cannot be opened.
    void Open(const std::string& folder, bool create = true);
    // Opens an existing or new SQLite file by its full path, without adding tables.
    void OpenFile(const std::string& path);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    const std::string& Folder() const { return folder_; }
    const std::string& Path() const { return path_; }

    void Exec(const std::string& sql);
    // Fields of a table from its declared column types; empty when the table is missing.
    std::vector<FieldDef> TableFields(const std::string& table);
    bool HasTable(const std::string& table);

    sqlite3* Handle() const { return db_; }
    int64_t LastInsertRowId() const;
    // Raises KvfError with the reason of the last failed call, in Russian.
    [[noreturn]] void Raise(const std::string& context) const;
    // Whether the last failed call broke a unique index.
    bool KeyViolated() const;

    // Begins a transaction; rolled back on destruction unless committed.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void Commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Database& db_;
        bool done_ = false;
    };

private:
    std::string alias_;
    DatabaseKind kind_;
    std::string folder_;
    std::string path_;
    sqlite3* db_ = nullptr;
};

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(Database& db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(int index, const Value& value); // from 1
    void BindBlob(int index, const std::string& bytes);
    // True while a row is available.
    bool Step();
    void Reset();
    int ColumnCount() const;
    std::string ColumnName(int i) const;
    // The declared type of a result column that is a plain table column; "" otherwise.
    std::string ColumnDeclType(int i) const;
    Value Column(int i) const;
    int64_t ColumnInt(int i) const;

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Binds a value as the field stores it: blobs as blobs, the rest as they are.
void BindField(Statement& st, int index, const FieldDef& field, const Value& value);

// "PriceGrp" -> "\"PriceGrp\"" for SQL text.
std::string QuoteIdentifier(const std::string& name);

} // namespace kvf
