// SPDX-License-Identifier: GPL-3.0-or-later
// Making and applying IPS and BPS patches for two 64 MiB images that differ in 1,000 places, against a
// memcmp of the two images (what any patch maker must read) and a memcpy of one (what any applier must
// write). IPS reaches only the first 16 MiB, so its pair differs there; the BPS pair differs throughout.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <utility>

#include "model/FileBytes.h"
#include "patches/Patch.h"

namespace tintorb::test {

namespace {

constexpr std::size_t ImageSize = std::size_t{64} << 20;
constexpr std::size_t IpsReach = std::size_t{16} << 20;
constexpr int Places = 1000;

struct ImagePair {
    FileBytes original;
    FileBytes modified;
    std::vector<std::uint8_t> patch;
};

// Varied bytes, and a copy changed at Places places below reach: most a byte, some a short stretch.
[[nodiscard]] ImagePair MakePair(std::size_t reach, PatchFormat format) {
    ImagePair pair;
    pair.original = FileBytes(ImageSize);
    for (std::size_t i = 0; i < ImageSize; ++i) {
        pair.original[i] = static_cast<std::uint8_t>(i * 2654435761u >> 24);
    }
    pair.modified = pair.original;
    std::mt19937 random(23);
    for (int i = 0; i < Places; ++i) {
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, reach - 32)(random);
        const std::size_t length = i % 10 == 0 ? 24 : 1;
        for (std::size_t k = 0; k < length; ++k) {
            pair.modified[at + k] = static_cast<std::uint8_t>(~pair.original[at + k]);
        }
    }
    pair.patch = CreatePatch(format, pair.original, pair.modified).bytes;
    return pair;
}

const ImagePair& BpsPair() {
    static const ImagePair pair = MakePair(ImageSize, PatchFormat::Bps);
    return pair;
}

const ImagePair& IpsPair() {
    static const ImagePair pair = MakePair(IpsReach, PatchFormat::Ips);
    return pair;
}

// Two equal images, so that memcmp reads them to the end.
void Memcmp64MiB(benchmark::State& state) {
    const ImagePair& pair = BpsPair();
    static const FileBytes copy = pair.original;
    for (auto _ : state) {
        benchmark::DoNotOptimize(copy.data());
        benchmark::DoNotOptimize(std::memcmp(pair.original.data(), copy.data(), ImageSize));
    }
}
BENCHMARK(Memcmp64MiB)->Unit(benchmark::kMillisecond);

// Into memory that is already there, as the appliers below write into a reused result.
void Memcpy64MiB(benchmark::State& state) {
    const ImagePair& pair = BpsPair();
    FileBytes copy(ImageSize);
    for (auto _ : state) {
        std::memcpy(copy.data(), pair.original.data(), ImageSize);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(Memcpy64MiB)->Unit(benchmark::kMillisecond);

void Create(benchmark::State& state, const ImagePair& pair, PatchFormat format) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CreatePatch(format, pair.original, pair.modified).bytes.data());
    }
}

void Apply(benchmark::State& state, const ImagePair& pair) {
    FileBytes result(ImageSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ApplyPatch(pair.original, pair.patch, result).counts.changed);
    }
}

void CreateBps64MiB(benchmark::State& state) {
    Create(state, BpsPair(), PatchFormat::Bps);
}
BENCHMARK(CreateBps64MiB)->Unit(benchmark::kMillisecond);

void CreateIps64MiB(benchmark::State& state) {
    Create(state, IpsPair(), PatchFormat::Ips);
}
BENCHMARK(CreateIps64MiB)->Unit(benchmark::kMillisecond);

void ApplyBps64MiB(benchmark::State& state) {
    Apply(state, BpsPair());
}
BENCHMARK(ApplyBps64MiB)->Unit(benchmark::kMillisecond);

void ApplyIps64MiB(benchmark::State& state) {
    Apply(state, IpsPair());
}
BENCHMARK(ApplyIps64MiB)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace tintorb::test
