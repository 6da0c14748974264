// fuzz-deps: kvf_model
// Reads a position record from arbitrary bytes with each layout version, then
// asks the loaded position for the sizes, corner angles and formula values
// that windows and reports ask for. Only a clean KvfError may come out.

#include "base/error.h"
#include "base/typed_stream.h"
#include "model/construction.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the version the record is read with.
    static const char* const versions[] = {"26.12.2019", "06.10.2015", "01.01.2009"};
    const char* version = versions[data[0] % 3];
    kvf::TSpecStream stream =
        kvf::TSpecStream::FromBytes(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    kvf::TkvfConstruction construction(nullptr);
    try {
        construction.LoadFromStream(stream, version);
    } catch (const kvf::KvfError&) {
        return 0;
    }
    for (const kvf::TkvfFlugel* sash : {&construction.LeftFlugel, &construction.RightFlugel}) {
        try {
            std::int32_t width = 0;
            std::int32_t height = 0;
            sash->GetSize(width, height);
            for (size_t i = 0; i < sash->Lines.size(); ++i) {
                sash->SideAngle(static_cast<int>(i));
                sash->Lines[i]->Orientation();
            }
            sash->Evaluate("FFB+FН+FFL(1)+FFGA(1)");
        } catch (const kvf::KvfError&) {
        }
    }
    kvf::TkvfConstruction copy(nullptr);
    try {
        copy.CopyFrom(construction);
    } catch (const kvf::KvfError&) {
    }
    return 0;
}
