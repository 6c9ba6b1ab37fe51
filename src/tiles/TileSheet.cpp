// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileSheet.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "tiles/CpuFeatures.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tintorb {

namespace {

constexpr int CheckerSide = TileSide / 2;

// One pixel row of the sheet: each tile's eight indices through the colour table, each pixel zoom wide. The
// zoom is a template argument, so that the inner loops unroll and nothing is called per tile.
struct RowPixels {
    const std::uint8_t* const* tiles;  // per column, its tile's indices, or null
    int columns;
    int offset;                  // of the row's indices in each tile
    const std::uint64_t* left;   // colours of the row's left half-tiles, two pixels each
    const std::uint64_t* right;  // and of its right ones, on the checker's other squares
    std::uint32_t background;
};

// Each column's eight indices of the row, from offset in its tile, in one load, handed to put(out, eight),
// which writes the tile's zoomed pixels and returns where the next tile starts; a place without a tile is
// background.
template <int Zoom, class PutTile>
std::uint32_t* PutTiles(std::uint32_t* out, const std::uint8_t* const* tiles, int columns, int offset,
                        std::uint32_t background, PutTile put) {
    for (int column = 0; column < columns; ++column) {
        const std::uint8_t* indices = tiles[column];
        if (indices == nullptr) {
            out = std::fill_n(out, TileSide * Zoom, background);
            continue;
        }
        std::uint64_t eight = 0;
        std::memcpy(&eight, indices + offset, sizeof(eight));
        out = put(out, eight);
    }
    return out;
}

// Taken by value, so that the compiler sees that no pixel written changes where the colours are.
template <int Zoom>
std::uint32_t* PutRow(std::uint32_t* out, const RowPixels row) {
    const std::uint64_t* const left = row.left;
    const std::uint64_t* const right = row.right;
    return PutTiles<Zoom>(
        out, row.tiles, row.columns, row.offset, row.background, [&](std::uint32_t* o, std::uint64_t eight) {
            for (int x = 0; x < TileSide; ++x) {
                const int shift = std::endian::native == std::endian::little ? 8 * x : 8 * (TileSide - 1 - x);
                const auto index = static_cast<std::uint8_t>(eight >> shift);
                const std::uint64_t pair = (x < CheckerSide ? left : right)[index];
                if constexpr (Zoom % 2 == 0) {
                    for (int z = 0; z < Zoom; z += 2, o += 2) {
                        std::memcpy(o, &pair, sizeof(pair));
                    }
                } else {
                    for (int z = 0; z < Zoom; ++z) {
                        *o++ = static_cast<std::uint32_t>(pair);
                    }
                }
            }
            return o;
        });
}

using PutRowFunction = std::uint32_t* (*)(std::uint32_t*, RowPixels);

// With indices below 16, two neighbouring pixels are one byte (the left index in the high nibble) and one
// lookup in a table of their zoomed pixels: half the lookups, and one wide store per pair.
template <int Zoom>
using PairTable = std::array<std::array<std::uint32_t, 2 * Zoom>, 256>;

template <int Zoom>
void FillPairTable(PairTable<Zoom>& table, const std::array<std::uint64_t, 256>& pixels) {
    for (int left = 0; left < 16; ++left) {
        for (int right = 0; right < 16; ++right) {
            std::array<std::uint32_t, 2 * Zoom>& pair = table[static_cast<std::size_t>(left << 4 | right)];
            std::fill_n(pair.begin(), Zoom, static_cast<std::uint32_t>(pixels[left]));
            std::fill_n(pair.begin() + Zoom, Zoom, static_cast<std::uint32_t>(pixels[right]));
        }
    }
}

template <int Zoom>
struct PairRowPixels {
    const std::uint8_t* const* tiles;  // per column, its tile's indices, or null
    int columns;
    int offset;                    // of the row's indices in each tile
    const PairTable<Zoom>* left;   // the pairs of the row's left half-tiles
    const PairTable<Zoom>* right;  // and of its right ones, on the checker's other squares
    std::uint32_t background;
};

template <int Zoom>
std::uint32_t* PutPairRow(std::uint32_t* out, const PairRowPixels<Zoom> row) {
    constexpr bool little = std::endian::native == std::endian::little;
    const PairTable<Zoom>& left = *row.left;
    const PairTable<Zoom>& right = *row.right;
    return PutTiles<Zoom>(
        out, row.tiles, row.columns, row.offset, row.background, [&](std::uint32_t* o, std::uint64_t eight) {
            // Each index's byte shifted up a nibble and ORed with its right neighbour's: the byte of pixel 2k
            // then holds the pair 2k, 2k + 1.
            const std::uint64_t pairs = eight << 4 | (little ? eight >> 8 : eight << 8);
            for (int k = 0; k < TileSide / 2; ++k) {
                const auto place = static_cast<std::uint8_t>(pairs >> (little ? 16 * k : 56 - 16 * k));
                const auto& pair = (k < TileSide / 4 ? left : right)[place];
                std::memcpy(o, pair.data(), sizeof(pair));
                o += 2 * Zoom;
            }
            return o;
        });
}

#if defined(__x86_64__)

// The colours of indices below 16, one 32-bit pixel each: what the vector row below looks up.
using SixteenPixels = std::array<std::uint32_t, 16>;

// Sixteen pixels from indices below 16 in two registers: each index picks from both halves of the table, and
// its bit 3, moved up to the sign bit, chooses between them.
__attribute__((target("avx2"))) inline __m256i LookUp16(__m256i indices, __m256i low, __m256i high) {
    const __m256 fromLow = _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(low, indices));
    const __m256 fromHigh = _mm256_castsi256_ps(_mm256_permutevar8x32_epi32(high, indices));
    const __m256 choice = _mm256_castsi256_ps(_mm256_slli_epi32(indices, 28));
    return _mm256_castps_si256(_mm256_blendv_ps(fromLow, fromHigh, choice));
}

