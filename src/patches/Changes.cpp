// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/Changes.h"

#include <cstring>

namespace tintorb {

std::size_t NextDifference(Bytes a, Bytes b, std::size_t from, std::size_t end) {
    // memcmp tells only whether a block differs; the block is then searched a word, then a byte, at a time.
    constexpr std::size_t Block = 4096;
    constexpr std::size_t Word = 8;
    while (from < end) {
        const std::size_t n = std::min(Block, end - from);
        if (std::memcmp(a.data() + from, b.data() + from, n) != 0) {
            break;
        }
        from += n;
    }
    for (; from + Word <= end; from += Word) {
        if (std::memcmp(a.data() + from, b.data() + from, Word) != 0) {
            break;
        }
    }
    while (from < end && a[from] == b[from]) {
        ++from;
    }
    return from;
}

std::size_t StretchEnd(Bytes a, Bytes b, std::size_t from, std::size_t end, std::size_t gap) {
    std::size_t same = 0;
    for (std::size_t at = from; at < end; ++at) {
        if (a[at] != b[at]) {
            same = 0;
        } else if (++same == gap) {
            return at + 1 - gap;
        }
    }
    return end - same;
}

std::size_t RunEnd(Bytes bytes, std::size_t from, std::size_t end) {
    std::size_t at = from;
    while (at < end && bytes[at] == bytes[from]) {
        ++at;
    }
    return at;
}

std::uint64_t Differing(Bytes a, Bytes b, std::size_t begin, std::size_t end) {
    const std::size_t common = std::clamp(std::min(a.size(), b.size()), begin, std::max(begin, end));
    std::uint64_t n = end > common ? end - common : 0;
    for (std::size_t at = begin; at < common; ++at) {
        n += a[at] != b[at] ? 1 : 0;
    }
    return n;
}

std::uint64_t ChangedIn(Bytes source, Bytes target, std::vector<std::pair<std::size_t, std::size_t>> ranges) {
    std::sort(ranges.begin(), ranges.end());
    const std::size_t common = std::min(source.size(), target.size());
    std::uint64_t changed = std::max(source.size(), target.size()) - common;
    std::size_t counted = 0;
    for (const auto& [begin, end] : ranges) {
        const std::size_t from = std::max(begin, counted);
        const std::size_t to = std::min(end, common);
        if (from < to) {
            changed += Differing(source, target, from, to);
        }
        counted = std::max(counted, end);
    }
    return changed;
}

}  // namespace tintorb
