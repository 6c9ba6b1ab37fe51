// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the file dialogs for palette files offer: their titles, and a filter for each palette format.

#include <string>
#include <string_view>
#include <vector>

namespace tintorb {

// Importing a palette, exporting one, or choosing a file whose colours to search for.
enum class PaletteDialog { Import, Export, Query };

[[nodiscard]] std::string_view PaletteDialogTitle(PaletteDialog kind);

// "Name (*.ext)" for each format, in the format table's order. To open, one of every palette file goes
// first; to search, one of all files goes last, since any other file is searched as a dump of colour memory.
[[nodiscard]] std::vector<std::string> PaletteFilters(PaletteDialog kind);

}  // namespace tintorb
