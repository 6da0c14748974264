#pragma once
// TKorvenaChildFactory: the program's creator of child windows; each window
// gets the main window's application context.

#include "ui/child_window.h"

namespace kvf {

class TKorvenaChildFactory : public TChildFactory {
public:
    bool Supports(ChildKind kind) const override;
    TChildWindow* CreateOrderWindow(TMainForm& main, const std::string& fileName) override;
    TChildWindow* CreateSelectionWindow(TMainForm& main, const std::string& fileName,
                                        TChildWindow* source) override;
    TChildWindow* CreateRegistryWindow(TMainForm& main) override;
};

} // namespace kvf
