#pragma once

// Reading the text palette formats: lines as other programs write them, and strict numbers with errors
// that name the line.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ColourWord.h"

namespace tintorb::codecs {

// What some editors write before a UTF-8 text; only the first one at the very start of a text is one.
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// A line of a text and the break that ends it: "\n", "\r\n", "\r", or nothing for a last line without one.
// The break is a literal, not a view into the text, so it outlives the text.
struct TextLine {
    std::string_view text;
    std::string_view end;
};

// A text's lines with their breaks, so that the text can be written back exactly; nothing is dropped.
[[nodiscard]] std::vector<TextLine> TextLinesWithEnds(std::string_view text);

// A text's lines, ended by LF, CRLF or CR, with a leading UTF-8 byte order mark dropped.
[[nodiscard]] std::vector<std::string_view> TextLines(std::string_view text);

[[nodiscard]] std::string_view Trimmed(std::string_view text);

// The pieces of a line between spaces and tabs.
[[nodiscard]] std::vector<std::string_view> Words(std::string_view line);

// What the file held, for an error message: quoted, cut short, with anything unprintable shown as "?".
[[nodiscard]] std::string Quoted(std::string_view text);

[[noreturn]] void FailAtLine(std::size_t line, const std::string& what);

// A whole decimal number no larger than max; nothing for anything else (a sign, a fraction, a letter).
[[nodiscard]] std::optional<std::uint32_t> Decimal(std::string_view text, std::uint32_t max);

// The colour in the first three words of a line (1-based line number for the error).
[[nodiscard]] Rgb ColourOf(std::span<const std::string_view> words, std::size_t line);

}  // namespace tintorb::codecs
