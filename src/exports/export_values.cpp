#include "exports/export_values.h"

#include "base/ole_date.h"
#include "base/prompter.h"
#include "config/registry.h"
#include "config/setup.h"
#include "exports/supplier_format.h"

#include <cmath>
#include <cstdio>

namespace kvf {

TExportValues LoadExportValues(const SupplierFormat& format, Registry& registry, const TkvfSetup& setup,
                               const std::string& number, const std::string& exportDir, Prompter& prompter) {
    TExportValues values;
    values.FirmID = format.FirmFromSettings ? setup.INN : "0000";
    values.FirmName = setup.Name;
    values.OrderName = number;
    values.OrderDate = std::floor(NowOle());
    try {
        registry.OpenKey(format.RegistryKey, true);
        auto remembered = [&](const char* name, std::string& value) {
            if (!registry.ValueExists(name))
                return;
            std::string text = registry.ReadString(name);
            if (!text.empty() || !format.FirmFromSettings)
                value = text;
        };
        remembered("FirmID", values.FirmID);
        remembered("FirmName", values.FirmName);
        if (registry.ValueExists("OrderNo"))
            values.OrderNo = registry.ReadInteger("OrderNo") + 1;
        if (registry.ValueExists("OrderDate"))
            values.OrderDate = registry.ReadDate("OrderDate");
    } catch (const std::exception& e) {
        prompter.Error(std::string("Ошибка загрузки параметров из системного реестра!\r\n(") + e.what() +
                       ")");
    }
    values.FileName = ExportFileName(format, exportDir, values.FirmID, values.OrderNo);
    return values;
}

void SaveExportValues(const SupplierFormat& format, const TExportValues& values, Registry& registry,
                      Prompter& prompter) {
    try {
        registry.OpenKey(format.RegistryKey, true);
        registry.WriteString("FirmID", values.FirmID);
        registry.WriteString("FirmName", values.FirmName);
        registry.WriteInteger("OrderNo", values.OrderNo);
        registry.WriteDate("OrderDate", values.OrderDate);
        registry.WriteString("FileName", values.FileName);
    } catch (const std::exception& e) {
        prompter.Error(std::string("Ошибка записи параметров в системный реестр!\r\n(") + e.what() + ")");
    }
}

std::string ExportFileName(const SupplierFormat& format, const std::string& exportDir,
                           const std::string& firmID, int orderNo) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.4d", orderNo);
    std::string name = "Z" + firmID + digits + format.Extension;
    return exportDir.empty() ? name : exportDir + "/" + name;
}

} // namespace kvf
