// kvf export tbm|vorne|xml FILE [--out PATH] [--firm-id X] [--firm-name X] [--order-no N]
//     [--order-name X] [--order-list X] [--comment X] [--date DD.MM.YYYY] [--upload] [--yes]
//     [--config NAME]
// Exports an order or a selection file as the export dialogs do on OK: the
// values the options leave out are loaded as the dialog loads them, all of
// them are remembered as the dialog remembers them, the file is written (the
// overwrite question is answered OK only with --yes) and, for XML with
// --upload, sent to the FTP server of the settings. The file name goes to
// stdout; the exit status is 0 when the file was written (and sent).

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/ole_date.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "exports/export_source.h"
#include "exports/export_values.h"
#include "exports/supplier_export.h"
#include "exports/supplier_format.h"
#include "model/order.h"
#include "model/order_selection.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <random>

namespace kvf::cli {

namespace fs = std::filesystem;

namespace {

// The configuration list offers the default configuration first.
class ExportPrompter : public CliPrompter {
public:
    ExportPrompter(std::ostream& err, bool yes) : CliPrompter(err, yes) {}
    int ChooseRow(const ChoiceList& list) override { return list.Rows.empty() ? -1 : list.Initial; }
};

const SupplierFormat& formatNamed(const std::string& name) {
    if (name == "tbm")
        return TbmFormat;
    if (name == "vorne")
        return VorneFormat;
    if (name == "xml")
        return XmlFormat;
    throw UsageError{"the format is tbm, vorne or xml, not \"" + name + "\""};
}

std::string programFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path().string() : exe.parent_path().string();
}

// The run's temporary folder goes when the command ends, whichever way.
struct TempFolderGuard {
    const TkvfPaths& paths;
    ~TempFolderGuard() {
        std::error_code error;
        if (!paths.TempDir.empty())
            fs::remove_all(paths.TempDir, error);
    }
};

bool isSelectionFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::string head(64, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return head.find(kSelectionFileHeader) != std::string::npos;
}

// Applies the options to the loaded values; a firm code or number given
// without --out rebuilds the file name as the dialog does.
void applyOptions(const Args& args, const SupplierFormat& format, const std::string& exportDir,
                  TExportValues& values) {
    const bool xml = &format == &XmlFormat;
    const std::vector<const char*> foreign =
        xml ? std::vector<const char*>{"order-name"} : std::vector<const char*>{"order-list", "comment"};
    for (const char* name : foreign) {
        if (args.Option(name))
            throw UsageError{std::string("--") + name + " is not an option of this format"};
    }
    if (!xml && args.Switch("upload"))
        throw UsageError{"--upload is for the xml format"};
    if (auto v = args.Option("firm-id"))
        values.FirmID = *v;
    if (auto v = args.Option("firm-name"))
        values.FirmName = *v;
    if (auto v = args.IntOption("order-no")) {
        if (*v < 0 || *v > 9999)
            throw UsageError{"--order-no takes 0 to 9999"};
        values.OrderNo = static_cast<int>(*v);
    }
    if (auto v = args.Option(xml ? "order-list" : "order-name"))
        values.OrderName = *v;
    if (auto v = args.Option("comment"))
        values.Comment = *v;
    if (auto v = args.Option("date")) {
        const std::optional<double> date = ParseDate(*v);
        if (!date)
            throw UsageError{"--date takes DD.MM.YYYY, not \"" + *v + "\""};
        values.OrderDate = *date;
    }
    values.FileName =
        args.Option("out").value_or(ExportFileName(format, exportDir, values.FirmID, values.OrderNo));
    values.Upload = args.Switch("upload");
}

} // namespace

int RunExport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"upload", "yes"});
    const SupplierFormat& format = formatNamed(args.At(0, "format (tbm, vorne or xml)"));
    const std::string file = args.At(1, "FILE");
    if (args.Positional().size() > 2)
        throw UsageError{"one FILE at a time"};
    ExportPrompter prompter(err, args.Switch("yes"));

    Registry registry(Registry::DefaultFileName());
    TkvfPaths paths;
    TempFolderGuard guard{paths};
    std::mt19937 random(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device()()));
    const std::optional<std::string> config = args.Option("config");
    if (!(config ? paths.OpenConfiguration(*config, registry, prompter, programFolder(), random)
                 : paths.ChooseConfiguration(registry, prompter, programFolder(), random)))
        return 1;
    TkvfSetup setup(paths, registry, prompter);
    if (!setup.Loaded) {
        prompter.Warning(
            "Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!");
        return 1;
    }

    TkvfOrder order;
    TkvfOrderSelection selection;
    TExportSource source;
    bool converted = false;
    if (isSelectionFile(file)) {
        if (!selection.LoadFromFile(file, converted, prompter))
            return 1;
        source.Selection = &selection;
    } else {
        if (!order.LoadFromFile(file, converted, prompter))
            return 1;
        source.Order = &order;
    }
    source.CheckExportable();

    TDM dm;
    if (!OpenCatalogFolder(paths.CatalogDir, dm, prompter, err))
        return 1;
    CatalogLookups catalog(dm);

    TExportValues values =
        LoadExportValues(format, registry, setup, source.Number(), paths.ExportDir, prompter);
    applyOptions(args, format, paths.ExportDir, values);
    SaveExportValues(format, values, registry, prompter);

    ExportWriteContext context{prompter, catalog, paths.OrdersDir};
    const ExportWriteResult written = WriteExportFile(format, values, source, context);
    bool sent = true;
    if (values.Upload)
        sent = UploadExportFile(values.FileName, SetupFtpAccount(setup), prompter);
    if (written != ExportWriteResult::Written)
        return 1;
    out << values.FileName << "\n";
    return sent ? 0 : 1;
}

} // namespace kvf::cli
