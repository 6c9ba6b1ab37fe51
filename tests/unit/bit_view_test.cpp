// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/FormHarness.h"
#include "views/BitView.h"

namespace tintorb::test {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Green{0, 128, 0};
constexpr Rgb Red{255, 0, 0};

struct BitsCase {
    ColourWord word;
    std::vector<ColouredRun> runs;
};

class BitViewRuns : public testing::TestWithParam<BitsCase> {};

TEST_P(BitViewRuns, ColourTheDigitsByPosition) {
    FormHarness h;
    h.form.ShowBits(0xFFFF);  // whatever was shown before is replaced, not added to
    h.form.ShowBits(GetParam().word);
    EXPECT_TRUE(h.controls.Enabled(Ctl::editBits));
    EXPECT_EQ(h.controls.Runs(Ctl::editBits), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Words, BitViewRuns,
    testing::Values(BitsCase{0x0EEE,
                             {{Black, "0000"},
                              {Blue, "111"},
                              {Black, "0"},
                              {Green, "111"},
                              {Black, "0"},
                              {Red, "111"},
                              {Black, "0"}}},
                    // Ones in black and zeros in channel colours: a run's colour never follows its digits.
                    BitsCase{0x8001,
                             {{Black, "1000"},
                              {Blue, "000"},
                              {Black, "0"},
                              {Green, "000"},
                              {Black, "0"},
                              {Red, "000"},
                              {Black, "1"}}}));

struct PressCase {
    int x;
    std::optional<int> bit;
};

class BitViewPresses : public testing::TestWithParam<PressCase> {};

TEST_P(BitViewPresses, AddressTheDigitUnderThePointer) {
    EXPECT_EQ(BitAt(GetParam().x), GetParam().bit);
}

INSTANTIATE_TEST_SUITE_P(Positions, BitViewPresses,
                         testing::Values(PressCase{0, 15}, PressCase{10, 15}, PressCase{11, 14},
                                         PressCase{165, 0}, PressCase{175, 0}, PressCase{176, std::nullopt},
                                         PressCase{184, std::nullopt}));

}  // namespace

}  // namespace tintorb::test
