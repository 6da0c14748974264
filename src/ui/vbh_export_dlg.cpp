#include "ui/vbh_export_dlg.h"

#include "base/prompter.h"
#include "config/setup.h"
#include "exports/supplier_export.h"
#include "exports/supplier_format.h"
#include "ui/app_context.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QUrl>

namespace kvf {

TPZExpVBHDlg::TPZExpVBHDlg(TAppContext& ctx, QWidget* parent)
    : TPZExpDlg(XmlFormat, ctx, "Экспорт XML", {"OrderListEdit", "Список заказов"}, parent) {
    setObjectName("PZExpVBHDlg");
    OrderListEdit = OrderNameEdit;
    OrderCommentEdit = new QLineEdit(this);
    OrderCommentEdit->setObjectName("OrderCommentEdit");
    Form()->addRow(QString::fromUtf8("Комментарии"), OrderCommentEdit);
    UploadFTPCheck = new QCheckBox(QString::fromUtf8("Загружать файл экспорта на FTP"), this);
    UploadFTPCheck->setObjectName("UploadFTPCheck");
    Form()->addRow(UploadFTPCheck);
}

void TPZExpVBHDlg::LoadValues(const TExportValues& values) {
    TPZExpDlg::LoadValues(values);
    UploadFTPCheck->setChecked(Ctx().Setup.ftpUpload);
}

void TPZExpVBHDlg::CompleteValues(TExportValues& values) const {
    values.Comment = OrderCommentEdit->text().toStdString();
    values.Upload = UploadFTPCheck->isChecked();
}

void TPZExpVBHDlg::AfterWrite(const TExportValues& values) {
    Prompter& prompter = Ctx().prompter;
    if (values.Upload) {
        QProgressDialog progress(QString::fromUtf8("Отправка файла на сервер FTP..."),
                                 QString::fromUtf8("Отмена"), 0, 100, this);
        progress.setObjectName("UploadProgress");
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        const FtpProgress report = [&progress](std::uint64_t sent, std::uint64_t total) {
            progress.setValue(total == 0 ? 0 : static_cast<int>(sent * 100 / total));
            QApplication::processEvents();
            return !progress.wasCanceled();
        };
        UploadExportFile(values.FileName, SetupFtpAccount(Ctx().Setup), prompter, report);
    }
    if (prompter.TwoButton("Вопрос", "Откыть файл экспорта для просмотра?", "Открыть", "Не открывать") == 1)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(values.FileName)));
}

} // namespace kvf
