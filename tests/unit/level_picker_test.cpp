// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>

#include "support/FormHarness.h"
#include "views/LevelPicker.h"

namespace tintorb::test {

namespace {

struct PickerCase {
    ColourWord word;
    std::array<int, 3> markedColumns;  // red, green, blue row
};

constexpr std::array<Rgb, 3> MarkerColours{{{255, 255, 0}, {255, 128, 0}, {255, 255, 128}}};

Rgb Swatch(int row, int level) {
    const std::uint8_t v = LevelIntensity(level);
    return row == 0 ? Rgb{v, 0, 0} : row == 1 ? Rgb{0, v, 0} : Rgb{0, 0, v};
}

// Counts the pixels of the swatch at (row, level) that differ from what they should be: the marker colour
// on its outer two pixels when marked, the swatch colour everywhere else.
int WrongPixels(const Surface& s, int row, int level, bool marked) {
    const Rect area = RectOf(Ctl::areaRGB);
    int wrong = 0;
    for (int dy = 0; dy < SwatchSize; ++dy) {
        for (int dx = 0; dx < SwatchSize; ++dx) {
            const bool edge = dx < 2 || dy < 2 || dx >= SwatchSize - 2 || dy >= SwatchSize - 2;
            const Rgb expected = marked && edge ? MarkerColours[row] : Swatch(row, level);
            wrong +=
                s.PixelAt(area.left + SwatchSize * level + dx, area.top + SwatchSize * row + dy) != expected;
        }
    }
    return wrong;
}

class LevelPickerMarkers : public testing::TestWithParam<PickerCase> {};

TEST_P(LevelPickerMarkers, FrameTheSelectedEntrysLevelInEachRow) {
    FormHarness h;
    // The selected entry is the second one, so a picker that read entry 0 would show 0x1234's levels.
    Mutable(h.form).FileData = WordBytes({0x1234, GetParam().word});
    Mutable(h.form).PalLength = 2;
    Mutable(h.form).SelStart = 1;
    h.form.DrawLevelPicker();

    for (int row = 0; row < 3; ++row) {
        for (int level = 0; level < LevelCount; ++level) {
            const bool marked = level == GetParam().markedColumns[static_cast<std::size_t>(row)];
            EXPECT_EQ(WrongPixels(h.form.surface(), row, level, marked), 0)
                << "row " << row << ", level " << level << (marked ? " (marked)" : "");
        }
    }
    EXPECT_EQ(h.controls.PresentCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Words, LevelPickerMarkers,
                         testing::Values(PickerCase{0x0EEE, {7, 7, 7}}, PickerCase{0x0000, {0, 0, 0}},
                                         PickerCase{0x0A42, {1, 2, 5}},
                                         // The InvalidMask bits move no marker.
                                         PickerCase{0xFFFF, {7, 7, 7}}));

struct HitCase {
    int x;
    int y;
    Channel channel;
    int level;
};

class LevelPickerHits : public testing::TestWithParam<HitCase> {};

TEST_P(LevelPickerHits, MapAPositionToChannelAndLevel) {
    const LevelHit hit = LevelPickerHit(GetParam().x, GetParam().y);
    EXPECT_EQ(hit.channel, GetParam().channel);
    EXPECT_EQ(hit.level, GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Positions, LevelPickerHits,
                         testing::Values(HitCase{0, 0, Channel::Red, 0}, HitCase{29, 29, Channel::Red, 0},
                                         HitCase{30, 30, Channel::Green, 1},
                                         HitCase{239, 59, Channel::Green, 7},
                                         HitCase{150, 60, Channel::Blue, 5}, HitCase{0, 89, Channel::Blue, 0},
                                         // Division truncates toward zero, and rows past the third are blue.
                                         HitCase{-10, -10, Channel::Red, 0},
                                         HitCase{10, 95, Channel::Blue, 0}));

}  // namespace

}  // namespace tintorb::test
