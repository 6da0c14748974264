#pragma once
// TTableModel: an item model over one table object of the data module, for
// the grids of the dialogs. It reads the rows once (Reload) and keeps the
// displayed values; edits go through the table's own Edit/SetValue/Post, so
// the table stays the one owner of its rows. A row being edited or inserted
// stays open until the grid moves to another row or PostEdits is called, as
// with a data-aware grid. Post errors are shown and leave the row open.

#include "catalog/field.h"

#include <QAbstractTableModel>

#include <map>
#include <string>
#include <vector>

namespace kvf {

class Prompter;
class Table;

struct TGridColumn {
    std::string Field; // a data or lookup field of the table
    QString Caption;
    int WidthChars = 10;
};

class TTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TTableModel(Table& table, std::vector<TGridColumn> columns, Prompter& prompter,
                QObject* parent = nullptr);

    Table& GetTable() const { return table_; }
    const std::vector<TGridColumn>& Columns() const { return columns_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }

    // Re-reads every row of the table (in its current order and filter).
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Puts the row in edit mode and sets a field (data field, not lookup) from
    // text. Text that is no number for a numeric field, or that Windows-1251
    // cannot hold, is refused with a message: the cell keeps it for
    // correction and the row cannot be posted until it is corrected; false then.
    bool SetField(int row, const std::string& field, const QString& text);
    // The key field behind a lookup column ("CurrencyLookup" -> "Currency"); the field itself otherwise.
    std::string KeyFieldOf(int column) const;

    // Moves the table's cursor to the row; a pending edit of another row is posted first.
    bool MoveTo(int row);
    // The row of the table's current record, -1 for none.
    int CurrentTableRow() const;
    // The row being edited or inserted, -1 for none.
    int EditingRow() const { return editingRow_; }
    // Posts the row being edited or inserted; false (error shown) when the
    // post failed or a refused text waits for correction. The row then stays
    // in edit mode.
    bool PostEdits();
    void CancelEdits();
    // The table's row id of a model row (-1 for the row being inserted).
    int64_t RowIdAt(int row) const { return rows_[row].RowId; }
    // Shows a row the table itself has put in insert mode (a paste) before `row`, as the row being edited.
    void AdoptPendingInsert(int row);
    // A blank row in insert mode before `row` (at the end for rowCount()).
    bool InsertRecord(int row);
    // Deletes the rows (indexes of this model); false when one failed (error shown).
    bool DeleteRows(std::vector<int> rows);
    // The displayed text of a cell, and the raw value of its field.
    QString CellText(int row, int column) const;

private:
    struct CachedRow {
        int64_t RowId = -1; // -1 for the row being inserted
        std::vector<Value> Values;
    };
    CachedRow readCurrent() const;
    const FieldDef* fieldDef(const std::string& name) const;
    bool isLookup(int column) const;

    Table& table_;
    std::vector<TGridColumn> columns_;
    Prompter& prompter_;
    std::vector<CachedRow> rows_;
    int editingRow_ = -1;
    bool readOnly_ = false;
    // Re-reads a row from the table; refused texts stay in their cells.
    void refreshRow(int row);
    struct Refusal {
        std::string Message;
        std::string Typed;
    };
    // Field -> its refused text, for the row being edited.
    std::map<std::string, Refusal> refused_;
};

} // namespace kvf
