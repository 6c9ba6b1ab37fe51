// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormHarness.h"
#include "views/BrowserView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tintorb::test {

namespace {

constexpr Rgb White{255, 255, 255};
constexpr Rgb DarkStripe{64, 64, 64};
constexpr Rgb LightStripe{128, 128, 128};

struct BrowserFixture : ::testing::Test {
    FormHarness h;
    TempDir dir;

    void Load(const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir.File("data.bin");
        WriteBytes(path, bytes);
        h.controls.AnswerOpen(path);
        h.form.btnLoadClick();
    }

    // Colour of pixel (dx, dy) of grid cell i.
    [[nodiscard]] Rgb CellPixel(int i, int dx = 0, int dy = 0) const {
        const Rect grid = RectOf(Ctl::areaBrowser);
        return h.form.surface().PixelAt(grid.left + 16 * (i % 32) + dx, grid.top + 16 * (i / 32) + dy);
    }

    [[nodiscard]] bool CellIs(int i, Rgb colour) const {
        for (int dy = 0; dy < 16; ++dy) {
            for (int dx = 0; dx < 16; ++dx) {
                if (CellPixel(i, dx, dy) != colour) {
                    return false;
                }
            }
        }
        return true;
    }

    [[nodiscard]] bool CellIsStriped(int i) const {
        for (int dy = 0; dy < 16; ++dy) {
            for (int dx = 0; dx < 16; ++dx) {
                if (CellPixel(i, dx, dy) != (dy % 2 == 0 ? DarkStripe : LightStripe)) {
                    return false;
                }
            }
        }
        return true;
    }

    void HoverCell(int i) { h.form.areaBrowserMouseMove(16 * (i % 32) + 8, 16 * (i / 32) + 8); }
    [[nodiscard]] std::string UnderMouse() const { return h.controls.Text(Ctl::lblBrowserMouse); }
};

// A valid colour word of its own for every word index, so each cell's colour tells where it came from.
[[nodiscard]] std::vector<std::uint8_t> NumberedWords(int count) {
    std::vector<std::uint16_t> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(static_cast<std::uint16_t>((i * 2) & 0x0EEE));
    }
    return WordBytes(words);
}

}  // namespace

TEST_F(BrowserFixture, WithoutDataOnlyTheBackgroundIsDrawn) {
    h.form.DrawBrowser();
    EXPECT_TRUE(CellIs(0, BackgroundColour));
    EXPECT_TRUE(CellIs(1023, BackgroundColour));
    EXPECT_EQ(h.controls.Text(Ctl::lblBrowser), "Top Left: $0");
    EXPECT_EQ(h.controls.PresentCount(), 1);
}

TEST_F(BrowserFixture, ValidWordsAreColouredAndInvalidOnesStripedUnlessShown) {
    Load(WordBytes({0x0EEE, 0x1234, 0x0222}));
    EXPECT_TRUE(CellIs(0, White));
    EXPECT_TRUE(CellIsStriped(1));
    EXPECT_TRUE(CellIs(2, (Rgb{52, 52, 52})));
    EXPECT_TRUE(CellIs(3, BackgroundColour));

    const int presents = h.controls.PresentCount();
    h.controls.Press(Ctl::chkInvalid);
    EXPECT_TRUE(CellIs(1, (Rgb{87, 52, 52})));
    EXPECT_TRUE(CellIs(0, White));
    EXPECT_EQ(h.controls.PresentCount(), presents + 1);

    h.controls.Press(Ctl::chkInvalid);
    EXPECT_TRUE(CellIsStriped(1));
}

TEST_F(BrowserFixture, AnOddLastByteIsNoCellButIsUnderTheMouse) {
    Load({0x0E, 0xEE, 0x0E});
    EXPECT_TRUE(CellIs(0, White));
    EXPECT_TRUE(CellIs(1, BackgroundColour));

    HoverCell(1);
    EXPECT_EQ(UnderMouse(), "Under Mouse: $2");
    HoverCell(2);
    EXPECT_EQ(UnderMouse(), "Under Mouse: x");
    HoverCell(0);
    h.form.areaBrowserOutMouseMove(3, 3);
    EXPECT_EQ(UnderMouse(), "Under Mouse: x");
}

TEST_F(BrowserFixture, MovesHeldOffTheGridShowNoOffset) {
    Load(NumberedWords(4096));
    h.controls.Scroll(Ctl::barBrowser, 1);
    for (const auto& [x, y] : {std::pair{-20, 8}, {8, -40}, {-3, 8}, {512, 8}, {8, 512}}) {
        HoverCell(0);
        h.form.areaBrowserMouseMove(x, y);
        EXPECT_EQ(UnderMouse(), "Under Mouse: x") << x << "," << y;
    }
    h.form.areaBrowserMouseMove(511, 511);
    EXPECT_EQ(UnderMouse(), "Under Mouse: $83E");
}

