#include "ui/about_dlg.h"

#include "base/version.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvf {

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("AboutDlg");
    setWindowTitle(QString::fromUtf8("О программе"));
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Raised);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);

    auto* product = new QLabel(QString::fromUtf8("KORVENA ФУРНИТУРА"), frame);
    product->setObjectName("ProductLabel");
    QFont font = product->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 6);
    product->setFont(font);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    const QString rows[][2] = {
        {QString::fromUtf8("Версия"), "3.81"},
        {QString::fromUtf8("Сборка"), QString::fromStdString(ExeFileVersion())},
        {QString::fromUtf8("Редакция"), QString::fromUtf8("Русская")},
        {QString::fromUtf8("Версия *.kvf"), "26.12.2019"},
        {QString::fromUtf8("Версия *.ksf"), "06.10.2015"},
        {QString::fromUtf8("Модификация"), "3.81.5.400"},
    };
    grid_ = new QTableWidget(6, 2, frame);
    grid_->setObjectName("Grid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 2; ++c) {
            grid_->setItem(r, c, new QTableWidgetItem(rows[r][c]));
        }
    }
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setMinimumHeight(grid_->rowHeight(0) * 6 + 4);
    layout->addWidget(grid_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, frame);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(360, 300);
}

} // namespace kvf
