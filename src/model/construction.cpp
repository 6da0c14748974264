#include "model/construction.h"

#include "base/error.h"
#include "base/rounding.h"
#include "base/typed_stream.h"
#include "base/version_date.h"
#include "model/record_versions.h"

#include <exception>

namespace kvf {

TkvfConstruction::TkvfConstruction(TkvfOrder* order) : Order(order) {}

void TkvfConstruction::SetShape(const TkvfShapeSizes& sizes, std::int32_t dorn) {
    TkvfShapeRecord tenths;
    tenths.B = RoundAway(static_cast<long double>(sizes.B) * 10);
    tenths.H = RoundAway(static_cast<long double>(sizes.H) * 10);
    tenths.Shape = sizes.Shape;
    tenths.X = RoundAway(static_cast<long double>(sizes.X) * 10);
    tenths.Y = RoundAway(static_cast<long double>(sizes.Y) * 10);
    tenths.R1 = sizes.R1 * 10.0f;
    tenths.R2 = sizes.R2 * 10.0f;

    if (ConstrType == 2) {
        LeftFlugel.BuildFromShape(tenths, 0);
        LeftFlugel.Dorn = dorn;
        RightFlugel.ClearOutline();
        return;
    }
    // A pair: two rectangles of full height, the left X wide, the right Y wide beside it.
    TkvfShapeRecord left;
    left.B = tenths.X;
    left.H = tenths.H;
    left.R1 = tenths.R1;
    left.R2 = tenths.R2;
    TkvfShapeRecord right = left;
    right.B = tenths.Y;
    LeftFlugel.BuildFromShape(left, 0);
    RightFlugel.BuildFromShape(right, tenths.X);
    LeftFlugel.Dorn = dorn;
    RightFlugel.Dorn = dorn;
}

void TkvfConstruction::GetSize(std::int32_t& width, std::int32_t& height) const {
    LeftFlugel.GetSize(width, height);
    if (ConstrType != 2) {
        std::int32_t rightWidth = 0;
        std::int32_t rightHeight = 0;
        RightFlugel.GetSize(rightWidth, rightHeight);
        width += rightWidth;
    }
}

void TkvfConstruction::CopyFrom(const TkvfConstruction& other) {
    try {
        TSpecStream stream;
        other.SaveToStream(stream);
        stream.Seek(0);
        LoadFromStream(stream, kCurrentOrderVersion);
    } catch (const std::exception& e) {
        throw KvfError(std::string("Ошибка копирования позиции!\r\n(") + e.what() + ")");
    }
}

void TkvfConstruction::Backup(TSpecStream& stream) const {
    try {
        SaveToStream(stream);
    } catch (const std::exception& e) {
        throw KvfError(std::string("Ошибка создания резервной копии объекта!\r\n(") + e.what() + ")");
    }
}

void TkvfConstruction::Restore(TSpecStream& stream) {
    try {
        stream.Seek(0);
        LoadFromStream(stream, kCurrentOrderVersion);
    } catch (const std::exception& e) {
        throw KvfError(std::string("Ошибка восстановления объекта из резервной копии!\r\n(") + e.what() +
                       ")");
    }
}

void TkvfConstruction::SaveToStream(TSpecStream& stream) const {
    stream.WriteBoolean(Included);
    stream.WriteText(No);
    stream.WriteText(Name);
    stream.WriteInteger(Number);
    stream.WriteByte(ObjectType);
    stream.WriteText(FurnSys);
    stream.WriteText(ProfSys);
    stream.WriteText(Color);
    stream.WriteInteger(Falz);
    stream.WriteInteger(StulpType);
    stream.WriteSingle(ProfWidth);
    stream.WriteSingle(Thickness);
    stream.WriteInteger(OpenType);
    stream.WriteCurrency(Cost);
    stream.WriteLines(Note);
    stream.WriteByte(ConstrType);
    LeftFlugel.SaveToStream(stream);
    RightFlugel.SaveToStream(stream);
}

void TkvfConstruction::LoadFromStream(TSpecStream& stream, const std::string& version) {
    Included = stream.ReadBoolean();
    No = stream.ReadText();
    Name = stream.ReadText();
    Number = stream.ReadInteger();
    ObjectType = stream.ReadByte();
    FurnSys = stream.ReadText();
    ProfSys = stream.ReadText();
    Color = stream.ReadText();
    if (VersionOlder(version, kVersionNoObsoleteTexts)) {
        stream.ReadText();
        stream.ReadText();
    }
    Falz = stream.ReadInteger();
    const bool dornOnPosition = VersionOlder(version, kVersionSashDorn);
    const std::int32_t dorn = dornOnPosition ? stream.ReadInteger() : 0;
    StulpType = stream.ReadInteger();
    ProfWidth = stream.ReadSingle();
    Thickness = stream.ReadSingle();
    OpenType = stream.ReadInteger();
    Cost = stream.ReadCurrency();
    Note.clear();
    Note = stream.ReadLines();
    ConstrType = stream.ReadByte();
    LeftFlugel.LoadFromStream(stream, version);
    RightFlugel.LoadFromStream(stream, version);
    if (dornOnPosition) {
        LeftFlugel.Dorn = dorn;
        RightFlugel.Dorn = dorn;
    }
}

} // namespace kvf
