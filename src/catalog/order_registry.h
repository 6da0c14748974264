#pragma once
// The order registry's operations on the table OrderLst: registering order
// files, refreshing a row from its file, removing rows (moving their files to
// the recycled or archive folder), clearing and finding. The registry window
// and `kvf registry` run these same functions.
//
// Several programs share one registry database and one server folder, so
// every change is one SQLite transaction taken before anything is read for
// it (the duplicate check and the insert cannot be split by another program),
// and a file is moved under a name nobody holds, never over an existing file.

#include "base/money.h"

#include <string>
#include <vector>

namespace kvf {

class Database;
class Prompter;
class Table;

// The folders the registry works with; Recycled or Archive empty: not configured.
struct RegistryFolders {
    std::string Orders;
    std::string Recycled;
    std::string Archive;
};

// One row of OrderLst.
struct RegistryRow {
    std::string No;
    double RegDate = 0;
    std::string Customer;
    std::string Object;
    std::string Address;
    std::string Phone;
    Money Cost;
    int Currency = 0;
    std::string OrderFile;
    std::string Note;
};

// The stored form of an order file's path: "%" and the rest under the orders
// folder, else the whole path; upper case, "\" separators.
std::string StoredOrderFile(const std::string& ordersFolder, const std::string& path);
// The disk path of a stored order file, each component matched ignoring case.
std::string OrderFileOnDisk(const std::string& ordersFolder, const std::string& stored);

// Opens (creating when missing) registry.sqlite in `folder` for work shared
// with other programs: a program waits for another's transaction instead of
// failing at once. Raises KvfError when the database cannot be opened.
void OpenRegistryDatabase(Database& db, const std::string& folder);
// Makes an open registry database wait for other programs' transactions.
void ShareRegistryDatabase(Database& db);

// Every row in the order of the number (the table's primary order).
std::vector<RegistryRow> ReadRegistryRows(Database& db);

struct RegisterResult {
    int Added = 0;
    int Refused = 0;
    bool Aborted = false; // the user ended the registration, or a file could not be read
};

// Registers the order files in the given order. A file without an order number
// or whose number is registered already (ignoring case) is refused with its
// message; a failed insert asks whether to go on. A file that cannot be read
// ends the registration (its load error shown).
RegisterResult RegisterOrderFiles(Database& db, const std::vector<std::string>& files,
                                  const std::string& ordersFolder, Prompter& prompter);

// Copies the order's data into the row of number `no` from its file (not the
// number, the file nor the note). False, with the message shown, when the file
// is missing, cannot be read, carries another number or the row cannot be written.
bool RefreshRegistryRow(Database& db, const std::string& no, const std::string& ordersFolder,
                        Prompter& prompter);

enum class RemovalKind {
    Delete,  // files go to the recycled folder when `moveFiles`
    Archive, // files always go to the archive folder
};

// Deletes the rows of these numbers in one transaction, then moves their order
// files. A failed delete removes nothing and moves nothing ("Ошибка удаления из
// реестра!"); a missing file is warned about. The number of rows deleted.
int RemoveRegistryRows(Database& db, const std::vector<std::string>& numbers, RemovalKind kind,
                       bool moveFiles, const RegistryFolders& folders, Prompter& prompter);

// The name a file moved into `folder` gets: its name without the last
// extension, the characters unfit for a file name made "_", ".kfo" added;
// when that is taken "~1", "~2", ... up to "~10000" before ".kfo". Empty when
// every one of them is taken.
std::string MovedFileName(const std::string& file, const std::string& folder);

// Moves `file` into `folder` (created with its parents when missing) under
// MovedFileName. Nothing when the folder is not configured. An existing file is
// never replaced: a name taken meanwhile by another program moves on to the
// next candidate. False, with "Ошибка %d переноса файла ...", on failure.
bool MoveOrderFileToFolder(const std::string& file, const std::string& folder, Prompter& prompter);

// Writes the two fields the user edits on the details page into the row of
// number `no`. False, with "Ошибка обновления заказа в реестр!", on failure.
bool SetRegistryDetails(Database& db, const std::string& no, const std::string& orderFile,
                        const std::string& note, Prompter& prompter);

// Removes every row; the order files stay. False, with its message, on failure.
bool ClearRegistry(Database& db, Prompter& prompter);

// The registry grid's columns that choose what Find searches.
enum class RegistryFindField { No, Customer, Object };
// Moves the table's cursor to the first row whose field starts with `text`,
// ignoring case; false (cursor unmoved) when none does.
bool FindRegistryRow(Table& table, RegistryFindField field, const std::string& text);

} // namespace kvf
