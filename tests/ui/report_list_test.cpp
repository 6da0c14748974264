#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "model/order.h"
#include "model/order_selection.h"
#include "ui/app_context.h"
#include "ui/report_designer.h"
#include "ui/report_list_dlg.h"
#include "ui/report_preview.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace kvf {
namespace {

using test::Installation;

// An installation with a report folder of small templates and its list.
class ReportListTest : public ::testing::Test {
protected:
    ReportListTest() {
        paths_.CatalogDir = inst_.Catalog();
        paths_.ReportDir = inst_.Reports();
        paths_.OrdersDir = inst_.Server() + "/Orders";
        EXPECT_TRUE(
            dm_.OpenDatabases({inst_.Catalog(), inst_.Server() + "/Registry", inst_.Reports()}, prompter_));
        EXPECT_TRUE(dm_.OpenCatalogTables(prompter_));
        order_.OrderNo = "З-1";
        selection_.SelNo = "В-1";
    }

    // A template printing its name and the order number, `pages` pages long.
    void writeTemplate(const std::string& file, const std::string& title, int pages = 1) {
        std::string bands;
        for (int i = 0; i < pages; ++i)
            bands += "<band type=\"ReportTitle\" height=\"270\"><text width=\"100\" height=\"6\">" + title +
                     " [_ORDER_NO]</text></band>";
        const std::string xml = "<report><page size=\"A4\"/>" + bands + "</report>";
        QFile f(QString::fromStdString(inst_.Reports() + "/" + file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml.data(), static_cast<qint64>(xml.size()));
    }

    void addRecord(const std::string& name, const std::string& file, int group, int use, int isDefault,
                   int copies) {
        dm_.DB_Report.Exec("INSERT INTO \"Report\" (\"Name\", \"FileName\", \"Group\", \"USE\", \"Default\", "
                           "\"Copies\") VALUES ('" +
                           name + "', '" + file + "', " + std::to_string(group) + ", " + std::to_string(use) +
                           ", " + std::to_string(isDefault) + ", " + std::to_string(copies) + ")");
    }

    std::unique_ptr<TReportListDlg> dialog(const ReportObject& object) {
        auto d = std::make_unique<TReportListDlg>(ctx_);
        d->PrintPages = [this](const TPreparedReport& pages, const QString&, int copies) {
            printed_.push_back(pages.Pages.at(0).Items.Texts().at(0) + " x" + std::to_string(copies));
            return true;
        };
        d->SetObject(object);
        d->BuildList();
        return d;
    }

    static std::vector<std::string> names(const TReportListDlg& d) {
        std::vector<std::string> result;
        for (int row = 0; row < d.Grid->rowCount(); ++row)
            result.push_back(d.Grid->item(row, 2)->text().toStdString());
        return result;
    }

    Installation inst_;
    ScriptedPrompter prompter_;
    Registry registry_{inst_.RegistryFile()};
    TkvfPaths paths_;
    TkvfSetup setup_;
    TDM dm_;
    TAppContext ctx_{prompter_, registry_, paths_, setup_, {}, inst_.Exe(), &dm_};
    TkvfOrder order_;
    TkvfOrderSelection selection_;
    std::vector<std::string> printed_;
};

TEST_F(ReportListTest, ListsTheObjectsGroupInUseAndShowAllAddsTheUnused) {
    addRecord("Предложение", "%\\OFFER.KFR", 11, 1, 1, 1);
    addRecord("Старый бланк", "%\\OLD.KFR", 11, 0, 0, 1);
    addRecord("Выборка", "%\\SEL.KFR", 12, 1, 1, 1);
    auto forOrder = dialog(&order_);
    EXPECT_EQ((std::vector<std::string>{"Предложение"}), names(*forOrder));
    forOrder->ShowAllCheck->setChecked(true);
    EXPECT_EQ((std::vector<std::string>{"Предложение", "Старый бланк"}), names(*forOrder));
    EXPECT_EQ((std::vector<std::string>{"Выборка"}), names(*dialog(&selection_)));
    EXPECT_EQ(QString::fromUtf8("Печать"), forOrder->windowTitle());
    EXPECT_FALSE(forOrder->OptionsBut->isEnabled());
    EXPECT_TRUE(forOrder->PreviewBut->isDefault());
}

TEST_F(ReportListTest, GroupPrintingPrintsTheMarkedTemplatesWithTheirCopies) {
    writeTemplate("offer.kfr", "Предложение");
    writeTemplate("items.kfr", "Спецификация");
    writeTemplate("list.kfr", "Ведомость");
    addRecord("Предложение", "%\\OFFER.KFR", 11, 1, 1, 2);
    addRecord("Спецификация", "%\\ITEMS.KFR", 11, 1, 0, 1);
    addRecord("Ведомость", "%\\LIST.KFR", 11, 1, 1, 3);
    auto d = dialog(&order_);
    d->Grid->selectRow(1);
    d->PrintGroupBut->click();
    EXPECT_EQ((std::vector<std::string>{"Предложение З-1 x2", "Ведомость З-1 x3"}), printed_);
    EXPECT_EQ(1, d->Grid->currentRow());
    EXPECT_TRUE(d->Grid->isEnabled());
    printed_.clear();
    d->PrintBut->click();
    EXPECT_EQ((std::vector<std::string>{"Спецификация З-1 x1"}), printed_);
    EXPECT_TRUE(prompter_.records.empty());
}

TEST_F(ReportListTest, GroupPrintingAsksAboutAMissingTemplate) {
    writeTemplate("list.kfr", "Ведомость");
    addRecord("Пропавший", "%\\GONE.KFR", 11, 1, 1, 1);
    addRecord("Ведомость", "%\\LIST.KFR", 11, 1, 1, 1);
    struct Case {
        const char* name;
        int answer;
        std::vector<std::string> printed;
    };
    const Case cases[] = {{"continue", 1, {"Ведомость З-1 x1"}}, {"stop", 2, {}}, {"closed", 0, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printed_.clear();
        prompter_.records.clear();
        prompter_.twoButtonAnswers = {c.answer};
        dialog(&order_)->PrintGroup();
        EXPECT_EQ(c.printed, printed_);
        ASSERT_EQ(1u, prompter_.records.size());
        EXPECT_EQ(0u, prompter_.records[0].text.find("Невозможно найти файл отчета!\r\n"));
        EXPECT_NE(std::string::npos, prompter_.records[0].text.find("GONE.KFR"));
    }
}

TEST_F(ReportListTest, ABrokenTemplateIsReportedAndTheGroupMayGoOn) {
    writeTemplate("list.kfr", "Ведомость");
    QFile broken(QString::fromStdString(inst_.Reports() + "/broken.kfr"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<report><band type=\"ReportTitle\"><text>[_ORDER_NO +]</text></band></report>");
    broken.close();
    addRecord("Сломанный", "%\\BROKEN.KFR", 11, 1, 1, 1);
    addRecord("Ведомость", "%\\LIST.KFR", 11, 1, 1, 1);
    prompter_.twoButtonAnswers = {1};
    auto d = dialog(&order_);
    d->PrintGroup();
    EXPECT_EQ((std::vector<std::string>{"Ведомость З-1 x1"}), printed_);
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ(0u, prompter_.records[0].text.find("Ошибка печати группы отчетов!\r\n"));

    prompter_.records.clear();
    d->Grid->selectRow(0);
    d->Preview();
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ(0u, prompter_.records[0].text.find("Ошибка подготовки отчета\r\n["));
}

TEST_F(ReportListTest, EditsOfPrintAndCopiesAreKeptAfterClosing) {
    addRecord("Предложение", "%\\OFFER.KFR", 11, 1, 1, 1);
    addRecord("Ведомость", "%\\LIST.KFR", 11, 1, 0, 1);
    {
        auto d = dialog(&order_);
        d->Grid->item(0, 0)->setCheckState(Qt::Unchecked);
        d->Grid->item(1, 0)->setCheckState(Qt::Checked);
        d->Grid->item(1, 1)->setData(Qt::EditRole, 4);
        d->CancelBut->click();
    }
    auto again = dialog(&order_);
    ASSERT_EQ(2u, again->Records().size());
    EXPECT_EQ(0, again->Records()[0].Default);
    EXPECT_EQ(1, again->Records()[1].Default);
    EXPECT_EQ(4, again->Records()[1].Copies);
    EXPECT_EQ(Qt::Unchecked, again->Grid->item(0, 0)->checkState());
}

TEST_F(ReportListTest, OnlyTheRowsEditedHereAreWrittenBack) {
    addRecord("Предложение", "%\\OFFER.KFR", 11, 1, 1, 1);
    addRecord("Ведомость", "%\\LIST.KFR", 11, 1, 0, 1);
    {
        auto d = dialog(&order_);
        // Someone sharing the report folder changes the first row meanwhile.
        dm_.DB_Report.Exec("UPDATE \"Report\" SET \"Copies\" = 9 WHERE rowid = 1");
        d->Grid->item(1, 1)->setData(Qt::EditRole, 4);
        d->CancelBut->click();
    }
    auto again = dialog(&order_);
    ASSERT_EQ(2u, again->Records().size());
    EXPECT_EQ(9, again->Records()[0].Copies);
    EXPECT_EQ(4, again->Records()[1].Copies);
}

TEST_F(ReportListTest, PreviewShowsThePagesOneByOne) {
    writeTemplate("offer.kfr", "Предложение", 3);
    addRecord("Предложение", "%\\OFFER.KFR", 11, 1, 1, 2);
    auto d = dialog(&order_);
    std::optional<TPreparedReport> shown;
    d->ShowPreview = [&](TPreparedReport pages, const QString&) { shown = std::move(pages); };
    emit d->Grid->cellDoubleClicked(0, 2);
    ASSERT_TRUE(shown);
    ASSERT_EQ(3u, shown->Pages.size());

    int prints = 0;
    TReportPreview preview(std::move(*shown), "Предложение", prompter_, [&](const TPreparedReport&) {
        ++prints;
        return true;
    });
    EXPECT_EQ(QString::fromUtf8("Страница 1 из 3"), preview.PageLabel->text());
    EXPECT_FALSE(preview.PriorBut->isEnabled());
    preview.NextBut->click();
    preview.NextBut->click();
    EXPECT_EQ(QString::fromUtf8("Страница 3 из 3"), preview.PageLabel->text());
    EXPECT_FALSE(preview.NextBut->isEnabled());
    const int width = preview.PageImage->pixmap().width();
    preview.ZoomCombo->setCurrentIndex(4);
    EXPECT_EQ(2 * width, preview.PageImage->pixmap().width());
    preview.PrintBut->click();
    EXPECT_EQ(1, prints);
    const QString pdf = QString::fromStdString(inst_.Root() + "/preview.pdf");
    EXPECT_TRUE(preview.SavePdf(pdf));
    EXPECT_GT(QFile(pdf).size(), 1000);
    const QString png = QString::fromStdString(inst_.Root() + "/page.png");
    EXPECT_TRUE(preview.SavePdf(png));
    EXPECT_EQ(2 * width, QImage(png).width());
}

TEST_F(ReportListTest, DesignerChecksPreviewsAndSavesATemplate) {
    writeTemplate("offer.kfr", "Предложение");
    QDir().mkpath(QString::fromStdString(paths_.OrdersDir));
    ASSERT_TRUE(order_.SaveToFile(paths_.OrdersDir + "/z1.kfo370", prompter_));
    TReportDesigner designer(ctx_);
    ASSERT_EQ(1, designer.TemplateCombo->count());
    ASSERT_EQ(1, designer.OrderCombo->count());
    EXPECT_TRUE(designer.Editor->toPlainText().contains(QString::fromUtf8("Предложение [_ORDER_NO]")));
    EXPECT_FALSE(designer.PageImage->pixmap().isNull());
    EXPECT_EQ(QString::fromUtf8("Шаблон без ошибок; страниц: 1"), designer.StatusLabel->text());

    designer.Editor->setPlainText(QString::fromUtf8("<report><band type=\"ReportTitle\"><text name=\"T1\">"
                                                    "[_ORDER_NO +]</text></band></report>"));
    EXPECT_FALSE(designer.CheckTemplate());
    EXPECT_TRUE(designer.StatusLabel->text().contains("T1"));
    EXPECT_FALSE(designer.SaveTemplate());
    ASSERT_EQ(1u, prompter_.records.size());

    const QString fixed =
        QString::fromUtf8("<report><band type=\"ReportTitle\" height=\"10\"><text width=\"50\" "
                          "height=\"6\">Новый [_ORDER_NO]</text></band></report>");
    designer.Editor->setPlainText(fixed);
    EXPECT_TRUE(designer.SaveTemplate());
    QFile saved(QString::fromStdString(inst_.Reports() + "/offer.kfr"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(fixed, QString::fromUtf8(saved.readAll()));
}

} // namespace
} // namespace kvf
