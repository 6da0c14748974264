#include "base/scripted_prompter.h"
#include "base/typed_stream.h"

#include "base/error.h"
#include "base/ole_date.h"
#include "hex_bytes.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

using test::hex;

TEST(SpecStream, GoldenBytesOfEveryItemKind) {
    struct Case {
        const char* name;
        void (*write)(TSpecStream&);
        const char* bytes;
    };
    const Case cases[] = {
        {"empty text", [](TSpecStream& s) { s.WriteText(""); }, "00 00 00 00"},
        {"text in Windows-1251", [](TSpecStream& s) { s.WriteText("Окно1"); }, "05 00 00 00 CE EA ED EE 31"},
        {"integer 5", [](TSpecStream& s) { s.WriteInteger(5); },
         "03 00 00 00 00 00 00 00 05 00 00 00 00 00 00 00"},
        {"integer -2", [](TSpecStream& s) { s.WriteInteger(-2); },
         "03 00 00 00 00 00 00 00 FE FF FF FF 00 00 00 00"},
        {"true", [](TSpecStream& s) { s.WriteBoolean(true); },
         "0B 00 00 00 00 00 00 00 FF FF 00 00 00 00 00 00"},
        {"false", [](TSpecStream& s) { s.WriteBoolean(false); },
         "0B 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"byte 200", [](TSpecStream& s) { s.WriteByte(200); },
         "11 00 00 00 00 00 00 00 C8 00 00 00 00 00 00 00"},
        {"real 1.5", [](TSpecStream& s) { s.WriteReal(1.5); },
         "05 00 00 00 00 00 00 00 00 00 00 00 00 00 F8 3F"},
        {"single 0.5 widened", [](TSpecStream& s) { s.WriteSingle(0.5f); },
         "05 00 00 00 00 00 00 00 00 00 00 00 00 00 E0 3F"},
        {"date 2.0", [](TSpecStream& s) { s.WriteDate(2.0); },
         "07 00 00 00 00 00 00 00 00 00 00 00 00 00 00 40"},
        {"currency 1.2345", [](TSpecStream& s) { s.WriteCurrency(Money::FromRaw(12345)); },
         "06 00 00 00 00 00 00 00 39 30 00 00 00 00 00 00"},
        {"currency -1", [](TSpecStream& s) { s.WriteCurrency(Money::FromRaw(-1)); },
         "06 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF"},
        {"empty value", [](TSpecStream& s) { s.WriteVariant(Variant()); },
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"lines",
         [](TSpecStream& s) {
             s.WriteLines({"a", "б"});
         },
         "06 00 00 00 61 0D 0A E1 0D 0A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSpecStream stream;
        c.write(stream);
        EXPECT_EQ(c.bytes, hex(stream.Bytes()));
    }
}

TEST(SpecStream, EveryItemKindReadsBack) {
    TSpecStream out;
    out.WriteText("Стекло «Люкс» №1");
    out.WriteText("");
    out.WriteInteger(-123456);
    out.WriteByte(255);
    out.WriteBoolean(true);
    out.WriteBoolean(false);
    out.WriteReal(-0.1);
    out.WriteSingle(0.1f);
    out.WriteDate(EncodeDateTime(2019, 12, 26, 13, 45, 0, 0));
    out.WriteCurrency(Money::FromRaw(-296294));
    out.WriteLines({"первая", "", "третья"});

    TSpecStream in = TSpecStream::FromBytes(out.Bytes());
    EXPECT_EQ("Стекло «Люкс» №1", in.ReadText());
    EXPECT_EQ("", in.ReadText());
    EXPECT_EQ(-123456, in.ReadInteger());
    EXPECT_EQ(255, in.ReadByte());
    EXPECT_TRUE(in.ReadBoolean());
    EXPECT_FALSE(in.ReadBoolean());
    EXPECT_EQ(-0.1, in.ReadReal());
    EXPECT_EQ(0.1f, in.ReadSingle());
    EXPECT_EQ(EncodeDateTime(2019, 12, 26, 13, 45, 0, 0), in.ReadDate());
    EXPECT_EQ(Money::FromRaw(-296294), in.ReadCurrency());
    EXPECT_EQ((std::vector<std::string>{"первая", "", "третья"}), in.ReadLines());
    EXPECT_TRUE(in.AtEnd());
}

TEST(SpecStream, ReadingConvertsTheStoredNumericType) {
    TSpecStream out;
    out.WriteReal(2.5); // read as integer: half to even
    out.WriteReal(3.5);
    out.WriteInteger(7); // read as real, currency, boolean
    out.WriteInteger(7);
    out.WriteInteger(7);
    out.WriteCurrency(Money::FromRaw(15000)); // read as integer and real
    out.WriteCurrency(Money::FromRaw(15000));
    out.WriteBoolean(true); // read as integer
    TSpecStream in = TSpecStream::FromBytes(out.Bytes());
    EXPECT_EQ(2, in.ReadInteger());
    EXPECT_EQ(4, in.ReadInteger());
    EXPECT_EQ(7.0, in.ReadReal());
    EXPECT_EQ(Money::FromRaw(70000), in.ReadCurrency());
    EXPECT_TRUE(in.ReadBoolean());
    EXPECT_EQ(2, in.ReadInteger());
    EXPECT_EQ(1.5, in.ReadReal());
    EXPECT_EQ(-1, in.ReadInteger());
}

TEST(SpecStream, TextEndsAtEmbeddedZero) {
    TSpecStream out;
    out.WriteText(std::string("ab\0cd", 5));
    EXPECT_EQ("05 00 00 00 61 62 00 63 64", hex(out.Bytes()));
    TSpecStream in = TSpecStream::FromBytes(out.Bytes());
    EXPECT_EQ("ab", in.ReadText());
    EXPECT_TRUE(in.AtEnd());
}

TEST(SpecStream, TruncatedTextIsReportedAndReadingGoesOn) {
    ScriptedPrompter prompter;
    // Claims 10 bytes, holds 3.
    TSpecStream in = TSpecStream::FromBytes(std::string("\x0A\x00\x00\x00\xCE\xEA\xED", 7), &prompter);
    EXPECT_EQ("Окн", in.ReadText());
    ASSERT_EQ(1u, prompter.records.size());
    EXPECT_EQ(MessageKind::Error, prompter.records[0].kind);
    EXPECT_EQ("Ошибка чтения строки из потока!\r\nЗаказано: [10 символов], Считано: [3 символов]!",
              prompter.records[0].text);
    // Everything after the end reads empty.
    EXPECT_EQ(0, in.ReadInteger());
    EXPECT_EQ("", in.ReadText());
    EXPECT_FALSE(in.ReadBoolean());
    EXPECT_EQ(Money(), in.ReadCurrency());
    EXPECT_EQ(1u, prompter.records.size());
}

TEST(SpecStream, BogusLengthsAllocateNoMoreThanTheData) {
    ScriptedPrompter prompter;
    TSpecStream huge = TSpecStream::FromBytes(std::string("\xFF\xFF\xFF\x7F"
                                                          "ab",
                                                          6),
                                              &prompter);
    EXPECT_EQ("ab", huge.ReadText());
    TSpecStream negative = TSpecStream::FromBytes(std::string("\xFE\xFF\xFF\xFF"
                                                              "ab",
                                                              6),
                                                  &prompter);
    EXPECT_EQ("", negative.ReadText());
    EXPECT_EQ(2u, negative.Position() - 2); // nothing consumed after the length
    EXPECT_EQ(
        (std::vector<std::string>{
            "Ошибка чтения строки из потока!\r\nЗаказано: [2147483647 символов], Считано: [2 символов]!",
            "Ошибка чтения строки из потока!\r\nЗаказано: [-2 символов], Считано: [0 символов]!"}),
        prompter.Texts(MessageKind::Error));
}

TEST(SpecStream, PartialValueRecordIsEmpty) {
    TSpecStream in = TSpecStream::FromBytes(std::string("\x03\x00\x00\x00\x00\x00\x00\x00\x05", 9));
    const Variant v = in.ReadVariant(false);
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_TRUE(in.AtEnd());
}

TEST(SpecStream, UnknownTypeCodeIsRejected) {
    std::string record(16, '\0');
    record[0] = 0x08; // a string-pointer variant: never written by this system
    record[16 - 8] = 1;
    TSpecStream in = TSpecStream::FromBytes(std::string(16, '\0') + record);
    EXPECT_TRUE(in.ReadVariant(false).IsEmpty());
    try {
        in.ReadVariant(false);
        FAIL() << "no error";
    } catch (const KvfError& e) {
        EXPECT_EQ("Ошибка чтения потока: неизвестный тип значения 8 в позиции 16", std::string(e.what()));
    }
}

TEST(SpecStream, ReservedBytesAreIgnoredOnReading) {
    std::string record("\x03\x00\xAA\xBB\xCC\xDD\xEE\xFF\x2A\x00\x00\x00\x99\x99\x99\x99", 16);
    TSpecStream in = TSpecStream::FromBytes(record);
    EXPECT_EQ(42, in.ReadInteger());
}

TEST(SpecStream, SeekAndOverwriteLikeAMemoryStream) {
    TSpecStream s;
    s.WriteInteger(1);
    s.WriteInteger(2);
    s.Seek(16);
    s.WriteInteger(9);
    EXPECT_EQ(32u, s.Size());
    s.Seek(40);
    s.WriteByte(1);
    EXPECT_EQ(56u, s.Size());
    EXPECT_EQ(std::string(8, '\0'), s.Bytes().substr(32, 8));
    s.Seek(0);
    EXPECT_EQ(1, s.ReadInteger());
    EXPECT_EQ(9, s.ReadInteger());
}

} // namespace
} // namespace kvf
