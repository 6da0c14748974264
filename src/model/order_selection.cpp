#include "model/order_selection.h"

#include "base/ole_date.h"
#include "base/prompter.h"
#include "base/stored_path.h"
#include "base/text.h"
#include "base/typed_stream.h"
#include "model/file_version_check.h"
#include "model/order.h"
#include "model/record_file.h"
#include "model/record_list.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace kvf {

namespace {

const FileVersionTexts kSelectionVersionTexts = {
    "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s",
    "Вы пытаетесь открыть выборку, созданную более новой версией программы, чем текущая.\r\nДанный модуль "
    "поддерживает файлы выборки\r\nверсии не старше: %s!\r\nЗагружаемая версия: %s"};

// The disk path of an order file named in the stored form.
std::string orderFilePath(const std::string& ordersFolder, const std::string& stored) {
    return ResolveStoredPath(ExpandRelativePath(ordersFolder, stored));
}

// Byte-order comparison of key lists, the first differing key deciding.
bool lessBy(std::initializer_list<std::pair<const std::string*, const std::string*>> keys) {
    for (const auto& [a, b] : keys) {
        const int c = compareAnsi(*a, *b);
        if (c != 0)
            return c < 0;
    }
    return false;
}

} // namespace

void TkvfOrderSelectionItem::SaveToStream(TSpecStream& stream) const {
    stream.WriteBoolean(Included);
    stream.WriteText(OrderNo);
    stream.WriteText(PosNo);
    stream.WriteSingle(Width);
    stream.WriteSingle(Height);
    stream.WriteInteger(Number);
    stream.WriteText(Name);
    stream.WriteText(OrderFile);
}

void TkvfOrderSelectionItem::LoadFromStream(TSpecStream& stream) {
    Included = stream.ReadBoolean();
    OrderNo = stream.ReadText();
    PosNo = stream.ReadText();
    Width = stream.ReadSingle();
    Height = stream.ReadSingle();
    Number = stream.ReadInteger();
    Name = stream.ReadText();
    OrderFile = stream.ReadText();
}

TkvfOrderSelection::TkvfOrderSelection() {
    Created = NowOle();
    Modified = Created;
    SelDate = std::floor(Created);
}

TkvfOrderSelection::~TkvfOrderSelection() = default;

void TkvfOrderSelection::DeleteItem(int i) {
    Items.at(i); // range check
    Items.erase(Items.begin() + i);
}

TkvfOrderSelectionItem& TkvfOrderSelection::AddItem() {
    Items.push_back(std::make_unique<TkvfOrderSelectionItem>(this));
    return *Items.back();
}

int TkvfOrderSelection::IncludedCount() const {
    return static_cast<int>(
        std::count_if(Items.begin(), Items.end(), [](const auto& i) { return i->Included; }));
}

int TkvfOrderSelection::IndexOf(const std::string& orderNo, const std::string& posNo) const {
    for (size_t i = 0; i < Items.size(); ++i)
        if (SameText(Items[i]->OrderNo, orderNo) && SameText(Items[i]->PosNo, posNo))
            return static_cast<int>(i);
    return -1;
}

void TkvfOrderSelection::SortByOrderNo() {
    std::stable_sort(Items.begin(), Items.end(), [](const auto& a, const auto& b) {
        return lessBy({{&a->OrderNo, &b->OrderNo}, {&a->PosNo, &b->PosNo}});
    });
}

void TkvfOrderSelection::SortByPosNo() {
    std::stable_sort(Items.begin(), Items.end(), [](const auto& a, const auto& b) {
        return lessBy({{&a->PosNo, &b->PosNo}, {&a->OrderNo, &b->OrderNo}});
    });
}

void TkvfOrderSelection::SortByName() {
    std::stable_sort(Items.begin(), Items.end(), [](const auto& a, const auto& b) {
        return lessBy({{&a->Name, &b->Name}, {&a->OrderNo, &b->OrderNo}, {&a->PosNo, &b->PosNo}});
    });
}

void TkvfOrderSelection::SortByFile() {
    std::stable_sort(Items.begin(), Items.end(), [](const auto& a, const auto& b) {
        return lessBy({{&a->OrderFile, &b->OrderFile}, {&a->OrderNo, &b->OrderNo}, {&a->PosNo, &b->PosNo}});
    });
}

// Visits the items (the included ones only when asked) with the order read
// from their file and the position found in it (nullptr when missing). A run
// of consecutive items of one file shares one read; `firstOfRun` marks the
// first item of each run. Items of a file that cannot be read are not visited.
template <typename Visit>
void TkvfOrderSelection::forEachPosition(bool includedOnly, const std::string& ordersFolder,
                                         Prompter& prompter, Visit visit) {
    BusyCursor busy(prompter);
    std::unique_ptr<TkvfOrder> order;
    std::string lastPath;
    bool loaded = false;
    for (const auto& entry : Items) {
        TkvfOrderSelectionItem& item = *entry;
        if (includedOnly && !item.Included)
            continue;
        const std::string path = orderFilePath(ordersFolder, item.OrderFile);
        const bool firstOfRun = !order || path != lastPath;
        if (firstOfRun) {
            order = std::make_unique<TkvfOrder>();
            bool converted = false;
            loaded = order->LoadFromFile(path, converted, prompter);
            lastPath = path;
        }
        if (loaded)
            visit(item, *order, order->FindPosition(item.PosNo), firstOfRun);
    }
}

