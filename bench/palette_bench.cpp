// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "support/FormHarness.h"
#include "views/BrowserView.h"
#include "views/LevelPicker.h"
#include "views/PaletteView.h"

namespace tintorb::test {

namespace {

// A full browser grid of valid words with a 64-entry palette at its start and a selection across rows, so
// that the palette refresh, the browser and the comparison between them all do their whole work.
std::unique_ptr<FormHarness> FormWithFullPalette() {
    auto h = std::make_unique<FormHarness>();
    std::vector<std::uint16_t> words;
    for (int i = 0; i < BrowserCells; ++i) {
        words.push_back(static_cast<std::uint16_t>((i * 0x0122) & 0x0EEE));
    }
    EditorState& state = Mutable(h->form);
    state.FileData = WordBytes(words);
    state.WordCount = BrowserCells;
    state.FileName = "bench.bin";
    state.PalLength = MaxPalLength;
    state.SelStart = 5;
    state.SelEnd = 40;
    return h;
}

void PaletteDrawPalette64(benchmark::State& state) {
    const auto h = FormWithFullPalette();
    for (auto _ : state) {
        h->form.DrawPalette();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(PaletteDrawPalette64);

// A level click: the edit recorded as an undo step, then the same refresh as above. Alternating levels
// make every click a change.
void PaletteLevelClickRecorded(benchmark::State& state) {
    const auto h = FormWithFullPalette();
    int level = 0;
    for (auto _ : state) {
        level = (level + 1) % LevelCount;
        h->form.areaRGBMouseDown(MouseButton::Left, 30 * level + 5, 5);
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(PaletteLevelClickRecorded);

// The same change written straight into the image, unrecorded, as edits were before they could be undone:
// the refresh after an edit, which the other palette goals are measured by. Each click changes the entry, so
// the refresh has a cell to redraw, as it has after every real edit.
void PaletteLevelClickUnrecorded(benchmark::State& state) {
    const auto h = FormWithFullPalette();
    int level = 0;
    for (auto _ : state) {
        level = (level + 1) % LevelCount;
        EditorState& s = Mutable(h->form);
        const ColourWord w = WithLevel(s.GetEntry(s.SelStart), Channel::Red, level);
        const auto at = static_cast<std::size_t>(s.EntryOffset(s.SelStart));
        s.FileData[at] = static_cast<std::uint8_t>(w >> 8);
        s.FileData[at + 1] = static_cast<std::uint8_t>(w & 0xFF);
        h->form.RefreshAfterEdit({static_cast<std::int64_t>(at), 2});
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(PaletteLevelClickUnrecorded);

// Taking a step back or doing it again, shown.
void PaletteUndoRedo(benchmark::State& state) {
    const auto h = FormWithFullPalette();
    h->form.areaRGBMouseDown(MouseButton::Left, 5, 5);
    h->form.areaRGBMouseDown(MouseButton::Left, 35, 5);
    bool undo = true;
    for (auto _ : state) {
        undo ? h->form.Undo() : h->form.Redo();
        undo = !undo;
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(PaletteUndoRedo);

// The yardstick both are measured against, on the same form in the same run.
void PaletteDrawBrowserReference(benchmark::State& state) {
    const auto h = FormWithFullPalette();
    for (auto _ : state) {
        h->form.DrawBrowser();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(PaletteDrawBrowserReference);

}  // namespace

}  // namespace tintorb::test
