#include "ui/catalog_dlg.h"

#include "base/error.h"
#include "base/prompter.h"
#include "catalog/tdm.h"
#include "engine/registry_compare.h"
#include "ui/currency_dlg.h"
#include "ui/data_grid.h"
#include "ui/db_navigator.h"
#include "ui/registry_compare_dlg.h"
#include "ui/table_model.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kvf {

namespace {

// Columns after the shown ones that the lookup combos read (hidden in the grid).
constexpr int CurrencyKeyColumn = 10;
constexpr int PriceGroupKeyColumn = 11;

} // namespace

TCatalogDlg::TCatalogDlg(TDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), dm_(dm), prompter_(prompter) {
    setObjectName("CatalogDlg");
    setWindowTitle(QString::fromUtf8("Справочник комплектующих"));
    auto* layout = new QVBoxLayout(this);

    navigator_ = nullptr;
    grid_ = new TDataGrid(this);
    grid_->setObjectName("Grid");
    model_ = new TTableModel(dm.T_Catalog,
                             {{"Article", QString::fromUtf8("Артикул"), 15},
                              {"ProdArticle", QString::fromUtf8("Артикул производителя #1"), 15},
                              {"ProdArticle2", QString::fromUtf8("Артикул производителя #2"), 15},
                              {"ProdArticle3", QString::fromUtf8("Артикул производителя #3"), 15},
                              {"Price", QString::fromUtf8("Цена"), 10},
                              {"CurrencyLookup", QString(), 6},
                              {"PriceGroupLookup", QString::fromUtf8("Ценовая группа"), 12},
                              {"Name", QString::fromUtf8("Наименование"), 40},
                              {"Unit", QString::fromUtf8("Ед.изм."), 6},
                              {"Virtual", QString::fromUtf8("Фиктивный"), 8},
                              {"Currency", QString(), 4},
                              {"PriceGrp", QString(), 4}},
                             prompter, this);
    grid_->SetTableModel(model_);
    grid_->setColumnHidden(CurrencyKeyColumn, true);
    grid_->setColumnHidden(PriceGroupKeyColumn, true);

    navigator_ = new TDBNavigator(*grid_, prompter,
                                  {NavButton::First, NavButton::PriorPage, NavButton::Prior, NavButton::Next,
                                   NavButton::NextPage, NavButton::Last, NavButton::Edit, NavButton::Post,
                                   NavButton::Cancel, NavButton::Refresh},
                                  this);
    navigator_->setObjectName("Navigator");
    auto* top = new QHBoxLayout;
    top->addWidget(navigator_);

    currencies_ = new TTableModel(dm.T_Currency, {{"Name", {}, 5}, {"ID", {}, 4}}, prompter, this);
    currencies_->SetReadOnly(true);
    priceGroups_ = new TTableModel(dm.T_PriceGrp, {{"Name", {}, 20}, {"GroupID", {}, 4}}, prompter, this);
    priceGroups_->SetReadOnly(true);
    currencyCombo_ = new QComboBox(this);
    currencyCombo_->setObjectName("CurrencyCombo");
    currencyCombo_->setModel(currencies_);
    priceGroupCombo_ = new QComboBox(this);
    priceGroupCombo_->setObjectName("PriceGroupCombo");
    priceGroupCombo_->setModel(priceGroups_);
    auto* combos = new QFormLayout;
    combos->addRow(QString::fromUtf8("Валюта"), currencyCombo_);
    combos->addRow(QString::fromUtf8("Ценовая группа"), priceGroupCombo_);
    top->addLayout(combos);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);

    auto* bottom = new QHBoxLayout;
    auto* printBut = new QPushButton(QString::fromUtf8("Печать"), this);
    printBut->setObjectName("PrintBut");
    connect(printBut, &QPushButton::clicked, this, [this] { print(); });
    auto* okBut = new QPushButton("OK", this);
    okBut->setObjectName("OkBut");
    okBut->setDefault(true);
    connect(okBut, &QPushButton::clicked, this, &QDialog::accept);
    compareBut_ = new QPushButton(QString::fromUtf8("Сравнить с каталогом..."), this);
    compareBut_->setObjectName("CompareBut");
    compareBut_->setEnabled(false);
    connect(compareBut_, &QPushButton::clicked, this, [this] { compare(); });
    bottom->addWidget(printBut);
    bottom->addWidget(compareBut_);
    bottom->addStretch();
    bottom->addWidget(okBut);
    layout->addLayout(bottom);

    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { syncCombos(); });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { syncCombos(); });
    connect(currencyCombo_, &QComboBox::activated, this, [this](int index) {
        model_->SetField(grid_->CurrentRow(), "Currency", currencies_->CellText(index, 1));
    });
    connect(priceGroupCombo_, &QComboBox::activated, this, [this](int index) {
        model_->SetField(grid_->CurrentRow(), "PriceGrp", priceGroups_->CellText(index, 1));
    });
    syncCombos();
    resize(900, 600);
}

