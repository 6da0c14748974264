#pragma once
// TRegistryCompareDlg: the result of comparing the registered orders against
// a new catalog: one row per order (number, customer, old and new total,
// difference, positions with errors) in a table sorted by any column; a
// double click on a row shows that order's positions with the articles whose
// quantity or price would change.

#include "engine/registry_compare.h"

#include <QDialog>

#include <vector>

class QTableWidget;
class QTreeWidget;

namespace kvf {

class TRegistryCompareDlg : public QDialog {
public:
    TRegistryCompareDlg(std::vector<OrderComparison> orders, QWidget* parent = nullptr);

    QTableWidget* Summary() const { return summary_; }
    // The details of the order shown in `row` of the summary (in its current order).
    void ShowDetails(int row);
    QDialog* Details() const { return details_; }
    QTreeWidget* DetailsTree() const { return detailsTree_; }

private:
    std::vector<OrderComparison> orders_;
    QTableWidget* summary_;
    QDialog* details_ = nullptr;
    QTreeWidget* detailsTree_ = nullptr;
};

} // namespace kvf
