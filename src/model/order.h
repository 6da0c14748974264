#pragma once
// TkvfOrder: the document the user works on: its particulars, its defaults
// for new positions, its pricing context and its positions. Stored in an
// order file (*.kfo370).

#include "base/money.h"
#include "model/construction.h"
#include "model/currency_item.h"
#include "model/matlist_item.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kvf {

class ModelCatalog;
class Prompter;
class TSpecStream;

inline constexpr const char* kOrderFileHeader = "Korvena Furniture Order File";

class TkvfOrder {
public:
    // The bare order: Created, Modified now, RegDate today, everything else empty or 0.
    TkvfOrder();
    TkvfOrder(const TkvfOrder&) = delete;
    TkvfOrder& operator=(const TkvfOrder&) = delete;

    // Positions.
    int Count() const { return static_cast<int>(Positions.size()); }
    TkvfConstruction& Position(int i) { return *Positions.at(i); }
    const TkvfConstruction& Position(int i) const { return *Positions.at(i); }
    void DeletePosition(int i);
    void ClearPositions() { Positions.clear(); }
    // A new empty position of this order, appended.
    TkvfConstruction& AddPosition();
    // Appends a position created elsewhere and makes this order its owner.
    TkvfConstruction& AppendPosition(std::unique_ptr<TkvfConstruction> position);
    // The first position whose No equals `no` ignoring case; nullptr when none.
    TkvfConstruction* FindPosition(const std::string& no) const;

    int IncludedCount() const;
    bool HasIncluded() const { return IncludedCount() > 0; }
    // Iteration over the included positions; one at a time per order (Cursor).
    TkvfConstruction* FirstIncluded();
    TkvfConstruction* NextIncluded();

    // Ascending No (Name) in Windows-1251 byte order.
    void SortByNo();
    void SortByName();

    int CurrencyCount() const { return static_cast<int>(Currencies.size()); }
    TkvfCurrencyItem& Currency(int i) { return *Currencies.at(i); }
    void ClearCurrencies() { Currencies.clear(); }

    // Money of the included positions: the sum of their PositionTotal; the VAT
    // (0 unless GetTotalNDS, else Total x NDSTax / 100) and the total with VAT.
    Money Total() const;
    Money TotalNDS() const;
    Money TotalWithNDS() const { return Total() + TotalNDS(); }
    // Adds the material lists of the included positions (each times its
    // Number) through the included-positions iteration; nothing without a list.
    void AddMatListTo(TkvfMatList* list, Prompter* prompter = nullptr);

    // Order record (text = string item, integer = code 3, boolean = code 11,
    // real = code 5, date = code 7; v = the version read in item 2):
    //    1 Header            text (read, not compared)
    //    2 Version           text
    //    3 Reserved1         integer
    //    4 Reserved2         integer
    //    5 Created           date
    //    6 Modified          date
    //    7 Reserved3         integer
    //      -- version check --
    //    8 OrderNo  9 AltOrderNo  10 Customer  11 ObjectName
    //   12 Address  13 Phones     14 Remark                     text each
    //   15 RegDate           date
    //   16 RegDateSet        boolean
    //   17 ProfSys  18 InnerProfColor  19 OuterProfColor
    //   20 FurnSys  21 FurnColor       22 Handle                text each
    //   23 Falz  24 Dorn  25 StulpType  26 OpenType             integer each, when v >= "10.12.2009";
    //      older files hold two obsolete texts instead
    //   27 PriceGroupNo      integer
    //   28 NDSTax            real (single widened)
    //   29 GetTotalNDS       boolean
    //   30 ShowIncludeNDS    boolean
    //   31 number of currencies, integer, then the currency records
    //   32 CurrencyID        integer
    //   33 Memo              text (lines)
    //   34 number of positions, integer, then the construction records (read with v)
    // The writer always writes the current layout (Version is written as it stands).
    void SaveToStream(TSpecStream& stream) const;
    // Reads an order record. A version older than the current one asks
    // "Необходимо конвертировать файл заказа!..." (OK: converted := true; Cancel:
    // false); a newer one shows the newer-version warning and gives false.
    // Errors of the data are raised.
    bool LoadFromStream(TSpecStream& stream, bool& converted, Prompter& prompter);

    // Writes the current layout into a temporary file beside `fileName` and
    // renames it into place; a failure shows "Ошибка сохранения заказа!\r\n(%s)"
    // and gives false.
    bool SaveToFile(const std::string& fileName, Prompter& prompter);
    // A failure shows "Ошибка загрузки заказа!\r\n(%s)" and gives false; a
    // declined conversion or a newer version gives false too. A failed load
    // leaves the order partly read.
    bool LoadFromFile(const std::string& fileName, bool& converted, Prompter& prompter);

    std::string Header = kOrderFileHeader;
    std::string Version;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    double Created = 0;
    double Modified = 0;
    std::int32_t Reserved3 = 0;
    std::string OrderNo;
    std::string AltOrderNo;
    std::string Customer;
    std::string ObjectName;
    std::string Address;
    std::string Phones;
    std::string Remark;
    double RegDate = 0;
    bool RegDateSet = true;
    std::string ProfSys;
    std::string InnerProfColor;
    std::string OuterProfColor;
    std::string FurnSys;
    std::string FurnColor;
    std::string Handle;
    // Material for the fittings calculation; held in memory only.
    std::int32_t Material = 0;
    std::int32_t Falz = 0;
    std::int32_t Dorn = 0;
    std::int32_t StulpType = 0;
    std::int32_t OpenType = 0;
    // The two texts files older than "10.12.2009" hold in place of Falz..OpenType.
    std::string ObsoleteText1;
    std::string ObsoleteText2;
    std::int32_t PriceGroupNo = 0;
    float NDSTax = 0;
    bool GetTotalNDS = false;
    bool ShowIncludeNDS = false;
    TkvfCurrencyList Currencies;
    std::int32_t CurrencyID = 0;
    std::vector<std::string> Memo;
    std::vector<std::unique_ptr<TkvfConstruction>> Positions;
    // Place of the included-positions iteration.
    int Cursor = 0;
};

} // namespace kvf
