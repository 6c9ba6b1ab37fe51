// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/LevelPicker.h"

#include "app/Generic.h"

#include <array>
#include <cstdint>

namespace tintorb {

namespace {

// The swatch colour of level k in each row: the level's intensity in the row's own channel only.
[[nodiscard]] constexpr Rgb SwatchColour(Channel row, int k) {
    const std::uint8_t v = LevelIntensity(k);
    switch (row) {
        case Channel::Red:
            return {v, 0, 0};
        case Channel::Green:
            return {0, v, 0};
        case Channel::Blue:
            return {0, 0, v};
    }
    return {};
}

struct PickerRow {
    Channel channel;
    Rgb marker;
};

// Top to bottom; each marker is chosen to stand out against every swatch of its own row.
inline constexpr std::array<PickerRow, 3> PickerRows{{
    {Channel::Red, {255, 255, 0}},
    {Channel::Green, {255, 128, 0}},
    {Channel::Blue, {255, 255, 128}},
}};

[[nodiscard]] constexpr int LevelIn(Levels levels, Channel channel) {
    switch (channel) {
        case Channel::Red:
            return levels.red;
        case Channel::Green:
            return levels.green;
        case Channel::Blue:
            return levels.blue;
    }
    return 0;
}

// A two-pixel frame on the swatch's own edge keeps its inner 26 × 26 in the swatch colour.
inline constexpr int MarkerThickness = 2;

}  // namespace

void TForm1::DrawLevelPicker() {
    const Rect area = RectOf(Ctl::areaRGB);
    const Levels levels = LevelsOf(State.GetEntry(State.SelStart));
    for (int row = 0; row < static_cast<int>(PickerRows.size()); ++row) {
        std::array<std::uint32_t, LevelCount> swatches{};
        for (int k = 0; k < LevelCount; ++k) {
            swatches[static_cast<std::size_t>(k)] = PixelOf(SwatchColour(PickerRows[row].channel, k));
        }
        const std::array<Rgb, MarkerThickness> marker{PickerRows[row].marker, PickerRows[row].marker};
        const Surface::CellFrame frame{static_cast<std::size_t>(LevelIn(levels, PickerRows[row].channel)),
                                       marker};
        surface().FillCellRow(area.left, area.top + SwatchSize * row, SwatchSize, SwatchSize, swatches,
                              std::span(&frame, 1));
    }
}

}  // namespace tintorb
