#pragma once
// TSpecStream: the growable little-endian byte stream through which every
// binary file is written and read and every snapshot is taken.
//
// Items (nothing in the data names the kind of the next item; writer and
// reader follow the same fixed record layout):
//
//   string item   offset 0  int32   byte length n (0 = empty text)
//                 offset 4  n bytes Windows-1251 text, no terminator
//
//   value record  offset 0  uint16  type code
//   (16 bytes)    offset 2  6 bytes reserved, written as zero, ignored
//                 offset 8  8 bytes value area, unused bytes zero:
//                           3  int32 (bytes 8-11)     17 uint8 (byte 8)
//                           11 boolean, 0xFFFF / 0x0000 in bytes 8-9
//                           5  double                 7  double, OLE date
//                           6  int64, amount x 10000
//
// Reading is forgiving about truncation and strict about nonsense: a value
// record read past the end is an empty value; a string item shorter than its
// length reads what is there, reports "Ошибка чтения строки из потока!..."
// through the prompter and goes on (a negative length is reported the same
// way, with nothing read); the text ends at its first zero byte. A value record
// whose type code is none of the above (0 empty and 1 null read as empty)
// raises KvfError naming the code and the offset: this system never writes
// one, so the data is not a file of ours.

#include "base/money.h"
#include "base/prompter.h"
#include "base/variant.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvf {

class TSpecStream {
public:
    // The prompter receives the truncated-text error box; without one it goes unreported.
    explicit TSpecStream(Prompter* prompter = nullptr) : prompter_(prompter) {}
    static TSpecStream FromBytes(std::string bytes, Prompter* prompter = nullptr);

    // Text values as a string item, anything else as a value record; an empty
    // value is written as a record with code 0.
    void WriteVariant(const Variant& value);
    // expectText: a string item (Text), otherwise a value record of the code found.
    Variant ReadVariant(bool expectText);

    // UTF-8 in memory, Windows-1251 in the stream.
    void WriteText(std::string_view utf8);
    std::string ReadText();
    void WriteInteger(int32_t value);
    int32_t ReadInteger();
    void WriteByte(uint8_t value);
    uint8_t ReadByte();
    void WriteBoolean(bool value);
    bool ReadBoolean();
    void WriteReal(double value);
    double ReadReal();
    // A float written widened to a double (code 5) and narrowed when read.
    void WriteSingle(float value);
    float ReadSingle();
    void WriteDate(double value);
    double ReadDate();
    void WriteCurrency(Money value);
    Money ReadCurrency();
    // Lines as one string item, CR LF after every line; read back split at CR LF, CR and LF.
    void WriteLines(const std::vector<std::string>& lines);
    std::vector<std::string> ReadLines();

    size_t Position() const { return position_; }
    // Beyond the end is allowed: a later write fills the gap with zeros.
    void Seek(size_t position) { position_ = position; }
    size_t Size() const { return bytes_.size(); }
    bool AtEnd() const { return position_ >= bytes_.size(); }
    const std::string& Bytes() const { return bytes_; }

private:
    void writeRaw(const void* data, size_t count);
    size_t readRaw(void* data, size_t count);
    void writeRecord(uint16_t code, const void* value, size_t count);

    std::string bytes_;
    size_t position_ = 0;
    Prompter* prompter_ = nullptr;
};

} // namespace kvf
