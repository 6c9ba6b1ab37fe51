// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bit view: the selected entry's sixteen binary digits, most significant first, 11 pixels apart.

#include <optional>

namespace tintorb {

inline constexpr int BitDigitWidth = 11;

// The bit under a press at X pixels from the bit view's left edge; none from the seventeenth column on.
[[nodiscard]] constexpr std::optional<int> BitAt(int X) {
    const int bit = 15 - X / BitDigitWidth;
    if (bit < 0 || bit > 15) {
        return std::nullopt;
    }
    return bit;
}

}  // namespace tintorb
