// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TextLines.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "formats/PaletteFormat.h"

namespace tintorb::codecs {

std::optional<TextLine> TextLineReader::Next() {
    const std::size_t size = text_.size();
    if (start_ >= size) {
        return std::nullopt;
    }
    // Both searches run over whole blocks of bytes; a text of lone CRs still looks for its LF only once.
    if (!lfFound_ || nextLf_ < start_) {
        const void* lf = std::memchr(text_.data() + start_, '\n', size - start_);
        nextLf_ =
            lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - text_.data()) : size;
        lfFound_ = true;
    }
    const void* cr = std::memchr(text_.data() + start_, '\r', nextLf_ - start_);
    const std::size_t at =
        cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - text_.data()) : nextLf_;
    TextLine line{text_.substr(start_, at - start_), {}};
    if (at < size) {
        const bool crlf = cr != nullptr && at + 1 == nextLf_ && nextLf_ < size;
        line.end = crlf ? "\r\n" : cr != nullptr ? "\r" : "\n";
    }
    start_ = at + line.end.size();
    return line;
}

std::vector<TextLine> TextLinesWithEnds(std::string_view text) {
    std::vector<TextLine> lines;
    ForEachTextLine(text, [&](const TextLine& line) { lines.push_back(line); });
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