__attribute__((target("avx2"))) inline __m256i LoadEight(const std::uint32_t* pixels) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
}

// The two pixel rows of a tile row at zoom 2 with indices below 16, eight zoomed pixels a store: each
// half-tile's four indices are doubled and looked up in its half's colours at once. Both rows are stored
// from the registers, which is cheaper than copying the first into the second.
struct Zoom2Rows {
    std::uint32_t* top;
    std::ptrdiff_t stride;             // bytes from the top row to the one below
    const std::uint8_t* const* tiles;  // per column, its tile's indices, or null
    int columns;
    int offset;                  // of the row's indices in each tile
    const SixteenPixels* left;   // colours of the row's left half-tiles
    const SixteenPixels* right;  // and of its right ones, on the checker's other squares
    std::uint32_t background;
    // Whether the surface has two rows below these: their memory is then fetched for writing while these are
    // drawn. A window's memory is seldom in the cache, and waiting for each line in turn made the drawing a
    // third slower than a fill.
    bool fetchBelow;
};

__attribute__((target("avx2"))) std::uint32_t* PutZoom2RowsAvx2(const Zoom2Rows rows) {
    const __m256i leftLow = LoadEight(rows.left->data());
    const __m256i leftHigh = LoadEight(rows.left->data() + 8);
    const __m256i rightLow = LoadEight(rows.right->data());
    const __m256i rightHigh = LoadEight(rows.right->data() + 8);
    const __m256i empty = _mm256_set1_epi32(static_cast<int>(rows.background));
    std::uint32_t* out = rows.top;
    for (int column = 0; column < rows.columns; ++column, out += 2 * TileSide) {
        if (rows.fetchBelow) {
            __builtin_prefetch(reinterpret_cast<std::uint8_t*>(out) + 2 * rows.stride, 1);
            __builtin_prefetch(reinterpret_cast<std::uint8_t*>(out) + 3 * rows.stride, 1);
        }
        auto* top = reinterpret_cast<__m256i*>(out);
        auto* bottom = reinterpret_cast<__m256i*>(reinterpret_cast<std::uint8_t*>(out) + rows.stride);
        __m256i leftHalf = empty;
        __m256i rightHalf = empty;
        if (rows.tiles[column] != nullptr) {
            const __m128i eight =
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows.tiles[column] + rows.offset));
            const __m128i doubled = _mm_unpacklo_epi8(eight, eight);
            leftHalf = LookUp16(_mm256_cvtepu8_epi32(doubled), leftLow, leftHigh);
            rightHalf =
                LookUp16(_mm256_cvtepu8_epi32(_mm_unpackhi_epi64(doubled, doubled)), rightLow, rightHigh);
        }
        _mm256_storeu_si256(top, leftHalf);
        _mm256_storeu_si256(top + 1, rightHalf);
        _mm256_storeu_si256(bottom, leftHalf);
        _mm256_storeu_si256(bottom + 1, rightHalf);
    }
    return out;
}

