#pragma once
// TGroupPickerDlg: the common part of the complect and article pickers: a
// fixed tree of catalog groups on the left filters a read-only grid of a
// table's records on the right; the record under the cursor is the result.
// Enter in the grid or a double-click closes with OK; F3 switches whole-row
// selection of the grid. The table's filter, filter switch and order are
// put back when the picker closes, whichever way.

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace kvf {

class Prompter;
class TDataGrid;
class TTableModel;
class Table;

// A node of the group tree: its caption, its group code (0 for none) and its children.
struct TGroupNode {
    const char* Caption;
    int Code;
    std::vector<TGroupNode> Children;
};

// The column title of a field: "Код" for ID, "Наименование" for Name, else the field's name.
QString DisplayName(const std::string& field);

class TGroupPickerDlg : public QDialog {
    Q_OBJECT
public:
    // Shows the picker over `data`: the first root and the node of code
    // `expandCode` expanded, the node of code `selectCode` selected (0: none),
    // one column per field. True for OK; Result() is then the key of the record.
    bool Execute(Table& data, const std::string& keyField, const std::string& caption, int expandCode,
                 int selectCode, const std::vector<std::string>& columns);
    // The key value of the chosen record; empty after Cancel or without a record.
    const std::string& Result() const { return result_; }

    QTreeWidget* TreeView() const { return tree_; }
    TDataGrid* Grid() const { return grid_; }
    TTableModel* Model() const { return model_; }
    // Selects the node of that caption (as a click on it would).
    bool SelectNode(const QString& caption);

    void done(int result) override;

protected:
    TGroupPickerDlg(Prompter& prompter, std::vector<TGroupNode> roots, QWidget* parent);

    // Filters the table for the node (nullptr: none) and shows the result.
    virtual void filterFor(QTreeWidgetItem* node) = 0;
    // Called once the grid's columns exist, before the dialog shows.
    virtual void prepare() {}
    // Re-reads the grid after the table's filter or order changed.
    void reload();
    static int codeOf(const QTreeWidgetItem* node);

    Prompter& prompter_;
    QVBoxLayout* gridColumn_; // the right-hand column, for extra controls above the grid
    Table* data_ = nullptr;
    std::string keyField_;

private:
    void nodeChanged(QTreeWidgetItem* node);
    void addNodes(QTreeWidgetItem* parent, const std::vector<TGroupNode>& nodes);

    QTreeWidget* tree_;
    TDataGrid* grid_;
    TTableModel* model_ = nullptr;
    std::string result_;
    // The table's state when the picker opened.
    std::string savedFilter_;
    bool savedFiltered_ = false;
    std::string savedIndex_;
};

} // namespace kvf
