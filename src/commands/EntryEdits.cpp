// Selecting entries in the palette view and changing the selected entry: by a level swatch, the colour
// dialog, a bit of the bit view, or the listing written back.

#include "app/Generic.h"
#include "views/BitView.h"
#include "views/LevelPicker.h"
#include "views/Listing.h"
#include "views/PaletteView.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintorb {

namespace {

constexpr std::size_t FreshPaletteBytes = 2 * MaxPalLength;
constexpr std::string_view FreshPaletteName = "palette.bin";

[[nodiscard]] bool IsEntry(const EditorState& state, int i) {
    return i >= 0 && i < state.PalLength;
}

// Without a loaded file the listing builds a palette of its own: a 128-byte image of 64 entries that
// "Save Changes" writes beside the program.
void MakeFreshPalette(EditorState& state, const std::string& folder) {
    state.FileData.resize(FreshPaletteBytes, 0);
    state.WordCount = MaxPalLength;
    state.SelStart = 0;
    state.SelEnd = 0;
    state.FileName = folder + std::string(FreshPaletteName);
    // PalAddress is kept, and only a failed load followed by a browser click leaves it off 0; the palette
    // then holds just the whole words that still fit in the image.
    const std::int64_t room = static_cast<std::int64_t>(state.FileData.size()) - state.PalAddress;
    state.PalLength = state.PalAddress < 0
                          ? 0
                          : static_cast<std::int32_t>(std::clamp<std::int64_t>(room / 2, 0, MaxPalLength));
}

}  // namespace

void TForm1::areaPalMouseDown(MouseButton Button, int X, int Y) {
    if (Button != MouseButton::Left || State.PalLength <= 0) {
        return;
    }
    const int i = PaletteEntryAt(X, Y);
    if (IsEntry(State, i)) {
        State.SelStart = i;
    }
    // A press beside the entries still collapses the selection onto its start.
    State.SelEnd = State.SelStart;
    DrawPalette();
}

void TForm1::areaPalMouseUp(MouseButton, int X, int Y) {
    const int i = PaletteEntryAt(X, Y);
    if (IsEntry(State, i)) {
        State.SelEnd = i;
        if (i < State.SelStart) {
            std::swap(State.SelStart, State.SelEnd);
        }
    }
    if (State.PalLength != 0) {
        DrawPalette();
    }
}

void TForm1::areaRGBMouseDown(MouseButton, int X, int Y) {
    if (State.PalLength <= 0) {
        return;
    }
    const LevelHit hit = LevelPickerHit(X, Y);
    if (hit.level < 0 || hit.level >= LevelCount) {
        return;
    }
    State.PutEntry(WithLevel(State.GetEntry(State.SelStart), hit.channel, hit.level), State.SelStart);
    RefreshAfterEdit();
}

void TForm1::btnColourClick() {
    const std::optional<Rgb> colour = controls_.RunColourDialog();
    if (!colour || State.PalLength <= 0) {
        return;
    }
    State.PutEntry(FromRgb(State.GetEntry(State.SelStart), *colour), State.SelStart);
    RefreshAfterEdit();
}

void TForm1::editBitsMouseDown(MouseButton, int X, int) {
    if (State.FileName.empty() || State.PalLength <= 0) {
        return;
    }
    ColourWord w = State.GetEntry(State.SelStart);
    // Any bit may be toggled, the ones that make a word invalid included.
    if (const std::optional<int> bit = BitAt(X)) {
        w = static_cast<ColourWord>(w ^ (1u << *bit));
    }
    State.PutEntry(w, State.SelStart);
    RefreshAfterEdit();
}

void TForm1::btnASMClick() {
    if (State.FileName.empty()) {
        MakeFreshPalette(State, controls_.ExecutableDir());
    }
    if (State.PalLength <= 0) {
        return;
    }
    const std::vector<std::string> lines = controls_.Lines(Ctl::memoASM);
    const std::vector<ColourWord> values = ParseListing(lines, State.PalLength);
    // Entries after the last value read keep what they hold.
    const std::size_t count = std::min(values.size(), static_cast<std::size_t>(State.PalLength));
    for (std::size_t j = 0; j < count; ++j) {
        State.PutEntry(values[j], static_cast<std::int64_t>(j));
    }
    RefreshAfterEdit();
}

}  // namespace tintorb
