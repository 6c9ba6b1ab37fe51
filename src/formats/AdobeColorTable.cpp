// SPDX-License-Identifier: GPL-3.0-or-later
// Adobe's color table: 256 RGB triples, then (in the newer form) the number of colours in use and the
// index of the transparent colour, both 16-bit big-endian. The older form is the 768 bytes alone.

#include "formats/Codecs.h"

namespace tintorb::codecs {

namespace {

constexpr std::size_t TableColours = 256;
constexpr std::size_t TableBytes = 3 * TableColours;
constexpr std::size_t TrailerBytes = 4;
constexpr std::uint16_t NoTransparentColour = 0xFFFF;

}  // namespace

std::vector<std::uint8_t> EncodeAct(std::span<const ColourWord> words) {
    std::vector<std::uint8_t> bytes(TableBytes + TrailerBytes, 0);
    for (std::size_t i = 0; i < words.size() && i < TableColours; ++i) {
        const Rgb c = DisplayColour(words[i]);
        bytes[3 * i] = c.r;
        bytes[3 * i + 1] = c.g;
        bytes[3 * i + 2] = c.b;
    }
    const auto count = static_cast<std::uint16_t>(std::min(words.size(), TableColours));
    bytes[TableBytes] = static_cast<std::uint8_t>(count >> 8);
    bytes[TableBytes + 1] = static_cast<std::uint8_t>(count & 0xFF);
    bytes[TableBytes + 2] = NoTransparentColour >> 8;
    bytes[TableBytes + 3] = NoTransparentColour & 0xFF;
    return bytes;
}

void DecodeAct(std::span<const std::uint8_t> bytes, ImportedPalette& palette) {
    if (bytes.size() != TableBytes && bytes.size() != TableBytes + TrailerBytes) {
        throw FormatError("Not an Adobe color table: it holds " + std::to_string(bytes.size()) +
                          " bytes, where a table has 768 or 772");
    }
    std::size_t count = TableColours;
    if (bytes.size() == TableBytes + TrailerBytes) {
        count = static_cast<std::size_t>(bytes[TableBytes] << 8 | bytes[TableBytes + 1]);
        if (count > TableColours) {
            throw FormatError("The Adobe color table says it holds " + std::to_string(count) +
                              " colours, but it has room for 256");
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        palette.Add(Rgb{bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]});
    }
}

}  // namespace tintorb::codecs
