// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the window goes on a screen too small for it, such as a small screen at a high scale factor.

#include <algorithm>

#include "app/Layout.h"

namespace tintorb {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// The frame's top-left corner: wanted where the whole frame fits the available area from there; otherwise
// moved in just far enough that as much of the frame as fits is visible, its top-left corner always, so
// that the caption and the menus can be reached.
[[nodiscard]] constexpr Point PlaceOnScreen(int frameWidth, int frameHeight, Rect available, Point wanted) {
    const int x = std::max(std::min(wanted.x, available.left + available.width - frameWidth), available.left);
    const int y = std::max(std::min(wanted.y, available.top + available.height - frameHeight), available.top);
    return {x, y};
}

}  // namespace tintorb
