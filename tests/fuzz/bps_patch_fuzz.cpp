// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as a BPS patch: once as they are, and once with the footer's checksums made to
// match the patch and an original of the size it names, so that the actions are carried out and not only
// checked. Besides memory and undefined-behaviour faults it checks that the patch made from the original
// and the result gives that result again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "PatchFuzz.h"
#include "patches/Bps.h"
#include "patches/Crc32.h"

namespace {

// Results are capped here so that a short patch that copies a byte a billion times costs no memory.
constexpr std::uint64_t MaxFuzzedSize = std::uint64_t{1} << 20;

void PutCrc(std::vector<std::uint8_t>& patch, std::size_t at, std::uint32_t crc) {
    for (int i = 0; i < 4; ++i) {
        patch[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (8 * i));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tintorb;
    std::vector<std::uint8_t> patch(data, data + size);
    BpsHeader header;
    try {
        header = ReadBpsHeader(patch);
    } catch (const PatchError&) {
        return 0;
    }
    if (header.sourceSize > MaxFuzzedSize || header.targetSize > MaxFuzzedSize) {
        return 0;
    }
    const std::vector<std::uint8_t> source = fuzz::Original(static_cast<std::size_t>(header.sourceSize));
    FileBytes target;
    try {
        (void)ApplyPatch(source, patch, target);
    } catch (const PatchError&) {
    }
    PutCrc(patch, size - 12, Crc32(source));
    PutCrc(patch, size - 4, Crc32(std::span(patch).first(size - 4)));
    try {
        (void)ApplyPatch(source, patch, target);
    } catch (const PatchError&) {
        return 0;
    }
    fuzz::RequireRoundTrip(PatchFormat::Bps, source, target);
    return 0;
}
