#include "ui/position_clipboard.h"

#include "base/typed_stream.h"
#include "model/construction.h"
#include "model/record_versions.h"

#include <QMimeData>
#include <QStringList>

namespace kvf {

namespace {

// The clipboard record:
//   Header            text "Korvena Positions"
//   Version           text, the order version the positions are written in
//   number of positions  integer, then the construction records
constexpr const char* ClipboardHeader = "Korvena Positions";

} // namespace

std::unique_ptr<QMimeData> PositionsToMime(const std::vector<const TkvfConstruction*>& positions) {
    TSpecStream stream;
    stream.WriteText(ClipboardHeader);
    stream.WriteText(kCurrentOrderVersion);
    stream.WriteInteger(static_cast<int32_t>(positions.size()));
    QStringList lines;
    for (const TkvfConstruction* position : positions) {
        position->SaveToStream(stream);
        std::int32_t width = 0;
        std::int32_t height = 0;
        position->GetSize(width, height);
        lines << QString("%1\t%2 x %3\t%4\t%5")
                     .arg(QString::fromStdString(position->No))
                     .arg(width)
                     .arg(height)
                     .arg(position->Number)
                     .arg(QString::fromStdString(position->Name));
    }
    auto data = std::make_unique<QMimeData>();
    data->setData(PositionsMimeType, QByteArray::fromStdString(stream.Bytes()));
    data->setText(lines.join('\n'));
    return data;
}

bool HasPositions(const QMimeData* data) {
    return data != nullptr && data->hasFormat(PositionsMimeType);
}

std::vector<std::unique_ptr<TkvfConstruction>> PositionsFromMime(const QMimeData* data, TkvfOrder& order) {
    std::vector<std::unique_ptr<TkvfConstruction>> positions;
    if (!HasPositions(data)) {
        return positions;
    }
    try {
        TSpecStream stream = TSpecStream::FromBytes(data->data(PositionsMimeType).toStdString());
        if (stream.ReadText() != ClipboardHeader) {
            return {};
        }
        const std::string version = stream.ReadText();
        const int32_t count = stream.ReadInteger();
        for (int32_t i = 0; i < count; ++i) {
            auto position = std::make_unique<TkvfConstruction>(&order);
            position->LoadFromStream(stream, version);
            positions.push_back(std::move(position));
        }
    } catch (const std::exception&) {
        return {};
    }
    return positions;
}

} // namespace kvf
