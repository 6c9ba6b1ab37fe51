// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Palette files in the formats other programs read and write, as pure functions: a palette's colour words
// become a file's bytes, and a file's bytes become colour words.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ColourWord.h"
#include "model/EditorState.h"
#include "model/FileImage.h"

namespace tintorb {

// A palette file that cannot be read as its format. It is a FileError, so it is reported wherever a failed
// file operation is.
class FormatError : public FileError {
  public:
    using FileError::FileError;
};

enum class PaletteFormat { Gpl, JascPal, Act, Png, Bin, Hex };

struct PaletteFormatInfo {
    PaletteFormat format;
    std::string_view extension;  // without the dot, lower case
    std::string_view name;       // as a file dialog's filter names it
    // Whether the file holds whole colour words, unused bits too, rather than colours.
    bool wholeWords;
};

inline constexpr std::array<PaletteFormatInfo, 6> PaletteFormats{{
    {PaletteFormat::Gpl, "gpl", "GIMP palette", false},
    {PaletteFormat::JascPal, "pal", "JASC palette", false},
    {PaletteFormat::Act, "act", "Adobe Color Table", false},
    {PaletteFormat::Png, "png", "PNG image", false},
    {PaletteFormat::Bin, "bin", "Raw words", true},
    {PaletteFormat::Hex, "txt", "Hex text", true},
}};

[[nodiscard]] constexpr const PaletteFormatInfo& InfoOf(PaletteFormat format) {
    return PaletteFormats[static_cast<std::size_t>(format)];
}

// The format a file name's extension (any case) names; nothing for any other name.
[[nodiscard]] std::optional<PaletteFormat> PaletteFormatOf(std::string_view path);

// What a palette file gave: at most a palette's worth of words, and how many colours it held beyond them.
// Words read from colours carry the nearest levels and clear unused bits.
struct ImportedPalette {
    std::vector<ColourWord> words;
    std::size_t leftOut = 0;
    bool wholeWords = false;

    void Add(ColourWord w) {
        if (words.size() < MaxPalLength) {
            words.push_back(w);
        } else {
            ++leftOut;
        }
    }
    void Add(Rgb c) { Add(NearestColour(0, c)); }
};

// The file's bytes for these entries; colour formats hold each entry's display colour. name is the
// palette's title where the format has one. Throws FormatError for an empty palette.
[[nodiscard]] std::vector<std::uint8_t> EncodePalette(PaletteFormat format, std::span<const ColourWord> words,
                                                      std::string_view name);

// The palette in a file's bytes. Throws FormatError, with a line that says what is wrong, for anything
// that is not a well-formed file of the format or that holds no colours.
[[nodiscard]] ImportedPalette DecodePalette(PaletteFormat format, std::span<const std::uint8_t> bytes);

}  // namespace tintorb
