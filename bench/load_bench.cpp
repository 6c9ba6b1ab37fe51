// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-file load against a bare read() of the same file into fresh memory, as a load reads it, and the
// memory a load over a loaded image takes at its peak.

#include "load_bench.h"

#include "model/FileImage.h"
#include "support/FormHarness.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tintorb::test {

namespace {

constexpr std::size_t BigFileSize = std::size_t{64} << 20;

// A 64 MiB file of varied bytes, written once for the whole run.
const std::string& BigFile() {
    static const TempDir dir;
    static const std::string path = [] {
        std::vector<std::uint8_t> bytes(BigFileSize);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i * 2654435761u >> 24);
        }
        const std::string file = dir.File("big.bin");
        WriteBytes(file, bytes);
        return file;
    }();
    return path;
}

void LoadFileData64MiB(benchmark::State& state) {
    FileBytes data;
    for (auto _ : state) {
        LoadFileData(data, BigFile());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}
BENCHMARK(LoadFileData64MiB)->Unit(benchmark::kMillisecond);

// Reads the whole big file with plain read() calls into buffer.
template <class Buffer>
void ReadBigFile(Buffer& buffer) {
    const int fd = ::open(BigFile().c_str(), O_RDONLY);
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (got <= 0) {
            throw std::runtime_error("read failed");
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.data());
}

// The same read into memory that is already there.
template <class Buffer>
void PlainRead(benchmark::State& state, Buffer& buffer) {
    for (auto _ : state) {
        ReadBigFile(buffer);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}

// For reference: an ordinary vector that is there already, in 4 KiB pages.
void PlainRead64MiB(benchmark::State& state) {
    std::vector<std::uint8_t> buffer(BigFileSize);
    PlainRead(state, buffer);
}
BENCHMARK(PlainRead64MiB)->Unit(benchmark::kMillisecond);

// For reference: a ready buffer in huge pages, as a loaded image is.
void PlainRead64MiBHugePages(benchmark::State& state) {
    FileBytes buffer(BigFileSize);
    PlainRead(state, buffer);
}
BENCHMARK(PlainRead64MiBHugePages)->Unit(benchmark::kMillisecond);

// The goal's yardstick, the floor of any load: fresh memory in huge pages for every read while the last
// one is still held, as a load needs so that a failed read leaves the loaded image alone. Freeing first
// would hand the read the pages just let go, still partly in the cache, which no load gets.
void PlainRead64MiBFreshHugePages(benchmark::State& state) {
    FileBytes previous;
    for (auto _ : state) {
        FileBytes buffer;
        buffer.ResizeForOverwrite(BigFileSize);
        ReadBigFile(buffer);
        previous.swap(buffer);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}
BENCHMARK(PlainRead64MiBFreshHugePages)->Unit(benchmark::kMillisecond);

// A line of /proc/self/status, such as "VmRSS:" or "VmHWM:", in bytes.
std::optional<double> StatusBytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string name;
    double kib = 0;
    while (status >> name) {
        if (name == key && status >> kib) {
            return kib * 1024;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return std::nullopt;
}

// Starts a new peak of resident memory from what is resident now.
bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear.flush());
}

}  // namespace

std::optional<double> SecondLoadPeakOverImages() {
    BigFile();
    std::vector<double> ratios;
    for (int run = 0; run < 9; ++run) {
        FileBytes image;
        const std::optional<double> before = StatusBytes("VmRSS:");
        LoadFileData(image, BigFile());
        if (!before || !ResetPeak()) {
            return std::nullopt;
        }
        LoadFileData(image, BigFile());
        const std::optional<double> peak = StatusBytes("VmHWM:");
        if (!peak) {
            return std::nullopt;
        }
        ratios.push_back((*peak - *before) / (2.0 * BigFileSize));
    }
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    return ratios[ratios.size() / 2];
}

}  // namespace tintorb::test
