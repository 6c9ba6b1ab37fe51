// Commands on the selected run of entries: copy and paste through the internal clipboard, gradient, swap
// and reverse.

#include "app/Generic.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tintorb {

namespace {

// The part of a byte run starting at offset that lies inside FileData, as [begin, end) within the run. The
// palette always lies inside, but the clipboard never gets to read or write past the image, whatever the
// state.
struct InsideRun {
    std::int64_t begin = 0;
    std::int64_t end = 0;
};

[[nodiscard]] InsideRun InsideFileData(const EditorState& state, std::int64_t offset, std::int64_t length) {
    const auto size = static_cast<std::int64_t>(state.FileData.size());
    const std::int64_t begin = std::clamp<std::int64_t>(-offset, 0, length);
    const std::int64_t end = std::clamp<std::int64_t>(size - offset, begin, length);
    return {begin, end};
}

void ExchangeEntries(EditorState& state, std::int64_t i, std::int64_t j) {
    const ColourWord a = state.GetEntry(i);
    state.PutEntry(state.GetEntry(j), i);
    state.PutEntry(a, j);
}

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
    return (RoundHalfEven(m * static_cast<double>(step)) + from) & 0xE;
}

}  // namespace

void TForm1::btnCopyClick() {
    if (State.PalLength <= 0) {
        return;
    }
    const std::int64_t offset = State.EntryOffset(State.SelStart);
    const std::int64_t length = 2 * (static_cast<std::int64_t>(State.SelEnd) - State.SelStart + 1);
    State.ClipData.assign(static_cast<std::size_t>(std::max<std::int64_t>(length, 0)), 0);
    const InsideRun inside = InsideFileData(State, offset, static_cast<std::int64_t>(State.ClipData.size()));
    if (inside.begin < inside.end) {
        std::copy(State.FileData.begin() + (offset + inside.begin),
                  State.FileData.begin() + (offset + inside.end), State.ClipData.begin() + inside.begin);
    }
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
    const std::int64_t offset = State.EntryOffset(State.SelStart);
    const InsideRun inside = InsideFileData(State, offset, count);
    if (inside.begin < inside.end) {
        std::copy(State.ClipData.begin() + inside.begin, State.ClipData.begin() + inside.end,
                  State.FileData.begin() + (offset + inside.begin));
    }
    RefreshAfterEdit();
}

void TForm1::btnGradientClick() {
    if (State.PalLength <= 0) {
        return;
    }
    const int span = State.SelEnd - State.SelStart;
    if (span < 2) {
        return;
    }
    const Levels a = LevelFieldsOf(State.GetEntry(State.SelStart) & 0x0EEE);
    const Levels b = LevelFieldsOf(State.GetEntry(State.SelEnd) & 0x0EEE);
    const float redStep = GradientStep(a.red, b.red, span);
    const float greenStep = GradientStep(a.green, b.green, span);
    const float blueStep = GradientStep(a.blue, b.blue, span);
    for (int m = 1; m < span; ++m) {
        const std::int64_t e = State.SelStart + m;
        const unsigned keep = State.GetEntry(e) & InvalidMask;
        const auto red = static_cast<unsigned>(GradientField(a.red, redStep, m));
        const auto green = static_cast<unsigned>(GradientField(a.green, greenStep, m));
        const auto blue = static_cast<unsigned>(GradientField(a.blue, blueStep, m));
        State.PutEntry(static_cast<ColourWord>((blue << 8) + keep + (green << 4) + red), e);
    }
    RefreshAfterEdit();
}

void TForm1::btnSwapClick() {
    if (State.PalLength <= 0 || State.SelStart == State.SelEnd) {
        return;
    }
    ExchangeEntries(State, State.SelStart, State.SelEnd);
    RefreshAfterEdit();
}

void TForm1::btnReverseClick() {
    if (State.PalLength <= 0 || State.SelStart == State.SelEnd) {
        return;
    }
    for (int c = 0; c <= (State.SelEnd - State.SelStart) / 2; ++c) {
        ExchangeEntries(State, State.SelStart + c, State.SelEnd - c);
    }
    RefreshAfterEdit();
}

}  // namespace tintorb
