#include "exports/supplier_export.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/prompter.h"
#include "config/setup.h"
#include "exports/export_source.h"
#include "exports/export_values.h"
#include "exports/supplier_format.h"

#include <filesystem>

namespace kvf {

namespace fs = std::filesystem;

ExportWriteResult WriteExportFile(const SupplierFormat& format, const TExportValues& values,
                                  const TExportSource& source, ExportWriteContext& context) {
    const std::string& fileName = values.FileName;
    try {
        if (fileName.empty())
            throw KvfError("Не задано имя файла экспорта");
        const fs::path folder = fs::path(fileName).parent_path();
        if (!folder.empty())
            fs::create_directories(folder);
        if (fs::is_directory(fileName))
            throw KvfError("Это имя папки, а не файла");
        if (fs::exists(fileName) &&
            !context.prompter.Confirm("Файл [" + fileName + "] уже существует!\r\nПереписать?"))
            return ExportWriteResult::Declined;
        TkvfMatList list = source.BuildMatList(context.catalog, context.OrdersDir, context.prompter);
        WriteFileAtomic(fileName, format.FileImage(values, list, context.catalog));
        return ExportWriteResult::Written;
    } catch (const std::exception& e) {
        context.prompter.Error(std::string("Ошибка записи данных в файл экспорта ") + format.ExportName +
                               " " + fileName + "!\r\n" + e.what());
        return ExportWriteResult::Failed;
    }
}

FtpAccount SetupFtpAccount(const TkvfSetup& setup) {
    return {setup.ftpHost, setup.ftpPort, setup.ftpUserName, setup.ftpPassword, setup.ftpDir};
}

bool UploadExportFile(const std::string& fileName, const FtpAccount& account, Prompter& prompter,
                      const FtpProgress& progress) {
    std::string reason;
    {
        BusyCursor busy(prompter);
        try {
            FtpUploadFile(account, fileName, progress);
        } catch (const std::exception& e) {
            reason = e.what();
        }
    }
    if (!reason.empty()) {
        prompter.Information("Неудачная попытка отправки файла на сервер. " + reason);
        return false;
    }
    prompter.Information("Заявка сохранена на сервер FTP.");
    return true;
}

} // namespace kvf
