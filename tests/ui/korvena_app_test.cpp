#include "ui/korvena_app.h"

#include "catalog/tdm.h"
#include "config/setup.h"
#include "ui/config_list_dlg.h"
#include "ui/currency_dlg.h"
#include "ui/last_currency_update.h"
#include "ui/main_form.h"
#include "ui_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QToolBar>
#include <gtest/gtest.h>

#include <sqlite3.h>

namespace kvf {
namespace {

using test::Installation;
using test::WhenModalShown;

const char* const NoIniWarning =
    "Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!";

// Processes events until the condition holds or two seconds pass.
bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 2000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return condition();
}

// One run of the program on the installation: start, the deferred requests, close.
struct ProgramRun {
    explicit ProgramRun(const Installation& installation, std::vector<std::string> args = {"korvena"})
        : app(prompter, std::move(args), installation.Exe()) {
        app.ChooseConfigurationName = [](const std::vector<std::string>& names, const std::string& initial) {
            return initial;
        };
    }

    // Starts and lets the start requests come in; the currency dialog, if it comes, gets `currencyAnswer`.
    bool Start(bool currencyAnswer = false) {
        if (!app.Start()) {
            return false;
        }
        QObject::connect(app.MainForm(), &TMainForm::RequestReceived,
                         [this](const QString& name) { requests << name; });
        WhenModalShown([this, currencyAnswer](QWidget* modal) {
            if (auto* dialog = qobject_cast<TCurrencyDlg*>(modal)) {
                currencyCaption = dialog->windowTitle();
                currencyAnswer ? dialog->accept() : dialog->reject();
            }
        });
        const bool done = waitFor([this] { return requests.contains("NewsRequest"); });
        waitFor([this] { return QApplication::activeModalWidget() == nullptr; });
        return done;
    }

    ScriptedPrompter prompter;
    TKorvenaApp app;
    QStringList requests;
    QString currencyCaption;
};

TEST(KorvenaAppTest, WithoutConfigurationsTheProgramEnds) {
    Installation installation;
    ProgramRun run(installation);
    EXPECT_FALSE(run.app.Start());
    EXPECT_EQ(
        std::vector<std::string>(
            {"В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!"}),
        run.prompter.Texts(MessageKind::Error));
    EXPECT_EQ(nullptr, run.app.MainForm());
}

TEST(KorvenaAppTest, MissingSettingsFileWarnsAndEnds) {
    Installation installation;
    installation.AddConfiguration();
    ProgramRun run(installation);
    EXPECT_FALSE(run.app.Start());
    EXPECT_EQ(std::vector<std::string>({NoIniWarning}), run.prompter.Texts(MessageKind::Warning));
    EXPECT_EQ(nullptr, run.app.Setup());
    EXPECT_EQ(nullptr, run.app.MainForm());
    // The temporary folder this run made is still handed to the next start.
    const std::string tempDir = run.app.Paths().TempDir;
    ASSERT_FALSE(tempDir.empty());
    run.app.Finish();
    Registry registry = installation.OpenRegistry();
    ASSERT_TRUE(registry.OpenKey(ConfigurationsKey, false));
    EXPECT_EQ(tempDir, registry.ReadString("KVFLastTempDir"));
}

TEST(KorvenaAppTest, ConfigurationDialogPreselectsTheDefaultAndCancelEnds) {
    Installation installation;
    installation.AddConfiguration("Сеть", false);
    installation.AddConfiguration("Демо", true);
    installation.WriteIni();
    installation.FillCatalog();
    struct Case {
        const char* name;
        bool ok;
    };
    for (const Case c : {Case{"cancel", false}, Case{"ok", true}}) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter prompter;
        TKorvenaApp app(prompter, {"korvena"}, installation.Exe());
        QStringList entries;
        QString selected, title;
        WhenModalShown([&](QWidget* modal) {
            auto* dialog = qobject_cast<TConfigListDlg*>(modal);
            ASSERT_NE(nullptr, dialog);
            title = dialog->windowTitle();
            for (int i = 0; i < dialog->ConfigCombo()->count(); ++i) {
                entries << dialog->ConfigCombo()->itemText(i);
            }
            selected = dialog->ConfigCombo()->currentText();
            (c.ok ? dialog->OkBut() : dialog->CancelBut())->click();
        });
        EXPECT_EQ(c.ok, app.Start());
        EXPECT_EQ(QString::fromUtf8("Конфигурация"), title);
        EXPECT_EQ(QStringList({"Сеть", "Демо"}), entries);
        EXPECT_EQ(QString::fromUtf8("Демо"), selected);
        for (const auto& record : prompter.records) {
            ADD_FAILURE() << record.text;
        }
        if (c.ok) {
            EXPECT_EQ("Демо", app.Paths().ConfigName);
            ASSERT_NE(nullptr, app.MainForm());
            EXPECT_EQ(QString::fromUtf8("Korvena ФУРНИТУРА: [Демо]"), app.MainForm()->windowTitle());
        }
    }
}

