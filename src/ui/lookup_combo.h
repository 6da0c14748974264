#pragma once
// TLookupCombo: a drop-down list over catalog rows whose value is the key of
// the chosen row and whose text is the row's name. The rows are asked for
// only when the list drops down (so each list is built with the filter of
// that moment); closing the list reports whether the value changed. A key
// that is not in the catalog shows an empty text but is kept as the value.
// The Delete key clears the value.

#include <QComboBox>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kvf {

class Table;

struct TLookupRow {
    std::string Key;
    std::string Text;
};

// The rows of `table` as key and text, through `filter` when it is not empty
// (the filter is gone again when they are read).
std::vector<TLookupRow> LookupRows(Table& table, const std::string& filter, const char* keyField,
                                   const char* textField);
// The text of the row whose key field holds `key` (a number for a numeric
// key field); empty when there is none.
std::string LookupText(Table& table, const char* keyField, const std::string& key, const char* textField);

class TLookupCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TLookupCombo(QWidget* parent = nullptr);

    // The rows offered while the list is dropped down.
    std::function<std::vector<TLookupRow>()> ListRows;
    // The text of a key; empty for a key that is not in the catalog.
    std::function<std::string(const std::string&)> TextOf;

    const std::string& Value() const { return value_; }
    // Sets the value without any notification.
    void SetValue(const std::string& key);
    void Clear() { SetValue(std::string()); }
    // The keys offered by the last drop-down.
    const std::vector<std::string>& OfferedKeys() const { return offered_; }

    void showPopup() override;
    void hidePopup() override;

signals:
    // The list closed; `changed` when the user chose another row.
    void CloseUp(bool changed);
    // The Delete key cleared a value.
    void Cleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void showOnly(const std::string& key);
    // Reports the close-up once the list's own selection has landed.
    void finishCloseUp();

    std::string value_;
    std::vector<std::string> offered_;
    bool dropped_ = false;
    bool closing_ = false;
};

} // namespace kvf
