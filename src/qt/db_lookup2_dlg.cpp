#include "qt/db_lookup2_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TDBLookup2Dlg::TDBLookup2Dlg(const ChoiceList& list, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qs(list.Caption));
    auto* layout = new QVBoxLayout(this);
    if (!list.Message.empty()) {
        auto* message = new QLabel(qs(list.Message), this);
        message->setWordWrap(true);
        layout->addWidget(message);
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
    table_->installEventFilter(this);
    layout->addWidget(table_);

    auto* buttons = new QDialogButtonBox(this);
    OkBut = buttons->addButton(QString::fromUtf8("&OK"), QDialogButtonBox::AcceptRole);
    OkBut->setObjectName("OkBut");
    CancelBut = buttons->addButton(QString::fromUtf8("&Cancel"), QDialogButtonBox::RejectRole);
    CancelBut->setObjectName("CancelBut");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(f3, &QShortcut::activated, this, [this] {
        table_->setSelectionBehavior(table_->selectionBehavior() == QAbstractItemView::SelectRows
                                         ? QAbstractItemView::SelectItems
                                         : QAbstractItemView::SelectRows);
        const int row = table_->currentRow();
        if (row >= 0 && table_->selectionBehavior() == QAbstractItemView::SelectRows)
            table_->selectRow(row);
    });
    resize(480, 320);
}

int TDBLookup2Dlg::CurrentRow() const {
    return table_->rowCount() == 0 ? -1 : table_->currentRow();
}

bool TDBLookup2Dlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDBLookup2Dlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    table_->setFocus();
}

} // namespace kvf
