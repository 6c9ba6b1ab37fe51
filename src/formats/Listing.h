// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The assembler listing of a palette ("dc.w $0EEE,$0000,...") and how such text is read back.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ColourWord.h"

namespace tintorb {

inline constexpr int ListingWordsPerLine = 16;
// How a full line is laid out: "dc.w ", then per entry "$" and four digits, joined by ",". Every line but the
// last is full, so an entry's place in the text follows from its row and column.
inline constexpr std::string_view ListingLinePrefix = "dc.w ";
inline constexpr int ListingEntryLength = 5;
inline constexpr int ListingEntryStride = ListingEntryLength + 1;
inline constexpr int ListingFullLineLength =
    static_cast<int>(ListingLinePrefix.size()) + ListingWordsPerLine * ListingEntryStride - 1;

// The listing lines of the given entries: "dc.w " and sixteen "$XXXX" joined by "," per line.
[[nodiscard]] std::vector<std::string> FormatListing(std::span<const ColourWord> entries);

// The n-th piece (from 0) of text followed by one extra delimiter, cut at every delimiter from the left;
// empty when there are fewer pieces.
[[nodiscard]] std::string GetField(std::string_view text, std::string_view delimiter, int n);

// The fields that were no number, each read as 0: how many, and the first of them with its line (from 1).
struct ListingNoNumbers {
    int count = 0;
    int firstLine = 0;
    std::string firstField;
};

// "2 fields were no numbers and were read as 0 (line 1: `$zzzz`)"; empty when every field was a number.
[[nodiscard]] std::string NoNumbersText(const ListingNoNumbers& noNumbers);

// The values the lines hold, at most max of them, each as its low 16 bits; the fields read as 0 for being
// no number are counted in noNumbers, when given.
[[nodiscard]] std::vector<ColourWord> ParseListing(std::span<const std::string> lines, int max,
                                                   ListingNoNumbers* noNumbers = nullptr);

}  // namespace tintorb
