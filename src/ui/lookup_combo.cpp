#include "ui/lookup_combo.h"

#include "catalog/table.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <optional>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

std::vector<TLookupRow> LookupRows(Table& table, const std::string& filter, const char* keyField,
                                   const char* textField) {
    std::optional<FilterScope> scope;
    if (!filter.empty()) {
        scope.emplace(table, filter);
    }
    std::vector<TLookupRow> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        rows.push_back({table.AsString(keyField), table.AsString(textField)});
    }
    return rows;
}

std::string LookupText(Table& table, const char* keyField, const std::string& key, const char* textField) {
    if (key.empty()) {
        return {};
    }
    Value value = key;
    if (!IsTextKind(table.Field(keyField).Kind)) {
        try {
            value = static_cast<int64_t>(std::stoll(key));
        } catch (const std::exception&) {
            return {};
        }
    }
    return table.Locate(keyField, {value}) ? table.AsString(textField) : std::string();
}

TLookupCombo::TLookupCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    // A chosen row becomes current after the list has closed: activated follows it.
    connect(this, &QComboBox::activated, this, [this] { finishCloseUp(); });
}

void TLookupCombo::SetValue(const std::string& key) {
    value_ = key;
    const int index = findData(qs(key));
    if (!key.empty() && index >= 0)
        setCurrentIndex(index);
    else
        showOnly(key);
}

void TLookupCombo::showOnly(const std::string& key) {
    clear();
    const std::string text = key.empty() || !TextOf ? std::string() : TextOf(key);
    if (text.empty()) {
        setCurrentIndex(-1);
        return;
    }
    addItem(qs(text), qs(key));
    setCurrentIndex(0);
}

void TLookupCombo::showPopup() {
    if (ListRows) {
        std::vector<TLookupRow> rows;
        try {
            rows = ListRows();
        } catch (const std::exception&) {
            // A list that cannot be read offers nothing; the value stays.
        }
        clear();
        offered_.clear();
        for (const TLookupRow& row : rows) {
            addItem(qs(row.Text), qs(row.Key));
            offered_.push_back(row.Key);
        }
        if (rows.empty()) {
            // Nothing to drop down: the combo keeps showing its value.
            SetValue(value_);
            return;
        }
        setCurrentIndex(value_.empty() ? -1 : findData(qs(value_)));
    }
    dropped_ = true;
    QComboBox::showPopup();
}

void TLookupCombo::hidePopup() {
    QComboBox::hidePopup();
    if (!dropped_)
        return;
    dropped_ = false;
    closing_ = true;
    // Closed without a choice (Escape, a click elsewhere): no activated follows.
    QMetaObject::invokeMethod(
        this, [this] { finishCloseUp(); }, Qt::QueuedConnection);
}

void TLookupCombo::finishCloseUp() {
    if (!closing_)
        return;
    closing_ = false;
    const int index = currentIndex();
    const std::string chosen = index >= 0 ? itemData(index).toString().toStdString() : value_;
    const bool changed = chosen != value_;
    // A value the list did not offer keeps its text.
    SetValue(chosen);
    emit CloseUp(changed);
}

void TLookupCombo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        const bool had = !value_.empty();
        showOnly(std::string());
        value_.clear();
        if (had)
            emit Cleared();
        event->accept();
        return;
    }
    // The value changes only through the list, so the keys that would step it open the list.
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_PageUp ||
         event->key() == Qt::Key_PageDown || event->key() == Qt::Key_Home || event->key() == Qt::Key_End) &&
        !(event->modifiers() & Qt::AltModifier)) {
        showPopup();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TLookupCombo::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

} // namespace kvf
