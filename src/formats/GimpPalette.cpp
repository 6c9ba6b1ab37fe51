// SPDX-License-Identifier: GPL-3.0-or-later
// GIMP's palette text: "GIMP Palette", header fields such as "Name:", then one "R G B<TAB>name" line per
// colour. The name column carries each entry's word, so a user sees in GIMP which entry a colour is.

#include <cstdio>

#include "formats/Codecs.h"
#include "formats/TextLines.h"
#include "model/NumberText.h"

namespace tintorb::codecs {

namespace {

constexpr std::string_view Magic = "GIMP Palette";

[[nodiscard]] bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A title on one line of printable characters, whatever the name it came from holds.
[[nodiscard]] std::string OneLine(std::string_view name) {
    std::string line(name);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F') {
            c = ' ';
        }
    }
    return line;
}

}  // namespace

std::vector<std::uint8_t> EncodeGpl(std::span<const ColourWord> words, std::string_view name) {
    std::string text = std::string(Magic) + "\nName: " + OneLine(name) + "\nColumns: 16\n#\n";
    for (const ColourWord w : words) {
        const Rgb c = DisplayColour(w);
        char line[32];
        std::snprintf(line, sizeof line, "%3u %3u %3u\t$", c.r, c.g, c.b);
        text += line + HexText(w, 4) + '\n';
    }
    return {text.begin(), text.end()};
}

void DecodeGpl(std::string_view text, ImportedPalette& palette) {
    const std::vector<std::string_view> lines = TextLines(text);
    if (lines.empty() || Trimmed(lines[0]) != Magic) {
        throw FormatError("Not a GIMP palette: the first line is not \"GIMP Palette\"");
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        // Blank lines, comments and header fields ("Name: ...", "Columns: 16") hold no colour.
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (IsLetter(line.front())) {
            if (line.find(':') == std::string_view::npos) {
                FailAtLine(i + 1, Quoted(line) + " is neither a colour nor a header field");
            }
            continue;
        }
        palette.Add(ColourOf(Words(line), i + 1));
    }
}

}  // namespace tintorb::codecs
