// SPDX-License-Identifier: GPL-3.0-or-later
// Palettes in PNG images, through libspng. Export draws a strip of 16 × 16 swatches, 16 to a row, as an
// indexed image whose palette is exactly the entries in order, duplicates too, so that it imports back
// entry for entry. Import takes the palette of an indexed image, and otherwise the distinct colours of the
// pixels in reading order.

#include <spng.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <new>

#include "formats/Codecs.h"
#include "formats/IndexedPng.h"

namespace tintorb {

namespace {

constexpr std::uint32_t Swatch = 16;
constexpr std::uint32_t SwatchesPerRow = 16;
constexpr std::size_t PngPaletteRoom = 256;
// Enough for any artwork a palette is taken from, and a bound on the work and memory one import takes.
constexpr std::uint32_t LongestSide = 1u << 15;
constexpr std::uint64_t MostPixels = std::uint64_t{1} << 24;
constexpr std::size_t ChunkLimit = std::size_t{1} << 24;

struct ContextDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

[[nodiscard]] Context NewContext(int flags) {
    Context ctx(spng_ctx_new(flags));
    if (!ctx) {
        throw FileError("Out of memory");
    }
    return ctx;
}

void Check(int rc) {
    switch (rc) {
        case 0:
            return;
        case SPNG_EMEM:
            throw FileError("Out of memory");
        case SPNG_EUSER_WIDTH:
        case SPNG_EUSER_HEIGHT:
        case SPNG_ECHUNK_LIMITS:
            throw FormatError("The PNG image is too large to take a palette from");
        default:
            throw FormatError(std::string("Damaged PNG image: ") + spng_strerror(rc));
    }
}

// Every colour once, in the order first seen; a fully transparent pixel shows no colour and is passed by.
class DistinctColours {
  public:
    explicit DistinctColours(ImportedPalette& palette) : palette_(palette), seen_(std::size_t{1} << 24) {}

    void AddPixels(std::span<const std::uint8_t> rgba) {
        for (std::size_t i = 0; i + 4 <= rgba.size(); i += 4) {
            if (rgba[i + 3] == 0) {
                continue;
            }
            const std::size_t key = std::size_t{rgba[i]} << 16 | std::size_t{rgba[i + 1]} << 8 | rgba[i + 2];
            if (!seen_[key]) {
                seen_[key] = true;
                palette_.Add(Rgb{rgba[i], rgba[i + 1], rgba[i + 2]});
            }
        }
    }

  private:
    ImportedPalette& palette_;
    std::vector<bool> seen_;
};

// A grey or true-colour image may name one colour transparent (its tRNS colour key); other programs show
// those pixels as holes, so the decoder turns them fully transparent too.
constexpr int DecodeFlags = SPNG_DECODE_TRNS;

void DecodePixels(spng_ctx* ctx, const spng_ihdr& ihdr, ImportedPalette& palette) {
    DistinctColours colours(palette);
    if (ihdr.interlace_method != SPNG_INTERLACE_NONE) {
        // Interlaced rows arrive pass by pass, so the whole image is decoded before it is read in order.
        std::size_t size = 0;
        Check(spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size));
        std::vector<std::uint8_t> image(size);
        Check(spng_decode_image(ctx, image.data(), image.size(), SPNG_FMT_RGBA8, DecodeFlags));
        colours.AddPixels(image);
        return;
    }
    Check(spng_decode_image(ctx, nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_PROGRESSIVE | DecodeFlags));
    std::vector<std::uint8_t> row(std::size_t{4} * ihdr.width);
    int rc = 0;
    do {
        rc = spng_decode_row(ctx, row.data(), row.size());
        if (rc == 0 || rc == SPNG_EOI) {
            colours.AddPixels(row);
        }
    } while (rc == 0);
    if (rc != SPNG_EOI) {
        Check(rc);
    }
}

}  // namespace

void IndexedPngWriter::ContextDeleter::operator()(spng_ctx* ctx) const {
    spng_ctx_free(ctx);
}

