#include "catalog/database.h"

#include "base/error.h"

#include <sqlite3.h>

#include <filesystem>

namespace kvf {

std::string QuoteIdentifier(const std::string& name) {
    std::string r = "\"";
    for (char c : name) {
        if (c == '"')
            r += '"';
        r += c;
    }
    return r + "\"";
}

void BindField(Statement& st, int index, const FieldDef& field, const Value& value) {
    if (field.Kind == FieldKind::Blob && std::holds_alternative<std::string>(value))
        st.BindBlob(index, std::get<std::string>(value));
    else
        st.Bind(index, value);
}

Database::Database(std::string alias, DatabaseKind kind) : alias_(std::move(alias)), kind_(kind) {}

Database::~Database() {
    Close();
}

namespace {

// The reason of a failed SQLite call in the program's language; SQL faults
// that only a developer meets keep SQLite's own text.
std::string SqliteReason(sqlite3* db) {
    switch (sqlite3_errcode(db) & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "база данных занята другой программой";
    case SQLITE_READONLY:
        return "база данных доступна только для чтения";
    case SQLITE_FULL:
        return "нет места на диске";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "нет доступа к базе данных";
    case SQLITE_CANTOPEN:
        return "файл базы данных не открывается";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "файл базы данных повреждён";
    case SQLITE_IOERR:
        return "ошибка чтения или записи файла базы данных";
    case SQLITE_CONSTRAINT:
        return "запись с таким ключом уже есть";
    default:
        return sqlite3_errmsg(db);
    }
}

} // namespace

bool Database::KeyViolated() const {
    return db_ && sqlite3_extended_errcode(db_) == SQLITE_CONSTRAINT_UNIQUE;
}

void Database::Raise(const std::string& context) const {
    std::string msg = db_ ? SqliteReason(db_) : "база данных не открыта";
    throw KvfError(context.empty() ? msg : context + ": " + msg);
}

void Database::Open(const std::string& folder, bool create) {
    std::string path = (std::filesystem::path(folder) / DatabaseFileName(kind_)).string();
    bool existed = std::filesystem::exists(path);
    if (!existed && !create)
        throw KvfError("Файл базы данных не найден: " + path);
    if (!existed && !std::filesystem::is_directory(folder))
        throw KvfError("Папка базы данных не найдена: " + folder);
    OpenFile(path);
    folder_ = folder;
    if (!existed) {
        try {
            Exec(std::string("BEGIN;") + SchemaSql(kind_) + "COMMIT;");
        } catch (...) {
            Close();
            std::filesystem::remove(path);
            throw;
        }
    }
}

void Database::OpenFile(const std::string& path) {
    Close();
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        throw KvfError(path + ": " + msg);
    }
    db_ = db;
    path_ = path;
    folder_ = std::filesystem::path(path).parent_path().string();
    sqlite3_busy_timeout(db_, 2000);
}

void Database::Close() {
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

void Database::Exec(const std::string& sql) {
    if (!db_)
        Raise("");
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "SQL error";
        sqlite3_free(err);
        throw KvfError(msg);
    }
}

int64_t Database::LastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

bool Database::HasTable(const std::string& table) {
    Statement st(*this, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE");
    st.Bind(1, Value{table});
    return st.Step();
}

std::vector<FieldDef> Database::TableFields(const std::string& table) {
    std::vector<FieldDef> fields;
    Statement st(*this, "PRAGMA table_info(" + QuoteIdentifier(table) + ")");
    while (st.Step())
        fields.push_back(
            FieldDefFromDeclaredType(std::get<std::string>(st.Column(1)),
                                     IsBlank(st.Column(2)) ? "" : ValueAsString({}, st.Column(2))));
    return fields;
}

Database::Transaction::Transaction(Database& db) : db_(db) {
    db_.Exec("BEGIN IMMEDIATE");
}

Database::Transaction::~Transaction() {
    if (!done_) {
        try {
            db_.Exec("ROLLBACK");
        } catch (...) {
        }
    }
}

void Database::Transaction::Commit() {
    db_.Exec("COMMIT");
    done_ = true;
}

Statement::Statement(Database& db, const std::string& sql) : db_(db) {
    if (!db.Handle())
        db.Raise("");
    if (sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
        db.Raise("");
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::Bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    if (IsBlank(value))
        rc = sqlite3_bind_null(stmt_, index);
    else if (const auto* i = std::get_if<int64_t>(&value))
        rc = sqlite3_bind_int64(stmt_, index, *i);
    else if (const auto* d = std::get_if<double>(&value))
        rc = sqlite3_bind_double(stmt_, index, *d);
    else {
        const auto& s = std::get<std::string>(value);
        rc = sqlite3_bind_text(stmt_, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        db_.Raise("");
}

void Statement::BindBlob(int index, const std::string& bytes) {
    if (sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        db_.Raise("");
}

bool Statement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    db_.Raise("");
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::ColumnName(int i) const {
    const char* n = sqlite3_column_name(stmt_, i);
    return n ? n : "";
}

std::string Statement::ColumnDeclType(int i) const {
    const char* t = sqlite3_column_decltype(stmt_, i);
    return t ? t : "";
}

Value Statement::Column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return static_cast<int64_t>(sqlite3_column_int64(stmt_, i));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt_, i);
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const void* p = sqlite3_column_blob(stmt_, i);
        int n = sqlite3_column_bytes(stmt_, i);
        return std::string(static_cast<const char*>(p), static_cast<size_t>(n));
    }
    default:
        return Value{};
    }
}

int64_t Statement::ColumnInt(int i) const {
    return sqlite3_column_int64(stmt_, i);
}

} // namespace kvf
