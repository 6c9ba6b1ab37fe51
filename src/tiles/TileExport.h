// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tiles written out as an indexed PNG image whose colour table is a palette line, the way they show.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "model/ColourWord.h"
#include "tiles/TileSheet.h"

namespace tintorb {

// Calls row with the colour indices of every pixel row that count tiles from run.start take, top to bottom,
// at zoom 1. The tiles are decoded a band at a time, so a whole file takes a band's memory.
void ForEachIndexRow(std::span<const std::uint8_t> data, const TileRun& run, std::int64_t count,
                     const std::function<void(std::span<const std::uint8_t>)>& row);

// count tiles (fewer where the data ends) as an indexed PNG, each pixel zoom × zoom.
[[nodiscard]] std::vector<std::uint8_t> EncodeTilesPng(std::span<const std::uint8_t> data, const TileRun& run,
                                                       std::int64_t count, std::span<const Rgb> colours,
                                                       int zoom);

}  // namespace tintorb