void TCatalogDlg::PlaceIn(const QRect& clientArea) {
    setGeometry(clientArea.x() + 50, clientArea.y() + 50, std::max(100, clientArea.width() - 100),
                std::max(100, clientArea.height() - 100));
}

void TCatalogDlg::SetOrdersFolder(const std::string& folder) {
    ordersFolder_ = folder;
    compareBut_->setEnabled(!folder.empty());
}

void TCatalogDlg::compare() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QString::fromUtf8("Папка нового каталога"), QString());
    if (!folder.isEmpty())
        CompareWith(folder);
}

TRegistryCompareDlg* TCatalogDlg::CompareWith(const QString& folder) {
    TDM candidate;
    try {
        if (!dm_.T_OrderList.Active())
            dm_.T_OrderList.Open();
        candidate.DB_Catalog.Open(folder.toStdString(), false);
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
        return nullptr;
    }
    if (!candidate.OpenCatalogTables(prompter_))
        return nullptr;

    QProgressDialog progress(QString::fromUtf8("Пересчет заказов реестра..."), QString::fromUtf8("Отмена"), 0,
                             dm_.T_OrderList.RecordCount(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    std::vector<OrderComparison> orders =
        CompareRegistry(dm_, candidate, ordersFolder_, prompter_, false, [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
    if (progress.wasCanceled())
        return nullptr;
    progress.close();
    auto* result = new TRegistryCompareDlg(std::move(orders), this);
    result->setAttribute(Qt::WA_DeleteOnClose);
    result->show();
    return result;
}

void TCatalogDlg::syncCombos() {
    const int row = grid_->CurrentRow();
    auto sync = [row, this](QComboBox* combo, TTableModel* list, int keyColumn) {
        const QString key = row < 0 ? QString() : model_->CellText(row, keyColumn);
        int found = -1;
        for (int r = 0; r < list->rowCount() && found < 0; ++r) {
            if (list->CellText(r, 1) == key) {
                found = r;
            }
        }
        combo->setCurrentIndex(found);
    };
    sync(currencyCombo_, currencies_, CurrencyKeyColumn);
    sync(priceGroupCombo_, priceGroups_, PriceGroupKeyColumn);
}

void TCatalogDlg::PrintTable(QPrinter& printer) const {
    QString html =
        "<h3>" + windowTitle().toHtmlEscaped() + "</h3><table border=1 cellspacing=0 cellpadding=2><tr>";
    for (int c = 0; c < CurrencyKeyColumn; ++c) {
        html += "<th>" + model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toHtmlEscaped() +
                "</th>";
    }
    html += "</tr>";
    for (int r = 0; r < model_->rowCount(); ++r) {
        html += "<tr>";
        for (int c = 0; c < CurrencyKeyColumn; ++c) {
            html += "<td>" + model_->CellText(r, c).toHtmlEscaped() + "</td>";
        }
        html += "</tr>";
    }
    html += "</table>";
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSize(7);
    document.setDefaultFont(font);
    document.setHtml(html);
    document.print(&printer);
}

void TCatalogDlg::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintTable(printer);
    }
}

void TCatalogDlg::done(int result) {
    if (PostOnClose(*grid_, *model_)) {
        QDialog::done(result);
    }
}

} // namespace kvf
