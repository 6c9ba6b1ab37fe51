// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One reader and one writer per palette format, each in a file of its own; PaletteFormat.cpp picks them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/PaletteFormat.h"

namespace tintorb::codecs {

[[nodiscard]] std::vector<std::uint8_t> EncodeGpl(std::span<const ColourWord> words, std::string_view name);
void DecodeGpl(std::string_view text, ImportedPalette& palette);

[[nodiscard]] std::vector<std::uint8_t> EncodeJasc(std::span<const ColourWord> words);
void DecodeJasc(std::string_view text, ImportedPalette& palette);

[[nodiscard]] std::vector<std::uint8_t> EncodeAct(std::span<const ColourWord> words);
void DecodeAct(std::span<const std::uint8_t> bytes, ImportedPalette& palette);

[[nodiscard]] std::vector<std::uint8_t> EncodePng(std::span<const ColourWord> words);
void DecodePng(std::span<const std::uint8_t> bytes, ImportedPalette& palette);

[[nodiscard]] std::vector<std::uint8_t> EncodeBin(std::span<const ColourWord> words);
void DecodeBin(std::span<const std::uint8_t> bytes, ImportedPalette& palette);

[[nodiscard]] std::vector<std::uint8_t> EncodeHex(std::span<const ColourWord> words);
void DecodeHex(std::string_view text, ImportedPalette& palette);

}  // namespace tintorb::codecs
