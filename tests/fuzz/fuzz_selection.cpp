// fuzz-deps: kvf_model
// Reads a selection file image from arbitrary bytes (conversions accepted),
// then writes it again and sorts and searches its items. Only a clean KvfError
// may come out.

#include "base/error.h"
#include "base/scripted_prompter.h"
#include "base/typed_stream.h"
#include "model/order_selection.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kvf::ScriptedPrompter prompter;
    prompter.confirmAnswers = {true};
    // Inputs without the header would all stop at its check: the first byte
    // chooses whether the header is put in front of the rest.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty() && (bytes[0] & 1)) {
        const std::string header = kvf::kSelectionFileHeader;
        bytes = std::string("\x20\x00\x00\x00", 4) + header + bytes.substr(1);
    }
    kvf::TSpecStream stream = kvf::TSpecStream::FromBytes(bytes, &prompter);
    kvf::TkvfOrderSelection selection;
    bool converted = false;
    try {
        if (!selection.LoadFromStream(stream, converted, prompter)) {
            return 0;
        }
    } catch (const kvf::KvfError&) {
        return 0;
    }
    kvf::TSpecStream out;
    selection.SaveToStream(out);
    selection.SortByOrderNo();
    selection.SortByName();
    selection.IndexOf("A", "1");
    return 0;
}
