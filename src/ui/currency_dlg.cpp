#include "ui/currency_dlg.h"

#include "qt/ok_cancel_buttons.h"
#include "ui/data_grid.h"
#include "ui/table_model.h"

#include <QVBoxLayout>

namespace kvf {

bool PostOnClose(TDataGrid& grid, TTableModel& model) {
    grid.CommitEditor();
    return model.PostEdits();
}

TCurrencyDlg::TCurrencyDlg(Table& currency, Prompter& prompter, QWidget* parent) : QDialog(parent) {
    setObjectName("CurrencyDlg");
    setWindowTitle(QString::fromUtf8("Курсы валют"));
    auto* layout = new QVBoxLayout(this);
    grid_ = new TDataGrid(this);
    grid_->setObjectName("wwDBGrid1");
    model_ = new TTableModel(
        currency, {{"Name", QString::fromUtf8("Валюта"), 12}, {"Value", QString::fromUtf8("Курс"), 15}},
        prompter, this);
    grid_->SetTableModel(model_);
    layout->addWidget(grid_);
    layout->addWidget(OkCancelButtons(this));
    resize(340, 260);
}

void TCurrencyDlg::done(int result) {
    if (PostOnClose(*grid_, *model_)) {
        QDialog::done(result);
    }
}

} // namespace kvf
