// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/PaletteScan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

#include "finder/BestHits.h"
#include "model/EditorState.h"

namespace tintorb {

namespace {

// A stretch of one repeated word at least a palette line long is padding or an unused line, not part of
// the palettes around it.
constexpr std::int64_t FillerLength = 16;

// Blocks of eight byte offsets are tested at once. The high bit of byte j of a mask stands for offset j.
constexpr std::uint64_t EvenOffsets = 0x0080008000800080;
constexpr std::uint64_t OddOffsets = EvenOffsets << 8;
constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7F;
// The InvalidMask bits of a word's high byte and of its low byte.
constexpr std::uint8_t InvalidHigh = InvalidMask >> 8;
constexpr std::uint8_t InvalidLow = InvalidMask & 0xFF;
constexpr std::uint64_t EachByte = 0x0101010101010101;

[[nodiscard]] std::uint64_t Load8(const std::uint8_t* p) {
    std::uint64_t x = 0;
    std::memcpy(&x, p, sizeof x);
    if constexpr (std::endian::native == std::endian::big) {
        x = __builtin_bswap64(x);
    }
    return x;
}

// The high bit of each byte of x that is zero.
[[nodiscard]] constexpr std::uint64_t ZeroBytes(std::uint64_t x) {
    return ~(((x & Low7) + Low7) | x | Low7);
}

// Which of the eight words starting at p[0] … p[7] are valid colour words: the high byte must have its
// top nibble and bit 0 clear, the low byte bits 4 and 0. Reads p[0] … p[8].
[[nodiscard]] std::uint64_t ValidWords(const std::uint8_t* p) {
    return ZeroBytes(Load8(p) & EachByte * InvalidHigh) & ZeroBytes(Load8(p + 1) & EachByte * InvalidLow);
}

// The same for the sixteen words starting at p[0] … p[15], as two masks, in a few vector instructions where
// the machine has them. Reads p[0] … p[16].
[[nodiscard]] std::array<std::uint64_t, 2> ValidWords16(const std::uint8_t* p) {
    using Lanes = std::uint8_t __attribute__((vector_size(16)));
    Lanes high;
    Lanes low;
    std::memcpy(&high, p, sizeof high);
    std::memcpy(&low, p + 1, sizeof low);
    const auto valid = ((high & InvalidHigh) == 0) & ((low & InvalidLow) == 0);
    std::array<std::uint64_t, 2> masks{};
    std::memcpy(masks.data(), &valid, sizeof masks);
    for (std::uint64_t& mask : masks) {
        if constexpr (std::endian::native == std::endian::big) {
            mask = __builtin_bswap64(mask);
        }
        mask &= EvenOffsets | OddOffsets;
    }
    return masks;
}

// A type of its own rather than a function pointer, so that the sort inlines it.
struct BetterScan {
    [[nodiscard]] bool operator()(const ScanHit& a, const ScanHit& b) const {
        if (a.score != b.score) {
            return a.score > b.score;
        }
        if (a.address != b.address) {
            return a.address < b.address;
        }
        return a.length > b.length;
    }
};

// A counting sequence (a table of steps, a ramp of indices) has one step between all its words.
[[nodiscard]] bool IsCounting(std::span<const ColourWord> words) {
    if (words.size() < 3) {
        return false;
    }
    const auto step = static_cast<ColourWord>(words[1] - words[0]);
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (static_cast<ColourWord>(words[i] - words[i - 1]) != step) {
            return false;
        }
    }
    return true;
}

class RunSplitter {
  public:
    RunSplitter(std::span<const std::uint8_t> bytes, int minRun) : bytes_(bytes), minRun_(minRun) {}

    // The run of count valid words from byte offset start: its filler stretches and the stretches between
    // them become hits, the latter in pieces of at most a palette.
    void Split(std::int64_t start, std::int64_t count) {
        std::int64_t between = 0;
        bool afterFiller = false;
        // A filler stretch holds a whole block of eight words at one of these steps, so only blocks of one
        // word are looked at closer.
        for (std::int64_t block = 0; block + 8 <= count; block += 8) {
            if (block < between || !IsUniformBlock(start + 2 * block)) {
                continue;
            }
            const auto [first, end] = UniformStretch(start, count, block);
            if (end - first >= FillerLength) {
                AddBetween(start, between, first, afterFiller);
                AddHit(start + 2 * first, std::min<std::int64_t>(end - first, MaxPalLength), end - first);
                between = end;
                afterFiller = true;
            }
        }
        AddBetween(start, between, count, afterFiller);
    }

