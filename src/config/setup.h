#pragma once
// TkvfSetup: the settings of the program. Created at start-up once the
// configuration is chosen: it reads the settings file "KVFurniture.ini" of the
// catalog folder and the registry key SettingsKey and makes the working
// folders; at the end its owner calls Store (only a loaded object stores).
// Every value is a member under its key's name; the firm's "Logo" is `Logo`,
// the report's "Logo" is `ReportLogo`. The FTP account name and password are
// plain text here and in hexadecimal form in the file.

#include "config/pricing_context.h"

#include <string>
#include <variant>
#include <vector>

namespace kvf {

class Prompter;
class Registry;
struct TkvfPaths;

class TkvfSetup {
public:
    // Empty values, not loaded.
    TkvfSetup();
    // Builds the ten price-group names and loads.
    TkvfSetup(const TkvfPaths& paths, Registry& registry, Prompter& prompter);

    // Registry values first (failures shown, then the file is still written),
    // then the settings file; settings-file errors raise KvfError. Nothing
    // happens when the settings file did not exist at creation.
    void Store(Registry& registry, Prompter& prompter);

    // Telephones for print: area code, a blank, then the non-empty of Phone1,
    // Phone2, Phone3 and Fax joined by ","; empty when there is none.
    std::string PhonesLine() const;

    // "Firm"
    std::string Name, Logo, Address, JustAddress, ZipCode, Phone1, Phone2, Phone3, Fax, EMail, Internet, INN,
        Account, Director, BookKeeper;
    // "Money"
    int CurCurrency = 0;
    // "Tax"
    double NDSTax = 0;
    bool TotalNDS = false;
    bool ShowIncludingNDS = false;
    int PriceGrpNo = 0;
    // "PriceGroupNames": "1" to "10"
    std::vector<std::string> PriceGroupNames;
    // "Defaults"
    std::string DefProfSys, DefFurnSys;
    int DefFurnSysGroup = 0;
    std::string DefInnerProfColor, DefOuterProfColor, DefFurnColor, DefHandle;
    int DefMaterial = 0, DefFalzType = 0, DefDornType = 0, DefStulpFalzType = 0, DefFlugelType = 0;
    double DefProfWidth = 0, DefProfThickness = 0;
    bool UserDefineHeight = false;
    // "Report"
    std::string ReportLogo;
    // "FTP"
    std::string ftpHost;
    int ftpPort = 0;
    std::string ftpUserName, ftpPassword, ftpDir;
    bool ftpUpload = false;
    // Registry key SettingsKey
    int TechnologMainWinState = 0, TechnologOrderWinState = 0, TechnologDesignWinState = 0,
        TechnologDesignFormW = 0, TechnologDesignFormH = 0;
    bool AlertIfNotFull = false, AutoReg = false, AutoOpenReg = false, MoveToRecycled = false,
         AutoLoadCurrency = false;

    // Not stored.
    bool Loaded = false; // the settings file existed at creation
    bool Debug = false;
    PricingContext Pricing;

private:
    void load(const TkvfPaths& paths, Registry& registry, Prompter& prompter);

    std::string settingsFile_;
};

// The table of every stored value: the settings file's values in the order
// they are read, then the registry values (section "Registry").
enum class SettingType { Text, HexText, Integer, Boolean, Decimal };
using SettingRef = std::variant<std::string*, int*, bool*, double*>;

struct SettingInfo {
    const char* Section;
    const char* Key;
    SettingType Type;
    const char* Default; // as it would stand in the file
    bool Written;        // Store writes it back
    SettingRef (*Ref)(TkvfSetup&);
};

const std::vector<SettingInfo>& SettingsTable();
// Section and key compare without regard to case; nullptr when unknown.
const SettingInfo* FindSetting(const std::string& section, const std::string& key);
// The order in which Store writes the settings file.
const std::vector<const SettingInfo*>& SettingsStoreOrder();

// Sets a value from text ("true"/"false"/"1"/"0" for booleans, a comma or a
// full stop in decimals); KvfError when the text does not fit the type.
void AssignSetting(TkvfSetup& setup, const SettingInfo& info, const std::string& text);

} // namespace kvf
