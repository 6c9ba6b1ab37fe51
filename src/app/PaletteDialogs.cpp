// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PaletteDialogs.h"

#include "formats/PaletteFormat.h"

namespace tintorb {

std::string_view PaletteDialogTitle(PaletteDialog kind) {
    switch (kind) {
        case PaletteDialog::Import:
            return "Import Palette";
        case PaletteDialog::Export:
            return "Export Palette";
        case PaletteDialog::Query:
            return "Search Colours of a File";
    }
    return {};
}

std::vector<std::string> PaletteFilters(PaletteDialog kind) {
    std::vector<std::string> filters;
    std::string every = "Palette files (";
    for (const PaletteFormatInfo& info : PaletteFormats) {
        filters.push_back(std::string(info.name) + " (*." + std::string(info.extension) + ')');
        every += (&info == PaletteFormats.data() ? "*." : " *.") + std::string(info.extension);
    }
    if (kind != PaletteDialog::Export) {
        filters.insert(filters.begin(), every + ')');
    }
    if (kind == PaletteDialog::Query) {
        filters.emplace_back("All files (*)");
    }
    return filters;
}

}  // namespace tintorb