    [[nodiscard]] BestHits<ScanHit, BetterScan>& Hits() { return hits_; }

  private:
    // Whether the eight words from offset are one word: bytes 0-7 equal bytes 2-9, and 6-13 equal 8-15.
    [[nodiscard]] bool IsUniformBlock(std::int64_t offset) const {
        const std::uint8_t* p = bytes_.data() + offset;
        return Load8(p) == Load8(p + 2) && Load8(p + 6) == Load8(p + 8);
    }

    // The words of the run at start, from and to, that equal the words of the uniform block there.
    [[nodiscard]] std::pair<std::int64_t, std::int64_t> UniformStretch(std::int64_t start, std::int64_t count,
                                                                       std::int64_t block) const {
        const std::uint8_t* p = bytes_.data() + start;
        const ColourWord w = WordAt(p + 2 * block);
        std::int64_t first = block;
        while (first > 0 && WordAt(p + 2 * (first - 1)) == w) {
            --first;
        }
        std::int64_t end = block + 8;
        // Four words at once: the eight bytes from a word equal the eight two bytes before them.
        while (end + 4 <= count && Load8(p + 2 * end) == Load8(p + 2 * end - 2)) {
            end += 4;
        }
        while (end < count && WordAt(p + 2 * end) == w) {
            ++end;
        }
        return {first, end};
    }

    // The words from..to of the run at start, between filler stretches. A palette line is 16 entries and its
    // first is often 0 (see-through), the same word as padding before it: when the words after padding fall
    // one short of whole lines, the padding's last word is taken as their first.
    void AddBetween(std::int64_t start, std::int64_t from, std::int64_t to, bool afterFiller) {
        if (afterFiller && (to - from) % 16 == 15) {
            --from;
        }
        AddPieces(start + 2 * from, to - from);
    }

    void AddPieces(std::int64_t start, std::int64_t count) {
        for (std::int64_t i = 0; i < count; i += MaxPalLength) {
            AddHit(start + 2 * i, std::min<std::int64_t>(count - i, MaxPalLength), count);
        }
    }

    void AddHit(std::int64_t address, std::int64_t length, std::int64_t stretch) {
        if (stretch < minRun_) {
            return;
        }
        const auto n = static_cast<std::int32_t>(length);
        ColourWord words[MaxPalLength];
        for (std::int32_t i = 0; i < n; ++i) {
            words[i] = WordAt(bytes_.data() + address + 2 * i);
        }
        hits_.Add({address, n, PaletteScore({words, static_cast<std::size_t>(n)}, address)});
    }

    std::span<const std::uint8_t> bytes_;
    int minRun_;
    BestHits<ScanHit, BetterScan> hits_{BetterScan{}};
};

// Follows the runs of valid words at the even and at the odd offsets, in one pass over the bytes.
class RunFinder {
  public:
    RunFinder(std::span<const std::uint8_t> bytes, int minRun)
        : bytes_(bytes), minRun_(minRun), splitter_(bytes, minRun) {}

    // Offset by offset: what every run length needs, and the last few offsets of any file.
    void StepWord(std::int64_t offset) {
        const int parity = static_cast<int>(offset & 1);
        if (IsValidAt(offset)) {
            if (start_[parity] < 0) {
                Open(parity, offset);
            }
        } else if (start_[parity] >= 0) {
            Close(parity, offset);
        }
    }

    // Eight offsets from k (even) at once, for runs of eight words or more. Such a run covers all four
    // offsets of its parity in at least one block; a block that does opens the run, reaching back to its
    // true start, and the first block that does not closes it.
    void StepBlock(std::int64_t k) { StepBlock(k, ValidWords(bytes_.data() + k)); }

    // Sixteen offsets from k: most of a file's blocks hold no valid word and no open run, and two of them
    // are passed over with one test.
    void StepTwoBlocks(std::int64_t k) {
        const auto [first, second] = ValidWords16(bytes_.data() + k);
        if ((first | second) == 0 && start_[0] < 0 && start_[1] < 0) {
            return;
        }
        StepBlock(k, first);
        StepBlock(k + 8, second);
    }

  private:
    void StepBlock(std::int64_t k, std::uint64_t valid) {
        // Most blocks either hold no run at all or lie inside the runs of both parities.
        const bool bothOpen = start_[0] >= 0 && start_[1] >= 0;
        const bool noneOpen = start_[0] < 0 && start_[1] < 0;
        if ((valid == 0 && noneOpen) || (valid == (EvenOffsets | OddOffsets) && bothOpen)) {
            return;
        }
        StepBlockParity(k, valid, 0, EvenOffsets);
        StepBlockParity(k, valid, 1, OddOffsets);
    }

