// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// IPS patches: "PATCH", records of a 3-byte big-endian offset, a 2-byte size and that many bytes (a size of
// 0 marks a run: a 2-byte count and the byte), then "EOF", optionally followed by the 3-byte length the
// result is cut to. No checksum, and nothing at 16 MiB or beyond can be reached.

#include <cstdint>
#include <span>
#include <string_view>

#include "model/FileBytes.h"
#include "patches/Patch.h"

namespace tintorb {

inline constexpr std::string_view IpsMagic = "PATCH";

// Throws PatchError when target differs from source at 16 MiB or beyond, or is cut to 16 MiB or more.
[[nodiscard]] MadePatch CreateIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target);

// Every record is read within the patch; the result grows to hold a record past its end.
PatchCounts ApplyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch,
                     FileBytes& target);

}  // namespace tintorb
