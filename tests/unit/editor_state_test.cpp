// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EditorState.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace tintorb::test {

namespace {

EditorState WithBytes(std::vector<std::uint8_t> bytes, std::int32_t palAddress = 0) {
    EditorState state;
    state.FileData = std::move(bytes);
    state.PalAddress = palAddress;
    return state;
}

}  // namespace

TEST(EditorStateEntries, ReadBigEndianAtAnyByteOffset) {
    const EditorState state = WithBytes({0x12, 0x34, 0x56, 0x78, 0x9A}, 1);
    EXPECT_EQ(state.ReadWordAt(0), 0x1234);
    EXPECT_EQ(state.ReadWordAt(3), 0x789A);
    EXPECT_EQ(state.GetEntry(0), 0x3456);
    EXPECT_EQ(state.GetEntry(1), 0x789A);
}

struct Outside {
    std::int32_t palAddress;
    std::int64_t entry;
};

class EditorStateOutside : public ::testing::TestWithParam<Outside> {};

// An entry not wholly inside FileData reads 0, whatever the state holds.
TEST_P(EditorStateOutside, ReadsZero) {
    const EditorState state = WithBytes({0x11, 0x22, 0x33, 0x44, 0x55}, GetParam().palAddress);
    EXPECT_EQ(state.GetEntry(GetParam().entry), 0);
}

constexpr std::int64_t Min64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Max64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(Entries, EditorStateOutside,
                         ::testing::Values(Outside{0, -1}, Outside{-1, 0}, Outside{-2, 0}, Outside{4, 0},
                                           Outside{0, 2}, Outside{1, 2}, Outside{5, 0}, Outside{0, 64},
                                           Outside{Max32, 0}, Outside{Min32, 0}, Outside{Max32, Max64},
                                           Outside{0, Min64}, Outside{Min32, Max64}));

TEST(EditorStateEntries, EmptyImageReadsZero) {
    const EditorState state;
    EXPECT_EQ(state.ReadWordAt(0), 0);
}

TEST(EditorStateBits, BitOfOutsideZeroToFifteenIsZero) {
    EXPECT_EQ(BitOf(0x8001, 0), 1);
    EXPECT_EQ(BitOf(0x8001, 1), 0);
    EXPECT_EQ(BitOf(0x8001, 15), 1);
    for (const int n : {-1, 16, 31, 32, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        EXPECT_EQ(BitOf(0xFFFF, n), 0) << n;
    }
}

}  // namespace tintorb::test
