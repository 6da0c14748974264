#include "ui/lookup_combo.h"

#include "base/prompter.h"
#include "catalog/table.h"

namespace kvf {

TLookupCombo::TLookupCombo(Table* table, std::string keyField, std::string displayField, Prompter& prompter,
                           QWidget* parent)
    : QComboBox(parent), table_(table), keyField_(std::move(keyField)),
      displayField_(std::move(displayField)), prompter_(prompter) {
    Refill();
}

void TLookupCombo::SetKey(const QString& key) {
    int index = findData(key);
    if (index < 0 && !key.isEmpty()) {
        // A key the rows do not hold is kept and shown as it is.
        addItem(key, key);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

QString TLookupCombo::Key() const {
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void TLookupCombo::Refill(const std::string& filter) {
    const QString key = Key();
    const bool blocked = blockSignals(true);
    clear();
    if (table_ != nullptr && table_->Active()) {
        try {
            std::unique_ptr<FilterScope> scope;
            if (!filter.empty()) {
                scope = std::make_unique<FilterScope>(*table_, filter);
            }
            for (table_->First(); !table_->Eof(); table_->Next()) {
                const QString rowKey = QString::fromStdString(table_->AsString(keyField_));
                addItem(QString::fromStdString(table_->AsString(displayField_)), rowKey);
            }
        } catch (const std::exception& e) {
            prompter_.Error(e.what());
        }
    }
    SetKey(key);
    blockSignals(blocked);
}

void TLookupCombo::showPopup() {
    std::string filter;
    if (DropDownFilter) {
        try {
            filter = DropDownFilter();
        } catch (const std::exception& e) {
            prompter_.Error(e.what());
        }
    }
    Refill(filter);
    QComboBox::showPopup();
}

} // namespace kvf
