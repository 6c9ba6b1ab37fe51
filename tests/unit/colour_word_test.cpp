// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ColourWord.h"

#include <gtest/gtest.h>

namespace tintorb::test {

struct Shown {
    ColourWord word;
    Rgb colour;
    bool valid;
};

class ColourWordDisplay : public ::testing::TestWithParam<Shown> {};

TEST_P(ColourWordDisplay, ShowsThroughTheLevelTable) {
    EXPECT_EQ(DisplayColour(GetParam().word), GetParam().colour);
    EXPECT_EQ(IsValidColour(GetParam().word), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Examples, ColourWordDisplay,
                         ::testing::Values(Shown{0x0EEE, {255, 255, 255}, true},
                                           Shown{0x0000, {0, 0, 0}, true}, Shown{0x000E, {255, 0, 0}, true},
                                           Shown{0x00E0, {0, 255, 0}, true}, Shown{0x0E00, {0, 0, 255}, true},
                                           Shown{0x0222, {52, 52, 52}, true},
                                           Shown{0x0333, {52, 52, 52}, false},
                                           Shown{0x0ECA, {172, 206, 255}, true},
                                           Shown{0x0001, {0, 0, 0}, false}, Shown{0x0010, {0, 0, 0}, false},
                                           Shown{0x0100, {0, 0, 0}, false}, Shown{0x1000, {0, 0, 0}, false},
                                           Shown{0xFFFF, {255, 255, 255}, false}));

TEST(ColourWordLevels, SwatchesFollowTheNonLinearRamp) {
    const int ramp[8] = {0, 52, 87, 116, 144, 172, 206, 255};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(LevelIntensity(k), ramp[k]) << k;
    }
    EXPECT_EQ(LevelsOf(0x0ECA), (Levels{5, 6, 7}));
    EXPECT_EQ(LevelFieldsOf(0xFFFF), (Levels{0xE, 0xE, 0xE}));
}

// Every word, valid or not, and every level: the chosen channel takes the level, the other channels and
// the InvalidMask bits stay.
TEST(ColourWordLevels, ReplacingAChannelKeepsEverythingElse) {
    for (unsigned word = 0; word <= 0xFFFF; ++word) {
        const auto w = static_cast<ColourWord>(word);
        const Levels before = LevelsOf(w);
        for (int k = 0; k < 8; ++k) {
            const ColourWord red = WithLevel(w, Channel::Red, k);
            const ColourWord green = WithLevel(w, Channel::Green, k);
            const ColourWord blue = WithLevel(w, Channel::Blue, k);
            ASSERT_EQ(LevelsOf(red), (Levels{k, before.green, before.blue})) << word;
            ASSERT_EQ(LevelsOf(green), (Levels{before.red, k, before.blue})) << word;
            ASSERT_EQ(LevelsOf(blue), (Levels{before.red, before.green, k})) << word;
            for (const ColourWord changed : {red, green, blue}) {
                ASSERT_EQ(changed & InvalidMask, w & InvalidMask) << word;
            }
        }
    }
}

TEST(ColourWordFromRgb, TruncatesEachChannelToItsTopThreeBits) {
    EXPECT_EQ(FromRgb(0x0000, {200, 100, 50}), 0x026C);
    EXPECT_EQ(FromRgb(0xFFFF, {0, 0, 0}), 0xF111);
    for (int v = 0; v < 256; ++v) {
        const auto c = static_cast<std::uint8_t>(v);
        ASSERT_EQ(LevelsOf(FromRgb(0x0EEE, {c, c, c})), (Levels{v >> 5, v >> 5, v >> 5})) << v;
    }
}

}  // namespace tintorb::test
