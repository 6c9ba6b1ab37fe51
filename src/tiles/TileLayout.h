// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where each tile of a run goes on the screen. Some games store a sprite row by row, others as a block of
// tiles running down its columns; block order shows the second kind whole.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tintorb {

inline constexpr int MaxTileColumns = 64;
inline constexpr int MaxBlockSide = 4;

struct TilePlace {
    int column = 0;
    std::int64_t row = 0;
    friend constexpr bool operator==(TilePlace, TilePlace) = default;
};

// Tiles in row order, or in blocks of blockWidth × blockHeight tiles laid out row by row, each block's tiles
// running down its first column, then down the next. Blocks of 1 × 1 are row order.
struct TileLayout {
    int columns = 16;  // 1 to MaxTileColumns
    int blockWidth = 1;
    int blockHeight = 1;
    friend constexpr bool operator==(const TileLayout&, const TileLayout&) = default;

    // Tiles across, whole blocks only, and at least one block.
    [[nodiscard]] constexpr int Width() const { return std::max(1, columns / blockWidth) * blockWidth; }
    // Tiles in one band of blocks, blockHeight rows high.
    [[nodiscard]] constexpr std::int64_t BandTiles() const { return std::int64_t{Width()} * blockHeight; }
    // Rows that count tiles take, whole bands.
    [[nodiscard]] constexpr std::int64_t Rows(std::int64_t count) const {
        return (count + BandTiles() - 1) / BandTiles() * blockHeight;
    }

    [[nodiscard]] constexpr TilePlace PlaceOf(std::int64_t n) const {
        const std::int64_t blockTiles = std::int64_t{blockWidth} * blockHeight;
        const std::int64_t block = n / blockTiles;
        const std::int64_t inBlock = n % blockTiles;
        const int blocksAcross = Width() / blockWidth;
        return {static_cast<int>(block % blocksAcross * blockWidth + inBlock / blockHeight),
                block / blocksAcross * blockHeight + inBlock % blockHeight};
    }

    // Which tile of its band each place of a band shows, row by row: the same for every band, so that drawing
    // a band needs no arithmetic per tile.
    [[nodiscard]] std::vector<std::int32_t> BandOrder() const {
        std::vector<std::int32_t> order(static_cast<std::size_t>(BandTiles()));
        for (std::int32_t n = 0; n < static_cast<std::int32_t>(order.size()); ++n) {
            const TilePlace place = PlaceOf(n);
            order[static_cast<std::size_t>(place.row * Width() + place.column)] = n;
        }
        return order;
    }

    // The tile shown at a place on the grid; the inverse of PlaceOf.
    [[nodiscard]] constexpr std::int64_t TileAt(TilePlace place) const {
        const int blocksAcross = Width() / blockWidth;
        const std::int64_t block = place.row / blockHeight * blocksAcross + place.column / blockWidth;
        return block * blockWidth * blockHeight + place.column % blockWidth * blockHeight +
               place.row % blockHeight;
    }
};

}  // namespace tintorb
