// The supplier export dialogs driven like a user (offscreen, scripted
// prompter), over the export tests' catalog, order and selection.

#include "../exports/export_fixture.h"
#include "../exports/ftp_server.h"
#include "../qt/modal_helper.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "exports/supplier_format.h"
#include "ui/app_context.h"
#include "ui/export_dialogs.h"
#include "ui/text_export_dlg.h"
#include "ui/vbh_export_dlg.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace kvf::test {
namespace {

class ExportDialogs : public ExportFixture {
public:
    ExportDialogs() {
        paths_.ExportDir = ExportDir();
        paths_.OrdersDir = OrdersDir();
        setup_.Name = "ООО Окна";
        setup_.INN = "7701234567";
    }

    // Types the fixture's values into the dialog and presses OK.
    static void FillAndAccept(QWidget* modal, const TExportValues& v, const char* nameEdit) {
        auto* dialog = qobject_cast<TPZExpDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        dialog->FirmIDEdit->clear();
        QTest::keyClicks(dialog->FirmIDEdit, QString::fromStdString(v.FirmID));
        dialog->FirmNameEdit->setText(QString::fromStdString(v.FirmName));
        dialog->OrderNoEdit->setValue(v.OrderNo);
        dialog->findChild<QLineEdit*>(nameEdit)->setText(QString::fromStdString(v.OrderName));
        dialog->OrderDateEdit->setDate(QDate(2026, 12, 11));
        QTest::mouseClick(dialog->OkBut, Qt::LeftButton);
    }

    std::string Remembered(const SupplierFormat& format, const char* name) {
        Registry registry(registryFile_);
        registry.OpenKey(format.RegistryKey, false);
        return name == std::string("OrderNo") ? std::to_string(registry.ReadInteger(name))
                                              : registry.ReadString(name);
    }

    std::string registryFile_ = (dir_ / "registry.reg").string();
    Registry registry_{registryFile_};
    TkvfPaths paths_;
    TkvfSetup setup_;
    TAppContext ctx_{prompter_, registry_, paths_, setup_, {}, "", &dm_};
};

using ExportTbmDlg = ExportDialogs;
using ExportVorneDlg = ExportDialogs;
using ExportXmlDlg = ExportDialogs;

TEST_F(ExportTbmDlg, FirstUseProposesTheDefaultsAndOkWritesTheFile) {
    bool checked = false;
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<TPZExpTBMDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(QString::fromUtf8("Экспорт \"ТБМ Навигатор\""), dialog->windowTitle());
        EXPECT_EQ("0000", dialog->FirmIDEdit->text());
        EXPECT_EQ(QString::fromUtf8("ООО Окна"), dialog->FirmNameEdit->text());
        EXPECT_EQ(1, dialog->OrderNoEdit->value());
        EXPECT_EQ(QString::fromUtf8("З-15"), dialog->OrderNameEdit->text());
        EXPECT_EQ(QDate::currentDate(), dialog->OrderDateEdit->date());
        EXPECT_EQ(QString::fromStdString(ExportDir() + "/Z00000001.txt"), dialog->FileNameEdit->text());
        // The file name follows the firm code and the number as they change.
        QTest::keyClicks(dialog->FirmIDEdit, "9");
        EXPECT_EQ(QString::fromStdString(ExportDir() + "/Z000090001.txt"), dialog->FileNameEdit->text());
        dialog->OrderNoEdit->setValue(12);
        EXPECT_EQ(QString::fromStdString(ExportDir() + "/Z000090012.txt"), dialog->FileNameEdit->text());
        checked = true;
        FillAndAccept(modal, values_, "OrderNameEdit");
    });
    ExportOrder(ExportFormat::Tbm, ctx_, order_, nullptr);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(prompter_.records.empty()) << prompter_.records.front().text;
    EXPECT_EQ(Golden("tbm_order.txt"), ReadFileBytes(ExportDir() + "/Z01230007.txt"));
    EXPECT_EQ("7", Remembered(TbmFormat, "OrderNo"));
    EXPECT_EQ(ExportDir() + "/Z01230007.txt", Remembered(TbmFormat, "FileName"));

    // The next export proposes the next number.
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<TPZExpTBMDlg*>(modal);
        EXPECT_EQ(8, dialog->OrderNoEdit->value());
        EXPECT_EQ(QDate(2026, 12, 11), dialog->OrderDateEdit->date());
        QTest::mouseClick(dialog->CancelBut, Qt::LeftButton);
    });
    TPZExpTBMDlg dialog(ctx_);
    EXPECT_FALSE(dialog.ExportOrder(order_));
    EXPECT_EQ("7", Remembered(TbmFormat, "OrderNo")) << "Cancel remembers nothing";
}

TEST_F(ExportTbmDlg, DecliningTheOverwriteKeepsTheFileButRemembersTheValues) {
    WriteFileAtomic(ExportDir() + "/Z01230007.txt", "old");
    prompter_.confirmAnswers = {false};
    WhenModalShown([&](QWidget* modal) { FillAndAccept(modal, values_, "OrderNameEdit"); });
    TPZExpTBMDlg dialog(ctx_);
    EXPECT_TRUE(dialog.ExportOrder(order_));
    EXPECT_EQ("old", ReadFileBytes(ExportDir() + "/Z01230007.txt"));
    EXPECT_EQ("7", Remembered(TbmFormat, "OrderNo"));
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ(MessageKind::Confirmation, prompter_.records[0].kind);
}

