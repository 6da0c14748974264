#include "ui/property_grid.h"

#include "base/prompter.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"

#include <QComboBox>
#include <QHeaderView>

#include <cstdio>

namespace kvf {

namespace {

const char* const kTopCaptions[TPropertyGrid::kComponents] = {
    "Свойства комплекта", "Свойства ручки",     "Свойства петель",     "Свойства замка",
    "Свойства цилиндра",  "Свойства доводчика", "Свойства шпингалетов"};

// The join lists the keys as complect, handle, latch, drive, cylinder, lock, hinge.
constexpr int kQueryOrder[TPropertyGrid::kComponents] = {0, 1, 6, 5, 4, 3, 2};

constexpr int kGroupRole = Qt::UserRole;

int groupOf(int id) {
    return id / 10 * 10;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

bool ParseSelection(const std::string& record, int& index, int& value) {
    const auto eq = record.find('=');
    if (eq != 1 || record[0] < '0' || record[0] > '6')
        return false;
    try {
        size_t used = 0;
        value = std::stoi(record.substr(2), &used);
        if (used != record.size() - 2)
            return false;
    } catch (const std::exception&) {
        return false;
    }
    index = record[0] - '0';
    return true;
}

TPropertyGrid::TPropertyGrid(TDM& dm, Prompter& prompter, QWidget* parent)
    : QTreeWidget(parent), dm_(dm), prompter_(prompter) {
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    for (const char* caption : kTopCaptions)
        addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(caption)}));
}

QComboBox* TPropertyGrid::ValueBox(int index, int row) const {
    return qobject_cast<QComboBox*>(itemWidget(TopRow(index)->child(row), 1));
}

std::vector<TPropertyGrid::PropRow> TPropertyGrid::query(const Keys& keys) {
    std::array<int, kComponents> inQueryOrder{};
    for (int k = 0; k < kComponents; ++k)
        inQueryOrder[k] = keys[kQueryOrder[k]];
    std::vector<PropRow> rows;
    Table& q = *dm_.Q_Properties;
    if (!dm_.OpenPropertyQuery(inQueryOrder, prompter_))
        return rows;
    for (q.First(); !q.Eof(); q.Next()) {
        PropRow row;
        row.ID = static_cast<int>(q.AsInteger("ID"));
        row.GroupName = q.AsString("GroupName");
        row.ValueName = q.AsString("ValueName");
        row.Default = q.AsInteger("Default") == 1;
        row.PropKey = static_cast<int>(q.AsInteger("PropKey"));
        valueNames_[row.ID] = row.ValueName;
        rows.push_back(std::move(row));
    }
    q.Close();
    return rows;
}

void TPropertyGrid::clearComponent(int index) {
    QTreeWidgetItem* top = TopRow(index);
    while (top->childCount() > 0)
        delete top->takeChild(0);
}

void TPropertyGrid::addRows(const std::vector<PropRow>& rows, const Keys& keys, int which) {
    struct SubRow {
        int Component = 0;
        int Group = 0;
        std::string Caption;
        std::vector<const PropRow*> Values;
        int Default = 0; // a sub-row without a default takes its first value
    };
    std::vector<SubRow> subRows;
    int previousGroup = -1;
    for (const PropRow& row : rows) {
        int component = -1;
        for (int i = 0; i < kComponents; ++i) {
            if (keys[i] == row.PropKey)
                component = i;
        }
        if (component < 0 || (which >= 0 && component != which))
            continue;
        const int group = groupOf(row.ID);
        if (group != previousGroup || subRows.empty())
            subRows.push_back({component, group, row.GroupName, {}, 0});
        previousGroup = group;
        SubRow& sub = subRows.back();
        if (row.Default)
            sub.Default = static_cast<int>(sub.Values.size());
        sub.Values.push_back(&row);
    }
    for (const SubRow& sub : subRows) {
        auto* item = new QTreeWidgetItem(QStringList{qs(sub.Caption)});
        item->setData(0, kGroupRole, sub.Group);
        TopRow(sub.Component)->addChild(item);
        auto* box = new QComboBox(this);
        box->setEditable(false);
        for (const PropRow* value : sub.Values)
            box->addItem(qs(value->ValueName), value->ID);
        box->setCurrentIndex(sub.Default);
        setItemWidget(item, 1, box);
    }
    for (int i = 0; i < kComponents; ++i)
        TopRow(i)->setExpanded(TopRow(i)->childCount() > 0);
}

void TPropertyGrid::Build(const Keys& keys) {
    BusyCursor busy(prompter_);
    for (int i = 0; i < kComponents; ++i)
        clearComponent(i);
    addRows(query(keys), keys, -1);
}

void TPropertyGrid::BuildComponent(const Keys& keys, int index) {
    BusyCursor busy(prompter_);
    clearComponent(index);
    Keys only{};
    only[index] = keys[index];
    addRows(query(only), keys, index);
}

void TPropertyGrid::RemoveComponent(int index) {
    clearComponent(index);
    TopRow(index)->setExpanded(false);
}

void TPropertyGrid::Apply(const std::vector<std::string>& selections) {
    for (const std::string& record : selections) {
        int index = 0, value = 0;
        if (!ParseSelection(record, index, value))
            continue;
        const auto name = valueNames_.find(value);
        if (name == valueNames_.end())
            continue;
        QTreeWidgetItem* top = TopRow(index);
        for (int r = 0; r < top->childCount(); ++r) {
            if (top->child(r)->data(0, kGroupRole).toInt() != groupOf(value))
                continue;
            QComboBox* box = ValueBox(index, r);
            const int at = box->findText(qs(name->second));
            if (at >= 0)
                box->setCurrentIndex(at);
            break;
        }
    }
}

std::vector<std::string> TPropertyGrid::ReadBack() const {
    std::vector<std::string> selections;
    Table& props = dm_.T_SysProp;
    for (int i = 0; i < kComponents; ++i) {
        QTreeWidgetItem* top = TopRow(i);
        for (int r = 0; r < top->childCount(); ++r) {
            const QComboBox* box = ValueBox(i, r);
            if (box == nullptr || box->currentIndex() < 0)
                continue;
            const int group = top->child(r)->data(0, kGroupRole).toInt();
            char range[64];
            std::snprintf(range, sizeof range, "(ID >=%d and ID < %d and ValueName=", group, group + 1000);
            FilterScope filter(props, range + QuoteFilterText(box->currentText().toStdString()) + ")");
            props.First();
            if (!props.Eof())
                selections.push_back(std::to_string(i) + "=" + std::to_string(props.AsInteger("ID")));
        }
    }
    return selections;
}

} // namespace kvf