  public:
    // Closes the runs that reach the end of the data.
    void Finish() {
        const auto size = static_cast<std::int64_t>(bytes_.size());
        for (int parity = 0; parity < 2; ++parity) {
            if (start_[parity] >= 0) {
                Close(parity, start_[parity] + 2 * ((size - start_[parity]) / 2));
            }
        }
    }

    [[nodiscard]] RunSplitter& Splitter() { return splitter_; }

  private:
    void StepBlockParity(std::int64_t k, std::uint64_t valid, int parity, std::uint64_t offsets) {
        const std::uint64_t invalid = ~valid & offsets;
        if (invalid == 0) {
            if (start_[parity] < 0) {
                Open(parity, k + parity);
            }
        } else if (start_[parity] >= 0) {
            Close(parity, k + std::countr_zero(invalid) / 8);
        }
    }

    [[nodiscard]] bool IsValidAt(std::int64_t offset) const {
        return offset >= 0 && offset + 1 < static_cast<std::int64_t>(bytes_.size()) &&
               IsValidColour(WordAt(bytes_.data() + offset));
    }

    // Starts a run at the valid word at offset, or earlier where the words before it are valid too.
    void Open(int parity, std::int64_t offset) {
        while (offset - 2 >= floor_[parity] && IsValidAt(offset - 2)) {
            offset -= 2;
        }
        start_[parity] = offset;
    }

    // Ends the run before the offset end.
    void Close(int parity, std::int64_t end) {
        const std::int64_t count = (end - start_[parity]) / 2;
        if (count >= minRun_) {
            splitter_.Split(start_[parity], count);
        }
        start_[parity] = -1;
        floor_[parity] = end + 2;
    }

    std::span<const std::uint8_t> bytes_;
    int minRun_;
    RunSplitter splitter_;
    std::int64_t start_[2] = {-1, -1};  // where the open run of each parity starts; -1 for none
    std::int64_t floor_[2] = {0, 1};    // where the words after the last closed run start
};

}  // namespace

double PaletteScore(std::span<const ColourWord> words, std::int64_t address) {
    if (words.empty()) {
        return 0;
    }
    // The colours seen, by their three levels: a byte each, so that words of different colours never wait
    // on each other's store.
    std::array<std::uint8_t, 512> seen{};
    int distinct = 0;
    for (const ColourWord w : words) {
        const unsigned index = ColourIndex(w);
        distinct += seen[index] ^ 1;
        seen[index] = 1;
    }
    const double n = static_cast<double>(words.size());
    // Palettes are rarely short: sixteen entries is the usual line, and several lines lie together.
    const double length = std::min(n, double{MaxPalLength}) / MaxPalLength;
    // A palette's entries differ; code, tables and pixel data that happen to be valid words repeat a few.
    const double variety = distinct / n;
    // Data is often laid out on such boundaries, palettes in particular, and chance runs are not.
    const double aligned = address % 32 == 0 ? 1 : 0;
    const double score = 0.3 * length + 0.5 * variety + 0.2 * aligned;
    // One repeated word or a counting sequence has variety but is no palette; it goes below every other.
    const bool plain = distinct == 1 || IsCounting(words);
    return plain ? 0.1 * score : score;
}

std::string ScoreText(double score) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", score);
    return text;
}

ScanResult ScanPalettes(std::span<const std::uint8_t> bytes, int minRun, const FindProgress& progress) {
    minRun = std::clamp(minRun, 1, MaxPalLength);
    ScanResult result;
    RunFinder finder(bytes, minRun);
    const auto size = static_cast<std::int64_t>(bytes.size());
    std::int64_t k = 0;
    if (minRun >= 8) {
        for (; k + 17 <= size; k += 16) {
            if (k % ProgressStep == 0 && progress && !progress(k, size)) {
                result.stopped = true;
                break;
            }
            finder.StepTwoBlocks(k);
        }
        if (!result.stopped && k + 9 <= size) {
            finder.StepBlock(k);
            k += 8;
        }
    }
    for (; !result.stopped && k + 1 < size; ++k) {
        if (k % ProgressStep == 0 && progress && !progress(k, size)) {
            result.stopped = true;
            break;
        }
        finder.StepWord(k);
    }
    if (!result.stopped) {
        finder.Finish();
    }
    result.hits = finder.Splitter().Hits().Take(result.cut);
    return result;
}

}  // namespace tintorb
