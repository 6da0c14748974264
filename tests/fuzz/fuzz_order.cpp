// fuzz-deps: kvf_model
// Reads an order file image from arbitrary bytes (conversions accepted), then
// writes it again, sums its money and gathers its material list, as the order
// window and reports do. Only a clean KvfError may come out.

#include "base/error.h"
#include "base/scripted_prompter.h"
#include "base/typed_stream.h"
#include "model/order.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kvf::ScriptedPrompter prompter;
    prompter.confirmAnswers = {true};
    kvf::TSpecStream stream =
        kvf::TSpecStream::FromBytes(std::string(reinterpret_cast<const char*>(data), size), &prompter);
    kvf::TkvfOrder order;
    bool converted = false;
    try {
        if (!order.LoadFromStream(stream, converted, prompter)) {
            return 0;
        }
    } catch (const kvf::KvfError&) {
        return 0;
    }
    kvf::TSpecStream out;
    order.SaveToStream(out);
    try {
        order.TotalWithNDS();
    } catch (const kvf::KvfError&) {
    }
    kvf::TkvfMatList list;
    try {
        order.AddMatListTo(&list, &prompter);
    } catch (const kvf::KvfError&) {
    }
    order.SortByName();
    order.FindPosition("1");
    return 0;
}
