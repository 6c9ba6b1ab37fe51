// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileExport.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "formats/IndexedPng.h"
#include "tiles/CpuFeatures.h"
#include "tiles/TileLayout.h"

namespace tintorb {

namespace {

// The eight rows of each tile of a row of tiles, side by side on eight lines of lineLength indices: tile c's
// row y goes to line y from column c's place on.
void PutOnLinesEach(std::span<const std::uint8_t* const> tiles, std::uint8_t* lines, std::size_t lineLength) {
    for (std::size_t column = 0; column < tiles.size(); ++column) {
        for (int y = 0; y < TileSide; ++y) {
            std::memcpy(lines + y * lineLength + column * TileSide, tiles[column] + y * TileSide, TileSide);
        }
    }
}

#if defined(__x86_64__)
// The same, four tiles at a time: their rows 0 to 3, then 4 to 7, are a 4 × 4 of eight-byte rows to turn
// over, in registers. A whole file's export moved each row on its own, and that was most of its time.
__attribute__((target("avx2"))) void PutOnLinesAvx2(std::span<const std::uint8_t* const> tiles,
                                                    std::uint8_t* lines, std::size_t lineLength) {
    const std::size_t fours = tiles.size() / 4 * 4;
    for (std::size_t column = 0; column < fours; column += 4) {
        for (int half = 0; half < 2; ++half) {
            const std::size_t from = static_cast<std::size_t>(half) * 4 * TileSide;
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tiles[column] + from));
            const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tiles[column + 1] + from));
            const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tiles[column + 2] + from));
            const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(tiles[column + 3] + from));
            const __m256i ab02 = _mm256_unpacklo_epi64(a, b);
            const __m256i ab13 = _mm256_unpackhi_epi64(a, b);
            const __m256i cd02 = _mm256_unpacklo_epi64(c, d);
            const __m256i cd13 = _mm256_unpackhi_epi64(c, d);
            std::uint8_t* out = lines + half * 4 * lineLength + column * TileSide;
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_permute2x128_si256(ab02, cd02, 0x20));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + lineLength),
                                _mm256_permute2x128_si256(ab13, cd13, 0x20));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * lineLength),
                                _mm256_permute2x128_si256(ab02, cd02, 0x31));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 3 * lineLength),
                                _mm256_permute2x128_si256(ab13, cd13, 0x31));
        }
    }
    PutOnLinesEach(tiles.subspan(fours), lines + fours * TileSide, lineLength);
}

#endif

void PutOnLines(std::span<const std::uint8_t* const> tiles, std::uint8_t* lines, std::size_t lineLength) {
#if defined(__x86_64__)
    if (HasAvx2()) {
        PutOnLinesAvx2(tiles, lines, lineLength);
        return;
    }
#endif
    PutOnLinesEach(tiles, lines, lineLength);
}

}  // namespace

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
    // Where each place of a band finds its tile's indices, the same for every whole band.
    std::vector<const std::uint8_t*> placed(places.size());
    const auto place = [&](std::int64_t tiles) {
        for (std::size_t i = 0; i < places.size(); ++i) {
            placed[i] = indices.data() + (places[i] < tiles ? places[i] : empty) * TilePixels;
        }
    };
    place(bandTiles);
    count = std::clamp<std::int64_t>(count, 0, run.Count(data.size()));
    for (std::int64_t first = 0; first < count; first += bandTiles) {
        const std::int64_t tiles = std::min(bandTiles, count - first);
        if (tiles < bandTiles) {
            place(tiles);
        }
        run.codec->decode(data.data() + run.Address(first), indices.data(), static_cast<std::size_t>(tiles));
        for (std::size_t at = 0; at < placed.size(); at += static_cast<std::size_t>(width)) {
            PutOnLines(std::span(placed).subspan(at, static_cast<std::size_t>(width)), lines.data(),
                       lineLength);
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
