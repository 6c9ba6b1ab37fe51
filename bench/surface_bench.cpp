// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/Surface.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using tintorb::BackgroundColour;
using tintorb::PixelOf;
using tintorb::Surface;

// A common screen; the surface is the screen's size, the window's client area sits in its top-left.
constexpr int ScreenW = 1920;
constexpr int ScreenH = 1080;
constexpr int ClientW = 953;
constexpr int ClientH = 657;

// The browser's rectangle.
constexpr int BrowserX = 416;
constexpr int BrowserY = 32;
constexpr int BrowserSide = 512;

// The same pixels of a plain screen-sized buffer filled with std::fill, row by row.
void FillRows(std::vector<std::uint32_t>& pixels, int x, int y, int w, int h) {
    const std::uint32_t pixel = PixelOf(BackgroundColour);
    for (int row = y; row < y + h; ++row) {
        std::uint32_t* const begin = pixels.data() + static_cast<std::ptrdiff_t>(row) * ScreenW + x;
        std::fill(begin, begin + w, pixel);
    }
}

void FillBoxBrowser(benchmark::State& state) {
    Surface surface(ScreenW, ScreenH);
    for (auto _ : state) {
        surface.FillBox(BackgroundColour, BrowserX, BrowserY, BrowserSide, BrowserSide);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * BrowserSide * BrowserSide);
}
BENCHMARK(FillBoxBrowser);

void FillBoxBrowserBaseline(benchmark::State& state) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(ScreenW) * ScreenH);
    for (auto _ : state) {
        FillRows(pixels, BrowserX, BrowserY, BrowserSide, BrowserSide);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * BrowserSide * BrowserSide);
}
BENCHMARK(FillBoxBrowserBaseline);

void ClearSurfaceClient(benchmark::State& state) {
    Surface surface(ScreenW, ScreenH);
    for (auto _ : state) {
        surface.ClearSurface(BackgroundColour, ClientW, ClientH);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * ClientW * ClientH);
}
BENCHMARK(ClearSurfaceClient);

void ClearSurfaceClientBaseline(benchmark::State& state) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(ScreenW) * ScreenH);
    for (auto _ : state) {
        FillRows(pixels, 0, 0, ClientW, ClientH);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * ClientW * ClientH);
}
BENCHMARK(ClearSurfaceClientBaseline);

}  // namespace
