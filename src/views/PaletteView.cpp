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

struct Mark {
    int entry;
    std::span<const Rgb> outlines;
};

inline constexpr std::array<Rgb, 2> StartMark{StartOuter, StartInner};
inline constexpr std::array<Rgb, 2> EndMark{EndOuter, EndInner};

// The selection's start, and its end where that is another entry.
[[nodiscard]] std::span<const Mark> SelectionMarks(const EditorState& state, std::array<Mark, 2>& marks) {
    marks = {{{state.SelStart, StartMark}, {state.SelEnd, EndMark}}};
    return std::span(marks).first(state.SelEnd != state.SelStart ? 2 : 1);
}

}  // namespace

void TForm1::DrawPaletteEntries(int from, int to) {
    std::array<Mark, 2> storage;
    const std::span<const Mark> marks = SelectionMarks(State, storage);
    // A row of cells at a time, its marks drawn into the same lines, so that a row that shows its entries
    // already is left as it is.
    for (int first = std::max(from, 0); first < to;) {
        const int rowEnd = std::min((first / PaletteColumns + 1) * PaletteColumns, to);
        const int count = rowEnd - first;
        std::array<std::uint32_t, PaletteColumns> pixels{};
        for (int k = 0; k < count; ++k) {
            pixels[static_cast<std::size_t>(k)] = PixelOf(DisplayColour(State.GetEntry(first + k)));
        }
        std::array<Surface::CellFrame, 2> frames;
        std::size_t framed = 0;
        for (const Mark& mark : marks) {
            if (mark.entry >= first && mark.entry < rowEnd) {
                frames[framed++] = {static_cast<std::size_t>(mark.entry - first), mark.outlines};
            }
        }
        const CellOrigin cell = PaletteCellOrigin(first);
        surface_->FillCellRow(cell.x, cell.y, PaletteCellWidth, PaletteCellHeight,
                              std::span(pixels.data(), static_cast<std::size_t>(count)),
                              std::span(frames.data(), framed));
        first = rowEnd;
    }
}

void TForm1::DrawPaletteCells() {
    // Without a palette there is no entry to mark either.
    if (State.PalLength <= 0) {
        return;
    }
    DrawPaletteEntries(0, State.PalLength);
    // A mark off the palette's cells has no row to go with.
    std::array<Mark, 2> storage;
    for (const Mark& mark : SelectionMarks(State, storage)) {
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

void TForm1::RefreshAfterEdit(ByteRange changed) {
    // The edit moved neither the palette nor its selection: only the cells of changed words draw anew, and
    // the views of the selected entry only when its word is among them.
    const ByteRange::Words entries = changed.WordsFrom(State.PalAddress, State.PalLength);
    const bool selectedChanged =
        State.PalLength > 0 && changed.Overlaps(State.EntryOffset(State.SelStart), 2);
    DrawPaletteEntries(static_cast<int>(entries.first), static_cast<int>(entries.last));
    if (selectedChanged) {
        DrawLevelPicker();
    }
    DrawBrowserWords(changed);
    controls_.Present();
    if (entries.first < entries.last || selectedChanged) {
        WriteListing();
    }
    if (selectedChanged) {
        ShowBits(State.GetEntry(State.SelStart));
    }
    tiles_.FollowEdit(changed);
}

}  // namespace tintorb
