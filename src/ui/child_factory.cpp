#include "ui/child_factory.h"

#include "ui/main_form.h"
#include "ui/order_list_form.h"

namespace kvf {

bool TKorvenaChildFactory::Supports(ChildKind kind) const {
    return kind == ChildKind::Registry;
}

TChildWindow* TKorvenaChildFactory::CreateOrderWindow(TMainForm&, const std::string&) {
    return nullptr;
}

TChildWindow* TKorvenaChildFactory::CreateSelectionWindow(TMainForm&, const std::string&, TChildWindow*) {
    return nullptr;
}

TChildWindow* TKorvenaChildFactory::CreateRegistryWindow(TMainForm& main) {
    return new TOrderListForm(main.Context(), main);
}

} // namespace kvf
