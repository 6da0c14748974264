#pragma once
// Positions on the system clipboard: our own MIME type holding their
// typed-stream records, and plain text with one line per position (label,
// width x height, count, name). Pasting reads only our own type.

#include <memory>
#include <vector>

class QMimeData;

namespace kvf {

class TkvfConstruction;
class TkvfOrder;

inline constexpr const char* PositionsMimeType = "application/x-korvena-positions";

// The MIME data of the given positions.
std::unique_ptr<QMimeData> PositionsToMime(const std::vector<const TkvfConstruction*>& positions);

// True when the data carries positions of ours.
bool HasPositions(const QMimeData* data);

// The positions of the data, made for `order` (not appended); empty when the
// data carries none of ours or cannot be read.
std::vector<std::unique_ptr<TkvfConstruction>> PositionsFromMime(const QMimeData* data, TkvfOrder& order);

} // namespace kvf
