#include "catalog/order_registry.h"

#include "base/error.h"
#include "base/hidden_folder.h"
#include "base/names.h"
#include "base/prompter.h"
#include "base/stored_path.h"
#include "base/text.h"
#include "catalog/database.h"
#include "catalog/schema.h"
#include "catalog/table.h"
#include "model/order.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sqlite3.h>
#include <unistd.h>

namespace kvf {

namespace fs = std::filesystem;

namespace {

// Long enough for another program's registration of a few hundred files.
constexpr int kBusyTimeoutMs = 60000;

std::string windowsForm(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string text(const Value& v) {
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    return IsBlank(v) ? std::string() : ValueAsString(FieldDef{}, v);
}

// The file's name without its last extension, made fit for a file name; full stops too.
std::string cleanBaseName(const std::string& file) {
    std::string base = SanitizeFileName(fs::path(file).stem().string(), '_');
    std::replace(base.begin(), base.end(), '.', '_');
    return base;
}

// The order's values for the row's data fields, in the order of kOrderFields.
const char* const kOrderFields[] = {"RegDate", "Customer", "Phone", "Object", "Address", "Cost", "Currency"};

std::vector<Value> orderValues(const TkvfOrder& order) {
    return {order.RegDate,
            order.Customer,
            order.Phones,
            order.ObjectName,
            order.Address,
            order.TotalWithNDS().ToDouble(),
            static_cast<int64_t>(order.CurrencyID)};
}

// Whether a row's number equals `no` ignoring case; read inside the caller's transaction.
bool numberRegistered(Database& db, const std::string& no) {
    Statement st(db, "SELECT \"No\" FROM \"OrderLst\"");
    while (st.Step())
        if (SameText(text(st.Column(0)), no))
            return true;
    return false;
}

std::string missingFileMessage(const std::string& no, const std::string& path) {
    return "Невозможно найти файл заказа № " + no + "!\r\nФайл: " + path + ".";
}

// The order file of number `no`, read in its own statement; nothing when there is no such row.
std::optional<std::string> storedFileOf(Database& db, const std::string& no) {
    Statement st(db, "SELECT \"OrderFile\" FROM \"OrderLst\" WHERE \"No\" = ?1");
    st.Bind(1, Value{no});
    if (!st.Step())
        return std::nullopt;
    return text(st.Column(0));
}

// Moves `from` to `to` unless `to` exists. EEXIST when it does.
int moveWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    int error = errno;
    if (error == EINVAL || error == ENOSYS) {
        // A file system without the no-replace rename: a hard link claims the name.
        if (link(from.c_str(), to.c_str()) != 0)
            return errno;
        unlink(from.c_str());
        return 0;
    }
    if (error != EXDEV)
        return error;
    // Another file system: a complete copy under a temporary name claims the target.
    const std::string temp = to + ".~" + UniqueName(4);
    std::error_code ec;
    if (!fs::copy_file(from, temp, ec))
        return ec.value() ? ec.value() : EIO;
    if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        error = errno;
        fs::remove(temp, ec);
        return error;
    }
    fs::remove(from, ec);
    return 0;
}

} // namespace

std::string StoredOrderFile(const std::string& ordersFolder, const std::string& path) {
    const std::string absolute = fs::absolute(fs::path(path)).lexically_normal().string();
    return MakeRelativePath(windowsForm(ordersFolder), windowsForm(absolute));
}

std::string OrderFileOnDisk(const std::string& ordersFolder, const std::string& stored) {
    return ResolveStoredPath(ExpandRelativePath(ordersFolder, stored));
}

void OpenRegistryDatabase(Database& db, const std::string& folder) {
    db.OpenFile(JoinPath(folder, DatabaseFileName(DatabaseKind::Registry)));
    ShareRegistryDatabase(db);
    // Idempotent, so two programs making a new registry at once both succeed.
    db.Exec(SchemaSql(DatabaseKind::Registry));
}

void ShareRegistryDatabase(Database& db) {
    if (db.Handle() != nullptr)
        sqlite3_busy_timeout(db.Handle(), kBusyTimeoutMs);
}

