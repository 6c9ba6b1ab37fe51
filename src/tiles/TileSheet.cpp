#include "tiles/TileSheet.h"

#include <algorithm>
#include <cstring>

namespace tintorb {

namespace {

constexpr int CheckerSide = TileSide / 2;

// One row of zoom-wide pixels per index; the zoom is a template argument so that the inner loop unrolls.
template <int Zoom>
std::uint32_t* PutIndices(std::uint32_t* out, const std::uint8_t* indices, const std::uint32_t* pixels) {
    for (int x = 0; x < CheckerSide; ++x) {
        const std::uint32_t pixel = pixels[indices[x]];
        for (int z = 0; z < Zoom; ++z) {
            *out++ = pixel;
        }
    }
    return out;
}

using PutRun = std::uint32_t* (*)(std::uint32_t*, const std::uint8_t*, const std::uint32_t*);

constexpr std::array<PutRun, 8> PutRuns{PutIndices<1>, PutIndices<2>, PutIndices<3>, PutIndices<4>,
                                        PutIndices<5>, PutIndices<6>, PutIndices<7>, PutIndices<8>};

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
    TileColours colours;
    colours.pixels[0].fill(PixelOf(CheckerLight));
    colours.pixels[1].fill(PixelOf(CheckerDark));
    const int first = transparentZero ? 1 : 0;
    for (int i = first; i < (1 << bitsPerPixel); ++i) {
        if (const auto word = EntryOfIndex(palette, bitsPerPixel, line, i)) {
            colours.pixels[0][i] = colours.pixels[1][i] = PixelOf(DisplayColour(*word));
        }
    }
    return colours;
}

std::int64_t TileRun::Count(std::size_t dataLength) const {
    const auto length = static_cast<std::int64_t>(dataLength);
    return start < 0 || start >= length ? 0 : (length - start) / codec->bytesPerTile;
}

void TileSheet::Decode(std::span<const std::uint8_t> data, const TileRun& run, std::int64_t firstRow,
                       int rows) {
    layout_ = run.layout;
    rows_ = std::max(rows, 0);
    const std::int64_t count = run.Count(data.size());
    const std::int64_t firstBand = firstRow / layout_.blockHeight;
    const std::int64_t endBand = (firstRow + rows_ + layout_.blockHeight - 1) / layout_.blockHeight;
    firstTile_ = std::min(firstBand * layout_.BandTiles(), count);
    const std::int64_t tiles =
        std::clamp<std::int64_t>(endBand * layout_.BandTiles(), firstTile_, count) - firstTile_;
    indices_.resize(static_cast<std::size_t>(tiles) * TilePixels);
    if (tiles > 0) {
        run.codec->decode(data.data() + run.Address(firstTile_), indices_.data(),
                          static_cast<std::size_t>(tiles));
    }
    const int width = layout_.Width();
    slots_.assign(static_cast<std::size_t>(width) * rows_, -1);
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < width; ++column) {
            const std::int64_t slot = layout_.TileAt({column, firstRow + row}) - firstTile_;
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
    zoom = std::clamp(zoom, 1, static_cast<int>(PutRuns.size()));
    const PutRun put = PutRuns[zoom - 1];
    const int side = TileSide * zoom;
    const int columns = std::min(layout_.Width(), surface.Width() / side);
    const int rows = std::min(rows_, surface.Height() / side);
    const std::uint32_t background = PixelOf(BackgroundColour);
    for (int row = 0; row < rows; ++row) {
        for (int y = 0; y < TileSide; ++y) {
            const int top = (row * TileSide + y) * zoom;
            auto* line = reinterpret_cast<std::uint32_t*>(surface.Row0() + top * surface.Stride());
            // The checker's squares are half a tile, so a row's halves take opposite squares.
            const std::uint32_t* left = colours.pixels[(y / CheckerSide) & 1].data();
            const std::uint32_t* right = colours.pixels[(y / CheckerSide + 1) & 1].data();
            std::uint32_t* out = line;
            for (int column = 0; column < columns; ++column) {
                if (const std::uint8_t* tile = TileIndices(column, row)) {
                    out = put(put(out, tile + y * TileSide, left), tile + y * TileSide + CheckerSide, right);
                } else {
                    out = std::fill_n(out, side, background);
                }
            }
            for (int z = 1; z < zoom; ++z) {
                std::memcpy(surface.Row0() + (top + z) * surface.Stride(), line,
                            (out - line) * sizeof(*line));
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

void TileSheet::RowIndices(int row, int y, std::span<std::uint8_t> out) const {
    for (int column = 0; column < layout_.Width(); ++column) {
        const std::uint8_t* tile = TileIndices(column, row);
        const std::span<std::uint8_t> place =
            out.subspan(static_cast<std::size_t>(column) * TileSide, TileSide);
        if (tile == nullptr) {
            std::fill(place.begin(), place.end(), std::uint8_t{0});
        } else {
            std::copy_n(tile + y * TileSide, TileSide, place.begin());
        }
    }
}

}  // namespace tintorb
