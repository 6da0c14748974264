// kvf catalog: the catalog databases from the command line.
//   kvf catalog init DIR
//       creates the empty databases catalog.sqlite, registry.sqlite and
//       reports.sqlite in DIR (existing files are left as they are).
//   kvf catalog import PARADOX_DIR --out DIR [--codepage CP] [--database catalog|registry|report]
//       imports the folder's Paradox tables into DIR/catalog.sqlite (or the
//       registry or report database); one line per table: name and row count.
//   kvf catalog query TABLE [--catalog DIR] [--filter "EXPR"] [--index NAME]
//       the rows that pass, in the table object's order, one JSON object a line
//       with every field; the parameter-list slices are FalzList, DornList,
//       StulpList and OpenList.
//   kvf catalog price ID --currency N [--catalog DIR] [--rates "ID:RATE,..."]
//       the article's price in currency N with four decimals, converted with
//       the catalog's currency rates unless --rates gives the list.
// Without --catalog the default configuration's catalog folder is used.

#include "base/error.h"
#include "base/number_format.h"
#include "catalog/catalog_lookups.h"
#include "catalog/paradox_import.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"

#include <climits>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kvf::cli {

namespace fs = std::filesystem;

namespace {

std::string CatalogFolder(const Args& args) {
    if (std::optional<std::string> dir = args.Option("catalog"))
        return *dir;
    std::string folder = DefaultCatalogFolder();
    if (folder.empty())
        throw UsageError{
            "no catalog folder: give --catalog DIR or add a default configuration (kvf config add)"};
    return folder;
}

int CodePage(const Args& args) {
    std::optional<long long> cp = args.IntOption("codepage");
    if (cp && (*cp <= 0 || *cp > 65535))
        throw UsageError{"--codepage must be a code page number such as 1251 or 866"};
    return cp ? static_cast<int>(*cp) : 0;
}

int Init(const Args& args, std::ostream& out) {
    const std::string& dir = args.At(1, "DIR");
    fs::create_directories(dir);
    for (DatabaseKind kind : {DatabaseKind::Catalog, DatabaseKind::Registry, DatabaseKind::Report}) {
        Database db("init", kind);
        db.Open(dir);
        out << db.Path() << "\n";
    }
    return 0;
}

int Import(const Args& args, std::ostream& out, std::ostream& err) {
    const std::string& source = args.At(1, "PARADOX_DIR");
    std::optional<std::string> target = args.Option("out");
    if (!target)
        throw UsageError{"--out DIR is required"};
    std::string which = args.OptionOr("database", "catalog");
    DatabaseKind kind = DatabaseKind::Catalog;
    if (which == "registry")
        kind = DatabaseKind::Registry;
    else if (which == "report")
        kind = DatabaseKind::Report;
    else if (which != "catalog")
        throw UsageError{"--database must be catalog, registry or report"};
    if (fs::exists(fs::path(*target) / DatabaseFileName(kind)))
        throw KvfError("Файл [" + (fs::path(*target) / DatabaseFileName(kind)).string() + "] уже существует");
    ImportResult result = ImportParadoxFolder(source, *target, kind, CodePage(args));
    for (const auto& w : result.Warnings)
        err << w << "\n";
    for (const auto& t : result.Tables)
        out << t.Name << " " << t.Rows << "\n";
    return 0;
}

nlohmann::ordered_json JsonValue(const FieldDef& field, const Value& v) {
    if (IsBlank(v))
        return IsTextKind(field.Kind) ? nlohmann::ordered_json("") : nlohmann::ordered_json(nullptr);
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        return ValueAsString(field, v);
    case FieldKind::Blob: {
        static const char* hex = "0123456789abcdef";
        std::string bytes = ValueAsString(field, v), out;
        for (unsigned char c : bytes) {
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        return out;
    }
    case FieldKind::Int16:
    case FieldKind::Int32:
    case FieldKind::AutoInc:
    case FieldKind::Logical:
        return ValueAsInteger(field, v);
    default:
        return ValueAsFloat(field, v);
    }
}

int Query(const Args& args, std::ostream& out, std::ostream& err) {
    const std::string& name = args.At(1, "TABLE");
    std::string folder = CatalogFolder(args);
    TDM dm;
    CliPrompter prompter(err, false);
    // Any other table of the catalog database (one imported under its file name) is read as it is.
    std::unique_ptr<Table> other;
    Table* table = dm.FindTable(name);
    if (!table) {
        other = std::make_unique<Table>(name, dm.DB_Catalog, name);
        table = other.get();
    }
    if (!dm.OpenDatabase(table->GetDatabase(), folder, prompter, 0, false))
        return 1;
    if (!OpenDataSet(*table, prompter))
        return 1;
    if (auto index = args.Option("index"))
        table->SetIndexName(*index);
    std::optional<FilterScope> filter;
    if (auto text = args.Option("filter"))
        filter.emplace(*table, *text);
    for (table->First(); !table->Eof(); table->Next()) {
        nlohmann::ordered_json row = nlohmann::ordered_json::object();
        const auto& values = table->CurrentValues();
        for (size_t i = 0; i < table->Fields().size(); ++i)
            row[table->Fields()[i].Name] = JsonValue(table->Fields()[i], values[i]);
        out << row.dump() << "\n";
    }
    return 0;
}

// "1:2.5,4:4" -> the currency list.
TkvfCurrencyList ParseRates(const std::string& text) {
    TkvfCurrencyList list;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        std::string item = text.substr(start, end - start);
        size_t colon = item.find(':');
        const std::optional<long long> id =
            colon == std::string::npos ? std::nullopt : ParseInteger(std::string_view(item).substr(0, colon));
        const std::optional<double> rate = colon == std::string::npos
                                               ? std::nullopt
                                               : ParseDecimal(std::string_view(item).substr(colon + 1));
        if (!id || !rate || *id < INT32_MIN || *id > INT32_MAX)
            throw UsageError{"--rates takes ID:RATE pairs separated by commas, not \"" + item + "\""};
        list.push_back(std::make_unique<TkvfCurrencyItem>(static_cast<int>(*id), static_cast<float>(*rate)));
        start = end + 1;
    }
    return list;
}

int Price(const Args& args, std::ostream& out, std::ostream& err) {
    const std::string& id = args.At(1, "ID");
    std::optional<long long> currency = args.IntOption("currency");
    if (!currency)
        throw UsageError{"--currency N is required"};
    std::string folder = CatalogFolder(args);
    TDM dm;
    CliPrompter prompter(err, false);
    if (!dm.OpenDatabase(dm.DB_Catalog, folder, prompter, 0, false))
        return 1;
    if (!dm.OpenCatalogTables(prompter))
        return 1;
    CatalogLookups lookups(dm);
    TkvfCurrencyList rates;
    if (auto text = args.Option("rates"))
        rates = ParseRates(*text);
    else
        lookups.LoadCurrencyRates(&rates);
    out << lookups.GetArticlePrice({&rates, static_cast<int>(*currency)}, id, false).Format4() << "\n";
    return 0;
}

} // namespace

int RunCatalog(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (!words.empty() && words[0] == "diff")
        return RunCatalogDiff(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
    Args args(words, {});
    const std::string& sub = args.At(0, "init|import|query|price|check|diff");
    if (sub == "init")
        return Init(args, out);
    if (sub == "import")
        return Import(args, out, err);
    if (sub == "query")
        return Query(args, out, err);
    if (sub == "price")
        return Price(args, out, err);
    if (sub == "check")
        return RunCatalogCheck(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
    throw UsageError{"unknown catalog command " + sub};
}

} // namespace kvf::cli