std::vector<RegistryRow> ReadRegistryRows(Database& db) {
    Table table("T_OrderList", db, "OrderLst");
    table.Open();
    std::vector<RegistryRow> rows;
    rows.reserve(static_cast<size_t>(table.RecordCount()));
    for (table.First(); !table.Eof(); table.Next()) {
        RegistryRow& r = rows.emplace_back();
        r.No = table.AsString("No");
        r.RegDate = table.AsFloat("RegDate");
        r.Customer = table.AsString("Customer");
        r.Object = table.AsString("Object");
        r.Address = table.AsString("Address");
        r.Phone = table.AsString("Phone");
        r.Cost = Money::FromRaw(table.AsMoneyUnits("Cost"));
        r.Currency = static_cast<int>(table.AsInteger("Currency"));
        r.OrderFile = table.AsString("OrderFile");
        r.Note = table.AsString("Note");
    }
    return rows;
}

RegisterResult RegisterOrderFiles(Database& db, const std::vector<std::string>& files,
                                  const std::string& ordersFolder, Prompter& prompter) {
    ShareRegistryDatabase(db);
    RegisterResult result;
    for (const std::string& file : files) {
        TkvfOrder order;
        bool converted = false;
        if (!order.LoadFromFile(file, converted, prompter)) {
            ++result.Refused;
            result.Aborted = true;
            return result;
        }
        if (order.OrderNo.empty()) {
            prompter.Error(
                "Загружаемый заказ не имеет номера!\r\nДля учета заказа необходимо наличие номера.");
            ++result.Refused;
            continue;
        }
        try {
            Database::Transaction tx(db);
            if (numberRegistered(db, order.OrderNo)) {
                prompter.Error("Загружаемый заказ № " + order.OrderNo +
                               " уже существует\r\nв реестре заказов, Вы можете только\r\nобновить данные!");
                ++result.Refused;
                continue;
            }
            Statement st(
                db, "INSERT INTO \"OrderLst\" (\"No\", \"RegDate\", \"Customer\", \"Phone\", \"Object\", "
                    "\"Address\", \"Cost\", \"Currency\", \"OrderFile\") VALUES (?1, ?2, ?3, ?4, ?5, ?6, "
                    "?7, ?8, ?9)");
            st.Bind(1, Value{order.OrderNo});
            const std::vector<Value> values = orderValues(order);
            for (size_t i = 0; i < values.size(); ++i)
                st.Bind(static_cast<int>(i) + 2, values[i]);
            st.Bind(9, Value{StoredOrderFile(ordersFolder, file)});
            st.Step();
            tx.Commit();
            ++result.Added;
        } catch (const std::exception& e) {
            ++result.Refused;
            if (!prompter.ContinueOrAbort("Ошибка добавления заказа в реестр!\r\n(" + std::string(e.what()) +
                                          ")\r\n\r\nПродолжать регистрацию?")) {
                result.Aborted = true;
                return result;
            }
        }
    }
    return result;
}

bool RefreshRegistryRow(Database& db, const std::string& no, const std::string& ordersFolder,
                        Prompter& prompter) {
    ShareRegistryDatabase(db);
    std::optional<std::string> stored;
    try {
        stored = storedFileOf(db, no);
    } catch (const std::exception& e) {
        prompter.Error("Ошибка обновления заказа в реестр!\r\n(" + std::string(e.what()) + ")");
        return false;
    }
    if (!stored)
        return false;
    const std::string path = OrderFileOnDisk(ordersFolder, *stored);
    if (!fs::is_regular_file(path)) {
        prompter.Error(missingFileMessage(no, path));
        return false;
    }
    TkvfOrder order;
    bool converted = false;
    if (!order.LoadFromFile(path, converted, prompter))
        return false;
    if (order.OrderNo != no) {
        prompter.Error("Изменился номер заказ, обновить данные невозможно!\r\nПеререгистрируйте заказ.");
        return false;
    }
    try {
        Database::Transaction tx(db);
        std::string sql = "UPDATE \"OrderLst\" SET ";
        for (size_t i = 0; i < std::size(kOrderFields); ++i)
            sql += std::string(i ? ", " : "") + "\"" + kOrderFields[i] + "\" = ?" + std::to_string(i + 1);
        sql += " WHERE \"No\" = ?" + std::to_string(std::size(kOrderFields) + 1);
        Statement st(db, sql);
        const std::vector<Value> values = orderValues(order);
        for (size_t i = 0; i < values.size(); ++i)
            st.Bind(static_cast<int>(i) + 1, values[i]);
        st.Bind(static_cast<int>(values.size()) + 1, Value{no});
        st.Step();
        tx.Commit();
    } catch (const std::exception& e) {
        prompter.Error("Ошибка обновления заказа в реестр!\r\n(" + std::string(e.what()) + ")");
        return false;
    }
    return true;
}

