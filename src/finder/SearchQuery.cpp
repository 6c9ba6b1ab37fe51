// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/SearchQuery.h"

#include "formats/PaletteFile.h"

namespace tintorb {

std::vector<ColourWord> ReadQueryFile(const std::string& path) {
    return ReadPaletteFile(path, PaletteFormatOf(path).value_or(PaletteFormat::Bin)).words;
}

std::vector<ColourWord> ParseQueryText(std::string_view text) {
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return DecodePalette(PaletteFormat::Hex, bytes).words;
}

}  // namespace tintorb
