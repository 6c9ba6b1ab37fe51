// SPDX-License-Identifier: GPL-3.0-or-later
// The palette's bytes exactly as the file being edited stores them: big-endian words, unused bits and all.

#include "formats/Codecs.h"

namespace tintorb::codecs {

std::vector<std::uint8_t> EncodeBin(std::span<const ColourWord> words) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * words.size());
    for (const ColourWord w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
    }
    return bytes;
}

void DecodeBin(std::span<const std::uint8_t> bytes, ImportedPalette& palette) {
    if (bytes.size() % 2 != 0) {
        throw FormatError("Not a file of words: it holds an odd number of bytes (" +
                          std::to_string(bytes.size()) + ")");
    }
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        palette.Add(WordAt(&bytes[i]));
    }
}

}  // namespace tintorb::codecs
