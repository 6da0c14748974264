#include "catalog/record_clipboard.h"
#include "config/setup.h"
#include "ui/about_dlg.h"
#include "ui/catalog_dlg.h"
#include "ui/currency_dlg.h"
#include "ui/data_grid.h"
#include "ui/firm_info_dlg.h"
#include "ui/ftp_setup_dlg.h"
#include "ui/options_dlg.h"
#include "ui/price_group_dlg.h"
#include "ui/table_model.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace kvf {
namespace {

using test::Installation;

TEST(AboutDlgTest, SixRowsInOrder) {
    TAboutDlg dialog;
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    auto* product = dialog.findChild<QLabel*>("ProductLabel");
    ASSERT_NE(nullptr, product);
    EXPECT_EQ(QString::fromUtf8("KORVENA ФУРНИТУРА"), product->text());
    const std::pair<const char*, const char*> rows[] = {{"Версия", "3.81"},
                                                        {"Сборка", "3.81.5.400"},
                                                        {"Редакция", "Русская"},
                                                        {"Версия *.kvf", "26.12.2019"},
                                                        {"Версия *.ksf", "06.10.2015"},
                                                        {"Модификация", "3.81.5.400"}};
    ASSERT_EQ(6, dialog.Grid()->rowCount());
    for (int r = 0; r < 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(QString::fromUtf8(rows[r].first), dialog.Grid()->item(r, 0)->text());
        EXPECT_EQ(QString::fromUtf8(rows[r].second), dialog.Grid()->item(r, 1)->text());
    }
}

TEST(AboutDlgTest, EscapeCloses) {
    TAboutDlg dialog;
    dialog.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(OptionsDlgTest, CancelKeepsAndOkWritesTheFiveSettings) {
    TkvfSetup setup;
    setup.AlertIfNotFull = true;
    setup.AutoLoadCurrency = false;
    setup.AutoReg = true;
    setup.AutoOpenReg = false;
    setup.MoveToRecycled = true;
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        TOptionsDlg dialog(setup);
        EXPECT_TRUE(dialog.AlertIfNotFullCheck->isChecked());
        EXPECT_FALSE(dialog.AutoLoadCurrencyCheck->isChecked());
        EXPECT_EQ(QString::fromUtf8("Автоматическая загрузка реестра при загрузке"),
                  dialog.AutoOpenRegCheck->text());
        for (QCheckBox* box : {dialog.AlertIfNotFullCheck, dialog.AutoLoadCurrencyCheck, dialog.AutoRegCheck,
                               dialog.AutoOpenRegCheck, dialog.MoveToRecycledCheck}) {
            box->toggle();
        }
        ok ? dialog.accept() : dialog.reject();
    }
    EXPECT_FALSE(setup.AlertIfNotFull);
    EXPECT_TRUE(setup.AutoLoadCurrency);
    EXPECT_FALSE(setup.AutoReg);
    EXPECT_TRUE(setup.AutoOpenReg);
    EXPECT_FALSE(setup.MoveToRecycled);
}

TEST(FTPSetupDlgTest, LoadsAndWritesBackOnOk) {
    TkvfSetup setup;
    setup.ftpHost = "ftp.example";
    setup.ftpPort = 21;
    setup.ftpPassword = "пароль";
    TFTPSetupDlg dialog(setup);
    EXPECT_EQ(QString::fromUtf8("пароль"), dialog.PasswordEdit->text());
    EXPECT_EQ(QLineEdit::Normal, dialog.PasswordEdit->echoMode());
    EXPECT_EQ(8, dialog.PortEdit->maxLength());
    dialog.PortEdit->setText("2121");
    dialog.ftpDirEdit->setText("/in");
    dialog.UploadFTPCheck->setChecked(true);
    dialog.accept();
    EXPECT_EQ(2121, setup.ftpPort);
    EXPECT_EQ("/in", setup.ftpDir);
    EXPECT_TRUE(setup.ftpUpload);
}

TEST(FirmInfoDlgTest, MissingLogoShowsNoPictureAndIsStillStored) {
    QTemporaryDir dir;
    TkvfSetup setup;
    setup.Name = "ООО Окна";
    setup.Logo = (dir.path() + "/logo.bmp").toStdString();
    {
        TFirmInfoDlg dialog(setup);
        dialog.show();
        EXPECT_EQ(QString::fromUtf8("ООО Окна"), dialog.Edit("NameEdit")->text());
        EXPECT_TRUE(dialog.Image()->pixmap().isNull());
        dialog.Edit("LogoEdit")->setText(dir.path() + "/other.bmp");
        dialog.Edit("INNEdit")->setText("7701");
        dialog.reject();
    }
    EXPECT_EQ("", setup.INN);
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(setup.Logo), "BMP"));
    {
        TFirmInfoDlg dialog(setup);
        dialog.show();
        EXPECT_FALSE(dialog.Image()->pixmap().isNull());
        dialog.Edit("LogoEdit")->setText(dir.path() + "/missing.bmp");
        dialog.Edit("INNEdit")->setText("7701");
        dialog.accept();
    }
    EXPECT_EQ((dir.path() + "/missing.bmp").toStdString(), setup.Logo);
    EXPECT_EQ("7701", setup.INN);
}

