// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// CRC-32 as zip and PNG compute it (reflected polynomial 0xEDB88320): the checksum a BPS patch carries for
// its source, its result and itself.

#include <cstdint>
#include <span>

namespace tintorb {

// The CRC-32 of bytes, continued from crc, the CRC-32 of the bytes before them (0 for none). Fast enough to
// check a whole image while a patch is made or applied: carry-less multiplication where the processor
// has it, eight table look-ups a step otherwise.
[[nodiscard]] std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace tintorb
