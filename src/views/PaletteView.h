// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The palette view's grid: sixteen 25 × 40 cells to a row over the rectangle of areaPal.

#include "model/EditorState.h"

namespace tintorb {

inline constexpr int PaletteCellWidth = 25;
inline constexpr int PaletteCellHeight = 40;
inline constexpr int PaletteColumns = 16;

// Entry under (X, Y), relative to areaPal. Divisions truncate toward zero, and a column of 16 or more runs
// on into the next row's entries, so a release right of row 0 selects into row 1.
[[nodiscard]] constexpr int PaletteEntryAt(int X, int Y) {
    return X / PaletteCellWidth + (Y / PaletteCellHeight) * PaletteColumns;
}

}  // namespace tintorb