// The catalog tables of a test installation, open.
class CatalogDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        installation.FillCatalog();
        ASSERT_TRUE(dm.OpenDatabases(
            {installation.Catalog(), installation.Server() + "/Registry", installation.Reports()}, prompter));
        ASSERT_TRUE(dm.OpenCatalogTables(prompter));
    }

    // Presses a key on the grid.
    static void press(TDataGrid* grid, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(grid, &event);
    }

    std::vector<double> rates() {
        std::vector<double> values;
        for (dm.T_Currency.First(); !dm.T_Currency.Eof(); dm.T_Currency.Next()) {
            values.push_back(dm.T_Currency.AsFloat("Value"));
        }
        return values;
    }

    std::vector<std::string> groupNames() {
        std::vector<std::string> names;
        for (dm.T_PriceGrp.First(); !dm.T_PriceGrp.Eof(); dm.T_PriceGrp.Next()) {
            names.push_back(dm.T_PriceGrp.AsString("Name"));
        }
        return names;
    }

    Installation installation;
    ScriptedPrompter prompter;
    TDM dm;
};

TEST_F(CatalogDialogTest, CurrencyEditIsPostedWhateverWayTheDialogCloses) {
    for (int result : {QDialog::Rejected, QDialog::Accepted}) {
        SCOPED_TRACE(result);
        TCurrencyDlg dialog(dm.T_Currency, prompter);
        ASSERT_EQ(2, dialog.Model()->rowCount());
        EXPECT_EQ(QString::fromUtf8("Курс"), dialog.Model()->headerData(1, Qt::Horizontal, Qt::DisplayRole));
        const double rate = result == QDialog::Rejected ? 97.25 : 98.5;
        ASSERT_TRUE(dialog.Model()->setData(dialog.Model()->index(1, 1),
                                            QString::number(rate).replace('.', ','), Qt::EditRole));
        EXPECT_EQ(TableState::Edit, dm.T_Currency.State());
        dialog.done(result);
        EXPECT_EQ(TableState::Browse, dm.T_Currency.State());
        EXPECT_EQ(std::vector<double>({1.0, rate}), rates());
    }
    // The rate reached the database, not only the table object.
    dm.T_Currency.Close();
    dm.T_Currency.Open();
    EXPECT_EQ(std::vector<double>({1.0, 98.5}), rates());
}

