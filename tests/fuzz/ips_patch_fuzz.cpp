// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as an IPS patch to a fixed original. Besides memory and undefined-behaviour faults
// it checks that a patch that applies is counted within the bytes it can touch, and that the patch made
// from the original and the result gives that result again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "PatchFuzz.h"
#include "patches/Patch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tintorb;
    const std::vector<std::uint8_t> source = fuzz::Original(4096);
    FileBytes target;
    try {
        const AppliedPatch applied = ApplyPatch(source, std::span(data, size), target);
        fuzz::Require(applied.counts.changed <= std::max(source.size(), target.size()));
    } catch (const PatchError&) {
        return 0;
    }
    // The result reaches past 16 MiB only through a record that starts just below it.
    if (target.size() <= std::size_t{1} << 24) {
        fuzz::RequireRoundTrip(PatchFormat::Ips, source, target);
    }
    return 0;
}