IndexedPngWriter::IndexedPngWriter(std::uint32_t width, std::uint32_t height, std::span<const Rgb> colours)
    : ctx_(NewContext(SPNG_CTX_ENCODER).release()) {
    spng_ihdr ihdr{};
    ihdr.width = width;
    ihdr.height = height;
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_INDEXED;
    spng_plte plte{};
    plte.n_entries = static_cast<std::uint32_t>(std::min(colours.size(), PngPaletteRoom));
    for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
        plte.entries[i] = {colours[i].r, colours[i].g, colours[i].b, 0};
    }
    Check(spng_set_option(ctx_.get(), SPNG_ENCODE_TO_BUFFER, 1));
    Check(spng_set_ihdr(ctx_.get(), &ihdr));
    Check(spng_set_plte(ctx_.get(), &plte));
    Check(spng_encode_image(ctx_.get(), nullptr, 0, SPNG_FMT_PNG,
                            SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE));
}

IndexedPngWriter::~IndexedPngWriter() = default;

void IndexedPngWriter::WriteRow(std::span<const std::uint8_t> indices) {
    // The last row ends the image, which libspng tells with SPNG_EOI.
    if (const int rc = spng_encode_row(ctx_.get(), indices.data(), indices.size()); rc != SPNG_EOI) {
        Check(rc);
    }
}

std::vector<std::uint8_t> IndexedPngWriter::Finish() {
    std::size_t length = 0;
    int rc = 0;
    const std::unique_ptr<void, decltype(&std::free)> png(spng_get_png_buffer(ctx_.get(), &length, &rc),
                                                          &std::free);
    Check(rc);
    const auto* bytes = static_cast<const std::uint8_t*>(png.get());
    return {bytes, bytes + length};
}

namespace codecs {

std::vector<std::uint8_t> EncodePng(std::span<const ColourWord> words) {
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(words.size(), PngPaletteRoom));
    const std::uint32_t columns = std::min(count, SwatchesPerRow);
    const std::uint32_t rows = (count + SwatchesPerRow - 1) / SwatchesPerRow;
    std::vector<Rgb> colours;
    for (std::uint32_t i = 0; i < count; ++i) {
        colours.push_back(DisplayColour(words[i]));
    }
    IndexedPngWriter png(columns * Swatch, rows * Swatch, colours);
    // Cells after the last entry show entry 0, which on the hardware is the backdrop colour.
    std::vector<std::uint8_t> row(std::size_t{columns} * Swatch);
    for (std::uint32_t y = 0; y < rows * Swatch; ++y) {
        for (std::uint32_t x = 0; x < row.size(); ++x) {
            const std::uint32_t entry = y / Swatch * SwatchesPerRow + x / Swatch;
            row[x] = static_cast<std::uint8_t>(entry < count ? entry : 0);
        }
        png.WriteRow(row);
    }
    return png.Finish();
}

void DecodePng(std::span<const std::uint8_t> bytes, ImportedPalette& palette) {
    constexpr std::array<std::uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < Signature.size() || !std::equal(Signature.begin(), Signature.end(), bytes.begin())) {
        throw FormatError("Not a PNG image");
    }
    const Context ctx = NewContext(0);
    Check(spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()));
    Check(spng_set_image_limits(ctx.get(), LongestSide, LongestSide));
    Check(spng_set_chunk_limits(ctx.get(), ChunkLimit, ChunkLimit));
    spng_ihdr ihdr{};
    Check(spng_get_ihdr(ctx.get(), &ihdr));
    if (std::uint64_t{ihdr.width} * ihdr.height > MostPixels) {
        throw FormatError("The PNG image is too large to take a palette from: " + std::to_string(ihdr.width) +
                          " x " + std::to_string(ihdr.height) + " pixels");
    }
    if (ihdr.color_type != SPNG_COLOR_TYPE_INDEXED) {
        DecodePixels(ctx.get(), ihdr, palette);
        if (palette.words.empty()) {
            throw FormatError("The PNG image has no colours to take: every pixel is transparent");
        }
        return;
    }
    spng_plte plte{};
    if (const int rc = spng_get_plte(ctx.get(), &plte); rc == SPNG_ECHUNKAVAIL) {
        throw FormatError("The indexed PNG image has no palette");
    } else {
        Check(rc);
    }
    for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
        palette.Add(Rgb{plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue});
    }
}

}  // namespace codecs

}  // namespace tintorb
