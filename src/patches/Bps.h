// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// BPS patches: "BPS1", the source size, the target size and the metadata size as variable-length numbers,
// the metadata, actions that build the target from the front (SourceRead, TargetRead, SourceCopy,
// TargetCopy), then the CRC32s of the source, the target and the patch before them, little-endian.

#include <cstdint>
#include <span>
#include <string_view>

#include "model/FileBytes.h"
#include "patches/Patch.h"

namespace tintorb {

inline constexpr std::string_view BpsMagic = "BPS1";

// The largest result a patch may make: the largest image the editor opens.
inline constexpr std::uint64_t MaxPatchedSize = 0x7FFFFFFF;

struct BpsHeader {
    std::uint64_t sourceSize = 0;
    std::uint64_t targetSize = 0;
    std::size_t actionsBegin = 0;
    std::size_t actionsEnd = 0;
};

// The sizes and where the actions lie; throws PatchError for a patch that is no BPS patch or is cut short.
[[nodiscard]] BpsHeader ReadBpsHeader(std::span<const std::uint8_t> patch);

[[nodiscard]] MadePatch CreateBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

// Checks every action against the sizes and the patch's own CRC32 first, then the source's size and
// CRC32, and only then builds the target, whose CRC32 it checks last.
PatchCounts ApplyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch,
                     FileBytes& target);

}  // namespace tintorb
