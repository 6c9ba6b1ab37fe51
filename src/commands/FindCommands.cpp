// SPDX-License-Identifier: GPL-3.0-or-later
// Finding palettes: the tool window that lists them, going to one it lists, and the names users give them.

#include "app/Generic.h"
#include "model/NumberText.h"
#include "views/BrowserView.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace tintorb {

void TForm1::FindPalettesClick() {
    if (!State.FileData.empty()) {
        controls_.ShowFinder();
    }
}

void TForm1::LocatePalette(std::int64_t address, int length) {
    // Through the boxes and "Load", so that they show where the palette is and what was asked for.
    controls_.SetText(Ctl::editAddress, AddressText(address));
    ChooseLength(std::clamp(length, 1, MaxPalLength));
    btnReloadClick();
    if (State.PalLength <= 0) {
        return;
    }
    // The grid moves as little as it must: a palette above it comes to its top row, one below it to its
    // bottom row, unless that would push the palette's start out again.
    constexpr std::int64_t RowBytes = 2 * BrowserColumns;
    const std::int64_t first = State.PalAddress;
    const std::int64_t end = first + 2 * std::int64_t{State.PalLength};
    const std::int64_t shownEnd = std::int64_t{State.BrowserOffset} + 2 * BrowserCells;
    if (first < State.BrowserOffset) {
        controls_.SetScrollPos(Ctl::barBrowser, static_cast<int>(first / RowBytes));
    } else if (end > shownEnd) {
        const std::int64_t row = std::min(first / RowBytes, (end - 1) / RowBytes - (BrowserColumns - 1));
        controls_.SetScrollPos(Ctl::barBrowser, static_cast<int>(row));
    }
}

void TForm1::NamePaletteClick() {
    // A palette made from the listing has no file beside which its name could be kept until it is saved.
    if (State.PalLength <= 0 || !document_.Stamp()) {
        return;
    }
    const std::string where = AddressText(State.PalAddress);
    const std::optional<std::string> title = controls_.AskTitle(
        "Title of the palette of " + std::to_string(State.PalLength) + " entries at " + where + ":",
        names_.TitleOf(State.PalAddress, State.PalLength).value_or("Palette at " + where));
    if (!title) {
        return;
    }
    names_ = SavePaletteName(State.FileName, {State.PalAddress, State.PalLength, *title});
    controls_.ShowNames();
}

}  // namespace tintorb
