// The browser redraw against the clear it starts with, and the whole-file load against a bare read() of
// the same file into memory that is already there.

#include "model/FileImage.h"
#include "support/FormHarness.h"
#include "views/BrowserView.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
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
    std::vector<std::uint8_t> data;
    for (auto _ : state) {
        LoadFileData(data, BigFile());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}
BENCHMARK(LoadFileData64MiB)->Unit(benchmark::kMillisecond);

void PlainRead64MiB(benchmark::State& state) {
    std::vector<std::uint8_t> buffer(BigFileSize);
    for (auto _ : state) {
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
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigFileSize));
}
BENCHMARK(PlainRead64MiB)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace tintorb::test