// Nothing typed is lost: a refused text stays in its cell, and while the
// record cannot be posted it stays in edit mode and the dialog stays open.
TEST_F(CatalogDialogTest, RefusedTextsAndFailedPostsKeepTheRecordAndTheDialog) {
    TCurrencyDlg dialog(dm.T_Currency, prompter);
    TTableModel& model = *dialog.Model();
    struct Case {
        const char* name;
        int column;
        const char* typed;
        const char* message;
    } cases[] = {
        {"no number", 1, "9x", "Поле [Value]: \"9x\" - не число"},
        {"no Windows-1251 character", 0, "EUR★",
         "Символы ★ нельзя сохранить: их нет в кодировке Windows-1251"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.records.clear();
        EXPECT_FALSE(model.setData(model.index(1, c.column), QString::fromUtf8(c.typed), Qt::EditRole));
        ASSERT_EQ(1u, prompter.records.size());
        EXPECT_EQ(MessageKind::Error, prompter.records[0].kind);
        EXPECT_EQ(c.message, prompter.records[0].text);
        EXPECT_EQ(QString::fromUtf8(c.typed),
                  model.data(model.index(1, c.column), Qt::DisplayRole).toString());
        EXPECT_EQ(TableState::Edit, dm.T_Currency.State());
        dialog.done(QDialog::Accepted);
        EXPECT_EQ(QDialog::Rejected, dialog.result()) << "the dialog stays open";
        EXPECT_EQ(TableState::Edit, dm.T_Currency.State());
        ASSERT_TRUE(model.setData(model.index(1, c.column), c.column == 0 ? "EUR" : "97,5", Qt::EditRole));
    }

    // Another program holds the database: the reason is shown in Russian.
    Database other("other", DatabaseKind::Catalog);
    other.Open(installation.Catalog(), false);
    other.Exec("BEGIN EXCLUSIVE");
    prompter.records.clear();
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(QDialog::Rejected, dialog.result());
    EXPECT_EQ(TableState::Edit, dm.T_Currency.State());
    ASSERT_EQ(1u, prompter.records.size());
    EXPECT_NE(std::string::npos, prompter.records[0].text.find("база данных занята другой программой"))
        << prompter.records[0].text;
    other.Exec("ROLLBACK");
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ(std::vector<double>({1.0, 97.5}), rates());
}

TEST_F(CatalogDialogTest, PriceGroupGridDeleteKeysAskFirst) {
    TPriceGroupDlg dialog(dm.T_PriceGrp, TkvfSetup(), prompter, nullptr);
    TDataGrid* grid = dialog.Grid();
    grid->GoToRow(0);
    prompter.confirmAnswers = {false, true};
    press(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(2, dialog.Model()->rowCount());
    press(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(std::vector<std::string>({"Удалить запись?", "Удалить запись?"}),
              prompter.Texts(MessageKind::Confirmation));
    EXPECT_EQ(std::vector<std::string>({"Опт"}), groupNames());
}

TEST_F(CatalogDialogTest, PriceGroupGridDeletesSelectedOrAllRows) {
    TPriceGroupDlg dialog(dm.T_PriceGrp, TkvfSetup(), prompter, nullptr);
    TDataGrid* grid = dialog.Grid();
    grid->selectAll();
    prompter.confirmAnswers = {false};
    press(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(std::vector<std::string>({"Удалить 2 записей?"}), prompter.Texts(MessageKind::Confirmation));
    EXPECT_EQ(2u, groupNames().size());

    prompter.confirmAnswers = {true};
    press(grid, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ("Удалить все записи?", prompter.Texts(MessageKind::Confirmation).back());
    EXPECT_EQ(0, dialog.Model()->rowCount());
    EXPECT_TRUE(groupNames().empty());
}

TEST_F(CatalogDialogTest, PriceGroupInsertKeyAddsARowPostedOnClose) {
    TPriceGroupDlg dialog(dm.T_PriceGrp, TkvfSetup(), prompter, nullptr);
    TDataGrid* grid = dialog.Grid();
    grid->GoToRow(1);
    press(grid, Qt::Key_Insert);
    EXPECT_EQ(3, dialog.Model()->rowCount());
    EXPECT_EQ(1, dialog.Model()->EditingRow());
    dialog.Model()->setData(dialog.Model()->index(1, 0), "3", Qt::EditRole);
    dialog.Model()->setData(dialog.Model()->index(1, 1), QString::fromUtf8("Дилер"), Qt::EditRole);
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(std::vector<std::string>({"Розница", "Опт", "Дилер"}), groupNames());
}

TEST_F(CatalogDialogTest, PriceGroupCopyAndPasteThroughTheRecordClipboard) {
    TRecClipBoard clipBoard([](int n) { return n - 1; });
    TPriceGroupDlg dialog(dm.T_PriceGrp, TkvfSetup(), prompter, &clipBoard);
    TDataGrid* grid = dialog.Grid();
    grid->GoToRow(1);
    press(grid, Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(1u, clipBoard.Records().size());
    press(grid, Qt::Key_V, Qt::ControlModifier);
    // One pasted row stays open for editing, then is posted when the dialog closes.
    EXPECT_EQ(3, dialog.Model()->rowCount());
    EXPECT_EQ(QString::fromUtf8("Опт"), dialog.Model()->CellText(dialog.Model()->EditingRow(), 1));
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(std::vector<std::string>({"Розница", "Опт", "Опт"}), groupNames());
}

TEST_F(CatalogDialogTest, PriceGroupCellTextThroughTheSystemClipboard) {
    TPriceGroupDlg dialog(dm.T_PriceGrp, TkvfSetup(), prompter, nullptr);
    TDataGrid* grid = dialog.Grid();
    grid->setCurrentIndex(dialog.Model()->index(0, 1));
    press(grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QString::fromUtf8("Розница"), QApplication::clipboard()->text());
    grid->setCurrentIndex(dialog.Model()->index(1, 1));
    press(grid, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(1, dialog.Model()->EditingRow());
    dialog.done(QDialog::Rejected);
    EXPECT_EQ(std::vector<std::string>({"Розница", "Розница"}), groupNames());
}

TEST_F(CatalogDialogTest, PriceGroupFirstPageOnShowAndNamesPage) {
    TkvfSetup setup;
    setup.PriceGroupNames = {"Первая", "Вторая"};
    TPriceGroupDlg dialog(dm.T_PriceGrp, setup, prompter, nullptr);
    dialog.Pages()->setCurrentIndex(1);
    dialog.show();
    EXPECT_EQ(0, dialog.Pages()->currentIndex());
    EXPECT_EQ(QString::fromUtf8("Группы скидок"), dialog.Pages()->tabText(0));
    EXPECT_EQ(QString::fromUtf8("Наименования"), dialog.Pages()->tabText(1));
    EXPECT_EQ(QString::fromUtf8("Вторая"), dialog.SGrid()->item(1, 0)->text());
    dialog.reject();
}

TEST_F(CatalogDialogTest, CatalogBrowserShowsLookupsAndSetsKeysThroughTheCombos) {
    TCatalogDlg dialog(dm, prompter);
    ASSERT_EQ(1, dialog.Model()->rowCount());
    EXPECT_EQ(QString::fromUtf8("ПЕТЛЯ-1"), dialog.Model()->CellText(0, 0));
    EXPECT_EQ(QString("EUR"), dialog.Model()->CellText(0, 5));
    EXPECT_EQ(QString::fromUtf8("Розница"), dialog.Model()->CellText(0, 6));
    EXPECT_EQ(QString("EUR"), dialog.CurrencyCombo()->currentText());
    dialog.CurrencyCombo()->setCurrentIndex(0);
    emit dialog.CurrencyCombo()->activated(0);
    EXPECT_EQ(QString::fromUtf8("руб"), dialog.Model()->CellText(0, 5));
    dialog.done(QDialog::Accepted);
    dm.T_Catalog.First();
    EXPECT_EQ(1, dm.T_Catalog.AsInteger("Currency"));
}

TEST_F(CatalogDialogTest, CatalogBrowserPrintsTheTableAsAList) {
    TCatalogDlg dialog(dm, prompter);
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/catalog.pdf";
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        dialog.PrintTable(printer);
    }
    QProcess text;
    text.start("pdftotext", {"-raw", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QString::fromUtf8("Справочник комплектующих"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QString::fromUtf8("Петля верхняя"))) << printed.toStdString();
}

TEST_F(CatalogDialogTest, CatalogBrowserTakesTheClientAreaLessAHundred) {
    TCatalogDlg dialog(dm, prompter);
    dialog.PlaceIn(QRect(10, 20, 800, 600));
    EXPECT_EQ(QRect(60, 70, 700, 500), dialog.geometry());
}

} // namespace
} // namespace kvf
