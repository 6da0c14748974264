#pragma once
// TOrderForm: the child window in which one order is edited. It owns the
// order, lists its positions with their sizes, counts and prices, shows the
// selected position's fittings and sketch, and carries the commands to add,
// edit, delete, reorder, include or exclude, re-price, copy and paste
// positions, to save the order into the orders folder and to register it.
// The main window routes its frame commands here (TChildWindow).

#include "ui/child_window.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;

namespace kvf {

class CatalogLookups;
class TMainForm;
class TPositionList;
class TkvfConstruction;
class TkvfOrder;
struct TAppContext;

class TOrderForm : public QWidget, public TChildWindow {
    Q_OBJECT
public:
    static constexpr const char* NewOrderFileName = "NewOrder.kfo370";

    // The steps of adding and editing a position that run other dialogs;
    // each returns true on OK, having changed the position in place.
    using PositionStep = std::function<bool(TkvfConstruction& position, QWidget* parent)>;

    // A new window with a new order taking its defaults from the settings.
    explicit TOrderForm(TMainForm& main, QWidget* parent = nullptr);
    ~TOrderForm() override;

    // Reads the order file; false (the message shown) when it could not be
    // read, and the window is then not to be shown.
    bool LoadFromFile(const std::string& fileName);

    TkvfOrder& Order() { return *order_; }
    bool Unsaved() const { return unsaved_; }
    void SetUnsaved() { unsaved_ = true; }
    TPositionList* ListView() const { return listView_; }
    QStatusBar* StatusBar() const { return statusBar_; }
    QPlainTextEdit* ConstructionInfo() const { return constructionInfo_; }
    QWidget* PaintBox() const { return paintBox_; }
    // A menu item by its component name ("CopyItem", "RecalcItem", ...).
    QAction* Item(const QString& name) const;
    int SelectedIndex() const { return selected_; }
    const std::string& SavedNo() const { return savedNo_; }

    // Replace the dialogs run for a new or an edited position (the position
    // dialog and the fittings dialog).
    void SetPositionDialog(PositionStep step) { positionDialog_ = std::move(step); }
    void SetFittingsDialog(PositionStep step) { fittingsDialog_ = std::move(step); }

    // TChildWindow
    ChildKind Kind() const override { return ChildKind::Order; }
    QWidget* Widget() override { return this; }
    void UpdateMainMenu(TMainForm& main) override;
    QList<QMenu*> MergedMenus() override;
    bool IsNew() const override { return isNew_; }
    std::string FileName() const override { return fileName_; }
    std::string DefaultFileName() const override;
    bool SaveToFile(const std::string& fileName) override;
    void OrderPropertiesRequest() override;
    void PropertiesCommand() override { PostOrderPropertiesRequest(); }
    void AddCommand() override { NewPosition(); }
    void EditCommand() override { EditPosition(); }
    void DeleteCommand() override { DeletePosition(); }

    // Commands.
    void PostOrderPropertiesRequest();
    void PostRecalcRequest();
    void RecalcRequest();
    void NewPosition();
    void EditPosition();
    void DeletePosition();
    void ClearOrder();
    // Re-prices every included position after a confirmation; true when it ran without error.
    bool Recalculate();
    void SortByNo();
    void SortByName();
    void MovePosition(int from, int to);
    void ToggleAllIncluded();
    // Registers the order: `ask` asks first; the silent form runs after a save.
    void Register(bool ask);
    void MergeFromFile();
    // Appends copies of the order's positions as they are, then asks for a recalculation.
    void MergeOrder(const TkvfOrder& source);
    void CopyPositions();
    // Appends the positions on the clipboard; false (quietly) when it holds none of ours.
    bool PastePositions();
    void SelectAll();

    // Rebuilds the list, status bar and menus; the selection is kept.
    void RefreshAll();
    // Publishes the order's pricing context and the caption.
    void PublishPricingContext();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> action,
                     const QKeySequence& shortcut = {});
    void setDefaults();
    void refreshList();
    void refreshStatusBar();
    void updateMenus();
    void selectionChanged();
    void checkStateChanged();
    void headerClicked(int section);
    void fillConstructionInfo();
    void paintSketch();
    QString currencyText() const;
    bool saveAs(const std::string& fileName);
    bool savePlain();
    bool numberCheck();
    bool writeOrder(const std::string& path);
    void afterSave();
    void writeLastOrderNo();
    bool registryAvailable() const;
    std::unique_ptr<CatalogLookups> lookups() const;
    bool runFittingsDialog(TkvfConstruction& position);

    TMainForm& main_;
    TAppContext& ctx_;
    std::unique_ptr<TkvfOrder> order_;
    std::string fileName_ = NewOrderFileName;
    bool isNew_ = true;
    bool unsaved_ = false;
    std::string savedNo_;
    std::string savedCustomer_;
    std::string savedObject_;
    int selected_ = -1;
    bool filling_ = false;

    TPositionList* listView_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusPanels_[4] = {};
    QPlainTextEdit* constructionInfo_ = nullptr;
    QWidget* paintBox_ = nullptr;
    QWidget* panel1_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* orderMenu_ = nullptr;
    QMenu* serviceMenu_ = nullptr;
    std::map<QString, QAction*> items_;
    PositionStep positionDialog_;
    PositionStep fittingsDialog_;
};

} // namespace kvf
