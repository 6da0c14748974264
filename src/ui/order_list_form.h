#pragma once
// TOrderListForm: the registry window "Реестр заказов". The grid of the
// registry table with its marks, a details page of the current row, and the
// registry's operations (register, open, refresh, delete, archive, clear,
// find, sort), which run the shared functions of catalog/order_registry.h.
// At most one exists; the main window brings it to the front.

#include "ui/child_window.h"

#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QTableView;

namespace kvf {

struct TAppContext;
class Table;
class TOrderListModel;

class TOrderListForm : public QWidget, public TChildWindow {
    Q_OBJECT
public:
    TOrderListForm(TAppContext& ctx, TMainForm& main, QWidget* parent = nullptr);
    ~TOrderListForm() override;

    // TChildWindow.
    ChildKind Kind() const override { return ChildKind::Registry; }
    QWidget* Widget() override { return this; }
    void UpdateMainMenu(TMainForm& main) override;
    QList<QMenu*> MergedMenus() override;
    void RegisterCommand() override { RegistrateOrderItemClick(); }
    void OpenSelectedRequest() override;
    void DeleteRegisteredCommand() override { DeleteOrders(true); }
    void MoveToArchiveCommand() override { MoveToArchiveItemClick(); }
    void Navigate(NavigateButton button) override;
    int SelectedCount() const override;

    // Whether the registry table opened with the window.
    bool TableOpen() const;
    // Menu items by component name ("RegistrateOrderItem", "SortDateItem", ...).
    QAction* Item(const QString& name) const;
    QTableView* Grid() const { return grid_; }
    TOrderListModel* Model() const { return model_; }
    QTabWidget* Pages() const { return pages_; }

    // The commands.
    void RegistrateOrderItemClick();
    // The open request: opens the current row's order in a new order window.
    void OpenRegOrder();
    void RefreshLinkItemClick();
    // The current row, or the marked rows, leave the registry; `confirm` asks "Удалить заказ?" first.
    void DeleteOrders(bool confirm);
    void MoveToArchiveItemClick();
    void ClearOrderListItemClick();
    void FindOrderItemClick();
    // "" (by number), "Date", "CustName" or "ObjName".
    void SortBy(const std::string& indexName);

    // The marked rows' numbers and stored order files, in the order they were marked.
    std::vector<std::pair<std::string, std::string>> MarkedOrders() const;
    void ClearMarks();
    // Disables the grid and the details while another window works through the rows.
    void SetTableControlsEnabled(bool enabled);
    // Re-reads the table (other programs' changes included), keeping the current row.
    void RefreshTable();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const char* caption, void (TOrderListForm::*slot)(),
                     const QKeySequence& shortcut = {});
    void UpdateState();
    void headerClicked(int section);
    void gridClicked(const QModelIndex& index);
    void currentRowChanged();
    void loadDetails();
    void postDetails();
    // The current row's number; empty when the table has no rows.
    std::string currentNo() const;
    void goToRowId(int64_t rowId);
    // Delete or archive: the marked rows, else the current one.
    void removeOrders(bool archive);

    TAppContext& ctx_;
    TMainForm& main_;
    Table& table_;
    bool tableOpen_ = false;
    bool shown_ = false;
    TOrderListModel* model_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* idEdit_ = nullptr;
    QLineEdit* customerEdit_ = nullptr;
    QLineEdit* phoneEdit_ = nullptr;
    QLineEdit* objectEdit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* orderFileEdit_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QMenu* orderListMenu_ = nullptr;
    QMenu* sortMenu_ = nullptr;
    QActionGroup* sortGroup_ = nullptr;
    std::vector<std::pair<QString, QAction*>> items_;
    int anchorRow_ = -1; // where a shift-click range of marks starts
};

} // namespace kvf