TEST_F(ExportTbmDlg, NothingIncludedIsToldBeforeTheDialog) {
    for (auto& position : order_.Positions)
        position->Included = false;
    TPZExpTBMDlg dialog(ctx_);
    EXPECT_FALSE(dialog.ExportOrder(order_));
    EXPECT_EQ(
        (std::vector<ScriptedPrompter::Record>{
            {MessageKind::Warning, "В заказе нет позиций, включенных в расчет. Экспортировать нечего."}}),
        prompter_.records);
    EXPECT_TRUE(fs::is_empty(ExportDir()));
}

TEST_F(ExportVorneDlg, SelectionWritesTheSortedPricedFile) {
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<TPZExpVorneDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(QString::fromUtf8("Экспорт \"Ворне Бела\""), dialog->windowTitle());
        EXPECT_EQ(QString::fromUtf8("В-3"), dialog->OrderNameEdit->text()) << "the selection's number";
        FillAndAccept(modal, values_, "OrderNameEdit");
    });
    ExportSelection(ExportFormat::Vorne, ctx_, selection_, nullptr);
    EXPECT_TRUE(prompter_.records.empty()) << prompter_.records.front().text;
    EXPECT_EQ(Golden("vorne_selection.txt"), ReadFileBytes(ExportDir() + "/Z01230007.txt"));
    EXPECT_EQ("0123", Remembered(VorneFormat, "FirmID"));
}

TEST_F(ExportXmlDlg, WritesUploadsAndAsksToOpen) {
    fs::create_directories(dir_ / "ftp" / "in");
    FtpServer server((dir_ / "ftp").string(), "elradfmw");
    ASSERT_NE(0, server.Port());
    setup_.ftpHost = "127.0.0.1";
    setup_.ftpPort = server.Port();
    setup_.ftpUserName = kFtpUser;
    setup_.ftpPassword = kFtpPassword;
    setup_.ftpDir = "in";
    setup_.ftpUpload = true;
    prompter_.twoButtonAnswers = {2};
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<TPZExpVBHDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(QString::fromUtf8("Экспорт XML"), dialog->windowTitle());
        EXPECT_EQ("7701234567", dialog->FirmIDEdit->text()) << "the firm's taxpayer number";
        EXPECT_EQ(QString::fromUtf8("З-15"), dialog->OrderListEdit->text());
        EXPECT_TRUE(dialog->UploadFTPCheck->isChecked()) << "the settings' upload switch";
        dialog->OrderCommentEdit->setText(QString::fromStdString(values_.Comment));
        FillAndAccept(modal, values_, "OrderListEdit");
    });
    ExportOrder(ExportFormat::Xml, ctx_, order_, nullptr);
    const std::string file = ExportDir() + "/Z01230007.xml";
    ExpectXmllintAccepts(file);
    EXPECT_EQ(ReadFileBytes(file), ReadFileBytes((dir_ / "ftp" / "in" / "Z01230007.xml").string()));
    EXPECT_EQ((std::vector<ScriptedPrompter::Record>{
                  {MessageKind::Information, "Заявка сохранена на сервер FTP."},
                  {MessageKind::TwoButton, "Откыть файл экспорта для просмотра?"}}),
              prompter_.records);
    EXPECT_EQ("0123", Remembered(XmlFormat, "FirmID"));
}

TEST_F(ExportXmlDlg, AFailedUploadKeepsTheFileAndStillAsksToOpen) {
    setup_.ftpHost = "127.0.0.1";
    setup_.ftpPort = ClosedPort();
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<TPZExpVBHDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        EXPECT_FALSE(dialog->UploadFTPCheck->isChecked());
        dialog->UploadFTPCheck->setChecked(true);
        FillAndAccept(modal, values_, "OrderListEdit");
    });
    TPZExpVBHDlg dialog(ctx_);
    EXPECT_TRUE(dialog.ExportSelection(selection_));
    EXPECT_TRUE(fs::exists(ExportDir() + "/Z01230007.xml"));
    ASSERT_EQ(2u, prompter_.records.size());
    EXPECT_EQ(
        0u, prompter_.records[0].text.find("Неудачная попытка отправки файла на сервер. Failed to connect"));
    EXPECT_EQ(MessageKind::TwoButton, prompter_.records[1].kind);
}

TEST_F(ExportXmlDlg, TheUploadShowsItsProgressAndCanBeCancelled) {
    fs::create_directories(dir_ / "ftp" / "in");
    FtpServer slow((dir_ / "ftp").string(), "elradfmw", 50);
    ASSERT_NE(0, slow.Port());
    setup_.ftpHost = "127.0.0.1";
    setup_.ftpPort = slow.Port();
    setup_.ftpUserName = kFtpUser;
    setup_.ftpPassword = kFtpPassword;
    setup_.ftpDir = "in";
    setup_.ftpUpload = true;
    bool progressShown = false;
    WhenModalsShown({[&](QWidget* modal) { FillAndAccept(modal, values_, "OrderListEdit"); },
                     [&](QWidget* modal) {
                         auto* progress = qobject_cast<QProgressDialog*>(modal);
                         ASSERT_NE(nullptr, progress);
                         progressShown = true;
                         QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                     }});
    ExportOrder(ExportFormat::Xml, ctx_, order_, nullptr);
    EXPECT_TRUE(progressShown);
    ASSERT_EQ(2u, prompter_.records.size());
    EXPECT_EQ("Неудачная попытка отправки файла на сервер. Передача прервана пользователем",
              prompter_.records[0].text);
    EXPECT_TRUE(fs::exists(ExportDir() + "/Z01230007.xml"));
    EXPECT_FALSE(fs::exists(dir_ / "ftp" / "in" / "Z01230007.xml"));
}

} // namespace
} // namespace kvf::test
