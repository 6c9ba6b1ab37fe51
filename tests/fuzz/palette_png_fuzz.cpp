// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes to the PNG palette reader.

#include "PaletteFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckPaletteReader(tintorb::PaletteFormat::Png, std::span(data, size));
    return 0;
}
