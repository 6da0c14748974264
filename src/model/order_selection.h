#pragma once
// TkvfOrderSelection: positions of several orders gathered for printing,
// pricing and export. Each item names an order file and a position number;
// the positions stay in their order files and are read from there on demand.
// Stored in a selection file (*.kfs370).

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
class TkvfConstruction;
class TkvfOrder;
class TkvfOrderSelection;

inline constexpr const char* kSelectionFileHeader = "Korvena Furniture Selection File";
inline constexpr const char* kCurrentSelectionVersion = "06.10.2015";

class TkvfOrderSelectionItem {
public:
    explicit TkvfOrderSelectionItem(TkvfOrderSelection* owner = nullptr) : Owner(owner) {}

    // Item record:
    //   Included        boolean (code 11)
    //   OrderNo, PosNo  text
    //   Width, Height   real (code 5), singles widened
    //   Number          integer (code 3)
    //   Name            text
    //   OrderFile       text (stored path form)
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream);

    bool Included = true;
    std::string OrderNo;
    std::string PosNo;
    float Width = 0;
    float Height = 0;
    std::int32_t Number = 0;
    std::string Name;
    std::string OrderFile;
    TkvfOrderSelection* Owner = nullptr;
};

// A position read from its order file; the order owns the position.
struct TkvfLoadedPosition {
    std::unique_ptr<TkvfOrder> Order;
    TkvfConstruction* Position = nullptr;
};

class TkvfOrderSelection {
public:
    // The bare selection: Created, Modified now, SelDate today.
    TkvfOrderSelection();
    ~TkvfOrderSelection();
    TkvfOrderSelection(const TkvfOrderSelection&) = delete;
    TkvfOrderSelection& operator=(const TkvfOrderSelection&) = delete;

    int Count() const { return static_cast<int>(Items.size()); }
    TkvfOrderSelectionItem& Item(int i) { return *Items.at(i); }
    const TkvfOrderSelectionItem& Item(int i) const { return *Items.at(i); }
    void DeleteItem(int i);
    // A new item of this selection, appended.
    TkvfOrderSelectionItem& AddItem();

    int IncludedCount() const;
    bool HasIncluded() const { return IncludedCount() > 0; }

    int CurrencyCount() const { return static_cast<int>(Currencies.size()); }
    TkvfCurrencyItem& Currency(int i) { return *Currencies.at(i); }
    void ClearCurrencies() { Currencies.clear(); }

    // The first item with that order and position number, ignoring case; -1 when none.
    int IndexOf(const std::string& orderNo, const std::string& posNo) const;

    // Ascending, Windows-1251 byte order, by (OrderNo, PosNo), (PosNo, OrderNo),
    // (Name, OrderNo, PosNo) and (OrderFile, OrderNo, PosNo).
    void SortByOrderNo();
    void SortByPosNo();
    void SortByName();
    void SortByFile();

    // The operations below read the items' order files: OrderFile expanded
    // against `ordersFolder`, one read for each run of consecutive items of the
    // same file. A file that cannot be read shows the order load error and
    // its items are skipped.

    // Copies the key data of each item's position back into the item (and its
    // Included when copyIncluded); items whose position is gone stay as they are.
    void Refresh(bool copyIncluded, const std::string& ordersFolder, Prompter& prompter);
    // The OrderNo of each run of items of one file, joined with ",".
    std::string OrderNumbers(const std::string& ordersFolder, Prompter& prompter);
    // Adds the material lists of the included items' positions (times their
    // Number), sorts the list by ID and reprices it. Pricing errors are raised.
    void AddMatListTo(TkvfMatList* list, ModelCatalog& catalog, const std::string& ordersFolder,
                      Prompter& prompter);
    // The item's position read from its order file; no position when the file
    // is missing, cannot be loaded or lacks the position.
    TkvfLoadedPosition GetPosition(const TkvfOrderSelectionItem& item, const std::string& ordersFolder,
                                   Prompter& prompter) const;

    // Selection record (text = string item, integer = code 3, byte = code 17,
    // boolean = code 11, real = code 5, date = code 7):
    //    1 Header            text, must be "Korvena Furniture Selection File"
    //    2 Version           text, checked at once
    //    3 Reserved1  4 Reserved2                  integer
    //    5 Created    6 Modified                   date
    //    7 Reserved3                               integer
    //    8 SelNo             text
    //    9 SelDate           date
    //   10 SelName           text
    //   11 number of currencies, integer, then the currency records
    //   12 CurrencyID  13 PriceGroupNo             integer
    //   14 NDSTax            real (single widened)
    //   15 RoundMode         byte
    //   16 Note              text (lines)
    //   17 number of items, integer, then the item records
    // Every accepted version is read with the same layout.
    void SaveToStream(TSpecStream& stream) const;
    // False after the refused header, a declined conversion or a newer
    // version, each with its message; errors of the data are raised.
    bool LoadFromStream(TSpecStream& stream, bool& converted, Prompter& prompter);
    // Failures show "Ошибка сохранения выборки!\r\n(%s)" and give false.
    bool SaveToFile(const std::string& fileName, Prompter& prompter);
    // Failures show "Ошибка загрузки выборки!\r\n(%s)" and give false.
    bool LoadFromFile(const std::string& fileName, bool& converted, Prompter& prompter);

    std::string Header = kSelectionFileHeader;
    std::string Version = kCurrentSelectionVersion;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    double Created = 0;
    double Modified = 0;
    std::int32_t Reserved3 = 0;
    std::string SelNo;
    double SelDate = 0;
    std::string SelName;
    TkvfCurrencyList Currencies;
    std::int32_t CurrencyID = 0;
    std::int32_t PriceGroupNo = 0;
    float NDSTax = 0;
    // 0 "Нет", 1 "До мин. торговой величины"; stored, applied nowhere.
    std::uint8_t RoundMode = 0;
    std::vector<std::string> Note;
    std::vector<std::unique_ptr<TkvfOrderSelectionItem>> Items;

private:
    template <typename Visit>
    void forEachPosition(bool includedOnly, const std::string& ordersFolder, Prompter& prompter, Visit visit);
};

} // namespace kvf
