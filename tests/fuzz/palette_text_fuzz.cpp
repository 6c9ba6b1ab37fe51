// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes to the palette readers other than PNG: the first byte picks the format (GIMP, JASC,
// Adobe color table, raw words, hex text), the rest is the file.

#include <array>

#include "PaletteFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tintorb::PaletteFormat;
    constexpr std::array<PaletteFormat, 5> Formats{PaletteFormat::Gpl, PaletteFormat::JascPal,
                                                   PaletteFormat::Act, PaletteFormat::Bin,
                                                   PaletteFormat::Hex};
    if (size > 0) {
        CheckPaletteReader(Formats[data[0] % Formats.size()], std::span(data + 1, size - 1));
    }
    return 0;
}
