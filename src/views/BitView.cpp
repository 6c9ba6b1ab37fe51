// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/BitView.h"

#include "app/Generic.h"

#include <array>
#include <string>

namespace tintorb {

namespace {

struct BitRun {
    std::size_t length;
    Rgb colour;
};

inline constexpr Rgb Black{0, 0, 0};

// Left to right. The colours go by digit position, never by digit value, so that the three digits of each
// channel's level always wear that channel's colour and the InvalidMask bits always stand out in black.
inline constexpr std::array<BitRun, 7> BitRuns{{
    {4, Black},        // bits 15-12
    {3, {0, 0, 255}},  // blue level, bits 11-9
    {1, Black},        // bit 8
    {3, {0, 128, 0}},  // green level, bits 7-5
    {1, Black},        // bit 4
    {3, {255, 0, 0}},  // red level, bits 3-1
    {1, Black},        // bit 0
}};

// Most significant bit first.
[[nodiscard]] std::string BinaryDigits(ColourWord w) {
    std::string digits;
    for (int n = 0; n <= 15; ++n) {
        digits.insert(digits.begin(), BitOf(w, n) != 0 ? '1' : '0');
    }
    return digits;
}

}  // namespace

void TForm1::ShowBits(ColourWord w) {
    const std::string digits = BinaryDigits(w);
    controls_.SetEnabled(Ctl::editBits, true);
    controls_.Clear(Ctl::editBits);
    std::size_t at = 0;
    for (const BitRun& run : BitRuns) {
        controls_.SetInsertColour(Ctl::editBits, run.colour);
        controls_.InsertText(Ctl::editBits, std::string_view(digits).substr(at, run.length));
        at += run.length;
    }
}

}  // namespace tintorb
