// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/PaletteView.h"

#include "app/Generic.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace tintorb {

namespace {

inline constexpr Rgb StartOuter{0, 0, 0};
inline constexpr Rgb StartInner{255, 255, 255};
inline constexpr Rgb EndOuter{255, 0, 0};
inline constexpr Rgb EndInner{255, 255, 0};

struct CellOrigin {
    int x = 0;
    int y = 0;
};

[[nodiscard]] CellOrigin PaletteCellOrigin(int entry) {
    const Rect area = RectOf(Ctl::areaPal);
    return {area.left + PaletteCellWidth * (entry % PaletteColumns),
            area.top + PaletteCellHeight * (entry / PaletteColumns)};
}

// An outline on the cell's edge with a second one just inside it, so the mark reads on any cell colour.
void DrawMarker(Surface& surface, int entry, Rgb outer, Rgb inner) {
    const CellOrigin cell = PaletteCellOrigin(entry);
    surface.DrawBox(outer, cell.x, cell.y, PaletteCellWidth, PaletteCellHeight);
    surface.DrawBox(inner, cell.x + 1, cell.y + 1, PaletteCellWidth - 2, PaletteCellHeight - 2);
}

}  // namespace

void TForm1::DrawPaletteCells() {
    // Without a palette there is no entry to mark either.
    if (State.PalLength <= 0) {
        return;
    }
    // A row of cells at a time: every edit redraws all of them.
    for (int first = 0; first < State.PalLength; first += PaletteColumns) {
        std::array<std::uint32_t, PaletteColumns> pixels{};
        const int count = std::min(PaletteColumns, State.PalLength - first);
        for (int k = 0; k < count; ++k) {
            pixels[static_cast<std::size_t>(k)] = PixelOf(DisplayColour(State.GetEntry(first + k)));
        }
        const CellOrigin cell = PaletteCellOrigin(first);
        surface_->FillCellRow(cell.x, cell.y, PaletteCellWidth, PaletteCellHeight,
                              std::span(pixels.data(), static_cast<std::size_t>(count)));
    }
    DrawMarker(*surface_, State.SelStart, StartOuter, StartInner);
    if (State.SelEnd != State.SelStart) {
        DrawMarker(*surface_, State.SelEnd, EndOuter, EndInner);
    }
}

void TForm1::DrawPalette() {
    if (State.PalLength <= 0) {
        // An address with no whole word behind it: show the same empty views as right after a file load,
        // rather than an entry that is not there.
        ClearPaletteAreas();
        controls_.Present();
        controls_.Clear(Ctl::memoASM);
        controls_.SetFocus(Ctl::memoASM);
        controls_.SetText(Ctl::editBits, ResetBitsText);
        controls_.SetEnabled(Ctl::editBits, false);
        tiles_.Follow();
        return;
    }
    DrawPaletteCells();
    DrawLevelPicker();
    controls_.Present();
    WriteListing();
    ShowBits(State.GetEntry(State.SelStart));
    // Every change the window shows passes here, so the tiles follow it in the same moment.
    tiles_.Follow();
}

void TForm1::RefreshAfterEdit() {
    DrawPalette();
    DrawBrowser();
}

}  // namespace tintorb
