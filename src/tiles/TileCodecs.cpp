// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileCodecs.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tintorb {

namespace {

// Bit 7 of a plane byte is the leftmost pixel.
[[nodiscard]] constexpr std::uint8_t PlaneBit(std::uint8_t plane, int x) {
    return static_cast<std::uint8_t>((plane >> (7 - x)) & 1);
}

void DecodeOneBit(const std::uint8_t* bytes, std::uint8_t* indices, std::size_t count) {
    for (std::size_t row = 0; row < count * TileSide; ++row) {
        for (int x = 0; x < TileSide; ++x) {
            indices[row * TileSide + x] = PlaneBit(bytes[row], x);
        }
    }
}

// Each row is a byte of plane 0 and a byte of plane 1.
void DecodeTwoPlanes(const std::uint8_t* bytes, std::uint8_t* indices, std::size_t count) {
    for (std::size_t row = 0; row < count * TileSide; ++row) {
        const std::uint8_t* planes = bytes + 2 * row;
        for (int x = 0; x < TileSide; ++x) {
            indices[row * TileSide + x] = PlaneBit(planes[0], x) | PlaneBit(planes[1], x) << 1;
        }
    }
}

// Planes 0 and 1 by row in the first 16 bytes of a tile, planes 2 and 3 in the next 16.
void DecodeFourPlanes(const std::uint8_t* bytes, std::uint8_t* indices, std::size_t count) {
    for (std::size_t tile = 0; tile < count; ++tile) {
        const std::uint8_t* low = bytes + tile * 32;
        const std::uint8_t* high = low + 16;
        std::uint8_t* out = indices + tile * TilePixels;
        for (int row = 0; row < TileSide; ++row) {
            for (int x = 0; x < TileSide; ++x) {
                out[row * TileSide + x] = PlaneBit(low[2 * row], x) | PlaneBit(low[2 * row + 1], x) << 1 |
                                          PlaneBit(high[2 * row], x) << 2 |
                                          PlaneBit(high[2 * row + 1], x) << 3;
            }
        }
    }
}

// Two pixels a byte: the loop is a plain interleave of nibbles, which the compiler turns into vector code,
// so that decoding a whole file for export costs little more than reading it.
template <bool HighNibbleFirst>
void DecodePacked(const std::uint8_t* bytes, std::uint8_t* indices, std::size_t count) {
    for (std::size_t i = 0; i < count * TilePixels / 2; ++i) {
        const std::uint8_t high = bytes[i] >> 4;
        const std::uint8_t low = bytes[i] & 0xF;
        indices[2 * i] = HighNibbleFirst ? high : low;
        indices[2 * i + 1] = HighNibbleFirst ? low : high;
    }
}

void DecodeBytes(const std::uint8_t* bytes, std::uint8_t* indices, std::size_t count) {
    std::memcpy(indices, bytes, count * TilePixels);
}

constexpr std::array<TileCodec, 6> Codecs{{
    {"1bpp", 1, 8, DecodeOneBit},
    {"2bpp-planar", 2, 16, DecodeTwoPlanes},
    {"4bpp-packed", 4, 32, DecodePacked<true>},
    {"4bpp-packed-low", 4, 32, DecodePacked<false>},
    {"4bpp-planar", 4, 32, DecodeFourPlanes},
    {"8bpp", 8, 64, DecodeBytes},
}};

}  // namespace

std::span<const TileCodec> TileCodecs() {
    return Codecs;
}

const TileCodec* FindTileCodec(std::string_view name) {
    const auto codec =
        std::find_if(Codecs.begin(), Codecs.end(), [&](const TileCodec& c) { return c.name == name; });
    return codec == Codecs.end() ? nullptr : &*codec;
}

}  // namespace tintorb
