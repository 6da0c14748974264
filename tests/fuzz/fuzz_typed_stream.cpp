// Reads arbitrary bytes as a sequence of typed-stream items of mixed expected
// kinds, chosen by the input's first bytes: no crash, no hang, and no
// allocation beyond the data whatever a string length claims.
// fuzz-deps: kvf_base
#include "base/error.h"
#include "base/scripted_prompter.h"
#include "base/typed_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    // The first byte's bits and the following bytes pick the kinds to expect.
    const size_t kinds = 1 + data[0] % 8;
    if (size < 1 + kinds)
        return 0;
    const std::string pattern(reinterpret_cast<const char*>(data + 1), kinds);
    kvf::ScriptedPrompter prompter;
    kvf::TSpecStream stream = kvf::TSpecStream::FromBytes(
        std::string(reinterpret_cast<const char*>(data + 1 + kinds), size - 1 - kinds), &prompter);
    // Every read advances or reaches the end, so the data bounds the loop.
    for (size_t i = 0; !stream.AtEnd(); ++i) {
        try {
            switch (static_cast<unsigned char>(pattern[i % kinds]) % 10) {
            case 0:
                stream.ReadText();
                break;
            case 1:
                stream.ReadInteger();
                break;
            case 2:
                stream.ReadByte();
                break;
            case 3:
                stream.ReadBoolean();
                break;
            case 4:
                stream.ReadReal();
                break;
            case 5:
                stream.ReadSingle();
                break;
            case 6:
                stream.ReadDate();
                break;
            case 7:
                stream.ReadCurrency();
                break;
            case 8:
                stream.ReadLines();
                break;
            default:
                stream.ReadVariant(false).AsText();
                break;
            }
        } catch (const kvf::KvfError&) {
            // A rejected record or an unconvertible value; the reader has moved past it.
        }
    }
    return 0;
}
