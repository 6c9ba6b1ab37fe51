// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What both palette reader fuzz targets check of one input: the reader either fails with a FormatError
// or gives at most a palette's worth of words, and what it gave, written out again in the same format,
// reads back the same.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/PaletteFormat.h"

inline void CheckPaletteReader(tintorb::PaletteFormat format, std::span<const std::uint8_t> bytes) {
    const auto require = [](bool condition) {
        if (!condition) {
            std::abort();
        }
    };
    tintorb::ImportedPalette palette;
    try {
        palette = tintorb::DecodePalette(format, bytes);
    } catch (const tintorb::FormatError&) {
        return;
    }
    require(!palette.words.empty() && palette.words.size() <= tintorb::MaxPalLength);
    require(palette.leftOut == 0 || palette.words.size() == tintorb::MaxPalLength);
    const tintorb::ImportedPalette again =
        tintorb::DecodePalette(format, tintorb::EncodePalette(format, palette.words, "fuzz"));
    require(again.words == palette.words && again.leftOut == 0);
}
