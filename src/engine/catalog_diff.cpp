#include "engine/catalog_diff.h"

#include "catalog/database.h"
#include "catalog/schema.h"
#include "catalog/table.h"

#include <algorithm>
#include <unordered_map>

namespace kvf {

namespace {

struct TableRows {
    std::vector<DiffRow> Rows;
    std::vector<std::string> AutoNumbered;
};

// The rows in key order without their auto-numbered fields: those only record
// the order in which rows were written, which a new import renumbers.
TableRows readRows(Database& db, const TableSpec& layout) {
    Table table("T_" + layout.Name, db, layout.Name);
    table.Open();
    const std::vector<FieldDef>& fields = table.Fields();
    TableRows result;
    std::vector<size_t> compared;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].Kind == FieldKind::AutoInc)
            result.AutoNumbered.push_back(fields[i].Name);
        else
            compared.push_back(i);
    }
    for (table.First(); !table.Eof(); table.Next()) {
        const std::vector<Value>& values = table.CurrentValues();
        DiffRow& row = result.Rows.emplace_back();
        row.reserve(compared.size());
        for (size_t i : compared)
            row.emplace_back(fields[i].Name, ValueAsString(fields[i], values[i]));
    }
    return result;
}

const std::string* fieldOf(const DiffRow& row, const std::string& name) {
    for (const auto& [field, value] : row)
        if (field == name)
            return &value;
    return nullptr;
}

// The key fields of a row, or all of them for a table without a key.
DiffRow keyOf(const DiffRow& row, const std::vector<std::string>& keyFields) {
    if (keyFields.empty())
        return row;
    DiffRow key;
    for (const std::string& name : keyFields) {
        const std::string* value = fieldOf(row, name);
        key.emplace_back(name, value != nullptr ? *value : std::string());
    }
    return key;
}

std::string keyText(const DiffRow& key) {
    std::string text;
    for (const auto& entry : key) {
        text += entry.second;
        text += '\x1f';
    }
    return text;
}

std::vector<FieldChange> fieldChanges(const DiffRow& oldRow, const DiffRow& newRow) {
    std::vector<FieldChange> changes;
    for (const auto& [field, value] : oldRow) {
        const std::string* now = fieldOf(newRow, field);
        if (now == nullptr || *now != value)
            changes.push_back(
                {field, value, now != nullptr ? std::optional<std::string>(*now) : std::nullopt});
    }
    for (const auto& [field, value] : newRow)
        if (fieldOf(oldRow, field) == nullptr)
            changes.push_back({field, std::nullopt, value});
    return changes;
}

TableDiff diffTable(const TableSpec& layout, const TableRows& oldTable, const TableRows& newTable) {
    const std::vector<DiffRow>& oldRows = oldTable.Rows;
    const std::vector<DiffRow>& newRows = newTable.Rows;
    TableDiff diff;
    diff.Table = layout.Name;
    for (const std::string& name : layout.KeyFields)
        if (std::find(oldTable.AutoNumbered.begin(), oldTable.AutoNumbered.end(), name) ==
                oldTable.AutoNumbered.end() &&
            std::find(newTable.AutoNumbered.begin(), newTable.AutoNumbered.end(), name) ==
                newTable.AutoNumbered.end())
            diff.KeyFields.push_back(name);
    std::vector<std::string> oldKeys;
    for (const DiffRow& row : oldRows)
        oldKeys.push_back(keyText(keyOf(row, diff.KeyFields)));
    std::unordered_map<std::string, std::vector<size_t>> newByKey;
    for (size_t j = 0; j < newRows.size(); ++j)
        newByKey[keyText(keyOf(newRows[j], diff.KeyFields))].push_back(j);

    std::vector<bool> newPaired(newRows.size(), false);
    std::vector<bool> oldPaired(oldRows.size(), false);
    // Equal rows first, so that a row inserted among rows of one key is an
    // addition rather than a change of every row after it.
    for (size_t i = 0; i < oldRows.size(); ++i) {
        const auto group = newByKey.find(oldKeys[i]);
        if (group == newByKey.end())
            continue;
        for (size_t j : group->second)
            if (!newPaired[j] && oldRows[i] == newRows[j]) {
                newPaired[j] = oldPaired[i] = true;
                break;
            }
    }
    for (size_t i = 0; i < oldRows.size(); ++i) {
        if (oldPaired[i])
            continue;
        const auto group = newByKey.find(oldKeys[i]);
        size_t partner = newRows.size();
        if (group != newByKey.end())
            for (size_t j : group->second)
                if (!newPaired[j]) {
                    partner = j;
                    break;
                }
        if (partner == newRows.size()) {
            diff.Removed.push_back(oldRows[i]);
            continue;
        }
        newPaired[partner] = true;
        std::vector<FieldChange> changes = fieldChanges(oldRows[i], newRows[partner]);
        if (!changes.empty())
            diff.Changed.push_back({keyOf(oldRows[i], diff.KeyFields), std::move(changes)});
    }
    for (size_t j = 0; j < newRows.size(); ++j)
        if (!newPaired[j])
            diff.Added.push_back(newRows[j]);
    return diff;
}

} // namespace

std::vector<TableDiff> DiffCatalogs(Database& oldCatalog, Database& newCatalog) {
    std::vector<TableDiff> diffs;
    for (const TableSpec& layout : TableSpecs())
        if (layout.Database == DatabaseKind::Catalog)
            diffs.push_back(diffTable(layout, readRows(oldCatalog, layout), readRows(newCatalog, layout)));
    return diffs;
}

} // namespace kvf
