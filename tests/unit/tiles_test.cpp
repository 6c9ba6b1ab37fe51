// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileCodecs.h"
#include "tiles/TileExport.h"
#include "tiles/TileSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tintorb::test {

namespace {

[[nodiscard]] int Bit(std::uint8_t byte, int x) {
    return (byte >> (7 - x)) & 1;
}

// Each codec read pixel by pixel the plainest way, straight from its definition.
struct Reference {
    const char* codec;
    int (*pixel)(const std::uint8_t* tile, int x, int y);
};

const Reference References[] = {
    {"1bpp", [](const std::uint8_t* t, int x, int y) { return Bit(t[y], x); }},
    {"2bpp-planar",
     [](const std::uint8_t* t, int x, int y) { return Bit(t[2 * y], x) + 2 * Bit(t[2 * y + 1], x); }},
    {"4bpp-packed", [](const std::uint8_t* t, int x,
                       int y) { return x % 2 ? t[4 * y + x / 2] & 15 : t[4 * y + x / 2] >> 4; }},
    {"4bpp-packed-low", [](const std::uint8_t* t, int x,
                           int y) { return x % 2 ? t[4 * y + x / 2] >> 4 : t[4 * y + x / 2] & 15; }},
    {"4bpp-planar",
     [](const std::uint8_t* t, int x, int y) {
         return Bit(t[2 * y], x) + 2 * Bit(t[2 * y + 1], x) + 4 * Bit(t[16 + 2 * y], x) +
                8 * Bit(t[17 + 2 * y], x);
     }},
    {"8bpp", [](const std::uint8_t* t, int x, int y) { return int{t[8 * y + x]}; }},
};

[[nodiscard]] std::vector<std::uint8_t> Decoded(const TileCodec& codec,
                                                const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> indices(bytes.size() / codec.bytesPerTile * TilePixels);
    codec.decode(bytes.data(), indices.data(), bytes.size() / codec.bytesPerTile);
    return indices;
}

[[nodiscard]] int HexDigit(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// A 16 × 16 sprite in four 8bpp tiles, each tile filled with its own number.
[[nodiscard]] std::vector<std::uint8_t> FourTiles() {
    std::vector<std::uint8_t> bytes;
    for (int tile = 0; tile < 4; ++tile) {
        bytes.insert(bytes.end(), TilePixels, static_cast<std::uint8_t>(tile));
    }
    return bytes;
}

[[nodiscard]] Surface Copy(const Surface& surface) {
    Surface copy(surface.Width(), surface.Height());
    std::memcpy(copy.Row0(), surface.Row0(), static_cast<std::size_t>(surface.Stride()) * surface.Height());
    return copy;
}

[[nodiscard]] bool Inside(const DirtyRegion& region, int x, int y) {
    return std::ranges::any_of(region.Boxes(), [&](PixelBox box) {
        return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
    });
}

}  // namespace

TEST(TileCodecs, EveryCodecDecodesRandomTilesAsItsDefinitionReadsThem) {
    ASSERT_EQ(TileCodecs().size(), std::size(References));
    std::mt19937 random(22);
    for (const Reference& reference : References) {
        const TileCodec* codec = FindTileCodec(reference.codec);
        ASSERT_NE(codec, nullptr) << reference.codec;
        EXPECT_EQ(codec->bytesPerTile, codec->bitsPerPixel * 8);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(codec->bytesPerTile) * 37);
        for (std::uint8_t& byte : bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        const std::vector<std::uint8_t> indices = Decoded(*codec, bytes);
        for (std::size_t i = 0; i < indices.size(); ++i) {
            const std::uint8_t* tile = bytes.data() + i / TilePixels * codec->bytesPerTile;
            const int x = static_cast<int>(i % TileSide);
            const int y = static_cast<int>(i % TilePixels / TileSide);
            ASSERT_EQ(indices[i], reference.pixel(tile, x, y)) << reference.codec << " pixel " << i;
        }
    }
    EXPECT_EQ(FindTileCodec("3bpp"), nullptr);
}

// One tile per codec with its pixels spelled out, one hexadecimal digit per pixel.
TEST(TileCodecs, HandDrawnTiles) {
    const std::vector<std::string> arrow{"00011000", "00122100", "01233210", "12333321",
                                         "00033000", "00033000", "00033000", "00000000"};
    const std::vector<std::string> counting{"01234567", "89ABCDEF", "01234567", "89ABCDEF",
                                            "01234567", "89ABCDEF", "01234567", "89ABCDEF"};
    struct Drawn {
        const char* codec;
        std::vector<std::uint8_t> bytes;
        std::vector<std::string> rows;
    };
    const std::vector<std::uint8_t> counted{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::vector<std::uint8_t> packed;
    std::vector<std::uint8_t> bytes8;
    for (int i = 0; i < 4; ++i) {
        packed.insert(packed.end(), counted.begin(), counted.end());
    }
    for (int i = 0; i < TilePixels; ++i) {
        bytes8.push_back(static_cast<std::uint8_t>(HexDigit(counting[i / 8][i % 8])));
    }
    const std::vector<Drawn> drawn{
        {"1bpp",
         {0x18, 0x3C, 0x7E, 0xFF, 0x18, 0x18, 0x18, 0x00},
         {"00011000", "00111100", "01111110", "11111111", "00011000", "00011000", "00011000", "00000000"}},
        {"2bpp-planar",
         {0x18, 0, 0x24, 0x18, 0x5A, 0x3C, 0xBD, 0x7E, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0, 0},
         arrow},
        {"4bpp-planar",
         {0x18, 0, 0x24, 0x18, 0x5A, 0x3C, 0xBD, 0x7E, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0, 0,
          0xFF, 0, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0, 0x81},
         {"44455444", "00122100", "01233210", "12333321", "00033000", "00033000", "00033000", "80000008"}},
        {"4bpp-packed", packed, counting},
        {"4bpp-packed-low",
         packed,
         {"10325476", "98BADCFE", "10325476", "98BADCFE", "10325476", "98BADCFE", "10325476", "98BADCFE"}},
        {"8bpp", bytes8, counting},
    };
    for (const Drawn& tile : drawn) {
        const std::vector<std::uint8_t> indices = Decoded(*FindTileCodec(tile.codec), tile.bytes);
        for (int i = 0; i < TilePixels; ++i) {
            ASSERT_EQ(indices[i], HexDigit(tile.rows[i / 8][i % 8])) << tile.codec << " pixel " << i;
        }
    }
}

// The sprite stored down its columns (top left, bottom left, top right, bottom right) shows whole in 2 × 2
// blocks, and in row order as its four tiles side by side.
TEST(TileLayouts, BlockOrderShowsASpriteStoredDownItsColumnsWhole) {
    const std::vector<std::uint8_t> bytes = FourTiles();
    const auto shown = [&](TileLayout layout) {
        TileSheet sheet;
        sheet.Decode(bytes, {FindTileCodec("8bpp"), 0, layout}, 0, 2);
        std::string tiles;
        for (int y = 0; y < sheet.Height(); y += TileSide) {
            for (int x = 0; x < sheet.Width(); x += TileSide) {
                const auto pixel = sheet.PixelAt(x, y);
                tiles += pixel ? static_cast<char>('0' + pixel->index) : '.';
            }
            tiles += '/';
        }
        return tiles;
    };
    EXPECT_EQ(shown({2, 2, 2}), "02/13/");
    EXPECT_EQ(shown({4, 1, 1}), "0123/..../");
    EXPECT_EQ(shown({2, 1, 1}), "01/23/");
    // Every layout places each tile once and finds it there again.
    for (const TileLayout layout :
         {TileLayout{7, 1, 1}, TileLayout{7, 3, 2}, TileLayout{1, 4, 4}, TileLayout{64, 2, 3}}) {
        for (std::int64_t n = 0; n < 500; ++n) {
            const TilePlace place = layout.PlaceOf(n);
            ASSERT_LT(place.column, layout.Width());
            ASSERT_EQ(layout.TileAt(place), n);
        }
    }
}

// Colours come from the chosen line; indices past the palette, and index 0 when transparent, show the
// checker; every pixel is zoom × zoom.
TEST(TileSheets, DrawsIndicesThroughTheLineAtZoom) {
    const std::vector<ColourWord> palette{0x000E, 0x00E0, 0x0E00, 0x0EEE, 0x0222, 0x0444};
    const std::vector<std::uint8_t> bytes = FourTiles();
    TileSheet sheet;
    sheet.Decode(bytes, {FindTileCodec("8bpp"), 0, {4, 1, 1}}, 0, 1);
    Surface surface(sheet.Width() * 3, sheet.Height() * 3);
    const auto at = [&](int tile, int x, int y) { return surface.PixelAt(tile * 24 + x, y); };
    sheet.Draw(surface, MakeTileColours(palette, 2, 1, false), 3);
    EXPECT_EQ(at(0, 0, 0), DisplayColour(0x0222));
    EXPECT_EQ(at(1, 23, 23), DisplayColour(0x0444));
    EXPECT_EQ(at(2, 0, 0), CheckerLight);
    EXPECT_EQ(at(2, 12, 0), CheckerDark);
    EXPECT_EQ(at(2, 12, 12), CheckerLight);
    sheet.Draw(surface, MakeTileColours(palette, 2, 0, true), 3);
    EXPECT_EQ(at(0, 0, 0), CheckerLight);
    EXPECT_EQ(at(3, 2, 2), DisplayColour(0x0EEE));
    EXPECT_EQ(sheet.IndexCounts()[3], TilePixels);
}

// Every codec at every zoom, random tiles and a palette too short for some indices, with index 0 transparent:
// each pixel shows its index's colour on its checker square, and places past the last tile the background.
TEST(TileSheets, EveryPixelShowsItsIndexAtEveryZoom) {
    std::mt19937 random(22);
    std::vector<std::uint8_t> bytes(32 * 14 + 5);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    const std::vector<ColourWord> palette{0x000E, 0x00E0, 0x0E00, 0x0EEE, 0x0222, 0x0444, 0x0666,
                                          0x0888, 0x0AAA, 0x0ACE, 0x0ECA, 0x0246, 0x0642};
    for (const TileCodec& codec : TileCodecs()) {
        TileSheet sheet;
        sheet.Decode(bytes, {&codec, 1, {4, 1, 1}}, 0, 4);
        const TileColours colours = MakeTileColours(palette, codec.bitsPerPixel, 0, true);
        for (int zoom = 1; zoom <= 3; ++zoom) {
            Surface surface(sheet.Width() * zoom, sheet.Height() * zoom);
            sheet.Draw(surface, colours, zoom);
            for (int y = 0; y < surface.Height(); ++y) {
                for (int x = 0; x < surface.Width(); ++x) {
                    const int sx = x / zoom, sy = y / zoom;
                    const std::optional<TilePixel> pixel = sheet.PixelAt(sx, sy);
                    const int square = (sx % TileSide / 4 + sy % TileSide / 4) % 2;
                    const std::uint32_t expected =
                        pixel ? static_cast<std::uint32_t>(colours.pixels[square][pixel->index])
                              : PixelOf(BackgroundColour);
                    ASSERT_EQ(PixelOf(surface.PixelAt(x, y)), expected)
                        << codec.name << " zoom " << zoom << " at " << x << ", " << y;
                }
            }
        }
    }
}

// Random bytes under random codecs and layouts, blocks and widths that are no multiple of four among them:
// each pixel row handed to the export holds the indices the sheet shows on that row, and 0 where it shows
// no tile.
TEST(TileExport, IndexRowsHoldWhatTheSheetShows) {
    std::mt19937 random(22);
    std::vector<std::uint8_t> bytes(3000);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    for (int round = 0; round < 60; ++round) {
        const TileCodec& codec = TileCodecs()[random() % TileCodecs().size()];
        const TileLayout layout{static_cast<int>(1 + random() % MaxTileColumns),
                                static_cast<int>(1 + random() % 4), static_cast<int>(1 + random() % 4)};
        const TileRun run{&codec, static_cast<std::int64_t>(random() % 64), layout};
        const std::int64_t count = run.Count(bytes.size());
        TileSheet sheet;
        sheet.Decode(bytes, run, 0, static_cast<int>(layout.Rows(count)));
        int y = 0;
        ForEachIndexRow(bytes, run, count, [&](std::span<const std::uint8_t> row) {
            ASSERT_EQ(static_cast<int>(row.size()), sheet.Width());
            for (int x = 0; x < sheet.Width(); ++x) {
                const std::optional<TilePixel> pixel = sheet.PixelAt(x, y);
                ASSERT_EQ(row[x], pixel ? pixel->index : 0)
                    << codec.name << " round " << round << " at " << x << ", " << y;
            }
            ++y;
        });
        EXPECT_EQ(y, sheet.Height());
    }
}

// Random palette edits, one entry or many at a time, on tiles of two indices each: drawing again only the
// boxes of the tiles that use a changed index, each box on its own as a window draws it, shows what a fresh
// drawing shows, and every pixel that changed lies in such a box. And any box of an area larger than the
// sheet, cutting tiles or not, drawn alone shows the fresh drawing's pixels, and background past the sheet.
TEST(TileSheets, BoxesDrawnAloneEqualAFreshDrawing) {
    std::mt19937 random(22);
    for (const char* name : {"4bpp-packed", "8bpp"}) {
        const TileCodec& codec = *FindTileCodec(name);
        std::vector<std::uint8_t> bytes;
        for (int tile = 0; tile < 27; ++tile) {
            const std::array<std::uint_fast32_t, 2> two{random() % 16, random() % 16};
            for (int i = 0; i < codec.bytesPerTile; ++i) {
                const std::uint_fast32_t index = two[random() % 2];
                bytes.push_back(static_cast<std::uint8_t>(codec.bitsPerPixel == 8 ? index : index * 0x11));
            }
        }
        for (int zoom = 1; zoom <= 3; ++zoom) {
            TileSheet sheet;
            sheet.Decode(bytes, {&codec, 0, {5, 1, 1}}, 0, 6);
            Surface shown(sheet.Width() * zoom, sheet.Height() * zoom);
            // The area reaches a tile and a few pixels past the sheet.
            Surface fresh(shown.Width() + 11 * zoom, shown.Height() + 13 * zoom);
            fresh.FillBox(BackgroundColour, 0, 0, fresh.Width(), fresh.Height());
            std::vector<ColourWord> palette(16);
            TileColours colours = MakeTileColours(palette, codec.bitsPerPixel, 0, true);
            sheet.Draw(shown, colours, zoom);
            for (int edit = 0; edit < 30; ++edit) {
                for (unsigned n = edit % 5 == 0 ? 8 : 1; n > 0; --n) {
                    palette[random() % 16] = static_cast<ColourWord>(random() & 0x0EEE);
                }
                palette.resize(edit % 7 == 0 ? 12 : 16);
                const TileColours next = MakeTileColours(palette, codec.bitsPerPixel, 0, true);
                const Surface before = Copy(shown);
                const DirtyRegion drawn = sheet.ChangedBoxes(zoom, ChangedIndices(colours, next));
                for (const PixelBox& box : drawn.Boxes()) {
                    Surface part = shown.Part(box);
                    sheet.DrawBox(part, box, next, zoom);
                }
                sheet.Draw(fresh, next, zoom);
                for (int y = 0; y < shown.Height(); ++y) {
                    for (int x = 0; x < shown.Width(); ++x) {
                        ASSERT_EQ(shown.PixelAt(x, y), fresh.PixelAt(x, y))
                            << name << " zoom " << zoom << " edit " << edit << " at " << x << ", " << y;
                        ASSERT_TRUE(before.PixelAt(x, y) == shown.PixelAt(x, y) || Inside(drawn, x, y))
                            << name << " zoom " << zoom << " edit " << edit << " at " << x << ", " << y;
                    }
                }
                colours = next;
            }
            for (int n = 0; n < 40; ++n) {
                const int left = static_cast<int>(random() % static_cast<unsigned>(fresh.Width()));
                const int top = static_cast<int>(random() % static_cast<unsigned>(fresh.Height()));
                const PixelBox box{
                    left, top,
                    left + 1 + static_cast<int>(random() % static_cast<unsigned>(fresh.Width() - left)),
                    top + 1 + static_cast<int>(random() % static_cast<unsigned>(fresh.Height() - top))};
                Surface alone(box.Width(), box.Height());
                sheet.DrawBox(alone, box, colours, zoom);
                for (int y = 0; y < alone.Height(); ++y) {
                    for (int x = 0; x < alone.Width(); ++x) {
                        ASSERT_EQ(alone.PixelAt(x, y), fresh.PixelAt(box.left + x, box.top + y))
                            << name << " zoom " << zoom << " box " << box.left << ", " << box.top << " to "
                            << box.right << ", " << box.bottom << " at " << x << ", " << y;
                    }
                }
            }
        }
    }
}

}  // namespace tintorb::test
