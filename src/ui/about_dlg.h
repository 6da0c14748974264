#pragma once
// TAboutDlg: "О программе", borderless; OK or Escape closes it. The product
// label and a two-column grid of version rows filled on creation.

#include <QDialog>

class QTableWidget;

namespace kvf {

class TAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grid_; }

private:
    QTableWidget* grid_;
};

} // namespace kvf
