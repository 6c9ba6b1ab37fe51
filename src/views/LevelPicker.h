// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The level picker: a row of eight 30 × 30 swatches for each of red, green and blue over areaRGB.

#include "model/ColourWord.h"

namespace tintorb {

inline constexpr int SwatchSize = 30;
inline constexpr int LevelCount = 8;

struct LevelHit {
    Channel channel = Channel::Red;
    int level = 0;
};

// Channel and level under (X, Y), relative to areaRGB; any row from the third on means blue.
[[nodiscard]] constexpr LevelHit LevelPickerHit(int X, int Y) {
    const int row = Y / SwatchSize;
    const Channel channel = row == 0 ? Channel::Red : row == 1 ? Channel::Green : Channel::Blue;
    return {channel, X / SwatchSize};
}

}  // namespace tintorb
