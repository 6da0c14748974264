#include "ui/price_group_dlg.h"

#include "base/error.h"
#include "base/prompter.h"
#include "catalog/record_clipboard.h"
#include "catalog/table.h"
#include "config/setup.h"
#include "ui/currency_dlg.h"
#include "ui/data_grid.h"
#include "ui/db_navigator.h"
#include "ui/grid_keys.h"
#include "ui/table_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvf {

TPriceGroupDlg::TPriceGroupDlg(Table& priceGrp, const TkvfSetup& setup, Prompter& prompter,
                               TRecClipBoard* clipBoard, QWidget* parent)
    : QDialog(parent), table_(priceGrp), prompter_(prompter), clipBoard_(clipBoard) {
    setObjectName("PriceGroupDlg");
    setWindowTitle(QString::fromUtf8("Справочник ценновых групп (скидки)"));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl");

    auto* ts1 = new QWidget(pages_);
    ts1->setObjectName("TS_1");
    auto* page1 = new QVBoxLayout(ts1);
    grid_ = new TDataGrid(ts1);
    grid_->setObjectName("Grid");
    model_ = new TTableModel(priceGrp,
                             {{"GroupID", QString::fromUtf8("Код группы"), 10},
                              {"Name", QString::fromUtf8("Наименование"), 20},
                              {"Reduce_1", QString::fromUtf8("Скидка, %"), 10}},
                             prompter, this);
    grid_->SetTableModel(model_);
    navigator_ = new TDBNavigator(*grid_, prompter,
                                  {NavButton::First, NavButton::Prior, NavButton::Next, NavButton::Last,
                                   NavButton::Insert, NavButton::Delete, NavButton::Edit, NavButton::Post,
                                   NavButton::Cancel, NavButton::Refresh},
                                  ts1);
    navigator_->setObjectName("Navigator");
    page1->addWidget(navigator_);
    page1->addWidget(grid_);
    pages_->addTab(ts1, QString::fromUtf8("Группы скидок"));

    auto* ts2 = new QWidget(pages_);
    ts2->setObjectName("TS_2");
    auto* page2 = new QVBoxLayout(ts2);
    sGrid_ = new QTableWidget(static_cast<int>(setup.PriceGroupNames.size()), 1, ts2);
    sGrid_->setObjectName("SGrid");
    sGrid_->horizontalHeader()->hide();
    sGrid_->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < sGrid_->rowCount(); ++r) {
        sGrid_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(setup.PriceGroupNames[r])));
    }
    page2->addWidget(sGrid_);
    pages_->addTab(ts2, QString::fromUtf8("Наименования"));
    layout->addWidget(pages_);

    auto* okBut = new QPushButton("OK", this);
    okBut->setObjectName("OkBut");
    okBut->setDefault(true);
    connect(okBut, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(okBut);
    layout->addLayout(bottom);

    TGridKeyHandlers handlers;
    if (clipBoard_ != nullptr) {
        handlers.OnCtrlC = [this] { copyRows(); };
        handlers.OnCtrlV = [this] { pasteRows(); };
    }
    grid_->KeyHandler = [this, handlers](QKeyEvent* event) {
        return HandleGridKey(*grid_, *event, prompter_, handlers);
    };
    resize(460, 380);
}

void TPriceGroupDlg::showEvent(QShowEvent* event) {
    pages_->setCurrentIndex(0);
    QDialog::showEvent(event);
}

void TPriceGroupDlg::copyRows() {
    if (!model_->PostEdits()) {
        return;
    }
    std::vector<int64_t> selected;
    for (int row : grid_->SelectedRows()) {
        selected.push_back(model_->RowIdAt(row));
    }
    const int current = grid_->CurrentRow();
    if (current >= 0) {
        model_->MoveTo(current);
    }
    clipBoard_->Copy(&table_, nullptr, false, selected, "", "", "");
}

void TPriceGroupDlg::pasteRows() {
    if (!model_->PostEdits()) {
        return;
    }
    const int current = std::max(0, grid_->CurrentRow());
    if (current < model_->rowCount()) {
        model_->MoveTo(current);
    }
    try {
        clipBoard_->Paste(&table_, false, 0, "", 0, prompter_);
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
    }
    if (table_.State() == TableState::Insert) {
        // One row pasted: it stays open for editing.
        model_->AdoptPendingInsert(current);
        grid_->GoToRow(current);
    } else {
        model_->Reload();
    }
}

void TPriceGroupDlg::done(int result) {
    if (PostOnClose(*grid_, *model_)) {
        QDialog::done(result);
    }
}

} // namespace kvf
