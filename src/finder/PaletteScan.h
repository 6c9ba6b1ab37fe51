// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finding palettes in a file nobody has mapped: every run of valid colour words, at even and at odd
// offsets, ranked by how much it looks like a palette. Pure functions over the bytes; the window runs them
// on a worker thread, so nothing here keeps state between calls.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "model/ColourWord.h"

namespace tintorb {

// Runs shorter than this are too common in ordinary data to be worth a look.
inline constexpr int DefaultMinRun = 8;

// The most hits a scan or a search keeps; the best ones when there are more. No one reads further, and a
// file of a single repeated word would otherwise give one hit per word.
inline constexpr std::size_t MaxHits = 50000;

// Told now and then how many bytes are done out of how many; returning false stops the work early.
using FindProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

struct ScanHit {
    std::int64_t address = 0;  // byte offset of the first entry; may be odd
    std::int32_t length = 0;   // entries, 1 to 64
    double score = 0;          // 0 to 1, higher is more palette-like
    friend bool operator==(const ScanHit&, const ScanHit&) = default;
};

struct ScanResult {
    std::vector<ScanHit> hits;  // best first: by score, then by address
    bool stopped = false;       // the progress callback stopped it; hits holds what was found until then
    bool cut = false;           // more than MaxHits were found; the rest were the worst
};

// Every run of at least minRun consecutive valid colour words, split into palettes of at most 64 entries.
// A stretch of one repeated word as long as a palette line (padding, an unused line) is a hit of its own,
// so that the palettes on either side of it are found at their own addresses.
[[nodiscard]] ScanResult ScanPalettes(std::span<const std::uint8_t> bytes, int minRun = DefaultMinRun,
                                      const FindProgress& progress = {});

// How palette-like the words at address look, from 0 to 1.
[[nodiscard]] double PaletteScore(std::span<const ColourWord> words, std::int64_t address);

// A score as the lists show it: "0.93".
[[nodiscard]] std::string ScoreText(double score);

}  // namespace tintorb
