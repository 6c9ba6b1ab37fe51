// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PaletteFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "formats/Codecs.h"

namespace tintorb {

namespace {

[[nodiscard]] std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::optional<PaletteFormat> PaletteFormatOf(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (extension.empty()) {
        return std::nullopt;
    }
    extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const PaletteFormatInfo& info : PaletteFormats) {
        if (info.extension == extension) {
            return info.format;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> EncodePalette(PaletteFormat format, std::span<const ColourWord> words,
                                        std::string_view name) {
    if (words.empty()) {
        throw FormatError("There is no colour to export");
    }
    switch (format) {
        case PaletteFormat::Gpl:
            return codecs::EncodeGpl(words, name);
        case PaletteFormat::JascPal:
            return codecs::EncodeJasc(words);
        case PaletteFormat::Act:
            return codecs::EncodeAct(words);
        case PaletteFormat::Png:
            return codecs::EncodePng(words);
        case PaletteFormat::Bin:
            return codecs::EncodeBin(words);
        case PaletteFormat::Hex:
            return codecs::EncodeHex(words);
    }
    return {};
}

ImportedPalette DecodePalette(PaletteFormat format, std::span<const std::uint8_t> bytes) {
    ImportedPalette palette;
    palette.wholeWords = InfoOf(format).wholeWords;
    switch (format) {
        case PaletteFormat::Gpl:
            codecs::DecodeGpl(AsText(bytes), palette);
            break;
        case PaletteFormat::JascPal:
            codecs::DecodeJasc(AsText(bytes), palette);
            break;
        case PaletteFormat::Act:
            codecs::DecodeAct(bytes, palette);
            break;
        case PaletteFormat::Png:
            codecs::DecodePng(bytes, palette);
            break;
        case PaletteFormat::Bin:
            codecs::DecodeBin(bytes, palette);
            break;
        case PaletteFormat::Hex:
            codecs::DecodeHex(AsText(bytes), palette);
            break;
    }
    if (palette.words.empty()) {
        throw FormatError("The palette holds no colours");
    }
    return palette;
}

}  // namespace tintorb