TEST(KorvenaAppTest, StartShowsTheSplashStepsThenRunsTheRequestsInOrder) {
    Installation installation;
    installation.AddConfiguration();
    installation.WriteIni();
    installation.FillCatalog();
    ProgramRun run(installation);
    std::vector<std::pair<int, QString>> steps;
    run.app.OnSplashProgress = [&](int progress, const QString& status) {
        steps.emplace_back(progress, status);
    };
    ASSERT_TRUE(run.Start(false));
    const std::vector<std::pair<int, QString>> expected = {{0, QString::fromUtf8("Загрузка...")},
                                                           {2, QString::fromUtf8("Загрузка системы...")},
                                                           {20, QString::fromUtf8("Загрузка системы...")},
                                                           {40, QString::fromUtf8("Загрузка системы...")},
                                                           {100, QString::fromUtf8("Загрузка системы...")}};
    EXPECT_EQ(expected, steps);
    EXPECT_EQ(
        QStringList({"OpenRegistryRequest", "PresentationRequest", "CurrencyRatesRequest", "NewsRequest"}),
        run.requests);
    EXPECT_EQ(run.app.MainForm()->Item("CurrencyItem")->text(), run.currencyCaption);
    EXPECT_TRUE(run.prompter.records.empty());
    EXPECT_TRUE(run.app.MainForm()->isVisible());
}

TEST(KorvenaAppTest, SwitchesInAnyLetterCase) {
    Installation installation;
    installation.AddConfiguration();
    installation.WriteIni();
    installation.FillCatalog();
    ProgramRun run(installation, {"korvena", "/NoPresentation", "/DEVELOPER"});
    ASSERT_TRUE(run.Start(false));
    EXPECT_FALSE(run.requests.contains("PresentationRequest"));
    for (const char* name : {"ReportDesignItem", "CatalogItem", "FTPItem"}) {
        EXPECT_TRUE(run.app.MainForm()->Item(name)->isVisible()) << name;
    }
}

TEST(KorvenaAppTest, CurrencyDialogAtMostOnceADayWhileConfirmed) {
    Installation installation;
    installation.AddConfiguration();
    installation.WriteIni();
    installation.FillCatalog();
    const std::string lcu = installation.Server() + "/Korvena.lcu";
    struct Step {
        const char* name;
        bool answer;
        bool dialogExpected;
        bool fileAfter;
    };
    const Step steps[] = {
        {"first start, cancelled", false, true, false},
        {"comes again, confirmed", true, true, true},
        {"same day: not again", true, false, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ProgramRun run(installation);
        ASSERT_TRUE(run.Start(step.answer));
        EXPECT_EQ(step.dialogExpected, run.requests.contains("CurrencyRatesRequest"));
        EXPECT_EQ(step.fileAfter, QFile::exists(QString::fromStdString(lcu)));
    }
    EXPECT_EQ(Today(), ReadLastCurrencyUpdate(lcu, 0));
}

TEST(KorvenaAppTest, ATableThatFailsToOpenIsReportedAndTheProgramStillStarts) {
    Installation installation;
    installation.AddConfiguration();
    installation.WriteIni();
    installation.FillCatalog();
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open((installation.Catalog() + "/catalog.sqlite").c_str(), &db));
        ASSERT_EQ(SQLITE_OK,
                  sqlite3_exec(db, "DROP TABLE Material; CREATE VIEW Material AS SELECT * FROM Missing;",
                               nullptr, nullptr, nullptr));
        sqlite3_close(db);
    }
    ProgramRun run(installation, {"korvena", "/nopresentation"});
    ASSERT_TRUE(run.Start(false));
    const auto errors = run.prompter.Texts(MessageKind::Error);
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(0u, errors[0].find("Ошибка открытия файла [Material]\r\n(")) << errors[0];
    EXPECT_TRUE(run.app.MainForm()->isVisible());
    EXPECT_TRUE(run.app.Dm()->T_Currency.Active());
}

TEST(KorvenaAppTest, ShutDownStoresWindowStateSettingsAndTheTemporaryFolder) {
    Installation installation;
    installation.AddConfiguration();
    installation.WriteIni();
    installation.FillCatalog();
    std::string firstTemp;
    {
        ProgramRun run(installation, {"korvena", "/nopresentation"});
        ASSERT_TRUE(run.Start(true));
        run.app.Setup()->AutoReg = false;
        run.app.Setup()->Name = "ООО Окна";
        run.app.MainForm()->showMaximized();
        EXPECT_TRUE(run.app.MainForm()->close());
        firstTemp = run.app.Paths().TempDir;
        run.app.Finish();
        EXPECT_FALSE(run.app.Dm() && run.app.Dm()->DB_Catalog.IsOpen());
    }
    Registry registry = installation.OpenRegistry();
    ASSERT_TRUE(registry.OpenKey(SettingsKey, false));
    EXPECT_EQ(0, registry.ReadInteger("AutoReg"));
    EXPECT_EQ(2, registry.ReadInteger("TechnologMainWinState"));
    ASSERT_TRUE(registry.OpenKey(ConfigurationsKey, false));
    EXPECT_EQ(firstTemp, registry.ReadString("KVFLastTempDir"));
    EXPECT_TRUE(QDir(QString::fromStdString(firstTemp)).exists());

    // The next start deletes the last run's folder and reads what was stored.
    ProgramRun second(installation, {"korvena", "/nopresentation"});
    ASSERT_TRUE(second.Start(true));
    EXPECT_FALSE(QDir(QString::fromStdString(firstTemp)).exists());
    EXPECT_EQ("ООО Окна", second.app.Setup()->Name);
    EXPECT_FALSE(second.app.Setup()->AutoReg);
}

} // namespace
} // namespace kvf