#endif

// n rounded up to a multiple of side.
[[nodiscard]] constexpr int RoundUp(int n, int side) {
    return (n + side - 1) / side * side;
}

[[nodiscard]] constexpr PixelBox Meet(PixelBox a, PixelBox b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

[[nodiscard]] constexpr PixelBox Moved(PixelBox box, int dx, int dy) {
    return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

constexpr std::array<PutRowFunction, 8> PutRows{PutRow<1>, PutRow<2>, PutRow<3>, PutRow<4>,
                                                PutRow<5>, PutRow<6>, PutRow<7>, PutRow<8>};

}  // namespace

std::optional<ColourWord> EntryOfIndex(std::span<const ColourWord> palette, int bitsPerPixel, int line,
                                       int index) {
    const std::size_t entry = (std::size_t{static_cast<unsigned>(line)} << bitsPerPixel) + index;
    if (entry >= palette.size()) {
        return std::nullopt;
    }
    return palette[entry];
}

std::vector<Rgb> LineColours(std::span<const ColourWord> palette, int bitsPerPixel, int line) {
    std::vector<Rgb> colours(std::size_t{1} << bitsPerPixel, CheckerDark);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (const auto word = EntryOfIndex(palette, bitsPerPixel, line, static_cast<int>(i))) {
            colours[i] = DisplayColour(*word);
        }
    }
    return colours;
}

TileColours MakeTileColours(std::span<const ColourWord> palette, int bitsPerPixel, int line,
                            bool transparentZero) {
    const auto pair = [](Rgb c) { return std::uint64_t{PixelOf(c)} * 0x1'0000'0001u; };
    TileColours colours;
    colours.pixels[0].fill(pair(CheckerLight));
    colours.pixels[1].fill(pair(CheckerDark));
    const int first = transparentZero ? 1 : 0;
    for (int i = first; i < (1 << bitsPerPixel); ++i) {
        if (const auto word = EntryOfIndex(palette, bitsPerPixel, line, i)) {
            colours.pixels[0][i] = colours.pixels[1][i] = pair(DisplayColour(*word));
        }
    }
    return colours;
}

IndexSet ChangedIndices(const TileColours& before, const TileColours& after) {
    IndexSet changed;
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (before.pixels[0][i] != after.pixels[0][i] || before.pixels[1][i] != after.pixels[1][i]) {
            changed.set(i);
        }
    }
    return changed;
}

std::int64_t TileRun::Count(std::size_t dataLength) const {
    const auto length = static_cast<std::int64_t>(dataLength);
    return start < 0 || start >= length ? 0 : (length - start) / codec->bytesPerTile;
}

