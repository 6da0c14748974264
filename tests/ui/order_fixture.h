#pragma once
// An order window inside a main window over a small installation: a catalog
// with two currencies and one article (Installation::FillCatalog), an empty
// registry database, the orders folder, and the program's child factory.

#include "base/scripted_prompter.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "model/order.h"
#include "ui/app_context.h"
#include "ui/child_factory.h"
#include "ui/main_form.h"
#include "ui/order_form.h"
#include "ui_fixture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

namespace kvf::test {

// Makes a folder read-only for the scope: its write permission goes, and for
// the superuser, who writes regardless, the folder is made immutable.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string folder) : folder_(std::move(folder)) {
        namespace fs = std::filesystem;
        fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::remove);
        if (::geteuid() != 0) {
            active_ = true;
            return;
        }
        immutable_ = QProcess::execute("chattr", {"+i", QString::fromStdString(folder_)}) == 0;
        active_ = immutable_;
    }
    ~ReadOnlyFolder() {
        if (immutable_) {
            QProcess::execute("chattr", {"-i", QString::fromStdString(folder_)});
        }
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Active() const { return active_; }

private:
    std::string folder_;
    bool immutable_ = false;
    bool active_ = false;
};

class OrderWindowFixture : public ::testing::Test {
protected:
    OrderWindowFixture() : registry(install.RegistryFile()) {
        install.FillCatalog();
        paths.ConfigName = "Демо";
        paths.CatalogDir = install.Catalog();
        paths.ServerDir = install.Server();
        paths.OrdersDir = install.Server() + "/Orders";
        paths.RegistryDir = install.Server() + "/Registry";
        paths.ReportDir = install.Reports();
        EXPECT_TRUE(dm.OpenDatabases({paths.CatalogDir, paths.RegistryDir, paths.ReportDir}, prompter));
        dm.OpenCatalogTables(prompter);
        setup.CurCurrency = 1;
        setup.NDSTax = 20;
        context = std::make_unique<TAppContext>(
            TAppContext{prompter, registry, paths, setup, {}, install.Exe(), &dm, nullptr, &factory});
        main = std::make_unique<TMainForm>(*context);
        main->resize(1000, 700);
        main->show();
    }
    ~OrderWindowFixture() override {
        // Windows still open close without saving.
        prompter.yesNoCancelAnswers.assign(8, YesNoCancelAnswer::No);
        main->close();
        main.reset();
        dm.CloseDatabases();
    }

    // A new order window without its properties request (created as the factory does).
    TOrderForm* newWindow(const std::string& number = "З-1") {
        auto* form = static_cast<TOrderForm*>(factory.CreateOrderWindow(*main, {}));
        main->AddChild(form);
        form->Order().OrderNo = number;
        form->SetUnsaved();
        form->RefreshAll();
        return form;
    }

    TOrderForm* openWindow(const std::string& file) {
        TChildWindow* child = factory.CreateOrderWindow(*main, file);
        if (child == nullptr) {
            return nullptr;
        }
        main->AddChild(child);
        return static_cast<TOrderForm*>(child);
    }

    // A rectangle of `width` x `height` millimetres labelled `no`.
    static void addPosition(TkvfOrder& order, const std::string& no, const std::string& name, int width = 700,
                            int height = 1400) {
        TkvfConstruction& position = order.AddPosition();
        position.No = no;
        position.Name = name;
        position.Number = 1;
        TkvfShapeSizes sizes;
        sizes.B = width;
        sizes.H = height;
        position.SetShape(sizes, 0);
    }

    // What the fittings step does for the tests: `count` of the catalog's article A1 on the left sash,
    // priced.
    void giveArticle(TkvfConstruction& position, int count, const std::string& article = "A1") {
        CatalogLookups lookups(dm, {&position.Order->Currencies, position.Order->CurrencyID});
        position.LeftFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&position.LeftFlugel);
        position.LeftFlugel.FurnComp->AddItem(lookups, article, "", 0, count, "", 0, false, "");
        position.RecalcCost(lookups);
    }

    std::vector<std::string> messages(MessageKind kind) const {
        std::vector<std::string> texts;
        for (const auto& record : prompter.records) {
            if (record.kind == kind) {
                texts.push_back(record.text);
            }
        }
        return texts;
    }

    Installation install;
    ScriptedPrompter prompter;
    Registry registry;
    TkvfPaths paths;
    TkvfSetup setup;
    TDM dm;
    TKorvenaChildFactory factory;
    std::unique_ptr<TAppContext> context;
    std::unique_ptr<TMainForm> main;
};

} // namespace kvf::test
