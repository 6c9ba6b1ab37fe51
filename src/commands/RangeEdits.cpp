// SPDX-License-Identifier: GPL-3.0-or-later
// Commands on the selected run of entries: copy and paste through the internal clipboard, gradient, swap
// and reverse.

#include "app/Generic.h"
#include "formats/Listing.h"
#include "model/PaletteWords.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tintorb {

namespace {

// Halves go to the even neighbour (the default floating-point rounding mode): a step of -0.5 from a level
// stays on it instead of dropping to the one below.
[[nodiscard]] int RoundHalfEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

[[nodiscard]] float GradientStep(int from, int to, int span) {
    // The step is held in single precision; that is what puts 14 / 12 just below 7 / 6.
    return static_cast<float>(static_cast<double>(to - from) / span);
}

[[nodiscard]] int GradientField(int from, float step, int m) {
    return RoundHalfEven(m * static_cast<double>(step)) + from;
}

}  // namespace

void TForm1::btnCopyClick() {
    if (State.PalLength <= 0) {
        return;
    }
    // The clipboard never reads past the image, whatever the state: a byte outside it copies as 0.
    const std::int64_t offset = State.EntryOffset(State.SelStart);
    const std::int64_t length = 2 * (static_cast<std::int64_t>(State.SelEnd) - State.SelStart + 1);
    std::vector<std::uint8_t> clip(static_cast<std::size_t>(std::max<std::int64_t>(length, 0)), 0);
    for (std::size_t k = 0; k < clip.size(); ++k) {
        const std::int64_t at = offset + static_cast<std::int64_t>(k);
        if (at >= 0 && at < static_cast<std::int64_t>(State.FileData.size())) {
            clip[k] = State.FileData[static_cast<std::size_t>(at)];
        }
    }
    // Other programs get the entries as listing text, ready for a source file; Paste keeps to the bytes.
    std::vector<ColourWord> words;
    for (std::size_t k = 0; k + 1 < clip.size(); k += 2) {
        words.push_back(WordAt(clip.data() + k));
    }
    std::string text;
    for (const std::string& line : FormatListing(words)) {
        text += line + '\n';
    }
    controls_.SetClipboardText(text);
    document_.SetClipData(std::move(clip));
}

void TForm1::btnPasteClick() {
    if (State.ClipData.empty() || State.PalLength <= 0) {
        return;
    }
    auto count = static_cast<std::int64_t>(State.ClipData.size());
    // The paste ends at the palette's last entry, whatever the clipboard holds.
    if (State.PalLength < count / 2 + State.SelStart) {
        count = std::max<std::int64_t>(2 * (static_cast<std::int64_t>(State.PalLength) - State.SelStart), 0);
    }
    // The document writes only the part that lies inside the image.
    Apply({State.EntryOffset(State.SelStart), {State.ClipData.begin(), State.ClipData.begin() + count}});
}

void TForm1::btnGradientClick() {
    if (State.PalLength <= 0) {
        return;
    }
    const int span = State.SelEnd - State.SelStart;
    if (span < 2) {
        return;
    }
    PaletteWords words(State);
    const Levels a = LevelFieldsOf(words.Get(State.SelStart));
    const Levels b = LevelFieldsOf(words.Get(State.SelEnd));
    const float redStep = GradientStep(a.red, b.red, span);
    const float greenStep = GradientStep(a.green, b.green, span);
    const float blueStep = GradientStep(a.blue, b.blue, span);
    for (int m = 1; m < span; ++m) {
        const std::int64_t e = State.SelStart + m;
        const Levels fields{GradientField(a.red, redStep, m), GradientField(a.green, greenStep, m),
                            GradientField(a.blue, blueStep, m)};
        words.Put(FromLevelFields(fields, words.Get(e)), e);
    }
    Apply(words.ToEdit());
}

void TForm1::btnSwapClick() {
    if (State.PalLength <= 0 || State.SelStart == State.SelEnd) {
        return;
    }
    PaletteWords words(State);
    words.Exchange(State.SelStart, State.SelEnd);
    Apply(words.ToEdit());
}

void TForm1::btnReverseClick() {
    if (State.PalLength <= 0 || State.SelStart == State.SelEnd) {
        return;
    }
    PaletteWords words(State);
    for (int c = 0; c <= (State.SelEnd - State.SelStart) / 2; ++c) {
        words.Exchange(State.SelStart + c, State.SelEnd - c);
    }
    Apply(words.ToEdit());
}

}  // namespace tintorb