void TileSheet::Decode(std::span<const std::uint8_t> data, const TileRun& run, std::int64_t firstRow,
                       int rows) {
    layout_ = run.layout;
    bitsPerPixel_ = run.codec->bitsPerPixel;
    rows_ = std::max(rows, 0);
    const std::int64_t count = run.Count(data.size());
    const std::int64_t firstBand = firstRow / layout_.blockHeight;
    const std::int64_t endBand = (firstRow + rows_ + layout_.blockHeight - 1) / layout_.blockHeight;
    firstTile_ = std::min(firstBand * layout_.BandTiles(), count);
    const std::int64_t tiles =
        std::clamp<std::int64_t>(endBand * layout_.BandTiles(), firstTile_, count) - firstTile_;
    indices_.resize(static_cast<std::size_t>(tiles) * TilePixels);
    used_.clear();
    placesUsing_.fill(0);
    if (tiles > 0) {
        run.codec->decode(data.data() + run.Address(firstTile_), indices_.data(),
                          static_cast<std::size_t>(tiles));
    }
    const int width = layout_.Width();
    const std::vector<std::int32_t> order = layout_.BandOrder();
    slots_.assign(static_cast<std::size_t>(width) * rows_, -1);
    for (int row = 0; row < rows_; ++row) {
        const std::int64_t band = (firstRow + row) / layout_.blockHeight;
        const std::int32_t* places = order.data() + (firstRow + row) % layout_.blockHeight * width;
        for (int column = 0; column < width; ++column) {
            const std::int64_t slot = band * layout_.BandTiles() + places[column] - firstTile_;
            if (slot >= 0 && slot < tiles) {
                slots_[static_cast<std::size_t>(row) * width + column] = static_cast<std::int32_t>(slot);
            }
        }
    }
}

const std::uint8_t* TileSheet::TileIndices(int column, int row) const {
    const std::int32_t slot = slots_[static_cast<std::size_t>(row) * layout_.Width() + column];
    return slot < 0 ? nullptr : indices_.data() + static_cast<std::size_t>(slot) * TilePixels;
}

void TileSheet::Draw(Surface& surface, const TileColours& colours, int zoom) const {
    Paint(surface, {0, 0, MaxTileColumns, rows_}, colours, zoom);
}

void TileSheet::DrawBox(Surface& target, PixelBox box, const TileColours& colours, int zoom) const {
    zoom = std::clamp(zoom, 1, static_cast<int>(PutRows.size()));
    const int side = TileSide * zoom;
    box.right = std::min(box.right, box.left + target.Width());
    box.bottom = std::min(box.bottom, box.top + target.Height());
    const PixelBox shown = Meet(box, {0, 0, Width() * zoom, Height() * zoom});
    if (shown != box) {
        target.FillBox(BackgroundColour, 0, 0, target.Width(), target.Height());
    }
    if (shown.Empty()) {
        return;
    }
    // The whole tiles in the box are drawn where they are shown; the cut tiles around them, at most a tile
    // deep, are drawn aside and their part copied.
    const PixelBox whole{RoundUp(shown.left, side), RoundUp(shown.top, side), shown.right / side * side,
                         shown.bottom / side * side};
    if (whole.Empty()) {
        DrawCut(target, box, shown, colours, zoom);
        return;
    }
    Surface inside = target.Part(Moved(whole, -box.left, -box.top));
    Paint(inside, {whole.left / side, whole.top / side, whole.right / side, whole.bottom / side}, colours,
          zoom);
    for (const PixelBox& cut : {PixelBox{shown.left, shown.top, shown.right, whole.top},
                                PixelBox{shown.left, whole.bottom, shown.right, shown.bottom},
                                PixelBox{shown.left, whole.top, whole.left, whole.bottom},
                                PixelBox{whole.right, whole.top, shown.right, whole.bottom}}) {
        if (!cut.Empty()) {
            DrawCut(target, box, cut, colours, zoom);
        }
    }
}

void TileSheet::DrawCut(Surface& target, PixelBox box, PixelBox cut, const TileColours& colours,
                        int zoom) const {
    const int side = TileSide * zoom;
    const PixelBox places{cut.left / side, cut.top / side, RoundUp(cut.right, side) / side,
                          RoundUp(cut.bottom, side) / side};
    const int width = places.Width() * side;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * places.Height() * side);
    Surface aside(reinterpret_cast<std::uint8_t*>(pixels.data()), std::ptrdiff_t{width} * 4, width,
                  places.Height() * side);
    Paint(aside, places, colours, zoom);
    const Surface from = aside.Part(Moved(cut, -places.left * side, -places.top * side));
    const Surface to = target.Part(Moved(cut, -box.left, -box.top));
    const auto rowBytes = static_cast<std::size_t>(std::min(from.Width(), to.Width())) * 4;
    for (int y = 0; y < std::min(from.Height(), to.Height()); ++y) {
        std::memcpy(to.Row0() + y * to.Stride(), from.Row0() + y * from.Stride(), rowBytes);
    }
}

