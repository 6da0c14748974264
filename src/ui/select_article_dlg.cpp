#include "ui/select_article_dlg.h"

#include "base/prompter.h"
#include "catalog/schema.h"
#include "catalog/table.h"
#include "ui/data_grid.h"
#include "ui/table_model.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

std::vector<TGroupNode> articleGroups() {
    return {{"Фурнитура",
             200,
             {{"Замок со средним ПР", 201, {}},
              {"Замок с фиксированным ПР", 202, {}},
              {"Пов. замок со средним ПР", 203, {}},
              {"Пов. замок с фиксированным ПР", 204, {}},
              {"Механизм штульповый", 205, {}},
              {"Удлинитель / Промежуточная передача", 207, {}},
              {"Концевой запор", 206, {}},
              {"Шпингалет", 208, {}},
              {"Угловой переключатель", 209, {}},
              {"Ножницы", 210, {}},
              {"Средний запор", 211, {}},
              {"Средний прижим", 212, {}},
              {"Петля оконная", 213, {}},
              {"Декоративная накладка", 214, {}},
              {"Ответная планка", 215, {}},
              {"Подкладка", 216, {}},
              {"Защелка балконная", 217, {}},
              {"Блокиратор", 218, {}},
              {"Подъемник створки", 219, {}},
              {"Прочий аксессуар", 220, {}},
              {"Ручки оконная", 221, {}},
              {"Замок дверной", 222, {}},
              {"Петля дверная", 223, {}},
              {"Ручка дверная", 224, {}},
              {"Доводчик дверной", 225, {}},
              {"Аксессуар дверной", 226, {}}}},
            {"Прочие материалы", 1000, {}}};
}

// The fields the table's current order sorts by.
std::vector<std::string> orderFields(const Table& table) {
    const TableSpec* layout = FindTableSpec(table.TableName());
    if (layout == nullptr)
        return {};
    if (table.IndexName().empty())
        return layout->KeyFields;
    for (const IndexSpec& index : layout->Indexes) {
        if (SameAsciiName(index.Name, table.IndexName()))
            return index.Fields;
    }
    return {};
}

// The order whose leading field is `field`: "" for the key, else the index's name;
// the field's own name when no order starts with it (setting it then fails).
std::string orderStartingWith(const Table& table, const std::string& field) {
    const TableSpec* layout = FindTableSpec(table.TableName());
    if (layout == nullptr)
        return field;
    if (!layout->KeyFields.empty() && SameAsciiName(layout->KeyFields.front(), field))
        return {};
    for (const IndexSpec& index : layout->Indexes) {
        if (!index.Fields.empty() && SameAsciiName(index.Fields.front(), field))
            return index.Name;
    }
    return field;
}

} // namespace

TSelectArticleDlg::TSelectArticleDlg(Prompter& prompter, QWidget* parent)
    : TGroupPickerDlg(prompter, articleGroups(), parent) {
    setObjectName("SelectArticleDlg");
    auto* row = new QHBoxLayout;
    SearchFieldCombo = new QComboBox(this);
    SearchFieldCombo->setObjectName("SearchFieldCombo");
    LookupEdit = new QLineEdit(this);
    LookupEdit->setObjectName("LookupEdit");
    FilterName = new QLabel(QString::fromUtf8("Отключен"), this);
    FilterName->setObjectName("FilterName");
    row->addWidget(new QLabel(QString::fromUtf8("Поиск:"), this));
    row->addWidget(SearchFieldCombo);
    row->addWidget(LookupEdit, 1);
    row->addWidget(FilterName);
    gridColumn_->insertLayout(0, row);
    LookupEdit->installEventFilter(this);
    connect(LookupEdit, &QLineEdit::textChanged, this, &TSelectArticleDlg::search);
    connect(Grid()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortByColumn(column); });
}

bool TSelectArticleDlg::ExecuteSorted(Table& data, const std::string& keyField, const std::string& caption,
                                      const std::vector<std::string>& columns, const std::string& startText,
                                      const std::string& sortField) {
    sortField_ = sortField;
    startText_ = startText;
    return Execute(data, keyField, caption, 0, 0, columns);
}

void TSelectArticleDlg::prepare() {
    SearchFieldCombo->clear();
    for (const TGridColumn& column : Model()->Columns())
        SearchFieldCombo->addItem(column.Caption, QString::fromStdString(column.Field).toUpper());
    for (int c = 0; c < static_cast<int>(Model()->Columns().size()); ++c) {
        if (SameAsciiName(Model()->Columns()[c].Field, sortField_))
            SortByColumn(c);
    }
    markSortedColumns();
    LookupEdit->setText(QString::fromStdString(startText_));
    LookupEdit->setFocus();
}

void TSelectArticleDlg::filterFor(QTreeWidgetItem* node) {
    const int code = codeOf(node);
    if (code == 0) {
        data_->SetFiltered(false);
        FilterName->setText(QString::fromUtf8("Отключен"));
        return;
    }
    if (node->childCount() > 0)
        data_->SetFilter("Group >= " + std::to_string(code) + " and Group < " + std::to_string(code + 100));
    else
        data_->SetFilter("Group=" + std::to_string(code));
    data_->SetFiltered(true);
    FilterName->setText(node->text(0));
}

bool TSelectArticleDlg::SortByColumn(int column) {
    const auto& columns = Model()->Columns();
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return false;
    const std::string& field = columns[column].Field;
    try {
        BusyCursor busy(prompter_);
        data_->SetIndexName(orderStartingWith(*data_, field));
    } catch (const std::exception& e) {
        prompter_.ErrorDetail("Не могу установить индекс по данному полю", e.what());
        return false;
    }
    SearchFieldCombo->setCurrentIndex(column);
    reload();
    markSortedColumns();
    return true;
}

void TSelectArticleDlg::markSortedColumns() {
    const std::vector<std::string> fields = orderFields(*data_);
    QHeaderView* header = Grid()->horizontalHeader();
    header->setSortIndicatorShown(false);
    const auto& columns = Model()->Columns();
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        for (const std::string& f : fields) {
            if (SameAsciiName(f, columns[c].Field)) {
                header->setSortIndicatorShown(true);
                header->setSortIndicator(c, Qt::AscendingOrder);
            }
        }
    }
}

void TSelectArticleDlg::search(const QString& text) {
    const QString field = SearchFieldCombo->currentData().toString();
    if (field.isEmpty() || text.isEmpty() || data_ == nullptr)
        return;
    LocateOptions options;
    options.CaseInsensitive = true;
    options.PartialKey = true;
    if (!data_->Locate(field.toStdString(), {Value(text.toStdString())}, options))
        return;
    const int row = Model()->CurrentTableRow();
    if (row >= 0)
        Grid()->GoToRow(row);
}

bool TSelectArticleDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LookupEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Grid()->setFocus();
            return true;
        }
    }
    return TGroupPickerDlg::eventFilter(watched, event);
}

} // namespace kvf
