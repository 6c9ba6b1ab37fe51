// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/FormHarness.h"
#include "views/PaletteView.h"

namespace tintorb::test {
namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Yellow{255, 255, 0};

// Distinct valid words, so that a cell drawn from the wrong entry shows.
[[nodiscard]] ColourWord ValidWord(int i) {
    return static_cast<ColourWord>(((i * 2) & 0xE) | (((i / 8) * 2 & 0xE) << 4) | ((i % 3) * 4 << 8));
}

[[nodiscard]] Rect CellRect(int entry) {
    const Rect area = RectOf(Ctl::areaPal);
    return {area.left + PaletteCellWidth * (entry % PaletteColumns),
            area.top + PaletteCellHeight * (entry / PaletteColumns), PaletteCellWidth, PaletteCellHeight};
}

[[nodiscard]] Rect Inset(Rect r, int by) {
    return {r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by};
}

// Every pixel of r in one colour.
[[nodiscard]] testing::AssertionResult Filled(const Surface& s, Rect r, Rgb colour) {
    for (int y = r.top; y < r.top + r.height; ++y) {
        for (int x = r.left; x < r.left + r.width; ++x) {
            const Rgb p = s.PixelAt(x, y);
            if (p != colour) {
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << int{p.r}
                                                   << ", " << int{p.g} << ", " << int{p.b} << ")";
            }
        }
    }
    return testing::AssertionSuccess();
}

// Every pixel on the one-pixel edge of r in one colour.
[[nodiscard]] testing::AssertionResult Outlined(const Surface& s, Rect r, Rgb colour) {
    for (const Rect edge :
         {Rect{r.left, r.top, r.width, 1}, Rect{r.left, r.top + r.height - 1, r.width, 1},
          Rect{r.left, r.top, 1, r.height}, Rect{r.left + r.width - 1, r.top, 1, r.height}}) {
        if (auto result = Filled(s, edge, colour); !result) {
            return result;
        }
    }
    return testing::AssertionSuccess();
}

// A form on a file of the given words, with a palette of length entries from its start.
struct PaletteForm {
    FormHarness h;

    PaletteForm(const std::vector<ColourWord>& words, int length) {
        State().FileData = WordBytes(words);
        State().WordCount = static_cast<std::int32_t>(words.size());
        State().FileName = "palette-view.bin";
        State().PalLength = length;
    }
    [[nodiscard]] EditorState& State() { return Mutable(h.form); }
    [[nodiscard]] const Surface& Pixels() const { return h.form.surface(); }
};

[[nodiscard]] std::vector<ColourWord> ValidWords(int count) {
    std::vector<ColourWord> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(ValidWord(i));
    }
    return words;
}

TEST(PaletteCells, SixteenEntriesFillTheTopRowAndLeaveTheRestToTheBackground) {
    PaletteForm p(ValidWords(64), 64);
    p.h.form.DrawPalette();

    // Relocating to a shorter palette clears the cells it no longer covers.
    p.State().SelStart = 5;
    p.State().SelEnd = 5;
    p.h.controls.ChooseItem(Ctl::menuLength, 1);
    p.h.controls.Paste(Ctl::editAddress, "0");
    p.h.form.btnReloadClick();
    ASSERT_EQ(p.State().PalLength, 16);

    for (int i = 1; i < 16; ++i) {
        EXPECT_TRUE(Filled(p.Pixels(), CellRect(i), DisplayColour(ValidWord(i)))) << "entry " << i;
    }
    EXPECT_TRUE(Filled(p.Pixels(), Inset(CellRect(0), 2), DisplayColour(ValidWord(0))));
    const Rect area = RectOf(Ctl::areaPal);
    EXPECT_TRUE(Filled(p.Pixels(),
                       {area.left, area.top + PaletteCellHeight, area.width, 3 * PaletteCellHeight},
                       BackgroundColour));
}

