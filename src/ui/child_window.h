#pragma once
// TChildWindow: what the main window asks of its child windows (order,
// registry and selection windows). The main window routes every frame command
// to the active child by its kind; the child enables the frame's commands it
// supports in UpdateMainMenu, so a command a child does not take stays
// disabled instead of doing nothing.

#include <QList>
#include <string>

class QMenu;
class QWidget;

namespace kvf {

class TMainForm;

enum class ChildKind { Order, Registry, Selection };

// The buttons of the registry's record navigator.
enum class NavigateButton { First, Prior, Next, Last, Edit, Post, Cancel, Refresh };

class TChildWindow {
public:
    virtual ~TChildWindow() = default;

    virtual ChildKind Kind() const = 0;
    // The widget placed in the main window's MDI area.
    virtual QWidget* Widget() = 0;

    // Enables the main window's commands this child takes and shows its tool
    // bar; runs on every change of the active window, after the main window
    // has disabled every child command.
    virtual void UpdateMainMenu(TMainForm& main) = 0;
    // Menus merged into the menu bar between "&Файл" and "&Установки" while active.
    virtual QList<QMenu*> MergedMenus() { return {}; }

    // Order and selection windows: saving. IsNew: never saved nor loaded.
    virtual bool IsNew() const { return false; }
    virtual std::string FileName() const { return {}; }
    virtual std::string DefaultFileName() const { return {}; }
    // Saves under the given name (own messages); true when saved.
    virtual bool SaveToFile(const std::string& fileName) { return false; }

    // The order-properties request, posted after the window is created.
    virtual void OrderPropertiesRequest() {}

    // Frame commands (main tool bar and order tool bar).
    virtual void PrintCommand() {}
    virtual void PropertiesCommand() {}
    virtual void AddCommand() {}
    virtual void EditCommand() {}
    virtual void DeleteCommand() {}

    // Registry window commands (registry tool bar).
    virtual void RegisterCommand() {}
    virtual void OpenSelectedRequest() {}
    virtual void DeleteRegisteredCommand() {}
    virtual void MoveToArchiveCommand() {}
    virtual void Navigate(NavigateButton button) {}
    virtual int SelectedCount() const { return 0; }
};

// Creates the child windows; the main window adds them to its MDI area.
// A kind the factory does not support leaves the commands that create it disabled.
class TChildFactory {
public:
    virtual ~TChildFactory() = default;

    virtual bool Supports(ChildKind kind) const = 0;
    // fileName empty: a new, empty order. nullptr when the window could not be made (it said why).
    virtual TChildWindow* CreateOrderWindow(TMainForm& main, const std::string& fileName) = 0;
    // source: the registry window whose selected orders seed the selection, or nullptr.
    virtual TChildWindow* CreateSelectionWindow(TMainForm& main, const std::string& fileName,
                                                TChildWindow* source) = 0;
    virtual TChildWindow* CreateRegistryWindow(TMainForm& main) = 0;
};

} // namespace kvf
