#include "tiles/TileExport.h"

#include <algorithm>

#include "formats/IndexedPng.h"

namespace tintorb {

void ForEachIndexRow(std::span<const std::uint8_t> data, const TileRun& run, std::int64_t count,
                     const std::function<void(std::span<const std::uint8_t>)>& row) {
    const TileLayout& layout = run.layout;
    const std::int64_t rows = layout.Rows(std::clamp<std::int64_t>(count, 0, run.Count(data.size())));
    const std::int64_t end = run.start + count * run.codec->bytesPerTile;
    const std::span<const std::uint8_t> tiles = data.first(
        static_cast<std::size_t>(std::clamp<std::int64_t>(end, 0, static_cast<std::int64_t>(data.size()))));
    TileSheet sheet;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(layout.Width()) * TileSide);
    for (std::int64_t band = 0; band < rows; band += layout.blockHeight) {
        sheet.Decode(tiles, run, band, layout.blockHeight);
        for (int r = 0; r < layout.blockHeight; ++r) {
            for (int y = 0; y < TileSide; ++y) {
                sheet.RowIndices(r, y, indices);
                row(indices);
            }
        }
    }
}

std::vector<std::uint8_t> EncodeTilesPng(std::span<const std::uint8_t> data, const TileRun& run,
                                         std::int64_t count, std::span<const Rgb> colours, int zoom) {
    const std::int64_t rows = run.layout.Rows(std::clamp<std::int64_t>(count, 0, run.Count(data.size())));
    const auto width = static_cast<std::uint32_t>(run.layout.Width() * TileSide * zoom);
    IndexedPngWriter png(width, static_cast<std::uint32_t>(rows * TileSide * zoom), colours);
    std::vector<std::uint8_t> zoomed(width);
    ForEachIndexRow(data, run, count, [&](std::span<const std::uint8_t> indices) {
        for (std::size_t x = 0; x < zoomed.size(); ++x) {
            zoomed[x] = indices[x / zoom];
        }
        for (int z = 0; z < zoom; ++z) {
            png.WriteRow(zoomed);
        }
    });
    return png.Finish();
}

}  // namespace tintorb
