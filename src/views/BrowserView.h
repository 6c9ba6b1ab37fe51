// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The data browser's grid: 32 × 32 cells of 16 × 16 pixels over the rectangle of areaBrowser.

#include <cstdint>

namespace tintorb {

inline constexpr int BrowserCellSize = 16;
inline constexpr int BrowserColumns = 32;
inline constexpr int BrowserCells = BrowserColumns * BrowserColumns;

// Byte offset of the word under (X, Y), relative to areaBrowser. Divisions truncate toward zero, so a
// point up to a cell left of or above the grid still maps to column or row 0. Used by the drawing, the
// hover label and the click alike.
[[nodiscard]] constexpr std::int64_t BrowserOffsetAt(int X, int Y, std::int32_t browserOffset) {
    return 2 * (std::int64_t{Y / BrowserCellSize} * BrowserColumns + X / BrowserCellSize + browserOffset / 2);
}

}  // namespace tintorb