DirtyRegion TileSheet::ChangedBoxes(int zoom, const IndexSet& changed) {
    zoom = std::clamp(zoom, 1, static_cast<int>(PutRows.size()));
    const int side = TileSide * zoom;
    const int columns = layout_.Width();
    NoteUsedIndices();
    const auto changes = [&](int column, int row) {
        const std::int32_t slot = slots_[static_cast<std::size_t>(row) * columns + column];
        return slot >= 0 && (used_[static_cast<std::size_t>(slot)] & changed).any();
    };
    const PixelBox whole{0, 0, columns * side, rows_ * side};
    DirtyRegion boxes;
    // An index that most places use changed, as a background's often does: no need to look at each place.
    for (std::size_t i = 0; i < changed.size(); ++i) {
        if (changed.test(i) && 2 * placesUsing_[i] > columns * rows_) {
            boxes.Add(whole);
            return boxes;
        }
    }
    int changedPlaces = 0;
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns;) {
            int end = column;
            while (end < columns && changes(end, row)) {
                ++end;
            }
            changedPlaces += end - column;
            boxes.Add({column * side, row * side, end * side, (row + 1) * side});
            column = end + 1;
        }
    }
    // Most places changed: one box over the whole sheet costs less than the runs' boxes.
    if (2 * changedPlaces > columns * rows_) {
        boxes.Clear();
        boxes.Add(whole);
    }
    return boxes;
}

void TileSheet::NoteUsedIndices() {
    const std::size_t tiles = indices_.size() / TilePixels;
    if (used_.size() == tiles) {
        return;
    }
    // How many places show each tile: one, or none past the sheet's last row.
    std::vector<int> places(tiles);
    for (const std::int32_t slot : slots_) {
        if (slot >= 0) {
            ++places[static_cast<std::size_t>(slot)];
        }
    }
    used_.assign(tiles, IndexSet{});
    placesUsing_.fill(0);
    for (std::size_t tile = 0; tile < tiles; ++tile) {
        for (int i = 0; i < TilePixels; ++i) {
            const std::uint8_t index = indices_[tile * TilePixels + static_cast<std::size_t>(i)];
            if (!used_[tile].test(index)) {
                used_[tile].set(index);
                placesUsing_[index] += places[tile];
            }
        }
    }
}

void TileSheet::Paint(Surface& surface, PixelBox places, const TileColours& colours, int zoom) const {
    zoom = std::clamp(zoom, 1, static_cast<int>(PutRows.size()));
    if (bitsPerPixel_ <= 4 && zoom == 1) {
        DrawPairs<1>(surface, places, colours);
        return;
    }
    if (bitsPerPixel_ <= 4 && zoom == 2) {
#if defined(__x86_64__)
        if (HasAvx2()) {
            DrawZoom2Avx2(surface, places, colours);
            return;
        }
#endif
        DrawPairs<2>(surface, places, colours);
        return;
    }
    const PutRowFunction put = PutRows[zoom - 1];
    ForEachPixelRow(surface, zoom, places, [&](const TileRow& row) {
        // The checker's squares are half a tile, so a row's halves take opposite squares.
        const RowPixels pixels{row.tiles,
                               row.columns,
                               row.y * TileSide,
                               colours.pixels[(row.y / CheckerSide) & 1].data(),
                               colours.pixels[(row.y / CheckerSide + 1) & 1].data(),
                               PixelOf(BackgroundColour)};
        return put(row.line, pixels);
    });
}

