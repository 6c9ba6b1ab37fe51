// SPDX-License-Identifier: GPL-3.0-or-later
// The palette scan and the colour search over a 4 MiB made-up game image, against a plain loop that only
// counts the valid colour words at every byte offset, the words both of them read.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "finder/ColourSearch.h"
#include "finder/PaletteScan.h"
#include "support/PlantedFile.h"

namespace tintorb::test {

namespace {

const std::vector<std::uint8_t>& Image() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> b = RomLikeBytes(std::size_t{4} << 20, 7);
        // The query of the search lies in the image twice: whole, and its halves apart.
        const std::vector<ColourWord> palette = MadeUpPalette(64, 99);
        Plant(b, 0x100000, palette);
        Plant(b, 0x200001, std::span(palette).first(32));
        Plant(b, 0x300000, std::span(palette).last(32));
        return b;
    }();
    return bytes;
}

void CountValidWords4MiB(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = Image();
    for (auto _ : state) {
        std::int64_t valid = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
            valid += IsValidColour(static_cast<ColourWord>(bytes[i] << 8 | bytes[i + 1])) ? 1 : 0;
        }
        benchmark::DoNotOptimize(valid);
    }
}
BENCHMARK(CountValidWords4MiB);

void ScanPalettes4MiB(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanPalettes(Image()).hits.data());
    }
}
BENCHMARK(ScanPalettes4MiB);

void FindColours4MiB(benchmark::State& state) {
    const std::vector<ColourWord> query = MadeUpPalette(64, 99);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindColours(Image(), query).hits.data());
    }
}
BENCHMARK(FindColours4MiB);

}  // namespace

}  // namespace tintorb::test
