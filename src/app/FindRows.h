// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tool window's table lists: one row for each palette a scan or a colour search found, with the
// title the user gave it, if any.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "finder/ColourSearch.h"
#include "finder/PaletteNames.h"
#include "finder/PaletteScan.h"

namespace tintorb {

struct FindRow {
    std::int64_t address = 0;
    std::int32_t length = 0;
    std::string addressText;  // as the address box writes it
    std::string rating;       // the scan's score, or which query entries a search matched and how
    std::string title;        // empty for a palette without a name
    friend bool operator==(const FindRow&, const FindRow&) = default;
};

// The table's columns, in their order.
enum FindColumn { AddressColumn, LengthColumn, ColoursColumn, RatingColumn, NameColumn, FindColumnCount };

// A column's title; the rating column rates a search's matches, or else a scan's scores.
[[nodiscard]] std::string_view FindColumnTitle(int column, bool searched);
// What a row shows in a column as text; the colours column shows a strip of them instead.
[[nodiscard]] std::string FindCellText(const FindRow& row, int column);

// The scan's hits, best first. Every named palette is listed too, ranked by its own score where the scan
// missed it (too short for the minimum, or no longer valid colours), so a name is never out of sight.
[[nodiscard]] std::vector<FindRow> ScanRows(std::span<const ScanHit> hits, const PaletteNames& names,
                                            std::span<const std::uint8_t> bytes);

// Every named palette, by address, scored as the scan would score it: the list behind "All names…".
[[nodiscard]] std::vector<FindRow> NameRows(const PaletteNames& names, std::span<const std::uint8_t> bytes);

// The search's hits in its order; rating reads e.g. "entries 0–7, exact".
[[nodiscard]] std::vector<FindRow> SearchRows(std::span<const SearchHit> hits, const PaletteNames& names);

// The row to be current once rows are listed again: the one that lists the same palette as was (the row
// the user was on, with a new name perhaps), else the first, the best of new results.
[[nodiscard]] int RowToKeep(std::span<const FindRow> rows, const FindRow* was);

}  // namespace tintorb
