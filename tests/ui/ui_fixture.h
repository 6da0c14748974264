#pragma once
// A throw-away installation for the window tests: its own registry file, a
// configuration "Демо" with catalog, server, report and temporary folders,
// the settings file, and a catalog database with a few rows.

#include "../qt/modal_helper.h"
#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace kvf::test {

class Installation {
public:
    Installation() {
        root_ = dir_.path().toStdString();
        registryFile_ = root_ + "/registry.reg";
        qputenv("KORVENA_REGISTRY", QByteArray::fromStdString(registryFile_));
        for (const char* folder : {"catalog", "server", "server/Registry", "reports", "temp", "exe"}) {
            QDir().mkpath(QString::fromStdString(root_ + "/" + folder));
        }
    }

    const std::string& Root() const { return root_; }
    std::string Catalog() const { return root_ + "/catalog"; }
    std::string Server() const { return root_ + "/server"; }
    std::string Reports() const { return root_ + "/reports"; }
    std::string Exe() const { return root_ + "/exe"; }
    std::string RegistryFile() const { return registryFile_; }

    // Registers the configuration "Демо" (and makes it the default one when asked).
    void AddConfiguration(const std::string& name = "Демо", bool isDefault = true) {
        Registry registry(registryFile_);
        registry.OpenKey(ConfigurationsKey + "\\" + name, true);
        registry.WriteString("KVFCatalogDir", Catalog());
        registry.WriteString("KVFServerName", Server());
        registry.WriteString("KVFReportDir", Reports());
        registry.WriteString("KVFTempDir", root_ + "/temp");
        if (isDefault) {
            registry.OpenKey(ConfigurationsKey, true);
            registry.WriteString("DefaultConfig", name);
        }
    }

    void WriteIni(const std::string& text = "[Firm]\r\nName=Demo\r\n") {
        QFile file(QString::fromStdString(Catalog() + "/KVFurniture.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    // The catalog database with two currencies and two price groups.
    void FillCatalog() {
        ScriptedPrompter quiet;
        TDM dm;
        ASSERT_TRUE(dm.OpenDatabases({Catalog(), Server() + "/Registry", Reports()}, quiet));
        ASSERT_TRUE(OpenDataSet(dm.T_Currency, quiet));
        ASSERT_TRUE(OpenDataSet(dm.T_PriceGrp, quiet));
        ASSERT_TRUE(OpenDataSet(dm.T_Catalog, quiet));
        auto add = [](Table& table, std::vector<std::pair<const char*, Value>> values) {
            table.Append();
            for (auto& [field, value] : values) {
                table.SetValue(field, value);
            }
            table.Post();
        };
        add(dm.T_Currency, {{"ID", int64_t{1}}, {"Name", std::string("руб")}, {"Value", 1.0}});
        add(dm.T_Currency, {{"ID", int64_t{2}}, {"Name", std::string("EUR")}, {"Value", 95.5}});
        add(dm.T_PriceGrp, {{"GroupID", int64_t{1}}, {"Name", std::string("Розница")}, {"Reduce_1", 10.0}});
        add(dm.T_PriceGrp, {{"GroupID", int64_t{2}}, {"Name", std::string("Опт")}, {"Reduce_1", -5.0}});
        add(dm.T_Catalog, {{"ID", std::string("A1")},
                           {"Article", std::string("ПЕТЛЯ-1")},
                           {"Name", std::string("Петля верхняя")},
                           {"Currency", int64_t{2}},
                           {"PriceGrp", int64_t{1}},
                           {"Price", 12.5}});
        dm.CloseDatabases();
    }

    Registry OpenRegistry() const { return Registry(registryFile_); }

private:
    QTemporaryDir dir_;
    std::string root_;
    std::string registryFile_;
};

} // namespace kvf::test
