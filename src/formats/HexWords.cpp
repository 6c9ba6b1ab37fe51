// SPDX-License-Identifier: GPL-3.0-or-later
// Words as text, one "$XXXX" a line. Each value is spelled as the address box and the listing read
// numbers, and "dc.w" lines as the listing writes them are read too, so a listing pasted into a file
// imports as it stands. Unlike the listing box, a field that is no word is an error, not a 0.

#include "formats/Codecs.h"
#include "formats/TextLines.h"
#include "model/NumberText.h"

namespace tintorb::codecs {

namespace {

constexpr std::string_view Directive = "dc.w";

void AddWord(std::string_view field, std::size_t line, ImportedPalette& palette) {
    const std::optional<std::int32_t> value = ReadNumber(Trimmed(field));
    if (!value || *value < 0 || *value > 0xFFFF) {
        FailAtLine(line, Quoted(Trimmed(field)) + " is no word from $0000 to $FFFF");
    }
    palette.Add(static_cast<ColourWord>(*value));
}

}  // namespace

std::vector<std::uint8_t> EncodeHex(std::span<const ColourWord> words) {
    std::string text;
    for (const ColourWord w : words) {
        text += '$' + HexText(w, 4) + '\n';
    }
    return {text.begin(), text.end()};
}

void DecodeHex(std::string_view text, ImportedPalette& palette) {
    const std::vector<std::string_view> lines = TextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // A ";" starts a comment, as in the listing.
        std::string_view line = Trimmed(lines[i].substr(0, lines[i].find(';')));
        if (line.empty()) {
            continue;
        }
        if (!line.starts_with(Directive)) {
            AddWord(line, i + 1, palette);
            continue;
        }
        line.remove_prefix(Directive.size());
        for (std::size_t start = 0; start <= line.size();) {
            const std::size_t comma = std::min(line.find(',', start), line.size());
            AddWord(line.substr(start, comma - start), i + 1, palette);
            start = comma + 1;
        }
    }
}

}  // namespace tintorb::codecs
