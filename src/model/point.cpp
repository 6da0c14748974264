#include "model/point.h"

#include "base/typed_stream.h"

namespace kvf {

TkvfPoint::TkvfPoint(TkvfFlugel* owner, std::int32_t x, std::int32_t y) : X(x), Y(y), Owner(owner) {}

void TkvfPoint::SaveToStream(TSpecStream& stream) const {
    stream.WriteInteger(X);
    stream.WriteInteger(Y);
}

void TkvfPoint::LoadFromStream(TSpecStream& stream, const std::string&) {
    X = stream.ReadInteger();
    Y = stream.ReadInteger();
}

} // namespace kvf
