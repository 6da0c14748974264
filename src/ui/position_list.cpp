#include "ui/position_list.h"

#include "base/money.h"
#include "model/order.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QString FormatMoneyText(long long tenThousandths, const QString& currency) {
    const QString amount = qs(Money::FromRaw(tenThousandths).Format4());
    return currency.isEmpty() ? amount : amount + ' ' + currency;
}

TPositionList::TPositionList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("ListView");
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setSortingEnabled(false);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setHeaderLabels({"[..]", QString::fromUtf8("Позиция"), QString::fromUtf8("Ширина"),
                     QString::fromUtf8("Высота"), QString::fromUtf8("Кол-во"),
                     QString::fromUtf8("Наименование"), QString::fromUtf8("Цена"),
                     QString::fromUtf8("Стоимость")});
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    setColumnWidth(CheckColumn, 40);
    setColumnWidth(NameColumn, 220);
}

void TPositionList::Fill(const TkvfOrder& order, const QString& currency) {
    const bool blocked = blockSignals(true);
    setUpdatesEnabled(false);
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(order.Count());
    for (int i = 0; i < order.Count(); ++i) {
        const TkvfConstruction& position = order.Position(i);
        std::int32_t width = 0;
        std::int32_t height = 0;
        position.GetSize(width, height);
        auto* item =
            new QTreeWidgetItem(QStringList{QString(), qs(position.No), QString::number(width),
                                            QString::number(height), QString::number(position.Number),
                                            qs(position.Name), FormatMoneyText(position.Cost.Raw(), currency),
                                            FormatMoneyText(position.PositionTotal().Raw(), currency)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                       Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren);
        item->setCheckState(CheckColumn, position.Included ? Qt::Checked : Qt::Unchecked);
        items << item;
    }
    addTopLevelItems(items);
    setUpdatesEnabled(true);
    blockSignals(blocked);
}

int TPositionList::CurrentIndex() const {
    QTreeWidgetItem* current = currentItem();
    if (current != nullptr && current->isSelected()) {
        return indexOfTopLevelItem(current);
    }
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.front());
}

std::vector<int> TPositionList::SelectedIndices() const {
    std::vector<int> indices;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected()) {
            indices.push_back(i);
        }
    }
    return indices;
}

void TPositionList::SelectIndex(int index) {
    QTreeWidgetItem* item = index >= 0 ? topLevelItem(index) : nullptr;
    if (item == nullptr) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    clearSelection();
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

void TPositionList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TPositionList::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() == this && itemAt(event->position().toPoint()) != nullptr) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TPositionList::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const int from = CurrentIndex();
    if (event->source() != this || target == nullptr || from < 0) {
        event->ignore();
        return;
    }
    // The list is rebuilt from the order; Qt must not move the row itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    emit RowDropped(from, indexOfTopLevelItem(target));
}

void TPositionList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit EnterPressed();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace kvf
