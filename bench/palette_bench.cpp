#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "support/FormHarness.h"
#include "views/BrowserView.h"
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

void PaletteRefreshAfterEdit64(benchmark::State& state) {
    const auto h = FormWithFullPalette();
    for (auto _ : state) {
        h->form.RefreshAfterEdit();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(PaletteRefreshAfterEdit64);

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
