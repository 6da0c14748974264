#include "ui/child_factory.h"

#include "ui/main_form.h"
#include "ui/order_list_form.h"
#include "ui/order_selection_form.h"

namespace kvf {

bool TKorvenaChildFactory::Supports(ChildKind kind) const {
    return kind == ChildKind::Registry || kind == ChildKind::Selection;
}

TChildWindow* TKorvenaChildFactory::CreateOrderWindow(TMainForm&, const std::string&) {
    return nullptr;
}

TChildWindow* TKorvenaChildFactory::CreateSelectionWindow(TMainForm& main, const std::string& fileName,
                                                          TChildWindow* source) {
    auto* form = new TOrderSelectionForm(main.Context(), main);
    if (!fileName.empty() && !form->LoadFromFile(fileName)) {
        delete form;
        return nullptr;
    }
    form->SetSourceRegistry(dynamic_cast<TOrderListForm*>(source));
    return form;
}

TChildWindow* TKorvenaChildFactory::CreateRegistryWindow(TMainForm& main) {
    return new TOrderListForm(main.Context(), main);
}

} // namespace kvf
