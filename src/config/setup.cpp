#include "config/setup.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/hidden_folder.h"
#include "base/number_format.h"
#include "base/prompter.h"
#include "base/text.h"
#include "config/hex_text.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/registry.h"

#include <cstdint>
#include <filesystem>

namespace kvf {

namespace fs = std::filesystem;

namespace {

const int priceGroupCount = 10;
const char* const registrySection = "Registry";

template <int N> SettingRef priceGroupName(TkvfSetup& s) {
    return &s.PriceGroupNames[N - 1];
}

#define KVF_REF(member) [](TkvfSetup& s) -> SettingRef { return &s.member; }

} // namespace

const std::vector<SettingInfo>& SettingsTable() {
    static const std::vector<SettingInfo> table = {
        {"Firm", "Name", SettingType::Text, "", true, KVF_REF(Name)},
        {"Firm", "Logo", SettingType::Text, "", true, KVF_REF(Logo)},
        {"Firm", "Address", SettingType::Text, "", true, KVF_REF(Address)},
        {"Firm", "JustAddress", SettingType::Text, "", true, KVF_REF(JustAddress)},
        {"Firm", "ZipCode", SettingType::Text, "", true, KVF_REF(ZipCode)},
        {"Firm", "Phone1", SettingType::Text, "", true, KVF_REF(Phone1)},
        {"Firm", "Phone2", SettingType::Text, "", true, KVF_REF(Phone2)},
        {"Firm", "Phone3", SettingType::Text, "", true, KVF_REF(Phone3)},
        {"Firm", "Fax", SettingType::Text, "", true, KVF_REF(Fax)},
        {"Firm", "EMail", SettingType::Text, "", true, KVF_REF(EMail)},
        {"Firm", "Internet", SettingType::Text, "", true, KVF_REF(Internet)},
        {"Firm", "INN", SettingType::Text, "", true, KVF_REF(INN)},
        {"Firm", "Account", SettingType::Text, "", true, KVF_REF(Account)},
        {"Firm", "Director", SettingType::Text, "", true, KVF_REF(Director)},
        {"Firm", "BookKeeper", SettingType::Text, "", true, KVF_REF(BookKeeper)},
        {"Money", "CurCurrency", SettingType::Integer, "0", true, KVF_REF(CurCurrency)},
        {"Tax", "NDSTax", SettingType::Decimal, "18", true, KVF_REF(NDSTax)},
        {"Tax", "TotalNDS", SettingType::Boolean, "1", false, KVF_REF(TotalNDS)},
        {"Tax", "ShowIncludingNDS", SettingType::Boolean, "1", false, KVF_REF(ShowIncludingNDS)},
        {"Tax", "PriceGrpNo", SettingType::Integer, "0", false, KVF_REF(PriceGrpNo)},
        {"PriceGroupNames", "1", SettingType::Text, "?????? #1", false, priceGroupName<1>},
        {"PriceGroupNames", "2", SettingType::Text, "?????? #2", false, priceGroupName<2>},
        {"PriceGroupNames", "3", SettingType::Text, "?????? #3", false, priceGroupName<3>},
        {"PriceGroupNames", "4", SettingType::Text, "?????? #4", false, priceGroupName<4>},
        {"PriceGroupNames", "5", SettingType::Text, "?????? #5", false, priceGroupName<5>},
        {"PriceGroupNames", "6", SettingType::Text, "?????? #6", false, priceGroupName<6>},
        {"PriceGroupNames", "7", SettingType::Text, "?????? #7", false, priceGroupName<7>},
        {"PriceGroupNames", "8", SettingType::Text, "?????? #8", false, priceGroupName<8>},
        {"PriceGroupNames", "9", SettingType::Text, "?????? #9", false, priceGroupName<9>},
        {"PriceGroupNames", "10", SettingType::Text, "?????? #10", false, priceGroupName<10>},
        {"Defaults", "DefProfSys", SettingType::Text, "", true, KVF_REF(DefProfSys)},
        {"Defaults", "DefFurnSys", SettingType::Text, "", true, KVF_REF(DefFurnSys)},
        {"Defaults", "DefFurnSysGroup", SettingType::Integer, "0", false, KVF_REF(DefFurnSysGroup)},
        {"Defaults", "DefInnerProfColor", SettingType::Text, "", true, KVF_REF(DefInnerProfColor)},
        {"Defaults", "DefOuterProfColor", SettingType::Text, "", true, KVF_REF(DefOuterProfColor)},
        {"Defaults", "DefFurnColor", SettingType::Text, "", true, KVF_REF(DefFurnColor)},
        {"Defaults", "DefHandle", SettingType::Text, "", true, KVF_REF(DefHandle)},
        {"Defaults", "DefMaterial", SettingType::Integer, "1", true, KVF_REF(DefMaterial)},
        {"Defaults", "DefFalzType", SettingType::Integer, "0", true, KVF_REF(DefFalzType)},
        {"Defaults", "DefDornType", SettingType::Integer, "0", true, KVF_REF(DefDornType)},
        {"Defaults", "DefStulpFalzType", SettingType::Integer, "0", true, KVF_REF(DefStulpFalzType)},
        {"Defaults", "DefFlugelType", SettingType::Integer, "0", true, KVF_REF(DefFlugelType)},
        {"Defaults", "DefProfWidth", SettingType::Decimal, "0", true, KVF_REF(DefProfWidth)},
        {"Defaults", "DefProfThickness", SettingType::Decimal, "0", true, KVF_REF(DefProfThickness)},
        {"Defaults", "UserDefineHeight", SettingType::Boolean, "1", false, KVF_REF(UserDefineHeight)},
        {"Report", "Logo", SettingType::Text, "", false, KVF_REF(ReportLogo)},
        {"FTP", "ftpHost", SettingType::Text, "", true, KVF_REF(ftpHost)},
        {"FTP", "ftpPort", SettingType::Integer, "21", true, KVF_REF(ftpPort)},
        {"FTP", "ftpUserName", SettingType::HexText, "", true, KVF_REF(ftpUserName)},
        {"FTP", "ftpPassword", SettingType::HexText, "", true, KVF_REF(ftpPassword)},
        {"FTP", "ftpDir", SettingType::Text, "", true, KVF_REF(ftpDir)},
        {"FTP", "ftpUpload", SettingType::Boolean, "0", true, KVF_REF(ftpUpload)},
        {registrySection, "TechnologMainWinState", SettingType::Integer, "0", true,
         KVF_REF(TechnologMainWinState)},
        {registrySection, "TechnologOrderWinState", SettingType::Integer, "0", true,
         KVF_REF(TechnologOrderWinState)},
        {registrySection, "TechnologDesignWinState", SettingType::Integer, "0", true,
         KVF_REF(TechnologDesignWinState)},
        {registrySection, "TechnologDesignFormW", SettingType::Integer, "640", true,
         KVF_REF(TechnologDesignFormW)},
        {registrySection, "TechnologDesignFormH", SettingType::Integer, "480", true,
         KVF_REF(TechnologDesignFormH)},
        {registrySection, "AlertIfNotFull", SettingType::Boolean, "1", true, KVF_REF(AlertIfNotFull)},
        {registrySection, "AutoReg", SettingType::Boolean, "1", true, KVF_REF(AutoReg)},
        {registrySection, "AutoOpenReg", SettingType::Boolean, "1", true, KVF_REF(AutoOpenReg)},
        {registrySection, "MoveToRecycled", SettingType::Boolean, "1", true, KVF_REF(MoveToRecycled)},
        {registrySection, "AutoLoadCurrency", SettingType::Boolean, "1", true, KVF_REF(AutoLoadCurrency)},
    };
    return table;
}

#undef KVF_REF

namespace {

bool isRegistry(const SettingInfo& info) {
    return std::string_view(info.Section) == registrySection;
}

// The VAT rate is read as text: blanks removed, empty is 0.
double readNdsTax(const IniFile& ini, Prompter& prompter) {
    const std::string text = ini.ReadString("Tax", "NDSTax", "18");
    std::string digits;
    for (char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    if (digits.empty()) {
        return 0;
    }
    if (std::optional<double> value = ParseIniFloat(digits)) {
        return *value;
    }
    prompter.Error("Неверное значение ставки НДС в файле настроек: [" + text + "]");
    return 18;
}

// Creates the folder with its parents; true when it was made here.
bool makeFolder(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && fs::create_directories(folder, error);
}

} // namespace

const SettingInfo* FindSetting(const std::string& section, const std::string& key) {
    for (const SettingInfo& info : SettingsTable()) {
        if (SameText(info.Section, section) && SameText(info.Key, key)) {
            return &info;
        }
    }
    return nullptr;
}

const std::vector<const SettingInfo*>& SettingsStoreOrder() {
    static const std::vector<const SettingInfo*> order = [] {
        const char* const keys[][2] = {
            {"Defaults", "DefProfSys"},
            {"Defaults", "DefInnerProfColor"},
            {"Defaults", "DefOuterProfColor"},
            {"Defaults", "DefFurnSys"},
            {"Defaults", "DefFurnColor"},
            {"Defaults", "DefHandle"},
            {"Defaults", "DefMaterial"},
            {"Defaults", "DefFalzType"},
            {"Defaults", "DefStulpFalzType"},
            {"Defaults", "DefFlugelType"},
            {"Defaults", "DefDornType"},
            {"Defaults", "DefProfWidth"},
            {"Defaults", "DefProfThickness"},
            {"Money", "CurCurrency"},
            {"Tax", "NDSTax"},
            {"Firm", "Name"},
            {"Firm", "Logo"},
            {"Firm", "Address"},
            {"Firm", "JustAddress"},
            {"Firm", "ZipCode"},
            {"Firm", "Phone1"},
            {"Firm", "Phone2"},
            {"Firm", "Phone3"},
            {"Firm", "Fax"},
            {"Firm", "EMail"},
            {"Firm", "Internet"},
            {"Firm", "INN"},
            {"Firm", "Account"},
            {"Firm", "Director"},
            {"Firm", "BookKeeper"},
            {"FTP", "ftpHost"},
            {"FTP", "ftpPort"},
            {"FTP", "ftpUserName"},
            {"FTP", "ftpPassword"},
            {"FTP", "ftpDir"},
            {"FTP", "ftpUpload"},
        };
        std::vector<const SettingInfo*> list;
        for (const auto& key : keys) {
            list.push_back(FindSetting(key[0], key[1]));
        }
        return list;
    }();
    return order;
}

void AssignSetting(TkvfSetup& setup, const SettingInfo& info, const std::string& text) {
    const SettingRef ref = info.Ref(setup);
    const std::string wanted = std::string(info.Section) + "/" + info.Key;
    switch (info.Type) {
    case SettingType::Text:
    case SettingType::HexText:
        *std::get<std::string*>(ref) = text;
        return;
    case SettingType::Integer: {
        const long long value = StrToIntDef(text, INT64_MIN);
        if (value < INT32_MIN || value > INT32_MAX) {
            throw KvfError(wanted + " wants a whole number, not \"" + text + "\"");
        }
        *std::get<int*>(ref) = static_cast<int>(value);
        return;
    }
    case SettingType::Boolean:
        if (SameText(text, "true") || text == "1") {
            *std::get<bool*>(ref) = true;
        } else if (SameText(text, "false") || text == "0") {
            *std::get<bool*>(ref) = false;
        } else {
            throw KvfError(wanted + " wants true or false, not \"" + text + "\"");
        }
        return;
    case SettingType::Decimal:
        if (std::optional<double> value = ParseIniFloat(text)) {
            *std::get<double*>(ref) = *value;
            return;
        }
        throw KvfError(wanted + " wants a number, not \"" + text + "\"");
    }
}

TkvfSetup::TkvfSetup() : PriceGroupNames(priceGroupCount) {}

TkvfSetup::TkvfSetup(const TkvfPaths& paths, Registry& registry, Prompter& prompter) : TkvfSetup() {
    load(paths, registry, prompter);
}

void TkvfSetup::load(const TkvfPaths& paths, Registry& registry, Prompter& prompter) {
    std::error_code error;
    if (paths.SettingsFile.empty() || !fs::exists(paths.SettingsFile, error)) {
        return;
    }
    Loaded = true;
    settingsFile_ = paths.SettingsFile;
    {
        BusyCursor busy(prompter);
        const IniFile ini(paths.SettingsFile);
        for (const SettingInfo& info : SettingsTable()) {
            if (isRegistry(info)) {
                continue;
            }
            const SettingRef ref = info.Ref(*this);
            switch (info.Type) {
            case SettingType::Text:
                *std::get<std::string*>(ref) = ini.ReadString(info.Section, info.Key, info.Default);
                break;
            case SettingType::HexText:
                *std::get<std::string*>(ref) =
                    DecodeHexText(ini.ReadString(info.Section, info.Key, info.Default));
                break;
            case SettingType::Integer:
                *std::get<int*>(ref) =
                    ini.ReadInteger(info.Section, info.Key, static_cast<int>(StrToIntDef(info.Default, 0)));
                break;
            case SettingType::Boolean:
                *std::get<bool*>(ref) =
                    ini.ReadBool(info.Section, info.Key, std::string_view(info.Default) == "1");
                break;
            case SettingType::Decimal:
                *std::get<double*>(ref) =
                    std::string_view(info.Key) == "NDSTax"
                        ? readNdsTax(ini, prompter)
                        : ini.ReadFloat(info.Section, info.Key, *ParseIniFloat(info.Default));
                break;
            }
        }
    }
    {
        BusyCursor busy(prompter);
        try {
            registry.OpenKey(SettingsKey, true);
            // A value of the wrong type takes its default alone; the others keep theirs.
            std::string firstFailure;
            for (const SettingInfo& info : SettingsTable()) {
                if (!isRegistry(info)) {
                    continue;
                }
                const SettingRef ref = info.Ref(*this);
                const int defaultInteger = static_cast<int>(StrToIntDef(info.Default, 0));
                const bool defaultBool = std::string_view(info.Default) == "1";
                try {
                    const bool present = registry.ValueExists(info.Key);
                    if (info.Type == SettingType::Integer) {
                        *std::get<int*>(ref) = present ? registry.ReadInteger(info.Key) : defaultInteger;
                    } else {
                        *std::get<bool*>(ref) = present ? registry.ReadBool(info.Key) : defaultBool;
                    }
                } catch (const KvfError& e) {
                    if (info.Type == SettingType::Integer) {
                        *std::get<int*>(ref) = defaultInteger;
                    } else {
                        *std::get<bool*>(ref) = defaultBool;
                    }
                    if (firstFailure.empty()) {
                        firstFailure = e.what();
                    }
                }
            }
            if (!firstFailure.empty()) {
                prompter.Error("Ошибка чтения из системного реестра!\r\n(" + firstFailure + ")");
            }
        } catch (const std::exception& e) {
            prompter.Error(std::string("Ошибка чтения из системного реестра!\r\n(") + e.what() + ")");
        }
    }
    makeFolder(paths.ServerDir);
    makeFolder(paths.OrdersDir);
    CreateHiddenFolder(paths.RecycledDir);
    makeFolder(paths.ArchiveDir);
    makeFolder(paths.SelectionDir);
    makeFolder(paths.ReportDir);
    makeFolder(paths.ExportDir);
}

void TkvfSetup::Store(Registry& registry, Prompter& prompter) {
    if (!Loaded) {
        return;
    }
    try {
        registry.OpenKey(SettingsKey, true);
        for (const SettingInfo& info : SettingsTable()) {
            if (!isRegistry(info)) {
                continue;
            }
            const SettingRef ref = info.Ref(*this);
            if (info.Type == SettingType::Integer) {
                registry.WriteInteger(info.Key, *std::get<int*>(ref));
            } else {
                registry.WriteBool(info.Key, *std::get<bool*>(ref));
            }
        }
    } catch (const std::exception& e) {
        prompter.Error(std::string("Ошибка записи в системный реестр!\r\n(") + e.what() + ")");
    }
    BusyCursor busy(prompter);
    IniFile ini(settingsFile_);
    for (const SettingInfo* info : SettingsStoreOrder()) {
        const SettingRef ref = info->Ref(*this);
        switch (info->Type) {
        case SettingType::Text:
            ini.WriteString(info->Section, info->Key, *std::get<std::string*>(ref));
            break;
        case SettingType::HexText:
            ini.WriteString(info->Section, info->Key, EncodeHexText(*std::get<std::string*>(ref)));
            break;
        case SettingType::Integer:
            ini.WriteInteger(info->Section, info->Key, *std::get<int*>(ref));
            break;
        case SettingType::Boolean:
            ini.WriteBool(info->Section, info->Key, *std::get<bool*>(ref));
            break;
        case SettingType::Decimal:
            ini.WriteFloat(info->Section, info->Key, *std::get<double*>(ref));
            break;
        }
    }
    ini.UpdateFile();
}

std::string TkvfSetup::PhonesLine() const {
    std::string line;
    for (const std::string* phone : {&Phone1, &Phone2, &Phone3, &Fax}) {
        if (phone->empty()) {
            continue;
        }
        line += line.empty() ? ZipCode + " " : std::string(",");
        line += *phone;
    }
    return line;
}

} // namespace kvf