TEST(PaletteCells, MarkSelectionEndsOnly) {
    PaletteForm p(ValidWords(20), 20);
    p.State().SelStart = 3;
    p.State().SelEnd = 7;
    p.h.form.DrawPalette();

    EXPECT_TRUE(Outlined(p.Pixels(), CellRect(3), Black));
    EXPECT_TRUE(Outlined(p.Pixels(), Inset(CellRect(3), 1), White));
    EXPECT_TRUE(Filled(p.Pixels(), Inset(CellRect(3), 2), DisplayColour(ValidWord(3))));
    EXPECT_TRUE(Outlined(p.Pixels(), CellRect(7), Red));
    EXPECT_TRUE(Outlined(p.Pixels(), Inset(CellRect(7), 1), Yellow));
    EXPECT_TRUE(Filled(p.Pixels(), Inset(CellRect(7), 2), DisplayColour(ValidWord(7))));
    for (const int unmarked : {2, 4, 5, 6, 8, 16, 19}) {
        EXPECT_TRUE(Filled(p.Pixels(), CellRect(unmarked), DisplayColour(ValidWord(unmarked))))
            << "entry " << unmarked;
    }
    // Cells past the palette are left as they were.
    EXPECT_TRUE(Filled(p.Pixels(), CellRect(20), BackgroundColour));

    // One selected entry has no end marker.
    p.State().SelEnd = 3;
    p.h.form.DrawPalette();
    EXPECT_TRUE(Filled(p.Pixels(), CellRect(7), DisplayColour(ValidWord(7))));
    EXPECT_TRUE(Outlined(p.Pixels(), CellRect(3), Black));
}

TEST(PaletteCells, InvalidWordShowsItsColourWhileTheBrowserStripesIt) {
    PaletteForm p({0x0EEE, 0xF2A4, 0x0000}, 3);
    p.h.form.DrawPalette();
    p.h.form.DrawBrowser();

    EXPECT_TRUE(Filled(p.Pixels(), CellRect(1), DisplayColour(0x02A4)));
    const Rect browser = RectOf(Ctl::areaBrowser);
    const int cellX = browser.left + 16;
    EXPECT_EQ(p.Pixels().PixelAt(cellX, browser.top), (Rgb{64, 64, 64}));
    EXPECT_EQ(p.Pixels().PixelAt(cellX, browser.top + 1), (Rgb{128, 128, 128}));
    EXPECT_EQ(p.Pixels().PixelAt(browser.left, browser.top), White);
}

TEST(PaletteRefresh, BringsEveryPaletteViewToTheSelectedEntry) {
    std::vector<ColourWord> words = ValidWords(20);
    words[3] = 0x0A42;
    PaletteForm p(words, 20);
    p.State().SelStart = 3;
    p.State().SelEnd = 7;
    p.h.controls.SetFocus(Ctl::editAddress);
    const int presentsBefore = p.h.controls.PresentCount();
    p.h.form.DrawPalette();

    EXPECT_EQ(p.h.controls.Focus(), Ctl::memoASM);
    EXPECT_EQ(p.h.controls.PresentCount(), presentsBefore + 1);
    EXPECT_EQ(p.h.controls.Lines(Ctl::memoASM).size(), 2u);
    EXPECT_EQ(p.h.controls.SelectedText(Ctl::memoASM), "$0A42");
    EXPECT_EQ(p.h.controls.Text(Ctl::editBits), "0000101001000010");
    EXPECT_TRUE(p.h.controls.Enabled(Ctl::editBits));
    // Level picker frames: red level 1, green 2, blue 5.
    const Rect picker = RectOf(Ctl::areaRGB);
    EXPECT_EQ(p.Pixels().PixelAt(picker.left + 30, picker.top), Yellow);
    EXPECT_EQ(p.Pixels().PixelAt(picker.left + 60, picker.top + 30), (Rgb{255, 128, 0}));
    EXPECT_EQ(p.Pixels().PixelAt(picker.left + 150, picker.top + 60), (Rgb{255, 255, 128}));
}

TEST(PaletteRefresh, WithoutEntriesShowsTheEmptyViews) {
    PaletteForm p(ValidWords(8), 8);
    p.State().SelStart = 2;
    p.State().SelEnd = 5;
    p.h.form.DrawPalette();

    p.State().PalLength = 0;
    p.h.controls.SetFocus(Ctl::editAddress);
    p.h.form.DrawPalette();

    EXPECT_EQ(p.h.controls.Focus(), Ctl::memoASM);
    EXPECT_TRUE(Filled(p.Pixels(), RectOf(Ctl::areaPal), BackgroundColour));
    EXPECT_TRUE(Filled(p.Pixels(), RectOf(Ctl::areaRGB), BackgroundColour));
    EXPECT_TRUE(p.h.controls.Lines(Ctl::memoASM).empty());
    EXPECT_EQ(p.h.controls.Text(Ctl::editBits), ResetBitsText);
    EXPECT_TRUE(p.h.controls.Runs(Ctl::editBits).empty());
    EXPECT_FALSE(p.h.controls.Enabled(Ctl::editBits));
}

}  // namespace
}  // namespace tintorb::test
