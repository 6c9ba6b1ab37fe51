// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a palette the user already has (copied from a running game's colour memory, say) lies in the
// file: whole, ignoring the bits the hardware does not show, or in parts that together cover it.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "finder/PaletteScan.h"
#include "model/ColourWord.h"

namespace tintorb {

// Entries of the query that a part must match in a row; fewer match by chance too often.
inline constexpr int MinPartLength = 4;

enum class MatchKind { Exact, Masked, Part };

// "exact", "masked", "part".
[[nodiscard]] std::string_view MatchName(MatchKind kind);

struct SearchHit {
    std::int64_t address = 0;     // byte offset in the file of the first matching word; may be odd
    std::int32_t length = 0;      // matching entries
    std::int32_t queryStart = 0;  // the query entry the first matching word equals
    MatchKind match = MatchKind::Part;
    friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

struct SearchResult {
    std::vector<SearchHit> hits;  // best first: exact, masked, then parts by length; then by address
    bool stopped = false;
    bool cut = false;
};

// Every place the query occurs: whole and exact, whole ignoring the unused bits, and every longest run of
// at least MinPartLength consecutive query entries (ignoring the unused bits) that is not the whole query.
// A query shorter than MinPartLength is only found whole.
[[nodiscard]] SearchResult FindColours(std::span<const std::uint8_t> bytes, std::span<const ColourWord> query,
                                       const FindProgress& progress = {});

}  // namespace tintorb
