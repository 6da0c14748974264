#include "ui/group_picker_dlg.h"

#include "base/prompter.h"
#include "catalog/table.h"
#include "qt/ok_cancel_buttons.h"
#include "ui/data_grid.h"
#include "ui/table_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

constexpr int kCodeRole = Qt::UserRole;

} // namespace

QString DisplayName(const std::string& field) {
    if (SameAsciiName(field, "ID"))
        return QString::fromUtf8("Код");
    if (SameAsciiName(field, "Name"))
        return QString::fromUtf8("Наименование");
    return QString::fromStdString(field);
}

TGroupPickerDlg::TGroupPickerDlg(Prompter& prompter, std::vector<TGroupNode> roots, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(this);
    tree_ = new QTreeWidget(split);
    tree_->setObjectName("TreeView");
    tree_->setHeaderHidden(true);
    addNodes(nullptr, roots);
    auto* right = new QWidget(split);
    gridColumn_ = new QVBoxLayout(right);
    gridColumn_->setContentsMargins(0, 0, 0, 0);
    grid_ = new TDataGrid(right);
    grid_->setObjectName("Grid");
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridColumn_->addWidget(grid_);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    layout->addWidget(OkCancelButtons(this));

    grid_->KeyHandler = [this](QKeyEvent* key) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
        return false;
    };
    connect(grid_, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    f3->setContext(Qt::WindowShortcut);
    connect(f3, &QShortcut::activated, this, [this] {
        grid_->setSelectionBehavior(grid_->selectionBehavior() == QAbstractItemView::SelectRows
                                        ? QAbstractItemView::SelectItems
                                        : QAbstractItemView::SelectRows);
    });
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { nodeChanged(node); });
    connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) { nodeChanged(node); });
    resize(760, 480);
}

void TGroupPickerDlg::addNodes(QTreeWidgetItem* parent, const std::vector<TGroupNode>& nodes) {
    for (const TGroupNode& node : nodes) {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromUtf8(node.Caption)});
        item->setData(0, kCodeRole, node.Code);
        if (parent == nullptr)
            tree_->addTopLevelItem(item);
        else
            parent->addChild(item);
        addNodes(item, node.Children);
    }
}

int TGroupPickerDlg::codeOf(const QTreeWidgetItem* node) {
    return node == nullptr ? 0 : node->data(0, kCodeRole).toInt();
}

bool TGroupPickerDlg::SelectNode(const QString& caption) {
    const auto found = tree_->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return false;
    tree_->setCurrentItem(found.front());
    return true;
}

void TGroupPickerDlg::nodeChanged(QTreeWidgetItem* node) {
    if (data_ == nullptr || node == nullptr)
        return;
    if (tree_->currentItem() != node) {
        const QSignalBlocker block(tree_);
        tree_->setCurrentItem(node);
    }
    BusyCursor busy(prompter_);
    filterFor(node);
    reload();
}

void TGroupPickerDlg::reload() {
    model_->Reload();
    const int row = model_->CurrentTableRow();
    if (model_->rowCount() > 0)
        grid_->GoToRow(row >= 0 ? row : 0);
}

bool TGroupPickerDlg::Execute(Table& data, const std::string& keyField, const std::string& caption,
                              int expandCode, int selectCode, const std::vector<std::string>& columns) {
    data_ = &data;
    keyField_ = keyField;
    result_.clear();
    setWindowTitle(QString::fromStdString(caption));
    savedFilter_ = data.Filter();
    savedFiltered_ = data.Filtered();
    savedIndex_ = data.IndexName();

    std::vector<TGridColumn> gridColumns;
    for (const std::string& field : columns) {
        const FieldDef& def = data.Field(field);
        gridColumns.push_back({field, DisplayName(def.Name), std::clamp(def.Size, 4, 40)});
    }
    model_ = new TTableModel(data, gridColumns, prompter_, this);
    model_->SetReadOnly(true);
    grid_->SetTableModel(model_);
    reload();

    if (tree_->topLevelItemCount() > 0)
        tree_->topLevelItem(0)->setExpanded(true);
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const int code = codeOf(*it);
        if (code != 0 && code == expandCode)
            (*it)->setExpanded(true);
        if (code != 0 && code == selectCode)
            tree_->setCurrentItem(*it);
    }
    // The grid, not the tree, takes the focus: a tree focused without a node selects
    // its first one, which would drop the table's own filter.
    grid_->setFocus();
    prepare();
    return exec() == QDialog::Accepted;
}

void TGroupPickerDlg::done(int result) {
    if (data_ != nullptr) {
        if (result == QDialog::Accepted) {
            const int row = grid_->CurrentRow();
            if (row >= 0 && model_->MoveTo(row))
                result_ = data_->AsString(keyField_);
        }
        data_->SetFilter(savedFilter_);
        data_->SetFiltered(savedFiltered_);
        try {
            data_->SetIndexName(savedIndex_);
        } catch (const std::exception&) {
            // The order it had was valid when the picker opened; nothing to restore otherwise.
        }
    }
    QDialog::done(result);
}

} // namespace kvf
