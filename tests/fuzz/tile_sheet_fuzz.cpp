// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary file bytes to the tile sheet under arbitrary settings: codec, start, layout, rows, zoom
// and a box of the area, the first bytes choosing them. Besides memory and undefined-behaviour faults it
// checks that a box drawn alone equals the same box of the whole area drawn at once, and that after a colour
// change every pixel that differs lies in a box the sheet reports as changed; and that the export hands on
// the pixel rows the sheet shows.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

#include "tiles/TileExport.h"
#include "tiles/TileSheet.h"

namespace {

using namespace tintorb;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The next setting byte, or 0 once they run out.
struct Settings {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    int Next(int range) { return at < bytes.size() ? bytes[at++] % range : 0; }
};

[[nodiscard]] std::vector<ColourWord> Palette(int seed, int length) {
    std::vector<ColourWord> words;
    for (int i = 0; i < length; ++i) {
        words.push_back(static_cast<ColourWord>((i * 0x0246 + seed * 0x0132) & 0x0EEE));
    }
    return words;
}

[[nodiscard]] bool InsideAny(const DirtyRegion& region, int x, int y) {
    for (const PixelBox& box : region.Boxes()) {
        if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings s{{data, std::min<std::size_t>(size, 12)}};
    const std::span<const TileCodec> codecs = TileCodecs();
    TileRun run;
    run.codec = &codecs[static_cast<std::size_t>(s.Next(static_cast<int>(codecs.size())))];
    run.start = s.Next(80);
    run.layout = {1 + s.Next(MaxTileColumns), 1 + s.Next(4), 1 + s.Next(4)};
    const int firstRow = s.Next(4);
    const int rows = s.Next(6);
    const int zoom = 1 + s.Next(8);
    const int transparent = s.Next(2);
    const std::span<const std::uint8_t> file(data, size);

    TileSheet sheet;
    sheet.Decode(file, run, firstRow, rows);
    // The area a little larger than the sheet, so that boxes reach past it into the background.
    const int width = sheet.Width() * zoom + 5;
    const int height = sheet.Height() * zoom + 5;
    const int bpp = run.codec->bitsPerPixel;
    const TileColours before = MakeTileColours(Palette(1, 40), bpp, 0, transparent != 0);
    Surface whole(width, height);
    whole.FillBox(BackgroundColour, 0, 0, width, height);
    sheet.Draw(whole, before, zoom);

    const int left = s.Next(width);
    const int top = s.Next(height);
    const PixelBox box{left, top, left + 1 + s.Next(width - left), top + 1 + s.Next(height - top)};
    Surface alone(box.Width(), box.Height());
    sheet.DrawBox(alone, box, before, zoom);
    for (int y = 0; y < box.Height(); ++y) {
        for (int x = 0; x < box.Width(); ++x) {
            Require(alone.PixelAt(x, y) == whole.PixelAt(box.left + x, box.top + y));
        }
    }

    const TileColours after = MakeTileColours(Palette(2 + s.Next(3), 40), bpp, 0, transparent != 0);
    const DirtyRegion changed = sheet.ChangedBoxes(zoom, ChangedIndices(before, after));
    Surface recoloured(width, height);
    recoloured.FillBox(BackgroundColour, 0, 0, width, height);
    sheet.Draw(recoloured, after, zoom);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Require(recoloured.PixelAt(x, y) == whole.PixelAt(x, y) || InsideAny(changed, x, y));
        }
    }

    // The export's pixel rows of every tile hold what a sheet of them all shows, and 0 where it shows none.
    const std::int64_t count = run.Count(file.size());
    TileSheet all;
    all.Decode(file, run, 0, static_cast<int>(run.layout.Rows(count)));
    int y = 0;
    ForEachIndexRow(file, run, count, [&](std::span<const std::uint8_t> row) {
        Require(static_cast<int>(row.size()) == all.Width() && y < all.Height());
        for (int x = 0; x < all.Width(); ++x) {
            const std::optional<TilePixel> pixel = all.PixelAt(x, y);
            Require(row[static_cast<std::size_t>(x)] == (pixel ? pixel->index : 0));
        }
        ++y;
    });
    Require(y == all.Height());
    return 0;
}