template <int Zoom>
void TileSheet::DrawPairs(Surface& surface, PixelBox places, const TileColours& colours) const {
    std::array<PairTable<Zoom>, 2> tables;
    FillPairTable<Zoom>(tables[0], colours.pixels[0]);
    FillPairTable<Zoom>(tables[1], colours.pixels[1]);
    ForEachPixelRow(surface, Zoom, places, [&](const TileRow& row) {
        const PairRowPixels<Zoom> pixels{row.tiles,
                                         row.columns,
                                         row.y * TileSide,
                                         &tables[(row.y / CheckerSide) & 1],
                                         &tables[(row.y / CheckerSide + 1) & 1],
                                         PixelOf(BackgroundColour)};
        return PutPairRow<Zoom>(row.line, pixels);
    });
}

#if defined(__x86_64__)
void TileSheet::DrawZoom2Avx2(Surface& surface, PixelBox places, const TileColours& colours) const {
    std::array<SixteenPixels, 2> squares{};
    for (std::size_t square = 0; square < squares.size(); ++square) {
        for (std::size_t i = 0; i < squares[square].size(); ++i) {
            squares[square][i] = static_cast<std::uint32_t>(colours.pixels[square][i]);
        }
    }
    ForEachPixelRow(
        surface, 2, places,
        [&](const TileRow& row) {
            return PutZoom2RowsAvx2({row.line, surface.Stride(), row.tiles, row.columns, row.y * TileSide,
                                     &squares[(row.y / CheckerSide) & 1],
                                     &squares[(row.y / CheckerSide + 1) & 1], PixelOf(BackgroundColour),
                                     row.rowsBelow >= 2});
        },
        2);
}
#endif

template <class PutRow>
void TileSheet::ForEachPixelRow(Surface& surface, int zoom, PixelBox places, PutRow&& put,
                                int putRows) const {
    const int side = TileSide * zoom;
    const int left = std::max(places.left, 0);
    const int top = std::max(places.top, 0);
    const int right = std::min({places.right, layout_.Width(), places.left + surface.Width() / side});
    const int bottom = std::min({places.bottom, rows_, places.top + surface.Height() / side});
    if (left >= right) {
        return;
    }
    // A sheet is at most MaxTileColumns wide: whole blocks, and never more than the columns asked for but one
    // block.
    std::array<const std::uint8_t*, MaxTileColumns> tiles{};
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            tiles[static_cast<std::size_t>(column - left)] = TileIndices(column, row);
        }
        for (int y = 0; y < TileSide; ++y) {
            const int pixelRow = ((row - places.top) * TileSide + y) * zoom;
            auto* line = reinterpret_cast<std::uint32_t*>(surface.Row0() + pixelRow * surface.Stride()) +
                         (left - places.left) * side;
            const int rowsBelow = surface.Height() - pixelRow - zoom;
            const std::size_t bytes =
                (put(TileRow{line, tiles.data(), right - left, y, rowsBelow}) - line) * sizeof(*line);
            for (int z = putRows; z < zoom; ++z) {
                std::memcpy(reinterpret_cast<std::uint8_t*>(line) + z * surface.Stride(), line, bytes);
            }
        }
    }
}

std::optional<TilePixel> TileSheet::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return std::nullopt;
    }
    const std::uint8_t* tile = TileIndices(x / TileSide, y / TileSide);
    if (tile == nullptr) {
        return std::nullopt;
    }
    const std::int32_t slot = static_cast<std::int32_t>((tile - indices_.data()) / TilePixels);
    return TilePixel{firstTile_ + slot, tile[y % TileSide * TileSide + x % TileSide]};
}

std::array<std::int64_t, 256> TileSheet::IndexCounts() const {
    std::array<std::int64_t, 256> counts{};
    for (const std::int32_t slot : slots_) {
        if (slot >= 0) {
            const std::uint8_t* tile = indices_.data() + static_cast<std::size_t>(slot) * TilePixels;
            for (int i = 0; i < TilePixels; ++i) {
                ++counts[tile[i]];
            }
        }
    }
    return counts;
}

}  // namespace tintorb
