#include "formats/TextLines.h"

#include <algorithm>
#include <optional>

#include "formats/PaletteFormat.h"

namespace tintorb::codecs {

std::vector<TextLine> TextLinesWithEnds(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') {
            continue;
        }
        const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        lines.push_back({text.substr(start, i - start), crlf ? "\r\n" : text[i] == '\r' ? "\r" : "\n"});
        i += crlf ? 1 : 0;
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back({text.substr(start), {}});
    }
    return lines;
}

std::vector<std::string_view> TextLines(std::string_view text) {
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    std::vector<std::string_view> lines;
    for (const TextLine& line : TextLinesWithEnds(text)) {
        lines.push_back(line.text);
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while ((start = line.find_first_not_of(" \t", start)) != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end;
    }
    return words;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t Longest = 24;
    std::string shown = "\"";
    for (const char c : text.substr(0, Longest)) {
        shown += c >= ' ' && c <= '~' ? c : '?';
    }
    return shown + (text.size() > Longest ? "...\"" : "\"");
}

void FailAtLine(std::size_t line, const std::string& what) {
    throw FormatError("Line " + std::to_string(line) + ": " + what);
}

std::optional<std::uint32_t> Decimal(std::string_view text, std::uint32_t max) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > max) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

Rgb ColourOf(std::span<const std::string_view> words, std::size_t line) {
    if (words.size() < 3) {
        FailAtLine(line, "a colour needs three values from 0 to 255, red, green and blue");
    }
    std::array<std::uint8_t, 3> rgb{};
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        const std::optional<std::uint32_t> value = Decimal(words[i], 255);
        if (!value) {
            FailAtLine(line, Quoted(words[i]) + " is no colour value from 0 to 255");
        }
        rgb[i] = static_cast<std::uint8_t>(*value);
    }
    return {rgb[0], rgb[1], rgb[2]};
}

}  // namespace tintorb::codecs
