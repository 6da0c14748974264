#pragma once
// TSelectArticleDlg: picks an article of the article table by the fixed tree
// of article groups ("Фурнитура" 200-299, "Прочие материалы" 1000), with a
// search box that moves to the first record whose search field starts with
// the typed text (any letter case), and sorting by a click on a column title.

#include "ui/group_picker_dlg.h"

class QComboBox;
class QLineEdit;

namespace kvf {

class TSelectArticleDlg : public TGroupPickerDlg {
    Q_OBJECT
public:
    explicit TSelectArticleDlg(Prompter& prompter, QWidget* parent = nullptr);

    // Execute of the picker that also sorts by `sortField` and starts the search box with `startText`.
    bool ExecuteSorted(Table& data, const std::string& keyField, const std::string& caption,
                       const std::vector<std::string>& columns, const std::string& startText,
                       const std::string& sortField);

    QComboBox* SearchFieldCombo;
    QLineEdit* LookupEdit;
    QLabel* FilterName;

    // Sorts by the field of that grid column and makes it the search field;
    // false (error shown) when the table has no order on it.
    bool SortByColumn(int column);

protected:
    void filterFor(QTreeWidgetItem* node) override;
    void prepare() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(const QString& text);
    void markSortedColumns();

    std::string sortField_;
    std::string startText_;
};

} // namespace kvf
