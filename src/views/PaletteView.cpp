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
    constexpr std::array<Rgb, 2> StartMark{StartOuter, StartInner};
    constexpr std::array<Rgb, 2> EndMark{EndOuter, EndInner};
    struct Mark {
        int entry;
        std::span<const Rgb> outlines;
    };
    const std::array<Mark, 2> marks{{{State.SelStart, StartMark}, {State.SelEnd, EndMark}}};
    const std::size_t markCount = State.SelEnd != State.SelStart ? 2 : 1;
    // A row of cells at a time, its marks drawn into the same lines, so that a row that shows its entries
    // already is left as it is.
    for (int first = 0; first < State.PalLength; first += PaletteColumns) {
        std::array<std::uint32_t, PaletteColumns> pixels{};
        const int count = std::min(PaletteColumns, State.PalLength - first);
        for (int k = 0; k < count; ++k) {
            pixels[static_cast<std::size_t>(k)] = PixelOf(DisplayColour(State.GetEntry(first + k)));
        }
        std::array<Surface::CellFrame, 2> frames;
        std::size_t framed = 0;
        for (const Mark& mark : std::span(marks).first(markCount)) {
            if (mark.entry >= first && mark.entry < first + count) {
                frames[framed++] = {static_cast<std::size_t>(mark.entry - first), mark.outlines};
            }
        }
        const CellOrigin cell = PaletteCellOrigin(first);
        surface_->FillCellRow(cell.x, cell.y, PaletteCellWidth, PaletteCellHeight,
                              std::span(pixels.data(), static_cast<std::size_t>(count)),
                              std::span(frames.data(), framed));
    }
    // A mark off the palette's cells has no row to go with.
    for (const Mark& mark : std::span(marks).first(markCount)) {
        if (mark.entry < 0 || mark.entry >= State.PalLength) {
            DrawMarker(*surface_, mark.entry, mark.outlines[0], mark.outlines[1]);
        }
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
