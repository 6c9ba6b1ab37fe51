// SPDX-License-Identifier: GPL-3.0-or-later
// Paint Shop Pro's palette text, which pixel-art tools and map editors read too: "JASC-PAL", the version
// "0100", the number of colours, then one "R G B" line per colour. Written with CRLF, as Paint Shop Pro
// writes it.

#include "formats/Codecs.h"
#include "formats/TextLines.h"

namespace tintorb::codecs {

namespace {

constexpr std::string_view Magic = "JASC-PAL";
constexpr std::string_view Version = "0100";
// More than any writer puts in one file, and small enough that a count cannot mean much work.
constexpr std::uint32_t MostColours = 65536;

}  // namespace

std::vector<std::uint8_t> EncodeJasc(std::span<const ColourWord> words) {
    std::string text =
        std::string(Magic) + "\r\n" + std::string(Version) + "\r\n" + std::to_string(words.size()) + "\r\n";
    for (const ColourWord w : words) {
        const Rgb c = DisplayColour(w);
        text += std::to_string(c.r) + ' ' + std::to_string(c.g) + ' ' + std::to_string(c.b) + "\r\n";
    }
    return {text.begin(), text.end()};
}

void DecodeJasc(std::string_view text, ImportedPalette& palette) {
    const std::vector<std::string_view> lines = TextLines(text);
    if (lines.empty() || Trimmed(lines[0]) != Magic) {
        throw FormatError("Not a JASC palette: the first line is not \"JASC-PAL\"");
    }
    if (lines.size() < 2 || Trimmed(lines[1]) != Version) {
        throw FormatError("Line 2: the JASC palette version is not \"0100\"");
    }
    const std::string_view countText = lines.size() < 3 ? std::string_view() : Trimmed(lines[2]);
    const std::optional<std::uint32_t> count = Decimal(countText, MostColours);
    if (!count) {
        FailAtLine(3, Quoted(countText) + " is no number of colours");
    }
    std::size_t found = 0;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::vector<std::string_view> words = Words(lines[i]);
        if (words.empty()) {
            continue;
        }
        // Some writers add a fourth value, the alpha, which a palette of these words cannot hold.
        if (words.size() > 4) {
            FailAtLine(i + 1, Quoted(Trimmed(lines[i])) + " has more than three colour values");
        }
        const Rgb colour = ColourOf(words, i + 1);
        if (words.size() == 4 && !Decimal(words[3], 255)) {
            FailAtLine(i + 1, Quoted(words[3]) + " is no alpha value from 0 to 255");
        }
        palette.Add(colour);
        ++found;
    }
    if (found != *count) {
        throw FormatError("The JASC palette says it holds " + std::to_string(*count) +
                          " colours, but it holds " + std::to_string(found));
    }
}

}  // namespace tintorb::codecs