TEST_F(BrowserFixture, ScrollingShowsTheWordsFromTheNewTopLeft) {
    Load(NumberedWords(32768));
    const Rect grid = RectOf(Ctl::areaBrowser);
    h.form.surface().FillBox({1, 2, 3}, grid.left, grid.top, grid.width, grid.height);
    h.controls.Scroll(Ctl::barBrowser, 10);
    EXPECT_EQ(h.form.State.BrowserOffset, 0x280);
    EXPECT_EQ(h.controls.Text(Ctl::lblBrowser), "Top Left: $280");
    for (int i = 0; i < BrowserCells; ++i) {
        ASSERT_TRUE(CellIs(i, DisplayColour(static_cast<ColourWord>(((0x140 + i) * 2) & 0x0EEE))))
            << "cell " << i;
    }
    HoverCell(33);
    EXPECT_EQ(UnderMouse(), "Under Mouse: $2C2");
}

TEST_F(BrowserFixture, TheLastPartialRowCanBeScrolledIntoView) {
    std::vector<std::uint8_t> bytes = NumberedWords(1025);
    bytes[2048] = 0x0E;
    bytes[2049] = 0xEE;
    Load(bytes);
    h.controls.Scroll(Ctl::barBrowser, 1);
    EXPECT_TRUE(CellIs(992, White));
    EXPECT_TRUE(CellIs(993, BackgroundColour));
    EXPECT_TRUE(CellIs(1023, BackgroundColour));
}

TEST_F(BrowserFixture, RunsOfAlikeCellsStayInTheirRowAndInTheData) {
    Load(std::vector<std::uint8_t>(80, 0xFF));
    for (const int i : {0, 31, 32, 39}) {
        EXPECT_TRUE(CellIsStriped(i)) << "cell " << i;
    }
    EXPECT_TRUE(CellIs(40, BackgroundColour));
    EXPECT_EQ(h.form.surface().PixelAt(RectOf(Ctl::areaBrowser).left + 512, 40), BackgroundColour);
}

TEST_F(BrowserFixture, StaleStateDrawsOnlyWordsOfTheImage) {
    Load(WordBytes({0x0EEE, 0x0EEE}));
    Mutable(h.form).WordCount = 5000;
    h.form.DrawBrowser();
    EXPECT_TRUE(CellIs(1, White));
    EXPECT_TRUE(CellIs(2, BackgroundColour));

    Mutable(h.form).BrowserOffset = -64;
    h.form.DrawBrowser();
    EXPECT_TRUE(CellIs(31, BackgroundColour));
    EXPECT_TRUE(CellIs(32, White));
    EXPECT_TRUE(CellIs(34, BackgroundColour));
}

// Random images seen from random (also stale) places: every grid pixel is what the rule for its cell
// gives, worked out pixel by pixel, and all of the grid is presented.
TEST_F(BrowserFixture, EveryPixelFollowsItsCellsWordAndWhatChangedIsPresented) {
    std::mt19937 random(13);
    auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const Rect grid = RectOf(Ctl::areaBrowser);
    for (int round = 0; round < 40; ++round) {
        EditorState& s = Mutable(h.form);
        s.FileData.resize(static_cast<std::size_t>(in(0, 2500)));
        for (std::uint8_t& byte : s.FileData) {
            byte = static_cast<std::uint8_t>(in(0, 3) == 0 ? in(0, 255) : in(0, 0x0E));
        }
        s.WordCount = in(-5, 1300);
        s.BrowserOffset = in(-1, 3) * 64 + in(0, 1) * in(-3, 3);
        if (in(0, 1) == 0) {
            h.controls.Press(Ctl::chkInvalid);
        }
        std::vector<Rgb> before;
        for (int y = 0; y < grid.height; ++y) {
            for (int x = 0; x < grid.width; ++x) {
                before.push_back(h.form.surface().PixelAt(grid.left + x, grid.top + y));
            }
        }
        h.form.DrawBrowser();

        const std::vector<PixelBox>& presented = h.controls.Presented().back();
        const auto shown = [&](int x, int y) {
            return std::ranges::any_of(presented, [&](PixelBox b) {
                return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
            });
        };
        const bool showInvalid = h.controls.Checked(Ctl::chkInvalid);
        const std::int64_t end = 2 * std::min<std::int64_t>(std::max(s.WordCount, 0), s.FileData.size() / 2);
        for (int y = 0; y < grid.height; ++y) {
            for (int x = 0; x < grid.width; ++x) {
                const std::int64_t offset = s.BrowserOffset + 2 * ((y / 16) * 32 + x / 16);
                Rgb expected = BackgroundColour;
                if (offset >= 0 && offset < end) {
                    const auto w = static_cast<ColourWord>(s.FileData[offset] << 8 | s.FileData[offset + 1]);
                    expected = showInvalid || IsValidColour(w) ? DisplayColour(w)
                                                               : (y % 2 == 0 ? DarkStripe : LightStripe);
                }
                ASSERT_EQ(h.form.surface().PixelAt(grid.left + x, grid.top + y), expected)
                    << "round " << round << " at " << x << ',' << y;
                // A changed pixel is shown; an unchanged one need not be.
                ASSERT_TRUE(expected == before[static_cast<std::size_t>(y * grid.width + x)] ||
                            shown(grid.left + x, grid.top + y))
                    << "round " << round << " at " << x << ',' << y;
            }
        }
        for (const PixelBox& b : presented) {
            EXPECT_TRUE(b.left >= grid.left && b.top >= grid.top && b.right <= grid.left + grid.width &&
                        b.bottom <= grid.top + grid.height);
        }
    }
}

}  // namespace tintorb::test