int RemoveRegistryRows(Database& db, const std::vector<std::string>& numbers, RemovalKind kind,
                       bool moveFiles, const RegistryFolders& folders, Prompter& prompter) {
    ShareRegistryDatabase(db);
    std::vector<std::string> files;
    int deleted = 0;
    try {
        Database::Transaction tx(db);
        for (const std::string& no : numbers) {
            if (std::optional<std::string> stored = storedFileOf(db, no)) {
                Statement st(db, "DELETE FROM \"OrderLst\" WHERE \"No\" = ?1");
                st.Bind(1, Value{no});
                st.Step();
                files.push_back(OrderFileOnDisk(folders.Orders, *stored));
                ++deleted;
            }
        }
        tx.Commit();
    } catch (const std::exception& e) {
        prompter.Error("Ошибка удаления из реестра!\r\n(" + std::string(e.what()) + ")");
        return 0;
    }
    const bool archive = kind == RemovalKind::Archive;
    if (!archive && !moveFiles)
        return deleted;
    for (const std::string& file : files) {
        if (!fs::is_regular_file(file)) {
            prompter.Warning(
                std::string(archive ? "Заказ не был помещен в архив," : "Заказ не был помещен в мусорку,") +
                "\r\nт.к. не найден соответствующий ему файл:\r\n" + file + ".");
            continue;
        }
        MoveOrderFileToFolder(file, archive ? folders.Archive : folders.Recycled, prompter);
    }
    return deleted;
}

std::string MovedFileName(const std::string& file, const std::string& folder) {
    const std::string candidate = JoinPath(folder, cleanBaseName(file));
    std::error_code ec;
    if (!fs::exists(candidate + ".kfo", ec))
        return candidate + ".kfo";
    for (int i = 1; i <= 10000; ++i) {
        const std::string target = candidate + "~" + std::to_string(i) + ".kfo";
        if (!fs::exists(target, ec))
            return target;
    }
    return {};
}

bool MoveOrderFileToFolder(const std::string& file, const std::string& folder, Prompter& prompter) {
    if (folder.empty())
        return true;
    CreateHiddenFolder(folder);
    std::string target = MovedFileName(file, folder);
    std::string tried = JoinPath(folder, cleanBaseName(file)) + "~10000.kfo";
    int error = EEXIST;
    // Another program may claim the same free name first; the next free one is taken then.
    for (int attempt = 0; attempt < 100 && !target.empty(); ++attempt) {
        tried = target;
        error = moveWithoutReplacing(file, target);
        if (error != EEXIST)
            break;
        target = MovedFileName(file, folder);
    }
    if (error == 0)
        return true;
    prompter.Error("Ошибка " + std::to_string(error) + " переноса файла\r\n" + file + "\r\nв " + tried + "!");
    return false;
}

bool SetRegistryDetails(Database& db, const std::string& no, const std::string& orderFile,
                        const std::string& note, Prompter& prompter) {
    ShareRegistryDatabase(db);
    try {
        Database::Transaction tx(db);
        Statement st(db, "UPDATE \"OrderLst\" SET \"OrderFile\" = ?1, \"Note\" = ?2 WHERE \"No\" = ?3");
        st.Bind(1, Value{orderFile});
        st.Bind(2, Value{note});
        st.Bind(3, Value{no});
        st.Step();
        tx.Commit();
    } catch (const std::exception& e) {
        prompter.Error("Ошибка обновления заказа в реестр!\r\n(" + std::string(e.what()) + ")");
        return false;
    }
    return true;
}

bool ClearRegistry(Database& db, Prompter& prompter) {
    ShareRegistryDatabase(db);
    try {
        Database::Transaction tx(db);
        db.Exec("DELETE FROM \"OrderLst\"");
        tx.Commit();
    } catch (const std::exception& e) {
        prompter.ErrorDetail("Ошибка очистки реестра", e.what());
        return false;
    }
    return true;
}

bool FindRegistryRow(Table& table, RegistryFindField field, const std::string& text) {
    const char* name = field == RegistryFindField::Customer ? "Customer"
                       : field == RegistryFindField::Object ? "Object"
                                                            : "No";
    return table.Locate(name, {Value{text}}, LocateOptions{true, true});
}

} // namespace kvf
