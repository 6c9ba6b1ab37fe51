// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Made-up files for the palette finder: bytes like a game image's, with palettes planted where a test
// knows them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/ColourWord.h"

namespace tintorb::test {

// Code, tile graphics, zero and 0xFF padding and a few palettes, in 4 KiB stretches, the same for a seed.
[[nodiscard]] std::vector<std::uint8_t> RomLikeBytes(std::size_t size, std::uint32_t seed);

// n valid colour words in which no two neighbours are equal and no step repeats: a palette, not a ramp.
[[nodiscard]] std::vector<ColourWord> MadeUpPalette(int n, std::uint32_t seed);

// Writes the words high byte first from offset.
void Plant(std::vector<std::uint8_t>& bytes, std::size_t offset, std::span<const ColourWord> words);

}  // namespace tintorb::test
