#pragma once
// TMainForm: the main window. An MDI frame with the menu bar, the tool bars
// MainToolBar, OrderToolBar and OrderLstToolBar, the status bar and the
// shared open and save dialogs. Frame commands go to the active child window
// by its kind (TChildWindow); every change of the active window runs
// MenuUpdate.

#include "ui/child_window.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <string>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QToolBar;
class QToolButton;

namespace kvf {

struct TAppContext;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int MinWidth = 640;
    static constexpr int MinHeight = 480;
    // The drop-down owner of NewBut/OpenBut: none, NewBut, OpenBut.
    static constexpr int NoDropDownOwner = -100;
    static constexpr int NewButOwner = -1;
    static constexpr int OpenButOwner = -2;

    explicit TMainForm(TAppContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    TAppContext& Context() { return ctx_; }

    // Main window initialisation: databases, tables, window state, the start requests.
    void Initialise();

    // A menu item or button by its component name ("SaveItem", "NewBut", ...); nullptr when unknown.
    QAction* Item(const QString& name) const;
    QToolBar* MainToolBar() const { return mainToolBar_; }
    QToolBar* OrderToolBar() const { return orderToolBar_; }
    QToolBar* OrderLstToolBar() const { return orderLstToolBar_; }
    QMdiArea* MdiArea() const { return mdi_; }
    QMenu* WindowMenu() const { return windowMenu_; }
    QMenu* MenuPopup() const { return menuPopup_; }
    QPrinter& Printer();

    // Status bar panels 0 to 3.
    void SetStatusPanel(int panel, const QString& text);
    QString StatusPanel(int panel) const;

    // Children, in creation order, and the active one (nullptr for none).
    QList<TChildWindow*> Children() const;
    TChildWindow* ActiveChild() const;
    // Adds a created child window; the first child takes the saved child state.
    void AddChild(TChildWindow* child);

    // Enables the menu entries and tool buttons for the active window; run on
    // every change of the active window.
    void MenuUpdate();

    // Frame commands.
    void OpenOrderList();
    void NewOrder();
    void NewOrderSelection();
    // filterIndex: 1 orders, 3 selections, 0 chosen by the active child.
    void OpenFiles(int filterIndex);
    bool SaveChild(TChildWindow& child);
    bool SaveChildAs(TChildWindow& child);
    void SaveAll();
    void CloseAll();
    void MinimizeAll();

    // Deferred requests: posted, processed in the order posted.
    void PostOpenRegistryRequest();
    void PostCurrencyRatesRequest();
    void PostPresentationRequest();
    void PostNewsRequest();
    void OpenRegistryRequest();
    void CurrencyRatesRequest();
    void PresentationRequest();
    void NewsRequest();

    // The drop-down of NewBut/OpenBut.
    int DropDownOwner() const { return dropDownOwner_; }
    void SetDropDownOwner(int owner) { dropDownOwner_ = owner; }
    void PrepareMenuPopup();

    // The shared file dialogs' texts.
    static QStringList OpenFilters();

signals:
    // Each deferred request as its handling begins (its name).
    void RequestReceived(const QString& name);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> action,
                     const QKeySequence& shortcut = {});
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createNewsPanels();
    void fillWindowMenu();
    void mergeChildMenus(TChildWindow* child);
    void applyChildState(QMdiSubWindow* window);
    void withActive(std::initializer_list<ChildKind> kinds, const std::function<void(TChildWindow&)>& action);
    QString runOpenDialog(int& filterIndex, QStringList& files);
    void storeWindowState();
    void postRequest(void (TMainForm::*request)());

    TAppContext& ctx_;
    QMdiArea* mdi_ = nullptr;
    std::map<QString, QAction*> items_;
    QMenu* fileMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* menuPopup_ = nullptr;
    QList<QAction*> windowListActions_;
    QList<QAction*> mergedMenus_;
    QToolBar* mainToolBar_ = nullptr;
    QToolBar* orderToolBar_ = nullptr;
    QToolBar* orderLstToolBar_ = nullptr;
    QToolBar* personalInfoBar_ = nullptr;
    QToolButton* newBut_ = nullptr;
    QToolButton* openBut_ = nullptr;
    QLabel* panels_[4] = {};
    QPrinter* printer_ = nullptr;
    int dropDownOwner_ = NoDropDownOwner;
    bool closingDown_ = false;
};

} // namespace kvf
