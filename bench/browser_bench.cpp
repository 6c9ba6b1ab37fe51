// SPDX-License-Identifier: GPL-3.0-or-later
// The browser redraw against the clear it starts with, on grids from the cheapest to the costliest.

#include "support/FormHarness.h"
#include "views/BrowserView.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

namespace tintorb::test {

namespace {

// A form whose browser shows a full grid of 1024 words, each made by wordAt(i).
template <typename WordAt>
std::unique_ptr<FormHarness> FormWithGrid(WordAt wordAt) {
    auto h = std::make_unique<FormHarness>();
    std::vector<std::uint16_t> words;
    for (int i = 0; i < BrowserCells; ++i) {
        words.push_back(wordAt(i));
    }
    Mutable(h->form).FileData = WordBytes(words);
    Mutable(h->form).WordCount = BrowserCells;
    return h;
}

void ClearBrowserAlone(benchmark::State& state) {
    const auto h = FormWithGrid([](int) { return std::uint16_t{0}; });
    for (auto _ : state) {
        h->form.ClearBrowser();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(ClearBrowserAlone);

void DrawBrowserValidGrid(benchmark::State& state) {
    const auto h = FormWithGrid([](int i) { return static_cast<std::uint16_t>((i * 2) & 0x0EEE); });
    for (auto _ : state) {
        h->form.DrawBrowser();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(DrawBrowserValidGrid);

void DrawBrowserInvalidGrid(benchmark::State& state) {
    const auto h = FormWithGrid([](int i) { return static_cast<std::uint16_t>(0x1000 | i); });
    for (auto _ : state) {
        h->form.DrawBrowser();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(DrawBrowserInvalidGrid);

// Valid and invalid words in random order, as in most files.
void DrawBrowserMixedGrid(benchmark::State& state) {
    std::mt19937 random(13);
    const auto h = FormWithGrid([&](int) { return static_cast<std::uint16_t>(random()); });
    for (auto _ : state) {
        h->form.DrawBrowser();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(DrawBrowserMixedGrid);

// Every neighbour differs in kind: no two cells of a row can be drawn as one.
void DrawBrowserAlternatingGrid(benchmark::State& state) {
    const auto h =
        FormWithGrid([](int i) { return static_cast<std::uint16_t>(i % 2 == 0 ? 0x0EEE : 0x1000); });
    for (auto _ : state) {
        h->form.DrawBrowser();
        benchmark::DoNotOptimize(h->form.surface().Row0());
    }
}
BENCHMARK(DrawBrowserAlternatingGrid);

}  // namespace

}  // namespace tintorb::test
