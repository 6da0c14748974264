#pragma once
// The steps of a supplier export after its dialog (or the command line) has
// the values: write the file, upload it. Both the windows and `kvf export`
// run these, so they behave alike.

#include "exports/ftp_upload.h"

#include <string>

namespace kvf {

class CatalogLookups;
class Prompter;
class TkvfSetup;
struct SupplierFormat;
struct TExportSource;
struct TExportValues;

struct ExportWriteContext {
    Prompter& prompter;
    CatalogLookups& catalog;
    // Where the selection's order files are.
    std::string OrdersDir;
};

enum class ExportWriteResult { Written, Declined, Failed };

// Writes values.FileName: its folder is created when missing; an existing
// file asks "Файл [%s] уже существует!\r\nПереписать?" (Cancel: Declined,
// nothing written); the material list is built and the file image replaces
// the file in one step, so a failure leaves no partial file and an existing
// file untouched. A failure shows "Ошибка записи данных в файл экспорта %s
// %s!\r\n%s" (export name, file name, reason) and gives Failed.
ExportWriteResult WriteExportFile(const SupplierFormat& format, const TExportValues& values,
                                  const TExportSource& source, ExportWriteContext& context);

// The settings' FTP account.
FtpAccount SetupFtpAccount(const TkvfSetup& setup);

// Uploads the file under the busy cursor and shows "Заявка сохранена на
// сервер FTP." or "Неудачная попытка отправки файла на сервер. " with the
// reason. The local file is kept either way. True after success.
bool UploadExportFile(const std::string& fileName, const FtpAccount& account, Prompter& prompter,
                      const FtpProgress& progress = {});

} // namespace kvf
