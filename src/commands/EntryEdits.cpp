// SPDX-License-Identifier: GPL-3.0-or-later
// Selecting entries in the palette view and changing the selected entry: by a level swatch, the colour
// dialog, a bit of the bit view, or the listing written back.

#include "app/Generic.h"
#include "formats/Listing.h"
#include "model/NumberText.h"
#include "model/PaletteWords.h"
#include "views/BitView.h"
#include "views/LevelPicker.h"
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
void MakeFreshPalette(Document& document, const std::string& folder) {
    const EditorState& state = document.State();
    FileBytes data = state.FileData;
    data.resize(FreshPaletteBytes, 0);
    // PalAddress is kept, and only a failed load followed by a browser click leaves it off 0; the palette
    // then holds just the whole words that still fit in the image.
    const std::int64_t room = static_cast<std::int64_t>(data.size()) - state.PalAddress;
    const std::int32_t length =
        state.PalAddress < 0 ? 0
                             : static_cast<std::int32_t>(std::clamp<std::int64_t>(room / 2, 0, MaxPalLength));
    document.StartFresh(std::move(data), folder + std::string(FreshPaletteName),
                        {state.PalAddress, length, 0, 0});
}

}  // namespace

void TForm1::areaPalMouseDown(MouseButton Button, int X, int Y) {
    if (Button != MouseButton::Left || State.PalLength <= 0) {
        return;
    }
    PalettePlace place = document_.Place();
    const int i = PaletteEntryAt(X, Y);
    if (IsEntry(State, i)) {
        place.SelStart = i;
    }
    // A press beside the entries still collapses the selection onto its start.
    place.SelEnd = place.SelStart;
    document_.Locate(place);
    DrawPalette();
}

void TForm1::areaPalMouseUp(MouseButton, int X, int Y) {
    const int i = PaletteEntryAt(X, Y);
    if (IsEntry(State, i)) {
        PalettePlace place = document_.Place();
        place.SelEnd = i;
        if (i < place.SelStart) {
            std::swap(place.SelStart, place.SelEnd);
        }
        document_.Locate(place);
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
    if (State.HasEntry(State.SelStart)) {
        const ColourWord w = WithLevel(State.GetEntry(State.SelStart), hit.channel, hit.level);
        Apply(PaletteWords::EntryEdit(State, State.SelStart, w));
    }
}

void TForm1::btnColourClick() {
    const std::optional<Rgb> colour = controls_.RunColourDialog();
    if (!colour || State.PalLength <= 0) {
        return;
    }
    if (State.HasEntry(State.SelStart)) {
        const ColourWord w = FromRgb(State.GetEntry(State.SelStart), *colour);
        Apply(PaletteWords::EntryEdit(State, State.SelStart, w));
    }
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
    PaletteWords words(State);
    words.Put(w, State.SelStart);
    Apply(words.ToEdit());
}

void TForm1::btnASMClick() {
    const bool fresh = State.FileName.empty();
    if (fresh) {
        MakeFreshPalette(document_, controls_.ExecutableDir());
        ResetFinds();
    }
    if (State.PalLength <= 0) {
        return;
    }
    const std::vector<std::string> lines = controls_.Lines(Ctl::memoASM);
    ListingNoNumbers noNumbers;
    const std::vector<ColourWord> values = ParseListing(lines, State.PalLength, &noNumbers);
    // Entries after the last value read keep what they hold.
    PaletteWords words(State);
    for (std::size_t j = 0; j < values.size(); ++j) {
        words.Put(values[j], static_cast<std::int64_t>(j));
    }
    Apply(words.ToEdit());
    if (fresh) {
        // A new image: none of the old one's views may stay.
        DrawBrowser();
        DrawPalette();
    }
    // The form reads a field that is no number as 0, which is easily missed in a long listing.
    const std::string quietRepair = NoNumbersText(noNumbers);
    controls_.ShowStatus(quietRepair.empty()
                             ? "Read " + CountOf(values.size(), "entry", "entries") + " from the listing"
                             : quietRepair);
}

}  // namespace tintorb
