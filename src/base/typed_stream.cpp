#include "base/typed_stream.h"

#include "base/error.h"
#include "base/text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kvf {

namespace {

constexpr size_t kRecordSize = 16;

uint64_t getLittleEndian(const unsigned char* p, size_t count) {
    uint64_t value = 0;
    for (size_t i = count; i > 0; --i)
        value = (value << 8) | p[i - 1];
    return value;
}

void putLittleEndian(unsigned char* p, uint64_t value, size_t count) {
    for (size_t i = 0; i < count; ++i, value >>= 8)
        p[i] = static_cast<unsigned char>(value & 0xFF);
}

uint64_t doubleBits(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double bitsDouble(uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

TSpecStream TSpecStream::FromBytes(std::string bytes, Prompter* prompter) {
    TSpecStream stream(prompter);
    stream.bytes_ = std::move(bytes);
    return stream;
}

void TSpecStream::writeRaw(const void* data, size_t count) {
    if (position_ > bytes_.size())
        bytes_.resize(position_, '\0');
    const size_t end = position_ + count;
    if (end > bytes_.size())
        bytes_.resize(end);
    std::memcpy(bytes_.data() + position_, data, count);
    position_ = end;
}

size_t TSpecStream::readRaw(void* data, size_t count) {
    const size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const size_t got = std::min(count, available);
    if (got > 0)
        std::memcpy(data, bytes_.data() + position_, got);
    position_ += got;
    return got;
}

void TSpecStream::writeRecord(uint16_t code, const void* value, size_t count) {
    unsigned char record[kRecordSize] = {};
    putLittleEndian(record, code, 2);
    std::memcpy(record + 8, value, count);
    writeRaw(record, kRecordSize);
}

void TSpecStream::WriteVariant(const Variant& value) {
    unsigned char area[8] = {};
    switch (value.Type()) {
    case VariantType::Text: {
        const std::string ansi = ToAnsi(value.AsText());
        unsigned char length[4];
        putLittleEndian(length, static_cast<uint32_t>(static_cast<int32_t>(ansi.size())), 4);
        writeRaw(length, 4);
        writeRaw(ansi.data(), ansi.size());
        return;
    }
    case VariantType::Empty:
    case VariantType::Null:
        break;
    case VariantType::Integer:
        putLittleEndian(area, static_cast<uint32_t>(value.AsInt()), 4);
        break;
    case VariantType::Byte:
        area[0] = static_cast<unsigned char>(value.AsInt());
        break;
    case VariantType::Boolean:
        putLittleEndian(area, value.AsBool() ? 0xFFFF : 0, 2);
        break;
    case VariantType::Real:
    case VariantType::Date:
        putLittleEndian(area, doubleBits(value.AsDouble()), 8);
        break;
    case VariantType::Currency:
        putLittleEndian(area, static_cast<uint64_t>(value.AsMoney().Raw()), 8);
        break;
    }
    writeRecord(static_cast<uint16_t>(value.Type()), area, sizeof area);
}

Variant TSpecStream::ReadVariant(bool expectText) {
    if (expectText) {
        unsigned char lengthBytes[4];
        if (readRaw(lengthBytes, 4) < 4)
            return Variant::FromText({});
        const int32_t length = static_cast<int32_t>(getLittleEndian(lengthBytes, 4));
        if (length == 0)
            return Variant::FromText({});
        // Never more than the data holds, whatever the length claims.
        const size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
        const size_t wanted = length > 0 ? static_cast<size_t>(length) : 0;
        std::string ansi(std::min(wanted, available), '\0');
        const size_t got = readRaw(ansi.data(), ansi.size());
        if (length < 0 || got < wanted) {
            if (prompter_ != nullptr)
                prompter_->Error("Ошибка чтения строки из потока!\r\nЗаказано: [" + std::to_string(length) +
                                 " символов], Считано: [" + std::to_string(got) + " символов]!");
        }
        const size_t zero = ansi.find('\0');
        if (zero != std::string::npos)
            ansi.resize(zero);
        return Variant::FromText(FromAnsi(ansi));
    }

    const size_t start = position_;
    unsigned char record[kRecordSize];
    if (readRaw(record, kRecordSize) < kRecordSize)
        return Variant();
    const unsigned char* area = record + 8;
    const uint16_t code = static_cast<uint16_t>(getLittleEndian(record, 2));
    switch (static_cast<VariantType>(code)) {
    case VariantType::Empty:
        return Variant();
    case VariantType::Null:
        return Variant::MakeNull();
    case VariantType::Integer:
        return Variant::FromInteger(static_cast<int32_t>(getLittleEndian(area, 4)));
    case VariantType::Byte:
        return Variant::FromByte(area[0]);
    case VariantType::Boolean:
        return Variant::FromBoolean(getLittleEndian(area, 2) != 0);
    case VariantType::Real:
        return Variant::FromReal(bitsDouble(getLittleEndian(area, 8)));
    case VariantType::Date:
        return Variant::FromDate(bitsDouble(getLittleEndian(area, 8)));
    case VariantType::Currency:
        return Variant::FromCurrency(Money::FromRaw(static_cast<int64_t>(getLittleEndian(area, 8))));
    case VariantType::Text:
        break;
    }
    throw KvfError("Ошибка чтения потока: неизвестный тип значения " + std::to_string(code) + " в позиции " +
                   std::to_string(start));
}

void TSpecStream::WriteText(std::string_view utf8) {
    WriteVariant(Variant::FromText(std::string(utf8)));
}

std::string TSpecStream::ReadText() {
    return ReadVariant(true).AsText();
}

void TSpecStream::WriteInteger(int32_t value) {
    WriteVariant(Variant::FromInteger(value));
}

int32_t TSpecStream::ReadInteger() {
    return ReadVariant(false).AsInt();
}

void TSpecStream::WriteByte(uint8_t value) {
    WriteVariant(Variant::FromByte(value));
}

uint8_t TSpecStream::ReadByte() {
    return static_cast<uint8_t>(ReadVariant(false).AsInt());
}

void TSpecStream::WriteBoolean(bool value) {
    WriteVariant(Variant::FromBoolean(value));
}

bool TSpecStream::ReadBoolean() {
    return ReadVariant(false).AsBool();
}

void TSpecStream::WriteReal(double value) {
    WriteVariant(Variant::FromReal(value));
}

double TSpecStream::ReadReal() {
    return ReadVariant(false).AsDouble();
}

void TSpecStream::WriteSingle(float value) {
    WriteVariant(Variant::FromReal(static_cast<double>(value)));
}

float TSpecStream::ReadSingle() {
    const double value = ReadVariant(false).AsDouble();
    // Narrowing a double beyond the float range is undefined; it becomes infinity.
    if (value > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

void TSpecStream::WriteDate(double value) {
    WriteVariant(Variant::FromDate(value));
}

double TSpecStream::ReadDate() {
    return ReadVariant(false).AsDouble();
}

void TSpecStream::WriteCurrency(Money value) {
    WriteVariant(Variant::FromCurrency(value));
}

Money TSpecStream::ReadCurrency() {
    return ReadVariant(false).AsMoney();
}

void TSpecStream::WriteLines(const std::vector<std::string>& lines) {
    WriteText(JoinLines(lines));
}

std::vector<std::string> TSpecStream::ReadLines() {
    return SplitLines(ReadText());
}

} // namespace kvf
