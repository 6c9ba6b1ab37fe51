// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file image and the handful of variables every view and command shares.

#include "model/ColourWord.h"
#include "model/FileBytes.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tintorb {

// Entries a palette holds at most.
inline constexpr int MaxPalLength = 64;

struct EditorState {
    FileBytes FileData;              // the whole file image; the only copy of its bytes
    std::int32_t WordCount = 0;      // whole words in FileData, fixed when data is loaded or created
    std::string FileName;            // where "Save Changes" writes; empty means no file
    std::int32_t BrowserOffset = 0;  // byte offset of the browser's first cell, a multiple of 64
    std::int32_t PalAddress = 0;     // byte offset of palette entry 0; may be odd
    std::int32_t PalLength = 0;      // entries in the palette, 0 (none) to 64
    std::int32_t SelStart = 0;
    std::int32_t SelEnd = 0;
    std::vector<std::uint8_t> ClipData;  // copied entries, high byte first; survives loading another file

    // True when both bytes of the word at offset lie inside FileData.
    [[nodiscard]] bool HasWordAt(std::int64_t offset) const;
    [[nodiscard]] bool HasEntry(std::int64_t i) const { return HasWordAt(EntryOffset(i)); }
    // An index far outside any image is pinned to one that is still outside it, so the doubling never
    // overflows.
    [[nodiscard]] std::int64_t EntryOffset(std::int64_t i) const {
        constexpr std::int64_t Far = std::int64_t{1} << 40;
        return PalAddress + 2 * std::clamp(i, -Far, Far);
    }

    // Big-endian word at a byte offset. A word that is not wholly inside FileData reads as 0, so that no
    // state, however stale, can make a view read past the image.
    [[nodiscard]] ColourWord ReadWordAt(std::int64_t offset) const;
    [[nodiscard]] ColourWord GetEntry(std::int64_t i) const { return ReadWordAt(EntryOffset(i)); }
};

// Whole words from address to the end of data; none when the address lies outside it.
[[nodiscard]] std::int64_t WholeWordsFrom(std::int64_t address, std::size_t dataLength);

// The run of valid colour words from the palette's address, at most a full palette, and at least one entry
// so that an invalid first word can still be looked at: the length that "Auto" gives.
[[nodiscard]] int ValidRunLength(const EditorState& state);

[[nodiscard]] constexpr int BitOf(ColourWord w, int n) {
    return n >= 0 && n <= 15 ? (w >> n) & 1 : 0;
}

}  // namespace tintorb
