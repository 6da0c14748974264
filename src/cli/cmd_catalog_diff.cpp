// kvf catalog diff OLD_DIR NEW_DIR [--text]
// The rows each catalog table gained, lost and changed between two catalogs,
// matched by the table's key:
// {"Tables":[{"Table", "Key":[fields], "Added":[{field:value}], "Removed":[...],
//   "Changed":[{"Key":{field:value}, "Fields":[{"Field", "Old", "New"}]}]}]}
// listing only the tables that differ; with --text one line per row.

#include "base/error.h"
#include "catalog/database.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "engine/catalog_diff.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>

namespace kvf::cli {

namespace {

using nlohmann::ordered_json;

ordered_json rowJson(const DiffRow& row) {
    ordered_json json = ordered_json::object();
    for (const auto& [field, value] : row)
        json[field] = value;
    return json;
}

ordered_json textOrNull(const std::optional<std::string>& text) {
    return text ? ordered_json(*text) : ordered_json(nullptr);
}

ordered_json tableJson(const TableDiff& diff) {
    ordered_json added = ordered_json::array();
    for (const DiffRow& row : diff.Added)
        added.push_back(rowJson(row));
    ordered_json removed = ordered_json::array();
    for (const DiffRow& row : diff.Removed)
        removed.push_back(rowJson(row));
    ordered_json changed = ordered_json::array();
    for (const ChangedRow& row : diff.Changed) {
        ordered_json fields = ordered_json::array();
        for (const FieldChange& f : row.Fields)
            fields.push_back({{"Field", f.Field}, {"Old", textOrNull(f.Old)}, {"New", textOrNull(f.New)}});
        changed.push_back({{"Key", rowJson(row.Key)}, {"Fields", std::move(fields)}});
    }
    return {{"Table", diff.Table},
            {"Key", diff.KeyFields},
            {"Added", std::move(added)},
            {"Removed", std::move(removed)},
            {"Changed", std::move(changed)}};
}

// "ID=A1, Key=3"; `onlyFilled` leaves out empty fields and zeros.
std::string rowText(const DiffRow& row, bool onlyFilled) {
    std::string text;
    for (const auto& [field, value] : row) {
        if (onlyFilled && (value.empty() || value == "0"))
            continue;
        text += (text.empty() ? "" : ", ") + field + "=" + value;
    }
    return text;
}

void writeText(std::ostream& out, const TableDiff& diff) {
    out << diff.Table << ": добавлено " << diff.Added.size() << ", удалено " << diff.Removed.size()
        << ", изменено " << diff.Changed.size() << "\n";
    for (const DiffRow& row : diff.Added)
        out << "  + " << rowText(row, true) << "\n";
    for (const DiffRow& row : diff.Removed)
        out << "  - " << rowText(row, true) << "\n";
    for (const ChangedRow& row : diff.Changed) {
        out << "  * " << rowText(row.Key, false) << ":";
        for (const FieldChange& f : row.Fields)
            out << " " << f.Field << " " << f.Old.value_or("(нет поля)") << " -> "
                << f.New.value_or("(нет поля)") << ";";
        out << "\n";
    }
}

void openCatalog(Database& db, const std::string& folder) {
    const std::filesystem::path file =
        std::filesystem::path(folder) / DatabaseFileName(DatabaseKind::Catalog);
    if (!std::filesystem::is_regular_file(file))
        throw KvfError("no catalog in " + folder + ": " + file.filename().string() + " is missing");
    db.Open(folder, false);
}

} // namespace

int RunCatalogDiff(const std::vector<std::string>& words, std::ostream& out, std::ostream&) {
    Args args(words, {"text"});
    Database oldCatalog("OLD", DatabaseKind::Catalog);
    Database newCatalog("NEW", DatabaseKind::Catalog);
    openCatalog(oldCatalog, args.At(0, "OLD_DIR"));
    openCatalog(newCatalog, args.At(1, "NEW_DIR"));
    const std::vector<TableDiff> diffs = DiffCatalogs(oldCatalog, newCatalog);
    ordered_json tables = ordered_json::array();
    for (const TableDiff& diff : diffs) {
        if (diff.Empty())
            continue;
        if (args.Switch("text"))
            writeText(out, diff);
        else
            tables.push_back(tableJson(diff));
    }
    if (!args.Switch("text"))
        out << ordered_json{{"Tables", std::move(tables)}}.dump(2) << "\n";
    return 0;
}

} // namespace kvf::cli
