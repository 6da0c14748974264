#include "ui/table_model.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/prompter.h"
#include "base/text.h"
#include "catalog/table.h"

#include <algorithm>

namespace kvf {

namespace {

// The message refusing text typed into a field; "" when the field takes it.
std::string refusalOf(const FieldDef& field, const std::string& text) {
    if (IsTextKind(field.Kind)) {
        return NonAnsiMessage(text);
    }
    if (text.empty() || field.Kind == FieldKind::Logical || ParseDecimal(text)) {
        return "";
    }
    return "Поле [" + field.Name + "]: \"" + text + "\" - не число";
}

} // namespace

TTableModel::TTableModel(Table& table, std::vector<TGridColumn> columns, Prompter& prompter, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(std::move(columns)), prompter_(prompter) {
    Reload();
}

const FieldDef* TTableModel::fieldDef(const std::string& name) const {
    int index = table_.FieldIndex(name);
    return index < 0 ? nullptr : &table_.Fields()[index];
}

bool TTableModel::isLookup(int column) const {
    return fieldDef(columns_[column].Field) == nullptr;
}

TTableModel::CachedRow TTableModel::readCurrent() const {
    CachedRow row;
    row.RowId = table_.State() == TableState::Insert ? -1 : table_.RowId();
    for (const TGridColumn& column : columns_) {
        // A column whose field the table lacks shows blank.
        row.Values.emplace_back();
        try {
            row.Values.back() = table_.FieldValue(column.Field);
        } catch (const KvfError&) {
        }
    }
    return row;
}

void TTableModel::Reload() {
    beginResetModel();
    rows_.clear();
    editingRow_ = -1;
    refused_.clear();
    if (table_.Active()) {
        for (table_.First(); !table_.Eof(); table_.Next()) {
            rows_.push_back(readCurrent());
        }
        if (!rows_.empty()) {
            table_.First();
        }
    }
    endResetModel();
}

int TTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString TTableModel::CellText(int row, int column) const {
    const Value& value = rows_[row].Values[column];
    const FieldDef* def = fieldDef(columns_[column].Field);
    if (def != nullptr && def->Kind == FieldKind::Logical) {
        return IsBlank(value) ? QString() : ValueAsInteger(*def, value) != 0 ? "True" : "False";
    }
    return QString::fromStdString(ValueAsString(def != nullptr ? *def : FieldDef{}, value));
}

QVariant TTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return CellText(index.row(), index.column());
    }
    return {};
}

QVariant TTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount()) {
        return columns_[section].Caption;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !readOnly_ && !isLookup(index.column())) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool TTableModel::MoveTo(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    if (editingRow_ >= 0 && editingRow_ != row && !PostEdits()) {
        return false;
    }
    if (row == editingRow_) {
        return true;
    }
    return table_.GotoRowId(rows_[row].RowId);
}

bool TTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || isLookup(index.column())) {
        return false;
    }
    return SetField(index.row(), columns_[index.column()].Field, value.toString());
}

std::string TTableModel::KeyFieldOf(int column) const {
    const std::string& name = columns_[column].Field;
    for (const LookupFieldDef& lookup : table_.LookupFields()) {
        if (lookup.Name == name) {
            return lookup.KeyField;
        }
    }
    return name;
}

bool TTableModel::SetField(int row, const std::string& field, const QString& value) {
    const FieldDef* def = fieldDef(field);
    if (readOnly_ || def == nullptr || row < 0 || row >= rowCount()) {
        return false;
    }
    try {
        if (!MoveTo(row)) {
            return false;
        }
        if (table_.State() == TableState::Browse) {
            table_.Edit();
        }
        QString text = value;
        if (!IsTextKind(def->Kind)) {
            text = text.trimmed().replace(',', '.');
            if (def->Kind == FieldKind::Logical && !text.isEmpty()) {
                text = text.compare("true", Qt::CaseInsensitive) == 0 || text == "1" ? "1" : "0";
            }
        }
        const std::string refusal = refusalOf(*def, text.toStdString());
        editingRow_ = row;
        if (!refusal.empty()) {
            refused_[field] = {refusal, value.toStdString()};
            refreshRow(row);
            prompter_.Error(refusal);
            return false;
        }
        refused_.erase(field);
        table_.SetValue(field,
                        text.isEmpty() && !IsTextKind(def->Kind) ? Value{} : Value{text.toStdString()});
        refreshRow(row);
        return true;
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
        return false;
    }
}

void TTableModel::refreshRow(int row) {
    rows_[row] = readCurrent();
    for (size_t c = 0; c < columns_.size(); ++c) {
        const auto refused = refused_.find(columns_[c].Field);
        if (refused != refused_.end()) {
            rows_[row].Values[c] = Value{refused->second.Typed};
        }
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int TTableModel::CurrentTableRow() const {
    if (editingRow_ >= 0) {
        return editingRow_;
    }
    if (!table_.Active() || table_.RecNo() < 0) {
        return -1;
    }
    const int64_t rowId = table_.RowId();
    for (int r = 0; r < rowCount(); ++r) {
        if (rows_[r].RowId == rowId) {
            return r;
        }
    }
    return -1;
}

bool TTableModel::PostEdits() {
    if (editingRow_ < 0) {
        return true;
    }
    if (!refused_.empty()) {
        prompter_.Error(refused_.begin()->second.Message);
        return false;
    }
    const bool inserted = rows_[editingRow_].RowId < 0;
    try {
        table_.Post();
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
        return false;
    }
    const int64_t rowId = table_.RowId();
    editingRow_ = -1;
    if (inserted) {
        // The new row takes its place in the table's order.
        Reload();
        table_.GotoRowId(rowId);
    }
    return true;
}

void TTableModel::CancelEdits() {
    refused_.clear();
    if (editingRow_ < 0) {
        return;
    }
    table_.Cancel();
    const int row = editingRow_;
    editingRow_ = -1;
    if (rows_[row].RowId < 0) {
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
        return;
    }
    table_.GotoRowId(rows_[row].RowId);
    rows_[row] = readCurrent();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TTableModel::AdoptPendingInsert(int row) {
    if (table_.State() != TableState::Insert) {
        return;
    }
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, readCurrent());
    endInsertRows();
    editingRow_ = row;
}

bool TTableModel::InsertRecord(int row) {
    if (readOnly_ || !PostEdits()) {
        return false;
    }
    row = std::clamp(row, 0, rowCount());
    try {
        table_.Insert();
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
        return false;
    }
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, readCurrent());
    endInsertRows();
    editingRow_ = row;
    return true;
}

bool TTableModel::DeleteRows(std::vector<int> rows) {
    if (readOnly_) {
        return false;
    }
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool ok = true;
    for (int row : rows) {
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        try {
            if (row == editingRow_ && rows_[row].RowId < 0) {
                CancelEdits();
                continue;
            }
            if (editingRow_ == row) {
                table_.Cancel();
                editingRow_ = -1;
            }
            if (!table_.GotoRowId(rows_[row].RowId)) {
                continue;
            }
            table_.Delete();
            beginRemoveRows({}, row, row);
            rows_.erase(rows_.begin() + row);
            endRemoveRows();
            if (editingRow_ > row) {
                --editingRow_;
            }
        } catch (const KvfError& e) {
            prompter_.Error(e.what());
            ok = false;
            break;
        }
    }
    return ok;
}

} // namespace kvf
