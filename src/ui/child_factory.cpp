#include "ui/child_factory.h"

#include "ui/order_form.h"

#include <memory>

namespace kvf {

bool TKorvenaChildFactory::Supports(ChildKind kind) const {
    return kind == ChildKind::Order;
}

TChildWindow* TKorvenaChildFactory::CreateOrderWindow(TMainForm& main, const std::string& fileName) {
    auto form = std::make_unique<TOrderForm>(main);
    if (!fileName.empty() && !form->LoadFromFile(fileName)) {
        return nullptr;
    }
    return form.release();
}

TChildWindow* TKorvenaChildFactory::CreateSelectionWindow(TMainForm&, const std::string&, TChildWindow*) {
    return nullptr;
}

TChildWindow* TKorvenaChildFactory::CreateRegistryWindow(TMainForm&) {
    return nullptr;
}

} // namespace kvf
