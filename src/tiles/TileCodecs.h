// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the graphics of a game are stored: tiles of 8 × 8 pixels, each pixel a colour index of a few bits. A
// codec is one row of data, so that adding a storage format is one row and one function.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tintorb {

inline constexpr int TileSide = 8;
inline constexpr int TilePixels = TileSide * TileSide;

struct TileCodec {
    std::string_view name;
    int bitsPerPixel;
    int bytesPerTile;
    // Decodes count tiles lying one after another from bytes into count × 64 colour indices, each tile's
    // pixels row by row. Whole runs at a time, so that a screen or a file of tiles costs no call per tile.
    void (*decode)(const std::uint8_t* bytes, std::uint8_t* indices, std::size_t count);
};

// Every codec, in the order the window lists them.
[[nodiscard]] std::span<const TileCodec> TileCodecs();

// The codec of that name, or null.
[[nodiscard]] const TileCodec* FindTileCodec(std::string_view name);

}  // namespace tintorb
