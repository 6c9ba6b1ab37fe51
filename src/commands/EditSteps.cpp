// SPDX-License-Identifier: GPL-3.0-or-later
// The one way a user's edit reaches the file image, and taking edits back and doing them again.

#include "app/Generic.h"
#include "model/NumberText.h"
#include "views/BrowserView.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace tintorb {

void TForm1::Apply(const Edit& edit) {
    const ByteRange changed = document_.Apply(edit);
    RefreshAfterEdit(changed);
    ShowModified();
    controls_.FinderFileChanged(changed.offset, static_cast<std::size_t>(changed.length));
}

void TForm1::Undo() {
    const PalettePlace shown = document_.Place();
    if (const EditStep* step = document_.Undo()) {
        ShowStep(*step, shown);
    }
}

void TForm1::Redo() {
    const PalettePlace shown = document_.Place();
    if (const EditStep* step = document_.Redo()) {
        ShowStep(*step, shown);
    }
}

void TForm1::ShowStep(const EditStep& step, const PalettePlace& shownBefore) {
    const bool moved = document_.Place() != shownBefore;
    if (moved) {
        // The address box says where the palette is, unless it already does in a spelling of its own.
        if (ReadNumber(controls_.Text(Ctl::editAddress)) != State.PalAddress) {
            ShowPaletteAddress();
        }
        // A shorter palette than the one shown leaves cells to wipe.
        ClearPaletteAreas();
    }
    // The browser moves only when the changed bytes are out of view; scrolling draws it anew.
    const std::int64_t shownEnd = std::int64_t{State.BrowserOffset} + 2 * BrowserCells;
    const int scrolledFrom = controls_.ScrollPos(Ctl::barBrowser);
    if (step.offset < State.BrowserOffset || step.offset >= shownEnd) {
        controls_.SetScrollPos(Ctl::barBrowser, static_cast<int>(step.offset / (2 * BrowserColumns)));
    }
    const ByteRange changed{step.offset, static_cast<std::int64_t>(step.after.size())};
    if (controls_.ScrollPos(Ctl::barBrowser) != scrolledFrom) {
        DrawPalette();
    } else if (moved) {
        DrawBrowserWords(changed);
        DrawPalette();
    } else {
        RefreshAfterEdit(changed);
    }
    ShowModified();
    controls_.FinderFileChanged(step.offset, step.after.size());
}

void TForm1::ShowModified() {
    controls_.SetModified(document_.Modified());
}

}  // namespace tintorb
