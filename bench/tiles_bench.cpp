// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "draw/Surface.h"
#include "tiles/TileExport.h"
#include "tiles/TileSheet.h"

namespace tintorb::test {

namespace {

constexpr int AreaTiles = 32;
constexpr int AreaZoom = 2;
constexpr int AreaSide = AreaTiles * TileSide * AreaZoom;

[[nodiscard]] std::vector<std::uint8_t> RandomBytes(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::mt19937_64 random(22);
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        const std::uint64_t r = random();
        std::memcpy(bytes.data() + i, &r, 8);
    }
    return bytes;
}

// A full tile area: 32 × 32 tiles of 4bpp-packed at zoom 2, decoded and drawn.
void TilesDecodeDrawArea(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = RandomBytes(AreaTiles * AreaTiles * 32);
    const TileRun run{FindTileCodec("4bpp-packed"), 0, {AreaTiles, 1, 1}};
    std::vector<ColourWord> palette(16);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<ColourWord>(i * 0x0122 & 0x0EEE);
    }
    const TileColours colours = MakeTileColours(palette, 4, 0, false);
    Surface surface(AreaSide, AreaSide);
    TileSheet sheet;
    for (auto _ : state) {
        sheet.Decode(bytes, run, 0, AreaTiles);
        sheet.Draw(surface, colours, AreaZoom);
        benchmark::DoNotOptimize(surface.Row0());
    }
}
BENCHMARK(TilesDecodeDrawArea);

// Its two halves, for reference: the tiles decoded, and drawn again as after a palette edit.
void TilesDecodeArea(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = RandomBytes(AreaTiles * AreaTiles * 32);
    TileSheet sheet;
    for (auto _ : state) {
        sheet.Decode(bytes, {FindTileCodec("4bpp-packed"), 0, {AreaTiles, 1, 1}}, 0, AreaTiles);
        benchmark::DoNotOptimize(&sheet);
    }
}
BENCHMARK(TilesDecodeArea);

void TilesRecolourArea(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = RandomBytes(AreaTiles * AreaTiles * 32);
    TileSheet sheet;
    sheet.Decode(bytes, {FindTileCodec("4bpp-packed"), 0, {AreaTiles, 1, 1}}, 0, AreaTiles);
    const TileColours colours = MakeTileColours(std::vector<ColourWord>(16, 0x0EEE), 4, 0, false);
    Surface surface(AreaSide, AreaSide);
    for (auto _ : state) {
        sheet.Draw(surface, colours, AreaZoom);
        benchmark::DoNotOptimize(surface.Row0());
    }
}
BENCHMARK(TilesRecolourArea);

// The same pixels filled with one colour.
void TilesFillArea(benchmark::State& state) {
    Surface surface(AreaSide, AreaSide);
    for (auto _ : state) {
        surface.FillBox(Rgb{1, 2, 3}, 0, 0, AreaSide, AreaSide);
        benchmark::DoNotOptimize(surface.Row0());
        (void)surface.TakeDirty();
    }
}
BENCHMARK(TilesFillArea);

const std::vector<std::uint8_t>& Bytes64MiB() {
    static const std::vector<std::uint8_t> bytes = RandomBytes(std::size_t{64} << 20);
    return bytes;
}

// Every pixel row of 64 MiB of 4bpp-packed tiles, 64 across, as the export hands them to the PNG writer.
void TilesDecode64MiB(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = Bytes64MiB();
    const TileRun run{FindTileCodec("4bpp-packed"), 0, {MaxTileColumns, 1, 1}};
    for (auto _ : state) {
        std::uint8_t last = 0;
        ForEachIndexRow(bytes, run, run.Count(bytes.size()),
                        [&](std::span<const std::uint8_t> row) { last ^= row.back(); });
        benchmark::DoNotOptimize(last);
    }
}
BENCHMARK(TilesDecode64MiB)->Unit(benchmark::kMillisecond);

// A plain loop that reads every byte once.
void ReadEveryByte64MiB(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = Bytes64MiB();
    for (auto _ : state) {
        unsigned sum = 0;
        for (const std::uint8_t byte : bytes) {
            sum += byte;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(ReadEveryByte64MiB)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace tintorb::test
