// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The items of the menus that list data rather than commands: the recent files and the named palettes.
// "&" marks an item's access key, so an "&" of a path or a title is written "&&".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "finder/PaletteNames.h"

namespace tintorb {

class TForm1;

// "&1 /path" … "1&0 /path": the numbers are the access keys.
[[nodiscard]] std::string RecentItemText(std::size_t index, std::string_view path);

struct NamedItem {
    std::string text;
    NamedPalette palette;
};

// "Title screen\t$1F40, 16" for the names nearest the palette shown, by address: a shared side file may
// name many thousands of palettes, far more than a menu can hold.
[[nodiscard]] std::vector<NamedItem> NamedMenuItems(const TForm1& form);

}  // namespace tintorb
