// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "support/FormHarness.h"

namespace tintorb::test {
namespace {

constexpr std::uint8_t Filler = 0x5A;
constexpr int PaletteAt = 3;  // odd on purpose: entries need not be word-aligned
constexpr int FillerAfter = 4;

// A loaded file holding the given palette at an odd address, with filler on both sides.
void LoadPalette(FormHarness& h, const std::vector<std::uint16_t>& words, int selStart, int selEnd) {
    EditorState& s = Mutable(h.form);
    s.FileData.assign(PaletteAt, Filler);
    const std::vector<std::uint8_t> bytes = WordBytes(words);
    s.FileData.insert(s.FileData.end(), bytes.begin(), bytes.end());
    s.FileData.insert(s.FileData.end(), FillerAfter, Filler);
    s.WordCount = static_cast<std::int32_t>(s.FileData.size() / 2);
    s.FileName = "loaded.bin";
    s.PalAddress = PaletteAt;
    s.PalLength = static_cast<std::int32_t>(words.size());
    s.SelStart = selStart;
    s.SelEnd = selEnd;
}

// The entries, after checking that no byte around the palette moved.
std::vector<std::uint16_t> Entries(const FormHarness& h) {
    const EditorState& s = h.form.State;
    const std::vector<std::uint8_t> around(PaletteAt, Filler);
    EXPECT_EQ(std::vector(s.FileData.begin(), s.FileData.begin() + PaletteAt), around);
    EXPECT_EQ(std::vector(s.FileData.end() - FillerAfter, s.FileData.end()),
              std::vector<std::uint8_t>(FillerAfter, Filler));
    std::vector<std::uint16_t> words;
    for (int i = 0; i < s.PalLength; ++i) {
        words.push_back(s.GetEntry(i));
    }
    return words;
}

std::vector<std::uint16_t> Counting(int n) {
    std::vector<std::uint16_t> words;
    for (int i = 1; i <= n; ++i) {
        words.push_back(static_cast<std::uint16_t>(i));
    }
    return words;
}

// ---- Gradient ----

struct GradientCase {
    std::uint16_t from;
    std::uint16_t to;
    std::vector<std::uint16_t> inner;  // the entries strictly between, as the gradient leaves them
};

void PrintTo(const GradientCase& c, std::ostream* os) {
    *os << std::hex << c.from << " to " << c.to << " over " << std::dec << c.inner.size() + 1;
}

class Gradient : public testing::TestWithParam<GradientCase> {};

TEST_P(Gradient, FillsTheInnerEntriesAndLeavesTheEndsAndTheRestAlone) {
    const GradientCase& c = GetParam();
    const int span = static_cast<int>(c.inner.size()) + 1;
    // One entry before and one after the run, which must stay as they are.
    std::vector<std::uint16_t> words{0x0777, c.from};
    words.insert(words.end(), c.inner.size(), 0x0000);
    words.push_back(c.to);
    words.push_back(0x0777);
    FormHarness h;
    LoadPalette(h, words, 1, 1 + span);
    h.form.btnGradientClick();

    std::vector<std::uint16_t> expected{0x0777, c.from};
    expected.insert(expected.end(), c.inner.begin(), c.inner.end());
    expected.push_back(c.to);
    expected.push_back(0x0777);
    EXPECT_EQ(Entries(h), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Gradient,
    testing::Values(
        GradientCase{0x0000, 0x000E, {0x0002, 0x0004, 0x0006, 0x0008, 0x000A, 0x000C}},
        GradientCase{0x0000, 0x000E, {0x0004, 0x0008}},          // step 4.667: odd results drop a level
        GradientCase{0x0000, 0x0002, {0x0000, 0x0000, 0x0002}},  // halves go to even
        // The single-precision step 14 / 12 lies just below 7 / 6, so entry 3 rounds 3.4999999 down.
        GradientCase{
            0x0000,
            0x000E,
            {0x0000, 0x0002, 0x0002, 0x0004, 0x0006, 0x0006, 0x0008, 0x0008, 0x000A, 0x000C, 0x000C}},
        GradientCase{0x000E, 0x0000, {0x0008, 0x0004}},
        GradientCase{0x0002, 0x0000, {0x0002, 0x0000, 0x0000}},  // -0.5 goes to 0, not to -1
        GradientCase{0x0E00, 0x00E0, {0x0C20, 0x0A40, 0x0860, 0x0680, 0x04A0, 0x02C0}},
        GradientCase{0xF00F, 0x1000, {0x0008, 0x0004}}));  // the ends' mask bits play no part

TEST(GradientEdges, InnerEntriesKeepTheirMaskBitsAndAdjacentEndsChangeNothing) {
    FormHarness h;
    LoadPalette(h, {0x0000, 0x1000, 0x0EEE}, 0, 2);
    h.form.btnGradientClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{0x0000, 0x1666, 0x0EEE}));

    const int presents = h.controls.PresentCount();
    Mutable(h.form).SelEnd = 1;
    h.form.btnGradientClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{0x0000, 0x1666, 0x0EEE}));
    EXPECT_EQ(h.controls.PresentCount(), presents);
}

// ---- Swap, reverse, copy and paste ----

TEST(RangeEdits, SwapAndReverseTurnTheSelectedRun) {
    FormHarness h;
    LoadPalette(h, Counting(6), 1, 4);
    h.form.btnReverseClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{1, 5, 4, 3, 2, 6}));
    Mutable(h.form).SelEnd = 3;
    h.form.btnReverseClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{1, 3, 4, 5, 2, 6}));
    h.form.btnSwapClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{1, 5, 4, 3, 2, 6}));
}

TEST(RangeEdits, PasteWithNothingCopiedDoesNothingAndThenStopsAtTheLastEntry) {
    FormHarness h;
    LoadPalette(h, Counting(16), 4, 7);
    h.form.btnPasteClick();
    EXPECT_EQ(Entries(h), Counting(16));
    EXPECT_EQ(h.controls.PresentCount(), 0);

    h.form.btnCopyClick();
    EXPECT_EQ(h.form.State.ClipData, WordBytes({5, 6, 7, 8}));
    EXPECT_EQ(h.controls.PresentCount(), 0);
    Mutable(h.form).SelStart = 14;
    Mutable(h.form).SelEnd = 14;
    h.form.btnPasteClick();
    std::vector<std::uint16_t> expected = Counting(16);
    expected[14] = 5;
    expected[15] = 6;
    EXPECT_EQ(Entries(h), expected);
}

}  // namespace
}  // namespace tintorb::test