void TkvfOrderSelection::Refresh(bool copyIncluded, const std::string& ordersFolder, Prompter& prompter) {
    forEachPosition(false, ordersFolder, prompter,
                    [&](TkvfOrderSelectionItem& item, TkvfOrder& order, TkvfConstruction* position, bool) {
                        if (position == nullptr)
                            return;
                        if (copyIncluded)
                            item.Included = position->Included;
                        item.OrderNo = order.OrderNo;
                        item.PosNo = position->No;
                        std::int32_t width = 0;
                        std::int32_t height = 0;
                        position->GetSize(width, height);
                        item.Width = static_cast<float>(width);
                        item.Height = static_cast<float>(height);
                        item.Number = position->Number;
                        item.Name = position->Name;
                    });
}

std::string TkvfOrderSelection::OrderNumbers(const std::string& ordersFolder, Prompter& prompter) {
    std::string numbers;
    forEachPosition(false, ordersFolder, prompter,
                    [&](TkvfOrderSelectionItem&, TkvfOrder& order, TkvfConstruction*, bool firstOfRun) {
                        if (!firstOfRun)
                            return;
                        if (!numbers.empty())
                            numbers += ",";
                        numbers += order.OrderNo;
                    });
    return numbers;
}

void TkvfOrderSelection::AddMatListTo(TkvfMatList* list, ModelCatalog& catalog,
                                      const std::string& ordersFolder, Prompter& prompter) {
    if (list == nullptr)
        return;
    forEachPosition(true, ordersFolder, prompter,
                    [&](TkvfOrderSelectionItem&, TkvfOrder&, TkvfConstruction* position, bool) {
                        if (position != nullptr)
                            position->AddMatListTo(list, &prompter);
                    });
    SortByID(*list);
    Reprice(catalog, *list);
}

TkvfLoadedPosition TkvfOrderSelection::GetPosition(const TkvfOrderSelectionItem& item,
                                                   const std::string& ordersFolder,
                                                   Prompter& prompter) const {
    TkvfLoadedPosition result;
    const std::string path = orderFilePath(ordersFolder, item.OrderFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return result;
    result.Order = std::make_unique<TkvfOrder>();
    bool converted = false;
    if (result.Order->LoadFromFile(path, converted, prompter))
        result.Position = result.Order->FindPosition(item.PosNo);
    return result;
}

void TkvfOrderSelection::SaveToStream(TSpecStream& stream) const {
    stream.WriteText(Header);
    stream.WriteText(Version);
    stream.WriteInteger(Reserved1);
    stream.WriteInteger(Reserved2);
    stream.WriteDate(Created);
    stream.WriteDate(Modified);
    stream.WriteInteger(Reserved3);
    stream.WriteText(SelNo);
    stream.WriteDate(SelDate);
    stream.WriteText(SelName);
    SaveCurrencies(stream, Currencies);
    stream.WriteInteger(CurrencyID);
    stream.WriteInteger(PriceGroupNo);
    stream.WriteSingle(NDSTax);
    stream.WriteByte(RoundMode);
    stream.WriteLines(Note);
    SaveRecords(stream, Items);
}

bool TkvfOrderSelection::LoadFromStream(TSpecStream& stream, bool& converted, Prompter& prompter) {
    converted = false;
    if (stream.ReadText() != kSelectionFileHeader) {
        prompter.Error("Данный файл не является файлом Nordel Omnivals!");
        return false;
    }
    Version = stream.ReadText();
    if (!CheckFileVersion(Version, kCurrentSelectionVersion, kSelectionVersionTexts, converted, prompter))
        return false;
    Reserved1 = stream.ReadInteger();
    Reserved2 = stream.ReadInteger();
    Created = stream.ReadDate();
    Modified = stream.ReadDate();
    Reserved3 = stream.ReadInteger();
    SelNo = stream.ReadText();
    SelDate = stream.ReadDate();
    SelName = stream.ReadText();
    LoadCurrencies(stream, Currencies);
    CurrencyID = stream.ReadInteger();
    PriceGroupNo = stream.ReadInteger();
    NDSTax = stream.ReadSingle();
    RoundMode = stream.ReadByte();
    Note = stream.ReadLines();
    Items.clear();
    ReadRecords(stream, [&] { AddItem().LoadFromStream(stream); });
    return true;
}

bool TkvfOrderSelection::SaveToFile(const std::string& fileName, Prompter& prompter) {
    return SaveRecordFile(fileName, "Ошибка сохранения выборки!", prompter, [&](TSpecStream& stream) {
        Version = kCurrentSelectionVersion;
        SaveToStream(stream);
    });
}

bool TkvfOrderSelection::LoadFromFile(const std::string& fileName, bool& converted, Prompter& prompter) {
    converted = false;
    return LoadRecordFile(fileName, "Ошибка загрузки выборки!", prompter,
                          [&](TSpecStream& stream) { return LoadFromStream(stream, converted, prompter); });
}

} // namespace kvf
