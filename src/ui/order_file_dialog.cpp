#include "ui/order_file_dialog.h"

#include <QFileDialog>

namespace kvf {

QStringList ChooseOrderFiles(QWidget* parent, const std::string& ordersFolder) {
    QFileDialog dialog(parent, QString::fromUtf8("Открыть заказ..."));
    dialog.setObjectName("OpenOrderDlg");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({QString::fromUtf8("Заказ (*.kfo *.kfo370)"), QString::fromUtf8("Все файлы (*)")});
    dialog.selectNameFilter(dialog.nameFilters().front());
    dialog.setDefaultSuffix("kfo");
    dialog.setDirectory(QString::fromStdString(ordersFolder));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace kvf
