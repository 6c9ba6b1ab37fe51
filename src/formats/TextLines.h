// SPDX-License-Identifier: GPL-3.0-or-later
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

// Reads a text line by line, each with its break, in order; nothing is dropped, so the text can be written
// back exactly from the lines. Fast on long texts: a shared list of thousands of names is one.
class TextLineReader {
  public:
    explicit TextLineReader(std::string_view text) : text_(text) {}
    // The next line, or nothing at the end of the text.
    [[nodiscard]] std::optional<TextLine> Next();

  private:
    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t nextLf_ = 0;  // the first LF at or after start_, or the text's size; found again once passed
    bool lfFound_ = false;
};

// Calls f with each line of a text and its break, in order.
template <class F>
void ForEachTextLine(std::string_view text, F&& f) {
    TextLineReader reader(text);
    while (const std::optional<TextLine> line = reader.Next()) {
        f(*line);
    }
}

// A text's lines with their breaks, as ForEachTextLine gives them.
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
