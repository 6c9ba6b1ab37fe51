// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a file beside a shared side file of 300,000 palette names, against loading it without one and a
// plain read of the side file's text, line by line: the names may cost about what reading them costs, not
// more, and grow with their number, not faster.

#include "names_bench.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "model/FileImage.h"
#include "model/NumberText.h"
#include "support/FormHarness.h"

namespace tintorb::test {

namespace {

constexpr std::size_t RomSize = std::size_t{64} << 20;
constexpr int Names = 300'000;

// Two copies of one 64 MiB file, as large as the load benchmark's, one with a side file of names; written
// once for the whole run.
struct NamedFiles {
    TempDir dir;
    std::string plain = dir.File("plain.bin");
    std::string named = dir.File("named.bin");

    NamedFiles() {
        std::vector<std::uint8_t> bytes(RomSize);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>((i * 2654435761u >> 24) & 0x0E);
        }
        WriteBytes(plain, bytes);
        WriteBytes(named, bytes);
        std::string side = "# Palettes of named.bin: address, length (1 to 64), title\n";
        for (int i = 0; i < Names; ++i) {
            side.append(AddressText(10 * i)).append(" 16 name ").append(std::to_string(i)).append(1, '\n');
        }
        WriteBytes(named + ".palettes", std::vector<std::uint8_t>(side.begin(), side.end()));
    }
};

const NamedFiles& Files() {
    static const NamedFiles files;
    return files;
}

void LoadInForm(benchmark::State& state, const std::string& path) {
    FormHarness h;
    for (auto _ : state) {
        h.controls.AnswerOpen(path);
        h.form.btnLoadClick();
        benchmark::DoNotOptimize(h.form.Names().Names().data());
    }
}

void LoadWithoutNames64MiB(benchmark::State& state) {
    LoadInForm(state, Files().plain);
}
BENCHMARK(LoadWithoutNames64MiB)->Unit(benchmark::kMillisecond);

void LoadWith300kNames64MiB(benchmark::State& state) {
    LoadInForm(state, Files().named);
}
BENCHMARK(LoadWith300kNames64MiB)->Unit(benchmark::kMillisecond);

// The side file read as plain text, line by line, nothing made of the lines.
void ReadSideFileText(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(Files().named + ".palettes");
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line);) {
            lines += line.empty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(ReadSideFileText)->Unit(benchmark::kMillisecond);

}  // namespace

void PrintNamesGoal(const bench::Medians& medians) {
    if (medians.contains("LoadWith300kNames64MiB") && medians.contains("LoadWithoutNames64MiB") &&
        medians.contains("ReadSideFileText")) {
        const double allowed = 2 * medians.at("LoadWithoutNames64MiB") + medians.at("ReadSideFileText");
        bench::PrintGoal("Load-300k-names/(2xload+read-names)",
                         medians.at("LoadWith300kNames64MiB") / allowed, 1.0, "x");
    }
}

}  // namespace tintorb::test
