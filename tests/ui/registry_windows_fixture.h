#pragma once
// A main window over a temporary installation with the demo catalog and an
// empty order registry, for the registry and selection window tests. Order
// windows are stand-ins that log the file they were asked to open; registry
// and selection windows are the real ones.

#include "../cli/test_orders.h"
#include "../qt/modal_helper.h"
#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "ui/app_context.h"
#include "ui/child_factory.h"
#include "ui/main_form.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kvf::test {

// An order window that only remembers its file.
class StandInOrderWindow : public QWidget, public TChildWindow {
public:
    explicit StandInOrderWindow(std::string file) : file_(std::move(file)) {}
    ChildKind Kind() const override { return ChildKind::Order; }
    QWidget* Widget() override { return this; }
    void UpdateMainMenu(TMainForm&) override {}
    std::string FileName() const override { return file_; }

private:
    std::string file_;
};

class RecordingFactory : public TChildFactory {
public:
    bool Supports(ChildKind) const override { return true; }
    TChildWindow* CreateOrderWindow(TMainForm&, const std::string& fileName) override {
        opened.push_back(fileName);
        return new StandInOrderWindow(fileName);
    }
    TChildWindow* CreateSelectionWindow(TMainForm& main, const std::string& fileName,
                                        TChildWindow* source) override {
        return real.CreateSelectionWindow(main, fileName, source);
    }
    TChildWindow* CreateRegistryWindow(TMainForm& main) override { return real.CreateRegistryWindow(main); }

    std::vector<std::string> opened;
    TKorvenaChildFactory real;
};

class RegistryWindows : public ::testing::Test {
protected:
    RegistryWindows() : registry(root() + "/registry.reg") {
        paths.ConfigName = "Демо";
        paths.CatalogDir = root() + "/catalog";
        paths.ServerDir = root() + "/server";
        paths.OrdersDir = paths.ServerDir + "/Orders";
        paths.SelectionDir = paths.ServerDir + "/Selection";
        paths.RecycledDir = paths.ServerDir + "/Recycled";
        paths.ArchiveDir = paths.ServerDir + "/Archive";
        paths.RegistryDir = paths.ServerDir + "/Registry";
        paths.ReportDir = root() + "/reports";
        for (const std::string& folder :
             {paths.CatalogDir, paths.OrdersDir, paths.SelectionDir, paths.RegistryDir, paths.ReportDir})
            std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::string(KVF_DEMO_CATALOG_DIR) + "/catalog.sqlite",
                                   paths.CatalogDir + "/catalog.sqlite");
        setup.MoveToRecycled = true;
        setup.CurCurrency = 1;
        setup.NDSTax = 20;
        EXPECT_TRUE(dm.OpenDatabases({paths.CatalogDir, paths.RegistryDir, paths.ReportDir}, prompter));
        EXPECT_TRUE(dm.OpenCatalogTables(prompter));
        context = std::make_unique<TAppContext>(TAppContext{prompter, registry, paths, setup, {}, root()});
        context->Dm = &dm;
        context->Children = &factory;
        main = std::make_unique<TMainForm>(*context);
        main->resize(1000, 700);
        main->show();
    }
    ~RegistryWindows() override {
        main.reset();
        dm.CloseDatabases();
    }

    std::string root() const { return dir.path().toStdString(); }

    std::string order(const std::string& name, const std::string& no, const std::string& customer = "Иванов",
                      int positions = 1) const {
        return WriteTestOrder(paths.OrdersDir + "/" + name, no, customer, positions);
    }

    // Answers the next file dialog with these names in its folder.
    static void chooseFiles(const std::vector<std::string>& names) {
        WhenModalShown([names](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(nullptr, dialog);
            QString selection;
            for (const std::string& name : names)
                selection += "\"" + QString::fromStdString(name) + "\" ";
            dialog->selectFile(selection.trimmed());
            static_cast<QDialog*>(dialog)->accept();
        });
    }

    // The messages shown since the last call, then forgotten.
    std::vector<ScriptedPrompter::Record> messages() {
        std::vector<ScriptedPrompter::Record> shown;
        shown.swap(prompter.records);
        return shown;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Registry registry;
    TkvfPaths paths;
    TkvfSetup setup;
    TDM dm;
    RecordingFactory factory;
    std::unique_ptr<TAppContext> context;
    std::unique_ptr<TMainForm> main;
};

} // namespace kvf::test
