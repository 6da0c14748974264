#include "model/order.h"

#include "base/ole_date.h"
#include "base/prompter.h"
#include "base/text.h"
#include "base/typed_stream.h"
#include "base/version_date.h"
#include "model/file_version_check.h"
#include "model/record_file.h"
#include "model/record_list.h"
#include "model/record_versions.h"

#include <algorithm>
#include <cmath>

namespace kvf {

namespace {

// Layout without the four parameter defaults (two texts instead).
constexpr const char* kVersionOrderParameters = "10.12.2009";

const FileVersionTexts kOrderVersionTexts = {
    "Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s",
    "Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\nДанный модуль "
    "технолога поддерживает файлы заказа\r\nверсии не старше: %s!\r\nЗагружаемая версия: %s"};

// Cursor value once no included position is left.
constexpr int kCursorDone = 100000;

} // namespace

TkvfOrder::TkvfOrder() : Version(kCurrentOrderVersion) {
    Created = NowOle();
    Modified = Created;
    RegDate = std::floor(Created);
}

void TkvfOrder::DeletePosition(int i) {
    Positions.at(i); // range check
    Positions.erase(Positions.begin() + i);
}

TkvfConstruction& TkvfOrder::AddPosition() {
    return AppendPosition(std::make_unique<TkvfConstruction>(this));
}

TkvfConstruction& TkvfOrder::AppendPosition(std::unique_ptr<TkvfConstruction> position) {
    position->Order = this;
    Positions.push_back(std::move(position));
    return *Positions.back();
}

TkvfConstruction* TkvfOrder::FindPosition(const std::string& no) const {
    for (const auto& position : Positions)
        if (SameText(position->No, no))
            return position.get();
    return nullptr;
}

int TkvfOrder::IncludedCount() const {
    return static_cast<int>(
        std::count_if(Positions.begin(), Positions.end(), [](const auto& p) { return p->Included; }));
}

TkvfConstruction* TkvfOrder::FirstIncluded() {
    Cursor = 0;
    return NextIncluded();
}

TkvfConstruction* TkvfOrder::NextIncluded() {
    for (int i = Cursor; i < Count(); ++i) {
        if (Positions[i]->Included) {
            Cursor = i + 1;
            return Positions[i].get();
        }
    }
    Cursor = kCursorDone;
    return nullptr;
}

void TkvfOrder::SortByNo() {
    std::stable_sort(Positions.begin(), Positions.end(),
                     [](const auto& a, const auto& b) { return compareAnsi(a->No, b->No) < 0; });
}

void TkvfOrder::SortByName() {
    std::stable_sort(Positions.begin(), Positions.end(),
                     [](const auto& a, const auto& b) { return compareAnsi(a->Name, b->Name) < 0; });
}

Money TkvfOrder::Total() const {
    Money total;
    for (const auto& position : Positions)
        if (position->Included)
            total += position->PositionTotal();
    return total;
}

Money TkvfOrder::TotalNDS() const {
    if (!GetTotalNDS)
        return Money();
    return Total().MulRound(static_cast<double>(NDSTax) / 100);
}

void TkvfOrder::AddMatListTo(TkvfMatList* list, Prompter* prompter) {
    for (TkvfConstruction* position = FirstIncluded(); position != nullptr; position = NextIncluded())
        position->AddMatListTo(list, prompter);
}

void TkvfOrder::SaveToStream(TSpecStream& stream) const {
    stream.WriteText(Header);
    stream.WriteText(Version);
    stream.WriteInteger(Reserved1);
    stream.WriteInteger(Reserved2);
    stream.WriteDate(Created);
    stream.WriteDate(Modified);
    stream.WriteInteger(Reserved3);
    for (const std::string* text :
         {&OrderNo, &AltOrderNo, &Customer, &ObjectName, &Address, &Phones, &Remark})
        stream.WriteText(*text);
    stream.WriteDate(RegDate);
    stream.WriteBoolean(RegDateSet);
    for (const std::string* text :
         {&ProfSys, &InnerProfColor, &OuterProfColor, &FurnSys, &FurnColor, &Handle})
        stream.WriteText(*text);
    stream.WriteInteger(Falz);
    stream.WriteInteger(Dorn);
    stream.WriteInteger(StulpType);
    stream.WriteInteger(OpenType);
    stream.WriteInteger(PriceGroupNo);
    stream.WriteSingle(NDSTax);
    stream.WriteBoolean(GetTotalNDS);
    stream.WriteBoolean(ShowIncludeNDS);
    SaveCurrencies(stream, Currencies);
    stream.WriteInteger(CurrencyID);
    stream.WriteLines(Memo);
    SaveRecords(stream, Positions);
}

bool TkvfOrder::LoadFromStream(TSpecStream& stream, bool& converted, Prompter& prompter) {
    converted = false;
    stream.ReadText(); // the header is not compared with anything
    Version = stream.ReadText();
    Reserved1 = stream.ReadInteger();
    Reserved2 = stream.ReadInteger();
    Created = stream.ReadDate();
    Modified = stream.ReadDate();
    Reserved3 = stream.ReadInteger();

    if (!CheckFileVersion(Version, kCurrentOrderVersion, kOrderVersionTexts, converted, prompter))
        return false;

    for (std::string* text : {&OrderNo, &AltOrderNo, &Customer, &ObjectName, &Address, &Phones, &Remark})
        *text = stream.ReadText();
    RegDate = stream.ReadDate();
    RegDateSet = stream.ReadBoolean();
    for (std::string* text : {&ProfSys, &InnerProfColor, &OuterProfColor, &FurnSys, &FurnColor, &Handle})
        *text = stream.ReadText();
    if (VersionAtLeast(Version, kVersionOrderParameters)) {
        Falz = stream.ReadInteger();
        Dorn = stream.ReadInteger();
        StulpType = stream.ReadInteger();
        OpenType = stream.ReadInteger();
        ObsoleteText1.clear();
        ObsoleteText2.clear();
    } else {
        // A reused order keeps no defaults of a file read before.
        Falz = 0;
        Dorn = 0;
        StulpType = 0;
        OpenType = 0;
        ObsoleteText1 = stream.ReadText();
        ObsoleteText2 = stream.ReadText();
    }
    PriceGroupNo = stream.ReadInteger();
    NDSTax = stream.ReadSingle();
    GetTotalNDS = stream.ReadBoolean();
    ShowIncludeNDS = stream.ReadBoolean();
    LoadCurrencies(stream, Currencies);
    CurrencyID = stream.ReadInteger();
    Memo = stream.ReadLines();

    ClearPositions();
    ReadRecords(stream, [&] {
        auto position = std::make_unique<TkvfConstruction>(this);
        position->LoadFromStream(stream, Version);
        Positions.push_back(std::move(position));
    });
    return true;
}

bool TkvfOrder::SaveToFile(const std::string& fileName, Prompter& prompter) {
    return SaveRecordFile(fileName, "Ошибка сохранения заказа!", prompter, [&](TSpecStream& stream) {
        Version = kCurrentOrderVersion;
        SaveToStream(stream);
    });
}

bool TkvfOrder::LoadFromFile(const std::string& fileName, bool& converted, Prompter& prompter) {
    converted = false;
    return LoadRecordFile(fileName, "Ошибка загрузки заказа!", prompter,
                          [&](TSpecStream& stream) { return LoadFromStream(stream, converted, prompter); });
}

} // namespace kvf
