// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace tintorb::test {

namespace {

constexpr Rgb Ink{10, 20, 30};
constexpr int W = 64;
constexpr int H = 48;

using Pixels = std::set<std::pair<int, int>>;

Pixels Inked(const Surface& surface) {
    Pixels inked;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.PixelAt(x, y) == Ink) {
                inked.insert({x, y});
            }
        }
    }
    return inked;
}

Pixels Rect(int x, int y, int w, int h, const Pixels& hole = {}) {
    Pixels pixels;
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            if (!hole.contains({column, row})) {
                pixels.insert({column, row});
            }
        }
    }
    return pixels;
}

// The pixels row by row, whichever way the rows run in memory.
std::vector<std::uint8_t> Snapshot(const Surface& surface) {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint8_t* row = surface.Row0() + y * surface.Stride();
        pixels.insert(pixels.end(), row, row + surface.Width() * 4);
    }
    return pixels;
}

struct Clip {
    const char* name;
    std::function<void(Surface&)> draw;
    Pixels expected;
};

}  // namespace

TEST(SurfaceClipping, ColoursExactlyThePixelsOnTheSurface) {
    const Clip cases[] = {
        {"leftward line", [](Surface& s) { s.DrawHLine(Ink, 10, 5, -4); }, Rect(6, 5, 4, 1)},
        {"line from the left", [](Surface& s) { s.DrawHLine(Ink, -3, 0, 5); }, Rect(0, 0, 2, 1)},
        {"upward line", [](Surface& s) { s.DrawVLine(Ink, 3, 10, -4); }, Rect(3, 6, 1, 4)},
        {"line past the bottom", [](Surface& s) { s.DrawVLine(Ink, 2, H - 2, 10); }, Rect(2, H - 2, 1, 2)},
        {"line on row H", [](Surface& s) { s.DrawHLine(Ink, 0, H, W); }, {}},
        {"line on row -1", [](Surface& s) { s.DrawHLine(Ink, 0, -1, W); }, {}},
        {"line on column W", [](Surface& s) { s.DrawVLine(Ink, W, 0, H); }, {}},
        {"box past the right", [](Surface& s) { s.FillBox(Ink, W - 2, 0, 10, 1); }, Rect(W - 2, 0, 2, 1)},
        {"box from above left", [](Surface& s) { s.FillBox(Ink, -5, -5, 7, 8); }, Rect(0, 0, 2, 3)},
        {"outline", [](Surface& s) { s.DrawBox(Ink, 0, 0, 25, 40); }, Rect(0, 0, 25, 40, Rect(1, 1, 23, 38))},
        {"frame", [](Surface& s) { s.DrawFrame(Ink, 10, 10, 30, 30, 2); },
         Rect(10, 10, 30, 30, Rect(12, 12, 26, 26))},
        {"client area", [](Surface& s) { s.ClearSurface(Ink, 20, 10); }, Rect(0, 0, 20, 10)},
        {"cells from the left",
         [](Surface& s) {
             const std::uint32_t cells[] = {PixelOf({1, 1, 1}), PixelOf(Ink), PixelOf({1, 1, 1})};
             s.FillCellRow(-30, H - 3, 25, 9, cells);
         },
         Rect(0, H - 3, 20, 3)},
        {"client beyond the surface", [](Surface& s) { s.ClearSurface(Ink, W + 9, H + 9); },
         Rect(0, 0, W, H)},
    };
    ASSERT_EQ(cases[9].expected.size(), 126u);
    for (const Clip& c : cases) {
        Surface surface(W, H);
        c.draw(surface);
        EXPECT_EQ(Inked(surface), c.expected) << c.name;
    }
}

// Pixels are stored blue, green, red, 255, whichever way the rows run in memory.
TEST(SurfacePixels, BottomUpMemoryWrappedWithNegativeStride) {
    constexpr int rowBytes = 5 * 4;
    std::vector<std::uint8_t> memory(3 * rowBytes);
    Surface surface(memory.data() + 2 * rowBytes, -rowBytes, 5, 3);
    surface.DrawHLine({1, 2, 3}, 0, 0, 5);
    EXPECT_EQ(memory[2 * rowBytes], 3);
    EXPECT_EQ(memory[2 * rowBytes + 19], 255);
    EXPECT_EQ(memory[rowBytes - 1], 0);

    surface.ClearSurface(Ink, 5, 3);
    for (int i = 0; i < 3 * rowBytes; i += 4) {
        EXPECT_EQ(std::vector<int>(&memory[i], &memory[i] + 4), (std::vector<int>{30, 20, 10, 255}));
    }
}

// A frame of any depth draws what drawing each of its outlines would.
TEST(SurfaceFrame, MatchesItsOutlinesDrawnOneByOne) {
    std::mt19937 random(7);
    auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 2000; ++round) {
        const int x = in(-40, 100), y = in(-40, 100), w = in(-80, 120), h = in(-80, 120), n = in(0, 80);
        Surface frame(W, H);
        Surface outlines(W, H);
        frame.DrawFrame(Ink, x, y, w, h, n);
        for (int l = 0; l < n; ++l) {
            outlines.DrawBox(Ink, x + l, y + l, w - 2 * l, h - 2 * l);
        }
        ASSERT_EQ(std::memcmp(frame.Row0(), outlines.Row0(), W * H * 4), 0)
            << x << ' ' << y << ' ' << w << ' ' << h << ' ' << n;
    }
}

