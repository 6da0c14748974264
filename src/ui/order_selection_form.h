#pragma once
// TOrderSelectionForm: the window of one selection (positions of several
// orders). A checked list of its items, filled from order files or from the
// registry window's marked orders, sorted, reordered by dragging; the
// properties dialog; save and save-as with the number check and the offer to
// rename the file after a new number.

#include "ui/child_window.h"

#include <QPointer>
#include <QTreeWidget>
#include <QWidget>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;

namespace kvf {

struct TAppContext;
class TOrderListForm;
class TkvfOrderSelection;

// The list of the selection window: rows dropped onto another row ask for a
// move of the dragged (current) row to the target's place.
class TSelectionListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TSelectionListView(QWidget* parent = nullptr);

signals:
    void MoveRequested(int from, int to);

protected:
    void dropEvent(QDropEvent* event) override;
};

class TOrderSelectionForm : public QWidget, public TChildWindow {
    Q_OBJECT
public:
    enum Column {
        IncludedColumn,
        OrderColumn,
        PosColumn,
        WidthColumn,
        HeightColumn,
        NumberColumn,
        NameColumn,
        FileColumn
    };

    // A new, empty selection with the settings' currency and VAT rate and the catalog's rates.
    TOrderSelectionForm(TAppContext& ctx, TMainForm& main, QWidget* parent = nullptr);
    ~TOrderSelectionForm() override;

    // TChildWindow.
    ChildKind Kind() const override { return ChildKind::Selection; }
    QWidget* Widget() override { return this; }
    void UpdateMainMenu(TMainForm& main) override;
    QList<QMenu*> MergedMenus() override;
    bool IsNew() const override { return isNew_; }
    std::string FileName() const override { return fileName_; }
    std::string DefaultFileName() const override { return "NewSel.kfs370"; }
    // The current file name: a save with the rename offer; any other: save as.
    bool SaveToFile(const std::string& fileName) override;
    void OrderPropertiesRequest() override;
    void PropertiesCommand() override { PropertyItemClick(); }
    void AddCommand() override { AddOrderItemClick(); }
    void DeleteCommand() override { DeletePosItemClick(); }

    // Loads a selection file; false (its message shown) when it could not be read.
    bool LoadFromFile(const std::string& fileName);
    // Save(file): an empty file is a save under the current name.
    bool Save(const std::string& file);
    // The registry window whose marked orders are added after the properties dialog.
    void SetSourceRegistry(TOrderListForm* registry) { sourceRegistry_ = registry; }

    TkvfOrderSelection& Selection() { return *selection_; }
    bool Modified() const { return modified_; }
    QTreeWidget* List() const { return list_; }
    QAction* Item(const QString& name) const;
    QString StatusText(int panel) const;

    // The commands.
    void PropertyItemClick();
    void AddOrderItemClick();
    void DeletePosItemClick();
    void RefreshSelectionItemClick();
    // The order file's positions into the selection (matched on order and position number).
    void AddOrderFile(const std::string& file);
    // Adds the orders marked in the source registry window, then clears its marks.
    void AddRegistryOrders();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {});
    void headerClicked(int section);
    void itemChecked(QTreeWidgetItem* item, int column);
    void moveItem(int from, int to);
    void sortBy(void (TkvfOrderSelection::*sort)());
    // Writes the item's values into its row; `fine` shows sizes with one decimal.
    void writeRow(int index, bool fine);
    void rewriteRows();
    void focusCurrent();
    void setModified();
    void updateStatus();
    void updateState();
    void publishPricing();
    // The save dialog for a new name in the selection folder; empty after Cancel.
    std::string chooseNewName();

    TAppContext& ctx_;
    TMainForm& main_;
    std::unique_ptr<TkvfOrderSelection> selection_;
    std::string fileName_ = "NewSel.kfs370";
    bool isNew_ = true;
    bool modified_ = false;
    std::string savedNo_;
    int curIndex_ = -1;
    QPointer<TOrderListForm> sourceRegistry_;

    QLabel* statusPanels_[2] = {};
    TSelectionListView* list_ = nullptr;
    QMenu* selectionMenu_ = nullptr;
    QMenu* serviceMenu_ = nullptr;
    std::vector<std::pair<QString, QAction*>> items_;
};

} // namespace kvf
