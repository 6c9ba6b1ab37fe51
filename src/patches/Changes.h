// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where two images differ: the walk both patch writers make over them, and the count of changed bytes
// that both writers and both appliers report.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace tintorb {

using Bytes = std::span<const std::uint8_t>;

// The first position from `from` on, before end, where a and b differ; end when they agree throughout.
[[nodiscard]] std::size_t NextDifference(Bytes a, Bytes b, std::size_t from, std::size_t end);

// The end of the changed stretch that starts at from: the first position where a and b agree for gap
// bytes in a row, or end. Shorter agreements stay inside, where a new record would cost more than they.
[[nodiscard]] std::size_t StretchEnd(Bytes a, Bytes b, std::size_t from, std::size_t end, std::size_t gap);

// The end of the run of bytes equal to bytes[from], at most end.
[[nodiscard]] std::size_t RunEnd(Bytes bytes, std::size_t from, std::size_t end);

// How many of the positions in [begin, end) differ between a and b; a position that only one of them
// has differs.
[[nodiscard]] std::uint64_t Differing(Bytes a, Bytes b, std::size_t begin, std::size_t end);

// The bytes changed from source to target when only the ranges [begin, end) of the target were written
// (in any order, overlapping or not) and the rest was kept, cut or added at the end.
[[nodiscard]] std::uint64_t ChangedIn(Bytes source, Bytes target,
                                      std::vector<std::pair<std::size_t, std::size_t>> ranges);

// Calls onStretch(begin, end) for each changed stretch of the bytes that a and b both have, in order, and
// onScanned(upTo) after each window of the walk, so that a caller can read the bytes just compared while
// they are still in the cache.
template <class OnStretch, class OnScanned>
void ForEachStretch(Bytes a, Bytes b, std::size_t gap, OnStretch onStretch, OnScanned onScanned) {
    constexpr std::size_t Window = std::size_t{64} << 10;
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t at = 0;
    for (std::size_t window = 0; window < common; window += Window) {
        const std::size_t windowEnd = std::min(common, window + Window);
        while (at < windowEnd) {
            const std::size_t begin = NextDifference(a, b, at, windowEnd);
            if (begin == windowEnd) {
                at = windowEnd;
                break;
            }
            at = StretchEnd(a, b, begin, common, gap);
            onStretch(begin, at);
        }
        onScanned(std::max(at, windowEnd));
    }
}

}  // namespace tintorb
