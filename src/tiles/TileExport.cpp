// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileExport.h"

#include <algorithm>
#include <cstring>

#include "formats/IndexedPng.h"
#include "tiles/TileLayout.h"

namespace tintorb {

void ForEachIndexRow(std::span<const std::uint8_t> data, const TileRun& run, std::int64_t count,
                     const std::function<void(std::span<const std::uint8_t>)>& row) {
    const TileLayout& layout = run.layout;
    const int width = layout.Width();
    const std::int64_t bandTiles = layout.BandTiles();
    const std::vector<std::int32_t> places = layout.BandOrder();
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(bandTiles + 1) * TilePixels);
    // Past the band's tiles: an empty tile, for the places of a last band that it does not fill.
    const std::int64_t empty = bandTiles;
    const std::size_t lineLength = static_cast<std::size_t>(width) * TileSide;
    std::vector<std::uint8_t> lines(lineLength * TileSide);
    count = std::clamp<std::int64_t>(count, 0, run.Count(data.size()));
    for (std::int64_t first = 0; first < count; first += bandTiles) {
        const std::int64_t tiles = std::min(bandTiles, count - first);
        run.codec->decode(data.data() + run.Address(first), indices.data(), static_cast<std::size_t>(tiles));
        for (std::size_t place = 0; place < places.size(); place += width) {
            // A row of tiles at a time, each tile read once, whole, and its rows put on the eight lines.
            for (int column = 0; column < width; ++column) {
                const std::int64_t tile = places[place + column] < tiles ? places[place + column] : empty;
                const std::uint8_t* from = indices.data() + tile * TilePixels;
                std::uint8_t* to = lines.data() + column * TileSide;
                for (int y = 0; y < TileSide; ++y) {
                    std::memcpy(to + y * lineLength, from + y * TileSide, TileSide);
                }
            }
            for (int y = 0; y < TileSide; ++y) {
                row(std::span(lines).subspan(y * lineLength, lineLength));
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
