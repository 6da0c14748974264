#include "qt/choice_dialog.h"

#include "qt/ok_cancel_buttons.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TChoiceDialog::TChoiceDialog(const ChoiceList& list, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(list.Caption));
    auto* layout = new QVBoxLayout(this);
    if (!list.Message.empty()) {
        layout->addWidget(new QLabel(qs(list.Message), this));
    }
    int columns = static_cast<int>(list.Columns.size());
    for (const auto& row : list.Rows) {
        columns = std::max(columns, static_cast<int>(row.size()));
    }
    table_ = new QTableWidget(static_cast<int>(list.Rows.size()), columns, this);
    table_->setObjectName("ChoiceTable");
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    QStringList headers;
    for (const auto& column : list.Columns) {
        headers << qs(column);
    }
    table_->setHorizontalHeaderLabels(headers);
    if (list.Columns.empty()) {
        table_->horizontalHeader()->hide();
    }
    for (int r = 0; r < static_cast<int>(list.Rows.size()); ++r) {
        const auto& row = list.Rows[r];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            table_->setItem(r, c, new QTableWidgetItem(qs(row[c])));
        }
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    if (!list.Rows.empty()) {
        int initial =
            list.Initial >= 0 && list.Initial < static_cast<int>(list.Rows.size()) ? list.Initial : 0;
        table_->selectRow(initial);
        table_->setCurrentCell(initial, 0);
    }
    connect(table_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    layout->addWidget(table_);

    layout->addWidget(OkCancelButtons(this));
    resize(480, 320);
}

int TChoiceDialog::CurrentRow() const {
    return table_->rowCount() == 0 ? -1 : table_->currentRow();
}

} // namespace kvf
