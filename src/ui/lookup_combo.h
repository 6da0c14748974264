#pragma once
// TLookupCombo: a drop-down that edits a key value by choosing a row of a
// catalog table; it shows the row's display field. The rows offered may be
// narrowed by a filter computed when the list opens; the filter is gone again
// once the rows are read.

#include <QComboBox>

#include <functional>
#include <string>

namespace kvf {

class Prompter;
class Table;

class TLookupCombo : public QComboBox {
    Q_OBJECT
public:
    // table may be nullptr (no catalog): the combo then only keeps its key.
    TLookupCombo(Table* table, std::string keyField, std::string displayField, Prompter& prompter,
                 QWidget* parent = nullptr);

    // The filter for the next opening of the list; empty text for none. It may
    // raise: the error is shown and the list is not filtered.
    std::function<std::string()> DropDownFilter;

    void SetKey(const QString& key);
    QString Key() const;

    // Reads the table's rows (through `filter` when not empty), keeping the key.
    void Refill(const std::string& filter = {});

    void showPopup() override;

private:
    Table* table_;
    std::string keyField_;
    std::string displayField_;
    Prompter& prompter_;
};

} // namespace kvf
