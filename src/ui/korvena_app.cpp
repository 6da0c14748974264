#include "ui/korvena_app.h"

#include "base/error.h"
#include "base/prompter.h"
#include "catalog/record_clipboard.h"
#include "catalog/tdm.h"
#include "config/registry.h"
#include "config/setup.h"
#include "ui/app_context.h"
#include "ui/child_factory.h"
#include "ui/config_list_dlg.h"
#include "ui/main_form.h"
#include "ui/splash_form.h"

#include <QApplication>
#include <QLabel>

#include <chrono>

namespace kvf {

TKorvenaApp::TKorvenaApp(Prompter& prompter, std::vector<std::string> args, std::string exeFolder,
                         TChildFactory* children)
    : prompter_(prompter), args_(std::move(args)), exeFolder_(std::move(exeFolder)), children_(children) {
    if (children_ == nullptr) {
        ownChildren_ = std::make_unique<TKorvenaChildFactory>();
        children_ = ownChildren_.get();
    }
    ChooseConfigurationName = [](const std::vector<std::string>& names, const std::string& initial) {
        TConfigListDlg dialog(names, initial);
        return dialog.exec() == QDialog::Accepted ? dialog.SelectedName() : std::string();
    };
}

TKorvenaApp::~TKorvenaApp() {
    Finish();
}

bool TKorvenaApp::chooseConfiguration() {
    TkvfConfigurations configurations;
    try {
        configurations = ReadConfigurations(*registry_);
    } catch (const std::exception& e) {
        prompter_.Error(std::string("Ошибка чтения системного реестра!\r\n(") + e.what() + ")");
        return false;
    }
    if (configurations.Names.empty()) {
        // No configuration at all: the paths report it.
        return paths_.ChooseConfiguration(*registry_, prompter_, exeFolder_, random_);
    }
    const std::string name = ChooseConfigurationName(configurations.Names, configurations.Preset());
    if (name.empty()) {
        return false;
    }
    return paths_.OpenConfiguration(name, *registry_, prompter_, exeFolder_, random_);
}

bool TKorvenaApp::Start() {
    try {
        switches_ = ReadStartSwitches(args_);
        random_.seed(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
        registry_ = std::make_unique<Registry>(Registry::DefaultFileName());
        paths_.ReadLastTempDir(*registry_, prompter_);
        if (!paths_.LastTempDir.empty()) {
            paths_.DeleteLastTempDir(prompter_);
        }
        if (!chooseConfiguration()) {
            return false;
        }
        setup_ = std::make_unique<TkvfSetup>(paths_, *registry_, prompter_);
        if (!setup_->Loaded) {
            prompter_.Warning(
                "Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!");
            setup_.reset();
            return false;
        }
    } catch (const std::exception& e) {
        prompter_.Error(e.what());
        setup_.reset();
        return false;
    }
    createWindows();
    return true;
}

void TKorvenaApp::createWindows() {
    std::unique_ptr<TSplashForm> splash;
    auto progress = [&](int value, const QString& status = {}) {
        if (!status.isEmpty()) {
            splash->SetStatus(status);
        }
        splash->SetProgress(value);
        if (OnSplashProgress) {
            OnSplashProgress(value, splash->LoadLab()->text());
        }
    };
    try {
        splash = std::make_unique<TSplashForm>();
        splash->ShowNow();
        progress(0);
        progress(2, QString::fromUtf8("Загрузка системы..."));
        QApplication::setApplicationName(QString::fromUtf8("Korvena ФУРНИТУРА"));
        dm_ = std::make_unique<TDM>();
        clipBoard_ = std::make_unique<TRecClipBoard>();
        progress(20);
        context_.reset(new TAppContext{prompter_, *registry_, paths_, *setup_, switches_, exeFolder_,
                                       dm_.get(), clipBoard_.get(), children_});
        mainForm_ = std::make_unique<TMainForm>(*context_);
        progress(40);
        mainForm_->Initialise();
        progress(100);
    } catch (const std::exception& e) {
        splash.reset();
        prompter_.Error(e.what());
        // A main window that was made stays usable.
        if (mainForm_ != nullptr && !mainForm_->isVisible()) {
            mainForm_->show();
        }
    }
}

int TKorvenaApp::Run() {
    // The loop ends when the main window has closed (a refusing child keeps it open).
    const int status = mainForm_ != nullptr && mainForm_->isVisible() ? QApplication::exec() : 0;
    Finish();
    return status;
}

void TKorvenaApp::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    mainForm_.reset();
    context_.reset();
    clipBoard_.reset();
    if (dm_ != nullptr) {
        dm_->CloseDatabases();
        dm_.reset();
    }
    if (setup_ != nullptr) {
        try {
            setup_->Store(*registry_, prompter_);
        } catch (const std::exception& e) {
            prompter_.Error(e.what());
        }
        setup_.reset();
    }
    if (registry_ != nullptr && !paths_.TempDir.empty()) {
        paths_.StoreLastTempDir(*registry_, prompter_);
    }
}

} // namespace kvf
