// The remembered values of the export dialogs: first use, the next number,
// the XML export's firm from the settings, and registry failures.

#include "base/atomic_file.h"
#include "base/ole_date.h"
#include "base/scripted_prompter.h"
#include "config/registry.h"
#include "config/setup.h"
#include "exports/export_values.h"
#include "exports/supplier_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace kvf {
namespace {

namespace fs = std::filesystem;

class ExportValuesTest : public ::testing::Test {
protected:
    ExportValuesTest() {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setup_.Name = "ООО Окна";
        setup_.INN = "7701234567";
    }
    ~ExportValuesTest() override { fs::remove_all(dir_); }

    TExportValues Load(const SupplierFormat& format) {
        return LoadExportValues(format, registry_, setup_, "З-15", "/srv/Export", prompter_);
    }

    fs::path dir_ = fs::temp_directory_path() / ("kvf_export_values_" + std::to_string(getpid()));
    Registry registry_{(dir_ / "registry.reg").string()};
    TkvfSetup setup_;
    ScriptedPrompter prompter_;
};

using ExportTbmValues = ExportValuesTest;
using ExportXmlValues = ExportValuesTest;

TEST_F(ExportTbmValues, FirstUseTakesTheDefaults) {
    struct Case {
        const char* name;
        const SupplierFormat* format;
        const char* firmID;
        const char* fileName;
    };
    const Case cases[] = {
        {"tbm", &TbmFormat, "0000", "/srv/Export/Z00000001.txt"},
        {"vorne", &VorneFormat, "0000", "/srv/Export/Z00000001.txt"},
        {"xml: the firm's taxpayer number", &XmlFormat, "7701234567", "/srv/Export/Z77012345670001.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TExportValues v = Load(*c.format);
        EXPECT_EQ(c.firmID, v.FirmID);
        EXPECT_EQ("ООО Окна", v.FirmName);
        EXPECT_EQ(1, v.OrderNo);
        EXPECT_EQ("З-15", v.OrderName);
        EXPECT_EQ(std::floor(NowOle()), v.OrderDate);
        EXPECT_EQ(c.fileName, v.FileName);
        EXPECT_TRUE(registry_.KeyExists(c.format->RegistryKey)) << "the key is created on loading";
    }
    EXPECT_TRUE(prompter_.records.empty());
}

TEST_F(ExportTbmValues, SavedValuesComeBackWithTheNextNumber) {
    TExportValues v = Load(TbmFormat);
    v.FirmID = "0123";
    v.FirmName = "Фирма";
    v.OrderNo = 7;
    v.OrderDate = EncodeDate(2026, 3, 1);
    v.FileName = "/elsewhere/x.txt";
    SaveExportValues(TbmFormat, v, registry_, prompter_);

    const TExportValues next = Load(TbmFormat);
    EXPECT_EQ("0123", next.FirmID);
    EXPECT_EQ("Фирма", next.FirmName);
    EXPECT_EQ(8, next.OrderNo);
    EXPECT_EQ(EncodeDate(2026, 3, 1), next.OrderDate);
    EXPECT_EQ("/srv/Export/Z01230008.txt", next.FileName) << "the file name is rebuilt, not remembered";
    registry_.OpenKey(TbmFormat.RegistryKey, false);
    EXPECT_EQ("/elsewhere/x.txt", registry_.ReadString("FileName"));
    // Each format keeps its own values.
    EXPECT_EQ(1, Load(VorneFormat).OrderNo);
}

TEST_F(ExportXmlValues, EmptyRememberedFirmFallsBackToTheSettings) {
    for (const SupplierFormat* format : {&TbmFormat, &XmlFormat}) {
        registry_.OpenKey(format->RegistryKey, true);
        registry_.WriteString("FirmID", "");
        registry_.WriteString("FirmName", "");
    }
    const TExportValues xml = Load(XmlFormat);
    EXPECT_EQ("7701234567", xml.FirmID);
    EXPECT_EQ("ООО Окна", xml.FirmName);
    // The text exports keep a remembered empty value as it is.
    const TExportValues tbm = Load(TbmFormat);
    EXPECT_EQ("", tbm.FirmID);
    EXPECT_EQ("", tbm.FirmName);
}

TEST_F(ExportTbmValues, RegistryFailuresAreShownAndTheExportGoesOn) {
    WriteFileAtomic(registry_.FileName(), "this is no registry file");
    const TExportValues v = Load(TbmFormat);
    ASSERT_EQ(1u, prompter_.records.size());
    EXPECT_EQ(MessageKind::Error, prompter_.records[0].kind);
    EXPECT_EQ(0u, prompter_.records[0].text.find("Ошибка загрузки параметров из системного реестра!\r\n("));
    EXPECT_EQ("0000", v.FirmID);
    EXPECT_EQ(1, v.OrderNo);

    SaveExportValues(TbmFormat, v, registry_, prompter_);
    ASSERT_EQ(2u, prompter_.records.size());
    EXPECT_EQ(0u, prompter_.records[1].text.find("Ошибка записи параметров в системный реестр!\r\n("));
    EXPECT_EQ("this is no registry file", ReadFileBytes(registry_.FileName()));
}

TEST_F(ExportTbmValues, FileNamePadsTheNumberToFourDigits) {
    EXPECT_EQ("/e/Z01230007.txt", ExportFileName(TbmFormat, "/e", "0123", 7));
    EXPECT_EQ("/e/ZAB9999.xml", ExportFileName(XmlFormat, "/e", "AB", 9999));
    EXPECT_EQ("Z000012345.txt", ExportFileName(VorneFormat, "", "0000", 12345)) << "no export folder";
}

} // namespace
} // namespace kvf
