#include "ui/order_list_model.h"

#include "base/money.h"
#include "base/number_format.h"
#include "base/ole_date.h"
#include "catalog/table.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace kvf {

namespace {

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TOrderListModel::TOrderListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TOrderListModel::Reload(Table& table) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(static_cast<size_t>(table.RecordCount()));
    const int64_t current = table.RecNo() >= 0 ? table.RowId() : -1;
    for (table.First(); !table.Eof(); table.Next()) {
        Row& r = rows_.emplace_back();
        r.RowId = table.RowId();
        r.No = qs(table.AsString("No"));
        r.RegDate = table.IsNull("RegDate") ? QString() : qs(FormatDate(table.AsFloat("RegDate")));
        r.Customer = qs(table.AsString("Customer"));
        r.Object = qs(table.AsString("Object"));
        r.Cost = qs(FormatFixed(Money::FromRaw(table.AsMoneyUnits("Cost")).ToDouble(), 2));
    }
    if (current >= 0)
        table.GotoRowId(current);
    std::unordered_set<int64_t> present;
    for (const Row& r : rows_)
        present.insert(r.RowId);
    std::erase_if(marks_, [&](int64_t id) { return !present.contains(id); });
    endResetModel();
}

int TOrderListModel::RowOf(int64_t rowId) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].RowId == rowId)
            return static_cast<int>(i);
    return -1;
}

bool TOrderListModel::IsMarked(int row) const {
    return std::find(marks_.begin(), marks_.end(), At(row).RowId) != marks_.end();
}

void TOrderListModel::ToggleMark(int row) {
    const int64_t id = At(row).RowId;
    auto it = std::find(marks_.begin(), marks_.end(), id);
    if (it == marks_.end())
        marks_.push_back(id);
    else
        marks_.erase(it);
    marksChanged();
}

void TOrderListModel::Mark(int row) {
    if (!IsMarked(row)) {
        marks_.push_back(At(row).RowId);
        marksChanged();
    }
}

void TOrderListModel::MarkAll() {
    marks_.clear();
    for (const Row& r : rows_)
        marks_.push_back(r.RowId);
    marksChanged();
}

void TOrderListModel::ClearMarks() {
    marks_.clear();
    marksChanged();
}

void TOrderListModel::marksChanged() {
    if (!rows_.empty())
        emit dataChanged(index(0, SelectedColumn), index(static_cast<int>(rows_.size()) - 1, SelectedColumn),
                         {Qt::CheckStateRole});
}

int TOrderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TOrderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TOrderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Row& r = At(index.row());
    if (role == Qt::CheckStateRole && index.column() == SelectedColumn)
        return IsMarked(index.row()) ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() == CostColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NoColumn:
        return r.No;
    case RegDateColumn:
        return r.RegDate;
    case CustomerColumn:
        return r.Customer;
    case ObjectColumn:
        return r.Object;
    case CostColumn:
        return r.Cost;
    default:
        return {};
    }
}

QVariant TOrderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const captions[] = {"[...]",    "Номер заказа", "Дата",
                                           "Заказчик", "Объект",       "Стоимость"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(captions[section]) : QVariant();
}

Qt::ItemFlags TOrderListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == SelectedColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

} // namespace kvf
