// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Names users give the palettes they found, kept in a side file next to the file they edit
// ("game.bin.palettes"), in a text format meant to be written by hand and shared:
//
//     # anything after a "#" at the start of a line is a comment
//     $1F40 16 Title screen
//     8000 64 Level 1, sprites
//
// Each line is an address, a length (1 to 64) and a title, read as the address box reads numbers. Lines
// the program cannot read are kept exactly as they are when it writes the file again, and so are the line
// breaks (LF, CRLF or CR) and a byte order mark at the start: a file written back reads as it did.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tintorb {

struct NamedPalette {
    std::int64_t address = 0;
    std::int32_t length = 0;
    std::string title;
    friend bool operator==(const NamedPalette&, const NamedPalette&) = default;
};

// A line of the side file that could not be read, and why.
struct SkippedLine {
    std::size_t number = 0;  // from 1
    std::string reason;
};

class PaletteNames {
  public:
    // Reads a side file's text. Lines that hold no name are kept as they are; each that is not a comment
    // or blank is reported in Skipped().
    [[nodiscard]] static PaletteNames Parse(std::string_view text);
    [[nodiscard]] static PaletteNames Parse(std::string text);
    [[nodiscard]] static PaletteNames Parse(const char* text) { return Parse(std::string_view(text)); }

    [[nodiscard]] const std::vector<NamedPalette>& Names() const { return names_; }
    [[nodiscard]] const std::vector<SkippedLine>& Skipped() const { return skipped_; }
    // The title of the palette at address with that length, if it has one.
    [[nodiscard]] std::optional<std::string> TitleOf(std::int64_t address, std::int32_t length) const;

    // Names the palette: renames it where it has a name, otherwise adds a line at the end. Line breaks and
    // other control characters in the title become spaces, and it is trimmed. An empty title is refused
    // (returns false) as a line with none could not be read back.
    bool Name(std::int64_t address, std::int32_t length, std::string_view title);

    // The side file's text: every line as it was read, with renamed and added lines in their places.
    [[nodiscard]] std::string Text() const;

  private:
    // A line's text lies in text_, so that reading many names costs no allocation per line.
    struct Line {
        std::uint64_t begin = 0;
        std::uint32_t size = 0;
        std::uint8_t end = 0;  // which of LineBreaks ends it
    };
    void AddLine(std::string_view text, std::uint8_t end);
    [[nodiscard]] std::uint8_t DefaultEnd() const;

    std::string text_;  // the text as read, then the lines renamed or added since
    bool byteOrderMark_ = false;
    std::vector<Line> lines_;
    std::vector<NamedPalette> names_;
    std::vector<std::uint32_t> lineOfName_;  // index into lines_ for each of names_
    std::vector<SkippedLine> skipped_;
};

// At most count names, those nearest the place (all of them when there is none, the first ones in the
// file), ordered by address: what a short menu of names shows.
[[nodiscard]] std::vector<NamedPalette> NearestNames(std::span<const NamedPalette> names,
                                                     std::optional<std::int64_t> place, std::size_t count);

// "game.bin" -> "game.bin.palettes".
[[nodiscard]] std::string SideFilePath(const std::string& filePath);

// Reads the side file of the file at filePath; no side file gives no names. Throws FileError when one is
// there but cannot be read.
[[nodiscard]] PaletteNames ReadPaletteNames(const std::string& filePath);

// Reads the side file again, names the palette in it and writes it back atomically, so that a name added
// meanwhile in another program or by hand is not lost. Throws FileError; the side file is then as it was.
PaletteNames SavePaletteName(const std::string& filePath, const NamedPalette& palette);

}  // namespace tintorb
