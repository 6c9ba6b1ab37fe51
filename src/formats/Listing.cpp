// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Listing.h"

#include "model/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace tintorb {

namespace {

inline constexpr std::string_view Directive = "dc.w";

[[nodiscard]] std::string WithoutBlanks(std::string text) {
    std::erase(text, '\t');
    std::erase(text, ' ');
    return text;
}

// Reads the comma-separated fields of one line's operand text until its first empty field, appending
// their low 16 bits; false once max values are there and a further field waits, which ends all reading.
[[nodiscard]] bool ReadFields(std::string_view operands, std::size_t max, std::vector<ColourWord>& values,
                              int lineNumber, ListingNoNumbers* noNumbers) {
    std::size_t start = 0;
    while (start <= operands.size()) {
        const std::size_t comma = std::min(operands.find(',', start), operands.size());
        const std::string_view field = operands.substr(start, comma - start);
        if (field.empty()) {
            return true;
        }
        if (values.size() >= max) {
            return false;
        }
        // A field that is no number still takes its place, as 0, so that later fields keep their index.
        const std::optional<std::int32_t> number = ReadNumber(field);
        if (!number && noNumbers != nullptr && noNumbers->count++ == 0) {
            noNumbers->firstLine = lineNumber;
            noNumbers->firstField = field;
        }
        const std::int32_t value = number.value_or(0);
        values.push_back(static_cast<ColourWord>(static_cast<std::uint32_t>(value)));
        start = comma + 1;
    }
    return true;
}

}  // namespace

std::vector<std::string> FormatListing(std::span<const ColourWord> entries) {
    std::vector<std::string> lines;
    for (std::size_t first = 0; first < entries.size(); first += ListingWordsPerLine) {
        const std::size_t last = std::min(entries.size(), first + ListingWordsPerLine);
        std::string line(ListingLinePrefix);
        line.reserve(ListingFullLineLength);
        for (std::size_t i = first; i < last; ++i) {
            // Four uppercase digits, as HexText(entry, 4) writes them, without a string per entry: every
            // edit writes the whole listing again.
            constexpr char Digits[] = "0123456789ABCDEF";
            const ColourWord w = entries[i];
            const char entry[] = {
                ',', '$', Digits[w >> 12], Digits[(w >> 8) & 0xF], Digits[(w >> 4) & 0xF], Digits[w & 0xF]};
            line.append(i == first ? entry + 1 : entry, i == first ? 5 : 6);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string GetField(std::string_view text, std::string_view delimiter, int n) {
    if (n < 0) {
        return {};
    }
    if (delimiter.empty()) {
        // Nothing to cut at: the whole text is the one piece.
        return n == 0 ? std::string(text) : std::string();
    }
    // The extra delimiter closes the last piece, so a text that ends in a delimiter has an empty last piece.
    const std::string cut = std::string(text) + std::string(delimiter);
    std::size_t start = 0;
    for (int piece = 0;; ++piece) {
        const std::size_t end = cut.find(delimiter, start);
        if (end == std::string::npos) {
            return {};
        }
        if (piece == n) {
            return cut.substr(start, end - start);
        }
        start = end + delimiter.size();
    }
}

std::string NoNumbersText(const ListingNoNumbers& noNumbers) {
    if (noNumbers.count == 0) {
        return {};
    }
    const std::string where =
        " (line " + std::to_string(noNumbers.firstLine) + ": `" + noNumbers.firstField + "`)";
    if (noNumbers.count == 1) {
        return "1 field was no number and was read as 0" + where;
    }
    return std::to_string(noNumbers.count) + " fields were no numbers and were read as 0" + where;
}

std::vector<ColourWord> ParseListing(std::span<const std::string> lines, int max,
                                     ListingNoNumbers* noNumbers) {
    std::vector<ColourWord> values;
    const std::size_t limit = static_cast<std::size_t>(std::max(max, 0));
    int lineNumber = 0;
    for (const std::string& line : lines) {
        ++lineNumber;
        // The operands are what follows the first "dc.w"; a ";" after it starts a comment. A line without
        // the directive, in exactly that spelling, holds no values.
        const std::string operands = WithoutBlanks(GetField(GetField(line, Directive, 1), ";", 0));
        if (!ReadFields(operands, limit, values, lineNumber, noNumbers)) {
            break;
        }
    }
    return values;
}

}  // namespace tintorb
