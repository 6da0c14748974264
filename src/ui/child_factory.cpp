#include "ui/child_factory.h"

#include "ui/main_form.h"
#include "ui/order_form.h"
#include "ui/order_list_form.h"
#include "ui/order_selection_form.h"

#include <memory>

namespace kvf {

bool TKorvenaChildFactory::Supports(ChildKind kind) const {
    return kind == ChildKind::Order || kind == ChildKind::Registry || kind == ChildKind::Selection;
}

TChildWindow* TKorvenaChildFactory::CreateOrderWindow(TMainForm& main, const std::string& fileName) {
    auto form = std::make_unique<TOrderForm>(main);
    if (!fileName.empty() && !form->LoadFromFile(fileName)) {
        return nullptr;
    }
    return form.release();
}

TChildWindow* TKorvenaChildFactory::CreateSelectionWindow(TMainForm& main, const std::string& fileName,
                                                          TChildWindow* source) {
    auto form = std::make_unique<TOrderSelectionForm>(main.Context(), main);
    if (!fileName.empty() && !form->LoadFromFile(fileName)) {
        return nullptr;
    }
    form->SetSourceRegistry(dynamic_cast<TOrderListForm*>(source));
    return form.release();
}

TChildWindow* TKorvenaChildFactory::CreateRegistryWindow(TMainForm& main) {
    return new TOrderListForm(main.Context(), main);
}

} // namespace kvf