// Every primitive with any arguments, on memory with a guard band before, between and after the rows.
TEST(SurfaceBounds, NoPrimitiveWritesOutsideItsPixelsOrOutsideWhatItReportsDrawn) {
    constexpr int width = 37, height = 23, guard = 64;
    constexpr std::ptrdiff_t stride = (width + 3) * 4;
    constexpr std::uint8_t Untouched = 0xA5;
    std::mt19937 random(11);
    auto in = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int extremes[] = {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1, -width, width,
                            -height, height,      -1,      0,           1};
    auto any = [&] {
        return in(0, 2) == 0 ? extremes[in(0, std::size(extremes) - 1)] : in(-2 * width, 2 * width);
    };

    for (const bool bottomUp : {false, true}) {
        std::vector<std::uint8_t> memory(2 * guard + height * stride, Untouched);
        std::uint8_t* const first = memory.data() + guard;
        for (int row = 0; row < height; ++row) {
            std::memset(first + row * stride, 0, width * 4);
        }
        Surface surface(bottomUp ? first + (height - 1) * stride : first, bottomUp ? -stride : stride, width,
                        height);
        for (int round = 0; round < 20000; ++round) {
            const Rgb colour{static_cast<std::uint8_t>(in(0, 255)), 0, 0};
            const std::vector<std::uint8_t> before = Snapshot(surface);
            switch (in(0, 7)) {
                case 0:
                    surface.DrawHLine(colour, any(), any(), any());
                    break;
                case 1:
                    surface.DrawVLine(colour, any(), any(), any());
                    break;
                case 2:
                    surface.FillBox(colour, any(), any(), any(), any());
                    break;
                case 3:
                    surface.DrawBox(colour, any(), any(), any(), any());
                    break;
                case 4:
                    surface.DrawFrame(colour, any(), any(), any(), any(), any());
                    break;
                case 5: {
                    // Lines as wide as the box asks, two of them, so that rows alternate.
                    const int w = in(-2 * width, 2 * width);
                    const std::vector<std::uint32_t> even(static_cast<std::size_t>(std::max(w, 1)),
                                                          PixelOf(colour));
                    const std::vector<std::uint32_t> odd(even.size(), PixelOf({colour.r, 1, 1}));
                    const std::array<const std::uint32_t*, 2> lines{even.data(), odd.data()};
                    surface.RepeatLines(any(), any(), w, any(), lines);
                    break;
                }
                case 6: {
                    const std::vector<std::uint32_t> cells(static_cast<std::size_t>(in(0, 4)),
                                                           PixelOf(colour));
                    surface.FillCellRow(any(), any(), any(), any(), cells);
                    break;
                }
                default:
                    surface.ClearSurface(colour, any(), any());
                    break;
            }
            // Whatever changed lies in what the surface reports as drawn, so presenting that shows it all.
            const DirtyRegion dirty = surface.TakeDirty();
            const std::vector<std::uint8_t> after = Snapshot(surface);
            for (std::size_t i = 0; i < after.size(); i += 4) {
                const int x = static_cast<int>(i / 4 % width), y = static_cast<int>(i / 4 / width);
                const bool covered = std::ranges::any_of(dirty.Boxes(), [&](PixelBox b) {
                    return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
                });
                ASSERT_TRUE(covered || std::memcmp(&before[i], &after[i], 4) == 0) << x << ',' << y;
            }
        }
        for (std::size_t i = 0; i < memory.size(); ++i) {
            const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(i) - guard;
            const bool pixel = offset >= 0 && offset < height * stride && offset % stride < width * 4;
            if (!pixel) {
                ASSERT_EQ(memory[i], Untouched) << "byte " << i << (bottomUp ? " bottom-up" : "");
            } else if (offset % 4 == 3) {
                ASSERT_TRUE(memory[i] == 0 || memory[i] == 255) << "alpha at byte " << i;
            }
        }
    }
}

// Draws of one area grow one box; areas with a gap between them (where controls lie) stay apart, and a
// region out of room still covers everything.
TEST(SurfaceDirty, TouchingDrawsMergeAndSeparateAreasStayApart) {
    Surface surface(200, 200);
    for (int i = 0; i < 20; ++i) {
        surface.FillBox(Ink, 8 + 25 * (i % 16), 136 - 100 + 40 * (i / 16), 25, 40);
    }
    surface.DrawBox(Ink, 8, 36, 25, 40);
    EXPECT_EQ(std::vector(surface.Dirty().Boxes().begin(), surface.Dirty().Boxes().end()),
              (std::vector<PixelBox>{{8, 36, 200, 116}}));

    surface.TakeDirty();
    surface.FillBox(Ink, 0, 0, 10, 10);
    surface.FillBox(Ink, 0, 50, 10, 10);
    EXPECT_EQ(surface.Dirty().Boxes().size(), 2u);
    for (int i = 0; i < 10; ++i) {
        surface.DrawHLine(Ink, 20 * i, 100 + 3 * i, 5);
    }
    EXPECT_LE(surface.Dirty().Boxes().size(), DirtyRegion::MaxBoxes);
}

}  // namespace tintorb::test
