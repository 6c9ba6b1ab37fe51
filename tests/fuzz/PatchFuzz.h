// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets of both patch readers share: the original they patch, and the round trip they
// check on every result.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "patches/Patch.h"

namespace tintorb::fuzz {

inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// size bytes of a pattern with runs and changes in it.
[[nodiscard]] inline std::vector<std::uint8_t> Original(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i / 7) * 13);
    }
    return bytes;
}

// The patch made from source to target turns source into target.
inline void RequireRoundTrip(PatchFormat format, std::span<const std::uint8_t> source,
                             std::span<const std::uint8_t> target) {
    const MadePatch made = CreatePatch(format, source, target);
    FileBytes again;
    const AppliedPatch applied = ApplyPatch(source, made.bytes, again);
    Require(std::equal(again.begin(), again.end(), target.begin(), target.end()));
    Require(applied.counts == made.counts);
}

}  // namespace tintorb::fuzz
