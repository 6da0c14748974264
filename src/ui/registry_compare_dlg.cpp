#include "ui/registry_compare_dlg.h"

#include "base/number_format.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

// A cell that sorts by a number of its own rather than by its text.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const QString& text, double number) : QTableWidgetItem(text), number_(number) {
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const auto* item = dynamic_cast<const NumberItem*>(&other);
        return item != nullptr ? number_ < item->number_ : QTableWidgetItem::operator<(other);
    }

private:
    double number_;
};

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString quantity(float q) {
    return text(FormatFloatShort(q));
}

QString price(const std::optional<Money>& money) {
    return money ? text(money->Format4()) : QString::fromUtf8("—");
}

constexpr int OrderIndexRole = Qt::UserRole + 1;

} // namespace

TRegistryCompareDlg::TRegistryCompareDlg(std::vector<OrderComparison> orders, QWidget* parent)
    : QDialog(parent), orders_(std::move(orders)) {
    setObjectName("RegistryCompareDlg");
    setWindowTitle(QString::fromUtf8("Сравнение с каталогом"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QTableWidget(static_cast<int>(orders_.size()), 6, this);
    summary_->setObjectName("Summary");
    summary_->setHorizontalHeaderLabels(
        {QString::fromUtf8("Номер заказа"), QString::fromUtf8("Заказчик"), QString::fromUtf8("Было"),
         QString::fromUtf8("Стало"), QString::fromUtf8("Разница"), QString::fromUtf8("Позиции с ошибками")});
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < static_cast<int>(orders_.size()); ++r) {
        const OrderComparison& o = orders_[static_cast<size_t>(r)];
        auto* no = new QTableWidgetItem(text(o.No));
        no->setData(OrderIndexRole, r);
        summary_->setItem(r, 0, no);
        summary_->setItem(r, 1, new QTableWidgetItem(text(o.Customer)));
        if (o.Error.empty()) {
            summary_->setItem(r, 2, new NumberItem(text(o.OldTotal.Format4()), o.OldTotal.ToDouble()));
            summary_->setItem(r, 3, new NumberItem(text(o.NewTotal.Format4()), o.NewTotal.ToDouble()));
            summary_->setItem(r, 4,
                              new NumberItem(text(o.Difference().Format4()), o.Difference().ToDouble()));
            QStringList errors;
            for (const std::string& p : o.ErrorPositions())
                errors << text(p);
            summary_->setItem(r, 5, new QTableWidgetItem(errors.join(", ")));
        } else {
            for (int c = 2; c < 5; ++c)
                summary_->setItem(r, c, new NumberItem(QString(), 0));
            summary_->setItem(r, 5, new QTableWidgetItem(text(o.Error)));
        }
    }
    summary_->setSortingEnabled(true);
    summary_->sortItems(0, Qt::AscendingOrder);
    summary_->horizontalHeader()->setStretchLastSection(true);
    summary_->resizeColumnsToContents();
    connect(summary_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ShowDetails(row); });
    layout->addWidget(summary_);
    resize(800, 500);
}

void TRegistryCompareDlg::ShowDetails(int row) {
    const QTableWidgetItem* no = summary_->item(row, 0);
    if (no == nullptr)
        return;
    const OrderComparison& o = orders_[static_cast<size_t>(no->data(OrderIndexRole).toInt())];
    if (details_ == nullptr) {
        details_ = new QDialog(this);
        details_->setObjectName("CompareDetails");
        auto* layout = new QVBoxLayout(details_);
        detailsTree_ = new QTreeWidget(details_);
        detailsTree_->setObjectName("DetailsTree");
        detailsTree_->setHeaderLabels({QString::fromUtf8("Позиция / артикул"),
                                       QString::fromUtf8("Кол-во было"), QString::fromUtf8("Кол-во стало"),
                                       QString::fromUtf8("Цена была"), QString::fromUtf8("Цена стала")});
        detailsTree_->setColumnWidth(0, 220);
        layout->addWidget(detailsTree_);
        details_->resize(700, 400);
    }
    details_->setWindowTitle(QString::fromUtf8("Заказ № ") + text(o.No));
    detailsTree_->clear();
    if (!o.Error.empty())
        new QTreeWidgetItem(detailsTree_, {text(o.Error)});
    for (const PositionComparison& p : o.Positions) {
        auto* position = new QTreeWidgetItem(detailsTree_, {QString::fromUtf8("Позиция ") + text(p.No)});
        if (!p.Old.Error.empty())
            new QTreeWidgetItem(position, {QString::fromUtf8("Было: ") + text(p.Old.Error)});
        if (!p.New.Error.empty())
            new QTreeWidgetItem(position, {QString::fromUtf8("Стало: ") + text(p.New.Error)});
        for (const ArticleChange& c : p.Changes)
            new QTreeWidgetItem(position, {text(c.ID), quantity(c.OldQuantity), quantity(c.NewQuantity),
                                           price(c.OldPrice), price(c.NewPrice)});
        position->setExpanded(true);
    }
    details_->show();
    details_->raise();
}

} // namespace kvf
