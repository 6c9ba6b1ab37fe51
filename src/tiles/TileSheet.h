// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tiles a window shows: decoded once into colour indices, then drawn through a colour table as often as
// the palette changes. A palette edit changes no index, so it costs only the drawing.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "draw/Surface.h"
#include "model/ColourWord.h"
#include "tiles/TileCodecs.h"
#include "tiles/TileLayout.h"

namespace tintorb {

// The pixel value of every colour index, twice over in 64 bits so that a zoomed pixel pair is one store;
// once for each square of the checker that stands in for the colours a palette does not have.
struct TileColours {
    std::array<std::array<std::uint64_t, 256>, 2> pixels{};
};

// A set of colour indices.
using IndexSet = std::bitset<256>;

// The indices whose pixels differ between two colour tables.
[[nodiscard]] IndexSet ChangedIndices(const TileColours& before, const TileColours& after);

// The neutral grey squares shown where a pixel has no colour.
inline constexpr Rgb CheckerLight{204, 204, 204};
inline constexpr Rgb CheckerDark{153, 153, 153};

// Entry line × 2^bpp + i of the palette is index i's colour; an index past the palette's end has none.
[[nodiscard]] std::optional<ColourWord> EntryOfIndex(std::span<const ColourWord> palette, int bitsPerPixel,
                                                     int line, int index);
// The display colours of the line's 2^bpp entries, grey where the palette has none: an exported image's
// colour table.
[[nodiscard]] std::vector<Rgb> LineColours(std::span<const ColourWord> palette, int bitsPerPixel, int line);
// The same as pixels, with the checker where a colour is missing, and for index 0 too when it is
// transparent.
[[nodiscard]] TileColours MakeTileColours(std::span<const ColourWord> palette, int bitsPerPixel, int line,
                                          bool transparentZero);

// Where the tiles are read from and how they are laid out.
struct TileRun {
    const TileCodec* codec = nullptr;
    std::int64_t start = 0;
    TileLayout layout;

    // Whole tiles from start to the end of data.
    [[nodiscard]] std::int64_t Count(std::size_t dataLength) const;
    [[nodiscard]] std::int64_t Address(std::int64_t tile) const { return start + tile * codec->bytesPerTile; }
};

struct TilePixel {
    std::int64_t tile = 0;
    int index = 0;
};

// One pixel row of a row of tiles, for a row writer: where its pixels start, each column's tile (its indices,
// or null for a place without one), the row's y in the tiles, and how many rows of the surface lie below its
// zoomed rows.
struct TileRow {
    std::uint32_t* line;
    const std::uint8_t* const* tiles;
    int columns;
    int y;
    int rowsBelow;
};

class TileSheet {
  public:
    // Decodes the tiles of grid rows firstRow … firstRow + rows − 1.
    void Decode(std::span<const std::uint8_t> data, const TileRun& run, std::int64_t firstRow, int rows);
    // Draws the decoded rows from the surface's top left, each pixel zoom × zoom; a place without a tile is
    // background. Only whole tiles that fit on the surface are drawn.
    void Draw(Surface& surface, const TileColours& colours, int zoom) const;
    // Draws the box of an area that shows the sheet at its top left, each pixel zoom × zoom, and background
    // around it, into target: a surface over exactly the box, whose top left is the box's. The box may cut
    // tiles; its pixels are those Draw draws.
    void DrawBox(Surface& target, PixelBox box, const TileColours& colours, int zoom) const;
    // After a change of colours: the boxes of pixels at zoom that hold the tiles using an index in changed,
    // which are all that a drawing in the new colours changes.
    [[nodiscard]] DirtyRegion ChangedBoxes(int zoom, const IndexSet& changed);

    // Sheet size in pixels at zoom 1.
    [[nodiscard]] int Width() const { return layout_.Width() * TileSide; }
    [[nodiscard]] int Height() const { return rows_ * TileSide; }
    // The tile and colour index at a pixel of the sheet at zoom 1, if a tile is there.
    [[nodiscard]] std::optional<TilePixel> PixelAt(int x, int y) const;
    // How many pixels of the shown tiles use each index.
    [[nodiscard]] std::array<std::int64_t, 256> IndexCounts() const;

  private:
    // Where a shown tile's indices start, or null for a place without one.
    [[nodiscard]] const std::uint8_t* TileIndices(int column, int row) const;
    // Draws the box of places, in tiles, from the surface's top left through the fastest row writer for the
    // sheet and zoom.
    void Paint(Surface& surface, PixelBox places, const TileColours& colours, int zoom) const;
    // Paint at zoom 1 or 2 for indices below 16, a pair of pixels at a time.
    template <int Zoom>
    void DrawPairs(Surface& surface, PixelBox places, const TileColours& colours) const;
#if defined(__x86_64__)
    // Paint at zoom 2 for indices below 16 with AVX2, where the processor has it.
    void DrawZoom2Avx2(Surface& surface, PixelBox places, const TileColours& colours) const;
#endif
    // DrawBox for the cut part of the box: its tiles drawn aside, the part copied.
    void DrawCut(Surface& target, PixelBox box, PixelBox cut, const TileColours& colours, int zoom) const;
    // Calls put(TileRow) for each pixel row of the places, from the surface's top left, whose tiles are on
    // the sheet and fit on the surface, to write the first putRows of its zoomed rows; and copies the first
    // into the rows below those.
    template <class PutRow>
    void ForEachPixelRow(Surface& surface, int zoom, PixelBox places, PutRow&& put, int putRows = 1) const;
    // Which indices each decoded tile uses, once per decode, for ChangedBoxes.
    void NoteUsedIndices();

    TileLayout layout_;
    int bitsPerPixel_ = 8;
    std::int64_t firstTile_ = 0;
    int rows_ = 0;
    std::vector<std::uint8_t> indices_;   // 64 per decoded tile, in tile order from firstTile_
    std::vector<std::int32_t> slots_;     // per place of the shown rows: its tile's number in indices_, or -1
    std::vector<IndexSet> used_;          // per decoded tile, once ChangedBoxes needed it
    std::array<int, 256> placesUsing_{};  // per index, how many places show a tile using it; as used_
};

}  // namespace tintorb
